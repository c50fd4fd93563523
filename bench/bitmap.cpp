// Bitmap compositing speed: Draw of a masked and of a colour-keyed 32 x 32 picture, DrawSmooth, a whole
// 800 x 600 fill, the conversion of the composed picture to the window's format, and, for comparison,
// SDL's own alpha blit of the same 32 x 32 picture onto a 24-bit surface. Items are pixels, so the
// items-per-second column compares per-pixel rates directly.
//
// Run: build-*/bench_bitmap --benchmark_min_time=1
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/bitmap.h"
#include "engine/draw_style.h"

namespace {

constexpr int kSize = 32;

// A ball: a shaded disc with an anti-aliased rim; outside the disc fully transparent. Corners take the
// colour key for the keyed variant.
Bitmap Ball(bool masked) {
  Bitmap b;
  b.Create(kSize, kSize, 0xFF00FF);
  uint8_t* mask = masked ? b.CreateMask(255) : nullptr;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double d = std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0);
      const double cover = std::clamp(kSize / 2.0 - d, 0.0, 1.0);
      if (cover <= 0) continue;
      const int shade = 120 + static_cast<int>(100 * (1 - d / (kSize / 2.0)));
      b.SetPixel(x, y, 0x100000 * (shade / 16) + 0x100 * shade + 40);
      if (mask != nullptr) b.GetMaskRow(y)[x] = static_cast<uint8_t>(255 - std::lround(cover * 255));
    }
  }
  if (!masked) b.SetColorKey(-1);
  return b;
}

// Positions spread over the 800 x 600 picture, the same sequence for every benchmark.
struct Positions {
  int n = 0;
  void Next(int& x, int& y) {
    x = (n * 37) % (800 - kSize);
    y = (n * 23) % (600 - kSize);
    n = (n + 1) % 4096;
  }
};

// Draw (smooth: DrawSmooth at a fractional offset) of one ball at positions spread over the screen.
void DrawBall(benchmark::State& state, bool masked, bool smooth) {
  Bitmap screen(800, 600);
  const Bitmap ball = Ball(masked);
  Positions at;
  for (auto _ : state) {
    int x, y;
    at.Next(x, y);
    if (smooth) {
      screen.DrawSmooth(&ball, x + 0.3, y + 0.6);
    } else {
      screen.Draw(&ball, x, y);
    }
    benchmark::DoNotOptimize(screen.GetPixels());
  }
  // A smooth picture covers one more column and row.
  const int side = smooth ? kSize + 1 : kSize;
  state.SetItemsProcessed(state.iterations() * side * side);
}

void BM_DrawMasked32(benchmark::State& state) {
  DrawBall(state, true, false);
}
BENCHMARK(BM_DrawMasked32);

void BM_DrawKeyed32(benchmark::State& state) {
  DrawBall(state, false, false);
}
BENCHMARK(BM_DrawKeyed32);

void BM_DrawSmooth32(benchmark::State& state) {
  DrawBall(state, true, true);
}
BENCHMARK(BM_DrawSmooth32);

void BM_Fill800x600(benchmark::State& state) {
  Bitmap screen(800, 600);
  screen.fillColor = 0xCCCCFF;
  for (auto _ : state) {
    screen.Fill();
    benchmark::DoNotOptimize(screen.GetPixels());
  }
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_Fill800x600);

// The window copy: the bottom-up BGR24 picture read from its last memory row with a negative pitch into
// a top-down XRGB8888 buffer, in one call.
void BM_PresentConvert800x600(benchmark::State& state) {
  Bitmap screen(800, 600);
  std::vector<uint32_t> window(800 * 600);
  const uint8_t* top = screen.GetPixels() + static_cast<size_t>(599) * screen.GetStride();
  for (auto _ : state) {
    if (SDL_ConvertPixels(800, 600, SDL_PIXELFORMAT_BGR24, top, -screen.GetStride(), SDL_PIXELFORMAT_XRGB8888,
                          window.data(), 800 * 4) != 0) {
      state.SkipWithError(SDL_GetError());
      break;
    }
    benchmark::DoNotOptimize(window.data());
  }
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_PresentConvert800x600);

// SDL's alpha blit of the same ball (ARGB8888, alpha = 255 - mask) onto a 24-bit surface.
void BM_SdlBlitAlpha32(benchmark::State& state) {
  const Bitmap ball = Ball(true);
  SDL_Surface* sprite = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 24, SDL_PIXELFORMAT_BGR24);
  if (sprite == nullptr || screen == nullptr) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  for (int y = 0; y < kSize; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(sprite->pixels) + y * sprite->pitch);
    for (int x = 0; x < kSize; ++x)
      row[x] = (uint32_t{255u - ball.GetMaskRow(y)[x]} << 24) | ball.GetPixel(x, y);
  }
  SDL_SetSurfaceBlendMode(sprite, SDL_BLENDMODE_BLEND);
  Positions at;
  for (auto _ : state) {
    int x, y;
    at.Next(x, y);
    SDL_Rect to{x, y, kSize, kSize};
    SDL_BlitSurface(sprite, nullptr, screen, &to);
    benchmark::DoNotOptimize(screen->pixels);
  }
  state.SetItemsProcessed(state.iterations() * kSize * kSize);
  SDL_FreeSurface(sprite);
  SDL_FreeSurface(screen);
}
BENCHMARK(BM_SdlBlitAlpha32);

// Text is drawn when a screen's texts change, not every frame; this shows what one line costs.
void BM_DrawTextLine(benchmark::State& state) {
  Bitmap picture(320, 25);
  DrawFont().size = 15;
  DrawFont().styleFlags = kFontBold;
  DrawFont().SetFaceName("Courier New");
  for (auto _ : state)
    benchmark::DoNotOptimize(picture.DrawText("PLAYER NAME     1234567", 0, 0));
  ResetDrawStyles();
}
BENCHMARK(BM_DrawTextLine);

}  // namespace

BENCHMARK_MAIN();
