// Result entry through the whole program: the lines of score, bonus and total, the name offered, Enter
// stores the record in its dated form under the level code, Escape stores nothing, both start the next
// game.
#include <regex>

#include "engine/active_screen.h"
#include "engine/edit.h"
#include "screens/dialogs/wnd_result.h"
#include "tests/app/dialog_testing.h"

using namespace dialog_testing;

namespace {

class ResultDialog : public DialogTest {
 protected:
  AWndResult& Dialog() { return *screens::result; }
  void Open() {
    ASSERT_TRUE(program.Main()->OpenResultDialog());
    ASSERT_EQ(ActiveScreen(), screens::result.get());
  }
};

TEST(ResultDialogRules, TheBonusGrowsWithEveryColourCleared) {
  EXPECT_EQ(AWndResult::Bonus(0), 0);
  EXPECT_EQ(AWndResult::Bonus(-2), 0);
  EXPECT_EQ(AWndResult::Bonus(1), 10000);
  EXPECT_EQ(AWndResult::Bonus(3), 60000);
  EXPECT_EQ(AWndResult::Bonus(6), 210000);
}

TEST(ResultDialogRules, TheNameOfferedComesFromTheTableAndBlanksOrLevelNamesBecomeTheLevelName) {
  TScoresTable table;
  table.AddRecord("1-1-126\tArcadeAnn\t5\t9000");
  table.AddRecord("1-1-126\tBob\t2\t700");
  table.AddRecord("1-1-126\tCarl\t2\t500");
  table.AddRecord("1-1-126\tDora\t1\t800");
  // Empty: the best strategy record of the level (code level + 1), whatever the mode.
  EXPECT_EQ(AWndResult::DefaultName("", 1, table), "Bob");
  EXPECT_EQ(AWndResult::DefaultName("", 0, table), "Dora");
  EXPECT_EQ(AWndResult::DefaultName("", 2, table), "Master");
  EXPECT_EQ(AWndResult::DefaultName("   ", 1, table), "Expert");
  EXPECT_EQ(AWndResult::DefaultName("Novice", 2, table), "Master");
  EXPECT_EQ(AWndResult::DefaultName("Master", 0, table), "Novice");
  EXPECT_EQ(AWndResult::DefaultName("Eve", 0, table), "Eve");
  // Only the whole name counts as a level name.
  EXPECT_EQ(AWndResult::DefaultName("Novice Nick", 0, table), "Novice Nick");
}

TEST_F(ResultDialog, EnterFilesTheTotalUnderTheNameTypedWithTodaysDateAndTheLevelCode) {
  StartIn(1, 1);
  Score(500);
  Open();
  EXPECT_EQ(Dialog().Line(0).Text(), "500");
  EXPECT_EQ(Dialog().Line(1).Text(), std::to_string(AWndResult::Bonus(6 - Session().PaletteLength())));
  EXPECT_EQ(Dialog().Total(), 500 + AWndResult::Bonus(6 - Session().PaletteLength()));
  EXPECT_EQ(Dialog().Line(2).Text(), std::to_string(Dialog().Total()));
  OClipEdit* box = Dialog().NameBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->GetText(), "Expert");
  EXPECT_TRUE(box->focused);
  EXPECT_EQ(box->GetMaxLength(), 12);
  // The name offered is removed and a new one typed.
  for (int i = 0; i < 6; ++i)
    program.Window().OnChar(vk::kBack, 0);
  for (char c : std::string("Zed the\tgreatest of all"))
    program.Window().OnChar(c, 0);
  const int total = Dialog().Total();
  KeyUp(vk::kReturn);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(Session().Score(), 0);
  ASSERT_EQ(Table().Size(), 1u);
  const auto& [score, record] = *Table().begin();
  EXPECT_EQ(score, total);
  EXPECT_EQ(record.code, "5");
  EXPECT_EQ(record.name, "Zed thegreat");
  EXPECT_EQ(record.name.find('\t'), std::string::npos);
  EXPECT_TRUE(
      std::regex_match(record.date, std::regex(R"(([1-9]|[12][0-9]|3[01])-([1-9]|1[0-2])-1[0-9][0-9])")))
      << record.date;
  // The name is kept for the next game.
  Score(20);
  Open();
  EXPECT_EQ(Dialog().NameBox()->GetText(), record.name);
}

TEST_F(ResultDialog, EscapeStoresNothingAndStartsTheNextGame) {
  StartIn(0, 0);
  Score(300);
  Open();
  KeyUp(vk::kEscape);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_TRUE(Table().Empty());
  EXPECT_EQ(Session().Score(), 0);
  // The lines went with the dialog.
  EXPECT_TRUE(Dialog().Line(0).Letters().empty());
}

}  // namespace
