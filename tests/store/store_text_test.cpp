// The settings store: typed values over their value texts, the text form's layout, the lenient reader
// and where it stops, random stores round-tripping, and a depth that must not recurse.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "store/settings_store.h"

namespace {
TEST(ConfigValues, IntegersReadDecimalOrHexAndWrapAt32Bits) {
  // The last: a hex prefix without a digit gives the default.
  const std::pair<const char*, int> cases[] = {
      {"0x1F", 31},      {"  -7abc", -7}, {"\"12\"", 0},   {"[1 2]", 0},       {"-2147483648", INT_MIN},
      {"4294967297", 1}, {"10x5", 10},    {"+5", 5},       {"0xffffffff", -1}, {"0x123456789", 0x23456789},
      {"0XF", 0},        {"", 0},         {"\v\f\r 3", 3}, {"0xg", 99}};
  SettingsStore c;
  EXPECT_EQ(c.GetInt("k", 42), 42);
  for (auto [text, value] : cases) {
    c.SetText("k", text);
    EXPECT_EQ(c.GetInt("k", 99), value) << '"' << text << '"';
  }
}

TEST(ConfigValues, ArraysSplitAtRunsOfTheSeparator) {
  const std::tuple<const char*, char, std::vector<int>> cases[] = {
      {"[1   2 3 ]", ' ', {1, 2, 3}},
      {"]", ' ', {}},
      {"[ 1,,-2, 0x3]", ',', {1, -2, 0}},
      {"{[1 2][3 4]}", ' ', {0, 2, 4}}};  // a block value: only its outer characters are stripped
  SettingsStore c;
  for (const auto& [text, separator, items] : cases) {
    c.SetText("a", text);
    EXPECT_EQ(c.GetIntArray("a", separator), items) << text;
  }
  c.SetIntArray("a", std::vector<int>{3, 0, INT_MIN}, ';');
  EXPECT_EQ(*c.FindText("a"), "[3;0;-2147483648]");
}

TEST(ConfigValues, StringEscapesAndCarriageReturnStaysRaw) {
  SettingsStore c;
  const std::string tricky("q\"b\\t\tl\nr\rz\0end", 15);
  c.SetString("s", tricky);
  EXPECT_EQ(*c.FindText("s"), "\"q\\\"b\\\\t\\tl\\nr\rz\\0end\"");
  EXPECT_EQ(c.GetString("s"), tricky);
  c.SetText("s", "\"a\\qb\\\"");  // an unknown escape stays, and so does a backslash standing last
  EXPECT_EQ(c.GetString("s"), "a\\qb\\");
}

TEST(StoreText, AValueAndAGroupOfTheSameNameAreWrittenInKeyOrder) {
  SettingsStore c;
  for (const char* key : {"Top", "A.B0", "A.B.C", "A.B"})
    c.SetInt(key, 1);
  EXPECT_EQ(c.SaveText(), "A = {\n\tB=1\n\tB = {\n\t\tC=1\n\t}\n\tB0=1\n}\nTop=1\n");
}

// What reading leaves in a store that held other entries, and whether it stopped at an error (the
// entries read before the error stay).
TEST(StoreText, ReadingIsLenientAndStopsOnlyAtRealErrors) {
  const std::tuple<std::string, SettingsStore::Entries, bool> cases[] = {
      {"\n\t\r // only a comment", {}, false},
      {"A = {\nB=1\n", {{"A.B", "1"}}, false},  // unclosed group
      {"  x\t=\r\n 5 // note\n", {{"x", "5"}}, false},
      {"s=\"a\\\"b\"\n", {{"s", "\"a\\\"b\""}}, false},                // escaped quote
      {"s=\"a\\\\\" t=1\n", {{"s", "\"a\\\\\""}, {"t", "1"}}, false},  // two backslashes do not escape
      {"x=\"ab\\", {{"x", "\"ab\\\\\""}}, false},  // cut after a backslash: the supplied quote stays
      {"x=[1\n}2]\n", {{"x", "[1\n}2]"}}, false},
      {"x={ [1 2] // c [9]\n [3 4]}\n", {{"x", "{[1 2][3 4]}"}}, false},
      {"x={[1/2\n3]}\n", {{"x", "{[13]}"}}, false},                       // a skip inside brackets
      {"a.b = {\nc=1\n}\nd=2\n", {{"a.b.c", "1"}, {"a.d", "2"}}, false},  // "}" closes only the last name
      {std::string("x=1\ny=2\0z=3\n", 12), {{"x", "1"}, {"y", "2"}}, false},
      {"G = {\na=}\nb=1\n", {{"G.a", ""}, {"b", "1"}}, false},  // an empty value
      {"=5\ny=1\n", {}, false},                                 // an empty name ends reading
      {"a=1\nx", {{"a", "1"}}, true},                           // the text ends after a name
      {"a=1\n}\nb=2\n", {{"a", "1"}}, true},                    // no group to close
      {"x y=1\n", {}, true},                                    // no "=" after the name
      {"x={[1 2]}", {}, true},                                  // a block reaching the end
      {"A = {\nB=1\n}", {{"A.B", "1"}}, true},                  // a closing brace as the last byte
  };
  for (const auto& [text, entries, failed] : cases) {
    SettingsStore c;
    c.SetInt("earlier", 1);
    EXPECT_EQ(c.LoadText(text) == SettingsStore::LoadResult::kStopped, failed) << text;
    EXPECT_EQ(c.GetEntries(), entries) << text;
  }
}

// Random stores filled through the typed writes, with names that follow the rules, read back exactly and
// write the same bytes again.
TEST(StoreText, RandomStoresRoundTrip) {
  std::mt19937 rng(5);
  auto bytes = [&](size_t n, const std::string& from) {
    std::string s(n, '\0');
    for (char& ch : s)
      ch = from.empty() ? char(rng()) : from[rng() % from.size()];
    return s;
  };
  for (int round = 0; round < 200; ++round) {
    SettingsStore c, back;
    for (int i = int(rng() % 30); i > 0; --i) {
      std::string key;
      for (int d = int(rng() % 4); d >= 0; --d) {
        std::string name = bytes(1 + rng() % 4, "ABab01_-!\"[]{/\x80\xff");
        // "//" starts a comment, and "{" followed by "[" starts a block value rather than a group.
        if (name[0] == '/' || name[0] == '[') name[0] = 'Z';
        key += (key.empty() ? "" : ".") + name;
      }
      const int kind = int(rng() % 3);
      if (kind == 0) c.SetInt(key, int(rng()));
      if (kind == 1) c.SetIntArray(key, std::vector<int>(rng() % 5, int(rng())));
      if (kind == 2) c.SetString(key, bytes(rng() % 12, ""));
    }
    const std::string text = c.SaveText();
    ASSERT_EQ(back.LoadText(text), SettingsStore::LoadResult::kComplete) << text;
    ASSERT_EQ(back.GetEntries(), c.GetEntries()) << text;
    ASSERT_EQ(back.SaveText(), text);
  }
}

// Reading keeps its own stack of open groups: a hundred thousand deep must not recurse.
TEST(StoreText, HundredThousandNestedGroups) {
  std::string text, key;
  for (int i = 0; i < 100000; ++i)
    text += "g = {\n", key += "g.";
  SettingsStore c;
  EXPECT_EQ(c.LoadText(text + "v=1\n"), SettingsStore::LoadResult::kComplete);  // left open
  EXPECT_EQ(c.GetInt(key + "v", 0), 1);
  for (int i = 0; i < 100000; ++i)
    text += "}\n";
  EXPECT_EQ(c.LoadText(text + "w=2\n"), SettingsStore::LoadResult::kComplete);
  EXPECT_EQ(c.GetInt("w", 0), 2);
  EXPECT_EQ(c.LoadText(text + "}\n"), SettingsStore::LoadResult::kStopped);
}
}  // namespace
