// Session: one game from the first shot to the end. It holds the ball at the launcher and the
// waiting ball, the palette of colours in play, the score counter and the board; turns a click into a
// shot, follows the shot until the board has settled, brings the next balls in, takes vanished colours
// out of play (answering with new rows), decides when the game ends, and keeps its state in the
// settings store. The modes (strategy_session.h, arcade_session.h) and the players add their rules to it.
//
// Sections: states · what the session needs of its screen · Session
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/transparency_pulse.h"
#include "game/board.h"
#include "game/board_owner.h"
#include "game/score_counter.h"

class Ball;
class Clip;
class SettingsStore;
class Screen;

// ---- states --------------------------------------------------------------------------------------
enum class SessionState : uint8_t {
  // The game has ended; its end is handled 200 ms later (with nothing to enter, the next game starts when
  // the game-over sign's time is up).
  kGameOverWait = 0,
  kPaused = 1,
  kLanded = 2,     // a shot has landed; waiting for the board to settle
  kReloading = 3,  // the next balls are appearing
  kReady = 4,      // waiting for the player's shot
  kFlying = 5,     // the ball is on its way
  kFinishing = 6,  // the end test said the game is over; waiting for the board
  kTimedRows = 7,  // rows pushed in by time; waiting for the board
};

// ---- what the session needs of its screen ----------------------------------------------------------
// A line of ball letters on a screen (the status widgets supply it).
class BallTextLine {
 public:
  virtual ~BallTextLine() = default;
  // Shows text at (x, y, depth), the letters dropping from dropHeight above when animated.
  virtual void Show(Screen& screen, int x, int y, const std::string& text, int dropHeight, int depth) = 0;
  // Takes the letters off the screen.
  virtual void Hide() = 0;
};

// The main game screen as the session sees it. Each operation has a harmless default, so a plain
// screen (tests, tools) can host a session.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // A finished game's replay exists: its button may show.
  virtual void ShowReplayButton() {}
  // True while a demo or a replay plays (their ends open no result dialog).
  virtual bool DemoRunning() const { return false; }
  // The game ended with a score: the result dialog opens over the active screen; false when there is
  // none to open (the session then starts a new game at once).
  virtual bool OpenResultDialog() { return false; }
  // A new, empty line of ball letters for the level name; null shows no name.
  virtual std::unique_ptr<BallTextLine> MakeTextLine() { return nullptr; }
};

// ---- Session -------------------------------------------------------------------------------------
class Session : public BoardOwner {
 public:
  static constexpr int kLevelLabelX = 620, kLevelLabelY = 372;
  static constexpr int kLevelLabelDrop = 500, kLevelLabelDepth = -20;
  static constexpr int kPauseX = 92, kPauseY = 171;
  static constexpr int kGameOverDelayMs = 200;
  // A player's game that ends with nothing to enter shows the game-over sign this long over the field.
  static constexpr int kGameOverSignX = 145, kGameOverSignY = 230, kGameOverSignMs = 2500;
  static constexpr int kPausePulseMs = 25;
  static constexpr int kBallDepth = -10;

  // A session on screen (not owned; null: no sprites), recording and looking for replays in
  // folder (empty: the current directory).
  explicit Session(Screen* screen, std::string folder = {});
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // -- virtual functions --
  // Deletes the board and the score counter, takes both balls and the level name off the screen.
  virtual ~Session();
  // A new game (restoring false: the board fills at random) or the empty frame of one to restore.
  // False without a settings store or when the board cannot be reset.
  virtual bool Start(bool restoring);
  // The player clicked at (x, y): a shot when the session is ready, the board idle and the point
  // inside the aiming area.
  virtual void Fire(int x, int y);
  // Elapsed milliseconds: the pause pulse, the board, then the state's step.
  virtual void Tick(int ms);
  // The shot has settled (hit: something was removed): takes vanished colours out of play.
  void ShotResolved(bool hit) override;
  // Restores the stored game (or starts a new one when none may be resumed). True unless a new
  // game could not be started.
  virtual bool Load();
  // Stores the game under Name().
  virtual void Save();
  // 0..n-1 from the library generator (0 when n < 1); every draw of the play logic comes here.
  int Random(int n) override;
  // A clip reached the end of its path; the game ball lands.
  void BallArrived(Clip* clip);
  // The prefix of the stored keys.
  std::string Name() const override = 0;
  // The end: the result dialog; for the player's game without one, the game-over sign and a new game
  // when its time is up; else at once a new game.
  virtual void GameOver();
  // The end test, then the waiting ball moves to the launcher.
  virtual void NextBall();
  // A new ball of palette entry k (-1: a random entry in play) at the launcher / waiting.
  void NewGameBall(int k);
  void NewWaitBall(int k);
  // The balls go, the palette and the counters start again.
  virtual void Reset();

  // -- the board's owner --
  int PaletteLength() const override { return paletteLength_; }
  int PaletteColour(int k) const override;
  void ResetCombo() override { score_->ResetCombo(); }
  SettingsStore* Settings() const override { return settings_; }

  // -- the screen's calls --
  // Pause (true) or resume; a second pause is ignored, resuming returns to the state before.
  void SetPaused(bool paused);
  // The settings store the game keeps itself in (not owned).
  void SetSettings(SettingsStore* settings) { settings_ = settings; }
  // The screen's side of the session (not owned; null: none).
  void SetHost(SessionHost* host) { host_ = host; }
  // The score (a game with a score is in progress).
  int Score() const { return score_->Score(); }
  // Re-applies the chosen looks to both balls, the templates and every ball of the board.
  void RefreshImages();

  // -- state --
  // True when Fire(x, y) would take the shot now.
  bool CanFire(int x, int y) const;
  SessionState State() const { return state_; }
  // The board; null after a failed Start.
  Board* GetBoard() const { return board_.get(); }
  ScoreCounter& GetScore() const { return *score_; }
  Ball* GameBall() const { return gameBall_; }
  Ball* WaitBall() const { return waitBall_; }
  int MissesLeft() const { return missesLeft_; }
  int MissAllowance() const { return missAllowance_; }
  Screen* HostScreen() const { return screen_; }
  // True once a self-playing session cannot go on (a replay that ends before its first board is
  // filled): it stands still, and its screen ends it as a key press ends a demo.
  bool PlayerStopped() const { return playerStopped_; }
  // The pause picture while paused, else null.
  const Clip* PausePicture() const { return pausePicture_; }
  // True from the end of a player's game whose recording became the replay file until the next game
  // starts: the replay is that game's.
  bool ReplayIsThisGame() const { return replayIsThisGame_; }
  // The game-over sign while it shows, else null.
  const Clip* GameOverSign() const { return gameOverSign_; }
  int PauseTransparency() const { return pausePulse_.Value(); }

 protected:
  // The current level (0..2).
  static int Level();
  // Pushes the rows a vanished colour or an exhausted string costs: 7 - colours in play.
  void PushRows();
  // Takes clip off the screen (null: nothing).
  void RemoveFromScreen(Clip* clip);
  // A new ball sprite of palette entry k at (x, y): the one step both new balls share.
  Ball* MakeBall(int k, int x, int y);
  // True after a Load that restored the stored game (not one that started anew).
  bool Restored() const { return restored_; }
  // True when the restored game's recording turned out to be another game's (the recorder gives it up).
  bool RecordingLost() const { return recordingLost_; }
  // The folder of the recordings.
  const std::string& Folder() const { return folder_; }

  int paletteLength_ = kColourCount;
  std::array<int, kColourCount> palette_{};  // the colour of each entry's template
  std::unique_ptr<ScoreCounter> score_;
  SessionState state_ = SessionState::kLanded;
  std::unique_ptr<PlayBoard> board_;
  Ball* gameBall_ = nullptr;
  Ball* waitBall_ = nullptr;
  Screen* screen_;
  int missesLeft_ = 0;
  int missAllowance_ = 0;
  std::unique_ptr<BallTextLine> levelLabel_;
  SettingsStore* settings_ = nullptr;
  Clip* pausePicture_ = nullptr;
  TransparencyPulse pausePulse_{kPausePulseMs};
  int gameOverTimer_ = 0;
  bool playerStopped_ = false;
  bool replayIsThisGame_ = false;

 private:
  // The end test: when the board says the game is over, a cleared board takes every colour out of
  // play (the full bonus) and the session finishes. True when it did.
  bool FinishIfOver();
  // The last two steps of a restore: the board, then ready; a board without a top row is damaged.
  bool FinishLoad();
  // Puts the game-over sign over the field; false when there is no screen or picture for it.
  bool ShowGameOverSign();
  // Stores the recording's length with the game (name + ".ReplayLength").
  void SaveRecordingLength();
  // Cuts the recording back to the length stored with the game: what was recorded after the save
  // belongs to no game the restore brings back. False when the recording is not this game's.
  bool CutRecordingToSave();

  SessionHost* host_ = nullptr;
  Clip* gameOverSign_ = nullptr;
  std::string folder_;
  SessionState pausedFrom_ = SessionState::kLanded;
  bool gameOverHandled_ = false;
  bool restored_ = false;
  bool recordingLost_ = false;  // the restored game's recording was another game's: given up
};

// The level names, by level.
const char* LevelName(int level);
