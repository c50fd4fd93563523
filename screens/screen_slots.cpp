#include "screens/screen_slots.h"

#include "engine/active_screen.h"
#include "screens/dialogs/clear_records_dialog.h"
#include "screens/dialogs/help_dialog.h"
#include "screens/dialogs/new_game_dialog.h"
#include "screens/dialogs/options_dialog.h"
#include "screens/dialogs/quit_dialog.h"
#include "screens/dialogs/result_dialog.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/intro_screen.h"
#include "screens/main_screen.h"
#include "screens/screens_context.h"
#include "screens/small_balls.h"

ScreenSlots::ScreenSlots() = default;

ScreenSlots::~ScreenSlots() {
  DestroyAll();
}

void ScreenSlots::DestroyAll() {
  if (smallBalls && GetSmallBallShower() == smallBalls.get()) SetSmallBallShower(nullptr);
  smallBalls.reset();
  intro.reset();
  options.reset();
  help.reset();
  newGame.reset();
  result.reset();
  topTen.reset();
  clearRecords.reset();
  mainScreen.reset();
  quit.reset();
}

namespace screens {

std::unique_ptr<IntroScreen>& intro() {
  return Screens().slots.intro;
}

std::unique_ptr<MainScreen>& mainScreen() {
  return Screens().slots.mainScreen;
}

std::unique_ptr<OptionsDialog>& options() {
  return Screens().slots.options;
}

std::unique_ptr<HelpDialog>& help() {
  return Screens().slots.help;
}

std::unique_ptr<NewGameDialog>& newGame() {
  return Screens().slots.newGame;
}

std::unique_ptr<ResultDialog>& result() {
  return Screens().slots.result;
}

std::unique_ptr<TopTenDialog>& topTen() {
  return Screens().slots.topTen;
}

std::unique_ptr<ClearRecordsDialog>& clearRecords() {
  return Screens().slots.clearRecords;
}

std::unique_ptr<QuitDialog>& quit() {
  return Screens().slots.quit;
}

std::unique_ptr<SmallBalls>& smallBalls() {
  return Screens().slots.smallBalls;
}

void DestroyAll() {
  Screens().slots.DestroyAll();
}

}  // namespace screens
