// globbet-tool sv: read and change the settings file "sv.dat" from the command line.
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/cipher_file.h"
#include "store/record_files.h"
#include "store/score_table.h"
#include "store/settings_store.h"
#include "store/value_text.h"
#include "tools/globbet-tool/command.h"

namespace {
constexpr char kUsage[] =
    "usage: globbet-tool sv decode [FILE]\n"
    "       globbet-tool sv encode TEXTFILE [FILE]\n"
    "       globbet-tool sv get KEY [FILE]\n"
    "       globbet-tool sv set KEY VALUE [FILE]\n"
    "       globbet-tool sv records [FILE]\n"
    "\n"
    "The settings file (default ./sv.dat) is the settings text enciphered with the settings key and\n"
    "followed by its checksum.\n"
    "\n"
    "  decode   print the plain settings text\n"
    "  encode   encipher the bytes of TEXTFILE into FILE\n"
    "  get      print the value text of KEY exactly as stored (3, [1 2 3], \"name\")\n"
    "  set      store VALUE under KEY, keeping every other entry, and rewrite FILE (created when\n"
    "           missing). VALUE is a value text: an integer (3), an integer array ([1 2 3]) or a\n"
    "           quoted string with the escapes \\\" \\\\ \\t \\n \\0 (\"name\").\n"
    "  records  list the rows of the stored top tens, one a line: level code (1-3 strategy, 4-6\n"
    "           arcade), rank, score, the file the game keeps the row's recording in (its path\n"
    "           beside FILE) and 'present' or 'missing'\n"
    "\n"
    "Exit status 1 with a one-line reason when a file is missing or refused or a key is missing.\n";

constexpr char kDefaultFile[] = "sv.dat";

bool Exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

bool ReadPlainFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), {});
  return !in.bad();
}

// Reads and deciphers the settings file; on failure returns the exit status after saying why.
bool ReadSettings(const std::string& path, std::string& text, int& status) {
  if (ReadEncryptedFile(path, text, kSettingsKey, kCipherKeyLength)) return true;
  status = Exists(path)
               ? Fail("'" + path + "' is not a settings file (damaged, or enciphered with another key)")
               : Fail("cannot open '" + path + "'");
  return false;
}

// Reads the settings file into store; a text the store cannot read to its end is refused, so that
// rewriting it never drops the unread rest.
bool LoadSettings(const std::string& path, SettingsStore& store, int& status) {
  std::string text;
  if (!ReadSettings(path, text, status)) return false;
  if (store.LoadText(text) != SettingsStore::LoadResult::kComplete) {
    status = Fail("the settings text of '" + path + "' has an error; decode it to see it");
    return false;
  }
  return true;
}

// A decimal integer in the 32-bit range, nothing else.
bool ParseStrictInt(std::string_view text, int& value) {
  size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
  if (i == text.size() || text.size() - i > 11) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  if (text[0] == '-') v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  value = int(v);
  return true;
}

// Key names must be non-empty and hold no white space, "=", "{" or "}": the settings text cannot carry
// others.
bool ValidKey(std::string_view key) {
  size_t start = 0;
  for (;;) {
    size_t dot = key.find('.', start);
    std::string_view name =
        key.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start);
    if (name.empty() || name.find_first_of(" \t\r\n={}") != std::string_view::npos) return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

// Stores a value text through the typed write matching its form; false when it has none of the forms.
bool SetValue(SettingsStore& store, const std::string& key, std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    size_t backslashes = 0;
    for (size_t i = value.size() - 1; i > 1 && value[i - 1] == '\\'; --i)
      ++backslashes;
    if (backslashes % 2) return false;  // the closing quote is escaped
    store.SetString(key, ReadStringText(value));
    return true;
  }
  if (value.size() >= 2 && value.front() == '[' && value.back() == ']') {
    std::vector<int> items;
    std::string_view inner = value.substr(1, value.size() - 2);
    while (!inner.empty()) {
      size_t space = inner.find(' ');
      std::string_view item = inner.substr(0, space);
      inner = space == std::string_view::npos ? std::string_view() : inner.substr(space + 1);
      if (item.empty()) continue;
      if (!ParseStrictInt(item, items.emplace_back())) return false;
    }
    store.SetIntArray(key, items, ' ');
    return true;
  }
  int number;
  if (!ParseStrictInt(value, number)) return false;
  store.SetInt(key, number);
  return true;
}

int Decode(const ToolArgs& args) {
  if (args.size() > 1) return Fail("sv decode takes at most one FILE");
  std::string text;
  int status = 0;
  if (!ReadSettings(args.empty() ? kDefaultFile : args[0], text, status)) return status;
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int Encode(const ToolArgs& args) {
  if (args.empty() || args.size() > 2) return Fail("usage: sv encode TEXTFILE [FILE]");
  std::string text;
  if (!ReadPlainFile(args[0], text)) return Fail("cannot read '" + args[0] + "'");
  const std::string path = args.size() > 1 ? args[1] : kDefaultFile;
  if (!WriteEncryptedFile(path, text, kSettingsKey, kCipherKeyLength))
    return Fail("cannot write '" + path + "'");
  return 0;
}

int Get(const ToolArgs& args) {
  if (args.empty() || args.size() > 2) return Fail("usage: sv get KEY [FILE]");
  SettingsStore store;
  int status = 0;
  if (!LoadSettings(args.size() > 1 ? args[1] : kDefaultFile, store, status)) return status;
  const std::string* text = store.FindText(args[0]);
  if (!text) return Fail("no key '" + args[0] + "'");
  std::fwrite(text->data(), 1, text->size(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

int Set(const ToolArgs& args) {
  if (args.size() < 2 || args.size() > 3) return Fail("usage: sv set KEY VALUE [FILE]");
  const std::string& key = args[0];
  if (!ValidKey(key))
    return Fail("'" + key + "' is not a key: names must be non-empty, without white space, =, { or }");
  const std::string path = args.size() > 2 ? args[2] : kDefaultFile;
  SettingsStore store;
  int status = 0;
  if (Exists(path) && !LoadSettings(path, store, status)) return status;
  if (!SetValue(store, key, args[1]))
    return Fail("'" + args[1] +
                "' is not a value: give an integer (3), an array ([1 2 3]) or a string (\"name\")");
  if (!WriteEncryptedFile(path, store.SaveText(), kSettingsKey, kCipherKeyLength))
    return Fail("cannot write '" + path + "'");
  return 0;
}

int Records(const ToolArgs& args) {
  if (args.size() > 1) return Fail("usage: sv records [FILE]");
  const std::string path = args.empty() ? kDefaultFile : args[0];
  SettingsStore store;
  int status = 0;
  if (!LoadSettings(path, store, status)) return status;
  ScoreTable table;
  table.FromText(store.GetString(kScoresSettingsKey, ""));
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  for (int code = 1; code <= ScoreTable::kLevelCodes; ++code) {
    int rank = 0;
    for (const auto& [score, record] : table.Top(std::to_string(code))) {
      const std::string file = RecordingFilePath(score, *record);
      std::printf("%d %d %d %s %s\n", code, ++rank, score, file.c_str(),
                  Exists((folder / file).string()) ? "present" : "missing");
    }
  }
  return 0;
}

int Run(const ToolArgs& args) {
  if (args.empty()) return Fail("sv needs a command: decode, encode, get, set or records (see sv --help)");
  const ToolArgs rest(args.begin() + 1, args.end());
  if (args[0] == "decode") return Decode(rest);
  if (args[0] == "encode") return Encode(rest);
  if (args[0] == "get") return Get(rest);
  if (args[0] == "set") return Set(rest);
  if (args[0] == "records") return Records(rest);
  return Fail("unknown sv command '" + args[0] + "' (see sv --help)");
}

const GlobbetToolCommand kSv("sv", "read and change the settings file sv.dat", kUsage, &Run);
}  // namespace
