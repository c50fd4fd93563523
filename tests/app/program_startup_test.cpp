// Start-up and teardown of the whole program on the headless platform with the real data files: the
// catalogue, the screens, the intro and its hand-over, a missing data file, the settings file.
#include <fstream>

#include "engine/catalogue.h"
#include "screens/ball.h"
#include "screens/ball_string.h"
#include "screens/dialogs/wnd_clear.h"
#include "screens/dialogs/wnd_exit.h"
#include "screens/dialogs/wnd_help.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/dialogs/wnd_result.h"
#include "screens/dialogs/wnd_top10.h"
#include "store/cipher_file.h"
#include "store/config.h"
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

struct Geometry {
  const OEngine* screen;
  int x, y, width, height, redrawMode;
};

// The settings file's store, read back the way the next start reads it.
bool ReadSettings(OConfig& store) {
  std::string text;
  return ReadEncryptedFile(kSettingsFileName, text, kSettingsKey, kCipherKeyLength) && !store.LoadText(text);
}

void WriteSettings(const std::string& text) {
  ASSERT_TRUE(WriteEncryptedFile(kSettingsFileName, text, kSettingsKey, kCipherKeyLength));
}

}  // namespace

TEST(ProgramStartup, LoadsTheWholeCatalogueCreatesTheScreensAndEntersTheCentredRoundedIntro) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());

  EXPECT_TRUE(AllLoaded(catalogue::ballPictures));
  EXPECT_TRUE(AllLoaded(catalogue::ballSprites));
  EXPECT_TRUE(AllLoaded(catalogue::skins));
  EXPECT_TRUE(AllLoaded(catalogue::mainWindowPieces));
  EXPECT_TRUE(AllLoaded(catalogue::framePieces));
  EXPECT_TRUE(AllLoaded(catalogue::generalPictures));
  EXPECT_TRUE(AllLoaded(catalogue::buttonPictures));
  EXPECT_TRUE(AllLoaded(catalogue::alphabetStrips));
  for (int id = 0; id < 10; ++id)
    EXPECT_TRUE(sounds.Player().Find(id)) << "sound " << id;
  for (int k = 0; k < catalogue::kBallSpriteCount; ++k) {
    EXPECT_EQ(catalogue::ballSprites[size_t(k)]->colour, k);
    EXPECT_EQ(catalogue::ballSprites[size_t(k)]->displayMode, ABall::kNew);
  }

  const Geometry screens[] = {
      {screens::intro.get(), 0, 0, 400, 400, 3},       {screens::mainScreen.get(), 0, 0, 800, 600, 3},
      {screens::options.get(), 175, 17, 450, 565, 1},  {screens::help.get(), 0, 0, 650, 500, 1},
      {screens::newGame.get(), 230, 150, 340, 300, 1}, {screens::result.get(), 232, 45, 336, 510, 1},
      {screens::top10.get(), 232, 30, 336, 540, 1},    {screens::clearRecords.get(), 232, 150, 336, 300, 1},
      {screens::quit.get(), 232, 150, 336, 300, 1}};
  for (const Geometry& g : screens) {
    ASSERT_TRUE(g.screen);
    EXPECT_EQ(g.screen->GetX(), g.x);
    EXPECT_EQ(g.screen->GetY(), g.y);
    EXPECT_EQ(g.screen->GetWidth(), g.width);
    EXPECT_EQ(g.screen->GetHeight(), g.height);
    EXPECT_EQ(g.screen->redrawMode, g.redrawMode);
    EXPECT_EQ(g.screen->backgroundColor, 0xCCCCFFu);
  }
  EXPECT_FALSE(screens::mainScreen->framed);
  EXPECT_TRUE(screens::options->framed);

  EXPECT_EQ(ActiveScreen(), screens::intro.get());
  EXPECT_EQ(program.platform.Title(), "Globbet");
  EXPECT_TRUE(program.platform.IsRounded());
  EXPECT_EQ(program.Window().GetClientWidth(), 400);
  EXPECT_EQ(program.Window().GetClientHeight(), 400);
  // The headless screen is 1280 x 1024.
  EXPECT_EQ(program.Window().GetWindowX(), 440);
  EXPECT_EQ(program.Window().GetWindowY(), 312);
  EXPECT_FALSE(GetOptions().settingsLoaded);
  // The intro's picture reached the window.
  program.Tick();
  EXPECT_GT(program.platform.PresentCount(), 0);
  EXPECT_EQ(program.Quit(), 0);
  EXPECT_FALSE(screens::intro);
  EXPECT_FALSE(catalogue::buttonPictures[0]);
}

TEST(ProgramStartup, AClickInTheIntroEntersTheMainScreenAtTheNextTick) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  program.Ticks(10);
  program.Click(50, 50);
  EXPECT_EQ(ActiveScreen(), screens::intro.get());
  program.Tick();
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(program.Window().GetClientWidth(), 800);
  EXPECT_EQ(program.Window().GetClientHeight(), 600);
  EXPECT_EQ(program.Window().GetWindowX(), 240);
  EXPECT_EQ(program.Window().GetWindowY(), 212);
  EXPECT_TRUE(program.platform.IsRounded());
  ASSERT_TRUE(program.Session());
  EXPECT_EQ(program.Session()->Name(), "GameOrig");
  // First start: speed index 2 gives 10 ms frames.
  EXPECT_EQ(program.Window().GetFrameInterval(), 10);
  // The intro gave its pictures back.
  EXPECT_TRUE(screens::intro->GetClips().empty());
}

TEST(ProgramStartup, TheReleaseOfTheClickThatEndedTheIntroDoesNotShoot) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  program.Window().OnLButtonDown(200, 200);
  program.Tick();
  ASSERT_EQ(ActiveScreen(), screens::mainScreen.get());
  ASSERT_TRUE(program.UntilReady());
  program.Window().OnLButtonUp(200, 200);
  EXPECT_EQ(program.Session()->State(), GameState::kReady);
  program.Click(200, 200);
  EXPECT_EQ(program.Session()->State(), GameState::kFlying);
}

TEST(ProgramStartup, TheIntroPulsesBurstsAndHandsOverAfterSixSeconds) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  const AWndIntro& intro = *screens::intro;
  ASSERT_TRUE(intro.Logo());
  EXPECT_EQ(intro.Logo()->GetFrameCount(), 51);
  // 49 steps of 80 ms reach the last size, the 50th the end marker: the logo bursts and hides.
  program.Ticks(49 * 8);
  EXPECT_EQ(intro.Step(), 49);
  EXPECT_EQ(intro.Logo()->GetCurrentFrame(), 50);
  EXPECT_TRUE(intro.Logo()->visible);
  EXPECT_EQ(sounds.Count(5), 0);
  program.Ticks(8);
  EXPECT_FALSE(intro.Logo()->visible);
  EXPECT_EQ(sounds.Count(5), 1);
  EXPECT_GT(screens::smallBalls->Count(), 0);
  // 4000 ms so far; the hand-over comes on the first tick past 6000 ms.
  program.Ticks(200);
  EXPECT_EQ(ActiveScreen(), screens::intro.get());
  program.Tick();
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(screens::smallBalls->Count(), 0);
}

TEST(ProgramStartup, AMissingButtonPictureStopsWithItsNameAndExitCode255) {
  ScratchFolder folder;
  folder.MirrorDataExcept({"clp/buttons/26.clp"});
  SoundLog sounds;
  HeadlessPlatform platform;
  SetPlatform(&platform);
  EXPECT_EQ(RunGame(), 255);
  SetPlatform(nullptr);
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].caption, "");
  EXPECT_EQ(platform.MessageBoxes()[0].text,
            "Error: file clp/buttons/26.clp not found. Please reinstall game.");
  // Nothing after the failure ran: no screens, no settings file, the catalogue freed again.
  EXPECT_FALSE(screens::intro);
  EXPECT_FALSE(std::filesystem::exists(kSettingsFileName));
  EXPECT_FALSE(catalogue::ballPictures[0]);
}

TEST(ProgramStartup, AMissingIntroPictureStopsTheSameWay) {
  ScratchFolder folder;
  folder.MirrorDataExcept({"clp/globint.clp"});
  HeadlessPlatform platform;
  SetPlatform(&platform);
  EXPECT_EQ(RunGame(), 255);
  SetPlatform(nullptr);
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].text, "Error: file clp/globint.clp not found. Please reinstall game.");
}

TEST(ProgramStartup, AMissingWaveFileLeavesThatSoundSilent) {
  ScratchFolder folder;
  folder.MirrorDataExcept({"wav/3.wav"});
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(program.platform.MessageBoxes().empty());
  EXPECT_FALSE(sounds.Player().Find(3));
  EXPECT_TRUE(sounds.Player().Find(4));
  program.SkipIntro();
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
}

TEST(ProgramStartup, FirstStartKeepsTheInitialOptionsAndExitWritesEveryOptionAndTheTable) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(GetOptions(), Options{});
  program.SkipIntro();
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.Quit(), 0);
  OConfig stored;
  ASSERT_TRUE(ReadSettings(stored));
  for (const char* key : {kKeyLevel, kKeySoundOn, kKeyDirectSound, kKeyAnimate, kKeyAutoSave, kKeyFastSpeed,
                          kKeyNewGameNeeded, kKeyGameType, kKeyFullScreen, kKeySkins, "Game.Scores.Table"})
    EXPECT_TRUE(stored.Has(key)) << key;
  EXPECT_EQ(stored.GetInt(kKeyFastSpeed, -1), 2);
  // The game stored itself when it became ready.
  EXPECT_TRUE(stored.Has("GameOrig.Field"));
}

TEST(ProgramStartup, AFileHoldingOnlyTheLevelGivesTheLoadDefaultsToTheMainScreen) {
  ScratchFolder folder;
  folder.LinkData();
  WriteSettings("Game.Options.Level=1\n");
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(GetOptions().settingsLoaded);
  EXPECT_EQ(GetOptions().Level, 1);
  EXPECT_EQ(GetOptions().FastSpeed, 3);
  EXPECT_TRUE(GetOptions().NewGameNeeded);
  program.SkipIntro();
  EXPECT_EQ(program.Window().GetFrameInterval(), 5);
}

TEST(ProgramStartup, QuitAndRestartResumesTheSameBoardBallsScoreAndCounters) {
  ScratchFolder folder;
  folder.LinkData();
  SoundLog sounds;
  std::vector<int> cells;
  int score = 0, gameBall = -1, waitBall = -1, misses = 0, allowance = 0;
  {
    Program program;
    ASSERT_TRUE(program.Start());
    program.SkipIntro();
    // Three shots change the board and the counters; points are added so that the score is part of what
    // comes back, and the game stores itself again.
    for (int shot = 0; shot < 3; ++shot) {
      ASSERT_TRUE(program.UntilReady());
      program.Click(120 + 150 * shot, 330);
    }
    ASSERT_TRUE(program.UntilReady());
    program.Session()->GetScore().Add(120);
    program.Session()->Save();
    ASSERT_TRUE(program.UntilReady());
    Game& game = *program.Session();
    for (int i = 0; i < kCellCount; ++i)
      cells.push_back(game.GetField()->Cell(i));
    score = game.Score();
    gameBall = game.GameBall()->colour;
    waitBall = game.WaitBall()->colour;
    misses = game.MissesLeft();
    allowance = game.MissAllowance();
    EXPECT_NE(score, 0);
    EXPECT_EQ(program.Quit(), 0);
  }
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(GetOptions().settingsLoaded);
  program.SkipIntro();
  ASSERT_TRUE(program.UntilReady());
  Game& game = *program.Session();
  for (int i = 0; i < kCellCount; ++i)
    ASSERT_EQ(game.GetField()->Cell(i), cells[size_t(i)]) << "cell " << i;
  EXPECT_EQ(game.Score(), score);
  EXPECT_EQ(game.GameBall()->colour, gameBall);
  EXPECT_EQ(game.WaitBall()->colour, waitBall);
  EXPECT_EQ(game.MissesLeft(), misses);
  EXPECT_EQ(game.MissAllowance(), allowance);
}
