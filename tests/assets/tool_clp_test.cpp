// globbet-tool's clip and results commands on the real data files, one row a run: the arguments ($DATA
// the data folder), the exit status, what the output holds ('|' between the parts), and the PNG picture
// it must leave.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>

#include "tests/support/test_folder.h"
#include "tests/support/tool_runner.h"

namespace {

// The results link of 4321 points at level code 6 by "Max Power".
#define LINK "145245232197022107141048220054017136022178040112167024152028056135051174010117"

const struct ToolCase {
  const char* args;
  int status;
  const char* output;
  const char* png;
} kCases[] = {
    {"clp info $DATA/clp/ball/0.clp", 0,
     "10 images, 1 sequences|type 4 (raw+mask)|frame 9: image 9 at (0, 0), key FF00FF, action 1|game reader: "
     "loads",
     ""},
    {"clp info $DATA/clp/mainwnd/0.clp", 0, "type 10 (jpeg)", ""},
    {"clp info $DATA/clp/buttons/18.clp", 0, "6 sequences", ""},
    {"clp info $DATA/wav/0.wav", 1, "is not a clip file", ""},
    {"clp sheet $DATA/clp/buttons/4.clp one.png --zoom 3", 0, "", "one.png"},
    {"clp sheet-all $DATA all.png", 0, "", "all.png"},
    {"clp sheet $DATA/clp/ball/3.clp x.png --zoom 99", 1, "", ""},
    {"clp sheet-all . x.png", 1, "holds no clp folder", ""},
    {"clp bogus", 1, "", ""},
    {"results decode " LINK, 0, "score\t4321\ncode\t6\nname\tMax Power\ntags\tgbt exe\n", ""},
    {"results decode " LINK "1", 1, "", ""},
    {"results decode 145245232197022107141048220054017136022178040112167024152028056135051174010116", 1,
     "check byte", ""},
};

TEST(ToolCommands, EndAsTheirTableSays) {
  for (const ToolCase& c : kCases) {
    SCOPED_TRACE(c.args);
    TestFolder folder;
    const std::string args = std::regex_replace(c.args, std::regex("\\$DATA"), GLOBBET_DATA_DIR);
    const ToolRun run = RunGlobbetTool(args, folder.path(), ToolStderr::kKeep);
    EXPECT_EQ(run.status, c.status) << run.out;
    std::istringstream parts(c.output);
    for (std::string part; std::getline(parts, part, '|');)
      EXPECT_NE(run.out.find(part), std::string::npos) << part << " not in:\n" << run.out;
    if (*c.png) {
      EXPECT_EQ(ReadAll(folder / c.png).substr(1, 3), "PNG");
    }
  }
}

}  // namespace
