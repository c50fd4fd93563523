// globbet-harness soak: HOURS of simulated play through the whole game on the headless platform
// (soak_run.h), in a scratch folder of its own; S seeds the game's generator (the same S plays the same
// run). It fails when a game cannot go on, when a level and mode or an event (pause, options change,
// restore, demo, replay) never came, or when the resident memory grew by N kB or more after warm-up (a
// quarter of the run, at most one simulated hour; not checked under AddressSanitizer, whose quarantine
// keeps freed memory on purpose).
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/harness/harness.h"
#include "tests/harness/soak_run.h"

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

constexpr char kUsage[] = "usage: globbet-harness soak HOURS [--seed S] [--max-growth-kb N] [--data DIR]\n";

// VmRSS of this process in kB, or -1 when /proc does not say.
long long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
  return -1;
}

// What the run must have passed through: every level in both modes, and every event; empty when it did.
std::string Missed(const soak::Tally& t) {
  for (int level = 0; level < kLevelCount; ++level)
    for (int mode = 0; mode < kGameTypeCount; ++mode)
      if (t.games[size_t(level)][size_t(mode)] == 0)
        return "no game at level " + std::to_string(level) + " mode " + std::to_string(mode);
  const std::pair<const char*, long long> events[] = {{"pause", t.pauses},
                                                      {"options change", t.optionChanges},
                                                      {"restore", t.restores},
                                                      {"demo", t.demos},
                                                      {"replay", t.replays}};
  for (const auto& [name, count] : events)
    if (count == 0) return std::string("no ") + name;
  return "";
}

int RunSoak(const ToolArgs& given) {
  ToolArgs args = given;
  soak::Plan plan;
  plan.data = headless::DataFolder(args);
  long long seed = 1, maxGrowthKb = 1024;
  int status = 0;
  if (!harness::TakeNumber(args, "--seed", 0, UINT32_MAX, seed, status) ||
      !harness::TakeNumber(args, "--max-growth-kb", 1, 1LL << 30, maxGrowthKb, status))
    return status;
  char* end = nullptr;
  const double hours = args.size() == 1 ? std::strtod(args[0].c_str(), &end) : 0;
  // A year of simulated time keeps the millisecond count exact.
  if (!end || *end != '\0' || !(hours > 0 && hours <= 24 * 365)) return Fail("soak needs HOURS, 0..8760");
  plan.seed = uint32_t(seed);
  plan.simulatedMs = std::llround(hours * 3'600'000.0);
  const long long warmUpMs = std::min(plan.simulatedMs / 4, 3'600'000LL);
  plan.progressMs = std::min(3'600'000LL, std::max(plan.simulatedMs / 10, 1LL));

  const auto start = std::chrono::steady_clock::now();
  const soak::Run* running = nullptr;
  plan.progress = [&] {
    const soak::Tally& t = running->Totals();
    std::printf("soak: %.2f h, %lld games, %lld shots, %lld restores, rss %lld kB, wall %.0f s\n",
                double(t.simulatedMs) / 3'600'000.0, t.Games(), t.shots, t.restores, ResidentKb(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    std::fflush(stdout);
  };
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
  plan.progress();
  const long long growth = warmKb >= 0 && endKb >= 0 ? endKb - warmKb : 0;
  std::printf("rss after warm-up %lld kB, at the end %lld kB\n", warmKb, endKb);
  if (!ok) return Fail("soak failed: " + run.Problem());
  if (const std::string missed = Missed(run.Totals()); !missed.empty()) return Fail("soak failed: " + missed);
  if (!GLOBBET_SOAK_ASAN && growth >= maxGrowthKb)
    return Fail("soak failed: resident memory grew by " + std::to_string(growth) + " kB after warm-up");
  std::printf("soak passed\n");
  return 0;
}

const GlobbetToolCommand kSoak("soak", "hours of simulated play through the whole game", kUsage, &RunSoak);
}  // namespace
