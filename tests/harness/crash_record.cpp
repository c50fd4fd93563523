// globbet-harness crash, recording games: games on the headless table, each started as the game starts
// (settings read, the stored game resumed or a new one begun), killed at random moments while they
// record. A reference run of each scenario notes the recording's length around every draw, so a kill
// can be checked to leave the recording as a whole-record prefix of the game it was playing; then the
// next start runs on the leftovers, and now and then plays the resumed game to its end and its replay
// back, which must show the same end.
// Sections: playing in a folder · scenarios and references · the kills
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "engine/window.h"
#include "game/game_orig.h"
#include "game/game_time.h"
#include "game/random.h"
#include "game/save_replay.h"
#include "store/config.h"
#include "store/options.h"
#include "store/scores.h"
#include "store/settings_file.h"
#include "tests/harness/crash.h"
#include "tools/globbet-tool/headless_game.h"

namespace crash {
namespace {
namespace fs = std::filesystem;
using namespace headless;

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
  NotingPlayer(OEngine* screen, const std::string& folder) : AimingPlayer<Rules>(screen, folder) {}
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
  HeadlessRun run(kLevel, plan.mode, kDefaultSpeed);
  OWindow window;  // never shown: the settings set its frame interval, the save asks about full screen
  TScoresTable scores;
  const std::string settings = folder + "/" + kSettingsFileName;
  LoadSettings(window, scores, settings);
  Options& options = GetOptions();
  options.Level = kLevel, options.GameType = plan.mode, options.FastSpeed = kDefaultSpeed;
  options.Animate = options.SoundOn = false;  // nothing but the game draws from the generator
  SetLibRandomSeed(plan.seed);

  Table table;
  table.playerTable = true;
  NotingPlayer<Rules> game(&table, folder);
  game.recording = SaveReplay(folder).RecordingPath();
  if (!plan.lengths.empty()) game.log = std::fopen(plan.lengths.c_str(), "w");
  game.draws = plan.draws;
  bool ended = false;
  GameEnd end;
  game.onEnd = [&] {
    if (!ended) end = EndOf(game, game.shots);
    ended = true;
  };
  table.game = &game;
  game.SetSettings(&GetConfig());
  game.SetHost(&table);
  const bool restore = options.AutoSave && options.settingsLoaded;
  if (!(restore ? game.Load() : game.Start(false))) return 2;
  // A restore cuts the recording back to its save.
  if (game.log) std::fprintf(game.log, "at %lld\n", game.Length());
  for (long long frame = 0; !ended; ++frame) {
    if (frame == kMaxFrames) return 3;
    const bool ready =
        game.State() == GameState::kReady && game.GetField() && game.GetField()->View().IsIdle();
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
  return plan.mode == 0 ? PlayIn<GameOrig>(folder, plan) : PlayIn<GameTime>(folder, plan);
}

// Plays in a child process; true when it played as planned, otherwise says why.
bool PlayInChild(const std::string& folder, const PlayPlan& plan, const char* what) {
  const pid_t pid = Spawn([&] { return PlayMode(folder, plan); });
  const int code = pid < 0 ? -1 : WaitExit(pid);
  if (code != 0) std::printf("record: %s in %s failed (%d)\n", what, folder.c_str(), code);
  return code == 0;
}

// Replaces folder by a copy of from (or an empty folder when from is empty).
void FreshCopy(const std::string& from, const std::string& folder) {
  std::error_code error;
  fs::remove_all(folder, error);
  if (from.empty())
    fs::create_directories(folder, error);
  else
    fs::copy(from, folder, fs::copy_options::recursive, error);
}

// The lines "score ..." and "board ..." of a printed end.
std::string ScoreAndBoard(const std::string& printed) {
  std::string kept;
  size_t at = 0;
  while (at < printed.size()) {
    size_t next = printed.find('\n', at);
    if (next == std::string::npos) next = printed.size();
    const std::string line = printed.substr(at, next - at);
    if (line.rfind("score ", 0) == 0 || line.rfind("board", 0) == 0) kept += line + "\n";
    at = next + 1;
  }
  return kept;
}

// Plays replay.dat of folder back with 'globbet-tool replay verify' and compares its end with the one
// printed to endFile; false with a message when they differ.
bool ReplayMatches(const Setup& setup, const std::string& folder, const std::string& endFile) {
  std::error_code error;
  // The player's tool is built beside the harness.
  const std::string tool =
      (fs::read_symlink("/proc/self/exe", error).parent_path() / "globbet-tool").string();
  const std::string command =
      "'" + tool + "' replay verify '" + folder + "/" + kReplayFile + "' --data '" + setup.data + "' 2>&1";
  std::string replayed, played;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;)
      replayed.append(chunk, got);
    ::pclose(pipe);
  }
  ReadBytes(endFile, played);
  if (!ScoreAndBoard(played).empty() && ScoreAndBoard(played) == ScoreAndBoard(replayed)) return true;
  std::printf("record: the replay of the resumed game in %s does not end as the game did:\n%s---\n%s",
              folder.c_str(), played.c_str(), replayed.c_str());
  return false;
}

// ---- scenarios and references ------------------------------------------------------------------------
struct Scenario {
  Scenario(const char* name_, int mode_, std::string start_, int shots_)
      : name(name_), mode(mode_), start(std::move(start_)), shots(shots_) {}
  const char* name;
  int mode;
  std::string start;  // the folder the run starts from (empty: an empty folder, a new game)
  int shots;          // shots before it stops; -1: to the end of the game
  // From the reference run:
  std::string recording;           // the whole recording at its end
  std::string replay;              // "replay.dat" at its end (empty: none)
  std::set<size_t> lengths;        // where records end
  std::vector<size_t> afterDraws;  // the recording's length after each draw
  size_t startLength = 0;          // the recording's length before the run
  long micros = 0;                 // how long the run takes
};

bool MakeReference(const std::string& base, int index, Scenario& s) {
  const std::string folder = base + "/reference-" + std::to_string(index);
  FreshCopy(s.start, folder);
  PlayPlan plan{s.mode, kScenarioSeed, s.shots, false, base + "/lengths-" + std::to_string(index), ""};
  const auto start = std::chrono::steady_clock::now();
  if (!PlayInChild(folder, plan, s.name)) return false;
  s.micros =
      long(std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
               .count());
  std::string text, startRecording;
  ReadBytes(plan.lengths, text);
  // "draw BEFORE AFTER" for each draw, "at LENGTH" after the start (a restore's cut) and at the end.
  unsigned long long before = 0, after = 0;
  int used = 0;
  for (const char* p = text.c_str(); *p; p += used) {
    if (std::sscanf(p, "draw %llu %llu\n%n", &before, &after, &used) == 2) {
      s.afterDraws.push_back(size_t(after));
    } else if (std::sscanf(p, "at %llu\n%n", &after, &used) == 1) {
      before = after;
    } else {
      break;
    }
    s.lengths.insert(size_t(before));
    s.lengths.insert(size_t(after));
  }
  if (s.start.empty()) s.lengths.insert(0);  // created, the header not yet written
  if (!s.start.empty()) ReadBytes(s.start + "/" + kRecordingFile, startRecording);
  s.startLength = startRecording.size();
  ReadBytes(folder + "/" + kRecordingFile, s.recording);
  ReadBytes(folder + "/" + kReplayFile, s.replay);
  return !s.recording.empty();
}

// ---- the kills ---------------------------------------------------------------------------------------
// Checks what a kill of scenario s left in folder; false with a message in problem.
// made: the draws the game had made and recorded before the kill.
bool CheckAfterRecordKill(const Scenario& s, const std::string& folder, long made, std::string& problem) {
  std::string recording, replay, startReplay, settings, startSettings;
  const bool recorded = ReadBytes(folder + "/" + kRecordingFile, recording);
  if (!recorded && !s.start.empty()) problem = "\"currgame.dat\" is gone";
  if (recorded &&
      (s.recording.compare(0, recording.size(), recording) != 0 || recording.size() > s.recording.size()))
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
  if (!s.start.empty()) {
    ReadBytes(s.start + "/" + kReplayFile, startReplay);
    ReadBytes(s.start + "/" + kSettingsFileName, startSettings);
  }
  ReadBytes(folder + "/" + kReplayFile, replay);
  if (replay != startReplay && replay != s.replay)
    problem = "\"replay.dat\" is neither the previous nor the new one";
  ReadBytes(folder + "/" + kSettingsFileName, settings);
  if (settings != startSettings) problem = "\"sv.dat\" changed, though nothing saved it";
  return problem.empty();
}

}  // namespace

bool RunRecordKills(const Setup& setup, long kills, long verifyEvery, Tally& tally, SaveMaterial& material) {
  const std::string base = setup.folder + "/record";
  // Two finished games: the recordings the save loop copies, and what the scenarios start from.
  std::string ends[2];
  for (int g = 0; g < 2; ++g) {
    const std::string folder = base + "/full-" + std::to_string(g);
    FreshCopy("", folder);
    const PlayPlan plan{0, kGameSeeds[g], -1, false, "", base + "/end-" + std::to_string(g)};
    if (!PlayInChild(folder, plan, "a whole game")) return false;
    ReadBytes(folder + "/" + kReplayFile, material.recordings[g]);
    ReadBytes(plan.end, ends[g]);
  }
  int shots = 0;
  if (const size_t at = ends[0].find("shots "); at != std::string::npos)
    shots = std::atoi(ends[0].c_str() + at + 6);
  if (material.recordings[0].empty() || material.recordings[1].empty() || shots < 30) {
    std::printf("record: the whole games did not end as expected (%d shots)\n", shots);
    return false;
  }
  // Games quit (saved at exit) at a ready point: early in a strategy and an arcade game, near the end.
  const std::string early[2] = {base + "/saved-strategy", base + "/saved-arcade"},
                    late = base + "/saved-late";
  for (int mode = 0; mode < 2; ++mode) {
    FreshCopy("", early[mode]);
    if (!PlayInChild(early[mode], PlayPlan{mode, kGameSeeds[0], 20, true, "", ""}, "a game to quit"))
      return false;
  }
  FreshCopy("", late);
  if (!PlayInChild(late, PlayPlan{0, kGameSeeds[0], shots - 5, true, "", ""}, "a game to quit")) return false;
  WriteBytes(late + "/" + kReplayFile, material.recordings[1]);  // the replay of an earlier game
  OConfig stored;
  if (!ReadSettingsFile(early[0] + "/" + kSettingsFileName, stored)) {
    std::printf("record: the settings saved at the quit do not read back\n");
    return false;
  }
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
  SharedMemory shared(sizeof(std::atomic<long>));
  auto* draws = shared.get() ? new (shared.get()) std::atomic<long>(0) : nullptr;
  if (!draws) {
    std::printf("record: no shared memory\n");
    return false;
  }
  static_assert(std::atomic<long>::is_always_lock_free, "the count is shared between processes");
  for (long k = 0; tally.kills < kills && k < 3 * kills; ++k) {
    const Scenario& s = scenarios[k % kScenarios];
    FreshCopy(s.start, folder);
    draws->store(0);
    const PlayPlan plan{s.mode, kScenarioSeed, s.shots, false, "", "", draws};
    int status = 0;
    const pid_t pid = Spawn([&] { return PlayMode(folder, plan); });
    if (!KillAfter(pid, Uniform(s.micros / 10, s.micros - s.micros / 10), status)) {
      ++tally.late;
      if (!(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
        std::printf("record: %s ended with %s\n", s.name, DescribeStatus(status).c_str());
        return false;
      }
    } else {
      ++tally.kills;
    }
    std::string problem;
    if (!CheckAfterRecordKill(s, folder, draws->load(), problem)) {
      std::printf("record: after a kill of %s: %s\n", s.name, problem.c_str());
      return false;
    }
    // Inside the work: the recording had grown but was not done, or the end-of-game copy was cut short.
    std::error_code error;
    const auto length = fs::file_size(folder + "/" + kRecordingFile, error);
    const long temporaries = Temporaries(folder);
    tally.midWork += (!error && length > s.startLength && length < s.recording.size()) || temporaries > 0;
    tally.leftovers += temporaries > 0;
    tally.mostTemporaries = std::max(tally.mostTemporaries, temporaries);

    // The next start on what the kill left: it resumes or begins a game and plays on.
    const bool verify = s.mode == 0 && (k / kScenarios) % verifyEvery == 0;
    const std::string end = base + "/end-resumed";
    const PlayPlan next{s.mode, kGameSeeds[0], verify ? -1 : 2, false, "", verify ? end : ""};
    if (!PlayInChild(folder, next, "the next start")) return false;
    ++tally.nextStarts;
    if (verify) {
      if (!ReplayMatches(setup, folder, end)) return false;
      ++tally.replaysVerified;
    }
  }
  return true;
}

}  // namespace crash
