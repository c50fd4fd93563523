// The settings text reader on arbitrary bytes: it must never crash or hang, and whatever it reads must
// write and read back to the same entries (except what the text form cannot carry; see RoundTrips).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "store/settings_store.h"

namespace {
// The text form cannot carry an empty value (the next token would be taken for it), a name that is
// empty or starts with "}" (a lone closing brace), "//" (a comment) or "[" (a block value when first in a
// group), nor a block value holding a "/" (a "/" that directly follows a skipped comment inside brackets is
// kept, but read again it starts a skip).
bool RoundTrips(const SettingsStore::Entries& entries) {
  for (const auto& [key, value] : entries) {
    if (value.empty()) return false;
    size_t start = 0;
    for (;;) {
      size_t dot = key.find('.', start);
      std::string_view name =
          std::string_view(key).substr(start, dot == std::string::npos ? dot : dot - start);
      if (name.empty() || name[0] == '}' || name[0] == '[' || name.starts_with("//")) return false;
      if (dot == std::string::npos) break;
      start = dot + 1;
    }
    if (value[0] == '{' && value.find('/') != std::string::npos) return false;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SettingsStore store;
  store.LoadText(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!RoundTrips(store.GetEntries())) return 0;
  const std::string text = store.SaveText();
  SettingsStore back;
  if (back.LoadText(text) != SettingsStore::LoadResult::kComplete ||
      back.GetEntries() != store.GetEntries() || back.SaveText() != text)
    std::abort();
  return 0;
}
