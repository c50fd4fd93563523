// The settings file at start and exit: what stored values (missing, out of range, of another kind) make
// of the options, the window and the sound player, damaged files, and what exit writes back. Runs on the
// headless platform with a silent sound device, in a temporary folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/settings_file.h"
#include "engine/audio_null.h"
#include "engine/sound_player.h"
#include "store/cipher_file.h"
#include "store/options.h"
#include "store/score_table.h"
#include "store/settings_store.h"
#include "tests/support/headless_window.h"
#include "tests/support/test_folder.h"

namespace {
class SettingsFileTest : public HeadlessWindowTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(HeadlessWindowTest::SetUp());
    Restart();
  }
  void TearDown() override {
    SetSound(nullptr);
    HeadlessWindowTest::TearDown();
    GetSettings().LoadText("");
    GetOptions() = Options{};
  }

  // A new run as start-up leaves it: the process-wide state fresh, the frame interval as the entry
  // function sets it, the sound player set up with mixing on, on a device that works or not.
  void Restart(bool deviceWorks = true) {
    GetSettings().LoadText("");
    GetOptions() = Options{};
    scores.Clear();
    window.SetFrameInterval(1);
    SetSound(nullptr);
    sound = std::make_unique<SoundPlayer>(std::make_unique<NullAudioDevice>(deviceWorks));
    sound->SetMode(true);
    SetSound(sound.get());
  }
  void WriteSettings(const std::string& text) {
    ASSERT_TRUE(WriteEncryptedFile(path, text, kSettingsKey, kCipherKeyLength));
  }
  // The store text the file holds; empty when it cannot be read.
  std::string Written() const {
    std::string text;
    return ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength) ? text : "";
  }

  TestFolder folder;
  const std::string path = folder / "sv.dat";
  std::unique_ptr<SoundPlayer> sound;
  ScoreTable scores;
};

// What each stored option makes of the options and the window's frame interval: a missing key gives its
// load default, and so does a level, mode, speed or window size that would index past its table.
TEST_F(SettingsFileTest, StoredValuesMissingOutOfRangeOrOfAnotherKindGiveTheLoadDefaults) {
  struct Case {
    const char* stored;
    int (*field)(const Options&);
    int value, interval;
  };
  constexpr auto level = [](const Options& o) { return o.level; };
  constexpr auto mode = [](const Options& o) { return int(o.mode); };
  constexpr auto speed = [](const Options& o) { return o.speed; };
  constexpr auto full = [](const Options& o) { return o.fullScreen; };
  constexpr auto size = [](const Options& o) { return o.windowSize; };
  const Case cases[] = {
      {"Level=1", level, 1, 5},          {"Level=3", level, 0, 5},      {"Level=-1", level, 0, 5},
      {"Level=\"Master\"", level, 0, 5}, {"GameType=1", mode, 1, 5},    {"GameType=2", mode, 0, 5},
      {"GameType=-1", mode, 0, 5},       {"FastSpeed=0", speed, 0, 30}, {"FastSpeed=4", speed, 4, 1},
      {"FastSpeed=5", speed, 3, 5},      {"FastSpeed=-1", speed, 3, 5}, {"FastSpeed=0xffffffff", speed, 3, 5},
      {"FullScreen=7", full, 7, 5},  // a switch kept as read, not an index
      {"WindowSize=0", size, 0, 5},      {"WindowSize=4", size, 1, 5},  {"WindowSize=-1", size, 1, 5},
  };
  for (const Case& c : cases) {
    Restart();
    WriteSettings(std::string("Game = {\nOptions = {\n") + c.stored + "\n}\n}\n");
    EXPECT_TRUE(LoadSettings(window, scores, path)) << c.stored;
    EXPECT_EQ(c.field(GetOptions()), c.value) << c.stored;
    EXPECT_EQ(window.GetFrameInterval(), c.interval) << c.stored;
  }
  // Switches read any nonzero integer as on (a string as off); the looks take the first six values.
  Restart();
  GetOptions().skins.fill(9);
  WriteSettings(
      "Game = {\nCurrGame = {\nSkins=[-1 99 3]\n}\nOptions = {\nSoundOn=\"on\"\nDirectSound=0\n"
      "Animate=-1\nAutoSave=2\nNewGameNeeded=0\n}\n}\n");
  EXPECT_TRUE(LoadSettings(window, scores, path));
  const Options& o = GetOptions();
  EXPECT_EQ(std::tuple(o.soundOn, o.mixSounds, o.animate, o.autoSave, o.newGameNeeded, o.skins),
            std::tuple(false, false, true, true, false, std::array<int, 6>{-1, 99, 3, 0, 0, 0}));
  EXPECT_FALSE(sound->IsEnabled());
  EXPECT_EQ(sound->GetMode(), 0);
  Restart();
  WriteSettings("Game = {\nCurrGame = {\nSkins=[1 2 3 4 5 6 7]\n}\n}\n");
  EXPECT_TRUE(LoadSettings(window, scores, path));
  Options loadDefaults{.speed = 3, .newGameNeeded = true, .settingsLoaded = true};  // the keys missing
  loadDefaults.skins = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(GetOptions(), loadDefaults);
}

TEST_F(SettingsFileTest, AnUnreadableFileLeavesEverythingAsItWas) {
  const std::string text = "Game = {\nOptions = {\nLevel=2\nFastSpeed=0\n}\n}\n";
  std::string damaged = EncodeEncrypted(text, kSettingsKey, kCipherKeyLength);
  damaged[damaged.size() / 2] ^= 0x10;
  // Damaged, or a sound file whose text has a stray closing brace after the level.
  const std::string unreadable[] = {
      damaged, EncodeEncrypted("Game = {\nOptions = {\nLevel=1\n}\n}\n}\n", kSettingsKey, kCipherKeyLength)};
  for (const std::string& bytes : unreadable) {
    Restart();
    scores.AddRecord("2-2-126\tBo\t1\t70");
    WriteAll(path, bytes);
    EXPECT_FALSE(LoadSettings(window, scores, path));
    EXPECT_EQ(GetOptions(), Options{});
    EXPECT_EQ(window.GetFrameInterval(), 1);
    EXPECT_EQ(scores.Size(), 1u);
    EXPECT_EQ(sound->GetMode(), 1);
  }
  // The store keeps what was read before the text's error; exit writes the options' initial values over
  // it, and the table as it stands.
  EXPECT_EQ(GetSettings().GetInt(kKeyLevel, 0), 1);
  ASSERT_TRUE(SaveSettings(window, scores, path));
  EXPECT_EQ(
      Written(),
      "Game = {\n\tCurrGame = {\n\t\tSkins=[0 0 0 0 0 0]\n\t}\n\tOptions = {\n\t\tAnimate=1\n\t\t"
      "AutoSave=1\n\t\tDirectSound=1\n\t\tFastSpeed=2\n\t\tFullScreen=0\n\t\tGameType=0\n\t\tLevel=0\n\t\t"
      "NewGameNeeded=0\n\t\tSoundOn=1\n\t}\n\tScores = {\n\t\tTable=\"2-2-126\\tBo\\t1\\t70\\n\"\n\t}\n}\n");
}

// Full screen and sound mixing are written as the window and the player stand: here full screen, and a
// device that cannot mix.
TEST_F(SettingsFileTest, ExitWritesTheOptionsTheTableAndEveryOtherKeyRead) {
  Restart(/*deviceWorks=*/false);
  WriteSettings(
      "Game={Scores={Table=\"1-1-126\\tAnn\\t3\\t500\\n1-1-126\\tBo\\t4\\t200\\n\"}}\nGameOrig={Score=1230}\n"
      "GameTime={Field=[-1 2 5]}\n");
  ASSERT_TRUE(LoadSettings(window, scores, path));
  EXPECT_EQ(scores.ToText(), "1-1-126\tAnn\t3\t500\n1-1-126\tBo\t4\t200\n");
  scores.AddRecord("6-12-126\tCy\t1\t900");
  Options& o = GetOptions();
  o.level = 2, o.soundOn = false, o.animate = false, o.speed = 4, o.mode = GameMode::kArcade,
  o.fullScreen = 0, o.windowSize = 0;
  o.skins = {5, 4, 3, 2, 1, 0};
  ASSERT_TRUE(window.EnterFullScreen());
  ASSERT_TRUE(SaveSettings(window, scores, path));
  ASSERT_TRUE(window.LeaveFullScreen());
  EXPECT_EQ(
      Written(),
      "Game = {\n\tCurrGame = {\n\t\tSkins=[5 4 3 2 1 0]\n\t}\n\tOptions = {\n\t\tAnimate=0\n\t\t"
      "AutoSave=1\n\t\tDirectSound=0\n\t\tFastSpeed=4\n\t\tFullScreen=1\n\t\tGameType=1\n\t\tLevel=2\n\t\t"
      "NewGameNeeded=1\n\t\tSoundOn=0\n\t\tWindowSize=0\n\t}\n\tScores = "
      "{\n\t\tTable=\"6-12-126\\tCy\\t1\\t900\\n"
      "1-1-126\\tAnn\\t3\\t500\\n1-1-126\\tBo\\t4\\t200\\n\"\n\t}\n}\nGameOrig = {\n\tScore=1230\n}\n"
      "GameTime = {\n\tField=[-1 2 5]\n}\n");
}

}  // namespace
