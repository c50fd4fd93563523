#include "app/screens_create.h"

#include "engine/active_screen.h"
#include "engine/window.h"
#include "screens/dialogs/clear_records_dialog.h"
#include "screens/dialogs/help_dialog.h"
#include "screens/dialogs/new_game_dialog.h"
#include "screens/dialogs/options_dialog.h"
#include "screens/dialogs/quit_dialog.h"
#include "screens/dialogs/result_dialog.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/intro_screen.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "screens/small_balls.h"

namespace {
constexpr uint32_t kScreenBackground = 0xCCCCFF;

// A screen of class S at (x, y) (-1: centred in the client area) with its background and redraw mode.
template <class S>
std::unique_ptr<S> Make(Window& window, int x, int y, int width, int height, Screen::RedrawMode redrawMode) {
  if (x == -1) x = (window.GetClientWidth() - width) / 2;
  if (y == -1) y = (window.GetClientHeight() - height) / 2;
  auto screen = std::make_unique<S>(&window, x, y, width, height);
  screen->backgroundColor = kScreenBackground;
  screen->redrawMode = redrawMode;
  return screen;
}
}  // namespace

bool CreateScreens(Window& window, LoadResult& failure) {
  using namespace screens;
  smallBalls() = std::make_unique<SmallBalls>();
  SetSmallBallShower(smallBalls().get());
  constexpr Screen::RedrawMode kFull = Screen::RedrawMode::kFull, kDirty = Screen::RedrawMode::kDirty;
  intro() = Make<IntroScreen>(window, 0, 0, IntroScreen::kWidth, IntroScreen::kHeight, kDirty);
  if (!intro()->Build(failure)) return false;
  mainScreen() = Make<MainScreen>(window, 0, 0, MainScreen::kWidth, MainScreen::kHeight, kDirty);
  options() = Make<OptionsDialog>(window, -1, -1, OptionsDialog::kWidth, OptionsDialog::kHeight, kFull);
  help() = Make<HelpDialog>(window, 0, 0, HelpDialog::kWidth, HelpDialog::kHeight, kFull);
  newGame() = Make<NewGameDialog>(window, -1, -1, NewGameDialog::kWidth, NewGameDialog::kHeight, kFull);
  result() = Make<ResultDialog>(window, -1, -1, ResultDialog::kWidth, ResultDialog::kHeight, kFull);
  topTen() = Make<TopTenDialog>(window, -1, -1, TopTenDialog::kWidth, TopTenDialog::kHeight, kFull);
  clearRecords() = Make<ClearRecordsDialog>(window, -1, -1, ClearRecordsDialog::kWidth,
                                            ClearRecordsDialog::kHeight, kFull);
  quit() = Make<QuitDialog>(window, -1, -1, QuitDialog::kWidth, QuitDialog::kHeight, kFull);
  return true;
}
