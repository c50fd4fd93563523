#include "engine/platform_sdl_audio.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <dlfcn.h>

#include "engine/log.h"

static_assert(kAudioS16Lsb == AUDIO_S16LSB, "kAudioS16Lsb must be SDL's AUDIO_S16LSB");

namespace {
// Enough for short effects at a modest latency.
constexpr int kMixRate = 44100, kMixChannels = 2, kMixChunk = 1024;

// ALSA prints a line to standard error for every card and device it fails to find while SDL tries it,
// eight or more on a machine without sound. Its error hook is replaced by a silent one before SDL loads
// the library (the library stays loaded, so SDL's own load shares the hook); a failed open is then said
// once, by the caller. Without ALSA on the machine there is nothing to quieten.
extern "C" void QuietAlsaError(const char*, int, const char*, int, const char*, ...) {}

void QuietAlsa() {
  using ErrorHook = void (*)(const char*, int, const char*, int, const char*, ...);
  // The library, once opened, does not change: not process state.
  static void* const alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!alsa) return;
  if (auto set = reinterpret_cast<int (*)(ErrorHook)>(dlsym(alsa, "snd_lib_error_set_handler")))
    set(QuietAlsaError);
}

bool OpenMixer() {
  QuietAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudioDevice(kMixRate, AUDIO_S16SYS, kMixChannels, kMixChunk, nullptr,
                          SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) == 0)
    return true;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return false;
}
}  // namespace

SdlAudioDevice::~SdlAudioDevice() {
  Close();
}

bool SdlAudioDevice::Open() {
  if (tried_) return open_;
  tried_ = true;
  if (!OpenMixer()) {
    Log(LogLevel::kWarning, "no sound output (%s); the game runs silent", SDL_GetError());
    return false;
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) == 0) {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  outFormat_ = format;
  outChannels_ = channels;
  outRate_ = rate;
  channels_ = Mix_AllocateChannels(-1);  // -1 asks without changing
  open_ = true;
  return true;
}

void SdlAudioDevice::Close() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  for (auto& entry : samples_)
    Mix_FreeChunk(entry.second.chunk);
  samples_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

int SdlAudioDevice::CreateSample(const WaveFormat& format, const uint8_t* samples, size_t size) {
  if (!open_) return 0;
  Sample sample;
  if (!ConvertWaveSamples(format, samples, size, outFormat_, outChannels_, outRate_, sample.data) ||
      sample.data.empty())
    return 0;
  sample.chunk = Mix_QuickLoad_RAW(sample.data.data(), Uint32(sample.data.size()));
  if (!sample.chunk) return 0;
  const int handle = nextSample_++;
  samples_.emplace(handle, std::move(sample));
  return handle;
}

void SdlAudioDevice::DestroySample(int sample) {
  const auto it = samples_.find(sample);
  if (it == samples_.end()) return;
  Mix_FreeChunk(it->second.chunk);  // also stops it on every channel it plays on
  samples_.erase(it);
}

void SdlAudioDevice::ReserveChannels(int count) {
  if (open_ && count > channels_) channels_ = Mix_AllocateChannels(count);
}

void SdlAudioDevice::PlayOnChannel(int channel, int sample) {
  const auto it = samples_.find(sample);
  if (!open_ || channel < 0 || channel >= channels_ || it == samples_.end()) return;
  Mix_PlayChannel(channel, it->second.chunk, 0);
}

void SdlAudioDevice::HaltChannel(int channel) {
  if (open_ && channel >= -1 && channel < channels_) Mix_HaltChannel(channel);
}

bool SdlAudioDevice::IsChannelPlaying(int channel) const {
  return open_ && channel >= 0 && channel < channels_ && Mix_Playing(channel) != 0;
}

bool ConvertWaveSamples(const WaveFormat& format, const uint8_t* samples, size_t size, int outFormat,
                        int outChannels, int outRate, std::vector<uint8_t>& out) {
  out.clear();
  if (!samples || format.blockAlign <= 0 || format.sampleRate <= 0 || outRate <= 0 || outChannels <= 0)
    return false;
  // Whole frames only: a partial frame at the end would be misread as a sample.
  const size_t frames = size / size_t(format.blockAlign);
  const size_t outFrameBytes = size_t(SDL_AUDIO_BITSIZE(outFormat) / 8) * size_t(outChannels);
  // Estimated before converting, so that a slow rate cannot blow a small file up to gigabytes.
  const double estimate = double(frames) * outRate / format.sampleRate * double(outFrameBytes);
  if (frames == 0 || estimate > double(kMaxConvertedBytes)) return false;

  // SDL's whole-buffer converter: exact lengths (its streaming converter drops the resampler's tail).
  const SDL_AudioFormat inFormat = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, inFormat, Uint8(format.channels), format.sampleRate, SDL_AudioFormat(outFormat),
                        Uint8(outChannels), outRate) < 0)
    return false;
  const size_t inBytes = frames * size_t(format.blockAlign);
  const size_t work = inBytes * size_t(cvt.len_mult > 0 ? cvt.len_mult : 1);
  if (work > 4 * kMaxConvertedBytes || inBytes > size_t(INT32_MAX)) return false;
  out.assign(samples, samples + inBytes);
  out.resize(work);
  cvt.buf = out.data();
  cvt.len = int(inBytes);
  if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
    out.clear();
    return false;
  }
  out.resize(cvt.needed ? size_t(cvt.len_cvt) : inBytes);
  out.shrink_to_fit();
  return !out.empty();
}

std::unique_ptr<AudioDevice> MakeSdlAudioDevice() {
  return std::make_unique<SdlAudioDevice>();
}
