// ABall: appearing, vanishing at any tick length, the shine, the fall and its burst, slides, the copy
// rules and the chosen looks.
#include <gtest/gtest.h>

#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class Ball : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadCatalogue()) << "data files missing: build the globbet_data target";
    GetOptions() = Options{};
    SetSmallBallShower(&shower);
    ball = std::make_unique<ABall>(*catalogue::ballSprites[3]);
  }
  void TearDown() override { SetSmallBallShower(nullptr); }

  // Ticks until the ball shows frame (true) or maxTicks have passed.
  bool TickUntilFrame(int frame, int ms, int maxTicks = 100) {
    for (int i = 0; i < maxTicks; ++i) {
      if (ball->GetCurrentFrame() == frame) return true;
      ball->Tick(ms);
    }
    return ball->GetCurrentFrame() == frame;
  }

  SmallBalls shower;
  std::unique_ptr<ABall> ball;
};

TEST_F(Ball, AppearsFromFrameTwoAndRestsOnFrameNine) {
  EXPECT_EQ(ball->colour, 3);
  ball->visible = false;
  ball->StartAppear();
  EXPECT_EQ(ball->GetCurrentFrame(), ABall::kAppearFrame);
  EXPECT_TRUE(ball->visible);
  EXPECT_EQ(ball->frameTime, 20);
  ASSERT_TRUE(TickUntilFrame(ABall::kRestFrame, 20));
  for (int i = 0; i < 10; ++i)
    ball->Tick(20);
  EXPECT_EQ(ball->GetCurrentFrame(), ABall::kRestFrame);
  EXPECT_TRUE(ball->stopped);
}

TEST_F(Ball, VanishesBackToFrameZeroWhateverTheTickLength) {
  for (int ms : {5, 20, 49, 50, 60, 200}) {
    ball = std::make_unique<ABall>(*catalogue::ballSprites[3]);
    ball->frameTime = 20;  // as the waiting ball has it
    ball->SetFrame(ABall::kRestFrame);
    ball->StartDying();
    int ticks = 0;
    while (ball->visible && ticks++ < 200)
      ball->Tick(ms);
    EXPECT_FALSE(ball->visible) << ms << " ms ticks";
    EXPECT_EQ(ball->GetCurrentFrame(), 0) << ms << " ms ticks";
    EXPECT_FALSE(ball->dying);
  }
}

TEST_F(Ball, ShinesDownToFrameFiveAndBackUp) {
  for (int ms : {10, 60}) {
    ball->SetFrame(ABall::kRestFrame);
    ball->StartShine();
    EXPECT_EQ(ball->shine, ABall::kShineDown);
    ASSERT_TRUE(TickUntilFrame(ABall::kShineTurnFrame, ms)) << ms;
    ball->Tick(ms);
    EXPECT_EQ(ball->shine, ABall::kShineUp) << ms;
    int ticks = 0;
    while (ball->shine != ABall::kNoShine && ticks++ < 100)
      ball->Tick(ms);
    EXPECT_EQ(ball->GetCurrentFrame(), ABall::kRestFrame) << ms;
    EXPECT_EQ(ball->shine, ABall::kNoShine) << ms;
  }
  // A shine started while one runs down only restarts its timer.
  ball->StartShine();
  ball->Tick(60);
  const int frame = ball->GetCurrentFrame();
  ball->shineTime = 40;
  ball->StartShine();
  EXPECT_EQ(ball->shineTime, 0);
  EXPECT_EQ(ball->GetCurrentFrame(), frame);
  EXPECT_EQ(ball->shine, ABall::kShineDown);
}

TEST_F(Ball, FallsItsLimitThenBurstsIntoSmallBalls) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  {
    OEngine screen(nullptr, 0, 0, 800, 600);
    for (bool animate : {true, false}) {
      GetOptions().Animate = animate;
      ABall* falling = AddBallSprite(screen, catalogue::ballSprites[2].get(), 100, 200, -10);
      ASSERT_NE(falling, nullptr);
      falling->StartFall(32);
      falling->StartFall(500);  // a second start changes nothing
      EXPECT_EQ(falling->fallLimit, 32);
      EXPECT_EQ(falling->fallStartY, 200);
      EXPECT_EQ(falling->speedY, ABall::kFallSpeed);
      const int before = shower.Count();
      int frames = 0;
      while (screen.HasClip(falling) && frames++ < 100)
        screen.OnFrame(1);  // one frame step each: 4 pixels
      EXPECT_FALSE(screen.HasClip(falling));
      EXPECT_EQ(frames, 9) << "more than 32 pixels down after nine steps of 4";
      EXPECT_EQ(shower.Count() > before, animate);
    }
  }
  SetPlatform(nullptr);
}

TEST_F(Ball, SlidesToAPointAndStops) {
  ball->x = 10, ball->y = 10;
  ball->MoveTo(10, 42);
  EXPECT_EQ(ball->displayMode, ABall::kMoving);
  ASSERT_EQ(ball->path.size(), 1u);
  EXPECT_EQ(ball->path.front().speed, ABall::kMoveSpeed);
  ball->OnPathEnd(ball->path.front());
  EXPECT_EQ(ball->displayMode, ABall::kStopped);
}

TEST_F(Ball, CopiesKeepTheBallButNotItsFall) {
  ball->StartFall(32);
  ball->shine = ABall::kShineUp;
  ball->shineTime = 30;
  ball->dyingTime = 7;
  ball->colour = 4;
  const ABall copy(*ball);
  EXPECT_EQ(copy.colour, 4);
  EXPECT_EQ(copy.displayMode, ABall::kFalling);
  EXPECT_EQ(copy.shine, ABall::kShineUp);
  EXPECT_EQ(copy.dyingTime, 7);
  EXPECT_EQ(copy.shineTime, 0);
  EXPECT_EQ(copy.fallLimit, 0);
  EXPECT_TRUE(copy.GetFrame(0)->SharesStorageWith(*ball->GetFrame(0)));
  ABall assigned;
  assigned = *ball;
  EXPECT_EQ(assigned.colour, 4);
  EXPECT_EQ(assigned.displayMode, ABall::kFalling);
  EXPECT_EQ(assigned.shine, ABall::kNoShine);
  EXPECT_EQ(assigned.GetFrameCount(), 10);
}

TEST_F(Ball, TakesTheChosenLookOfItsColour) {
  const OClip& skin = *catalogue::skins[3];
  ball->SetFrame(ABall::kRestFrame);
  const OBitmap* before = ball->GetFrame(ABall::kRestFrame);
  for (int look : {-1, skin.GetFrameCount()}) {
    GetOptions().Skins[3] = look;
    ApplyLook(*ball);
    EXPECT_EQ(ball->GetFrame(ABall::kRestFrame), before) << look;
  }
  GetOptions().Skins[3] = 1;
  ApplyLook(*ball);
  const OBitmap* rest = ball->GetFrame(ABall::kRestFrame);
  EXPECT_TRUE(rest->SharesStorageWith(*skin.GetFrame(1)));
  EXPECT_EQ(rest->frameAction, kFrameStop);
  EXPECT_EQ(ball->GetShownPicture(), rest) << "a ball at rest shows its new look at once";
  // The indicator's small ball has no looks.
  ABall small(*catalogue::ballSprites[6]);
  const OBitmap* smallRest = small.GetFrame(ABall::kRestFrame);
  ApplyLook(small);
  EXPECT_EQ(small.GetFrame(ABall::kRestFrame), smallRest);
}

}  // namespace
