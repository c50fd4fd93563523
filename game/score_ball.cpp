#include "game/score_ball.h"

#include <memory>

#include "engine/screen.h"
#include "game/game_context.h"

const OClip* ScoreDigitStrip() {
  return GameState().scoreDigitStrip;
}

void SetScoreDigitStrip(const OClip* strip) {
  GameState().scoreDigitStrip = strip;
}

ScoreBall::ScoreBall(OEngine* screen, const OClip* strip) : screen_(screen) {
  if (!screen_ || !strip) return;
  for (OClip*& digit : digits_) {
    auto clip = std::make_unique<OClip>();
    clip->CopyFrom(*strip);
    clip->visible = false;
    clip->stopped = true;  // the digit shows the frame it is given
    clip->frameTime = 0;
    digit = screen_->AddClip(std::move(clip));
  }
}

ScoreBall::~ScoreBall() {
  if (!screen_) return;
  for (OClip* digit : digits_)
    if (digit) screen_->RemoveClip(digit);
}

void ScoreBall::Reset() {
  score_ = 0;
  combo_ = 1;
  for (OClip* digit : digits_)
    if (digit) digit->visible = false;
  Display();
}

void ScoreBall::AddPopped() {
  score_ += ((combo_ - 1) / 3) * 10 + 10;
  ++combo_;
  Display();
}

void ScoreBall::AddFalling() {
  score_ += ((combo_ - 1) / 3) * 100 + 100;
  ++combo_;
  Display();
}

void ScoreBall::Add(int n) {
  score_ += n;
  Display();
}

void ScoreBall::Display() {
  int rest = score_ < 0 ? 0 : score_;
  bool sorted = false;
  for (int i = 0; i < kDigits; ++i) {
    OClip* digit = digits_[size_t(i)];
    const bool used = i == 0 || rest != 0;
    if (!digit) {
      rest /= 10;
      continue;
    }
    if (!used) {
      digit->visible = false;
      continue;
    }
    digit->SetFrame(rest % 10);
    rest /= 10;
    if (digit->visible) continue;
    digit->x = kDigitsLeft + (kDigits - 1 - i) * kDigitAdvance;
    digit->y = kDigitsY - kDropHeight;
    digit->depth = -1 - i;
    digit->path.clear();
    digit->path.push_back(PointSpeed{digit->x, double(kDigitsY), kDropSpeed, kDropSpeed});
    digit->visible = true;
    sorted = true;
  }
  if (sorted && screen_) screen_->SortByDepth();
}
