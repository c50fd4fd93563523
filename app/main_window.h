// OMainWindow: the game's window. It forwards input and frame ticks to the active screen object, and
// lets the player drag the borderless window by its right-hand part (x > 580).
//
// Sections: OMainWindow · the entry
#pragma once

#include "engine/screen_link.h"
#include "engine/window.h"

// ---- OMainWindow -----------------------------------------------------------------------------------
class OMainWindow : public OWindow {
 public:
  // A press right of this x that no control takes starts a window drag.
  static constexpr int kDragMinX = 580;
  static constexpr uint32_t kBackground = 0xCCCCFF;

  OMainWindow() = default;
  ~OMainWindow() override = default;

  // Connects the screens (not owned; null disconnects).
  void SetScreenLink(ActiveScreenLink* link) { screens_ = link; }
  ActiveScreenLink* GetScreenLink() const { return screens_; }
  // True while the player drags the window.
  bool IsDragging() const { return dragging_; }

  // Start-up: the caption becomes "Globbet" and the window takes its rounded shape, centred on the
  // screen. Returns true.
  bool OnCreate() override;
  // Teardown after the loop: the screens let go of the window.
  void OnDestroy() override;
  // Shared animation; then either the drag moves the window (no screen tick) or the screen ticks.
  void OnFrame(int elapsedMs) override;
  // Repaints the screen stack, when a screen is active.
  void OnPaint(int arg) override;
  void OnMouseMove(int x, int y) override;
  // Forwarded; an untaken press at x > 580 starts the drag.
  void OnLButtonDown(int x, int y) override;
  // Ends any drag, then forwarded.
  void OnLButtonUp(int x, int y) override;
  void OnRButtonUp(int x, int y) override;
  void OnKeyDown(int key, int modifiers) override;
  void OnKeyUp(int key, int modifiers) override;
  void OnChar(int ch, int modifiers) override;

 private:
  // The link when a screen is active, else null.
  ActiveScreenLink* Active() const { return screens_ && screens_->HasActiveScreen() ? screens_ : nullptr; }

  ActiveScreenLink* screens_ = nullptr;
  bool dragging_ = false;
  int32_t dragStartX_ = 0, dragStartY_ = 0;
};

// The game's entry: creates the main window (background 0xCCCCFF, no caption, no sizing frame, 800 x 600,
// caption "Main"), sets a 1 ms frame interval, shows it and runs the loop on the installed platform.
// Returns the process exit code (1 when the window could not be made).
int RunGame();
