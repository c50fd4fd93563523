#include "game/attempts_indicator.h"

#include <algorithm>
#include <memory>

#include "engine/catalogue.h"
#include "engine/screen.h"
#include "game/ball.h"
#include "store/settings_store.h"

namespace {
// A still copy of picture (null: none) on screen at (x, y, depth).
Clip* AddStill(Screen& screen, const Clip* picture, int x, int y, double depth) {
  if (!picture) return nullptr;
  auto clip = std::make_unique<Clip>();
  clip->CopyFrom(*picture);
  clip->x = x, clip->y = y, clip->depth = depth;
  clip->SetFrameTime(0);
  return screen.AddClip(std::move(clip));
}
}  // namespace

AttemptsIndicator::AttemptsIndicator(Screen* screen, GameMode mode) : screen_(screen) {
  if (!screen_) return;
  if ((label_ = AddStill(*screen_, catalogue::Get(GeneralPicture::kIndicatorLabel), kLabelX, kLabelY, -1))) {
    label_->SetFrame(static_cast<int>(mode));
    label_->stopped = true;
  }
  for (int i = 0; i < kSlots; ++i) {
    Ball* ball = AddBallSprite(*screen_, catalogue::BallTemplate(catalogue::kIndicatorBall),
                               kBallX + kPitch * i, kBallY, -9.0);
    if (ball) {
      ball->SetFrame(9);
      ball->visible = false;
    }
    balls_[size_t(i)] = ball;
    Clip* ring =
        AddStill(*screen_, catalogue::Get(GeneralPicture::kSocket), kRingX + kPitch * i, kRingY, -1 - i);
    if (ring) ring->visible = false;
    rings_[size_t(i)] = ring;
  }
  screen_->SortByDepth();
}

AttemptsIndicator::~AttemptsIndicator() {
  if (!screen_) return;
  for (int i = 0; i < kSlots; ++i) {
    if (balls_[size_t(i)]) screen_->RemoveClip(balls_[size_t(i)]);
    if (rings_[size_t(i)]) screen_->RemoveClip(rings_[size_t(i)]);
  }
  if (label_) screen_->RemoveClip(label_);
}

void AttemptsIndicator::Reset() {
  for (int i = 0; i < kSlots; ++i) {
    if (Ball* ball = balls_[size_t(i)]) {
      ball->visible = false;
      ball->dying = false;
    }
    if (Clip* ring = rings_[size_t(i)]) ring->visible = false;
  }
}

void AttemptsIndicator::Show(int left, int allowance) {
  for (int i = 0; i < kSlots; ++i) {
    Ball* ball = balls_[size_t(i)];
    Clip* ring = rings_[size_t(i)];
    if (i < left - 1) {
      if (ball && (!ball->visible || ball->dying)) ball->StartAppear();
      if (ring) ring->visible = true;
    } else {
      if (ball && ball->visible && !ball->dying) ball->StartDying();
      if (ring) ring->visible = i < allowance - 2;
    }
  }
}

int NextMissAllowance(int allowance, int colours, int level) {
  return allowance - 1 >= 1 ? allowance - 1 : std::max(1, colours - 2 * level);
}

void SaveMissCounters(SettingsStore& store, const std::string& name, int left, int allowance) {
  store.SetInt(name + ".MaxLeft", allowance);
  store.SetInt(name + ".Left", left);
}

void LoadMissCounters(const SettingsStore& store, const std::string& name, int colours, int level, int& left,
                      int& allowance) {
  allowance = store.GetInt(name + ".MaxLeft", 0);
  left = store.GetInt(name + ".Left", 0);
  const int fromColours = colours - 2 * level;
  if (fromColours <= allowance) allowance = fromColours;
  if (allowance < 1) allowance = 1;
  if (left < 1 || left >= allowance) left = allowance;
}
