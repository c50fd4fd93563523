// The settings store: one ordered map from dotted key ("Game.Options.Level") to value text, exactly as
// the text stands in the store's text form. Values carry no type; the typed operations convert the text
// on every access, so a value written with one kind and read with another reads as that kind reads it
// (a string under an integer key reads as 0). No operation reports an error: a missing key is answered
// with the caller's default.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class SettingsStore {
 public:
  // Key order is plain byte-wise order; it is the order of the text form.
  using Entries = std::map<std::string, std::string, std::less<>>;
  // How reading the text form ended: at the end of the text, or at an error.
  enum class LoadResult { kComplete, kStopped };

  SettingsStore() = default;
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // ---- typed reads --------------------------------------------------------------------------------
  // The integer under key ("0x" starts hexadecimal, else decimal wrapping at 32 bits), or def.
  int GetInt(std::string_view key, int def) const;
  // The items of the array under key, split at separator; empty when the key is missing.
  std::vector<int> GetIntArray(std::string_view key, char separator = ' ') const;
  // The string under key with its escapes undone (may hold zero bytes), or def.
  std::string GetString(std::string_view key, std::string_view def = {}) const;

  // ---- typed writes (insert or replace) ------------------------------------------------------------
  // Stores value as its decimal text.
  void SetInt(std::string_view key, int value);
  // Stores count values as "[a b c]" with separator between items; count <= 0 stores "[]".
  void SetIntArray(std::string_view key, const int* values, int count, char separator = ' ');
  // Stores values as "[a b c]" with separator between items.
  void SetIntArray(std::string_view key, const std::vector<int>& values, char separator = ' ');
  // Stores value as a quoted string with escapes; value may hold any bytes, zero bytes included.
  void SetString(std::string_view key, std::string_view value);

  // ---- raw access ----------------------------------------------------------------------------------
  // True when key has an entry.
  bool Has(std::string_view key) const;
  // The value text under key exactly as held, or null when missing (valid until the next write).
  const std::string* FindText(std::string_view key) const;
  // Stores text as the value text of key, unchanged.
  void SetText(std::string_view key, std::string_view text);
  // Every entry in key order.
  const Entries& GetEntries() const { return entries_; }
  // Number of entries.
  size_t Size() const { return entries_.size(); }

  // ---- text form -------------------------------------------------------------------------------------
  // Removes every entry, then reads text (up to its first zero byte) into the store. kStopped when
  // reading stopped at an error; the entries read before the error stay.
  LoadResult LoadText(std::string_view text);
  // The whole store as nested groups, one "name=value" line per entry; changes nothing.
  std::string SaveText() const;

 private:
  Entries entries_;
};

// The program's store (in the store context): empty at start, filled from and written to the settings
// file.
SettingsStore& GetSettings();
