#include "game/game_time.h"

#include <algorithm>

#include "game/game_context.h"
#include "game/game_orig.h"
#include "store/options.h"

int& ArcadePeriod() {
  return GameState().arcadePeriod;
}

GameTime::GameTime(OEngine* screen, std::string folder)
    : Game(screen, folder),
      timeLeft_(ArcadePeriod()),
      recorder_(folder),
      modePicture_(AddModePicture(screen, kModePicture, kModeX, kModeY)),
      indicator_(std::make_unique<OrigNext>(screen)) {}

GameTime::~GameTime() {
  RemoveFromScreen(modePicture_);
}

void GameTime::Reset() {
  Game::Reset();
  timeLeft_ = ArcadePeriod();
}

bool GameTime::Start(bool restoring) {
  if (!restoring) {
    recorder_.Close();
    recorder_.Begin(GetOptions().Level, GetOptions().GameType);
  }
  ArcadePeriod() = kArcadePeriods[Level()];
  const bool started = Game::Start(restoring);
  timeLeft_ = ArcadePeriod();
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  running_ = true;
  return started;
}

void GameTime::Fire(int x, int y) {
  if (CanFire(x, y)) recorder_.WriteArcade(x, y, missesLeft_, missAllowance_);
  Game::Fire(x, y);
}

int GameTime::Random(int n) {
  const int r = Game::Random(n);
  recorder_.WriteRandom(r);
  return r;
}

void GameTime::ShotResolved(bool hit) {
  Game::ShotResolved(hit);
}

void GameTime::GameOver() {
  recorder_.Finish();
  Game::GameOver();
}

void GameTime::NextBall() {
  Game::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}

void GameTime::Save() {
  if (settings_) SaveMissCounters(*settings_, Name(), missesLeft_, missAllowance_);
  Game::Save();
}

bool GameTime::Load() {
  recorder_.Reopen();
  const bool loaded = Game::Load();
  if (RecordingLost()) recorder_.Abandon();
  if (!Restored()) return loaded;
  LoadMissCounters(*settings_, Name(), paletteLength_, Level(), missesLeft_, missAllowance_);
  timeLeft_ = ArcadePeriod();
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  return loaded;
}

void GameTime::Tick(int ms) {
  Game::Tick(ms);
  if (!running_ || state_ != GameState::kReady || !field_ || !field_->View().IsIdle()) return;
  timeLeft_ -= ms;
  Save();
  if (timeLeft_ < 1) PeriodOver();
}

void GameTime::PeriodOver() {
  timeLeft_ = ArcadePeriod();
  if (--missesLeft_ <= 0) {
    recorder_.WriteArcade(kArcadeTimeoutX, 7 - paletteLength_, 0, missAllowance_);
    PushRows();
    if (!field_->View().Moves().empty()) state_ = GameState::kTimedRows;
    missAllowance_ = NextMissAllowance(missAllowance_, paletteLength_, Level());
    missesLeft_ = missAllowance_;
  }
  indicator_->Show(missesLeft_, missAllowance_);
}
