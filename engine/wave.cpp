#include "engine/wave.h"

#include <cstring>

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int ReadU16(const uint8_t* p) {
  return int(p[0]) | int(p[1]) << 8;
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(uint8_t(v >> (8 * i)));
}
void PutU16(std::vector<uint8_t>& out, int v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

bool Fail(std::string* why, const char* reason) {
  if (why) *why = reason;
  return false;
}

}  // namespace

bool ReadWaveHeader(const uint8_t* bytes, size_t size, WaveFormat& format, std::string* why) {
  if (!bytes || size < kWaveHeaderSize) return Fail(why, "shorter than a wave header");
  if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
    return Fail(why, "not a RIFF wave file");
  if (std::memcmp(bytes + 12, "fmt ", 4) != 0 || ReadU32(bytes + 16) != 16)
    return Fail(why, "no 16-byte format chunk at byte 12");
  if (std::memcmp(bytes + 36, "data", 4) != 0) return Fail(why, "no data chunk at byte 36");

  WaveFormat f;
  f.formatTag = ReadU16(bytes + 20);
  f.channels = ReadU16(bytes + 22);
  const uint32_t rate = ReadU32(bytes + 24);
  f.byteRate = int(ReadU32(bytes + 28) & 0x7FFFFFFF);
  f.blockAlign = ReadU16(bytes + 32);
  f.bitsPerSample = ReadU16(bytes + 34);
  f.dataSize = ReadU32(bytes + 40);

  if (f.formatTag != 1) return Fail(why, "not PCM");
  if (f.channels < 1 || f.channels > 8) return Fail(why, "channel count out of range");
  if (f.bitsPerSample != 8 && f.bitsPerSample != 16) return Fail(why, "bits a sample not 8 or 16");
  if (f.blockAlign == 0 || f.blockAlign != f.channels * f.bitsPerSample / 8)
    return Fail(why, "block size does not match the channels and bits");
  if (rate < uint32_t(kWaveMinRate) || rate > uint32_t(kWaveMaxRate))
    return Fail(why, "sample rate out of range");
  f.sampleRate = int(rate);
  if (f.dataSize > size - kWaveHeaderSize) return Fail(why, "header claims more data than the file holds");
  format = f;
  return true;
}

std::vector<uint8_t> MakeWaveFile(int channels, int sampleRate, int bitsPerSample,
                                  const std::vector<uint8_t>& samples) {
  std::vector<uint8_t> out;
  out.reserve(kWaveHeaderSize + samples.size());
  const int block = channels * bitsPerSample / 8;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  PutU32(out, uint32_t(36 + samples.size()));
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutU32(out, 16);
  PutU16(out, 1);
  PutU16(out, channels);
  PutU32(out, uint32_t(sampleRate));
  PutU32(out, uint32_t(sampleRate * block));
  PutU16(out, block);
  PutU16(out, bitsPerSample);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutU32(out, uint32_t(samples.size()));
  out.insert(out.end(), samples.begin(), samples.end());
  return out;
}
