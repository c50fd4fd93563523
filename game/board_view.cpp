#include "game/board_view.h"

#include <algorithm>
#include <random>

#include "engine/check.h"
#include "engine/screen.h"
#include "engine/sound_player.h"
#include "game/ball.h"
#include "game/board.h"
#include "game/game_context.h"

namespace {
// The shuffles draw from a generator of their own so that they never disturb the game's random
// numbers, which recordings replay. Seeded once per process; the order of appearance is cosmetic.
std::minstd_rand& ShuffleRandom() {
  return Game().shuffleRandom;
}
}  // namespace

BoardView::BoardView(Screen* screen, Board* field) : board_(field), screen_(screen) {}

BoardView::~BoardView() {
  // The sprites belong to the screen, which outlives the game: a board that goes takes its balls along.
  Clear();
}

void BoardView::ResetCountdowns() {
  appearCountdown_ = popCountdown_ = fallCountdown_ = moveCountdown_ = 0;
}

void BoardView::Start(bool restoring) {
  state_ = ViewState::kStarting;
  explosions_.clear();
  moves_.clear();
  appearances_.clear();
  falls_.clear();
  ResetCountdowns();
  blinkMs_ = 0;
  Clear();
  board_->cells_.fill(kEmptyCell);
  if (!restoring)
    board_->FillInitial();
  else
    state_ = ViewState::kIdle;
  sprites_.assign(kCellCount, nullptr);
}

void BoardView::Clear() {
  for (int i = 0; i < static_cast<int>(sprites_.size()); ++i)
    RemoveSprite(i);
  sprites_.clear();
  explosions_.clear();
  moves_.clear();
  appearances_.clear();
  falls_.clear();
  ResetCountdowns();
}

void BoardView::RefreshImages() {
  for (Ball* sprite : sprites_)
    if (sprite) ApplyLook(*sprite);
}

bool BoardView::ActionDue(int& countdown, int reload) {
  if (countdown >= 1) {
    --countdown;
    return false;
  }
  countdown = reload;
  return true;
}

Ball* BoardView::MakeSprite(int index, int colour) {
  if (!screen_ || index < 0 || index >= static_cast<int>(sprites_.size())) return nullptr;
  RemoveSprite(index);
  const CellPoint at = board_->CellPosition(index);
  Ball* ball = AddBallSprite(*screen_, catalogue::BallTemplate(colour), at.x, at.y, kSpriteDepth);
  if (ball) ball->colour = colour;
  sprites_[index] = ball;
  return ball;
}

void BoardView::RemoveSprite(int index) {
  Ball*& sprite = sprites_[index];
  if (sprite && screen_) screen_->RemoveClip(sprite);
  sprite = nullptr;
}

void BoardView::ShowSprites(bool visible) {
  for (Ball* sprite : sprites_)
    if (sprite) sprite->visible = visible;
}

void BoardView::SortScreen() {
  if (screen_) screen_->SortByDepth();
}

void BoardView::PlaySound(SoundId id) const {
  // A view without a screen is a scratch board or a test: nothing to hear.
  if (screen_) GetSound().Play(id, true);
}

void BoardView::CancelPops() {
  explosions_.clear();
}

void BoardView::BeginPops() {
  state_ = ViewState::kPopping;
  popCountdown_ = 0;
}

Ball* BoardView::Sprite(int index) const {
  if (index < 0 || index >= static_cast<int>(sprites_.size())) return nullptr;
  return sprites_[index];
}

void BoardView::PlaceBall(int index, Ball* ball) {
  if (index < 0 || index >= static_cast<int>(sprites_.size())) return;
  if (sprites_[index] != ball) RemoveSprite(index);
  sprites_[index] = ball;
  if (!ball) return;
  const CellPoint at = board_->CellPosition(index);
  ball->x = at.x, ball->y = at.y, ball->depth = kSpriteDepth;
  ball->SetFrame(Ball::kRestFrame);
  SortScreen();
}

void BoardView::QueuePop(int index) {
  explosions_.push_back(index);
  state_ = ViewState::kPopping;
  popCountdown_ = 0;
}

void BoardView::QueueMove(int index) {
  moves_.push_back(index);
  if (index == kRowBoundary) return;
  state_ = ViewState::kShifting;
  moveCountdown_ = 0;
}

void BoardView::QueueFall(int index) {
  falls_.push_back(index);
  state_ = ViewState::kFalling;
  fallCountdown_ = 0;
}

void BoardView::PlaceColour(int index, int colour) {
  // Boards read from files are checked where they are read: a cell or a colour out of range here is a slip.
  if (!GLOBBET_CHECK(index >= 0 && index < kCellCount && colour >= 0 && colour < kColourCount,
                     "place colours 0..5 on cells 0..271"))
    return;
  if (index >= static_cast<int>(sprites_.size())) return;  // a scratch board has no sprites
  Ball* ball = MakeSprite(index, colour);
  if (!ball) return;
  ball->SetFrame(Ball::kRestFrame);
  SortScreen();
}

void BoardView::QueueAppear(int index) {
  appearances_.push_back(index);
  state_ = ViewState::kAppearing;
  appearCountdown_ = 0;
}

void BoardView::QueueInitial(int index) {
  appearances_.push_back(index);
  state_ = ViewState::kFilling;
  appearCountdown_ = 0;
}

void BoardView::CommitAppear() {
  std::shuffle(appearances_.begin(), appearances_.end(), ShuffleRandom());
}

void BoardView::CommitMoves() {
  int* runStart = moves_.begin();
  for (int* p = moves_.begin(); p != moves_.end(); ++p) {
    if (*p != kRowBoundary) continue;
    std::shuffle(runStart, p, ShuffleRandom());
    runStart = p + 1;
  }
  std::shuffle(runStart, moves_.end(), ShuffleRandom());
}

void BoardView::SetHidden(bool hidden) {
  if (hidden) {
    if (state_ == ViewState::kHidden || state_ == ViewState::kHiding) return;
    remembered_ = state_;
    state_ = ViewState::kHiding;
  } else if (state_ == ViewState::kHidden) {
    state_ = ViewState::kShowing;
  } else if (state_ == ViewState::kHiding) {
    // Resumed before a tick hid anything: nothing to show again. Staying in Hiding would hide the board
    // for good, with no pause left to lift it.
    state_ = remembered_;
  }
}
