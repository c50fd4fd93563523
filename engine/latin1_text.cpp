#include "engine/latin1_text.h"

#include <cstdint>

namespace {
// The byte count of a sequence by its lead byte; 0 for a byte that cannot lead one.
size_t SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}
}  // namespace

std::string Utf8ToLatin1(std::string_view utf8) {
  // The smallest code point each length may carry: a longer form of a smaller one is malformed.
  static constexpr uint32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<uint8_t>(utf8[i]);
    const size_t length = SequenceLength(lead);
    // A stray byte is skipped alone, so that the next whole character is still read.
    if (length == 0 || i + length > utf8.size()) {
      ++i;
      continue;
    }
    uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    size_t k = 1;
    for (; k < length && (static_cast<uint8_t>(utf8[i + k]) & 0xC0) == 0x80; ++k)
      code = (code << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
    if (k < length) {
      ++i;
      continue;
    }
    i += length;
    if (code >= kShortest[length] && code <= 0xFF) out += static_cast<char>(code);
  }
  return out;
}
