// Wave files as the sound player takes them: the canonical 44-byte header (RIFF header, a 16-byte
// format chunk at byte 12, the data chunk header at byte 36, samples from byte 44). There is no chunk
// search. A header is accepted only when every value a mixer would trust is sane, so that a damaged
// or foreign file is never handed to the audio device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The format record at byte 20 and the data chunk's size at byte 40 of a canonical wave file.
struct WaveFormat {
  int formatTag = 0;      // 1 = PCM, the only format played
  int channels = 0;       // 1..8
  int sampleRate = 0;     // frames a second, kWaveMinRate..kWaveMaxRate
  int byteRate = 0;       // informational; not trusted
  int blockAlign = 0;     // bytes a frame as the file states it
  int bitsPerSample = 0;  // 8 (unsigned) or 16 (signed little-endian)
  uint32_t dataSize = 0;  // sample bytes from byte 44 on
};

constexpr size_t kWaveHeaderSize = 44;
constexpr int kWaveMinRate = 1000;
constexpr int kWaveMaxRate = 192000;
// Sound effects are short; a file above this size is refused before it is read.
constexpr size_t kWaveMaxFileSize = 16u << 20;

// Reads and checks the header of a whole wave file held in memory. On success fills format and
// returns true; otherwise returns false and sets why (when given) to a short reason. Accepted: the
// "RIFF"/"WAVE"/"fmt "/"data" tags in place, PCM, 1..8 channels, 8 or 16 bits, a block size equal to
// channels x bytes a sample, a rate within limits, and a data size the file really holds.
bool ReadWaveHeader(const uint8_t* bytes, size_t size, WaveFormat& format, std::string* why = nullptr);

// Builds a canonical wave file around the given PCM samples (for tests and the asset generator).
std::vector<uint8_t> MakeWaveFile(int channels, int sampleRate, int bitsPerSample,
                                  const std::vector<uint8_t>& samples);
