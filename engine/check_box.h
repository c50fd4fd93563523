// CheckBox: a control that toggles on release. Sequences 0 unchecked, 1 checked; with six or more
// also 2 pressed-unchecked, 3 pressed-checked, 4 hover-unchecked, 5 hover-checked. It never reports a
// click: its owner reads the checked state. Shown picture 1 is a label picture the owner draws.
#pragma once

#include <string>

#include "engine/control.h"

class CheckBox : public Control {
 public:
  CheckBox();

  // As the clip's, then the label picture is shown again.
  LoadResult Load(const std::string& path) override;
  void CopyFrom(const Clip& other) override;

  // Over it: with six looks and the button up, the hover look of its state (with the button down its
  // look stays); with fewer, the plain look; true. Elsewhere the plain look; false.
  bool OnHover(int x, int y, bool leftButtonDown) override;
  // On it: the pressed look (six looks) or the plain look; true. Elsewhere the plain look; false.
  bool OnPress(int x, int y) override;
  // On it: toggles and shows the pressed look of the new state (six looks) or its plain look; true.
  // Elsewhere the plain look; false.
  bool OnRelease(int x, int y) override;
  // Any key toggles the box; false.
  bool OnKey(int key, int modifiers) override;

  // Sets the state and shows its plain look.
  void Check();
  void Uncheck();
  bool IsChecked() const { return checked_; }
  // The picture drawn over the box (shown picture 1), empty until the owner draws it.
  Bitmap& Label() { return label_; }

 private:
  bool HasSixLooks() const { return GetSequenceCount() >= 6; }
  // Sequence 0 or 1 by the state.
  void ShowPlain() { ShowSequence(checked_ ? 1 : 0); }
  // The pressed look of the state on a hit (six looks), else the plain look; returns hit.
  bool ShowPress(bool hit);
  void ShowLabel();

  bool checked_ = false;
  Bitmap label_;
};
