#include "store/options.h"

#include <vector>

#include "store/settings_store.h"

namespace {
constexpr int kDefaultSpeed = 3;  // the load default, also the fallback for a speed out of range

// value when it lies in 0 .. count - 1, else fallback.
int InRange(int value, int count, int fallback) {
  return value >= 0 && value < count ? value : fallback;
}
}  // namespace

void Options::Load(const SettingsStore& store) {
  level = InRange(store.GetInt(kKeyLevel, 0), kLevelCount, 0);
  soundOn = store.GetInt(kKeySoundOn, 1) != 0;
  mixSounds = store.GetInt(kKeyMixSounds, 1) != 0;
  animate = store.GetInt(kKeyAnimate, 1) != 0;
  autoSave = store.GetInt(kKeyAutoSave, 1) != 0;
  // The speed picks the frame interval, the speed bar's position and the main screen's period.
  speed = InRange(store.GetInt(kKeyFastSpeed, kDefaultSpeed), kSpeedCount, kDefaultSpeed);
  newGameNeeded = store.GetInt(kKeyNewGameNeeded, 1) != 0;
  mode = GameMode(InRange(store.GetInt(kKeyGameType, 0), kGameModeCount, 0));
  fullScreen = store.GetInt(kKeyFullScreen, 0);
  windowSize = InRange(store.GetInt(kKeyWindowSize, 1), kWindowSizeCount, 1);
  const std::vector<int> stored = store.GetIntArray(kKeySkins, ' ');
  for (size_t i = 0; i < skins.size(); ++i)
    skins[i] = i < stored.size() ? stored[i] : 0;
}

void Options::Save(SettingsStore& store, bool fullScreenNow, bool mixSoundsNow) const {
  store.SetInt(kKeyLevel, level);
  store.SetInt(kKeyFastSpeed, speed);
  store.SetInt(kKeyAnimate, animate ? 1 : 0);
  store.SetInt(kKeyAutoSave, autoSave ? 1 : 0);
  store.SetInt(kKeySoundOn, soundOn ? 1 : 0);
  store.SetInt(kKeyGameType, int(mode));
  store.SetInt(kKeyFullScreen, fullScreenNow ? 1 : 0);
  store.SetInt(kKeyNewGameNeeded, newGameNeeded ? 1 : 0);
  store.SetIntArray(kKeySkins, skins.data(), int(skins.size()), ' ');
  store.SetInt(kKeyMixSounds, mixSoundsNow ? 1 : 0);
  if (windowSize != 1 || store.Has(kKeyWindowSize)) store.SetInt(kKeyWindowSize, windowSize);
}

int Options::FrameInterval() const {
  return frameIntervals[InRange(speed, kSpeedCount, kDefaultSpeed)];
}
