// Bit numbering follows the DES standard: bit 1 is the most significant bit of a block or half.
//
// Sections: tables derived at compile time · the cipher
#include "store/des.h"

#include "store/des_tables.h"

#include <bit>
#include <cstddef>

namespace {
using namespace des_tables;

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
