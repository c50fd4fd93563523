// AMainWindow: the 800 x 600 screen the game is played on. It owns the game session and the high-score
// table, lays out the frame pictures and command buttons around the playing field, turns mouse and
// keyboard input into shots, pauses and commands, runs the demo and the replay of the last game, and
// opens the dialog screens.
//
// Sections: the self-playing sessions · AMainWindow (overrides, sessions, commands, the session's host,
// state)
#pragma once

#include <functional>
#include <memory>

#include "engine/kill_window_button.h"
#include "engine/transparency_pulse.h"
#include "game/game.h"
#include "store/options.h"
#include "store/scores.h"

class OClipButton;

// ---- the self-playing sessions -------------------------------------------------------------------------
// Makes the demo (replay false) or the replay of the last game (replay true, in the recording's mode)
// on screen; null when it cannot. Until one is installed the demo and replay buttons start nothing.
using PlayerSessionFactory =
    std::function<std::unique_ptr<Game>(OEngine& screen, bool replay, GameMode mode)>;
void SetPlayerSessionFactory(PlayerSessionFactory factory);

// The address of the page of further games.
inline constexpr char kMoreGamesUrl[] = "https://globbet.example/games?r=gbt";

// ---- AMainWindow ---------------------------------------------------------------------------------------
class AMainWindow : public OKillWindowButton, public GameHost {
 public:
  static constexpr int kWidth = 800, kHeight = 600;
  // The playing field as the input rules see it (strict bounds).
  static constexpr int kFieldLeft = 13, kFieldTop = 13, kFieldRight = 577, kFieldBottom = 500;
  static constexpr int kLabelX = 627, kLabelY = 325;
  static constexpr int kArcadeSpeed = 2;  // the speed index of arcade games (10 ms frames)
  static constexpr int kBlinkStepMs = 25;

  // Lays out the pictures and buttons (the catalogue must be loaded). Not framed.
  AMainWindow(OWindow* window, int x, int y, int width, int height);

  // -- overrides --
  // Deletes the game, then the table, then the screen.
  ~AMainWindow() override;
  // Pauses on focus loss (arcade, demo), blinks the demo label, runs the screen unless paused, ticks
  // the game, and repaints by changed areas.
  void OnFrame(int elapsed) override;
  // Arcade without a demo: toggles the pause.
  void OnRButtonUp(int x, int y) override;
  // The minimize button acts at once; a press on a paused game only resumes it.
  OClipControl* OnLButtonDown(int x, int y) override;
  // Stops a demo, resumes a paused game, or fires.
  OClipControl* OnLButtonUp(int x, int y) override;
  // Arcade pause keys; any key ends a demo; F3 and Enter minimize, F4 toggles full screen.
  void OnKeyDown(int key, int modifiers) override;
  // The web link opens the page of further games.
  void OnControlClicked(OClipControl* control) override;
  // The game's ball arrived.
  void OnClipPathEnd(OClip* clip, const PointSpeed& point) override;
  // Full screen as the option says, the frame period, the screen's enter, then a game.
  void Enter(OEngine** activeSlot) override;
  // The command of a released button, 500 ms later.
  void OnButtonCommand(OClipControl* button) override;

  // -- sessions --
  // Makes the session (normal, demo or replay), restores it or starts a new game. A session that
  // cannot be made ends the program ("Error create game.", exit code 255).
  void StartGame(bool forceNew, bool afterDemo);
  // Ends a running demo or replay, putting the level back.
  void StopDemo();
  // Ends a running demo or replay and goes back to the player's game (restored, or new the first
  // time); nothing while the player plays.
  void ReturnFromDemo();
  // Ends any demo or replay and starts a new game for the player.
  void StartNewGame();
  // Sets the window's frame period from the speed (10 ms in arcade games without a demo).
  void SetFramePeriod();

  // -- the session's host --
  void ShowReplayButton() override;
  bool DemoRunning() const override { return demoRunning_; }
  bool OpenResultDialog() override;
  std::unique_ptr<BallTextLine> MakeTextLine() override;

  // -- state --
  Game* GetGame() const { return game_.get(); }
  TScoresTable& Scores() { return scores_; }
  const TScoresTable& Scores() const { return scores_; }
  bool ReplayRunning() const { return replayRunning_; }
  bool IsPaused() const { return game_ && game_->State() == GameState::kPaused; }
  // The buttons, by command.
  enum Command {
    kReplay,
    kDemo,
    kExit,
    kHelp,
    kFullScreen,
    kMinimize,
    kMoreGames,
    kNewGame,
    kOptions,
    kTopTen,
    kWebLink,
    kCommandCount
  };
  OClipButton* Button(Command command) const { return buttons_[command]; }
  const OClip* DemoLabel() const { return demoLabel_; }
  const OClip* ReplayLabel() const { return replayLabel_; }
  int BlinkAlpha() const { return blink_.Value(); }
  // The next left-button release is ignored (its press belonged to another screen).
  void SwallowNextRelease() { swallowRelease_ = true; }
  // Runs a command as its button would, 500 ms after its release.
  void RunCommand(Command command);

 private:
  // The command of a button, or kCommandCount.
  Command CommandOf(const OClipControl* control) const;
  // Starts the demo (replay false) or the replay.
  void StartPlayer(bool replay);
  void ToggleFullScreen();
  void OpenDialog(OEngine* dialog);
  // True inside the playing field.
  static bool InField(int x, int y) {
    return kFieldLeft < x && x < kFieldRight && kFieldTop < y && y < kFieldBottom;
  }
  bool Arcade() const;

  TScoresTable scores_;
  std::unique_ptr<Game> game_;
  bool demoRunning_ = false;
  bool replayRunning_ = false;
  OClipButton* buttons_[kCommandCount] = {};
  OClip* demoLabel_ = nullptr;
  OClip* replayLabel_ = nullptr;
  TransparencyPulse blink_{kBlinkStepMs};
  bool swallowRelease_ = false;
};
