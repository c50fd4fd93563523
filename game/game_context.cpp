#include "game/game_context.h"

namespace {
GameContext* installed = nullptr;
}  // namespace

GameContext& GameState() {
  // Tools, benchmarks and fuzz targets that make no ProgramContext share this one.
  static GameContext fallback;
  return installed ? *installed : fallback;
}

GameContext* InstallGameContext(GameContext* context) {
  GameContext* previous = installed;
  installed = context;
  return previous;
}
