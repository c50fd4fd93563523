// The view's tick: the pause, the blink, and one step of the queue its state plays. Each step does at
// most ten sprite creations, five moves, one explosion or one fall, so every tick stays short.
//
// Sections: tick · blink · appearances · explosions · falls · row moves
#include "engine/active_screen.h"
#include "engine/screen.h"
#include "game/ball.h"
#include "game/field.h"
#include "game/field_visual.h"
#include "game/random.h"
#include "game/score_ball.h"
#include "store/options.h"

// ---- tick --------------------------------------------------------------------------------------------
void FieldVisual::Tick(int ms) {
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
void FieldVisual::Blink(int ms) {
  blinkMs_ += ms;
  if (blinkMs_ <= kBlinkPeriodMs) return;
  blinkMs_ = 0;
  if (!GetOptions().Animate) return;
  int occupied[kCellCount];
  int count = 0;
  for (int i = 0; i < static_cast<int>(sprites_.size()); ++i)
    if (sprites_[i]) occupied[count++] = i;
  if (count == 0) return;
  // Decoration only: the library generator, never the game's recorded draws.
  ABall* sprite = sprites_[occupied[LibRandom() % count]];
  if (sprite->GetCurrentFrame() == ABall::kRestFrame) sprite->StartShine();
}

// ---- appearances -------------------------------------------------------------------------------------
void FieldVisual::PlayAppearances() {
  bool made = false;
  for (int taken = 0; taken < kAppearPerAction && !appearances_.empty(); ++taken) {
    const int index = appearances_.front();
    appearances_.pop_front();
    const int colour = field_->Cell(index);
    // A cell that lost its ball (or holds a mark) has nothing to show: this step ends, the entry is gone.
    if (colour < 0 || colour >= kColourCount) break;
    if (ABall* ball = MakeSprite(index, colour)) {
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
    field_->SetScoringDrops(false);
    field_->DropDetached();
  }
}

// ---- explosions --------------------------------------------------------------------------------------
void FieldVisual::PlayPops() {
  if (!explosions_.empty()) {
    const int index = explosions_.front();
    explosions_.pop_front();
    if (ABall* sprite = Sprite(index)) {
      SmallBallShower* shower = GetSmallBallShower();
      const CellPoint at = field_->CellPosition(index);
      if (shower && screen_) shower->Burst(*screen_, at.x, at.y, sprite->colour, false);
      RemoveSprite(index);
    }
    if (score_) score_->AddPopped();
    PlaySound(SoundId::kBurst);
  }
  if (!explosions_.empty()) return;
  state_ = ViewState::kFalling;
  if (field_->Owner()) field_->Owner()->ResetCombo();
  field_->SetScoringDrops(true);
  field_->DropDetached();
}

// ---- falls -------------------------------------------------------------------------------------------
void FieldVisual::PlayFalls() {
  if (!falls_.empty()) {
    const int index = falls_.front();
    falls_.pop_front();
    if (ABall* sprite = Sprite(index)) {
      sprite->StartFall(kFallLimit);
      sprites_[index] = nullptr;  // the ball goes its own way and bursts by itself
    }
    if (field_->ScoringDrops() && score_) score_->AddFalling();
  }
  if (!falls_.empty()) return;
  state_ = ViewState::kIdle;
  field_->SetScoringDrops(false);
  if (field_->Owner()) field_->Owner()->ShotResolved(true);
}

// ---- row moves ---------------------------------------------------------------------------------------
void FieldVisual::PlayMoves() {
  for (int moved = 0; moved < kMovesPerAction && !moves_.empty();) {
    const int index = moves_.front();
    moves_.pop_front();
    if (index == kRowBoundary) continue;
    ++moved;
    if (index >= 0 && index < static_cast<int>(sprites_.size())) {
      const int below = index + kColumns;
      if (below < kCellCount) {
        ABall* sprite = sprites_[index];
        if (sprite) {
          const CellPoint at = field_->CellPosition(below);
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
  for (const ABall* sprite : sprites_)
    if (sprite && sprite->displayMode == ABall::kMoving) return;
  field_->FillNewRows();
}
