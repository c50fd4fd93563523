// A shot from the click to the settled board: when a click fires, the flight, the landing, explosions,
// falls and the score; misses; colours leaving play and the rows they cost.
#include <gtest/gtest.h>

#include "game/game_orig.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class SessionShot : public SessionFixture {};

TEST_F(SessionShot, FiresOnlyWhenReadyIdleAndInsideTheAimingArea) {
  Make<GameOrig>();
  // While the board fills and the balls appear nothing fires.
  game->Fire(300, 300);
  EXPECT_EQ(game->State(), GameState::kLanded);
  ASSERT_TRUE(RunUntilReady());
  ABall* ball = game->GameBall();
  ASSERT_NE(ball, nullptr);
  EXPECT_EQ(ball->GetCurrentFrame(), ABall::kRestFrame);
  EXPECT_EQ(game->WaitBall()->GetCurrentFrame(), ABall::kRestFrame);
  // The aiming area's edges are outside it.
  for (auto [x, y] : {std::pair{13, 300}, {577, 300}, {300, 13}, {300, 500}, {5, 5}}) {
    game->Fire(x, y);
    EXPECT_EQ(game->State(), GameState::kReady) << x << "," << y;
    EXPECT_TRUE(ball->path.empty());
  }
  const int fired = sounds.Count(Game::kSoundFire);
  game->Fire(14, 499);
  EXPECT_EQ(game->State(), GameState::kFlying);
  EXPECT_EQ(sounds.Count(Game::kSoundFire), fired + 1);
  EXPECT_FALSE(ball->path.empty());
  // A second click while it flies changes nothing.
  const size_t points = ball->path.size();
  game->Fire(300, 300);
  EXPECT_EQ(ball->path.size(), points);
}

TEST_F(SessionShot, TheBallFliesAlongItsWayPointsAndSettlesInItsCell) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"01234501234501234"});
  game->NewGameBall(5);  // nothing of its colour where it lands: the board stays as it is
  ABall* ball = game->GameBall();
  const auto [x, y] = AimFor(kColumns + 8);
  ASSERT_GE(x, 0);
  game->Fire(x, y);
  const PointPath path = ball->path;
  ASSERT_FALSE(path.empty());
  const int landing = game->GetField()->LandingIndex();
  EXPECT_EQ(landing, kColumns + 8);
  // Frame by frame the ball gets nearer to the next way point until it is on the last one.
  double lastY = ball->y;
  int frames = 0;
  while (game->GameBall() == ball && frames++ < 2000) {
    Frame();
    if (game->GameBall() == ball) {
      EXPECT_LE(ball->y, lastY + 1e-9) << "the ball never flies back down";
      lastY = ball->y;
    }
  }
  // A miss settles at once: in the same frame the waiting ball has moved up.
  EXPECT_NE(game->GameBall(), ball);
  EXPECT_EQ(game->State(), GameState::kReloading);
  EXPECT_EQ(game->GetField()->View().Sprite(landing), ball);
  const CellPoint at = game->GetField()->CellPosition(landing);
  EXPECT_EQ(ball->x, at.x);
  EXPECT_EQ(ball->y, at.y);
  EXPECT_EQ(ball->x, path.back().x);
  EXPECT_EQ(game->GetField()->Cell(landing), ball->colour);
}

TEST_F(SessionShot, ThreePoppedAndFourFallenScore530) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  // Two balls of colour 1 in the top row hold four balls of other colours; the shot adds a third 1.
  SetBoard({".......11........",  //
            "......23.........",  //
            ".......45........"});
  game->NewGameBall(1);
  ASSERT_TRUE(RunUntil([&] { return game->GameBall()->GetCurrentFrame() == ABall::kRestFrame; }));
  const auto [x, y] = AimFor(9);
  ASSERT_GE(x, 0) << "no aim lands beside the pair";
  const int pops = sounds.Count(kSoundPop);
  game->Fire(x, y);
  ASSERT_TRUE(RunUntil([&] { return game->State() == GameState::kLanded; }));
  // The view plays the explosions one every eleven ticks, then the falls.
  EXPECT_EQ(game->GetField()->View().State(), ViewState::kPopping);
  ASSERT_TRUE(RunUntil([&] { return game->GetField()->View().State() != ViewState::kPopping; }));
  EXPECT_EQ(game->Score(), 30);
  EXPECT_EQ(sounds.Count(kSoundPop), pops + 3);
  ASSERT_TRUE(RunUntil([&] { return game->GetField()->View().IsIdle(); }));
  EXPECT_EQ(game->Score(), 530);
  EXPECT_EQ(Rows(*game->GetField(), 3), std::vector<std::string>(3, std::string(17, '.')));
}

TEST_F(SessionShot, AMissPlaysItsSoundAndCountsDown) {
  GameOrig& orig = Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"01234501234501234"});
  game->NewGameBall(2);
  const auto [x, y] = AimFor(kColumns);  // below the 0 at the left: no neighbour of colour 2 there
  ASSERT_GE(x, 0);
  const int misses = sounds.Count(Game::kSoundMiss);
  game->Fire(x, y);
  ASSERT_EQ(game->State(), GameState::kFlying) << x << "," << y;
  ASSERT_TRUE(RunUntil([&] { return game->State() != GameState::kFlying; }));
  EXPECT_EQ(sounds.Count(Game::kSoundMiss), misses + 1);
  EXPECT_EQ(orig.MissesLeft(), 5);
  EXPECT_EQ(orig.MissAllowance(), 6);
  EXPECT_EQ(game->Score(), 0);
  ASSERT_TRUE(RunUntilReady());
  // The indicator shows the attempts left but the one at the launcher.
  int shown = 0;
  for (int i = 0; i < OrigNext::kSlots; ++i)
    shown += orig.Indicator().Ball(i)->visible && !orig.Indicator().Ball(i)->dying;
  EXPECT_EQ(shown, 4);
}

TEST_F(SessionShot, AVanishedColourStaysWhileTheWaitingBallHasIt) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"00000111112222233"});  // no 4 and no 5 on the board
  game->NewWaitBall(4);
  game->ShotResolved(true);
  EXPECT_EQ(game->PaletteLength(), 5);
  for (int k = 0; k < 5; ++k)
    EXPECT_NE(game->PaletteColour(k), 5) << "entry " << k;
  // Every colour in play keeps the index of its code.
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(game->PaletteColour(k), k);
  EXPECT_EQ(game->GetField()->RowsToFill(), 2) << "six colours less one: two rows";
}

TEST_F(SessionShot, LosingOneOfTwoColoursPushesSixRows) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"00000000000000000", "11111111111111111"});
  game->NewWaitBall(0);
  game->ShotResolved(true);  // colours 2..5 leave: 7 - 2 rows
  EXPECT_EQ(game->PaletteLength(), 2);
  EXPECT_EQ(game->GetField()->RowsToFill(), 5);
  SetBoard({"00000000000000000"});
  game->ShotResolved(true);  // colour 1 leaves too
  EXPECT_EQ(game->PaletteLength(), 1);
  EXPECT_EQ(game->GetField()->RowsToFill(), 6);
  // The pushed rows slide, refill and come to rest.
  ASSERT_TRUE(RunUntil([&] { return game->GetField()->View().IsIdle(); }));
  for (int i = 0; i < 6 * kColumns; ++i)
    EXPECT_EQ(game->GetField()->Cell(i), 0) << i;
}

}  // namespace
