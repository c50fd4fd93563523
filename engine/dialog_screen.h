// DialogScreen: the screen every dialog and the main game screen derive from. It adds the dialog
// frame (from the catalogue's frame pieces), corner pieces that let the screen beneath show through the
// window's rounded corners, bursts of small balls over pressed command buttons, and delayed command
// buttons: a released button with a command code of 10 or more vanishes with a click and 500 ms later
// comes back and runs its command (OnButtonCommand). Each dialog declares its keyboard: the buttons Enter
// and Escape run and the order Tab walks; a ring shows the keyboard's focus once the player has pressed
// Tab, so that pointer users see nothing new.
#pragma once

#include <array>
#include <vector>

#include "engine/screen.h"

class DialogScreen : public Screen {
 public:
  // Command codes from this value on make a button a delayed command button.
  static constexpr int kCommandCodeMin = 10;
  // Time from the release of a command button to its command.
  static constexpr int kCommandDelayMs = 500;
  static constexpr int kCornerSize = 20;

  // As Screen, plus the four (empty) corner pieces; framed.
  DialogScreen(Window* window, int x, int y, int width, int height);

  // -- overrides --
  // The command delay, the falling-ball count reset, then the screen's own frame.
  void OnFrame(int elapsed) override;
  // The press; over a command button, a burst of small balls of the button's colour.
  Control* OnMouseDown(int x, int y) override;
  // The release; a released command button, when no command waits, vanishes and its command waits.
  Control* OnMouseUp(int x, int y) override;
  // Takes the corners from the screen beneath, ends the small balls, lays the frame (when framed) and
  // enters.
  void Enter(Screen** activeSlot) override;
  // The command of a delayed command button, 500 ms after its release. Every screen supplies it.
  virtual void OnButtonCommand(Control* button) = 0;
  // With a focus order: Tab and Shift+Tab move the focus (and show it). Any other key as Screen's.
  void OnKeyDown(int key, int modifiers) override;
  // Enter presses the focused button or box, else runs the default button; Escape runs the cancel button;
  // Space presses the focused button or box. Nothing while a button's command waits.
  void OnKeyUp(int key, int modifiers) override;
  // A game controller works a dialog as the keys do: A is Enter, B Escape, the D-pad the arrow keys.
  int KeyOfPadButton(int button) const override;
  // Takes the focus ring off, then leaves.
  void Leave() override;

  // The control the keyboard focus is on (shown or not), or null.
  Control* GetKeyFocus() const;
  // True once Tab has shown the focus since the last Enter.
  bool IsFocusShown() const { return focusShown_; }
  // The ring drawn around the focused control, or null while none is shown.
  const Clip* GetFocusRing() const { return ring_; }

  // The button whose command waits, or null.
  Control* GetPendingButton() const { return pending_ ? pendingButton_ : nullptr; }

  bool framed = true;  // laid with the dialog frame at Enter

 protected:
  // The buttons Enter and Escape run (either may be null: that key does nothing).
  void SetKeyButtons(Control* defaultButton, Control* cancelButton);
  // The controls Tab walks, in order (hidden ones are passed over); start has the focus, unshown, at
  // every Enter (null: none, and the first Tab goes to the first control).
  void SetFocusOrder(std::vector<Control*> order, Control* start = nullptr);
  // The keyboard pressed a focused control that is not a command button: hands it the key (a check box
  // toggles). Screens whose boxes act together override it to follow.
  virtual void OnControlKeyed(Control* control);

 private:
  // Moves the focus by step (+1 or -1) to the next visible control of the order, and shows it.
  void MoveFocus(int step);
  // Puts the focus on order index (-1: none), handing the typing focus of an edit box along.
  void SetFocusIndex(int index);
  // Presses the focused control; false when nothing visible has the focus or it takes typing.
  bool PressFocused();
  // Places the ring around the focused control, or takes it off when the focus is not shown.
  void PlaceRing();
  // Back to the declared start, the ring off: every opening begins as the pointer user sees it.
  void ResetFocus();

  // Copies the four corners of this screen's area out of the picture of the screen beneath.
  void TakeCorners(const Screen& beneath);
  // Lays the eight frame pieces around the screen (replacing those of an earlier Enter).
  void LayFrame();

  bool pending_ = false;
  int32_t pendingTimer_ = 0;
  Control* pendingButton_ = nullptr;
  std::array<Clip*, 4> corners_{};
  std::vector<Clip*> frame_;  // the frame pieces laid by the last Enter
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  std::vector<Control*> focusOrder_;
  int focusStart_ = -1;  // the order index focused at Enter
  int focusIndex_ = -1;
  bool focusShown_ = false;
  Clip* ring_ = nullptr;  // held by the screen while shown
};
