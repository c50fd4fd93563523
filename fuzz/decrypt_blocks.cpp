// The block layer on arbitrary bytes: the first 8 bytes are the key, the rest the enciphered data.
// Deciphering must stay inside the buffer it was given, size queries must write nothing, and
// enciphering the data must decipher back to it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "store/cipher_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const uint8_t *key = data, *body = data + 8;
  const size_t length = size - 8, whole = length - length % 8;
  // Exactly the whole-block length, so the sanitizer sees any write beyond it; then one byte short.
  std::vector<uint8_t> out(whole), small(whole ? whole - 1 : 0, 0xAB), back(EncipheredLength(length));
  ptrdiff_t n = DecryptBlocks(kCipherModeDes, body, length, out.data(), out.size(), key, 8);
  if (whole < 8 ? n != 0 : n != ptrdiff_t(whole) - 8 + int8_t(out[whole - 1])) std::abort();
  if (whole >= 8 &&
      DecryptBlocks(kCipherModeDes, body, length, small.data(), small.size(), key, 8) != ptrdiff_t(whole))
    std::abort();
  for (uint8_t b : small)
    if (b != 0xAB) std::abort();
  std::vector<uint8_t> enc(back.size());
  if (EncryptBlocks(kCipherModeDes, body, length, enc.data(), enc.size(), key, 8) != enc.size()) std::abort();
  n = DecryptBlocks(kCipherModeDes, enc.data(), enc.size(), back.data(), back.size(), key, 8);
  if (n != ptrdiff_t(length) || (length && std::memcmp(back.data(), body, length) != 0)) std::abort();
  return 0;
}
