#include "game/game_demo.h"

#include "game/ball.h"
#include "game/demo_decision.h"
#include "game/game_context.h"
#include "game/game_orig.h"
#include "game/player_sessions.h"

namespace {
int& ShotClock() {
  return GameState().demoShotClock;
}
}  // namespace

GameDemo::GameDemo(OEngine* screen, std::string folder)
    : Game(screen, std::move(folder)),
      indicator_(std::make_unique<OrigNext>(screen)),
      modePicture_(AddModePicture(screen, GameOrig::kModePicture, GameOrig::kModeX, GameOrig::kModeY)) {}

GameDemo::~GameDemo() {
  RemoveFromScreen(modePicture_);
}

bool GameDemo::Start(bool restoring) {
  shots_ = 0;
  const bool started = Game::Start(restoring);
  indicator_->Reset();
  return started;
}

void GameDemo::Tick(int ms) {
  Game::Tick(ms);
  if (state_ != GameState::kReady || !field_ || !field_->View().IsIdle() || !gameBall_) return;
  if (!PlayerShotDue(ShotClock(), ms)) return;
  const AimPoint aim = ChooseDemoAim(*field_, gameBall_->colour);
  if (CanFire(aim.x, aim.y)) ++shots_;
  Game::Fire(aim.x, aim.y);
}

void GameDemo::ShotResolved(bool hit) {
  Game::ShotResolved(hit);
  if (!hit) CountMiss(*this, missesLeft_, missAllowance_);
}

void GameDemo::NextBall() {
  Game::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}
