// OBitmap compositing: Draw in all its modes and at every edge, DrawSmooth, MakeMaskFromPair, SmoothCopy.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "engine/bitmap.h"
#include "tests/engine/bitmap_test_util.h"

namespace {

// A picture whose every pixel differs, so any misplaced pixel shows.
OBitmap Pattern(int width, int height, uint32_t salt = 0) {
  OBitmap b(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y, (0x10000 * (x * 7 + 1) + 0x100 * (y * 11 + 3) + salt) & 0xFFFFFF);
  }
  return b;
}

uint8_t Channel(uint32_t c, int k) {
  return static_cast<uint8_t>(c >> (8 * k));
}

uint32_t BlendRef(uint32_t src, uint32_t dst, int t) {
  uint32_t out = 0;
  for (int k = 0; k < 3; ++k) {
    const int s = Channel(src, k), d = Channel(dst, k);
    out |= uint32_t{static_cast<uint8_t>(s + (((d - s) * t) >> 8))} << (8 * k);
  }
  return out;
}

// The drawing rules pixel by pixel, in logical coordinates, with no clipping arithmetic to get wrong.
void DrawRef(OBitmap& dst, const OBitmap& src, int x, int y, BitmapRect r) {
  for (int sy = r.top; sy < r.bottom; ++sy) {
    for (int sx = r.left; sx < r.right; ++sx) {
      const int dx = x + sx, dy = y + sy;
      if (sx < 0 || sy < 0 || sx >= src.GetWidth() || sy >= src.GetHeight()) continue;
      if (dx < 0 || dy < 0 || dx >= dst.GetWidth() || dy >= dst.GetHeight()) continue;
      const uint32_t s = src.GetPixel(sx, sy), d = dst.GetPixel(dx, dy);
      if (const uint8_t* mask = src.GetMaskRow(sy)) {
        const int a = mask[sx] + src.transparency;
        if (a == 0)
          dst.SetPixel(dx, dy, s);
        else if (a < 255)
          dst.SetPixel(dx, dy, BlendRef(s, d, a));
      } else if (static_cast<int64_t>(s) != src.colorKey) {
        if (src.transparency == 0)
          dst.SetPixel(dx, dy, s);
        else if (src.transparency <= 255)
          dst.SetPixel(dx, dy, BlendRef(s, d, src.transparency));
        else
          dst.SetPixel(dx, dy, dst.fillColor);
      }
    }
  }
}

void ExpectSamePixels(const OBitmap& a, const OBitmap& b, const std::string& what) {
  ASSERT_EQ(a.GetWidth(), b.GetWidth());
  ASSERT_EQ(a.GetHeight(), b.GetHeight());
  int wrong = 0;
  for (int y = 0; y < a.GetHeight(); ++y) {
    for (int x = 0; x < a.GetWidth(); ++x) {
      if (a.GetPixel(x, y) != b.GetPixel(x, y) && ++wrong <= 3) {
        ADD_FAILURE() << what << ": pixel " << x << "," << y << " is " << std::hex << a.GetPixel(x, y)
                      << " but should be " << b.GetPixel(x, y);
      }
    }
  }
  // The spare rows must stay untouched as well.
  for (int i = 0; i < a.GetStride(); ++i) {
    ASSERT_EQ(a.GetPixels()[a.GetHeight() * a.GetStride() + i], 0) << what << ": spare row written";
  }
}

OBitmap Backdrop(int width, int height) {
  OBitmap b = Filled(width, height, 0x336699);
  for (int y = 0; y < height; y += 3)
    b.SetPixel(y % width, y, 0x00FF80);
  return b;
}

TEST(BitmapDraw, ColourKeyFromTheTopLeftHidesEveryPixelOfThatColour) {
  OBitmap src = Filled(4, 4, 0xFF00FF);
  src.SetPixel(1, 1, 0x112233);
  src.SetPixel(3, 2, 0x445566);
  src.SetColorKey(-1);
  OBitmap dst = Filled(6, 6, 0x000000);
  dst.Draw(&src, 1, 1);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const uint32_t want = (x == 2 && y == 2) ? 0x112233u : (x == 4 && y == 3) ? 0x445566u : 0u;
      EXPECT_EQ(dst.GetPixel(x, y), want) << x << "," << y;
    }
  }
}

TEST(BitmapDraw, TransparencyAbove255PaintsTheShapeInTheDestinationFillColour) {
  OBitmap src = Filled(3, 1, 0x000000);
  src.SetPixel(1, 0, 0x808080);
  src.colorKey = 0x000000;
  src.transparency = 256;
  src.fillColor = 0x0000FF;  // the source's own fill colour plays no part
  OBitmap dst = Filled(3, 1, 0x101010);
  dst.fillColor = 0xFFEE00;
  dst.Draw(&src, 0, 0);
  EXPECT_EQ(dst.GetPixel(0, 0), 0x101010u);
  EXPECT_EQ(dst.GetPixel(1, 0), 0xFFEE00u);
  EXPECT_EQ(dst.GetPixel(2, 0), 0x101010u);
}

TEST(BitmapDraw, TransparencyKeepsThatShareOfTheDestination) {
  OBitmap src = Filled(1, 1, 0xFF0000);
  src.transparency = 64;
  OBitmap dst = Filled(1, 1, 0x0000FF);
  dst.Draw(&src, 0, 0);
  // red: 255 + ((0 - 255) * 64 >> 8) = 255 - 64 = 191; blue: 0 + (255 * 64 >> 8) = 63.
  EXPECT_EQ(dst.GetPixel(0, 0), 0xBF003Fu);
}

TEST(BitmapDraw, MaskedPixelsIgnoreTheKeyAndAddTheTransparency) {
  OBitmap src = Filled(4, 1, 0xFF00FF);
  src.SetColorKey(-1);
  uint8_t* m = src.CreateMask(0);
  m[1] = 255;
  m[2] = 128;
  m[3] = 200;
  OBitmap dst = Filled(4, 1, 0x000000);
  dst.Draw(&src, 0, 0);
  EXPECT_EQ(dst.GetPixel(0, 0), 0xFF00FFu) << "mask 0 copies even the key colour";
  EXPECT_EQ(dst.GetPixel(1, 0), 0x000000u);
  EXPECT_EQ(dst.GetPixel(2, 0), BlendRef(0xFF00FF, 0, 128));
  EXPECT_EQ(dst.GetPixel(3, 0), BlendRef(0xFF00FF, 0, 200));

  src.transparency = 60;
  dst.Fill();
  dst.Draw(&src, 0, 0);
  EXPECT_EQ(dst.GetPixel(0, 0), BlendRef(0xFF00FF, 0, 60));
  EXPECT_EQ(dst.GetPixel(2, 0), BlendRef(0xFF00FF, 0, 188));
  EXPECT_EQ(dst.GetPixel(3, 0), 0u) << "200 + 60 is past 255: left alone";
}

TEST(BitmapDraw, EdgesOfTheDestination) {
  const OBitmap src = Pattern(5, 4);
  OBitmap dst = Filled(10, 8, 0);
  dst.Draw(&src, 10, 0);
  dst.Draw(&src, 0, 8);
  dst.Draw(&src, -5, 0);
  dst.Draw(&src, 0, -4);
  ExpectSamePixels(dst, Filled(10, 8, 0), "fully outside");

  OBitmap cut = Filled(10, 8, 0);
  cut.Draw(&src, -3, 0);
  EXPECT_EQ(cut.GetPixel(0, 0), src.GetPixel(3, 0)) << "the left 3 columns are cut off";
  EXPECT_EQ(cut.GetPixel(1, 3), src.GetPixel(4, 3));
  EXPECT_EQ(cut.GetPixel(2, 0), 0u);
}

// Every placement around and across each edge, with and without a source rectangle, against the
// pixel-by-pixel rules.
TEST(BitmapDraw, MatchesThePixelRulesAtEveryPlacement) {
  OBitmap keyed = Pattern(5, 4);
  keyed.SetPixel(2, 1, 0x0000FE);
  keyed.SetPixel(4, 3, 0x0000FE);
  keyed.colorKey = 0x0000FE;
  OBitmap masked = Pattern(5, 4, 0x55);
  uint8_t* mask = masked.CreateMask(0);
  for (int i = 0; i < 5 * 4; ++i)
    mask[i] = static_cast<uint8_t>((i * 97) % 256);
  mask[7] = 255;
  mask[8] = 155;  // + transparency 100 = 255: left alone
  const BitmapRect rects[] = {{0, 0, 5, 4}, {1, 1, 4, 3}, {-2, -2, 9, 9}, {3, 0, 2, 4}};
  for (OBitmap* src : {&keyed, &masked}) {
    for (int t : {0, 100, 300}) {
      src->transparency = t;
      for (const BitmapRect& r : rects) {
        for (int y = -6; y <= 9; ++y) {
          for (int x = -7; x <= 11; ++x) {
            OBitmap got = Backdrop(9, 7), want = Backdrop(9, 7);
            got.fillColor = want.fillColor = 0xC0FFEE;
            got.Draw(src, x, y, &r);
            BitmapRect clipped{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, 5),
                               std::min(r.bottom, 4)};
            DrawRef(want, *src, x, y, clipped);
            ExpectSamePixels(got, want,
                             "at " + std::to_string(x) + "," + std::to_string(y) + " t " + std::to_string(t));
            if (HasFailure()) return;
          }
        }
      }
    }
  }
}

TEST(BitmapDraw, NullOrEmptySourcesDrawNothing) {
  OBitmap dst = Backdrop(4, 4), empty;
  dst.Draw(nullptr, 0, 0);
  dst.Draw(&empty, 0, 0);
  dst.DrawSmooth(nullptr, 0, 0);
  dst.DrawSmooth(&empty, 0.5, 0.5);
  ExpectSamePixels(dst, Backdrop(4, 4), "empty source");
  OBitmap nothing;
  const OBitmap src = Pattern(2, 2);
  nothing.Draw(&src, 0, 0);  // an empty destination takes nothing and does not crash
  EXPECT_FALSE(nothing.HasPixels());
}

// ---- DrawSmooth ----------------------------------------------------------------------------------

OBitmap MaskedPattern(int width, int height) {
  OBitmap b = Pattern(width, height, 0x21);
  uint8_t* m = b.CreateMask(0);
  for (int i = 0; i < width * height; ++i)
    m[i] = static_cast<uint8_t>((i * 53) % 256);
  return b;
}

TEST(BitmapDrawSmooth, WholePositionsMatchDraw) {
  const OBitmap src = MaskedPattern(6, 5);
  const BitmapRect part{1, 2, 5, 4};
  for (int y = -6; y <= 8; ++y) {
    for (int x = -7; x <= 9; ++x) {
      for (const BitmapRect* r : {static_cast<const BitmapRect*>(nullptr), &part}) {
        OBitmap smooth = Backdrop(8, 7), plain = Backdrop(8, 7);
        smooth.DrawSmooth(&src, x, y, r);
        plain.Draw(&src, x, y, r);
        ExpectSamePixels(smooth, plain, "at " + std::to_string(x) + "," + std::to_string(y));
        if (HasFailure()) return;
      }
    }
  }
}

TEST(BitmapDrawSmooth, WithoutAMaskNothingIsDrawn) {
  const OBitmap src = Pattern(3, 3);
  OBitmap dst = Backdrop(5, 5);
  dst.DrawSmooth(&src, 1, 1);
  ExpectSamePixels(dst, Backdrop(5, 5), "unmasked source");
}

TEST(BitmapDrawSmooth, HalfAPixelSplitsEachPixelBetweenTwoColumns) {
  OBitmap src = Filled(1, 1, 0xC8C8C8);
  src.CreateMask(0);
  for (const double x : {2.5, -0.5}) {
    // -0.5: the integer part is -1 and the fraction 0.5, so the pixel straddles columns -1 and 0.
    OBitmap dst = Filled(4, 1, 0x000000);
    dst.DrawSmooth(&src, x, 0);
    const int left = x > 0 ? 2 : -1;
    // Weight 128 for the pixel, the other 128 is outside the picture (transparent black):
    // colour 200 * 128 >> 8 = 100, mask 255 * 128 >> 8 = 127; 100 + ((0 - 100) * 127 >> 8) = 50.
    for (int col = 0; col < 4; ++col) {
      const bool covered = col == left || col == left + 1;
      EXPECT_EQ(dst.GetPixel(col, 0), covered ? 0x323232u : 0u) << "x " << x << " column " << col;
    }
  }
}

TEST(BitmapDrawSmooth, FractionsMoveThePictureTheWayTheyPoint) {
  // A pixel at x + 0.75 lands mostly on the right-hand column, at y + 0.25 mostly on the upper row.
  OBitmap src = Filled(1, 1, 0xFFFFFF);
  src.CreateMask(0);
  OBitmap dst = Filled(3, 3, 0x000000);
  dst.DrawSmooth(&src, 1.75, 0.25);
  EXPECT_GT(dst.GetPixel(2, 0) & 0xFF, dst.GetPixel(1, 0) & 0xFF);
  EXPECT_GT(dst.GetPixel(2, 0) & 0xFF, dst.GetPixel(2, 1) & 0xFF);
  EXPECT_EQ(dst.GetPixel(0, 0), 0u);
  EXPECT_EQ(dst.GetPixel(1, 2), 0u);
  // A whole negative coordinate lands where Draw puts it (fraction 1 of the floor below).
  OBitmap a = Backdrop(5, 5), b = Backdrop(5, 5);
  const OBitmap pic = MaskedPattern(4, 4);
  a.DrawSmooth(&pic, -1.0, -2.0);
  b.Draw(&pic, -1, -2);
  ExpectSamePixels(a, b, "at -1,-2");
}

TEST(BitmapDrawSmooth, OpaqueInteriorTakesTheFilteredColour) {
  OBitmap src = Filled(4, 4, 0x000000);
  src.SetPixel(1, 1, 0x0000FF);
  src.CreateMask(0);
  OBitmap dst = Filled(7, 7, 0x00FF00);
  dst.DrawSmooth(&src, 1.5, 1.5);
  // Destination (2, 2) gathers source (1,1), (0,1), (1,0), (0,0), each with weight 64: blue 255 * 64 >> 8;
  // destination (3, 3) gathers (2,2), (1,2), (2,1), (1,1).
  EXPECT_EQ(dst.GetPixel(3, 3), 0x00003Fu);
  EXPECT_EQ(dst.GetPixel(2, 2), 0x00003Fu);
  EXPECT_EQ(dst.GetPixel(4, 4), 0x000000u) << "source (2,2) is black and opaque";
  EXPECT_EQ(dst.GetPixel(0, 0), 0x00FF00u);
  dst.DrawSmooth(&src, 1e300, 0);  // far away and huge: nothing, no overflow
  dst.DrawSmooth(&src, -1e300, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(dst.GetPixel(0, 0), 0x00FF00u);
}

// ---- masks -----------------------------------------------------------------------------------------

TEST(BitmapMakeMaskFromPair, DerivesCoverageAndDividesItOut) {
  OBitmap onBlack = Filled(3, 1, 0), onWhite = Filled(3, 1, 0);
  onBlack.SetPixel(0, 0, 0x204060);
  onWhite.SetPixel(0, 0, 0x204060);  // opaque
  onBlack.SetPixel(1, 0, 0x000000);
  onWhite.SetPixel(1, 0, 0xFFFFFF);  // fully transparent
  onBlack.SetPixel(2, 0, 0x402000);  // half covered: 0x804000 at half strength
  onWhite.SetPixel(2, 0, 0xC0A080);
  ASSERT_TRUE(onBlack.MakeMaskFromPair(onWhite));
  const uint8_t* mask = onBlack.GetMaskRow(0);
  ASSERT_NE(mask, nullptr);
  EXPECT_EQ(mask[0], 0);
  EXPECT_EQ(mask[1], 255);
  EXPECT_EQ(mask[2], 0x80);
  EXPECT_EQ(onBlack.GetPixel(0, 0), 0x204060u);
  EXPECT_EQ(onBlack.GetPixel(1, 0), 0u);
  // 0x40 * 255 / 127 = 128, 0x20 * 255 / 127 = 64.
  EXPECT_EQ(onBlack.GetPixel(2, 0), 0x804000u);
  EXPECT_EQ(mask[3], 255) << "slack is transparent";
}

TEST(BitmapMakeMaskFromPair, MismatchedPairsChangeNothingOrStayInRange) {
  OBitmap a = Pattern(3, 2), b = Pattern(2, 3), empty;
  EXPECT_FALSE(a.MakeMaskFromPair(b));
  EXPECT_FALSE(a.MakeMaskFromPair(empty));
  EXPECT_FALSE(empty.MakeMaskFromPair(a));
  EXPECT_EQ(a.GetMask(), nullptr);
  ExpectSamePixels(a, Pattern(3, 2), "unchanged");
  // A pair that is not a real black/white pair would divide past white; it stops at 255.
  OBitmap onBlack = Filled(1, 1, 0xC8C8C8), onWhite = Filled(1, 1, 0x646464);
  ASSERT_TRUE(onBlack.MakeMaskFromPair(onWhite));
  EXPECT_EQ(onBlack.GetMaskRow(0)[0], 100);
  EXPECT_EQ(onBlack.GetPixel(0, 0), 0xFFFFFFu);
}

TEST(BitmapSmoothCopy, AveragesTwoByTwoIntoAPictureOneLargerBorderedInTheFillColour) {
  OBitmap src = Filled(3, 3, 0);
  src.fillColor = 0x010203;
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x)
      src.SetPixel(x, y, 0x040404 * (1 + x + 3 * y));
  }
  OBitmap out;
  ASSERT_TRUE(out.SmoothCopy(src));
  ASSERT_EQ(out.GetWidth(), 4);
  ASSERT_EQ(out.GetHeight(), 4);
  // Memory row r + 1 of the copy = logical row 3 - (r + 1); source memory rows r, r + 1 = logical
  // rows 2 - r, 1 - r. So copy logical row 2 averages source rows 1 and 2; row 1 averages rows 0 and 1.
  auto avg = [&](int x, int y) {
    const uint32_t v = ((src.GetPixel(x, y) & 0xFF) + (src.GetPixel(x + 1, y) & 0xFF) +
                        (src.GetPixel(x, y + 1) & 0xFF) + (src.GetPixel(x + 1, y + 1) & 0xFF)) >>
                       2;
    return v * 0x010101;
  };
  EXPECT_EQ(out.GetPixel(1, 2), avg(0, 1));
  EXPECT_EQ(out.GetPixel(2, 2), avg(1, 1));
  EXPECT_EQ(out.GetPixel(1, 1), avg(0, 0));
  EXPECT_EQ(out.GetPixel(2, 1), avg(1, 0));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(out.GetPixel(0, i), 0x010203u) << "left column " << i;
    EXPECT_EQ(out.GetPixel(3, i), 0x010203u) << "right column " << i;
    EXPECT_EQ(out.GetPixel(i, 0), 0x010203u) << "top row " << i;
    EXPECT_EQ(out.GetPixel(i, 3), 0x010203u) << "bottom row " << i;
  }
  EXPECT_EQ(out.GetMask(), nullptr);

  // A copy of itself works from the old pixels.
  OBitmap self = Pattern(4, 3);
  OBitmap expected;
  ASSERT_TRUE(expected.SmoothCopy(self));
  ASSERT_TRUE(self.SmoothCopy(self));
  ExpectSamePixels(self, expected, "self copy");
  OBitmap empty;
  EXPECT_FALSE(self.SmoothCopy(empty));
  EXPECT_EQ(self.GetWidth(), 5);
}

}  // namespace
