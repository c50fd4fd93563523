#include "game/demo_session.h"

#include "game/ball.h"
#include "game/demo_decision.h"
#include "game/game_context.h"
#include "game/player_sessions.h"
#include "game/strategy_session.h"

namespace {
int& ShotClock() {
  return Game().demoShotClock;
}
}  // namespace

DemoSession::DemoSession(Screen* screen, std::string folder)
    : Session(screen, std::move(folder)),
      indicator_(std::make_unique<AttemptsIndicator>(screen)),
      modePicture_(AddModePicture(screen, StrategySession::kModePicture, StrategySession::kModeX,
                                  StrategySession::kModeY)) {}

DemoSession::~DemoSession() {
  RemoveFromScreen(modePicture_);
}

bool DemoSession::Start(bool restoring) {
  shots_ = 0;
  const bool started = Session::Start(restoring);
  indicator_->Reset();
  return started;
}

void DemoSession::Tick(int ms) {
  Session::Tick(ms);
  if (state_ != SessionState::kReady || !board_ || !board_->View().IsIdle() || !gameBall_) return;
  if (!PlayerShotDue(ShotClock(), ms)) return;
  const AimPoint aim = ChooseDemoAim(*board_, gameBall_->colour);
  if (CanFire(aim.x, aim.y)) ++shots_;
  Session::Fire(aim.x, aim.y);
}

void DemoSession::ShotResolved(bool hit) {
  Session::ShotResolved(hit);
  if (!hit) CountMiss(*this, missesLeft_, missAllowance_);
}

void DemoSession::NextBall() {
  Session::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}
