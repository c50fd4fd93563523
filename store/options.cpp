#include "store/options.h"

#include <vector>

#include "store/config.h"

namespace {
constexpr int kDefaultSpeed = 3;  // the load default, also the fallback for a speed out of range

// value when it lies in 0 .. count - 1, else fallback.
int InRange(int value, int count, int fallback) {
  return value >= 0 && value < count ? value : fallback;
}
}  // namespace

void Options::Load(const OConfig& store) {
  Level = InRange(store.GetInt(kKeyLevel, 0), kLevelCount, 0);
  SoundOn = store.GetInt(kKeySoundOn, 1) != 0;
  DirectSound = store.GetInt(kKeyDirectSound, 1) != 0;
  Animate = store.GetInt(kKeyAnimate, 1) != 0;
  AutoSave = store.GetInt(kKeyAutoSave, 1) != 0;
  // The speed picks the frame interval, the speed bar's position and the main screen's period.
  FastSpeed = InRange(store.GetInt(kKeyFastSpeed, kDefaultSpeed), kSpeedCount, kDefaultSpeed);
  NewGameNeeded = store.GetInt(kKeyNewGameNeeded, 1) != 0;
  GameType = GameMode(InRange(store.GetInt(kKeyGameType, 0), kGameTypeCount, 0));
  FullScreen = store.GetInt(kKeyFullScreen, 0);
  const std::vector<int> skins = store.GetIntArray(kKeySkins, ' ');
  for (size_t i = 0; i < Skins.size(); ++i)
    Skins[i] = i < skins.size() ? skins[i] : 0;
}

void Options::Save(OConfig& store, bool fullScreenNow, bool directSoundNow) const {
  store.SetInt(kKeyLevel, Level);
  store.SetInt(kKeyFastSpeed, FastSpeed);
  store.SetInt(kKeyAnimate, Animate ? 1 : 0);
  store.SetInt(kKeyAutoSave, AutoSave ? 1 : 0);
  store.SetInt(kKeySoundOn, SoundOn ? 1 : 0);
  store.SetInt(kKeyGameType, int(GameType));
  store.SetInt(kKeyFullScreen, fullScreenNow ? 1 : 0);
  store.SetInt(kKeyNewGameNeeded, NewGameNeeded ? 1 : 0);
  store.SetIntArray(kKeySkins, Skins.data(), int(Skins.size()), ' ');
  store.SetInt(kKeyDirectSound, directSoundNow ? 1 : 0);
}

int Options::FrameInterval() const {
  return frameIntervals[InRange(FastSpeed, kSpeedCount, kDefaultSpeed)];
}
