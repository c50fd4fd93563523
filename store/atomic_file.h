// Replacing a file so that a crash, a kill or a full disk at any moment leaves either the old content or
// the new one, never a damaged or empty file: the bytes go to a temporary file in the same folder, which
// is flushed to disk and then renamed over the target, and the folder is flushed too.
#pragma once

#include <string>
#include <string_view>

// Points at which a test can make the write fail, to check that the old file survives.
enum class WriteFault {
  kNone,
  kFailWrite,            // writing the temporary file fails (as on a full disk); it is removed
  kFailBeforeRename,     // everything is written and flushed, then the write gives up; temporary removed
  kAbandonBeforeRename,  // as above, but the temporary file is left behind (as when the process is killed)
};

// Writes bytes to path through a temporary file; keeps the permission bits of an existing target. True
// when the new content is in place; false, with the old file untouched, otherwise. A write that succeeds
// also removes the temporary files of path that earlier writes left behind when they were interrupted
// (their process has ended, or it is this one): they can never be finished.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         WriteFault fault = WriteFault::kNone);

// The temporary file names WriteFileAtomically uses for path start with this.
std::string TemporaryPrefix(const std::string& path);
