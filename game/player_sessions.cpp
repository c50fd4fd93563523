#include "game/player_sessions.h"

#include <algorithm>

#include "game/arcade_replay.h"
#include "game/demo_session.h"
#include "game/strategy_replay.h"
#include "store/options.h"

namespace {
template <class Replay>
std::unique_ptr<Session> MakeReplay(Screen& screen, const std::string& recording) {
  auto replay = std::make_unique<Replay>(&screen, std::string(), recording.empty() ? kReplayFile : recording);
  if (!recording.empty()) replay->Pass().PlayOnce();
  return replay;
}
}  // namespace

std::unique_ptr<Session> MakePlayerSession(Screen& screen, bool replay, GameMode mode,
                                           const std::string& recording) {
  if (!replay) return std::make_unique<DemoSession>(&screen);
  if (mode == GameMode::kStrategy) return MakeReplay<StrategyReplay>(screen, recording);
  return MakeReplay<ArcadeReplay>(screen, recording);
}

bool PlayerShotDue(int& clock, int ms) {
  clock += ms;
  const int speed = std::clamp(GetOptions().speed, 0, kSpeedCount - 1);
  if (clock <= 2000 / (speed + 1)) return false;
  clock = 0;
  return true;
}
