// The program's screens: one object of each, created at start-up and destroyed at exit, kept in the
// screens context's slots through which the screens reach one another (the intro hands over to the main
// screen, the main screen opens the dialogs, the dialogs reach back to the main screen). A slot is null
// before start-up and after teardown.
#pragma once

#include <memory>

class IntroScreen;
class MainScreen;
class OptionsDialog;
class HelpDialog;
class NewGameDialog;
class ResultDialog;
class TopTenDialog;
class ClearRecordsDialog;
class QuitDialog;
class SmallBalls;

// The slots of one run (held by the screens context, screens/screens_context.h). Destroying them tears
// the screens down in DestroyAll's order.
struct ScreenSlots {
  ScreenSlots();
  ~ScreenSlots();
  ScreenSlots(const ScreenSlots&) = delete;
  ScreenSlots& operator=(const ScreenSlots&) = delete;

  std::unique_ptr<IntroScreen> intro;
  std::unique_ptr<MainScreen> mainScreen;
  std::unique_ptr<OptionsDialog> options;
  std::unique_ptr<HelpDialog> help;
  std::unique_ptr<NewGameDialog> newGame;  // the new-game confirmation
  std::unique_ptr<ResultDialog> result;    // result entry
  std::unique_ptr<TopTenDialog> topTen;
  std::unique_ptr<ClearRecordsDialog> clearRecords;  // the clear-records confirmation
  std::unique_ptr<QuitDialog> quit;                  // the quit confirmation
  // The shared small-ball shower every screen throws bursts with.
  std::unique_ptr<SmallBalls> smallBalls;

  // Destroys the shower and the screens in teardown order: the shower, intro, options, help, new-game
  // confirmation, result, top ten, clear-records confirmation, main, quit confirmation.
  void DestroyAll();
};

namespace screens {

// The installed screens context's slots.
std::unique_ptr<IntroScreen>& intro();
std::unique_ptr<MainScreen>& mainScreen();
std::unique_ptr<OptionsDialog>& options();
std::unique_ptr<HelpDialog>& help();
std::unique_ptr<NewGameDialog>& newGame();
std::unique_ptr<ResultDialog>& result();
std::unique_ptr<TopTenDialog>& topTen();
std::unique_ptr<ClearRecordsDialog>& clearRecords();
std::unique_ptr<QuitDialog>& quit();
std::unique_ptr<SmallBalls>& smallBalls();

// The installed slots' DestroyAll.
void DestroyAll();

}  // namespace screens
