#include "game/arcade_replay.h"

#include "game/arcade_session.h"
#include "game/game_context.h"
#include "game/player_sessions.h"
#include "game/strategy_session.h"

namespace {
int& ShotClock() {
  return Game().replayTimeShotClock;
}
}  // namespace

ArcadeReplay::ArcadeReplay(Screen* screen, std::string folder, std::string file)
    : Session(screen, folder),
      pass_(folder, std::move(file)),
      modePicture_(
          AddModePicture(screen, ArcadeSession::kModePicture, ArcadeSession::kModeX, ArcadeSession::kModeY)),
      indicator_(std::make_unique<AttemptsIndicator>(screen, GameMode::kArcade)) {}

ArcadeReplay::~ArcadeReplay() {
  RemoveFromScreen(modePicture_);
}

bool ArcadeReplay::Start(bool restoring) {
  pass_.Begin();
  const bool started = Session::Start(restoring);
  pass_.FillDone();
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  running_ = true;
  return started;
}

int ArcadeReplay::Random(int n) {
  const int value = pass_.Draw(n);
  if (pass_.Stopped()) playerStopped_ = true;
  return value;
}

void ArcadeReplay::Restart(bool gameOver) {
  pass_.End(gameOver);
  if (pass_.Once())
    playerStopped_ = true;
  else
    Start(false);
}

void ArcadeReplay::Tick(int ms) {
  if (playerStopped_) return;  // the screen ends this session
  Session::Tick(ms);
  if (pass_.TakeRestart()) return Restart(false);
  if (!running_ || state_ != SessionState::kReady || !board_ || !board_->View().IsIdle()) return;
  if (!PlayerShotDue(ShotClock(), ms)) return;
  int x = 0, y = 0, left = 0, allowance = 0;
  if (!pass_.File().ReadArcade(x, y, left, allowance)) return Restart(false);
  missesLeft_ = left;
  missAllowance_ = allowance;
  indicator_->Show(missesLeft_, missAllowance_);
  if (x == kArcadeTimeoutX) {
    PushRecordedRows(y);
    return;
  }
  if (CanFire(x, y)) pass_.CountShot(x, y);
  Session::Fire(x, y);
}

void ArcadeReplay::PushRecordedRows(int rows) {
  if (!board_) return;
  board_->AddRows(rows);
  // As in the recorded game: the board settles, then the end test decides whether it goes on.
  if (!board_->View().Moves().empty()) state_ = SessionState::kTimedRows;
}

void ArcadeReplay::ShotResolved(bool hit) {
  Session::ShotResolved(hit);
}

void ArcadeReplay::GameOver() {
  Restart(true);
}

void ArcadeReplay::NextBall() {
  Session::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}
