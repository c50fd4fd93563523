// Bitmap compositing: Draw (masked, colour-keyed, blended, silhouette) and DrawSmooth (bilinear, masked).
// Every call clips once, then runs plain integer loops over the bottom-up 24-bit rows; nothing is
// allocated. Blending keeps a share t/256 of the destination: new = src + (((dst - src) * t) >> 8).
//
// Sections: clipping · Draw · DrawSmooth
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/bitmap.h"

namespace {

// ---- clipping ----------------------------------------------------------------------------------------

// A clipped copy: source columns/rows [srcX, srcX + width) x [srcY, srcY + height) land at (dstX, dstY).
struct Span {
  int srcX = 0, srcY = 0, dstX = 0, dstY = 0, width = 0, height = 0;
};

// Clips the source rectangle r (already inside the source) placed at offset (x, y) against a destination
// of dstWidth x dstHeight. False when nothing is left. Sums are formed in 64 bits so that positions
// near the int limits cannot overflow.
bool ClipToDestination(BitmapRect r, int64_t x, int64_t y, int dstWidth, int dstHeight, Span& span) {
  int64_t left = x + r.left, top = y + r.top, right = x + r.right, bottom = y + r.bottom;
  int64_t srcX = r.left, srcY = r.top;
  if (left < 0) srcX -= left, left = 0;
  if (top < 0) srcY -= top, top = 0;
  right = std::min<int64_t>(right, dstWidth);
  bottom = std::min<int64_t>(bottom, dstHeight);
  if (left >= right || top >= bottom) return false;
  span = Span{static_cast<int>(srcX), static_cast<int>(srcY),         static_cast<int>(left),
              static_cast<int>(top),  static_cast<int>(right - left), static_cast<int>(bottom - top)};
  return true;
}

// The source rectangle (whole source when null) clipped to the source. False when empty.
bool ClipToSource(const BitmapRect* rect, int width, int height, BitmapRect& r) {
  r = rect != nullptr ? *rect : BitmapRect{0, 0, width, height};
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width);
  r.bottom = std::min(r.bottom, height);
  return r.left < r.right && r.top < r.bottom;
}

inline uint8_t Blend(int src, int dst, int t) {
  return static_cast<uint8_t>(src + (((dst - src) * t) >> 8));
}

inline void BlendPixel(uint8_t* d, const uint8_t* s, int t) {
  d[0] = Blend(s[0], d[0], t);
  d[1] = Blend(s[1], d[1], t);
  d[2] = Blend(s[2], d[2], t);
}

inline uint32_t ColorAt(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (uint32_t{p[2]} << 16);
}

// ---- Draw: the per-row loops ---------------------------------------------------------------------------

void RowMasked(uint8_t* d, const uint8_t* s, const uint8_t* m, int count, int transparency) {
  if (transparency == 0) {
    for (int i = 0; i < count; ++i, d += 3, s += 3) {
      const int a = m[i];
      if (a == 0) {
        d[0] = s[0], d[1] = s[1], d[2] = s[2];
      } else if (a < 255) {
        BlendPixel(d, s, a);
      }
    }
    return;
  }
  for (int i = 0; i < count; ++i, d += 3, s += 3) {
    const int a = m[i] + transparency;
    if (a < 255) BlendPixel(d, s, a);  // a > 0 here: transparency is positive
  }
}

void RowKeyed(uint8_t* d, const uint8_t* s, int count, int64_t key, int transparency, uint32_t fill) {
  if (transparency == 0) {
    for (int i = 0; i < count; ++i, d += 3, s += 3) {
      if (ColorAt(s) != key) d[0] = s[0], d[1] = s[1], d[2] = s[2];
    }
  } else if (transparency <= 255) {
    for (int i = 0; i < count; ++i, d += 3, s += 3) {
      if (ColorAt(s) != key) BlendPixel(d, s, transparency);
    }
  } else {
    const uint8_t b = static_cast<uint8_t>(fill), g = static_cast<uint8_t>(fill >> 8),
                  r = static_cast<uint8_t>(fill >> 16);
    for (int i = 0; i < count; ++i, d += 3, s += 3) {
      if (ColorAt(s) != key) d[0] = b, d[1] = g, d[2] = r;
    }
  }
}

}  // namespace

// ---- Draw --------------------------------------------------------------------------------------------

void Bitmap::Draw(const Bitmap* source, int x, int y, const BitmapRect* sourceRect) {
  if (source == nullptr || !source->HasPixels() || !HasPixels()) return;
  if (x >= GetWidth() || y >= GetHeight()) return;
  BitmapRect r;
  Span span;
  if (!ClipToSource(sourceRect, source->GetWidth(), source->GetHeight(), r)) return;
  if (!ClipToDestination(r, x, y, GetWidth(), GetHeight(), span)) return;

  // A negative transparency has no meaning; it draws as opaque.
  const int transparency = std::max(source->transparency, 0);
  const int srcStride = source->GetStride(), dstStride = GetStride();
  const uint8_t* s = source->GetRow(span.srcY) + 3 * span.srcX;
  uint8_t* d = GetRow(span.dstY) + 3 * span.dstX;
  // Logical rows run downward, memory rows upward: step back one stride a row.
  if (const uint8_t* m = source->GetMaskRow(span.srcY)) {
    if (transparency >= 255) return;  // every pixel would be left as it is
    m += span.srcX;
    const int maskStride = source->GetWidth();
    for (int row = 0; row < span.height; ++row, s -= srcStride, d -= dstStride, m -= maskStride) {
      RowMasked(d, s, m, span.width, transparency);
    }
    return;
  }
  // -1 (and any value outside 24 bits) matches no pixel.
  const int64_t key = source->colorKey;
  for (int row = 0; row < span.height; ++row, s -= srcStride, d -= dstStride) {
    RowKeyed(d, s, span.width, key, transparency, fillColor);
  }
}

// ---- DrawSmooth --------------------------------------------------------------------------------------
// The source is placed at (ix + fx, iy + fy), ix and iy the floors, fx and fy in 0..1 (1 only for a
// whole negative coordinate, by the way the floor is formed). Each source pixel spreads over its own
// destination pixel and the right, lower and lower-right neighbours with the weights
// (1-fx)(1-fy), fx(1-fy), (1-fx)fy, fx fy; read the other way, destination pixel (ix + i, iy + j) gathers
// source pixels (i, j), (i-1, j), (i, j-1) and (i-1, j-1). Samples outside the source count as black and
// fully transparent, so the picture's border fades out over the extra column and row it covers.

namespace {

// Splits a coordinate into integer part and fraction: a negative value is lowered by 1 first and its
// remainder raised by 1, so the integer part is the floor.
void SplitCoordinate(double v, int& whole, double& fraction) {
  if (v < 0) v -= 1;
  whole = static_cast<int>(v);  // truncation; v is range-checked by the caller
  fraction = v - whole;
  if (v < 0) fraction += 1;
}

// The bilinear weights (sum 256, give or take the truncation) of a source pixel's own destination pixel
// (w00) and of its right (w10), lower (w01) and lower-right (w11) neighbours.
struct Weights {
  int w00 = 0, w10 = 0, w01 = 0, w11 = 0;
};

// The two source rows a destination row gathers from: `lower` (row j, weight 1 - fy) and `upper` (row
// j - 1, weight fy), each with its mask row; null when outside the source.
struct SourceRows {
  const uint8_t *lower = nullptr, *lowerMask = nullptr, *upper = nullptr, *upperMask = nullptr;
};

SourceRows RowsFor(const Bitmap& source, int j) {
  const int height = source.GetHeight();
  SourceRows rows;
  if (j < height) rows.lower = source.GetRow(j), rows.lowerMask = source.GetMaskRow(j);
  if (j >= 1 && j - 1 < height) rows.upper = source.GetRow(j - 1), rows.upperMask = source.GetMaskRow(j - 1);
  return rows;
}

// Sums of one destination pixel's four weighted samples.
struct Sums {
  int b = 0, g = 0, r = 0, m = 0;
};

// Adds the sample at column col of a source row (row null = outside the source) with weight w.
inline void AddSample(Sums& sum, const uint8_t* row, const uint8_t* maskRow, int col, int width, int w) {
  if (row != nullptr && col >= 0 && col < width) {
    const uint8_t* p = row + 3 * col;
    sum.b += w * p[0];
    sum.g += w * p[1];
    sum.r += w * p[2];
    sum.m += w * maskRow[col];
  } else {
    sum.m += w * 255;
  }
}

// The weighted sums the destination pixel over source column i gathers from columns i and i - 1.
inline Sums Gather(const SourceRows& rows, int i, int width, const Weights& w) {
  Sums sum;
  if (rows.lower != nullptr && rows.upper != nullptr && i >= 1 && i < width) {  // all four inside: no checks
    const uint8_t *p = rows.lower + 3 * i, *q = rows.upper + 3 * i;
    sum.b = w.w00 * p[0] + w.w10 * p[-3] + w.w01 * q[0] + w.w11 * q[-3];
    sum.g = w.w00 * p[1] + w.w10 * p[-2] + w.w01 * q[1] + w.w11 * q[-2];
    sum.r = w.w00 * p[2] + w.w10 * p[-1] + w.w01 * q[2] + w.w11 * q[-1];
    sum.m = w.w00 * rows.lowerMask[i] + w.w10 * rows.lowerMask[i - 1] + w.w01 * rows.upperMask[i] +
            w.w11 * rows.upperMask[i - 1];
    return sum;
  }
  AddSample(sum, rows.lower, rows.lowerMask, i, width, w.w00);
  AddSample(sum, rows.lower, rows.lowerMask, i - 1, width, w.w10);
  AddSample(sum, rows.upper, rows.upperMask, i, width, w.w01);
  AddSample(sum, rows.upper, rows.upperMask, i - 1, width, w.w11);
  return sum;
}

// Writes the gathered colour over d by its coverage and the source's transparency.
inline void PutSmooth(uint8_t* d, const Sums& sum, int transparency) {
  const int a = ((sum.m >> 8) & 0xFF) + transparency;
  if (a >= 255) return;
  const int cb = sum.b >> 8, cg = sum.g >> 8, cr = sum.r >> 8;
  if (a == 0) {
    d[0] = static_cast<uint8_t>(cb), d[1] = static_cast<uint8_t>(cg), d[2] = static_cast<uint8_t>(cr);
  } else {
    d[0] = Blend(cb, d[0], a), d[1] = Blend(cg, d[1], a), d[2] = Blend(cr, d[2], a);
  }
}

}  // namespace

void Bitmap::DrawSmooth(const Bitmap* source, double x, double y) {
  if (source == nullptr || !source->HasPixels() || source->GetMask() == nullptr || !HasPixels()) return;
  // Positions far outside any picture (or not numbers at all) draw nothing and must not overflow.
  if (!(std::fabs(x) < 1e9 && std::fabs(y) < 1e9)) return;
  int ix, iy;
  double fx, fy;
  SplitCoordinate(x, ix, fx);
  SplitCoordinate(y, iy, fy);
  if (ix >= GetWidth() || iy >= GetHeight()) return;

  const Weights w{static_cast<int>((1 - fx) * (1 - fy) * 256), static_cast<int>(fx * (1 - fy) * 256),
                  static_cast<int>((1 - fx) * fy * 256), static_cast<int>(fx * fy * 256)};
  const int srcWidth = source->GetWidth(), srcHeight = source->GetHeight();
  // The destination pixels that take a non-zero weight from the source's pixels: one column more on the
  // right when the spread to the right has weight, one fewer on the left when a pixel keeps none of its
  // own column (fx = 1); the same for rows.
  const BitmapRect cover{w.w00 + w.w01 == 0, w.w00 + w.w10 == 0, srcWidth + (w.w10 + w.w11 > 0),
                         srcHeight + (w.w01 + w.w11 > 0)};
  Span span;
  if (cover.left >= cover.right || cover.top >= cover.bottom) return;
  if (!ClipToDestination(cover, ix, iy, GetWidth(), GetHeight(), span)) return;

  const int transparency = std::max(source->transparency, 0);
  for (int row = 0; row < span.height; ++row) {
    const SourceRows rows = RowsFor(*source, span.srcY + row);
    uint8_t* d = GetRow(span.dstY + row) + 3 * span.dstX;
    for (int col = 0; col < span.width; ++col, d += 3)
      PutSmooth(d, Gather(rows, span.srcX + col, srcWidth, w), transparency);
  }
}
