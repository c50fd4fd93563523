// The board's view tick by tick: the pace of each queue, the sounds, the blink, the sprites of a
// restored board.
#include <gtest/gtest.h>

#include "game/game_orig.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class SessionView : public SessionFixture {
 protected:
  int Sprites() const {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i)
      n += game->GetField()->View().Sprite(i) != nullptr;
    return n;
  }
  // Ticks the board alone (not the screen), recording a value after each tick.
  std::vector<int> TickBoard(int ticks, const std::function<int()>& measure) {
    std::vector<int> values;
    for (int i = 0; i < ticks; ++i) {
      game->GetField()->Tick(kTickMs);
      values.push_back(measure());
    }
    return values;
  }
};

TEST_F(SessionView, ANewBoardAppearsTenBallsEverySixTicks) {
  Make<GameOrig>();
  EXPECT_EQ(game->GetField()->View().State(), ViewState::kFilling);
  const int slides = sounds.Count(kSoundSlide);
  const auto counts = TickBoard(13, [&] { return Sprites(); });
  EXPECT_EQ(counts, (std::vector<int>{10, 10, 10, 10, 10, 10, 20, 20, 20, 20, 20, 20, 30}));
  // A ball rings when the balls left are a multiple of 8: 152 and 144, then 136, then 128.
  EXPECT_EQ(sounds.Count(kSoundSlide), slides + 4);
  ASSERT_TRUE(RunUntil([&] { return game->GetField()->View().IsIdle(); }));
  EXPECT_EQ(Sprites(), 153);
  for (int i = 0; i < 153; ++i)
    EXPECT_EQ(game->GetField()->View().Sprite(i)->colour, game->GetField()->Cell(i));
}

TEST_F(SessionView, ExplosionsComeEveryElevenTicksAndFallsEveryTwentyOne) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"111..............", "2................", "3................", "4................"});
  Field& field = *game->GetField();
  ASSERT_NE(field.PopCluster(0, 3), 0);
  const auto pops = TickBoard(23, [&] { return int(field.View().Explosions().size()); });
  EXPECT_EQ(pops[0], 2);
  EXPECT_EQ(pops[10], 2);
  EXPECT_EQ(pops[11], 1);
  EXPECT_EQ(pops[22], 0);
  EXPECT_EQ(field.View().State(), ViewState::kFalling);
  EXPECT_EQ(game->Score(), 30);
  // The three balls below fall one every 21 ticks, scoring as they go.
  const auto falls = TickBoard(43, [&] { return int(field.View().Falls().size()); });
  EXPECT_EQ(falls[0], 2);
  EXPECT_EQ(falls[20], 2);
  EXPECT_EQ(falls[21], 1);
  EXPECT_EQ(falls[42], 0);
  EXPECT_EQ(game->Score(), 330);
  EXPECT_TRUE(field.View().IsIdle());
}

TEST_F(SessionView, RowsSlideFiveBallsEveryThreeTicksThenRefill) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"01234501234501234"});
  Field& field = *game->GetField();
  ABall* first = field.View().Sprite(16);
  field.AddRows(1);
  EXPECT_EQ(field.View().State(), ViewState::kShifting);
  const auto moving = TickBoard(7, [&] {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i)
      if (const ABall* s = field.View().Sprite(i)) n += s->displayMode == ABall::kMoving;
    return n;
  });
  EXPECT_EQ(moving, (std::vector<int>{5, 5, 5, 10, 10, 10, 15}));
  ASSERT_TRUE(RunUntil([&] { return field.View().IsIdle(); }));
  EXPECT_EQ(field.View().Sprite(16 + kColumns), first);
  EXPECT_EQ(first->y, field.CellPosition(16 + kColumns).y);
  for (int i = 0; i < 2 * kColumns; ++i)
    EXPECT_NE(field.View().Sprite(i), nullptr) << "refilled " << i;
}

TEST_F(SessionView, BallsShineOnlyWithTheAnimationOption) {
  for (bool animate : {false, true}) {
    GetOptions().Animate = animate;
    Make<GameOrig>();
    ASSERT_TRUE(RunUntilReady());
    int shining = 0;
    for (int i = 0; i < 250; ++i) {
      Frame();
      for (int c = 0; c < kCellCount; ++c)
        if (const ABall* s = game->GetField()->View().Sprite(c)) shining += s->shine != ABall::kNoShine;
    }
    EXPECT_EQ(shining > 0, animate);
  }
}

TEST_F(SessionView, ARestoredBoardShowsItsBallsAtRestAndTakesTheChosenLooks) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({"0123450123", ".5"});
  const FieldVisual& view = game->GetField()->View();
  for (int i : {0, 5, 9, kColumns + 1}) {
    ASSERT_NE(view.Sprite(i), nullptr);
    EXPECT_EQ(view.Sprite(i)->GetCurrentFrame(), ABall::kRestFrame);
    EXPECT_EQ(view.Sprite(i)->depth, -10);
  }
  EXPECT_EQ(view.Sprite(kColumns + 1)->colour, 5);
  GetOptions().Skins[5] = 2;
  game->RefreshImages();
  const OBitmap* rest = view.Sprite(kColumns + 1)->GetFrame(ABall::kRestFrame);
  EXPECT_TRUE(rest->SharesStorageWith(*catalogue::skins[5]->GetFrame(2)));
  EXPECT_TRUE(game->GameBall()->colour != 5 ||
              game->GameBall()->GetFrame(ABall::kRestFrame)->SharesStorageWith(*rest));
  // The view's sprites leave the screen with the game.
  const size_t clips = screen->GetClips().size();
  game.reset();
  screen->game = nullptr;
  EXPECT_LE(screen->GetClips().size(), clips - 12);
}

}  // namespace
