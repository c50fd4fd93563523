// Linked into every unit-test program: SDL runs on its dummy video and audio drivers unless the caller
// chose others, so tests never open a real window or play a sound on the developer's desktop; a failed
// programmer's check (engine/check.h) stops the test program whatever the build type; and every test
// starts on a fresh ProgramContext, so none sees what another left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/program_context.h"
#include "engine/check.h"

namespace {
class FreshContextPerTest : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override { context_ = std::make_unique<ProgramContext>(); }
  void OnTestEnd(const ::testing::TestInfo&) override { context_.reset(); }

 private:
  std::unique_ptr<ProgramContext> context_;
};

const bool kDriversChosen = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetStopOnFailedCheck(true);
  // The listeners own it; gtest_main's InitGoogleTest leaves the list as it is.
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshContextPerTest);
  return true;
}();
}  // namespace
