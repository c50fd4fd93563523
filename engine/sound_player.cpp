#include "engine/sound_player.h"

#include "engine/engine_context.h"

#include "engine/audio_null.h"
#include "engine/file_bytes.h"
#include "engine/log.h"

SoundPlayer::SoundPlayer(std::unique_ptr<AudioDevice> device) : device_(std::move(device)) {
  if (!device_) device_ = std::make_unique<NullAudioDevice>(false);
}

SoundPlayer::~SoundPlayer() {
  for (auto& [id, entry] : sounds_)
    device_->DestroySample(entry.sample);
}

bool SoundPlayer::SetMode(bool mixSounds) {
  const int wanted = mixSounds ? 1 : 0;
  if (wanted == mode_) return true;
  if (wanted == 0) {
    device_->HaltChannel(-1);
    mode_ = 0;
    return true;
  }
  if (!device_->Open()) return false;
  for (auto& [id, entry] : sounds_) {
    MakeSample(entry);
    GiveChannel(entry);
  }
  mode_ = 1;
  return true;
}

bool SoundPlayer::Load(SoundId id, const std::string& path) {
  std::vector<uint8_t> data;
  LoadResult failure;
  if (!ReadFileBytes(path, kWaveMaxFileSize, data, &failure)) {
    Log(LogLevel::kWarning, "%s: %s; the sound stays silent", path.c_str(), failure.reason.c_str());
    return false;
  }
  WavInfoStruct& entry = sounds_[id];
  device_->DestroySample(entry.sample);
  entry.sample = 0;
  entry.fileName = path;
  entry.fileData = std::move(data);
  WaveFormat format;
  std::string why;
  entry.valid = ReadWaveHeader(entry.fileData.data(), entry.fileData.size(), format, &why);
  if (!entry.valid)
    Log(LogLevel::kWarning, "%s is damaged: %s; the sound stays silent", path.c_str(), why.c_str());
  MakeSample(entry);
  if (mode_ == 1) GiveChannel(entry);
  return true;
}

void SoundPlayer::MakeSample(WavInfoStruct& entry) {
  if (!entry.valid || entry.sample != 0 || !device_->Open()) return;
  WaveFormat format;
  if (!ReadWaveHeader(entry.fileData.data(), entry.fileData.size(), format)) return;
  entry.sample = device_->CreateSample(format, entry.fileData.data() + kWaveHeaderSize, format.dataSize);
}

void SoundPlayer::GiveChannel(WavInfoStruct& entry) {
  if (entry.channel != 0 || entry.sample == 0) return;
  entry.channel = ++channelsGiven_;
  device_->ReserveChannels(channelsGiven_ + 1);
}

void SoundPlayer::Play(SoundId id, bool interrupt) {
  if (!enabled_) return;
  const auto it = sounds_.find(id);
  if (it == sounds_.end() || it->second.sample == 0) return;
  const WavInfoStruct& entry = it->second;
  // Mode 1 plays on the effect's own channel; the shared channel 0 serves mode 0.
  const int channel = mode_ == 1 && entry.channel != 0 ? entry.channel : 0;
  if (channel == 0) device_->ReserveChannels(1);
  if (interrupt || !device_->IsChannelPlaying(channel)) device_->PlayOnChannel(channel, entry.sample);
}

const SoundPlayer::WavInfoStruct* SoundPlayer::Find(SoundId id) const {
  const auto it = sounds_.find(id);
  return it == sounds_.end() ? nullptr : &it->second;
}

SoundPlayer& GetSound() {
  EngineContext& engine = Engine();
  return engine.choices.sound ? *engine.choices.sound : *engine.silent;
}

void SetSound(SoundPlayer* sound) {
  Engine().choices.sound = sound;
}
