// The settings file: at start its store text fills the settings store and is spread over the options,
// the high-score table, the sound player and the window's frame interval; at exit everything is
// gathered back into the store and the file is written anew, enciphered. The store is never cleared in
// between, so every key read at start (a saved game's included) is written back.
#pragma once

#include <string>

class Window;
class ScoreTable;

// The settings file, in the current directory.
inline constexpr char kSettingsFileName[] = "sv.dat";

// Reads the file at path into the program's settings store and, when it was read and its text understood,
// loads the options (GetOptions), adds the stored records to scores, switches the sound player on or
// off and sets its mode, and sets the window's frame interval from the speed. Returns that success and
// keeps it in GetOptions().settingsLoaded. On failure the options keep the values they had, the table
// keeps its records and the window its interval (the store keeps what was read before a text error).
bool LoadSettings(Window& window, ScoreTable& scores, const std::string& path = kSettingsFileName);

// Writes the options (full screen and sound mixing as the window and sound player stand now) and the
// table's text into the program's settings store, then the whole store enciphered to path, replacing the
// file only once the new one is complete. True when it was written; the game ignores a failure.
bool SaveSettings(const Window& window, const ScoreTable& scores,
                  const std::string& path = kSettingsFileName);
