#include "game/strategy_session.h"

#include <algorithm>

#include "engine/catalogue.h"
#include "engine/screen.h"
#include "store/options.h"

Clip* AddModePicture(Screen* screen, GeneralPicture picture, int x, int y) {
  const Clip* source = catalogue::Get(picture);
  if (!screen || !source) return nullptr;
  auto clip = std::make_unique<Clip>();
  clip->CopyFrom(*source);
  clip->x = x, clip->y = y, clip->depth = -1;
  clip->SetFrameTime(0);
  Clip* added = screen->AddClip(std::move(clip));
  screen->SortByDepth();
  return added;
}

StrategySession::StrategySession(Screen* screen, std::string folder)
    : Session(screen, folder),
      indicator_(std::make_unique<AttemptsIndicator>(screen)),
      modePicture_(AddModePicture(screen, kModePicture, kModeX, kModeY)),
      recorder_(folder) {}

StrategySession::~StrategySession() {
  RemoveFromScreen(modePicture_);
}

bool StrategySession::Start(bool restoring) {
  if (!restoring) {
    recorder_.Close();
    recorder_.Begin(GetOptions().level, GetOptions().mode);
  }
  const bool started = Session::Start(restoring);
  indicator_->Reset();
  return started;
}

void StrategySession::Fire(int x, int y) {
  if (CanFire(x, y)) recorder_.WriteShot(x, y);
  Session::Fire(x, y);
}

int StrategySession::Random(int n) {
  const int r = Session::Random(n);
  recorder_.WriteRandom(r);
  return r;
}

void CountMiss(Session& game, int& left, int& allowance) {
  if (--left > 0) return;
  if (Board* field = game.GetBoard()) field->AddRows(7 - game.PaletteLength());
  allowance = NextMissAllowance(allowance, game.PaletteLength(), std::clamp(GetOptions().level, 0, 2));
  left = allowance;
}

void StrategySession::ShotResolved(bool hit) {
  Session::ShotResolved(hit);
  if (!hit) CountMiss(*this, missesLeft_, missAllowance_);
}

void StrategySession::GameOver() {
  replayIsThisGame_ = recorder_.Finish();
  Session::GameOver();
}

void StrategySession::NextBall() {
  Session::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}

void StrategySession::Save() {
  if (settings_) SaveMissCounters(*settings_, Name(), missesLeft_, missAllowance_);
  Session::Save();
}

bool StrategySession::Load() {
  recorder_.Reopen();
  const bool loaded = Session::Load();
  if (RecordingLost()) recorder_.Abandon();
  // A new game (nothing to resume, or the stored game refused) keeps its level's allowance.
  if (!Restored()) return loaded;
  LoadMissCounters(*settings_, Name(), paletteLength_, Level(), missesLeft_, missAllowance_);
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  return loaded;
}
