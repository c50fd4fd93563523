// globbet-tool trace and pop: the board's rules from the command line (recordings: tool_replay.cpp).
// Sections: reading a board · trace · pop

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "game/board.h"
#include "game/trace.h"
#include "tools/globbet-tool/command.h"

// ---- reading a board ---------------------------------------------------------------------------------
namespace {
constexpr long kMaxBoardFileBytes = 1 << 20;

// Parses a whole decimal integer (optional sign) into value; false on anything else or overflow.
bool ParseInt(const std::string& text, int& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

// Reads a board file: 272 integers separated by white space, -1 empty or a colour 0..5, cell 0
// first. On failure says why and returns false.
bool ReadBoard(const std::string& path, Board& field, int& status) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    status = Fail("cannot open '" + path + "'");
    return false;
  }
  std::string text;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    text.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (static_cast<long>(text.size()) > kMaxBoardFileBytes) {
      status = Fail("'" + path + "' is too large for a board");
      return false;
    }
  }
  std::size_t pos = 0;
  int count = 0;
  for (;;) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
      ++pos;
    if (pos == text.size()) break;
    const std::size_t start = pos;
    while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])))
      ++pos;
    const std::string word = text.substr(start, pos - start);
    int value = 0;
    if (!ParseInt(word, value) || value < kEmptyCell || value >= kColourCount) {
      status = Fail("'" + path + "': cell " + std::to_string(count) + " is '" + word +
                    "', not -1 or a colour 0..5");
      return false;
    }
    if (count == kCellCount) {
      status = Fail("'" + path + "' holds more than 272 cells");
      return false;
    }
    field.SetCell(count++, value);
  }
  if (count != kCellCount) {
    status = Fail("'" + path + "' holds " + std::to_string(count) + " cells, not 272");
    return false;
  }
  return true;
}

void PrintBoard(const Board& field) {
  for (int i = 0; i < kCellCount; ++i)
    std::printf(i ? " %d" : "%d", field.Cell(i));
  std::printf("\n");
}

// ---- trace -------------------------------------------------------------------------------------------
constexpr char kTraceUsage[] =
    "usage: globbet-tool trace CELLS AX AY\n"
    "\n"
    "Computes the flight of a ball fired from the launcher toward the aim point (AX, AY) on the board\n"
    "in CELLS, a file of 272 integers separated by white space (-1 empty, 0..5 a colour, cell 0\n"
    "first, 17 cells per row). The aim must lie inside the field, 13 < AX < 577 and 13 < AY < 500, as\n"
    "for a click. Prints each way point as 'x y speed' (the ball's top-left corner), then 'landing N'\n"
    "with the cell the ball settles in.\n";

int RunTrace(const ToolArgs& args) {
  if (args.size() != 3) return Fail("trace needs CELLS AX AY (see 'globbet-tool trace --help')");
  int ax = 0;
  int ay = 0;
  if (!ParseInt(args[1], ax) || !ParseInt(args[2], ay))
    return Fail("AX and AY must be integers, not '" + args[1] + "' '" + args[2] + "'");
  if (!InAimingArea(ax, ay)) return Fail("the aim must lie inside the field (13 < AX < 577, 13 < AY < 500)");
  ScratchBoard field;
  int status = 0;
  if (!ReadBoard(args[0], field, status)) return status;
  PointPath path;
  field.Trace(ax, ay, trace::kStartX, trace::kStartY, 0.0, path);
  for (const PointSpeed& p : path)
    std::printf("%.6f %.6f %.6f\n", p.x, p.y, p.speed);
  std::printf("landing %d\n", field.LandingIndex());
  return 0;
}

// ---- pop ---------------------------------------------------------------------------------------------
constexpr char kPopUsage[] =
    "usage: globbet-tool pop CELLS INDEX COLOUR\n"
    "\n"
    "Puts a ball of COLOUR (0..5) into cell INDEX (0..271) of the board in CELLS (see 'trace'), removes\n"
    "its group when it has 3 balls or more, and then every ball that no longer hangs from the top row.\n"
    "Prints the 272 resulting cells on one line, then 'group G fell F': the size of the ball's group\n"
    "(removed when G >= 3) and how many balls fell.\n";

int CountBalls(const Board& field) {
  int n = 0;
  for (int v : field.Cells())
    n += v != kEmptyCell;
  return n;
}

int RunPop(const ToolArgs& args) {
  if (args.size() != 3) return Fail("pop needs CELLS INDEX COLOUR (see 'globbet-tool pop --help')");
  int index = 0;
  int colour = 0;
  if (!ParseInt(args[1], index) || index < 0 || index >= kCellCount)
    return Fail("INDEX must be a cell 0..271, not '" + args[1] + "'");
  if (!ParseInt(args[2], colour) || colour < 0 || colour >= kColourCount)
    return Fail("COLOUR must be 0..5, not '" + args[2] + "'");
  ScratchBoard field;
  int status = 0;
  if (!ReadBoard(args[0], field, status)) return status;
  field.SetCell(index, colour);
  const int group = field.PopCluster(index, 3).size;
  const int before = CountBalls(field);
  field.DropDetached();
  PrintBoard(field);
  std::printf("group %d fell %d\n", group, before - CountBalls(field));
  return 0;
}

const GlobbetToolCommand kTraceCommand("trace", "the flight of a shot on a board", kTraceUsage, RunTrace);
const GlobbetToolCommand kPopCommand("pop", "a ball's group removal and the balls that fall", kPopUsage,
                                     RunPop);
}  // namespace
