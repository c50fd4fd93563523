// The settings-file decoder (what ReadEncryptedFile runs on a file's bytes) on arbitrary bytes: it must
// refuse with its output untouched, or accept a text that encodes and decodes back to itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "store/cipher_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = "untouched", again;
  if (!DecodeEncrypted({reinterpret_cast<const char*>(data), size}, text, kSettingsKey, kCipherKeyLength))
    return text == "untouched" ? 0 : (std::abort(), 1);
  const std::string bytes = EncodeEncrypted(text, kSettingsKey, kCipherKeyLength);
  if (text.size() > size || !DecodeEncrypted(bytes, again, kSettingsKey, kCipherKeyLength) || again != text)
    std::abort();
  return 0;
}
