#include "engine/game_pages.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/errors.h"
#include "engine/log.h"

namespace game_pages {

namespace {
namespace fs = std::filesystem;

constexpr char kFolder[] = "pages";
constexpr char kFileScheme[] = "file://";

// Bytes a path keeps as they are in an address; the rest become %XX, so that blanks never reach the
// desktop's opener.
bool Plain(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

bool AllDigits(std::string_view text) {
  return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The results page's suffix: nothing, or "?e=" / "#e=" and at least one digit.
bool ResultsSuffix(std::string_view suffix) {
  if (suffix.empty()) return true;
  if (!StartsWith(suffix, "?e=") && !StartsWith(suffix, "#e=")) return false;
  const std::string_view digits = suffix.substr(3);
  return !digits.empty() && AllDigits(digits);
}
}  // namespace

std::string FolderInAddress() {
  std::error_code error;
  const fs::path folder = fs::canonical(kFolder, error);
  if (error || !fs::is_directory(folder, error)) return {};
  std::string encoded;
  for (unsigned char c : folder.string()) {
    if (Plain(c)) {
      encoded += char(c);
    } else {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", unsigned(c));
      encoded += escape;
    }
  }
  return encoded;
}

std::string Address(const char* page, const std::string& suffix) {
  const std::string folder = FolderInAddress();
  std::error_code error;
  if (folder.empty() || !fs::is_regular_file(fs::path(kFolder) / page, error)) {
    Log(LogLevel::kWarning, "the game's page %s/%s is missing", kFolder, page);
    return {};
  }
  return kFileScheme + folder + "/" + page + suffix;
}

bool Open(const char* page, const std::string& suffix) {
  const std::string address = Address(page, suffix);
  return !address.empty() && OpenExternal(address.c_str());
}

bool MayOpen(std::string_view url, std::string_view pagesFolder) {
  for (unsigned char c : url)
    if (c <= ' ' || c == 0x7F) return false;
  if (StartsWith(url, "http://") || StartsWith(url, "https://")) return true;
  // The folder is a real path, so it holds no "." or ".." and the page must follow it directly.
  const std::string start = kFileScheme + std::string(pagesFolder) + "/";
  if (pagesFolder.empty() || pagesFolder[0] != '/' || !StartsWith(url, start)) return false;
  const std::string_view page = url.substr(start.size());
  if (page == kAbout) return true;
  return StartsWith(page, kResults) && ResultsSuffix(page.substr(sizeof kResults - 1));
}

}  // namespace game_pages
