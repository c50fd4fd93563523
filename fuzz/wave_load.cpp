// Wave files from arbitrary bytes: the header check, then the conversion the mixer's samples go through.
#include <cstdint>
#include <vector>

#include "engine/platform_sdl_audio.h"
#include "engine/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WaveFormat format;
  std::vector<uint8_t> out;
  if (ReadWaveHeader(data, size, format))
    ConvertWaveSamples(format, data + kWaveHeaderSize, format.dataSize, kAudioS16Lsb, 2, 44100, out);
  return 0;
}
