// A transparency that swings between opaque (0) and nearly clear (255) and back, ten steps at a time,
// one step every stepMs: the demo's blinking label and the pause picture pulse this way.
#pragma once

class TransparencyPulse {
 public:
  // Starts opaque, heading toward clear.
  explicit TransparencyPulse(int stepMs) : stepMs_(stepMs) {}

  // Adds elapsedMs to the time since the last step; once that passes stepMs the value moves one step
  // (turning at either end) and the time starts again. True when the value moved.
  bool Advance(int elapsedMs) {
    sinceStepMs_ += elapsedMs;
    if (sinceStepMs_ <= stepMs_) return false;
    sinceStepMs_ = 0;
    value_ += 10 * direction_;
    if (value_ >= 256) {
      value_ = 255;
      direction_ = -1;
    } else if (value_ < 0) {
      value_ = 0;
      direction_ = 1;
    }
    return true;
  }
  // The transparency now, 0..255.
  int Value() const { return value_; }

 private:
  int stepMs_;
  int sinceStepMs_ = 0;
  int value_ = 0;
  int direction_ = 1;
};
