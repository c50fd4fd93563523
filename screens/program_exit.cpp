#include "screens/program_exit.h"

#include "engine/errors.h"
#include "engine/window.h"

namespace {
int exitCode = 0;
}  // namespace

void ReportMissingFile(const char* path) {
  ShowError(kMissingFileMessage, path ? path : "");
}

void EndProgram(OWindow* window, int code) {
  if (exitCode == 0) exitCode = code;
  if (window) window->Close();
}

int ProgramExitCode() {
  return exitCode;
}

void ResetProgramExit() {
  exitCode = 0;
}
