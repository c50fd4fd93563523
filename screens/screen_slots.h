// The program's screens: one object of each, created at start-up and destroyed at exit, kept in the
// screens context's slots through which the screens reach one another (the intro hands over to the main
// screen, the main screen opens the dialogs, the dialogs reach back to the main screen). A slot is null
// before start-up and after teardown.
#pragma once

#include <memory>

class AWndIntro;
class AMainWindow;
class AWndOptions;
class AWndHelp;
class AWndRest;
class AWndResult;
class AWndTop10;
class AWndClear;
class AWndExit;
class SmallBalls;

// The slots of one run (held by the screens context, screens/screens_context.h). Destroying them tears
// the screens down in DestroyAll's order.
struct ScreenSlots {
  ScreenSlots();
  ~ScreenSlots();
  ScreenSlots(const ScreenSlots&) = delete;
  ScreenSlots& operator=(const ScreenSlots&) = delete;

  std::unique_ptr<AWndIntro> intro;
  std::unique_ptr<AMainWindow> mainScreen;
  std::unique_ptr<AWndOptions> options;
  std::unique_ptr<AWndHelp> help;
  std::unique_ptr<AWndRest> newGame;   // the new-game confirmation
  std::unique_ptr<AWndResult> result;  // result entry
  std::unique_ptr<AWndTop10> top10;
  std::unique_ptr<AWndClear> clearRecords;  // the clear-records confirmation
  std::unique_ptr<AWndExit> quit;           // the quit confirmation
  // The shared small-ball shower every screen throws bursts with.
  std::unique_ptr<SmallBalls> smallBalls;

  // Destroys the shower and the screens in teardown order: the shower, intro, options, help, new-game
  // confirmation, result, top ten, clear-records confirmation, main, quit confirmation.
  void DestroyAll();
};

namespace screens {

// The installed screens context's slots.
std::unique_ptr<AWndIntro>& intro();
std::unique_ptr<AMainWindow>& mainScreen();
std::unique_ptr<AWndOptions>& options();
std::unique_ptr<AWndHelp>& help();
std::unique_ptr<AWndRest>& newGame();
std::unique_ptr<AWndResult>& result();
std::unique_ptr<AWndTop10>& top10();
std::unique_ptr<AWndClear>& clearRecords();
std::unique_ptr<AWndExit>& quit();
std::unique_ptr<SmallBalls>& smallBalls();

// The installed slots' DestroyAll.
void DestroyAll();

}  // namespace screens
