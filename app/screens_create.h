// The nine screens, created once at start-up with their places, sizes and redraw modes, each with the
// main window as its window and the program's background colour.
#pragma once

#include "engine/load_result.h"

class Window;

// Creates the small-ball shower (installed for every screen) and the screens in order: intro, main,
// options, help, new-game confirmation, result, top ten, clear-records confirmation, quit confirmation.
// Dialogs are centred in the window's client area. False, with the file and why in failure, when the
// intro cannot load its pictures.
bool CreateScreens(Window& window, LoadResult& failure);
