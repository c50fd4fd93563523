// OBitmap text and rectangles: font resolution, the painted cell against MeasureText, styles, and the
// pen and brush rules of DrawRectangle.
#include <gtest/gtest.h>

#include <string>

#include "engine/bitmap.h"
#include "engine/bitmap_text.h"
#include "engine/draw_style.h"
#include "tests/engine/bitmap_test_util.h"

namespace {

constexpr uint32_t kGround = 0x00FF00;  // neither text nor background colour

class BitmapText : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetDrawStyles();
    DrawFont.textColor = 0x3131BA;
    DrawFont.backgroundColor = 0xCCCCFF;
  }
  void TearDown() override { ResetDrawStyles(); }
};

TEST_F(BitmapText, FaceNamesResolveToTheMetricCompatibleFamilies) {
  // Measured here: Arial and arial come out as Liberation Sans, Courier New as Liberation Mono, in every
  // style (fonts-liberation2).
  for (int flags : {0, kFontBold, kFontItalic, kFontBold | kFontItalic}) {
    EXPECT_EQ(MatchFontFamily("Arial", flags), "Liberation Sans") << flags;
    EXPECT_EQ(MatchFontFamily("arial", flags), "Liberation Sans") << flags;
    EXPECT_EQ(MatchFontFamily("Courier New", flags), "Liberation Mono") << flags;
  }
  // An unknown face falls back to the default face instead of failing.
  EXPECT_FALSE(MatchFontFamily("No Such Face 4711", 0).empty());
  EXPECT_FALSE(MatchFontFamily("", 0).empty());
}

// Resolved fonts are remembered by face, style and size: a style never borrows another's font, and a
// font looked up again, after so many others that the remembered ones were dropped, paints as before.
TEST_F(BitmapText, RememberedFontsPaintAsFreshOnes) {
  auto paint = [] {
    DrawFont.SetFaceName("Arial");
    DrawFont.styleFlags = kFontBold;
    DrawFont.size = 12;
    OBitmap b = Filled(120, 30, kGround);
    EXPECT_TRUE(b.DrawText("Globbet 42", 2, 2));
    return b;
  };
  const OBitmap first = paint();
  // Forty sizes in two styles: more fonts than are remembered at once.
  OBitmap scratch(4, 4);
  for (int size = 6; size < 46; ++size) {
    int regular, bold, h;
    DrawFont.size = size;
    DrawFont.styleFlags = 0;
    ASSERT_TRUE(scratch.MeasureText("Wide Wide", regular, h)) << size;
    DrawFont.styleFlags = kFontBold;
    ASSERT_TRUE(scratch.MeasureText("Wide Wide", bold, h)) << size;
    if (size >= 10) {
      EXPECT_GT(bold, regular) << "each style keeps its own font, size " << size;
    }
  }
  const OBitmap again = paint();
  int differing = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      differing += first.GetPixel(x, y) != again.GetPixel(x, y);
  EXPECT_EQ(differing, 0);
}

TEST_F(BitmapText, PointSizesBecomePixelHeightsAt96DotsAnInch) {
  EXPECT_EQ(FontPixelHeight(10), 13);  // 13.33
  EXPECT_EQ(FontPixelHeight(11), 15);  // 14.67 rounds up
  EXPECT_EQ(FontPixelHeight(14), 19);
  EXPECT_EQ(FontPixelHeight(15), 20);
  EXPECT_EQ(FontPixelHeight(9), 12);
  EXPECT_EQ(FontPixelHeight(1), 1);
  EXPECT_EQ(FontPixelHeight(0), 0);
  EXPECT_EQ(FontPixelHeight(-10), 13);
}

TEST_F(BitmapText, WesternBytesBecomeUtf8) {
  EXPECT_EQ(WesternToUtf8("A\x80\xE9\x96"), "A\u20AC\u00E9\u2013");
  EXPECT_EQ(WesternToUtf8(nullptr), "");
}

TEST_F(BitmapText, MeasureTextGrowsWithTextSizeAndWeight) {
  OBitmap b(10, 10);
  int w = -1, h = -1;
  ASSERT_TRUE(b.MeasureText("", w, h));
  EXPECT_EQ(w, 0);
  EXPECT_GE(h, 13) << "the cell is at least the em height";
  EXPECT_LE(h, 17);
  int w1, h1, w2, h2;
  ASSERT_TRUE(b.MeasureText("Wide", w1, h1));
  ASSERT_TRUE(b.MeasureText("Wide Wide", w2, h2));
  EXPECT_GT(w1, 10);
  EXPECT_GT(w2, w1);
  EXPECT_EQ(h1, h2);
  DrawFont.styleFlags = kFontBold;
  int wb, hb;
  ASSERT_TRUE(b.MeasureText("Wide", wb, hb));
  EXPECT_GT(wb, w1);
  DrawFont.styleFlags = 0;
  DrawFont.size = 20;
  int wl, hl;
  ASSERT_TRUE(b.MeasureText("Wide", wl, hl));
  EXPECT_GT(hl, h1 + 8);
  // A monospaced face gives every character the same advance.
  DrawFont.SetFaceName("Courier New");
  int wi, wm, hm;
  ASSERT_TRUE(b.MeasureText("iiii", wi, hm));
  ASSERT_TRUE(b.MeasureText("MMMM", wm, hm));
  EXPECT_EQ(wi, wm);

  OBitmap empty;
  EXPECT_FALSE(empty.MeasureText("x", w, h));
  EXPECT_EQ(w, 0);
  EXPECT_FALSE(empty.DrawText("x", 0, 0));
}

TEST_F(BitmapText, DrawTextPaintsExactlyTheMeasuredCell) {
  for (const char* face : {"Arial", "Courier New", "No Such Face 4711"}) {
    DrawFont.SetFaceName(face);
    OBitmap b = Filled(120, 40, kGround);
    int w, h;
    ASSERT_TRUE(b.MeasureText("Hello 42", w, h));
    ASSERT_TRUE(b.DrawText("Hello 42", 7, 5));
    int ink = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) {
        const uint32_t c = b.GetPixel(x, y);
        const bool inCell = x >= 7 && x < 7 + w && y >= 5 && y < 5 + h;
        if (!inCell) {
          ASSERT_EQ(c, kGround) << face << ": painted outside the cell at " << x << "," << y;
        } else {
          ASSERT_NE(c, kGround) << face << ": cell pixel " << x << "," << y << " left unpainted";
          if (c != 0xCCCCFFu) ++ink;
        }
      }
    }
    // The cell's corners are background; the glyphs left ink in the text colour's direction.
    EXPECT_EQ(b.GetPixel(7, 5), 0xCCCCFFu) << face;
    EXPECT_EQ(b.GetPixel(7 + w - 1, 5 + h - 1), 0xCCCCFFu) << face;
    EXPECT_GT(ink, 30) << face;
  }
}

TEST_F(BitmapText, UnderlineIsAFullRunOfTextColourInsideTheCell) {
  DrawFont.styleFlags = kFontUnderline;
  DrawFont.textColor = 0x000000;
  OBitmap b = Filled(100, 30, kGround);
  int w, h;
  ASSERT_TRUE(b.MeasureText("a b", w, h));
  ASSERT_TRUE(b.DrawText("a b", 2, 2));
  int fullRows = 0;
  for (int y = 2; y < 2 + h; ++y) {
    bool full = true;
    for (int x = 2; x < 2 + w; ++x)
      full = full && b.GetPixel(x, y) == 0;
    fullRows += full;
  }
  EXPECT_GE(fullRows, 1);
  EXPECT_EQ(b.GetPixel(1, 2 + h - 1), kGround);
  EXPECT_EQ(b.GetPixel(2, 2 + h), kGround);
}

TEST_F(BitmapText, TextPartlyOrWhollyOutsideThePictureIsClipped) {
  OBitmap b = Filled(20, 10, kGround);
  EXPECT_TRUE(b.DrawText("Clipped text", -15, -6));
  EXPECT_NE(b.GetPixel(0, 0), kGround);  // some of the cell lands on the picture
  EXPECT_EQ(b.GetPixel(19, 9), kGround);
  EXPECT_TRUE(b.DrawText("gone", 5000, 5000));
  EXPECT_TRUE(b.DrawText("gone", -2147483647, 2147483600));
  EXPECT_TRUE(b.DrawText(nullptr, 0, 0));
  DrawFont.size = 2000000000;  // absurd sizes are held to a sane glyph size, not a failed allocation
  EXPECT_TRUE(b.DrawText("W", 0, 0));
  DrawFont.size = 0;
  int w, h;
  ASSERT_TRUE(b.MeasureText("W", w, h));
  EXPECT_GE(h, 13) << "size 0 is the default size";
  DrawFont.size = 10;
  // Every high byte renders without harm.
  std::string all;
  for (int c = 1; c < 256; ++c)
    all += static_cast<char>(c);
  EXPECT_TRUE(b.DrawText(all.c_str(), 0, 0));
}

// ---- rectangles ------------------------------------------------------------------------------------

TEST_F(BitmapText, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
  DrawPen.color = 0x112233;
  DrawBrush.color = 0xCCCCFF;
  OBitmap b = Filled(12, 10, kGround);
  ASSERT_TRUE(b.DrawRectangle(2, 1, 6, 5));  // covers x 2..7, y 1..5
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x <= 7 && y >= 1 && y <= 5;
      const bool border = inside && (x == 2 || x == 7 || y == 1 || y == 5);
      const uint32_t want = border ? 0x112233u : inside ? 0xCCCCFFu : kGround;
      ASSERT_EQ(b.GetPixel(x, y), want) << x << "," << y;
    }
  }
  // A wider pen grows inward; a null pen leaves only the brush.
  DrawPen.width = 2;
  ASSERT_TRUE(b.DrawRectangle(2, 1, 6, 5));
  EXPECT_EQ(b.GetPixel(3, 2), 0x112233u);
  EXPECT_EQ(b.GetPixel(4, 3), 0xCCCCFFu);
  DrawPen.style = kPenNull;
  DrawBrush.color = 0x000001;
  ASSERT_TRUE(b.DrawRectangle(0, 0, 12, 10));
  EXPECT_EQ(b.GetPixel(0, 0), 0x000001u);
  EXPECT_EQ(b.GetPixel(11, 9), 0x000001u);
}

TEST_F(BitmapText, RectanglesAreClippedAndStyledPensDash) {
  OBitmap b = Filled(8, 8, kGround);
  EXPECT_TRUE(b.DrawRectangle(-3, -3, 6, 6));  // outline at x = 2 and y = 2 inside the picture
  EXPECT_EQ(b.GetPixel(2, 0), 0u);
  EXPECT_EQ(b.GetPixel(0, 2), 0u);
  EXPECT_EQ(b.GetPixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(b.GetPixel(3, 3), kGround);
  EXPECT_TRUE(b.DrawRectangle(2147483000, 5, 2000, 2000));
  EXPECT_TRUE(b.DrawRectangle(0, 0, 0, 5));
  OBitmap empty;
  EXPECT_FALSE(empty.DrawRectangle(0, 0, 2, 2));

  DrawPen.style = kPenDot;  // three on, three off, clockwise from the top-left
  OBitmap dots = Filled(20, 4, kGround);
  ASSERT_TRUE(dots.DrawRectangle(0, 0, 20, 4));
  for (int x = 0; x < 12; ++x)
    EXPECT_EQ(dots.GetPixel(x, 0), (x % 6) < 3 ? 0u : 0xFFFFFFu) << x;

  DrawPen.style = kPenNull;
  DrawBrush.hatch = kHatchVertical;
  DrawBrush.color = 0x0000FF;
  OBitmap hatched = Filled(20, 3, kGround);
  ASSERT_TRUE(hatched.DrawRectangle(1, 0, 18, 3));
  for (int x = 1; x < 19; ++x) {
    EXPECT_EQ(hatched.GetPixel(x, 1), x % 8 == 0 ? 0x0000FFu : 0xFFFFFFu)
        << "hatch lines follow the picture, x " << x;
  }
}

}  // namespace
