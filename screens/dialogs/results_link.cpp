#include "screens/dialogs/results_link.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace results_link {

namespace {
// The constants the results page shares: the chaining byte's start, the second check byte's mask and the
// key table the scrambled bytes cycle through.
constexpr uint8_t kChainStart = 0x5A;
constexpr uint8_t kCheckMask = 0xA7;
constexpr std::array<uint8_t, 10> kKey = {0x3D, 0x91, 0x4E, 0xC2, 0x17, 0x68, 0xB5, 0x0F, 0xE3, 0x72};
constexpr size_t kCheckBytes = 2;

// The two check bytes of a text: the byte sum, and the sum of the bytes under the mask (both mod 256).
std::array<uint8_t, kCheckBytes> CheckBytes(const std::string& text) {
  uint8_t sum = 0, masked = 0;
  for (char c : text) {
    sum = uint8_t(sum + uint8_t(c));
    masked = uint8_t(masked + (uint8_t(c) ^ kCheckMask));
  }
  return {sum, masked};
}
}  // namespace

std::string ResultText(int score, const std::string& code, const std::string& name) {
  return std::to_string(score) + "\t" + code + "\t" + name + "\tgbt\texe";
}

std::string Encode(const std::string& text) {
  if (text.empty()) return {};
  const auto check = CheckBytes(text);
  std::string payload(check.begin(), check.end());
  payload += text;
  std::string digits;
  digits.reserve(payload.size() * 3);
  uint8_t chain = kChainStart;
  for (size_t i = 0; i < payload.size(); ++i) {
    const uint8_t plain = uint8_t(payload[i]);
    char group[4];
    std::snprintf(group, sizeof group, "%03u", unsigned(plain ^ chain ^ kKey[i % kKey.size()]));
    digits += group;
    chain = plain;
  }
  return digits;
}

bool Decode(const std::string& digits, std::string& text, std::string& why) {
  text.clear();
  if (digits.size() % 3 != 0) return why = "the digits are not whole groups of three", false;
  if (digits.size() / 3 <= kCheckBytes) return why = "too short to hold the check bytes and a text", false;
  std::string payload;
  uint8_t chain = kChainStart;
  for (size_t i = 0; i < digits.size() / 3; ++i) {
    int value = 0;
    for (size_t d = 0; d < 3; ++d) {
      const char c = digits[i * 3 + d];
      if (c < '0' || c > '9') return why = "a character that is not a digit", false;
      value = value * 10 + (c - '0');
    }
    if (value > 255) return why = "a group above 255", false;
    const uint8_t plain = uint8_t(value) ^ chain ^ kKey[i % kKey.size()];
    payload += char(plain);
    chain = plain;
  }
  const std::string body = payload.substr(kCheckBytes);
  const auto check = CheckBytes(body);
  if (uint8_t(payload[0]) != check[0]) return why = "the first check byte does not match", false;
  if (uint8_t(payload[1]) != check[1]) return why = "the second check byte does not match", false;
  text = body;
  return true;
}

}  // namespace results_link
