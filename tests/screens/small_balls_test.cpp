// SmallBalls: the size and place of a shower, its frames played backward, the cap, the animation
// option, Clear, screens that go first, and the burst over a pressed command button.
#include <gtest/gtest.h>

#include "engine/button.h"
#include "engine/kill_window_button.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class Shower : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadCatalogue()) << "data files missing: build the globbet_data target";
    GetOptions() = Options{};
    SetPlatform(&platform);
    shower = std::make_unique<SmallBalls>();
    shower->Seed(3);
    SetSmallBallShower(shower.get());
    screen = std::make_unique<OEngine>(nullptr, 0, 0, 800, 600);
  }
  void TearDown() override {
    screen.reset();
    shower.reset();
    SetSmallBallShower(nullptr);
    SetPlatform(nullptr);
  }

  HeadlessPlatform platform;
  std::unique_ptr<SmallBalls> shower;
  std::unique_ptr<OEngine> screen;
};

TEST_F(Shower, ABurstThrowsFiveToSevenParticlesAroundItsPoint) {
  for (int i = 0; i < 20; ++i) {
    shower->Clear();
    shower->Burst(*screen, 300, 200, 2, false);
    EXPECT_GE(shower->Count(), 5);
    EXPECT_LE(shower->Count(), 7);
    for (const SmallBallParticle* p : shower->Particles()) {
      EXPECT_LE(std::abs(p->x - 300), 10);
      EXPECT_LE(std::abs(p->y - 200), 10);
      EXPECT_LE(std::abs(p->speedX), SmallBalls::kMaxSpeed);
      EXPECT_LE(std::abs(p->speedY), SmallBalls::kMaxSpeed);
      EXPECT_EQ(p->depth, SmallBalls::kDepth);
      EXPECT_TRUE(p->GetFrame(0)->SharesStorageWith(*catalogue::ballPictures[2]->GetFrame(0)));
    }
  }
  shower->Clear();
  shower->Burst(*screen, 300, 200, 2, true);
  EXPECT_GE(shower->Count(), 10);
  EXPECT_LE(shower->Count(), 14);
}

TEST_F(Shower, ParticlesPlayBackwardAndVanishAfterFrameZero) {
  shower->Burst(*screen, 100, 100, 0, false);
  const int frames = catalogue::ballPictures[0]->GetFrameCount();
  for (int tick = 0; tick < 3 * (frames + 1) && shower->Count() > 0; ++tick) {
    shower->Advance(10);
    screen->OnFrame(10);
  }
  EXPECT_EQ(shower->Count(), 0);
  EXPECT_TRUE(screen->GetClips().empty()) << "the screen removed every particle";
}

TEST_F(Shower, TheCapStopsNewShowersAndTheOptionStopsAll) {
  while (shower->Count() < SmallBalls::kMaxParticles)
    shower->Burst(*screen, 100, 100, 1, true);
  const int full = shower->Count();
  shower->Burst(*screen, 100, 100, 1, true);
  EXPECT_EQ(shower->Count(), full);
  shower->Clear();
  EXPECT_EQ(shower->Count(), 0);
  screen->OnFrame(1);
  EXPECT_TRUE(screen->GetClips().empty());
  GetOptions().Animate = false;
  shower->Burst(*screen, 100, 100, 1, false);
  EXPECT_EQ(shower->Count(), 0);
}

TEST_F(Shower, AColourWithoutPicturesDrawsItsNumbersButThrowsNothing) {
  SmallBalls twin;
  twin.Seed(3);
  shower->Burst(*screen, 50, 50, 7, false);
  EXPECT_EQ(shower->Count(), 0);
  twin.Burst(*screen, 50, 50, 0, false);
  shower->Burst(*screen, 50, 50, 4, false);
  twin.Burst(*screen, 50, 50, 4, false);
  // The same numbers were drawn before the second showers, so they match particle for particle.
  ASSERT_GT(shower->Count(), 0);
  ASSERT_GE(twin.Count(), shower->Count() + 5);
  const auto& a = shower->Particles();
  const auto& b = twin.Particles();
  const size_t offset = b.size() - a.size();
  for (size_t i = 0; i < a.size(); ++i)
    EXPECT_EQ(a[i]->speedX, b[offset + i]->speedX) << i;
  twin.Clear();
}

TEST_F(Shower, AScreenThatGoesTakesItsParticlesOutOfTheShower) {
  shower->Burst(*screen, 50, 50, 3, true);
  ASSERT_GT(shower->Count(), 0);
  screen.reset();
  EXPECT_EQ(shower->Count(), 0);
  shower->Advance(10);
  shower->Advance(10);
  shower->Advance(10);
  // And a shower that goes first leaves its particles to their screen.
  screen = std::make_unique<OEngine>(nullptr, 0, 0, 800, 600);
  shower->Burst(*screen, 50, 50, 3, false);
  shower.reset();
  SetSmallBallShower(nullptr);
  screen->OnFrame(10);
}

class ButtonScreen : public OKillWindowButton {
 public:
  using OKillWindowButton::OKillWindowButton;
  void OnButtonCommand(OClipControl*) override {}
};

TEST_F(Shower, APressedCommandButtonBurstsItsColour) {
  ButtonScreen buttons(nullptr, 0, 0, 800, 600);
  auto button = std::make_unique<OClipButton>();
  button->AddSequence()->AddFrame(std::make_unique<OBitmap>(64, 40));
  button->SetFrame(0, 0);
  button->x = 200, button->y = 100;
  button->commandCode = 13;
  buttons.AddControl(std::move(button));
  buttons.OnLButtonDown(230, 120);
  ASSERT_GT(shower->Count(), 0);
  for (const SmallBallParticle* p : shower->Particles()) {
    EXPECT_TRUE(p->GetFrame(0)->SharesStorageWith(*catalogue::ballPictures[3]->GetFrame(0)));
    EXPECT_LE(std::abs(p->x - (200 + 16)), 10);
    EXPECT_LE(std::abs(p->y - (100 + 4)), 10);
  }
  shower->Clear();
}

}  // namespace
