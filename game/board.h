// The ball field: the logical board of 17 x 16 cells, each empty (-1) or holding a ball of colour 0..5
// (10..15 while marked by a search). It finds groups and detached balls, pushes rows down and refills
// them, tells which colours remain and whether the game is over, computes shots (trace.cpp) and stores
// itself in the settings store (board_store.cpp). Every visible change goes to its view.
//
//   Board      the board's rules
//   PlayBoard     the board in play: the initial fill, the cell geometry and the group search
//   ScratchBoard  the demo's scratch copy: removals and shifts on the cells alone, no view, no owner calls
//
// Sections: Board · PlayBoard · ScratchBoard
#pragma once

#include <array>

#include "engine/point_speed.h"
#include "game/board_geometry.h"
#include "game/board_owner.h"
#include "game/board_view.h"

class Ball;
class Screen;

// Cell values.
constexpr int kEmptyCell = -1;
constexpr int kMarkOffset = 10;  // a search adds this to the cells it has visited

// Top-left corner of a cell's ball in window pixels.
struct CellPoint {
  int x = 0;
  int y = 0;
};

// What a group removal found: the size of the same-coloured group at the cell (0 for an empty cell,
// 1 for a lone ball) and whether that group left the board.
struct GroupPop {
  int size = 0;
  bool removed = false;
  bool operator==(const GroupPop&) const = default;
};

// ---- Board -------------------------------------------------------------------------------------------
class Board {
 public:
  // A board showing its balls on screen (null: no sprites), with every cell empty until Reset.
  explicit Board(Screen* screen);
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  // Empties the board and starts the view; a new game (restoring false) fills the initial rows.
  bool Reset(bool restoring);
  // Tells the view to clear and empties every cell.
  void Clear();
  virtual ~Board();
  // Fraction of the ball size within which a shot's line counts as touching a ball.
  double HitFactor() const { return 0.7; }
  // Passes elapsed milliseconds to the view.
  void Tick(int ms);
  // Removes the group of same-coloured balls at index when it has at least threshold balls (a lone
  // ball never goes when threshold > 1).
  virtual GroupPop PopCluster(int index, int threshold);
  // Fills the rows of a new game at random and queues their appearance.
  virtual void FillInitial() = 0;
  // Top-left corner of cell index.
  virtual CellPoint CellPosition(int index) const = 0;
  // Group search from cell (column, row): marks the connected balls of colour (any ball when
  // anyColour; colour -1 starts a search with the cell's own colour) and returns the group size.
  virtual int Mark(int column, int row, int colour, bool anyColour) = 0;
  // Removes every ball that no longer hangs from the top row; true when something fell.
  virtual bool DropDetached();

  // Sets the cell to colour (when index is 0..271 and colour 0..5) and lets the view adopt ball as the
  // cell's sprite.
  void PlaceBall(int index, int colour, Ball* ball);
  // True when cell index is empty.
  bool IsEmpty(int index) const { return Cell(index) == kEmptyCell; }
  // Pushes the board down by n rows (0..16); false when a ball ended in the bottom row.
  bool AddRows(int n);
  // Refills the empty cells of the rows the last push opened, drawing one number per cell.
  void FillNewRows();
  // Writes the distinct colours on the board into out (room for 6) in order of first appearance.
  int ColoursPresent(int* out) const;
  // True when the game is over: the top row is empty (a win) or the bottom row holds a ball.
  bool IsOver() const;
  // True when the top row is empty: the board is cleared, every colour has left play.
  bool TopRowEmpty() const;
  // The empty cell whose top-left corner is nearest to (x, y); 0 when none is nearer than the start.
  int NearestEmptyCell(int x, int y) const;
  // Computes the flight toward aim (ax, ay) from the ball centre (x0, y0), appends its way points to
  // path and sets the landing index. A bounce continues with aim (0, 0) and the slope so far.
  void Trace(int ax, int ay, double x0, double y0, double slope, PointPath& path);
  // Restores the board from the settings store, or fills a new one when none was stored.
  void Load();
  // Stores the board in the settings store under the owner's name + ".Field".
  void Save() const;

  // Cell value at index, or kEmptyCell outside the board.
  int Cell(int index) const { return index >= 0 && index < kCellCount ? cells_[index] : kEmptyCell; }
  // Sets cell index (0..271) to value (-1..5); anything else is ignored. For set-ups and tools.
  void SetCell(int index, int value);
  // The whole board.
  const std::array<int, kCellCount>& Cells() const { return cells_; }
  // The cell where the ball in flight will settle.
  int LandingIndex() const { return landing_; }
  // Sets the game that supplies colours, random numbers and score notices.
  void SetOwner(BoardOwner* owner) { owner_ = owner; }
  BoardOwner* Owner() const { return owner_; }
  // The board's view.
  BoardView& View() { return view_; }
  const BoardView& View() const { return view_; }
  // While set, balls removed by the detached-ball search score as falling balls.
  bool ScoringDrops() const { return scoringDrops_; }
  void SetScoringDrops(bool on) { scoringDrops_ = on; }
  // Rows the last push left empty at the top.
  int RowsToFill() const { return rowsToFill_; }

 protected:
  friend class BoardView;  // its Start gives the board its empty cells

  // A draw through the owner (0 without one).
  int DrawRandom(int n);
  // Colour code of palette entry k (entry 0 for k outside 0..5), or k itself without an owner.
  int PaletteColour(int k) const;
  // Number of palette entries in play (6 without an owner).
  int PaletteLength() const;
  // Moves every cell one row down; the bottom row's balls drop off the board. Queues the moves in the
  // view when queueMoves.
  void ShiftOneRow(bool queueMoves);
  // True when the bottom row holds a ball.
  bool BottomRowOccupied() const;

  BoardOwner* owner_ = nullptr;
  int landing_ = 0;
  BoardView view_;
  std::array<int, kCellCount> cells_;
  bool scoringDrops_ = false;
  int rowsToFill_ = 0;

 private:
  // The contact of the flight line with the nearest ball in its way (trace.cpp).
  struct BallContact {
    double distance;  // squared distance of the contact centre from the start; kNoHit for none
    int x, y;         // the contact centre, truncated
  };
  // The colour each stored cell value 0..5 stands for, given the palette in play (board_store.cpp).
  std::array<int, kColourCount> StoredColours() const;
  BallContact NearestBallContact(int ax, int ay, double x0, double y0, double k, double b) const;
  // One straight segment of the flight; depth counts the bounces so far (trace.cpp).
  void TraceSegment(int ax, int ay, double x0, double y0, double slope, PointPath& path, int depth);
};

// ---- PlayBoard ------------------------------------------------------------------------------------------
class PlayBoard : public Board {
 public:
  explicit PlayBoard(Screen* screen) : Board(screen) {}

  // Draws a colour for each cell of the initial rows and queues their appearance.
  void FillInitial() override;
  // x = column * 32 + 13 + (row odd: 16), y = row * 32 + 13. Final: the flight and the nearest-cell
  // search walk the board by rows and rely on this layout.
  CellPoint CellPosition(int index) const final;
  // Recursive flood fill with one counter shared by the whole search.
  int Mark(int column, int row, int colour, bool anyColour) override;

 protected:
  // False on the scratch board, whose searches touch only the cells.
  bool queuePops_ = true;

 private:
  int markCount_ = 0;
};

// ---- ScratchBoard ---------------------------------------------------------------------------------------
// The demo's scratch board: built without a screen, filled by CopyFrom, never started; its removals
// and shifts change the cells and nothing else.
class ScratchBoard : public PlayBoard {
 public:
  ScratchBoard() : PlayBoard(nullptr) { queuePops_ = false; }

  // As the board's removal, on the cells alone.
  GroupPop PopCluster(int index, int threshold) override;
  // Removes every ball that no longer hangs from the top row; true when something fell.
  bool DropDetached() override;
  // Pushes the cells down n rows; false as soon as the bottom row holds a ball after a step.
  bool ShiftRows(int n);
  // Copies the other board's cells.
  void CopyFrom(const Board& other);
};
