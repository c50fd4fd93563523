// A game stand-in for board tests: a palette, scripted or generated random numbers, and a record of
// the notices the board sends. Boards are written as rows of 17 characters: '.' empty, '0'..'5' a
// colour.
#pragma once

#include <string>
#include <vector>

#include "game/field.h"
#include "game/random.h"

class TestOwner : public FieldOwner {
 public:
  int PaletteLength() const override { return paletteLength; }
  void SetPaletteLength(int length) override { paletteLength = length; }
  int PaletteColour(int k) const override { return palette[k]; }
  int Random(int n) override {
    ++draws;
    if (n == 0) return 0;
    if (!script.empty()) return script[(draws - 1) % script.size()] % n;
    return LibRandom() % n;
  }
  void ResetCombo() override { ++comboResets; }
  void ShotResolved(bool hit) override { resolved.push_back(hit); }
  std::string Name() const override { return name; }
  OConfig* Settings() const override { return settings; }

  int paletteLength = 6;
  int palette[6] = {0, 1, 2, 3, 4, 5};
  std::vector<int> script;  // values Random returns in turn (mod n); empty: the game generator
  int draws = 0;
  int comboResets = 0;
  std::vector<bool> resolved;
  std::string name = "GameOrig";
  OConfig* settings = nullptr;
};

// Sets the first rows of field from pictures, the rest empty.
inline void SetRows(Field& field, const std::vector<std::string>& rows) {
  for (int i = 0; i < kCellCount; ++i)
    field.SetCell(i, kEmptyCell);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < kColumns && c < static_cast<int>(rows[r].size()); ++c)
      field.SetCell(r * kColumns + c, rows[r][c] == '.' ? kEmptyCell : rows[r][c] - '0');
}

// The first rows of field as pictures.
inline std::vector<std::string> GetRows(const Field& field, int count) {
  std::vector<std::string> rows;
  for (int r = 0; r < count; ++r) {
    std::string row;
    for (int c = 0; c < kColumns; ++c) {
      const int v = field.Cell(r * kColumns + c);
      row += v == kEmptyCell ? '.' : static_cast<char>('0' + v);
    }
    rows.push_back(row);
  }
  return rows;
}

inline int Index(int column, int row) {
  return row * kColumns + column;
}

// A started, empty board in play with owner.
struct TestBoard {
  TestOwner owner;
  Field4 field{nullptr};
  TestBoard() {
    field.SetOwner(&owner);
    field.Reset(true);
  }
};
