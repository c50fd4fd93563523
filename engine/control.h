// Control: a clip that reacts to the pointer and the keyboard. Its looks come from its sequences;
// the screen offers it pointer events (relative to the screen) while it is visible, and keys and
// characters while it has the input focus.
#pragma once

#include "engine/clip.h"

class Control : public Clip {
 public:
  Control() = default;

  // -- virtual functions --
  // The pointer moved to (x, y); true when it is over the control. Default false.
  virtual bool OnHover(int x, int y, bool leftButtonDown);
  // The left button went down at (x, y); true when the control takes the press. Default false.
  virtual bool OnPress(int x, int y);
  // The left button went up at (x, y); true when the control takes the release. Default false.
  virtual bool OnRelease(int x, int y);
  // A key went down while focused; true when the control used it. Default false.
  virtual bool OnKey(int key, int modifiers);
  // A character was typed while focused. Default nothing.
  virtual void OnCharacter(int ch, int modifiers);
  // Gains (true) or loses the input focus. Default nothing.
  virtual void SetFocus(bool on);

  // The clip's reset, and the three control flags back to false (enabled back to true).
  void Reset();
  // True when the screen offers it the pointer and the focus: shown and enabled.
  bool TakesInput() const { return visible && enabled; }
  // True when (x, y), relative to the screen, lies on the control: inside x .. x + width and
  // y .. y + height, edges included; with the pixel-exact test also on a shown pixel of the current
  // picture (not the colour key; for a masked picture, not a fully transparent pixel).
  bool HitTest(int x, int y) const;
  // Shows frame 0 of sequence, unless the control already shows that sequence. A sequence the clip does
  // not have means sequence 0, as SetFrame takes it.
  void ShowSequence(int sequence);

  bool pressed = false;     // the left button went down on it and has not come up yet
  bool focused = false;     // keys and characters go to it
  bool pixelExact = false;  // hits only on shown pixels
  bool enabled = true;      // false: shown (its owner greys it) but deaf to the pointer and the keys
};
