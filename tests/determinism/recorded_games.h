// The recorded-game suite kept in tests/replays: its manifest, read into one entry per recording, and
// the end of a replay as the tests compare it.
#pragma once

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/board_geometry.h"

namespace recorded_games {

// One line of tests/replays/manifest.txt: the recording, how it was made and how it must end.
struct RecordedGame {
  std::string file;  // relative to tests/replays
  long long seed = 0;
  int level = 0, mode = 0, speed = 0;
  int score = 0, shots = 0;
  std::string hash;  // the board hash, 16 hexadecimal digits
};

// How a replay ended: the score before the end bonus, the shots fired and the board.
struct ReplayEnd {
  bool gameOver = false;  // false: the file ran out before the game ended, or the run never ended
  int score = 0;
  int shots = 0;
  std::array<int, kCellCount> board{};
};

inline std::string ReplayFolder() {
  return std::string(GLOBBET_SOURCE_DIR) + "/tests/replays";
}

// Reads the manifest; a line that does not parse is named in problems and left out.
inline std::vector<RecordedGame> ReadManifest(std::vector<std::string>& problems) {
  std::vector<RecordedGame> games;
  std::ifstream in(ReplayFolder() + "/manifest.txt");
  if (!in) problems.push_back("cannot read " + ReplayFolder() + "/manifest.txt");
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    RecordedGame game;
    std::string extra;
    if (!(words >> game.file >> game.seed >> game.level >> game.mode >> game.speed >> game.score >>
          game.shots >> game.hash) ||
        (words >> extra) || game.hash.size() != 16) {
      problems.push_back("manifest line " + std::to_string(number) + ": " + line);
      continue;
    }
    games.push_back(game);
  }
  return games;
}

}  // namespace recorded_games
