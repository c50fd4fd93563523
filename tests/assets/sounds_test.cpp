// The ten sound effects: mono 16-bit PCM files, short, with a sensible level and no click at either end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/file_bytes.h"
#include "engine/wave.h"

namespace {

TEST(CatalogueSounds, EveryEffectIsAShortCleanWave) {
  for (int n = 0; n <= 9; ++n) {
    SCOPED_TRACE(n);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(std::string(GLOBBET_DATA_DIR) + "/wav/" + std::to_string(n) + ".wav",
                              kWaveMaxFileSize, bytes));
    WaveFormat format;
    std::string why;
    ASSERT_TRUE(ReadWaveHeader(bytes.data(), bytes.size(), format, &why)) << why;
    EXPECT_EQ(format.channels, 1);
    EXPECT_EQ(format.bitsPerSample, 16);
    ASSERT_EQ(bytes.size(), 44 + format.dataSize) << "nothing after the samples";
    const size_t samples = format.dataSize / 2;
    const auto sample = [&](size_t i) {
      return std::abs(int(int16_t(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8)));
    };
    EXPECT_GE(1000.0 * samples / format.sampleRate, 40);
    EXPECT_LE(1000.0 * samples / format.sampleRate, 400);
    int peak = 0;
    for (size_t i = 0; i < samples; ++i)
      peak = std::max(peak, sample(i));
    EXPECT_GT(peak, 32767 / 4) << "too quiet";
    EXPECT_LT(peak, 32767 * 3 / 4) << "no headroom";
    EXPECT_LT(sample(0), 600) << "starts on a step";
    EXPECT_LT(sample(samples - 1), 600) << "ends on a step";
  }
}

}  // namespace
