// The sound player: a table of short effects, each read whole from a wave file once and named by a
// small id, played on demand. Mode 0 plays every effect on one shared channel (a new effect replaces
// the playing one, or is dropped while one plays); mode 1 gives every effect a channel of its own
// (restarted from its start, or left to continue). Without an audio device the player is silent and
// everything else goes on.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/audio.h"
#include "engine/sound_id.h"

class SoundPlayer {
 public:
  // One loaded effect.
  struct WavInfoStruct {
    std::string fileName;           // the path it was loaded from
    std::vector<uint8_t> fileData;  // the whole file as read
    bool valid = false;             // the header passed ReadWaveHeader
    int sample = 0;                 // the device's sample, 0 when there is none
    int channel = 0;                // its own channel in mode 1, 0 until one is given
  };

  // A player on the given device (owned); null means a device that never opens, i.e. silence.
  explicit SoundPlayer(std::unique_ptr<AudioDevice> device = nullptr);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Mode 1 (one channel per effect) when mixSounds, else mode 0. True when the player is in the
  // requested mode afterwards; false, staying in mode 0, when the audio device cannot be opened.
  bool SetMode(bool mixSounds);
  // 0 or 1.
  int GetMode() const { return mode_; }
  // Reads the whole file and keeps it under id, replacing an earlier load of that id. False when the
  // file cannot be read (the id is then left as it was). A file that is read but is no playable wave
  // is kept, returns true, and never reaches the device. Either refusal is logged as a warning.
  bool Load(SoundId id, const std::string& path);
  // Plays effect id once. interrupt: mode 0 replaces a playing effect, mode 1 restarts this effect;
  // without it mode 0 drops the effect while another plays and mode 1 lets this one continue. Does
  // nothing when the player is disabled, id was never loaded, or the effect has no sample.
  void Play(SoundId id, bool interrupt);
  // The switch of the sound option; a disabled player plays nothing.
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool IsEnabled() const { return enabled_; }
  // The entry of id, or null when id was never loaded.
  const WavInfoStruct* Find(SoundId id) const;

 private:
  void MakeSample(WavInfoStruct& entry);
  void GiveChannel(WavInfoStruct& entry);

  std::unique_ptr<AudioDevice> device_;
  bool enabled_ = true;
  int mode_ = 0;
  int channelsGiven_ = 0;  // channel 0 is the shared one; 1..channelsGiven_ belong to effects
  std::map<SoundId, WavInfoStruct> sounds_;
};

// The program's one sound player. Never absent: until SetSound is called it is a silent player.
SoundPlayer& GetSound();
// Installs the player (not owned); null restores the built-in silent one.
void SetSound(SoundPlayer* sound);
