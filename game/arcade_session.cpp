#include "game/arcade_session.h"

#include <algorithm>

#include "game/game_context.h"
#include "game/strategy_session.h"
#include "store/options.h"

int& ArcadePeriod() {
  return Game().arcadePeriod;
}

ArcadeSession::ArcadeSession(Screen* screen, std::string folder)
    : Session(screen, folder),
      timeLeft_(ArcadePeriod()),
      recorder_(folder),
      modePicture_(AddModePicture(screen, kModePicture, kModeX, kModeY)),
      indicator_(std::make_unique<AttemptsIndicator>(screen, GameMode::kArcade)) {}

ArcadeSession::~ArcadeSession() {
  RemoveFromScreen(modePicture_);
}

void ArcadeSession::Reset() {
  Session::Reset();
  timeLeft_ = ArcadePeriod();
}

bool ArcadeSession::Start(bool restoring) {
  if (!restoring) {
    recorder_.Close();
    recorder_.Begin(GetOptions().level, GetOptions().mode);
  }
  ArcadePeriod() = kArcadePeriods[Level()];
  const bool started = Session::Start(restoring);
  timeLeft_ = ArcadePeriod();
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  running_ = true;
  return started;
}

void ArcadeSession::Fire(int x, int y) {
  if (CanFire(x, y)) recorder_.WriteArcade(x, y, missesLeft_, missAllowance_);
  Session::Fire(x, y);
}

int ArcadeSession::Random(int n) {
  const int r = Session::Random(n);
  recorder_.WriteRandom(r);
  return r;
}

void ArcadeSession::ShotResolved(bool hit) {
  Session::ShotResolved(hit);
}

void ArcadeSession::GameOver() {
  replayIsThisGame_ = recorder_.Finish();
  Session::GameOver();
}

void ArcadeSession::NextBall() {
  Session::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}

void ArcadeSession::Save() {
  if (settings_) SaveMissCounters(*settings_, Name(), missesLeft_, missAllowance_);
  Session::Save();
}

bool ArcadeSession::Load() {
  recorder_.Reopen();
  const bool loaded = Session::Load();
  if (RecordingLost()) recorder_.Abandon();
  // A new game (nothing to resume, or the stored game refused) keeps its level's allowance.
  if (!Restored()) return loaded;
  LoadMissCounters(*settings_, Name(), paletteLength_, Level(), missesLeft_, missAllowance_);
  timeLeft_ = ArcadePeriod();
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  return loaded;
}

void ArcadeSession::Tick(int ms) {
  Session::Tick(ms);
  if (!running_ || state_ != SessionState::kReady || !board_ || !board_->View().IsIdle()) return;
  timeLeft_ -= ms;
  Save();
  if (timeLeft_ < 1) PeriodOver();
}

void ArcadeSession::PeriodOver() {
  timeLeft_ = ArcadePeriod();
  if (--missesLeft_ <= 0) {
    recorder_.WriteArcade(kArcadeTimeoutX, 7 - paletteLength_, 0, missAllowance_);
    PushRows();
    if (!board_->View().Moves().empty()) state_ = SessionState::kTimedRows;
    missAllowance_ = NextMissAllowance(missAllowance_, paletteLength_, Level());
    missesLeft_ = missAllowance_;
  }
  indicator_->Show(missesLeft_, missAllowance_);
}
