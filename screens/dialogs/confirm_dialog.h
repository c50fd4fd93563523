// ConfirmDialog: the common layout of the yes/no confirmations: two lines of ball letters and a Yes and a
// No button. Each confirmation says what its answers do; Enter answers yes (unless it says otherwise),
// Escape no.
#pragma once

#include <string>

#include "engine/dialog_screen.h"
#include "screens/ball_text.h"

class Button;

class ConfirmDialog : public DialogScreen {
 public:
  static constexpr int kLine1Y = 70, kLine2Y = 140, kDropHeight = 165, kLineDepth = 11;
  static constexpr int kYesX = 65, kNoX = 205, kButtonY = 200;

  // The buttons; the lines are written at each Enter.
  ConfirmDialog(Window* window, int x, int y, int width, int height, std::string line1, std::string line2);

  // Writes the two lines, then enters.
  void Enter(Screen** activeSlot) override;
  // Takes the lines off, then leaves.
  void Leave() override;
  // Yes or No by the button's command code.
  void OnButtonCommand(Control* button) override;

  // The answers.
  virtual void Yes() = 0;
  virtual void No() = 0;

  const BallText& Line(int index) const { return index == 0 ? line1_ : line2_; }
  Button* YesButton() const { return yes_; }
  Button* NoButton() const { return no_; }

 private:
  std::string text1_, text2_;
  BallText line1_, line2_;
  Button* yes_ = nullptr;
  Button* no_ = nullptr;
};
