// A session on a headless screen: shots from the click to the settled board (score, palette, rows,
// attempts), the strategy and arcade rules, what a game records, saving and restoring, the end, and
// the self-playing demo.

#include "game/arcade_session.h"
#include "game/demo_decision.h"
#include "game/demo_session.h"
#include "game/strategy_session.h"
#include "tests/game/session_support.h"
#include "tests/support/pictures.h"

using namespace session_testing;

namespace {

class Sessions : public SessionFixture {
 protected:
  std::string Palette() const {
    std::string palette;  // the colours in play, in palette order
    for (int k = 0; k < game->PaletteLength(); ++k)
      palette += char('0' + game->PaletteColour(k));
    return palette;
  }
};

// ---- shots ---------------------------------------------------------------------------------------------
TEST_F(Sessions, ShotsSettleWithTheirScorePaletteRowsAndAttempts) {
  // Every colour waits at the right of the top row, so that only a case's own colours leave.
  const struct {
    const char* rows;
    int ball, wait, target;  // the game ball, the waiting ball, the cell the shot lands in
    int score;
    const char* palette;
    int rowsToFill, missesLeft;
  } cases[] = {
      {".......11..012345|......23|.......45", 1, 0, 9, 530, "012345", 0, 6},  // 3 pop, 4 held balls fall
      {"11.........012345|2|3|4", 1, 0, 2, 330, "012345", 0, 6},               // 3 pop, 3 fall
      {".......1...012345", 1, 0, 8, 0, "012345", 0, 5},                       // two stay: a miss
      {"00000111112222233", 3, 4, Index(0, 1), 0, "01234", 2, 5},  // 4, the waiting ball's, stays: 7 - 5 rows
      {"00000000000000000", 1, 0, Index(16, 1), 0, "01", 5, 5},    // down to two colours: 7 - 2 rows
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows);
    Make<StrategySession>();
    ASSERT_TRUE(RunUntilReady());
    SetBoard(c.rows);
    game->NewGameBall(c.ball);
    game->NewWaitBall(c.wait);
    ASSERT_TRUE(RunUntil([&] { return game->GameBall()->GetCurrentFrame() == Ball::kRestFrame; }));
    const auto [x, y] = AimFor(c.target);
    game->Fire(x, y);
    ASSERT_EQ(game->State(), SessionState::kFlying);
    ASSERT_TRUE(RunUntil(
        [&] { return game->State() != SessionState::kFlying && game->GetBoard()->View().IsIdle(); }));
    EXPECT_EQ(game->Score(), c.score);
    EXPECT_EQ(Palette(), c.palette);
    EXPECT_EQ(game->GetBoard()->RowsToFill(), c.rowsToFill);
    EXPECT_EQ(game->MissesLeft(), c.missesLeft);
  }
}

TEST_F(Sessions, FiresOnlyWhenReadyAndStrictlyInsideTheAimingArea) {
  Make<StrategySession>();
  EXPECT_FALSE(game->CanFire(300, 300)) << "the board is still filling";
  ASSERT_TRUE(RunUntilReady());
  for (auto [x, y, fires] : {std::tuple{13, 300, false},
                             {577, 300, false},
                             {300, 13, false},
                             {300, 500, false},
                             {14, 499, true},
                             {576, 14, true}})
    EXPECT_EQ(game->CanFire(x, y), fires) << x << "," << y;
  game->Fire(14, 499);
  EXPECT_EQ(game->State(), SessionState::kFlying);
  EXPECT_FALSE(game->CanFire(300, 300)) << "nothing fires while a ball flies";
}

// ---- the two modes -------------------------------------------------------------------------------------
TEST_F(Sessions, StrategyMissStringsShortenToOneThenRestartFromTheColoursLeft) {
  StrategySession& orig = Make<StrategySession>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard("01234501234501234");
  std::vector<int> strings;
  for (int shot = 0; shot < 23; ++shot) {
    const int before = orig.MissAllowance();
    orig.ShotResolved(shot == 3);  // a hit never counts
    if (orig.MissAllowance() != before) strings.push_back(before);
  }
  EXPECT_EQ(strings, (std::vector<int>{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(orig.MissAllowance(), 6);
  EXPECT_EQ(orig.MissesLeft(), 5);
  GetOptions().level = 2;
  EXPECT_EQ(Make<StrategySession>().MissAllowance(), 2);
}

TEST_F(Sessions, ArcadeLosesAnAttemptEveryPeriodOnlyWhileThePlayerCouldShoot) {
  GetOptions().level = 1;
  GetOptions().mode = GameMode::kArcade;
  ArcadeSession& arcade = Make<ArcadeSession>();
  ASSERT_TRUE(RunUntilReady());
  const int t0 = arcade.TimeLeft();  // the tick that made the game ready counted already
  EXPECT_EQ(t0, 4000 - kTickMs);
  for (int i = 0; i < t0 / kTickMs - 1; ++i)
    Frame();
  EXPECT_EQ(arcade.MissesLeft(), 4);
  Frame();
  EXPECT_EQ(arcade.MissesLeft(), 3);
  EXPECT_EQ(arcade.TimeLeft(), 4000);
  EXPECT_TRUE(store.Has("GameTime.Score")) << "every counting tick stores the game";
  game->SetPaused(true);
  game->SetPaused(true);
  for (int i = 0; i < 500; ++i)
    Frame();
  game->SetPaused(false);
  Frame();
  EXPECT_EQ(arcade.TimeLeft(), 3990);
  EXPECT_EQ(arcade.MissesLeft(), 3);
  game->Fire(290, 300);  // flying, landing and the board's animation stop it too
  int frames = 0;
  for (; game->State() != SessionState::kReady && frames < 5000; ++frames) {
    Frame();
    ASSERT_TRUE(game->State() == SessionState::kReady || arcade.TimeLeft() == 3990);
  }
  EXPECT_LT(frames, 5000);
  GetOptions().level = 0;  // a restored game keeps its counters and starts a full period of its level
  ArcadeSession& restored = Make<ArcadeSession>(true);
  EXPECT_EQ(restored.MissesLeft(), 3);
  EXPECT_EQ(restored.TimeLeft(), 5500);
}

// ---- what a game records -------------------------------------------------------------------------------
TEST_F(Sessions, ArcadeRecordsCarryTheShotsAndTheTimeOutsWithTheCounters) {
  GetOptions().level = 2;
  GetOptions().mode = GameMode::kArcade;
  ArcadeSession& arcade = Make<ArcadeSession>();
  ASSERT_TRUE(RunUntilReady());
  ASSERT_TRUE(RunUntil([&] { return arcade.MissesLeft() == 1; }, 1000));
  game->Fire(300, 200);
  ASSERT_TRUE(RunUntilReady());
  // The period that runs out with the last attempt left pushes the rows, not the one after it.
  const int period = arcade.TimeLeft() / kTickMs + 1;
  ASSERT_TRUE(RunUntil([&] { return game->State() == SessionState::kTimedRows; }, period));
  ASSERT_TRUE(RunUntilReady());
  arcade.Recorder().Close();
  const std::string bytes = ReadAll(folder / "currgame.dat");
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x02\0\0\0\x01\0\0\0", 8));
  // The shot: x 300, y 200, 1 attempt left of 2; the time-out: x 9999, one row, none left, 2.
  EXPECT_NE(bytes.find(std::string("\x2c\x01\0\0\xc8\0\0\0\x01\x02", 10)), std::string::npos);
  EXPECT_NE(bytes.find(std::string("\x0f\x27\0\0\x01\0\0\0\0\x02", 10)), std::string::npos);
}

// ---- damaged stores, the end -----------------------------------------------------------------------------
TEST_F(Sessions, DamagedStoresRestoreWhatTheyCan) {
  // Stored: 3 attempts of 3, score 777; then one value damaged.
  // (A damaged colour list starts a new game: below.)
  for (auto [key, text] : {std::pair{"Left", "5"}, {"GameBall", "9"}, {"WaitBall", "-4"}}) {
    SCOPED_TRACE(key);
    Make<StrategySession>();
    ASSERT_TRUE(RunUntilReady());
    store.SetInt("GameOrig.MaxLeft", 3);
    store.SetInt("GameOrig.Left", 3);
    store.SetInt("GameOrig.Score", 777);
    store.SetText(std::string("GameOrig.") + key, text);
    Make<StrategySession>(true);
    EXPECT_EQ(game->Score(), 777);
    EXPECT_EQ(game->MissesLeft(), 3) << "left is cut to the allowance";
    ASSERT_TRUE(RunUntilReady());
    const int entry0 = game->PaletteColour(0);  // what a bad ball index takes
    EXPECT_TRUE(*key != 'G' || game->GameBall()->colour == entry0);
    EXPECT_TRUE(*key != 'W' || game->WaitBall()->colour == entry0);
  }
}

TEST_F(Sessions, ANewGameStartedByARestoreHasItsLevelsAllowanceNotTheStoredCounters) {
  GetOptions().level = 1;
  for (bool arcade : {false, true})
    for (bool finished : {true, false}) {
      SCOPED_TRACE(std::string(arcade ? "arcade" : "strategy") + (finished ? ", finished" : ", damaged"));
      const std::string name = arcade ? "GameTime" : "GameOrig";
      store.SetInt(name + ".MaxLeft", 2);  // 1 attempt of 2 left, a game that is not resumed
      store.SetInt(name + ".Left", 1);
      store.SetInt(name + ".Score", 777);
      store.SetText(name + ".ColorsLeft", finished ? "[0 1 2 3]" : "[0 1 7 3]");
      GetOptions().newGameNeeded = finished;
      Session& made = arcade ? static_cast<Session&>(Make<ArcadeSession>(true)) : Make<StrategySession>(true);
      EXPECT_EQ(made.Score(), 0) << "a new game";
      EXPECT_EQ(made.MissAllowance(), 4);
      EXPECT_EQ(made.MissesLeft(), 4);
    }
}

TEST_F(Sessions, AGameEndsWithTheResultOnlyWhenItScored) {
  Make<StrategySession>();
  ASSERT_TRUE(RunUntilReady());
  SetBoard("01234501234501234|||||||||||||||5");
  game->NextBall();  // a ball in the bottom row, no score: the game-over sign a while, then the next game
  const int ends = sounds.Count(SoundId::kBurst);
  ASSERT_TRUE(RunUntil([&] { return game->GameOverSign() != nullptr; }, 100));
  EXPECT_EQ(sounds.Count(SoundId::kBurst), ends + 1);
  ASSERT_TRUE(RunUntil([&] { return game->State() == SessionState::kLanded; }, 400));
  EXPECT_EQ(game->GameOverSign(), nullptr);
  ASSERT_TRUE(RunUntilReady());
  EXPECT_EQ(screen->resultDialogs, 0);
  game->GetScore().Add(1234);
  SetBoard("|0");  // an empty top row: cleared
  game->NextBall();
  EXPECT_EQ(game->PaletteLength(), 0);
  for (int i = 0; i < 100; ++i)
    Frame();
  EXPECT_EQ(screen->resultDialogs, 1);
  EXPECT_TRUE(GetOptions().newGameNeeded);
  EXPECT_EQ(ReadAll(folder / "replay.dat").substr(0, 8), std::string(8, '\0'));
  game->Start(false);
  EXPECT_TRUE(screen->replayButton);
}

// ---- the demo ------------------------------------------------------------------------------------------
TEST_F(Sessions, TheDemoShootsWhereItsChoiceSaysAtItsOwnPace) {
  GetOptions().animate = false;  // nothing else draws from the generator between the shots
  GetOptions().speed = 1;        // a shot two seconds over the speed: every 1000 ms
  DemoSession& demo = Make<DemoSession>();
  for (int shot = 0; shot < 4; ++shot) {
    ASSERT_TRUE(
        RunUntil([&] { return demo.State() == SessionState::kReady && demo.GetBoard()->View().IsIdle(); }));
    const uint32_t seed = LibRandomSeed();
    ScratchBoard board;
    board.CopyFrom(*demo.GetBoard());
    const AimPoint aim = ChooseDemoAim(board, demo.GameBall()->colour);
    SetLibRandomSeed(seed);
    Fire(board, aim.x, aim.y);
    int waited = 0;
    for (; demo.State() == SessionState::kReady && waited < 2000; waited += kTickMs)
      Frame();
    ASSERT_EQ(demo.State(), SessionState::kFlying);
    EXPECT_EQ(demo.GetBoard()->LandingIndex(), board.LandingIndex()) << "shot " << shot;
    EXPECT_TRUE(shot == 0 || waited == 1000) << waited << " ms: the clock runs only while it could shoot";
  }
}

// ---- looks ---------------------------------------------------------------------------------------------
// A twinkling ball keeps what its look adds to the plain ball (the symbol here) over the sparkle, and a
// change of look leaves nothing of the one before.
TEST_F(Sessions, TheTwinkleKeepsTheSymbolAndTheSparkleAndDropsAnEarlierLook) {
  for (int k = 0; k < kColourCount; ++k) {
    SCOPED_TRACE(k);
    Ball& ball = *catalogue::ballSprites()[size_t(k)];
    const Clip& skin = *catalogue::skins()[size_t(k)];
    const auto plainRest = Pixels(*skin.GetFrame(0)), symbol = Pixels(*skin.GetFrame(1));
    std::vector<std::vector<uint32_t>> plain;
    for (int f = Ball::kShineTurnFrame; f < Ball::kRestFrame; ++f)
      plain.push_back(Pixels(*ball.GetFrame(f)));
    for (int look : {2, 1}) {  // stripes, then the symbol
      GetOptions().skins[size_t(k)] = look;
      ApplyLook(ball);
    }
    for (size_t f = 0; f < plain.size(); ++f) {
      const auto shown = Pixels(*ball.GetFrame(Ball::kShineTurnFrame + int(f)));
      for (size_t i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i], symbol[i] != plainRest[i] ? symbol[i] : plain[f][i])
            << "frame " << f << " pixel " << i;
    }
    GetOptions().skins[size_t(k)] = 0;
    ApplyLook(ball);
    for (size_t f = 0; f < plain.size(); ++f)
      EXPECT_EQ(Pixels(*ball.GetFrame(Ball::kShineTurnFrame + int(f))), plain[f]) << f;
  }
}

}  // namespace
