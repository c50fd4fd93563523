// Pushing rows in and refilling them.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/game/field_test_support.h"

namespace {
TEST(FieldRows, PushMovesEveryRowDownAndQueuesTheMoves) {
  TestBoard b;
  SetRows(b.field, {"1.2", "..3"});
  EXPECT_TRUE(b.field.AddRows(1));
  EXPECT_EQ(GetRows(b.field, 3),
            (std::vector<std::string>{".................", "1.2..............", "..3.............."}));
  EXPECT_EQ(b.field.RowsToFill(), 1);
  EXPECT_EQ(b.field.View().State(), ViewState::kShifting);
  // A boundary, then the balls of each row from the highest index down, each row closed by a
  // boundary; within a row the order is shuffled.
  std::vector<int> moves(b.field.View().Moves().begin(), b.field.View().Moves().end());
  ASSERT_EQ(moves.size(), 1u + 16u + 3u);
  EXPECT_EQ(moves.front(), FieldVisual::kRowBoundary);
  const auto ballMoves = std::count_if(moves.begin(), moves.end(), [](int m) { return m >= 0; });
  EXPECT_EQ(ballMoves, 3);
  EXPECT_EQ(moves[1], FieldVisual::kRowBoundary);  // rows 15 .. 2 are empty
  std::vector<int> rowOne(moves.begin() + 15, moves.begin() + 16);
  EXPECT_EQ(rowOne, std::vector<int>{Index(2, 1)});
  std::vector<int> rowZero(moves.begin() + 17, moves.begin() + 19);
  std::sort(rowZero.begin(), rowZero.end());
  EXPECT_EQ(rowZero, (std::vector<int>{0, 2}));
}

TEST(FieldRows, PushOfTwoFailsExactlyWhenRowThirteenHeldABall) {
  for (int lowest = 11; lowest <= 15; ++lowest) {
    TestBoard b;
    b.field.SetCell(Index(4, lowest), 1);
    b.field.SetCell(Index(5, 10), 2);
    const bool ok = b.field.AddRows(2);
    EXPECT_EQ(ok, lowest != 13) << "lowest row " << lowest;
    // Balls of rows 14 and 15 left the board, and their sprites leave with them (moves past row 15).
    EXPECT_EQ(b.field.Cell(Index(4, lowest + 2)), lowest + 2 < kRows ? 1 : kEmptyCell);
    const auto& moves = b.field.View().Moves();
    EXPECT_EQ(std::count(moves.begin(), moves.end(), Index(4, lowest)), 1) << lowest;
    EXPECT_EQ(std::count(moves.begin(), moves.end(), Index(4, lowest + 1)), lowest + 1 < kRows ? 1 : 0);
    EXPECT_EQ(b.field.Cell(Index(5, 12)), 2);
  }
}

TEST(FieldRows, PushOfAnEmptyBoardStartsNoAnimation) {
  TestBoard b;
  EXPECT_TRUE(b.field.AddRows(3));
  EXPECT_EQ(b.field.View().State(), ViewState::kIdle);
}

TEST(FieldRows, OutOfRangeCountsAreHeldToTheBoard) {
  TestBoard b;
  SetRows(b.field, {"1"});
  EXPECT_TRUE(b.field.AddRows(-3));
  EXPECT_EQ(b.field.RowsToFill(), 0);
  EXPECT_EQ(b.field.Cell(0), 1);
  b.field.AddRows(1000);  // a damaged recording: at most the whole board is refilled
  EXPECT_EQ(b.field.RowsToFill(), kRows);
  b.field.FillNewRows();
  EXPECT_EQ(b.owner.draws, kCellCount);
}

TEST(FieldRows, RefillAfterAPushOfThreeDrawsFiftyOneNumbersEvenOverOccupiedCells) {
  TestBoard b;
  b.owner.script = {0, 1, 2, 3, 4, 5};
  SetRows(b.field, {"12345"});
  b.field.AddRows(3);
  b.field.SetCell(Index(2, 1), 4);  // occupied before the refill
  b.field.SetCell(Index(9, 2), 0);
  b.field.FillNewRows();
  EXPECT_EQ(b.owner.draws, 51);
  EXPECT_EQ(b.field.Cell(Index(2, 1)), 4);
  EXPECT_EQ(b.field.Cell(Index(9, 2)), 0);
  for (int i = 0; i < 51; ++i) {
    if (i == Index(2, 1) || i == Index(9, 2)) continue;
    EXPECT_EQ(b.field.Cell(i), i % 6) << i;
  }
  EXPECT_EQ(GetRows(b.field, 4)[3], "12345............");
  EXPECT_EQ(b.field.View().Appearances().size(), 49u);
  EXPECT_EQ(b.field.View().State(), ViewState::kAppearing);
}

TEST(FieldRows, RefillWithNothingPushedDrawsNothing) {
  TestBoard b;
  b.field.FillNewRows();
  EXPECT_EQ(b.owner.draws, 0);
  EXPECT_EQ(b.field.View().State(), ViewState::kIdle);
}

TEST(FieldRows, ScratchShiftMatchesThePushAndStopsAtTheBottom) {
  TestBoard b;
  FieldRash rash;
  SetRows(b.field, {"12", "..3", "", "", "", "", "", "", "", "", "", "", "4"});
  rash.CopyFrom(b.field);
  EXPECT_TRUE(rash.ShiftRows(2));
  b.field.AddRows(2);
  EXPECT_EQ(rash.Cells(), b.field.Cells());
  EXPECT_FALSE(rash.ShiftRows(2));  // row 14 reaches 15 on the first step
  EXPECT_EQ(rash.Cell(Index(0, 15)), 4);
}

TEST(FieldRows, MoveShuffleKeepsEveryRowBetweenItsBoundaries) {
  TestBoard b;
  SetRows(b.field, {"11111111111111111", "22222222222222222", "33333333333333333"});
  b.field.AddRows(1);
  std::vector<int> moves(b.field.View().Moves().begin(), b.field.View().Moves().end());
  std::vector<std::vector<int>> runs(1);
  for (int m : moves) {
    if (m == FieldVisual::kRowBoundary)
      runs.emplace_back();
    else
      runs.back().push_back(m);
  }
  int full = 0;
  for (const auto& run : runs) {
    if (run.empty()) continue;
    ++full;
    EXPECT_EQ(run.size(), 17u);
    for (int m : run)
      EXPECT_EQ(m / kColumns, run.front() / kColumns) << "a move left its row";
  }
  EXPECT_EQ(full, 3);
}
}  // namespace
