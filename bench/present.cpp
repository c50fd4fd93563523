// Presenting the whole 800 x 600 picture to the window through SDL at each window size (1x, 2x, 3x): the
// conversion into the window's pixel format and, in a scaled window, the enlargement pixel by pixel.
// SDL's display-less driver takes the window's pixels, so the figure is the game's and SDL's work per
// whole-window present, without the display server's share.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "engine/platform_sdl.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

void BM_WholePresent(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  SdlPlatform sdl;
  if (!sdl.Init() || !sdl.CreateMainWindow("present", kWidth, kHeight, 0xCCCCFF, true)) {
    state.SkipWithError("no SDL window");
    return;
  }
  sdl.SetWindowScale(int(state.range(0)));
  sdl.ShowWindow();
  // A picture with some variety, stored as the game stores it (BGR rows).
  std::vector<uint8_t> pixels(size_t(kWidth) * kHeight * 3);
  for (size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = uint8_t(i * 7 + i / 2400);
  for (auto _ : state) {
    sdl.Present(pixels.data(), kWidth * 3, kWidth, kHeight, 0, 0, kWidth, kHeight, 0, 0);
    benchmark::DoNotOptimize(sdl.ShownPixel(0, 0));  // shows what was presented, as the loop does
  }
}
BENCHMARK(BM_WholePresent)->ArgName("scale")->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
