#include "game/game_orig.h"

#include <algorithm>

#include "engine/catalogue.h"
#include "engine/screen.h"
#include "store/options.h"

OClip* AddModePicture(OEngine* screen, GeneralPicture picture, int x, int y) {
  const OClip* source = catalogue::Get(picture);
  if (!screen || !source) return nullptr;
  auto clip = std::make_unique<OClip>();
  clip->CopyFrom(*source);
  clip->x = x, clip->y = y, clip->depth = -1;
  clip->SetFrameTime(0);
  OClip* added = screen->AddClip(std::move(clip));
  screen->SortByDepth();
  return added;
}

GameOrig::GameOrig(OEngine* screen, std::string folder)
    : Game(screen, folder),
      indicator_(std::make_unique<OrigNext>(screen)),
      modePicture_(AddModePicture(screen, kModePicture, kModeX, kModeY)),
      recorder_(folder) {}

GameOrig::~GameOrig() {
  RemoveFromScreen(modePicture_);
}

bool GameOrig::Start(bool restoring) {
  if (!restoring) {
    recorder_.Close();
    recorder_.Begin(GetOptions().Level, GetOptions().GameType);
  }
  const bool started = Game::Start(restoring);
  indicator_->Reset();
  return started;
}

void GameOrig::Fire(int x, int y) {
  if (CanFire(x, y)) recorder_.WriteShot(x, y);
  Game::Fire(x, y);
}

int GameOrig::Random(int n) {
  const int r = Game::Random(n);
  recorder_.WriteRandom(r);
  return r;
}

void CountMiss(Game& game, int& left, int& allowance) {
  if (--left > 0) return;
  if (Field* field = game.GetField()) field->AddRows(7 - game.PaletteLength());
  allowance = NextMissAllowance(allowance, game.PaletteLength(), std::clamp(GetOptions().Level, 0, 2));
  left = allowance;
}

void GameOrig::ShotResolved(bool hit) {
  Game::ShotResolved(hit);
  if (!hit) CountMiss(*this, missesLeft_, missAllowance_);
}

void GameOrig::GameOver() {
  recorder_.Finish();
  Game::GameOver();
}

void GameOrig::NextBall() {
  Game::NextBall();
  indicator_->Show(missesLeft_, missAllowance_);
}

void GameOrig::Save() {
  if (settings_) SaveMissCounters(*settings_, Name(), missesLeft_, missAllowance_);
  Game::Save();
}

bool GameOrig::Load() {
  recorder_.Reopen();
  const bool loaded = Game::Load();
  if (RecordingLost()) recorder_.Abandon();
  if (!Restored()) return loaded;
  LoadMissCounters(*settings_, Name(), paletteLength_, Level(), missesLeft_, missAllowance_);
  indicator_->Reset();
  indicator_->Show(missesLeft_, missAllowance_);
  return loaded;
}
