// Sections: ReplayPass · StrategyReplay
#include "game/strategy_replay.h"

#include "game/game_context.h"
#include "game/player_sessions.h"
#include "game/strategy_session.h"

// ---- ReplayPass --------------------------------------------------------------------------------------
void ReplayPass::Begin() {
  restartPending_ = false;
  shots_ = 0;
  if (stopped_) return;
  filling_ = true;
  file_.OpenPlayback();  // a missing file reads as one that ends at once
}

int ReplayPass::Draw(int n) {
  int value = 0;
  if (stopped_ || restartPending_) return 0;
  if (!file_.ReadRandom(value)) {
    if (filling_) {
      stopped_ = true;
      file_.ClosePlayback();
    } else {
      restartPending_ = true;
    }
    return 0;
  }
  return value >= 0 && value < n ? value : 0;
}

bool ReplayPass::TakeRestart() {
  const bool due = restartPending_;
  restartPending_ = false;
  return due;
}

void ReplayPass::CountShot(int x, int y) {
  ++shots_;
  lastX_ = x, lastY_ = y;
}

void ReplayPass::End(bool gameOver) const {
  if (observer_) observer_(gameOver);
}

// ---- StrategyReplay ---------------------------------------------------------------------------------------
namespace {
int& ShotClock() {
  return Game().replayShotClock;
}
}  // namespace

StrategyReplay::StrategyReplay(Screen* screen, std::string folder, std::string file)
    : Session(screen, folder),
      indicator_(std::make_unique<AttemptsIndicator>(screen)),
      modePicture_(AddModePicture(screen, StrategySession::kModePicture, StrategySession::kModeX,
                                  StrategySession::kModeY)),
      pass_(folder, std::move(file)) {}

StrategyReplay::~StrategyReplay() {
  RemoveFromScreen(modePicture_);
}

bool StrategyReplay::Start(bool restoring) {
  pass_.Begin();
  const bool started = Session::Start(restoring);
  pass_.FillDone();
  indicator_->Reset();
  return started;
}

int StrategyReplay::Random(int n) {
  const int value = pass_.Draw(n);
  if (pass_.Stopped()) playerStopped_ = true;
  return value;
}

void StrategyReplay::Restart(bool gameOver) {
  pass_.End(gameOver);
  if (pass_.Once())
    playerStopped_ = true;
  else
    Start(false);
}

void StrategyReplay::Tick(int ms) {
  if (playerStopped_) return;  // the screen ends this session
  Session::Tick(ms);
  if (pass_.TakeRestart()) return Restart(false);
  if (state_ != SessionState::kReady || !board_ || !board_->View().IsIdle()) return;
  if (!PlayerShotDue(ShotClock(), ms)) return;
  int x = 0, y = 0;
  if (!pass_.File().ReadShot(x, y)) return Restart(false);
  if (CanFire(x, y)) pass_.CountShot(x, y);
  Session::Fire(x, y);
}

void StrategyReplay::ShotResolved(bool hit) {
  Session::ShotResolved(hit);
  if (!hit) CountMiss(*this, missesLeft_, missAllowance_);
}

void StrategyReplay::GameOver() {
  Restart(true);
}

void StrategyReplay::NextBall() {
  Session::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}
