// The block cipher: the standard tables and rounds against published DES vectors, and the game's rounds
// against a plain bit-by-bit reading of their definition on random keys and blocks.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "store/des.h"
#include "store/des_tables.h"

namespace {
// One block through DesCipher, as numbers (bit 1 the most significant).
uint64_t Crypt(uint64_t key, uint64_t block, DesRounds rounds, bool decrypt = false) {
  uint8_t k[8], b[8];
  for (int i = 0; i < 8; ++i)
    k[i] = uint8_t(key >> (56 - 8 * i)), b[i] = uint8_t(block >> (56 - 8 * i));
  const DesCipher cipher(k, rounds);
  decrypt ? cipher.DecryptBlock(b, b) : cipher.EncryptBlock(b, b);
  uint64_t out = 0;
  for (uint8_t byte : b)
    out = out << 8 | byte;
  return out;
}

// Output bit i is input bit table[i] of a width-bit value (bit 1 the most significant), one at a time.
template <size_t N>
uint64_t Select(uint64_t in, const uint8_t (&table)[N], int width) {
  uint64_t out = 0;
  for (uint8_t t : table)
    out = out << 1 | ((in >> (width - t)) & 1);
  return out;
}

// The game's rounds read each half with its four bytes reversed around the round function.
uint64_t ReferenceEncrypt(uint64_t key, uint64_t plain, bool game) {
  static constexpr uint8_t kExpansion[48] = {32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                             12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                             22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};
  using namespace des_tables;
  const uint64_t cd = Select(key, kPermutedChoice1, 64);
  uint32_t c = uint32_t(cd >> 28), d = cd & 0xFFFFFFF;
  const uint64_t block = Select(plain, kInitialPermutation, 64);
  uint32_t l = uint32_t(block >> 32), r = uint32_t(block);
  for (int round = 0; round < 16; ++round) {
    for (int s = 0; s < kKeyShifts[round]; ++s)
      c = (c << 1 | c >> 27) & 0xFFFFFFF, d = (d << 1 | d >> 27) & 0xFFFFFFF;
    const uint64_t e = Select(game ? __builtin_bswap32(r) : r, kExpansion, 32) ^
                       Select(uint64_t(c) << 28 | d, kPermutedChoice2, 56);
    uint64_t s = 0;
    for (int box = 0; box < 8; ++box) {
      const int six = int(e >> (42 - 6 * box)) & 63;
      s = s << 4 | kSBoxes[box][((six >> 4 & 2) | (six & 1)) * 16 + (six >> 1 & 15)];
    }
    const uint32_t f = uint32_t(Select(s, kPermutationP, 32));
    l ^= game ? __builtin_bswap32(f) : f;
    std::swap(l, r);
  }
  const uint64_t joined = uint64_t(r) << 32 | l;
  uint64_t out = 0;
  for (int i = 0; i < 64; ++i)
    out |= ((joined >> (63 - i)) & 1) << (64 - kInitialPermutation[i]);
  return out;
}

TEST(Des, StandardRoundsAndTheReferenceGivePublishedVectors) {
  struct Vector {
    uint64_t key, plain, cipher;
  };
  constexpr Vector kPublished[] = {
      {0x133457799BBCDFF1, 0x0123456789ABCDEF, 0x85E813540F0AB405},
      {0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},
      {0x0E329232EA6D0D73, 0x8787878787878787, 0x0000000000000000},
      {0x0101010101010101, 0x95F8A5E5DD31D900, 0x8000000000000000},
      {0x8001010101010101, 0x0000000000000000, 0x95A8D72813DAA94D},
  };
  for (const Vector& v : kPublished) {
    EXPECT_EQ(Crypt(v.key, v.plain, DesRounds::kStandard), v.cipher) << std::hex << v.key;
    EXPECT_EQ(Crypt(v.key, v.cipher, DesRounds::kStandard, true), v.plain) << std::hex << v.key;
    EXPECT_EQ(ReferenceEncrypt(v.key, v.plain, false), v.cipher) << std::hex << v.key;
  }
}

// Single set bits first, so that every position is seen alone, then random blocks.
TEST(Des, GameRoundsMatchTheirDefinitionAndInvert) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 300; ++i) {
    const uint64_t key = rng(), plain = i < 64 ? uint64_t(1) << i : rng();
    const uint64_t out = Crypt(key, plain, DesRounds::kGame);
    ASSERT_EQ(out, ReferenceEncrypt(key, plain, true)) << i;
    ASSERT_EQ(Crypt(key, out, DesRounds::kGame, true), plain) << i;
  }
}
}  // namespace
