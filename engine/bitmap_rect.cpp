// Bitmap::DrawRectangle: an axis-aligned rectangle filled with DrawBrush and outlined with a one-pixel
// DrawPen line along the inside of its edge, written as whole pixels (no anti-aliasing is involved).
#include <algorithm>
#include <cstdint>

#include "engine/bitmap.h"
#include "engine/draw_style.h"

namespace {

// Fills left .. right - 1, top .. bottom - 1, clipped to the picture, in one colour. The bounds are 64-bit:
// a rectangle's far edges may pass the int range.
void FillBand(Bitmap& picture, int64_t left, int64_t top, int64_t right, int64_t bottom, uint32_t color) {
  const int64_t width = picture.GetWidth(), height = picture.GetHeight();
  const BitmapRect clipped{static_cast<int>(std::clamp<int64_t>(left, 0, width)),
                           static_cast<int>(std::clamp<int64_t>(top, 0, height)),
                           static_cast<int>(std::clamp<int64_t>(right, 0, width)),
                           static_cast<int>(std::clamp<int64_t>(bottom, 0, height))};
  if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return;
  const uint32_t keep = picture.fillColor;
  picture.fillColor = color & 0xFFFFFF;
  picture.Fill(&clipped);
  picture.fillColor = keep;
}

}  // namespace

bool Bitmap::DrawRectangle(int x, int y, int width, int height) {
  if (!HasPixels()) return false;
  if (width <= 0 || height <= 0) return true;
  const int64_t right = int64_t{x} + width, bottom = int64_t{y} + height;
  FillBand(*this, x, y, right, bottom, DrawBrush().color);
  // The outline goes over the fill's border: top, bottom, left and right.
  FillBand(*this, x, y, right, int64_t{y} + 1, DrawPen().color);
  FillBand(*this, x, bottom - 1, right, bottom, DrawPen().color);
  FillBand(*this, x, y, int64_t{x} + 1, bottom, DrawPen().color);
  FillBand(*this, right - 1, y, right, bottom, DrawPen().color);
  return true;
}
