// AMainWindow: the mouse and keyboard rules and the tick.
#include "engine/button.h"
#include "engine/platform.h"
#include "screens/main_screen.h"
#include "store/options.h"

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
    ReturnFromDemo();
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
    ReturnFromDemo();
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
  if (demoRunning_ && blink_.Advance(elapsed)) {
    if (OClip* label = replayRunning_ ? replayLabel_ : demoLabel_) label->SetTransparency(blink_.Value());
  }
  if (!IsPaused()) OKillWindowButton::OnFrame(elapsed);
  if (game_) game_->Tick(elapsed);
  // A replay too short for its first board stops by itself: back to the player's game, as a key would.
  if (demoRunning_ && game_ && game_->PlayerStopped()) ReturnFromDemo();
  redrawMode = RedrawMode::kDirty;
}
