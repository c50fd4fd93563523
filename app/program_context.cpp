#include "app/program_context.h"

#include "engine/engine_context.h"
#include "game/game_context.h"
#include "screens/screens_context.h"
#include "store/store_context.h"

ProgramContext::ProgramContext()
    : store_(std::make_unique<StoreContext>()),
      engine_(std::make_unique<EngineContext>()),
      game_(std::make_unique<GameContext>()),
      screens_(std::make_unique<ScreensContext>()) {
  engine_->choices = Engine().choices;
  previousStore_ = InstallStoreContext(store_.get());
  previousEngine_ = InstallEngineContext(engine_.get());
  previousGame_ = InstallGameContext(game_.get());
  previousScreens_ = InstallScreensContext(screens_.get());
}

ProgramContext::~ProgramContext() {
  // Whatever these contexts still own is freed while they are installed, as it was made.
  screens_.reset();
  game_.reset();
  engine_.reset();
  store_.reset();
  InstallScreensContext(previousScreens_);
  InstallGameContext(previousGame_);
  InstallEngineContext(previousEngine_);
  InstallStoreContext(previousStore_);
}
