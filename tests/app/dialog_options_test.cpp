// The options dialog through the whole program: a level or mode change during a game asks first and No
// brings the old level and mode back; without a game the change acts at once; Enter stores like OK,
// Escape changes nothing; the level and mode boxes behave as radio groups.
#include "engine/active_screen.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/progress_bar.h"
#include "tests/app/dialog_testing.h"

using namespace dialog_testing;

namespace {

class OptionsDialog : public DialogTest {
 protected:
  AWndOptions& Dialog() { return *screens::options; }
  void Open() {
    program.Main()->RunCommand(AMainWindow::kOptions);
    ASSERT_EQ(ActiveScreen(), screens::options.get());
  }
};

TEST_F(OptionsDialog, ALevelChangeDuringAGameAsksAndNoRestoresLevelAndMode) {
  StartIn(0, 0);
  Score(40);
  Open();
  EXPECT_TRUE(Dialog().LevelBox(0)->IsChecked());
  ClickOn(Dialog(), Dialog().LevelBox(2));
  // The radio group: only the box clicked stays checked.
  EXPECT_FALSE(Dialog().LevelBox(0)->IsChecked());
  EXPECT_TRUE(Dialog().LevelBox(2)->IsChecked());
  KeyUp(vk::kReturn);
  ASSERT_EQ(ActiveScreen(), screens::newGame.get());
  EXPECT_EQ(screens::newGame->Line(0).Text(), "START NEW");
  EXPECT_EQ(screens::newGame->Line(1).Text(), "GAME ?");
  EXPECT_EQ(screens::newGame->requester, &Dialog());
  EXPECT_FALSE(screens::newGame->rebuildSession);
  EXPECT_EQ(GetOptions().Level, 2);
  KeyUp(vk::kEscape);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(GetOptions().Level, 0);
  EXPECT_EQ(GetOptions().GameType, 0);
  EXPECT_EQ(Session().Score(), 40);
}

TEST_F(OptionsDialog, AModeChangeDuringAGameAnsweredYesMakesTheNewSession) {
  StartIn(1, 0);
  Score(40);
  Open();
  ClickOn(Dialog(), Dialog().TypeBox(1));
  EXPECT_FALSE(Dialog().TypeBox(0)->IsChecked());
  KeyUp(vk::kReturn);
  ASSERT_EQ(ActiveScreen(), screens::newGame.get());
  EXPECT_TRUE(screens::newGame->rebuildSession);
  KeyUp(vk::kReturn);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Name(), "GameTime");
  EXPECT_EQ(Session().Score(), 0);
  EXPECT_EQ(GetOptions().Level, 1);
  EXPECT_FALSE(screens::newGame->rebuildSession);
}

TEST_F(OptionsDialog, WithoutAGameInProgressAChangeActsAtOnce) {
  StartIn(0, 0);
  Open();
  ClickOn(Dialog(), Dialog().TypeBox(1));
  KeyUp(vk::kReturn);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Name(), "GameTime");
  EXPECT_EQ(GetOptions().GameType, 1);

  Open();
  ClickOn(Dialog(), Dialog().LevelBox(1));
  KeyUp(vk::kReturn);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(GetOptions().Level, 1);
  EXPECT_EQ(Session().Name(), "GameTime");
}

TEST_F(OptionsDialog, EnterStoresTheSwitchesAndTheSpeedAndEscapeStoresNothing) {
  StartIn(0, 0);
  GetOptions().FastSpeed = 2;
  Open();
  EXPECT_EQ(Dialog().SpeedBar().GetValue(), 2);
  EXPECT_TRUE(Dialog().SwitchBox(AWndOptions::kSoundOn)->IsChecked());
  // The DirectSound box says what the player does, and so does the option from now on.
  EXPECT_EQ(Dialog().SwitchBox(AWndOptions::kDirectSound)->IsChecked(), GetSound().GetMode() == 1);
  EXPECT_EQ(GetOptions().DirectSound, GetSound().GetMode() == 1);

  ClickOn(Dialog(), Dialog().SwitchBox(AWndOptions::kSoundOn));
  ClickOn(Dialog(), Dialog().SwitchBox(AWndOptions::kAnimate));
  ClickOn(Dialog(), Dialog().SpeedBar().Cells()[4]);
  EXPECT_EQ(Dialog().SpeedBar().GetValue(), 4);
  KeyUp(vk::kEscape);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_TRUE(GetOptions().SoundOn);
  EXPECT_TRUE(GetOptions().Animate);
  EXPECT_EQ(GetOptions().FastSpeed, 2);

  // Opened again, the controls show the options, not the abandoned choices.
  Open();
  EXPECT_TRUE(Dialog().SwitchBox(AWndOptions::kSoundOn)->IsChecked());
  EXPECT_EQ(Dialog().SpeedBar().GetValue(), 2);
  ClickOn(Dialog(), Dialog().SwitchBox(AWndOptions::kSoundOn));
  ClickOn(Dialog(), Dialog().SwitchBox(AWndOptions::kAutoSave));
  ClickOn(Dialog(), Dialog().SpeedBar().Cells()[4]);
  KeyUp(vk::kReturn);
  EXPECT_FALSE(GetOptions().SoundOn);
  EXPECT_FALSE(GetSound().IsEnabled());
  EXPECT_FALSE(GetOptions().AutoSave);
  EXPECT_TRUE(GetOptions().Animate);
  EXPECT_EQ(GetOptions().FastSpeed, 4);
  EXPECT_EQ(program.Window().GetFrameInterval(), frameIntervals[4]);
}

TEST_F(OptionsDialog, TheOkButtonActsHalfASecondAfterItsRelease) {
  StartIn(0, 0);
  Open();
  ClickOn(Dialog(), Dialog().LevelBox(2));
  PressButton(Dialog(), Dialog().OkButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(GetOptions().Level, 2);
}

}  // namespace
