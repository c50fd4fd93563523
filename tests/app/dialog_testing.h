// Helpers of the dialog tests: the whole program started on the headless platform with a game waiting
// for its first shot, and the ways a player reaches a dialog's controls (clicks in window coordinates,
// keys, a button's command after its delay).
#pragma once

#include "engine/button.h"
#include "engine/check_box.h"
#include "tests/app/program_testing.h"

namespace dialog_testing {

using namespace program_testing;

class DialogTest : public ::testing::Test {
 protected:
  // Starts the program at a level and in a mode and waits for the first shot.
  void StartIn(int level, int gameType) {
    folder.LinkData();
    ASSERT_TRUE(program.Start());
    GetOptions().Level = level;
    GetOptions().GameType = gameType;
    program.SkipIntro();
    program.Main()->StartGame(true, false);
    ASSERT_TRUE(program.UntilReady());
  }
  Game& Session() { return *program.Session(); }
  TScoresTable& Table() { return program.Main()->Scores(); }
  void KeyUp(int key) { program.Window().OnKeyUp(key, 0); }
  // A click on the middle of a control of screen.
  void ClickOn(const OEngine& screen, const OClip* control) {
    ASSERT_NE(control, nullptr);
    program.Click(screen.GetX() + int(control->x) + control->GetWidth() / 2,
                  screen.GetY() + int(control->y) + control->GetHeight() / 2);
  }
  // A click on a command button, then the time its command waits.
  void PressButton(const OEngine& screen, const OClip* button) {
    ClickOn(screen, button);
    program.Ticks(60);
  }
  // Gives the game a score, so that it counts as a game in progress.
  void Score(int points) { Session().GetScore().Add(points); }

  ScratchFolder folder;
  SoundLog sounds;
  Program program;
};

}  // namespace dialog_testing
