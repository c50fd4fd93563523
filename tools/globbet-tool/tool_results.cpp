// globbet-tool results: read back the digits of a results link, so that what the top-ten screen sends
// can be checked by hand and in the end-to-end runs.
#include <cstdio>
#include <string>

#include "screens/dialogs/results_link.h"
#include "tools/globbet-tool/command.h"

namespace {
constexpr char kUsage[] =
    "usage: globbet-tool results decode DIGITS\n"
    "       globbet-tool results encode SCORE CODE NAME\n"
    "\n"
    "  decode   unscramble the digits after \"e=\" of a results link, check both check bytes and print\n"
    "           the result text with its fields split: score, level code, name, tags\n"
    "  encode   print the digits the top-ten screen sends for that best result\n"
    "\n"
    "Exit status 1 with a one-line reason when the digits are malformed or a check byte is wrong.\n";

int Decode(const std::string& digits) {
  std::string text, why;
  if (!results_link::Decode(digits, text, why)) return Fail("results: " + why);
  std::string fields[5];
  size_t field = 0;
  for (char c : text) {
    if (c == '\t' && field < 4)
      ++field;
    else
      fields[field] += c;
  }
  std::printf("score\t%s\ncode\t%s\nname\t%s\ntags\t%s %s\n", fields[0].c_str(), fields[1].c_str(),
              fields[2].c_str(), fields[3].c_str(), fields[4].c_str());
  return 0;
}

int Run(const ToolArgs& args) {
  if (WantsHelp(args)) return PrintUsage(kUsage);
  if (args.size() == 2 && args[0] == "decode") return Decode(args[1]);
  if (args.size() == 4 && args[0] == "encode") {
    int score = 0;
    if (std::sscanf(args[1].c_str(), "%d", &score) != 1) return Fail("results: SCORE must be a number");
    std::printf("%s\n", results_link::Encode(results_link::ResultText(score, args[2], args[3])).c_str());
    return 0;
  }
  return Fail("results: expected 'decode DIGITS' or 'encode SCORE CODE NAME' (see --help)");
}

const GlobbetToolCommand kResults("results", "decode (or encode) the digits of a results link", kUsage, Run);
}  // namespace
