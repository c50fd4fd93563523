#include "screens/screen_slots.h"

#include "engine/active_screen.h"
#include "screens/dialogs/wnd_clear.h"
#include "screens/dialogs/wnd_exit.h"
#include "screens/dialogs/wnd_help.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/dialogs/wnd_result.h"
#include "screens/dialogs/wnd_top10.h"
#include "screens/intro.h"
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
  top10.reset();
  clearRecords.reset();
  mainScreen.reset();
  quit.reset();
}

namespace screens {

std::unique_ptr<AWndIntro>& intro() {
  return Screens().slots.intro;
}

std::unique_ptr<AMainWindow>& mainScreen() {
  return Screens().slots.mainScreen;
}

std::unique_ptr<AWndOptions>& options() {
  return Screens().slots.options;
}

std::unique_ptr<AWndHelp>& help() {
  return Screens().slots.help;
}

std::unique_ptr<AWndRest>& newGame() {
  return Screens().slots.newGame;
}

std::unique_ptr<AWndResult>& result() {
  return Screens().slots.result;
}

std::unique_ptr<AWndTop10>& top10() {
  return Screens().slots.top10;
}

std::unique_ptr<AWndClear>& clearRecords() {
  return Screens().slots.clearRecords;
}

std::unique_ptr<AWndExit>& quit() {
  return Screens().slots.quit;
}

std::unique_ptr<SmallBalls>& smallBalls() {
  return Screens().slots.smallBalls;
}

void DestroyAll() {
  Screens().slots.DestroyAll();
}

}  // namespace screens
