// The game session. Storing and restoring: game_store.cpp.
//
// Sections: construction · start · shots · tick · balls · colours in play · end · pause and looks
#include "game/game.h"

#include <algorithm>

#include "engine/catalogue.h"
#include "engine/screen.h"
#include "engine/sound.h"
#include "game/ball.h"
#include "game/random.h"
#include "game/save_replay.h"
#include "game/trace.h"
#include "store/options.h"

namespace {
// A constant (in writable memory only for its pointers), not process state.
constexpr const char* kLevelNames[kLevelCount] = {"Novice", "Expert", "Master"};

void PlaySound(SoundId id) {
  GetSound().Play(id, true);
}
}  // namespace

const char* LevelName(int level) {
  return kLevelNames[std::clamp(level, 0, kLevelCount - 1)];
}

// ---- construction ------------------------------------------------------------------------------------
Game::Game(OEngine* screen, std::string folder) : screen_(screen), folder_(std::move(folder)) {
  field_ = std::make_unique<Field4>(screen_);
  score_ = std::make_unique<ScoreBall>(screen_, ScoreDigitStrip());
  field_->SetOwner(this);
  field_->View().SetScoreCounter(score_.get());
  Game::Reset();
}

Game::~Game() {
  field_.reset();
  score_.reset();
  RemoveFromScreen(gameBall_);
  RemoveFromScreen(waitBall_);
  RemoveFromScreen(pausePicture_);
  if (levelLabel_) levelLabel_->Hide();
}

void Game::RemoveFromScreen(OClip* clip) {
  if (clip && screen_) screen_->RemoveClip(clip);
}

int Game::Level() {
  return std::clamp(GetOptions().Level, 0, kLevelCount - 1);
}

void Game::Reset() {
  gameOverTimer_ = 0;
  gameOverHandled_ = false;
  state_ = GameState::kLanded;
  RemoveFromScreen(gameBall_);
  RemoveFromScreen(waitBall_);
  gameBall_ = waitBall_ = nullptr;
  paletteLength_ = kColourCount;
  missesLeft_ = missAllowance_ = kColourCount - 2 * Level();
  for (int k = 0; k < kColourCount; ++k)
    palette_[size_t(k)] = k;
}

int Game::PaletteColour(int k) const {
  // Every index names a template: one out of range (a damaged store) takes entry 0.
  return palette_[size_t(k >= 0 && k < kColourCount ? k : 0)];
}

// ---- start -------------------------------------------------------------------------------------------
bool Game::Start(bool restoring) {
  if (!restoring) recordingLost_ = false;  // a new game has a new recording
  int level = 0, type = 0;
  if (SaveReplay(folder_).PeekHeader(level, type) && host_) host_->ShowReplayButton();
  Reset();
  if (!levelLabel_ && host_) levelLabel_ = host_->MakeTextLine();
  if (levelLabel_ && screen_) {
    levelLabel_->Hide();
    levelLabel_->Show(*screen_, kLevelLabelX, kLevelLabelY, LevelName(Level()), kLevelLabelDrop,
                      kLevelLabelDepth);
  }
  score_->Reset();
  if (!settings_ || !field_) return false;
  if (!field_->Reset(restoring)) {
    field_.reset();
    return false;
  }
  return true;
}

// ---- shots -------------------------------------------------------------------------------------------
bool Game::CanFire(int x, int y) const {
  return state_ == GameState::kReady && field_ && field_->View().IsIdle() && InAimingArea(x, y) && gameBall_;
}

void Game::Fire(int x, int y) {
  if (!CanFire(x, y)) return;
  PointPath path;
  field_->Trace(x, y, trace::kStartX, trace::kStartY, 0.0, path);
  gameBall_->path = std::move(path);
  state_ = GameState::kFlying;
  PlaySound(SoundId::kShot);
}

void Game::BallArrived(OClip* clip) {
  if (!clip || clip != gameBall_ || !field_) return;
  ABall* ball = gameBall_;
  gameBall_ = nullptr;  // the board's view owns the sprite now
  const int landing = field_->LandingIndex();
  field_->PlaceBall(landing, ball->colour, ball);
  const bool hit = field_->PopCluster(landing, 3).removed;
  if (!hit) {
    PlaySound(SoundId::kThud);
    ShotResolved(false);
  }
  state_ = GameState::kLanded;
}

// ---- tick --------------------------------------------------------------------------------------------
void Game::Tick(int ms) {
  if (state_ == GameState::kPaused && pausePulse_.Advance(ms)) {
    if (pausePicture_) pausePicture_->SetTransparency(pausePulse_.Value());
    // The paused screen does not run its frames: the pulse repaints itself.
    if (screen_) screen_->RedrawDirty();
  }
  if (!field_) return;
  field_->Tick(ms);
  const bool idle = field_->View().IsIdle();
  switch (state_) {
    case GameState::kLanded:
      if (idle) NextBall();
      break;
    case GameState::kTimedRows:
      if (idle && !FinishIfOver()) state_ = GameState::kReady;
      break;
    case GameState::kGameOverWait:
      gameOverTimer_ += ms;
      // Handled once: the result dialog (or the new game) takes it from here.
      if (gameOverTimer_ > kGameOverDelayMs && !gameOverHandled_) {
        gameOverHandled_ = true;
        GameOver();
      }
      break;
    case GameState::kFinishing:
      if (idle) {
        PlaySound(SoundId::kBurst);
        state_ = GameState::kGameOverWait;
      }
      break;
    case GameState::kReloading:
      if (!waitBall_ || waitBall_->GetCurrentFrame() == 0) NewWaitBall(-1);
      if (gameBall_ && waitBall_ && gameBall_->GetCurrentFrame() == ABall::kRestFrame &&
          waitBall_->GetCurrentFrame() == ABall::kRestFrame) {
        Save();
        state_ = GameState::kReady;
      }
      break;
    default:
      break;
  }
}

// ---- balls -------------------------------------------------------------------------------------------
bool Game::FinishIfOver() {
  if (!field_->IsOver()) return false;
  if (field_->TopRowEmpty()) paletteLength_ = 0;
  state_ = GameState::kFinishing;
  return true;
}

void Game::NextBall() {
  if (!field_) return;
  if (FinishIfOver()) return;
  state_ = GameState::kReloading;
  int c = -1;
  if (waitBall_) {
    waitBall_->StartDying();
    c = waitBall_->colour;
  }
  NewGameBall(c);
}

ABall* Game::MakeBall(int k, int x, int y) {
  if (k == -1) k = Random(paletteLength_);
  const int colour = PaletteColour(k);
  if (!screen_) return nullptr;
  ABall* ball = AddBallSprite(*screen_, catalogue::BallTemplate(colour), x, y, kBallDepth);
  if (!ball) return nullptr;
  ball->colour = colour;
  ball->SetFrameTime(20);
  ball->StartAppear();
  ball->visible = true;
  screen_->SortByDepth();
  return ball;
}

void Game::NewGameBall(int k) {
  RemoveFromScreen(gameBall_);
  gameBall_ = MakeBall(k, kLauncherX, kLauncherY);
  if (gameBall_) gameBall_->frameTime = 50 / (std::clamp(GetOptions().FastSpeed, 0, kSpeedCount - 1) + 1);
}

void Game::NewWaitBall(int k) {
  RemoveFromScreen(waitBall_);
  waitBall_ = MakeBall(k, kNextBallX, kNextBallY);
}

int Game::Random(int n) {
  return n < 1 ? 0 : LibRandom() % n;
}

// ---- colours in play ---------------------------------------------------------------------------------
void Game::PushRows() {
  if (field_) field_->AddRows(7 - paletteLength_);
}

void Game::ShotResolved(bool /*hit*/) {
  if (!field_) return;
  int present[kColourCount];
  const int n = field_->ColoursPresent(present);
  if (n >= paletteLength_) return;
  const int before = paletteLength_;
  const int waiting = waitBall_ ? waitBall_->colour : -1;
  for (int i = 0; i < paletteLength_;) {
    const int colour = palette_[size_t(i)];
    const bool onBoard = std::find(present, present + n, colour) != present + n;
    if (onBoard || colour == waiting) {
      ++i;
      continue;
    }
    --paletteLength_;
    palette_[size_t(i)] = palette_[size_t(paletteLength_)];
  }
  if (paletteLength_ != before) PushRows();
}

// ---- end ---------------------------------------------------------------------------------------------
void Game::GameOver() {
  if (Score() != 0 && host_ && !host_->DemoRunning() && host_->OpenResultDialog()) {
    GetOptions().NewGameNeeded = true;
    return;
  }
  Start(false);
}

// ---- pause and looks ---------------------------------------------------------------------------------
void Game::SetPaused(bool paused) {
  if (paused) {
    if (state_ == GameState::kPaused) return;
    pausedFrom_ = state_;
    state_ = GameState::kPaused;
    if (field_) field_->View().SetHidden(true);
    const OClip* picture = catalogue::Get(GeneralPicture::kPauseSign);
    if (screen_ && picture && !pausePicture_) {
      auto clip = std::make_unique<OClip>();
      clip->CopyFrom(*picture);
      clip->x = kPauseX, clip->y = kPauseY, clip->depth = -1;
      clip->SetFrameTime(0);
      clip->SetTransparency(pausePulse_.Value());
      pausePicture_ = screen_->AddClip(std::move(clip));
      screen_->SortByDepth();
    }
    if (gameBall_) gameBall_->visible = false;
    if (waitBall_) waitBall_->visible = false;
    return;
  }
  if (state_ != GameState::kPaused) return;
  RemoveFromScreen(pausePicture_);
  pausePicture_ = nullptr;
  state_ = pausedFrom_;
  if (field_) field_->View().SetHidden(false);
  if (gameBall_) gameBall_->visible = true;
  if (waitBall_) waitBall_->visible = true;
}

void Game::RefreshImages() {
  if (gameBall_) ApplyLook(*gameBall_);
  if (waitBall_) ApplyLook(*waitBall_);
  // All six templates, in play or not: the next game copies them too.
  for (int k = 0; k < kColourCount; ++k)
    if (ABall* ball = catalogue::ballSprites()[size_t(k)].get()) ApplyLook(*ball);
  if (field_) field_->View().RefreshImages();
}
