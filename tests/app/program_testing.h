// Helpers of the program tests: the whole game on the headless platform, started in a scratch folder
// that sees the build's data files, with a sound player that remembers what it played.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "engine/active_screen.h"
#include "engine/platform_headless.h"
#include "engine/sound.h"
#include "game/game.h"
#include "screens/ball.h"
#include "screens/intro.h"
#include "screens/main_screen.h"
#include "screens/program_exit.h"
#include "screens/screen_slots.h"
#include "screens/small_balls.h"
#include "store/options.h"
#include "tests/support/sound_log.h"

namespace program_testing {

namespace fs = std::filesystem;

// A scratch folder made the current directory for the test's length. By default clp/ and wav/ are
// links to the build's data; Mirror copies the tree as links file by file, so that single files can be
// left out.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "globbet-program-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    old_ = fs::current_path();
    fs::current_path(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::current_path(old_, ignored);
    fs::remove_all(path_, ignored);
  }
  // Links clp/ and wav/ to the data folder.
  void LinkData() {
    for (const char* sub : {"clp", "wav"})
      fs::create_directory_symlink(fs::path(GLOBBET_DATA_DIR) / sub, fs::path(path_) / sub);
  }
  // Links every data file except those named (relative, e.g. "clp/buttons/26.clp").
  void MirrorDataExcept(const std::vector<std::string>& left) {
    const fs::path data(GLOBBET_DATA_DIR);
    for (const char* sub : {"clp", "wav"})
      for (const auto& entry : fs::recursive_directory_iterator(data / sub)) {
        const fs::path relative = fs::relative(entry.path(), data);
        const fs::path target = fs::path(path_) / relative;
        if (entry.is_directory()) {
          fs::create_directories(target);
        } else if (std::find(left.begin(), left.end(), relative.generic_string()) == left.end()) {
          fs::create_directories(target.parent_path());
          fs::create_symlink(entry.path(), target);
        }
      }
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  fs::path old_;
};

using ::SoundLog;  // counts the effects started

// The game as RunGame makes it, driven tick by tick. Start creates the window (start-up); Quit ends the
// loop the way the platform's close does (teardown) and returns the exit code.
class Program {
 public:
  Program() { SetPlatform(&platform); }
  ~Program() {
    if (window_ && window_->IsCreated()) Quit();
    window_.reset();
    SetPlatform(nullptr);
  }
  bool Start() {
    ResetProgramState();
    window_ = std::make_unique<OMainWindow>(OMainWindow::Contents::kGame);
    window_->SetBackgroundColor(OMainWindow::kBackground);
    window_->SetNoCaption(true);
    window_->SetNoSizingFrame(true);
    if (!window_->Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal)) return false;
    window_->SetFrameInterval(1);
    window_->Show();
    return true;
  }
  // One window tick of ms.
  void Tick(int ms = 10) {
    platform.AdvanceClock(uint32_t(ms));
    window_->OnFrame(ms);
  }
  void Ticks(int count, int ms = 10) {
    for (int i = 0; i < count; ++i)
      Tick(ms);
  }
  void Click(int x, int y) {
    window_->OnMouseMove(x, y);
    window_->OnLButtonDown(x, y);
    window_->OnLButtonUp(x, y);
  }
  // Clicks the intro away and ticks once: the main screen is active.
  void SkipIntro() {
    Click(200, 200);
    Tick();
  }
  // Ticks until the game waits for a shot (false after maxTicks).
  bool UntilReady(int maxTicks = 3000) {
    for (int i = 0; i < maxTicks; ++i) {
      if (Session() && Session()->State() == GameState::kReady) return true;
      Tick();
    }
    return false;
  }
  int Quit() {
    platform.QueueEvent({PlatformEventType::kQuit});
    const int code = window_->Run();
    return ProgramExitCode() != 0 ? ProgramExitCode() : code;
  }

  OMainWindow& Window() { return *window_; }
  AMainWindow* Main() const { return screens::mainScreen.get(); }
  Game* Session() const { return Main() ? Main()->GetGame() : nullptr; }

  HeadlessPlatform platform;

 private:
  std::unique_ptr<OMainWindow> window_;
};

}  // namespace program_testing
