// Edit fields: typing limits, caret movement and scrolling in a narrow text area, focus and the caret,
// rendering of the text, and text pages of OText.
#include <gtest/gtest.h>

#include "engine/edit.h"
#include "engine/text_block.h"
#include "screen_testing.h"

using namespace screen_testing;

namespace {

std::unique_ptr<OClipEdit> MakeEdit(int width, int height) {
  auto edit = std::make_unique<OClipEdit>();
  edit->CopyFrom(*SequenceClip(width, height, {0xFFFFFF, 0xEEEEEE, 0xDDDDDD}));
  edit->SetFocus(true);
  return edit;
}

void Type(OClipEdit& edit, const std::string& text) {
  for (char c : text)
    edit.OnCharacter(c, 0);
}

TEST(ClipEdit, TypingStopsAtTheMaximumAndIgnoresWhatIsNotPrintable) {
  auto edit = MakeEdit(4000, 30);
  Type(*edit, std::string(255, 'a'));
  EXPECT_EQ(edit->GetText().size(), 255u);
  edit->OnCharacter('b', 0);  // the 256th character
  EXPECT_EQ(edit->GetText(), std::string(255, 'a'));
  edit->SetText("");
  for (int c : {13, 9, 27, 31, -1, 128, 200})
    edit->OnCharacter(c, 0);
  EXPECT_EQ(edit->GetText(), "");
  Type(*edit, " ~");
  edit->OnCharacter(127, 0);
  EXPECT_EQ(edit->GetText(), " ~\x7f");
  edit->SetMaxLength(2);
  EXPECT_EQ(edit->GetText(), " ~");
  EXPECT_EQ(edit->GetCaret(), 2);
}

TEST(ClipEdit, BackspaceAtTheStartAndDeleteAtTheEndDoNothing) {
  auto edit = MakeEdit(300, 30);
  Type(*edit, "abc");
  edit->OnKey(vk::kDelete, 0);
  EXPECT_EQ(edit->GetText(), "abc");
  edit->OnKey(vk::kHome, 0);
  edit->OnCharacter(vk::kBack, 0);
  EXPECT_EQ(edit->GetText(), "abc");
  EXPECT_EQ(edit->GetCaret(), 0);
  edit->OnKey(vk::kDelete, 0);
  EXPECT_EQ(edit->GetText(), "bc");
  edit->OnKey(vk::kRight, 0);
  edit->OnCharacter(vk::kBack, 0);
  EXPECT_EQ(edit->GetText(), "c");
  EXPECT_EQ(edit->GetCaret(), 0);
  edit->OnKey(vk::kLeft, 0);  // at the start: nothing
  EXPECT_EQ(edit->GetCaret(), 0);
  edit->OnKey(vk::kEnd, 0);
  edit->OnKey(vk::kRight, 0);  // at the end: nothing
  EXPECT_EQ(edit->GetCaret(), 1);
}

TEST(ClipEdit, ANarrowFieldScrollsToKeepTheCaretInView) {
  auto edit = MakeEdit(60, 30);
  Type(*edit, "abcdefghijklmnopqrstuvwxyz");
  EXPECT_GT(edit->GetFirstVisible(), 5);
  const int scrolled = edit->GetFirstVisible();
  edit->OnKey(vk::kHome, 0);
  EXPECT_EQ(edit->GetFirstVisible(), 0);
  EXPECT_EQ(edit->GetCaret(), 0);
  EXPECT_EQ(edit->CaretPicture().offsetX, 0);
  edit->OnKey(vk::kEnd, 0);
  EXPECT_EQ(edit->GetCaret(), 26);
  EXPECT_NEAR(edit->GetFirstVisible(), scrolled, 1);
  // Left at the first visible character scrolls back one.
  const int first = edit->GetFirstVisible();
  while (edit->GetCaret() > first)
    edit->OnKey(vk::kLeft, 0);
  edit->OnKey(vk::kLeft, 0);
  EXPECT_EQ(edit->GetFirstVisible(), first - 1);
  EXPECT_EQ(edit->GetCaret(), first - 1);
}

TEST(ClipEdit, TheCaretShowsOnlyWithTheFocusAndBlinks) {
  DrawFont.size = 14;
  auto edit = MakeEdit(200, 30);
  ResetDrawStyles();
  edit->SetTextArea(10, 4, 180, 26);
  const auto& shown = edit->GetShownPictures();
  ASSERT_EQ(shown.size(), 3u);  // frame, text, caret
  EXPECT_EQ(shown[1], &edit->TextPicture());
  EXPECT_EQ(edit->CaretPicture().GetHeight(), 14);
  EXPECT_EQ(edit->CaretPicture().offsetX, 10);
  EXPECT_EQ(edit->CaretPicture().offsetY, 7);
  Type(*edit, "W");
  EXPECT_GT(edit->CaretPicture().offsetX, 10);
  EXPECT_EQ(edit->TextPicture().offsetX, 10);
  EXPECT_EQ(edit->TextPicture().GetWidth(), 170);
  // The text shows in the text colour; the rest is keyed away.
  bool ink = false;
  for (int y = 0; y < edit->TextPicture().GetHeight(); ++y)
    for (int x = 0; x < 10; ++x)
      ink |= edit->TextPicture().GetPixel(x, y) == 0x000000u;
  EXPECT_TRUE(ink);
  EXPECT_EQ(edit->TextPicture().colorKey, 0xFFFFFF);
  const uint32_t lit = edit->CaretPicture().GetPixel(0, 0);
  edit->Tick(301);
  EXPECT_NE(edit->CaretPicture().GetPixel(0, 0), lit);
  EXPECT_EQ(edit->CaretPicture().colorKey, static_cast<int32_t>(lit));
  edit->SetFocus(false);
  EXPECT_EQ(edit->GetShownPictures().size(), 2u);
  EXPECT_FALSE(edit->focused);
}

// ---- OText ---------------------------------------------------------------------------------------------

// The leftmost column holding a text-coloured pixel on a page; -1 when none.
int FirstInkColumn(const OBitmap& page, uint32_t ink) {
  for (int x = 0; x < page.GetWidth(); ++x)
    for (int y = 0; y < page.GetHeight(); ++y)
      if (page.GetPixel(x, y) == ink) return x;
  return -1;
}

TEST(TextPages, ALongTextBecomesSeveralPagesAndStaysOnTheFirst) {
  OText text;
  text.SetSize(200, 60);
  std::string words;
  for (int i = 0; i < 60; ++i)
    words += "word" + std::to_string(i) + " ";
  text.SetText(words, nullptr, OText::kAlignLeft);
  EXPECT_GT(text.GetFrameCount(), 2);
  EXPECT_EQ(text.GetCurrentFrame(), 0);
  EXPECT_TRUE(text.stopped);
  text.Tick(1000);
  EXPECT_EQ(text.GetCurrentFrame(), 0);
  EXPECT_EQ(text.GetFrame(0)->GetWidth(), 190);
  EXPECT_EQ(text.GetFrame(0)->colorKey, 0xFFFFFF);
  // Laid out again: the old pages go.
  text.SetText("one", nullptr, OText::kAlignLeft);
  EXPECT_EQ(text.GetFrameCount(), 1);
}

TEST(TextPages, AlignmentsPlaceTheLineLeftCentredOrRight) {
  DrawFontRecord font;
  font.textColor = 0x000000;
  font.backgroundColor = 0xFFFFFF;
  font.size = 12;
  int left = -1, centre = -1, right = -1;
  for (int alignment : {OText::kAlignLeft, OText::kAlignCentre, OText::kAlignRight}) {
    OText text;
    text.SetSize(310, 40);
    text.SetText("Hi", &font, alignment);
    ASSERT_EQ(text.GetFrameCount(), 1);
    const int column = FirstInkColumn(*text.GetFrame(0), 0x000000);
    (alignment == OText::kAlignLeft ? left : alignment == OText::kAlignCentre ? centre : right) = column;
  }
  EXPECT_LT(left, 5);
  EXPECT_GT(centre, 130);
  EXPECT_LT(centre, 160);
  EXPECT_GT(right, 260);
}

TEST(TextPages, UnwrappedLinesStopAtTheBottomAndAZeroSizeFitsTheText) {
  OText lines;
  lines.SetSize(300, 30);
  lines.SetText("one\ntwo\nthree\nfour\nfive", nullptr, OText::kAlignLines);
  EXPECT_EQ(lines.GetFrameCount(), 1);
  OText fitted;
  fitted.shadow = true;
  fitted.SetText("a fitted line\nand another", nullptr, OText::kAlignLeft);
  EXPECT_EQ(fitted.GetFrameCount(), 1);
  EXPECT_GT(fitted.GetLayoutWidth(), 50);
  EXPECT_GT(fitted.GetLayoutHeight(), 20);
}

}  // namespace
