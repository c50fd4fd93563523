#include "engine/engine_context.h"

#include <cstdlib>
#include <cstring>

#include "engine/sound_player.h"
#include "store/installed_context.h"

// The build decides whether checks stop at first (CMakeLists.txt: Debug and the sanitizer build stop).
#ifndef GLOBBET_CHECKS_STOP
#define GLOBBET_CHECKS_STOP 0
#endif

namespace {

// GLOBBET_LOG=error|info; warnings otherwise.
LogLevel ThresholdFromEnvironment() {
  const char* value = std::getenv("GLOBBET_LOG");
  if (value && std::strcmp(value, "error") == 0) return LogLevel::kError;
  if (value && std::strcmp(value, "info") == 0) return LogLevel::kInfo;
  return LogLevel::kWarning;
}
}  // namespace

EngineChoices::EngineChoices()
    : stopOnFailedCheck(GLOBBET_CHECKS_STOP != 0), logThreshold(ThresholdFromEnvironment()) {}

EngineContext::EngineContext() : silent(std::make_unique<SoundPlayer>()) {}

EngineContext::~EngineContext() = default;

EngineContext& Engine() {
  return InstalledContext<EngineContext>::Get();
}

EngineContext* InstallEngineContext(EngineContext* context) {
  return InstalledContext<EngineContext>::Install(context);
}
