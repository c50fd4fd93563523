// SmallBalls: the program's one shower of small balls. A burst throws five to seven particles (twice
// that when doubled) from a point in random directions; each plays its frames backward and vanishes
// after frame 0 while it drifts away. Particles are clips on the screen they were thrown onto; the
// shower keeps a list of the live ones and forgets any that its screen destroys first.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "engine/active_screen.h"
#include "engine/clip.h"

class SmallBalls;

// One particle: a clip that tells its shower when it is destroyed.
class SmallBallParticle : public Clip {
 public:
  explicit SmallBallParticle(SmallBalls* shower) : shower_(shower) {}
  ~SmallBallParticle() override;
  // The shower no longer keeps this particle.
  void Detach() { shower_ = nullptr; }

 private:
  SmallBalls* shower_;
};

class SmallBalls : public Clip, public SmallBallShower {
 public:
  static constexpr int kMaxParticles = 100;
  static constexpr int kTicksPerStep = 3;  // particles step back one frame every third tick
  static constexpr double kMaxSpeed = 2.0;
  static constexpr double kDepth = -10.0;

  SmallBalls();
  ~SmallBalls() override;

  // Throws a shower of colour (0..6; others draw their numbers and throw nothing) at (x, y) onto
  // screen, doubled when twice. Nothing while the animation option is off or 100 particles live.
  void Burst(Screen& screen, int x, int y, int colour, bool twice) override;
  // Ends every particle (their screens remove them on their next frame) and empties the list.
  void Clear() override;
  // Resets the count of balls falling in this frame.
  void ResetFallingCount() override;
  // The shower's tick.
  void Advance(int elapsedMs) override { Tick(elapsedMs); }
  // Every third call steps each particle one frame back; a particle past frame 0 ends.
  void Tick(int elapsed) override;

  // Particles alive and kept.
  int Count() const { return static_cast<int>(particles_.size()); }
  const std::vector<SmallBallParticle*>& Particles() const { return particles_; }
  // Reseeds the shower's own generator (tests).
  void Seed(uint32_t seed) { random_.seed(seed); }

 private:
  friend class SmallBallParticle;
  // A particle is being destroyed by its screen.
  void Forget(SmallBallParticle* particle);
  // 0..32767.
  int Draw() { return static_cast<int>(random_() % 32768u); }

  std::vector<SmallBallParticle*> particles_;
  int tickCount_ = 0;
  // Its own generator: bursts are decoration and must not disturb the game's random numbers.
  std::minstd_rand random_;
};
