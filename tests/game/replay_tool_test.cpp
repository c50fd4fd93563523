// globbet-tool replay verify and demo, run as a maintainer runs them: the headless replay reports the
// recorded game's end, and the demo's games are the same for the same seed.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "tests/game/replay_support.h"
#include "tests/support/tool_runner.h"

using namespace replay_testing;

namespace {

class ReplayTool : public ReplayFixture {
 protected:
  void SetUp() override {
    ReplayFixture::SetUp();
    if (RunGlobbetTool("--help").status != 0) GTEST_SKIP() << "globbet-tool is not built";
  }
};

TEST_F(ReplayTool, VerifyPrintsTheRecordedGamesEnd) {
  for (int type : {0, 1}) {
    SCOPED_TRACE(type);
    GetOptions().GameType = type;
    GetOptions().Level = 2;
    std::mt19937 aim(uint32_t(50 + type));
    GameLog live;
    if (type == 0)
      Make<GameOrig>();
    else
      Make<GameTime>();
    screen->resultDialogs = 0;
    Record(live, aim, type == 1);
    ASSERT_EQ(screen->resultDialogs, 1);

    const ToolRun r = RunGlobbetTool("replay verify '" + folder.path() + "/replay.dat'");
    ASSERT_EQ(r.status, 0) << r.out;
    std::istringstream in(r.out);
    std::string word;
    int score = -1, shots = -1;
    in >> word >> score;
    EXPECT_EQ(word, "score");
    in >> word >> shots;
    EXPECT_EQ(word, "shots");
    in >> word;
    EXPECT_EQ(word, "board");
    std::array<int, kCellCount> board{};
    for (int& cell : board)
      in >> cell;
    ASSERT_TRUE(in) << r.out;
    EXPECT_EQ(score, live.end.score);
    EXPECT_EQ(shots, int(live.shots.size()));
    EXPECT_EQ(board, live.end.cells);
  }
}

TEST_F(ReplayTool, VerifyRefusesWhatThePlayerCannotPlay) {
  EXPECT_EQ(RunGlobbetTool("replay verify '" + folder.path() + "/none.dat'").status, 1);
  std::FILE* file = std::fopen((folder.path() + "/short.dat").c_str(), "wb");
  const unsigned char header[8 + 20] = {0, 0, 0, 0, 0, 0, 0, 0};
  std::fwrite(header, 1, sizeof header, file);
  std::fclose(file);
  EXPECT_EQ(RunGlobbetTool("replay verify '" + folder.path() + "/short.dat'").status, 1)
      << "a file too short for its first board has no end to report";
  EXPECT_EQ(RunGlobbetTool("replay frobnicate x").status, 1);
}

TEST_F(ReplayTool, DemoGamesFollowTheSeed) {
  const ToolRun first = RunGlobbetTool("demo 2 77 1 0");
  ASSERT_EQ(first.status, 0);
  EXPECT_EQ(RunGlobbetTool("demo 2 77 1 0").out, first.out);
  std::istringstream in(first.out);
  std::string line;
  int games = 0;
  while (std::getline(in, line))
    games += line.rfind("game ", 0) == 0;
  EXPECT_EQ(games, 2) << first.out;
  EXPECT_NE(first.out.find("games 2 cleared"), std::string::npos) << first.out;
  EXPECT_NE(RunGlobbetTool("demo 2 78 1 0").out, first.out);
  EXPECT_EQ(RunGlobbetTool("demo 2 77 3 0").status, 1);
  EXPECT_EQ(RunGlobbetTool("demo 0 77 1 0").status, 1);
  EXPECT_EQ(RunGlobbetTool("demo 2 77 1").status, 1);
}

}  // namespace
