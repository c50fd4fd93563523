// What the screens share (in the engine context): the active-screen reference, the seam to the small-ball shower
// (the particle clip that arrives with the ball sprites), and the link that lets the main window forward
// input and ticks to the active screen.
//
// Sections: the active screen · the small-ball shower · the link to the main window
#pragma once

#include "engine/screen_link.h"

class Screen;

// ---- the active screen -------------------------------------------------------------------------------
// The program's active-screen reference (null: none). Screens change it only in Enter and Leave; pass
// &ActiveScreen() to Enter.
Screen*& ActiveScreen();

// ---- the small-ball shower ---------------------------------------------------------------------------
// The one particle shower every screen throws small balls with. The screens ask it for bursts over
// command buttons, end it when a dialog opens and reset its count of falling balls every tick.
class SmallBallShower {
 public:
  virtual ~SmallBallShower() = default;
  // Throws a shower of colour (0..6) at (x, y) onto screen; twice doubles it. Does nothing while the
  // animation option is off (the shower checks it itself).
  virtual void Burst(Screen& screen, int x, int y, int colour, bool twice) = 0;
  // Ends every small ball in flight.
  virtual void Clear() = 0;
  // Resets the count of balls falling in this frame (every screen tick does).
  virtual void ResetFallingCount() = 0;
  // Advances the shower's own animation by elapsed ms (every window tick).
  virtual void Advance(int elapsedMs) = 0;
};
// The installed shower, or null until start-up installs one (the screens then skip every request).
SmallBallShower* GetSmallBallShower();
// Installs the shower (not owned); null removes it.
void SetSmallBallShower(SmallBallShower* shower);

// ---- the link to the main window -----------------------------------------------------------------------
// Forwards the main window's input and ticks to the screen named by an active-screen reference.
class ActiveScreenForwarder : public ActiveScreenLink {
 public:
  // slot: the reference to follow (the program's own by default); it must outlive the forwarder.
  explicit ActiveScreenForwarder(Screen** slot = &ActiveScreen()) : slot_(slot) {}

  bool HasActiveScreen() const override { return *slot_ != nullptr; }
  // Advances the small-ball shower.
  void AdvanceShared(int elapsedMs) override;
  void Frame(int elapsedMs) override;
  // Redraws the screens beneath the active one, bottom first, then the active one.
  void Paint() override;
  void MouseMove(int x, int y) override;
  bool MouseDown(int x, int y) override;
  void MouseUp(int x, int y) override;
  void RightMouseUp(int x, int y) override;
  void KeyDown(int key, int modifiers) override;
  void KeyUp(int key, int modifiers) override;
  void Char(int ch, int modifiers) override;

 private:
  Screen** slot_;
};
