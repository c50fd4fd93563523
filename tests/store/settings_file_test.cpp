// The settings file at start and exit: the first start without a file, files with few keys, damaged
// files, the high-score table and foreign keys carried through, and what the window and the sound player
// contribute. Runs on the headless platform with a silent sound device, in a temporary folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "engine/audio_null.h"
#include "engine/platform_headless.h"
#include "engine/sound.h"
#include "engine/window.h"
#include "store/cipher_file.h"
#include "store/config.h"
#include "store/options.h"
#include "store/scores.h"
#include "store/settings_file.h"
#include "tests/support/test_folder.h"

namespace {
class PlainWindow : public OWindow {
 public:
  bool OnCreate() override { return true; }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlatform(&platform);
    ASSERT_TRUE(window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal));
    window.SetFrameInterval(1);  // as the entry function leaves it
    ResetProcessState();
    StartSound(true);
  }
  void TearDown() override {
    SetSound(nullptr);
    SetPlatform(nullptr);
    ResetProcessState();
  }
  static void ResetProcessState() {
    GetConfig().LoadText("");
    GetOptions() = Options{};
  }

  // The sound player as start-up leaves it: set up with DirectSound on, on a device that works or not.
  void StartSound(bool deviceWorks) {
    SetSound(nullptr);
    sound = std::make_unique<OSound>(std::make_unique<NullAudioDevice>(deviceWorks));
    sound->SetMode(true);
    SetSound(sound.get());
  }
  // A new run: the process-wide state at its start, the table empty.
  void Restart(bool deviceWorks = true) {
    ResetProcessState();
    scores.Clear();
    window.SetFrameInterval(1);
    StartSound(deviceWorks);
  }

  void WriteSettings(const std::string& text) {
    ASSERT_TRUE(WriteEncryptedFile(path, text, kSettingsKey, kCipherKeyLength));
  }
  // The store text the file holds, read into store; false when it cannot be read.
  bool ReadBack(OConfig& store) const {
    std::string text;
    return ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength) && !store.LoadText(text);
  }

  HeadlessPlatform platform;
  PlainWindow window;
  TestFolder folder;
  const std::string path = folder / "sv.dat";
  std::unique_ptr<OSound> sound;
  TScoresTable scores;
};

TEST_F(SettingsFileTest, FirstStartKeepsTheInitialValuesAndExitWritesEveryOption) {
  // The default file name is "sv.dat" in the current directory.
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(folder.path().c_str()), 0);
  const bool loaded = LoadSettings(window, scores);
  const bool saved = SaveSettings(window, scores);
  ASSERT_EQ(::chdir(previous), 0);

  EXPECT_FALSE(loaded);
  EXPECT_EQ(GetOptions(), Options{});  // level 0, speed 2, strategy, switches on, no new game forced
  EXPECT_FALSE(GetOptions().settingsLoaded);
  EXPECT_EQ(window.GetFrameInterval(), 1);
  EXPECT_EQ(sound->GetMode(), 1);
  EXPECT_TRUE(sound->IsEnabled());

  ASSERT_TRUE(saved);
  OConfig written;
  ASSERT_TRUE(ReadBack(written));
  for (const char* key : {kKeyLevel, kKeySoundOn, kKeyDirectSound, kKeyAnimate, kKeyAutoSave, kKeyFastSpeed,
                          kKeyNewGameNeeded, kKeyGameType, kKeyFullScreen, kKeySkins, "Game.Scores.Table"})
    EXPECT_TRUE(written.Has(key)) << key;
  EXPECT_EQ(written.Size(), 11u);
  EXPECT_EQ(written.GetInt(kKeyFastSpeed, -1), 2);
  EXPECT_EQ(written.GetInt(kKeyNewGameNeeded, -1), 0);

  // The second start reads them back; the speed now sets the window's interval.
  Restart();
  GetOptions().Level = 2;
  EXPECT_TRUE(LoadSettings(window, scores, path));
  Options expected;
  expected.settingsLoaded = true;
  EXPECT_EQ(GetOptions(), expected);
  EXPECT_EQ(window.GetFrameInterval(), 10);
}

TEST_F(SettingsFileTest, AFileHoldingOnlyTheLevelGivesTheLoadDefaults) {
  WriteSettings("Game = {\n\tOptions = {\n\t\tLevel=1\n\t}\n}\n");
  EXPECT_TRUE(LoadSettings(window, scores, path));
  EXPECT_TRUE(GetOptions().settingsLoaded);
  EXPECT_EQ(GetOptions().Level, 1);
  EXPECT_EQ(GetOptions().FastSpeed, 3);
  EXPECT_EQ(window.GetFrameInterval(), 5);
  EXPECT_TRUE(GetOptions().NewGameNeeded);
  EXPECT_EQ(sound->GetMode(), 1);
  EXPECT_TRUE(sound->IsEnabled());
}

TEST_F(SettingsFileTest, StoredNumbersThatWouldIndexPastATableFallBack) {
  for (int speed : {5, -1, 1000000}) {
    OConfig store;
    store.SetInt(kKeyGameType, 5);
    store.SetInt(kKeyLevel, 3);
    store.SetInt(kKeyFastSpeed, speed);
    WriteSettings(store.SaveText());
    Restart();
    EXPECT_TRUE(LoadSettings(window, scores, path));
    EXPECT_EQ(GetOptions().GameType, 0);
    EXPECT_EQ(GetOptions().Level, 0);
    EXPECT_EQ(GetOptions().FastSpeed, 3);
    EXPECT_EQ(window.GetFrameInterval(), 5) << speed;
  }
}

TEST_F(SettingsFileTest, AnUnreadableFileLeavesEverythingAsItWas) {
  OConfig store;
  store.SetInt(kKeyLevel, 2);
  store.SetInt(kKeyFastSpeed, 0);
  store.SetString("Game.Scores.Table", "1-1-126\tAnn\t3\t500\n");
  const std::string good = EncodeEncrypted(store.SaveText(), kSettingsKey, kCipherKeyLength);
  std::string damaged = good;
  damaged[damaged.size() / 2] ^= 0x10;
  const std::string unreadable[] = {
      damaged,
      good.substr(0, 3),
      EncodeEncrypted(store.SaveText(), kClipKey, kCipherKeyLength),  // another key
      // A sound file whose text has a stray closing brace after the level.
      EncodeEncrypted("Game = {\n\tOptions = {\n\t\tLevel=1\n\t}\n}\n}\n", kSettingsKey, kCipherKeyLength),
  };
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
  // The store keeps what was read before the text's error; exit writes a sound file again.
  EXPECT_EQ(GetConfig().GetInt(kKeyLevel, 0), 1);
  EXPECT_TRUE(SaveSettings(window, scores, path));
  Restart();
  EXPECT_TRUE(LoadSettings(window, scores, path));
  EXPECT_EQ(GetOptions().Level, 0);  // the initial level was written back, not the stray store entry
  EXPECT_EQ(scores.Size(), 1u);
}

TEST_F(SettingsFileTest, TheTableAndEveryOtherKeyComeBackAtExit) {
  OConfig store;
  store.SetString("Game.Scores.Table", "1-1-126\tAnn\t3\t500\n1-1-126\tBo\t4\t200\n");
  store.SetInt("GameOrig.Score", 1230);
  store.SetIntArray("GameTime.Field", std::vector<int>{-1, 2, 5});
  WriteSettings(store.SaveText());
  ASSERT_TRUE(LoadSettings(window, scores, path));
  EXPECT_EQ(scores.ToText(), "1-1-126\tAnn\t3\t500\n1-1-126\tBo\t4\t200\n");
  scores.AddRecord("6-12-126\tCy\t1\t900");
  GetOptions().Level = 1;
  ASSERT_TRUE(SaveSettings(window, scores, path));

  OConfig written;
  ASSERT_TRUE(ReadBack(written));
  EXPECT_EQ(written.GetString("Game.Scores.Table"),
            "6-12-126\tCy\t1\t900\n1-1-126\tAnn\t3\t500\n1-1-126\tBo\t4\t200\n");
  EXPECT_EQ(written.GetInt("GameOrig.Score", 0), 1230);
  EXPECT_EQ(written.GetIntArray("GameTime.Field"), (std::vector<int>{-1, 2, 5}));
  EXPECT_EQ(written.GetInt(kKeyLevel, 0), 1);
}

TEST_F(SettingsFileTest, FullScreenAndDirectSoundAreWrittenAsTheyStandAtExit) {
  // Full screen switched on during the run, with the stored option saying off.
  WriteSettings("Game = {\n\tOptions = {\n\t\tFullScreen=0\n\t\tSoundOn=0\n\t}\n}\n");
  ASSERT_TRUE(LoadSettings(window, scores, path));
  EXPECT_FALSE(sound->IsEnabled());
  ASSERT_TRUE(window.EnterFullScreen());
  ASSERT_TRUE(SaveSettings(window, scores, path));
  OConfig written;
  ASSERT_TRUE(ReadBack(written));
  EXPECT_EQ(written.GetInt(kKeyFullScreen, -1), 1);
  EXPECT_EQ(written.GetInt(kKeySoundOn, -1), 0);
  ASSERT_TRUE(window.LeaveFullScreen());

  // A machine where DirectSound cannot be had: the option stays on, the file says off.
  Restart(/*deviceWorks=*/false);
  ASSERT_TRUE(LoadSettings(window, scores, path));
  EXPECT_TRUE(GetOptions().DirectSound);
  EXPECT_EQ(sound->GetMode(), 0);
  ASSERT_TRUE(SaveSettings(window, scores, path));
  OConfig again;
  ASSERT_TRUE(ReadBack(again));
  EXPECT_EQ(again.GetInt(kKeyDirectSound, -1), 0);
  EXPECT_EQ(again.GetInt(kKeyFullScreen, -1), 0);

  // Next start on a working device: set up with DirectSound, then again without it as stored.
  Restart(/*deviceWorks=*/true);
  EXPECT_EQ(sound->GetMode(), 1);
  ASSERT_TRUE(LoadSettings(window, scores, path));
  EXPECT_FALSE(GetOptions().DirectSound);
  EXPECT_EQ(sound->GetMode(), 0);
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
  WriteSettings("Game = {\n\tOptions = {\n\t\tLevel=2\n\t}\n}\n");
  const std::string before = ReadAll(path);
  EXPECT_FALSE(SaveSettings(window, scores, folder / "missing-folder/sv.dat"));
  EXPECT_EQ(ReadAll(path), before);
}
}  // namespace
