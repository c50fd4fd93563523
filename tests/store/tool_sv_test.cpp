// globbet-tool's sv and cipher commands, run as a player or maintainer would run them, one after the
// other in one folder: each row places its files, runs the command and checks its status and output.
#include "tests/support/tool_runner.h"

namespace {
constexpr char kStored[] =
    "Game = {\n\tCurrGame = {\n\t\tSkins=[1 -2 3]\n\t}\n\tOptions = {\n\t\tLevel=2\n\t}\n\tScores = {\n\t\t"
    "Table=\"ann\\t5\\n\"\n\t}\n}\nOther = {\n\tKey=-7\n}\n";

TEST(ToolSv, CommandsAndWhatTheyPrintOrRefuse) {
  ExpectToolRows({
      {"sv decode", {}, 1, ""},  // no sv.dat yet
      {"sv set Game.Options.Level 2", {}, 0, ""},
      {"sv set Game.CurrGame.Skins '[1  -2 3]'", {}, 0, ""},
      {"sv set Game.Scores.Table '\"ann\\t5\\n\"'", {}, 0, ""},
      {"sv set Other.Key -7 sv.dat", {}, 0, ""},
      {"sv get Game.CurrGame.Skins", {}, 0, "[1 -2 3]\n"},
      {"sv get Game.Scores.Table", {}, 0, "\"ann\\t5\\n\"\n"},
      {"sv get Game.Missing", {}, 1, ""},
      {"sv decode", {}, 0, kStored},
      // Refused values and keys leave the file as it was.
      {"sv set A abc", {}, 1, ""},
      {"sv set A '[1 x]'", {}, 1, ""},
      {"sv set A.{ 1", {}, 1, ""},
      {"sv set A '\"open\\\"'", {}, 1, ""},
      {"sv decode", {}, 0, kStored},
      {"sv decode bad.dat", {{"bad.dat", std::string(20, 'x')}}, 1, ""},
      {"sv set A 2 bad.dat", {}, 1, ""},
      // A settings text the store cannot read to its end is not rewritten: the unread rest would be lost.
      {"sv encode broken.txt broken.dat", {{"broken.txt", "A=1\n}\nB=2\n"}}, 0, ""},
      {"sv set C 3 broken.dat", {}, 1, ""},
      {"sv decode broken.dat", {}, 0, "A=1\n}\nB=2\n"},
      // The bare block layer: 13 bytes make two blocks, no checksum.
      {"cipher encrypt TorvikSa plain enc && wc -c < enc", {{"plain", "thirteen byte"}}, 0, "16\n"},
      {"cipher decrypt TorvikSa enc back && cat back", {}, 0, "thirteen byte"},
      {"cipher decrypt short enc back", {}, 1, ""},
      {"cipher decrypt TorvikSa missing back", {}, 1, ""},
  });
}
}  // namespace
