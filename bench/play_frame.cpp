// One frame of the game screen during play: the main window's frame pieces, a mid-game board of about
// 120 ball sprites, one ball flying back and forth, the score digits and the attempts indicator, the
// session ticking after the screen. Redrawn by changed rectangles (mode 3, the game's mode) and whole
// (mode 1), presented to the headless platform's in-memory window.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "engine/catalogue.h"
#include "engine/clip_file.h"
#include "engine/platform_headless.h"
#include "engine/screen.h"
#include "engine/window.h"
#include "game/ball.h"
#include "game/random.h"
#include "game/score_counter.h"
#include "game/strategy_session.h"
#include "screens/small_balls.h"
#include "store/options.h"
#include "store/settings_store.h"

namespace {

std::string DataFile(const char* pattern, int i) {
  char name[64];
  std::snprintf(name, sizeof name, pattern, i);
  return std::string(GLOBBET_DATA_DIR) + "/" + name;
}

std::unique_ptr<Clip> LoadData(const char* pattern, int i) {
  auto clip = std::make_unique<Clip>();
  if (!LoadClipFile(DataFile(pattern, i), *clip)) {
    std::fprintf(stderr, "missing %s: build the globbet_data target\n", DataFile(pattern, i).c_str());
    std::exit(1);
  }
  clip->SetFrameTime(0, -1);
  return clip;
}

std::unique_ptr<Clip> digitStrip;
std::unique_ptr<Clip> mainPieces[11];

void LoadCatalogue() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  for (int i = 0; i < catalogue::kBallPictureCount; ++i) {
    catalogue::ballPictures()[size_t(i)] = LoadData("clp/ball/%dd.clp", i);
    catalogue::LoadBallSprite(i, DataFile("clp/ball/%d.clp", i));
  }
  for (int i = 0; i < catalogue::kSkinCount; ++i)
    catalogue::skins()[size_t(i)] = LoadData("clp/skins/%d.clp", i);
  for (int i = 0; i < catalogue::kGeneralPictureCount; ++i)
    catalogue::generalPictures()[size_t(i)] = LoadData("clp/%d.clp", i);
  for (int i = 0; i < 11; ++i)
    mainPieces[i] = LoadData("clp/mainwnd/%d.clp", i);
  digitStrip = LoadData("clp/alphabet/%d.clp", 1);
  SetScoreDigitStrip(digitStrip.get());
}

// The screen ticks its clips, then the session, as the game screen does; a path's end is not passed
// on, so the flying ball stays in the air.
class PlayScreen : public Screen {
 public:
  using Screen::Screen;
  void OnFrame(int elapsed) override {
    Screen::OnFrame(elapsed);
    if (game) game->Tick(elapsed);
  }
  Session* game = nullptr;
};

struct Scene {
  explicit Scene(Screen::RedrawMode redrawMode) {
    LoadCatalogue();
    GetOptions() = Options{};
    SetLibRandomSeed(99);
    SetPlatform(&platform);
    window.Create("Bench", 800, 600);
    window.SetFrameInterval(10);
    SetSmallBallShower(&shower);
    screen = std::make_unique<PlayScreen>(&window, 0, 0, 800, 600);
    screen->backgroundColor = 0xCCCCFF;
    const int places[11][2] = {{580, 0},  {0, 0},   {24, 0}, {562, 0}, {576, 24}, {564, 485},
                               {24, 495}, {0, 477}, {0, 24}, {0, 584}, {16, 596}};
    for (int i = 0; i < 11; ++i) {
      auto piece = std::make_unique<Clip>();
      piece->CopyFrom(*mainPieces[i]);
      piece->x = places[i][0], piece->y = places[i][1];
      screen->AddClip(std::move(piece));
    }
    // A folder that cannot exist: the benchmark records nothing.
    game = std::make_unique<StrategySession>(screen.get(), "/dev/null/globbet-bench");
    screen->game = game.get();
    game->SetSettings(&store);
    game->Start(false);
    for (int i = 0; i < 20000 && game->State() != SessionState::kReady; ++i)
      screen->OnFrame(10);
    // Seven rows of balls: about 120 sprites.
    Board& field = *game->GetBoard();
    field.Reset(true);
    for (int i = 0; i < 7 * kColumns; ++i) {
      field.SetCell(i, i % 6);
      field.View().PlaceColour(i, i % 6);
    }
    game->GetScore().Add(12340);
    game->Fire(200, 300);
    flying = game->GameBall();
    Steer();
    screen->redrawMode = redrawMode;
    screen->Enter(nullptr);
    for (int i = 0; i < 50; ++i)
      Frame();
  }
  ~Scene() {
    game.reset();
    screen.reset();
    SetSmallBallShower(nullptr);
    SetPlatform(nullptr);
  }
  // Keeps the ball flying between two points of the field.
  void Steer() {
    if (!flying || !flying->path.empty()) return;
    const bool up = flying->y > 300;
    flying->path.push_back(PointSpeed{up ? 120.0 : 420.0, up ? 260.0 : 480.0, 0.0, 10.0});
  }
  void Frame() {
    Steer();
    screen->OnFrame(10);
  }

  HeadlessPlatform platform;
  Window window;
  SmallBalls shower;
  SettingsStore store;
  std::unique_ptr<PlayScreen> screen;
  std::unique_ptr<StrategySession> game;
  Ball* flying = nullptr;
};

void BM_PlayFrameDirty(benchmark::State& state) {
  Scene scene(Screen::RedrawMode::kDirty);
  for (auto _ : state)
    scene.Frame();
  state.counters["sprites"] = double(scene.screen->GetClips().size());
}
BENCHMARK(BM_PlayFrameDirty)->Unit(benchmark::kMicrosecond);

void BM_PlayFrameFull(benchmark::State& state) {
  Scene scene(Screen::RedrawMode::kFull);
  for (auto _ : state)
    scene.Frame();
  state.counters["sprites"] = double(scene.screen->GetClips().size());
}
BENCHMARK(BM_PlayFrameFull)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
