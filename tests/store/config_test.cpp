// Typed reads and writes of the settings store over its value texts.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "store/config.h"

namespace {
TEST(ConfigInt, ReadsDecimalHexAndOtherKindsOfText) {
  OConfig c;
  EXPECT_EQ(c.GetInt("missing", 42), 42);
  const std::pair<const char*, int> cases[] = {
      {"0x1F", 31},
      {"  -7abc", -7},
      {"\"12\"", 0},
      {"[1 2]", 0},
      {"-2147483648", INT_MIN},
      {"2147483647", INT_MAX},
      {"4294967297", 1},
      {"10x5", 10},
      {"+5", 5},
      {"0xffffffff", -1},
      {"0x123456789", 0x23456789},
      {"0XF", 0},
      {"", 0},
      {"-", 0},
      {"\v\f\r 3", 3},
  };
  for (auto [text, value] : cases) {
    c.SetText("k", text);
    EXPECT_EQ(c.GetInt("k", 99), value) << '"' << text << '"';
  }
  c.SetText("k", "0xg");  // a hex prefix without a digit leaves the default
  EXPECT_EQ(c.GetInt("k", 99), 99);
}

TEST(ConfigIntArray, SplitsAtRunsOfTheSeparator) {
  OConfig c;
  EXPECT_TRUE(c.GetIntArray("missing").empty());
  c.SetText("a", "[1   2 3 ]");
  EXPECT_EQ(c.GetIntArray("a"), (std::vector<int>{1, 2, 3}));
  c.SetText("a", "[]");
  EXPECT_TRUE(c.GetIntArray("a").empty());
  c.SetText("a", "]");
  EXPECT_TRUE(c.GetIntArray("a").empty());
  c.SetText("a", "[ 1,,-2, 0x3]");
  EXPECT_EQ(c.GetIntArray("a", ','), (std::vector<int>{1, -2, 0}));
  c.SetText("a", "{[1 2][3 4]}");  // a block value: only its outer characters are stripped
  EXPECT_EQ(c.GetIntArray("a"), (std::vector<int>{0, 2, 4}));
}

TEST(ConfigIntArray, WritesBracketsAndSeparators) {
  OConfig c;
  c.SetIntArray("a", nullptr, 0);
  EXPECT_EQ(*c.FindText("a"), "[]");
  const int five = 5;
  c.SetIntArray("a", &five, 1);
  EXPECT_EQ(*c.FindText("a"), "[5]");
  c.SetIntArray("a", std::vector<int>{3, 0, -5, INT_MIN}, ' ');
  EXPECT_EQ(*c.FindText("a"), "[3 0 -5 -2147483648]");
  c.SetIntArray("a", std::vector<int>{1, 2}, ';');
  EXPECT_EQ(*c.FindText("a"), "[1;2]");
}

TEST(ConfigString, EscapesRoundTripAndCarriageReturnStaysRaw) {
  OConfig c;
  const std::string tricky("q\"b\\t\tl\nr\rz\0end", 15);
  c.SetString("s", tricky);
  EXPECT_EQ(*c.FindText("s"), "\"q\\\"b\\\\t\\tl\\nr\rz\\0end\"");
  EXPECT_EQ(c.GetString("s"), tricky);
  EXPECT_EQ(c.GetString("missing", "dflt"), "dflt");
  c.SetText("s", "\"a\\qb\"");  // an unknown escape stays as it stands
  EXPECT_EQ(c.GetString("s"), "a\\qb");
  c.SetText("s", "\"ab\\\"");  // a backslash standing last stays (the closing quote is stripped)
  EXPECT_EQ(c.GetString("s"), "ab\\");
  c.SetText("s", "x");
  EXPECT_EQ(c.GetString("s", "d"), "");
}

TEST(Config, EveryValueComesBackAsWritten) {
  OConfig c;
  std::mt19937 rng(11);
  for (int i = 0; i < 500; ++i) {
    int v = int(rng());
    c.SetInt("i", v);
    ASSERT_EQ(c.GetInt("i", 0), v);
    std::vector<int> a(rng() % 8);
    for (int& x : a)
      x = int(rng());
    c.SetIntArray("a", a);
    ASSERT_EQ(c.GetIntArray("a"), a);
    std::string s(rng() % 20, '\0');
    for (char& ch : s)
      ch = char(rng());
    c.SetString("s", s);
    ASSERT_EQ(c.GetString("s"), s);
  }
}

TEST(Config, WritingAKeyTwiceKeepsTheLastValue) {
  OConfig c;
  c.SetInt("Game.Options.Level", 1);
  c.SetString("Game.Options.Level", "two");
  EXPECT_EQ(c.Size(), 1u);
  EXPECT_EQ(c.SaveText(), "Game = {\n\tOptions = {\n\t\tLevel=\"two\"\n\t}\n}\n");
}
}  // namespace
