#include "engine/audio_null.h"

bool NullAudioDevice::Open() {
  ++openCalls_;
  if (!tried_) {
    tried_ = true;
    open_ = available_;
  }
  return open_;
}

int NullAudioDevice::CreateSample(const WaveFormat& format, const uint8_t* samples, size_t size) {
  if (!open_ || !samples || format.blockAlign <= 0 || format.sampleRate <= 0) return 0;
  const size_t frames = size / size_t(format.blockAlign);
  const int lengthMs = int(frames * 1000 / size_t(format.sampleRate));
  samples_[nextSample_] = lengthMs;
  return nextSample_++;
}

void NullAudioDevice::DestroySample(int sample) {
  if (samples_.erase(sample) == 0) return;
  for (Playing& p : channels_)
    if (p.sample == sample) p = Playing{};
}

void NullAudioDevice::ReserveChannels(int count) {
  if (open_ && count > int(channels_.size())) channels_.resize(size_t(count));
}

void NullAudioDevice::PlayOnChannel(int channel, int sample) {
  const auto it = samples_.find(sample);
  if (!open_ || channel < 0 || channel >= int(channels_.size()) || it == samples_.end()) return;
  channels_[size_t(channel)] = Playing{sample, nowMs_ + it->second};
  starts_.push_back(Start{channel, sample, nowMs_});
}

void NullAudioDevice::HaltChannel(int channel) {
  for (size_t i = 0; i < channels_.size(); ++i)
    if (channel == -1 || int(i) == channel) channels_[i] = Playing{};
}

bool NullAudioDevice::IsChannelPlaying(int channel) const {
  return PlayingOn(channel) != 0;
}

int NullAudioDevice::PlayingOn(int channel) const {
  if (channel < 0 || channel >= int(channels_.size())) return 0;
  const Playing& p = channels_[size_t(channel)];
  return p.sample != 0 && nowMs_ < p.endMs ? p.sample : 0;
}
