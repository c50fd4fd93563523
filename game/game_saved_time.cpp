#include "game/game_saved_time.h"

#include "game/game_context.h"
#include "game/game_orig.h"
#include "game/game_time.h"
#include "game/player_sessions.h"

namespace {
int& ShotClock() {
  return GameState().replayTimeShotClock;
}
}  // namespace

GameSavedTime::GameSavedTime(OEngine* screen, std::string folder)
    : Game(screen, folder),
      pass_(folder),
      modePicture_(AddModePicture(screen, GameTime::kModePicture, GameTime::kModeX, GameTime::kModeY)),
      indicator_(std::make_unique<OrigNext>(screen)) {}

GameSavedTime::~GameSavedTime() {
  RemoveFromScreen(modePicture_);
}

bool GameSavedTime::Start(bool restoring) {
  pass_.Begin();
  const bool started = Game::Start(restoring);
  pass_.FillDone();
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  running_ = true;
  return started;
}

int GameSavedTime::Random(int n) {
  const int value = pass_.Draw(n);
  if (pass_.Stopped()) playerStopped_ = true;
  return value;
}

void GameSavedTime::Restart(bool gameOver) {
  pass_.End(gameOver);
  Start(false);
}

void GameSavedTime::Tick(int ms) {
  if (playerStopped_) return;  // the screen ends this session
  Game::Tick(ms);
  if (pass_.TakeRestart()) return Restart(false);
  if (!running_ || state_ != GameState::kReady || !field_ || !field_->View().IsIdle()) return;
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
  Game::Fire(x, y);
}

void GameSavedTime::PushRecordedRows(int rows) {
  if (!field_) return;
  field_->AddRows(rows);
  // As in the recorded game: the board settles, then the end test decides whether it goes on.
  if (!field_->View().Moves().empty()) state_ = GameState::kTimedRows;
}

void GameSavedTime::ShotResolved(bool hit) {
  Game::ShotResolved(hit);
}

void GameSavedTime::GameOver() {
  Restart(true);
}

void GameSavedTime::NextBall() {
  Game::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}
