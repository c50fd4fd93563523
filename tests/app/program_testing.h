// The whole game on the headless platform, driven tick by tick in a scratch folder (the current
// directory for the test's length) that sees the build's data files through links; with the headers of
// its screens, for the tests that reach into them.
#pragma once

#include <gtest/gtest.h>

#include "app/game_window.h"
#include "app/program_context.h"
#include "app/settings_file.h"
#include "engine/catalogue.h"
#include "engine/check_box.h"
#include "engine/edit_box.h"
#include "engine/platform_headless.h"
#include "game/ball.h"
#include "game/player_sessions.h"
#include "screens/dialogs/clear_records_dialog.h"
#include "screens/dialogs/help_dialog.h"
#include "screens/dialogs/new_game_dialog.h"
#include "screens/dialogs/options_dialog.h"
#include "screens/dialogs/quit_dialog.h"
#include "screens/dialogs/result_dialog.h"
#include "screens/dialogs/results_link.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/intro_screen.h"
#include "screens/main_screen.h"
#include "screens/program_exit.h"
#include "screens/screen_slots.h"
#include "screens/small_balls.h"
#include "screens/step_selector.h"
#include "tests/support/sound_log.h"
#include "tests/support/test_folder.h"

namespace program_testing {

namespace fs = std::filesystem;

class ScratchFolder : public TestFolder {
 public:
  // Links every data file except those named (e.g. "clp/buttons/26.clp").
  explicit ScratchFolder(const std::vector<std::string>& left = {}) : old_(fs::current_path()) {
    fs::current_path(path());
    const fs::path data(GLOBBET_DATA_DIR);
    for (const char* sub : {"clp", "wav", "pages"})
      for (const auto& entry : fs::recursive_directory_iterator(data / sub)) {
        const fs::path relative = fs::relative(entry.path(), data);
        if (entry.is_directory() || std::count(left.begin(), left.end(), relative.generic_string())) continue;
        fs::create_directories(relative.parent_path());
        fs::create_symlink(entry.path(), relative);
      }
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(old_, ignored);
  }

 private:
  fs::path old_;
};

// The game's window, taking the platform's events from the tests as its loop would.
class TestWindow : public GameWindow {
 public:
  using GameWindow::GameWindow;
  using Window::Dispatch;
};

// The game as RunGame makes it, on a fresh context of its own. Start creates the window; Quit ends the
// loop the way the platform's close does and returns the exit code.
class Program {
 private:
  ProgramContext context_;  // first made, last gone

 public:
  Program() { SetPlatform(&platform); }
  ~Program() {
    if (window_ && window_->IsCreated()) Quit();
    window_.reset();
    SetPlayerSessionFactory(nullptr);
    SetPlatform(nullptr);
  }
  bool Start() {
    SetPlayerSessionFactory(MakePlayerSession);
    window_ = std::make_unique<TestWindow>(GameWindow::Contents::kGame);
    if (!window_->Create("Main", 800, 600)) return false;
    window_->SetFrameInterval(1);
    window_->Show();
    return true;
  }
  // Ticks of 10 ms.
  void Ticks(int count = 1) {
    for (int i = 0; i < count; ++i)
      platform.AdvanceClock(10), window_->OnFrame(10);
  }
  void Click(int x, int y) {
    window_->OnMouseMove(x, y);
    window_->OnMouseDown(x, y);
    window_->OnMouseUp(x, y);
  }
  // A click on the middle of a control of screen.
  void ClickOn(const Screen& screen, const Clip* control) {
    ASSERT_NE(control, nullptr);
    Click(screen.GetX() + int(control->x) + control->GetWidth() / 2,
          screen.GetY() + int(control->y) + control->GetHeight() / 2);
  }
  void KeyUp(int key) { window_->OnKeyUp(key, 0); }
  // Serves an event as the loop does.
  void Deliver(const PlatformEvent& event) { window_->Dispatch(event); }
  void KeyDown(int key) { window_->OnKeyDown(key, 0); }
  // Ticks until the game waits for a shot (false after maxTicks).
  bool UntilReady(int maxTicks = 3000) {
    for (int i = 0; i < maxTicks; ++i, Ticks())
      if (CurrentSession() && CurrentSession()->State() == SessionState::kReady) return true;
    return false;
  }
  // Starts, enters the main screen and waits for the first shot: of the game the start made, or of a new
  // one at the level and mode given.
  bool StartIn(int level = -1, GameMode mode = GameMode::kStrategy) {
    if (!Start()) return false;
    if (level >= 0) GetOptions().level = level, GetOptions().mode = mode;
    Click(200, 200);  // the intro clicked away: the main screen is active after the tick
    Ticks();
    if (level >= 0) Main()->StartGame(true, false);
    return UntilReady();
  }
  int Quit() {
    platform.QueueEvent({PlatformEventType::kQuit});
    const int code = window_->Run();
    return ProgramExitCode() != 0 ? ProgramExitCode() : code;
  }
  std::vector<int> Board() const {
    std::vector<int> cells;
    for (int i = 0; i < kCellCount; ++i)
      cells.push_back(CurrentSession()->GetBoard()->Cell(i));
    return cells;
  }

  GameWindow& Window() { return *window_; }
  MainScreen* Main() const { return screens::mainScreen().get(); }
  Session* CurrentSession() const { return Main() ? Main()->GetSession() : nullptr; }

  HeadlessPlatform platform;

 private:
  std::unique_ptr<TestWindow> window_;
};

// A test with the program in its scratch folder and the effects it plays counted.
class ProgramTest : public ::testing::Test {
 protected:
  ScratchFolder folder;
  SoundLog sounds;
  Program program;
};

}  // namespace program_testing
