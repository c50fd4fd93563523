// ArcadeSession: the arcade mode. Time runs while the player may shoot and the board is still; every period
// spent so costs an attempt, and the last attempt of a string pushes rows in. Misses cost nothing.
// Recorded for its replay like the strategy game.
#pragma once

#include <memory>
#include <string>

#include "engine/catalogue.h"
#include "game/attempts_indicator.h"
#include "game/replay_recorder.h"
#include "game/session.h"

// The arcade period of a level, in milliseconds.
constexpr int kArcadePeriods[3] = {5500, 4000, 4000};
// The period before the first arcade game.
constexpr int kFirstArcadePeriod = 5000;
// The arcade period in force (set by every arcade game's start from its level).
int& ArcadePeriod();

class ArcadeSession : public Session {
 public:
  static constexpr GeneralPicture kModePicture = GeneralPicture::kArcadeBadge;
  static constexpr int kModeX = 664, kModeY = 461;

  // An arcade game on screen, recording into folder (empty: the current directory).
  explicit ArcadeSession(Screen* screen, std::string folder = {});
  ~ArcadeSession() override;

  // The period from the level, a new recording for a new game, the full period and the indicator.
  bool Start(bool restoring) override;
  // An accepted shot is recorded with the counters first.
  void Fire(int x, int y) override;
  // The game's tick, then the time rule.
  void Tick(int ms) override;
  // The colour check only: misses cost nothing here.
  void ShotResolved(bool hit) override;
  int Random(int n) override;
  std::string Name() const override { return "GameTime"; }
  void GameOver() override;
  void NextBall() override;
  void Save() override;
  // Restores the game and the counters; the period starts full.
  bool Load() override;
  // The game's reset, then a full period.
  void Reset() override;

  int TimeLeft() const { return timeLeft_; }
  const AttemptsIndicator& Indicator() const { return *indicator_; }
  ReplayRecorder& Recorder() { return recorder_; }

 private:
  // The period ran out while the player could have shot.
  void PeriodOver();

  int timeLeft_;
  ReplayRecorder recorder_;
  bool running_ = false;
  Clip* modePicture_ = nullptr;
  std::unique_ptr<AttemptsIndicator> indicator_;
};
