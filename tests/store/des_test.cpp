// The block cipher: the tables and the standard rounds against published DES vectors, the game's variant
// against a plain bit-by-bit reading of its definition, and the table-driven cipher against the simple
// bit-loop cipher it replaced, on many random keys and blocks.
#include <gtest/gtest.h>

#include <bit>
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
// ---- the simple cipher the table-driven one replaced
// -------------------------------------------------------- Permutations bit by bit through the standard
// tables; S-boxes and P merged, the game's byte reversal around the round function as its definition says.
class SlowDes {
 public:
  SlowDes(const Block& key, bool game) : game_(game) {
    uint64_t cd = Permute(Load(key), des_tables::kPermutedChoice1, 64);
    uint32_t c = uint32_t(cd >> 28) & 0xFFFFFFFu, d = uint32_t(cd) & 0xFFFFFFFu;
    for (int round = 0; round < 16; ++round) {
      for (int s = 0; s < des_tables::kKeyShifts[round]; ++s) {
        c = ((c << 1) | (c >> 27)) & 0xFFFFFFFu;
        d = ((d << 1) | (d >> 27)) & 0xFFFFFFFu;
      }
      uint64_t k = Permute((uint64_t(c) << 28) | d, des_tables::kPermutedChoice2, 56);
      for (int box = 0; box < 8; ++box)
        subkeys_[round][box] = uint8_t((k >> (42 - 6 * box)) & 63);
    }
    for (int i = 0; i < 64; ++i)
      final_[des_tables::kInitialPermutation[i] - 1] = uint8_t(i + 1);
    for (int box = 0; box < 8; ++box)
      for (int six = 0; six < 64; ++six) {
        int row = ((six >> 4) & 2) | (six & 1), column = (six >> 1) & 15;
        uint32_t placed = uint32_t(des_tables::kSBoxes[box][row * 16 + column]) << (28 - 4 * box);
        sp_[box][six] = uint32_t(Permute(placed, des_tables::kPermutationP, 32));
      }
  }

  Block Crypt(const Block& in, bool decrypt) const {
    uint64_t permuted = Permute(Load(in), des_tables::kInitialPermutation, 64);
    uint32_t left = uint32_t(permuted >> 32), right = uint32_t(permuted);
    for (int i = 0; i < 16; ++i) {
      int round = decrypt ? 15 - i : i;
      uint32_t f = game_ ? __builtin_bswap32(Round(__builtin_bswap32(right), round)) : Round(right, round);
      uint32_t next = left ^ f;
      left = right;
      right = next;
    }
    return FromHex(Permute((uint64_t(right) << 32) | left, final_, 64));
  }

 private:
  static uint64_t Load(const Block& b) {
    uint64_t v = 0;
    for (uint8_t byte : b)
      v = (v << 8) | byte;
    return v;
  }
  template <size_t N>
  static uint64_t Permute(uint64_t value, const uint8_t (&table)[N], int inWidth) {
    uint64_t out = 0;
    for (size_t i = 0; i < N; ++i)
      out = (out << 1) | ((value >> (inWidth - table[i])) & 1u);
    return out;
  }
  uint32_t Round(uint32_t half, int round) const {
    uint32_t out = 0;
    for (int box = 0; box < 8; ++box)
      out ^= sp_[box][((std::rotl(half, (4 * box + 31) % 32) >> 26) & 63) ^ subkeys_[round][box]];
    return out;
  }

  uint8_t subkeys_[16][8]{};
  uint8_t final_[64]{};
  uint32_t sp_[8][64]{};
  bool game_;
};

TEST(Des, TableCipherGivesTheSimpleCiphersResultsOnRandomBlocks) {
  std::mt19937_64 rng(20261206);
  for (bool game : {true, false}) {
    const DesRounds rounds = game ? DesRounds::kGame : DesRounds::kStandard;
    for (int k = 0; k < 200; ++k) {
      const Block key = FromHex(rng());
      const SlowDes slow(key, game);
      const DesCipher fast(key.data(), rounds);
      for (int i = 0; i < 100; ++i) {
        // Random blocks, plus blocks of a single set or cleared bit that exercise each position alone.
        const uint64_t v = i < 64 ? (k % 2 ? ~(uint64_t(1) << i) : uint64_t(1) << i) : rng();
        Block block = FromHex(v), out;
        fast.EncryptBlock(block.data(), out.data());
        ASSERT_EQ(out, slow.Crypt(block, false)) << "game " << game << " key " << k << " block " << i;
        fast.DecryptBlock(block.data(), out.data());
        ASSERT_EQ(out, slow.Crypt(block, true)) << "game " << game << " key " << k << " block " << i;
        fast.EncryptBlock(block.data(), block.data());  // in place
        ASSERT_EQ(block, slow.Crypt(FromHex(v), false));
      }
    }
  }
}
TEST(Des, ChainedDecipheringMatchesBlockByBlock) {
  std::mt19937_64 rng(99);
  for (bool game : {true, false}) {
    const Block key = FromHex(rng());
    const DesCipher cipher(key.data(), game ? DesRounds::kGame : DesRounds::kStandard);
    // Counts around the number of blocks deciphered side by side.
    for (size_t count : {0, 1, 3, 4, 5, 7, 8, 9, 33}) {
      std::vector<uint8_t> data(8 * count), expected(8 * count), out(8 * count);
      for (uint8_t& byte : data)
        byte = uint8_t(rng());
      const Block start = FromHex(rng());
      Block previous = start;
      for (size_t i = 0; i < count; ++i) {
        cipher.DecryptBlock(&data[8 * i], &expected[8 * i]);
        for (int j = 0; j < 8; ++j)
          expected[8 * i + size_t(j)] ^= previous[size_t(j)];
        std::copy_n(&data[8 * i], 8, previous.begin());
      }
      Block chain = start;
      cipher.DecryptChained(data.data(), out.data(), count, chain.data());
      EXPECT_EQ(out, expected) << count;
      EXPECT_EQ(chain, previous) << count;
      // In place, continuing a chain.
      chain = start;
      cipher.DecryptChained(data.data(), data.data(), count, chain.data());
      EXPECT_EQ(data, expected) << count;
    }
  }
}
}  // namespace
