// The outcome of loading a data file, told apart for the player's message: a file that is not there, one
// that is there but cannot be read (a folder, a named pipe, no permission, too large), and one that was
// read but is damaged.
#pragma once

#include <string>

struct LoadResult {
  enum class Fault { kNone, kMissing, kUnreadable, kDamaged };

  Fault fault = Fault::kNone;
  std::string file;    // the file as the loader was given it; empty when loaded
  std::string reason;  // what was wrong, in the loader's words; empty when loaded

  // True when the file was loaded.
  explicit operator bool() const { return fault == Fault::kNone; }
};
