#include "engine/focus_ring.h"

#include "engine/draw_style.h"

namespace focus_ring {
namespace {
constexpr uint32_t kNavy = 0x26267A, kBevel = 0xA89EF2, kSlate = 0x6A5ACD;
}  // namespace

std::unique_ptr<Bitmap> Make(int width, int height) {
  const int w = width + 2 * kMargin, h = height + 2 * kMargin;
  auto ring = std::make_unique<Bitmap>();
  if (!ring->Create(w, h, kKey)) return nullptr;
  // The records are shared by every drawing; the caller's are put back afterwards.
  const DrawPenRecord savedPen = DrawPen();
  const DrawBrushRecord savedBrush = DrawBrush();
  struct Line {
    int inset;
    uint32_t pen, brush;
  };
  // Each rectangle paints its outline and fills what is inside it; the last fill is the hollow middle.
  for (const Line& line : {Line{0, kNavy, kSlate}, Line{1, kBevel, kSlate}, Line{3, kNavy, uint32_t(kKey)}}) {
    DrawPen().color = line.pen;
    DrawBrush().color = line.brush;
    ring->DrawRectangle(line.inset, line.inset, w - 2 * line.inset, h - 2 * line.inset);
  }
  DrawPen() = savedPen;
  DrawBrush() = savedBrush;
  // Cut corners, as the frame's are rounded.
  for (int x : {0, w - 1})
    for (int y : {0, h - 1})
      ring->SetPixel(x, y, kKey);
  ring->SetColorKey(kKey);
  return ring;
}

}  // namespace focus_ring
