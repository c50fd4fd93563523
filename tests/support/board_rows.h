// Boards written as rows separated by '|', each of up to 17 characters: '.' empty, '0'..'5' a colour;
// cells and rows not written are empty.
#pragma once

#include <string>

#include "game/board.h"
#include "game/trace.h"

inline int Index(int column, int row) {
  return row * kColumns + column;
}

// Sets the board's cells from rows; with sprites each ball also gets its sprite in the view.
inline void SetRows(Board& field, const std::string& rows, bool sprites = false) {
  for (int i = 0; i < kCellCount; ++i)
    field.SetCell(i, kEmptyCell);
  int column = 0, row = 0;
  for (char ch : rows) {
    if (ch == '|') {
      column = 0, ++row;
      continue;
    }
    field.SetCell(Index(column, row), ch == '.' ? kEmptyCell : ch - '0');
    if (sprites && ch != '.') field.View().PlaceColour(Index(column, row), ch - '0');
    ++column;
  }
}

// The board written as SetRows takes it, without trailing empty cells and rows.
inline std::string GetRows(const Board& field) {
  std::string rows, row;
  for (int i = 0; i < kCellCount; ++i) {
    row += field.IsEmpty(i) ? '.' : static_cast<char>('0' + field.Cell(i));
    if (i % kColumns < kColumns - 1) continue;
    rows += row.substr(0, row.find_last_not_of('.') + 1) + '|';
    row.clear();
  }
  return rows.substr(0, rows.find_last_not_of('|') + 1);
}

// The path of a shot aimed at (x, y) from the launcher; the board keeps where it lands.
inline PointPath Fire(Board& field, int x, int y) {
  PointPath path;
  field.Trace(x, y, trace::kStartX, trace::kStartY, 0.0, path);
  return path;
}

// A shot of colour aimed at (x, y), resolved as the game resolves it: the ball lands, a group of three
// or more goes and the balls it held fall. The size of the group gone, else 0.
inline int Shoot(Board& field, int x, int y, int colour) {
  Fire(field, x, y);
  field.SetCell(field.LandingIndex(), colour);
  const GroupPop pop = field.PopCluster(field.LandingIndex(), 3);
  field.DropDetached();
  return pop.removed ? pop.size : 0;
}
