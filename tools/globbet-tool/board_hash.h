// The board hash that globbet-tool prints after a game's end and that the recorded-game suite keeps:
// FNV-1a 64 over the 272 cell codes, cell 0 first, each code as one byte (-1, an empty cell, is 0xff).
// Written as 16 lower-case hexadecimal digits. Changing it invalidates every stored manifest.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "game/board_geometry.h"

namespace headless {

// FNV-1a 64 of the cell codes (see above).
inline std::uint64_t BoardHash(const std::array<int, kCellCount>& cells) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (int cell : cells) {
    hash ^= static_cast<std::uint8_t>(cell);
    hash *= 0x100000001b3u;
  }
  return hash;
}

// The hash as it is printed: 16 lower-case hexadecimal digits.
inline std::string BoardHashText(const std::array<int, kCellCount>& cells) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(BoardHash(cells)));
  return text;
}

}  // namespace headless
