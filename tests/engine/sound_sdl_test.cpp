// The SDL_mixer device on SDL's dummy output (the test environment sets SDL_AUDIODRIVER=dummy), and
// the same device where no output can be opened.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "clip_testing.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound.h"

namespace {

using testing_files::TempFolder;
using testing_files::WriteBytes;

// Sets an environment variable for the life of the object and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_.c_str(), old_.c_str(), 1);
    else
      unsetenv(name_.c_str());
  }

 private:
  std::string name_, old_;
  bool had_ = false;
};

std::vector<uint8_t> LongWave() {  // 3 s of silence, long enough to still play when checked
  return MakeWaveFile(1, 8000, 8, std::vector<uint8_t>(24000, 0x80));
}

TEST(SoundSdl, PlaysOnTheDummyOutput) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  TempFolder temp;
  ASSERT_TRUE(WriteBytes(temp.File("1.wav"), LongWave()));
  ASSERT_TRUE(WriteBytes(temp.File("2.wav"), LongWave()));
  auto device = MakeSdlAudioDevice();
  AudioDevice* dev = device.get();
  OSound sound(std::move(device));
  ASSERT_TRUE(sound.Load(1, temp.File("1.wav")));
  ASSERT_TRUE(sound.Load(2, temp.File("2.wav")));
  ASSERT_TRUE(dev->IsOpen());
  ASSERT_NE(sound.Find(1)->sample, 0);
  sound.Play(1, false);
  EXPECT_TRUE(dev->IsChannelPlaying(0));
  ASSERT_TRUE(sound.SetMode(true));
  sound.Play(2, true);
  EXPECT_TRUE(dev->IsChannelPlaying(sound.Find(2)->channel));
  ASSERT_TRUE(sound.SetMode(false));
  EXPECT_FALSE(dev->IsChannelPlaying(sound.Find(2)->channel));
}

TEST(SoundSdl, NoOutputMeansSilenceNotFailure) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-output");
  TempFolder temp;
  ASSERT_TRUE(WriteBytes(temp.File("1.wav"), LongWave()));
  auto device = MakeSdlAudioDevice();
  AudioDevice* dev = device.get();
  OSound sound(std::move(device));
  EXPECT_TRUE(sound.Load(1, temp.File("1.wav")));
  EXPECT_FALSE(dev->IsOpen());
  EXPECT_FALSE(sound.SetMode(true));
  EXPECT_EQ(sound.GetMode(), 0);
  sound.Play(1, true);
  EXPECT_FALSE(dev->IsChannelPlaying(0));
}

TEST(SoundSdl, ConvertsToTheOutputFormat) {
  const auto file = MakeWaveFile(1, 22050, 8, std::vector<uint8_t>(2205, 0xFF));
  WaveFormat f;
  ASSERT_TRUE(ReadWaveHeader(file.data(), file.size(), f));
  std::vector<uint8_t> out;
  ASSERT_TRUE(ConvertWaveSamples(f, file.data() + kWaveHeaderSize, f.dataSize, kAudioS16Lsb, 2, 44100, out));
  // 0.1 s at 44100 Hz, stereo, 2 bytes a sample; the resampler may round by a few frames.
  EXPECT_NEAR(double(out.size()), 4410.0 * 4, 64.0);
  // A slow rate whose output would be huge is refused before converting.
  f.sampleRate = 1000;
  const std::vector<uint8_t> big(kWaveMaxFileSize, 0x80);
  EXPECT_FALSE(ConvertWaveSamples(f, big.data(), big.size(), kAudioS16Lsb, 2, 44100, out));
  EXPECT_TRUE(out.empty());
}

}  // namespace
