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

}  // namespace
