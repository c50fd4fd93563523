// OBitmap::DrawRectangle: an axis-aligned rectangle filled with DrawBrush and outlined with DrawPen,
// rasterised directly into the 24-bit rows (whole pixels only, so no anti-aliasing is involved).
// The outline lies inside the rectangle; hatch lines repeat every 8 pixels from the picture's top-left
// on white; a styled (dashed or dotted) pen of width 1 follows the outline clockwise from the top-left.
#include <algorithm>
#include <cstdint>
#include <span>

#include "engine/bitmap.h"
#include "engine/draw_style.h"

namespace {

constexpr uint32_t kHatchBackground = 0xFFFFFF;

// True when pixel (x, y) of the picture lies on a line of the hatch.
bool OnHatch(int hatch, int x, int y) {
  const int d = (x - y) & 7, s = (x + y) & 7;
  switch (hatch) {
    case kHatchVertical:
      return (x & 7) == 0;
    case kHatchForwardDiagonal:  // "\": down to the right
      return d == 0;
    case kHatchBackwardDiagonal:  // "/": up to the right
      return s == 7;
    case kHatchCross:
      return (x & 7) == 0 || (y & 7) == 0;
    case kHatchDiagonalCross:
      return d == 0 || s == 7;
    default:
      return true;
  }
}

bool IsHatch(int hatch) {
  return hatch >= kHatchVertical && hatch <= kHatchDiagonalCross;
}

// On/off run lengths of the styled pens, in pixels.
std::span<const int> DashPattern(int style) {
  static constexpr int kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6},
                       kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case kPenDash:
      return kDash;
    case kPenDot:
      return kDot;
    case kPenDashDot:
      return kDashDot;
    case kPenDashDotDot:
      return kDashDotDot;
    default:
      return {};
  }
}

// True when step n along the outline falls on an "on" run of the pattern.
bool DashOn(std::span<const int> pattern, int64_t n) {
  int64_t period = 0;
  for (int run : pattern)
    period += run;
  n %= period;
  for (size_t k = 0; k < pattern.size(); ++k) {
    if (n < pattern[k]) return k % 2 == 0;
    n -= pattern[k];
  }
  return false;
}

}  // namespace

bool OBitmap::DrawRectangle(int x, int y, int width, int height) {
  if (!HasPixels()) return false;
  if (width <= 0 || height <= 0) return true;
  // Work in 64 bits: x + width may pass the int range.
  const int64_t right = int64_t{x} + width, bottom = int64_t{y} + height;
  const int left0 = std::max(x, 0), top0 = std::max(y, 0);
  const int right0 = static_cast<int>(std::min<int64_t>(right, GetWidth()));
  const int bottom0 = static_cast<int>(std::min<int64_t>(bottom, GetHeight()));
  if (left0 >= right0 || top0 >= bottom0) return true;

  // Fills a band of the rectangle (clipped to the picture) in one colour through Fill.
  const uint32_t keepFill = fillColor;
  auto band = [&](int64_t l, int64_t t, int64_t r, int64_t b, uint32_t color) {
    fillColor = color & 0xFFFFFF;
    const BitmapRect clipped{
        static_cast<int>(std::max<int64_t>(l, left0)), static_cast<int>(std::max<int64_t>(t, top0)),
        static_cast<int>(std::min<int64_t>(r, right0)), static_cast<int>(std::min<int64_t>(b, bottom0))};
    Fill(&clipped);
    fillColor = keepFill;
  };

  // Interior (the outline is painted over its border afterwards).
  const int hatch = DrawBrush.hatch;
  if (!IsHatch(hatch)) {
    band(left0, top0, right0, bottom0, DrawBrush.color);
  } else {
    for (int py = top0; py < bottom0; ++py) {
      for (int px = left0; px < right0; ++px) {
        SetPixel(px, py, OnHatch(hatch, px, py) ? DrawBrush.color : kHatchBackground);
      }
    }
  }

  if (DrawPen.style == kPenNull) return true;
  const uint32_t pen = DrawPen.color & 0xFFFFFF;
  const std::span<const int> pattern = DashPattern(DrawPen.style);
  if (pattern.empty() || DrawPen.width > 1) {
    // Solid (the platform draws styled pens wider than one pixel solid as well).
    const int64_t w = std::max(DrawPen.width, 1);
    band(x, y, right, y + w, pen);
    band(x, bottom - w, right, bottom, pen);
    band(x, y, x + w, bottom, pen);
    band(right - w, y, right, bottom, pen);
    return true;
  }
  // A styled pen of width 1 runs clockwise from the top-left; step n of the outline takes the pattern's
  // n-th pixel. Only the visible part of each side is walked.
  auto plot = [&](int64_t n, int64_t px, int64_t py) {
    if (DashOn(pattern, n) && px >= left0 && px < right0 && py >= top0 && py < bottom0) {
      SetPixel(static_cast<int>(px), static_cast<int>(py), pen);
    }
  };
  const int64_t w = width, h = height;
  for (int64_t px = std::max<int64_t>(x, left0); px < std::min<int64_t>(right, right0); ++px) {
    plot(px - x, px, y);  // top, left to right
  }
  for (int64_t py = std::max<int64_t>(y + 1, top0); py < std::min<int64_t>(bottom, bottom0); ++py) {
    plot(w + (py - y - 1), right - 1, py);  // right side, downward
  }
  if (h > 1) {
    for (int64_t px = std::max<int64_t>(x, left0); px < std::min<int64_t>(right - 1, right0); ++px) {
      plot(w + h - 1 + (right - 2 - px), px, bottom - 1);  // bottom, right to left
    }
  }
  if (w > 1) {
    for (int64_t py = std::max<int64_t>(y + 1, top0); py < std::min<int64_t>(bottom - 1, bottom0); ++py) {
      plot(w + h - 1 + w - 1 + (bottom - 2 - py), x, py);  // left side, upward
    }
  }
  return true;
}
