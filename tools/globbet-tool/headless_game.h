// What globbet-tool's headless game runs share (replay verify, demo, record): the argument helpers, the
// data folder and its balls, a scratch folder, the screen without a window that hosts a session, the
// fake clock, the demo's choice of shot playing a recording game's rules, and the printed end of a game.
// Sections: arguments and data · the headless table · the aiming player · the end of a game
#pragma once

#include <array>
#include <functional>
#include <string>

#include "engine/platform_headless.h"
#include "engine/screen.h"
#include "game/ball.h"
#include "game/demo_decision.h"
#include "game/player_sessions.h"
#include "game/session.h"
#include "store/options.h"
#include "tools/globbet-tool/command.h"

namespace headless {

// ---- arguments and data ------------------------------------------------------------------------------
constexpr int kTickMs = 20;                   // one frame of simulated time
constexpr long long kMaxFrames = 50'000'000;  // far beyond any game: a run that never ends
constexpr int kDefaultSpeed = 2;              // the players' pace when not given

// Parses a whole decimal number within low..high into value; false on anything else.
bool ParseInt(const std::string& text, long long low, long long high, long long& value);

// Takes "--data DIR" out of args; otherwise the installed game's data folder, else the build tree's,
// each found from the tool's own folder, else the current directory.
std::string DataFolder(ToolArgs& args);

// The words of a headless game run: "--data DIR" and "--speed S" anywhere, then one leading word
// (named lead: "N", "OUT") and SEED LEVEL MODE.
struct GameArgs {
  std::string data;
  std::string lead;
  long long speed = kDefaultSpeed;
  long long seed = 0, level = 0, mode = 0;
};

// Reads the words after command into parsed; false with a message in status when they do not fit.
bool ParseGameArgs(const ToolArgs& given, const char* command, const char* lead, GameArgs& parsed,
                   int& status);

// Loads the ball sprites from folder, all a session takes from the catalogue here; false with a
// message in status when one cannot be read.
bool LoadBalls(const std::string& folder, int& status);

// A fresh temporary folder, removed with its files; path() is empty when it could not be made.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// ---- the headless table ------------------------------------------------------------------------------
// A screen without a window that hosts one session as the main screen does, drawing nothing: clips
// move and animate, a clip at the end of its path lands, then the session ticks.
class Table : public Screen, public SessionHost {
 public:
  Table() : Screen(nullptr, 0, 0, 800, 600) {}
  void OnFrame(int elapsed) override;
  void OnClipPathEnd(Clip* clip, const PointSpeed&) override;
  // A self-playing table opens no result dialog; a player's table "opens" one that never closes, so
  // a finished game with a score stands still at its end as it does on screen.
  bool DemoRunning() const override { return !playerTable; }
  bool OpenResultDialog() override { return playerTable; }

  Session* game = nullptr;
  bool playerTable = false;
};

// The platform, the options and the generator as a headless run wants them; restored afterwards.
class HeadlessRun {
 public:
  HeadlessRun(int level, GameMode mode, int speed);
  HeadlessRun(const HeadlessRun&) = delete;
  HeadlessRun& operator=(const HeadlessRun&) = delete;
  ~HeadlessRun();
  // One frame of the table on the fake clock.
  void Frame(Table& table);

 private:
  HeadlessPlatform platform_;
  Options options_;
};

// ---- the aiming player -------------------------------------------------------------------------------
// The demo's choice of shot (ChooseDemoAim, drawing from the process-wide generator) playing the rules
// of Rules (StrategySession or ArcadeSession, which record the game into their folder) at the players' pace.
template <class Rules>
class AimingPlayer : public Rules {
 public:
  using Rules::Rules;
  void Tick(int ms) override {
    Rules::Tick(ms);
    if (this->state_ != SessionState::kReady || !this->board_ || !this->board_->View().IsIdle() ||
        !this->gameBall_)
      return;
    if (!PlayerShotDue(clock_, ms)) return;
    const AimPoint aim = ChooseDemoAim(*this->board_, this->gameBall_->colour);
    if (this->CanFire(aim.x, aim.y)) ++shots;
    Rules::Fire(aim.x, aim.y);
  }
  // Tells onEnd while the board still shows the end, then handles the end (the recording becomes the
  // replay).
  void GameOver() override {
    if (onEnd) onEnd();
    Rules::GameOver();
  }

  int shots = 0;  // shots fired in this game
  std::function<void()> onEnd;

 private:
  int clock_ = 0;
};

// ---- the end of a game -------------------------------------------------------------------------------
struct GameEnd {
  int score = 0;
  int shots = 0;
  std::array<int, kCellCount> board{};
};

// The end of game after shots fired.
GameEnd EndOf(const Session& game, int shots);

// Prints "score S", "shots N", "board" followed by the 272 cells (-1 empty, else the colour code) and
// "hash H", the board's hash (board_hash.h).
void PrintEnd(const GameEnd& end);

}  // namespace headless
