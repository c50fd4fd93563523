// The view's tick: the pause, the blink, and one step of the queue its state plays. Each step does at
// most ten sprite creations, five moves, one explosion or one fall, so every tick stays short.
//
// Sections: tick · blink · appearances · explosions · falls · row moves
#include "engine/active_screen.h"
#include "engine/screen.h"
#include "game/ball.h"
#include "game/board.h"
#include "game/board_view.h"
#include "game/random.h"
#include "game/score_counter.h"
#include "store/options.h"

// ---- tick --------------------------------------------------------------------------------------------
void BoardView::Tick(int ms) {
  if (state_ == ViewState::kHiding) {
    ShowSprites(false);
    if (SmallBallShower* shower = GetSmallBallShower()) shower->Clear();
    state_ = ViewState::kHidden;
    // One more frame so that the screen shows the board hidden before everything stands still.
    if (screen_) screen_->OnFrame(ms);
    return;
  }
  if (state_ == ViewState::kHidden) return;
  if (state_ == ViewState::kShowing) {
    ShowSprites(true);
    state_ = remembered_;
  }
  Blink(ms);
  switch (state_) {
    case ViewState::kFilling:
    case ViewState::kAppearing:
      if (ActionDue(appearCountdown_, kAppearReload)) PlayAppearances();
      break;
    case ViewState::kPopping:
      if (ActionDue(popCountdown_, kPopReload)) PlayPops();
      break;
    case ViewState::kFalling:
      if (ActionDue(fallCountdown_, kFallReload)) PlayFalls();
      break;
    case ViewState::kShifting:
      if (ActionDue(moveCountdown_, kMoveReload)) PlayMoves();
      break;
    default:
      break;
  }
}

// ---- blink -------------------------------------------------------------------------------------------
void BoardView::Blink(int ms) {
  blinkMs_ += ms;
  if (blinkMs_ <= kBlinkPeriodMs) return;
  blinkMs_ = 0;
  if (!GetOptions().animate) return;
  int occupied[kCellCount];
  int count = 0;
  for (int i = 0; i < static_cast<int>(sprites_.size()); ++i)
    if (sprites_[i]) occupied[count++] = i;
  if (count == 0) return;
  // Decoration only: the library generator, never the game's recorded draws.
  Ball* sprite = sprites_[occupied[LibRandom() % count]];
  if (sprite->GetCurrentFrame() == Ball::kRestFrame) sprite->StartShine();
}

// ---- appearances -------------------------------------------------------------------------------------
void BoardView::PlayAppearances() {
  bool made = false;
  for (int taken = 0; taken < kAppearPerAction && !appearances_.empty(); ++taken) {
    const int index = appearances_.front();
    appearances_.pop_front();
    const int colour = board_->Cell(index);
    // A cell that lost its ball (or holds a mark) has nothing to show: this step ends, the entry is gone.
    if (colour < 0 || colour >= kColourCount) break;
    if (Ball* ball = MakeSprite(index, colour)) {
      ball->StartAppear();
      made = true;
    }
    if (appearances_.size() % 8 == 0) PlaySound(SoundId::kTick);
  }
  if (made) SortScreen();
  if (!appearances_.empty()) return;
  if (state_ == ViewState::kFilling) {
    state_ = ViewState::kIdle;
  } else {
    board_->SetScoringDrops(false);
    board_->DropDetached();
  }
}

// ---- explosions --------------------------------------------------------------------------------------
void BoardView::PlayPops() {
  if (!explosions_.empty()) {
    const int index = explosions_.front();
    explosions_.pop_front();
    if (Ball* sprite = Sprite(index)) {
      SmallBallShower* shower = GetSmallBallShower();
      const CellPoint at = board_->CellPosition(index);
      if (shower && screen_) shower->Burst(*screen_, at.x, at.y, sprite->colour, false);
      RemoveSprite(index);
    }
    if (score_) score_->AddPopped();
    PlaySound(SoundId::kBurst);
  }
  if (!explosions_.empty()) return;
  state_ = ViewState::kFalling;
  if (board_->Owner()) board_->Owner()->ResetCombo();
  board_->SetScoringDrops(true);
  board_->DropDetached();
}

// ---- falls -------------------------------------------------------------------------------------------
void BoardView::PlayFalls() {
  if (!falls_.empty()) {
    const int index = falls_.front();
    falls_.pop_front();
    if (Ball* sprite = Sprite(index)) {
      sprite->StartFall(kFallLimit);
      sprites_[index] = nullptr;  // the ball goes its own way and bursts by itself
    }
    if (board_->ScoringDrops() && score_) score_->AddFalling();
  }
  if (!falls_.empty()) return;
  state_ = ViewState::kIdle;
  board_->SetScoringDrops(false);
  if (board_->Owner()) board_->Owner()->ShotResolved(true);
}

// ---- row moves ---------------------------------------------------------------------------------------
void BoardView::PlayMoves() {
  for (int moved = 0; moved < kMovesPerAction && !moves_.empty();) {
    const int index = moves_.front();
    moves_.pop_front();
    if (index == kRowBoundary) continue;
    ++moved;
    if (index >= 0 && index < static_cast<int>(sprites_.size())) {
      const int below = index + kColumns;
      if (below < kCellCount) {
        Ball* sprite = sprites_[index];
        if (sprite) {
          const CellPoint at = board_->CellPosition(below);
          sprite->MoveTo(at.x, at.y);
        }
        // The sprite below has moved on already, since rows move bottom row first.
        if (sprites_[below] != sprite) RemoveSprite(below);
        sprites_[below] = sprite;
        sprites_[index] = nullptr;
      } else {
        RemoveSprite(index);
      }
    }
    if (moves_.size() % 8 == 0) PlaySound(SoundId::kTick);
  }
  if (!moves_.empty()) return;
  for (const Ball* sprite : sprites_)
    if (sprite && sprite->displayMode == Ball::kMoving) return;
  board_->FillNewRows();
}
