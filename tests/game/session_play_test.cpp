// Whole games played to their end by shots at random points, with the board's invariants checked on
// every frame.
#include <gtest/gtest.h>

#include <random>

#include "game/game_orig.h"
#include "game/game_time.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class SessionPlay : public SessionFixture {
 protected:
  // Plays until the result dialog opens; returns the number of shots.
  int PlayToTheEnd(uint32_t seed) {
    std::mt19937 aim(seed);
    int lastScore = 0, shots = 0;
    for (int frame = 0; frame < 400000 && screen->resultDialogs == 0; ++frame) {
      if (game->State() == GameState::kReady && game->GetField()->View().IsIdle() && frame % 7 == 0) {
        game->Fire(14 + int(aim() % 562), 14 + int(aim() % 420));
        ++shots;
      }
      Frame();
      const Field& field = *game->GetField();
      for (int i = 0; i < kCellCount; ++i) {
        const int v = field.Cell(i);
        if (v < -1 || v > 5) ADD_FAILURE() << "cell " << i << " holds " << v << " between operations";
      }
      if (field.View().IsIdle()) {
        for (int i = 0; i < kCellCount; ++i)
          if ((field.View().Sprite(i) != nullptr) != !field.IsEmpty(i))
            ADD_FAILURE() << "frame " << frame << ": cell " << i << " and its sprite disagree";
      }
      if (game->Score() < lastScore) ADD_FAILURE() << "the score went down at frame " << frame;
      lastScore = game->Score();
      if (::testing::Test::HasFailure()) return shots;
    }
    return shots;
  }
};

TEST_F(SessionPlay, AStrategyGameAtRandomEndsWithItsResult) {
  Make<GameOrig>();
  const int shots = PlayToTheEnd(2024);
  EXPECT_EQ(screen->resultDialogs, 1);
  EXPECT_GT(shots, 10);
  EXPECT_GT(game->Score(), 0);
  EXPECT_EQ(game->State(), GameState::kGameOverWait);
}

TEST_F(SessionPlay, AnArcadeGameAtRandomEndsWithItsResult) {
  GetOptions().GameType = 1;
  GetOptions().Level = 2;
  Make<GameTime>();
  const int shots = PlayToTheEnd(77);
  EXPECT_EQ(screen->resultDialogs, 1);
  EXPECT_GT(shots, 5);
}

}  // namespace
