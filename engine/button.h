// Button: a control with three looks, sequence 0 normal, 1 pressed, 2 hover. Its click reaches the
// screen as OnControlClicked when a release hits it after a press on it; its command code tells the
// screen which command it stands for.
#pragma once

#include "engine/control.h"

class Button : public Control {
 public:
  static constexpr int kNormal = 0, kPressed = 1, kHover = 2;

  Button() = default;

  // Over the (visible) button: the pressed look while it is held down on it, else the hover look; true.
  // Elsewhere: loses the focus look; false.
  bool OnHover(int x, int y, bool leftButtonDown) override;
  // On the button: the pressed look (a button of fewer than two sequences keeps its look) and pressed;
  // true. Elsewhere: frame 0 of the current sequence; false.
  bool OnPress(int x, int y) override;
  // As OnHover with the button up.
  bool OnRelease(int x, int y) override;
  // Off: the normal look, no hover; on: the hover look.
  void SetFocus(bool on) override;

  bool hover = false;
};
