#include "app/settings_file.h"

#include "engine/sound.h"
#include "engine/window.h"
#include "store/cipher_file.h"
#include "store/config.h"
#include "store/options.h"
#include "store/scores.h"

namespace {
constexpr char kKeyScores[] = "Game.Scores.Table";
}  // namespace

bool LoadSettings(OWindow& window, TScoresTable& scores, const std::string& path) {
  Options& options = GetOptions();
  options.settingsLoaded = false;
  std::string text;
  if (!ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength)) return false;
  OConfig& store = GetConfig();
  if (store.LoadText(text) != OConfig::LoadResult::kComplete) return false;
  scores.FromText(store.GetString(kKeyScores, ""));
  options.Load(store);
  OSound& sound = GetSound();
  sound.SetEnabled(options.SoundOn);
  // The player was set up with DirectSound on before the file was read; a stored "off" sets it up again.
  sound.SetMode(options.DirectSound);
  window.SetFrameInterval(options.FrameInterval());
  options.settingsLoaded = true;
  return true;
}

bool SaveSettings(const OWindow& window, const TScoresTable& scores, const std::string& path) {
  OConfig& store = GetConfig();
  GetOptions().Save(store, window.IsFullScreen(), GetSound().GetMode() == 1);
  store.SetString(kKeyScores, scores.ToText());
  return WriteEncryptedFile(path, store.SaveText(), kSettingsKey, kCipherKeyLength);
}
