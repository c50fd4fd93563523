// globbet-harness crash: SIGKILLs at random moments of the game's saving and recording, and the checks of
// what each kill leaves behind. Three kinds of run: recording games on the headless table, the game's
// own exit save and end-of-game copy back to back (so that nearly every kill lands inside a write),
// and the real game program.
//
// Recording: each game is started as the game starts (settings read, the stored game resumed or a new
// one begun) and killed at a random moment while it records. A reference run of each scenario notes the
// recording's length around every draw, so a kill can be checked to leave the recording as a
// whole-record prefix of the game it was playing; then the next start runs on the leftovers, and now
// and then plays the resumed game to its end and its replay back, which must show the same end.
//
// The real game runs on SDL's dummy drivers in a folder of its own and is killed at a random moment,
// mostly just after a quit request (SIGTERM, which SDL turns into the platform's close, so the game is
// in its exit save), sometimes while it simply runs, and a few times after its intro, in play. Every
// run starts on what the kill before it left, so each run is also the next start that must not fail;
// a last run quits cleanly and must leave everything tidy.
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "engine/window.h"
#include "game/arcade_session.h"
#include "game/random.h"
#include "game/replay_recorder.h"
#include "game/strategy_session.h"
#include "store/atomic_file.h"
#include "store/cipher_file.h"
#include "store/options.h"
#include "store/score_table.h"
#include "store/settings_store.h"
#include "tests/harness/harness.h"
#include "tests/support/test_folder.h"
#include "tools/globbet-tool/headless_game.h"

namespace crash {
namespace {
namespace fs = std::filesystem;
using namespace headless;

struct Setup {
  std::string data;    // the game's data folder (clp/, wav/)
  std::string folder;  // the scratch folder of the runs
  std::string game;    // the game program, empty: no runs of it
};

// What the recording runs hand to the save loop: a settings text with a stored game, and two complete
// recordings of finished games.
struct SaveMaterial {
  std::string settingsText;
  std::string recordings[2];
};

// A zeroed T in memory that the child processes made after this call share with this one (kept to the
// end); the run cannot go on without it.
template <class T>
T& Shared() {
  static_assert(std::atomic<long>::is_always_lock_free, "counts are shared between processes");
  void* block = ::mmap(nullptr, sizeof(T), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) std::perror("mmap"), std::exit(1);
  return *new (block) T{};
}

// The kills: a tenth of KILLS of recording games on the headless table, each followed by the next start
// on the leftovers, every twentieth round playing the resumed game to its end and its replay back; with
// GAME, 20 (a fiftieth of a longer run) of the real game PROGRAM, one in a thousand of them in play;
// the rest of a loop of the exit save and the end-of-game copy.
constexpr long kVerifyEvery = 20;

// A uniformly drawn whole number low..high for the kill times (not the game's generator).
std::mt19937_64& Dice() {
  static std::mt19937_64 dice;
  return dice;
}

long Uniform(long low, long high) {
  return std::uniform_int_distribution<long>(low, high)(Dice());
}

// Prints why a run failed; false, for the caller to return.
__attribute__((format(printf, 1, 2))) bool Failed(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  return false;
}

// ---- processes ---------------------------------------------------------------------------------------
using Clock = std::chrono::steady_clock;

long MicrosSince(Clock::time_point start) {
  return long(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count());
}

pid_t Spawn(const std::function<int()>& body) {
  std::fflush(nullptr);  // nothing buffered is written twice
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const int code = body();
  std::fflush(nullptr);
  ::_exit(code);  // no exit handlers: the parent's state is not the child's to tear down
}

// Sleeps micros; true when pid still runs then, and with kill it is then killed. status: how it ended.
bool KillAfter(pid_t pid, long micros, int& status, bool kill = true) {
  timespec pause{micros / 1000000, (micros % 1000000) * 1000};
  while (::nanosleep(&pause, &pause) != 0) {
  }
  const bool running = ::waitpid(pid, &status, WNOHANG) == 0;
  if (running && kill) ::kill(pid, SIGKILL), ::waitpid(pid, &status, 0);
  return running;
}

// An exit status as the shell gives it: the exit code, or 128 + the signal that ended it.
int Code(int status) {
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// ---- files -------------------------------------------------------------------------------------------
// The temporary files in folder of target (null: the settings and the replay), of process pid (0: any).
int Temporaries(const std::string& folder, const char* target = nullptr, pid_t pid = 0) {
  int count = 0;
  std::error_code error;
  for (const char* t : {kSettingsFileName, kReplayFile}) {
    const std::string prefix =
        fs::path(TemporaryPrefix(t)).filename().string() + (pid ? std::to_string(pid) + "-" : "");
    for (const auto& entry : fs::directory_iterator(folder, error))
      count += (!target || std::string_view(target) == t) &&
               entry.path().filename().string().rfind(prefix, 0) == 0;
  }
  return count;
}

bool ReadSettingsFile(const std::string& path, SettingsStore& store) {
  std::string text;
  return ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength) &&
         store.LoadText(text) == SettingsStore::LoadResult::kComplete;
}

// ---- playing in a folder -----------------------------------------------------------------------------
constexpr int kLevel = 2;                   // Master: short games
constexpr uint32_t kGameSeeds[2] = {4, 1};  // two strategy games at Master of some sixty shots each
constexpr uint32_t kScenarioSeed = 7;
constexpr int kScenarioShots = 12;

// The demo's choice of shot playing Rules, noting the recording's length before and after every draw
// ("draw BEFORE AFTER" on a line): every record ends at one of those lengths, so a kill must leave the
// recording at one of them, and at least as long as it was after the last draw the game made.
template <class Rules>
class NotingPlayer : public AimingPlayer<Rules> {
 public:
  NotingPlayer(Screen* screen, const std::string& folder) : AimingPlayer<Rules>(screen, folder) {}
  int Random(int n) override {
    const long long before = Length();
    const int r = AimingPlayer<Rules>::Random(n);
    if (log) std::fprintf(log, "draw %lld %lld\n", before, Length());
    if (draws) ++*draws;  // told only once the draw is recorded
    return r;
  }
  long long Length() const {
    // The reference run takes the lengths of the records made, whether or not the recorder has handed
    // them to the file yet; a killed run gets no help.
    if (log) std::fflush(nullptr);
    struct stat st;
    return ::stat(recording.c_str(), &st) == 0 ? static_cast<long long>(st.st_size) : 0;
  }
  std::FILE* log = nullptr;
  std::atomic<long>* draws = nullptr;
  std::string recording;
};

struct PlayPlan {
  int mode = 0;
  uint32_t seed = kScenarioSeed;
  int stopAfterShots = -1;  // stop at the first ready point after this many shots; -1: play to the end
  bool saveAtStop = false;  // then save as the game does at exit
  std::string lengths;      // file to note the recording's lengths in (empty: none)
  std::string end;          // file to print the end of the game to, as 'replay verify' does (empty: none)
  std::atomic<long>* draws = nullptr;  // counts the draws made, where the parent sees it (none: null)
};

// Plays in folder as the game does from its start; 0 when it played as planned.
template <class Rules>
int PlayIn(const std::string& folder, const PlayPlan& plan) {
  HeadlessRun run(kLevel, GameMode(plan.mode), kDefaultSpeed);
  Window window;  // never shown: the settings set its frame interval, the save asks about full screen
  ScoreTable scores;
  const std::string settings = folder + "/" + kSettingsFileName;
  LoadSettings(window, scores, settings);
  Options& options = GetOptions();
  options.level = kLevel, options.mode = GameMode(plan.mode), options.speed = kDefaultSpeed;
  options.animate = options.soundOn = false;  // nothing but the game draws from the generator
  SetLibRandomSeed(plan.seed);

  Table table;
  table.playerTable = true;
  NotingPlayer<Rules> game(&table, folder);
  game.recording = ReplayRecorder(folder).RecordingPath();
  if (!plan.lengths.empty()) game.log = std::fopen(plan.lengths.c_str(), "w");
  game.draws = plan.draws;
  bool ended = false;
  GameEnd end;
  game.onEnd = [&] {
    if (!ended) end = EndOf(game, game.shots);
    ended = true;
  };
  table.game = &game;
  game.SetSettings(&GetSettings());
  game.SetHost(&table);
  const bool restore = options.autoSave && options.settingsLoaded;
  if (!(restore ? game.Load() : game.Start(false))) return 2;
  // A restore cuts the recording back to its save.
  if (game.log) std::fprintf(game.log, "at %lld\n", game.Length());
  for (long long frame = 0; !ended; ++frame) {
    if (frame == kMaxFrames) return 3;
    const bool ready =
        game.State() == SessionState::kReady && game.GetBoard() && game.GetBoard()->View().IsIdle();
    if (plan.stopAfterShots >= 0 && game.shots >= plan.stopAfterShots && ready) break;
    run.Frame(table);
  }
  if (game.log) {
    std::fprintf(game.log, "at %lld\n", game.Length());
    std::fclose(game.log);
  }
  if (plan.saveAtStop) SaveSettings(window, scores, settings);
  if (!plan.end.empty() && ended && std::freopen(plan.end.c_str(), "w", stdout)) PrintEnd(end);
  table.game = nullptr;
  return 0;
}

int PlayMode(const std::string& folder, const PlayPlan& plan) {
  return plan.mode == 0 ? PlayIn<StrategySession>(folder, plan) : PlayIn<ArcadeSession>(folder, plan);
}

// Plays in a child process; true when it played as planned, otherwise says why.
bool PlayInChild(const std::string& folder, const PlayPlan& plan, const char* what) {
  const pid_t pid = Spawn([&] { return PlayMode(folder, plan); });
  int status = 0;
  const int code = pid < 0 || ::waitpid(pid, &status, 0) != pid ? -1 : Code(status);
  return code == 0 || Failed("record: %s in %s failed (%d)\n", what, folder.c_str(), code);
}

// Replaces folder by a copy of from (or an empty folder when from is empty).
void FreshCopy(const std::string& from, const std::string& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder, error);
  if (!from.empty()) fs::copy(from, folder, fs::copy_options::recursive, error);
}

// Plays in a child process in a new empty folder; as PlayInChild.
bool PlayFresh(const std::string& folder, const PlayPlan& plan, const char* what) {
  FreshCopy("", folder);
  return PlayInChild(folder, plan, what);
}

// The lines "score ..." and "board ..." of a printed end.
std::string ScoreAndBoard(const std::string& printed) {
  std::istringstream lines(printed);
  std::string kept;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("score ", 0) == 0 || line.rfind("board", 0) == 0) kept += line + "\n";
  return kept;
}

// Plays replay.dat of folder back with 'globbet-tool replay verify' and compares its end with the one
// printed to endFile; false with a message when they differ.
bool ReplayMatches(const Setup& setup, const std::string& folder, const std::string& endFile) {
  const std::string out = folder + "/verified";
  std::system(("'" GLOBBET_BINARY_DIR "/globbet-tool' replay verify '" + folder + "/" + kReplayFile +
               "' --data '" + setup.data + "' >'" + out + "' 2>&1")
                  .c_str());
  const std::string replayed = ReadAll(out);
  const std::string played = ReadAll(endFile);
  return (!ScoreAndBoard(played).empty() && ScoreAndBoard(played) == ScoreAndBoard(replayed)) ||
         Failed("record: the replay of the resumed game in %s does not end as the game did:\n%s---\n%s",
                folder.c_str(), played.c_str(), replayed.c_str());
}

// ---- scenarios and references ------------------------------------------------------------------------
struct Scenario {
  const char* name;
  int mode;
  std::string start;  // the folder the run starts from (empty: an empty folder, a new game)
  int shots;          // shots before it stops; -1: to the end of the game
  // From the reference run:
  std::string recording{};           // the whole recording at its end
  std::string replay{};              // "replay.dat" at its end (empty: none)
  std::set<size_t> lengths{};        // where records end
  std::vector<size_t> afterDraws{};  // the recording's length after each draw
  long micros = 0;                   // how long the run takes
};

bool MakeReference(const std::string& base, int index, Scenario& s) {
  const std::string folder = base + "/reference-" + std::to_string(index);
  FreshCopy(s.start, folder);
  PlayPlan plan{s.mode, kScenarioSeed, s.shots, false, base + "/lengths-" + std::to_string(index), ""};
  const auto start = Clock::now();
  if (!PlayInChild(folder, plan, s.name)) return false;
  s.micros = MicrosSince(start);
  // "draw BEFORE AFTER" for each draw, "at LENGTH" after the start (a restore's cut) and at the end.
  std::istringstream in(ReadAll(plan.lengths));
  size_t before = 0, after = 0;
  for (std::string word; in >> word >> before;) {
    after = before;
    if (word == "draw") in >> after, s.afterDraws.push_back(after);
    s.lengths.insert(before);
    s.lengths.insert(after);
  }
  if (s.start.empty()) s.lengths.insert(0);  // created, the header not yet written
  s.recording = ReadAll(folder + "/" + kRecordingFile);
  s.replay = ReadAll(folder + "/" + kReplayFile);
  return !s.recording.empty();
}

// ---- the kills ---------------------------------------------------------------------------------------
// Checks what a kill of scenario s left in folder; false with a message in problem.
// made: the draws the game had made and recorded before the kill.
bool CheckAfterRecordKill(const Scenario& s, const std::string& folder, long made, std::string& problem) {
  std::error_code error;
  const bool recorded = fs::is_regular_file(folder + "/" + kRecordingFile, error);
  const std::string recording = ReadAll(folder + "/" + kRecordingFile);
  if (!recorded && !s.start.empty()) problem = "\"currgame.dat\" is gone";
  if (recorded && !s.recording.starts_with(recording))
    problem =
        "\"currgame.dat\" (" + std::to_string(recording.size()) + " bytes) is not the recording of the game";
  else if (recorded && !s.lengths.count(recording.size()))
    problem = "\"currgame.dat\" ends inside a record, at " + std::to_string(recording.size());
  if (made > long(s.afterDraws.size()))
    problem = "the game made more draws than its reference run";
  else if (made > 0 && recording.size() < s.afterDraws[size_t(made - 1)])
    problem = "\"currgame.dat\" (" + std::to_string(recording.size()) +
              " bytes) lost records the game had made (" + std::to_string(s.afterDraws[size_t(made - 1)]) +
              " bytes)";
  const auto atStart = [&](const char* name) { return s.start.empty() ? "" : ReadAll(s.start + "/" + name); };
  const std::string replay = ReadAll(folder + "/" + kReplayFile);
  if (replay != atStart(kReplayFile) && replay != s.replay)
    problem = "\"replay.dat\" is neither the previous nor the new one";
  if (ReadAll(folder + "/" + kSettingsFileName) != atStart(kSettingsFileName))
    problem = "\"sv.dat\" changed, though nothing saved it";
  return problem.empty();
}

bool RunRecordKills(const Setup& setup, long kills, SaveMaterial& material) {
  const std::string base = setup.folder + "/record";
  // Two finished games: the recordings the save loop copies, and what the scenarios start from.
  std::string end;  // of the first
  for (int g = 1; g >= 0; --g) {
    const std::string folder = base + "/full-" + std::to_string(g);
    const PlayPlan plan{0, kGameSeeds[g], -1, false, "", base + "/end-" + std::to_string(g)};
    if (!PlayFresh(folder, plan, "a whole game")) return false;
    material.recordings[g] = ReadAll(folder + "/" + kReplayFile);
    end = ReadAll(plan.end);
  }
  const size_t at = end.find("shots ");
  const int shots = at == std::string::npos ? 0 : std::atoi(end.c_str() + at + 6);
  if (material.recordings[0].empty() || material.recordings[1].empty() || shots < 30)
    return Failed("record: the whole games did not end as expected (%d shots)\n", shots);
  // Games quit (saved at exit) at a ready point: early in a strategy and an arcade game, near the end.
  const std::string early[2] = {base + "/saved-strategy", base + "/saved-arcade"},
                    late = base + "/saved-late";
  for (int mode = 0; mode < 2; ++mode)
    if (!PlayFresh(early[mode], PlayPlan{mode, kGameSeeds[0], 20, true, "", ""}, "a game to quit"))
      return false;
  if (!PlayFresh(late, PlayPlan{0, kGameSeeds[0], shots - 5, true, "", ""}, "a game to quit")) return false;
  WriteAll(late + "/" + kReplayFile, material.recordings[1]);  // the replay of an earlier game
  SettingsStore stored;
  if (!ReadSettingsFile(early[0] + "/" + kSettingsFileName, stored))
    return Failed("record: the settings saved at the quit do not read back\n");
  material.settingsText = stored.SaveText();

  Scenario scenarios[] = {{"a new strategy game", 0, "", kScenarioShots},
                          {"a new arcade game", 1, "", kScenarioShots},
                          {"a resumed strategy game", 0, early[0], kScenarioShots},
                          {"a resumed arcade game", 1, early[1], kScenarioShots},
                          {"a strategy game to its end", 0, late, -1}};
  constexpr int kScenarios = int(std::size(scenarios));
  for (int i = 0; i < kScenarios; ++i)
    if (!MakeReference(base, i, scenarios[i])) return false;

  // Runs that end before their kill came are not counted as kills; a few more runs make up for them.
  const std::string folder = base + "/killed";
  auto* draws = &Shared<std::atomic<long>>();
  for (long k = 0, killed = 0; killed < kills && k < 3 * kills; ++k) {
    const Scenario& s = scenarios[k % kScenarios];
    FreshCopy(s.start, folder);
    draws->store(0);
    const PlayPlan plan{s.mode, kScenarioSeed, s.shots, false, "", "", draws};
    int status = 0;
    const pid_t pid = Spawn([&] { return PlayMode(folder, plan); });
    if (KillAfter(pid, Uniform(s.micros / 10, s.micros - s.micros / 10), status)) {
      ++killed;
    } else if (Code(status) != 0) {
      return Failed("record: %s ended with %d\n", s.name, Code(status));
    }
    std::string problem;
    if (!CheckAfterRecordKill(s, folder, draws->load(), problem))
      return Failed("record: after a kill of %s: %s\n", s.name, problem.c_str());
    // The next start on what the kill left: it resumes or begins a game and plays on.
    const bool verify = s.mode == 0 && (k / kScenarios) % kVerifyEvery == 0;
    const std::string end = base + "/end-resumed";
    const PlayPlan next{s.mode, kGameSeeds[0], verify ? -1 : 2, false, "", verify ? end : ""};
    if (!PlayInChild(folder, next, "the next start") || (verify && !ReplayMatches(setup, folder, end)))
      return false;
  }
  return true;
}

constexpr long kMs = 1000;               // microseconds
constexpr long kIntroMs = 6500;          // the intro hands over to the game after six seconds
constexpr long kLongestStartMs = 60000;  // a start-up or exit slower than this is a failure here,
                                         // generous for the sanitizer build on a loaded machine

// ---- running the program -----------------------------------------------------------------------------
// Starts the game in folder, its output going to folder's "game.log"; -1 when it could not be started.
pid_t StartGame(const std::string& program, const std::string& folder) {
  return Spawn([&] {
    const int log = ::open((folder + "/game.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log >= 0) ::dup2(log, 1), ::dup2(log, 2);
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (::chdir(folder.c_str()) == 0) ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    return 127;
  });
}

// Polls until done() holds (true), or pid ends or micros pass (false; status: how it ended, 0 while it
// runs). A process that ended is left for a later waitpid.
template <class Done>
bool PollUntil(pid_t pid, long micros, int& status, Done done) {
  for (const auto start = Clock::now(); !done(); ::usleep(100)) {
    siginfo_t info{};
    status = 0;
    if (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == pid) {
      ::waitpid(pid, &status, WNOHANG);  // reaped here, its status kept
      return false;
    }
    if (MicrosSince(start) > micros) return false;
  }
  return true;
}

// True when process pid holds or catches SIGTERM: the game has reached its first instruction, so a quit
// request from now on ends it through its exit save (before, the default action would simply end it).
bool TakesQuitRequests(pid_t pid) {
  std::FILE* status = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
  if (!status) return false;
  unsigned long long blocked = 0, caught = 0;
  for (char line[256]; std::fgets(line, sizeof line, status);) {
    std::sscanf(line, "SigBlk: %llx", &blocked);
    std::sscanf(line, "SigCgt: %llx", &caught);
  }
  std::fclose(status);
  return (blocked | caught) & (1ull << (SIGTERM - 1));
}

// Starts the game and waits until it takes quit requests, then micros more; -1 when it ended first or
// did not get there within the limit (then it is killed), with status set.
pid_t StartAndWait(const std::string& program, const std::string& folder, long micros, int& status) {
  const pid_t pid = StartGame(program, folder);
  if (pid < 0) return -1;
  if (PollUntil(pid, kLongestStartMs * kMs, status, [&] { return TakesQuitRequests(pid); }) &&
      KillAfter(pid, micros, status, false))
    return pid;
  KillAfter(pid, 0, status);
  return -1;
}

std::string GameLog(const std::string& folder) {
  const std::string log = ReadAll(folder + "/game.log");
  return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

// ---- the checks --------------------------------------------------------------------------------------
// What a run left, against what it started from; false with a message in problem.
bool CheckLeftovers(const std::string& folder, const std::string& oldSettings, std::string& problem) {
  SettingsStore store;
  const std::string path = folder + "/" + kSettingsFileName;
  if (ReadAll(path) != oldSettings && !ReadSettingsFile(path, store))
    problem = "\"sv.dat\" is neither the old file nor a readable new one";
  int level = 0, type = 0;
  std::error_code error;
  for (const char* name : {kRecordingFile, kReplayFile}) {
    const std::string file = folder + "/" + name;
    const bool empty = fs::exists(file, error) && fs::file_size(file, error) == 0;
    // A recording just begun may be empty (killed between its creation and its header); a replay, old
    // or new, is whole.
    if (fs::exists(file, error) && !(empty && std::string_view(name) == kRecordingFile) &&
        ReadReplayHeader(file, level, type) != ReplayHeaderCheck::kOk)
      problem = std::string("\"") + name + "\" has no valid header";
  }
  return problem.empty();
}

// Starts the game, asks it to quit after waitMicros and waits until it ends; its exit status (-1: it did
// not end within the limit), and in endedMicros how long it took from the request.
int QuitCleanly(const std::string& program, const std::string& folder, long waitMicros, long& endedMicros) {
  int status = 0;
  const pid_t pid = StartAndWait(program, folder, waitMicros, status);
  if (pid < 0) return Code(status);
  const auto asked = Clock::now();
  ::kill(pid, SIGTERM);
  if (PollUntil(pid, kLongestStartMs * kMs, status, [] { return false; }) || KillAfter(pid, 0, status))
    return -1;
  endedMicros = MicrosSince(asked);
  return Code(status);
}

// ---- the runs ----------------------------------------------------------------------------------------
bool RunGameKills(const Setup& setup, long kills, long longRuns) {
  const std::string folder = setup.folder + "/game";
  std::error_code error;
  fs::create_directories(folder, error);
  harness::LinkData(setup.data, folder);

  // How long the start-up takes here from the game's first instruction (a sanitizer build is slower):
  // the first quit request that ends the game cleanly, with its settings saved, comes after it.
  long startMicros = 250 * kMs;
  long exitMicros = 0;
  for (;; startMicros *= 2) {
    if (startMicros > kLongestStartMs * kMs)
      return Failed("game: it does not start and quit cleanly:\n%s\n", GameLog(folder).c_str());
    fs::remove(folder + "/" + kSettingsFileName, error);
    if (QuitCleanly(setup.game, folder, startMicros, exitMicros) == 0 &&
        fs::exists(folder + "/" + kSettingsFileName, error))
      break;
  }

  // Runs since the game last quit by itself: its exit save then ran to its end, which sweeps the
  // temporary files that killed writes left (a kill can land after a write's rename but before its
  // sweep). No more may lie there than one per run since.
  long runsSinceSweep = 0;
  // Runs that end before their kill came are not counted as kills; a few more runs make up for them.
  for (long k = 0, killed = 0; killed < kills && k < 2 * kills; ++k) {
    const std::string oldSettings = ReadAll(folder + "/" + kSettingsFileName);
    const bool inPlay = k % (kills / std::max(1L, longRuns) + 1) == 1 && longRuns > 0;
    const bool quitFirst = inPlay || k % 4 != 3;  // else killed while it simply runs
    const long wait = inPlay ? Uniform(kIntroMs, kIntroMs + 1500) * kMs + startMicros
                             : Uniform(startMicros, startMicros + 600 * kMs);
    int status = 0;
    const pid_t pid = StartAndWait(setup.game, folder, wait, status);
    if (pid < 0)
      return Failed("game: run %ld ended by itself (%d):\n%s\n", k, Code(status), GameLog(folder).c_str());
    if (quitFirst) ::kill(pid, SIGTERM);
    // Every other quit is watched: the kill comes once the save's temporary file is there, so it lands
    // inside the write; the others are timed from the request and land before, inside or after it.
    if (quitFirst && k % 2 == 0)
      PollUntil(pid, 5000 * kMs, status, [&] { return Temporaries(folder, nullptr, pid) > 0; });
    const long delay = !quitFirst ? 0 : k % 2 == 0 ? Uniform(0, 250) : Uniform(0, exitMicros);
    if (KillAfter(pid, delay, status)) {
      ++killed, ++runsSinceSweep;
    } else if (Code(status) != 0) {
      return Failed("game: run %ld ended with %d after the quit request:\n%s\n", k, Code(status),
                    GameLog(folder).c_str());
    } else {
      runsSinceSweep = 0;
    }
    std::string problem;
    if (Temporaries(folder) > runsSinceSweep)
      problem = std::to_string(Temporaries(folder)) + " temporary files pile up";
    if (!CheckLeftovers(folder, oldSettings, problem))
      return Failed("game: after run %ld: %s\n", k, problem.c_str());
  }
  // A last start on what the kills left, past the intro (the stored game is resumed, or a new one
  // begun), quit cleanly: it saves, and its save sweeps the temporaries.
  const int code = QuitCleanly(setup.game, folder, startMicros + (kIntroMs + 1000) * kMs, exitMicros);
  SettingsStore store;
  return (code == 0 && ReadSettingsFile(folder + "/" + kSettingsFileName, store) &&
          Temporaries(folder) == 0) ||
         Failed("game: the last start ended with %d, %d temporary files (or sv.dat unreadable):\n%s\n", code,
                Temporaries(folder), GameLog(folder).c_str());
}

// ---- the save loop -----------------------------------------------------------------------------------
// The stored game's score tells one save from the next: save n stores score n.
constexpr char kSequenceKey[] = "GameOrig.Score";

// Where the loop stands, in memory shared with the parent: the number of the settings save and of the
// replay copy begun and of the last one finished.
struct LoopProgress {
  std::atomic<long> saveBegun, saveDone, copyBegun, copyDone;
};

// The game's exit save and end-of-game copy, back to back, until killed: save n writes "sv.dat" with
// score n, copy n makes "replay.dat" of recording n % 2.
int SaveLoop(const std::string& folder, const SaveMaterial& material, LoopProgress& progress) {
  Window window;  // never shown: the save asks it only whether it is in full screen
  ScoreTable scores;
  scores.FromText(GetSettings().GetString("Game.Scores.Table", ""));
  ReplayRecorder recorder(folder);
  const std::string settings = folder + "/" + kSettingsFileName;
  for (long n = progress.saveBegun + 1;; ++n) {
    GetSettings().SetInt(kSequenceKey, int(n));
    progress.saveBegun = n;
    SaveSettings(window, scores, settings);
    progress.saveDone = n;
    // The game's recording of the game that ends: made by the recorder as the game went.
    WriteAll(recorder.RecordingPath(), material.recordings[n % 2]);
    progress.copyBegun = n;
    recorder.Finish();
    progress.copyDone = n;
  }
}

// Checks the files after a kill and moves the progress to what the files hold; false with a message.
bool CheckAfterSaveKill(const std::string& folder, const SaveMaterial& material, LoopProgress& progress,
                        std::string& problem) {
  SettingsStore store;
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
  const std::string replay = ReadAll(folder + "/" + kReplayFile);
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

bool RunSaveKills(const Setup& setup, long kills, const SaveMaterial& material) {
  const std::string folder = setup.folder + "/saves";
  fs::create_directories(folder);
  auto* progress = &Shared<LoopProgress>();
  // The files as a finished earlier session left them: save 0 and the replay of recording 0.
  GetSettings().LoadText(material.settingsText);
  GetSettings().SetInt(kSequenceKey, 0);
  WriteEncryptedFile(folder + "/" + kSettingsFileName, GetSettings().SaveText(), kSettingsKey,
                     kCipherKeyLength);
  WriteAll(folder + "/" + kReplayFile, material.recordings[0]);
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
  long k = 0;
  for (; ok && k < kills; ++k) {
    const long savesBefore = progress->saveDone, copiesBefore = progress->copyDone;
    pid = Spawn([&] { return SaveLoop(folder, material, *progress); });
    if (pid < 0 || !KillAfter(pid, Uniform(0, 3 * roundMicros / 2), status)) {
      problem = "the loop ended by itself (" + std::to_string(Code(status)) + ")";
      ok = false;
      break;
    }
    killsSinceSave = progress->saveDone > savesBefore ? 1 : killsSinceSave + 1;
    killsSinceCopy = progress->copyDone > copiesBefore ? 1 : killsSinceCopy + 1;
    if (Temporaries(folder, kSettingsFileName) > killsSinceSave ||
        Temporaries(folder, kReplayFile) > killsSinceCopy)
      problem = std::to_string(Temporaries(folder)) + " temporary files pile up";
    // The next start reads the settings; the check reads them as the start does.
    ok = problem.empty() && CheckAfterSaveKill(folder, material, *progress, problem);
  }
  if (ok) {  // a save and a copy that run to their end leave no temporary file behind
    Window window;
    ScoreTable scores;
    ReplayRecorder recorder(folder);
    WriteAll(recorder.RecordingPath(), material.recordings[0]);
    if (!SaveSettings(window, scores, folder + "/" + kSettingsFileName) || !recorder.Finish())
      problem = "the last save or copy failed";
    else if (Temporaries(folder) != 0)
      problem = "temporary files remain after a finished save and copy";
    ok = problem.empty();
  }
  return ok ||
         Failed("saves: kill %ld: %s (one round takes about %ld us)\n", k, problem.c_str(), roundMicros);
}

// ---- the command -------------------------------------------------------------------------------------
int RunCrash(const ToolArgs& given) {
  ToolArgs args = given;
  Setup setup;
  setup.data = headless::DataFolder(args);
  long long seed = std::random_device{}() & 0x7FFFFFFF, kills = 0;
  int status = 0;
  if (!harness::TakeNumber(args, "--seed", 0, 0x7FFFFFFF, seed, status)) return status;
  if (args.empty() || args.size() > 2 || !headless::ParseInt(args[0], 20, 10'000'000, kills))
    return Fail("crash needs KILLS, a count of 20 or more");
  // The game runs in a folder of its own: its path must not depend on this one.
  if (args.size() == 2) setup.game = fs::absolute(args[1]).string();
  const long record = long(kills) / 10;
  const long gameKills = setup.game.empty() ? 0 : std::max(long(kills) / 50, std::min(20L, long(kills) / 20));
  Dice().seed(static_cast<unsigned long>(seed));
  std::printf("kill times seeded with %lld\n", seed);

  headless::TempFolder scratch;
  if (scratch.path().empty()) return Fail("cannot make a temporary folder");
  setup.folder = scratch.path();
  if (!headless::LoadBalls(setup.data, status)) return status;
  SaveMaterial material;
  const bool ok = RunRecordKills(setup, record, material) &&
                  RunSaveKills(setup, long(kills) - record - gameKills, material) &&
                  (gameKills == 0 || RunGameKills(setup, gameKills, std::max(1L, long(kills) / 1000)));
  std::printf("%s\n", ok ? "passed" : "FAILED");
  return ok ? 0 : 1;
}

const GlobbetToolCommand kCrash("crash", "", "crash KILLS [GAME] [--seed S] [--data DIR]", RunCrash);

}  // namespace
}  // namespace crash
