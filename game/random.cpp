#include "game/random.h"

#include "game/game_context.h"

int LibRandom() {
  // Unsigned arithmetic wraps modulo 2^32 exactly as the 32-bit recurrence requires.
  uint32_t& g_seed = Game().randomSeed;
  g_seed = g_seed * 22695477u + 1u;
  return static_cast<int>((g_seed >> 16) & 0x7FFFu);
}

uint32_t LibRandomSeed() {
  return Game().randomSeed;
}

void SetLibRandomSeed(uint32_t seed) {
  Game().randomSeed = seed;
}
