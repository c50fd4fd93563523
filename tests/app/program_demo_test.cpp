// The main screen around the demo and the replay of the last game: the level they play at and give
// back, what ends them, and the stored game that comes back afterwards.
#include <cstdio>

#include "game/game_orig.h"
#include "game/player_sessions.h"
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

class Players : public ::testing::Test {
 protected:
  Players() { SetPlayerSessionFactory(MakePlayerSession); }
  ~Players() override { SetPlayerSessionFactory(nullptr); }
  void WriteReplay(int level, const std::vector<signed char>& values) {
    const int32_t header[2] = {level, 0};  // strategy
    WriteAll("replay.dat", std::string(reinterpret_cast<const char*>(header), sizeof header) +
                               std::string(values.begin(), values.end()));
  }
  AMainWindow& Main() { return *program.Main(); }

  ScratchFolder folder;
  SoundLog sounds;
  Program program;
};

TEST_F(Players, TheDemoShootsByItselfAtLevelZeroPausesWithoutFocusAndAKeyBringsBackTheGameAndLevel) {
  ASSERT_TRUE(program.StartIn(1, 0));
  const std::vector<int> board = program.Board();
  Main().RunCommand(AMainWindow::kDemo);
  EXPECT_EQ(program.Session()->Name(), "GameDemo");
  EXPECT_EQ(GetOptions().Level, 0);
  EXPECT_TRUE(Main().DemoLabel()->visible);
  bool shot = false;
  for (int i = 0; i < 1500 && !shot; ++i, program.Ticks())
    shot = program.Session()->State() == GameState::kFlying;
  EXPECT_TRUE(shot);
  program.platform.SetFocus(false);
  program.Ticks();
  EXPECT_EQ(program.Session()->State(), GameState::kPaused);
  program.platform.SetFocus(true);
  program.KeyDown(vk::kSpace);
  EXPECT_FALSE(Main().DemoRunning() || Main().DemoLabel()->visible);
  EXPECT_EQ(GetOptions().Level, 1);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
  EXPECT_EQ(program.Board(), board);
}

TEST_F(Players, AClickInTheFieldEndsTheDemoWithoutShooting) {
  ASSERT_TRUE(program.StartIn(0, 0));
  Main().RunCommand(AMainWindow::kDemo);
  ASSERT_TRUE(program.UntilReady());
  program.Click(300, 250);
  EXPECT_FALSE(Main().DemoRunning());
  EXPECT_NE(program.Session()->State(), GameState::kFlying);
}

TEST_F(Players, TheReplayPlaysAtItsOwnLevelAndTheLevelBeforeComesBack) {
  SetPlayerSessionFactory([](OEngine& screen, bool, int) { return std::make_unique<GameOrig>(&screen); });
  WriteReplay(2, {});
  ASSERT_TRUE(program.StartIn(1, 0));
  Main().RunCommand(AMainWindow::kReplay);
  EXPECT_TRUE(Main().ReplayRunning() && Main().ReplayLabel()->visible);
  EXPECT_EQ(GetOptions().Level, 2);
  // A demo started from the replay keeps the level saved before either.
  Main().RunCommand(AMainWindow::kDemo);
  program.KeyDown(vk::kSpace);
  EXPECT_EQ(GetOptions().Level, 1);
}

TEST_F(Players, AReplayTooShortForItsFirstBoardHandsBackToAGame) {
  WriteReplay(0, {0, 1, 2, 3, 4, 5, 0, 1, 2, 3});  // the first board needs 153 values
  ASSERT_TRUE(program.StartIn(1, 0));
  Main().RunCommand(AMainWindow::kReplay);
  program.Ticks(5);
  EXPECT_FALSE(Main().DemoRunning() || Main().ReplayRunning());
  EXPECT_EQ(GetOptions().Level, 1);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
}

}  // namespace
