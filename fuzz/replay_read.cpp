// A hostile "replay.dat" read by the playback reader, and its records handed to the board the way the
// replay players use them (shots traced from any aim, arcade time-outs pushing any number of rows).
#include <cstdint>

#include "game/replay_recorder.h"
#include "tests/support/board_rows.h"
#include "tests/support/test_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TestFolder folder;  // one per process, removed when it ends
  ReplayRecorder player(folder.path());
  WriteAll(player.ReplayPath(), std::string(reinterpret_cast<const char*>(data), size));
  int level = 0, type = 0;
  player.PeekHeader(level, type);
  if (!player.OpenPlayback()) return 0;
  ScratchBoard board;
  for (int i = 0; i < 6 * kColumns; ++i)
    board.SetCell(i, i % kColourCount);
  // The reader does not know the record kinds; take them in the order the low bits of each draw say.
  int value = 0, x = 0, y = 0, left = 0, allowance = 0;
  for (int records = 0; records < 200 && player.ReadRandom(value); ++records) {
    if ((value & 3) == 1) {
      if (!player.ReadShot(x, y)) break;
      Shoot(board, x, y, (value & 7) % kColourCount);
    } else if ((value & 3) == 2) {
      if (!player.ReadArcade(x, y, left, allowance)) break;
      if (x == kArcadeTimeoutX) board.ShiftRows(y);
    }
  }
  return 0;
}
