#include "game/score_counter.h"

#include <memory>

#include "engine/screen.h"
#include "game/game_context.h"

const Clip* ScoreDigitStrip() {
  return Game().scoreDigitStrip;
}

void SetScoreDigitStrip(const Clip* strip) {
  Game().scoreDigitStrip = strip;
}

ScoreCounter::ScoreCounter(Screen* screen, const Clip* strip) : screen_(screen) {
  if (!screen_ || !strip) return;
  for (Clip*& digit : digits_) {
    auto clip = std::make_unique<Clip>();
    clip->CopyFrom(*strip);
    clip->visible = false;
    clip->stopped = true;  // the digit shows the frame it is given
    clip->frameTime = 0;
    digit = screen_->AddClip(std::move(clip));
  }
}

ScoreCounter::~ScoreCounter() {
  if (!screen_) return;
  for (Clip* digit : digits_)
    if (digit) screen_->RemoveClip(digit);
}

void ScoreCounter::Reset() {
  score_ = 0;
  combo_ = 1;
  for (Clip* digit : digits_)
    if (digit) digit->visible = false;
  Display();
}

void ScoreCounter::AddPopped() {
  score_ += ((combo_ - 1) / 3) * 10 + 10;
  ++combo_;
  Display();
}

void ScoreCounter::AddFalling() {
  score_ += ((combo_ - 1) / 3) * 100 + 100;
  ++combo_;
  Display();
}

void ScoreCounter::Add(int n) {
  score_ += n;
  Display();
}

void ScoreCounter::Display() {
  int rest = score_ < 0 ? 0 : score_;
  bool sorted = false;
  for (int i = 0; i < kDigits; ++i) {
    Clip* digit = digits_[size_t(i)];
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
