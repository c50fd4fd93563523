// AWndConfirm: the common layout of the yes/no confirmations: two lines of ball letters and a Yes and a
// No button. Each confirmation says what its answers do.
#pragma once

#include <string>

#include "engine/kill_window_button.h"
#include "screens/ball_string.h"

class OClipButton;

class AWndConfirm : public OKillWindowButton {
 public:
  static constexpr int kLine1Y = 70, kLine2Y = 140, kDropHeight = 165, kLineDepth = 11;
  static constexpr int kYesX = 65, kNoX = 205, kButtonY = 200;

  // The buttons; the lines are written at each Enter.
  AWndConfirm(OWindow* window, int x, int y, int width, int height, std::string line1, std::string line2);

  // Writes the two lines, then enters.
  void Enter(OEngine** activeSlot) override;
  // Takes the lines off, then leaves.
  void Leave() override;
  // Yes or No by the button's command code.
  void OnButtonCommand(OClipControl* button) override;

  // The answers.
  virtual void Yes() = 0;
  virtual void No() = 0;

  const AStringB& Line(int index) const { return index == 0 ? line1_ : line2_; }
  OClipButton* YesButton() const { return yes_; }
  OClipButton* NoButton() const { return no_; }

 private:
  std::string text1_, text2_;
  AStringB line1_, line2_;
  OClipButton* yes_ = nullptr;
  OClipButton* no_ = nullptr;
};
