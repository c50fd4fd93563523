// The bad-input catalogue read in-process, for what the built game cannot show from outside: why a
// damaged clip is refused, that a damaged sound never reaches the audio device, whether a damaged
// settings file is refused as a whole, and how a damaged replay ends once its button is pressed
// (tests/checks/check_bad_inputs.sh runs the same cases against the built game).
#include <sys/stat.h>

#include <set>
#include <sstream>

#include "engine/clip_file.h"
#include "game/replay_recorder.h"
#include "store/cipher_file.h"
#include "store/record_files.h"
#include "store/settings_store.h"
#include "tests/app/program_testing.h"

namespace {
namespace fs = std::filesystem;
using namespace program_testing;

const fs::path kCatalogue = fs::path(GLOBBET_SOURCE_DIR) / "tests" / "bad_inputs";

// A line of cases.txt: kind | file | placed at | expect | how made | why.
struct Case {
  std::string kind, file, expect;
  int line = 0;
  // The catalogue file, or empty for the forms made on the spot (@dir, @fifo, @sparse:, @unreadable).
  fs::path Path() const { return file.empty() || file[0] == '@' ? fs::path() : kCatalogue / file; }
  bool Expects(const std::string& word) const {
    return (";" + expect + ";").find(";" + word + ";") != std::string::npos;
  }
  std::string Where() const { return "cases.txt line " + std::to_string(line) + ": " + file; }
};

// The cases of one kind that have a catalogue file, or every line but blanks and comments.
std::vector<Case> ReadCases(const std::string& kind = {}) {
  std::vector<Case> cases;
  std::ifstream in(kCatalogue / "cases.txt");
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '|');) {
      field.erase(0, field.find_first_not_of(' '));
      fields.push_back(field.erase(field.find_last_not_of(' ') + 1));
    }
    Case c;
    c.line = ++number;
    if (fields.size() == 6) c.kind = fields[0], c.file = fields[1], c.expect = fields[3];
    if (kind.empty() ? !line.empty() && line[0] != '#' : c.kind == kind && !c.Path().empty())
      cases.push_back(c);
  }
  return cases;
}

TEST(BadInputCatalogue, EveryLineIsWhole) {
  const std::set<std::string> kinds = {"sv", "game", "scores", "clp", "wav", "replay", "currgame", "record"};
  const std::vector<Case> cases = ReadCases();
  ASSERT_GT(cases.size(), 50u) << "cases.txt was not found or lost its lines";
  for (const Case& c : cases) {
    EXPECT_TRUE(kinds.count(c.kind) && !c.expect.empty()) << "line " << c.line << ": needs six fields";
    EXPECT_TRUE(c.Path().empty() || fs::is_regular_file(c.Path())) << c.Where() << ": the file is missing";
  }
}

TEST(BadInputCatalogue, DamagedClipsAreRefusedAsDamagedWithAReasonAndSoundOnesLoad) {
  for (const Case& c : ReadCases("clp")) {
    Clip clip;
    const LoadResult result = clip.Load(c.Path().string());
    EXPECT_EQ(bool(result), !c.Expects("fatal")) << c.Where() << ": " << result.reason;
    if (!result) {
      EXPECT_EQ(result.fault, LoadResult::Fault::kDamaged) << c.Where() << ": " << result.reason;
      EXPECT_FALSE(result.reason.empty()) << c.Where() << ": refused without a reason";
      EXPECT_EQ(clip.GetOwnFrameCount() + clip.GetSequenceCount(), 0) << c.Where() << ": half-loaded";
    }
  }
}

TEST(BadInputCatalogue, DamagedSoundsNeverReachTheDeviceInEitherMode) {
  for (const Case& c : ReadCases("wav")) {
    ASSERT_TRUE(c.Expects("silent")) << c.Where();
    for (bool ownChannels : {false, true}) {
      SoundLog sounds;
      sounds.Player().SetMode(ownChannels);
      sounds.Player().Load(SoundId::kClick, c.Path().string());
      sounds.Player().Play(SoundId::kClick, true);
      sounds.Player().Play(SoundId::kClick, false);
      EXPECT_EQ(sounds.Count(SoundId::kClick), 0) << c.Where();
      const SoundPlayer::WavInfoStruct* entry = sounds.Player().Find(SoundId::kClick);
      EXPECT_TRUE(!entry || !entry->valid) << c.Where();
    }
  }
}

// A settings file whose expectation is the initial options is refused as a whole: by the cipher layer
// or by the text reader. The others are read (their values are checked on the built game).
TEST(BadInputCatalogue, SettingsFilesGivingDefaultsAreRefusedAndTheOthersRead) {
  for (const std::string kind : {"sv", "game", "scores"}) {
    for (const Case& c : ReadCases(kind)) {
      std::string text;
      SettingsStore store;
      const bool read = ReadEncryptedFile(c.Path().string(), text, kSettingsKey, kCipherKeyLength) &&
                        store.LoadText(text) == SettingsStore::LoadResult::kComplete;
      EXPECT_EQ(read, !c.Expects("defaults")) << c.Where();
    }
  }
}

// The whole program with the case's file as "replay.dat": the intro clicked away, the player's game
// ready, then the replay button pressed and the game run for simulated seconds.
TEST(BadInputCatalogue, DamagedReplaysAreRefusedStopOrStartAgainAsTheirCaseSays) {
  for (const Case& c : ReadCases()) {
    if (c.kind != "replay" || c.file == "@unreadable") continue;
    SCOPED_TRACE(c.Where());
    ScratchFolder folder;
    if (c.file == "@dir") {
      fs::create_directory(kReplayFile);
    } else if (c.file == "@fifo") {
      ASSERT_EQ(::mkfifo(kReplayFile, 0600), 0);
    } else if (c.file.starts_with("@sparse:")) {  // the player reads record by record: size matters not
      WriteAll(kReplayFile, std::string(c.file == "@sparse:0" ? 0 : 4096, '\0'));
    } else {
      fs::copy_file(c.Path(), kReplayFile);
    }
    Program program;
    ASSERT_TRUE(program.StartIn());
    MainScreen& main = *program.Main();
    const bool offered = main.ButtonFor(MainScreen::kReplay)->visible;
    program.Click(630, 162);  // the button's middle, as a player clicks it
    EXPECT_EQ(offered, !c.Expects("no-replay"));
    if (c.Expects("replay-loops")) {
      // Half a minute of play: the file ends (or the game does) and it goes on.
      program.Ticks(3000);
      EXPECT_TRUE(main.ReplayRunning());
      const std::string name = program.CurrentSession()->Name();
      EXPECT_TRUE(name == "GameSaved" || name == "GameSavedTime") << name;
    } else {
      ASSERT_TRUE(c.Expects("no-replay") || c.Expects("replay-stops")) << "unknown expectation " << c.expect;
      program.Ticks(100);
      EXPECT_FALSE(main.ReplayRunning());
      EXPECT_EQ(program.CurrentSession()->Name(), "GameOrig");
    }
    EXPECT_EQ(program.Quit(), 0);
  }
}

// The whole program with the case's file as the recording of the one result of the top ten: its row
// greyed, or played once from Enter until the top ten comes back.
TEST(BadInputCatalogue, DamagedRecordingsGreyTheirRowOrPlayOnceAndGiveTheTopTenBack) {
  for (const Case& c : ReadCases()) {
    if (c.kind != "record") continue;
    SCOPED_TRACE(c.Where());
    ScratchFolder folder;
    const ScoreRecord record{"1-1-126", "P", "1"};
    const std::string path = RecordingFilePath(500, record);
    fs::create_directory(kRecordsFolder);
    if (c.file == "@dir") {
      fs::create_directory(path);
    } else if (c.file == "@fifo") {
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (c.file.starts_with("@sparse:")) {
      WriteAll(path, "");
    } else {
      fs::copy_file(c.Path(), path);
    }
    Program program;
    ASSERT_TRUE(program.StartIn());
    program.Main()->Scores().Add(500, record);
    program.Main()->RunCommand(MainScreen::kTopTen);
    TopTenDialog& top = *screens::topTen();
    ASSERT_EQ(top.Rows().size(), 1u);
    EXPECT_EQ(top.Rows()[0].watchable, c.Expects("watch-ends"));
    program.KeyDown(vk::kDown);
    program.KeyUp(vk::kReturn);
    EXPECT_EQ(program.Main()->Watching(), c.Expects("watch-ends"));
    for (int tick = 0; tick < 30000 && ActiveScreen() != &top; ++tick)
      program.Ticks();
    EXPECT_EQ(ActiveScreen(), &top);
    EXPECT_EQ(program.Quit(), 0);
  }
}

// A clip file with no images is a valid file; as a ball (picture and sprite, which every shot and every
// board uses) the game must play on with an invisible ball rather than index a missing frame.
TEST(BadInputCatalogue, BallsFromEmptyClipFilesPlayOnUnseen) {
  for (const std::string file : {"clp/no-images.clp", "clp/empty-sequence.clp"}) {
    SCOPED_TRACE(file);
    const std::vector<std::string> balls = {"clp/ball/0.clp", "clp/ball/0d.clp", "clp/ball/3.clp"};
    ScratchFolder folder(balls);
    for (const std::string& ball : balls)
      fs::copy_file(kCatalogue / file, ball);
    SoundLog sounds;
    Program program;
    ASSERT_TRUE(program.StartIn());
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
