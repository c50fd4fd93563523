// The high-score table: order, the text form and its limits.
#include <gtest/gtest.h>

#include "store/record_files.h"
#include "store/score_table.h"
#include "tests/support/test_folder.h"

namespace {
using Row = std::pair<int, ScoreRecord>;

std::vector<Row> Rows(const ScoreTable& t) {
  return {t.begin(), t.end()};
}

TEST(Scores, HighestFirstAndLatestFirstAmongEqualScores) {
  ScoreTable t, back;
  t.AddRecord("5-12-102\tann\t2\t300");
  t.AddRecord("5-12-102\tbob\t2\t500");
  t.AddRecord("6-12-102\tcid\t2\t300");
  const std::string text = t.ToText();
  EXPECT_EQ(text, "5-12-102\tbob\t2\t500\n6-12-102\tcid\t2\t300\n5-12-102\tann\t2\t300\n");
  // Reloading inserts in written order, so equal scores swap with every save and load.
  back.FromText(text);
  EXPECT_EQ(back.ToText(), "5-12-102\tbob\t2\t500\n5-12-102\tann\t2\t300\n6-12-102\tcid\t2\t300\n");
}

TEST(Scores, TenResultsPerNameAndCodeAreWritten) {
  ScoreTable t, back;
  for (int i = 1; i <= 11; ++i)
    t.AddRecord("1-1-100\tann\t2\t" + std::to_string(i * 100));
  t.AddRecord("1-1-100\tann\t3\t50");  // another level code
  t.AddRecord("1-1-100\tbob\t2\t10");  // another player
  t.AddRecord("1-1-100\tan\tn2\t5");   // name + code is compared joined, as the stored text always was
  EXPECT_EQ(t.Size(), 14u);
  back.FromText(t.ToText());
  const std::vector<Row> rows = Rows(back);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0].first, 1100);
  EXPECT_EQ(rows[9].first, 200) << "the lowest eleventh is dropped";
  EXPECT_EQ(rows[10], (Row{50, {"1-1-100", "ann", "3"}}));
  EXPECT_EQ(rows[11], (Row{10, {"1-1-100", "bob", "2"}}));
}

TEST(Scores, TextTakesLinesOfThreeTabsAndARecordAnyNumberOfFields) {
  ScoreTable t;
  t.FromText("1-2-103\tann\t4\t-20x\nno tabs\na\tb\tc\n\ta\tb\tc\td\t9\n\t\t\t\r\n2-2-103\tbob\t1\t  +7");
  EXPECT_EQ(Rows(t),
            (std::vector<Row>{{7, {"2-2-103", "bob", "1"}}, {0, {}}, {-20, {"1-2-103", "ann", "4"}}}));
  ScoreTable one;
  for (const char* line : {"123", "d\t45", "d\tn\tc\tx\ty\t6"})
    EXPECT_TRUE(one.AddRecord(line));
  EXPECT_EQ(Rows(one), (std::vector<Row>{{123, {}}, {45, {"d", "", ""}}, {6, {"d", "n", "c"}}}));
}

TEST(Scores, ClearLevelRemovesOneCodeOnly) {
  ScoreTable t;
  for (const char* code : {"1", "2", "02", "2", "3"})
    t.AddRecord(std::string("1-1-100\tp\t") + code + "\t7");
  t.ClearLevel("2");
  EXPECT_EQ(t.ToText(), "1-1-100\tp\t3\t7\n1-1-100\tp\t02\t7\n1-1-100\tp\t1\t7\n");
}

// A recording lasts while its result is in the top ten of its code: entered, pushed out by ten better
// ones, cleared with its code; files not named as recordings stay.
TEST(Scores, RecordingsLastWhileTheirResultsAreInATopTen) {
  TestFolder folder;
  ScoreTable t;
  WriteAll(folder / "notes.dat", "the player's own");
  const auto enter = [&](int score, const char* code) {
    const ScoreRecord record{"1-1-126", "p" + std::to_string(score), code};
    t.Add(score, record);
    WriteAll(RecordingFilePath(score, record, folder.path()), "x");
  };
  const struct {
    const char* step;
    int deleted;
    size_t files;  // notes.dat included
  } steps[] = {{"enter 100 in 2 and 5", 0, 3}, {"ten better in 2", 1, 12}, {"clear 2", 10, 2}};
  for (const auto& step : steps) {
    const std::string name = step.step;
    if (name.starts_with("enter")) enter(100, "2"), enter(100, "5");
    if (name.starts_with("ten")) {
      for (int i = 1; i <= 10; ++i)
        enter(100 + i, "2");
    }
    if (name.starts_with("clear")) t.ClearLevel("2");
    EXPECT_EQ(PruneRecordings(t, folder.path()), step.deleted) << name;
    const auto files = std::distance(std::filesystem::directory_iterator(folder.path()), {});
    EXPECT_EQ(size_t(files), step.files) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(folder / "notes.dat"));
}
}  // namespace
