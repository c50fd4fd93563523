#include "store/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(size_t(n));
  }
  return true;
}

// Creates a new temporary file next to path; -1 when the folder refuses one.
int CreateTemporary(const std::string& path, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = TemporaryPrefix(path) + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The process that made a temporary file named rest (what follows the prefix: "<pid>-<attempt>"), or -1
// when the name is not one of ours.
pid_t WriterOf(const char* rest) {
  char* end = nullptr;
  errno = 0;
  const long pid = std::strtol(rest, &end, 10);
  if (errno != 0 || end == rest || *end != '-' || pid <= 0 || pid != pid_t(pid)) return -1;
  const char* attempt = end + 1;
  std::strtol(attempt, &end, 10);
  if (end == attempt || *end != '\0') return -1;
  return pid_t(pid);
}

// Removes the temporary files of path that no write will finish: those of processes that are gone (a
// kill or a crash during a write) and this process's own abandoned ones. Without this every interrupted
// write would leave one more file beside the target for good. A live process's file is its write in
// progress and stays.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string prefix = TemporaryPrefix(path);
  const size_t slash = prefix.rfind('/');
  const std::string namePrefix = slash == std::string::npos ? prefix : prefix.substr(slash + 1);
  const std::string folder = FolderOf(path);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::string_view(entry->d_name).substr(0, namePrefix.size()) != namePrefix) continue;
    const pid_t writer = WriterOf(entry->d_name + namePrefix.size());
    if (writer < 0) continue;
    const bool gone = writer == ::getpid() || (::kill(writer, 0) != 0 && errno == ESRCH);
    if (gone) ::unlink((folder + "/" + entry->d_name).c_str());
  }
  ::closedir(dir);
}

void SyncFolder(const std::string& path) {
  int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // best effort: some file systems cannot sync a folder, and the rename is done anyway
  ::close(fd);
}
}  // namespace

std::string TemporaryPrefix(const std::string& path) {
  return path + ".tmp-";
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, WriteFault fault) {
  std::string temporary;
  int fd = CreateTemporary(path, temporary);
  if (fd < 0) return false;
  struct stat old;
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

  bool ok = fault != WriteFault::kFailWrite && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && fault == WriteFault::kAbandonBeforeRename) return false;
  ok = ok && fault != WriteFault::kFailBeforeRename && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  RemoveStaleTemporaries(path);
  SyncFolder(path);
  return true;
}
