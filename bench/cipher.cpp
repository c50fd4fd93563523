// The block layer's throughput: enciphering and deciphering 64 KB (the size of a large clip picture),
// deciphering with the cipher's own chained call, and setting the cipher up from a key, which every call
// of the layer does once.
// Run: build-des/bench_cipher (bytes_per_second is the figure to watch).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "store/cipher_file.h"
#include "store/des.h"

namespace {
constexpr size_t kBytes = 64 * 1024;
const auto* const kKey = reinterpret_cast<const uint8_t*>(kClipKey);

std::vector<uint8_t> Plain() {
  std::vector<uint8_t> plain(kBytes);
  uint32_t x = 12345;
  for (uint8_t& b : plain)
    b = uint8_t((x = x * 1103515245u + 12345u) >> 16);
  return plain;
}

void BM_EncryptBlocks(benchmark::State& state) {
  const std::vector<uint8_t> plain = Plain();
  std::vector<uint8_t> out(EncipheredLength(plain.size()));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        EncryptBlocks(kCipherModeDes, plain.data(), plain.size(), out.data(), out.size(), kKey, 8));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
}
BENCHMARK(BM_EncryptBlocks)->Unit(benchmark::kMicrosecond);

void BM_DecryptBlocks(benchmark::State& state) {
  const std::vector<uint8_t> plain = Plain();
  std::vector<uint8_t> enciphered(EncipheredLength(plain.size()));
  EncryptBlocks(kCipherModeDes, plain.data(), plain.size(), enciphered.data(), enciphered.size(), kKey, 8);
  std::vector<uint8_t> out(enciphered.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        DecryptBlocks(kCipherModeDes, enciphered.data(), enciphered.size(), out.data(), out.size(), kKey, 8));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(enciphered.size()));
}
BENCHMARK(BM_DecryptBlocks)->Unit(benchmark::kMicrosecond);

// The chained deciphering of the cipher itself, blocks side by side.
void BM_DecryptChained(benchmark::State& state) {
  const std::vector<uint8_t> enciphered = Plain();
  std::vector<uint8_t> out(enciphered.size());
  const DesCipher cipher(kKey);
  for (auto _ : state) {
    uint8_t chain[8] = {};
    cipher.DecryptChained(enciphered.data(), out.data(), enciphered.size() / 8, chain);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(enciphered.size()));
}
BENCHMARK(BM_DecryptChained)->Unit(benchmark::kMicrosecond);

void BM_KeySchedule(benchmark::State& state) {
  uint8_t key[8] = {'T', 'o', 'r', 'v', 'i', 'k', 'S', 'a'};
  for (auto _ : state) {
    DesCipher cipher(key);
    benchmark::DoNotOptimize(cipher);
    ++key[0];
  }
}
BENCHMARK(BM_KeySchedule);
}  // namespace

BENCHMARK_MAIN();
