// An audio device without sound: for tests, tools and machines without a sound card. It keeps the
// state a real device would (channels, samples, what plays where and until when) on a clock that the
// owner advances, so the player's channel rules can be checked exactly.
#pragma once

#include <map>
#include <vector>

#include "engine/audio.h"

class NullAudioDevice : public AudioDevice {
 public:
  // available = false behaves like a machine whose device cannot be opened.
  explicit NullAudioDevice(bool available = true) : available_(available) {}

  bool Open() override;
  bool IsOpen() const override { return open_; }
  int CreateSample(const WaveFormat& format, const uint8_t* samples, size_t size) override;
  void DestroySample(int sample) override;
  void ReserveChannels(int count) override;
  void PlayOnChannel(int channel, int sample) override;
  void HaltChannel(int channel) override;
  bool IsChannelPlaying(int channel) const override;

  // One start of a sample, in order.
  struct Start {
    int channel;
    int sample;
    int atMs;
  };
  // Moves the device's clock on; samples end when their length has passed.
  void Advance(int ms) { nowMs_ += ms; }
  // Every start so far.
  const std::vector<Start>& Starts() const { return starts_; }
  // The sample playing on the channel now, or 0.
  int PlayingOn(int channel) const;
  // How many times Open was asked; samples alive; channels reserved.
  int OpenCalls() const { return openCalls_; }
  int LiveSamples() const { return int(samples_.size()); }
  int Channels() const { return int(channels_.size()); }

 private:
  struct Playing {
    int sample = 0;
    int endMs = 0;
  };
  bool available_;
  bool open_ = false;
  bool tried_ = false;
  int openCalls_ = 0;
  int nextSample_ = 1;
  int nowMs_ = 0;
  std::map<int, int> samples_;  // handle -> length in ms
  std::vector<Playing> channels_;
  std::vector<Start> starts_;
};
