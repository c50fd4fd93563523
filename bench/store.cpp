// Start-up and exit cost of the settings: reading "sv.dat" into the store, and writing it back.
// Run: build-store/bench_store (each should stay well under 2 ms).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "store/cipher_file.h"
#include "store/score_table.h"
#include "store/settings_store.h"

namespace {
// A store like the game's after some play: the options, a saved game of two classes and a full
// high-score table; its text is about 4 KB.
void FillRealisticStore(SettingsStore& c) {
  const char* options[] = {"Level",     "SoundOn",       "DirectSound", "Animate",   "AutoSave",
                           "FastSpeed", "NewGameNeeded", "GameType",    "FullScreen"};
  for (int i = 0; i < 9; ++i)
    c.SetInt(std::string("Game.Options.") + options[i], i % 3);
  c.SetIntArray("Game.CurrGame.Skins", std::vector<int>{0, 1, 2, 0, 1, 2});
  for (const char* game : {"GameOrig", "GameTime"}) {
    std::vector<int> field(272, -1);
    for (int i = 0; i < 120; ++i)
      field[size_t(i)] = i % 6;
    const std::string name = game;
    c.SetIntArray(name + ".Field", field);
    c.SetIntArray(name + ".ColorsLeft", std::vector<int>{1, 1, 1, 1, 0, 1});
    for (const char* key : {".Score", ".ColorLeft", ".GameBall", ".WaitBall", ".MaxLeft", ".Left"})
      c.SetInt(name + key, 123450);
  }
  ScoreTable table;
  for (int i = 0; i < 80; ++i)
    table.AddRecord(std::to_string(1 + i % 28) + "-" + std::to_string(1 + i % 12) + "-126\tPlayer" +
                    std::to_string(i % 5) + "\t" + std::to_string(1 + i % 6) + "\t" +
                    std::to_string(i * 1370));
  c.SetString("Game.Scores.Table", table.ToText());
}

// The settings file in a folder on disk (the temporary folder) or in memory (/dev/shm, where flushing
// costs nothing), so the flush to disk can be told apart from the work of the game.
std::string BenchFile(bool onDisk = true) {
  const std::filesystem::path folder = onDisk || !std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::temp_directory_path()
                                           : std::filesystem::path("/dev/shm");
  return (folder / ("globbet-bench-sv-" + std::to_string(::getpid()) + ".dat")).string();
}

void BM_ReadSettings(benchmark::State& state) {
  SettingsStore source;
  FillRealisticStore(source);
  const std::string path = BenchFile(), text = source.SaveText();
  WriteEncryptedFile(path, text, kSettingsKey, kCipherKeyLength);
  for (auto _ : state) {
    std::string plain;
    SettingsStore store;
    bool ok = ReadEncryptedFile(path, plain, kSettingsKey, kCipherKeyLength) &&
              store.LoadText(plain) == SettingsStore::LoadResult::kComplete;
    benchmark::DoNotOptimize(ok);
  }
  state.counters["text_bytes"] = double(text.size());
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadSettings)->Unit(benchmark::kMicrosecond);

// Includes the flush to disk of the file and its folder, which is what exit pays (argument 1: on disk).
void BM_WriteSettings(benchmark::State& state) {
  SettingsStore store;
  FillRealisticStore(store);
  const std::string path = BenchFile(state.range(0) != 0);
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteEncryptedFile(path, store.SaveText(), kSettingsKey, kCipherKeyLength));
  state.counters["text_bytes"] = double(store.SaveText().size());
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteSettings)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_CipherOnly(benchmark::State& state) {
  SettingsStore store;
  FillRealisticStore(store);
  const std::string text = store.SaveText();
  for (auto _ : state) {
    std::string out;
    benchmark::DoNotOptimize(DecodeEncrypted(EncodeEncrypted(text, kSettingsKey, kCipherKeyLength), out,
                                             kSettingsKey, kCipherKeyLength));
  }
}
BENCHMARK(BM_CipherOnly)->Unit(benchmark::kMicrosecond);
}  // namespace

BENCHMARK_MAIN();
