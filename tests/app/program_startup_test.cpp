// Start-up and teardown of the whole program with the real data files: the catalogue and the intro, a
// missing data file, what the first exit writes, and the game resumed after a restart.
#include "engine/catalogue.h"
#include "screens/ball.h"
#include "screens/ball_string.h"
#include "screens/intro.h"
#include "screens/small_balls.h"
#include "store/settings_file.h"
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

template <class Table>
bool AllLoaded(const Table& table) {
  for (const auto& slot : table)
    if (!slot || (slot->GetOwnFrameCount() == 0 && slot->GetSequenceCount() == 0)) return false;
  return true;
}

TEST(ProgramStartup, LoadsTheCatalogueShowsTheIntroAndHandsOverOnTheFirstTickPastSixSeconds) {
  ScratchFolder folder;
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  // Every slot of the catalogue is filled.
  EXPECT_TRUE(AllLoaded(catalogue::ballPictures) && AllLoaded(catalogue::ballSprites) &&
              AllLoaded(catalogue::skins) && AllLoaded(catalogue::mainWindowPieces) &&
              AllLoaded(catalogue::framePieces) && AllLoaded(catalogue::generalPictures) &&
              AllLoaded(catalogue::buttonPictures) && AllLoaded(catalogue::alphabetStrips));
  for (int id = 0; id < 10; ++id)
    EXPECT_TRUE(sounds.Player().Find(id)) << "sound " << id;
  EXPECT_EQ(ActiveScreen(), screens::intro.get());
  EXPECT_TRUE(program.platform.IsRounded());
  // Centred on the headless 1280 x 1024 screen, at the intro's size and then at the main screen's.
  EXPECT_EQ(program.Window().GetWindowX(), (1280 - 400) / 2);
  EXPECT_EQ(program.Window().GetWindowY(), (1024 - 400) / 2);
  // The logo bursts at 4000 ms.
  program.Ticks(399);
  EXPECT_EQ(sounds.Count(5), 0);
  program.Ticks(1);
  EXPECT_EQ(sounds.Count(5), 1);
  EXPECT_GT(screens::smallBalls->Count(), 0);
  program.Ticks(200);
  EXPECT_EQ(ActiveScreen(), screens::intro.get());
  program.Ticks();
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(program.Window().GetWindowX(), (1280 - 800) / 2);
  EXPECT_EQ(program.Window().GetWindowY(), (1024 - 600) / 2);
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
  EXPECT_EQ(program.Quit(), 0);
  EXPECT_FALSE(screens::intro);
  EXPECT_FALSE(catalogue::buttonPictures[0]);
}

TEST(ProgramStartup, AMissingPictureStopsWithItsNameAndExitCode255AndAMissingSoundIsSilent) {
  for (const char* missing : {"clp/buttons/26.clp", "clp/globint.clp"}) {
    ScratchFolder folder({missing});
    HeadlessPlatform platform;
    SetPlatform(&platform);
    EXPECT_EQ(RunGame(), 255) << missing;
    SetPlatform(nullptr);
    ASSERT_EQ(platform.MessageBoxes().size(), 1u);
    EXPECT_EQ(platform.MessageBoxes()[0].text,
              "Error: file " + std::string(missing) + " not found. Please reinstall game.");
    // Nothing after the failure ran, and the catalogue was freed again.
    EXPECT_FALSE(screens::intro);
    EXPECT_FALSE(fs::exists(kSettingsFileName));
    EXPECT_FALSE(catalogue::ballPictures[0]);
  }
  ScratchFolder folder({"wav/3.wav"});
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_FALSE(sounds.Player().Find(3));
  EXPECT_TRUE(sounds.Player().Find(4));
}

TEST(ProgramStartup, TheFirstExitStoresTheGameAndTheNextStartResumesIt) {
  ScratchFolder folder;
  SoundLog sounds;
  std::vector<int> board;
  int score = 0, gameBall = -1, waitBall = -1, misses = -1;
  {
    Program program;
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(GetOptions(), Options{});
    // The release of the press that ended the intro does not shoot.
    program.Window().OnLButtonDown(200, 200);
    program.Ticks();
    EXPECT_EQ(program.Window().GetFrameInterval(), frameIntervals[Options{}.FastSpeed]);
    ASSERT_TRUE(program.UntilReady());
    program.Window().OnLButtonUp(200, 200);
    EXPECT_EQ(program.Session()->State(), GameState::kReady);
    for (int shot = 0; shot < 3; ++shot) {
      ASSERT_TRUE(program.UntilReady());
      program.Click(120 + 150 * shot, 330);
      EXPECT_EQ(program.Session()->State(), GameState::kFlying);
    }
    ASSERT_TRUE(program.UntilReady());
    Game& game = *program.Session();
    game.GetScore().Add(120);
    game.Save();
    board = program.Board();
    score = game.Score();
    gameBall = game.GameBall()->colour;
    waitBall = game.WaitBall()->colour;
    misses = game.MissesLeft();
    EXPECT_EQ(program.Quit(), 0);
  }
  // What the file holds is the store's to check; here, that the first exit wrote it.
  Program program;
  ASSERT_TRUE(program.Start());
  program.SkipIntro();
  ASSERT_TRUE(program.UntilReady());
  Game& game = *program.Session();
  EXPECT_EQ(program.Board(), board);
  EXPECT_EQ(game.Score(), score);
  EXPECT_EQ(game.GameBall()->colour, gameBall);
  EXPECT_EQ(game.WaitBall()->colour, waitBall);
  EXPECT_EQ(game.MissesLeft(), misses);
}

}  // namespace
