#include "store/score_table.h"

#include <unordered_map>
#include <vector>

#include "store/value_text.h"

namespace {
std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}
}  // namespace

void ScoreTable::Add(int score, ScoreRecord record) {
  // A multimap places a new element after the equal keys already present.
  records_.emplace(score, std::move(record));
}

void ScoreTable::FromText(std::string_view text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::vector<std::string_view> fields = SplitTabs(text.substr(start, end - start));
    start = end + 1;
    if (fields.size() != 4) continue;
    Add(ReadDecimal(fields[3]), {std::string(fields[0]), std::string(fields[1]), std::string(fields[2])});
  }
}

bool ScoreTable::AddRecord(std::string_view line) {
  std::vector<std::string_view> fields = SplitTabs(line);
  ScoreRecord record;
  std::string* slots[3] = {&record.date, &record.name, &record.code};
  for (size_t i = 0; i + 1 < fields.size() && i < 3; ++i)
    slots[i]->assign(fields[i]);
  Add(ReadDecimal(fields.back()), std::move(record));
  return true;
}

std::string ScoreTable::ToText() const {
  std::string out;
  std::unordered_map<std::string, int> written;  // lines per name + code
  for (const auto& [score, record] : *this) {
    if (++written[record.name + record.code] > kKeptPerPlayerAndCode) continue;
    out += record.date;
    out += '\t';
    out += record.name;
    out += '\t';
    out += record.code;
    out += '\t';
    out += std::to_string(score);
    out += '\n';
  }
  return out;
}

void ScoreTable::ClearLevel(std::string_view code) {
  std::erase_if(records_, [&](const auto& entry) { return entry.second.code == code; });
}

std::vector<ScoreTable::TopRow> ScoreTable::Top(std::string_view code) const {
  std::vector<TopRow> rows;
  for (const auto& [score, record] : *this) {
    if (rows.size() == kTopRows) break;
    if (record.code == code) rows.emplace_back(score, &record);
  }
  return rows;
}
