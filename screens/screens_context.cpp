#include "screens/screens_context.h"

namespace {
ScreensContext* installed = nullptr;
}  // namespace

ScreensContext& Screens() {
  // Tools, benchmarks and fuzz targets that make no ProgramContext share this one.
  static ScreensContext fallback;
  return installed ? *installed : fallback;
}

ScreensContext* InstallScreensContext(ScreensContext* context) {
  ScreensContext* previous = installed;
  installed = context;
  return previous;
}
