// The flight of a shot: the corridor a ball hits within, bounces, the lower corners, the final approach,
// and paths pinned to the bit (recordings replay through this code: a single changed bit desynchronises
// them).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/trace.h"
#include "tests/support/board_rows.h"

namespace {
PointPath Fire(Field& field, int ax, int ay, double x0 = trace::kStartX) {
  PointPath path;
  field.Trace(ax, ay, x0, trace::kStartY, 0.0, path);
  return path;
}

struct PinnedShot {
  int ax, ay, landing;
  std::vector<PointSpeed> path;  // x, y, tag, speed
};

TEST(Trace, PathsArePinnedToTheBit) {
  FieldRash empty, field;
  SetRows(field,
          "01122334450011223|33445.00112.3344.|2.4455001..23344|5512.3..0.1122|..12....0.11|...2.....1");
  SetRows(empty, "");
  const PinnedShot emptyShots[] = {
      {294, 200, 8, {{278, 53, 0, 10}, {269, 13, 0, 5}}},  // straight up to the ceiling, nearest cell
      {100,
       300,
       4,
       {{13, 193, 0, 10},
        {0x1.02aac3435c386p+7, 0x1.63e9b8de803cep+5, 0, 10},
        {0x1.1ap+7, 13, 0, 5}}},  // a bounce
  };
  const PinnedShot shots[] = {
      // clang-format off
      {37, 488, 92, {{0x1.ap+3, 0x1.d6p+8, 0, 10}, {0x1.108p+9, 0x1.5bp+8, 0, 10}, {0x1.ap+3, 0x1.bep+7, 0, 10},
                     {0x1.a8206a98b363ap+7, 0x1.6052b9bdf3e89p+7, 0, 10}, {0x1.fap+7, 0x1.5ap+7, 0, 5}}},
      {100, 300, 69, {{0x1.ap+3, 0x1.82p+7, 0, 10}, {0x1.5a5b215797e3cp+4, 0x1.6b76f9997d904p+7, 0, 10},
                      {0x1.68p+5, 0x1.1ap+7, 0, 5}}},
      {282, 243, 92, {{0x1.08ab7b6f54055p+8, 0x1.a7ee257b93a99p+7, 0, 10}, {0x1.fap+7, 0x1.5ap+7, 0, 5}}},
      {400, 100, 95, {{0x1.60e305f6c02b5p+8, 0x1.a5e5656770d72p+7, 0, 10}, {0x1.5dp+8, 0x1.5ap+7, 0, 5}}},
      {527, 488, 80, {{0x1.108p+9, 0x1.cfp+8, 0, 10}, {0x1.ap+3, 0x1.48p+8, 0, 10}, {0x1.108p+9, 0x1.82p+7, 0, 10},
                      {0x1.b0baa5aa33374p+8, 0x1.4801792d88a79p+7, 0, 10}, {0x1.8dp+8, 0x1.1ap+7, 0, 5}}},
      {294, 50, 93, {{0x1.16p+8, 0x1.a6p+7, 0, 10}, {0x1.1dp+8, 0x1.5ap+7, 0, 5}}},
      {560, 400, 89, {{0x1.108p+9, 0x1.7fp+8, 0, 10}, {0x1.7e046eeba796cp+7, 0x1.76b2d20927fa7p+7, 0, 10},
                      {0x1.3ap+7, 0x1.5ap+7, 0, 5}}},
      // aimed through a ball's centre: the line touches it head on
      {141, 189, 87, {{0x1.1789cb50f537fp+7, 0x1.a185609d245f8p+7, 0, 10}, {0x1.74p+6, 0x1.5ap+7, 0, 5}}},
      {285, 157, 75, {{0x1.0d05ce95c3111p+8, 0x1.67f94e25c968dp+7, 0, 10}, {0x1.dap+7, 0x1.1ap+7, 0, 5}}},
      // clang-format on
  };
  for (auto [board, list] :
       {std::pair{&empty, std::vector<PinnedShot>(std::begin(emptyShots), std::end(emptyShots))},
        std::pair{&field, std::vector<PinnedShot>(std::begin(shots), std::end(shots))}})
    for (const PinnedShot& shot : list) {
      SCOPED_TRACE(testing::Message() << "aim " << shot.ax << " " << shot.ay);
      const PointPath path = Fire(*board, shot.ax, shot.ay);
      EXPECT_EQ(board->LandingIndex(), shot.landing);
      ASSERT_EQ(path.size(), shot.path.size());
      for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_EQ(path[i].x, shot.path[i].x) << i;
        EXPECT_EQ(path[i].y, shot.path[i].y) << i;
        EXPECT_EQ(path[i].tag, 0.0) << i;
        EXPECT_EQ(path[i].speed, shot.path[i].speed) << i;
      }
    }
}

TEST(Trace, ABallTwentyTwoPixelsFromTheLineIsHitAtTwentyThreeItIsPassed) {
  FieldRash field;
  SetRows(field, "");
  field.SetCell(Index(8, 5), 1);  // centre (301, 189)
  Fire(field, 323, 100, 323);
  EXPECT_EQ(field.LandingIndex(), Index(9, 6));
  Fire(field, 324, 100, 324);
  EXPECT_LT(field.LandingIndex(), kColumns);
}

TEST(Trace, AimsInTheLowerCornersBounceInsideTheField) {
  for (const int ax : {14, 575}) {
    FieldRash field;
    SetRows(field, "");
    const PointPath path = Fire(field, ax, 499);
    ASSERT_GE(path.size(), 3u);
    EXPECT_EQ(path[0].x, ax < 294 ? 13.0 : 545.0);  // the wall a pixel below the field's bottom
    EXPECT_EQ(path[0].y, 485.0);
    for (const PointSpeed& p : path) {
      EXPECT_TRUE(13.0 <= p.x && p.x <= 545.0 && 13.0 <= p.y && p.y <= 485.0) << ax;
    }
    EXPECT_EQ(path.back().y, 13.0);
  }
}

TEST(Trace, EveryAimSettlesInAnEmptyCellAfterAFullSpeedApproach) {
  FieldRash field;
  SetRows(field, "01122334450011223|33445.00112.3344.|2.4455001..23344");
  for (int i = 0; i < 100; ++i) {
    const int ax = 14 + (i * 37) % 562, ay = 14 + (i * 53) % 485;
    SCOPED_TRACE(testing::Message() << ax << " " << ay);
    const PointPath path = Fire(field, ax, ay);
    ASSERT_GE(path.size(), 2u);
    const PointSpeed &last = path.back(), &approach = path[path.size() - 2];
    EXPECT_EQ(last.speed, 5.0);
    EXPECT_EQ(approach.speed, 10.0);
    const CellPoint cell = field.CellPosition(field.LandingIndex());
    EXPECT_EQ(last.x, cell.x);
    EXPECT_EQ(last.y, cell.y);
    EXPECT_TRUE(field.IsEmpty(field.LandingIndex()));
    EXPECT_LE(std::hypot(approach.x - last.x, approach.y - last.y), 40.0 + 32.0);
  }
  // Aims the game never fires still end on the board within the bounce limit.
  for (const auto& [ax, ay] :
       std::vector<std::pair<int, int>>{{100, 547}, {-5000, 547}, {0, 1}, {600, 600}}) {
    const PointPath path = Fire(field, ax, ay);
    EXPECT_GE(path.size(), 2u);
    EXPECT_LE(path.size(), std::size_t(trace::kMaxBounces + 2));
    EXPECT_TRUE(field.LandingIndex() >= 0 && field.LandingIndex() < kCellCount);
  }
}
}  // namespace
