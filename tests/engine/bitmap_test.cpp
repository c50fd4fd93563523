// Bitmap: Draw against the pixel-by-pixel rules at every placement, shared storage, and
// text and rectangles.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/bitmap.h"
#include "engine/bitmap_text.h"
#include "engine/draw_style.h"
#include "tests/support/pictures.h"

namespace {

uint32_t BlendRef(uint32_t src, uint32_t dst, int t) {
  uint32_t out = 0;
  for (int k = 0; k < 24; k += 8) {
    const int s = (src >> k) & 0xFF, d = (dst >> k) & 0xFF;
    out |= uint32_t{static_cast<uint8_t>(s + (((d - s) * t) >> 8))} << k;
  }
  return out;
}

// The drawing rules pixel by pixel, in logical coordinates, with no clipping arithmetic to get wrong.
void DrawRef(Bitmap& dst, const Bitmap& src, int x, int y, BitmapRect r) {
  for (int sy = std::max(r.top, 0); sy < std::min(r.bottom, src.GetHeight()); ++sy) {
    for (int sx = std::max(r.left, 0); sx < std::min(r.right, src.GetWidth()); ++sx) {
      const int dx = x + sx, dy = y + sy;
      if (dx < 0 || dy < 0 || dx >= dst.GetWidth() || dy >= dst.GetHeight()) continue;
      const uint32_t s = src.GetPixel(sx, sy), d = dst.GetPixel(dx, dy);
      if (const uint8_t* mask = src.GetMaskRow(sy)) {
        const int a = mask[sx] + src.transparency;
        if (a < 255) dst.SetPixel(dx, dy, a == 0 ? s : BlendRef(s, d, a));
      } else if (static_cast<int64_t>(s) != src.colorKey) {
        const int t = src.transparency;
        dst.SetPixel(dx, dy, t == 0 ? s : t <= 255 ? BlendRef(s, d, t) : dst.fillColor);
      }
    }
  }
}

void ExpectSamePixels(const Bitmap& a, const Bitmap& b) {
  ASSERT_EQ(Pixels(a), Pixels(b));
  // The spare row above the picture stays untouched.
  for (int i = 0; i < a.GetStride(); ++i)
    ASSERT_EQ(a.GetPixels()[a.GetHeight() * a.GetStride() + i], 0) << "spare row written";
}

Bitmap Backdrop(int width, int height) {
  Bitmap b = Filled(width, height, 0x336699);
  for (int y = 0; y < height; y += 3)
    b.SetPixel(y % width, y, 0x00FF80);
  b.fillColor = 0xC0FFEE;
  return b;
}

// Every placement around and across each edge, keyed or masked, opaque, blended or as a silhouette,
// with and without a source rectangle.
TEST(BitmapDraw, MatchesThePixelRulesAtEveryPlacement) {
  Bitmap keyed = Pattern(5, 4);
  keyed.SetPixel(2, 1, 0x0000FE);
  keyed.SetPixel(4, 3, 0x0000FE);
  keyed.colorKey = 0x0000FE;
  Bitmap masked = MaskedPattern(5, 4, 0x55);
  masked.GetMask()[7] = 255;
  masked.GetMask()[8] = 155;  // + transparency 100 = 255: left alone
  const BitmapRect rects[] = {{0, 0, 5, 4}, {1, 1, 4, 3}, {-2, -2, 9, 9}, {3, 0, 2, 4}};
  for (Bitmap* src : {&keyed, &masked}) {
    for (int t : {0, 100, 300}) {
      src->transparency = t;
      for (const BitmapRect& r : rects) {
        for (int y = -6; y <= 9; ++y) {
          for (int x = -7; x <= 11; ++x) {
            SCOPED_TRACE(testing::Message() << "at " << x << "," << y << " t " << t << " left " << r.left);
            Bitmap got = Backdrop(9, 7), want = Backdrop(9, 7);
            got.Draw(src, x, y, &r);
            DrawRef(want, *src, x, y, r);
            ExpectSamePixels(got, want);
            if (HasFailure()) return;
          }
        }
      }
    }
  }
}

// ---- storage -------------------------------------------------------------------------------------

TEST(BitmapStorage, UnusableSizesAreRefusedAndCopiesShareStorageUntilTheLastOwnerGoes) {
  Bitmap b(4, 4);
  for (const auto& [w, h] : {std::pair{0, 5}, {5, -1}, {100000, 100000}})
    EXPECT_FALSE(b.Create(w, h) || b.HasPixels()) << w << " x " << h;
  EXPECT_EQ(b.CreateMask(0), nullptr);
  auto original = std::make_unique<Bitmap>(8, 8);
  Bitmap(*original).SetPixel(0, 0, 0x00FF00);
  // The original goes first; the copy keeps pixels and mask alive (ASan catches a premature free).
  Bitmap survivor;
  ASSERT_TRUE(survivor.ShareFrom(original.get()));
  original->CreateMask(9);
  original.reset();
  EXPECT_EQ(survivor.GetOwnerCount(), 1);
  EXPECT_EQ(survivor.GetPixel(0, 0), 0x00FF00u) << "written through a copy";
  EXPECT_EQ(survivor.GetMask()[0], 9);
}

// ---- text and rectangles ---------------------------------------------------------------------------

constexpr uint32_t kGround = 0x00FF00;  // neither text nor background colour

class BitmapText : public ::testing::Test {
 protected:
  // The test's fresh context starts from the default styles.
  void SetUp() override {
    DrawFont().textColor = 0x3131BA;
    DrawFont().backgroundColor = 0xCCCCFF;
  }
};

// Text is measured by its glyphs' advances: more text is wider, a monospaced
// face gives every character the same advance, and the drawing fills exactly the measured cell.
TEST_F(BitmapText, DrawTextPaintsExactlyTheMeasuredCell) {
  EXPECT_EQ(WesternToUtf8("A\x80\xE9\x96"), "A\u20AC\u00E9\u2013");
  EXPECT_EQ(FontPixelHeight(14), 19) << "14 points at 96 dots an inch are 18.7 pixels, rounded";
  Bitmap b(10, 10);
  int w1, w2, wi, wm, h1, h;
  ASSERT_TRUE(b.MeasureText("Wide", w1, h1) && b.MeasureText("Wide Wide", w2, h));
  EXPECT_GT(w2, 2 * w1);
  EXPECT_GE(h1, 13) << "the cell is at least the em height";
  DrawFont().SetFaceName("Courier New");
  ASSERT_TRUE(b.MeasureText("iiii", wi, h) && b.MeasureText("MMMM", wm, h));
  EXPECT_EQ(wi, wm);

  for (const char* face : {"Arial", "Courier New", "No Such Face 4711"}) {
    DrawFont().SetFaceName(face);
    Bitmap pic = Filled(120, 40, kGround);
    ASSERT_TRUE(pic.MeasureText("Hello 42", w1, h1) && pic.DrawText("Hello 42", 7, 5));
    int ink = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 120; ++x) {
        const uint32_t c = pic.GetPixel(x, y);
        const bool inCell = x >= 7 && x < 7 + w1 && y >= 5 && y < 5 + h1;
        ASSERT_EQ(c != kGround, inCell) << face << ": pixel " << x << "," << y;
        ink += inCell && c != 0xCCCCFFu;
      }
    }
    EXPECT_EQ(pic.GetPixel(7 + w1 - 1, 5 + h1 - 1), 0xCCCCFFu) << face << ": the corner is background";
    EXPECT_GT(ink, 30) << face;
  }
}

TEST_F(BitmapText, TextIsClippedToThePicture) {
  Bitmap small = Filled(20, 10, kGround);
  EXPECT_TRUE(small.DrawText("Clipped text", -15, -6));
  EXPECT_NE(small.GetPixel(0, 0), kGround);
  EXPECT_EQ(small.GetPixel(19, 9), kGround);
  EXPECT_TRUE(small.DrawText("gone", -2147483647, 2147483600));
  DrawFont().size = 2000000000;  // held to a sane glyph size, not a failed allocation
  EXPECT_TRUE(small.DrawText("W", 0, 0));
}

TEST_F(BitmapText, RectanglesOutlineWithThePenAndFillWithTheBrush) {
  DrawPen().color = 0x112233;
  DrawBrush().color = 0xCCCCFF;
  Bitmap b = Filled(12, 10, kGround);
  ASSERT_TRUE(b.DrawRectangle(2, 1, 6, 5));  // covers x 2..7, y 1..5
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x <= 7 && y >= 1 && y <= 5;
      const bool border = inside && (x == 2 || x == 7 || y == 1 || y == 5);
      ASSERT_EQ(b.GetPixel(x, y), border ? 0x112233u : inside ? 0xCCCCFFu : kGround) << x << "," << y;
    }
  }
}

}  // namespace
