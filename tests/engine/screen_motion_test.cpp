// Screen frames: whole frame steps, motion by speed and along way-point paths, animation, expiry and
// removal in the same frame, and clips that notifications take away mid-frame.
#include <gtest/gtest.h>

#include <cmath>

#include "screen_testing.h"

using namespace screen_testing;

namespace {

class ScreenMotion : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    screen = std::make_unique<Recording<>>(&window, 0, 0, 200, 200);
    screen->redrawMode = OEngine::kRedrawDirty;
    screen->backgroundColor = 0x102030;
    screen->Enter(nullptr);
  }
  // Adds a 10 x 10 clip at (x, y) and returns it.
  OClip* Add(double x, double y, uint32_t color = 0xFF0000) {
    auto clip = SolidClip(10, 10, {color});
    clip->x = x, clip->y = y;
    return screen->AddClip(std::move(clip));
  }
  std::unique_ptr<Recording<>> screen;
};

TEST_F(ScreenMotion, FrameStepsAreWholeIntervalsAtMostFive) {
  OClip* clip = Add(0, 0);
  clip->speedX = 1.0;
  clip->depthSpeed = 0.5;
  const struct {
    int elapsed;
    double steps;
  } cases[] = {{9, 0}, {10, 1}, {25, 2}, {49, 4}, {80, 5}, {1000, 5}, {-30, 0}};
  for (const auto& c : cases) {
    const double x = clip->x, depth = clip->depth;
    screen->OnFrame(c.elapsed);
    EXPECT_DOUBLE_EQ(clip->x - x, c.steps) << c.elapsed << " ms";
    EXPECT_DOUBLE_EQ(clip->depth - depth, 0.5 * c.steps) << c.elapsed << " ms";
  }
  // A clip that does not move stays, speed or not.
  clip->moving = false;
  screen->OnFrame(30);
  EXPECT_DOUBLE_EQ(clip->x, 17);
}

TEST_F(ScreenMotion, AWayPointStraightBelowIsReachedMovingOnlyDown) {
  OClip* clip = Add(50, 20);
  clip->speedX = 3;  // left alone while the path leads
  clip->SetPath({{50, 70, 7.5, 10}}, true);
  for (int frame = 1; frame <= 4; ++frame) {
    screen->OnFrame(10);
    // Sideways only by the token step that keeps the slope finite.
    EXPECT_NEAR(clip->y, 20 + 10 * frame, 1e-6);
    EXPECT_NEAR(clip->x, 50, 0.00002);
  }
  EXPECT_TRUE(screen->ends.empty());
  screen->OnFrame(20);  // two steps of 10 pass the point: the clip is put on it
  EXPECT_DOUBLE_EQ(clip->x, 50);
  EXPECT_DOUBLE_EQ(clip->y, 70);
  ASSERT_EQ(screen->ends.size(), 1u);
  EXPECT_EQ(screen->ends[0].clip, clip);
  EXPECT_DOUBLE_EQ(screen->ends[0].point.tag, 7.5);
  EXPECT_TRUE(clip->path.empty());
  EXPECT_EQ(clip->speedX, 0);
  EXPECT_EQ(clip->speedY, 0);
}

TEST_F(ScreenMotion, ADiagonalPathPassesItsPointsInOrder) {
  OClip* clip = Add(0, 0);
  // 3-4-5 triangles: speed 5 covers one leg a step.
  clip->SetPath({{30, 40, 1, 5}, {0, 80, 2, 5}}, true);
  screen->OnFrame(10);
  EXPECT_NEAR(clip->x, 3, 1e-9);
  EXPECT_NEAR(clip->y, 4, 1e-9);
  for (int i = 0; i < 9; ++i)
    screen->OnFrame(10);
  ASSERT_EQ(screen->points.size(), 1u);
  EXPECT_DOUBLE_EQ(screen->points[0].point.tag, 1);
  EXPECT_DOUBLE_EQ(clip->x, 30);
  EXPECT_DOUBLE_EQ(clip->y, 40);
  screen->OnFrame(50);
  screen->OnFrame(50);
  ASSERT_EQ(screen->ends.size(), 1u);
  EXPECT_DOUBLE_EQ(clip->x, 0);
  EXPECT_DOUBLE_EQ(clip->y, 80);
}

TEST_F(ScreenMotion, AnExpiredClipGoesInTheSameFrameAndItsAreaIsRepainted) {
  EXPECT_EQ(screen->AddClip(std::make_unique<OClip>()), nullptr);  // nothing to show: refused
  OClip* doomed = Add(40, 60, 0x00FF00);
  OClip* next = Add(100, 100, 0x0000FF);
  next->speedX = 1;
  screen->OnFrame(10);
  EXPECT_EQ(platform.GetPixel(45, 65), 0x00FF00u);
  doomed->lifetime = 25;
  screen->OnFrame(10);
  EXPECT_EQ(screen->GetClips().size(), 2u);
  screen->OnFrame(20);  // the lifetime runs out in this frame's tick
  ASSERT_EQ(screen->expired.size(), 1u);
  EXPECT_EQ(screen->expired[0], doomed);
  ASSERT_EQ(screen->GetClips().size(), 1u);
  EXPECT_EQ(screen->GetClips()[0].get(), next);
  EXPECT_DOUBLE_EQ(next->x, 104);  // the clip that took its place still moved in that frame
  EXPECT_EQ(screen->GetPicture()->GetPixel(45, 65), 0x102030u);
  EXPECT_EQ(platform.GetPixel(45, 65), 0x102030u);
  EXPECT_EQ(platform.GetPixel(106, 105), 0x0000FFu);
}

TEST_F(ScreenMotion, ClipsTakenAwayByNotificationsAreNotTouchedAgain) {
  OClip* arriving = Add(0, 0);
  OClip* other = Add(0, 50);
  OClip* last = Add(0, 100);
  last->speedY = 1;
  arriving->SetPath({{0, 5, 0, 10}}, true);
  // The screen removes the arriving clip and another one when the path ends (as a game does when a
  // flying ball lands): the frame carries on with what is left.
  screen->onPathEnd = [&](OClip* clip) {
    screen->RemoveClip(other);
    screen->RemoveClip(clip);
  };
  screen->OnFrame(10);
  ASSERT_EQ(screen->GetClips().size(), 1u);
  EXPECT_EQ(screen->GetClips()[0].get(), last);
  EXPECT_DOUBLE_EQ(last->y, 101);
}

}  // namespace
