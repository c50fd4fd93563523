// Replay files that end early or hold values no game drew: a file too short for its first board stops
// the playback (the screen then returns to a normal game), one cut later loops over what it holds, and
// a recorded value out of range reads as 0.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "game/player_sessions.h"
#include "tests/game/replay_support.h"

using namespace replay_testing;

namespace {

class ReplayCut : public ReplayFixture {
 protected:
  // Writes "replay.dat": the header (level, type), then the bytes.
  void WriteReplay(int level, int type, const std::string& bytes) {
    std::string file(8, '\0');
    file[0] = char(level), file[4] = char(type);
    std::ofstream(folder.path() + "/replay.dat", std::ios::binary) << file << bytes;
  }
  std::string ReadRecording() const {
    std::ifstream in(folder.path() + "/currgame.dat", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

TEST_F(ReplayCut, AFileThatEndsInsideTheFirstBoardStopsThePlayback) {
  for (int bytes : {-1, 0, 1, 100, 152}) {
    SCOPED_TRACE(bytes);
    std::filesystem::remove(folder.path() + "/replay.dat");
    if (bytes >= 0) WriteReplay(0, 0, std::string(size_t(bytes), '\2'));
    GameSaved& player = Make<GameSaved>();  // starts (no error for the screen to report) ...
    EXPECT_TRUE(player.PlayerStopped());    // ... but asks to be ended
    int ends = 0;
    player.Pass().SetObserver([&](bool) { ++ends; });
    const GameState state = player.State();
    for (int i = 0; i < 500; ++i)
      Frame();
    EXPECT_EQ(ends, 0) << "it must not start again";
    EXPECT_EQ(player.State(), state);
    EXPECT_EQ(player.Pass().Shots(), 0);
  }
  // The arcade player alike.
  WriteReplay(1, 1, std::string(40, '\1'));
  EXPECT_TRUE(Make<GameSavedTime>().PlayerStopped());
}

TEST_F(ReplayCut, AFileThatEndsJustAfterTheFirstBoardLoopsOverIt) {
  WriteReplay(0, 0, std::string(153, '\4'));
  GameSaved& player = Make<GameSaved>();
  EXPECT_FALSE(player.PlayerStopped());
  int ends = 0;
  player.Pass().SetObserver([&](bool over) { ends += !over; });
  ASSERT_TRUE(RunUntil([&] { return ends >= 3; }, 5000));
  EXPECT_FALSE(player.PlayerStopped());
}

TEST_F(ReplayCut, AFileCutAnywhereLaterLoopsOverWhatItHolds) {
  std::mt19937 aim(31);
  GameLog live;
  Make<GameOrig>();
  Record(live, aim, false, 9);
  live.shots.push_back(live.inFlight);  // recorded as it was fired
  game.reset();
  screen->game = nullptr;
  const std::string recording = ReadRecording();
  ASSERT_GT(recording.size(), 8u + 153u + 9u * 8u);
  // Cuts inside shots and inside the draws of the balls that follow them.
  for (size_t cut : {recording.size(), recording.size() - 1, recording.size() - 5, recording.size() - 8,
                     recording.size() - 9, recording.size() - 13, size_t{8 + 153 + 2 + 4}}) {
    SCOPED_TRACE(cut);
    WriteReplay(0, 0, recording.substr(8, cut - 8));
    const std::vector<GameLog> passes = Replay<GameSaved>(true, 2);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_FALSE(game->PlayerStopped());
    // Each pass is the recorded game as far as the file goes.
    for (const GameLog& pass : passes) {
      ASSERT_LE(pass.steps.size(), live.steps.size());
      ASSERT_FALSE(pass.steps.empty());
      for (size_t i = 0; i < pass.steps.size(); ++i)
        ASSERT_EQ(pass.steps[i], live.steps[i]) << "step " << i;
      ASSERT_LE(pass.shots.size(), live.shots.size());
      for (size_t i = 0; i < pass.shots.size(); ++i)
        ASSERT_EQ(pass.shots[i], live.shots[i]) << "shot " << i;
    }
    EXPECT_EQ(passes[0].steps, passes[1].steps);
    EXPECT_EQ(passes[0].shots, passes[1].shots);
  }
}

TEST_F(ReplayCut, ARecordedValueOutOfRangeReadsAsZero) {
  // Draws of the first board: 3 is a colour; -3, 6 and 9 are not and read as 0; 5 is the last colour.
  const char pattern[] = {3, char(0xFD), 9, 6, 5};
  std::string bytes;
  for (int i = 0; i < 153; ++i)
    bytes += pattern[i % 5];
  WriteReplay(0, 0, bytes + std::string(2, char(0x80)));
  GameSaved& player = Make<GameSaved>();
  ASSERT_FALSE(player.PlayerStopped());
  const int expected[] = {3, 0, 0, 0, 5};
  for (int i = 0; i < 153; ++i)
    ASSERT_EQ(player.GetField()->Cell(i), expected[i % 5]) << "cell " << i;
  for (int i = 153; i < kCellCount; ++i)
    ASSERT_TRUE(player.GetField()->IsEmpty(i));
  // The two balls after the board: -128 reads as 0, the colour of palette entry 0.
  ASSERT_TRUE(RunUntil([&] { return player.GameBall() && player.WaitBall(); }, 2000));
  EXPECT_EQ(player.GameBall()->colour, 0);
  EXPECT_EQ(player.WaitBall()->colour, 0);
}

TEST(PlayerPace, OneShotOnceTheClockPassesTwoSecondsOverTheSpeed) {
  GetOptions() = Options{};
  GetOptions().FastSpeed = 2;  // 2000 / 3 = 666 ms
  int clock = 0;
  EXPECT_FALSE(PlayerShotDue(clock, 600));
  EXPECT_FALSE(PlayerShotDue(clock, 66));
  EXPECT_TRUE(PlayerShotDue(clock, 1));
  EXPECT_EQ(clock, 0);
  GetOptions().FastSpeed = 0;  // 2000 ms
  EXPECT_FALSE(PlayerShotDue(clock, 2000));
  EXPECT_TRUE(PlayerShotDue(clock, 1));
}

}  // namespace
