// StrategySession: the strategy mode. Rows come in after a string of shots that removed nothing; each string
// is one shot shorter than the one before until it starts again from the colours left. The attempts
// show at the lower left, and the whole game is recorded for its replay.
#pragma once

#include <memory>
#include <string>

#include "engine/catalogue.h"
#include "game/attempts_indicator.h"
#include "game/replay_recorder.h"
#include "game/session.h"

class StrategySession : public Session {
 public:
  static constexpr GeneralPicture kModePicture = GeneralPicture::kStrategyBadge;
  static constexpr int kModeX = 652, kModeY = 467;

  // A strategy game on screen, recording into folder (empty: the current directory).
  explicit StrategySession(Screen* screen, std::string folder = {});
  ~StrategySession() override;

  // A new game starts a new recording; the indicator is cleared.
  bool Start(bool restoring) override;
  // An accepted shot is recorded first.
  void Fire(int x, int y) override;
  // Every draw is recorded.
  int Random(int n) override;
  // The colour check, then for a miss the miss rule.
  void ShotResolved(bool hit) override;
  std::string Name() const override { return "GameOrig"; }
  // The recording becomes the replay.
  void GameOver() override;
  // The next balls, then the indicator.
  void NextBall() override;
  // The counters, then the game.
  void Save() override;
  // Continues the recording; restores the game and the counters.
  bool Load() override;

  const AttemptsIndicator& Indicator() const { return *indicator_; }
  ReplayRecorder& Recorder() { return recorder_; }

 private:
  std::unique_ptr<AttemptsIndicator> indicator_;
  Clip* modePicture_ = nullptr;
  ReplayRecorder recorder_;
};

// Adds the general picture at (x, y), depth -1, to screen; returns it or null.
Clip* AddModePicture(Screen* screen, GeneralPicture picture, int x, int y);
// Counts a shot that removed nothing: when the string runs out, rows come in and the next string is
// shorter (the game's own counters or the players' own).
void CountMiss(Session& game, int& left, int& allowance);
