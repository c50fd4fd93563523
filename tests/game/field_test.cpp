// The board's rules: neighbours, groups, detached balls, colours, the end test, the nearest cell and
// the new game's fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/game/field_test_support.h"

namespace {
std::vector<int> Items(const IndexQueue& queue) {
  return std::vector<int>(queue.begin(), queue.end());
}

// ---- neighbours and groups ---------------------------------------------------------------------------
TEST(FieldGroups, OddRowTouchesItsOwnAndTheRightColumnAbove) {
  TestBoard b;
  // Row 1 is odd: (5, 1) touches (5, 0) and (6, 0), not (4, 0).
  SetRows(b.field, {"....2.22.........", ".....2..........."});
  EXPECT_EQ(b.field.PopCluster(Index(5, 1), 3), 1);
  EXPECT_EQ(GetRows(b.field, 2), (std::vector<std::string>{"....2............", "................."}));
}

TEST(FieldGroups, EvenRowTouchesItsOwnAndTheLeftColumnAbove) {
  TestBoard b;
  // Row 2 is even: (5, 2) touches (4, 1) and (5, 1), not (6, 1).
  SetRows(b.field, {"44444444444444444", "...11.1..........", ".....1..........."});
  EXPECT_EQ(b.field.PopCluster(Index(5, 2), 3), 1);
  EXPECT_EQ(GetRows(b.field, 3),
            (std::vector<std::string>{"44444444444444444", "......1..........", "................."}));
}

TEST(FieldGroups, GroupOfTwoStaysUnmarkedAndQueuesNothing) {
  TestBoard b;
  SetRows(b.field, {"0011............."});
  EXPECT_EQ(b.field.PopCluster(Index(2, 0), 3), 0);
  EXPECT_EQ(GetRows(b.field, 1)[0], "0011.............");
  EXPECT_TRUE(b.field.View().Explosions().empty());
  EXPECT_NE(b.field.View().State(), ViewState::kPopping);
  EXPECT_EQ(b.owner.comboResets, 1);
}

TEST(FieldGroups, LoneBallIsUnmarkedAndNothingStarts) {
  TestBoard b;
  SetRows(b.field, {"01..............."});
  EXPECT_EQ(b.field.PopCluster(Index(1, 0), 3), 0);
  EXPECT_EQ(GetRows(b.field, 1)[0], "01...............");
  EXPECT_EQ(b.field.View().State(), ViewState::kIdle);
}

TEST(FieldGroups, GroupOfThreeIsRemovedAndQueuedInSearchOrder) {
  TestBoard b;
  SetRows(b.field, {"...555..........."});
  EXPECT_EQ(b.field.PopCluster(Index(4, 0), 3), 1);
  EXPECT_EQ(GetRows(b.field, 1)[0], ".................");
  // The search visits right before left: the start, then (5, 0), then (3, 0).
  EXPECT_EQ(Items(b.field.View().Explosions()), (std::vector<int>{4, 5, 3}));
  EXPECT_EQ(b.field.View().State(), ViewState::kPopping);
}

TEST(FieldGroups, NewSearchDiscardsTheQueueOfTheLastOne) {
  TestBoard b;
  SetRows(b.field, {"555.22..........."});
  b.field.PopCluster(Index(0, 0), 3);
  b.field.PopCluster(Index(4, 0), 3);
  EXPECT_TRUE(b.field.View().Explosions().empty());
}

TEST(FieldGroups, ThresholdOneRemovesALoneBall) {
  TestBoard b;
  SetRows(b.field, {"3................"});
  EXPECT_EQ(b.field.PopCluster(0, 1), 1);
  EXPECT_TRUE(b.field.IsEmpty(0));
}

TEST(FieldGroups, OutsideIndexFindsNothing) {
  TestBoard b;
  SetRows(b.field, {"33333333333333333"});
  EXPECT_EQ(b.field.PopCluster(-1, 3), 0);
  EXPECT_EQ(b.field.PopCluster(kCellCount, 3), 0);
  EXPECT_EQ(GetRows(b.field, 1)[0], "33333333333333333");
}

// ---- detached balls ----------------------------------------------------------------------------------
TEST(FieldDetached, RemovingAGroupDropsWhatItHeldAndKeepsWhatHangsElsewhere) {
  TestBoard b;
  SetRows(b.field, {"222.3............",  //
                    "0..1.............",  // (0, 1) hangs from the 2s; (3, 1) from the 3 at (4, 0)
                    "5.11.............",  // (0, 2) hangs from (0, 1)
                    ".4..............."});
  EXPECT_EQ(b.field.PopCluster(Index(1, 0), 3), 1);
  b.owner.resolved.clear();
  EXPECT_TRUE(b.field.DropDetached());
  EXPECT_EQ(GetRows(b.field, 4), (std::vector<std::string>{"....3............", "...1.............",
                                                           "..11.............", ".4..............."}));
  // Falls are queued from the last cell up.
  EXPECT_EQ(Items(b.field.View().Falls()), (std::vector<int>{Index(0, 2), Index(0, 1)}));
  EXPECT_EQ(b.field.View().State(), ViewState::kFalling);
  EXPECT_TRUE(b.owner.resolved.empty());  // the view reports the shot once the falls are over
}

TEST(FieldDetached, BallsHangingThroughOtherColoursStay) {
  TestBoard b;
  SetRows(b.field, {"0................",  //
                    "1................",  //
                    "2................",  //
                    "3................"});
  EXPECT_FALSE(b.field.DropDetached());
  EXPECT_EQ(GetRows(b.field, 4)[3], "3................");
  EXPECT_EQ(b.field.View().State(), ViewState::kIdle);
  EXPECT_EQ(b.owner.resolved, std::vector<bool>{true});  // nothing fell: settled at once
}

TEST(FieldDetached, ScratchBoardMatchesTheBoardInPlayOnRandomBoards) {
  SetLibRandomSeed(77);
  for (int round = 0; round < 300; ++round) {
    TestBoard b;
    FieldRash rash;
    const int rows = 3 + LibRandom() % 10;
    const int colours = 2 + LibRandom() % 4;
    for (int i = 0; i < rows * kColumns; ++i)
      b.field.SetCell(i, LibRandom() % 4 == 0 ? kEmptyCell : LibRandom() % colours);
    rash.CopyFrom(b.field);
    const int index = LibRandom() % (rows * kColumns);
    int size = 0;
    {
      FieldRash probe;  // the group size by the recursive search
      probe.CopyFrom(b.field);
      size = probe.Field4::Mark(index % kColumns, index / kColumns, -1, false);
    }
    EXPECT_EQ(rash.PopCluster(index, 3), size == 1 ? 0 : size) << "round " << round;
    b.field.PopCluster(index, 3);
    ASSERT_EQ(rash.Cells(), b.field.Cells()) << "round " << round;
    EXPECT_EQ(rash.DropDetached(), b.field.DropDetached()) << "round " << round;
    ASSERT_EQ(rash.Cells(), b.field.Cells()) << "round " << round;
  }
}

// ---- colours, end test, nearest cell -----------------------------------------------------------------
TEST(FieldColours, ListedInOrderOfFirstAppearance) {
  TestBoard b;
  SetRows(b.field, {"..4.1.4", "3...1", "......1"});
  int out[6] = {};
  ASSERT_EQ(b.field.ColoursPresent(out), 3);
  EXPECT_EQ(out[0], 4);
  EXPECT_EQ(out[1], 1);
  EXPECT_EQ(out[2], 3);
  SetRows(b.field, {});
  EXPECT_EQ(b.field.ColoursPresent(out), 0);
}

TEST(FieldEndTest, ClearedTopRowWinsAndEmptiesThePalette) {
  TestBoard b;
  SetRows(b.field, {".................", "1"});
  EXPECT_TRUE(b.field.EndTest());
  EXPECT_EQ(b.owner.paletteLength, 0);
}

TEST(FieldEndTest, BallInTheBottomRowLosesOtherwiseThePlayGoesOn) {
  TestBoard b;
  SetRows(b.field, {"1"});
  EXPECT_FALSE(b.field.EndTest());
  b.field.SetCell(kCellCount - 1, 2);
  EXPECT_TRUE(b.field.EndTest());
  EXPECT_EQ(b.owner.paletteLength, 6);
  b.field.SetCell(kCellCount - 1, kEmptyCell);
  b.field.SetCell(kCellCount - kColumns - 1, 2);  // row 14 does not end it
  EXPECT_FALSE(b.field.EndTest());
}

TEST(FieldNearest, FullBoardGivesCellZero) {
  TestBoard b;
  for (int i = 0; i < kCellCount; ++i)
    b.field.SetCell(i, 1);
  EXPECT_EQ(b.field.NearestEmptyCell(300, 300), 0);
}

TEST(FieldNearest, NearestByCornerDistanceLowestIndexOnATie) {
  TestBoard b;
  EXPECT_EQ(b.field.NearestEmptyCell(13, 13), 0);
  EXPECT_EQ(b.field.NearestEmptyCell(13 + 32 * 5 + 15, 13), 5);        // 15 from column 5, 17 from 6
  EXPECT_EQ(b.field.NearestEmptyCell(13 + 32 * 5 + 16, 13), 5);        // a tie: the lower index
  EXPECT_EQ(b.field.NearestEmptyCell(13 + 16, 13 + 32), Index(0, 1));  // odd rows sit 16 right
  b.field.SetCell(Index(0, 1), 0);
  EXPECT_EQ(b.field.NearestEmptyCell(13 + 16, 13 + 32), Index(1, 1));  // 32 away; (0, 0) is 35.8
  // A point no cell is within 1414 pixels of (2,000,000 squared) falls back to cell 0.
  EXPECT_EQ(b.field.NearestEmptyCell(-100000, 13), 0);
  b.field.SetCell(0, 3);
  EXPECT_EQ(b.field.NearestEmptyCell(-100000, 13), 0);
}

// ---- a new game --------------------------------------------------------------------------------------
TEST(FieldNewGame, ResetFillsNineRowsWithOneDrawPerCell) {
  TestOwner owner;
  owner.script = {0, 1, 2, 3, 4, 5, 6, 7};
  owner.paletteLength = 4;
  owner.palette[2] = 5;  // entry 2 holds colour 5
  Field4 field(nullptr);
  field.SetOwner(&owner);
  ASSERT_TRUE(field.Reset(false));
  EXPECT_EQ(owner.draws, 153);
  for (int i = 0; i < 153; ++i) {
    const int k = owner.script[i % owner.script.size()] % 4;
    EXPECT_EQ(field.Cell(i), owner.palette[k]) << i;
  }
  for (int i = 153; i < kCellCount; ++i)
    EXPECT_TRUE(field.IsEmpty(i)) << i;
  EXPECT_EQ(field.View().State(), ViewState::kFilling);
  std::vector<int> queued = Items(field.View().Appearances());
  std::sort(queued.begin(), queued.end());
  ASSERT_EQ(queued.size(), 153u);
  for (int i = 0; i < 153; ++i)
    EXPECT_EQ(queued[i], i);
}

TEST(FieldNewGame, RestoringStartsEmptyAndIdle) {
  TestBoard b;
  b.field.SetCell(5, 1);
  b.field.SetScoringDrops(true);
  b.field.Reset(true);
  EXPECT_TRUE(b.field.IsEmpty(5));
  EXPECT_FALSE(b.field.ScoringDrops());
  EXPECT_EQ(b.field.View().State(), ViewState::kIdle);
  EXPECT_EQ(b.owner.draws, 0);
  EXPECT_TRUE(b.field.View().HasSpriteSlots());
}

TEST(FieldNewGame, PlacedBallTakesItsColourOnlyInsideTheBoard) {
  TestBoard b;
  b.field.PlaceBall(40, 3, nullptr);
  EXPECT_EQ(b.field.Cell(40), 3);
  b.field.PlaceBall(kCellCount, 3, nullptr);  // ignored
  b.field.PlaceBall(-1, 3, nullptr);
  EXPECT_EQ(b.field.Cell(kCellCount), kEmptyCell);
  b.field.PlaceBall(41, 12, nullptr);  // not a colour: it would read as a marked ball
  EXPECT_TRUE(b.field.IsEmpty(41));
}
}  // namespace
