#include "engine/check.h"

#include <cstdlib>

#include "engine/engine_context.h"
#include "engine/log.h"

bool CheckFailed(const char* file, int line, const char* condition, const char* fix) {
  Log(LogLevel::kError, "%s:%d: check failed: %s; %s", file, line, condition, fix);
  if (Engine().choices.stopOnFailedCheck) std::abort();
  return false;
}

void SetStopOnFailedCheck(bool stop) {
  Engine().choices.stopOnFailedCheck = stop;
}
