// The board's rules. Sections: Board · PlayBoard (ScratchBoard: scratch_board.cpp)
#include "game/board.h"

#include <algorithm>
#include <cstdint>

// ---- Board -------------------------------------------------------------------------------------------
Board::Board(Screen* screen) : view_(screen, this) {
  cells_.fill(kEmptyCell);
}

Board::~Board() = default;

bool Board::Reset(bool restoring) {
  rowsToFill_ = 0;
  Clear();
  scoringDrops_ = false;
  view_.Start(restoring);
  return true;
}

void Board::Clear() {
  view_.Clear();
  cells_.fill(kEmptyCell);
}

void Board::Tick(int ms) {
  view_.Tick(ms);
}

int Board::DrawRandom(int n) {
  return owner_ ? owner_->Random(n) : 0;
}

int Board::PaletteColour(int k) const {
  if (k < 0 || k >= kColourCount) k = 0;  // the palette has six entries whatever a draw returned
  return owner_ ? owner_->PaletteColour(k) : k;
}

int Board::PaletteLength() const {
  return owner_ ? owner_->PaletteLength() : kColourCount;
}

void Board::SetCell(int index, int value) {
  if (index < 0 || index >= kCellCount || value < kEmptyCell || value >= kColourCount) return;
  cells_[index] = value;
}

void Board::PlaceBall(int index, int colour, Ball* ball) {
  // A colour outside 0..5 would read as a mark or as no ball at all: such a ball takes no cell.
  if (index >= 0 && index < kCellCount && colour >= 0 && colour < kColourCount) cells_[index] = colour;
  view_.PlaceBall(index, ball);
}

GroupPop Board::PopCluster(int index, int threshold) {
  view_.CancelPops();
  if (owner_) owner_->ResetCombo();
  const int n = Mark(index % kColumns, index / kColumns, -1, false);
  if (n == 1 && threshold > 1) {
    cells_[index] -= kMarkOffset;  // a lone ball: its own cell is the only mark
    return {1, false};
  }
  bool removed = false;
  for (int i = 0; i < kCellCount; ++i) {
    if (cells_[i] < kMarkOffset) continue;
    if (n < threshold) {
      cells_[i] -= kMarkOffset;
      view_.CancelPops();
    } else {
      view_.BeginPops();
      cells_[i] = kEmptyCell;
      removed = true;
    }
  }
  return {n, removed};
}

bool Board::DropDetached() {
  view_.SetState(ViewState::kIdle);
  if (owner_) owner_->ResetCombo();
  for (int c = 0; c < kColumns; ++c)
    Mark(c, 0, -1, true);
  bool fell = false;
  for (int i = kCellCount - 1; i >= 0; --i) {
    if (cells_[i] >= kMarkOffset) {
      cells_[i] -= kMarkOffset;
    } else if (cells_[i] != kEmptyCell) {
      view_.QueueFall(i);
      cells_[i] = kEmptyCell;
      fell = true;
    }
  }
  // Nothing fell: the shot is settled now; otherwise the view reports it when the falls are over.
  if (view_.IsIdle() && owner_) owner_->ShotResolved(true);
  return fell;
}

void Board::ShiftOneRow(bool queueMoves) {
  if (queueMoves) view_.QueueMove(BoardView::kRowBoundary);
  for (int i = kCellCount - 1; i >= 0; --i) {
    if (queueMoves && cells_[i] != kEmptyCell) view_.QueueMove(i);
    if (i + kColumns < kCellCount) cells_[i + kColumns] = cells_[i];
    cells_[i] = kEmptyCell;
    if (queueMoves && i % kColumns == 0) view_.QueueMove(BoardView::kRowBoundary);
  }
}

bool Board::BottomRowOccupied() const {
  for (int i = kCellCount - kColumns; i < kCellCount; ++i)
    if (cells_[i] != kEmptyCell) return true;
  return false;
}

bool Board::AddRows(int n) {
  // A push never needs more than the board's height; a count from a damaged recording must not make
  // the refill run past the last cell.
  n = std::clamp(n, 0, kRows);
  rowsToFill_ = n;
  for (int step = 0; step < n; ++step)
    ShiftOneRow(true);
  if (BottomRowOccupied()) return false;
  if (!view_.Moves().empty()) view_.CommitMoves();
  return true;
}

void Board::FillNewRows() {
  if (rowsToFill_ == 0) return;
  const int count = kColumns * rowsToFill_;
  for (int i = 0; i < count; ++i) {
    // One draw per cell, occupied or not: the recordings count on it.
    const int k = DrawRandom(PaletteLength());
    if (cells_[i] != kEmptyCell) continue;
    cells_[i] = PaletteColour(k);
    view_.QueueAppear(i);
  }
  view_.CommitAppear();
  view_.SetState(ViewState::kAppearing);
}

int Board::ColoursPresent(int* out) const {
  bool seen[kColourCount] = {};
  int count = 0;
  for (int value : cells_) {
    if (value < 0 || value >= kColourCount || seen[value]) continue;
    seen[value] = true;
    out[count++] = value;
  }
  return count;
}

bool Board::TopRowEmpty() const {
  for (int i = 0; i < kColumns; ++i)
    if (cells_[i] != kEmptyCell) return false;
  return true;
}

bool Board::IsOver() const {
  return TopRowEmpty() || BottomRowOccupied();
}

int Board::NearestEmptyCell(int x, int y) const {
  // 64-bit squares: a shot's end point may lie far outside the board.
  int64_t best = 2000000;
  int result = 0;
  for (int row = 0; row < kRows; ++row) {
    // The cells of a row share their y and lie a cell apart: a row whose distance alone is no better
    // holds no better cell.
    const CellPoint first = CellPosition(row * kColumns);
    const int64_t dy = int64_t{y} - first.y;
    if (dy * dy >= best) continue;
    for (int column = 0; column < kColumns; ++column) {
      const int i = row * kColumns + column;
      if (cells_[i] != kEmptyCell) continue;
      const int64_t dx = int64_t{x} - (first.x + column * kCellSize);
      const int64_t d = dx * dx + dy * dy;
      if (d < best) {
        best = d;
        result = i;
      }
    }
  }
  return result;
}

// ---- PlayBoard ------------------------------------------------------------------------------------------
void PlayBoard::FillInitial() {
  for (int i = 0; i < kInitialRows * kColumns; ++i) {
    cells_[i] = PaletteColour(DrawRandom(PaletteLength()));
    view_.QueueInitial(i);
  }
  view_.CommitAppear();
}

CellPoint PlayBoard::CellPosition(int index) const {
  const int row = index / kColumns;
  const int column = index % kColumns;
  return {column * kCellSize + kBoardLeft + (row % 2) * kCellSize / 2, row * kCellSize + kBoardTop};
}

int PlayBoard::Mark(int column, int row, int colour, bool anyColour) {
  if (colour == -1) {
    colour = Cell(row * kColumns + column);
    markCount_ = 0;
  }
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return 0;
  const int index = row * kColumns + column;
  int& cell = cells_[index];
  if (cell == kEmptyCell || cell >= kMarkOffset) return 0;
  if (!anyColour && cell != colour) return 0;
  cell += kMarkOffset;
  if (!anyColour && queuePops_) view_.NotePop(index);
  ++markCount_;
  // Odd rows sit half a cell right, so their diagonal neighbours are one column to the right.
  const int diagonal = row % 2 == 1 ? column + 1 : column - 1;
  PlayBoard::Mark(column + 1, row, colour, anyColour);
  PlayBoard::Mark(column - 1, row, colour, anyColour);
  PlayBoard::Mark(column, row + 1, colour, anyColour);
  PlayBoard::Mark(column, row - 1, colour, anyColour);
  PlayBoard::Mark(diagonal, row - 1, colour, anyColour);
  PlayBoard::Mark(diagonal, row + 1, colour, anyColour);
  return markCount_;
}
