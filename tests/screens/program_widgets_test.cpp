// The status widgets: ball letters dropping and bouncing into place, the step selector, the skins row;
// and the logo zoom's fixed-point scaling.
#include <gtest/gtest.h>

#include "engine/check_box.h"
#include "screens/ball_string.h"
#include "screens/progress_bar.h"
#include "screens/skins_row.h"
#include "screens/zoom_clip.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

// The letters, button and skin pictures the widgets copy, loaded once.
bool LoadWidgetPictures() {
  static const bool loaded = [] {
    bool ok = LoadCatalogue();
    for (int i = 0; i < catalogue::kAlphabetCount; ++i) {
      auto strip = std::make_unique<ABallStr>();
      ok = ok && strip->Load(DataFile("clp/alphabet/%d.clp", i));
      catalogue::alphabetStrips[size_t(i)] = std::move(strip);
    }
    auto cell = std::make_unique<OClipButton>();
    ok = ok && cell->Load(DataFile("clp/buttons/%d.clp", AProgressBar::kCellPicture));
    catalogue::buttonPictures[AProgressBar::kCellPicture] = std::move(cell);
    return ok;
  }();
  return loaded;
}

class Widgets : public SessionFixture {
 protected:
  void SetUp() override {
    SessionFixture::SetUp();
    ASSERT_TRUE(LoadWidgetPictures()) << "data files missing: build the globbet_data target";
  }
};

TEST_F(Widgets, LettersWaitDropBounceAndComeToRestOnTheirLineWithOneLandingSoundEach) {
  AStringB line;
  line.Show(*screen, 100, 200, "Go 1", 300, -5);
  ASSERT_EQ(line.Letters().size(), 3u);  // the space makes no letter
  EXPECT_EQ(line.Letters()[0]->x, 100);
  EXPECT_EQ(line.Letters()[1]->x, 125);
  EXPECT_EQ(line.Letters()[2]->x, 175);
  EXPECT_EQ(line.Letters()[0]->GetCurrentFrame(), 10 + 'G' - 'A');
  EXPECT_EQ(line.Letters()[1]->GetCurrentFrame(), 10 + 'o' - 'a');
  EXPECT_EQ(line.Letters()[2]->GetCurrentFrame(), 1);
  for (const ABallStr* letter : line.Letters()) {
    EXPECT_EQ(letter->y, -100);
    EXPECT_EQ(letter->dropState, ABallStr::kWaiting);
    EXPECT_LT(letter->dropDelay, 500);
    EXPECT_GE(letter->dropSpeed, 4.0);
    EXPECT_LE(letter->dropSpeed, 6.0);
  }
  bool bounced = false;
  ASSERT_TRUE(RunUntil(
      [&] {
        for (const ABallStr* letter : line.Letters())
          bounced = bounced || letter->speedY < 0;
        return std::all_of(line.Letters().begin(), line.Letters().end(),
                           [](const ABallStr* l) { return l->dropState == ABallStr::kAtRest; });
      },
      2000));
  EXPECT_TRUE(bounced);
  for (const ABallStr* letter : line.Letters()) {
    EXPECT_EQ(letter->y, 200);
    EXPECT_EQ(letter->speedY, 0);
  }
  EXPECT_EQ(sounds.Count(ABallStr::kLandingSound), 3);
  line.Hide();
  EXPECT_TRUE(line.Letters().empty());
}

TEST_F(Widgets, WithoutAnimationLettersStandInPlaceAtOnceAndMakeNoSound) {
  GetOptions().Animate = false;
  AStringB line;
  line.Show(*screen, 10, 50, "ab", 300, 0);
  for (int i = 0; i < 100; ++i)
    Frame();
  for (const ABallStr* letter : line.Letters()) {
    EXPECT_EQ(letter->y, 50);
    EXPECT_EQ(letter->dropState, ABallStr::kAtRest);
  }
  EXPECT_EQ(sounds.Count(ABallStr::kLandingSound), 0);
}

TEST_F(Widgets, AQuestionMarkSitsFifteenPixelsLeftAndACentredLineIsCentred) {
  GetOptions().Animate = false;
  AStringB question;
  question.Show(*screen, 100, 40, "?", 0, 0);
  ASSERT_EQ(question.Letters().size(), 1u);
  EXPECT_EQ(question.Letters()[0]->x, 85);
  EXPECT_EQ(question.Letters()[0]->GetCurrentFrame(), 37);
  AStringB centred;
  centred.Show(*screen, -1, -1, "a-b", 0, 0);
  EXPECT_EQ(centred.X(), (800 - 75) / 2);
  EXPECT_EQ(centred.Y(), (600 - catalogue::alphabetStrips[0]->GetHeight()) / 3);
  EXPECT_EQ(centred.Letters()[1]->GetCurrentFrame(), 36);
}

TEST_F(Widgets, TheStepSelectorChecksUpToTheChosenCell) {
  AProgressBar bar(*screen, 5, 100, 400);
  ASSERT_EQ(bar.Cells().size(), 5u);
  EXPECT_EQ(bar.Cells()[4]->x, 220);
  bar.SetValue(2);
  EXPECT_EQ(bar.GetValue(), 2);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(bar.Cells()[size_t(i)]->IsChecked(), i <= 2);
  bar.SetValue(5);  // the number of cells: all checked
  for (const OClipCheckBox* cell : bar.Cells())
    EXPECT_TRUE(cell->IsChecked());
  bar.SetValue(6);  // beyond: ignored
  EXPECT_EQ(bar.GetValue(), 5);
  EXPECT_TRUE(bar.OnControl(bar.Cells()[1]));
  EXPECT_EQ(bar.GetValue(), 1);
  EXPECT_FALSE(bar.OnControl(nullptr));
  const size_t controls = screen->GetControls().size();
  {
    AProgressBar other(*screen, 3, 0, 0);
    EXPECT_EQ(screen->GetControls().size(), controls + 3);
  }
  EXPECT_EQ(screen->GetControls().size(), controls);
}

TEST_F(Widgets, TheSkinsRowHitsInsideSwatchesOnlyAndCyclesLooksOnRelease) {
  ASkins row(*screen, 100, 300);
  EXPECT_EQ(row.HitTest(100, 310), -1);  // on the left edge of swatch 0
  EXPECT_EQ(row.HitTest(132, 310), -1);  // between swatches 0 and 1
  EXPECT_EQ(row.HitTest(133, 310), 1);
  EXPECT_EQ(row.HitTest(101, 300), -1);  // on the top edge
  const int looks = row.Swatch(2)->GetFrameCount();
  ASSERT_GT(looks, 1);
  row.OnPress(180, 310);
  EXPECT_FALSE(row.Swatch(2)->visible);
  row.OnRelease(180, 310);
  EXPECT_TRUE(row.Swatch(2)->visible);
  EXPECT_EQ(row.Swatch(2)->GetCurrentFrame(), 1);
  std::array<int, 6> chosen{0, 0, looks - 1, 0, 99, -1};
  row.Load(chosen);
  row.OnRelease(180, 310);
  std::array<int, 6> saved{};
  row.Save(saved);
  EXPECT_EQ(saved[2], 0);  // wrapped after the last look
  EXPECT_EQ(saved[4], 0);  // an unknown look left the swatch alone
}

TEST(ZoomWeights, SplitPixelsAcrossCellsAndEveryCellAddsUpToOne) {
  // Shrinking 5 pixels onto 3: weights 4096 x 3 / 5 per whole pixel.
  const auto shrink = ZoomWeights(5, 3, 5, 4096 * 3 / 5);
  std::vector<int> sums(3, 0);
  for (const ZoomWeight& w : shrink) {
    sums[size_t(w.cell)] += w.first;
    if (w.second) sums[size_t(w.cell + 1)] += w.second;
  }
  for (int s : sums)
    EXPECT_NEAR(s, 4096, 3);
  EXPECT_EQ(shrink[1].cell, 0);
  EXPECT_EQ(shrink[1].first, 2 * 4096 / 5);
  EXPECT_EQ(shrink[1].second, 1 * 4096 / 5);
  // Equal lengths: one full cell a pixel.
  for (const ZoomWeight& w : ZoomWeights(4, 4, 4, 4096)) {
    EXPECT_EQ(w.first, 4096);
    EXPECT_EQ(w.second, 0);
  }
}

TEST(ZoomScale, AUniformPictureStaysUniformAndItsMaskFollows) {
  OBitmap source;
  ASSERT_TRUE(source.Create(110, 110, 0x336699));
  ASSERT_TRUE(source.CreateMask(0));
  for (int y = 0; y < 110; ++y)
    for (int x = 55; x < 110; ++x)
      source.GetMaskRow(y)[x] = 255;
  for (int side : {60, 87, 110, 130}) {
    auto scaled = ScalePicture(source, side, side);
    ASSERT_TRUE(scaled);
    EXPECT_NEAR(int(scaled->GetPixel(side / 2, side / 2) & 0xFF), 0x99, 2) << side;
    EXPECT_NEAR(int(scaled->GetPixel(1, 1) >> 16), 0x33, 2) << side;
    EXPECT_LE(scaled->GetMaskRow(3)[2], 2) << side;
    EXPECT_GE(scaled->GetMaskRow(3)[side - 2], 253) << side;
  }
}

TEST(ZoomClip, TheLogoGrowsFromSixtyToAHundredAndTenCentredInItsFrame) {
  auto clip = MakeZoomClip(DataFile("clp/globint.clp", 0), 60, 110, 1);
  ASSERT_TRUE(clip);
  ASSERT_EQ(clip->GetFrameCount(), 51);
  const OBitmap* smallest = clip->GetFrame(0);
  EXPECT_EQ(smallest->GetWidth(), 110);
  // Around the 60 x 60 picture (at 25..84) the frame is transparent.
  EXPECT_EQ(smallest->GetMaskRow(10)[10], 255);
  EXPECT_EQ(smallest->GetMaskRow(55)[100], 255);
  EXPECT_FALSE(MakeZoomClip("", 60, 110, 1));
  EXPECT_FALSE(MakeZoomClip(DataFile("clp/globint.clp", 0), 111, 110, 1));
  EXPECT_FALSE(MakeZoomClip("no/such.clp", 60, 110, 1));
}

}  // namespace
