// Loading typical clip files from disk: JPEG pictures (a dialog piece and a whole background) and a
// 32 x 32 masked sprite of 10 frames.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/bitmap.h"
#include "engine/clip.h"
#include "engine/clip_file.h"

namespace {

// A picture with soft shapes, compressing like drawn game art does.
Bitmap Art(int w, int h, int seed) {
  Bitmap b;
  b.Create(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int r = (x * 255 / w + seed) & 255, g = (y * 255 / h) & 255, bl = ((x ^ y) & 32) ? 200 : 90;
      b.SetPixel(x, y, uint32_t(r << 16 | g << 8 | bl));
    }
  return b;
}

std::string TempFile(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string("globbet-bench-") + std::to_string(getpid()) + name))
      .string();
}

// Writes the file once, then loads it over and over.
void LoadLoop(benchmark::State& state, const ClipFileWriter& writer, const char* name) {
  const std::string path = TempFile(name);
  if (!writer.Save(path)) {
    state.SkipWithError("cannot write the clip file");
    return;
  }
  state.counters["file_bytes"] = double(std::filesystem::file_size(path));
  Clip clip;
  for (auto _ : state) {
    if (!clip.Load(path)) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(clip.GetFrameCount());
  }
  std::filesystem::remove(path);
}

void BM_LoadJpegPicture(benchmark::State& state) {
  ClipFileWriter w;
  w.AddJpegImage(Art(int(state.range(0)), int(state.range(1)), 3), 85);
  LoadLoop(state, w, "picture.clp");
}
BENCHMARK(BM_LoadJpegPicture)
    ->Args({200, 150})
    ->Args({400, 300})
    ->Args({800, 600})
    ->Unit(benchmark::kMicrosecond);

void BM_LoadMaskedSprite(benchmark::State& state) {
  ClipFileWriter w;
  std::vector<ClipFrameRecord> frames;
  for (int i = 0; i < 10; ++i) {
    Bitmap frame = Art(32, 32, i * 20);
    uint8_t* mask = frame.CreateMask(0);
    for (int y = 0; y < 32 && mask; ++y)
      for (int x = 0; x < 32; ++x)
        frame.GetMaskRow(y)[x] = (x - 16) * (x - 16) + (y - 16) * (y - 16) > 225 ? 255 : 0;
    ClipFrameRecord record;
    record.image = w.AddRawImage(frame, kClipImageMasked);
    frames.push_back(record);
  }
  w.AddSequence(frames);
  LoadLoop(state, w, "sprite.clp");
}
BENCHMARK(BM_LoadMaskedSprite)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
