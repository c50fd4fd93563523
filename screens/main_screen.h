// MainScreen: the 800 x 600 screen the game is played on. It owns the game session and the high-score
// table, lays out the frame pictures and command buttons around the playing field, turns mouse,
// keyboard and game controller input into shots, pauses and commands, runs the demo and the replay of the
// last game, and opens the dialog screens.
//
// Sections: the self-playing sessions · MainScreen (overrides, sessions, commands, the session's host,
// state)
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/dialog_screen.h"
#include "engine/transparency_pulse.h"
#include "game/session.h"
#include "screens/key_aim.h"
#include "store/options.h"
#include "store/score_table.h"

class Button;

// ---- the self-playing sessions -------------------------------------------------------------------------
// Makes the demo (replay false) or the replay of the last game (replay true, in the recording's mode)
// on screen, or with a recording named the replay of that file, played once; null when it cannot. Until
// one is installed the demo and replay buttons start nothing.
using PlayerSessionFactory = std::function<std::unique_ptr<Session>(
    Screen& screen, bool replay, GameMode mode, const std::string& recording)>;
void SetPlayerSessionFactory(PlayerSessionFactory factory);

// ---- MainScreen ---------------------------------------------------------------------------------------
class MainScreen : public DialogScreen, public SessionHost {
 public:
  static constexpr int kWidth = 800, kHeight = 600;
  // The playing field as the input rules see it (strict bounds).
  static constexpr int kBoardLeft = 13, kBoardTop = 13, kBoardRight = 577, kBoardBottom = 500;
  static constexpr int kLabelX = 627, kLabelY = 325;
  static constexpr int kArcadeSpeed = 2;  // the speed index of arcade games (10 ms frames)
  static constexpr int kBlinkStepMs = 25;
  static constexpr int kWatchEndHoldMs = 2000;  // a watched record's final board stays this long

  // Lays out the pictures and buttons (the catalogue must be loaded). Not framed.
  MainScreen(Window* window, int x, int y, int width, int height);

  // -- overrides --
  // Deletes the game, then the table, then the screen.
  ~MainScreen() override;
  // Pauses on focus loss (arcade, demo), blinks the demo label, runs the screen unless paused, ticks
  // the game, and repaints by changed areas.
  void OnFrame(int elapsed) override;
  // Arcade without a demo: toggles the pause.
  void OnRightMouseUp(int x, int y) override;
  // The minimize button acts at once; a press on a paused game only resumes it.
  Control* OnMouseDown(int x, int y) override;
  // Stops a demo, resumes a paused game, or fires.
  Control* OnMouseUp(int x, int y) override;
  // A pointer that moved ends aiming with the keys.
  Control* OnMouseMove(int x, int y) override;
  // Arcade pause keys (and the pad's Start); any key ends a demo; F3 and Enter minimize, F4 toggles full
  // screen; Left and Right (Shift: finely) or the pad's D-pad turn the aim, Up or the pad's A shoot.
  void OnKeyDown(int key, int modifiers) override;
  // A turning key let go stops turning.
  void OnKeyUp(int key, int modifiers) override;
  // The game's screen takes the controller's buttons as they are: A shoots, the D-pad aims.
  int KeyOfPadButton(int button) const override { return button; }
  // The web link opens the page of further games.
  void OnControlClicked(Control* control) override;
  // The game's ball arrived.
  void OnClipPathEnd(Clip* clip, const PointSpeed& point) override;
  // Full screen as the option says, the frame period, the screen's enter, then a game.
  void Enter(Screen** activeSlot) override;
  // The command of a released button, 500 ms later.
  void OnButtonCommand(Control* button) override;

  // -- the game controller (the window passes them on whichever screen is active) --
  // The left stick's position: pushed sideways it turns the aim.
  void OnPadStick(int x, int y);
  // A controller was unplugged: an arcade game pauses.
  void OnPadRemoved();

  // -- sessions --
  // Makes the session (normal, demo or replay), restores it or starts a new game. A session that
  // cannot be made ends the program ("Error create game.", exit code 255).
  void StartGame(bool forceNew, bool afterDemo);
  // Ends a running demo or replay, putting the level back.
  void StopDemo();
  // Ends a running demo or replay and goes back to the player's game (restored, or new the first
  // time); nothing while the player plays. A watched recording's end opens the top ten again.
  void ReturnFromDemo();
  // Plays a kept recording once as the replay plays the last game, its caption (the player's name and
  // score) on the panel; any key or click, or its end (the final board held kWatchEndHoldMs), goes back
  // to the top ten. False, and nothing started, when the recording's header is refused or no player can
  // be made.
  bool Watch(const std::string& recording, const std::string& name, int score);
  // True while a kept recording plays.
  bool Watching() const { return !watchFile_.empty(); }
  // The caption of the recording watched, or null.
  const Clip* WatchCaption() const { return watchCaption_; }
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
  Session* GetSession() const { return game_.get(); }
  ScoreTable& Scores() { return scores_; }
  const ScoreTable& Scores() const { return scores_; }
  bool ReplayRunning() const { return replayRunning_; }
  bool IsPaused() const { return game_ && game_->State() == SessionState::kPaused; }
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
  Button* ButtonFor(Command command) const { return buttons_[command]; }
  const Clip* DemoLabel() const { return demoLabel_; }
  const Clip* ReplayLabel() const { return replayLabel_; }
  int BlinkAlpha() const { return blink_.Value(); }
  // The aim of the keys and the pad.
  const KeyAim& Aim() const { return aim_; }
  // The next left-button release is ignored (its press belonged to another screen).
  void SwallowNextRelease() { swallowRelease_ = true; }
  // Runs a command as its button would, 500 ms after its release.
  void RunCommand(Command command);

 private:
  // The command of a button, or kCommandCount.
  Command CommandOf(const Control* control) const;
  // Starts the demo (replay false) or the replay.
  void StartPlayer(bool replay);
  void ToggleFullScreen();
  void OpenDialog(Screen* dialog);
  // What a left-button release in the game at window point (x, y) does: ends a demo or a pause, or fires.
  void ShootAt(int x, int y);
  // The aiming keys' press: turning, or the shot at the aim's point as a click there.
  void AimKeyDown(int key, int modifiers);
  // Turns the aim for the tick and shows its guide while the game waits for the shot.
  void AdvanceAim(int elapsed);
  // True inside the playing field.
  static bool InBoard(int x, int y) {
    return kBoardLeft < x && x < kBoardRight && kBoardTop < y && y < kBoardBottom;
  }
  bool Arcade() const;
  // Takes the watched recording's caption off and forgets the recording.
  void EndWatch();

  ScoreTable scores_;
  std::unique_ptr<Session> game_;
  bool demoRunning_ = false;
  bool replayRunning_ = false;
  Button* buttons_[kCommandCount] = {};
  Clip* demoLabel_ = nullptr;
  Clip* replayLabel_ = nullptr;
  TransparencyPulse blink_{kBlinkStepMs};
  bool swallowRelease_ = false;
  KeyAim aim_{*this};
  int pointerX_ = -1, pointerY_ = -1;  // where the last pointer move was
  std::string watchFile_;              // the kept recording playing, or empty
  Clip* watchCaption_ = nullptr;
  int watchEndMs_ = 0;  // how long the watched recording's final board has been shown
};
