// Screen drawing: the dirty-rectangle redraw paints (and presents) the same picture as a full redraw,
// merges overlapping areas, and the redraw needs a picture.
#include <gtest/gtest.h>

#include <random>

#include "screen_testing.h"

using namespace screen_testing;

namespace {

bool Overlap(const BitmapRect& a, const BitmapRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class ScreenDraw : public HeadlessFixture {};

// A masked 12 x 12 disc-like picture (opaque centre, half-transparent ring, transparent corners).
std::unique_ptr<OBitmap> MaskedPicture(uint32_t color) {
  auto b = Picture(12, 12, color);
  uint8_t* mask = b->CreateMask(255);
  EXPECT_NE(mask, nullptr);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const int d = std::abs(2 * x - 11) + std::abs(2 * y - 11);
      b->GetMaskRow(y)[x] = d < 8 ? 0 : (d < 14 ? 128 : 255);
    }
  return b;
}

TEST_F(ScreenDraw, DirtyRedrawAfterRandomChangesGivesTheFullRedrawPicture) {
  constexpr int kWidth = 300, kHeight = 200;
  OEngine screen(&window, 40, 30, kWidth, kHeight);
  screen.backgroundColor = 0xCCCCFF;
  screen.redrawMode = OEngine::kRedrawDirty;
  std::mt19937 random(12345);
  const auto coin = [&](int n) { return static_cast<int>(random() % unsigned(n)); };
  // Opaque, colour-keyed, blended, masked, two-frame and smooth clips over each other.
  std::vector<OClip*> clips;
  for (int i = 0; i < 40; ++i) {
    auto clip = std::make_unique<OClip>();
    const uint32_t color = 0x100000u * unsigned(i % 15 + 1) + 0x0701u * unsigned(i);
    switch (i % 5) {
      case 0:
        clip->AddFrame(Picture(20, 14, color));
        break;
      case 1: {
        auto keyed = Picture(16, 16, color);
        for (int k = 0; k < 16; ++k)
          keyed->SetPixel(k, k, 0x00FF00);
        keyed->colorKey = 0x00FF00;
        clip->AddFrame(std::move(keyed));
        break;
      }
      case 2:
        clip->AddFrame(Picture(18, 10, color));
        clip->AddFrame(Picture(10, 18, color ^ 0xFFFFFF));
        clip->SetTransparency(100);
        break;
      case 3:
        clip->AddFrame(MaskedPicture(color));
        clip->smooth = i % 2 == 1;
        break;
      default:
        clip->AddFrame(MaskedPicture(color));
        clip->GetFrame(0)->offsetX = 3;
        clip->GetFrame(0)->offsetY = -2;
    }
    clip->x = coin(kWidth + 20) - 10;
    clip->y = coin(kHeight + 20) - 10;
    clip->depth = coin(5);
    clips.push_back(screen.AddClip(std::move(clip)));
  }
  screen.Enter(nullptr);
  for (int round = 0; round < 60; ++round) {
    for (int change = 0; change < 6; ++change) {
      OClip* clip = clips[size_t(coin(int(clips.size())))];
      switch (coin(4)) {
        case 0:
          clip->x += coin(41) - 20 + (clip->smooth ? 0.37 : 0);
          clip->y += coin(41) - 20 + (clip->smooth ? 0.61 : 0);
          break;
        case 1:
          clip->visible = !clip->visible;
          break;
        case 2:
          clip->SetFrame(clip->GetCurrentFrame() + 1, -1);
          break;
        default:
          if (clips.size() > 20 && coin(3) == 0) {
            screen.RemoveClip(clip);
            clips.erase(std::find(clips.begin(), clips.end(), clip));
          }
      }
    }
    screen.OnFrame(10);
    EXPECT_TRUE(screen.GetDirtyList().empty());
    const std::vector<uint32_t> dirty = Pixels(*screen.GetPicture());
    std::vector<uint32_t> shown;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        shown.push_back(platform.GetPixel(40 + x, 30 + y));
    screen.Redraw();
    const std::vector<uint32_t> full = Pixels(*screen.GetPicture());
    ASSERT_EQ(dirty, full) << "round " << round;
    ASSERT_EQ(shown, full) << "round " << round << ": the window did not get every changed area";
  }
}

TEST_F(ScreenDraw, OverlappingAreasMergeUntilNoneOverlapAndTouchingOnesStaySeparate) {
  OEngine screen(nullptr, 0, 0, 100, 100);
  screen.AddDirty({12, 0, 20, 5});
  screen.AddDirty({0, 0, 10, 30});
  screen.AddDirty({10, 0, 12, 30});  // touches both: nothing merges
  EXPECT_EQ(screen.GetDirtyList().size(), 3u);
  screen.AddDirty({50, 50, 60, 60});
  // Overlaps the second and the third; grown by them it reaches the first as well.
  screen.AddDirty({5, 20, 15, 25});
  screen.AddDirty({-20, -20, 0, 0});    // off the screen: nothing to repaint
  screen.AddDirty({95, 95, 150, 150});  // cut to the screen
  screen.AddDirty({30, 30, 30, 40});    // empty
  const auto& list = screen.GetDirtyList();
  for (size_t i = 0; i < list.size(); ++i)
    for (size_t j = i + 1; j < list.size(); ++j)
      EXPECT_FALSE(Overlap(list[i], list[j])) << i << " and " << j;
  ASSERT_EQ(list.size(), 3u);
  bool merged = false, cut = false;
  for (const BitmapRect& r : list) {
    merged |= r.left == 0 && r.top == 0 && r.right == 20 && r.bottom == 30;
    cut |= r.left == 95 && r.right == 100 && r.bottom == 100;
  }
  EXPECT_TRUE(merged);
  EXPECT_TRUE(cut);
}

TEST_F(ScreenDraw, NothingIsDrawnWithoutAPictureAndPresentingCanBeTurnedOff) {
  OEngine screen(&window, 0, 0, 50, 50);
  screen.AddClip(SolidClip(10, 10, {0xFF0000}));
  screen.Redraw();
  screen.RedrawDirty();
  EXPECT_EQ(platform.PresentCount(), 0);
  screen.present = false;
  screen.Enter(nullptr);
  EXPECT_EQ(platform.PresentCount(), 0);
  EXPECT_EQ(screen.GetPicture()->GetPixel(5, 5), 0xFF0000u);
  screen.present = true;
  screen.Leave(0);
  EXPECT_EQ(screen.GetPicture(), nullptr);
  screen.OnFrame(10);
  EXPECT_EQ(platform.PresentCount(), 0);
}

}  // namespace
