#include "engine/errors.h"

#include <cstdarg>
#include <cstdio>

#include "engine/platform.h"

int ShowError(const char* format, ...) {
  char message[kMaxErrorMessage + 1] = "";
  if (format) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
  }
  // Also on standard error: a player who started the game from a terminal, or a machine without a display,
  // still learns why the game ended.
  std::fprintf(stderr, "%s\n", message);
  GetPlatform().ShowMessageBox("", message);
  return 1;
}

bool OpenExternal(const char* target) {
  if (!target || !*target) return false;
  return GetPlatform().OpenUrl(target);
}
