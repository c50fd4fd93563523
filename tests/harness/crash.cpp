// globbet-harness crash: the command, the helpers its runs share, and the run that kills the game's own
// exit save and end-of-game copy, done back to back so that nearly every kill lands inside a write.
// Sections: usage · tallies · processes · files · the save loop · the command
#include <dirent.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
#include <random>

#include "engine/window.h"
#include "game/save_replay.h"
#include "store/atomic_file.h"
#include "store/cipher_file.h"
#include "store/config.h"
#include "store/scores.h"
#include "store/settings_file.h"
#include "tests/harness/crash.h"
#include "tests/harness/harness.h"

namespace crash {
namespace fs = std::filesystem;

// ---- usage -------------------------------------------------------------------------------------------
namespace {
// The kills: --record N of recording games on the headless table (default KILLS / 8), each followed by
// the next start on the leftovers, every --verify-every'th playing the resumed game to its end and its
// replay back; --game-kills N (default 20) of the real game PROGRAM, --long N of them in play; the rest
// of a loop of the exit save and the end-of-game copy. --keep keeps the scratch folder.
constexpr char kUsage[] =
    "usage: globbet-harness crash KILLS [--record N] [--game PROGRAM [--game-kills N] [--long N]]\n"
    "                                   [--verify-every N] [--seed S] [--data DIR] [--keep]\n";
}  // namespace

// ---- tallies -----------------------------------------------------------------------------------------
namespace {
std::mt19937_64& Dice() {
  static std::mt19937_64 dice;
  return dice;
}
}  // namespace

void SeedDice(unsigned long seed) {
  Dice().seed(seed);
}

long Uniform(long low, long high) {
  return std::uniform_int_distribution<long>(low, high)(Dice());
}

void Print(const char* label, const Tally& t, double seconds) {
  std::printf(
      "%-8s kills %ld, inside the work %ld, left a temporary file %ld, most temporaries at once %ld, "
      "ended before the kill %ld, next starts %ld, replays verified %ld (%.1f s)\n",
      label, t.kills, t.midWork, t.leftovers, t.mostTemporaries, t.late, t.nextStarts, t.replaysVerified,
      seconds);
  std::fflush(stdout);
}

// ---- processes ---------------------------------------------------------------------------------------
SharedMemory::SharedMemory(size_t size) : size_(size) {
  block_ = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (block_ == MAP_FAILED) block_ = nullptr;
}

SharedMemory::~SharedMemory() {
  if (block_) ::munmap(block_, size_);
}

pid_t Spawn(const std::function<int()>& body) {
  std::fflush(nullptr);  // nothing buffered is written twice
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const int code = body();
  std::fflush(nullptr);
  ::_exit(code);  // no exit handlers: the parent's state is not the child's to tear down
}

bool KillAfter(pid_t pid, long micros, int& status) {
  timespec pause{micros / 1000000, (micros % 1000000) * 1000};
  while (::nanosleep(&pause, &pause) != 0) {
  }
  const bool running = ::waitpid(pid, &status, WNOHANG) == 0;
  if (running) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  return running;
}

int WaitExit(pid_t pid) {
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string DescribeStatus(int status) {
  if (WIFEXITED(status)) return "exit " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

// ---- files -------------------------------------------------------------------------------------------
bool ReadBytes(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  char chunk[8192];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
    bytes.append(chunk, got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool WriteBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

int Temporaries(const std::string& folder, const char* target) {
  const std::string prefix = fs::path(TemporaryPrefix(target)).filename().string();
  int count = 0;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error))
    count += entry.path().filename().string().rfind(prefix, 0) == 0;
  return count;
}

int Temporaries(const std::string& folder) {
  return Temporaries(folder, kSettingsFileName) + Temporaries(folder, kReplayFile);
}

bool ReadSettingsFile(const std::string& path, OConfig& store) {
  std::string text;
  return ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength) && !store.LoadText(text);
}

// ---- the save loop -----------------------------------------------------------------------------------
namespace {
// The stored game's score tells one save from the next: save n stores score n.
constexpr char kSequenceKey[] = "GameOrig.Score";

// Where the loop stands, in memory shared with the parent: the number of the settings save and of the
// replay copy begun and of the last one finished, and what the loop was doing.
struct LoopProgress {
  enum Phase : int { kStarting, kSaving, kCopying, kBetween };
  std::atomic<long> saveBegun, saveDone, copyBegun, copyDone;
  std::atomic<int> phase;
};
static_assert(std::atomic<long>::is_always_lock_free, "the progress is shared between processes");

// The game's exit save and end-of-game copy, back to back, until killed: save n writes "sv.dat" with
// score n, copy n makes "replay.dat" of recording n % 2.
int SaveLoop(const std::string& folder, const SaveMaterial& material, LoopProgress& progress) {
  OWindow window;  // never shown: the save asks it only whether it is in full screen
  TScoresTable scores;
  scores.FromText(GetConfig().GetString("Game.Scores.Table", ""));
  SaveReplay recorder(folder);
  const std::string settings = folder + "/" + kSettingsFileName;
  for (long n = progress.saveBegun + 1;; ++n) {
    GetConfig().SetInt(kSequenceKey, int(n));
    progress.phase = LoopProgress::kSaving;
    progress.saveBegun = n;
    SaveSettings(window, scores, settings);
    progress.saveDone = n;
    progress.phase = LoopProgress::kBetween;
    // The game's recording of the game that ends: made by the recorder as the game went.
    WriteBytes(recorder.RecordingPath(), material.recordings[n % 2]);
    progress.phase = LoopProgress::kCopying;
    progress.copyBegun = n;
    recorder.Finish();
    progress.copyDone = n;
    progress.phase = LoopProgress::kBetween;
  }
}

// Checks the files after a kill and moves the progress to what the files hold; false with a message.
bool CheckAfterSaveKill(const std::string& folder, const SaveMaterial& material, LoopProgress& progress,
                        std::string& problem) {
  OConfig store;
  if (!ReadSettingsFile(folder + "/" + kSettingsFileName, store)) {
    problem = "\"sv.dat\" does not read with the game's reader";
    return false;
  }
  const long saved = store.GetInt(kSequenceKey, -1);
  if (saved != progress.saveDone && saved != progress.saveBegun) {
    problem = "\"sv.dat\" holds save " + std::to_string(saved) + ", neither the last finished (" +
              std::to_string(progress.saveDone) + ") nor the one under way (" +
              std::to_string(progress.saveBegun) + ")";
    return false;
  }
  std::string replay;
  ReadBytes(folder + "/" + kReplayFile, replay);
  long copied = -1;
  for (long n : {progress.copyDone.load(), progress.copyBegun.load()})
    if (n >= 0 && replay == material.recordings[n % 2]) copied = n;
  if (copied < 0) {
    problem = "\"replay.dat\" (" + std::to_string(replay.size()) +
              " bytes) is neither the previous nor the new recording";
    return false;
  }
  progress.saveBegun = progress.saveDone = saved;
  progress.copyBegun = progress.copyDone = copied;
  return true;
}
}  // namespace

bool RunSaveKills(const Setup& setup, long kills, const SaveMaterial& material, Tally& tally) {
  const std::string folder = setup.folder + "/saves";
  fs::create_directories(folder);
  SharedMemory shared(sizeof(LoopProgress));
  if (!shared.get()) {
    std::printf("saves: no shared memory\n");
    return false;
  }
  auto* progress = new (shared.get()) LoopProgress{};
  // The files as a finished earlier session left them: save 0 and the replay of recording 0.
  GetConfig().LoadText(material.settingsText);
  GetConfig().SetInt(kSequenceKey, 0);
  WriteEncryptedFile(folder + "/" + kSettingsFileName, GetConfig().SaveText(), kSettingsKey,
                     kCipherKeyLength);
  WriteBytes(folder + "/" + kReplayFile, material.recordings[0]);
  progress->saveBegun = progress->saveDone = progress->copyBegun = progress->copyDone = 0;

  // One unhurried pass first: how long one save and copy take here sets the spread of the kill times.
  int status = 0;
  pid_t pid = Spawn([&] { return SaveLoop(folder, material, *progress); });
  KillAfter(pid, 200'000, status);
  const long rounds = std::max(1L, progress->saveDone.load());
  const long roundMicros = std::max(200L, 200'000 / rounds);
  std::string problem;
  bool ok = CheckAfterSaveKill(folder, material, *progress, problem);

  // Each kill may leave one temporary file per target; the next write of that target that runs to its
  // end removes them. So no more may lie there than kills since that target's last finished write.
  long killsSinceSave = 1, killsSinceCopy = 1;  // the measuring pass was killed too
  for (long k = 0; ok && k < kills; ++k) {
    const long savesBefore = progress->saveDone, copiesBefore = progress->copyDone;
    progress->phase = LoopProgress::kStarting;
    pid = Spawn([&] { return SaveLoop(folder, material, *progress); });
    if (pid < 0) {
      problem = "cannot start the loop";
      ok = false;
      break;
    }
    if (!KillAfter(pid, Uniform(0, 3 * roundMicros / 2), status)) {
      problem = "the loop ended by itself: " + DescribeStatus(status);
      ok = false;
      break;
    }
    ++tally.kills;
    const int phase = progress->phase;
    tally.midWork += phase == LoopProgress::kSaving || phase == LoopProgress::kCopying;
    const long temporaries = Temporaries(folder);
    tally.leftovers += temporaries > 0;
    tally.mostTemporaries = std::max(tally.mostTemporaries, temporaries);
    killsSinceSave = progress->saveDone > savesBefore ? 1 : killsSinceSave + 1;
    killsSinceCopy = progress->copyDone > copiesBefore ? 1 : killsSinceCopy + 1;
    if (Temporaries(folder, kSettingsFileName) > killsSinceSave ||
        Temporaries(folder, kReplayFile) > killsSinceCopy)
      problem = std::to_string(temporaries) + " temporary files pile up";
    ok = problem.empty() && CheckAfterSaveKill(folder, material, *progress, problem);
    // The next start reads the settings; the check above read them as the start does.
    tally.nextStarts += ok;
  }
  if (ok) {  // a save and a copy that run to their end leave no temporary file behind
    OWindow window;
    TScoresTable scores;
    SaveReplay recorder(folder);
    WriteBytes(recorder.RecordingPath(), material.recordings[0]);
    if (!SaveSettings(window, scores, folder + "/" + kSettingsFileName) || !recorder.Finish())
      problem = "the last save or copy failed";
    else if (Temporaries(folder) != 0)
      problem = "temporary files remain after a finished save and copy";
    ok = problem.empty();
  }
  if (!ok)
    std::printf("saves: kill %ld: %s (one round takes about %ld us)\n", tally.kills, problem.c_str(),
                roundMicros);
  return ok;
}

// ---- the command -------------------------------------------------------------------------------------
namespace {
double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int RunCrash(const ToolArgs& given) {
  ToolArgs args = given;
  Setup setup;
  setup.data = headless::DataFolder(args);
  const bool keep = harness::TakeFlag(args, "--keep");
  // The game runs in a folder of its own: its path must not depend on this one.
  if (harness::TakeWord(args, "--game", setup.game)) setup.game = fs::absolute(setup.game).string();
  long long record = -1, gameKills = 20, longRuns = 2, verifyEvery = 10, seed = -1;
  int status = 0;
  if (!harness::TakeNumber(args, "--record", 0, 1'000'000, record, status) ||
      !harness::TakeNumber(args, "--game-kills", 0, 100'000, gameKills, status) ||
      !harness::TakeNumber(args, "--long", 0, 100'000, longRuns, status) ||
      !harness::TakeNumber(args, "--verify-every", 1, 1'000'000, verifyEvery, status) ||
      !harness::TakeNumber(args, "--seed", 0, 0x7FFFFFFF, seed, status))
    return status;
  long long kills = 0;
  if (args.size() != 1 || !headless::ParseInt(args[0], 1, 10'000'000, kills))
    return Fail("crash needs KILLS, a count of 1 or more");
  if (setup.game.empty()) gameKills = 0;
  if (record < 0) record = long(kills) / 8;
  longRuns = std::min(longRuns, gameKills);
  const long saves = long(kills) - record - gameKills;
  if (saves < 1) return Fail("KILLS must leave some kills for the save loop");
  if (seed < 0) seed = (std::random_device{}() & 0x7FFFFFFF);
  SeedDice(static_cast<unsigned long>(seed));
  std::printf("kill times seeded with %lld\n", seed);

  headless::TempFolder scratch;
  if (scratch.path().empty()) return Fail("cannot make a temporary folder");
  setup.folder = scratch.path();
  if (!headless::LoadBalls(setup.data, status)) return status;

  bool ok = true;
  Tally recordTally, saveTally, gameTally;
  SaveMaterial material;
  auto start = std::chrono::steady_clock::now();
  ok = RunRecordKills(setup, record, verifyEvery, recordTally, material);
  Print("record", recordTally, SecondsSince(start));
  if (ok) {
    start = std::chrono::steady_clock::now();
    ok = RunSaveKills(setup, saves, material, saveTally);
    Print("saves", saveTally, SecondsSince(start));
  }
  if (ok && gameKills > 0) {
    start = std::chrono::steady_clock::now();
    ok = RunGameKills(setup, gameKills, longRuns, gameTally);
    Print("game", gameTally, SecondsSince(start));
  }
  const long all = recordTally.kills + saveTally.kills + gameTally.kills;
  std::printf("%s: %ld kills, %ld inside the work under test\n", ok ? "passed" : "FAILED", all,
              recordTally.midWork + saveTally.midWork + gameTally.midWork);
  if (keep || !ok) {
    const std::string kept = scratch.path() + "-kept";
    std::error_code error;
    fs::rename(scratch.path(), kept, error);
    if (!error) std::printf("files kept in %s\n", kept.c_str());
  }
  return ok ? 0 : 1;
}

const GlobbetToolCommand kCrashCommand("crash", "kills the game while it saves and records; checks the files",
                                       kUsage, RunCrash);
}  // namespace

}  // namespace crash
