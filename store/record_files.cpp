#include "store/record_files.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

namespace {
constexpr size_t kHashDigits = 16;
constexpr char kExtension[] = ".dat";

bool IsRecordingName(const std::string& name) {
  if (name.size() != kHashDigits + sizeof kExtension - 1 || !name.ends_with(kExtension)) return false;
  for (size_t i = 0; i < kHashDigits; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}
}  // namespace

std::string RecordingFileName(int score, const ScoreRecord& record) {
  const std::string line =
      record.date + '\t' + record.name + '\t' + record.code + '\t' + std::to_string(score);
  uint64_t hash = 0xcbf29ce484222325u;
  for (char c : line)
    hash = (hash ^ uint8_t(c)) * 0x100000001b3u;
  char name[kHashDigits + sizeof kExtension];
  std::snprintf(name, sizeof name, "%016llx%s", static_cast<unsigned long long>(hash), kExtension);
  return name;
}

std::string RecordingFilePath(int score, const ScoreRecord& record, const std::string& folder) {
  return folder + "/" + RecordingFileName(score, record);
}

int PruneRecordings(const ScoreTable& table, const std::string& folder) {
  std::set<std::string> kept, codes;
  for (const auto& entry : table)
    codes.insert(entry.second.code);
  for (const std::string& code : codes)
    for (const auto& [score, record] : table.Top(code))
      kept.insert(RecordingFileName(score, *record));
  std::error_code error;
  std::vector<std::filesystem::path> doomed;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (IsRecordingName(name) && !kept.count(name)) doomed.push_back(entry.path());
  }
  int deleted = 0;
  for (const auto& path : doomed)
    deleted += std::filesystem::remove(path, error) ? 1 : 0;
  return deleted;
}
