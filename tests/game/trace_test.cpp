// The flight of a shot pinned to the bit: the corridor a ball is hit within, bounces, the lower
// corners, the final approach (recordings replay through this code: a single changed bit desynchronises
// them).
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/board_rows.h"

namespace {
struct PinnedShot {
  bool onEmpty;  // on the empty board, else on the rows below
  int ax, ay, landing;
  std::vector<PointSpeed> path;  // x, y, tag, speed
};

TEST(Trace, PathsArePinnedToTheBit) {
  ScratchBoard empty, field;
  SetRows(empty, "");
  SetRows(field,
          "01122334450011223|33445.00112.3344.|2.4455001..23344|5512.3..0.1122|..12....0.11|...2.....1");
  const PinnedShot shots[] = {
      // clang-format off
      {true, 294, 200, 8, {{278, 53, 0, 10}, {269, 13, 0, 5}}},  // straight up to the ceiling, nearest cell
      // the lower corners: the wall is met a pixel below the field, the ball bounces there
      {true, 14, 499, 16, {{13, 485, 0, 10}, {545, 0x1.89p+8, 0, 10}, {13, 0x1.2cp+8, 0, 10}, {545, 0x1.9ep+7, 0, 10},
                           {13, 0x1.c4p+6, 0, 10}, {545, 19, 0, 10}, {545, 19, 0, 10}, {0x1.068p+9, 13, 0, 5}}},
      {true, 575, 499, 1, {{545, 485, 0, 10}, {13, 0x1.89p+8, 0, 10}, {545, 0x1.2dp+8, 0, 10}, {13, 0x1.ap+7, 0, 10},
                           {545, 0x1.ccp+6, 0, 10}, {13, 21, 0, 10}, {0x1.29e1475a7abe2p+4, 0x1.40057628cdbc1p+4, 0, 10},
                           {45, 13, 0, 5}}},
      {true, 100, 300, 4, {{13, 193, 0, 10}, {0x1.02aac3435c386p+7, 0x1.63e9b8de803cep+5, 0, 10}, {0x1.1ap+7, 13, 0, 5}}},
      {false, 37, 488, 92, {{0x1.ap+3, 0x1.d6p+8, 0, 10}, {0x1.108p+9, 0x1.5bp+8, 0, 10}, {0x1.ap+3, 0x1.bep+7, 0, 10},
                            {0x1.a8206a98b363ap+7, 0x1.6052b9bdf3e89p+7, 0, 10}, {0x1.fap+7, 0x1.5ap+7, 0, 5}}},
      {false, 100, 300, 69, {{0x1.ap+3, 0x1.82p+7, 0, 10}, {0x1.5a5b215797e3cp+4, 0x1.6b76f9997d904p+7, 0, 10},
                             {0x1.68p+5, 0x1.1ap+7, 0, 5}}},
      {false, 282, 243, 92, {{0x1.08ab7b6f54055p+8, 0x1.a7ee257b93a99p+7, 0, 10}, {0x1.fap+7, 0x1.5ap+7, 0, 5}}},
      {false, 400, 100, 95, {{0x1.60e305f6c02b5p+8, 0x1.a5e5656770d72p+7, 0, 10}, {0x1.5dp+8, 0x1.5ap+7, 0, 5}}},
      {false, 527, 488, 80, {{0x1.108p+9, 0x1.cfp+8, 0, 10}, {0x1.ap+3, 0x1.48p+8, 0, 10}, {0x1.108p+9, 0x1.82p+7, 0, 10},
                             {0x1.b0baa5aa33374p+8, 0x1.4801792d88a79p+7, 0, 10}, {0x1.8dp+8, 0x1.1ap+7, 0, 5}}},
      {false, 294, 50, 93, {{0x1.16p+8, 0x1.a6p+7, 0, 10}, {0x1.1dp+8, 0x1.5ap+7, 0, 5}}},
      {false, 560, 400, 89, {{0x1.108p+9, 0x1.7fp+8, 0, 10}, {0x1.7e046eeba796cp+7, 0x1.76b2d20927fa7p+7, 0, 10},
                             {0x1.3ap+7, 0x1.5ap+7, 0, 5}}},
      // aimed through a ball's centre: the line touches it head on
      {false, 141, 189, 87, {{0x1.1789cb50f537fp+7, 0x1.a185609d245f8p+7, 0, 10}, {0x1.74p+6, 0x1.5ap+7, 0, 5}}},
      {false, 285, 157, 75, {{0x1.0d05ce95c3111p+8, 0x1.67f94e25c968dp+7, 0, 10}, {0x1.dap+7, 0x1.1ap+7, 0, 5}}},
      // clang-format on
  };
  const auto values = [](const auto& points) {
    std::vector<std::array<double, 4>> v;
    for (const PointSpeed& p : points)
      v.push_back({p.x, p.y, p.tag, p.speed});
    return v;
  };
  for (const PinnedShot& shot : shots) {
    ScratchBoard* board = shot.onEmpty ? &empty : &field;
    SCOPED_TRACE(testing::Message() << "aim " << shot.ax << " " << shot.ay);
    const PointPath path = Fire(*board, shot.ax, shot.ay);
    EXPECT_EQ(board->LandingIndex(), shot.landing);
    EXPECT_EQ(values(path), values(shot.path));
  }
}
}  // namespace
