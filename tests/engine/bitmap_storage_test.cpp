// OBitmap memory layout, shared storage and the simple pixel operations.
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "engine/bitmap.h"
#include "tests/engine/bitmap_test_util.h"

namespace {

TEST(BitmapLayout, StrideRoundsThreeBytesAPixelUpToFour) {
  for (const auto& [width, stride] : {std::pair{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {800, 2400}}) {
    OBitmap b(width, 2);
    EXPECT_EQ(b.GetStride(), stride) << "width " << width;
  }
}

TEST(BitmapLayout, RowsAreBottomUpWithABlackSpareRowOnTop) {
  OBitmap b;
  ASSERT_TRUE(b.Create(3, 4, 0x102030));
  b.SetPixel(1, 0, 0xAABBCC);  // top logical row
  b.SetPixel(2, 3, 0x010203);  // bottom logical row
  const uint8_t* p = b.GetPixels();
  const int stride = b.GetStride();
  // Logical row 0 is memory row height - 1; blue first.
  EXPECT_EQ(p[3 * stride + 3 + 0], 0xCC);
  EXPECT_EQ(p[3 * stride + 3 + 2], 0xAA);
  EXPECT_EQ(p[0 * stride + 6 + 0], 0x03);
  EXPECT_EQ(p[0 * stride + 6 + 2], 0x01);
  EXPECT_EQ(b.GetRow(0), p + 3 * stride);
  // The spare row (memory row height) exists and is never filled.
  for (int i = 0; i < stride; ++i)
    EXPECT_EQ(p[4 * stride + i], 0) << i;
  EXPECT_EQ(b.GetPixel(0, 0), 0x102030u);
}

TEST(BitmapLayout, MaskHasARowAndAByteOfSlackAndRunsBottomUp) {
  OBitmap b(5, 3);
  EXPECT_EQ(b.GetMask(), nullptr);
  EXPECT_EQ(BitmapMaskSize(5, 3), 5 * 3 + 5 + 1);
  uint8_t* mask = b.CreateMask(7);
  ASSERT_NE(mask, nullptr);
  for (int i = 0; i < BitmapMaskSize(5, 3); ++i)
    EXPECT_EQ(mask[i], 7) << i;
  EXPECT_EQ(b.GetMaskRow(0), mask + 2 * 5);
  EXPECT_EQ(b.GetMaskRow(2), mask);
  b.FreeMask();
  EXPECT_EQ(b.GetMask(), nullptr);
  EXPECT_EQ(b.GetMaskRow(0), nullptr);
}

TEST(BitmapLayout, CreateRejectsUnusableSizesAndLeavesNoPixels) {
  OBitmap b(4, 4);
  EXPECT_FALSE(b.Create(0, 5));
  EXPECT_FALSE(b.HasPixels());
  EXPECT_EQ(b.GetPixels(), nullptr);
  EXPECT_FALSE(b.Create(5, -1));
  EXPECT_FALSE(b.Create(100000, 100000));
  EXPECT_FALSE(b.HasPixels());
  EXPECT_EQ(b.GetWidth(), 0);
  // Operations on the empty picture do nothing.
  b.Fill();
  b.SetColorKey(-1);
  EXPECT_EQ(b.colorKey, -1);
  EXPECT_EQ(b.GetPixel(0, 0), 0u);
  EXPECT_EQ(b.CreateMask(0), nullptr);
}

TEST(BitmapLayout, CreateFillsWithTheGivenColourOrKeepsTheOldFillColour) {
  OBitmap b;
  EXPECT_EQ(b.fillColor, 0xFFFFFFu);
  ASSERT_TRUE(b.Create(2, 2));
  EXPECT_EQ(b.GetPixel(1, 1), 0xFFFFFFu);
  ASSERT_TRUE(b.Create(2, 2, 0x123456));
  EXPECT_EQ(b.fillColor, 0x123456u);
  ASSERT_TRUE(b.Create(3, 1));
  EXPECT_EQ(b.GetPixel(2, 0), 0x123456u);
}

TEST(BitmapSharing, CopiesShareStorageAndTheLastOwnerFreesIt) {
  auto original = std::make_unique<OBitmap>(8, 8);
  original->offsetX = 3;
  original->offsetY = 4;
  original->transparency = 40;
  original->colorKey = 0xFF00FF;
  original->fillColor = 0x111111;
  original->frameAction = 2;
  EXPECT_EQ(original->GetOwnerCount(), 1);
  {
    OBitmap copy(*original);
    EXPECT_TRUE(copy.SharesStorageWith(*original));
    EXPECT_EQ(original->GetOwnerCount(), 2);
    EXPECT_EQ(copy.offsetX, 3);
    EXPECT_EQ(copy.offsetY, 4);
    EXPECT_EQ(copy.transparency, 40);
    EXPECT_EQ(copy.colorKey, 0xFF00FF);
    EXPECT_EQ(copy.fillColor, 0xFFFFFFu) << "the fill colour is not part of a copy";
    EXPECT_EQ(copy.frameAction, 0) << "frame instructions are not part of a copy";
    copy.SetPixel(0, 0, 0x00FF00);
    EXPECT_EQ(original->GetPixel(0, 0), 0x00FF00u);
  }
  EXPECT_EQ(original->GetOwnerCount(), 1);

  // The original goes first; the copy keeps the pixels alive (ASan catches a premature free).
  OBitmap survivor;
  ASSERT_TRUE(survivor.ShareFrom(original.get()));
  original->CreateMask(9);
  original.reset();
  EXPECT_EQ(survivor.GetOwnerCount(), 1);
  EXPECT_EQ(survivor.GetPixel(0, 0), 0x00FF00u);
  ASSERT_NE(survivor.GetMask(), nullptr);
  EXPECT_EQ(survivor.GetMask()[0], 9);
}

TEST(BitmapSharing, MovingHandsOverTheStorageAndEveryField) {
  std::vector<OBitmap> frames;
  for (int i = 0; i < 20; ++i) {  // growth moves the earlier entries
    frames.push_back(Filled(2, 2, 0x000100 * i));
    frames.back().frameAction = i;
  }
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(frames[i].fillColor, 0x000100u * i);
    EXPECT_EQ(frames[i].frameAction, i);
    EXPECT_EQ(frames[i].GetOwnerCount(), 1);
  }
  OBitmap taken = std::move(frames[3]);
  EXPECT_FALSE(frames[3].HasPixels());  // a moved-from bitmap is empty
  EXPECT_EQ(taken.GetPixel(1, 1), 0x000300u);
}

TEST(BitmapSharing, RecreatingOrResharingReleasesTheOldStorage) {
  OBitmap a(4, 4), b(a), c(a);
  EXPECT_EQ(a.GetOwnerCount(), 3);
  ASSERT_TRUE(b.Create(2, 2));
  EXPECT_EQ(a.GetOwnerCount(), 2);
  EXPECT_EQ(b.GetOwnerCount(), 1);
  EXPECT_FALSE(c.ShareFrom(nullptr));
  EXPECT_TRUE(c.SharesStorageWith(a));
  ASSERT_TRUE(c.ShareFrom(&b));
  EXPECT_EQ(a.GetOwnerCount(), 1);
  EXPECT_EQ(b.GetOwnerCount(), 2);
  // Sharing what is already shared, or itself, changes no count.
  ASSERT_TRUE(c.ShareFrom(&b));
  ASSERT_TRUE(c.ShareFrom(&c));
  OBitmap& alias = c;
  c = alias;
  EXPECT_EQ(b.GetOwnerCount(), 2);
  // Sharing an empty bitmap empties this one.
  OBitmap empty;
  ASSERT_TRUE(c.ShareFrom(&empty));
  EXPECT_FALSE(c.HasPixels());
  EXPECT_EQ(b.GetOwnerCount(), 1);
}

TEST(BitmapFill, FillsTheClippedRectangleOnly) {
  OBitmap b = Filled(6, 5, 0);
  b.fillColor = 0xABCDEF;
  const BitmapRect r{-3, 3, 2, 99};
  b.Fill(&r);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(b.GetPixel(x, y), (x < 2 && y >= 3) ? 0xABCDEFu : 0u) << x << "," << y;
    }
  }
  const BitmapRect inverted{4, 4, 2, 2};
  b.Fill(&inverted);
  EXPECT_EQ(b.GetPixel(3, 3), 0u);
  // The spare row is never filled.
  b.Fill();
  const uint8_t* spare = b.GetPixels() + 5 * b.GetStride();
  for (int i = 0; i < b.GetStride(); ++i)
    EXPECT_EQ(spare[i], 0) << i;
}

TEST(BitmapColorKey, MinusOneTakesTheTopLeftPixel) {
  OBitmap b = Filled(3, 3, 0x000000);
  b.SetPixel(0, 0, 0xFF00FF);
  b.SetPixel(0, 2, 0x00FF00);  // bottom-left: the first pixel in memory, which must not be taken
  b.SetColorKey(-1);
  EXPECT_EQ(b.colorKey, 0xFF00FF);
  b.SetColorKey(0x123456);
  EXPECT_EQ(b.colorKey, 0x123456);
}

}  // namespace
