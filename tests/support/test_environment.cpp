// Linked into every unit-test program: SDL runs on its dummy video and audio drivers unless the caller
// chose others, so tests never open a real window or play a sound on the developer's desktop; and a failed
// programmer's check (engine/check.h) stops the test program whatever the build type.
#include <cstdlib>

#include "engine/check.h"

namespace {
const bool kDriversChosen = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetStopOnFailedCheck(true);
  return true;
}();
}  // namespace
