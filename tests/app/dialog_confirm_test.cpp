// The quit and new-game questions and the help pages through the whole program.
#include "engine/active_screen.h"
#include "engine/text_block.h"
#include "screens/dialogs/wnd_exit.h"
#include "screens/dialogs/wnd_help.h"
#include "screens/dialogs/wnd_rest.h"
#include "tests/app/dialog_testing.h"

using namespace dialog_testing;

namespace {

using Questions = DialogTest;

TEST_F(Questions, WithAutomaticResumeTheExitButtonClosesAtOnce) {
  StartIn(0, 0);
  Score(30);
  GetOptions().AutoSave = true;
  program.Main()->RunCommand(AMainWindow::kExit);
  EXPECT_FALSE(program.platform.HasWindow());
}

TEST_F(Questions, WithoutAutomaticResumeQuitAsksDuringAGameAndYesCloses) {
  StartIn(0, 0);
  Score(30);
  GetOptions().AutoSave = false;
  program.Main()->RunCommand(AMainWindow::kExit);
  ASSERT_EQ(ActiveScreen(), screens::quit.get());
  EXPECT_EQ(screens::quit->Line(0).Text(), "QUIT THE");
  EXPECT_EQ(screens::quit->Line(1).Text(), "GAME ?");
  // No keys: Enter answers nothing.
  KeyUp(vk::kReturn);
  EXPECT_EQ(ActiveScreen(), screens::quit.get());
  EXPECT_TRUE(program.platform.HasWindow());
  PressButton(*screens::quit, screens::quit->YesButton());
  EXPECT_FALSE(program.platform.HasWindow());
}

TEST_F(Questions, NewGameYesRestartsAndNoKeepsTheGame) {
  StartIn(0, 0);
  Score(30);
  program.Main()->RunCommand(AMainWindow::kNewGame);
  ASSERT_EQ(ActiveScreen(), screens::newGame.get());
  PressButton(*screens::newGame, screens::newGame->NoButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Score(), 30);
  program.Main()->RunCommand(AMainWindow::kNewGame);
  PressButton(*screens::newGame, screens::newGame->YesButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Score(), 0);
}

TEST_F(Questions, HelpTurnsItsPagesAndOpensTheMoreGamesPage) {
  StartIn(0, 0);
  const std::string& text = AWndHelp::Text();
  EXPECT_GT(text.size(), 1500u);
  EXPECT_LT(text.size(), 2600u);
  EXPECT_NE(text.find("F4 - FullScreen mode (On/Off)."), std::string::npos);
  EXPECT_NE(text.find("Right mouse button - Game Pause (in arcade)"), std::string::npos);

  program.Main()->RunCommand(AMainWindow::kHelp);
  AWndHelp& help = *screens::help;
  ASSERT_EQ(ActiveScreen(), &help);
  ASSERT_GE(help.PageCount(), 2);
  EXPECT_EQ(help.Page(), 0);
  EXPECT_TRUE(help.NextButton()->visible);
  EXPECT_FALSE(help.PreviousButton()->visible);
  PressButton(help, help.NextButton());
  EXPECT_EQ(help.Page(), 1);
  EXPECT_FALSE(help.NextButton()->visible);
  EXPECT_TRUE(help.PreviousButton()->visible);
  PressButton(help, help.PreviousButton());
  EXPECT_EQ(help.Page(), 0);
  EXPECT_TRUE(help.NextButton()->visible);

  PressButton(help, help.MoreGamesButton());
  ASSERT_EQ(program.platform.OpenedUrls().size(), 1u);
  EXPECT_EQ(program.platform.OpenedUrls()[0], kMoreGamesUrl);
  EXPECT_EQ(ActiveScreen(), &help);
  KeyUp(vk::kEscape);  // help takes only Enter
  EXPECT_EQ(ActiveScreen(), &help);
  PressButton(help, help.NextButton());
  PressButton(help, help.CloseButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  // Opened again, it starts at the first page.
  program.Main()->RunCommand(AMainWindow::kHelp);
  EXPECT_EQ(help.Page(), 0);
  EXPECT_TRUE(help.NextButton()->visible);
  EXPECT_FALSE(help.PreviousButton()->visible);
}

}  // namespace
