// globbet-tool's clip and results commands on the real data files, one row a run in one folder: the
// arguments ($DATA the data folder), the exit status, and what the output holds; a picture written must
// be a PNG.
#include "tests/support/tool_runner.h"

namespace {

// The results link of 4321 points at level code 6 by "Max Power".
#define LINK "145245232197022107141048220054017136022178040112167024152028056135051174010117"

TEST(ToolCommands, EndAsTheirTableSays) {
  ExpectToolRows(
      {
          {"clp info $DATA/clp/ball/0.clp",
           {},
           0,
           "~10 images, 1 sequences|type 4 (raw+mask)|frame 9: image 9 at (0, 0), key FF00FF, action 1|game "
           "reader: loads"},
          {"clp info $DATA/clp/mainwnd/0.clp", {}, 0, "~type 10 (jpeg)"},
          {"clp info $DATA/clp/buttons/18.clp", {}, 0, "~6 sequences"},
          {"clp info $DATA/wav/0.wav", {}, 1, "~is not a clip file"},
          {"clp sheet $DATA/clp/buttons/4.clp one.png --zoom 3 && head -c4 one.png", {}, 0, "~PNG"},
          {"clp sheet-all $DATA all.png && head -c4 all.png", {}, 0, "~PNG"},
          {"clp sheet $DATA/clp/ball/3.clp x.png --zoom 99", {}, 1, "~"},
          {"clp sheet-all . x.png", {}, 1, "~holds no clp folder"},
          {"clp bogus", {}, 1, "~"},
          {"results decode " LINK, {}, 0, "score\t4321\ncode\t6\nname\tMax Power\ntags\tgbt exe\n"},
          {"results decode " LINK "1", {}, 1, "~"},
          {"results decode 145245232197022107141048220054017136022178040112167024152028056135051174010116",
           {},
           1,
           "~check byte"},
      },
      ToolStderr::kKeep, GLOBBET_DATA_DIR);
}

}  // namespace
