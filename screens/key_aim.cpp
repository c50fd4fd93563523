// KeyAim: the turning, the point a click would aim at, and the dotted guide.
#include "screens/key_aim.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "engine/bitmap.h"
#include "engine/screen.h"
#include "game/trace.h"

namespace {
constexpr double kDegree = std::numbers::pi / 180;
// The aiming area's edge pixels: a click must lie strictly inside the field's bounds.
constexpr double kLeft = kBoardLeft + 1, kRight = kBoardRight - 1, kTop = kBoardTop + 1,
                 kBottom = kBoardBottom - 1;
// The guide's colour: the slate of the frame around the field.
constexpr uint32_t kDotColour = 0x6A5ACD;
// Enough dots for the longest way to a wall, the launcher to a far top corner.
constexpr int kMaxDots = 40;

// The aim's limits (degrees): toward the aiming area's lowest corners, below which a click never fires.
double LeftLimit() {
  return std::atan2(kLeft - trace::kStartX, trace::kStartY - kBottom) / kDegree;
}
double RightLimit() {
  return std::atan2(kRight - trace::kStartX, trace::kStartY - kBottom) / kDegree;
}

// A round dot, its edge blended into what lies beneath (mask 0 opaque, 255 clear).
std::unique_ptr<Bitmap> MakeDot() {
  auto dot = std::make_unique<Bitmap>();
  if (!dot->Create(KeyAim::kDotSize, KeyAim::kDotSize, kDotColour) || !dot->CreateMask(255)) return nullptr;
  const double centre = (KeyAim::kDotSize - 1) / 2.0, radius = KeyAim::kDotSize / 2.0;
  for (int y = 0; y < KeyAim::kDotSize; ++y) {
    uint8_t* mask = dot->GetMaskRow(y);
    for (int x = 0; x < KeyAim::kDotSize; ++x) {
      const double cover = std::clamp(radius - std::hypot(x - centre, y - centre), 0.0, 1.0);
      mask[x] = static_cast<uint8_t>(std::lround(255 * (1 - cover)));
    }
  }
  return dot;
}
}  // namespace

KeyAim::~KeyAim() {
  for (Clip* dot : dots_)
    if (screen_.HasClip(dot)) screen_.RemoveClip(dot);
}

// ---- turning -----------------------------------------------------------------------------------------
void KeyAim::Turn(double degrees) {
  angle_ = std::clamp(angle_ + degrees, LeftLimit(), RightLimit());
}

void KeyAim::Press(int direction, bool fine) {
  aiming_ = true;
  if (held_ == direction) return;  // the key's own repeat: holding turns by itself
  held_ = direction;
  heldMs_ = 0;
  Turn(direction * (fine ? kFineStep : kStep));
}

void KeyAim::Release(int direction) {
  if (held_ == direction) held_ = 0;
}

void KeyAim::SetStick(int x) {
  stickX_ = x;
}

void KeyAim::Stop() {
  aiming_ = false;
  held_ = 0;
}

void KeyAim::Advance(int elapsedMs, bool fine) {
  if (held_ != 0) {
    const int from = std::max(heldMs_, kHoldDelayMs);
    heldMs_ = std::min(heldMs_ + elapsedMs, 60'000);
    const double speed =
        fine ? kFineSpeed : std::min(kTopSpeed, kStartSpeed + kSpeedUp * (heldMs_ - kHoldDelayMs) / 1000.0);
    if (heldMs_ > from) Turn(held_ * speed * (heldMs_ - from) / 1000.0);
  }
  const int push = std::abs(stickX_) - kStickDeadZone;
  if (push > 0) {
    // Squared, so that a stick pushed a little turns finely.
    const double share = std::min(1.0, double(push) / (32767 - kStickDeadZone));
    aiming_ = true;
    Turn((stickX_ < 0 ? -1 : 1) * kTopSpeed * share * share * elapsedMs / 1000.0);
  }
}

// ---- the point and the guide --------------------------------------------------------------------------
void KeyAim::AimPoint(int& x, int& y) const {
  const double dx = std::sin(angle_ * kDegree), dy = -std::cos(angle_ * kDegree);
  double reach = (trace::kStartY - kTop) / -dy;
  if (dx < 0) reach = std::min(reach, (kLeft - trace::kStartX) / dx);
  if (dx > 0) reach = std::min(reach, (kRight - trace::kStartX) / dx);
  x = int(std::clamp(std::round(trace::kStartX + reach * dx), kLeft, kRight));
  y = int(std::clamp(std::round(trace::kStartY + reach * dy), kTop, kBottom));
}

bool KeyAim::MakeDots() {
  if (!dots_.empty()) return true;
  const std::unique_ptr<Bitmap> dot = MakeDot();
  if (!dot) return false;
  for (int i = 0; i < kMaxDots; ++i) {
    auto clip = std::make_unique<Clip>();
    clip->AddFrame(std::make_unique<Bitmap>(*dot));
    clip->depth = kDotDepth;
    clip->moving = false;
    clip->visible = false;
    if (Clip* added = screen_.AddClip(std::move(clip))) dots_.push_back(added);
  }
  screen_.SortByDepth();
  return !dots_.empty();
}

void KeyAim::ShowGuide(bool show) {
  // A screen that let its clips go took the dots with them.
  if (!dots_.empty() && !screen_.HasClip(dots_.front())) dots_.clear();
  if (!show) {
    for (Clip* dot : dots_)
      dot->visible = false;
    return;
  }
  if (!MakeDots()) return;
  // Along the line the shot will fly (toward the whole-pixel point), to where the ball meets a wall.
  int ax, ay;
  AimPoint(ax, ay);
  const double length = std::hypot(ax - trace::kStartX, ay - trace::kStartY);
  const double dx = (ax - trace::kStartX) / length, dy = (ay - trace::kStartY) / length;
  double reach = (trace::kCeilingLine - trace::kStartY) / dy;
  if (dx < 0) reach = std::min(reach, (trace::kLeftLine - trace::kStartX) / dx);
  if (dx > 0) reach = std::min(reach, (trace::kRightLine - trace::kStartX) / dx);
  for (size_t i = 0; i < dots_.size(); ++i) {
    const double along = kFirstDot + double(i) * kDotGap;
    Clip& dot = *dots_[i];
    dot.visible = along <= reach;
    dot.x = std::floor(trace::kStartX + along * dx - kDotSize / 2.0 + 0.5);
    dot.y = std::floor(trace::kStartY + along * dy - kDotSize / 2.0 + 0.5);
  }
}
