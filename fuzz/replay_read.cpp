// Fuzz target: a hostile "replay.dat" read by the playback reader, and its records handed to the board
// the way the replay players use them (shots traced from any aim, arcade time-outs pushing any number
// of rows).
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/field.h"
#include "game/save_replay.h"
#include "game/trace.h"

namespace {
// One scratch folder per process, removed when the process ends.
struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    char pattern[] = "/tmp/globbet-fuzz-replay-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path = made ? made : ".";
  }
  ~ScratchFolder() {
    if (path == ".") return;
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::string& Folder() {
  static const ScratchFolder folder;
  return folder.path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SaveReplay player(Folder());
  if (std::FILE* file = std::fopen(player.ReplayPath().c_str(), "wb")) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
  int level = 0;
  int type = 0;
  player.PeekHeader(level, type);
  if (!player.OpenPlayback()) return 0;

  FieldRash board;
  for (int i = 0; i < 6 * kColumns; ++i)
    board.SetCell(i, i % kColourCount);
  PointPath path;
  // The reader does not know the record kinds; take them in the order the low bits of each draw say.
  for (int records = 0; records < 200; ++records) {
    int value = 0;
    if (!player.ReadRandom(value)) break;
    int x = 0, y = 0, left = 0, allowance = 0;
    if ((value & 3) == 1) {
      if (!player.ReadShot(x, y)) break;
      path.clear();
      board.Trace(x, y, trace::kStartX, trace::kStartY, 0.0, path);
      board.SetCell(board.LandingIndex(), (value & 7) % kColourCount);
      board.PopCluster(board.LandingIndex(), 3);
      board.DropDetached();
    } else if ((value & 3) == 2) {
      if (!player.ReadArcade(x, y, left, allowance)) break;
      if (x == kArcadeTimeoutX) board.ShiftRows(y);
    }
  }
  return 0;
}
