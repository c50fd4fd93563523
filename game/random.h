// The game rules' random numbers: one linear congruential generator with the classic C
// library recurrence, starting from seed 1 like an unseeded C library. Written out here because the
// platform's rand() differs between libraries, and recordings must draw the same numbers everywhere.
#pragma once

#include <cstdint>

// Largest value LibRandom() returns.
constexpr int kLibRandomMax = 0x7FFF;

// Advances the generator (seed = seed * 22695477 + 1) and returns (seed >> 16) & 0x7FFF.
int LibRandom();

// The generator's current seed, to save or compare its state.
uint32_t LibRandomSeed();

// Replaces the generator's seed; SetLibRandomSeed(1) restarts the sequence of a fresh process.
void SetLibRandomSeed(uint32_t seed);
