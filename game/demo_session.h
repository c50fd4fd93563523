// DemoSession: the game playing by itself. At the players' pace it tries 100 aim points on scratch copies
// of the board, fires the best, and follows the strategy rules on its own; nothing is recorded or
// stored, and a finished demo game starts the next at once.
#pragma once

#include <memory>
#include <string>

#include "game/attempts_indicator.h"
#include "game/session.h"

class DemoSession : public Session {
 public:
  explicit DemoSession(Screen* screen, std::string folder = {});
  ~DemoSession() override;

  // A new game; the indicator is cleared.
  bool Start(bool restoring) override;
  // The player cannot shoot.
  void Fire(int, int) override {}
  // The game's tick, then the demo's shot when it is due.
  void Tick(int ms) override;
  // The colour check, then for a miss the strategy miss rule.
  void ShotResolved(bool hit) override;
  // The demo is never restored: a new game.
  bool Load() override { return Start(false); }
  // The demo is never stored.
  void Save() override {}
  std::string Name() const override { return "GameDemo"; }
  // The next demo game starts at once.
  void GameOver() override { Start(false); }
  // The next balls, then the indicator.
  void NextBall() override;

  // Shots fired in this game.
  int Shots() const { return shots_; }
  const AttemptsIndicator& Indicator() const { return *indicator_; }

 private:
  std::unique_ptr<AttemptsIndicator> indicator_;
  Clip* modePicture_ = nullptr;
  int shots_ = 0;
};
