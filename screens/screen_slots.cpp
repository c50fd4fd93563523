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
#include "screens/small_balls.h"

namespace screens {

std::unique_ptr<AWndIntro> intro;
std::unique_ptr<AMainWindow> mainScreen;
std::unique_ptr<AWndOptions> options;
std::unique_ptr<AWndHelp> help;
std::unique_ptr<AWndRest> newGame;
std::unique_ptr<AWndResult> result;
std::unique_ptr<AWndTop10> top10;
std::unique_ptr<AWndClear> clearRecords;
std::unique_ptr<AWndExit> quit;
std::unique_ptr<SmallBalls> smallBalls;

void DestroyAll() {
  if (GetSmallBallShower() == smallBalls.get()) SetSmallBallShower(nullptr);
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

}  // namespace screens
