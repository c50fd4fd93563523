// KeyAim: aiming with the keyboard or a game controller. It keeps an aim angle that the turning keys and
// the stick turn, gives the point a click would aim at along it, and shows the way to the first wall as a
// dotted guide from the launcher while it aims. Unused, it puts nothing on the screen.
#pragma once

#include <vector>

class Clip;
class Screen;

class KeyAim {
 public:
  // A press turns this far at once (degrees): whole steps, or fine ones with Shift.
  static constexpr double kStep = 1.0, kFineStep = 0.1;
  // A key held this long (ms) turns on by itself: from kStartSpeed, speeding up by kSpeedUp a second
  // to kTopSpeed (degrees a second); with Shift steadily at kFineSpeed.
  static constexpr int kHoldDelayMs = 250;
  static constexpr double kStartSpeed = 15.0, kSpeedUp = 90.0, kTopSpeed = 105.0, kFineSpeed = 3.0;
  // The stick turns nothing inside its dead zone; pushed fully over, at kTopSpeed.
  static constexpr int kStickDeadZone = 8000;
  // The guide: dots kDotGap apart, the first kFirstDot from the launcher ball's centre.
  static constexpr int kDotGap = 16, kFirstDot = 28, kDotSize = 7;
  static constexpr double kDotDepth = -5;  // over the frame, behind the balls

  // An aim straight up, its guide to be shown on screen (not owned; it must outlive the aim).
  explicit KeyAim(Screen& screen) : screen_(screen) {}
  KeyAim(const KeyAim&) = delete;
  KeyAim& operator=(const KeyAim&) = delete;
  // Takes the guide off the screen.
  ~KeyAim();

  // A turning key went down (direction -1 left, 1 right): one step at once, more while it is held.
  void Press(int direction, bool fine);
  // The turning key of direction went up.
  void Release(int direction);
  // The stick's horizontal position, -32768..32767.
  void SetStick(int x);
  // The keyboard or the pad aims from now on (the shot keys do this).
  void Start() { aiming_ = true; }
  // The mouse took over: the guide goes and nothing turns until a key or the stick aims again.
  void Stop();
  // Turns by the held key or the stick over elapsed ms (fine: Shift is held).
  void Advance(int elapsedMs, bool fine);
  // Shows the guide along the aim (true) or takes it away.
  void ShowGuide(bool show);

  // True while the keyboard or the pad aims.
  bool Aiming() const { return aiming_; }
  // The aim in degrees from straight up, negative to the left.
  double Angle() const { return angle_; }
  // The point of the aiming area, in the screen's coordinates, that a click would aim along the angle:
  // the farthest one from the launcher, so that whole pixels lose the least of the angle.
  void AimPoint(int& x, int& y) const;
  // The guide's dots (empty until it was first shown).
  const std::vector<Clip*>& GuideDots() const { return dots_; }

 private:
  // Turns by degrees, within the aiming area's lowest corners.
  void Turn(double degrees);
  // Makes the dots, the first time the guide shows; false when they cannot be made.
  bool MakeDots();

  Screen& screen_;
  double angle_ = 0;
  bool aiming_ = false;
  int held_ = 0;    // the direction of the turning key held, 0 for none
  int heldMs_ = 0;  // how long it has been held
  int stickX_ = 0;
  std::vector<Clip*> dots_;  // owned by the screen
};
