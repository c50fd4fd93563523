// ActiveScreenLink: what the main window forwards input and frame ticks to — the active screen object
// (and the screens stacked beneath it), plus the animation every screen shares. The screen objects supply
// it (engine/active_screen.h); without it, or while no screen is active, the window still drags, ticks
// and closes.
#pragma once

class ActiveScreenLink {
 public:
  virtual ~ActiveScreenLink() = default;
  // True while a screen is active.
  virtual bool HasActiveScreen() const = 0;
  // Advances the animation shared by every screen (the small-ball clip) by elapsed ms, every tick.
  virtual void AdvanceShared(int elapsedMs) = 0;
  // The active screen's frame tick.
  virtual void Frame(int elapsedMs) = 0;
  // Redraws and presents the screens beneath the active one, bottom first, then the active one.
  virtual void Paint() = 0;
  virtual void MouseMove(int x, int y) = 0;
  // True when a control of the active screen took the press.
  virtual bool MouseDown(int x, int y) = 0;
  virtual void MouseUp(int x, int y) = 0;
  virtual void RightMouseUp(int x, int y) = 0;
  virtual void KeyDown(int key, int modifiers) = 0;
  virtual void KeyUp(int key, int modifiers) = 0;
  virtual void Char(int ch, int modifiers) = 0;
};
