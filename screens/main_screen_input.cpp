// MainScreen: the mouse, keyboard and game controller rules and the tick.
#include "engine/button.h"
#include "engine/platform.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "store/options.h"

// ---- mouse -----------------------------------------------------------------------------------------------
void MainScreen::OnRightMouseUp(int, int) {
  if (Arcade() && !demoRunning_ && game_) game_->SetPaused(!IsPaused());
}

Control* MainScreen::OnMouseDown(int x, int y) {
  if (Watching()) return nullptr;  // the release ends the watch; no button is pressed
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
  if (Watching()) {
    ReturnFromDemo();
    return nullptr;
  }
  Control* control = DialogScreen::OnMouseUp(x, y);
  if (control) return control;
  ShootAt(x, y);
  return nullptr;
}

void MainScreen::ShootAt(int x, int y) {
  if (demoRunning_) {
    ReturnFromDemo();
    if (InBoard(x, y)) return;
  }
  if (IsPaused()) {
    game_->SetPaused(false);
    if (InBoard(x, y)) return;
  }
  if (game_) game_->Fire(x - GetX(), y - GetY());
}

Control* MainScreen::OnMouseMove(int x, int y) {
  // Only a real move counts: the screens also offer the pointer where it stands, to update hover looks.
  if (x != pointerX_ || y != pointerY_) aim_.Stop();
  pointerX_ = x, pointerY_ = y;
  return DialogScreen::OnMouseMove(x, y);
}

void MainScreen::OnControlClicked(Control* control) {
  if (control && control == buttons_[kWebLink]) RunCommand(kWebLink);
}

// ---- keyboard
// ----------------------------------------------------------------------------------------------
void MainScreen::OnKeyDown(int key, int modifiers) {
  if (Arcade() && !demoRunning_) {
    if (key == vk::kSpace || key == vk::kPause || key == vk::kEscape || key == vk::kPadStart) {
      if (game_) game_->SetPaused(!IsPaused());
    } else {
      AimKeyDown(key, modifiers);
    }
    return;
  }
  if (demoRunning_) {
    // The key's release reaches the top ten a watched recording goes back to: it must not act there.
    if (TopTenDialog* topTen = screens::topTen().get(); topTen && Watching())
      topTen->IgnoreKeyUp(topTen->KeyOfPadButton(key));
    ReturnFromDemo();
    return;
  }
  if (game_) game_->SetPaused(false);
  if (key == vk::kF3 || key == vk::kReturn) {
    RunCommand(kMinimize);
  } else if (key == vk::kF4) {
    RunCommand(kFullScreen);
  } else {
    AimKeyDown(key, modifiers);
  }
}

void MainScreen::OnKeyUp(int key, int modifiers) {
  if (key == vk::kLeft || key == vk::kPadLeft) aim_.Release(-1);
  if (key == vk::kRight || key == vk::kPadRight) aim_.Release(1);
  DialogScreen::OnKeyUp(key, modifiers);
}

// ---- aiming with the keys and the game controller ---------------------------------------------------
void MainScreen::AimKeyDown(int key, int modifiers) {
  const int turn = (key == vk::kLeft || key == vk::kPadLeft)     ? -1
                   : (key == vk::kRight || key == vk::kPadRight) ? 1
                                                                 : 0;
  // A paused arcade game is not aimed at: its clock stands still.
  if (turn != 0 && !IsPaused()) aim_.Press(turn, (modifiers & kModShift) != 0);
  if (key == vk::kUp || key == vk::kPadA) {
    // The shot is a click at the aim's point, so recordings and replays cannot tell the two apart.
    aim_.Start();
    int x, y;
    aim_.AimPoint(x, y);
    ShootAt(GetX() + x, GetY() + y);
  }
}

void MainScreen::AdvanceAim(int elapsed) {
  if (!IsPaused() && !demoRunning_) {
    const Window* window = GetWindow();
    aim_.Advance(elapsed, aim_.Aiming() && window && (window->GetModifiers() & kModShift));
  }
  bool show = aim_.Aiming() && !demoRunning_ && game_;
  if (show) {
    int x, y;
    aim_.AimPoint(x, y);
    show = game_->CanFire(x, y);
  }
  aim_.ShowGuide(show);
}

void MainScreen::OnPadStick(int x, int) {
  aim_.SetStick(x);
}

void MainScreen::OnPadRemoved() {
  aim_.SetStick(0);
  aim_.Stop();
  if (Arcade() && !demoRunning_ && game_) game_->SetPaused(true);
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
  AdvanceAim(elapsed);
  if (!IsPaused()) DialogScreen::OnFrame(elapsed);
  if (game_) game_->Tick(elapsed);
  // A replay too short for its first board stops by itself: back to the player's game, as a key would.
  // A watched record stops at its end and holds its final board a moment, so that the ending is seen.
  if (demoRunning_ && game_ && game_->PlayerStopped()) {
    if (Watching()) watchEndMs_ += elapsed;
    if (!Watching() || watchEndMs_ >= kWatchEndHoldMs) ReturnFromDemo();
  }
  redrawMode = RedrawMode::kDirty;
}
