// IntroScreen: the first screen, 400 x 400: the game's picture with its logo, which pulses in size for
// about four seconds, bursts into small balls and, six seconds after the start or at the first click,
// hands the window over to the main screen (window reshaped and centred at the main screen's size).
// While it shows, the window has the shape of the picture's card: every pixel but the colour key.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/load_result.h"
#include "engine/screen.h"

class IntroScreen : public Screen {
 public:
  static constexpr int kWidth = 400, kHeight = 400;
  static constexpr int kPulseStepMs = 80;
  static constexpr int kLengthMs = 6000;
  static constexpr int kFrameIntervalMs = 10;
  static constexpr int kLogoX = 186, kLogoY = 141, kLogoDepth = 9;
  static constexpr int kLogoFrom = 60, kLogoTo = 110;
  static constexpr int kBackgroundDepth = 100;
  static constexpr uint32_t kBackgroundKey = 0xFF0000;
  static constexpr int kBurstColour = 1;
  static constexpr int kPulseCount = 50;
  static constexpr int kPulseEnd = 255;
  // Logo frames (size 60 + frame), ending with the end marker.
  static const int kPulse[kPulseCount + 1];
  static constexpr char kBackgroundFile[] = "clp/intro.clp";
  static constexpr char kLogoFile[] = "clp/globint.clp";

  IntroScreen(Window* window, int x, int y, int width, int height);

  // Loads the background, takes the window's shape from it and makes the logo zoom. False, with the file
  // that could not be loaded and why in failure, when either cannot.
  bool Build(LoadResult& failure);

  // Restarts the six seconds, cuts the window to the card, then enters.
  void Enter(Screen** activeSlot) override;
  // A click ends the intro at the next tick. A press whose release comes after the hand-over is not
  // the main screen's: the main screen is told to let that release go.
  Control* OnMouseDown(int x, int y) override;
  Control* OnMouseUp(int x, int y) override;
  // The pulse, the bursts at its end, the screen's frame; after six seconds the hand-over. Ticks come
  // at least 10 ms apart while the intro runs.
  void OnFrame(int elapsedMs) override;

  int Elapsed() const { return elapsed_; }
  int Step() const { return step_; }
  const Clip* Logo() const { return logo_; }

 private:
  // Gives the window to the main screen.
  void HandOver();

  std::vector<uint8_t> shape_;  // kWidth x kHeight, nonzero on the card
  int elapsed_ = 0;
  int step_ = 0;
  bool pressed_ = false;        // the left button went down here and is not up yet
  Clip* background_ = nullptr;  // owned by the screen
  Clip* logo_ = nullptr;
};
