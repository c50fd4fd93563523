// The screens' moving parts with the program's own pictures: a ball's frames at any tick length, its
// fall and burst, and the ball letters' drop.
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

class Widgets : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Start());
    screen = std::make_unique<Screen>(nullptr, 0, 0, 800, 600);
  }
  std::unique_ptr<Screen> screen;
};

TEST_F(Widgets, ABallAppearsShinesAndVanishesWhateverTheTickLength) {
  for (int ms : {5, 20, 49, 50, 60, 200}) {
    SCOPED_TRACE(ms);
    Ball ball(*catalogue::ballSprites()[3]);
    const auto tickUntil = [&](auto done) {
      for (int i = 0; i < 400 && !done(); ++i)
        ball.Tick(ms);
      return done();
    };
    ball.StartAppear();
    EXPECT_EQ(ball.GetCurrentFrame(), Ball::kAppearFrame);
    EXPECT_TRUE(tickUntil([&] { return ball.stopped; }));
    EXPECT_EQ(ball.GetCurrentFrame(), Ball::kRestFrame);
    ball.StartShine();
    int lowest = Ball::kRestFrame;
    EXPECT_TRUE(tickUntil([&] {
      lowest = std::min(lowest, ball.GetCurrentFrame());
      return ball.shine == Ball::kNoShine;
    }));
    EXPECT_EQ(lowest, Ball::kShineTurnFrame);
    EXPECT_EQ(ball.GetCurrentFrame(), Ball::kRestFrame);
    ball.StartDying();
    EXPECT_TRUE(tickUntil([&] { return !ball.visible; }));
    EXPECT_EQ(ball.GetCurrentFrame(), 0);
  }
}

TEST_F(Widgets, AFallingBallFallsItsLimitThenBurstsUnlessAnimationIsOff) {
  for (bool animate : {true, false}) {
    GetOptions().animate = animate;
    Ball* ball = AddBallSprite(*screen, catalogue::ballSprites()[2].get(), 100, 200, -10);
    ball->StartFall(32);
    ball->StartFall(500);  // a second start changes nothing
    const int before = screens::smallBalls()->Count();
    int frames = 0;
    for (; screen->HasClip(ball) && frames < 100; ++frames)
      screen->OnFrame(1);
    EXPECT_EQ(frames, 9) << "four pixels a frame, past 32";
    EXPECT_EQ(screens::smallBalls()->Count() > before, animate);
  }
}

TEST_F(Widgets, LettersDropBounceAndLandOnTheirLineWithOneSoundEachOrStandAtOnceWithoutAnimation) {
  for (bool animate : {true, false}) {
    GetOptions().animate = animate;
    const int landed = sounds.Count(SoundId::kKnock);
    BallText line;
    line.Show(*screen, 100, 200, "Go 1", 300, -5);
    ASSERT_EQ(line.Letters().size(), 3u);  // the space makes no letter
    EXPECT_EQ(line.Letters()[2]->x, 175);
    bool bounced = false, rest = false;
    for (int i = 0; i < 1000 && !rest; ++i, screen->OnFrame(10)) {
      rest = true;
      for (const BallLetter* letter : line.Letters()) {
        bounced = bounced || letter->speedY < 0;
        rest = rest && letter->dropState == BallLetter::kAtRest && letter->y == 200;
      }
    }
    EXPECT_TRUE(rest);
    EXPECT_EQ(bounced, animate);
    EXPECT_EQ(sounds.Count(SoundId::kKnock) - landed, animate ? 3 : 0);
  }
}

}  // namespace
