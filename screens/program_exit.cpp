#include "screens/program_exit.h"

#include <cstdio>
#include <string>

#include "engine/errors.h"
#include "engine/window.h"
#include "screens/screens_context.h"

namespace {
std::string Line(const char* format, const std::string& value) {
  char line[kMaxErrorMessage + 1];
  std::snprintf(line, sizeof line, format, value.c_str());
  return line;
}
}  // namespace

void ReportLoadFailure(const LoadResult& failure) {
  std::string message = Line(kMissingFileMessage, failure.file);
  if (failure.fault == LoadResult::Fault::kUnreadable)
    message += "\n" + Line(kUnreadableFileLine, failure.reason);
  if (failure.fault == LoadResult::Fault::kDamaged) message += "\n" + Line(kDamagedFileLine, failure.reason);
  ShowError("%s", message.c_str());
}

void EndProgram(Window* window, int code) {
  int& exitCode = Screens().exitCode;
  if (exitCode == 0) exitCode = code;
  if (window) window->Close();
}

int ProgramExitCode() {
  return Screens().exitCode;
}
