// The ten sound effects: canonical 16-bit PCM files, short, with gentle ends and a sensible level.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/file_bytes.h"
#include "engine/wave.h"

namespace {

TEST(CatalogueSounds, EveryEffectIsAShortCleanWave) {
  for (int n = 0; n <= 9; ++n) {
    const std::string name = "wav/" + std::to_string(n) + ".wav";
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(std::string(GLOBBET_DATA_DIR) + "/" + name, kWaveMaxFileSize, bytes))
        << "data file " << name << " is missing";
    WaveFormat format;
    std::string why;
    ASSERT_TRUE(ReadWaveHeader(bytes.data(), bytes.size(), format, &why)) << name << ": " << why;
    EXPECT_EQ(format.channels, 1) << name;
    EXPECT_EQ(format.bitsPerSample, 16) << name;
    EXPECT_EQ(bytes.size(), 44 + format.dataSize) << name << ": nothing after the samples";
    const size_t samples = format.dataSize / 2;
    const double ms = 1000.0 * samples / format.sampleRate;
    EXPECT_GE(ms, 40) << name;
    EXPECT_LE(ms, 400) << name;
    int peak = 0;
    for (size_t i = 0; i < samples; ++i) {
      const int16_t v = int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8);
      peak = std::max(peak, std::abs(int(v)));
    }
    EXPECT_GT(peak, 32767 / 4) << name << " is too quiet";
    EXPECT_LT(peak, 32767 * 3 / 4) << name << " leaves no headroom";
    // No click at either end.
    for (size_t i : {size_t(0), samples - 1}) {
      const int16_t v = int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8);
      EXPECT_LT(std::abs(int(v)), 600) << name << " starts or ends on a step";
    }
  }
}

}  // namespace
