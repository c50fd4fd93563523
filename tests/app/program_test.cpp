// The whole program with the real data files: start-up with the catalogue and the intro, a missing
// data file, the game stored at the first exit and resumed at the next start; the demo and the replay of
// the last game, the level they play at and give back, what ends them, and the game that comes back.
#include "app/program_context.h"
#include "game/random.h"
#include "game/replay_recorder.h"
#include "game/strategy_session.h"
#include "tests/app/program_testing.h"
#include "tests/support/replay_files.h"

using namespace program_testing;

namespace {

template <class Table>
bool AllLoaded(const Table& table) {
  for (const auto& slot : table)
    if (!slot || (slot->GetOwnFrameCount() == 0 && slot->GetSequenceCount() == 0)) return false;
  return true;
}

// A context starts each layer afresh, keeps the entry's platform, and gives back what stood before it.
TEST(ProgramContextTest, StartsEveryLayerAfreshAndPutsThePreviousStateBack) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  GetOptions().level = 2;
  SetLibRandomSeed(99);
  EndProgram(nullptr, 3);
  {
    const ProgramContext inner;
    EXPECT_EQ(&GetPlatform(), &platform);
    EXPECT_EQ(GetOptions(), Options{});
    EXPECT_EQ(LibRandomSeed(), 1u);
    EXPECT_EQ(ProgramExitCode(), 0);
    GetOptions().level = 1, SetLibRandomSeed(5), EndProgram(nullptr, 4), SetPlatform(nullptr);
  }
  EXPECT_EQ(&GetPlatform(), &platform);
  EXPECT_EQ(GetOptions().level, 2);
  EXPECT_EQ(LibRandomSeed(), 99u);
  EXPECT_EQ(ProgramExitCode(), 3);
  SetPlatform(nullptr);
}

TEST_F(ProgramTest, LoadsTheCatalogueShowsTheIntroAndHandsOverOnTheFirstTickPastSixSeconds) {
  ASSERT_TRUE(program.Start());
  // Every slot of the catalogue is filled.
  EXPECT_TRUE(AllLoaded(catalogue::ballPictures()) && AllLoaded(catalogue::ballSprites()) &&
              AllLoaded(catalogue::skins()) && AllLoaded(catalogue::mainScreenPieces()) &&
              AllLoaded(catalogue::framePieces()) && AllLoaded(catalogue::generalPictures()) &&
              AllLoaded(catalogue::buttonPictures()) && AllLoaded(catalogue::alphabetStrips()));
  for (int id = 0; id < kSoundCount; ++id)
    EXPECT_TRUE(sounds.Player().Find(SoundId(id))) << "sound " << id;
  EXPECT_EQ(ActiveScreen(), screens::intro().get());
  // The window is cut to the card (at (16, 14), 368 px, corners of radius 30): in, out past its side, and
  // out at a corner the main window's smaller rounding would keep.
  for (auto [x, y, in] : {std::tuple{200, 200, true}, {20, 200, true}, {10, 200, false}, {22, 20, false}})
    EXPECT_EQ(program.platform.MaskKeeps(x, y), in) << x << "," << y;
  // The logo bursts at 4000 ms.
  program.Ticks(399);
  EXPECT_EQ(sounds.Count(SoundId::kClick), 0);
  program.Ticks(1);
  EXPECT_EQ(sounds.Count(SoundId::kClick), 1);
  EXPECT_GT(screens::smallBalls()->Count(), 0);
  program.Ticks(200);
  EXPECT_EQ(ActiveScreen(), screens::intro().get());
  program.Ticks();
  EXPECT_EQ(ActiveScreen(), screens::mainScreen().get());
  EXPECT_TRUE(program.platform.IsRounded() && !program.platform.MaskKeeps(200, 200));
  // Centred on the headless 1280 x 1024 screen at the main screen's size.
  EXPECT_EQ(program.Window().GetWindowX(), (1280 - 800) / 2);
  EXPECT_EQ(program.Window().GetWindowY(), (1024 - 600) / 2);
  EXPECT_EQ(program.CurrentSession()->Name(), "GameOrig");
  EXPECT_EQ(program.Quit(), 0);
  EXPECT_FALSE(screens::intro());
  EXPECT_FALSE(catalogue::buttonPictures()[0]);
}

TEST(ProgramStartup, AMissingOrDamagedPictureStopsWithItsNameAndExitCode255AndAMissingSoundIsSilent) {
  // A damaged file keeps the message and says on a second line that it is damaged, not missing.
  for (const bool damaged : {false, true})
    for (const char* file : {"clp/globint.clp", damaged ? "clp/mainwnd/9.clp" : "clp/buttons/26.clp"}) {
      ScratchFolder folder({file});
      if (damaged) WriteAll(file, "no clip file");
      HeadlessPlatform platform;
      SetPlatform(&platform);
      EXPECT_EQ(RunGame(), 255) << file;
      SetPlatform(nullptr);
      ASSERT_EQ(platform.MessageBoxes().size(), 1u);
      const std::string text = platform.MessageBoxes()[0].text;
      const std::string message = "Error: file " + std::string(file) + " not found. Please reinstall game.";
      EXPECT_TRUE(damaged ? text.starts_with(message + "\nThe file is damaged: ") : text == message) << text;
      // Nothing after the failure ran, and the catalogue was freed again.
      EXPECT_FALSE(screens::intro());
      EXPECT_FALSE(fs::exists(kSettingsFileName));
      EXPECT_FALSE(catalogue::ballPictures()[0]);
    }
  ScratchFolder folder({"wav/3.wav"});
  SoundLog sounds;
  Program program;
  ASSERT_TRUE(program.Start());
  EXPECT_FALSE(sounds.Player().Find(SoundId::kBell));
  EXPECT_TRUE(sounds.Player().Find(SoundId::kShot));
}

TEST(ProgramStartup, TheFirstExitStoresTheGameAndTheNextStartResumesIt) {
  ScratchFolder folder;
  SoundLog sounds;
  const auto stored = [](Program& p) {
    Session& g = *p.CurrentSession();
    return std::tuple(p.Board(), g.Score(), g.GameBall()->colour, g.WaitBall()->colour, g.MissesLeft());
  };
  decltype(stored(std::declval<Program&>())) before;
  {
    Program program;
    ASSERT_TRUE(program.Start());
    EXPECT_EQ(GetOptions(), Options{});
    // The release of the press that ended the intro does not shoot.
    program.Window().OnMouseDown(200, 200);
    program.Ticks();
    EXPECT_EQ(program.Window().GetFrameInterval(), frameIntervals[Options{}.speed]);
    ASSERT_TRUE(program.UntilReady());
    program.Window().OnMouseUp(200, 200);
    EXPECT_EQ(program.CurrentSession()->State(), SessionState::kReady);
    for (int shot = 0; shot < 3; ++shot) {
      ASSERT_TRUE(program.UntilReady());
      program.Click(120 + 150 * shot, 330);
      EXPECT_EQ(program.CurrentSession()->State(), SessionState::kFlying);
    }
    ASSERT_TRUE(program.UntilReady());
    program.CurrentSession()->GetScore().Add(120);
    program.CurrentSession()->Save();
    before = stored(program);
    EXPECT_EQ(program.Quit(), 0);
  }
  // What the file holds is the store's to check; here, that the first exit wrote it.
  Program program;
  ASSERT_TRUE(program.StartIn());
  EXPECT_EQ(stored(program), before);
}

class Players : public ProgramTest {
 protected:
  MainScreen& Main() { return *program.Main(); }
};

TEST_F(Players, TheDemoShootsByItselfAtLevelZeroPausesWithoutFocusAndAKeyBringsBackTheGameAndLevel) {
  ASSERT_TRUE(program.StartIn(1));
  const std::vector<int> board = program.Board();
  Main().RunCommand(MainScreen::kDemo);
  EXPECT_EQ(program.CurrentSession()->Name(), "GameDemo");
  EXPECT_EQ(GetOptions().level, 0);
  EXPECT_TRUE(Main().DemoLabel()->visible);
  bool shot = false;
  for (int i = 0; i < 1500 && !shot; ++i, program.Ticks())
    shot = program.CurrentSession()->State() == SessionState::kFlying;
  EXPECT_TRUE(shot);
  program.platform.SetFocus(false);
  program.Ticks();
  EXPECT_EQ(program.CurrentSession()->State(), SessionState::kPaused);
  program.platform.SetFocus(true);
  program.KeyDown(vk::kSpace);
  EXPECT_FALSE(Main().DemoRunning() || Main().DemoLabel()->visible);
  EXPECT_EQ(GetOptions().level, 1);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.CurrentSession()->Name(), "GameOrig");
  EXPECT_EQ(program.Board(), board);
}

TEST_F(Players, TheReplayPlaysAtItsOwnLevelAndTheLevelBeforeComesBack) {
  WriteReplayFile(kReplayFile, 2, 0, "");
  ASSERT_TRUE(program.StartIn(1));
  SetPlayerSessionFactory([](Screen& screen, bool, GameMode, const std::string&) {
    return std::make_unique<StrategySession>(&screen);
  });
  Main().RunCommand(MainScreen::kReplay);
  EXPECT_TRUE(Main().ReplayRunning() && Main().ReplayLabel()->visible);
  EXPECT_EQ(GetOptions().level, 2);
  // A demo started from the replay keeps the level saved before either.
  Main().RunCommand(MainScreen::kDemo);
  program.KeyDown(vk::kSpace);
  EXPECT_EQ(GetOptions().level, 1);
}

TEST_F(Players, AReplayTooShortForItsFirstBoardHandsBackToAGame) {
  WriteReplayFile(kReplayFile, 0, 0, std::string(152, '\1'));  // the first board needs 153 values
  ASSERT_TRUE(program.StartIn(1));
  Main().RunCommand(MainScreen::kReplay);
  program.Ticks(5);
  EXPECT_FALSE(Main().DemoRunning() || Main().ReplayRunning());
  EXPECT_EQ(GetOptions().level, 1);
  ASSERT_TRUE(program.UntilReady());
  EXPECT_EQ(program.CurrentSession()->Name(), "GameOrig");
}

}  // namespace
