// A fatal error ends the program: the message has been shown, the window closes, nothing is saved and
// the process exit code is the one asked for (255 for a missing data file or a game that cannot be
// made). The request is remembered in the screens context so that the window's teardown and the entry see it.
// The desktop's request to close the window is answered here too, as the exit button would answer it.
#pragma once

#include "engine/load_result.h"

class Window;

// The message of a missing or unreadable data file.
inline constexpr char kMissingFileMessage[] = "Error: file %s not found. Please reinstall game.";
// The line after it for a file that is there but was refused, with the reason.
inline constexpr char kUnreadableFileLine[] = "The file cannot be read: %s.";
inline constexpr char kDamagedFileLine[] = "The file is damaged: %s.";
// The message of a game session that cannot be created or restored.
inline constexpr char kCreateGameMessage[] = "Error create game.";
// The exit code of every fatal error.
inline constexpr int kFatalExitCode = 255;

// Shows the missing-file message naming the file; for a file that is there but unreadable or damaged, a
// second line says which and why.
void ReportLoadFailure(const LoadResult& failure);
// Remembers code as the program's exit code and closes window (null: only remembers). The first request
// wins.
void EndProgram(Window* window, int code);
// The exit code asked for, or 0 while none was.
int ProgramExitCode();
// The desktop asks to close the window: the exit button's command runs, asking first when it would. A
// result being entered is filed under the name shown first; a request while the quit question is open
// closes the window.
void AnswerCloseRequest(Window* window);
