// What the result and top-ten dialogs show and store: the bonus, the name offered, the record filed,
// the list of a level code, and the results link sent for its best record.
#include <regex>

#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

class Dialogs : public ProgramTest {
 protected:
  void Add(const std::string& name, int code, int score) {
    program.Main()->Scores().AddRecord("6-12-126\t" + name + "\t" + std::to_string(code) + "\t" +
                                       std::to_string(score));
  }
};

TEST(ResultRules, TheBonusIsTenThousandTimesOnePlusTwoUpToTheColoursCleared) {
  for (auto [cleared, bonus] : {std::pair{-2, 0}, {0, 0}, {1, 10000}, {3, 60000}, {6, 210000}})
    EXPECT_EQ(AWndResult::Bonus(cleared), bonus) << cleared;
}

TEST(ResultRules, TheNameOfferedIsKeptOrTheLevelsBestStrategyNameOrTheLevelName) {
  TScoresTable table;
  for (const char* record : {"1-1-126\tArcadeAnn\t5\t9000", "1-1-126\tBob\t2\t700", "1-1-126\tCarl\t2\t500",
                             "1-1-126\tDora\t1\t800"})
    table.AddRecord(record);
  const struct {
    const char* typed;
    int level;
    const char* offered;
  } cases[] = {
      {"", 1, "Bob"},          {"", 0, "Dora"},         {"", 2, "Master"}, {"   ", 1, "Expert"},
      {"Novice", 2, "Master"}, {"Master", 0, "Novice"}, {"Eve", 0, "Eve"}, {"Novice Nick", 0, "Novice Nick"}};
  for (const auto& c : cases)
    EXPECT_EQ(AWndResult::DefaultName(c.typed, c.level, table), c.offered)
        << '"' << c.typed << "\" " << c.level;
}

TEST_F(Dialogs, TheResultShowsTheTotalAndFilesItUnderTheNameTypedCutToTwelve) {
  ASSERT_TRUE(program.StartIn(1, 1));  // arcade Expert: level code 5
  program.Session()->GetScore().Add(500);
  ASSERT_TRUE(program.Main()->OpenResultDialog());
  AWndResult& dialog = *screens::result;
  const int bonus = AWndResult::Bonus(6 - program.Session()->PaletteLength());
  EXPECT_EQ(dialog.Line(0).Text(), "500");
  EXPECT_EQ(dialog.Line(1).Text(), std::to_string(bonus));
  EXPECT_EQ(dialog.Line(2).Text(), std::to_string(500 + bonus));
  EXPECT_EQ(dialog.NameBox()->GetText(), "Expert");
  for (int i = 0; i < 6; ++i)
    program.Window().OnChar(vk::kBack, 0);
  for (char c : std::string("Zed the\tgreatest of all"))
    program.Window().OnChar(c, 0);
  program.KeyUp(vk::kReturn);
  ASSERT_EQ(program.Main()->Scores().Size(), 1u);
  const auto& [score, record] = *program.Main()->Scores().begin();
  EXPECT_EQ(score, 500 + bonus);
  EXPECT_EQ(record.code, "5");
  EXPECT_EQ(record.name, "Zed thegreat");
  EXPECT_TRUE(
      std::regex_match(record.date, std::regex(R"(([1-9]|[12][0-9]|3[01])-([1-9]|1[0-2])-1[0-9][0-9])")))
      << record.date;
  // The name is offered again for the next game.
  program.Session()->GetScore().Add(20);
  ASSERT_TRUE(program.Main()->OpenResultDialog());
  EXPECT_EQ(dialog.NameBox()->GetText(), "Zed thegreat");
}

TEST_F(Dialogs, TheTopTenShowsTheTenBestOfTheLevelCodeWithNamesCutAndSubmitsTheBest) {
  ASSERT_TRUE(program.StartIn(1, 1));  // code 5
  program.Main()->RunCommand(AMainWindow::kTopTen);
  EXPECT_TRUE(screens::top10->Rows().empty());
  EXPECT_FALSE(screens::top10->ClearButton()->visible);
  EXPECT_FALSE(screens::top10->SubmitButton()->visible);
  program.ClickOn(*screens::top10, screens::top10->CloseButton());
  program.Ticks(60);
  for (int i = 0; i < 12; ++i)
    Add("Player" + std::to_string(i), 5, 1000 + 100 * i);
  Add("Strategist", 2, 99999);
  Add("ABCDEFGHIJKLMNOPQRST", 5, 5000);
  program.Main()->RunCommand(AMainWindow::kTopTen);
  AWndTop10& top = *screens::top10;
  EXPECT_EQ(top.Title().Text(), "Expert");
  std::vector<std::string> names;
  for (const auto& row : top.Rows())
    names.push_back(row.name);
  const std::vector<std::string> best = {"ABCDEFGHIJKLM", "Player11", "Player10", "Player9", "Player8",
                                         "Player7",       "Player6",  "Player5",  "Player4", "Player3"};
  EXPECT_EQ(names, best);
  EXPECT_TRUE(top.ClearButton()->visible);
  program.ClickOn(top, top.SubmitButton());
  program.Ticks(60);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen.get());
  EXPECT_EQ(program.platform.OpenedUrls(),
            std::vector<std::string>{results_link::kAddress + results_link::Encode(results_link::ResultText(
                                                                  5000, "5", "ABCDEFGHIJKLMNOPQRST"))});
}

TEST(ResultsLink, KeepsTheReceivingServicesDigitsDecodesThemAndRefusesDamage) {
  const std::string text = results_link::ResultText(123456, "4", "N\xe4me 8-bit");
  const std::string digits = results_link::Encode(text);
  // Pinned: the page that receives the digits reads them with these constants.
  EXPECT_EQ(results_link::Encode(results_link::ResultText(4321, "6", "Max Power")),
            "145245232197022107141048220054017136022178040112167024152028056135051174010117");
  std::string back, why;
  ASSERT_TRUE(results_link::Decode(digits, back, why)) << why;
  EXPECT_EQ(back, text);
  EXPECT_EQ(results_link::Encode(""), "");
  // A changed last byte breaks both check bytes.
  const size_t last = digits.size() - 3;
  for (int flip : {0x01, 0x10, 0x80}) {
    std::string damaged = digits;
    char group[4];
    std::snprintf(group, sizeof group, "%03d", std::stoi(digits.substr(last, 3)) ^ flip);
    damaged.replace(last, 3, group);
    EXPECT_FALSE(results_link::Decode(damaged, back, why)) << flip;
  }
  for (const std::string& bad : {digits.substr(1), "256" + digits.substr(3), "12a" + digits.substr(3),
                                 digits.substr(0, 6), std::string()})
    EXPECT_FALSE(results_link::Decode(bad, back, why)) << bad;
}

}  // namespace
