// Whole games recorded with scripted shots and played back from "replay.dat": the replay must show the
// same boards, balls, score and shots at every step, also when the game was quit with a ball in flight
// and restored.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "tests/game/replay_support.h"

using namespace replay_testing;

namespace {

// (game type, level)
class ReplayWholeGame : public ReplayFixture, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(ReplayWholeGame, ShowsTheSameGameStepByStepAndStartsAgain) {
  const auto [type, level] = GetParam();
  GetOptions().GameType = type;
  GetOptions().Level = level;
  std::mt19937 aim(uint32_t(100 + 10 * type + level));
  GameLog live;
  if (type == 0)
    Make<GameOrig>();
  else
    Make<GameTime>();
  Record(live, aim, type == 1);
  ASSERT_EQ(screen->resultDialogs, 1) << "the recorded game did not end";
  ASSERT_GT(live.shots.size(), 5u);
  if (type == 1) {
    EXPECT_GT(live.timedPushes, 0) << "the clock never pushed rows in: wait longer";
  }
  int headerLevel = -1, headerType = -1;
  ASSERT_TRUE(SaveReplay(folder.path()).PeekHeader(headerLevel, headerType));
  EXPECT_EQ(headerLevel, level);
  EXPECT_EQ(headerType, type);

  // Arcade counters are left out: its replay shows those of the last record.
  const std::vector<GameLog> passes =
      type == 0 ? Replay<GameSaved>(true, 2) : Replay<GameSavedTime>(false, 2);
  ASSERT_EQ(passes.size(), 2u);
  ExpectSameGame(live, passes[0]);
  ExpectSameGame(live, passes[1]);  // the replay loops
  EXPECT_FALSE(game->PlayerStopped());
  EXPECT_EQ(screen->resultDialogs, 1) << "a replay's end opens no result dialog";
  EXPECT_FALSE(store.Has("GameSaved.Score") || store.Has("GameSavedTime.Score"))
      << "a replay is never stored";
}

INSTANTIATE_TEST_SUITE_P(EveryModeAndLevel, ReplayWholeGame,
                         ::testing::Combine(::testing::Values(0, 1), ::testing::Values(0, 1, 2)));

// (game type)
class ReplayAfterRestore : public ReplayFixture, public ::testing::WithParamInterface<int> {};

TEST_P(ReplayAfterRestore, AShotInFlightAtAQuitIsNotInTheReplay) {
  const int type = GetParam();
  GetOptions().GameType = type;
  GetOptions().Level = 1;
  const std::string name = type == 0 ? "GameOrig" : "GameTime";
  std::mt19937 aim(uint32_t(3 + type));
  GameLog first;
  if (type == 0)
    Make<GameOrig>();
  else
    Make<GameTime>();
  Record(first, aim, type == 1, 8);
  ASSERT_EQ(game->State(), GameState::kFlying);
  for (int i = 0; i < 3; ++i)
    Frame();
  ASSERT_EQ(game->State(), GameState::kFlying);
  game.reset();  // the quit: the store keeps the last save
  screen->game = nullptr;
  const std::string recording = folder.path() + "/currgame.dat";
  const auto quitSize = std::filesystem::file_size(recording);
  const int saved = store.GetInt(name + ".ReplayLength", -1);
  ASSERT_LT(saved, int(quitSize)) << "the shot in flight was recorded after the save";

  if (type == 0)
    Make<GameOrig>(true);
  else
    Make<GameTime>(true);
  EXPECT_EQ(std::filesystem::file_size(recording), std::uintmax_t(saved));
  GameLog rest;
  Record(rest, aim, type == 1);
  ASSERT_EQ(screen->resultDialogs, 1);
  ASSERT_FALSE(rest.steps.empty());
  // The restored game stands where the last save left it.
  ASSERT_EQ(rest.steps.front(), first.steps.back());

  GameLog whole = first;
  whole.steps.pop_back();
  whole.steps.insert(whole.steps.end(), rest.steps.begin(), rest.steps.end());
  whole.shots.insert(whole.shots.end(), rest.shots.begin(), rest.shots.end());
  whole.end = rest.end;
  const std::vector<GameLog> passes = type == 0 ? Replay<GameSaved>(true) : Replay<GameSavedTime>(false);
  ASSERT_EQ(passes.size(), 1u);
  ExpectSameGame(whole, passes[0]);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ReplayAfterRestore, ::testing::Values(0, 1));

TEST_F(ReplayFixture, ARestoreKeepsARecordingWhoseLengthWasNeverStored) {
  Make<GameOrig>();
  std::mt19937 aim(5);
  GameLog first;
  Record(first, aim, false, 4);
  game.reset();
  screen->game = nullptr;
  // A store written before the length was kept: the recording is continued as it stands.
  OConfig older;
  for (const auto& [key, text] : store.GetEntries())
    if (key != "GameOrig.ReplayLength") older.SetText(key, text);
  const std::string recording = folder.path() + "/currgame.dat";
  const auto quitSize = std::filesystem::file_size(recording);
  auto restored = std::make_unique<GameOrig>(screen.get(), folder.path());
  restored->SetSettings(&older);
  ASSERT_TRUE(restored->Load());
  EXPECT_EQ(std::filesystem::file_size(recording), quitSize);
  // A stored length beyond the file (the file is not this game's) leaves it alone too.
  restored.reset();
  older.SetInt("GameOrig.ReplayLength", int(quitSize) + 100);
  restored = std::make_unique<GameOrig>(screen.get(), folder.path());
  restored->SetSettings(&older);
  ASSERT_TRUE(restored->Load());
  EXPECT_EQ(std::filesystem::file_size(recording), quitSize);
}

// A process killed after a finished game began the next one leaves that game's recording beside a store
// that still holds the old game: the restored game gives the recording up, and its end keeps the replay.
TEST_F(ReplayFixture, ARestoredGameWhoseRecordingIsAnotherGamesKeepsTheReplay) {
  Make<GameOrig>();
  std::mt19937 aim(2);
  GameLog first;
  Record(first, aim, false, 4);
  game.reset();
  screen->game = nullptr;
  const std::string recording = folder.path() + "/currgame.dat";
  const std::string replay = folder.path() + "/replay.dat";
  const auto quitSize = std::filesystem::file_size(recording);
  // The next game's recording (same header, other draws), and the replay of the game before.
  std::string other(std::size_t(quitSize) + 40, '\3');
  other.replace(0, 8, std::string("\0\0\0\0\0\0\0\0", 8));
  std::ofstream(recording, std::ios::binary) << other;
  const std::string kept = "kept replay";
  std::ofstream(replay, std::ios::binary) << kept;

  EXPECT_TRUE(Make<GameOrig>(true).Recorder().Abandoned());
  GameLog rest;
  Record(rest, aim, false);
  ASSERT_EQ(screen->resultDialogs, 1);
  ASSERT_EQ(rest.steps.front(), first.steps.back()) << "the restored game itself ends with a score";
  std::ifstream in(replay, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), kept);
  std::ifstream again(recording, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), other) << "nothing appended to it";
}

// Once given up, a recording stays given up through later saves and restores of the same game.
TEST_F(ReplayFixture, AGivenUpRecordingStaysGivenUpAcrossRestores) {
  Make<GameOrig>();
  std::mt19937 aim(9);
  GameLog first;
  Record(first, aim, false, 3);
  game.reset();
  screen->game = nullptr;
  const std::string recording = folder.path() + "/currgame.dat";
  {  // one byte of the recorded draws spoilt
    std::fstream file(recording, std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(9);
    file.put('\x7f');
  }
  ASSERT_TRUE(Make<GameOrig>(true).Recorder().Abandoned());
  GameLog more;
  Record(more, aim, false, 2);
  game.reset();
  screen->game = nullptr;
  EXPECT_EQ(store.GetInt("GameOrig.ReplayLength", -1), 0);
  EXPECT_TRUE(Make<GameOrig>(true).Recorder().Abandoned());
  // And a restore of an untouched recording keeps it.
  game.reset();
  screen->game = nullptr;
  ASSERT_FALSE(Make<GameOrig>().Recorder().Abandoned());
  GameLog fresh;
  Record(fresh, aim, false, 3);
  game.reset();
  screen->game = nullptr;
  EXPECT_FALSE(Make<GameOrig>(true).Recorder().Abandoned());
}

}  // namespace
