#include "engine/check.h"

#include <cstdlib>

#include "engine/log.h"

// The build decides the starting value (CMakeLists.txt: Debug and the sanitizer build stop).
#ifndef GLOBBET_CHECKS_STOP
#define GLOBBET_CHECKS_STOP 0
#endif

namespace {
bool stopOnFailure = GLOBBET_CHECKS_STOP != 0;
}  // namespace

bool CheckFailed(const char* file, int line, const char* condition, const char* fix) {
  Log(LogLevel::kError, "%s:%d: check failed: %s; %s", file, line, condition, fix);
  if (stopOnFailure) std::abort();
  return false;
}

void SetStopOnFailedCheck(bool stop) {
  stopOnFailure = stop;
}
