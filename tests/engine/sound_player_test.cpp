// The sound player's rules, checked on the null device whose clock the test moves.
#include <gtest/gtest.h>

#include "clip_testing.h"
#include "engine/audio_null.h"
#include "engine/sound.h"

namespace {

using testing_files::TempFolder;
using testing_files::WriteBytes;

// A wave of ms milliseconds, 8-bit mono at 8000 Hz.
std::vector<uint8_t> WaveOf(int ms) {
  return MakeWaveFile(1, 8000, 8, std::vector<uint8_t>(size_t(ms) * 8, 0x80));
}

class SoundPlayer : public ::testing::Test {
 protected:
  SoundPlayer() {
    auto device = std::make_unique<NullAudioDevice>();
    dev = device.get();
    sound = std::make_unique<OSound>(std::move(device));
  }
  // Writes a wave file and loads it under id.
  void LoadWave(int id, const std::vector<uint8_t>& bytes) {
    const std::string path = temp.File(std::to_string(id) + ".wav");
    ASSERT_TRUE(WriteBytes(path, bytes));
    ASSERT_TRUE(sound->Load(id, path));
  }
  size_t StartCount() const { return dev->Starts().size(); }
  int SampleOf(int id) const { return sound->Find(id)->sample; }

  TempFolder temp;
  NullAudioDevice* dev = nullptr;
  std::unique_ptr<OSound> sound;
};

TEST_F(SoundPlayer, NeverLoadedIdOrMissingFilePlaysNothing) {
  sound->Play(3, true);
  EXPECT_FALSE(sound->Load(3, temp.File("missing.wav")));
  EXPECT_EQ(sound->Find(3), nullptr);
  sound->Play(3, true);
  EXPECT_EQ(StartCount(), 0u);
}

TEST_F(SoundPlayer, DisabledPlayerIsSilentInBothModes) {
  LoadWave(1, WaveOf(100));
  sound->SetEnabled(false);
  sound->Play(1, true);
  ASSERT_TRUE(sound->SetMode(true));
  sound->Play(1, true);
  EXPECT_EQ(StartCount(), 0u);
  sound->SetEnabled(true);
  sound->Play(1, true);
  EXPECT_EQ(StartCount(), 1u);
}

TEST_F(SoundPlayer, SharedChannelDropsOrReplaces) {
  LoadWave(1, WaveOf(300));
  LoadWave(2, WaveOf(300));
  sound->Play(1, false);
  ASSERT_EQ(dev->PlayingOn(0), SampleOf(1));
  dev->Advance(100);
  sound->Play(2, false);
  EXPECT_EQ(dev->PlayingOn(0), SampleOf(1)) << "dropped while another effect plays";
  EXPECT_EQ(StartCount(), 1u);
  sound->Play(2, true);
  EXPECT_EQ(dev->PlayingOn(0), SampleOf(2)) << "an interrupting effect replaces the playing one";
  dev->Advance(300);
  sound->Play(1, false);
  EXPECT_EQ(dev->PlayingOn(0), SampleOf(1)) << "plays once the channel is free";
  EXPECT_EQ(StartCount(), 3u);
}

TEST_F(SoundPlayer, OwnChannelsRestartOrContinue) {
  LoadWave(1, WaveOf(300));
  LoadWave(2, WaveOf(300));
  ASSERT_TRUE(sound->SetMode(true));
  EXPECT_EQ(sound->GetMode(), 1);
  const int ch1 = sound->Find(1)->channel, ch2 = sound->Find(2)->channel;
  ASSERT_NE(ch1, 0);
  ASSERT_NE(ch2, 0);
  ASSERT_NE(ch1, ch2);
  sound->Play(1, true);
  sound->Play(2, false);
  EXPECT_EQ(dev->PlayingOn(ch1), SampleOf(1));
  EXPECT_EQ(dev->PlayingOn(ch2), SampleOf(2)) << "effects play side by side";
  dev->Advance(100);
  sound->Play(1, false);
  EXPECT_EQ(StartCount(), 2u) << "a playing effect continues";
  sound->Play(1, true);
  ASSERT_EQ(StartCount(), 3u) << "and restarts when interrupted";
  EXPECT_EQ(dev->Starts().back().atMs, 100);
  dev->Advance(300);
  sound->Play(1, false);
  EXPECT_EQ(StartCount(), 4u) << "an effect that ended plays again";

  // Back to the shared channel: effects replace each other again.
  ASSERT_TRUE(sound->SetMode(false));
  EXPECT_FALSE(dev->IsChannelPlaying(ch1)) << "leaving mode 1 silences the own channels";
  sound->Play(1, true);
  sound->Play(2, false);
  EXPECT_EQ(dev->PlayingOn(0), SampleOf(1));
  EXPECT_EQ(StartCount(), 5u);
}

TEST_F(SoundPlayer, LoadInModeOneGetsItsOwnChannel) {
  ASSERT_TRUE(sound->SetMode(true));
  EXPECT_TRUE(sound->SetMode(true)) << "asking for the current mode changes nothing";
  LoadWave(7, WaveOf(50));
  EXPECT_NE(sound->Find(7)->channel, 0);
  EXPECT_GE(dev->Channels(), sound->Find(7)->channel + 1);
}

TEST_F(SoundPlayer, SecondLoadReplacesTheFirst) {
  LoadWave(4, WaveOf(50));
  const int first = SampleOf(4);
  LoadWave(4, WaveOf(500));
  EXPECT_NE(SampleOf(4), first);
  EXPECT_EQ(dev->LiveSamples(), 1) << "the first sample is freed";
  EXPECT_EQ(sound->Find(4)->fileData.size(), kWaveHeaderSize + 4000);
}

TEST_F(SoundPlayer, BadWaveNeverReachesTheDevice) {
  auto claimsTooMuch = WaveOf(100);
  claimsTooMuch[40] = 0xFF;  // data size far beyond the file
  auto noChannels = WaveOf(100);
  noChannels[22] = 0;
  auto noBlock = WaveOf(100);
  noBlock[32] = 0;
  auto oddBits = WaveOf(100);
  oddBits[34] = 12;
  LoadWave(1, claimsTooMuch);
  LoadWave(2, noChannels);
  LoadWave(3, noBlock);
  LoadWave(4, oddBits);
  for (bool mode : {false, true}) {
    ASSERT_TRUE(sound->SetMode(mode));
    for (int id = 1; id <= 4; ++id) {
      ASSERT_NE(sound->Find(id), nullptr) << "the file was read, so the load succeeds";
      EXPECT_EQ(SampleOf(id), 0);
      sound->Play(id, true);
    }
  }
  EXPECT_EQ(dev->LiveSamples(), 0);
  EXPECT_EQ(StartCount(), 0u);
}

TEST(SoundNoDevice, StaysSilentAndKeepsGoing) {
  TempFolder temp;
  auto device = std::make_unique<NullAudioDevice>(false);
  NullAudioDevice* dev = device.get();
  OSound sound(std::move(device));
  ASSERT_TRUE(WriteBytes(temp.File("0.wav"), WaveOf(100)));
  EXPECT_TRUE(sound.Load(0, temp.File("0.wav"))) << "the data is kept even without a device";
  EXPECT_FALSE(sound.SetMode(true));
  EXPECT_EQ(sound.GetMode(), 0);
  sound.Play(0, true);
  sound.Play(0, false);
  EXPECT_TRUE(dev->Starts().empty());
  EXPECT_EQ(sound.Find(0)->sample, 0);
}

TEST(SoundNoDevice, TheProcessWidePlayerIsSilentUntilOneIsInstalled) {
  GetSound().Play(5, true);  // nothing loaded, no device: must simply return
  OSound mine(std::make_unique<NullAudioDevice>());
  SetSound(&mine);
  EXPECT_EQ(&GetSound(), &mine);
  SetSound(nullptr);
  EXPECT_NE(&GetSound(), &mine);
}

}  // namespace
