// EditBox: looks, caret movement and scrolling, typing, rendering and the caret's blink.
//
// Sections: construction · pointer · keys and characters · text and caret
#include "engine/edit_box.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/platform.h"
#include "engine/text_block.h"

namespace {

// Texts this long or longer measure as empty.
constexpr size_t kMeasureLimit = 1000;

}  // namespace

// ---- construction ------------------------------------------------------------------------------------

EditBox::EditBox() : font(DrawFont()) {
  TakeArea();
}

void EditBox::TakeArea() {
  textAreaWidth_ = std::max(GetWidth(), 1);
  textAreaHeight_ = std::max(GetHeight(), 1);
  std::vector<Bitmap*>& shown = ShownPictures();
  if (shown.empty()) shown.push_back(nullptr);
  shown.resize(1);
  shown.push_back(&textPicture_);
  caretShown_ = false;
}

LoadResult EditBox::Load(const std::string& path) {
  LoadResult result = Clip::Load(path);
  TakeArea();
  return result;
}

void EditBox::CopyFrom(const Clip& other) {
  Clip::CopyFrom(other);
  TakeArea();
}

void EditBox::Tick(int elapsed) {
  if (!caretPicture_.HasPixels()) return;
  // One blink timer for every edit: only one caret shows at a time.
  int& blinkTimer = Engine().editBlinkTimer;
  blinkTimer += elapsed;
  if (blinkTimer <= kBlinkMs) return;
  blinkTimer = 0;
  const bool lit = caretPicture_.fillColor == font.textColor;
  caretPicture_.fillColor = lit ? font.backgroundColor : font.textColor;
  caretPicture_.Fill();
  caretPicture_.colorKey = static_cast<int32_t>(lit ? font.textColor : font.backgroundColor);
}

// ---- pointer -----------------------------------------------------------------------------------------

bool EditBox::OnHover(int x, int y, bool leftButtonDown) {
  if (leftButtonDown) return false;
  if (visible && HitTest(x, y)) {
    if (GetSequenceCount() > 2) ShowSequence(kHover);
    return true;
  }
  ShowSequence(kNormal);
  return false;
}

bool EditBox::OnPress(int x, int y) {
  if (visible && HitTest(x, y)) {
    SetFocus(true);
    if (GetSequenceCount() >= 2) ShowSequence(kPressed);
    return true;
  }
  SetFocus(false);
  SetFrame(0, -1);
  return false;
}

bool EditBox::OnRelease(int x, int y) {
  return OnHover(x, y, false);
}

void EditBox::SetFocus(bool on) {
  focused = on;
  std::vector<Bitmap*>& shown = ShownPictures();
  if (!on) {
    shown.erase(std::remove(shown.begin(), shown.end(), &caretPicture_), shown.end());
    caretShown_ = false;
    return;
  }
  if (caretShown_) return;
  shown.push_back(&caretPicture_);
  caretShown_ = true;
  caret_ = 0;
  selectFrom_ = selectTo_ = 0;
  firstVisible_ = 0;
  Render();
  PlaceCaret();
}

// ---- keys and characters -----------------------------------------------------------------------------

bool EditBox::OnKey(int key, int) {
  const int length = static_cast<int>(text_.size());
  const bool caretKey = key == vk::kLeft || key == vk::kRight || key == vk::kHome || key == vk::kEnd;
  // Moving the caret ends the selection; it is drawn again without it even where the caret cannot move.
  if (caretKey) selectFrom_ = selectTo_ = 0;
  switch (key) {
    case vk::kLeft:
      if (caret_ <= 0) break;
      if (caret_ <= firstVisible_) firstVisible_ = std::max(caret_ - 1, 0);
      --caret_;
      break;
    case vk::kRight:
      if (caret_ >= length) break;
      if (TextWidth(firstVisible_, caret_) > Room()) ++firstVisible_;
      ++caret_;
      break;
    case vk::kDelete:
      if (EraseSelection() || caret_ >= length) break;
      text_.erase(size_t(caret_), 1);
      break;
    case vk::kHome:
      caret_ = firstVisible_ = 0;
      break;
    case vk::kEnd:
      caret_ = length;
      ScrollToCaret();
      break;
    default:
      return false;
  }
  Render();
  PlaceCaret();
  return false;
}

void EditBox::OnCharacter(int ch, int) {
  const int c = ch & 0xFF;
  // 128..159 are control codes in Latin-1, not characters.
  const bool printable = (c >= 32 && c <= 127) || c >= 160;
  if (c == vk::kBack) {
    if (!EraseSelection() && !text_.empty() && caret_ > 0) {
      text_.erase(size_t(caret_ - 1), 1);
      --caret_;
      ScrollToCaret();
    }
  } else if (printable) {
    EraseSelection();
    if (static_cast<int>(text_.size()) < maxLength_) {
      text_.insert(size_t(caret_), 1, static_cast<char>(c));
      ++caret_;
      if (TextWidth(firstVisible_, caret_) > Room()) ++firstVisible_;
    }
  }
  Render();
  PlaceCaret();
}

// ---- text and caret ----------------------------------------------------------------------------------

void EditBox::SetText(const std::string& text) {
  text_ = text.substr(0, size_t(maxLength_));
  selectFrom_ = selectTo_ = 0;
  caret_ = static_cast<int>(text_.size());
  ScrollToCaret();
  Render();
  PlaceCaret();
}

void EditBox::SelectAll() {
  selectFrom_ = 0;
  selectTo_ = caret_ = static_cast<int>(text_.size());
  ScrollToCaret();
  Render();
  PlaceCaret();
}

bool EditBox::EraseSelection() {
  const int from = std::clamp(selectFrom_, 0, static_cast<int>(text_.size()));
  const int to = std::clamp(selectTo_, from, static_cast<int>(text_.size()));
  selectFrom_ = selectTo_ = 0;
  if (from == to) return false;
  text_.erase(size_t(from), size_t(to - from));
  caret_ = from;
  ScrollToCaret();
  return true;
}

void EditBox::SetMaxLength(int length) {
  maxLength_ = std::max(length, 0);
  if (text_.size() > size_t(maxLength_)) SetText(text_);
}

void EditBox::SetTextArea(int leftMargin, int topMargin, int width, int height) {
  leftMargin_ = leftMargin;
  topMargin_ = topMargin;
  textAreaWidth_ = width;
  textAreaHeight_ = height;
  Render();
  PlaceCaret();
}

int EditBox::TextWidth(int from, int to) const {
  from = std::clamp(from, 0, static_cast<int>(text_.size()));
  to = std::clamp(to, from, static_cast<int>(text_.size()));
  if (size_t(to - from) >= kMeasureLimit || from == to) return 0;
  const DrawFontScope scope(font);
  return MeasureDrawText(text_.substr(size_t(from), size_t(to - from))).width;
}

void EditBox::ScrollToCaret() {
  int first = 0;
  while (first < caret_ && TextWidth(first, caret_) > Room())
    ++first;
  firstVisible_ = first > 0 ? first - 1 : 0;
}

void EditBox::Render() {
  firstVisible_ = std::clamp(firstVisible_, 0, static_cast<int>(text_.size()));
  if (!textPicture_.Create(std::max(Room(), 1), std::max(textAreaHeight_ - topMargin_, 1))) return;
  textPicture_.offsetX = leftMargin_;
  textPicture_.offsetY = topMargin_;
  DrawFontRecord look = font;
  look.backgroundColor = textPicture_.fillColor;
  {
    const DrawFontScope scope(look);
    textPicture_.DrawText(text_.c_str() + firstVisible_, 0, 0);
  }
  // The selection's visible part is drawn again over it in the selection's colours.
  const int from = std::clamp(selectFrom_, firstVisible_, static_cast<int>(text_.size()));
  const int to = std::clamp(selectTo_, from, static_cast<int>(text_.size()));
  if (from < to) {
    const int x = TextWidth(firstVisible_, from);
    look.textColor = kSelectionText;
    look.backgroundColor = kSelectionBackground;
    const DrawFontScope scope(look);
    textPicture_.DrawText(text_.substr(size_t(from), size_t(to - from)).c_str(), x, 0);
  }
  // Only the glyphs and the selection show over the edit's own picture.
  textPicture_.SetColorKey(static_cast<int32_t>(textPicture_.fillColor));
}

void EditBox::PlaceCaret() {
  if (!caretShown_) return;
  const int height = std::clamp(font.size, 1, 512);
  if (!caretPicture_.Create(2, height, static_cast<int32_t>(font.textColor))) return;
  caretPicture_.colorKey = static_cast<int32_t>(font.backgroundColor);
  caretPicture_.offsetX = leftMargin_ + TextWidth(firstVisible_, caret_);
  caretPicture_.offsetY = topMargin_ + 3;
}
