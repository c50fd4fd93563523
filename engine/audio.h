// The narrow audio output the sound player talks to: open the device once, turn checked wave data into
// playable samples, and play a sample once on a numbered channel. The game uses the SDL_mixer device
// (engine/platform_sdl_audio.*); tests and tools use the null device (engine/audio_null.*).
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/wave.h"

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;

  // Opens the output if it is not open yet. A device that failed once stays closed and answers false
  // at once afterwards, so a missing sound card costs one attempt and never a hang.
  virtual bool Open() = 0;
  // True while the output is open.
  virtual bool IsOpen() const = 0;
  // Makes a playable sample of the PCM bytes described by format (already checked by ReadWaveHeader);
  // returns its handle, or 0 when the device is closed or the data cannot be converted.
  virtual int CreateSample(const WaveFormat& format, const uint8_t* samples, size_t size) = 0;
  // Stops and frees a sample; unknown handles are ignored.
  virtual void DestroySample(int sample) = 0;
  // Makes sure channels 0 .. count - 1 exist (channels only grow).
  virtual void ReserveChannels(int count) = 0;
  // Plays the sample once from its start on the channel, replacing whatever plays there.
  virtual void PlayOnChannel(int channel, int sample) = 0;
  // Silences the channel; -1 silences every channel.
  virtual void HaltChannel(int channel) = 0;
  // True while something plays on the channel.
  virtual bool IsChannelPlaying(int channel) const = 0;
};
