// MainScreen: the mouse and keyboard rules and the tick.
#include "engine/button.h"
#include "engine/platform.h"
#include "screens/main_screen.h"
#include "store/options.h"

// ---- mouse -----------------------------------------------------------------------------------------------
void MainScreen::OnRightMouseUp(int, int) {
  if (Arcade() && !demoRunning_ && game_) game_->SetPaused(!IsPaused());
}

Control* MainScreen::OnMouseDown(int x, int y) {
  Control* under = OnMouseMove(x, y);
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
  return DialogScreen::OnMouseDown(x, y);
}

Control* MainScreen::OnMouseUp(int x, int y) {
  if (swallowRelease_) {
    swallowRelease_ = false;
    return nullptr;
  }
  Control* control = DialogScreen::OnMouseUp(x, y);
  if (control) return control;
  if (demoRunning_) {
    ReturnFromDemo();
    if (InBoard(x, y)) return nullptr;
  }
  if (IsPaused()) {
    game_->SetPaused(false);
    if (InBoard(x, y)) return nullptr;
  }
  if (game_) game_->Fire(x - GetX(), y - GetY());
  return nullptr;
}

void MainScreen::OnControlClicked(Control* control) {
  if (control && control == buttons_[kWebLink]) RunCommand(kWebLink);
}

// ---- keyboard
// ----------------------------------------------------------------------------------------------
void MainScreen::OnKeyDown(int key, int) {
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
void MainScreen::OnFrame(int elapsed) {
  const Window* window = GetWindow();
  if (window && !window->HasFocus() && (Arcade() || demoRunning_) && game_ && !IsPaused())
    game_->SetPaused(true);
  if (demoRunning_ && blink_.Advance(elapsed)) {
    if (Clip* label = replayRunning_ ? replayLabel_ : demoLabel_) label->SetTransparency(blink_.Value());
  }
  if (!IsPaused()) DialogScreen::OnFrame(elapsed);
  if (game_) game_->Tick(elapsed);
  // A replay too short for its first board stops by itself: back to the player's game, as a key would.
  if (demoRunning_ && game_ && game_->PlayerStopped()) ReturnFromDemo();
  redrawMode = RedrawMode::kDirty;
}
