#include "game/player_sessions.h"

#include <algorithm>

#include "game/game_demo.h"
#include "game/game_saved.h"
#include "game/game_saved_time.h"
#include "store/options.h"

std::unique_ptr<Game> MakePlayerSession(OEngine& screen, bool replay, GameMode mode) {
  if (!replay) return std::make_unique<GameDemo>(&screen);
  if (mode == GameMode::kStrategy) return std::make_unique<GameSaved>(&screen);
  return std::make_unique<GameSavedTime>(&screen);
}

bool PlayerShotDue(int& clock, int ms) {
  clock += ms;
  const int speed = std::clamp(GetOptions().FastSpeed, 0, kSpeedCount - 1);
  if (clock <= 2000 / (speed + 1)) return false;
  clock = 0;
  return true;
}
