// Whole games recorded with random shots, quit with a ball in flight and restored half way, and played
// back from "replay.dat": the replay shows the same boards, balls, score and shots at every step. Files
// cut short, damaged or not the stored game's.

#include <random>

#include "game/arcade_replay.h"
#include "game/arcade_session.h"
#include "game/replay_recorder.h"
#include "game/strategy_replay.h"
#include "game/strategy_session.h"
#include "tests/game/session_support.h"
#include "tests/support/replay_files.h"

using namespace session_testing;

namespace {

using Step = std::vector<int>;  // the board, the score, the balls, the palette, perhaps the counters
using Shot = std::pair<int, int>;

struct GameLog {
  std::vector<Step> steps;  // every time the game came to wait for a shot
  std::vector<Shot> shots;
  Step end;
  int timedPushes = 0;  // arcade: times the clock pushed rows in
};

class Replay : public SessionFixture {
 protected:
  void SetUp() override {
    SessionFixture::SetUp();
    GetOptions().speed = 4;
  }

  // The game as it stands; the counters only where the replay shows them as the game kept them.
  Step Snapshot(bool counters) const {
    Step s(game->GetBoard()->Cells().begin(), game->GetBoard()->Cells().end());
    s.insert(s.end(), {game->Score(), game->GameBall() ? game->GameBall()->colour : -1,
                       game->WaitBall() ? game->WaitBall()->colour : -1, game->PaletteLength()});
    if (counters) s.insert(s.end(), {game->MissesLeft(), game->MissAllowance()});
    return s;
  }

  // Plays the live game with shots at random points until its result dialog opens (a game without a
  // score starts anew, and its log with it), or until stopAfter shots have been fired, something has been
  // scored (a game without a score is not restored) and one more is left in flight. In arcade games the
  // player sometimes waits for the clock to push rows in.
  void Record(GameLog& log, std::mt19937& aim, bool arcade, int stopAfter = -1) {
    SessionState before = SessionState::kLanded;
    int wait = 0;
    for (int frame = 0; frame < 2000000 && screen->resultDialogs == 0; ++frame) {
      const SessionState now = game->State();
      if (before == SessionState::kGameOverWait && now != SessionState::kGameOverWait) log = GameLog{};
      if (now == SessionState::kTimedRows && before != SessionState::kTimedRows) ++log.timedPushes;
      if (now == SessionState::kReady && before != SessionState::kReady) {
        log.steps.push_back(Snapshot(!arcade));
        wait = arcade && aim() % 5 == 0 ? 450 + int(aim() % 500) : 2 + int(aim() % 10);
      }
      before = now;
      if (now == SessionState::kReady && game->GetBoard()->View().IsIdle() && --wait <= 0) {
        const Shot shot{14 + int(aim() % 562), 14 + int(aim() % 440)};
        if (game->CanFire(shot.first, shot.second)) {
          if (stopAfter >= 0 && int(log.shots.size()) >= stopAfter && game->Score() > 0)
            return game->Fire(shot.first, shot.second);  // left in flight
          log.shots.push_back(shot);
        }
        game->Fire(shot.first, shot.second);
        wait = 1000000;
      }
      Frame();
    }
    log.end = Snapshot(!arcade);
  }

  // Plays "replay.dat" with the player of the game type for the given number of passes; arcade replays
  // show the counters of the last record, not the game's.
  std::vector<GameLog> Play(int type, int passes = 1) {
    ReplayPass& pass = type == 0 ? Make<StrategyReplay>().Pass() : Make<ArcadeReplay>().Pass();
    std::vector<GameLog> logs(1);
    pass.SetObserver([&](bool) { logs.back().end = Snapshot(type == 0), logs.emplace_back(); });
    SessionState before = SessionState::kLanded;
    for (int frame = 0; frame < 2000000 && int(logs.size()) <= passes && !game->PlayerStopped(); ++frame) {
      const SessionState now = game->State();
      if (now == SessionState::kReady && before != SessionState::kReady)
        logs.back().steps.push_back(Snapshot(type == 0));
      if (now == SessionState::kFlying && before != SessionState::kFlying)
        logs.back().shots.push_back({pass.LastShotX(), pass.LastShotY()});
      before = now;
      Frame();
    }
    logs.pop_back();  // the pass under way
    return logs;
  }

  // Expects the replay's log to be the game's as far as the replay goes (all of it when whole).
  static void ExpectSameGame(const GameLog& game, const GameLog& replay, bool whole = true) {
    ASSERT_LE(replay.steps.size(), game.steps.size());
    for (size_t i = 0; i < replay.steps.size(); ++i)
      ASSERT_EQ(replay.steps[i], game.steps[i]) << "step " << i;
    for (size_t i = 0; i < game.shots.size() && i < replay.shots.size(); ++i)
      ASSERT_EQ(replay.shots[i], game.shots[i]) << "shot " << i;
    if (!whole) return;
    EXPECT_EQ(replay.steps.size(), game.steps.size());
    EXPECT_EQ(replay.shots, game.shots);
    EXPECT_EQ(replay.end, game.end);
  }

  void MakeGame(int type, bool load = false) {
    type == 0 ? (void)Make<StrategySession>(load) : (void)Make<ArcadeSession>(load);
  }
};

class ReplayWholeGame : public Replay, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(ReplayWholeGame, ShowsTheSameGameStepByStepAfterARestoreAndLoops) {
  const auto [type, level] = GetParam();
  GetOptions().mode = GameMode(type);
  GetOptions().level = level;
  std::mt19937 aim(uint32_t(100 + 10 * type + level));
  GameLog whole, rest;
  MakeGame(type);
  Record(whole, aim, type == 1, 3);
  for (int i = 0; i < 3; ++i)
    Frame();
  ASSERT_EQ(game->State(), SessionState::kFlying);
  Quit();  // the store keeps the last save, the recording holds the shot in flight
  const std::string recording = folder / kRecordingFile;
  const int saved = store.GetInt(std::string(type == 0 ? "GameOrig" : "GameTime") + ".ReplayLength", -1);
  ASSERT_LT(saved, int(std::filesystem::file_size(recording)));
  MakeGame(type, true);
  EXPECT_EQ(std::filesystem::file_size(recording), std::uintmax_t(saved)) << "the shot in flight is cut off";
  for (int i = 0; i < kCellCount; ++i)
    EXPECT_EQ(game->GetBoard()->View().Sprite(i) != nullptr, !game->GetBoard()->IsEmpty(i)) << i;
  Record(rest, aim, type == 1);
  ASSERT_EQ(screen->resultDialogs, 1) << "the recorded game did not end";
  ASSERT_EQ(rest.steps.front(), whole.steps.back()) << "the restored game stands where the save left it";
  EXPECT_TRUE(type == 0 || whole.timedPushes + rest.timedPushes > 0) << "the clock never pushed rows in";
  whole.steps.pop_back();
  whole.steps.insert(whole.steps.end(), rest.steps.begin(), rest.steps.end());
  whole.shots.insert(whole.shots.end(), rest.shots.begin(), rest.shots.end());
  whole.end = rest.end;
  int headerLevel = -1, headerType = -1;
  ASSERT_EQ(ReadReplayHeader(folder / kReplayFile, headerLevel, headerType), ReplayHeaderCheck::kOk);
  EXPECT_EQ(std::pair(headerLevel, headerType), std::pair(level, type));
  const std::vector<GameLog> passes = Play(type, 2);
  ASSERT_EQ(passes.size(), 2u);
  ExpectSameGame(whole, passes[0]);
  ExpectSameGame(whole, passes[1]);
  EXPECT_EQ(screen->resultDialogs, 1) << "a replay's end opens no result dialog";
  EXPECT_FALSE(store.Has("GameSaved.Score") || store.Has("GameSavedTime.Score"))
      << "a replay is never stored";
}

INSTANTIATE_TEST_SUITE_P(EveryModeAndLevel, ReplayWholeGame,
                         ::testing::Combine(::testing::Values(0, 1), ::testing::Values(0, 1, 2)));

// A killed process can leave the next game's recording (or a spoilt one) beside a store that holds the
// old game: the restored game gives the recording up for good, and its end keeps the replay there.
TEST_F(Replay, ARecordingThatIsNotTheStoredGamesIsGivenUpForGood) {
  Make<StrategySession>();
  std::mt19937 aim(2);
  GameLog first;
  Record(first, aim, false, 4);
  Quit();
  const std::string recording = folder / kRecordingFile;
  std::string other(std::filesystem::file_size(recording) + 40, '\3');
  other.replace(0, 8, ReplayHeader(0, 0));
  WriteAll(recording, other);
  WriteAll(folder / kReplayFile, "kept replay");
  EXPECT_TRUE(Make<StrategySession>(true).Recorder().Abandoned());
  GameLog more;
  Record(more, aim, false, 2);
  Quit();
  EXPECT_EQ(store.GetInt("GameOrig.ReplayLength", -1), 0);
  EXPECT_TRUE(Make<StrategySession>(true).Recorder().Abandoned());
  GameLog rest;
  Record(rest, aim, false);
  ASSERT_EQ(screen->resultDialogs, 1);
  EXPECT_EQ(ReadAll(folder / kReplayFile), "kept replay");
  EXPECT_EQ(ReadAll(recording), other) << "nothing appended to it";
}

TEST_F(Replay, AFileCutAnywhereLaterLoopsOverWhatItHolds) {
  std::mt19937 aim(31);
  GameLog live;
  Make<StrategySession>();
  Record(live, aim, false, 9);
  Quit();
  const std::string recording = ReadAll(folder / kRecordingFile);
  for (size_t cut : {recording.size(), recording.size() - 1, recording.size() - 5, recording.size() - 8,
                     recording.size() - 9, recording.size() - 13, size_t{8 + 153}, size_t{8 + 153 + 2 + 4}}) {
    SCOPED_TRACE(cut);
    WriteAll(folder / kReplayFile, recording.substr(0, cut));
    const std::vector<GameLog> passes = Play(0, 2);
    ASSERT_EQ(passes.size(), 2u);
    EXPECT_FALSE(game->PlayerStopped());
    ExpectSameGame(live, passes[0], false);
    EXPECT_EQ(passes[0].steps, passes[1].steps);
    EXPECT_EQ(passes[0].shots, passes[1].shots);
  }
}

TEST_F(Replay, ARecordedValueOutOfRangeReadsAsZero) {
  const char pattern[] = {3, char(0xFD), 9, 6, 5};  // 3 and 5 are colours; -3, 9 and 6 are not
  std::string bytes;
  for (int i = 0; i < 153; ++i)
    bytes += pattern[i % 5];
  WriteReplayFile(folder / kReplayFile, 0, 0, bytes + std::string(2, char(0x80)));
  StrategyReplay& player = Make<StrategyReplay>();
  ASSERT_FALSE(player.PlayerStopped());
  EXPECT_EQ(GetRows(*player.GetBoard()).substr(0, 18), "30005300053000530|");
  EXPECT_EQ(GetRows(*player.GetBoard()).size(), 9 * 18 - 1u);
  ASSERT_TRUE(RunUntil([&] { return player.GameBall() && player.WaitBall(); }, 2000));
  EXPECT_EQ(player.GameBall()->colour, 0);
  EXPECT_EQ(player.WaitBall()->colour, 0);
}

}  // namespace
