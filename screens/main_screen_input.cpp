// AMainWindow: the mouse and keyboard rules and the tick.
#include "engine/button.h"
#include "engine/platform.h"
#include "screens/main_screen.h"
#include "store/options.h"

namespace main_screen {
extern int blinkTimer;
}  // namespace main_screen

// ---- mouse -----------------------------------------------------------------------------------------------
void AMainWindow::OnRButtonUp(int, int) {
  if (Arcade() && !demoRunning_ && game_) game_->SetPaused(!IsPaused());
}

OClipControl* AMainWindow::OnLButtonDown(int x, int y) {
  OClipControl* under = OnMouseMove(x, y);
  if (under && under == buttons_[kMinimize]) {
    RunCommand(kMinimize);
    return under;
  }
  if (IsPaused()) {
    // The press only resumes; its release must not shoot.
    game_->SetPaused(false);
    swallowRelease_ = true;
    return nullptr;
  }
  return OKillWindowButton::OnLButtonDown(x, y);
}

OClipControl* AMainWindow::OnLButtonUp(int x, int y) {
  if (swallowRelease_) {
    swallowRelease_ = false;
    return nullptr;
  }
  OClipControl* control = OKillWindowButton::OnLButtonUp(x, y);
  if (control) return control;
  if (demoRunning_) {
    StopDemo();
    StartGame(false, true);
    if (InField(x, y)) return nullptr;
  }
  if (IsPaused()) {
    game_->SetPaused(false);
    if (InField(x, y)) return nullptr;
  }
  if (game_) game_->Fire(x - GetX(), y - GetY());
  return nullptr;
}

void AMainWindow::OnControlClicked(OClipControl* control) {
  if (control && control == buttons_[kWebLink]) RunCommand(kWebLink);
}

// ---- keyboard
// ----------------------------------------------------------------------------------------------
void AMainWindow::OnKeyDown(int key, int) {
  if (Arcade() && !demoRunning_) {
    if ((key == vk::kSpace || key == vk::kPause || key == vk::kEscape) && game_)
      game_->SetPaused(!IsPaused());
    return;
  }
  if (demoRunning_) {
    StopDemo();
    StartGame(false, true);
    return;
  }
  if (game_) game_->SetPaused(false);
  if (key == vk::kF3 || key == vk::kReturn) {
    RunCommand(kMinimize);
  } else if (key == vk::kF4) {
    RunCommand(kFullScreen);
  }
}

// ---- the tick
// ----------------------------------------------------------------------------------------------
void AMainWindow::OnFrame(int elapsed) {
  const OWindow* window = GetWindow();
  if (window && !window->HasFocus() && (Arcade() || demoRunning_) && game_ && !IsPaused())
    game_->SetPaused(true);
  if (demoRunning_) {
    main_screen::blinkTimer += elapsed;
    if (main_screen::blinkTimer > kBlinkStepMs) {
      main_screen::blinkTimer = 0;
      blinkAlpha_ += 10 * blinkStep_;
      if (blinkAlpha_ >= 256) {
        blinkAlpha_ = 255;
        blinkStep_ = -1;
      } else if (blinkAlpha_ < 0) {
        blinkAlpha_ = 0;
        blinkStep_ = 1;
      }
      if (OClip* label = replayRunning_ ? replayLabel_ : demoLabel_) label->SetTransparency(blinkAlpha_);
    }
  }
  if (!IsPaused()) OKillWindowButton::OnFrame(elapsed);
  if (game_) game_->Tick(elapsed);
  // A replay too short for its first board stops by itself: back to the player's game, as a key would.
  if (demoRunning_ && game_ && game_->PlayerStopped()) {
    StopDemo();
    StartGame(false, true);
  }
  redrawMode = RedrawMode::kDirty;
}
