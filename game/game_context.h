// The game layer's process state in one place: a ProgramContext (app/program_context.h) makes a fresh one
// for every run and every test, so nothing a run leaves behind reaches the next.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>

#include "game/arcade_session.h"
#include "game/ball.h"

class Clip;

struct GameContext {
  // The game's random numbers (game/random.h): 1 is where the recordings expect the sequence to start.
  uint32_t randomSeed = 1;
  // The shuffles of a board's looks; apart from the game's numbers so recordings never see it.
  std::minstd_rand shuffleRandom{std::random_device{}()};
  int arcadePeriod = kFirstArcadePeriod;  // the arcade mode's current period (game/arcade_session.h)
  int demoShotClock = 0;                  // ms the demo has waited towards its next shot
  int replayShotClock = 0;                // ms a replay has waited towards its next shot
  int replayTimeShotClock = 0;            // the same for a replay of the arcade mode
  const Clip* scoreDigitStrip = nullptr;  // the digits a game's score shows; none before start-up
  int fallingBalls = 0;                   // balls falling off the board now
  // The ball sprites screens copy from (game/ball.h): empty until start-up loads them.
  std::array<std::unique_ptr<Ball>, catalogue::kBallSpriteCount> ballSprites;
  // Each sprite's twinkle frames, plain and with the chosen look (game/ball.h).
  std::array<BallTwinkle, catalogue::kBallSpriteCount> ballTwinkles;
};

// The game context installed for the process; a default one when none is installed.
GameContext& Game();
// Makes context (nullptr: the default one) the process's game context; returns the one it replaces.
GameContext* InstallGameContext(GameContext* context);
