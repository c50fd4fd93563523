// The error box goes through the platform layer and to standard error.
#include <gtest/gtest.h>

#include "engine/errors.h"
#include "engine/platform_headless.h"

namespace {
TEST(Errors, MessagesAreCutAt1023BytesAndShownInACaptionlessBoxAndOnStandardError) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  ::testing::internal::CaptureStderr();
  ShowError("Error: file %s not found. Please reinstall game.", std::string(2000, 'f').c_str());
  const std::string err = ::testing::internal::GetCapturedStderr();
  const std::string cut = "Error: file " + std::string(1011, 'f');
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].caption, "");
  EXPECT_EQ(platform.MessageBoxes()[0].text, cut);
  EXPECT_EQ(err, cut + "\n");
  SetPlatform(nullptr);
}
}  // namespace
