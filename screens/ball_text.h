// A line of text written with the ball alphabet: one BallLetter clip per character. With animation on the
// letters drop in from above after a short random delay and bounce into place; the first impact of each
// letter plays the landing sound. The catalogue's two alphabet strips (letters, digits) live here too.
//
// Sections: BallLetter · BallText · the alphabet strips
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/clip.h"

class Screen;

// ---- BallLetter ----------------------------------------------------------------------------------------
class BallLetter : public Clip {
 public:
  // Drop states.
  static constexpr uint8_t kAtRest = 0, kWaiting = 1, kFalling = 2, kStarting = 3;
  static constexpr double kGravity = 9.81;
  static constexpr double kMaxFallSeconds = 2.0;
  static constexpr double kBounceDamping = 1.0 / 3.0;
  static constexpr double kSmallestBounce = 1.0;

  BallLetter() = default;

  // The drop (waiting, starting, falling and bouncing), then the clip's own animation.
  void Tick(int elapsed) override;

  bool bounceSoundPending = true;  // the first impact plays the landing sound
  uint8_t dropState = kAtRest;
  int targetY = 0;       // the resting y
  double dropSpeed = 0;  // the speed at the start of the current fall
  int dropDelay = 0;     // ms to wait before the first fall
  int dropTime = 0;      // ms waited, then ms into the current fall
};

// ---- BallText ----------------------------------------------------------------------------------------
class BallText {
 public:
  static constexpr int kAdvance = 25;        // pixels from one character to the next
  static constexpr int kQuestionShift = 15;  // "?" sits this far left of its slot
  static constexpr int kMaxDropDelayMs = 500;

  explicit BallText(bool showNow = false);
  BallText(const BallText&) = delete;
  BallText& operator=(const BallText&) = delete;
  // Hides the letters.
  ~BallText();

  // Writes text on screen at (x, y, depth): x -1 centres the line, y -1 puts it a third down the screen.
  // With animation on each letter starts dropHeight above its place. Replaces nothing: call Hide first
  // to rewrite a line.
  void Show(Screen& screen, int x, int y, const std::string& text, int dropHeight, int depth);
  // Removes every letter from the screen.
  void Hide();

  const std::string& Text() const { return text_; }
  const std::vector<BallLetter*>& Letters() const { return letters_; }
  int X() const { return x_; }
  int Y() const { return y_; }

 private:
  std::string text_;
  std::vector<BallLetter*> letters_;  // owned by the screen
  Screen* screen_ = nullptr;
  int x_ = 0, y_ = 0;
};

// The alphabet frame of a character: digits 0..9, letters 10..35 (either case), "-" 36, "?" 37; -1 for
// any other character (the letter keeps the strip's first frame).
int AlphabetFrame(char ch);

// ---- the alphabet strips -----------------------------------------------------------------------------
// The strips by the number of their file, which never changes.
enum class AlphabetStrip {
  kLetters = 0,  // the ball letters of the labels and titles
  kDigits = 1,   // the score counter's digits
};

namespace catalogue {
constexpr int kAlphabetCount = 2;  // "clp/alphabet/%d.clp"
// The table lives in the installed screens context (screens/screens_context.h).
std::array<std::unique_ptr<BallLetter>, kAlphabetCount>& alphabetStrips();

// The loaded strip, or null (not loaded, or outside the table).
inline const BallLetter* Get(AlphabetStrip strip) {
  const size_t i = size_t(strip);
  return i < alphabetStrips().size() ? alphabetStrips()[i].get() : nullptr;
}
}  // namespace catalogue
