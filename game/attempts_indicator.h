// AttemptsIndicator: the attempts indicator, a string of up to five small balls in rings at the lower left.
// It shows one ball fewer than the attempts left (the ball at the launcher is the current attempt) and a ring
// for every attempt the string grants beyond the first two, over a label that says what the balls count
// (misses in strategy games, periods of time in arcade games). Also the miss counters both modes keep in
// the settings store.
#pragma once

#include <array>
#include <string>

#include "store/options.h"

class Ball;
class Clip;
class SettingsStore;
class Screen;

class AttemptsIndicator {
 public:
  static constexpr int kSlots = 5;
  static constexpr int kBallX = 70, kBallY = 531, kRingX = 64, kRingY = 524, kPitch = 36;
  // The label under the string; its picture's frames are the modes' labels, in GameMode order.
  static constexpr int kLabelX = 111, kLabelY = 573;

  // Five balls and five rings on screen (null: none), all hidden, and the label of mode's game, shown.
  explicit AttemptsIndicator(Screen* screen, GameMode mode = GameMode::kStrategy);
  AttemptsIndicator(const AttemptsIndicator&) = delete;
  AttemptsIndicator& operator=(const AttemptsIndicator&) = delete;
  // Takes the eleven clips off the screen.
  ~AttemptsIndicator();

  // Hides all ten.
  void Reset();
  // Shows left - 1 balls (appearing where they were hidden, vanishing where no longer needed) and the
  // rings of those balls plus one for each further attempt of the allowance beyond the second.
  void Show(int left, int allowance);

  Ball* BallAt(int i) const { return balls_[size_t(i)]; }
  Clip* Ring(int i) const { return rings_[size_t(i)]; }
  const Clip* Label() const { return label_; }

 private:
  Screen* screen_;
  std::array<Ball*, kSlots> balls_{};
  std::array<Clip*, kSlots> rings_{};
  Clip* label_ = nullptr;
};

// The allowance of the next string of attempts: one less, below 1 restarting from the colours in play
// less twice the level (at least 1).
int NextMissAllowance(int allowance, int colours, int level);

// The miss counters in the store: name + ".MaxLeft" (the allowance) and name + ".Left".
void SaveMissCounters(SettingsStore& store, const std::string& name, int left, int allowance);
// Reads them back and brings them into range: the allowance at most colours - 2 x level and at least
// 1; left within 1 .. allowance - 1, else the allowance.
void LoadMissCounters(const SettingsStore& store, const std::string& name, int colours, int level, int& left,
                      int& allowance);
