#include "app/screens_create.h"

#include "engine/active_screen.h"
#include "engine/window.h"
#include "screens/dialogs/wnd_clear.h"
#include "screens/dialogs/wnd_exit.h"
#include "screens/dialogs/wnd_help.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/dialogs/wnd_result.h"
#include "screens/dialogs/wnd_top10.h"
#include "screens/intro.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "screens/small_balls.h"

namespace {
constexpr uint32_t kScreenBackground = 0xCCCCFF;

// A screen of class S at (x, y) (-1: centred in the client area) with its background and redraw mode.
template <class S>
std::unique_ptr<S> Make(OWindow& window, int x, int y, int width, int height,
                        OEngine::RedrawMode redrawMode) {
  if (x == -1) x = (window.GetClientWidth() - width) / 2;
  if (y == -1) y = (window.GetClientHeight() - height) / 2;
  auto screen = std::make_unique<S>(&window, x, y, width, height);
  screen->backgroundColor = kScreenBackground;
  screen->redrawMode = redrawMode;
  return screen;
}
}  // namespace

bool CreateScreens(OWindow& window, LoadResult& failure) {
  using namespace screens;
  smallBalls() = std::make_unique<SmallBalls>();
  SetSmallBallShower(smallBalls().get());
  constexpr OEngine::RedrawMode kFull = OEngine::RedrawMode::kFull, kDirty = OEngine::RedrawMode::kDirty;
  intro() = Make<AWndIntro>(window, 0, 0, AWndIntro::kWidth, AWndIntro::kHeight, kDirty);
  if (!intro()->Build(failure)) return false;
  mainScreen() = Make<AMainWindow>(window, 0, 0, AMainWindow::kWidth, AMainWindow::kHeight, kDirty);
  options() = Make<AWndOptions>(window, -1, -1, AWndOptions::kWidth, AWndOptions::kHeight, kFull);
  help() = Make<AWndHelp>(window, 0, 0, AWndHelp::kWidth, AWndHelp::kHeight, kFull);
  newGame() = Make<AWndRest>(window, -1, -1, AWndRest::kWidth, AWndRest::kHeight, kFull);
  result() = Make<AWndResult>(window, -1, -1, AWndResult::kWidth, AWndResult::kHeight, kFull);
  top10() = Make<AWndTop10>(window, -1, -1, AWndTop10::kWidth, AWndTop10::kHeight, kFull);
  clearRecords() = Make<AWndClear>(window, -1, -1, AWndClear::kWidth, AWndClear::kHeight, kFull);
  quit() = Make<AWndExit>(window, -1, -1, AWndExit::kWidth, AWndExit::kHeight, kFull);
  return true;
}
