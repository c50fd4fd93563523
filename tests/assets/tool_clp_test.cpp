// globbet-tool's clip commands on the real data files: info lists the records and the reader's verdict,
// sheet and sheet-all write PNG pictures, and bad input ends with status 1 and a reason.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/tool_runner.h"

namespace {

namespace fs = std::filesystem;

// Runs globbet-tool with the arguments (already quoted), standard error folded into the output.
ToolRun Tool(const std::string& arguments) {
  return RunGlobbetTool(arguments, {}, ToolStderr::kKeep);
}

class ToolClp : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "globbet-tool-clp-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(dir_, error);
  }
  std::string Data(const std::string& name) const {
    return "'" + std::string(GLOBBET_DATA_DIR) + "/" + name + "'";
  }
  bool IsPng(const fs::path& path) const {
    std::ifstream in(path, std::ios::binary);
    char head[8] = {};
    in.read(head, 8);
    return in && std::string(head + 1, 3) == "PNG";
  }
  fs::path dir_;
};

TEST_F(ToolClp, InfoListsImagesSequencesAndTheReadersVerdict) {
  const ToolRun ball = Tool("clp info " + Data("clp/ball/0.clp"));
  EXPECT_EQ(ball.status, 0) << ball.out;
  EXPECT_NE(ball.out.find("10 images, 1 sequences"), std::string::npos) << ball.out;
  EXPECT_NE(ball.out.find("type 4 (raw+mask)"), std::string::npos) << ball.out;
  EXPECT_NE(ball.out.find("frame 9: image 9 at (0, 0), key FF00FF, action 1"), std::string::npos) << ball.out;
  EXPECT_NE(ball.out.find("game reader: loads"), std::string::npos);
  const ToolRun panel = Tool("clp info " + Data("clp/mainwnd/0.clp"));
  EXPECT_NE(panel.out.find("type 10 (jpeg)"), std::string::npos) << panel.out;
  const ToolRun check = Tool("clp info " + Data("clp/buttons/18.clp"));
  EXPECT_NE(check.out.find("6 sequences"), std::string::npos) << check.out;
}

TEST_F(ToolClp, InfoRefusesWhatIsNotAClipFile) {
  const fs::path bad = dir_ / "bad.clp";
  std::ofstream(bad) << "korvanix clq and more bytes than a header";
  const ToolRun r = Tool("clp info '" + bad.string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("is not a clip file"), std::string::npos) << r.out;
  EXPECT_EQ(Tool("clp info '" + (dir_ / "missing.clp").string() + "'").status, 1);
}

TEST_F(ToolClp, SheetsArePngPictures) {
  const fs::path one = dir_ / "ball.png", all = dir_ / "all.png";
  EXPECT_EQ(Tool("clp sheet " + Data("clp/ball/3.clp") + " '" + one.string() + "'").status, 0);
  EXPECT_TRUE(IsPng(one));
  EXPECT_EQ(Tool("clp sheet " + Data("clp/buttons/4.clp") + " '" + one.string() + "' --zoom 3").status, 0);
  EXPECT_TRUE(IsPng(one));
  EXPECT_EQ(Tool("clp sheet-all '" + std::string(GLOBBET_DATA_DIR) + "' '" + all.string() + "'").status, 0);
  EXPECT_TRUE(IsPng(all));
  EXPECT_GT(fs::file_size(all), fs::file_size(one));
}

TEST_F(ToolClp, SheetsRefuseBadArguments) {
  EXPECT_EQ(
      Tool("clp sheet " + Data("clp/ball/3.clp") + " '" + (dir_ / "x.png").string() + "' --zoom 99").status,
      1);
  const ToolRun r = Tool("clp sheet-all '" + dir_.string() + "' '" + (dir_ / "x.png").string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("holds no clp folder"), std::string::npos) << r.out;
  EXPECT_EQ(Tool("clp bogus").status, 1);
}

}  // namespace
