// The store's text form: the exact layout written, the lenient reader, its failures, and round trips.
#include <gtest/gtest.h>

#include <random>

#include "store/config.h"

namespace {
using Entries = OConfig::Entries;

// Loads text into a fresh store; returns its entries and whether reading stopped at an error.
std::pair<Entries, bool> Load(std::string_view text) {
  OConfig c;
  bool failed = c.LoadText(text);
  return {c.GetEntries(), failed};
}

TEST(StoreText, WritesNestedGroupsInKeyOrder) {
  OConfig c;
  c.SetString("Game.Scores.Table", "x");
  c.SetInt("Game.Options.SoundOn", 1);
  c.SetInt("Game.Options.Level", 0);
  EXPECT_EQ(
      c.SaveText(),
      "Game = {\n\tOptions = {\n\t\tLevel=0\n\t\tSoundOn=1\n\t}\n\tScores = {\n\t\tTable=\"x\"\n\t}\n}\n");
  EXPECT_EQ(OConfig().SaveText(), "");
}

TEST(StoreText, ValueAndGroupOfTheSameName) {
  OConfig c;
  c.SetInt("A.B", 1);
  c.SetInt("A.B.C", 2);
  c.SetInt("A.B0", 3);
  c.SetInt("Top", 4);
  const std::string text = c.SaveText();
  EXPECT_EQ(text, "A = {\n\tB=1\n\tB = {\n\t\tC=2\n\t}\n\tB0=3\n}\nTop=4\n");
  EXPECT_EQ(Load(text), std::make_pair(c.GetEntries(), false));
}

// Random stores filled through the typed writes, with names that follow the rules, read back exactly and
// write the same bytes again.
TEST(StoreText, RandomStoresRoundTrip) {
  std::mt19937 rng(5);
  const std::string alphabet = "ABab01_-!\"[]{/\x80\xff";
  auto name = [&] {
    std::string n(1 + rng() % 4, 'A');
    for (char& ch : n)
      ch = alphabet[rng() % alphabet.size()];
    // "//" starts a comment, and "{" followed by "[" starts a block value rather than a group.
    if (n[0] == '/' || n[0] == '[') n[0] = 'Z';
    return n;
  };
  for (int round = 0; round < 200; ++round) {
    OConfig c;
    for (int i = int(rng() % 30); i > 0; --i) {
      std::string key = name();
      for (int d = int(rng() % 4); d > 0; --d)
        key += "." + name();
      switch (rng() % 3) {
        case 0:
          c.SetInt(key, int(rng()));
          break;
        case 1:
          c.SetIntArray(key, std::vector<int>(rng() % 5, int(rng())));
          break;
        default: {
          std::string s(rng() % 12, '\0');
          for (char& ch : s)
            ch = char(rng());
          c.SetString(key, s);
        }
      }
    }
    const std::string text = c.SaveText();
    OConfig back;
    ASSERT_FALSE(back.LoadText(text)) << text;
    ASSERT_EQ(back.GetEntries(), c.GetEntries()) << text;
    ASSERT_EQ(back.SaveText(), text);
  }
}

TEST(StoreText, EmptyAndBlankTextsGiveAnEmptyStore) {
  for (const char* text : {"", " ", "\n\t\r \n", "// only a comment", "// c\n"})
    EXPECT_EQ(Load(text), std::make_pair(Entries{}, false)) << '"' << text << '"';
}

TEST(StoreText, LenientReading) {
  const std::pair<std::string, Entries> cases[] = {
      {"A = {\nB=1\n", {{"A.B", "1"}}},  // unclosed group
      {"a}=1\n", {{"a}", "1"}}},         // a brace inside a name
      {"// note\nx=5\n", {{"x", "5"}}},
      {"x=5 // note", {{"x", "5"}}},
      {"  x\t=\r\n 5\n", {{"x", "5"}}},
      {"x=a=b{c\n", {{"x", "a=b{c"}}},
      {"s=\"a\\\"b\"\n", {{"s", "\"a\\\"b\""}}},                // escaped quote
      {"s=\"a\\\\\" t=1\n", {{"s", "\"a\\\\\""}, {"t", "1"}}},  // two backslashes do not escape
      {"s=\"a b\nc\"\n", {{"s", "\"a b\nc\""}}},
      {"x=[1 2", {{"x", "[1 2]"}}},
      {"x=\"ab", {{"x", "\"ab\""}}},
      {"x=\"ab\\", {{"x", "\"ab\\\\\""}}},  // cut after a backslash: the supplied quote stays unescaped
      {"x=[1\n}2]\n", {{"x", "[1\n}2]"}}},
      {"G = { a=1 } b=2\n", {{"G.a", "1"}, {"b", "2"}}},
      {"x = {\n [1 2] ,\n [3 4]\n}\n", {{"x", "{[1 2][3 4]}"}}},
      {"x={ [1 2] // c [9]\n [3 4]}\n", {{"x", "{[1 2][3 4]}"}}},
      {"x={[1/2\n3]}\n", {{"x", "{[13]}"}}},      // a skip inside brackets
      {"x={[1]/\n}[2]}\n", {{"x", "{[1][2]}"}}},  // the byte after a skip cannot end the block
      {"a.b = {\nc=1\n}\nd=2\n", {{"a.b.c", "1"}, {"a.d", "2"}}},  // "}" closes only the last name
      {std::string("x=1\ny=2\0z=3\n", 12), {{"x", "1"}, {"y", "2"}}},
      {"x=1\nx=2\n", {{"x", "2"}}},
      {"=5\ny=1\n", {}},  // an empty name ends reading
      {"x = {\n", {}},    // an empty group left open
  };
  for (const auto& [text, entries] : cases)
    EXPECT_EQ(Load(text), std::make_pair(entries, false)) << text;
}

TEST(StoreText, FailuresKeepWhatWasReadBefore) {
  const std::pair<std::string, Entries> cases[] = {
      {"x", {}},  // the text ends after a name
      {"a=1\nx", {{"a", "1"}}},
      {"}\n", {}},  // no group to close
      {"a=1\n}\nb=2\n", {{"a", "1"}}},
      {"x y=1\n", {}},  // no "=" after the name
      {"x=", {}},
      {"x = {", {}},
      {"x={[1 2]", {}},  // a block reaching the end
      {"x={[1 2]}", {}},
      {"x={[1]/}\n", {}},
      {"A = {\nB=1\n}", {{"A.B", "1"}}},  // a closing brace as the last byte
      {"x=1\ny=", {{"x", "1"}}},
  };
  for (const auto& [text, entries] : cases)
    EXPECT_EQ(Load(text), std::make_pair(entries, true)) << text;
}

TEST(StoreText, LoadingRemovesEarlierEntries) {
  OConfig c;
  c.SetInt("old", 1);
  EXPECT_FALSE(c.LoadText("new=2\n"));
  EXPECT_EQ(c.GetEntries(), (Entries{{"new", "2"}}));
}

TEST(StoreText, EmptyValueIsWrittenButNotReadBack) {
  auto [entries, failed] = Load("G = {\na=}\nb=1\n");
  EXPECT_FALSE(failed);
  ASSERT_EQ(entries, (Entries{{"G.a", ""}, {"b", "1"}}));
  OConfig c;
  c.SetText("a", "");
  c.SetInt("b", 1);
  EXPECT_EQ(c.SaveText(), "a=\nb=1\n");
  // The empty value takes the next token as its own.
  EXPECT_EQ(Load(c.SaveText()), std::make_pair(Entries{{"a", "b=1"}}, false));
}

TEST(StoreText, StringCutAfterABackslashKeepsTheFollowingEntriesOnTheNextLoad) {
  OConfig c;
  EXPECT_FALSE(c.LoadText("y=1\nx=\"ab\\"));
  EXPECT_EQ(c.GetString("x"), "ab\\");
  c.SetInt("z", 2);  // sorts after x, so its line follows the string
  OConfig back;
  EXPECT_FALSE(back.LoadText(c.SaveText()));
  EXPECT_EQ(back.GetEntries(), c.GetEntries());
}

// ---- sizes: no recursion, nothing quadratic ---------------------------------------------------------------
TEST(StoreText, HundredThousandNestedGroups) {
  constexpr int kDepth = 100000;
  std::string text;
  for (int i = 0; i < kDepth; ++i)
    text += "g = {\n";
  text += "v=1\n";
  std::string key;
  for (int i = 0; i < kDepth; ++i)
    key += "g.";
  OConfig c;
  EXPECT_FALSE(c.LoadText(text));  // left open
  EXPECT_EQ(c.GetInt(key + "v", 0), 1);
  for (int i = 0; i < kDepth; ++i)
    text += "}\n";
  text += "w=2\n";
  EXPECT_FALSE(c.LoadText(text));
  EXPECT_EQ(c.GetInt(key + "v", 0), 1);
  EXPECT_EQ(c.GetInt("w", 0), 2);
  text += "}\n";
  EXPECT_TRUE(c.LoadText(text));
}

TEST(StoreText, DeepKeysWriteOneIndentPerLevel) {
  // Indentation makes the text grow with the square of the depth, so the written depth stays modest.
  constexpr int kDepth = 2000;
  std::string key;
  for (int i = 0; i < kDepth; ++i)
    key += "g.";
  OConfig c;
  c.SetInt(key + "v", 7);
  c.SetInt("w", 8);
  const std::string text = c.SaveText();
  EXPECT_EQ(text.size(), size_t(kDepth) * (kDepth - 1) + kDepth * 6 + kDepth * 2 + kDepth + 8);
  EXPECT_EQ(Load(text), std::make_pair(c.GetEntries(), false));
}

TEST(StoreText, MegabyteNamesAndValues) {
  const std::string longName(1 << 20, 'n');
  OConfig c;
  c.SetString(longName + "." + longName, std::string(1 << 20, '"'));
  c.SetString("backslashes", std::string(1 << 20, '\\'));
  c.SetIntArray("array", std::vector<int>(1 << 18, -1));
  c.SetText("bare", std::string(1 << 20, 'b'));
  const std::string text = c.SaveText();
  EXPECT_EQ(Load(text), std::make_pair(c.GetEntries(), false));
  // Unclosed at the end of the text.
  auto [entries, failed] = Load("x=\"" + std::string(1 << 20, '\\'));
  EXPECT_FALSE(failed);
  EXPECT_EQ(entries.at("x").size(), (1u << 20) + 2);
  EXPECT_TRUE(Load("x={[" + std::string(1 << 20, '/')).second);
  EXPECT_TRUE(Load(std::string(1 << 20, '}')).second);
}
}  // namespace
