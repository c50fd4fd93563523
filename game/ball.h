// Ball: one coloured ball on screen, in the field, at the launcher or in flight. It appears (frames 2
// up to its resting frame 9), shines (back to frame 5 and up again), vanishes (back to frame 0, then
// hidden), slides to a point, and falls a little way before it bursts into small balls. The catalogue's
// ball sprites (one per colour, the templates every ball is copied from) live here too.
//
// Sections: Ball · the ball sprite table · sprites on a screen
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/clip.h"

class Screen;

// ---- Ball ---------------------------------------------------------------------------------------
class Ball : public Clip {
 public:
  // Display modes.
  static constexpr uint8_t kStopped = 0, kNew = 2, kMoving = 3, kFalling = 6;
  // Shine states.
  static constexpr uint8_t kNoShine = 0, kShineDown = 1, kShineUp = 2;

  static constexpr int kSize = 32;
  static constexpr int kFramesPerSecond = 20;  // a dying step is due after 50 ms
  static constexpr int kShineStepMs = 50;
  static constexpr int kShineTurnFrame = 5;
  static constexpr int kRestFrame = 9;  // the resting frame, also the shine's end
  static constexpr int kAppearFrame = 2;
  static constexpr double kFallSpeed = 4.0;
  static constexpr double kMoveSpeed = 5.0;  // rows sliding down
  // A falling ball bursts at the latest here: the field's bottom minus the ball size.
  static constexpr int kFallFloorY = 500 - kSize;

  // colour, shine, dying and dyingTime 0; display mode new.
  Ball() = default;
  // The clip (sharing its pixels), its place and playback, and the ball's state except the fall; the
  // shine timer restarts.
  Ball(const Ball& other);
  // The clip plus colour and display mode.
  Ball& operator=(const Ball& other);

  // Appearing from frame 2, 20 ms a frame, visible, not dying, playing.
  void StartAppear();
  // Starts a shine unless one is running down already (then only its timer restarts).
  void StartShine();
  // Starts the vanishing: one frame back per tick from 50 ms on, hidden after frame 0.
  void StartDying();
  // Falls at speed 4 until limit pixels below the current y (or the field's bottom), then bursts;
  // ignored while falling already.
  void StartFall(int limit);
  // Slides to (x, y) at speed (a one-point path).
  void MoveTo(double x, double y, double speed = kMoveSpeed);
  // Display mode stopped.
  void Stop() { displayMode = kStopped; }

  // Dying, falling, shine, then the clip's own motion timing and frames.
  void Tick(int elapsed) override;
  // A slide ends: the ball stops.
  void OnPathEnd(const PointSpeed& point) override;

  int colour = 0;  // 0..6; also the colour of its burst
  uint8_t displayMode = kNew;
  uint8_t shine = kNoShine;
  bool dying = false;
  int fallStartY = 0;
  int fallLimit = 0;
  int dyingTime = 0;
  int shineTime = 0;
  // The screen a burst at the end of a fall goes to (not owned); null: the ball bursts without particles.
  Screen* burstScreen = nullptr;

 private:
  // Shows the previous frame (frame 0 stays).
  void StepBack();
};

// The count of balls that fell during this frame (every screen tick resets it).
int FallingBallCount();
void ResetFallingBallCount();

// Gives ball the look chosen for its colour ("Game.CurrGame.Skins"): its resting frame becomes that
// frame of the colour's skin clip, and its twinkle frames keep what the look adds to the plain ball (a
// symbol, stripes, a face) over the sparkle. A look outside the skin clip's frames, a colour without
// skins or a missing skin clip leave the ball unchanged.
void ApplyLook(Ball& ball);

// The twinkle frames of one colour (Ball::kShineTurnFrame up to the resting frame) as its sprite was
// loaded, and the same frames with a look drawn in, made once per look and shared by every ball.
struct BallTwinkle {
  std::vector<Bitmap> plain;  // the twinkle frames, then the plain resting frame
  Bitmap look;                // the look withLook carries (sharing its pixels); empty: none yet
  std::vector<Bitmap> withLook;
};

// ---- the ball sprite table -----------------------------------------------------------------------
namespace catalogue {
constexpr int kBallSpriteCount = 7;  // "clp/ball/%d.clp": colours 0..5 and the indicator's small ball
constexpr int kIndicatorBall = 6;    // the slot after the colours: the attempts indicator's small ball
// The table lives in the installed game context (game/game_context.h).
std::array<std::unique_ptr<Ball>, kBallSpriteCount>& ballSprites();

// Loads ball sprite colour (0..6) from path into the table with its set-up (frame time 0, its colour,
// display mode new). On failure, with the reason, the slot is left empty.
LoadResult LoadBallSprite(int colour, const std::string& path);
// The template of colour, or null when the colour is out of range or its sprite is not loaded.
const Ball* BallTemplate(int colour);
}  // namespace catalogue

// ---- sprites on a screen -------------------------------------------------------------------------
// Adds a copy of source to screen at (x, y, depth), visible, with source's colour; returns it (owned
// by the screen), or null when source is null or has no frames. burstScreen is set to screen.
Ball* AddBallSprite(Screen& screen, const Ball* source, double x, double y, double depth);
