// Helpers of the replay tests: whole games recorded through the headless screen with scripted shots,
// and their replays, both logged step by step (the board, the balls and the score every time the game
// waits for a shot, and every shot fired).
#pragma once

#include <array>
#include <random>
#include <vector>

#include "game/game_orig.h"
#include "game/game_saved.h"
#include "game/game_saved_time.h"
#include "game/game_time.h"
#include "tests/game/session_support.h"

namespace replay_testing {
using namespace session_testing;

struct Step {
  std::array<int, kCellCount> cells{};
  int score = 0, gameBall = -1, waitBall = -1, palette = 0, left = 0, allowance = 0;
  bool operator==(const Step&) const = default;
};

struct Shot {
  int x = 0, y = 0;
  bool operator==(const Shot&) const = default;
};

struct GameLog {
  std::vector<Step> steps;  // every time the game came to wait for a shot
  std::vector<Shot> shots;
  int timedPushes = 0;  // arcade: rows the clock pushed in
  Shot inFlight;        // the shot left in flight when the recording stopped early
  Step end;             // when the game ended (or the replay's pass)
};

inline std::ostream& operator<<(std::ostream& out, const Shot& s) {
  return out << "(" << s.x << ", " << s.y << ")";
}
inline std::ostream& operator<<(std::ostream& out, const Step& s) {
  out << "score " << s.score << " balls " << s.gameBall << "/" << s.waitBall << " palette " << s.palette
      << " counters " << s.left << "/" << s.allowance << "\n";
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c)
      out << (s.cells[size_t(r * kColumns + c)] < 0 ? '.' : char('0' + s.cells[size_t(r * kColumns + c)]));
    out << "\n";
  }
  return out;
}

class ReplayFixture : public SessionFixture {
 protected:
  void SetUp() override {
    SessionFixture::SetUp();
    GetOptions().FastSpeed = 4;  // the players' quickest pace
  }

  // The game as it stands; the counters only where the replay shows them as the game kept them.
  Step Snapshot(bool counters) const {
    Step s;
    s.cells = game->GetField()->Cells();
    s.score = game->Score();
    s.gameBall = game->GameBall() ? game->GameBall()->colour : -1;
    s.waitBall = game->WaitBall() ? game->WaitBall()->colour : -1;
    s.palette = game->PaletteLength();
    if (counters) s.left = game->MissesLeft(), s.allowance = game->MissAllowance();
    return s;
  }

  // Plays the live game with shots at random points until its result dialog opens (a game without a
  // score starts anew and its log with it), or until it has
  // fired stopAfter shots (then one more is fired and left in flight). In arcade games the player
  // sometimes waits long enough for the clock to push rows in.
  void Record(GameLog& log, std::mt19937& aim, bool arcade, int stopAfter = -1) {
    GameState before = GameState::kLanded;
    int wait = 0;
    for (int frame = 0; frame < 2000000 && screen->resultDialogs == 0; ++frame) {
      const GameState now = game->State();
      // A game that ended without a score started the next at once: its recording replaced the last.
      if (before == GameState::kGameOverWait && now != GameState::kGameOverWait) log = GameLog{};
      if (now == GameState::kTimedRows && before != GameState::kTimedRows) ++log.timedPushes;
      if (now == GameState::kReady && before != GameState::kReady) {
        log.steps.push_back(Snapshot(!arcade));
        wait = arcade && aim() % 5 == 0 ? 450 + int(aim() % 500) : 2 + int(aim() % 10);
      }
      before = now;
      if (now == GameState::kReady && game->GetField()->View().IsIdle() && --wait <= 0) {
        const Shot shot{14 + int(aim() % 562), 14 + int(aim() % 440)};
        if (game->CanFire(shot.x, shot.y)) {
          if (stopAfter >= 0 && int(log.shots.size()) == stopAfter) {
            log.inFlight = shot;
            game->Fire(shot.x, shot.y);
            return;  // the ball is on its way
          }
          log.shots.push_back(shot);
        }
        game->Fire(shot.x, shot.y);
        wait = 1000000;  // until the next ready state
      }
      Frame();
    }
    log.end = Snapshot(!arcade);
  }

  // Plays "replay.dat" with the player P for the given number of passes.
  template <class P>
  std::vector<GameLog> Replay(bool counters, int passes = 1) {
    P& player = Make<P>();
    std::vector<GameLog> logs(1);
    player.Pass().SetObserver([&](bool) { logs.back().end = Snapshot(counters), logs.emplace_back(); });
    GameState before = GameState::kLanded;
    for (int frame = 0; frame < 2000000 && int(logs.size()) <= passes && !game->PlayerStopped(); ++frame) {
      const GameState now = game->State();
      if (now == GameState::kReady && before != GameState::kReady)
        logs.back().steps.push_back(Snapshot(counters));
      if (now == GameState::kFlying && before != GameState::kFlying)
        logs.back().shots.push_back({player.Pass().LastShotX(), player.Pass().LastShotY()});
      before = now;
      Frame();
    }
    logs.pop_back();  // the pass under way
    return logs;
  }

  // Expects the replay's log to be the game's, step by step.
  static void ExpectSameGame(const GameLog& game, const GameLog& replay) {
    for (size_t i = 0; i < game.steps.size() && i < replay.steps.size(); ++i)
      ASSERT_EQ(replay.steps[i], game.steps[i]) << "step " << i;
    for (size_t i = 0; i < game.shots.size() && i < replay.shots.size(); ++i)
      ASSERT_EQ(replay.shots[i], game.shots[i]) << "shot " << i;
    ASSERT_EQ(replay.steps.size(), game.steps.size());
    EXPECT_EQ(replay.shots, game.shots);
    EXPECT_EQ(replay.end, game.end);
  }
};

}  // namespace replay_testing
