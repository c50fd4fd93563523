// DialogScreen: the keyboard. Enter, Escape and Space answer on release, as the dialogs always have: a
// question one answer opens (the options' Enter opening the new-game question) never sees that key again
// as its own answer. Tab walks the focus on the press, so that holding it repeats.
#include "engine/dialog_screen.h"

#include <utility>

#include "engine/edit_box.h"
#include "engine/focus_ring.h"
#include "engine/platform.h"

namespace {
// In front of everything a dialog shows.
constexpr double kRingDepth = -1000;
// The keys a game controller's buttons stand for in a dialog.
constexpr std::pair<int, int> kPadKeys[] = {{vk::kPadA, vk::kReturn},  {vk::kPadB, vk::kEscape},
                                            {vk::kPadLeft, vk::kLeft}, {vk::kPadRight, vk::kRight},
                                            {vk::kPadUp, vk::kUp},     {vk::kPadDown, vk::kDown}};
}  // namespace

void DialogScreen::SetKeyButtons(Control* defaultButton, Control* cancelButton) {
  defaultButton_ = defaultButton;
  cancelButton_ = cancelButton;
}

void DialogScreen::SetFocusOrder(std::vector<Control*> order, Control* start) {
  // A missing picture leaves a null control: it can never take the focus.
  std::erase(order, nullptr);
  focusOrder_ = std::move(order);
  focusStart_ = -1;
  for (size_t i = 0; i < focusOrder_.size(); ++i)
    if (focusOrder_[i] == start) focusStart_ = int(i);
  focusIndex_ = focusStart_;
}

Control* DialogScreen::GetKeyFocus() const {
  return focusIndex_ >= 0 && focusIndex_ < int(focusOrder_.size()) ? focusOrder_[size_t(focusIndex_)]
                                                                   : nullptr;
}

void DialogScreen::OnKeyDown(int key, int modifiers) {
  if (key == vk::kTab && !focusOrder_.empty()) {
    MoveFocus((modifiers & kModShift) ? -1 : 1);
    return;
  }
  Screen::OnKeyDown(key, modifiers);
}

void DialogScreen::OnKeyUp(int key, int modifiers) {
  Screen::OnKeyUp(key, modifiers);
  // A button whose command already waits must not have it run twice.
  if (GetPendingButton()) return;
  if (key == vk::kReturn) {
    if (!PressFocused() && defaultButton_) OnButtonCommand(defaultButton_);
  } else if (key == vk::kEscape) {
    if (cancelButton_) OnButtonCommand(cancelButton_);
  } else if (key == vk::kSpace) {
    PressFocused();
  }
}

int DialogScreen::KeyOfPadButton(int button) const {
  for (const auto& [pad, key] : kPadKeys)
    if (pad == button) return key;
  return button;
}

void DialogScreen::OnControlKeyed(Control* control) {
  control->OnKey(vk::kSpace, 0);
}

void DialogScreen::Leave() {
  focusShown_ = false;
  PlaceRing();
  Screen::Leave();
}

void DialogScreen::MoveFocus(int step) {
  const int count = int(focusOrder_.size());
  int i = focusIndex_;
  for (int tries = 0; tries < count; ++tries) {
    i = i < 0 ? (step > 0 ? 0 : count - 1) : (i + step + count) % count;
    if (focusOrder_[size_t(i)]->TakesInput()) {
      focusShown_ = true;
      SetFocusIndex(i);
      PlaceRing();
      return;
    }
  }
}

void DialogScreen::SetFocusIndex(int index) {
  Control* before = GetKeyFocus();
  focusIndex_ = index;
  Control* now = GetKeyFocus();
  if (before == now) return;
  // Typing follows the focus: an edit box the focus left must not take the keys meant for a button.
  if (before && before->focused) before->SetFocus(false);
  if (now && dynamic_cast<EditBox*>(now)) now->SetFocus(true);
}

bool DialogScreen::PressFocused() {
  Control* control = focusShown_ ? GetKeyFocus() : nullptr;
  // An edit box keeps Space as a character and leaves Enter to the default button.
  if (!control || !control->TakesInput() || control->focused) return false;
  if (control->commandCode >= kCommandCodeMin)
    OnButtonCommand(control);
  else
    OnControlKeyed(control);
  return true;
}

void DialogScreen::PlaceRing() {
  if (ring_ && !HasClip(ring_)) ring_ = nullptr;
  const Control* control = focusShown_ ? GetKeyFocus() : nullptr;
  std::unique_ptr<Bitmap> picture =
      control ? focus_ring::Make(control->GetWidth(), control->GetHeight()) : nullptr;
  if (!picture) {
    if (ring_) RemoveClip(ring_);
    ring_ = nullptr;
    return;
  }
  if (ring_) {
    ring_->ReplaceFrame(0, std::move(picture));
  } else {
    auto clip = std::make_unique<Clip>();
    clip->AddFrame(std::move(picture));
    clip->depth = kRingDepth;
    ring_ = AddClip(std::move(clip));
    SortByDepth();
    if (!ring_) return;
  }
  ring_->x = control->x - focus_ring::kMargin;
  ring_->y = control->y - focus_ring::kMargin;
  ring_->visible = control->visible;
}

void DialogScreen::ResetFocus() {
  focusShown_ = false;
  focusIndex_ = focusStart_;
  PlaceRing();
}
