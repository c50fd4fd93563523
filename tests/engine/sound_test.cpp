// Sound: the player's channel rules on the null device whose clock the test moves, wave headers a
// mixer would misread, and the SDL_mixer device on SDL's dummy output and without any output.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

#include "engine/audio_null.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound_player.h"
#include "engine/wave.h"
#include "tests/support/test_folder.h"

namespace {

// Two effects; which of the game's they are does not matter here.
constexpr SoundId kFirst = SoundId::kRisingChime, kSecond = SoundId::kFallingChime;

// A wave of ms milliseconds, 8-bit mono at 8000 Hz.
std::vector<uint8_t> WaveOf(int ms) {
  return MakeWaveFile(1, 8000, 8, std::vector<uint8_t>(size_t(ms) * 8, 0x80));
}

class Sounds : public ::testing::Test {
 protected:
  Sounds() : dev(new NullAudioDevice()), sound(std::unique_ptr<AudioDevice>(dev)) {}
  void LoadWave(SoundId id, const std::vector<uint8_t>& bytes) {
    const std::string path = folder / (std::to_string(int(id)) + ".wav");
    WriteAll(path, std::string(bytes.begin(), bytes.end()));
    ASSERT_TRUE(sound.Load(id, path));
  }
  int SampleOf(SoundId id) const { return sound.Find(id)->sample; }

  TestFolder folder;
  NullAudioDevice* dev;  // owned by the player
  SoundPlayer sound;
};

// The first effect plays, time passes, then effect `second` is asked for: on the shared channel (mode 0) or
// on each effect's own channel (mode 1).
TEST_F(Sounds, ChannelRules) {
  // Own channels or the shared one, the time before the second effect, which it is, whether it interrupts,
  // the starts, and the effect then playing on the second effect's channel.
  const std::tuple<const char*, bool, int, SoundId, bool, size_t, SoundId> rows[] = {
      {"another effect is dropped while one plays", false, 100, kSecond, false, 1, kFirst},
      {"an interrupting effect replaces the playing one", false, 100, kSecond, true, 2, kSecond},
      {"once the channel is free it plays", false, 300, kSecond, false, 2, kSecond},
      {"effects play side by side", true, 100, kSecond, false, 2, kSecond},
      {"a playing effect continues", true, 100, kFirst, false, 1, kFirst},
      {"an interrupted effect restarts", true, 100, kFirst, true, 2, kFirst},
      {"an effect that ended plays again", true, 300, kFirst, false, 2, kFirst},
  };
  LoadWave(kFirst, WaveOf(300));
  LoadWave(kSecond, WaveOf(300));
  for (const auto& [what, ownChannels, advanceMs, second, interrupt, starts, playing] : rows) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(sound.SetMode(!ownChannels));
    ASSERT_TRUE(sound.SetMode(ownChannels));  // leaving a mode silences its channels
    const size_t before = dev->Starts().size();
    sound.Play(kFirst, true);
    dev->Advance(advanceMs);
    sound.Play(second, interrupt);
    ASSERT_EQ(dev->Starts().size() - before, starts);
    const int channel = ownChannels ? sound.Find(second)->channel : 0;
    EXPECT_EQ(channel != 0, ownChannels);
    EXPECT_EQ(dev->PlayingOn(channel), SampleOf(playing));
    if (ownChannels && second == kSecond) {
      EXPECT_EQ(dev->PlayingOn(sound.Find(kFirst)->channel), SampleOf(kFirst));
    }
    dev->Advance(1000);
  }
  ASSERT_TRUE(sound.SetMode(true));
  sound.Play(kFirst, true);
  const int own = sound.Find(kFirst)->channel;
  ASSERT_TRUE(sound.SetMode(false));
  EXPECT_FALSE(dev->IsChannelPlaying(own)) << "leaving mode 1 silences the own channels";
}

TEST_F(Sounds, SilenceWhenDisabledOrMissing) {
  EXPECT_FALSE(sound.Load(kSecond, folder / "missing.wav"));
  LoadWave(kFirst, WaveOf(50));
  sound.SetEnabled(false);
  for (bool mode : {false, true})
    sound.SetMode(mode), sound.Play(kFirst, true);
  EXPECT_EQ(dev->Starts().size(), 0u);
}

// The SDL_mixer device: with SDL's dummy output (the test environment's) it plays on the shared and own
// channels; without any output it is silent but the game goes on.
TEST(SoundSdl, PlaysOnTheDummyOutputAndIsSilentWithoutOne) {
  TestFolder folder;
  const auto wave = MakeWaveFile(1, 8000, 8, std::vector<uint8_t>(24000, 0x80));  // 3 s: still playing
  WriteAll(folder / "1.wav", std::string(wave.begin(), wave.end()));
  for (const char* driver : {"no-such-output", "dummy"}) {  // dummy stays set for the tests after
    SCOPED_TRACE(driver);
    setenv("SDL_AUDIODRIVER", driver, 1);
    auto device = MakeSdlAudioDevice();
    AudioDevice* dev = device.get();
    SoundPlayer sound(std::move(device));
    ASSERT_TRUE(sound.Load(kFirst, folder / "1.wav"));
    const bool real = std::string(driver) == "dummy";
    EXPECT_EQ(dev->IsOpen(), real);
    sound.Play(kFirst, false);
    EXPECT_EQ(dev->IsChannelPlaying(0), real);
    EXPECT_EQ(sound.SetMode(true), real);
    sound.Play(kFirst, true);
    EXPECT_EQ(dev->IsChannelPlaying(sound.Find(kFirst)->channel), real);
  }
}

TEST(SoundSdl, ConvertsToTheOutputFormatWithinBounds) {
  const auto file = MakeWaveFile(1, 22050, 8, std::vector<uint8_t>(2205, 0xFF));
  WaveFormat f;
  ASSERT_TRUE(ReadWaveHeader(file.data(), file.size(), f));
  std::vector<uint8_t> out;
  ASSERT_TRUE(ConvertWaveSamples(f, file.data() + kWaveHeaderSize, f.dataSize, kAudioS16Lsb, 2, 44100, out));
  EXPECT_NEAR(double(out.size()), 4410.0 * 4, 64.0) << "0.1 s at 44100 Hz, stereo, 2 bytes a sample";
  f.sampleRate = 1000;  // a slow rate whose output would be huge is refused before converting
  const std::vector<uint8_t> big(kWaveMaxFileSize, 0x80);
  EXPECT_FALSE(ConvertWaveSamples(f, big.data(), big.size(), kAudioS16Lsb, 2, 44100, out));
  EXPECT_TRUE(out.empty());
}

// ---- wave headers ----------------------------------------------------------------------------------

// Damaged headers the real game meets are in the bad-input catalogue; these are the limits around them.
TEST(SoundWave, RefusesWhatAMixerWouldMisread) {
  auto good = MakeWaveFile(2, 22050, 16, std::vector<uint8_t>(100, 0x80));
  good.push_back(0);  // bytes after the samples are allowed: the data size is what plays
  WaveFormat f;
  ASSERT_TRUE(ReadWaveHeader(good.data(), good.size(), f));
  EXPECT_EQ(std::vector<int>({f.channels, f.sampleRate, f.blockAlign, f.bitsPerSample, int(f.dataSize)}),
            std::vector<int>({2, 22050, 4, 16, 100}));
  // What, where, how many bytes, the value written there, accepted.
  const std::tuple<const char*, size_t, int, uint32_t, bool> rows[] = {
      {"data size exactly to the end of the file", 40, 4, 101, true},
      {"data size past the end", 40, 4, 102, false},
      {"zero block size", 32, 2, 0, false},
      {"block size not channels x bytes", 32, 2, 2, false},
      {"0 bits", 34, 2, 0, false},
      {"rate far too high", 24, 4, 10000000, false},
      {"WAVE tag", 8, 1, 'w', false},
      {"fmt tag", 12, 1, 'F', false},
      {"data tag", 36, 1, 'D', false},
  };
  for (const auto& [what, at, bytes, value, accepted] : rows) {
    auto file = good;
    for (int i = 0; i < bytes; ++i)
      file[at + size_t(i)] = uint8_t(value >> (8 * i));
    EXPECT_EQ(ReadWaveHeader(file.data(), file.size(), f), accepted) << what;
  }
  const auto nine = MakeWaveFile(9, 8000, 8, std::vector<uint8_t>(9, 0x80));
  EXPECT_FALSE(ReadWaveHeader(nine.data(), nine.size(), f)) << "nine channels";
  const auto empty = MakeWaveFile(1, 8000, 8, {});
  EXPECT_TRUE(ReadWaveHeader(empty.data(), empty.size(), f)) << "an empty sample list is still a wave";
  for (size_t cut = 0; cut < empty.size(); ++cut)
    EXPECT_FALSE(ReadWaveHeader(empty.data(), cut, f)) << cut;
  EXPECT_FALSE(ReadWaveHeader(nullptr, 100, f));
}

}  // namespace
