// EditBox: a one-line text field. The edit's own picture is its frame (sequences 0 normal, 1 pressed,
// 2 hover); the text is rendered into a picture of its own inside the text area, scrolled by whole
// characters so that the caret stays in view; a blinking caret shows while the edit has the focus. A
// selected stretch of the text shows highlighted and gives way to what is typed next.
#pragma once

#include <string>

#include "engine/button.h"
#include "engine/draw_style.h"

class EditBox : public Button {
 public:
  static constexpr int kDefaultMaxLength = 255;
  // The caret swaps colours after this long.
  static constexpr int kBlinkMs = 300;
  // The selection's look. Its text is a shade off white: white is the text picture's see-through key.
  static constexpr uint32_t kSelectionBackground = 0x3366CC, kSelectionText = 0xFFFFFE;

  // Takes its font from the current DrawFont.
  EditBox();

  // As the clip's; then the text area becomes the clip's size and the text picture is shown.
  LoadResult Load(const std::string& path) override;
  void CopyFrom(const Clip& other) override;
  // Blinks the caret (the edit's own frames stay).
  void Tick(int elapsed) override;

  // With the button up: over the (visible) edit the hover look when it has one; true. Else the normal
  // look; false.
  bool OnHover(int x, int y, bool leftButtonDown) override;
  // On the edit: takes the focus, the pressed look; true. Elsewhere: loses the focus; false.
  bool OnPress(int x, int y) override;
  bool OnRelease(int x, int y) override;
  // Left, Right, Home, End drop the selection and move the caret (scrolling as needed); Delete removes
  // the selection, or else the character after the caret. Always false.
  bool OnKey(int key, int modifiers) override;
  // Backspace removes the selection, or else the character before the caret; a printable character
  // (32..127, or a Latin-1 letter or sign 160..255) replaces the selection, or is inserted while the text
  // is shorter than the maximum length; anything else is ignored.
  void OnCharacter(int ch, int modifiers) override;
  // On: shows the caret at the start of the text, nothing selected. Off: hides it.
  void SetFocus(bool on) override;

  // Replaces the text (cut to the maximum length), nothing selected; the caret goes to its end.
  void SetText(const std::string& text);
  // Selects the whole text, the caret at its end.
  void SelectAll();
  const std::string& GetText() const { return text_; }
  // The longest text the edit takes (at least 0); a longer text is cut.
  void SetMaxLength(int length);
  int GetMaxLength() const { return maxLength_; }
  // Where the text picture sits in the edit and how much room it has.
  void SetTextArea(int leftMargin, int topMargin, int width, int height);
  int GetCaret() const { return caret_; }
  int GetFirstVisible() const { return firstVisible_; }
  bool IsCaretShown() const { return caretShown_; }
  const Bitmap& TextPicture() const { return textPicture_; }
  const Bitmap& CaretPicture() const { return caretPicture_; }

  DrawFontRecord font;  // the text's font and colours

 private:
  // Width of text[from, to) in the edit's font; texts of 1000 characters or more measure as empty.
  int TextWidth(int from, int to) const;
  // The room for text: text area width - left margin.
  int Room() const { return textAreaWidth_ - leftMargin_; }
  // The smallest first visible character that shows the caret (then one less when not 0).
  void ScrollToCaret();
  void Render();
  void PlaceCaret();
  // The text picture after Load or CopyFrom.
  void TakeArea();
  // Removes the selected characters, the caret where they began. False when nothing was selected.
  bool EraseSelection();

  std::string text_;
  int32_t caret_ = 0;
  int32_t selectFrom_ = 0, selectTo_ = 0;  // equal: nothing selected
  int32_t maxLength_ = kDefaultMaxLength;
  int32_t leftMargin_ = 0, topMargin_ = 0;
  int32_t textAreaWidth_ = 1, textAreaHeight_ = 1;
  Bitmap textPicture_;
  Bitmap caretPicture_;
  bool caretShown_ = false;
  int32_t firstVisible_ = 0;
};
