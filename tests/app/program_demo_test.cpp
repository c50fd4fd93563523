// The main screen around the self-playing sessions, with a plain strategy game standing in for the
// players: the labels and their blinking, what ends a demo, the level during a replay.
#include <cstdio>

#include "engine/button.h"
#include "game/game_orig.h"
#include "game/player_sessions.h"
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

class MainScreenDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlayerSessionFactory([this](OEngine& screen, bool replay, int mode) {
      made.push_back({replay, mode});
      return std::make_unique<GameOrig>(&screen);
    });
    folder.LinkData();
  }
  void TearDown() override { SetPlayerSessionFactory(nullptr); }
  void StartMain() {
    ASSERT_TRUE(program.Start());
    GetOptions().Level = 1;
    program.SkipIntro();
    ASSERT_TRUE(program.UntilReady());
  }
  AMainWindow& Main() { return *program.Main(); }

  struct Made {
    bool replay;
    int mode;
  };
  std::vector<Made> made;
  ScratchFolder folder;
  SoundLog sounds;
  Program program;
};

TEST_F(MainScreenDemo, TheDemoPlaysAtLevelZeroWithItsBlinkingLabelAndAnyKeyEndsIt) {
  StartMain();
  Main().RunCommand(AMainWindow::kDemo);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_FALSE(made[0].replay);
  EXPECT_TRUE(Main().DemoRunning());
  EXPECT_EQ(GetOptions().Level, 0);
  EXPECT_TRUE(Main().DemoLabel()->visible);
  EXPECT_FALSE(Main().ReplayLabel()->visible);
  program.Ticks(10);
  EXPECT_GT(Main().BlinkAlpha(), 0);
  EXPECT_EQ(Main().DemoLabel()->GetShownPicture()->transparency, Main().BlinkAlpha());
  // Losing the focus pauses the demo, whatever the mode.
  program.platform.SetFocus(false);
  program.Tick();
  EXPECT_EQ(program.Session()->State(), GameState::kPaused);
  program.platform.SetFocus(true);

  program.Window().OnKeyDown('A', 0);
  EXPECT_FALSE(Main().DemoRunning());
  EXPECT_EQ(GetOptions().Level, 1);
  EXPECT_FALSE(Main().DemoLabel()->visible);
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
}

TEST_F(MainScreenDemo, AClickInTheFieldEndsTheDemoWithoutShooting) {
  StartMain();
  Main().RunCommand(AMainWindow::kDemo);
  ASSERT_TRUE(program.UntilReady());
  program.Click(300, 250);
  EXPECT_FALSE(Main().DemoRunning());
  EXPECT_NE(program.Session()->State(), GameState::kFlying);
}

TEST_F(MainScreenDemo, TheReplayShowsItsOwnLevelAndThePreviousOneComesBack) {
  // A replay header: level 2, strategy.
  const int32_t header[2] = {2, 0};
  std::FILE* file = std::fopen("replay.dat", "wb");
  ASSERT_TRUE(file);
  std::fwrite(header, sizeof header, 1, file);
  std::fclose(file);
  StartMain();
  EXPECT_TRUE(Main().Button(AMainWindow::kReplay)->visible);
  Main().RunCommand(AMainWindow::kReplay);
  ASSERT_EQ(made.size(), 1u);
  EXPECT_TRUE(made[0].replay);
  EXPECT_EQ(made[0].mode, 0);
  EXPECT_TRUE(Main().ReplayRunning());
  EXPECT_EQ(GetOptions().Level, 2);
  EXPECT_TRUE(Main().ReplayLabel()->visible);
  // Starting the demo from the replay keeps the level saved before either.
  Main().RunCommand(AMainWindow::kDemo);
  program.Window().OnKeyDown(vk::kSpace, 0);
  EXPECT_EQ(GetOptions().Level, 1);
}

}  // namespace

namespace {

TEST(MainScreenPlayers, TheRealDemoShootsByItselfAndAKeyReturnsToTheStoredGame) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  SetPlayerSessionFactory(MakePlayerSession);
  Program program;
  ASSERT_TRUE(program.Start());
  program.SkipIntro();
  ASSERT_TRUE(program.UntilReady());
  std::vector<int> board;
  for (int i = 0; i < kCellCount; ++i)
    board.push_back(program.Session()->GetField()->Cell(i));
  program.Main()->RunCommand(AMainWindow::kDemo);
  ASSERT_TRUE(program.Main()->DemoRunning());
  EXPECT_EQ(program.Session()->Name(), "GameDemo");
  bool shot = false;
  for (int i = 0; i < 1500 && !shot; ++i) {
    program.Tick();
    shot = program.Session()->State() == GameState::kFlying;
  }
  EXPECT_TRUE(shot);
  program.Window().OnKeyDown(vk::kSpace, 0);
  EXPECT_FALSE(program.Main()->DemoRunning());
  ASSERT_TRUE(program.UntilReady());
  // The game stored before the demo comes back.
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
  for (int i = 0; i < kCellCount; ++i)
    ASSERT_EQ(program.Session()->GetField()->Cell(i), board[size_t(i)]) << "cell " << i;
  SetPlayerSessionFactory(nullptr);
}


TEST(MainScreenPlayers, AReplayTooShortForItsFirstBoardHandsBackToAGame) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  SetPlayerSessionFactory(MakePlayerSession);
  // A strategy replay at level 0 holding only ten random values: the first board needs 153.
  std::FILE* file = std::fopen("replay.dat", "wb");
  ASSERT_TRUE(file);
  const int32_t header[2] = {0, 0};
  std::fwrite(header, sizeof header, 1, file);
  const signed char values[10] = {0, 1, 2, 3, 4, 5, 0, 1, 2, 3};
  std::fwrite(values, sizeof values, 1, file);
  std::fclose(file);
  Program program;
  ASSERT_TRUE(program.Start());
  GetOptions().Level = 1;
  program.SkipIntro();
  ASSERT_TRUE(program.UntilReady());
  program.Main()->RunCommand(AMainWindow::kReplay);
  program.Ticks(5);
  EXPECT_FALSE(program.Main()->DemoRunning());
  EXPECT_FALSE(program.Main()->ReplayRunning());
  EXPECT_EQ(GetOptions().Level, 1);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
  SetPlayerSessionFactory(nullptr);
}

}  // namespace
