#include "game/player_sessions.h"

#include <algorithm>

#include "game/arcade_replay.h"
#include "game/demo_session.h"
#include "game/strategy_replay.h"
#include "store/options.h"

std::unique_ptr<Session> MakePlayerSession(Screen& screen, bool replay, GameMode mode) {
  if (!replay) return std::make_unique<DemoSession>(&screen);
  if (mode == GameMode::kStrategy) return std::make_unique<StrategyReplay>(&screen);
  return std::make_unique<ArcadeReplay>(&screen);
}

bool PlayerShotDue(int& clock, int ms) {
  clock += ms;
  const int speed = std::clamp(GetOptions().speed, 0, kSpeedCount - 1);
  if (clock <= 2000 / (speed + 1)) return false;
  clock = 0;
  return true;
}
