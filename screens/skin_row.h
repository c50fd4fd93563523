// SkinRow: a row of six swatches, one per ball colour, each showing the look chosen for that colour (a
// frame of the colour's skin clip). Pressing a swatch bursts small balls of its colour and hides it;
// releasing over it moves it to its next look.
#pragma once

#include <array>
#include <cstddef>

class Clip;
class Screen;

class SkinRow {
 public:
  static constexpr int kSwatches = 6;
  static constexpr int kSwatchSize = 32;

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
  // A press at window (px, py): on swatch k a burst of colour k there, and the swatch hides.
  void OnPress(int px, int py);
  // A release at window (px, py): every swatch shows again; swatch k under it moves to its next look.
  void OnRelease(int px, int py);
  // The swatch under screen point (px, py), edges excluded, or -1. Puts every swatch it passes back in
  // its place.
  int HitTest(int px, int py);

  Clip* Swatch(int k) const { return k >= 0 && k < kSwatches ? swatches_[std::size_t(k)] : nullptr; }

 private:
  Screen& screen_;
  int x_, y_;
  std::array<Clip*, kSwatches> swatches_{};  // owned by the screen
};
