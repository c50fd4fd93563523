// A sound player on the null device that counts how often each effect started, installed as the
// game's player for the test's length.
#pragma once

#include <memory>
#include <string>

#include "engine/audio_null.h"
#include "engine/sound_player.h"

class SoundLog {
 public:
  SoundLog() : device_(new NullAudioDevice()), sound_(std::unique_ptr<AudioDevice>(device_)) {
    SetSound(&sound_);
  }
  SoundLog(const SoundLog&) = delete;
  SoundLog& operator=(const SoundLog&) = delete;
  ~SoundLog() { SetSound(nullptr); }
  // The player, to load or configure as the game would.
  SoundPlayer& Player() { return sound_; }
  // Starts of effect id so far.
  int Count(SoundId id) const {
    const SoundPlayer::WavInfoStruct* entry = sound_.Find(id);
    if (!entry || entry->sample == 0) return 0;
    int n = 0;
    for (const auto& start : device_->Starts())
      n += start.sample == entry->sample;
    return n;
  }

 private:
  NullAudioDevice* device_;  // owned by the player
  SoundPlayer sound_;
};
