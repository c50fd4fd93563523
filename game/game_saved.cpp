// Sections: ReplayPass · GameSaved
#include "game/game_saved.h"

#include "game/game_context.h"
#include "game/game_orig.h"
#include "game/player_sessions.h"

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

// ---- GameSaved ---------------------------------------------------------------------------------------
namespace {
int& ShotClock() {
  return GameState().replayShotClock;
}
}  // namespace

GameSaved::GameSaved(OEngine* screen, std::string folder)
    : Game(screen, folder),
      indicator_(std::make_unique<OrigNext>(screen)),
      modePicture_(AddModePicture(screen, GameOrig::kModePicture, GameOrig::kModeX, GameOrig::kModeY)),
      pass_(folder) {}

GameSaved::~GameSaved() {
  RemoveFromScreen(modePicture_);
}

bool GameSaved::Start(bool restoring) {
  pass_.Begin();
  const bool started = Game::Start(restoring);
  pass_.FillDone();
  indicator_->Reset();
  return started;
}

int GameSaved::Random(int n) {
  const int value = pass_.Draw(n);
  if (pass_.Stopped()) playerStopped_ = true;
  return value;
}

void GameSaved::Restart(bool gameOver) {
  pass_.End(gameOver);
  Start(false);
}

void GameSaved::Tick(int ms) {
  if (playerStopped_) return;  // the screen ends this session
  Game::Tick(ms);
  if (pass_.TakeRestart()) return Restart(false);
  if (state_ != GameState::kReady || !field_ || !field_->View().IsIdle()) return;
  if (!PlayerShotDue(ShotClock(), ms)) return;
  int x = 0, y = 0;
  if (!pass_.File().ReadShot(x, y)) return Restart(false);
  if (CanFire(x, y)) pass_.CountShot(x, y);
  Game::Fire(x, y);
}

void GameSaved::ShotResolved(bool hit) {
  Game::ShotResolved(hit);
  if (!hit) CountMiss(*this, missesLeft_, missAllowance_);
}

void GameSaved::GameOver() {
  Restart(true);
}

void GameSaved::NextBall() {
  Game::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}
