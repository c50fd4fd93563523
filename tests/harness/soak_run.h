// The soak: the whole game (window, screens, dialogs, sessions, settings file) on the headless platform
// and a simulated clock, played game after game by the demo's choice of shot through the main screen's
// own input, switching level and mode through the options dialog every game, and now and then pausing,
// changing options, running the demo and the replay, and quitting and restarting the program mid-game
// (the automatic save at exit, the resume at start). Every step checks that the game can go on.
//
// Sections: the plan and the tally · the run
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/platform_headless.h"
#include "game/game.h"
#include "store/options.h"
#include "tools/globbet-tool/headless_game.h"

class OMainWindow;
class OSound;

namespace soak {

// ---- the plan and the tally --------------------------------------------------------------------------
constexpr int kFrameMs = 20;  // about one frame of simulated time: a 50 Hz loop
constexpr int kComboCount = kLevelCount * kGameTypeCount;

struct Combo {
  int level = 0;
  int mode = 0;
};

// The level and mode of game n: both change from one game to the next, and any six games in a row
// visit all six pairs.
Combo ComboOf(long long game);

struct Plan {
  std::string data;           // the folder holding clp/ and wav/
  uint32_t seed = 1;          // the game's generator at the first start
  long long simulatedMs = 0;  // the run ends when the simulated clock has gone this far
  // Every so many games, the game passes once through each of these.
  int optionsEvery = 3;
  int restoreEvery = 4;
  int demoEvery = 5;
  int replayEvery = 7;
  // Called after the frame that takes the simulated clock past each multiple of progressMs (0: never).
  long long progressMs = 0;
  std::function<void()> progress;
};

struct Tally {
  std::array<std::array<long long, kGameTypeCount>, kLevelCount> games{};  // finished, by level and mode
  long long demoGames = 0;                                                 // games the demo finished
  long long shots = 0;                                                     // shots fired by the soak's player
  long long pauses = 0;
  long long optionChanges = 0;
  long long restores = 0;
  long long demos = 0;
  long long replays = 0;
  long long simulatedMs = 0;

  long long Games() const;
};

// ---- the run -----------------------------------------------------------------------------------------
class Run {
 public:
  explicit Run(Plan plan);
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;
  // Quits a program still running and removes the scratch folder.
  ~Run();

  // Makes the scratch folder (made the current directory, with links to the data) and starts the
  // program up to the first game. False with the reason in Problem().
  bool Begin();
  // Plays game n of the cycle at its level and mode until it ends or the simulated time is up; false
  // (reason in Problem()) when the game cannot go on.
  bool PlayGame(long long n);
  // Quits the program as the player's close does; false when it does not end cleanly.
  bool End();

  bool TimeIsUp() const { return tally_.simulatedMs >= plan_.simulatedMs; }
  const Tally& Totals() const { return tally_; }
  const std::string& Problem() const { return problem_; }

 private:
  // What must come back after a restore, the demo or the replay.
  struct Snapshot {
    std::string session;
    int level = 0, mode = 0, score = 0, gameBall = -1, waitBall = -1, palette = 0;
    std::array<int, kCellCount> cells{};
    bool operator==(const Snapshot&) const = default;
  };
  // Events due in the games to come, each done once at a settled moment of a game.
  struct Pending {
    bool pause = false, options = false, restore = false, demo = false, replay = false;
  };

  bool Fail(const std::string& why);
  // The program's start as its entry does it (the generator going on from the soak's), the intro
  // clicked away after a moment, and the main screen's game ready for a shot.
  bool StartProgram();
  // The platform's close: the loop ends, the program saves and tears down; the exit code must be 0.
  bool QuitProgram();
  // One frame; false when the program asked to end or showed a message.
  bool Frame();
  // Frames for ms of simulated time.
  bool RunFor(int ms);
  void Click(int x, int y);
  // A click on the middle of control (in screen's coordinates), then msAfter of frames (a delayed
  // command button waits 500 ms).
  bool ClickOn(const OEngine& screen, const OClip& control, int msAfter);
  // Frames until the session waits for a shot; false after a minute of simulated time.
  bool UntilReady();
  Game* Session() const;
  Snapshot Take() const;
  bool Same(const Snapshot& before, const char* after);

  // The level and mode through the options dialog (a game in progress is given up when asked).
  bool SwitchTo(Combo combo);
  // The demo's choice of shot, clicked into the field; false when the game refuses it.
  bool Shoot();
  // One pending event now, at a settled moment after the game saved itself; false on failure.
  bool DoPending();
  bool Pause();
  bool ChangeOptions();
  bool Restore();
  // The demo (replay false) or the replay for a while, then a key: the player's game comes back.
  bool Player(bool replay);

  Plan plan_;
  Tally tally_;
  Pending pending_;
  std::string problem_;
  headless::TempFolder folder_;  // the game's current folder during the run
  std::string oldFolder_;
  uint32_t seed_ = 1;
  HeadlessPlatform platform_;
  std::unique_ptr<OSound> sound_;
  std::unique_ptr<OMainWindow> window_;
  int shotClock_ = 0;
  int lastFrameMs_ = kFrameMs;
  long long nextProgressMs_ = 0;
  long long eventCount_ = 0;  // pauses and option changes so far, to vary how they are made
};

}  // namespace soak
