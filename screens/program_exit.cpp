#include "screens/program_exit.h"

#include <cstdio>
#include <string>

#include "engine/active_screen.h"
#include "engine/errors.h"
#include "engine/window.h"
#include "screens/dialogs/quit_dialog.h"
#include "screens/dialogs/result_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
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

void AnswerCloseRequest(Window* window) {
  const Screen* active = ActiveScreen();
  // Asked again while the question is open, the player insists: that is the answer yes.
  if (QuitDialog* quit = screens::quit().get(); quit && active == quit) {
    quit->Yes();
    return;
  }
  // A closing window never throws a result away: it is filed as OK files it, and the next game (with
  // no score yet) lets the exit close at once.
  if (ResultDialog* result = screens::result().get(); result && active == result) result->Ok();
  if (MainScreen* main = screens::mainScreen().get())
    main->RunCommand(MainScreen::kExit);
  else if (window)
    window->Close();
}
