// The board's view: one ball sprite per occupied cell and four queues of animations that the board
// asks for (explosions, row moves, appearances, falls), played one step at a time so that the game can
// wait for it to become idle. board_view.cpp holds the part the board drives (the state, the queues
// and the sprite bookkeeping), board_view_play.cpp the tick that plays the queues. A view given no
// screen (the demo's scratch boards, tests) never makes sprites but plays its queues all the same.
//
// Sections: view states · step table · BoardView
#pragma once

#include <cstdint>
#include <vector>

#include "engine/sound_id.h"
#include "game/board_geometry.h"
#include "game/index_queue.h"

class Ball;
class Screen;
class Board;
class ScoreCounter;

// ---- view states -----------------------------------------------------------------------------------
enum class ViewState : uint8_t {
  kHidden = 0,     // paused; nothing moves
  kHiding = 1,     // pause requested; the next tick hides the balls
  kShowing = 2,    // un-pause requested; the next tick shows the balls again
  kIdle = 3,       // nothing to animate
  kStarting = 4,   // set by Start
  kPopping = 5,    // playing the explosion queue
  kShifting = 6,   // playing the move queue
  kFilling = 7,    // playing the appearance queue of a new game
  kFalling = 8,    // playing the fall queue
  kAppearing = 9,  // playing the appearance queue of pushed-in rows
};

// ---- step table ------------------------------------------------------------------------------------
// Entries taken per action and the countdown reload (an action every reload + 1 ticks).
constexpr int kAppearPerAction = 10, kAppearReload = 5;
constexpr int kPopReload = 10;
constexpr int kFallReload = 20;
constexpr int kMovesPerAction = 5, kMoveReload = 2;
constexpr int kBlinkPeriodMs = 1000;
constexpr int kFallLimit = 32;  // a falling ball bursts after this many pixels
constexpr int kSpriteDepth = -10;

// ---- BoardView -------------------------------------------------------------------------------------
class BoardView {
 public:
  // A row boundary in the move queue.
  static constexpr int kRowBoundary = -1;

  // A view of field on screen; screen may be null (no sprites are ever made then).
  BoardView(Screen* screen, Board* field);
  BoardView(const BoardView&) = delete;
  BoardView& operator=(const BoardView&) = delete;

  // Empties the queues and the board, gives the board 272 empty cells and, unless restoring, fills it
  // with a new game's rows (the appearance then plays).
  void Start(bool restoring);
  // Removes every sprite, empties the sprite array and the queues, zeroes the countdowns.
  void Clear();
  ~BoardView();
  // Plays one step of the queued animations (pause, blink, then the state's queue).
  void Tick(int ms);
  // Re-applies each ball's chosen look to every sprite.
  void RefreshImages();
  // Discards the pending explosions.
  void CancelPops();
  // Starts playing the explosion queue.
  void BeginPops();
  // Adopts ball as the sprite of cell index (0..271; others ignored), replacing any sprite there.
  void PlaceBall(int index, Ball* ball);
  // Queues the explosion of cell index and starts playing the queue.
  void QueuePop(int index);
  // Queues the move of cell index one row down, or a row boundary (kRowBoundary).
  void QueueMove(int index);
  // Queues the fall of the ball of cell index.
  void QueueFall(int index);
  // Makes the sprite of colour (0..5) at cell index (0..271) for a restored board.
  void PlaceColour(int index, int colour);
  // Queues the appearance of a pushed-in ball at cell index.
  void QueueAppear(int index);
  // Queues the appearance of a new game's ball at cell index.
  void QueueInitial(int index);
  // Shuffles the appearance queue so that balls pop up in random order.
  void CommitAppear();
  // Shuffles each run of moves between two row boundaries (random order within a row).
  void CommitMoves();

  // Pause (true) or resume (false); the next tick hides or shows the balls.
  void SetHidden(bool hidden);
  // Records an explosion found by the group search without starting the queue.
  void NotePop(int index) { explosions_.push_back(index); }

  // Current state.
  ViewState State() const { return state_; }
  // Sets the state (the board marks the view idle or appearing).
  void SetState(ViewState state) { state_ = state; }
  // True when nothing is animating.
  bool IsIdle() const { return state_ == ViewState::kIdle; }
  // The queues, front first.
  const IndexQueue& Explosions() const { return explosions_; }
  const IndexQueue& Moves() const { return moves_; }
  const IndexQueue& Appearances() const { return appearances_; }
  const IndexQueue& Falls() const { return falls_; }
  // The sprite of cell index, or null.
  Ball* Sprite(int index) const;
  // True when the view has its 272 sprite slots (after Start).
  bool HasSpriteSlots() const { return !sprites_.empty(); }
  // The screen the sprites live on, or null.
  Screen* HostScreen() const { return screen_; }
  // The score counter that exploding and falling balls add to (not owned; null: no scoring).
  void SetScoreCounter(ScoreCounter* score) { score_ = score; }
  // The state a pause will return to.
  ViewState RememberedState() const { return remembered_; }

 private:
  // Zeroes the four countdowns and the blink accumulator.
  void ResetCountdowns();
  // True when an action is due this tick (countdown below 1, then reloaded); else counts down.
  static bool ActionDue(int& countdown, int reload);
  // Makes the sprite of colour at cell index (replacing any), visible, at depth -10; null without a
  // screen or template.
  Ball* MakeSprite(int index, int colour);
  // Takes the sprite of cell index off the screen and out of the cell.
  void RemoveSprite(int index);
  // Shows or hides every sprite.
  void ShowSprites(bool visible);
  // The steps of Tick (board_view_play.cpp).
  void Blink(int ms);
  void PlayAppearances();
  void PlayPops();
  void PlayFalls();
  void PlayMoves();
  // Adds the sprites made or moved in this step to the screen's drawing order.
  void SortScreen();
  void PlaySound(SoundId id) const;

  ViewState state_ = ViewState::kIdle;
  IndexQueue explosions_;
  IndexQueue moves_;
  IndexQueue appearances_;
  IndexQueue falls_;
  std::vector<Ball*> sprites_;  // 272 slots after Start, none before (scratch boards never start)
  Board* board_;
  Screen* screen_;
  int appearCountdown_ = 0;
  int popCountdown_ = 0;
  int fallCountdown_ = 0;
  int moveCountdown_ = 0;
  int blinkMs_ = 0;
  ViewState remembered_ = ViewState::kIdle;
  ScoreCounter* score_ = nullptr;
};
