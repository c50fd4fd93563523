#include "store/settings_store.h"

#include "store/value_text.h"

int SettingsStore::GetInt(std::string_view key, int def) const {
  const std::string* text = FindText(key);
  return text ? ReadIntText(*text, def) : def;
}

std::vector<int> SettingsStore::GetIntArray(std::string_view key, char separator) const {
  const std::string* text = FindText(key);
  return text ? ReadIntArrayText(*text, separator) : std::vector<int>();
}

std::string SettingsStore::GetString(std::string_view key, std::string_view def) const {
  const std::string* text = FindText(key);
  return text ? ReadStringText(*text) : std::string(def);
}

void SettingsStore::SetInt(std::string_view key, int value) {
  SetText(key, IntText(value));
}

void SettingsStore::SetIntArray(std::string_view key, const int* values, int count, char separator) {
  SetText(key, IntArrayText(values, values && count > 0 ? size_t(count) : 0, separator));
}

void SettingsStore::SetIntArray(std::string_view key, const std::vector<int>& values, char separator) {
  SetText(key, IntArrayText(values.data(), values.size(), separator));
}

void SettingsStore::SetString(std::string_view key, std::string_view value) {
  SetText(key, StringText(value));
}

bool SettingsStore::Has(std::string_view key) const {
  return entries_.find(key) != entries_.end();
}

const std::string* SettingsStore::FindText(std::string_view key) const {
  auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

void SettingsStore::SetText(std::string_view key, std::string_view text) {
  auto it = entries_.lower_bound(key);
  if (it != entries_.end() && it->first == key)
    it->second.assign(text);
  else
    entries_.emplace_hint(it, std::string(key), std::string(text));
}
