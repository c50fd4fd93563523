// Bit numbering follows the DES standard: bit 1 is the most significant bit of a block or half.
//
// Sections: standard tables · tables derived at compile time · the cipher
#include "store/des.h"

#include <bit>
#include <cstddef>

namespace {
// ---- standard tables -----------------------------------------------------------------------------------
constexpr uint8_t kInitialPermutation[64] = {58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
                                             62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
                                             57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
                                             61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

constexpr uint8_t kPermutationP[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                       2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kPermutedChoice1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
                                          10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
                                          63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
                                          14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPermutedChoice2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                                          26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                                          51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kKeyShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kSBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11},
};

// ---- tables derived at compile time ----------------------------------------------------------------------
// Bit n (1 = most significant) of a width-bit value.
constexpr uint64_t Bit(uint64_t value, int n, int width) {
  return (value >> (width - n)) & 1u;
}

// Output bit i of an outWidth-bit result is input bit table[i] of an inWidth-bit value.
template <size_t N>
constexpr uint64_t Permute(uint64_t value, const uint8_t (&table)[N], int inWidth) {
  uint64_t out = 0;
  for (size_t i = 0; i < N; ++i)
    out = (out << 1) | Bit(value, table[i], inWidth);
  return out;
}

struct FinalPermutation {
  uint8_t table[64]{};
  constexpr FinalPermutation() {
    for (int i = 0; i < 64; ++i)
      table[kInitialPermutation[i] - 1] = uint8_t(i + 1);
  }
};
constexpr FinalPermutation kFinal;

// The S-boxes followed by the permutation P: entry [box][six input bits] is the S-box's four output bits
// in their place in the 32-bit half, already permuted by P.
struct SpTables {
  uint32_t sp[8][64]{};
  constexpr SpTables() {
    for (int box = 0; box < 8; ++box) {
      for (int six = 0; six < 64; ++six) {
        int row = ((six >> 4) & 2) | (six & 1);
        int column = (six >> 1) & 15;
        uint32_t placed = uint32_t(kSBoxes[box][row * 16 + column]) << (28 - 4 * box);
        sp[box][six] = uint32_t(Permute(placed, kPermutationP, 32));
      }
    }
  }
};
constexpr SpTables kSp;

static_assert(kFinal.table[0] == 40 && kFinal.table[63] == 25,
              "final permutation must invert the initial one");
static_assert(kSp.sp[0][0] == Permute(uint64_t(14) << 28, kPermutationP, 32), "S-box 1 row 0 column 0 is 14");

uint64_t Load64(const uint8_t b[8]) {
  uint64_t v = 0;
  for (int i = 0; i < 8; ++i)
    v = (v << 8) | b[i];
  return v;
}

void Store64(uint64_t v, uint8_t b[8]) {
  for (int i = 7; i >= 0; --i, v >>= 8)
    b[i] = uint8_t(v);
}
}  // namespace

// ---- the cipher
// --------------------------------------------------------------------------------------------
DesCipher::DesCipher(const uint8_t key[8], DesRounds rounds) : rounds_(rounds) {
  uint64_t cd = Permute(Load64(key), kPermutedChoice1, 64);  // 56 bits: C in the high 28, D in the low 28
  uint32_t c = uint32_t(cd >> 28) & 0xFFFFFFFu, d = uint32_t(cd) & 0xFFFFFFFu;
  for (int round = 0; round < 16; ++round) {
    for (int s = 0; s < kKeyShifts[round]; ++s) {
      c = ((c << 1) | (c >> 27)) & 0xFFFFFFFu;
      d = ((d << 1) | (d >> 27)) & 0xFFFFFFFu;
    }
    uint64_t k = Permute((uint64_t(c) << 28) | d, kPermutedChoice2, 56);  // 48 bits
    for (int box = 0; box < 8; ++box)
      subkeys_[round][box] = uint8_t((k >> (42 - 6 * box)) & 63);
  }
}

uint32_t DesCipher::RoundFunction(uint32_t half, int round) const {
  // The expansion E gives each S-box the six bits 4 * box .. 4 * box + 5 of the half, wrapping around.
  uint32_t out = 0;
  for (int box = 0; box < 8; ++box) {
    uint32_t six = (std::rotl(half, (4 * box + 31) % 32) >> 26) & 63;
    out ^= kSp.sp[box][six ^ subkeys_[round][box]];
  }
  return out;
}

uint64_t DesCipher::Crypt(uint64_t block, bool decrypt) const {
  uint64_t permuted = Permute(block, kInitialPermutation, 64);
  uint32_t left = uint32_t(permuted >> 32), right = uint32_t(permuted);
  const bool game = rounds_ == DesRounds::kGame;
  for (int i = 0; i < 16; ++i) {
    int round = decrypt ? 15 - i : i;
    uint32_t f = game ? __builtin_bswap32(RoundFunction(__builtin_bswap32(right), round))
                      : RoundFunction(right, round);
    uint32_t next = left ^ f;
    left = right;
    right = next;
  }
  return Permute((uint64_t(right) << 32) | left, kFinal.table, 64);
}

void DesCipher::EncryptBlock(const uint8_t in[8], uint8_t out[8]) const {
  Store64(Crypt(Load64(in), false), out);
}

void DesCipher::DecryptBlock(const uint8_t in[8], uint8_t out[8]) const {
  Store64(Crypt(Load64(in), true), out);
}
