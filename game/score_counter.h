// ScoreCounter: the score counter. It adds the points of exploding and falling balls, rising with every
// third ball of the same phase (the combo), and shows the score with up to nine digit clips at the
// right of the screen; a digit that comes into use drops in from above.
#pragma once

#include <array>

class Clip;
class Screen;

class ScoreCounter {
 public:
  static constexpr int kDigits = 9;
  static constexpr int kDigitsLeft = 579;  // x of the highest digit
  static constexpr int kDigitAdvance = 22;
  static constexpr int kDigitsY = 290;
  static constexpr int kDropHeight = 400;
  static constexpr double kDropSpeed = 10.0;

  // A counter showing its digits on screen (null: counts only), copied from the digit strip (frame n
  // shows digit n; null: no digits). The digits start hidden.
  ScoreCounter(Screen* screen, const Clip* digitStrip);
  ScoreCounter(const ScoreCounter&) = delete;
  ScoreCounter& operator=(const ScoreCounter&) = delete;
  // Takes the digits off the screen.
  ~ScoreCounter();

  // Score 0, combo 1, every digit hidden, then shows 0.
  void Reset();
  // Restarts the combo at 1.
  void ResetCombo() { combo_ = 1; }
  // An exploding ball: 10, 10, 10, 20, 20, 20, 30 ... within one removal.
  void AddPopped();
  // A falling ball: 100, 100, 100, 200 ... within one search.
  void AddFalling();
  // Adds n points.
  void Add(int n);
  int Score() const { return score_; }
  int Combo() const { return combo_; }
  // The digit clips, units first (null entries without a digit strip).
  const std::array<Clip*, kDigits>& Digits() const { return digits_; }

 private:
  // Shows the score: the used digits from the units up, a digit coming into use dropping in.
  void Display();

  Screen* screen_;
  int score_ = 0;
  std::array<Clip*, kDigits> digits_{};
  int combo_ = 1;
};

// The digit strip the game's score counters copy ("clp/alphabet/%d.clp" with 1); start-up installs it
// once the catalogue is loaded. Null until then.
const Clip* ScoreDigitStrip();
void SetScoreDigitStrip(const Clip* strip);
