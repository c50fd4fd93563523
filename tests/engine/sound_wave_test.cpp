#include <gtest/gtest.h>

#include <cstring>

#include "engine/wave.h"

namespace {

std::vector<uint8_t> Tone(size_t bytes) {
  return std::vector<uint8_t>(bytes, 0x80);
}

void PutU16At(std::vector<uint8_t>& file, size_t at, int v) {
  file[at] = uint8_t(v);
  file[at + 1] = uint8_t(v >> 8);
}
void PutU32At(std::vector<uint8_t>& file, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    file[at + size_t(i)] = uint8_t(v >> (8 * i));
}

bool Accepts(const std::vector<uint8_t>& file, std::string* why = nullptr) {
  WaveFormat f;
  return ReadWaveHeader(file.data(), file.size(), f, why);
}

TEST(SoundWave, ReadsTheCanonicalHeader) {
  const auto file = MakeWaveFile(2, 22050, 16, Tone(400));
  WaveFormat f;
  std::string why;
  ASSERT_TRUE(ReadWaveHeader(file.data(), file.size(), f, &why)) << why;
  EXPECT_EQ(f.formatTag, 1);
  EXPECT_EQ(f.channels, 2);
  EXPECT_EQ(f.sampleRate, 22050);
  EXPECT_EQ(f.byteRate, 22050 * 4);
  EXPECT_EQ(f.blockAlign, 4);
  EXPECT_EQ(f.bitsPerSample, 16);
  EXPECT_EQ(f.dataSize, 400u);
  EXPECT_EQ(file.size(), kWaveHeaderSize + 400);
}

TEST(SoundWave, DataSizeMustFitTheFile) {
  auto file = MakeWaveFile(1, 11025, 8, Tone(100));
  // Trailing bytes after the samples are allowed; the data size is what plays.
  file.push_back(0);
  EXPECT_TRUE(Accepts(file));
  PutU32At(file, 40, 101);
  EXPECT_TRUE(Accepts(file)) << "data size exactly up to the end of the file";
  PutU32At(file, 40, 102);
  std::string why;
  EXPECT_FALSE(Accepts(file, &why));
  EXPECT_NE(why.find("more data"), std::string::npos) << why;
  PutU32At(file, 40, 0xFFFFFFFFu);
  EXPECT_FALSE(Accepts(file));
}

TEST(SoundWave, RefusesFormatsAMixerWouldMisread) {
  const auto good = MakeWaveFile(1, 11025, 8, Tone(100));
  struct Case {
    const char* what;
    size_t at;
    int value;
    bool u32;
  };
  const Case cases[] = {
      {"zero channels", 22, 0, false},
      {"nine channels", 22, 9, false},
      {"zero block size", 32, 0, false},
      {"block size not channels x bytes", 32, 2, false},
      {"12 bits", 34, 12, false},
      {"0 bits", 34, 0, false},
      {"not PCM", 20, 2, false},
      {"rate 0", 24, 0, true},
      {"rate far too high", 24, 10000000, true},
      {"format chunk of 18 bytes", 16, 18, true},
  };
  for (const Case& c : cases) {
    auto file = good;
    if (c.u32)
      PutU32At(file, c.at, uint32_t(c.value));
    else
      PutU16At(file, c.at, c.value);
    EXPECT_FALSE(Accepts(file)) << c.what;
  }
  for (size_t tag : {0u, 8u, 12u, 36u}) {
    auto file = good;
    file[tag] ^= 0x20;
    EXPECT_FALSE(Accepts(file)) << "tag at " << tag;
  }
}

TEST(SoundWave, RefusesShortFiles) {
  const auto file = MakeWaveFile(1, 8000, 8, {});
  EXPECT_TRUE(Accepts(file)) << "an empty sample list is still a wave";
  for (size_t cut = 0; cut < file.size(); ++cut) {
    WaveFormat f;
    EXPECT_FALSE(ReadWaveHeader(file.data(), cut, f)) << cut;
  }
  WaveFormat f;
  EXPECT_FALSE(ReadWaveHeader(nullptr, 100, f));
}

}  // namespace
