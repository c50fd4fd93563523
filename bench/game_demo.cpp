// The demo's shot decision as the real DemoSession meets it: boards taken from demo games played headless
// (every board the demo had to shoot at, from the full first board to the last shots of a game), each
// decided with the ball the demo held then. The budget is 150 microseconds per decision.
//
//   bench_game_demo --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/screen.h"
#include "game/ball.h"
#include "game/demo_decision.h"
#include "game/demo_session.h"
#include "game/random.h"
#include "store/options.h"
#include "store/settings_store.h"

namespace {
// A screen without a window that hosts the demo as the main screen does, drawing nothing.
class Table : public Screen {
 public:
  Table() : Screen(nullptr, 0, 0, 800, 600) {}
  void OnFrame(int elapsed) override {
    skipRedraw = true;
    Screen::OnFrame(elapsed);
    if (game) game->Tick(elapsed);
  }
  void OnClipPathEnd(Clip* clip, const PointSpeed&) override {
    if (game) game->BallArrived(clip);
  }
  Session* game = nullptr;
};

struct Decision {
  PlayBoard board{nullptr};
  int colour = 0;
};

// The boards of a few demo games at level 0, one per shot.
const std::vector<std::unique_ptr<Decision>>& DemoBoards() {
  static const std::vector<std::unique_ptr<Decision>> boards = [] {
    std::vector<std::unique_ptr<Decision>> out;
    for (int i = 0; i < catalogue::kBallSpriteCount; ++i)
      if (!catalogue::LoadBallSprite(
              i, std::string(GLOBBET_DATA_DIR) + "/clp/ball/" + std::to_string(i) + ".clp"))
        return out;
    GetOptions().speed = 4;
    GetOptions().animate = false;
    SetLibRandomSeed(2026);
    Table table;
    SettingsStore store;
    DemoSession demo(&table);
    table.game = &demo;
    demo.SetSettings(&store);
    demo.Start(false);
    SessionState before = demo.State();
    for (int frame = 0, games = 0; frame < 2000000 && games < 3; ++frame) {
      const SessionState now = demo.State();
      if (now == SessionState::kReady && before != SessionState::kReady && demo.GameBall()) {
        auto d = std::make_unique<Decision>();
        for (int c = 0; c < kCellCount; ++c)
          d->board.SetCell(c, demo.GetBoard()->Cell(c));
        d->colour = demo.GameBall()->colour;
        out.push_back(std::move(d));
      }
      games += now == SessionState::kGameOverWait && before != SessionState::kGameOverWait;
      before = now;
      table.OnFrame(20);
    }
    table.game = nullptr;
    return out;
  }();
  return boards;
}
}  // namespace

static void BM_GameDemoDecision(benchmark::State& state) {
  const auto& boards = DemoBoards();
  if (boards.empty()) {
    state.SkipWithError("the ball clips are missing: build the globbet_data target");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    const Decision& d = *boards[i];
    benchmark::DoNotOptimize(ChooseDemoAim(d.board, d.colour));
    i = (i + 1) % boards.size();
  }
  state.counters["boards"] = static_cast<double>(boards.size());
}
BENCHMARK(BM_GameDemoDecision)->Unit(benchmark::kMicrosecond);

// The board with the most balls (the most for the flights to pass and the searches to walk).
static void BM_GameDemoDecisionFullestBoard(benchmark::State& state) {
  const auto& boards = DemoBoards();
  if (boards.empty()) {
    state.SkipWithError("the ball clips are missing: build the globbet_data target");
    return;
  }
  const Decision* fullest = nullptr;
  int most = -1;
  for (const auto& d : boards) {
    int balls = 0;
    for (int v : d->board.Cells())
      balls += v != kEmptyCell;
    if (balls > most) most = balls, fullest = d.get();
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(ChooseDemoAim(fullest->board, fullest->colour));
  state.counters["balls"] = most;
}
BENCHMARK(BM_GameDemoDecisionFullestBoard)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
