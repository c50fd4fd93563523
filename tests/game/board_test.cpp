// The board's rules (groups, detached balls, colours, the end test, the nearest cell, pushes and
// refills, the stored board) and the demo's choice of shot, on boards written as rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/demo_decision.h"
#include "game/random.h"
#include "store/settings_store.h"
#include "tests/support/board_rows.h"

namespace {
// A game stand-in: palette, scripted (or the game generator's) numbers, stored board.
class TestOwner : public BoardOwner {
 public:
  int PaletteLength() const override { return paletteLength; }
  int PaletteColour(int k) const override { return palette[k]; }
  int Random(int n) override {
    return n == 0 ? 0 : script.empty() ? LibRandom() % n : script[draws++ % 6] % n;
  }
  void ResetCombo() override {}
  void ShotResolved(bool) override {}
  std::string Name() const override { return name; }
  SettingsStore* Settings() const override { return const_cast<SettingsStore*>(&store); }

  int paletteLength = 6, palette[6] = {0, 1, 2, 3, 4, 5}, draws = 0;
  std::vector<int> script = {0, 1, 2, 3, 4, 5};
  std::string name = "GameOrig";
  SettingsStore store;
};

struct TestBoard {
  TestOwner owner;
  PlayBoard field{nullptr};
  explicit TestBoard(const std::string& rows = "") {
    field.SetOwner(&owner);
    field.Reset(true);
    SetRows(field, rows);
  }
};

// ---- groups and detached balls ------------------------------------------------------------------------
TEST(BoardGroups, GroupsOfThreeGoAndWhatTheyHeldFalls) {
  const struct {
    const char *before, *after;  // after the group search at (column, row) and the detached-ball search
    int column, row, threshold;
  } cases[] = {
      {"....2.22|.....2", "....2", 5, 1, 3},  // an odd row touches its own and the right column above
      {"44444444444444444|...11.1|.....1", "44444444444444444|......1", 5, 2, 3},  // even: the left
      {"0011", "0011", 2, 0, 3},
      {"01", "01", 1, 0, 3},
      {"...555", "", 4, 0, 3},
      {"3", "", 0, 0, 1},
      {"33333", "33333", -1, 0, 3},
      {"222.3|0..1|5.11|.4", "....3|...1|..11|.4", 1, 0, 3},  // held balls fall, others hang on
      {"0|1|2|3", "0|1|2|3", 0, 3, 3},                        // hanging through other colours
  };
  for (const auto& c : cases) {
    TestBoard b(c.before);
    const bool removed = b.field.PopCluster(Index(c.column, c.row), c.threshold).removed;
    EXPECT_EQ(removed, GetRows(b.field) != c.before) << c.before;
    b.field.DropDetached();
    EXPECT_EQ(GetRows(b.field), c.after) << c.before;
  }
}

TEST(BoardGroups, ScratchBoardMatchesTheBoardInPlayOnRandomBoards) {
  SetLibRandomSeed(77);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    TestBoard b;
    const int rows = 3 + LibRandom() % 10, colours = 2 + LibRandom() % 4;
    for (int i = 0; i < rows * kColumns; ++i)
      b.field.SetCell(i, LibRandom() % 4 == 0 ? kEmptyCell : LibRandom() % colours);
    ScratchBoard scratch, probe;  // the probe counts the group with the board's own search
    scratch.CopyFrom(b.field);
    probe.CopyFrom(b.field);
    const int index = LibRandom() % (rows * kColumns),
              size = probe.Mark(index % kColumns, index / kColumns, -1, false);
    const GroupPop pop = scratch.PopCluster(index, 3);
    EXPECT_EQ(pop, (GroupPop{size, size >= 3}));
    EXPECT_EQ(b.field.PopCluster(index, 3), pop);
    ASSERT_EQ(scratch.Cells(), b.field.Cells());
    EXPECT_EQ(scratch.DropDetached(), b.field.DropDetached());
    ASSERT_EQ(scratch.Cells(), b.field.Cells());
  }
}

// ---- colours, end test, nearest cell, placing ---------------------------------------------------------
TEST(BoardRules, EndTestNearestCellAndPlacing) {
  // The end: a cleared top row wins; a ball in the bottom row loses.
  for (auto [rows, over, cleared] : {std::tuple{"|1", true, true},
                                     {"1|||||||||||||||................2", true, false},
                                     {"1||||||||||||||................2", false, false}}) {
    const TestBoard end(rows);
    EXPECT_EQ(end.field.IsOver(), over) << rows;
    EXPECT_EQ(end.field.TopRowEmpty(), cleared) << rows;
  }
  // The nearest empty cell by corner distance, the lower index on a tie; odd rows sit 16 right.
  TestBoard n("|5");
  for (auto [x, y, cell] : {std::tuple{13 + 32 * 5 + 15, 13, 5},
                            {13 + 32 * 5 + 16, 13, 5},
                            {13 + 16, 13 + 32, Index(1, 1)},
                            {-100000, 13, 0}})
    EXPECT_EQ(n.field.NearestEmptyCell(x, y), cell) << x << " " << y;
  n.field.PlaceBall(40, 3, nullptr);
  n.field.PlaceBall(41, 12, nullptr);  // a marked value, not a colour
  EXPECT_EQ(GetRows(n.field), "|5|......3");
}

// ---- a new game, pushes and refills --------------------------------------------------------------------
TEST(BoardRows, ANewGameDrawsAPaletteEntryForEachCellOfNineRows) {
  TestBoard b;
  b.owner.paletteLength = 4;
  b.owner.palette[2] = 5;
  ASSERT_TRUE(b.field.Reset(false));
  EXPECT_EQ(b.owner.draws, 153);
  EXPECT_EQ(GetRows(b.field),
            "01530101530101530|10153010153010153|01015301015301015|30101530101530101|"
            "53010153010153010|15301015301015301|01530101530101530|10153010153010153|"
            "01015301015301015");
}

TEST(BoardRows, PushesFailExactlyWhenABallReachesTheBottomRow) {
  for (int lowest = 11; lowest <= 15; ++lowest) {
    TestBoard b;
    b.field.SetCell(Index(4, lowest), 1);
    b.field.SetCell(Index(5, 10), 2);
    EXPECT_EQ(b.field.AddRows(2), lowest != 13) << lowest;
    EXPECT_EQ(b.field.Cell(Index(4, lowest + 2)), lowest + 2 < kRows ? 1 : kEmptyCell);
    EXPECT_EQ(b.field.Cell(Index(5, 12)), 2);
    ScratchBoard scratch;  // the scratch board's push stops at the bottom
    SetRows(scratch, "");
    scratch.SetCell(Index(4, lowest), 1);
    EXPECT_EQ(scratch.ShiftRows(2), lowest != 13 && lowest != 14) << lowest;
  }
}

TEST(BoardRows, RefillDrawsForEveryOpenedCellAndKeepsBallsAlreadyThere) {
  TestBoard b("12345");
  b.field.AddRows(3);
  b.field.SetCell(Index(2, 1), 4);
  b.field.FillNewRows();
  EXPECT_EQ(b.owner.draws, 51);
  EXPECT_EQ(GetRows(b.field), "01234501234501234|50423450123450123|45012345012345012|12345");
  b.field.AddRows(1000);  // a damaged recording: at most the whole board is refilled
  EXPECT_EQ(b.field.RowsToFill(), kRows);
}

// ---- the stored board ----------------------------------------------------------------------------------
TEST(BoardStore, BoardStoresPaletteIndicesUnderTheGamesNameAndLoadsBackUpToABadValue) {
  TestBoard a("02234502234502234|5.4.3.2.0.0|||||||||||||0");
  a.owner.name = "GameTime";
  a.owner.palette[1] = 4;  // entry 1 holds colour 4, and so does entry 4: the first is stored
  a.field.Save();
  const std::string text = *a.owner.store.FindText("GameTime.Field");
  EXPECT_EQ(text.substr(0, 38), "[0 2 2 3 1 5 0 2 2 3 1 5 0 2 2 3 1 5 -");
  for (auto [stored, rows, draws] : {std::tuple{text, GetRows(a.field), 0},
                                     {"[1 -1 2 6 3 4]", "4.2", 0},
                                     {"[1 -2 3]", "4", 0},
                                     {"[]", "", 153},
                                     {"", "", 153}}) {
    TestBoard b;
    b.owner.palette[1] = 4;
    if (!stored.empty()) b.owner.store.SetText("GameOrig.Field", stored);
    b.field.Load();
    EXPECT_EQ(b.owner.draws, draws) << stored << ": a missing or empty list starts a new board";
    EXPECT_TRUE(draws || GetRows(b.field) == rows) << stored;
  }
  TestBoard b;
  b.owner.store.SetIntArray("GameOrig.Field", std::vector<int>(300, 2));  // beyond the board: ignored
  b.field.Load();
  EXPECT_EQ(std::count(b.field.Cells().begin(), b.field.Cells().end(), 2), kCellCount);
}

TEST(BoardStore, EveryBallComesBackInItsColourWhicheverColoursLeftThePalette) {
  // Live palettes after colours left play: the entries past the length hold what the removals left
  // there; a restored game has only the entries in play back, and 0..5 past them.
  const struct {
    int length, palette[6];
    const char* stored;  // the values of colours 0..5
  } cases[] = {
      {6, {0, 1, 2, 3, 4, 5}, "[0 1 2 3 4 5"},
      {5, {0, 1, 5, 3, 4, 5}, "[0 1 5 3 4 2"},  // 2 left: its own code is an entry in play
      {4, {0, 1, 2, 3, 5, 5}, "[0 1 2 3 4 5"},  // 4, then 5 left: 5 only in an entry past the length
      {3, {5, 0, 3, 3, 4, 5}, "[1 3 5 2 4 0"},
      {1, {4, 4, 4, 3, 4, 5}, "[4 1 2 3 0 5"},
  };
  for (const auto& c : cases) {
    TestBoard a("012345|543210");
    a.owner.paletteLength = c.length;
    std::copy(c.palette, c.palette + 6, a.owner.palette);
    a.field.Save();
    const std::string text = *a.owner.store.FindText("GameOrig.Field");
    EXPECT_EQ(text.substr(0, 12), c.stored) << "entries in play are stored as their index";
    TestBoard b;
    b.owner.paletteLength = c.length;
    std::copy(c.palette, c.palette + c.length, b.owner.palette);
    b.owner.store.SetText("GameOrig.Field", text);
    b.field.Load();
    EXPECT_EQ(GetRows(b.field), "012345|543210") << c.stored;
  }
}

// ---- the demo's choice ---------------------------------------------------------------------------------
TEST(DemoChoice, GamesPlayedByTheChoiceArePinned) {
  // The aims chosen in 400 shots on the scratch board, a new row pushed in every fourth shot (a full
  // board starts again empty), pinned as a checksum: the recorded games were made by them.
  ScratchBoard board;
  SetRows(board, "");
  SetLibRandomSeed(2024);
  uint32_t checksum = 0;
  for (int shot = 0; shot < 400; ++shot) {
    if (shot % 4 == 0) {
      if (!board.ShiftRows(1)) SetRows(board, "");
      for (int i = 0; i < kColumns; ++i)
        board.SetCell(i, LibRandom() % 6);
    }
    const int colour = LibRandom() % 6;
    const AimPoint aim = ChooseDemoAim(board, colour);
    checksum = checksum * 31 + uint32_t(aim.x * 1000 + aim.y);
    Shoot(board, aim.x, aim.y, colour);
  }
  EXPECT_EQ(checksum, 910823664u);
}
}  // namespace
