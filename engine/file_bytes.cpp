#include "engine/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {
bool Refuse(LoadResult* failure, LoadResult::Fault fault, const std::string& path, const std::string& why) {
  if (failure) *failure = {fault, path, why};
  return false;
}
}  // namespace

bool ReadFileBytes(const std::string& path, size_t maxSize, std::vector<uint8_t>& out, LoadResult* failure) {
  using Fault = LoadResult::Fault;
  out.clear();
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found)
    return Refuse(failure, Fault::kMissing, path, "no such file");
  if (error) return Refuse(failure, Fault::kUnreadable, path, error.message());
  // Opening a named pipe blocks until a writer comes, and a device may never end: only plain files.
  if (!std::filesystem::is_regular_file(status))
    return Refuse(failure, Fault::kUnreadable, path, "not a plain file");
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return Refuse(failure, Fault::kUnreadable, path, std::strerror(errno));
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long length = ok ? std::ftell(file) : -1;
  const bool tooLarge = ok && length >= 0 && size_t(length) > maxSize;
  ok = ok && length >= 0 && !tooLarge && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    out.resize(size_t(length));
    ok = std::fread(out.data(), 1, out.size(), file) == out.size();
  }
  std::fclose(file);
  if (ok) return true;
  out.clear();
  return Refuse(failure, Fault::kUnreadable, path,
                tooLarge ? "larger than " + std::to_string(maxSize) + " bytes" : "cannot be read to its end");
}
