// AProgressBar: a row of check-box cells used as a step selector (the game speed in the options dialog).
// Choosing cell i checks cells 0..i. The cells are controls of the screen it was made on.
#pragma once

#include <memory>
#include <vector>

class OClip;
class OClipCheckBox;
class OClipControl;
class OEngine;

class AProgressBar {
 public:
  static constexpr int kCellSpacing = 30;

  // count unchecked cells at (x + 30 i, y) on screen, after the label (may be null) as a picture;
  // value 0.
  AProgressBar(OEngine& screen, int count, int x, int y, std::unique_ptr<OClip> label = nullptr);
  AProgressBar(const AProgressBar&) = delete;
  AProgressBar& operator=(const AProgressBar&) = delete;

  // Takes the cells (last first) and the label off the screen.
  ~AProgressBar();

  // True, with the value set to i, when control is cell i.
  bool OnControl(OClipControl* control);

  // Checks cells 0..v and unchecks the rest; v above the number of cells is ignored.
  void SetValue(int v);
  int GetValue() const { return value_; }
  const std::vector<OClipCheckBox*>& Cells() const { return cells_; }

 private:
  OEngine& screen_;
  std::vector<OClipCheckBox*> cells_;  // owned by the screen
  int x_, y_;
  int nextX_ = 0;
  OClip* label_ = nullptr;
  int value_ = 0;
};
