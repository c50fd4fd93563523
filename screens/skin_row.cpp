#include "screens/skin_row.h"

#include <memory>

#include "engine/active_screen.h"
#include "engine/catalogue.h"
#include "engine/screen.h"

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
}

SkinRow::~SkinRow() {
  for (Clip* swatch : swatches_)
    if (swatch) screen_.RemoveClip(swatch);
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

int SkinRow::HitTest(int px, int py) {
  for (int k = 0; k < kSwatches; ++k) {
    Clip* swatch = swatches_[size_t(k)];
    const int left = x_ + kSwatchSize * k;
    if (swatch) swatch->x = left, swatch->y = y_;
    if (left < px && px < left + kSwatchSize && y_ < py && py < y_ + kSwatchSize) return k;
  }
  return -1;
}

void SkinRow::OnPress(int px, int py) {
  px -= screen_.GetX(), py -= screen_.GetY();
  const int k = HitTest(px, py);
  if (k < 0) return;
  if (SmallBallShower* shower = GetSmallBallShower()) shower->Burst(screen_, px, py, k, false);
  if (Clip* swatch = swatches_[size_t(k)]) swatch->visible = false;
}

void SkinRow::OnRelease(int px, int py) {
  px -= screen_.GetX(), py -= screen_.GetY();
  for (Clip* swatch : swatches_)
    if (swatch) swatch->visible = true;
  const int k = HitTest(px, py);
  if (k < 0) return;
  if (Clip* swatch = swatches_[size_t(k)]) {
    const int next = swatch->GetCurrentFrame() + 1;
    swatch->SetFrame(next < swatch->GetFrameCount() ? next : 0);
  }
}
