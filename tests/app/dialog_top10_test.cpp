// The top ten and the clear-records question through the whole program: only the current level code's
// ten best, names cut to 13 characters, the buttons of an empty list, clearing one level code, and the
// results link that decodes back to the best record (and refuses digits that were tampered with).
#include <cstdio>
#include <filesystem>

#include "engine/active_screen.h"
#include "screens/dialogs/results_link.h"
#include "screens/dialogs/wnd_clear.h"
#include "screens/dialogs/wnd_top10.h"
#include "tests/app/dialog_testing.h"
#include "tests/support/tool_runner.h"

using namespace dialog_testing;

namespace {

class TopTen : public DialogTest {
 protected:
  AWndTop10& Dialog() { return *screens::top10; }
  void Open() {
    program.Main()->RunCommand(AMainWindow::kTopTen);
    ASSERT_EQ(ActiveScreen(), screens::top10.get());
  }
  void Add(const std::string& name, int code, int score) {
    Table().AddRecord("6-12-126\t" + name + "\t" + std::to_string(code) + "\t" + std::to_string(score));
  }
};

TEST_F(TopTen, ShowsTheTenBestOfTheCurrentLevelCodeOnlyWithNamesCut) {
  StartIn(1, 1);  // arcade Expert: code 5
  for (int i = 0; i < 12; ++i)
    Add("Player" + std::to_string(i), 5, 1000 + 100 * i);
  Add("Strategist", 2, 99999);
  Add("Master Arcade", 6, 88888);
  Add("ABCDEFGHIJKLMNOPQRST", 5, 5000);
  Open();
  EXPECT_EQ(Dialog().Title().Text(), "Expert");
  EXPECT_NE(Dialog().ModePicture(), nullptr);
  const auto& rows = Dialog().Rows();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0].name, "ABCDEFGHIJKLM");
  EXPECT_EQ(rows[0].score, 5000);
  EXPECT_EQ(rows[1].name, "Player11");
  EXPECT_EQ(rows[9].name, "Player3");
  for (const auto& row : rows)
    EXPECT_TRUE(row.name.rfind("Player", 0) == 0 || row.name == "ABCDEFGHIJKLM") << row.name;
  EXPECT_TRUE(Dialog().ClearButton()->visible);
  EXPECT_TRUE(Dialog().SubmitButton()->visible);
  // Twenty row clips besides the title, the mode picture and the buttons; they go when it leaves.
  const size_t withRows = Dialog().GetClips().size();
  PressButton(Dialog(), Dialog().CloseButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_GE(withRows - Dialog().GetClips().size(), 20u);
}

TEST_F(TopTen, AnEmptyListShowsOnlyTheCloseButton) {
  StartIn(0, 0);
  Add("Other", 4, 700);
  Open();
  EXPECT_TRUE(Dialog().Rows().empty());
  EXPECT_TRUE(Dialog().CloseButton()->visible);
  EXPECT_FALSE(Dialog().ClearButton()->visible);
  EXPECT_FALSE(Dialog().SubmitButton()->visible);
  EXPECT_EQ(Dialog().ResultsAddress(), "");
}

TEST_F(TopTen, ClearingRemovesOnlyTheCurrentLevelCodeAndRedrawsTheListEmpty) {
  StartIn(2, 0);  // strategy Master: code 3
  Add("Gone", 3, 400);
  Add("GoneToo", 3, 300);
  Add("Stays", 6, 500);
  Add("StaysToo", 1, 200);
  Open();
  ASSERT_EQ(Dialog().Rows().size(), 2u);
  PressButton(Dialog(), Dialog().ClearButton());
  ASSERT_EQ(ActiveScreen(), screens::clearRecords.get());
  EXPECT_EQ(screens::clearRecords->Line(0).Text(), "DELETE ALL");
  EXPECT_EQ(screens::clearRecords->Line(1).Text(), "RECORDS ?");
  // The question takes no keys.
  KeyUp(vk::kReturn);
  EXPECT_EQ(ActiveScreen(), screens::clearRecords.get());
  PressButton(*screens::clearRecords, screens::clearRecords->YesButton());
  ASSERT_EQ(ActiveScreen(), screens::top10.get());
  EXPECT_TRUE(Dialog().Rows().empty());
  EXPECT_FALSE(Dialog().ClearButton()->visible);
  ASSERT_EQ(Table().Size(), 2u);
  for (const auto& [score, record] : Table())
    EXPECT_NE(record.code, "3");
  // The top ten still returns to the main screen.
  EXPECT_EQ(Dialog().GetScreenBeneath(), screens::mainScreen.get());
}

TEST_F(TopTen, NoToTheClearQuestionKeepsEverything) {
  StartIn(0, 0);
  Add("Kept", 1, 400);
  Open();
  screens::top10->OnButtonCommand(Dialog().ClearButton());
  ASSERT_EQ(ActiveScreen(), screens::clearRecords.get());
  screens::clearRecords->OnButtonCommand(screens::clearRecords->NoButton());
  EXPECT_EQ(ActiveScreen(), screens::top10.get());
  EXPECT_EQ(Table().Size(), 1u);
  EXPECT_EQ(Dialog().Rows().size(), 1u);
}

TEST_F(TopTen, SubmitOpensTheResultsLinkOfTheBestRecordOfTheLevelCode) {
  StartIn(1, 0);  // code 2
  Add("Runner-up", 2, 900);
  Add("Best Of Two", 2, 1200);
  Add("Elsewhere", 5, 99999);
  Open();
  PressButton(Dialog(), Dialog().SubmitButton());
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  ASSERT_EQ(program.platform.OpenedUrls().size(), 1u);
  const std::string& url = program.platform.OpenedUrls()[0];
  const std::string prefix = "https://globbet.example/gameres.pl?g=gbt&e=";
  ASSERT_EQ(url.rfind(prefix, 0), 0u) << url;
  std::string text, why;
  ASSERT_TRUE(results_link::Decode(url.substr(prefix.size()), text, why)) << why;
  EXPECT_EQ(text, "1200\t2\tBest Of Two\tgbt\texe");
}

TEST(ResultsLink, DecodesWhatItEncodesAndRefusesDamagedDigits) {
  const std::string text = results_link::ResultText(123456, "4", "N\xe4me with 8-bit");
  const std::string digits = results_link::Encode(text);
  ASSERT_EQ(digits.size(), (text.size() + 2) * 3);
  std::string back, why;
  ASSERT_TRUE(results_link::Decode(digits, back, why)) << why;
  EXPECT_EQ(back, text);
  EXPECT_EQ(results_link::Encode(""), "");

  // A changed last byte breaks both check bytes. (An earlier change flips the same bits in every
  // byte after it through the chain, which two sums cannot always see.)
  const size_t last = digits.size() - 3;
  for (int flip : {0x01, 0x10, 0x80}) {
    std::string damaged = digits;
    char group[4];
    std::snprintf(group, sizeof group, "%03d", std::stoi(digits.substr(last, 3)) ^ flip);
    damaged.replace(last, 3, group);
    EXPECT_FALSE(results_link::Decode(damaged, back, why)) << flip;
  }
  EXPECT_FALSE(results_link::Decode(digits.substr(1), back, why));
  EXPECT_FALSE(results_link::Decode("256" + digits.substr(3), back, why));
  EXPECT_FALSE(results_link::Decode("12a" + digits.substr(3), back, why));
  EXPECT_FALSE(results_link::Decode(digits.substr(0, 6), back, why));
  EXPECT_FALSE(results_link::Decode("", back, why));
}

// The tool reads the digits the top ten sends back into the record (when it has been built).
TEST(ResultsLink, TheToolDecodesTheLinkAndRefusesABrokenOne) {
  const std::string tool = std::string(GLOBBET_BINARY_DIR) + "/globbet-tool";
  if (!std::filesystem::exists(tool)) GTEST_SKIP() << "globbet-tool is not built";
  const auto decode = [](const std::string& digits) {
    return RunGlobbetTool("results decode " + digits, {}, ToolStderr::kKeep);
  };
  const std::string digits = results_link::Encode(results_link::ResultText(4321, "6", "Max Power"));
  const ToolRun good = decode(digits);
  EXPECT_EQ(good.status, 0) << good.out;
  EXPECT_EQ(good.out, "score\t4321\ncode\t6\nname\tMax Power\ntags\tgbt exe\n");
  std::string broken = digits;
  broken[broken.size() - 1] = broken.back() == '0' ? '1' : '0';
  const ToolRun bad = decode(broken);
  EXPECT_NE(bad.status, 0);
  EXPECT_NE(bad.out.find("check byte"), std::string::npos) << bad.out;
}

}  // namespace
