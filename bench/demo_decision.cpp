// The demo's shot decision: 100 candidate aims, each tried on a scratch copy of a mid-game board
// (about 120 balls). Counts heap allocations through a replaced global operator new and reports them
// per decision, so that a change that allocates per candidate shows up here.
//
//   bench_demo_decision --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "game/demo_decision.h"
#include "game/random.h"
#include "game/trace.h"

// ---- allocation counter ------------------------------------------------------------------------------
namespace {
std::atomic<long> g_allocations{0};
}  // namespace

// The replaced operators pair malloc with free; gcc cannot see that they match once inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

// ---- the board ---------------------------------------------------------------------------------------
namespace {
// A mid-game board: eight rows of colour patches (neighbours often share a colour, as play leaves
// them), holes shot into the lower rows, and the balls those holes detached removed.
void BuildMidGameBoard(Board& field) {
  SetLibRandomSeed(12345);
  for (int i = 0; i < 8 * kColumns; ++i) {
    int colour = LibRandom() % kColourCount;
    if (i > 0 && LibRandom() % 2 == 0) colour = field.Cell(i - 1);
    if (i >= kColumns && LibRandom() % 3 == 0) colour = field.Cell(i - kColumns);
    field.SetCell(i, colour);
  }
  for (int hole = 0; hole < 14; ++hole)
    field.SetCell(4 * kColumns + LibRandom() % (4 * kColumns), kEmptyCell);
  ScratchBoard settled;
  settled.CopyFrom(field);
  settled.DropDetached();
  for (int i = 0; i < kCellCount; ++i)
    field.SetCell(i, settled.Cell(i));
}

int BallCount(const Board& field) {
  int n = 0;
  for (int v : field.Cells())
    n += v != kEmptyCell;
  return n;
}
}  // namespace

// ---- benchmarks --------------------------------------------------------------------------------------
static void BM_DemoDecision(benchmark::State& state) {
  PlayBoard live(nullptr);
  BuildMidGameBoard(live);
  ChooseDemoAim(live, 2);  // warm-up
  const long before = g_allocations.load();
  for (auto _ : state)
    benchmark::DoNotOptimize(ChooseDemoAim(live, 2));
  const double decisions = static_cast<double>(state.iterations());
  state.counters["balls"] = BallCount(live);
  state.counters["allocs_per_decision"] = static_cast<double>(g_allocations.load() - before) / decisions;
}
BENCHMARK(BM_DemoDecision)->Unit(benchmark::kMicrosecond);

// One candidate with a fresh path per candidate (what a decision costs if it does not reuse the path).
static void BM_DemoCandidateFreshPath(benchmark::State& state) {
  PlayBoard live(nullptr);
  BuildMidGameBoard(live);
  int i = 0;
  const long before = g_allocations.load();
  for (auto _ : state) {
    PointPath path;
    benchmark::DoNotOptimize(ScoreDemoCandidate(live, 2, DemoCandidate(i), path));
    i = (i + 1) % kDemoCandidates;
  }
  state.counters["allocs_per_candidate"] =
      static_cast<double>(g_allocations.load() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DemoCandidateFreshPath)->Unit(benchmark::kMicrosecond);

// The flight computation alone, on the same board.
static void BM_Trace(benchmark::State& state) {
  PlayBoard live(nullptr);
  BuildMidGameBoard(live);
  PointPath path;
  int i = 0;
  for (auto _ : state) {
    path.clear();
    const AimPoint aim = DemoCandidate(i);
    live.Trace(aim.x, aim.y, trace::kStartX, trace::kStartY, 0.0, path);
    benchmark::DoNotOptimize(path.size());
    i = (i + 1) % kDemoCandidates;
  }
}
BENCHMARK(BM_Trace)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
