// ArcadeReplay: the replay of the last finished arcade game. Like StrategyReplay, but its shots carry the
// attempts left and the allowance, which it shows, and some of them are the rows the clock pushed in.
#pragma once

#include <memory>
#include <string>

#include "game/attempts_indicator.h"
#include "game/session.h"
#include "game/strategy_replay.h"

class ArcadeReplay : public Session {
 public:
  // The replay of the arcade game in folder's "replay.dat" (empty: the current directory), or in the
  // file named.
  explicit ArcadeReplay(Screen* screen, std::string folder = {}, std::string file = kReplayFile);
  ~ArcadeReplay() override;

  // Opens the replay from its start, then a new game that draws from it; the indicator shows the
  // counters and the playback runs.
  bool Start(bool restoring) override;
  // The player cannot shoot.
  void Fire(int, int) override {}
  // The game's tick, then the recorded shot or push when it is due.
  void Tick(int ms) override;
  // The colour check only: misses cost nothing here.
  void ShotResolved(bool hit) override;
  // A replay is never restored: it starts from the beginning.
  bool Load() override { return Start(false); }
  // A replay is never stored.
  void Save() override {}
  // The recorded draw (see ReplayPass::Draw).
  int Random(int n) override;
  std::string Name() const override { return "GameSavedTime"; }
  // The replay loops: it starts again.
  void GameOver() override;
  // The next balls, then the indicator.
  void NextBall() override;

  ReplayPass& Pass() { return pass_; }
  const AttemptsIndicator& Indicator() const { return *indicator_; }

 private:
  // Ends the pass and starts the replay again (a pass played once stops instead).
  void Restart(bool gameOver);
  // A recorded push of rows by the clock.
  void PushRecordedRows(int rows);

  ReplayPass pass_;
  bool running_ = false;
  Clip* modePicture_ = nullptr;
  std::unique_ptr<AttemptsIndicator> indicator_;
};
