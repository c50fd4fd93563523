// OEngine: construction, the clip and control lists, input dispatch and entering and leaving.
// Motion lives in screen_frame.cpp, drawing in screen_draw.cpp.
//
// Sections: construction · clips · pointer input · keyboard · entering and leaving
#include "engine/screen.h"

#include <algorithm>

// ---- construction ------------------------------------------------------------------------------------

OEngine::OEngine(OWindow* window, int x, int y, int width, int height)
    : window_(window), x_(x), y_(y), width_(width), height_(height) {}

OEngine::~OEngine() {
  // A screen that goes must not stay named as the active one.
  if (activeSlot_ && *activeSlot_ == this) *activeSlot_ = nullptr;
  picture_.reset();
  controls_.clear();
  clips_.clear();
  dirty_.clear();
}

void OEngine::SetRect(int x, int y, int width, int height) {
  x_ = x, y_ = y, width_ = width, height_ = height;
}

void OEngine::PointerPosition(int& x, int& y) const {
  x = y = 0;
  if (window_) window_->GetCursorClientPos(x, y);
}

// ---- clips -------------------------------------------------------------------------------------------

OClip* OEngine::AddClip(std::unique_ptr<OClip> clip) {
  if (!clip || (clip->GetFrameCount() == 0 && clip->GetSequenceCount() == 0)) return nullptr;
  clips_.push_back(std::move(clip));
  ++clipsVersion_;
  return clips_.back().get();
}

OClipControl* OEngine::AddControl(std::unique_ptr<OClipControl> control) {
  OClipControl* raw = control.get();
  if (!AddClip(std::move(control))) return nullptr;
  controls_.push_back(raw);
  return raw;
}

void OEngine::SortByDepth() {
  std::sort(clips_.begin(), clips_.end(), [](const auto& a, const auto& b) { return a->depth > b->depth; });
  ++clipsVersion_;
}

bool OEngine::HasClip(const OClip* clip) const {
  return std::any_of(clips_.begin(), clips_.end(), [clip](const auto& c) { return c.get() == clip; });
}

void OEngine::RemoveClip(OClip* clip) {
  auto it = std::find_if(clips_.begin(), clips_.end(), [clip](const auto& c) { return c.get() == clip; });
  if (it == clips_.end()) return;
  AddDirty(RecordRect(clip->drawRecord, clip->smooth));
  // A control that goes must not stay reachable through the controls.
  controls_.erase(std::remove(controls_.begin(), controls_.end(), clip), controls_.end());
  // Taken out of the vector before it is destroyed, so that a destructor that looks at the screen
  // finds a consistent list.
  std::unique_ptr<OClip> owned = std::move(*it);
  clips_.erase(it);
  ++clipsVersion_;
}

void OEngine::RemoveControl(OClipControl* control) {
  RemoveClip(control);
}

void OEngine::SetClipVisible(OClip* clip, bool visible) {
  if (clip) clip->visible = visible;
}

// ---- pointer input -----------------------------------------------------------------------------------

OClipControl* OEngine::OnMouseMove(int x, int y) {
  OClipControl* last = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    OClipControl* control = controls_[i];
    if (control->visible && control->OnHover(x - x_, y - y_, leftButtonDown_)) last = control;
  }
  return last;
}

void OEngine::OnRButtonUp(int, int) {}

OClipControl* OEngine::OnLButtonDown(int x, int y) {
  leftButtonDown_ = true;
  OClipControl* last = nullptr;
  for (size_t i = 0; i < controls_.size(); ++i) {
    OClipControl* control = controls_[i];
    if (control->visible && control->OnPress(x - x_, y - y_)) last = control;
  }
  return last;
}

OClipControl* OEngine::OnLButtonUp(int x, int y) {
  leftButtonDown_ = false;
  OClipControl* last = nullptr;
  OClipControl* clicked = nullptr;
  for (size_t i = 0; i < controls_.size() && !clicked; ++i) {
    OClipControl* control = controls_[i];
    if (!control->visible) continue;
    if (control->OnRelease(x - x_, y - y_)) {
      last = control;
      if (control->pressed) clicked = control;
    }
  }
  // A press belongs to one release: no flag may survive it, or a later release over a control that was
  // never pressed would count as its click.
  for (OClipControl* control : controls_)
    control->pressed = false;
  if (clicked) {
    OnControlClicked(clicked);
    return clicked;
  }
  return last;
}

void OEngine::OnControlClicked(OClipControl*) {}

// ---- keyboard ----------------------------------------------------------------------------------------

void OEngine::OnKeyDown(int key, int modifiers) {
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

void OEngine::OnKeyUp(int, int) {}

void OEngine::OnChar(int ch, int modifiers) {
  for (size_t i = 0; i < controls_.size(); ++i)
    if (controls_[i]->focused) controls_[i]->OnCharacter(ch, modifiers);
}

void OEngine::OnClipExpired(OClip*) {}
void OEngine::OnClipPathPoint(OClip*, const PointSpeed&) {}
void OEngine::OnClipPathEnd(OClip*, const PointSpeed&) {}

// ---- entering and leaving ----------------------------------------------------------------------------

void OEngine::Enter(OEngine** activeSlot) {
  picture_ = std::make_unique<OBitmap>();
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

void OEngine::Leave() {
  picture_.reset();
  if (beneath_ && activeSlot_) {
    OEngine* beneath = beneath_;
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
