// The main screen's input rules through the whole program: pauses by key, right button and lost focus,
// the click that only resumes, the minimize button on the press, full screen by F4, the commands.
#include "engine/button.h"
#include "screens/dialogs/wnd_exit.h"
#include "screens/dialogs/wnd_help.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/dialogs/wnd_result.h"
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

class MainScreenInput : public ::testing::Test {
 protected:
  // Starts the program in the given mode and waits for the first shot.
  void StartIn(int gameType) {
    folder.LinkData();
    ASSERT_TRUE(program.Start());
    GetOptions().GameType = gameType;
    program.SkipIntro();
    ASSERT_TRUE(program.UntilReady());
  }
  Game& Session() { return *program.Session(); }
  bool Paused() { return Session().State() == GameState::kPaused; }
  void Key(int key) { program.Window().OnKeyDown(key, 0); }
  // The centre of a command button.
  std::pair<int, int> Centre(AMainWindow::Command command) {
    const OClipButton* b = program.Main()->Button(command);
    return {int(b->x) + b->GetWidth() / 2, int(b->y) + b->GetHeight() / 2};
  }

  ScratchFolder folder;
  SoundLog sounds;
  Program program;
};

TEST_F(MainScreenInput, ArcadePausesOnSpacePauseEscapeAndTheRightButton) {
  StartIn(1);
  EXPECT_EQ(Session().Name(), "GameTime");
  EXPECT_EQ(program.Window().GetFrameInterval(), 10);
  for (int key : {vk::kSpace, vk::kPause, vk::kEscape}) {
    Key(key);
    EXPECT_TRUE(Paused()) << key;
    Key(key);
    EXPECT_FALSE(Paused()) << key;
  }
  program.Window().OnRButtonUp(300, 300);
  EXPECT_TRUE(Paused());
  // While paused the screen's clips stand still.
  const double y = Session().GameBall()->y;
  program.Ticks(20);
  EXPECT_EQ(Session().GameBall()->y, y);
  program.Window().OnRButtonUp(300, 300);
  EXPECT_FALSE(Paused());
}

TEST_F(MainScreenInput, StrategyIgnoresThePauseKeysAndTheRightButton) {
  StartIn(0);
  for (int key : {vk::kSpace, vk::kPause, vk::kEscape})
    Key(key);
  program.Window().OnRButtonUp(300, 300);
  EXPECT_FALSE(Paused());
  // A key only resumes a paused strategy game.
  Session().SetPaused(true);
  Key(vk::kSpace);
  EXPECT_FALSE(Paused());
}

TEST_F(MainScreenInput, LosingTheFocusPausesArcadeButNotStrategy) {
  StartIn(0);
  program.platform.SetFocus(false);
  program.Ticks(3);
  EXPECT_FALSE(Paused());
  program.platform.SetFocus(true);
  GetOptions().GameType = 1;
  program.Main()->StartGame(true, false);
  ASSERT_TRUE(program.UntilReady());
  program.platform.SetFocus(false);
  program.Tick();
  EXPECT_TRUE(Paused());
}

TEST_F(MainScreenInput, APressThatResumesNeverShoots) {
  StartIn(1);
  Key(vk::kSpace);
  ASSERT_TRUE(Paused());
  program.Ticks(3);
  program.Click(300, 200);
  EXPECT_FALSE(Paused());
  EXPECT_EQ(Session().State(), GameState::kReady);
  // Once the board shows again, the next click shoots.
  program.Ticks(10);
  program.Click(300, 200);
  EXPECT_EQ(Session().State(), GameState::kFlying);
}

TEST_F(MainScreenInput, AReleaseOutsideTheFieldOfAPausedGameResumesAndIsPassedOn) {
  StartIn(1);
  program.Main()->GetGame()->SetPaused(true);
  program.Window().OnLButtonUp(700, 400);
  EXPECT_FALSE(Paused());
  EXPECT_EQ(Session().State(), GameState::kReady);
}

TEST_F(MainScreenInput, TheMinimizeButtonActsOnThePressOtherButtonsHalfASecondAfterTheRelease) {
  StartIn(0);
  auto [mx, my] = Centre(AMainWindow::kMinimize);
  program.Window().OnMouseMove(mx, my);
  program.Window().OnLButtonDown(mx, my);
  EXPECT_TRUE(program.platform.IsMinimised());
  program.Window().OnLButtonUp(mx, my);
  program.platform.SetRestored(true);
  // The release queued the minimize command as well; it runs before another button may queue one.
  program.Ticks(60);

  auto [fx, fy] = Centre(AMainWindow::kFullScreen);
  program.Click(fx, fy);
  EXPECT_FALSE(program.Window().IsFullScreen());
  program.Ticks(45);
  EXPECT_FALSE(program.Window().IsFullScreen());
  program.Ticks(10);
  EXPECT_TRUE(program.Window().IsFullScreen());
}

TEST_F(MainScreenInput, F4TogglesFullScreenAndF3AndEnterMinimize) {
  StartIn(0);
  Key(vk::kF4);
  EXPECT_TRUE(program.Window().IsFullScreen());
  Key(vk::kF4);
  EXPECT_FALSE(program.Window().IsFullScreen());
  Key(vk::kF3);
  EXPECT_TRUE(program.platform.IsMinimised());
  program.platform.SetRestored(true);
  Key(vk::kReturn);
  EXPECT_TRUE(program.platform.IsMinimised());
}

TEST_F(MainScreenInput, AClickInTheFieldShootsAndTheShotLands) {
  StartIn(0);
  program.Click(300, 250);
  EXPECT_EQ(Session().State(), GameState::kFlying);
  EXPECT_TRUE(program.UntilReady());
  // A click outside the aiming area does nothing.
  program.Click(300, 560);
  EXPECT_EQ(Session().State(), GameState::kReady);
}

TEST_F(MainScreenInput, TheWebLinkOpensThePageAtOnce) {
  StartIn(0);
  auto [x, y] = Centre(AMainWindow::kWebLink);
  program.Click(x, y);
  ASSERT_EQ(program.platform.OpenedUrls().size(), 1u);
  EXPECT_EQ(program.platform.OpenedUrls()[0], "https://globbet.example/games?r=gbt");
}

TEST_F(MainScreenInput, NewGameWithAScoreAsksFirstAndExitWithoutAutoSaveAsks) {
  StartIn(0);
  Session().GetScore().Add(10);
  program.Main()->RunCommand(AMainWindow::kNewGame);
  EXPECT_EQ(ActiveScreen(), screens::newGame.get());
  EXPECT_TRUE(screens::newGame->rebuildSession);
  // Escape answers no: the game goes on.
  program.Window().OnKeyUp(vk::kEscape, 0);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Score(), 10);

  GetOptions().AutoSave = false;
  program.Main()->RunCommand(AMainWindow::kExit);
  EXPECT_EQ(ActiveScreen(), screens::quit.get());
  // The quit question takes no keys: only its No button answers.
  program.Window().OnKeyUp(vk::kEscape, 0);
  EXPECT_EQ(ActiveScreen(), screens::quit.get());
  screens::quit->OnButtonCommand(screens::quit->NoButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  // Without a score the exit button closes at once.
  program.Main()->StartGame(true, false);
  EXPECT_EQ(Session().Score(), 0);
  const size_t pending = program.platform.PendingEvents();
  program.Main()->RunCommand(AMainWindow::kExit);
  EXPECT_EQ(program.platform.PendingEvents(), pending + 1);
}

TEST_F(MainScreenInput, HelpOpensCentredOverTheMainScreenAndEnterReturns) {
  StartIn(0);
  program.Main()->RunCommand(AMainWindow::kHelp);
  ASSERT_EQ(ActiveScreen(), screens::help.get());
  EXPECT_EQ(screens::help->GetX(), 75);
  EXPECT_EQ(screens::help->GetY(), 50);
  EXPECT_EQ(screens::help->GetScreenBeneath(), screens::mainScreen.get());
  program.Ticks(3);
  program.Window().OnKeyUp(vk::kReturn, 0);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  // The game went on where it stood.
  EXPECT_EQ(Session().State(), GameState::kReady);
}

TEST_F(MainScreenInput, TheResultDialogOfAFinishedGameLeadsToTheNextGame) {
  StartIn(0);
  Session().GetScore().Add(500);
  ASSERT_TRUE(program.Main()->OpenResultDialog());
  ASSERT_EQ(ActiveScreen(), screens::result.get());
  program.Window().OnKeyUp(vk::kReturn, 0);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Score(), 0);
}

TEST_F(MainScreenInput, TheDemoAndReplayButtonsStartNothingWithoutPlayers) {
  StartIn(0);
  Game* before = program.Main()->GetGame();
  program.Main()->RunCommand(AMainWindow::kDemo);
  EXPECT_EQ(program.Main()->GetGame(), before);
  EXPECT_FALSE(program.Main()->DemoRunning());
}

}  // namespace
