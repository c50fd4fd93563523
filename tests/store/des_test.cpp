// The block cipher: the tables and the standard rounds against published DES vectors, then the game's
// variant against a plain bit-by-bit reading of its definition.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "store/des.h"
#include "store/des_tables.h"

namespace {
using Block = std::array<uint8_t, 8>;

Block FromHex(uint64_t v) {
  Block b;
  for (int i = 7; i >= 0; --i, v >>= 8)
    b[i] = uint8_t(v);
  return b;
}

Block Encrypt(uint64_t key, uint64_t plain, DesRounds rounds) {
  Block k = FromHex(key), in = FromHex(plain), out;
  DesCipher(k.data(), rounds).EncryptBlock(in.data(), out.data());
  return out;
}

// Published DES known answers: (key, plain, cipher).
struct Vector {
  uint64_t key, plain, cipher;
};
constexpr Vector kPublished[] = {
    {0x133457799BBCDFF1, 0x0123456789ABCDEF, 0x85E813540F0AB405},
    {0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},  // "Now is t"
    {0x0E329232EA6D0D73, 0x8787878787878787, 0x0000000000000000},
    {0x0101010101010101, 0x95F8A5E5DD31D900, 0x8000000000000000},
    {0x8001010101010101, 0x0000000000000000, 0x95A8D72813DAA94D},
};

TEST(Des, StandardRoundsGivePublishedVectors) {
  for (const Vector& v : kPublished) {
    EXPECT_EQ(Encrypt(v.key, v.plain, DesRounds::kStandard), FromHex(v.cipher)) << std::hex << v.key;
    Block k = FromHex(v.key), c = FromHex(v.cipher), back;
    DesCipher(k.data(), DesRounds::kStandard).DecryptBlock(c.data(), back.data());
    EXPECT_EQ(back, FromHex(v.plain));
  }
}

// ---- a bit-by-bit reading of the game's rounds -----------------------------------------------------------
// Bits as arrays of 0/1, index 0 = bit 1 of the standard; shares only the standard tables (checked above).
using Bits = std::vector<int>;

Bits ToBits(const Block& b) {
  Bits bits;
  for (uint8_t byte : b)
    for (int i = 7; i >= 0; --i)
      bits.push_back((byte >> i) & 1);
  return bits;
}

template <size_t N>
Bits Select(const Bits& in, const uint8_t (&table)[N]) {
  Bits out;
  for (uint8_t t : table)
    out.push_back(in[t - 1]);
  return out;
}

constexpr uint8_t kExpansion[48] = {32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                    12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                    22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};

Bits ByteReversed(const Bits& half) {
  Bits out;
  for (int byte = 3; byte >= 0; --byte)
    out.insert(out.end(), half.begin() + byte * 8, half.begin() + byte * 8 + 8);
  return out;
}

Bits F(const Bits& r, const Bits& k) {
  Bits e = Select(r, kExpansion), s;
  for (int i = 0; i < 48; ++i)
    e[i] ^= k[i];
  for (int box = 0; box < 8; ++box) {
    const int* b = &e[box * 6];
    int row = b[0] * 2 + b[5], col = b[1] * 8 + b[2] * 4 + b[3] * 2 + b[4];
    int v = des_tables::kSBoxes[box][row * 16 + col];
    for (int i = 3; i >= 0; --i)
      s.push_back((v >> i) & 1);
  }
  return Select(s, des_tables::kPermutationP);
}

Block ReferenceEncrypt(const Block& key, const Block& plain, bool game) {
  Bits cd = Select(ToBits(key), des_tables::kPermutedChoice1);
  Bits c(cd.begin(), cd.begin() + 28), d(cd.begin() + 28, cd.end());
  Bits block = Select(ToBits(plain), des_tables::kInitialPermutation);
  Bits l(block.begin(), block.begin() + 32), r(block.begin() + 32, block.end());
  for (int round = 0; round < 16; ++round) {
    for (int s = 0; s < des_tables::kKeyShifts[round]; ++s) {
      std::rotate(c.begin(), c.begin() + 1, c.end());
      std::rotate(d.begin(), d.begin() + 1, d.end());
    }
    Bits joined = c;
    joined.insert(joined.end(), d.begin(), d.end());
    Bits k = Select(joined, des_tables::kPermutedChoice2);
    Bits f = game ? ByteReversed(F(ByteReversed(r), k)) : F(r, k);
    for (int i = 0; i < 32; ++i)
      l[i] ^= f[i];
    std::swap(l, r);
  }
  Bits pre = r;
  pre.insert(pre.end(), l.begin(), l.end());
  Bits out(64);
  for (int i = 0; i < 64; ++i)
    out[des_tables::kInitialPermutation[i] - 1] = pre[i];
  Block b{};
  for (int i = 0; i < 64; ++i)
    b[i / 8] = uint8_t(b[i / 8] << 1 | out[i]);
  return b;
}

TEST(Des, ReferenceReadingAgreesWithPublishedVectors) {
  for (const Vector& v : kPublished)
    EXPECT_EQ(ReferenceEncrypt(FromHex(v.key), FromHex(v.plain), false), FromHex(v.cipher));
}

TEST(Des, GameRoundsMatchTheirDefinitionAndInvert) {
  std::mt19937_64 rng(7);
  for (int i = 0; i < 200; ++i) {
    Block key = FromHex(rng()), plain = FromHex(rng()), out, back;
    DesCipher cipher(key.data());
    cipher.EncryptBlock(plain.data(), out.data());
    ASSERT_EQ(out, ReferenceEncrypt(key, plain, true)) << i;
    cipher.DecryptBlock(out.data(), back.data());
    ASSERT_EQ(back, plain);
  }
  // The variant is not standard DES: files of one cannot be read by the other.
  EXPECT_NE(Encrypt(0x133457799BBCDFF1, 0x0123456789ABCDEF, DesRounds::kGame), FromHex(0x85E813540F0AB405));
}

TEST(Des, ParityBitsOfTheKeyAreIgnored) {
  EXPECT_EQ(Encrypt(0x0123456789ABCDEF, 42, DesRounds::kGame),
            Encrypt(0x0022446688AACCEE, 42, DesRounds::kGame));
}
}  // namespace
