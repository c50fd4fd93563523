#include "screens/small_balls.h"

#include <algorithm>
#include <memory>

#include "engine/catalogue.h"
#include "engine/screen.h"
#include "game/ball.h"
#include "store/options.h"

namespace {
// Start offsets of particles 0..7 around the burst point: a quarter and an eighth of the ball size.
constexpr int kOffsets[8][2] = {{8, -8}, {-8, -8}, {8, 8}, {-8, 8}, {4, -4}, {-4, -4}, {4, 4}, {-4, 4}};
}  // namespace

SmallBallParticle::~SmallBallParticle() {
  if (shower_) shower_->Forget(this);
}

SmallBalls::SmallBalls() : random_(std::random_device{}()) {}

SmallBalls::~SmallBalls() {
  // The particles live on in their screens; they must not call back into a shower that is gone.
  for (SmallBallParticle* particle : particles_)
    particle->Detach();
}

void SmallBalls::Forget(SmallBallParticle* particle) {
  particles_.erase(std::remove(particles_.begin(), particles_.end(), particle), particles_.end());
}

void SmallBalls::Burst(Screen& screen, int x, int y, int colour, bool twice) {
  if (!GetOptions().animate || Count() >= kMaxParticles) return;
  int n = 5 + Draw() % 3;
  if (twice) n *= 2;
  const Clip* picture0 = catalogue::ballPictures()[0].get();
  const int frames0 = picture0 ? picture0->GetFrameCount() : 0;
  const Clip* picture = colour >= 0 && colour < catalogue::kBallPictureCount
                            ? catalogue::ballPictures()[size_t(colour)].get()
                            : nullptr;
  for (int i = 0; i < n; ++i) {
    const int* offset = kOffsets[i < 8 ? i : 0];
    const int dx = Draw() % 3 - 1, dy = Draw() % 3 - 1;
    const int frame = frames0 > 0 ? Draw() % frames0 : 0;
    const double signX = Draw() % 2 ? 1.0 : -1.0;
    const double signY = Draw() % 2 ? 1.0 : -1.0;
    const double speedX = Draw() * signX * kMaxSpeed / 32767.0;
    const double speedY = Draw() * signY * kMaxSpeed / 32767.0;
    if (!picture) continue;
    auto particle = std::make_unique<SmallBallParticle>(this);
    particle->CopyFrom(*picture);
    particle->x = x + offset[0] + 2 * dx;
    particle->y = y + offset[1] + 2 * dy;
    particle->depth = kDepth;
    particle->speedX = speedX;
    particle->speedY = speedY;
    particle->SetFrame(frame);
    particle->frameTime = 1;
    particle->stopped = true;
    SmallBallParticle* raw = particle.get();
    if (screen.AddClip(std::move(particle))) particles_.push_back(raw);
    // A picture without frames is refused and destroyed by the screen; the particle forgot itself.
  }
}

void SmallBalls::Clear() {
  for (SmallBallParticle* particle : particles_) {
    particle->lifetime = 0;
    particle->Detach();
  }
  particles_.clear();
}

void SmallBalls::ResetFallingCount() {
  ResetFallingBallCount();
}

void SmallBalls::Tick(int elapsed) {
  Clip::Tick(elapsed);
  if (++tickCount_ < kTicksPerStep) return;
  tickCount_ = 0;
  for (size_t i = 0; i < particles_.size();) {
    SmallBallParticle* particle = particles_[i];
    if (particle->GetCurrentFrame() == 0) {
      particle->lifetime = 0;
      particle->Detach();
      particles_.erase(particles_.begin() + long(i));
      continue;
    }
    particle->SetFrame(particle->GetCurrentFrame() - 1);
    ++i;
  }
}
