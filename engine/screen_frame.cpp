// Screen's frame: whole frame steps, motion by speeds or along way-point paths, animation, expiry and
// the redraw. Notifications may add, remove or reorder clips; the loop finds its place again after each.
#include <algorithm>
#include <cmath>

#include "engine/screen.h"

namespace {

constexpr double kAxisEpsilon = 0.00001;

double Sign(double v) {
  return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

}  // namespace

double Screen::FrameSteps(int elapsed) const {
  const int interval = window_ ? std::max(1, window_->GetFrameInterval()) : 1;
  const double steps = static_cast<double>(std::max(elapsed, 0) / interval);
  return std::min(steps, kMaxFrameSteps);
}

int Screen::Relocate(const Clip* clip, int hint) const {
  if (hint >= 0 && hint < static_cast<int>(clips_.size()) && clips_[size_t(hint)].get() == clip) return hint;
  for (size_t i = 0; i < clips_.size(); ++i)
    if (clips_[i].get() == clip) return static_cast<int>(i);
  return -1;
}

bool Screen::MoveClip(Clip* clip, double steps) {
  if (!clip->moving) return true;
  if (clip->path.empty()) {
    clip->x += clip->speedX * steps;
    clip->y += clip->speedY * steps;
    clip->depth += clip->depthSpeed * steps;
    return true;
  }
  const PointSpeed target = clip->path.front();
  const double dx = target.x - clip->x, dy = target.y - clip->y, s = target.speed;
  double stepX, stepY;
  // Straight up, down, left or right: the other axis keeps a token step so that the slope never divides
  // by zero.
  if (std::fabs(dx) < kAxisEpsilon) {
    stepX = kAxisEpsilon;
    stepY = Sign(dy) * s;
  } else if (std::fabs(dy) < kAxisEpsilon) {
    stepX = Sign(dx) * s;
    stepY = kAxisEpsilon;
  } else {
    const double k = std::fabs(dy / dx);
    stepX = Sign(dx) * std::sqrt(s * s / (k * k + 1));
    stepY = Sign(dy) * std::fabs(stepX) * k;
  }
  stepX *= steps;
  stepY *= steps;
  if (stepX * stepX + stepY * stepY < dx * dx + dy * dy) {
    clip->x += stepX;
    clip->y += stepY;
    return true;
  }
  clip->x = target.x;
  clip->y = target.y;
  clip->path.pop_front();
  const uint64_t version = clipsVersion_;
  if (clip->path.empty()) {
    clip->OnPathEnd(target);
    OnClipPathEnd(clip, target);
    if (version != clipsVersion_ && !HasClip(clip)) return false;
    clip->speedX = clip->speedY = 0;
  } else {
    OnClipPathPoint(clip, target);
    if (version != clipsVersion_ && !HasClip(clip)) return false;
  }
  return true;
}

void Screen::MoveAndAnimate(int elapsed) {
  const double steps = FrameSteps(elapsed);
  for (int i = 0; i < static_cast<int>(clips_.size());) {
    Clip* clip = clips_[size_t(i)].get();
    if (!MoveClip(clip, steps)) continue;  // removed: the clip that took its place is next
    const uint64_t version = clipsVersion_;
    clip->Tick(elapsed);
    if (version != clipsVersion_ && !HasClip(clip)) continue;
    if (clip->lifetime == 0) {
      OnClipExpired(clip);
      if (version == clipsVersion_ || HasClip(clip)) RemoveClip(clip);
      // The clip that took its place is next, whatever else the notifications did.
      i = std::min(i, static_cast<int>(clips_.size()));
      continue;
    }
    const int at = Relocate(clip, i);
    if (at >= 0) i = at + 1;
  }
}

void Screen::OnFrame(int elapsed) {
  MoveAndAnimate(elapsed);
  if (skipRedraw) {
    skipRedraw = false;
    return;
  }
  // A hidden window shows nothing; it is painted whole when it shows again.
  if (window_ && window_->IsHidden()) return;
  if (redrawMode == RedrawMode::kDirty)
    RedrawDirty();
  else
    Redraw();
}
