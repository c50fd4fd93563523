// The main screen around the demo and the replay of the last game: their labels, the level they play
// at and give back, what ends them, and the stored game that comes back afterwards.
#include <cstdio>

#include "game/game_orig.h"
#include "game/player_sessions.h"
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

class Players : public ::testing::Test {
 protected:
  ~Players() override { SetPlayerSessionFactory(nullptr); }
  // The players stand in as plain strategy games, remembering what was asked for.
  void StandIn() {
    SetPlayerSessionFactory([this](OEngine& screen, bool replay, int mode) {
      made.push_back({replay, mode});
      return std::make_unique<GameOrig>(&screen);
    });
  }
  void WriteReplay(int level, int mode, const std::vector<signed char>& values) {
    std::FILE* file = std::fopen("replay.dat", "wb");
    ASSERT_TRUE(file);
    const int32_t header[2] = {level, mode};
    std::fwrite(header, sizeof header, 1, file);
    std::fwrite(values.data(), 1, values.size(), file);
    std::fclose(file);
  }
  AMainWindow& Main() { return *program.Main(); }

  std::vector<std::pair<bool, int>> made;
  ScratchFolder folder;
  SoundLog sounds;
  Program program;
};

TEST_F(Players, TheDemoPlaysAtLevelZeroWithItsBlinkingLabelAndAKeyOrAClickEndsIt) {
  StandIn();
  ASSERT_TRUE(program.StartIn(1, 0));
  for (bool byKey : {true, false}) {
    Main().RunCommand(AMainWindow::kDemo);
    ASSERT_EQ(made.back(), std::pair(false, 0));
    EXPECT_EQ(GetOptions().Level, 0);
    EXPECT_TRUE(Main().DemoLabel()->visible && !Main().ReplayLabel()->visible);
    program.Ticks(10);
    EXPECT_GT(Main().BlinkAlpha(), 0);
    EXPECT_EQ(Main().DemoLabel()->GetShownPicture()->transparency, Main().BlinkAlpha());
    ASSERT_TRUE(program.UntilReady());
    if (byKey) {  // losing the focus pauses a demo, whatever the mode
      program.platform.SetFocus(false);
      program.Tick();
      EXPECT_EQ(program.Session()->State(), GameState::kPaused);
      program.platform.SetFocus(true);
    }
    byKey ? program.KeyDown('A') : program.Click(300, 250);
    EXPECT_FALSE(Main().DemoRunning() || Main().DemoLabel()->visible);
    EXPECT_EQ(GetOptions().Level, 1);
    EXPECT_NE(program.Session()->State(), GameState::kFlying) << "the click that ends it shoots";
  }
}

TEST_F(Players, TheReplayPlaysAtItsOwnLevelAndTheLevelBeforeComesBack) {
  StandIn();
  WriteReplay(2, 0, {});
  ASSERT_TRUE(program.StartIn(1, 0));
  Main().RunCommand(AMainWindow::kReplay);
  ASSERT_EQ(made, (std::vector<std::pair<bool, int>>{{true, 0}}));
  EXPECT_TRUE(Main().ReplayRunning() && Main().ReplayLabel()->visible);
  EXPECT_EQ(GetOptions().Level, 2);
  // A demo started from the replay keeps the level saved before either.
  Main().RunCommand(AMainWindow::kDemo);
  program.KeyDown(vk::kSpace);
  EXPECT_EQ(GetOptions().Level, 1);
}

TEST_F(Players, TheRealDemoShootsByItselfAndAKeyBringsBackTheStoredGame) {
  SetPlayerSessionFactory(MakePlayerSession);
  ASSERT_TRUE(program.StartIn(0, 0));
  const std::vector<int> board = program.Board();
  Main().RunCommand(AMainWindow::kDemo);
  EXPECT_EQ(program.Session()->Name(), "GameDemo");
  bool shot = false;
  for (int i = 0; i < 1500 && !shot; ++i, program.Tick())
    shot = program.Session()->State() == GameState::kFlying;
  EXPECT_TRUE(shot);
  program.KeyDown(vk::kSpace);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
  EXPECT_EQ(program.Board(), board);
}

TEST_F(Players, AReplayTooShortForItsFirstBoardHandsBackToAGame) {
  SetPlayerSessionFactory(MakePlayerSession);
  WriteReplay(0, 0, {0, 1, 2, 3, 4, 5, 0, 1, 2, 3});  // the first board needs 153 values
  ASSERT_TRUE(program.StartIn(1, 0));
  Main().RunCommand(AMainWindow::kReplay);
  program.Ticks(5);
  EXPECT_FALSE(Main().DemoRunning() || Main().ReplayRunning());
  EXPECT_EQ(GetOptions().Level, 1);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
}

}  // namespace
