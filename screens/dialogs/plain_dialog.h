// APlainDialog: the common ground of the dialog screens while they have no controls of their own: a
// framed screen over the main screen that a click anywhere or Escape dismisses and Enter accepts. Each
// dialog says what accepting and dismissing mean for it.
#pragma once

#include "engine/kill_window_button.h"

class APlainDialog : public OKillWindowButton {
 public:
  using OKillWindowButton::OKillWindowButton;

  // Enter accepts, Escape dismisses.
  void OnKeyUp(int key, int modifiers) override;
  // A release anywhere dismisses (after the base release, so a button's own command still waits).
  OClipControl* OnLButtonUp(int x, int y) override;
  // No buttons yet: nothing.
  void OnButtonCommand(OClipControl* button) override;

  // What Enter does; by default the same as dismissing.
  virtual void Accept() { Dismiss(); }
  // What a click or Escape does; by default the dialog leaves.
  virtual void Dismiss() { Leave(0); }
};
