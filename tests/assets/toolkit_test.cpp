// The generator's drawing toolkit: its conversions into the engine's pictures keep the colour key for
// the background alone, masks and bled edges behave, and JPEG records come out the same on every run
// and decode with the game's reader.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/clip.h"
#include "engine/clip_file.h"
#include "tools/assets/canvas.h"
#include "tools/assets/output.h"

using namespace art;

namespace {

// A canvas with a soft-edged disc in the middle and transparent corners.
void Disc(Canvas& c, uint32_t colour) {
  cairo_arc(c.cr(), c.width() / 2.0, c.height() / 2.0, c.width() / 3.0, 0, 2 * M_PI);
  SetColour(c.cr(), Hex(colour));
  cairo_fill(c.cr());
}

TEST(AssetToolkit, KeyedPicturesKeepTheKeyForTheBackgroundAlone) {
  Canvas c(16, 16);
  Disc(c, 0xFF00FF);  // the very key colour, drawn
  const OBitmap p = ToKeyed(c, Hex(0xCCCCFF), 0xFF00FF);
  EXPECT_EQ(p.GetPixel(0, 0), 0xFF00FFu);
  EXPECT_NE(p.GetPixel(8, 8), 0xFF00FFu) << "a drawn pixel must never read as the key";
  EXPECT_EQ(p.GetPixel(8, 8) & 0xFEFFFE, 0xFE00FEu) << "and stays within a hair of its colour";
  // An edge pixel is the disc blended over the lavender it will be shown on.
  bool blended = false;
  for (int x = 0; x < 8; ++x) {
    const uint32_t v = p.GetPixel(x, 8);
    if (v != 0xFF00FF && v != 0xFF00FE && (v & 0xFF) == 0xFF && ((v >> 8) & 0xFF) > 0) blended = true;
  }
  EXPECT_TRUE(blended);
}

TEST(AssetToolkit, MaskedPicturesFillTheirTransparentPixels) {
  Canvas c(16, 16);
  Disc(c, 0x336699);
  const OBitmap keyed = ToMasked(c, true, 0xFF00FF);
  ASSERT_NE(keyed.GetMask(), nullptr);
  EXPECT_EQ(keyed.GetMaskRow(0)[0], 255);
  EXPECT_EQ(keyed.GetMaskRow(8)[8], 0);
  EXPECT_EQ(keyed.GetPixel(0, 0), 0xFF00FFu) << "controls miss on their transparent corners";
  EXPECT_EQ(keyed.GetPixel(8, 8), 0x336699u);
  const OBitmap bled = ToMasked(c, false);
  // Filtered drawing must not pull a foreign colour in from the transparent pixels (edge colours come
  // back from premultiplied values, a step or two off).
  const uint32_t corner = bled.GetPixel(0, 0);
  for (int shift : {0, 8, 16}) EXPECT_NEAR(int((corner >> shift) & 255), int((0x336699u >> shift) & 255), 3);
}

TEST(AssetToolkit, OpaquePicturesNeverHoldTheKey) {
  Canvas c(4, 4);
  SetColour(c.cr(), Hex(0xFF00FF));
  cairo_paint(c.cr());
  const OBitmap p = ToOpaque(c, Hex(0));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_NE(p.GetPixel(x, y), 0xFF00FFu);
}

TEST(AssetToolkit, JpegRecordsAreTheSameOnEveryRunAndDecode) {
  Canvas c(40, 24);
  SetVertical(c.cr(), 0, Hex(0x6457CF), 24, Hex(0x3B2F9F));
  cairo_paint(c.cr());
  ClipFileWriter first, second;
  SingleFrame(first, AddJpeg(first, c, 0xCCCCFF));
  SingleFrame(second, AddJpeg(second, c, 0xCCCCFF));
  EXPECT_EQ(first.Bytes(), second.Bytes()) << "the cipher's filler would make runs differ";
  ClipFileView view;
  const std::vector<uint8_t> bytes = first.Bytes();
  ASSERT_TRUE(ParseClipFile(bytes, view));
  ASSERT_EQ(view.images.size(), 1u);
  EXPECT_EQ(view.images[0].type, kClipImageJpeg);
  EXPECT_EQ(view.images[0].plainLength % 8, 7);
  OClip clip;
  ASSERT_TRUE(LoadClipBytes(bytes, clip));
  const OBitmap* picture = clip.GetFrame(0);
  ASSERT_NE(picture, nullptr);
  const uint32_t got = picture->GetPixel(20, 12), want = ToHex(c.Pixel(20, 12));
  for (int shift : {0, 8, 16})
    EXPECT_NEAR(int((got >> shift) & 255), int((want >> shift) & 255), 6);
  EXPECT_EQ(uint32_t(picture->colorKey), 0xFF00FFu) << "opaque pictures key on a colour they never hold";
}

TEST(AssetToolkit, SpheresCoverTheirDisc) {
  Canvas c(40, 40);
  DrawSphere(c, 20, 20, 15, Hex(0x56B4E9));
  double coverage = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      coverage += c.Pixel(x, y).a;
  EXPECT_NEAR(coverage, M_PI * 15 * 15, 15);
  // Lit from the upper left: brighter there than at the lower right.
  const Rgba lit = c.Pixel(13, 13), shade = c.Pixel(28, 28);
  EXPECT_GT(lit.r + lit.g + lit.b, shade.r + shade.g + shade.b);
}

}  // namespace
