// The two modes: the strategy miss rule and its strings of attempts, the arcade clock, the attempts
// indicator, and the recording both keep.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "game/game_orig.h"
#include "game/game_time.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class SessionModes : public SessionFixture {
 protected:
  int ShownBalls(const OrigNext& indicator) {
    int n = 0;
    for (int i = 0; i < OrigNext::kSlots; ++i)
      n += indicator.Ball(i)->visible && !indicator.Ball(i)->dying;
    return n;
  }
  int ShownRings(const OrigNext& indicator) {
    int n = 0;
    for (int i = 0; i < OrigNext::kSlots; ++i)
      n += indicator.Ring(i)->visible;
    return n;
  }
};

TEST_F(SessionModes, StrategyStringsShortenThenRestartFromTheColoursLeft) {
  GameOrig& orig = Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"01234501234501234"});
  std::vector<int> strings;
  int pushes = 0;
  for (int shot = 0; shot < 6 + 5 + 4 + 3 + 2 + 1 + 1; ++shot) {
    const int before = orig.MissAllowance();
    orig.ShotResolved(false);
    if (orig.MissAllowance() != before || shot == 20) {
      strings.push_back(before);
      ++pushes;
      EXPECT_EQ(game->GetField()->RowsToFill(), 1) << "six colours: one row";
    }
  }
  EXPECT_EQ(strings, (std::vector<int>{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(orig.MissAllowance(), 6) << "after a string of one, the allowance restarts from six colours";
  EXPECT_EQ(orig.MissesLeft(), 5);
  // Hits never count.
  orig.ShotResolved(true);
  EXPECT_EQ(orig.MissesLeft(), 5);
}

TEST_F(SessionModes, TheIndicatorShowsOneBallFewerThanTheAttemptsLeft) {
  for (int level = 0; level < 3; ++level) {
    GetOptions().Level = level;
    GameOrig& orig = Make<GameOrig>();
    ASSERT_TRUE(RunUntilReady());
    const int allowance = 6 - 2 * level;
    EXPECT_EQ(orig.MissAllowance(), allowance);
    EXPECT_EQ(ShownBalls(orig.Indicator()), allowance - 1) << "level " << level;
    EXPECT_EQ(ShownRings(orig.Indicator()), allowance - 1) << "level " << level;
  }
}

TEST_F(SessionModes, ArcadeLosesAnAttemptEveryPeriodWhileThePlayerCouldShoot) {
  GetOptions().Level = 1;
  GetOptions().GameType = 1;
  GameTime& arcade = Make<GameTime>();
  EXPECT_EQ(ArcadePeriod(), 4000);
  ASSERT_TRUE(RunUntilReady());
  // The tick that made the game ready counted already.
  const int t0 = arcade.TimeLeft();
  EXPECT_EQ(t0, 4000 - kTickMs);
  EXPECT_EQ(arcade.MissesLeft(), 4);
  for (int i = 0; i < t0 / kTickMs - 1; ++i)
    Frame();
  EXPECT_EQ(arcade.MissesLeft(), 4);
  EXPECT_EQ(arcade.TimeLeft(), 10);
  Frame();
  EXPECT_EQ(arcade.MissesLeft(), 3);
  EXPECT_EQ(arcade.TimeLeft(), 4000);
  EXPECT_EQ(ShownBalls(arcade.Indicator()), 2);
  EXPECT_TRUE(store.Has("GameTime.Score")) << "every counting tick stores the game";

  // Paused, the clock stands still.
  game->SetPaused(true);
  for (int i = 0; i < 500; ++i)
    Frame();
  EXPECT_EQ(arcade.MissesLeft(), 3);
  EXPECT_EQ(arcade.TimeLeft(), 4000);
  game->SetPaused(false);
  Frame();
  EXPECT_EQ(arcade.TimeLeft(), 3990);

  // Flying, landing and the board's animation stop it too.
  game->Fire(290, 300);
  ASSERT_EQ(game->State(), GameState::kFlying);
  int counted = 0;
  while (game->State() != GameState::kReady && counted++ < 5000) {
    Frame();
    if (game->State() != GameState::kReady) {
      EXPECT_EQ(arcade.TimeLeft(), 3990);
    }
  }
  EXPECT_LT(counted, 5000);
}

TEST_F(SessionModes, ArcadeLastAttemptPushesRowsAndRecordsIt) {
  GetOptions().Level = 2;
  GetOptions().GameType = 1;
  GameTime& arcade = Make<GameTime>();
  ASSERT_TRUE(RunUntilReady());
  EXPECT_EQ(arcade.MissesLeft(), 2);
  const int rowsBefore = game->GetField()->Cell(9 * kColumns);  // row 9 is empty
  EXPECT_EQ(rowsBefore, kEmptyCell);
  ASSERT_TRUE(RunUntil([&] { return arcade.MissesLeft() == 1; }, 1000));
  ASSERT_TRUE(RunUntil([&] { return game->State() == GameState::kTimedRows; }, 1000));
  EXPECT_EQ(arcade.MissAllowance(), 1);
  EXPECT_EQ(arcade.MissesLeft(), 1);
  ASSERT_TRUE(RunUntilReady());
  EXPECT_NE(game->GetField()->Cell(9 * kColumns), kEmptyCell) << "one row came in";
  arcade.Recorder().Close();
  // The recording holds the time-out: x 9999, one row, no attempts left, allowance 2.
  std::ifstream in(folder.path() + "/currgame.dat", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::string timeout("\x0f\x27\0\0\x01\0\0\0\0\x02", 10);
  EXPECT_NE(bytes.find(timeout), std::string::npos);
}

TEST_F(SessionModes, ANewStrategyGameRecordsItsHeaderAndTheNineRows) {
  GetOptions().Level = 1;
  GameOrig& orig = Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  orig.Recorder().Close();
  std::ifstream in(folder.path() + "/currgame.dat", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GE(bytes.size(), 8u + 153 + 2);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x01\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(bytes.size(), 8u + 153 + 2) << "the nine rows, then the game ball and the waiting ball";
  // Each record is the colour drawn.
  for (int i = 0; i < 153; ++i)
    EXPECT_EQ(bytes[size_t(8 + i)], char(game->GetField()->Cell(i))) << i;
}

TEST_F(SessionModes, ShotsAreRecordedWithTheCountersInArcade) {
  GetOptions().GameType = 1;
  GameTime& arcade = Make<GameTime>();
  ASSERT_TRUE(RunUntilReady());
  SaveReplay& recorder = arcade.Recorder();
  ASSERT_TRUE(recorder.IsRecording());
  game->Fire(300, 200);
  ASSERT_EQ(game->State(), GameState::kFlying);
  recorder.Close();
  std::ifstream in(folder.path() + "/currgame.dat", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  const std::string shot("\x2c\x01\0\0\xc8\0\0\0\x06\x06", 10);
  ASSERT_GE(bytes.size(), shot.size());
  EXPECT_EQ(bytes.substr(bytes.size() - shot.size()), shot);
}

}  // namespace
