// globbet-tool record: a game played by the demo's choice and recorded by the game's own recorder plays
// back, in the game's own replay player, to the very end the recording game reported.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "game/save_replay.h"
#include "tests/game/session_support.h"
#include "tests/support/tool_runner.h"

namespace {
namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecordTool : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RunGlobbetTool("--help").status != 0) GTEST_SKIP() << "globbet-tool is not built";
    ASSERT_FALSE(folder.path().empty());
  }
  std::string Path(const std::string& name) const { return folder.path() + "/" + name; }

  session_testing::Folder folder;
};

// Seeds that end soon, so the test stays quick; the strategy and the arcade rules at both ends of the
// level range.
struct Case {
  int seed, level, mode;
};
constexpr Case kCases[] = {{6, 2, 0}, {9, 0, 0}, {29, 2, 1}, {3, 0, 1}};

TEST_F(RecordTool, TheRecordedGameReplaysToTheSameEnd) {
  for (const Case& c : kCases) {
    const std::string args =
        std::to_string(c.seed) + " " + std::to_string(c.level) + " " + std::to_string(c.mode);
    SCOPED_TRACE(args);
    const std::string out = Path("game.dat");
    const ToolRun recorded = RunGlobbetTool("record '" + out + "' " + args);
    ASSERT_EQ(recorded.status, 0);
    ASSERT_EQ(recorded.out.rfind("score ", 0), 0u) << recorded.out;
    EXPECT_NE(recorded.out.find("\nshots "), std::string::npos) << recorded.out;
    EXPECT_NE(recorded.out.find("\nboard "), std::string::npos) << recorded.out;

    int level = -1, type = -1;
    ASSERT_EQ(ReadReplayHeader(out, level, type), ReplayHeaderCheck::kOk);
    EXPECT_EQ(level, c.level);
    EXPECT_EQ(type, c.mode);

    const ToolRun verified = RunGlobbetTool("replay verify '" + out + "'");
    ASSERT_EQ(verified.status, 0);
    EXPECT_EQ(verified.out, recorded.out) << "the replay ends elsewhere than the recorded game";
  }
}

TEST_F(RecordTool, TheSameSeedRecordsTheSameGameOverAnOlderFile) {
  const std::string first = Path("first.dat"), second = Path("second.dat");
  ASSERT_EQ(RunGlobbetTool("record '" + first + "' 6 2 0").status, 0);
  // A longer file already in place is replaced whole, not overwritten at its start.
  std::ofstream(second, std::ios::binary) << std::string(100000, 'x');
  ASSERT_EQ(RunGlobbetTool("record '" + second + "' 6 2 0").status, 0);
  EXPECT_EQ(Bytes(second), Bytes(first));
  ASSERT_EQ(RunGlobbetTool("record '" + second + "' 7 2 0").status, 0);
  EXPECT_NE(Bytes(second), Bytes(first)) << "another seed plays another game";
}

TEST_F(RecordTool, RefusesWhatItCannotRecord) {
  const std::string out = Path("out.dat");
  for (const char* args : {"6 3 0", "6 -1 0", "6 2 2", "x 2 0", "4294967296 2 0", "6 2", "6 2 0 --speed 5"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(RunGlobbetTool("record '" + out + "' " + std::string(args)).status, 1);
    EXPECT_FALSE(fs::exists(out)) << "a refused record leaves no file";
  }
  EXPECT_EQ(RunGlobbetTool("record '" + Path("no/such/folder/out.dat") + "' 6 2 0").status, 1);
  EXPECT_EQ(RunGlobbetTool("record '" + out + "' 6 2 0 --data '" + Path("nothing") + "'").status, 1)
      << "without the balls there is no game";
}

}  // namespace
