// globbet-harness crash, the real game: the game program runs on SDL's dummy drivers in a folder of its
// own and is killed at a random moment, mostly just after a quit request (SIGTERM, which SDL turns into
// the platform's close, so the game is in its exit save), sometimes while it simply runs, and a few
// times after its intro, in play. Every run starts on what the kill before it left, so each run is also
// the next start that must not fail; a last run quits cleanly and must leave everything tidy.
// Sections: running the program · the checks · the runs
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "game/save_replay.h"
#include "store/atomic_file.h"
#include "store/config.h"
#include "store/settings_file.h"
#include "tests/harness/crash.h"
#include "tests/harness/harness.h"

namespace crash {
namespace {
namespace fs = std::filesystem;

constexpr long kMs = 1000;               // microseconds
constexpr long kIntroMs = 6500;          // the intro hands over to the game after six seconds
constexpr long kLongestStartMs = 60000;  // a start-up or exit slower than this is a failure here,
                                         // generous for the sanitizer build on a loaded machine

// ---- running the program -----------------------------------------------------------------------------
// Starts the game in folder, its output going to folder's "game.log"; -1 when it could not be started.
pid_t StartGame(const std::string& program, const std::string& folder) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  const int log = ::open((folder + "/game.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (log >= 0) {
    ::dup2(log, 1);
    ::dup2(log, 2);
  }
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (::chdir(folder.c_str()) == 0) ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
  ::_exit(127);
}

// True when process pid holds or catches SIGTERM: the game has reached its first instruction, so a quit
// request from now on ends it through its exit save (before, the default action would simply end it).
bool TakesQuitRequests(pid_t pid) {
  std::FILE* status = std::fopen(("/proc/" + std::to_string(pid) + "/status").c_str(), "r");
  if (!status) return false;
  unsigned long long blocked = 0, caught = 0;
  char line[256];
  while (std::fgets(line, sizeof line, status)) {
    std::sscanf(line, "SigBlk: %llx", &blocked);
    std::sscanf(line, "SigCgt: %llx", &caught);
  }
  std::fclose(status);
  const unsigned long long term = 1ull << (SIGTERM - 1);
  return (blocked | caught) & term;
}

// Waits until the game started as pid takes quit requests; false (with status set) when it ended first,
// or was killed for not getting there within the limit.
bool WaitUntilStarted(pid_t pid, int& status) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLongestStartMs);
  while (!TakesQuitRequests(pid)) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return false;
    if (std::chrono::steady_clock::now() > until) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return false;
    }
    ::usleep(1000);
  }
  return true;
}

// Sleeps, unless pid ends first; true when it is still running afterwards.
bool StillRunningAfter(pid_t pid, long micros, int& status) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(micros);
  while (std::chrono::steady_clock::now() < until) {
    if (::waitpid(pid, &status, WNOHANG) == pid) return false;
    ::usleep(2000);
  }
  return ::waitpid(pid, &status, WNOHANG) == 0;
}

std::string GameLog(const std::string& folder) {
  std::string log;
  ReadBytes(folder + "/game.log", log);
  return log.size() > 4000 ? log.substr(log.size() - 4000) : log;
}

// ---- the checks --------------------------------------------------------------------------------------
// What a run left, against what it started from; false with a message in problem.
bool CheckLeftovers(const std::string& folder, const std::string& oldSettings, std::string& problem) {
  std::string settings;
  OConfig store;
  const std::string path = folder + "/" + kSettingsFileName;
  if (ReadBytes(path, settings) && settings != oldSettings && !ReadSettingsFile(path, store))
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

// Identifies the file at path as it stands (-1: none), to see it replaced.
long long FileIdentity(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return -1;
  return static_cast<long long>(st.st_ino) ^ (static_cast<long long>(st.st_mtim.tv_nsec) << 20);
}

// Counts the runs since the game last quit by itself: its exit save then ran to its end, which sweeps
// the temporary files that killed writes left (a kill can land after a write's rename but before its
// sweep). No more may lie there than one per run since.
struct SweepWatch {
  // Notes a run that has ended; false with a message in problem when the temporaries pile up.
  bool RunEnded(const std::string& folder, bool quitByItself, std::string& problem) {
    runs = quitByItself ? 0 : runs + 1;
    const int left = Temporaries(folder);
    if (left <= runs) return true;
    problem = std::to_string(left) + " temporary files after " + std::to_string(runs) +
              " runs killed since the last clean quit: they pile up";
    return false;
  }
  long runs = 0;
};

// True when a temporary file of process pid lies in folder: it is inside a write, or was killed there.
bool HasTemporary(const std::string& folder, pid_t pid) {
  const std::string mark = std::to_string(pid) + "-";
  for (const char* target : {kSettingsFileName, kReplayFile}) {
    const std::string prefix = fs::path(TemporaryPrefix(target)).filename().string() + mark;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
      if (entry.path().filename().string().rfind(prefix, 0) == 0) return true;
  }
  return false;
}

// Waits until process pid has a temporary file in folder (it is inside a write), it ends, or a few
// seconds pass.
void WaitForWrite(pid_t pid, const std::string& folder) {
  for (long waited = 0; waited < 5000 * kMs; waited += 100) {
    siginfo_t info{};
    if (HasTemporary(folder, pid) || ::waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
        info.si_pid == pid)
      return;
    ::usleep(100);
  }
}

// When, counted from the quit request, the exit save wrote: its temporary file first seen, the file
// replaced, the game ended (microseconds; -1: not seen).
struct ExitTimes {
  long writing = -1, replaced = -1, ended = -1;
};

// Starts the game, asks it to quit after waitMicros and watches its exit save until it ends; its exit
// status (-1: it did not end within the limit, 128 + signal: a signal ended it).
int QuitCleanly(const std::string& program, const std::string& folder, long waitMicros, ExitTimes& times) {
  times = ExitTimes{};
  const pid_t pid = StartGame(program, folder);
  if (pid < 0) return -1;
  int status = 0;
  if (!WaitUntilStarted(pid, status) || !StillRunningAfter(pid, waitMicros, status))
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  const std::string settings = folder + "/" + kSettingsFileName;
  const long long before = FileIdentity(settings);
  using Clock = std::chrono::steady_clock;
  const auto asked = Clock::now();
  const auto since = [&] {
    return long(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - asked).count());
  };
  ::kill(pid, SIGTERM);
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (since() > kLongestStartMs * kMs) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    if (times.writing < 0 && Temporaries(folder, kSettingsFileName) > 0) times.writing = since();
    if (times.replaced < 0 && FileIdentity(settings) != before) times.replaced = since();
    ::usleep(100);
  }
  times.ended = since();
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
}  // namespace

// ---- the runs ----------------------------------------------------------------------------------------
bool RunGameKills(const Setup& setup, long kills, long longRuns, Tally& tally) {
  const std::string folder = setup.folder + "/game";
  std::error_code error;
  fs::create_directories(folder, error);
  harness::LinkData(setup.data, folder);

  // How long the start-up takes here from the game's first instruction (a sanitizer build is slower):
  // the first quit request that ends the game cleanly, with its settings saved, comes after it.
  long startMicros = 250 * kMs;
  ExitTimes exit;
  for (;; startMicros *= 2) {
    if (startMicros > kLongestStartMs * kMs) {
      std::printf("game: it does not start and quit cleanly:\n%s\n", GameLog(folder).c_str());
      return false;
    }
    fs::remove(folder + "/" + kSettingsFileName, error);
    if (QuitCleanly(setup.game, folder, startMicros, exit) == 0 && exit.replaced >= 0) break;
  }
  // How long the save's write lasts, from its temporary file to the rename (at least 1 ms).
  const long writeMicros = std::max(kMs, exit.writing >= 0 ? exit.replaced - exit.writing : 0);

  SweepWatch sweep;
  // Runs that end before their kill came are not counted as kills; a few more runs make up for them.
  for (long k = 0; tally.kills < kills && k < 2 * kills; ++k) {
    std::string oldSettings;
    ReadBytes(folder + "/" + kSettingsFileName, oldSettings);
    const bool inPlay = k % (kills / std::max(1L, longRuns) + 1) == 1 && longRuns > 0;
    const bool quitFirst = inPlay || k % 4 != 3;  // else killed while it simply runs
    const long wait = inPlay ? Uniform(kIntroMs, kIntroMs + 1500) * kMs + startMicros
                             : Uniform(startMicros, startMicros + 600 * kMs);
    const pid_t pid = StartGame(setup.game, folder);
    int status = 0;
    if (pid < 0 || !WaitUntilStarted(pid, status) || !StillRunningAfter(pid, wait, status)) {
      std::printf("game: run %ld ended by itself (%s):\n%s\n", k, DescribeStatus(status).c_str(),
                  GameLog(folder).c_str());
      return false;
    }
    if (quitFirst) ::kill(pid, SIGTERM);
    // Every other quit is watched: the kill comes once the save's temporary file is there, so it lands
    // inside the write; the others are timed from the request and land before, inside or after it.
    const bool watched = quitFirst && k % 2 == 0;
    const long delay = !quitFirst ? 0
                       : watched  ? (WaitForWrite(pid, folder), Uniform(0, writeMicros / 4))
                                  : Uniform(0, exit.ended);
    const bool killed = KillAfter(pid, delay, status);
    if (killed) {
      ++tally.kills;
    } else if (!(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
      std::printf("game: run %ld ended with %s after the quit request:\n%s\n", k,
                  DescribeStatus(status).c_str(), GameLog(folder).c_str());
      return false;
    } else {
      ++tally.late;
    }
    const bool inside = HasTemporary(folder, pid);
    tally.midWork += inside;
    tally.leftovers += inside;
    tally.mostTemporaries = std::max(tally.mostTemporaries, long(Temporaries(folder)));
    std::string problem;
    if (!CheckLeftovers(folder, oldSettings, problem) || !sweep.RunEnded(folder, !killed, problem)) {
      std::printf("game: after run %ld: %s\n", k, problem.c_str());
      return false;
    }
    tally.nextStarts += k > 0;
  }
  // A last start on what the kills left, past the intro (the stored game is resumed, or a new one
  // begun), quit cleanly: it saves, and its save sweeps the temporaries.
  ExitTimes last;
  const int code = QuitCleanly(setup.game, folder, startMicros + (kIntroMs + 1000) * kMs, last);
  ++tally.nextStarts;
  OConfig store;
  if (code != 0 || !ReadSettingsFile(folder + "/" + kSettingsFileName, store) || Temporaries(folder) != 0) {
    std::printf("game: the last start ended with %d, settings %s, %d temporary files:\n%s\n", code,
                ReadSettingsFile(folder + "/" + kSettingsFileName, store) ? "readable" : "unreadable",
                Temporaries(folder), GameLog(folder).c_str());
    return false;
  }
  std::printf(
      "game: start-up under %ld ms; after a quit request the save wrote from %ld to %ld us, the "
      "game ended at %ld us\n",
      startMicros / kMs, exit.writing, exit.replaced, exit.ended);
  return true;
}

}  // namespace crash
