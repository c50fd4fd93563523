// The game's options: eleven values (in the store context) that the screens read and the options dialog
// changes, kept in the settings store between runs under the keys below. A value that picks an entry of a
// table (level, mode, speed) is brought into its range whenever it is read from the store, so no stored
// number can index past a table.
#pragma once

#include <array>

class SettingsStore;

// Store keys of the options.
inline constexpr char kKeyLevel[] = "Game.Options.Level";
inline constexpr char kKeySoundOn[] = "Game.Options.SoundOn";
inline constexpr char kKeyMixSounds[] = "Game.Options.DirectSound";
inline constexpr char kKeyAnimate[] = "Game.Options.Animate";
inline constexpr char kKeyAutoSave[] = "Game.Options.AutoSave";
inline constexpr char kKeyFastSpeed[] = "Game.Options.FastSpeed";
inline constexpr char kKeyNewGameNeeded[] = "Game.Options.NewGameNeeded";
inline constexpr char kKeyGameType[] = "Game.Options.GameType";
inline constexpr char kKeyFullScreen[] = "Game.Options.FullScreen";
inline constexpr char kKeyWindowSize[] = "Game.Options.WindowSize";
inline constexpr char kKeySkins[] = "Game.CurrGame.Skins";

// Milliseconds between two frames for each game speed (speed 0..4), slowest first.
inline constexpr int kSpeedCount = 5;
inline constexpr int frameIntervals[kSpeedCount] = {30, 20, 10, 5, 1};
inline constexpr int kLevelCount = 3;     // 0 "Novice", 1 "Expert", 2 "Master"
inline constexpr int kGameModeCount = 2;  // one per GameMode
inline constexpr int kSkinCount = 6;      // one chosen look per ball colour
// The window's size: 0 automatic (the largest whole factor that fits the desktop), 1 .. 3 that factor.
inline constexpr int kWindowSizeCount = 4;

// The two ways to play; the number is what the store and the recordings hold.
enum class GameMode {
  kStrategy = 0,  // rows push in after shots that removed nothing
  kArcade = 1,    // rows push in when the player takes too long
};

// The members hold their initial values: what a run keeps when the settings file cannot be read.
struct Options {
  int level = 0;
  bool soundOn = true;
  bool mixSounds = true;       // one channel per effect rather than the shared one
  bool animate = true;         // decorative animations
  bool autoSave = true;        // an interrupted game is saved and resumed at the next start
  int speed = 2;               // index into frameIntervals
  bool newGameNeeded = false;  // the stored game must not be resumed
  GameMode mode = GameMode::kStrategy;
  int fullScreen = 0;  // nonzero: the main screen runs in full screen
  int windowSize = 1;  // 0 automatic, else the window's whole factor
  // The chosen look (a frame of that colour's skin clip) of each ball colour; users check the frame
  // against the clip, a stored look may be any number.
  std::array<int, kSkinCount> skins{};

  // Not an option: true when the settings file was read at start, so a stored game may be resumed.
  // Saving a game into the store sets it again.
  bool settingsLoaded = false;

  // Reads the eleven options from store; a missing key gives its load default (level 0, mode 0, speed 3,
  // full screen 0, window size 1, no skins, every switch on), a stored level, mode, speed or window size
  // outside its range gives the same default, and any nonzero integer means on. Leaves settingsLoaded
  // alone.
  void Load(const SettingsStore& store);
  // Writes the options into store (switches as 0 or 1); the window size only once it is not 1 or the
  // store holds it, so files of players who never chose one stay as they were. Full screen and sound
  // mixing are written as the window and the sound player stand now, not as the options say.
  void Save(SettingsStore& store, bool fullScreenNow, bool mixSoundsNow) const;
  // frameIntervals[speed], or the load default's interval while speed is out of range.
  int FrameInterval() const;

  bool operator==(const Options&) const = default;
};

// The program's options (in the store context), at their initial values until the settings are loaded.
Options& GetOptions();
