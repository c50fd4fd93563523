// The program's screens: one object of each, created at start-up and destroyed at exit, kept in
// process-wide slots through which the screens reach one another (the intro hands over to the main
// screen, the main screen opens the dialogs, the dialogs reach back to the main screen). A slot is
// null before start-up and after teardown.
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

namespace screens {

extern std::unique_ptr<AWndIntro> intro;
extern std::unique_ptr<AMainWindow> mainScreen;
extern std::unique_ptr<AWndOptions> options;
extern std::unique_ptr<AWndHelp> help;
extern std::unique_ptr<AWndRest> newGame;   // the new-game confirmation
extern std::unique_ptr<AWndResult> result;  // result entry
extern std::unique_ptr<AWndTop10> top10;
extern std::unique_ptr<AWndClear> clearRecords;  // the clear-records confirmation
extern std::unique_ptr<AWndExit> quit;           // the quit confirmation
// The shared small-ball shower every screen throws bursts with.
extern std::unique_ptr<SmallBalls> smallBalls;

// Destroys the shower and the screens in teardown order: the shower, intro, options, help, new-game
// confirmation, result, top ten, clear-records confirmation, main, quit confirmation.
void DestroyAll();

}  // namespace screens
