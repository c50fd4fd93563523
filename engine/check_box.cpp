#include "engine/check_box.h"

CheckBox::CheckBox() {
  ShowLabel();
}

void CheckBox::ShowLabel() {
  std::vector<Bitmap*>& shown = ShownPictures();
  if (shown.empty()) shown.push_back(nullptr);
  shown.resize(1);
  shown.push_back(&label_);
}

LoadResult CheckBox::Load(const std::string& path) {
  LoadResult result = Clip::Load(path);
  ShowLabel();
  return result;
}

void CheckBox::CopyFrom(const Clip& other) {
  Clip::CopyFrom(other);
  ShowLabel();
}

bool CheckBox::OnHover(int x, int y, bool leftButtonDown) {
  const bool hit = HitTest(x, y);
  if (!hit || !HasSixLooks())
    ShowPlain();
  else if (!leftButtonDown)
    ShowSequence(checked_ ? 5 : 4);
  return hit;
}

bool CheckBox::ShowPress(bool hit) {
  if (hit && HasSixLooks())
    ShowSequence(checked_ ? 3 : 2);
  else
    ShowPlain();
  return hit;
}

bool CheckBox::OnPress(int x, int y) {
  return ShowPress(HitTest(x, y));
}

bool CheckBox::OnRelease(int x, int y) {
  const bool hit = HitTest(x, y);
  if (hit) checked_ = !checked_;
  return ShowPress(hit);
}

bool CheckBox::OnKey(int, int) {
  checked_ = !checked_;
  ShowPlain();
  return false;
}

void CheckBox::Check() {
  checked_ = true;
  ShowPlain();
}

void CheckBox::Uncheck() {
  checked_ = false;
  ShowPlain();
}
