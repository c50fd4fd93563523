#include "game/random.h"

namespace {
uint32_t g_seed = 1;
}  // namespace

int LibRandom() {
  // Unsigned arithmetic wraps modulo 2^32 exactly as the 32-bit recurrence requires.
  g_seed = g_seed * 22695477u + 1u;
  return static_cast<int>((g_seed >> 16) & 0x7FFFu);
}

uint32_t LibRandomSeed() {
  return g_seed;
}

void SetLibRandomSeed(uint32_t seed) {
  g_seed = seed;
}
