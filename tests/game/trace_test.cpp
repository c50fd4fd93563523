// The flight of a shot: corridor, bounces, the mend for aims in the lower corners, the final
// approach, and a pinned set of paths (recordings replay through this code: any change of a single
// bit in a path would desynchronise them).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/trace.h"
#include "tests/game/field_test_support.h"

namespace {
PointPath Fire(Field& field, int ax, int ay) {
  PointPath path;
  field.Trace(ax, ay, trace::kStartX, trace::kStartY, 0.0, path);
  return path;
}

void ExpectPoint(const PointSpeed& p, double x, double y, double speed) {
  EXPECT_EQ(p.x, x);
  EXPECT_EQ(p.y, y);
  EXPECT_EQ(p.tag, 0.0);
  EXPECT_EQ(p.speed, speed);
}

TEST(Trace, StraightUpIntoAnEmptyBoardEndsAtTheCeiling) {
  FieldRash field;
  const PointPath path = Fire(field, 294, 200);
  ASSERT_EQ(path.size(), 2u);
  ExpectPoint(path[0], 278, 53, 10.0);  // 40 pixels below the end point (278, 13)
  ExpectPoint(path[1], 269, 13, 5.0);   // cell 8, the nearest of row 0
  EXPECT_EQ(field.LandingIndex(), 8);
}

TEST(Trace, StraightUpStopsAtTheFirstBallAbove) {
  FieldRash field;
  field.SetCell(Index(8, 4), 2);  // centre (285, 157): 9 pixels left of the line x = 294
  field.SetCell(Index(8, 1), 3);  // further up on the same line: hidden behind the first
  const PointPath path = Fire(field, 294, 100);
  ASSERT_EQ(path.size(), 2u);
  // Contact 32 pixels from the ball's centre: y = 157 + sqrt(32^2 - 9^2) = 187.7.
  ExpectPoint(path[0], 278, 211, 10.0);
  ExpectPoint(path[1], 285, 173, 5.0);
  EXPECT_EQ(field.LandingIndex(), Index(8, 5));
}

TEST(Trace, BallTwentyTwoPixelsFromTheLineIsHitAtTwentyThreeItIsPassed) {
  FieldRash field;
  field.SetCell(Index(8, 5), 1);  // centre (301, 189)
  PointPath near;
  field.Trace(323, 100, 323, 547, 0.0, near);
  EXPECT_EQ(field.LandingIndex(), Index(9, 6));  // settles below and right of the ball
  PointPath far;
  field.Trace(324, 100, 324, 547, 0.0, far);
  EXPECT_LT(field.LandingIndex(), kColumns);  // flies past to the ceiling
  ASSERT_EQ(far.size(), 2u);
}

TEST(Trace, BounceContinuesFromTheWallLineWithoutHittingThatWallAgain) {
  FieldRash field;
  const PointPath path = Fire(field, 100, 300);
  ASSERT_EQ(path.size(), 3u);
  ExpectPoint(path[0], 13, 193, 10.0);  // left wall contact at centre y 209
  EXPECT_GT(path[1].x, 13.0);           // the next segment leaves the wall
  EXPECT_EQ(path[2].y, 13.0);
  EXPECT_LT(field.LandingIndex(), kColumns);
}

TEST(Trace, AimsInTheLowerCornersBounceInsteadOfLeavingTheField) {
  for (const int ax : {14, 575}) {
    FieldRash field;
    const PointPath path = Fire(field, ax, 499);
    ASSERT_GE(path.size(), 3u);
    // The line meets the wall a pixel below the field's bottom (centre y 501): it bounces there.
    EXPECT_EQ(path[0].x, ax < 294 ? 13.0 : 545.0);
    EXPECT_EQ(path[0].y, 485.0);
    for (const PointSpeed& p : path) {
      EXPECT_GE(p.x, 13.0) << ax;
      EXPECT_LE(p.x, 545.0) << ax;
      EXPECT_GE(p.y, 13.0) << ax;
      EXPECT_LE(p.y, 485.0) << ax;
    }
    EXPECT_LT(field.LandingIndex(), kColumns) << ax;
    EXPECT_EQ(path.back().y, 13.0);
  }
}

TEST(Trace, LastPointSettlesAtHalfSpeedAfterTheFullSpeedApproach) {
  TestBoard b;
  SetRows(b.field, {"01122334450011223", "33445.00112.3344.", "2.4455001..23344"});
  for (int i = 0; i < 100; ++i) {
    const int ax = 14 + (i * 37) % 562;
    const int ay = 14 + (i * 53) % 485;
    const PointPath path = Fire(b.field, ax, ay);
    ASSERT_GE(path.size(), 2u);
    const PointSpeed& last = path.back();
    const PointSpeed& approach = path[path.size() - 2];
    EXPECT_EQ(last.speed, 5.0);
    EXPECT_EQ(approach.speed, 10.0);
    const CellPoint cell = b.field.CellPosition(b.field.LandingIndex());
    EXPECT_EQ(last.x, cell.x);
    EXPECT_EQ(last.y, cell.y);
    EXPECT_TRUE(b.field.IsEmpty(b.field.LandingIndex()));
    // The approach lies within 40 pixels of the end point, which lies within a cell of the landing.
    EXPECT_LE(std::hypot(approach.x - last.x, approach.y - last.y), 40.0 + 32.0) << ax << " " << ay;
  }
}

TEST(Trace, ApproachFromTheLauncherWhenTheEndIsNearerThanFortyPixels) {
  FieldRash field;
  for (int i = 0; i < kCellCount - 2 * kColumns; ++i)
    field.SetCell(i, 1);  // balls down to row 13
  const PointPath path = Fire(field, 294, 400);
  ASSERT_EQ(path.size(), 2u);
  EXPECT_EQ(path[1].speed, 5.0);
}

struct PinnedShot {
  int ax, ay, landing;
  std::vector<PointSpeed> path;
};

TEST(Trace, PathsArePinnedToTheBit) {
  FieldRash field;
  SetRows(field, {"01122334450011223", "33445.00112.3344.", "2.4455001..23344", "5512.3..0.1122",
                  "..12....0.11", "...2.....1"});
  const std::vector<PinnedShot> shots = {
      {37,
       488,
       92,
       {{0x1.ap+3, 0x1.d6p+8, 0, 0x1.4p+3},
        {0x1.108p+9, 0x1.5bp+8, 0, 0x1.4p+3},
        {0x1.ap+3, 0x1.bep+7, 0, 0x1.4p+3},
        {0x1.a8206a98b363ap+7, 0x1.6052b9bdf3e89p+7, 0, 0x1.4p+3},
        {0x1.fap+7, 0x1.5ap+7, 0, 0x1.4p+2}}},
      {100,
       300,
       69,
       {{0x1.ap+3, 0x1.82p+7, 0, 0x1.4p+3},
        {0x1.5a5b215797e3cp+4, 0x1.6b76f9997d904p+7, 0, 0x1.4p+3},
        {0x1.68p+5, 0x1.1ap+7, 0, 0x1.4p+2}}},
      {282,
       243,
       92,
       {{0x1.08ab7b6f54055p+8, 0x1.a7ee257b93a99p+7, 0, 0x1.4p+3}, {0x1.fap+7, 0x1.5ap+7, 0, 0x1.4p+2}}},
      {400,
       100,
       95,
       {{0x1.60e305f6c02b5p+8, 0x1.a5e5656770d72p+7, 0, 0x1.4p+3}, {0x1.5dp+8, 0x1.5ap+7, 0, 0x1.4p+2}}},
      {527,
       488,
       80,
       {{0x1.108p+9, 0x1.cfp+8, 0, 0x1.4p+3},
        {0x1.ap+3, 0x1.48p+8, 0, 0x1.4p+3},
        {0x1.108p+9, 0x1.82p+7, 0, 0x1.4p+3},
        {0x1.b0baa5aa33374p+8, 0x1.4801792d88a79p+7, 0, 0x1.4p+3},
        {0x1.8dp+8, 0x1.1ap+7, 0, 0x1.4p+2}}},
      {294, 50, 93, {{0x1.16p+8, 0x1.a6p+7, 0, 0x1.4p+3}, {0x1.1dp+8, 0x1.5ap+7, 0, 0x1.4p+2}}},
      {560,
       400,
       89,
       {{0x1.108p+9, 0x1.7fp+8, 0, 0x1.4p+3},
        {0x1.7e046eeba796cp+7, 0x1.76b2d20927fa7p+7, 0, 0x1.4p+3},
        {0x1.3ap+7, 0x1.5ap+7, 0, 0x1.4p+2}}},
      // Aimed through a ball's centre: the line touches it head on.
      {141,
       189,
       87,
       {{0x1.1789cb50f537fp+7, 0x1.a185609d245f8p+7, 0, 0x1.4p+3}, {0x1.74p+6, 0x1.5ap+7, 0, 0x1.4p+2}}},
      {285,
       157,
       75,
       {{0x1.0d05ce95c3111p+8, 0x1.67f94e25c968dp+7, 0, 0x1.4p+3}, {0x1.dap+7, 0x1.1ap+7, 0, 0x1.4p+2}}},
  };
  for (const PinnedShot& shot : shots) {
    const PointPath path = Fire(field, shot.ax, shot.ay);
    EXPECT_EQ(field.LandingIndex(), shot.landing) << shot.ax << " " << shot.ay;
    ASSERT_EQ(path.size(), shot.path.size()) << shot.ax << " " << shot.ay;
    for (std::size_t i = 0; i < path.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "aim " << shot.ax << " " << shot.ay << " point " << i);
      ExpectPoint(path[i], shot.path[i].x, shot.path[i].y, shot.path[i].speed);
    }
  }
}

TEST(Trace, AnyAimEndsWithALandingOnTheBoard) {
  // Aims the game never fires (horizontal lines, points outside the field) still give a finite path.
  FieldRash field;
  SetRows(field, {"01122334450011223", "33445.00112.3344."});
  for (const auto& aim :
       std::vector<std::pair<int, int>>{{100, 547}, {294, 547}, {-5000, 547}, {0, 1}, {600, 600}}) {
    PointPath path;
    field.Trace(aim.first, aim.second, trace::kStartX, trace::kStartY, 0.0, path);
    ASSERT_GE(path.size(), 2u);
    EXPECT_LE(path.size(), static_cast<std::size_t>(trace::kMaxBounces + 2));
    EXPECT_GE(field.LandingIndex(), 0);
    EXPECT_LT(field.LandingIndex(), kCellCount);
  }
}
}  // namespace
