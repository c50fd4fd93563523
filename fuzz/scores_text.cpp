// The high-score text reader on arbitrary bytes, then the writer: what is written reads back to the same
// lines (equal scores may swap places, as every save and load does), best first.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "store/score_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ScoreTable table, back;
  table.FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = table.ToText();
  back.FromText(text);
  if (back.Size() != size_t(std::count(text.begin(), text.end(), '\n'))) std::abort();
  auto sortedLines = [](const std::string& t) {
    std::vector<std::string> lines;
    std::istringstream in(t);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
  };
  if (sortedLines(back.ToText()) != sortedLines(text)) std::abort();
  if (!std::is_sorted(back.begin(), back.end(), [](auto& a, auto& b) { return a.first > b.first; }))
    std::abort();
  return 0;
}
