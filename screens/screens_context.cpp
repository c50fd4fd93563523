#include "screens/screens_context.h"

#include "store/installed_context.h"

ScreensContext& Screens() {
  return InstalledContext<ScreensContext>::Get();
}

ScreensContext* InstallScreensContext(ScreensContext* context) {
  return InstalledContext<ScreensContext>::Install(context);
}
