// Redrawing an 800 x 600 screen of 200 masked 32 x 32 sprites: the whole picture (redraw mode 1) and the
// changed rectangles only (mode 3) while one sprite moves; with and without presenting to a window
// (the headless platform's in-memory copy stands in for the display).
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/platform_headless.h"
#include "engine/screen.h"
#include "engine/window.h"

namespace {

// A 32 x 32 ball-like sprite: a shaded disc with a soft edge in its mask.
std::unique_ptr<Clip> Sprite(int seed) {
  auto picture = std::make_unique<Bitmap>();
  picture->Create(32, 32, 0x000000);
  uint8_t* mask = picture->CreateMask(255);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const int dx = 2 * x - 31, dy = 2 * y - 31, d2 = dx * dx + dy * dy;
      picture->SetPixel(x, y, uint32_t((seed * 40 + x * 4) & 255) << 16 | uint32_t(y * 6) << 8 | 0x40);
      if (mask) picture->GetMaskRow(y)[x] = d2 < 26 * 26 ? 0 : (d2 < 31 * 31 ? 128 : 255);
    }
  auto clip = std::make_unique<Clip>();
  clip->AddFrame(std::move(picture));
  return clip;
}

// 200 sprites spread over the screen in rows of 20, like a board of balls.
void Fill(Screen& screen) {
  screen.backgroundColor = 0xCCCCFF;
  for (int i = 0; i < 200; ++i) {
    auto clip = Sprite(i);
    clip->x = 13 + (i % 20) * 38;
    clip->y = 13 + (i / 20) * 56;
    screen.AddClip(std::move(clip));
  }
}

struct Scene {
  explicit Scene(bool present) {
    SetPlatform(&platform);
    window.Create("Bench", 800, 600);
    screen = std::make_unique<Screen>(&window, 0, 0, 800, 600);
    screen->present = present;
    Fill(*screen);
    screen->Enter(nullptr);
  }
  ~Scene() {
    screen.reset();
    SetPlatform(nullptr);
  }
  HeadlessPlatform platform;
  Window window;
  std::unique_ptr<Screen> screen;
};

void BM_FullRedraw(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  for (auto _ : state) {
    scene.screen->Redraw();
    benchmark::DoNotOptimize(scene.screen->GetPicture()->GetPixels());
  }
}
BENCHMARK(BM_FullRedraw)->ArgName("present")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One sprite moves a pixel a frame, back and forth across its neighbours.
void BM_DirtyRedrawOneMoving(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  Clip* moving = scene.screen->GetClips()[105].get();
  const double home = moving->x;
  int step = 0;
  for (auto _ : state) {
    moving->x = home + (step++ % 40) - 20;
    scene.screen->RedrawDirty();
    benchmark::DoNotOptimize(scene.screen->GetPicture()->GetPixels());
  }
}
BENCHMARK(BM_DirtyRedrawOneMoving)->ArgName("present")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The whole frame of such a screen in mode 3: motion and animation of the 200 clips, then the redraw.
void BM_DirtyFrameOneMoving(benchmark::State& state) {
  Scene scene(true);
  scene.screen->redrawMode = Screen::RedrawMode::kDirty;
  scene.window.SetFrameInterval(10);
  Clip* moving = scene.screen->GetClips()[105].get();
  int step = 0;
  for (auto _ : state) {
    moving->speedX = (step++ / 20) % 2 ? -1 : 1;
    scene.screen->OnFrame(10);
  }
}
BENCHMARK(BM_DirtyFrameOneMoving)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
