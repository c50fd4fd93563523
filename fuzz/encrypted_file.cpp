// The settings-file decoder (what ReadEncryptedFile runs on a file's bytes) on arbitrary bytes: it must
// refuse or accept without crashing, and an accepted text must encode and decode back to itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/cipher_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  std::string text = "untouched";
  if (!DecodeEncrypted(content, text, kSettingsKey, kCipherKeyLength)) {
    if (text != "untouched") std::abort();
    return 0;
  }
  if (text.size() > size) std::abort();
  std::string again;
  if (!DecodeEncrypted(EncodeEncrypted(text, kSettingsKey, kCipherKeyLength), again, kSettingsKey,
                       kCipherKeyLength) ||
      again != text)
    std::abort();
  return 0;
}
