// The high-score table: every result the player chose to enter, ordered by score. Its text form (stored
// in the settings under "Game.Scores.Table") is one line per record, "date<TAB>name<TAB>code<TAB>score",
// from the highest score down, with at most 10 lines per player name and level code.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct ScoreRecord {
  std::string date;  // "%d-%d-%d" of day, month and years since 1900, as entered
  std::string name;  // the player's name as typed
  std::string code;  // level code as decimal text: strategy level + 1 (1..3), arcade level + 4 (4..6)

  bool operator==(const ScoreRecord&) const = default;
};

// The settings key the table's text is stored under.
inline constexpr char kScoresSettingsKey[] = "Game.Scores.Table";

class ScoreTable {
 public:
  // Ascending by score; a record goes after the records of equal score already there.
  using Records = std::multimap<int, ScoreRecord>;
  // Most records kept per name and level code when the table is written.
  static constexpr int kKeptPerPlayerAndCode = 10;
  // Rows of a level code's top ten.
  static constexpr size_t kTopRows = 10;
  // Level codes: strategy 1..3, arcade 4..6.
  static constexpr int kLevelCodes = 6;
  // A row of a top ten: the score and the record (owned by the table; valid until it changes).
  using TopRow = std::pair<int, const ScoreRecord*>;

  // Adds every line of text that has exactly three tabs; other lines are dropped. Existing records stay.
  void FromText(std::string_view text);
  // Adds one record from a line of the text form (no line feed) whatever its number of tabs: missing
  // fields stay empty and the text after the last tab is the score. Returns true.
  bool AddRecord(std::string_view line);
  // Adds one record.
  void Add(int score, ScoreRecord record);
  // The text form, best first; among equal scores the latest added first.
  std::string ToText() const;
  // The top ten of a level code, best first, in the order of iteration.
  std::vector<TopRow> Top(std::string_view code) const;
  // Removes every record whose code is code.
  void ClearLevel(std::string_view code);
  // Removes every record.
  void Clear() { records_.clear(); }

  // Iteration from the highest score down; among equal scores the latest added first.
  Records::const_reverse_iterator begin() const { return records_.crbegin(); }
  Records::const_reverse_iterator end() const { return records_.crend(); }
  size_t Size() const { return records_.size(); }
  bool Empty() const { return records_.empty(); }

 private:
  Records records_;
};
