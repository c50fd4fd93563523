// Controls: button and check box looks by pointer state, hits, edit fields (length limit, caret and
// scrolling) and pages of laid-out text.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>

#include "engine/button.h"
#include "engine/check_box.h"
#include "engine/edit_box.h"
#include "engine/platform.h"
#include "engine/text_block.h"
#include "tests/support/pictures.h"

namespace {

// Each step is an event and the look (sequence) shown after it: h hover, d hover with the button down,
// p press, r release, k a key; + on the control, - off it.
TEST(ClipControl, LooksFollowThePointerAndTheButton) {
  const std::tuple<const char*, int, bool, const char*> rows[] = {
      {"button", 3, false, "h+2 p+1 d-0 d+1 r+2 h-0"},
      {"check box of two looks", 2, true, "h+0 p+0 r+1 h+1 r-1 k+0 r+1 k+0"},
      {"check box of six looks", 6, true, "h+4 p+2 d+2 r+3 h+5 h-1 p+3 r+2 h+4"},
  };
  for (const auto& [what, looks, checkBox, steps] : rows) {
    SCOPED_TRACE(what);
    std::vector<uint32_t> colors(static_cast<size_t>(looks));
    std::iota(colors.begin(), colors.end(), 1u);
    std::unique_ptr<Control> control = SequenceClip<Button>(16, 16, colors);
    if (checkBox) control = SequenceClip<CheckBox>(16, 16, colors);
    for (const char* s = steps; *s; s += s[3] ? 4 : 3) {
      const int x = s[1] == '+' ? 8 : 40;
      bool taken = s[1] == '+';
      if (s[0] == 'h' || s[0] == 'd') control->OnHover(x, 8, s[0] == 'd');
      if (s[0] == 'p') taken = control->OnPress(x, 8);
      if (s[0] == 'r') taken = control->OnRelease(x, 8);
      if (s[0] == 'k') control->OnKey('A', 0);
      EXPECT_EQ(control->GetCurrentSequence(), s[2] - '0') << "after " << std::string(s, 3);
      EXPECT_EQ(taken, s[1] == '+') << "after " << std::string(s, 3);
      EXPECT_FALSE(checkBox && control->pressed) << "a check box never makes a click";
    }
  }
}

// A 20 x 10 picture at (100, 50) with a keyed pixel at (5, 5): each probe hits with the rectangle test,
// then with the pixel-exact one.
TEST(ClipControl, HitsIncludeTheEdgesAndThePixelExactTestSkipsKeyedPixels) {
  auto button = std::make_unique<Button>();
  button->AddFrame(Picture(20, 10, 0x00FF00, 0xFF00FF));
  button->GetFrame(0)->SetPixel(5, 5, 0xFF00FF);
  button->x = 100, button->y = 50;
  const std::tuple<int, int, bool, bool> probes[] = {{100, 50, 1, 1}, {120, 60, 1, 0}, {121, 60, 0, 0},
                                                     {100, 49, 0, 0}, {105, 55, 1, 0}, {106, 55, 1, 1}};
  for (const auto& [x, y, rectangle, exact] : probes) {
    button->pixelExact = false;
    EXPECT_EQ(button->HitTest(x, y), rectangle) << x << "," << y;
    button->pixelExact = true;
    EXPECT_EQ(button->HitTest(x, y), exact) << x << "," << y << " pixel-exact";
  }
  EXPECT_FALSE(button->OnPress(105, 55));
  // A masked picture is hit where it shows, whatever the key says.
  button->GetFrame(0)->CreateMask(0);
  button->GetFrame(0)->GetMaskRow(2)[3] = 255;
  EXPECT_TRUE(button->HitTest(105, 55));
  EXPECT_FALSE(button->HitTest(103, 52));
}

// ---- edit fields -----------------------------------------------------------------------------------

std::unique_ptr<EditBox> MakeEdit(int width, int height) {
  auto edit = std::make_unique<EditBox>();
  edit->CopyFrom(*SequenceClip(width, height, {0xFFFFFF, 0xEEEEEE, 0xDDDDDD}));
  edit->SetFocus(true);
  return edit;
}

void Type(EditBox& edit, const std::string& text) {
  for (char c : text)
    edit.OnCharacter(static_cast<unsigned char>(c), 0);
}

// Latin-1's letters and signs are typed; its control codes (128..159) are not.
TEST(ClipEdit, TypingStopsAtTheMaximumAndIgnoresWhatIsNotPrintable) {
  auto edit = MakeEdit(4000, 30);
  Type(*edit, std::string(256, 'a'));
  EXPECT_EQ(edit->GetText(), std::string(255, 'a'));
  edit->SetText("");
  for (int c : {13, 9, 27, 31, 128, -97})
    edit->OnCharacter(c, 0);
  Type(*edit, " ~\x7f\xa0\xeb\xff");
  EXPECT_EQ(edit->GetText(), " ~\x7f\xa0\xeb\xff");
  edit->SetMaxLength(2);
  EXPECT_EQ(edit->GetText(), " ~");
  EXPECT_EQ(edit->GetCaret(), 2);
}

// Delete at the end and Back at the start do nothing; Left and Right stop at the ends.
TEST(ClipEdit, CaretKeysStopAtTheEndsAndTheCaretFollowsTheTextShownOnlyWithTheFocus) {
  auto edit = MakeEdit(200, 30);
  edit->SetTextArea(10, 4, 180, 26);
  ASSERT_EQ(edit->GetShownPictures().size(), 3u);  // frame, text, caret
  const int start = edit->CaretPicture().offsetX;
  Type(*edit, "W");
  EXPECT_GT(edit->CaretPicture().offsetX, start + 5) << "the caret moves past the glyph's advance";
  Type(*edit, "bcd");
  for (int key :
       {vk::kDelete, vk::kHome, -vk::kBack, vk::kDelete, vk::kRight, -vk::kBack, vk::kLeft, vk::kLeft})
    key < 0 ? edit->OnCharacter(-key, 0) : void(edit->OnKey(key, 0));
  EXPECT_EQ(std::pair(edit->GetText(), edit->GetCaret()), std::pair(std::string("cd"), 0));
  edit->OnKey(vk::kEnd, 0);
  edit->OnKey(vk::kRight, 0);
  EXPECT_EQ(edit->GetCaret(), 2);
  edit->SetFocus(false);
  EXPECT_EQ(edit->GetShownPictures().size(), 2u);
}

// The whole text selected shows highlighted (not see-through); the first character typed replaces it,
// even at the maximum length; Backspace and Delete remove it; a caret key ends it and keeps the text.
TEST(ClipEdit, ASelectionShowsGivesWayToTypingAndEndsWithTheCaretKeys) {
  // A key, or a character when negative; then the text after "x" is typed.
  const int keys[] = {0, -vk::kBack, vk::kDelete, vk::kLeft, vk::kRight, vk::kHome};
  const char* after[] = {"x", "x", "x", "Novicxe", "Novicex", "xNovice"};
  for (size_t i = 0; i < std::size(keys); ++i) {
    const int key = keys[i];
    auto edit = MakeEdit(200, 30);
    edit->SetText("Novice");
    edit->SetMaxLength(key > 0 ? 7 : 6);
    edit->SelectAll();
    const Bitmap& text = edit->TextPicture();
    EXPECT_EQ(text.GetPixel(1, 2), EditBox::kSelectionBackground) << key;
    EXPECT_NE(text.colorKey, int32_t(EditBox::kSelectionBackground));
    key < 0 ? edit->OnCharacter(-key, 0) : void(edit->OnKey(key, 0));
    EXPECT_EQ(text.GetPixel(1, 2) == EditBox::kSelectionBackground, key == 0) << key;
    Type(*edit, "x");
    EXPECT_EQ(edit->GetText(), after[i]) << key;
  }
}

// ---- text pages ------------------------------------------------------------------------------------

// Where the words land (each "x,y", pages parted by "|"), measured as ten units a character, nine a line:
// a line the words wrapped is spread to the width, the last before a break keeps its spaces, an empty line
// parts paragraphs by a third of a line (not at a page's top), and a line that would reach the bottom turns
// the page.
TEST(TextPages, OnlyWrappedLinesSpreadAndParagraphsStandApart) {
  const TextMeasure measure = [](const std::string& s) { return TextExtent{int(10 * s.size()), 9}; };
  const std::pair<const char*, const char*> cases[] = {{"aa bb cc dd", "0,0 40,0 0,9 30,9"},
                                                       {"aa bb\ncc dd ee", "0,0 30,0 0,9 40,9 | 0,0"},
                                                       {"aa\n\nbb", "0,0 0,12"},
                                                       {"\n\naa", "0,0"},
                                                       {"aa bb cc\n\ndd ee", "0,0 40,0 0,9 | 0,0 30,0"}};
  for (const auto& [text, want] : cases) {
    std::string got;
    for (const auto& page : LayOutPages(text, 70, 24, measure)) {
      if (!got.empty()) got += " |";
      for (const PlacedWord& w : page)
        got += (got.empty() ? "" : " ") + std::to_string(w.x) + "," + std::to_string(w.y);
    }
    EXPECT_EQ(got, want) << text;
  }
}

// Spread text, as the help pages lay it out: the words fill each line as far as they fit with their spaces
// (a page holds one line, so the pinned page count is the line count), nothing is cut at the edge, and
// the pages wait for the reader.
TEST(TextPages, SpreadTextFillsItsLinesOnPinnedPagesWithNothingCut) {
  DrawFontRecord font;
  font.textColor = 0;
  font.backgroundColor = 0xFFFFFF;
  font.size = 10;
  font.SetFaceName("arial");
  TextBlock text;
  text.SetSize(185, 20);
  std::string words;
  for (int i = 0; i < 60; ++i)
    words += "word" + std::to_string(i) + " ";
  text.SetText(words, &font);
  ASSERT_EQ(text.GetFrameCount(), 19);
  text.Tick(1000);
  EXPECT_EQ(text.GetCurrentFrame(), 0);
  const Bitmap& page = *text.GetFrame(0);
  int left = page.GetWidth(), right = -1;
  for (int y = 0; y < page.GetHeight(); ++y)
    for (int x = 0; x < page.GetWidth(); ++x)
      if (page.GetPixel(x, y) == 0) left = std::min(left, x), right = std::max(right, x);
  EXPECT_LE(left, 2);
  EXPECT_LT(right, page.GetWidth() - 1) << "nothing cut at the edge";
  text.SetText("one", &font);
  EXPECT_EQ(text.GetFrameCount(), 1) << "laid out again: the old pages go";
}

}  // namespace
