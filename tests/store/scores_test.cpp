// The high-score table: order, the text form and its limits.
#include <gtest/gtest.h>

#include "store/scores.h"

namespace {
std::vector<std::string> Names(const TScoresTable& t) {
  std::vector<std::string> names;
  for (const auto& [score, rec] : t)
    names.push_back(rec.name + ":" + std::to_string(score));
  return names;
}

TEST(Scores, HighestFirstAndLatestFirstAmongEqualScores) {
  TScoresTable t;
  t.AddRecord("5-12-102\tann\t2\t300");
  t.AddRecord("5-12-102\tbob\t2\t500");
  t.AddRecord("6-12-102\tcid\t2\t300");
  EXPECT_EQ(Names(t), (std::vector<std::string>{"bob:500", "cid:300", "ann:300"}));
  const std::string text = t.ToText();
  EXPECT_EQ(text, "5-12-102\tbob\t2\t500\n6-12-102\tcid\t2\t300\n5-12-102\tann\t2\t300\n");
  // Reloading inserts in written order, so equal scores swap with every save and load.
  TScoresTable back;
  back.FromText(text);
  EXPECT_EQ(Names(back), (std::vector<std::string>{"bob:500", "ann:300", "cid:300"}));
}

TEST(Scores, TenResultsPerNameAndCodeAreWritten) {
  TScoresTable t;
  for (int i = 1; i <= 11; ++i)
    t.AddRecord("1-1-100\tann\t2\t" + std::to_string(i * 100));
  t.AddRecord("1-1-100\tann\t3\t50");  // another level code
  t.AddRecord("1-1-100\tbob\t2\t10");  // another player
  t.AddRecord("1-1-100\tan\tn2\t5");   // name + code is compared joined, as the stored text always was
  EXPECT_EQ(t.Size(), 14u);
  TScoresTable back;
  back.FromText(t.ToText());
  std::vector<std::string> names = Names(back);
  EXPECT_EQ(names.size(), 12u);
  EXPECT_EQ(names.front(), "ann:1100");
  EXPECT_EQ(std::count(names.begin(), names.end(), "ann:100"), 0) << "the lowest eleventh is dropped";
  EXPECT_EQ(std::count(names.begin(), names.end(), "ann:50"), 1);
  EXPECT_EQ(std::count(names.begin(), names.end(), "bob:10"), 1);
}

TEST(Scores, FromTextTakesOnlyLinesWithThreeTabs) {
  TScoresTable t;
  t.FromText("1-2-103\tann\t4\t-20x\nno tabs\na\tb\tc\n\ta\tb\tc\td\t9\n\t\t\t\r\n2-2-103\tbob\t1\t  +7");
  std::vector<std::pair<int, TScoresTableRec>> got(t.begin(), t.end());
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], (std::pair<int, TScoresTableRec>{7, {"2-2-103", "bob", "1"}}));
  EXPECT_EQ(got[1], (std::pair<int, TScoresTableRec>{0, {"", "", ""}}));
  EXPECT_EQ(got[2], (std::pair<int, TScoresTableRec>{-20, {"1-2-103", "ann", "4"}}));
  TScoresTable more;
  more.FromText("");
  EXPECT_TRUE(more.Empty());
  EXPECT_EQ(more.ToText(), "");
}

TEST(Scores, AddRecordTakesAnyNumberOfFields) {
  TScoresTable t;
  EXPECT_TRUE(t.AddRecord("123"));
  EXPECT_TRUE(t.AddRecord("d\t45"));
  EXPECT_TRUE(t.AddRecord("d\tn\tc\tx\ty\t6"));
  std::vector<std::pair<int, TScoresTableRec>> got(t.begin(), t.end());
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], (std::pair<int, TScoresTableRec>{123, {"", "", ""}}));
  EXPECT_EQ(got[1], (std::pair<int, TScoresTableRec>{45, {"d", "", ""}}));
  EXPECT_EQ(got[2], (std::pair<int, TScoresTableRec>{6, {"d", "n", "c"}}));
}

TEST(Scores, ClearLevelRemovesOneCodeOnly) {
  TScoresTable t;
  for (int code = 1; code <= 6; ++code)
    for (int i = 0; i < 3; ++i)
      t.AddRecord("1-1-100\tp\t" + std::to_string(code) + "\t" + std::to_string(i));
  t.ClearLevel("2");
  EXPECT_EQ(t.Size(), 15u);
  for (const auto& [score, rec] : t)
    EXPECT_NE(rec.code, "2");
  t.ClearLevel("02");
  EXPECT_EQ(t.Size(), 15u);
}
}  // namespace
