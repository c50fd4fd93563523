#include "app/settings_file.h"

#include "engine/sound_player.h"
#include "engine/window.h"
#include "store/cipher_file.h"
#include "store/options.h"
#include "store/score_table.h"
#include "store/settings_store.h"

bool LoadSettings(Window& window, ScoreTable& scores, const std::string& path) {
  Options& options = GetOptions();
  options.settingsLoaded = false;
  std::string text;
  if (!ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength)) return false;
  SettingsStore& store = GetSettings();
  if (store.LoadText(text) != SettingsStore::LoadResult::kComplete) return false;
  scores.FromText(store.GetString(kScoresSettingsKey, ""));
  options.Load(store);
  SoundPlayer& sound = GetSound();
  sound.SetEnabled(options.soundOn);
  // The player was set up with DirectSound on before the file was read; a stored "off" sets it up again.
  sound.SetMode(options.mixSounds);
  window.SetFrameInterval(options.FrameInterval());
  options.settingsLoaded = true;
  return true;
}

bool SaveSettings(const Window& window, const ScoreTable& scores, const std::string& path) {
  SettingsStore& store = GetSettings();
  GetOptions().Save(store, window.IsFullScreen(), GetSound().GetMode() == 1);
  store.SetString(kScoresSettingsKey, scores.ToText());
  return WriteEncryptedFile(path, store.SaveText(), kSettingsKey, kCipherKeyLength);
}
