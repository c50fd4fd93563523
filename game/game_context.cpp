#include "game/game_context.h"

#include "store/installed_context.h"

GameContext& Game() {
  return InstalledContext<GameContext>::Get();
}

GameContext* InstallGameContext(GameContext* context) {
  return InstalledContext<GameContext>::Install(context);
}
