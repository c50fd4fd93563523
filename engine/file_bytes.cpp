#include "engine/file_bytes.h"

#include <cstdio>
#include <filesystem>

bool ReadFileBytes(const std::string& path, size_t maxSize, std::vector<uint8_t>& out) {
  out.clear();
  // Opening a named pipe blocks until a writer comes, and a device may never end: only plain files.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long length = ok ? std::ftell(file) : -1;
  ok = ok && length >= 0 && size_t(length) <= maxSize && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    out.resize(size_t(length));
    ok = std::fread(out.data(), 1, out.size(), file) == out.size();
  }
  std::fclose(file);
  if (!ok) out.clear();
  return ok;
}
