// One run's process state: the four layers' contexts, made fresh and installed for as long as this lives.
// RunGame makes one per run and the test programs one per test, so no run or test sees another's
// leftovers. What the program's entry chose (platform, sound, check and log policy) carries over from the
// context this one replaces. Without any, each layer's accessor answers a default context of its own.
#pragma once

#include <memory>

struct StoreContext;
struct EngineContext;
struct GameContext;
struct ScreensContext;

class ProgramContext {
 public:
  // Makes and installs fresh contexts for every layer.
  ProgramContext();
  // Puts back the contexts that were installed before, then frees these (screens first, store last).
  ~ProgramContext();
  ProgramContext(const ProgramContext&) = delete;
  ProgramContext& operator=(const ProgramContext&) = delete;

 private:
  std::unique_ptr<StoreContext> store_;
  std::unique_ptr<EngineContext> engine_;
  std::unique_ptr<GameContext> game_;
  std::unique_ptr<ScreensContext> screens_;
  StoreContext* previousStore_ = nullptr;
  EngineContext* previousEngine_ = nullptr;
  GameContext* previousGame_ = nullptr;
  ScreensContext* previousScreens_ = nullptr;
};
