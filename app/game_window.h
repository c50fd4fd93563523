// GameWindow: the game's window. Its creation loads the catalogue, makes the screens, enters the intro
// and reads the settings; its destruction saves the settings and frees everything again. In between it
// forwards input and frame ticks to the active screen object, and lets the player drag the borderless
// window by its right-hand part (x > 580).
//
// Sections: start-up timings · GameWindow · the entry
#pragma once

#include <string>

#include "engine/active_screen.h"
#include "engine/load_result.h"
#include "engine/screen_link.h"
#include "engine/window.h"

// ---- start-up timings ------------------------------------------------------------------------------
// Where the start-up's time went, in milliseconds (for the start-up measurement).
struct StartupTimes {
  double catalogue = 0;  // the clip sets
  double sounds = 0;     // the ten wave files
  double screens = 0;    // the screens, the intro entered and the window shaped
  double settings = 0;   // "sv.dat"
};

// ---- GameWindow -----------------------------------------------------------------------------------
class GameWindow : public Window {
 public:
  // A press right of this x that no control takes starts a window drag.
  static constexpr int kDragMinX = 580;
  static constexpr uint32_t kBackground = 0xCCCCFF;

  // What creating the window brings up: the window alone (tools and tests that give it screens of their
  // own), or the whole game.
  enum class Contents { kWindowOnly, kGame };

  explicit GameWindow(Contents contents = Contents::kWindowOnly) : contents_(contents) {}
  ~GameWindow() override = default;

  // Connects the screens (not owned; null disconnects).
  void SetScreenLink(ActiveScreenLink* link) { screens_ = link; }
  ActiveScreenLink* GetScreenLink() const { return screens_; }
  // True while the player drags the window.
  bool IsDragging() const { return dragging_; }

  // Start-up. The window alone: caption "Globbet", rounded and centred at its size; true. The game: the
  // caption, the sound mode, the catalogue, the screens, the intro entered, the settings read, the window
  // scaled as the window size option says, rounded and centred at the intro's size; a data file that
  // cannot be loaded shows its message and refuses (the exit code is then 255: ProgramExitCode).
  bool OnCreate() override;
  // Creates the window as the game shows it: 800 x 600, caption "Main", no caption bar and no sizing
  // frame, on the game's background. Every program that opens the game's window comes through here.
  bool Open();
  // Teardown. The game: the active screen leaves, the settings are saved (not after a fatal error), the
  // screens and the catalogue are freed. Then the screens let go of the window.
  void OnDestroy() override;
  // Where the last start-up's time went.
  const StartupTimes& GetStartupTimes() const { return times_; }
  // Shared animation; then either the drag moves the window (no screen tick) or the screen ticks.
  void OnFrame(int elapsedMs) override;
  // Repaints the screen stack, when a screen is active.
  void OnPaint() override;
  void OnMouseMove(int x, int y) override;
  // Forwarded; an untaken press at x > 580 starts the drag.
  void OnMouseDown(int x, int y) override;
  // Ends any drag, then forwarded.
  void OnMouseUp(int x, int y) override;
  void OnRightMouseUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  void OnKeyUp(int key, int modifiers) override;
  void OnCharacter(int ch, int modifiers) override;
  // The game controller's stick and unplugging go to the main screen, whichever screen is active: the
  // game it holds aims and pauses.
  void OnPadStick(int x, int y) override;
  void OnPadRemoved() override;
  // The game answers as its exit button does (AnswerCloseRequest); the window alone closes.
  void OnCloseRequest() override;

 private:
  // The link when a screen is active, else null.
  ActiveScreenLink* Active() const { return screens_ && screens_->HasActiveScreen() ? screens_ : nullptr; }

  // Ends a start-up that met a file it could not load: message, exit code 255, refusal.
  bool FailStartup(const LoadResult& failure);

  // The game's start-up and teardown.
  bool CreateGame();
  void DestroyGame();

  Contents contents_;
  ActiveScreenForwarder forwarder_;
  StartupTimes times_;
  ActiveScreenLink* screens_ = nullptr;
  bool dragging_ = false;
  int32_t dragStartX_ = 0, dragStartY_ = 0;
};

// The game's entry, on a fresh ProgramContext (app/program_context.h): opens the main window
// (GameWindow::Open), sets a 1 ms frame interval, shows it and runs the loop on the installed platform. The
// main screen's demo and replay are the game's own players. Returns the process exit code (1 when the window
// could not be made, 255 after a fatal error).
int RunGame();
