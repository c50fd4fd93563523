// globbet-tool soak: hours of simulated play through the whole game (soak_run.h), with a progress line
// now and then, the totals at the end, and the resident memory after warm-up and at the end.
// Sections: words · resident memory · the run
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tools/globbet-tool/command.h"
#include "tools/globbet-tool/headless_game.h"
#include "tools/globbet-tool/soak_run.h"

#if defined(__SANITIZE_ADDRESS__)
#define GLOBBET_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GLOBBET_SOAK_ASAN 1
#endif
#endif
#ifndef GLOBBET_SOAK_ASAN
#define GLOBBET_SOAK_ASAN 0
#endif

namespace {

constexpr char kUsage[] =
    "usage: globbet-tool soak HOURS [--seed S] [--max-growth-kb N] [--data DIR]\n"
    "\n"
    "Runs the whole game headless on a simulated clock (frames of about 20 ms, no real waiting) for HOURS\n"
    "of simulated time (fractions allowed, e.g. 0.05), in a scratch folder of its own. Game after game is\n"
    "played by the demo's choice of shot, clicked into the field; every game the options dialog\n"
    "switches level and mode, so that six games visit all three levels in both modes, and a game that\n"
    "ends with a score is filed through the result entry. Now and then an arcade game is paused and\n"
    "resumed, the options change (sound or animation, speed, the look of a colour), the demo and the\n"
    "replay of the last game play for a while (every other demo until it has finished a game), and\n"
    "the program is closed in mid-game and started again: the game it saved must come back as it was.\n"
    "S seeds the game's generator (default 1, a fresh start); the same S plays the same run. The balls,\n"
    "clips and sounds come from DIR (default: the 'data' folder beside the tool, else '.').\n"
    "\n"
    "Prints a progress line now and then and at the end the simulated hours, the games played by level\n"
    "and mode, shots, pauses, option changes, restores, frames, wall seconds and the resident memory\n"
    "(VmRSS) after warm-up (a quarter of the run, at most one simulated hour) and at the end. Exit status\n"
    "1 when a game cannot go on or when the resident memory grew by N kB or more after warm-up (default\n"
    "1024; not checked under AddressSanitizer, whose quarantine keeps freed memory on purpose).\n";

// ---- words -------------------------------------------------------------------------------------------
struct SoakArgs {
  double hours = 0;
  long long seed = 1;
  long long maxGrowthKb = 1024;
  std::string data;
};

// Takes "NAME value" out of args as a whole number within low..high; false with a message in status.
bool TakeNumber(ToolArgs& args, const char* name, long long low, long long high, long long& value,
                int& status) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size() || !headless::ParseInt(args[i + 1], low, high, value)) {
      status = Fail(std::string(name) + " takes " + std::to_string(low) + ".." + std::to_string(high));
      return false;
    }
    args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
    return true;
  }
  return true;
}

bool ParseSoakArgs(const ToolArgs& given, SoakArgs& parsed, int& status) {
  ToolArgs args = given;
  parsed.data = headless::DataFolder(args);
  if (!TakeNumber(args, "--seed", 0, UINT32_MAX, parsed.seed, status) ||
      !TakeNumber(args, "--max-growth-kb", 1, 1LL << 30, parsed.maxGrowthKb, status))
    return false;
  if (args.size() != 1) {
    status = Fail("soak needs HOURS (see 'globbet-tool soak --help')");
    return false;
  }
  char* end = nullptr;
  parsed.hours = std::strtod(args[0].c_str(), &end);
  // A year of simulated time is far beyond any use and keeps the millisecond count exact.
  if (args[0].empty() || *end != '\0' || !std::isfinite(parsed.hours) || parsed.hours <= 0 ||
      parsed.hours > 24 * 365) {
    status = Fail("HOURS must be a number above 0, at most 8760, not '" + args[0] + "'");
    return false;
  }
  return true;
}

// ---- resident memory ---------------------------------------------------------------------------------
// VmRSS of this process in kB, or -1 when /proc does not say.
long long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
  return -1;
}

// ---- the run -----------------------------------------------------------------------------------------
using Clock = std::chrono::steady_clock;

double Hours(long long ms) {
  return double(ms) / 3'600'000.0;
}

void PrintProgress(const soak::Tally& t, double wallSeconds) {
  std::printf("soak: %.2f h simulated, %lld games, %lld shots, %lld restores, rss %lld kB, wall %.0f s\n",
              Hours(t.simulatedMs), t.Games(), t.shots, t.restores, ResidentKb(), wallSeconds);
  std::fflush(stdout);
}

void PrintTotals(const soak::Tally& t, double wallSeconds) {
  static const char* const kLevels[] = {"Novice", "Expert", "Master"};
  static const char* const kModes[] = {"strategy", "arcade"};
  std::printf("simulated hours %.3f\n", Hours(t.simulatedMs));
  std::printf("games %lld:", t.Games());
  for (int level = 0; level < kLevelCount; ++level)
    for (int mode = 0; mode < kGameTypeCount; ++mode)
      std::printf(" %s %s %lld%s", kLevels[level], kModes[mode], t.games[size_t(level)][size_t(mode)],
                  level == kLevelCount - 1 && mode == kGameTypeCount - 1 ? "" : ",");
  std::printf("\ndemo games %lld\n", t.demoGames);
  std::printf("shots %lld (demo and replay %lld)\n", t.shots, t.demoShots);
  std::printf("pauses %lld\noption changes %lld\nrestores %lld\ndemos %lld\nreplays %lld\n", t.pauses,
              t.optionChanges, t.restores, t.demos, t.replays);
  std::printf("longest game %.1f min (with what it passed through)\n", double(t.longestGameMs) / 60'000.0);
  std::printf("sounds %lld\nframes %lld\nwall seconds %.1f\n", t.sounds, t.frames, wallSeconds);
}

int RunSoak(const ToolArgs& given) {
  SoakArgs args;
  int status = 0;
  if (!ParseSoakArgs(given, args, status)) return status;
  soak::Plan plan;
  plan.data = args.data;
  plan.seed = uint32_t(args.seed);
  plan.simulatedMs = std::llround(args.hours * 3'600'000.0);
  const long long warmUpMs = std::min(plan.simulatedMs / 4, 3'600'000LL);
  plan.progressMs = plan.simulatedMs >= 2 * 3'600'000LL ? 3'600'000LL : std::max(plan.simulatedMs / 10, 1LL);

  const Clock::time_point start = Clock::now();
  auto wall = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  const soak::Run* running = nullptr;
  plan.progress = [&] { PrintProgress(running->Totals(), wall()); };
  soak::Run run(plan);
  running = &run;
  bool ok = run.Begin();
  long long warmKb = -1;
  // Memory is read between games, with the program running, at warm-up and at the end alike.
  for (long long n = 0; ok && !run.TimeIsUp(); ++n) {
    ok = run.PlayGame(n);
    if (warmKb < 0 && run.Totals().simulatedMs >= warmUpMs) warmKb = ResidentKb();
  }
  const long long endKb = ResidentKb();
  if (ok) ok = run.End();
  PrintTotals(run.Totals(), wall());
  const long long growth = warmKb >= 0 && endKb >= 0 ? endKb - warmKb : 0;
  std::printf("rss after warm-up %lld kB\nrss at end %lld kB\ngrowth %lld kB (limit %lld kB%s)\n", warmKb,
              endKb, growth, args.maxGrowthKb,
              GLOBBET_SOAK_ASAN ? ", not checked under AddressSanitizer" : "");
  if (!ok) return Fail("soak failed: " + run.Problem());
  if (!GLOBBET_SOAK_ASAN && growth >= args.maxGrowthKb)
    return Fail("soak failed: resident memory grew by " + std::to_string(growth) + " kB after warm-up");
  std::printf("soak passed\n");
  return 0;
}

const GlobbetToolCommand kSoak("soak", "hours of simulated play through the whole game, memory watched",
                               kUsage, &RunSoak);
}  // namespace
