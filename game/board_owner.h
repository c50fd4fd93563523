// What the ball field needs of the game that owns it: the palette of colours in play, the random
// numbers (through the game so that recording and replay see every draw), the score counter's combo
// and the notice that a shot has settled. The game session implements it; tests use their own.
#pragma once

#include <string>

class SettingsStore;

class BoardOwner {
 public:
  // Number of palette entries in play (0..6).
  virtual int PaletteLength() const = 0;
  // Colour code (0..5) of the ball template held by palette entry k (0..5), in play or not.
  virtual int PaletteColour(int k) const = 0;
  // A random number in 0..n-1, 0 when n is 0; every draw of the board goes through here.
  virtual int Random(int n) = 0;
  // Restarts the score counter's combo at 1.
  virtual void ResetCombo() = 0;
  // The shot has settled; hit is true when something was removed.
  virtual void ShotResolved(bool hit) = 0;
  // The prefix of the game's keys in the settings store ("GameOrig" ...).
  virtual std::string Name() const = 0;
  // The settings store the game was given, or null.
  virtual SettingsStore* Settings() const = 0;

 protected:
  ~BoardOwner() = default;
};
