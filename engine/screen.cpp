// Screen: construction, the clip and control lists, input dispatch and entering and leaving.
// Motion lives in screen_frame.cpp, drawing in screen_draw.cpp.
//
// Sections: construction · clips · pointer input · keyboard · entering and leaving
#include "engine/screen.h"

#include <algorithm>

// ---- construction ------------------------------------------------------------------------------------

Screen::Screen(Window* window, int x, int y, int width, int height)
    : window_(window), x_(x), y_(y), width_(width), height_(height) {}

Screen::~Screen() {
  // A screen that goes must not stay named as the active one.
  if (activeSlot_ && *activeSlot_ == this) *activeSlot_ = nullptr;
  picture_.reset();
  controls_.clear();
  clips_.clear();
  dirty_.clear();
}

void Screen::SetRect(int x, int y, int width, int height) {
  x_ = x, y_ = y, width_ = width, height_ = height;
}

void Screen::PointerPosition(int& x, int& y) const {
  x = y = 0;
  if (window_) window_->GetCursorClientPos(x, y);
}

// ---- clips -------------------------------------------------------------------------------------------

Clip* Screen::AddClip(std::unique_ptr<Clip> clip) {
  if (!clip || (clip->GetFrameCount() == 0 && clip->GetSequenceCount() == 0)) return nullptr;
  clips_.push_back(std::move(clip));
  ++clipsVersion_;
  return clips_.back().get();
}

Control* Screen::AddControl(std::unique_ptr<Control> control) {
  Control* raw = control.get();
  if (!AddClip(std::move(control))) return nullptr;
  controls_.push_back(raw);
  return raw;
}

void Screen::SortByDepth() {
  std::sort(clips_.begin(), clips_.end(), [](const auto& a, const auto& b) { return a->depth > b->depth; });
  ++clipsVersion_;
}

bool Screen::HasClip(const Clip* clip) const {
  return std::any_of(clips_.begin(), clips_.end(), [clip](const auto& c) { return c.get() == clip; });
}

void Screen::RemoveClip(Clip* clip) {
  auto it = std::find_if(clips_.begin(), clips_.end(), [clip](const auto& c) { return c.get() == clip; });
  if (it == clips_.end()) return;
  AddDirty(RecordRect(clip->drawRecord, clip->smooth));
  // A control that goes must not stay reachable through the controls.
  controls_.erase(std::remove(controls_.begin(), controls_.end(), clip), controls_.end());
  // Taken out of the vector before it is destroyed, so that a destructor that looks at the screen
  // finds a consistent list.
  std::unique_ptr<Clip> owned = std::move(*it);
  clips_.erase(it);
  ++clipsVersion_;
}

void Screen::RemoveControl(Control* control) {
  RemoveClip(control);
}

void Screen::SetClipVisible(Clip* clip, bool visible) {
  if (clip) clip->visible = visible;
}

// ---- pointer input -----------------------------------------------------------------------------------

Control* Screen::OnMouseMove(int x, int y) {
  Control* last = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    Control* control = controls_[i];
    if (control->TakesInput() && control->OnHover(x - x_, y - y_, leftButtonDown_)) last = control;
  }
  return last;
}

void Screen::OnRightMouseUp(int, int) {}

Control* Screen::OnMouseDown(int x, int y) {
  leftButtonDown_ = true;
  Control* last = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    Control* control = controls_[i];
    if (control->TakesInput() && control->OnPress(x - x_, y - y_)) last = control;
  }
  return last;
}

Control* Screen::OnMouseUp(int x, int y) {
  leftButtonDown_ = false;
  Control* last = nullptr;
  Control* clicked = nullptr;
  for (size_t i = 0; i < controls_.size() && !clicked; ++i) {
    Control* control = controls_[i];
    if (!control->TakesInput()) continue;
    if (control->OnRelease(x - x_, y - y_)) {
      last = control;
      if (control->pressed) clicked = control;
    }
  }
  // A press belongs to one release: no flag may survive it, or a later release over a control that was
  // never pressed would count as its click.
  for (Control* control : controls_)
    control->pressed = false;
  if (clicked) {
    OnControlClicked(clicked);
    return clicked;
  }
  return last;
}

void Screen::OnControlClicked(Control*) {}

// ---- keyboard ----------------------------------------------------------------------------------------

void Screen::OnKeyDown(int key, int modifiers) {
  if (key == vk::kTab) {
    // The focused controls are taken first, so that focus handed on is not handed on again.
    std::vector<size_t> focused;
    for (size_t i = 0; i < controls_.size(); ++i)
      if (controls_[i]->focused) focused.push_back(i);
    for (size_t i : focused) {
      if (i >= controls_.size()) continue;
      controls_[i]->SetFocus(false);
      controls_[(i + 1) % controls_.size()]->SetFocus(true);
    }
    return;
  }
  const bool paste = (modifiers & kModCtrl) && (key == 'V' || key == vk::kNumpad0 || key == vk::kInsert);
  if (paste) {
    constexpr int kPasteMax = 100;
    char text[kPasteMax + 1] = {};
    if (!window_ || !window_->PasteText(text, kPasteMax)) return;
    for (const char* c = text; *c; ++c)
      for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i]->focused) controls_[i]->OnCharacter(static_cast<signed char>(*c), modifiers);
    return;
  }
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->focused) controls_[i]->OnKey(key, modifiers);
}

void Screen::OnKeyUp(int, int) {}

void Screen::OnCharacter(int ch, int modifiers) {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->focused) controls_[i]->OnCharacter(ch, modifiers);
}

void Screen::OnClipExpired(Clip*) {}
void Screen::OnClipPathPoint(Clip*, const PointSpeed&) {}
void Screen::OnClipPathEnd(Clip*, const PointSpeed&) {}

// ---- entering and leaving ----------------------------------------------------------------------------

void Screen::Enter(Screen** activeSlot) {
  picture_ = std::make_unique<Bitmap>();
  if (!picture_->Create(std::max(width_, 1), std::max(height_, 1), static_cast<int32_t>(backgroundColor)))
    picture_.reset();
  if (activeSlot) {
    activeSlot_ = activeSlot;
    // Entering the screen that is already active keeps what lies beneath it: a screen is never its own
    // screen beneath.
    if (*activeSlot != this) beneath_ = *activeSlot;
    *activeSlot = this;
    if (beneath_) beneath_->skipRedraw = true;
  }
  SortByDepth();
  Redraw();
  int px, py;
  PointerPosition(px, py);
  OnMouseMove(px, py);
}

void Screen::Leave() {
  picture_.reset();
  if (beneath_ && activeSlot_) {
    Screen* beneath = beneath_;
    *activeSlot_ = beneath;
    beneath_ = nullptr;
    activeSlot_ = nullptr;
    skipRedraw = true;
    beneath->Redraw();
    int px, py;
    PointerPosition(px, py);
    beneath->OnMouseMove(px, py);
  }
}
