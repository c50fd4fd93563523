// The demo's scratch board. It runs its searches without recursion (a walk over a group, bit masks
// with one 17-bit mask per row for the detached balls): the demo tries 100 shots per decision. The balls
// found are exactly those of the recursive search (a connected set does not depend on the order of the
// visits), and the scratch board keeps no explosion queue that could show the order.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "game/board.h"

namespace {
using RowMasks = std::array<uint32_t, kRows>;
constexpr uint32_t kRowBits = (1u << kColumns) - 1;

// The columns of the next row up or down that touch the balls in bits of row: an odd row sits half a
// cell right, so its balls also touch column + 1 there; an even row's touch column - 1.
uint32_t Adjacent(uint32_t bits, int row) {
  return (row % 2 == 1 ? bits | bits << 1 : bits | bits >> 1) & kRowBits;
}

// Grows seeds within one row through the side-by-side neighbours in allowed.
uint32_t FillRow(uint32_t seeds, uint32_t allowed) {
  uint32_t reach = seeds & allowed;
  for (;;) {
    const uint32_t grown = (reach | reach << 1 | reach >> 1) & allowed;
    if (grown == reach) return reach;
    reach = grown;
  }
}

// Grows reach (a subset of allowed) to everything in allowed connected to it, sweeping down and up
// the first rows rows (those holding balls) in turn until a sweep adds nothing.
void Flood(RowMasks& reach, const RowMasks& allowed, int rows) {
  for (bool down = true, first = true;; down = !down, first = false) {
    bool changed = false;
    for (int step = 0; step < rows; ++step) {
      const int r = down ? step : rows - 1 - step;
      const int neighbour = down ? r - 1 : r + 1;
      const uint32_t from = neighbour >= 0 && neighbour < rows ? Adjacent(reach[neighbour], neighbour) : 0;
      const uint32_t grown = FillRow(reach[r] | from, allowed[r]);
      changed = changed || grown != reach[r];
      reach[r] = grown;
    }
    // Each sweep closes every row against the neighbour it came from; a sweep that adds nothing
    // leaves them closed against both.
    if (!changed && !first) return;
  }
}

// The existing neighbours of every cell, -1 where a neighbour would lie off the board.
struct NeighbourTable {
  int16_t next[kCellCount][6];
  NeighbourTable() {
    for (int i = 0; i < kCellCount; ++i) {
      const int row = i / kColumns;
      const int column = i % kColumns;
      const int diagonal = row % 2 == 1 ? column + 1 : column - 1;
      const int cs[6] = {column + 1, column - 1, column, column, diagonal, diagonal};
      const int rs[6] = {row, row, row + 1, row - 1, row - 1, row + 1};
      for (int n = 0; n < 6; ++n) {
        const bool exists = cs[n] >= 0 && cs[n] < kColumns && rs[n] >= 0 && rs[n] < kRows;
        next[i][n] = static_cast<int16_t>(exists ? rs[n] * kColumns + cs[n] : -1);
      }
    }
  }
};

const NeighbourTable& Neighbours() {
  static const NeighbourTable table;  // a constant made once: not process state
  return table;
}

// One bit per cell for which keep(value) holds.
template <typename Keep>
RowMasks MasksOf(const std::array<int, kCellCount>& cells, Keep keep) {
  RowMasks masks{};
  for (int r = 0; r < kRows; ++r) {
    uint32_t bits = 0;
    for (int c = 0; c < kColumns; ++c)
      bits |= static_cast<uint32_t>(keep(cells[r * kColumns + c])) << c;
    masks[r] = bits;
  }
  return masks;
}

// Empties the cells whose bits are set in masks.
void EmptyCells(std::array<int, kCellCount>& cells, const RowMasks& masks) {
  for (int r = 0; r < kRows; ++r)
    for (uint32_t bits = masks[r]; bits != 0; bits &= bits - 1)
      cells[r * kColumns + std::countr_zero(bits)] = kEmptyCell;
}
}  // namespace

GroupPop ScratchBoard::PopCluster(int index, int threshold) {
  if (index < 0 || index >= kCellCount) return {};
  const int colour = cells_[index];
  if (colour == kEmptyCell || colour >= kMarkOffset) return {};
  // A group is small: a walk over its cells is cheaper than masks of the whole board.
  const NeighbourTable& table = Neighbours();
  int group[kCellCount];
  int n = 0;
  cells_[index] += kMarkOffset;
  group[n++] = index;
  for (int next = 0; next < n; ++next) {
    for (int16_t j : table.next[group[next]]) {
      if (j < 0 || cells_[j] != colour) continue;
      cells_[j] += kMarkOffset;  // marked once, listed once: the list never overflows
      group[n++] = j;
    }
  }
  const bool burst = n >= threshold;
  for (int i = 0; i < n; ++i)
    cells_[group[i]] = burst ? kEmptyCell : colour;
  return {n, burst};
}

bool ScratchBoard::DropDetached() {
  const RowMasks occupied = MasksOf(cells_, [](int v) { return v != kEmptyCell; });
  int rows = kRows;
  while (rows > 0 && occupied[rows - 1] == 0)
    --rows;
  RowMasks hanging{};
  hanging[0] = occupied[0];
  Flood(hanging, occupied, rows);
  RowMasks detached{};
  bool fell = false;
  for (int r = 0; r < rows; ++r) {
    detached[r] = occupied[r] & ~hanging[r];
    fell = fell || detached[r] != 0;
  }
  EmptyCells(cells_, detached);
  return fell;
}

bool ScratchBoard::ShiftRows(int n) {
  n = std::clamp(n, 0, kRows);
  for (int step = 0; step < n; ++step) {
    ShiftOneRow(false);
    if (BottomRowOccupied()) return false;
  }
  return true;
}

void ScratchBoard::CopyFrom(const Board& other) {
  cells_ = other.Cells();
}
