// The high-score text reader on arbitrary bytes, then the writer: what is written reads back to the same
// lines (equal scores may swap places, as every save and load does).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/scores.h"

namespace {
std::vector<std::string> SortedLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TScoresTable table;
  table.FromText(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = table.ToText();
  if (!text.empty() && text.back() != '\n') std::abort();
  TScoresTable back;
  back.FromText(text);
  if (back.Size() != size_t(std::count(text.begin(), text.end(), '\n'))) std::abort();
  if (SortedLines(back.ToText()) != SortedLines(text)) std::abort();
  int previous = 0;
  bool first = true;
  for (const auto& [score, record] : back) {
    if (!first && score > previous) std::abort();
    previous = score, first = false;
  }
  return 0;
}
