// OKillWindowButton: the screen every dialog and the main game screen derive from. It adds the dialog
// frame (from the catalogue's frame pieces), corner pieces that let the screen beneath show through the
// window's rounded corners, bursts of small balls over pressed command buttons, and delayed command
// buttons: a released button with a command code of 10 or more vanishes with a click and 500 ms later
// comes back and runs its command (OnButtonCommand).
#pragma once

#include <array>

#include "engine/screen.h"

class OKillWindowButton : public OEngine {
 public:
  // Command codes from this value on make a button a delayed command button.
  static constexpr int kCommandCodeMin = 10;
  // Time from the release of a command button to its command.
  static constexpr int kCommandDelayMs = 500;
  static constexpr int kCornerSize = 20;

  // As OEngine, plus the four (empty) corner pieces; framed.
  OKillWindowButton(OWindow* window, int x, int y, int width, int height);

  // -- overrides --
  // The command delay, the falling-ball count reset, then the screen's own frame.
  void OnFrame(int elapsed) override;
  // The press; over a command button, a burst of small balls of the button's colour.
  OClipControl* OnLButtonDown(int x, int y) override;
  // The release; a released command button, when no command waits, vanishes and its command waits.
  OClipControl* OnLButtonUp(int x, int y) override;
  // Takes the corners from the screen beneath, ends the small balls, lays the frame (when framed) and
  // enters.
  void Enter(OEngine** activeSlot) override;
  // The command of a delayed command button, 500 ms after its release. Every screen supplies it.
  virtual void OnButtonCommand(OClipControl* button) = 0;

  // The button whose command waits, or null.
  OClipControl* GetPendingButton() const { return pending_ ? pendingButton_ : nullptr; }
  // The corner pieces: top-left, bottom-right, bottom-left, top-right.
  OClip* GetCorner(int index) const { return index >= 0 && index < 4 ? corners_[size_t(index)] : nullptr; }

  bool framed = true;  // laid with the dialog frame at Enter

 private:
  // Copies the four corners of this screen's area out of the picture of the screen beneath.
  void TakeCorners(const OEngine& beneath);
  // Lays the eight frame pieces around the screen (replacing those of an earlier Enter).
  void LayFrame();

  bool pending_ = false;
  int32_t pendingTimer_ = 0;
  OClipControl* pendingButton_ = nullptr;
  std::array<OClip*, 4> corners_{};
  std::vector<OClip*> frame_;  // the frame pieces laid by the last Enter
};
