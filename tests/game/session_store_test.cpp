// Saving and restoring a session, damaged stores, pausing, the end of a game and the score display.
#include <gtest/gtest.h>

#include "game/game_orig.h"
#include "game/game_time.h"
#include "tests/game/session_support.h"

using namespace session_testing;

namespace {

class SessionStore : public SessionFixture {
 protected:
  // Everything a restore must bring back.
  struct Snapshot {
    std::array<int, kCellCount> cells;
    int score, colours, left, allowance, gameColour, waitColour;
    std::vector<int> palette;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    Snapshot s{game->GetField()->Cells(), game->Score(),
               game->PaletteLength(),     game->MissesLeft(),
               game->MissAllowance(),     game->GameBall()->colour,
               game->WaitBall()->colour,  {}};
    for (int k = 0; k < game->PaletteLength(); ++k)
      s.palette.push_back(game->PaletteColour(k));
    return s;
  }
  // Shoots at random points until the next ready state; false when the game ended instead.
  bool ShootOnce(int x, int y) {
    game->Fire(x, y);
    return RunUntil([&] {
             const GameState s = game->State();
             return s == GameState::kReady || s == GameState::kGameOverWait;
           }) &&
           game->State() == GameState::kReady;
  }
};

TEST_F(SessionStore, EveryReadyStateIsStoredAndRestoresTheSameGame) {
  GetOptions().Level = 1;
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  const int aims[][2] = {{100, 300}, {450, 200}, {290, 100}, {40, 420}, {530, 350}, {200, 150}};
  int restored = 0;
  for (const auto& aim : aims) {
    if (!ShootOnce(aim[0], aim[1])) break;
    ++restored;
    EXPECT_EQ(store.GetInt("GameOrig.Score", -1), game->Score());
    EXPECT_EQ(store.GetInt("GameOrig.Left", -1), game->MissesLeft());
    EXPECT_TRUE(GetOptions().settingsLoaded);
    const Snapshot saved = Take();
    // A new session on the same screen restores it.
    Make<GameOrig>(/*load=*/true);
    EXPECT_EQ(game->State(), GameState::kReady);
    ASSERT_TRUE(RunUntil([&] { return game->GetField()->View().IsIdle(); }));
    EXPECT_EQ(Take(), saved);
    // Every ball of the board has its sprite again.
    for (int i = 0; i < kCellCount; ++i)
      EXPECT_EQ(game->GetField()->View().Sprite(i) != nullptr, !game->GetField()->IsEmpty(i)) << i;
  }
  EXPECT_EQ(restored, 6);
}

TEST_F(SessionStore, AStoredLeftAboveTheAllowanceIsCutOnRestore) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  store.SetInt("GameOrig.MaxLeft", 3);
  store.SetInt("GameOrig.Left", 5);
  Make<GameOrig>(true);
  EXPECT_EQ(game->MissAllowance(), 3);
  EXPECT_EQ(game->MissesLeft(), 3);
}

TEST_F(SessionStore, ARestoredArcadeGameKeepsItsCountersAndStartsAFullPeriod) {
  GetOptions().GameType = 1;
  GameTime& first = Make<GameTime>();
  ASSERT_TRUE(RunUntilReady());
  ASSERT_TRUE(RunUntil([&] { return first.MissesLeft() == 5; }));
  for (int i = 0; i < 100; ++i)
    Frame();
  GameTime& restored = Make<GameTime>(true);
  EXPECT_EQ(restored.State(), GameState::kReady);
  EXPECT_EQ(restored.MissesLeft(), 5);
  EXPECT_EQ(restored.MissAllowance(), 6);
  EXPECT_EQ(restored.TimeLeft(), 5500);
}

TEST_F(SessionStore, DamagedBallIndicesTakePaletteEntryZero) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  store.SetInt("GameOrig.GameBall", 9);
  store.SetInt("GameOrig.WaitBall", -4);
  Make<GameOrig>(true);
  EXPECT_EQ(game->State(), GameState::kReady);
  EXPECT_EQ(game->GameBall()->colour, game->PaletteColour(0));
  EXPECT_EQ(game->WaitBall()->colour, game->PaletteColour(0));
}

TEST_F(SessionStore, ADamagedColourListStartsANewGameRatherThanAClearedBoard) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  store.SetInt("GameOrig.Score", 777);
  store.SetText("GameOrig.ColorsLeft", "[0 1 7 3]");
  Make<GameOrig>(true);
  EXPECT_EQ(game->Score(), 0);
  EXPECT_EQ(game->PaletteLength(), 6);
  ASSERT_TRUE(RunUntilReady());
  EXPECT_FALSE(game->GetField()->IsEmpty(0));
  EXPECT_EQ(screen->resultDialogs, 0);
}

TEST_F(SessionStore, ANewGameIsNeededAfterAFinishedOne) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  GetOptions().NewGameNeeded = true;
  store.SetInt("GameOrig.Score", 500);
  Make<GameOrig>(true);
  EXPECT_EQ(game->Score(), 0);
  EXPECT_EQ(game->State(), GameState::kLanded) << "a new board fills";
}

TEST_F(SessionStore, PausingTwiceAndResumingOnceReturnsToTheStateBefore) {
  Make<GameTime>();
  ASSERT_TRUE(RunUntilReady());
  game->SetPaused(true);
  game->SetPaused(true);
  EXPECT_EQ(game->State(), GameState::kPaused);
  ASSERT_NE(game->PausePicture(), nullptr);
  EXPECT_FALSE(game->GameBall()->visible);
  // The pause sign pulses.
  for (int i = 0; i < 40; ++i)
    Frame();
  EXPECT_GT(game->PauseTransparency(), 0);
  game->SetPaused(false);
  EXPECT_EQ(game->State(), GameState::kReady);
  EXPECT_EQ(game->PausePicture(), nullptr);
  EXPECT_TRUE(game->GameBall()->visible);
  game->SetPaused(false);
  EXPECT_EQ(game->State(), GameState::kReady);
}

TEST_F(SessionStore, ResumingBeforeAnyTickKeepsTheBoardInPlay) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  const FieldVisual& view = game->GetField()->View();
  const ViewState before = view.State();
  // Pause and resume inside one pass of the loop: no tick runs between them.
  game->SetPaused(true);
  game->SetPaused(false);
  EXPECT_EQ(view.State(), before);
  for (int i = 0; i < 10; ++i)
    Frame();
  EXPECT_TRUE(view.IsIdle());
  for (int i = 0; i < kCellCount; ++i)
    if (view.Sprite(i)) {
      EXPECT_TRUE(view.Sprite(i)->visible) << i;
    }
  EXPECT_EQ(game->State(), GameState::kReady);
}

TEST_F(SessionStore, PausingWhileBallsExplodeHidesThemAndResumesTheExplosions) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard({".......11........", "......23.........", ".......45........"});
  game->NewGameBall(1);
  const auto [x, y] = AimFor(9);
  ASSERT_GE(x, 0);
  game->Fire(x, y);
  ASSERT_TRUE(RunUntil([&] { return game->State() == GameState::kLanded; }));
  const FieldVisual& view = game->GetField()->View();
  ASSERT_EQ(view.State(), ViewState::kPopping);
  game->SetPaused(true);
  Frame();
  EXPECT_EQ(view.State(), ViewState::kHidden);
  for (int i = 0; i < kCellCount; ++i)
    if (view.Sprite(i)) {
      EXPECT_FALSE(view.Sprite(i)->visible) << i;
    }
  const int score = game->Score();
  for (int i = 0; i < 100; ++i)
    Frame();
  EXPECT_EQ(game->Score(), score);
  game->SetPaused(false);
  Frame();
  EXPECT_EQ(view.State(), ViewState::kPopping);
  for (int i = 0; i < kCellCount; ++i)
    if (view.Sprite(i)) {
      EXPECT_TRUE(view.Sprite(i)->visible) << i;
    }
  ASSERT_TRUE(RunUntil([&] { return view.IsIdle(); }));
  EXPECT_EQ(game->Score(), 530);
}

TEST_F(SessionStore, AGameEndingWithoutAScoreStartsAgainAtOnce) {
  Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard(
      {"01234501234501234", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "5................"});
  game->NextBall();  // the end test: a ball in the bottom row
  EXPECT_EQ(game->State(), GameState::kFinishing);
  const int ends = sounds.Count(Game::kSoundEnd);
  ASSERT_TRUE(RunUntil([&] { return game->State() == GameState::kLanded; }, 100));
  EXPECT_EQ(sounds.Count(Game::kSoundEnd), ends + 1);
  EXPECT_EQ(screen->resultDialogs, 0);
  EXPECT_TRUE(game->GetField()->IsEmpty(15 * kColumns));
  ASSERT_TRUE(RunUntilReady());
}

TEST_F(SessionStore, AGameEndingWithAScoreOpensTheResultOnce) {
  GameOrig& orig = Make<GameOrig>();
  ASSERT_TRUE(RunUntilReady());
  game->GetScore().Add(1234);
  SetBoard({"", "0"});  // an empty top row: the board is cleared
  game->NextBall();
  EXPECT_EQ(game->PaletteLength(), 0) << "every colour has left play";
  ASSERT_TRUE(RunUntil([&] { return screen->resultDialogs > 0; }, 100));
  for (int i = 0; i < 50; ++i)
    Frame();
  EXPECT_EQ(screen->resultDialogs, 1);
  EXPECT_TRUE(GetOptions().NewGameNeeded);
  EXPECT_FALSE(orig.Recorder().IsRecording()) << "the recording became the replay";
  EXPECT_TRUE(std::filesystem::exists(folder.path() + "/replay.dat"));
  // The result dialog's OK starts the next game.
  game->Start(false);
  EXPECT_EQ(game->Score(), 0);
  EXPECT_TRUE(screen->replayButton);
}

TEST_F(SessionStore, TheScoreShowsItsDigitsDroppingIn) {
  Make<GameOrig>();
  ScoreBall& score = game->GetScore();
  auto shown = [&] {
    int n = 0;
    for (OClip* digit : score.Digits())
      n += digit->visible;
    return n;
  };
  EXPECT_EQ(shown(), 1);
  EXPECT_EQ(score.Digits()[0]->GetCurrentFrame(), 0);
  score.Add(1234);
  EXPECT_EQ(shown(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(score.Digits()[size_t(i)]->GetCurrentFrame(), 4 - i);
  OClip* thousands = score.Digits()[3];
  EXPECT_EQ(thousands->x, 579 + 5 * 22);
  EXPECT_EQ(thousands->y, 290 - 400);
  ASSERT_TRUE(RunUntil([&] { return thousands->path.empty(); }, 200));
  EXPECT_EQ(thousands->y, 290);
  score.Reset();
  EXPECT_EQ(shown(), 1);
}

}  // namespace
