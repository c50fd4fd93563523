#include "screens/skin_row.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/active_screen.h"
#include "engine/catalogue.h"
#include "engine/screen.h"

namespace {
// The gold of a box under the pointer; the ring reaches kRingReach pixels past a swatch on every side.
constexpr uint32_t kRingGold = 0xFFD23F;
constexpr int kRingReach = 3;
constexpr double kRingDepth = 0.5;  // behind the swatches (depth 0), in front of the panel (depth 1)

// A gold band round the swatch's ball, soft at both edges: only its outer rim shows past the ball.
std::unique_ptr<Bitmap> MakeRing() {
  const int side = SkinRow::kSwatchSize + 2 * kRingReach;
  auto ring = std::make_unique<Bitmap>();
  if (!ring->Create(side, side, int32_t(kRingGold)) || !ring->CreateMask(255)) return nullptr;
  const double centre = side / 2.0, outer = centre - 0.5, inner = outer - 4;
  for (int y = 0; y < side; ++y) {
    uint8_t* mask = ring->GetMaskRow(y);
    for (int x = 0; x < side; ++x) {
      const double d = std::hypot(x + 0.5 - centre, y + 0.5 - centre);
      const double cover = std::clamp(std::min(outer - d, d - inner) + 0.5, 0.0, 1.0);
      mask[x] = uint8_t(std::lround(255 * (1 - 0.85 * cover)));
    }
  }
  return ring;
}
}  // namespace

SkinRow::SkinRow(Screen& screen, int x, int y) : screen_(screen), x_(x), y_(y) {
  for (int k = 0; k < kSwatches; ++k) {
    const Clip* skin = catalogue::skins()[size_t(k)].get();
    if (!skin) continue;
    auto swatch = std::make_unique<Clip>();
    swatch->CopyFrom(*skin);
    swatch->x = x_ + kSwatchSize * k, swatch->y = y_;
    swatch->stopped = true;
    swatch->SetFrameTime(0, -1);
    swatches_[size_t(k)] = screen_.AddClip(std::move(swatch));
  }
  if (auto picture = MakeRing()) {
    auto ring = std::make_unique<Clip>();
    ring->AddFrame(std::move(picture));
    ring->depth = kRingDepth;
    ring->visible = false;
    ring_ = screen_.AddClip(std::move(ring));
  }
}

SkinRow::~SkinRow() {
  for (Clip* swatch : swatches_)
    if (swatch) screen_.RemoveClip(swatch);
  if (ring_) screen_.RemoveClip(ring_);
}

void SkinRow::Load(const std::array<int, kSwatches>& looks) {
  for (int k = 0; k < kSwatches; ++k) {
    Clip* swatch = swatches_[size_t(k)];
    const int look = looks[size_t(k)];
    if (swatch && look >= 0 && look < swatch->GetFrameCount()) swatch->SetFrame(look);
  }
}

void SkinRow::Save(std::array<int, kSwatches>& looks) const {
  for (int k = 0; k < kSwatches; ++k)
    if (const Clip* swatch = swatches_[size_t(k)]) looks[size_t(k)] = swatch->GetCurrentFrame();
}

void SkinRow::ShowAll(int look) {
  for (Clip* swatch : swatches_)
    if (swatch && look >= 0 && look < swatch->GetFrameCount()) swatch->SetFrame(look);
}

bool SkinRow::AllShow(int look) const {
  return std::all_of(swatches_.begin(), swatches_.end(),
                     [look](const Clip* swatch) { return swatch && swatch->GetCurrentFrame() == look; });
}

int SkinRow::HitTest(int px, int py) {
  for (int k = 0; k < kSwatches; ++k) {
    Clip* swatch = swatches_[size_t(k)];
    const int left = x_ + kSwatchSize * k;
    if (swatch) swatch->x = left, swatch->y = y_;
    if (left < px && px < left + kSwatchSize && y_ < py && py < y_ + kSwatchSize) return k;
  }
  return -1;
}

void SkinRow::OnHover(int px, int py) {
  const int k = HitTest(px - screen_.GetX(), py - screen_.GetY());
  if (!ring_) return;
  ring_->visible = k >= 0 && swatches_[size_t(k)] && swatches_[size_t(k)]->visible;
  if (ring_->visible) ring_->x = x_ + kSwatchSize * k - kRingReach, ring_->y = y_ - kRingReach;
}

void SkinRow::OnPress(int px, int py) {
  px -= screen_.GetX(), py -= screen_.GetY();
  const int k = HitTest(px, py);
  if (k < 0) return;
  if (ring_) ring_->visible = false;
  if (SmallBallShower* shower = GetSmallBallShower()) shower->Burst(screen_, px, py, k, false);
  if (Clip* swatch = swatches_[size_t(k)]) swatch->visible = false;
}

void SkinRow::OnRelease(int px, int py) {
  for (Clip* swatch : swatches_)
    if (swatch) swatch->visible = true;
  OnHover(px, py);
  px -= screen_.GetX(), py -= screen_.GetY();
  const int k = HitTest(px, py);
  if (k < 0) return;
  if (Clip* swatch = swatches_[size_t(k)]) {
    const int next = swatch->GetCurrentFrame() + 1;
    swatch->SetFrame(next < swatch->GetFrameCount() ? next : 0);
  }
}
