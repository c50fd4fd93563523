// DialogScreen: the screen every dialog and the main game screen derive from. It adds the dialog
// frame (from the catalogue's frame pieces), corner pieces that let the screen beneath show through the
// window's rounded corners, bursts of small balls over pressed command buttons, and delayed command
// buttons: a released button with a command code of 10 or more vanishes with a click and 500 ms later
// comes back and runs its command (OnButtonCommand).
#pragma once

#include <array>

#include "engine/screen.h"

class DialogScreen : public Screen {
 public:
  // Command codes from this value on make a button a delayed command button.
  static constexpr int kCommandCodeMin = 10;
  // Time from the release of a command button to its command.
  static constexpr int kCommandDelayMs = 500;
  static constexpr int kCornerSize = 20;

  // As Screen, plus the four (empty) corner pieces; framed.
  DialogScreen(Window* window, int x, int y, int width, int height);

  // -- overrides --
  // The command delay, the falling-ball count reset, then the screen's own frame.
  void OnFrame(int elapsed) override;
  // The press; over a command button, a burst of small balls of the button's colour.
  Control* OnMouseDown(int x, int y) override;
  // The release; a released command button, when no command waits, vanishes and its command waits.
  Control* OnMouseUp(int x, int y) override;
  // Takes the corners from the screen beneath, ends the small balls, lays the frame (when framed) and
  // enters.
  void Enter(Screen** activeSlot) override;
  // The command of a delayed command button, 500 ms after its release. Every screen supplies it.
  virtual void OnButtonCommand(Control* button) = 0;

  // The button whose command waits, or null.
  Control* GetPendingButton() const { return pending_ ? pendingButton_ : nullptr; }

  bool framed = true;  // laid with the dialog frame at Enter

 private:
  // Copies the four corners of this screen's area out of the picture of the screen beneath.
  void TakeCorners(const Screen& beneath);
  // Lays the eight frame pieces around the screen (replacing those of an earlier Enter).
  void LayFrame();

  bool pending_ = false;
  int32_t pendingTimer_ = 0;
  Control* pendingButton_ = nullptr;
  std::array<Clip*, 4> corners_{};
  std::vector<Clip*> frame_;  // the frame pieces laid by the last Enter
};
