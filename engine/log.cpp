#include "engine/log.h"

#include <cstdarg>
#include <cstdio>

#include "engine/engine_context.h"

namespace {
LogLevel& Threshold() {
  return Engine().choices.logThreshold;
}

const char* LevelName(LogLevel level) {
  switch (level) {
    case LogLevel::kError:
      return "error";
    case LogLevel::kWarning:
      return "warning";
    case LogLevel::kInfo:
      return "info";
  }
  return "?";
}
}  // namespace

void Log(LogLevel level, const char* format, ...) {
  if (level > Threshold() || !format) return;
  char text[1024];
  va_list args;
  va_start(args, format);
  if (std::vsnprintf(text, sizeof text, format, args) < 0) text[0] = '\0';
  va_end(args);
  // One message, one line: a reason quoted from a file must not start a line of its own.
  for (char* c = text; *c; ++c)
    if (*c == '\n' || *c == '\r') *c = ' ';
  std::fprintf(stderr, "globbet: %s: %s\n", LevelName(level), text);
}

void SetLogThreshold(LogLevel level) {
  Threshold() = level;
}

LogLevel GetLogThreshold() {
  return Threshold();
}
