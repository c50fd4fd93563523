// The board in the settings store: one int list under the game's name + ".Field", cell 0 first, -1 for
// an empty cell and otherwise the value 0..5 that StoredColours maps to the ball's colour.
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

std::array<int, kColourCount> Board::StoredColours() const {
  // Values below the palette's length are its entries in play, stored under "ColorsLeft" and read back
  // as they always were. The entries past them are not stored, so there a value names a colour out of
  // play: its own colour when that is out of play (as such values always read), else, in ascending
  // order, the colours out of play that no value names as its own. Every colour then has one value, and
  // a ball whose colour has left the palette (a launcher ball whose colour a timed push took) comes back
  // as itself.
  std::array<int, kColourCount> colours{};
  bool inPlay[kColourCount] = {};
  const int length = std::clamp(PaletteLength(), 0, kColourCount);
  for (int k = 0; k < length; ++k) {
    colours[k] = PaletteColour(k);
    if (colours[k] >= 0 && colours[k] < kColourCount) inPlay[colours[k]] = true;
  }
  // The entries past length whose own colour is in play are never more than the colours below length
  // out of play (the second count exceeds the first by length less the distinct colours in play).
  int unnamed = 0;
  for (int k = length; k < kColourCount; ++k) {
    if (!inPlay[k]) {
      colours[k] = k;
      continue;
    }
    while (unnamed < length - 1 && inPlay[unnamed])
      ++unnamed;
    colours[k] = unnamed++;
  }
  return colours;
}

void Board::Save() const {
  SettingsStore* store = owner_ ? owner_->Settings() : nullptr;
  if (!store) return;
  const std::array<int, kColourCount> colours = StoredColours();
  int values[kCellCount];
  for (int i = 0; i < kCellCount; ++i) {
    const int colour = cells_[i];
    values[i] = colour;  // empty stays -1
    if (colour == kEmptyCell) continue;
    const auto k = std::find(colours.begin(), colours.end(), colour);
    if (k != colours.end()) values[i] = int(k - colours.begin());
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
  const std::array<int, kColourCount> colours = StoredColours();
  const int count = std::min(static_cast<int>(values.size()), kCellCount);
  for (int i = 0; i < count; ++i) {
    const int k = values[i];
    if (k < kEmptyCell || k >= kColourCount) return;  // a damaged list: the rest stays empty
    if (k == kEmptyCell) continue;
    cells_[i] = colours[size_t(k)];
    view_.PlaceColour(i, cells_[i]);
  }
}
