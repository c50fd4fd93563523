// The bad-input catalogue read in-process, for what the built game cannot show from outside: why a
// damaged clip is refused, that a damaged sound never reaches the audio device, whether a damaged
// settings file is refused as a whole, and how a damaged replay ends once its button is pressed
// (tests/checks/check_bad_inputs.sh runs the same cases against the built game).
// Sections: the manifest · clips · sounds · settings · replays
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/button.h"
#include "engine/clip.h"
#include "engine/clip_file.h"
#include "game/player_sessions.h"
#include "game/save_replay.h"
#include "store/cipher_file.h"
#include "store/config.h"
#include "tests/app/program_testing.h"

namespace {

namespace fs = std::filesystem;
using namespace program_testing;

// ---- the manifest --------------------------------------------------------------------------------
const fs::path kCatalogue = fs::path(GLOBBET_SOURCE_DIR) / "tests" / "bad_inputs";

struct Case {
  std::string kind, file, placed, expect;
  int line = 0;
  // The catalogue file, or empty for the forms made on the spot (@dir, @fifo, @sparse:, @unreadable).
  fs::path Path() const { return file.empty() || file[0] == '@' ? fs::path() : kCatalogue / file; }
  bool Expects(const std::string& word) const {
    std::stringstream items(expect);
    for (std::string item; std::getline(items, item, ';');)
      if (item == word) return true;
    return false;
  }
};

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<Case> ReadCases() {
  std::vector<Case> cases;
  std::ifstream in(kCatalogue / "cases.txt");
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
      const size_t bar = trimmed.find(" | ", start);
      fields.push_back(Trim(trimmed.substr(start, bar - start)));
      if (bar == std::string::npos) break;
      start = bar + 3;
    }
    Case c;
    c.line = number;
    if (fields.size() == 6)
      c.kind = fields[0], c.file = fields[1], c.placed = fields[2], c.expect = fields[3];
    cases.push_back(c);
  }
  return cases;
}

std::vector<Case> CasesOf(const std::string& kind) {
  std::vector<Case> picked;
  for (const Case& c : ReadCases())
    if (c.kind == kind && !c.Path().empty()) picked.push_back(c);
  return picked;
}

std::string Where(const Case& c) {
  return "cases.txt line " + std::to_string(c.line) + ": " + c.file + " -> " + c.placed;
}

TEST(BadInputCatalogue, EveryLineIsWholeAndEveryFileHasItsCase) {
  const std::set<std::string> kinds = {"sv", "game", "scores", "clp", "wav", "replay", "currgame"};
  std::set<std::string> named;
  const std::vector<Case> cases = ReadCases();
  ASSERT_GT(cases.size(), 50u) << "cases.txt was not found or lost its lines";
  for (const Case& c : cases) {
    EXPECT_TRUE(kinds.count(c.kind)) << "line " << c.line << ": needs six fields and a known kind";
    EXPECT_FALSE(c.expect.empty()) << "line " << c.line << ": no expectation";
    if (c.Path().empty()) continue;
    EXPECT_TRUE(fs::is_regular_file(c.Path())) << Where(c) << ": the file is missing";
    named.insert(c.file);
  }
  // A damaged file nobody runs is dead weight: give it a line or remove it.
  for (const auto& entry : fs::recursive_directory_iterator(kCatalogue)) {
    const std::string relative = fs::relative(entry.path(), kCatalogue).generic_string();
    if (!entry.is_regular_file() || relative == "cases.txt" || relative.starts_with("good/") ||
        entry.path().extension() == ".cpp")
      continue;
    EXPECT_TRUE(named.count(relative)) << relative << " has no line in cases.txt";
  }
}

// ---- clips ---------------------------------------------------------------------------------------
TEST(BadInputCatalogue, DamagedClipsAreRefusedWithAReasonAndSoundOnesLoad) {
  for (const Case& c : CasesOf("clp")) {
    OClip clip;
    std::string why;
    const bool loaded = LoadClipFile(c.Path().string(), clip, &why);
    if (c.Expects("fatal")) {
      EXPECT_FALSE(loaded) << Where(c);
      EXPECT_FALSE(why.empty()) << Where(c) << ": refused without a reason";
      EXPECT_EQ(clip.GetOwnFrameCount() + clip.GetSequenceCount(), 0) << Where(c) << ": half-loaded";
    } else {
      EXPECT_TRUE(loaded) << Where(c) << ": " << why;
    }
  }
}

// ---- sounds --------------------------------------------------------------------------------------
TEST(BadInputCatalogue, DamagedSoundsNeverReachTheDeviceInEitherMode) {
  for (const Case& c : CasesOf("wav")) {
    ASSERT_TRUE(c.Expects("silent")) << Where(c);
    for (bool ownChannels : {false, true}) {
      SoundLog sounds;
      sounds.Player().SetMode(ownChannels);
      sounds.Player().Load(5, c.Path().string());
      sounds.Player().Play(5, true);
      sounds.Player().Play(5, false);
      EXPECT_EQ(sounds.Count(5), 0) << Where(c);
      if (const OSound::WavInfoStruct* entry = sounds.Player().Find(5)) {
        EXPECT_FALSE(entry->valid) << Where(c);
      }
    }
  }
}

// ---- settings ------------------------------------------------------------------------------------
// A settings file whose expectation is the initial options is refused as a whole: by the cipher layer
// or by the text reader. The others are read (their values are checked on the built game).
TEST(BadInputCatalogue, SettingsFilesGivingDefaultsAreRefusedAndTheOthersRead) {
  for (const std::string kind : {"sv", "game", "scores"}) {
    for (const Case& c : CasesOf(kind)) {
      std::string text;
      const bool deciphered = ReadEncryptedFile(c.Path().string(), text, kSettingsKey, kCipherKeyLength);
      OConfig store;
      const bool read = deciphered && !store.LoadText(text);
      EXPECT_EQ(read, !c.Expects("defaults")) << Where(c);
    }
  }
}

// ---- files that are not files --------------------------------------------------------------------
// A named pipe nobody writes in a data file's place: opening it for reading would wait for a writer
// forever, before the window shows. Every reader refuses it at once (a regression hangs this test).
TEST(BadInputCatalogue, NamedPipesAreRefusedWithoutWaitingForAWriter) {
  ScratchFolder folder;
  ASSERT_EQ(::mkfifo("pipe", 0600), 0);
  std::string text = "kept";
  EXPECT_FALSE(ReadEncryptedFile("pipe", text, kSettingsKey, kCipherKeyLength));
  EXPECT_EQ(text, "kept");
  OClip clip;
  std::string why;
  EXPECT_FALSE(LoadClipFile("pipe", clip, &why));
  EXPECT_FALSE(why.empty());
  SoundLog sounds;
  EXPECT_FALSE(sounds.Player().Load(0, "pipe"));
  EXPECT_FALSE(sounds.Player().Find(0));
  // The recorder's files: a pipe named "replay.dat" or "currgame.dat" is neither read nor written.
  ASSERT_EQ(::mkfifo("replay.dat", 0600), 0);
  ASSERT_EQ(::mkfifo("currgame.dat", 0600), 0);
  SaveReplay recorder;
  int level = 0, type = 0;
  EXPECT_FALSE(recorder.PeekHeader(level, type));
  EXPECT_FALSE(recorder.OpenPlayback());
  recorder.Begin(0, 0);
  EXPECT_FALSE(recorder.IsRecording());
  recorder.Reopen();
  EXPECT_FALSE(recorder.IsRecording());
  EXPECT_FALSE(recorder.Finish());
}

// ---- replays -------------------------------------------------------------------------------------
// The whole program with the case's file as "replay.dat": the intro clicked away, the player's game
// ready, then the replay button pressed and the game run for simulated seconds.
class DamagedReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.LinkData();
    SetPlayerSessionFactory(MakePlayerSession);
  }
  void TearDown() override { SetPlayerSessionFactory(nullptr); }

  void Place(const Case& c) {
    if (c.file == "@dir") {
      fs::create_directory(kReplayFile);
    } else if (c.file == "@fifo") {
      ASSERT_EQ(::mkfifo(kReplayFile, 0600), 0);
    } else if (c.file.starts_with("@sparse:")) {
      // The size does not matter to the player, which reads record by record; a small one will do.
      std::ofstream(kReplayFile, std::ios::binary).write(std::string(4096, '\0').data(), 4096);
      if (c.file == "@sparse:0") fs::resize_file(kReplayFile, 0);
    } else {
      fs::copy_file(c.Path(), kReplayFile);
    }
  }

  ScratchFolder folder;
  SoundLog sounds;
};

TEST_F(DamagedReplay, IsRefusedStopsOrStartsAgainAsItsCaseSays) {
  for (const Case& c : ReadCases()) {
    if (c.kind != "replay" || c.file == "@unreadable") continue;
    SCOPED_TRACE(Where(c));
    std::error_code ignored;
    fs::remove_all(kReplayFile, ignored);
    Place(c);
    Program program;
    ASSERT_TRUE(program.Start());
    program.SkipIntro();
    ASSERT_TRUE(program.UntilReady());
    AMainWindow& main = *program.Main();
    const bool offered = main.Button(AMainWindow::kReplay)->visible;
    // The button's middle, as a player clicks it.
    program.Click(630, 162);
    if (c.Expects("no-replay")) {
      EXPECT_FALSE(offered);
      EXPECT_FALSE(main.ReplayRunning());
      EXPECT_EQ(program.Session()->Name(), "GameOrig");
    } else if (c.Expects("replay-stops")) {
      EXPECT_TRUE(offered);
      program.Ticks(100);
      EXPECT_FALSE(main.ReplayRunning());
      EXPECT_EQ(program.Session()->Name(), "GameOrig");
    } else {
      ASSERT_TRUE(c.Expects("replay-loops")) << "unknown expectation " << c.expect;
      EXPECT_TRUE(offered);
      // Half a minute of play at the players' pace: the file ends (or the game does) and it goes on.
      program.Ticks(1500, 20);
      EXPECT_TRUE(main.ReplayRunning());
      const std::string name = program.Session()->Name();
      EXPECT_TRUE(name == "GameSaved" || name == "GameSavedTime") << name;
    }
    EXPECT_EQ(program.Quit(), 0);
  }
}

}  // namespace

namespace {
// ---- clips that load but hold nothing ------------------------------------------------------------
// A clip file with no images is a valid file; as a ball (picture and sprite, which every shot and
// every board uses) the game must play on with an invisible ball rather than index a missing frame.
TEST(BadInputCatalogue, BallsFromEmptyClipFilesPlayOnUnseen) {
  for (const std::string file : {"clp/no-images.clp", "clp/empty-sequence.clp"}) {
    SCOPED_TRACE(file);
    ScratchFolder folder;
    const std::vector<std::string> balls = {"clp/ball/0.clp", "clp/ball/0d.clp", "clp/ball/3.clp"};
    folder.MirrorDataExcept(balls);
    for (const std::string& ball : balls)
      fs::copy_file(kCatalogue / file, ball);
    SoundLog sounds;
    Program program;
    ASSERT_TRUE(program.Start());
    program.SkipIntro();
    ASSERT_TRUE(program.UntilReady());
    const auto recorded = fs::file_size(kRecordingFile);
    for (int shot = 0; shot < 12; ++shot) {
      program.Click(60 + 40 * shot, 300 - 10 * shot);
      program.Ticks(300);
    }
    // The shots were fired and recorded (each adds its aim point and the draws of new balls).
    EXPECT_GE(fs::file_size(kRecordingFile), recorded + 12 * kShotRecordSize);
    EXPECT_EQ(program.Quit(), 0);
  }
}
}  // namespace
