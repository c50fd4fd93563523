// SkinRow: a row of six swatches, one per ball colour, each showing the look chosen for that colour (a
// frame of the colour's skin clip). Pressing a swatch bursts small balls of its colour and hides it;
// releasing over it moves it to its next look. A gold ring glows behind the swatch under the pointer,
// as the dialog's boxes glow gold under it: the swatches are pressed like them.
#pragma once

#include <array>
#include <cstddef>

class Clip;
class Screen;

class SkinRow {
 public:
  static constexpr int kSwatches = 6;
  static constexpr int kSwatchSize = 32;
  // Frames of every skin clip: 0 the ball as it is drawn in play, 1 the colour's symbol over it.
  static constexpr int kPlainLook = 0, kSymbolLook = 1;

  // The six swatches at (x + 32 k, y) on screen, playback stopped.
  SkinRow(Screen& screen, int x, int y);
  SkinRow(const SkinRow&) = delete;
  SkinRow& operator=(const SkinRow&) = delete;
  // Takes the swatches off the screen.
  ~SkinRow();

  // Shows look looks[k] on swatch k when it is a frame of that swatch; other values leave it.
  void Load(const std::array<int, kSwatches>& looks);
  // The look each swatch shows.
  void Save(std::array<int, kSwatches>& looks) const;
  // Shows look on every swatch that has such a frame.
  void ShowAll(int look);
  // True when all six swatches are there and show look.
  bool AllShow(int look) const;
  // The pointer at window (px, py): the ring shows behind the swatch under it, or hides.
  void OnHover(int px, int py);
  // A press at window (px, py): on swatch k a burst of colour k there, and the swatch and the ring hide.
  void OnPress(int px, int py);
  // A release at window (px, py): every swatch shows again; swatch k under it moves to its next look.
  void OnRelease(int px, int py);
  // The swatch under screen point (px, py), edges excluded, or -1. Puts every swatch it passes back in
  // its place.
  int HitTest(int px, int py);

  Clip* Swatch(int k) const { return k >= 0 && k < kSwatches ? swatches_[std::size_t(k)] : nullptr; }
  const Clip* HoverRing() const { return ring_; }

 private:
  Screen& screen_;
  int x_, y_;
  std::array<Clip*, kSwatches> swatches_{};  // owned by the screen
  Clip* ring_ = nullptr;                     // owned by the screen; null when it could not be made
};
