// StrategyReplay: the replay of the last finished strategy game. Its random numbers are the recorded ones
// and its shots the recorded shots, fired at the players' pace; the player cannot shoot. At the end of
// the game or of the file the replay starts again. ReplayPass is what both replay players share.
//
// Sections: ReplayPass · StrategyReplay
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "game/attempts_indicator.h"
#include "game/replay_recorder.h"
#include "game/session.h"

// ---- ReplayPass --------------------------------------------------------------------------------------
// One run through "replay.dat" (or a kept recording), from its first record to the end of the game or
// of the file.
class ReplayPass {
 public:
  // Told at the end of every pass, before the replay starts again: gameOver is true when the recorded
  // game ended, false when the file ended first.
  using Observer = std::function<void(bool gameOver)>;

  // A pass over the replay file in folder (empty: the current directory), or over the file named.
  explicit ReplayPass(std::string folder, std::string file = kReplayFile)
      : file_(std::move(folder), std::move(file)) {}

  // Opens the replay from its first record; the first board's fill runs until FillDone. Nothing once
  // the playback has stopped.
  void Begin();
  void FillDone() { filling_ = false; }
  // The next recorded draw of Random(n): the value, or 0 when it lies outside 0..n-1. At the end of the
  // file also 0: the pass has to start again, but not from inside the board's own operations that
  // drew, so the restart waits for TakeRestart at the end of the tick. A file that ends inside the
  // first fill would start again forever: the playback stops instead.
  int Draw(int n);
  // True (once) when the file ended during the pass and the replay must start again.
  bool TakeRestart();
  // True once the file ended before its first board was filled.
  bool Stopped() const { return stopped_; }
  // Counts a fired shot.
  void CountShot(int x, int y);
  // Reports the end of the pass to the observer.
  void End(bool gameOver) const;

  // A watched recording plays once: at its end the player stops instead of starting again.
  void PlayOnce() { once_ = true; }
  bool Once() const { return once_; }

  ReplayRecorder& File() { return file_; }
  // Shots fired in this pass, and the last of them.
  int Shots() const { return shots_; }
  int LastShotX() const { return lastX_; }
  int LastShotY() const { return lastY_; }
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  ReplayRecorder file_;
  Observer observer_;
  bool filling_ = false;
  bool restartPending_ = false;
  bool stopped_ = false;
  bool once_ = false;
  int shots_ = 0;
  int lastX_ = 0, lastY_ = 0;
};

// ---- StrategyReplay ---------------------------------------------------------------------------------------
class StrategyReplay : public Session {
 public:
  // The replay of the strategy game in folder's "replay.dat" (empty: the current directory), or in
  // the file named.
  explicit StrategyReplay(Screen* screen, std::string folder = {}, std::string file = kReplayFile);
  ~StrategyReplay() override;

  // Opens the replay from its start, then a new game that draws from it; the indicator is cleared.
  bool Start(bool restoring) override;
  // The player cannot shoot.
  void Fire(int, int) override {}
  // The game's tick, then the recorded shot when it is due.
  void Tick(int ms) override;
  // The colour check, then for a miss the strategy miss rule.
  void ShotResolved(bool hit) override;
  // A replay is never restored: it starts from the beginning.
  bool Load() override { return Start(false); }
  // A replay is never stored.
  void Save() override {}
  // The recorded draw (see ReplayPass::Draw).
  int Random(int n) override;
  std::string Name() const override { return "GameSaved"; }
  // The replay loops: it starts again.
  void GameOver() override;
  // The next balls, then the indicator.
  void NextBall() override;

  ReplayPass& Pass() { return pass_; }
  const AttemptsIndicator& Indicator() const { return *indicator_; }

 private:
  // Ends the pass and starts the replay again (a pass played once stops instead).
  void Restart(bool gameOver);

  std::unique_ptr<AttemptsIndicator> indicator_;
  Clip* modePicture_ = nullptr;
  ReplayPass pass_;
};
