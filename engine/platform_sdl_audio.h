// The audio device of the game: SDL2_mixer, opened on the default output. The only file pair that
// calls SDL_mixer. Opening fails quietly when there is no usable device (no sound card, a sound server
// that refuses); the player then stays silent.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "engine/audio.h"

struct Mix_Chunk;

class SdlAudioDevice : public AudioDevice {
 public:
  SdlAudioDevice() = default;
  ~SdlAudioDevice() override;
  SdlAudioDevice(const SdlAudioDevice&) = delete;
  SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

  bool Open() override;
  bool IsOpen() const override { return open_; }
  int CreateSample(const WaveFormat& format, const uint8_t* samples, size_t size) override;
  void DestroySample(int sample) override;
  void ReserveChannels(int count) override;
  void PlayOnChannel(int channel, int sample) override;
  void HaltChannel(int channel) override;
  bool IsChannelPlaying(int channel) const override;

 private:
  struct Sample {
    Mix_Chunk* chunk = nullptr;
    std::vector<uint8_t> data;  // the converted samples the chunk points into
  };
  void Close();

  bool open_ = false;
  bool tried_ = false;
  int channels_ = 0;
  // The output format the mixer runs at (SDL audio format code, channels, rate).
  int outFormat_ = 0, outChannels_ = 0, outRate_ = 0;
  int nextSample_ = 1;
  std::map<int, Sample> samples_;
};

// Converts checked PCM wave samples to the given SDL output format (format code, channels, rate).
// False, with out empty, when SDL cannot convert them or the result would exceed kMaxConvertedBytes.
bool ConvertWaveSamples(const WaveFormat& format, const uint8_t* samples, size_t size, int outFormat,
                        int outChannels, int outRate, std::vector<uint8_t>& out);
constexpr size_t kMaxConvertedBytes = 64u << 20;
// SDL's code for signed 16-bit little-endian samples, for callers that do not include SDL.
constexpr int kAudioS16Lsb = 0x8010;

// A new SDL_mixer device (not yet opened).
std::unique_ptr<AudioDevice> MakeSdlAudioDevice();
