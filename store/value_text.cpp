#include "store/value_text.h"

#include <cstdint>

namespace {
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The byte that a backslash followed by c stands for, or -1 when the pair is no escape.
int Unescaped(char c) {
  switch (c) {
    case 'n':
      return '\n';
    case 't':
      return '\t';
    case '0':
      return 0;
    case '"':
      return '"';
    case '\\':
      return '\\';
    default:
      return -1;
  }
}
}  // namespace

int ReadDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCSpace(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Unsigned arithmetic: overlong numbers wrap instead of overflowing.
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + uint32_t(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

int ReadIntText(std::string_view text, int def) {
  if (!text.starts_with("0x")) return ReadDecimal(text);
  uint32_t value = 0;
  size_t i = 2;
  for (; i < text.size() && HexDigit(text[i]) >= 0; ++i)
    value = (value << 4) | uint32_t(HexDigit(text[i]));
  return i == 2 ? def : static_cast<int>(value);
}

std::vector<int> ReadIntArrayText(std::string_view text, char separator) {
  std::vector<int> items;
  if (text.size() < 2) return items;
  std::string_view inner = text.substr(1, text.size() - 2);
  size_t i = 0;
  while (i < inner.size()) {
    if (inner[i] == separator) {
      ++i;
      continue;
    }
    size_t end = inner.find(separator, i);
    if (end == std::string_view::npos) end = inner.size();
    items.push_back(ReadDecimal(inner.substr(i, end - i)));
    i = end;
  }
  return items;
}

std::string ReadStringText(std::string_view text) {
  std::string out;
  if (text.size() < 2) return out;
  std::string_view inner = text.substr(1, text.size() - 2);
  out.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    char c = inner[i];
    int plain = c == '\\' && i + 1 < inner.size() ? Unescaped(inner[i + 1]) : -1;
    if (plain >= 0) {
      out.push_back(char(plain));
      ++i;
      continue;
    }
    out.push_back(c);
  }
  return out;
}

std::string IntText(int value) {
  return std::to_string(value);
}

std::string IntArrayText(const int* values, size_t count, char separator) {
  std::string out = "[";
  for (size_t i = 0; i < count; ++i) {
    if (i) out.push_back(separator);
    out += std::to_string(values[i]);
  }
  out.push_back(']');
  return out;
}

std::string StringText(std::string_view value) {
  std::string out;
  out.reserve(value.size() + 2);
  out.push_back('"');
  for (char c : value) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\0':
        out += "\\0";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out.push_back(c);
    }
  }
  out.push_back('"');
  return out;
}
