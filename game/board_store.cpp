// The board in the settings store: one int list under the game's name + ".Field", cell 0 first, -1 for
// an empty cell and otherwise the palette index of the ball's colour.
#include <algorithm>
#include <string>
#include <vector>

#include "game/board.h"
#include "store/settings_store.h"

namespace {
std::string BoardKey(const BoardOwner& owner) {
  return owner.Name() + ".Field";
}
}  // namespace

void Board::Save() const {
  SettingsStore* store = owner_ ? owner_->Settings() : nullptr;
  if (!store) return;
  int values[kCellCount];
  for (int i = 0; i < kCellCount; ++i) {
    const int colour = cells_[i];
    values[i] = colour;  // empty stays -1; a colour missing from the palette keeps its own code
    if (colour == kEmptyCell) continue;
    for (int k = 0; k < kColourCount; ++k) {
      if (PaletteColour(k) == colour) {
        values[i] = k;
        break;
      }
    }
  }
  store->SetIntArray(BoardKey(*owner_), values, kCellCount, ' ');
}

void Board::Load() {
  SettingsStore* store = owner_ ? owner_->Settings() : nullptr;
  const std::vector<int> values = store ? store->GetIntArray(BoardKey(*owner_), ' ') : std::vector<int>();
  if (values.empty()) {  // no board was saved: a new one
    FillInitial();
    return;
  }
  const int count = std::min(static_cast<int>(values.size()), kCellCount);
  for (int i = 0; i < count; ++i) {
    const int k = values[i];
    if (k < kEmptyCell || k >= kColourCount) return;  // a damaged list: the rest stays empty
    if (k == kEmptyCell) continue;
    cells_[i] = PaletteColour(k);
    view_.PlaceColour(i, k);
  }
}
