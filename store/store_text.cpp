// The store's text form: SaveText writes nested groups with one name=value line per entry; LoadText
// reads that and more (comments, free white space, bracketed, quoted and block values, unclosed groups).
//
// Sections: writing · the reader's scanner · LoadText
#include <string>
#include <vector>

#include "store/settings_store.h"

// ---- writing -----------------------------------------------------------------------------------------
namespace {
// The names of key's groups (all names but the last), as views into key.
void SplitGroups(std::string_view key, std::vector<std::string_view>& groups, std::string_view& own) {
  groups.clear();
  size_t start = 0;
  for (size_t dot = key.find('.'); dot != std::string_view::npos; dot = key.find('.', start)) {
    groups.push_back(key.substr(start, dot - start));
    start = dot + 1;
  }
  own = key.substr(start);
}

void CloseGroups(std::string& out, size_t from, size_t downTo) {
  for (size_t d = from; d-- > downTo;) {
    out.append(d, '\t');
    out += "}\n";
  }
}
}  // namespace

std::string SettingsStore::SaveText() const {
  std::string out;
  std::vector<std::string_view> previous, groups;
  std::string_view own;
  for (const auto& [key, value] : entries_) {
    SplitGroups(key, groups, own);
    size_t shared = 0;
    while (shared < previous.size() && shared < groups.size() && previous[shared] == groups[shared])
      ++shared;
    CloseGroups(out, previous.size(), shared);
    for (size_t d = shared; d < groups.size(); ++d) {
      out.append(d, '\t');
      out += groups[d];
      out += " = {\n";
    }
    out.append(groups.size(), '\t');
    out += own;
    out += '=';
    out += value;
    out += '\n';
    previous.swap(groups);
  }
  CloseGroups(out, previous.size(), 0);
  return out;
}

// ---- the reader's scanner ------------------------------------------------------------------------------
namespace {
bool IsWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

// A cursor over the parse buffer. The position just past the end counts as white space.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : buf_(text), size_(text.size()) {}

  bool AtEnd() const { return pos_ >= size_; }
  // The byte at the position; a white byte at the end.
  char Peek() const { return pos_ < size_ ? buf_[pos_] : '\0'; }

  // Steps over white space and "//" comments, never past the last byte: a text's last byte is never
  // skipped, so a token ending there is seen as ending the text.
  void SkipWhite() {
    while (pos_ + 1 < size_) {
      char c = buf_[pos_];
      if (IsWhite(c)) {
        ++pos_;
      } else if (c == '/' && buf_[pos_ + 1] == '/') {
        size_t lf = buf_.find('\n', pos_ + 2);
        if (lf == std::string_view::npos) {
          pos_ = size_;
          return;
        }
        pos_ = lf;
      } else {
        return;
      }
    }
  }

  // A name: bytes up to white space or "="; a lone "}" is a name of its own.
  std::string_view ReadName() {
    SkipWhite();
    size_t start = pos_;
    while (pos_ < size_ && !IsWhite(buf_[pos_]) && buf_[pos_] != '=') {
      ++pos_;
      if (pos_ - start == 1 && buf_[start] == '}') break;
    }
    return buf_.substr(start, pos_ - start);
  }

  enum class Assignment { kMissing, kGroup, kBlock, kValue };
  // After a name: "=" then a group opening, a block value (position on its "["), or a value.
  Assignment ReadAssignment() {
    SkipWhite();
    if (Peek() != '=' || AtEnd()) return Assignment::kMissing;
    ++pos_;
    SkipWhite();
    if (AtEnd() || buf_[pos_] != '{') return Assignment::kValue;
    size_t afterBrace = ++pos_;
    SkipWhite();
    if (!AtEnd() && buf_[pos_] == '[') return Assignment::kBlock;
    pos_ = afterBrace;
    return Assignment::kGroup;
  }

  // A value: "[...]", a quoted string, or a bare run up to white space or "}" (which stays unread). A
  // bracket or quote left open at the end is closed.
  std::string ReadValue() {
    SkipWhite();
    if (AtEnd()) return {};
    size_t start = pos_;
    char first = buf_[pos_];
    if (first == '[') {
      size_t close = buf_.find(']', pos_ + 1);
      if (close == std::string_view::npos) return ClosedAtEnd(start, ']');
      pos_ = close + 1;
    } else if (first == '"') {
      // A quote inside the value is escaped by an odd run of backslashes directly before it.
      size_t backslashes = 0;
      for (++pos_;; ++pos_) {
        if (pos_ >= size_) {
          // A text cut inside a string. After an odd run of backslashes the supplied quote would be
          // escaped, and once written back it would swallow the entries that follow; a doubled last
          // backslash reads as the same string and keeps the value closed.
          std::string value = ClosedAtEnd(start, '"');
          if (backslashes % 2) value.insert(value.size() - 1, 1, '\\');
          return value;
        }
        char c = buf_[pos_];
        if (c == '"' && backslashes % 2 == 0) break;
        backslashes = c == '\\' ? backslashes + 1 : 0;
      }
      ++pos_;
    } else {
      while (pos_ < size_ && !IsWhite(buf_[pos_]) && buf_[pos_] != '}')
        ++pos_;
    }
    return std::string(buf_.substr(start, pos_ - start));
  }

  // A block value from its "[" to the matching "}": the bracketed runs are kept, everything between
  // them dropped, and a "/" skips to the byte after the next line feed, which can then only open,
  // extend or close a bracketed run. Gives "{" runs "}".
  std::string ReadBlock() {
    std::string value = "{";
    bool inBrackets = false;
    auto takeBracketed = [&](char c) {
      if (c == '[') inBrackets = true;
      if (inBrackets) value.push_back(c);
      if (c == ']') inBrackets = false;
    };
    while (pos_ < size_) {
      char c = buf_[pos_++];
      if (c == '}' && !inBrackets) break;
      if (c == '/') {
        size_t lf = buf_.find('\n', pos_);
        if (lf == std::string_view::npos || lf + 1 >= size_) {
          pos_ = size_;
          break;
        }
        pos_ = lf + 1;
        c = buf_[pos_++];
      }
      takeBracketed(c);
    }
    value.push_back('}');
    return value;
  }

 private:
  std::string ClosedAtEnd(size_t start, char close) {
    std::string value(buf_.substr(start));
    value.push_back(close);
    pos_ = size_;
    return value;
  }

  std::string_view buf_;
  size_t size_;
  size_t pos_ = 0;
};
}  // namespace

// ---- LoadText --------------------------------------------------------------------------------------------
SettingsStore::LoadResult SettingsStore::LoadText(std::string_view text) {
  entries_.clear();
  size_t zero = text.find('\0');
  Scanner in(zero == std::string_view::npos ? text : text.substr(0, zero));
  std::string prefix;  // the open groups, each followed by "."
  while (!in.AtEnd()) {
    std::string_view name = in.ReadName();
    if (name.empty()) return LoadResult::kComplete;  // an empty name ends the text form
    if (in.AtEnd()) return LoadResult::kStopped;     // the text ends inside a name
    if (name == "}") {
      if (prefix.empty()) return LoadResult::kStopped;  // no group to close
      size_t dot = prefix.size() >= 2 ? prefix.rfind('.', prefix.size() - 2) : std::string::npos;
      prefix.resize(dot == std::string::npos ? 0 : dot + 1);
      continue;
    }
    Scanner::Assignment kind = in.ReadAssignment();
    if (kind == Scanner::Assignment::kMissing || in.AtEnd()) return LoadResult::kStopped;
    if (kind == Scanner::Assignment::kGroup) {
      prefix += name;
      prefix += '.';
      continue;
    }
    std::string key = prefix;
    key += name;
    std::string value = kind == Scanner::Assignment::kBlock ? in.ReadBlock() : in.ReadValue();
    // A block never ends with the text; a value may, unless it is empty.
    if (in.AtEnd() && (kind == Scanner::Assignment::kBlock || value.empty())) return LoadResult::kStopped;
    SetText(key, value);
  }
  return LoadResult::kComplete;
}
