#include <gtest/gtest.h>

#include "game/random.h"

namespace {
TEST(LibRandom, FirstValuesFromSeedOneMatchTheClassicSequence) {
  SetLibRandomSeed(1);
  EXPECT_EQ(LibRandom(), 346);
  EXPECT_EQ(LibRandom(), 130);
  EXPECT_EQ(LibRandom(), 10982);
  EXPECT_EQ(LibRandom(), 1090);
  EXPECT_EQ(LibRandom(), 11656);
}

TEST(LibRandom, StateCanBeSavedAndRestored) {
  SetLibRandomSeed(1);
  LibRandom();
  const uint32_t saved = LibRandomSeed();
  const int a = LibRandom();
  const int b = LibRandom();
  SetLibRandomSeed(saved);
  EXPECT_EQ(LibRandom(), a);
  EXPECT_EQ(LibRandom(), b);
}

TEST(LibRandom, SeedWrapsAtThirtyTwoBitsAndValuesStayInRange) {
  SetLibRandomSeed(0xFFFFFFFFu);
  const int v = LibRandom();  // seed = 0xFFFFFFFF * 22695477 + 1 mod 2^32
  EXPECT_EQ(LibRandomSeed(), 0xFFFFFFFFu * 22695477u + 1u);
  EXPECT_EQ(v, static_cast<int>((LibRandomSeed() >> 16) & 0x7FFF));
  for (int i = 0; i < 10000; ++i) {
    const int x = LibRandom();
    ASSERT_GE(x, 0);
    ASSERT_LE(x, kLibRandomMax);
  }
}
}  // namespace
