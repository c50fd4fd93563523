#include "engine/check_box.h"

OClipCheckBox::OClipCheckBox() {
  ShowLabel();
}

void OClipCheckBox::ShowLabel() {
  std::vector<OBitmap*>& shown = ShownPictures();
  if (shown.empty()) shown.push_back(nullptr);
  shown.resize(1);
  shown.push_back(&label_);
}

LoadResult OClipCheckBox::Load(const std::string& path) {
  LoadResult result = OClip::Load(path);
  ShowLabel();
  return result;
}

void OClipCheckBox::CopyFrom(const OClip& other) {
  OClip::CopyFrom(other);
  ShowLabel();
}

bool OClipCheckBox::OnHover(int x, int y, bool leftButtonDown) {
  const bool hit = HitTest(x, y);
  if (!hit || !HasSixLooks())
    ShowPlain();
  else if (!leftButtonDown)
    ShowSequence(checked_ ? 5 : 4);
  return hit;
}

bool OClipCheckBox::ShowPress(bool hit) {
  if (hit && HasSixLooks())
    ShowSequence(checked_ ? 3 : 2);
  else
    ShowPlain();
  return hit;
}

bool OClipCheckBox::OnPress(int x, int y) {
  return ShowPress(HitTest(x, y));
}

bool OClipCheckBox::OnRelease(int x, int y) {
  const bool hit = HitTest(x, y);
  if (hit) checked_ = !checked_;
  return ShowPress(hit);
}

bool OClipCheckBox::OnKey(int, int) {
  checked_ = !checked_;
  ShowPlain();
  return false;
}

void OClipCheckBox::Check() {
  checked_ = true;
  ShowPlain();
}

void OClipCheckBox::Uncheck() {
  checked_ = false;
  ShowPlain();
}
