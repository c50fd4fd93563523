#include "engine/button.h"

bool Button::OnHover(int x, int y, bool leftButtonDown) {
  if (visible && HitTest(x, y)) {
    ShowSequence(pressed && leftButtonDown ? kPressed : kHover);
    return true;
  }
  SetFocus(false);
  return false;
}

bool Button::OnPress(int x, int y) {
  if (visible && HitTest(x, y)) {
    if (GetSequenceCount() >= 2) ShowSequence(kPressed);
    pressed = true;
    return true;
  }
  SetFrame(0, -1);
  return false;
}

bool Button::OnRelease(int x, int y) {
  return OnHover(x, y, false);
}

void Button::SetFocus(bool on) {
  if (!on) {
    ShowSequence(kNormal);
    hover = false;
  } else if (!focused) {
    ShowSequence(kHover);
    hover = true;
  }
}
