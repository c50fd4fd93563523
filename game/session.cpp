// The game session. Storing and restoring: session_store.cpp.
//
// Sections: construction · start · shots · tick · balls · colours in play · end · pause and looks
#include "game/session.h"

#include <algorithm>

#include "engine/catalogue.h"
#include "engine/screen.h"
#include "engine/sound_player.h"
#include "game/ball.h"
#include "game/random.h"
#include "game/replay_recorder.h"
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
Session::Session(Screen* screen, std::string folder) : screen_(screen), folder_(std::move(folder)) {
  board_ = std::make_unique<PlayBoard>(screen_);
  score_ = std::make_unique<ScoreCounter>(screen_, ScoreDigitStrip());
  board_->SetOwner(this);
  board_->View().SetScoreCounter(score_.get());
  Session::Reset();
}

Session::~Session() {
  board_.reset();
  score_.reset();
  RemoveFromScreen(gameBall_);
  RemoveFromScreen(waitBall_);
  RemoveFromScreen(pausePicture_);
  RemoveFromScreen(gameOverSign_);
  if (levelLabel_) levelLabel_->Hide();
}

void Session::RemoveFromScreen(Clip* clip) {
  if (clip && screen_) screen_->RemoveClip(clip);
}

int Session::Level() {
  return std::clamp(GetOptions().level, 0, kLevelCount - 1);
}

void Session::Reset() {
  gameOverTimer_ = 0;
  gameOverHandled_ = false;
  RemoveFromScreen(gameOverSign_);
  gameOverSign_ = nullptr;
  state_ = SessionState::kLanded;
  RemoveFromScreen(gameBall_);
  RemoveFromScreen(waitBall_);
  gameBall_ = waitBall_ = nullptr;
  paletteLength_ = kColourCount;
  missesLeft_ = missAllowance_ = kColourCount - 2 * Level();
  for (int k = 0; k < kColourCount; ++k)
    palette_[size_t(k)] = k;
}

int Session::PaletteColour(int k) const {
  // Every index names a template: one out of range (a damaged store) takes entry 0.
  return palette_[size_t(k >= 0 && k < kColourCount ? k : 0)];
}

// ---- start -------------------------------------------------------------------------------------------
bool Session::Start(bool restoring) {
  if (!restoring) recordingLost_ = false;  // a new game has a new recording
  replayIsThisGame_ = false;
  int level = 0, type = 0;
  if (ReplayRecorder(folder_).PeekHeader(level, type) && host_) host_->ShowReplayButton();
  Reset();
  if (!levelLabel_ && host_) levelLabel_ = host_->MakeTextLine();
  if (levelLabel_ && screen_) {
    levelLabel_->Hide();
    levelLabel_->Show(*screen_, kLevelLabelX, kLevelLabelY, LevelName(Level()), kLevelLabelDrop,
                      kLevelLabelDepth);
  }
  score_->Reset();
  if (!settings_ || !board_) return false;
  if (!board_->Reset(restoring)) {
    board_.reset();
    return false;
  }
  return true;
}

// ---- shots -------------------------------------------------------------------------------------------
bool Session::CanFire(int x, int y) const {
  return state_ == SessionState::kReady && board_ && board_->View().IsIdle() && InAimingArea(x, y) &&
         gameBall_;
}

void Session::Fire(int x, int y) {
  if (!CanFire(x, y)) return;
  PointPath path;
  board_->Trace(x, y, trace::kStartX, trace::kStartY, 0.0, path);
  gameBall_->path = std::move(path);
  state_ = SessionState::kFlying;
  PlaySound(SoundId::kShot);
}

void Session::BallArrived(Clip* clip) {
  if (!clip || clip != gameBall_ || !board_) return;
  Ball* ball = gameBall_;
  gameBall_ = nullptr;  // the board's view owns the sprite now
  const int landing = board_->LandingIndex();
  board_->PlaceBall(landing, ball->colour, ball);
  const bool hit = board_->PopCluster(landing, 3).removed;
  if (!hit) {
    PlaySound(SoundId::kThud);
    ShotResolved(false);
  }
  state_ = SessionState::kLanded;
}

// ---- tick --------------------------------------------------------------------------------------------
void Session::Tick(int ms) {
  if (state_ == SessionState::kPaused && pausePulse_.Advance(ms)) {
    if (pausePicture_) pausePicture_->SetTransparency(pausePulse_.Value());
    // The paused screen does not run its frames: the pulse repaints itself.
    if (screen_) screen_->RedrawDirty();
  }
  if (!board_) return;
  board_->Tick(ms);
  const bool idle = board_->View().IsIdle();
  switch (state_) {
    case SessionState::kLanded:
      if (idle) NextBall();
      break;
    case SessionState::kTimedRows:
      if (idle && !FinishIfOver()) state_ = SessionState::kReady;
      break;
    case SessionState::kGameOverWait:
      gameOverTimer_ += ms;
      // Handled once: the result dialog (or the new game) takes it from here.
      if (gameOverTimer_ > kGameOverDelayMs && !gameOverHandled_) {
        gameOverHandled_ = true;
        GameOver();
      } else if (gameOverSign_ && gameOverTimer_ > kGameOverDelayMs + kGameOverSignMs) {
        Start(false);
      }
      break;
    case SessionState::kFinishing:
      if (idle) {
        PlaySound(SoundId::kBurst);
        state_ = SessionState::kGameOverWait;
      }
      break;
    case SessionState::kReloading:
      if (!waitBall_ || waitBall_->GetCurrentFrame() == 0) NewWaitBall(-1);
      if (gameBall_ && waitBall_ && gameBall_->GetCurrentFrame() == Ball::kRestFrame &&
          waitBall_->GetCurrentFrame() == Ball::kRestFrame) {
        Save();
        state_ = SessionState::kReady;
      }
      break;
    default:
      break;
  }
}

// ---- balls -------------------------------------------------------------------------------------------
bool Session::FinishIfOver() {
  if (!board_->IsOver()) return false;
  if (board_->TopRowEmpty()) paletteLength_ = 0;
  state_ = SessionState::kFinishing;
  return true;
}

void Session::NextBall() {
  if (!board_) return;
  if (FinishIfOver()) return;
  state_ = SessionState::kReloading;
  int c = -1;
  if (waitBall_) {
    waitBall_->StartDying();
    c = waitBall_->colour;
  }
  NewGameBall(c);
}

Ball* Session::MakeBall(int k, int x, int y) {
  if (k == -1) k = Random(paletteLength_);
  const int colour = PaletteColour(k);
  if (!screen_) return nullptr;
  Ball* ball = AddBallSprite(*screen_, catalogue::BallTemplate(colour), x, y, kBallDepth);
  if (!ball) return nullptr;
  ball->colour = colour;
  ball->SetFrameTime(20);
  ball->StartAppear();
  ball->visible = true;
  screen_->SortByDepth();
  return ball;
}

void Session::NewGameBall(int k) {
  RemoveFromScreen(gameBall_);
  gameBall_ = MakeBall(k, kLauncherX, kLauncherY);
  if (gameBall_) gameBall_->frameTime = 50 / (std::clamp(GetOptions().speed, 0, kSpeedCount - 1) + 1);
}

void Session::NewWaitBall(int k) {
  RemoveFromScreen(waitBall_);
  waitBall_ = MakeBall(k, kNextBallX, kNextBallY);
}

int Session::Random(int n) {
  return n < 1 ? 0 : LibRandom() % n;
}

// ---- colours in play ---------------------------------------------------------------------------------
void Session::PushRows() {
  if (board_) board_->AddRows(7 - paletteLength_);
}

void Session::ShotResolved(bool /*hit*/) {
  if (!board_) return;
  int present[kColourCount];
  const int n = board_->ColoursPresent(present);
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
void Session::GameOver() {
  const bool players = host_ && !host_->DemoRunning();
  // The stored game is over: whatever happens before the next one starts, it must not come back.
  if (players && ((Score() != 0 && host_->OpenResultDialog()) || ShowGameOverSign())) {
    GetOptions().newGameNeeded = true;
    return;
  }
  Start(false);
}

bool Session::ShowGameOverSign() {
  const Clip* picture = catalogue::Get(GeneralPicture::kGameOverTitle);
  if (!screen_ || !picture) return false;
  auto clip = std::make_unique<Clip>();
  clip->CopyFrom(*picture);
  clip->x = kGameOverSignX, clip->y = kGameOverSignY, clip->depth = kLevelLabelDepth - 1;
  clip->SetFrameTime(0);
  gameOverSign_ = screen_->AddClip(std::move(clip));
  screen_->SortByDepth();
  return gameOverSign_ != nullptr;
}

// ---- pause and looks ---------------------------------------------------------------------------------
void Session::SetPaused(bool paused) {
  if (paused) {
    if (state_ == SessionState::kPaused) return;
    pausedFrom_ = state_;
    state_ = SessionState::kPaused;
    if (board_) board_->View().SetHidden(true);
    const Clip* picture = catalogue::Get(GeneralPicture::kPauseSign);
    if (screen_ && picture && !pausePicture_) {
      auto clip = std::make_unique<Clip>();
      clip->CopyFrom(*picture);
      clip->x = kPauseX, clip->y = kPauseY, clip->depth = -1;
      clip->SetFrameTime(0);
      clip->SetTransparency(pausePulse_.Value());
      pausePicture_ = screen_->AddClip(std::move(clip));
      screen_->SortByDepth();
    }
    if (gameBall_) gameBall_->visible = false;
    if (waitBall_) waitBall_->visible = false;
    if (gameOverSign_) gameOverSign_->visible = false;
    return;
  }
  if (state_ != SessionState::kPaused) return;
  RemoveFromScreen(pausePicture_);
  pausePicture_ = nullptr;
  state_ = pausedFrom_;
  if (board_) board_->View().SetHidden(false);
  if (gameBall_) gameBall_->visible = true;
  if (waitBall_) waitBall_->visible = true;
  if (gameOverSign_) gameOverSign_->visible = true;
}

void Session::RefreshImages() {
  if (gameBall_) ApplyLook(*gameBall_);
  if (waitBall_) ApplyLook(*waitBall_);
  // All six templates, in play or not: the next game copies them too.
  for (int k = 0; k < kColourCount; ++k)
    if (Ball* ball = catalogue::ballSprites()[size_t(k)].get()) ApplyLook(*ball);
  if (board_) board_->View().RefreshImages();
}
