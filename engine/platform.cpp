#include "engine/platform.h"

#include "engine/platform_headless.h"

namespace {
Platform* g_platform = nullptr;

// The fallback when no platform was installed: tools and tests run without a display.
HeadlessPlatform& BuiltInPlatform() {
  static HeadlessPlatform headless;
  return headless;
}
}  // namespace

Platform& GetPlatform() {
  return g_platform ? *g_platform : BuiltInPlatform();
}

void SetPlatform(Platform* platform) {
  g_platform = platform;
}
