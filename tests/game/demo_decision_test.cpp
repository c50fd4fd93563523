// The demo's choice of shot: candidates and the score of a tried shot.
#include "game/demo_decision.h"

#include <gtest/gtest.h>

#include "game/random.h"
#include "game/trace.h"
#include "tests/game/field_test_support.h"

namespace {
// A seed whose next draw gives the sign wanted (-1: the draw mod 15 is 0).
uint32_t SeedForSign(int sign) {
  for (uint32_t seed = 1;; ++seed) {
    SetLibRandomSeed(seed);
    if ((LibRandom() % 15 == 0) == (sign < 0)) return seed;
  }
}

// Path points and landing cell of a shot at aim on a copy of field.
int PathPoints(const Field& field, AimPoint aim, int* landing) {
  FieldRash copy;
  copy.CopyFrom(field);
  PointPath path;
  copy.Trace(aim.x, aim.y, trace::kStartX, trace::kStartY, 0.0, path);
  *landing = copy.LandingIndex();
  return static_cast<int>(path.size());
}

TEST(DemoCandidates, RunFromTheCentreTowardBothLowerCorners) {
  EXPECT_EQ(DemoCandidate(0).x, 282);
  EXPECT_EQ(DemoCandidate(0).y, 243);
  EXPECT_EQ(DemoCandidate(49).x, 37);
  EXPECT_EQ(DemoCandidate(49).y, 488);
  EXPECT_EQ(DemoCandidate(50).x, 282);
  EXPECT_EQ(DemoCandidate(99).x, 527);
  EXPECT_EQ(DemoCandidate(99).y, 488);
  for (int i = 0; i < kDemoCandidates; ++i)
    EXPECT_TRUE(InAimingArea(DemoCandidate(i).x, DemoCandidate(i).y));
}

TEST(DemoScore, ShotThatTouchesNothingOfItsColourScoresItsRowWeightAndPath) {
  TestBoard b;
  SetRows(b.field, {"00000000000000000"});
  const AimPoint aim = DemoCandidate(10);
  int landing = 0;
  const int points = PathPoints(b.field, aim, &landing);
  const int row = landing / kColumns;
  PointPath scratch;
  for (int sign : {1, -1}) {
    SetLibRandomSeed(SeedForSign(sign));
    EXPECT_EQ(ScoreDemoCandidate(b.field, 4, aim, scratch), 101 + row + points * sign) << sign;
  }
  EXPECT_TRUE(b.field.IsEmpty(landing));  // the live board is untouched
}

TEST(DemoScore, RowsThirteenAndFourteenWeighMore) {
  TestBoard b;
  for (int i = 0; i < 13 * kColumns; ++i)
    b.field.SetCell(i, i % 2 ? 1 : 2);  // down to row 12, no group
  const AimPoint aim = DemoCandidate(0);
  int landing = 0;
  const int points = PathPoints(b.field, aim, &landing);
  ASSERT_EQ(landing / kColumns, 13);
  PointPath scratch;
  SetLibRandomSeed(SeedForSign(1));
  EXPECT_EQ(ScoreDemoCandidate(b.field, 5, aim, scratch), 114 + 100 + points);
}

TEST(DemoScore, BurstGroupCountsTheBallsItRemovesAndWhatFalls) {
  TestBoard b;
  SetRows(b.field, {"00000000000000000", "22222222222222222", "3"});
  const AimPoint aim = DemoCandidate(60);
  int landing = 0;
  const int points = PathPoints(b.field, aim, &landing);
  ASSERT_EQ(landing / kColumns, 2);
  PointPath scratch;
  SetLibRandomSeed(SeedForSign(1));
  // The 17 balls of row 1 burst with the shot ball; the 3 hanging from them falls.
  EXPECT_EQ(ScoreDemoCandidate(b.field, 2, aim, scratch), -17 * 102 - 103 + points);
}

TEST(DemoScore, JoiningOneBallOfItsColourEarnsTwentyLess) {
  TestBoard b;
  SetRows(b.field, {"00000000000000000"});
  const AimPoint aim = DemoCandidate(30);
  int landing = 0;
  const int points = PathPoints(b.field, aim, &landing);
  ASSERT_EQ(landing / kColumns, 1);
  b.field.SetCell(landing - kColumns, 3);  // the cell straight above touches the landing cell
  PointPath scratch;
  SetLibRandomSeed(SeedForSign(1));
  EXPECT_EQ(ScoreDemoCandidate(b.field, 3, aim, scratch), 102 - 20 + points);
}

TEST(DemoChoice, DrawsOncePerCandidateAndPicksTheBurst) {
  TestBoard b;
  // Only the right half of row 1 is colour 2: shots to the right burst it.
  SetRows(b.field, {"00000000000000000", "11111111122222222"});
  SetLibRandomSeed(99);
  const AimPoint aim = ChooseDemoAim(b.field, 2);
  SetLibRandomSeed(99);
  for (int i = 0; i < kDemoCandidates; ++i)
    LibRandom();
  const uint32_t after = LibRandomSeed();
  SetLibRandomSeed(99);
  ChooseDemoAim(b.field, 2);
  EXPECT_EQ(LibRandomSeed(), after);
  EXPECT_GT(aim.x, 282);
  int landing = 0;
  PathPoints(b.field, aim, &landing);
  EXPECT_GE(landing % kColumns, 8);
}
TEST(DemoChoice, TheEarliestOfEqualScoresWins) {
  TestBoard b;
  SetRows(b.field, {"11111111111111111"});
  // A generator state whose next 100 draws all keep the sign positive.
  uint32_t seed = 1;
  for (;; ++seed) {
    SetLibRandomSeed(seed);
    bool positive = true;
    for (int i = 0; i < kDemoCandidates && positive; ++i)
      positive = LibRandom() % 15 != 0;
    if (positive) break;
  }
  // Every shot adds one ball to row 1; those without a bounce score the least, 102 + 2 way points.
  PointPath scratch;
  SetLibRandomSeed(seed);
  int ties = 0;
  for (int i = 0; i < kDemoCandidates; ++i)
    ties += ScoreDemoCandidate(b.field, 4, DemoCandidate(i), scratch) == 104;
  ASSERT_GT(ties, 2);
  SetLibRandomSeed(seed);
  const AimPoint aim = ChooseDemoAim(b.field, 4);
  EXPECT_EQ(aim.x, DemoCandidate(0).x);
  EXPECT_EQ(aim.y, DemoCandidate(0).y);
}
}  // namespace
