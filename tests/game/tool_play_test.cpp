// globbet-tool trace, pop and replay info, run as a maintainer would run them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/tool_runner.h"

namespace {
namespace fs = std::filesystem;

class PlayToolTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(tool_)) GTEST_SKIP() << "globbet-tool is not built";
    std::string pattern = (fs::temp_directory_path() / "globbet-tool-play-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    if (!folder_.empty()) fs::remove_all(folder_);
  }
  // Runs the tool in the test folder; standard error is dropped.
  ToolRun Run(const std::string& args) const { return RunGlobbetTool(args, folder_); }
  void WriteText(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ + "/" + name, std::ios::binary) << text;
  }
  // A board file: cells listed, the rest empty.
  void WriteBoard(const std::string& name, const std::vector<std::pair<int, int>>& balls) const {
    std::vector<int> cells(272, -1);
    for (const auto& [index, colour] : balls)
      cells[index] = colour;
    std::string text;
    for (int i = 0; i < 272; ++i)
      text += std::to_string(cells[i]) + (i % 17 == 16 ? "\n" : " ");
    WriteText(name, text);
  }

  const std::string tool_ = std::string(GLOBBET_BINARY_DIR) + "/globbet-tool";
  std::string folder_;
};

TEST_F(PlayToolTest, TracePrintsWayPointsAndLanding) {
  WriteBoard("empty", {});
  const ToolRun r = Run("trace empty 294 200");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "278.000000 53.000000 10.000000\n269.000000 13.000000 5.000000\nlanding 8\n");
}

TEST_F(PlayToolTest, TraceRefusesBadBoardsAndAims) {
  WriteBoard("empty", {});
  WriteText("short", "-1 -1 0\n");
  WriteBoard("six", {{5, 0}});
  std::string six;
  {
    std::ifstream in(folder_ + "/six");
    six.assign(std::istreambuf_iterator<char>(in), {});
  }
  WriteText("six", six.replace(six.find(" 0 "), 3, " 6 "));
  EXPECT_EQ(Run("trace short 100 100").status, 1);
  EXPECT_EQ(Run("trace six 100 100").status, 1);
  EXPECT_EQ(Run("trace missing 100 100").status, 1);
  EXPECT_EQ(Run("trace empty 13 100").status, 1);  // on the field's edge: no click fires there
  EXPECT_EQ(Run("trace empty 100 500").status, 1);
  EXPECT_EQ(Run("trace empty 1x 100").status, 1);
  EXPECT_EQ(Run("trace empty").status, 1);
}

TEST_F(PlayToolTest, PopRemovesTheGroupAndTheBallsItHeld) {
  // Row 0: two 2s at 0 and 1; row 1: a 4 at 17 hanging from them; the shot puts a 2 at cell 2.
  WriteBoard("board", {{0, 2}, {1, 2}, {17, 4}, {10, 1}});
  const ToolRun r = Run("pop board 2 2");
  EXPECT_EQ(r.status, 0);
  std::vector<int> cells(272, -1);
  cells[10] = 1;
  std::string line;
  for (int i = 0; i < 272; ++i)
    line += (i ? " " : "") + std::to_string(cells[i]);
  EXPECT_EQ(r.out, line + "\ngroup 3 fell 1\n");
  EXPECT_NE(Run("pop board 11 3").out.find("group 1 fell 0"), std::string::npos);
  EXPECT_EQ(Run("pop board 272 1").status, 1);
  EXPECT_EQ(Run("pop board 5 6").status, 1);
}

TEST_F(PlayToolTest, ReplayInfoShowsTheHeaderOrWhyItIsRefused) {
  WriteText("replay.dat", std::string("\x01\0\0\0\x01\0\0\0\x05", 9));
  const ToolRun ok = Run("replay info replay.dat");
  EXPECT_EQ(ok.status, 0);
  EXPECT_EQ(ok.out, "level 1 (Expert)\ntype 1 (arcade)\nsize 9 bytes\n");
  WriteText("bad.dat", std::string("\x03\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(Run("replay info bad.dat").status, 1);
  WriteText("short.dat", std::string("\x01\0\0", 3));
  EXPECT_EQ(Run("replay info short.dat").status, 1);
  EXPECT_EQ(Run("replay info missing.dat").status, 1);
  EXPECT_EQ(Run("replay show replay.dat").status, 1);
}
}  // namespace
