// Sections: filler · blocks · checksum · whole files
#include "store/cipher_file.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "store/atomic_file.h"
#include "store/des.h"

// ---- filler ------------------------------------------------------------------------------------------
namespace {
// Filler bytes carry no meaning; they only keep equal texts from giving equal closing blocks. Each call
// seeds its own generator from the clock, so the layer keeps no state and never draws from the game's
// generator, whose sequence recordings replay.
class Filler {
 public:
  Filler() : state_(uint64_t(std::chrono::steady_clock::now().time_since_epoch().count())) {}
  uint8_t Next() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint8_t((z ^ (z >> 31)) >> 24);
  }

 private:
  uint64_t state_;
};

// The cipher set up from the first 8 key bytes, zero-padded.
DesCipher MakeCipher(const uint8_t* key, size_t keyLength) {
  uint8_t k[8] = {};
  if (key) std::memcpy(k, key, keyLength < 8 ? keyLength : 8);
  return DesCipher(k);
}
}  // namespace

// ---- blocks ------------------------------------------------------------------------------------------
size_t EncipheredLength(size_t plainLength) {
  return plainLength - plainLength % 8 + 8;
}

size_t EncryptBlocks(int mode, const uint8_t* plain, size_t plainLength, uint8_t* out, size_t outCapacity,
                     const uint8_t* key, size_t keyLength) {
  if (mode != kCipherModeDes) return 0;
  const size_t length = EncipheredLength(plainLength);
  if (outCapacity < length || !out || (plainLength && !plain)) return length;
  const DesCipher cipher = MakeCipher(key, keyLength);
  Filler filler;
  uint8_t chain[8] = {};
  // Every block but the closing one is whole; the closing one holds the n mod 8 remaining bytes, filler
  // and the count.
  for (size_t offset = 0; offset < length; offset += 8) {
    uint8_t block[8];
    size_t take = plainLength - offset < 8 ? plainLength - offset : 8;
    std::memcpy(block, plain + offset, take);
    if (take < 8) {
      for (size_t i = take; i < 7; ++i)
        block[i] = filler.Next();
      block[7] = uint8_t(take);
    }
    for (int i = 0; i < 8; ++i)
      block[i] ^= chain[i];
    cipher.EncryptBlock(block, chain);
    std::memcpy(out + offset, chain, 8);
  }
  return length;
}

ptrdiff_t DecryptBlocks(int mode, const uint8_t* data, size_t length, uint8_t* out, size_t outCapacity,
                        const uint8_t* key, size_t keyLength) {
  if (mode != kCipherModeDes) return 0;
  const size_t whole = length - length % 8;
  if (whole < 8 || !data) return 0;
  if (outCapacity < whole || !out) return ptrdiff_t(whole);
  const DesCipher cipher = MakeCipher(key, keyLength);
  uint8_t chain[8] = {};  // CBC from a zero vector; several blocks go through the rounds at once
  cipher.DecryptChained(data, out, whole / 8, chain);
  return ptrdiff_t(whole) - 8 + int8_t(out[whole - 1]);
}

// ---- checksum ----------------------------------------------------------------------------------------
namespace {
// CRC-32/BZIP2: polynomial 0x04C11DB7, most significant bit first.
struct CrcTable {
  uint32_t entry[256]{};
  constexpr CrcTable() {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i << 24;
      for (int bit = 0; bit < 8; ++bit)
        c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
      entry[i] = c;
    }
  }
};
constexpr CrcTable kCrc;
}  // namespace

uint32_t Crc32(const uint8_t* data, size_t length) {
  if (!data || length == 0) return 0;
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i)
    crc = (crc << 8) ^ kCrc.entry[(crc >> 24) ^ data[i]];
  return crc ^ 0xFFFFFFFFu;
}

uint32_t Crc32(std::string_view data) {
  return Crc32(reinterpret_cast<const uint8_t*>(data.data()), data.size());
}

// ---- whole files -------------------------------------------------------------------------------------
namespace {
// A settings file is a few kilobytes; anything far larger is not one (and a device file never ends).
constexpr size_t kMaxFileBytes = 16u << 20;
}  // namespace

std::string EncodeEncrypted(std::string_view text, const char* key, size_t keyLength) {
  const uint32_t crc = Crc32(text);
  std::string bytes(EncipheredLength(text.size()) + 4, '\0');
  auto* out = reinterpret_cast<uint8_t*>(bytes.data());
  size_t length = EncryptBlocks(kCipherModeDes, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                out, bytes.size() - 4, reinterpret_cast<const uint8_t*>(key), keyLength);
  for (int i = 0; i < 4; ++i)
    out[length + i] = uint8_t(crc >> (8 * i));
  return bytes;
}

bool DecodeEncrypted(std::string_view content, std::string& out, const char* key, size_t keyLength) {
  if (content.size() < 4) return false;
  const size_t body = content.size() - 4;
  const auto* bytes = reinterpret_cast<const uint8_t*>(content.data());
  std::vector<uint8_t> plain(body + 8);
  ptrdiff_t length = DecryptBlocks(kCipherModeDes, bytes, body, plain.data(), plain.size(),
                                   reinterpret_cast<const uint8_t*>(key), keyLength);
  const size_t whole = body - body % 8;
  if (whole >= 8 && plain[whole - 1] > 7) return false;  // not a count byte: damage or another key
  uint32_t stored = 0;
  for (int i = 3; i >= 0; --i)
    stored = (stored << 8) | bytes[body + size_t(i)];
  if (stored != Crc32(plain.data(), size_t(length))) return false;
  out.assign(reinterpret_cast<const char*>(plain.data()), size_t(length));
  return true;
}

bool ReadEncryptedFile(const std::string& fileName, std::string& out, const char* key, size_t keyLength) {
  // A named pipe in the file's place would block the start-up in the open, before any window shows.
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  std::string content;
  char piece[10240];
  for (;;) {
    size_t n = std::fread(piece, 1, sizeof piece, file.get());
    content.append(piece, n);
    if (content.size() > kMaxFileBytes) return false;
    if (n < sizeof piece) break;
  }
  if (std::ferror(file.get())) return false;
  return DecodeEncrypted(content, out, key, keyLength);
}

bool WriteEncryptedFile(const std::string& fileName, std::string_view text, const char* key,
                        size_t keyLength) {
  return WriteFileAtomically(fileName, EncodeEncrypted(text, key, keyLength));
}
