// StepSelector: a row of check-box cells used as a step selector (the game speed in the options dialog).
// Choosing cell i checks cells 0..i. The cells are controls of the screen it was made on.
#pragma once

#include <memory>
#include <vector>

class Clip;
class CheckBox;
class Control;
class Screen;

class StepSelector {
 public:
  static constexpr int kCellSpacing = 30;

  // count unchecked cells at (x + 30 i, y) on screen, after the label (may be null) as a picture;
  // value 0.
  StepSelector(Screen& screen, int count, int x, int y, std::unique_ptr<Clip> label = nullptr);
  StepSelector(const StepSelector&) = delete;
  StepSelector& operator=(const StepSelector&) = delete;

  // Takes the cells (last first) and the label off the screen.
  ~StepSelector();

  // True, with the value set to i, when control is cell i.
  bool OnControl(Control* control);

  // Checks cells 0..v and unchecks the rest; v above the number of cells is ignored.
  void SetValue(int v);
  int GetValue() const { return value_; }
  const std::vector<CheckBox*>& Cells() const { return cells_; }

 private:
  Screen& screen_;
  std::vector<CheckBox*> cells_;  // owned by the screen
  int x_, y_;
  int nextX_ = 0;
  Clip* label_ = nullptr;
  int value_ = 0;
};
