// Replay files written byte by byte: the header (level and game type, four little-endian bytes each),
// then the records.
#pragma once

#include <fstream>
#include <string>

inline std::string ReplayHeader(int level, int type) {
  std::string header(8, '\0');
  header[0] = static_cast<char>(level);
  header[4] = static_cast<char>(type);
  return header;
}

inline void WriteReplayFile(const std::string& path, int level, int type, const std::string& records) {
  std::ofstream(path, std::ios::binary) << ReplayHeader(level, type) << records;
}
