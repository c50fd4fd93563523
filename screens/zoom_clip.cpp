#include "screens/zoom_clip.h"

#include <algorithm>
#include <cstdint>

#include "engine/bitmap.h"
#include "engine/clip.h"

namespace {
constexpr int kOne = 4096;        // 1.0 in the weights
constexpr int kWeightShift = 24;  // a product of two weights is 1.0 at 2^24
constexpr int kSmallestSide = 8;
constexpr uint8_t kTransparent = 255;

// One row of a picture as blue, green, red and mask (0 opaque .. 255 transparent) values. The rows are
// fetched once per row, not per channel: the logo's 51 zoom frames are made at start-up.
struct TexelRow {
  const uint8_t* colour;
  const uint8_t* mask;  // null: opaque
  uint8_t Channel(int x, int c) const {
    if (c == 3) return mask ? mask[x] : 0;
    return colour[3 * x + c];
  }
};

TexelRow RowOf(const Bitmap& picture, int y) {
  return TexelRow{picture.GetRow(y), picture.GetMaskRow(y)};
}

// Writes channel c (0..2 colour, 3 mask) of a target pixel, given its row's colour and mask.
void Put(uint8_t* colour, uint8_t* mask, int x, int c, uint64_t value) {
  const uint8_t v = static_cast<uint8_t>(std::min<uint64_t>(value >> kWeightShift, 255));
  if (c == 3) {
    if (mask) mask[x] = v;
  } else {
    colour[3 * x + c] = v;
  }
}

// Shrinking: every source pixel adds its weighted channels into the one to four target pixels it covers.
void Shrink(const Bitmap& source, Bitmap& target, int channels) {
  const int sw = source.GetWidth(), sh = source.GetHeight();
  const int tw = target.GetWidth(), th = target.GetHeight();
  const auto wx = ZoomWeights(sw, tw, sw, kOne * tw / sw);
  const auto wy = ZoomWeights(sh, th, sh, kOne * th / sh);
  std::vector<uint64_t> sums(size_t(tw) * size_t(th) * 4, 0);
  auto add = [&](int tx, int ty, int c, uint64_t v) {
    if (tx < tw && ty < th) sums[(size_t(ty) * size_t(tw) + size_t(tx)) * 4 + size_t(c)] += v;
  };
  for (int y = 0; y < sh; ++y) {
    const ZoomWeight& vy = wy[size_t(y)];
    const TexelRow row = RowOf(source, y);
    for (int x = 0; x < sw; ++x) {
      const ZoomWeight& vx = wx[size_t(x)];
      for (int c = 0; c < channels; ++c) {
        const uint64_t v = row.Channel(x, c);
        add(vx.cell, vy.cell, c, v * uint64_t(vx.first) * uint64_t(vy.first));
        if (vx.second) add(vx.cell + 1, vy.cell, c, v * uint64_t(vx.second) * uint64_t(vy.first));
        if (vy.second) add(vx.cell, vy.cell + 1, c, v * uint64_t(vx.first) * uint64_t(vy.second));
        if (vx.second && vy.second)
          add(vx.cell + 1, vy.cell + 1, c, v * uint64_t(vx.second) * uint64_t(vy.second));
      }
    }
  }
  for (int y = 0; y < th; ++y) {
    uint8_t *colour = target.GetRow(y), *mask = target.GetMaskRow(y);
    for (int x = 0; x < tw; ++x)
      for (int c = 0; c < channels; ++c)
        Put(colour, mask, x, c, sums[(size_t(y) * size_t(tw) + size_t(x)) * 4 + size_t(c)]);
  }
}

// Enlarging: every target pixel is the weighted sum of the one to four source pixels it covers.
void Enlarge(const Bitmap& source, Bitmap& target, int channels) {
  const int sw = source.GetWidth(), sh = source.GetHeight();
  const int tw = target.GetWidth(), th = target.GetHeight();
  const auto wx = ZoomWeights(tw, sw, sw, kOne);
  const auto wy = ZoomWeights(th, sh, sh, kOne);
  for (int y = 0; y < th; ++y) {
    const ZoomWeight& vy = wy[size_t(y)];
    const TexelRow row0 = RowOf(source, std::min(vy.cell, sh - 1)),
                   row1 = RowOf(source, std::min(vy.cell + 1, sh - 1));
    uint8_t *colour = target.GetRow(y), *mask = target.GetMaskRow(y);
    for (int x = 0; x < tw; ++x) {
      const ZoomWeight& vx = wx[size_t(x)];
      const int x0 = std::min(vx.cell, sw - 1), x1 = std::min(vx.cell + 1, sw - 1);
      for (int c = 0; c < channels; ++c) {
        uint64_t sum = uint64_t(row0.Channel(x0, c)) * uint64_t(vx.first) * uint64_t(vy.first);
        sum += uint64_t(row0.Channel(x1, c)) * uint64_t(vx.second) * uint64_t(vy.first);
        sum += uint64_t(row1.Channel(x0, c)) * uint64_t(vx.first) * uint64_t(vy.second);
        sum += uint64_t(row1.Channel(x1, c)) * uint64_t(vx.second) * uint64_t(vy.second);
        Put(colour, mask, x, c, sum);
      }
    }
  }
}
}  // namespace

std::vector<ZoomWeight> ZoomWeights(int n, int m, int d, int full) {
  std::vector<ZoomWeight> table(size_t(std::max(n, 0)));
  if (n <= 0 || m <= 0 || d <= 0) return table;
  int p = 0, cell = 0;
  for (int i = 0; i < n; ++i) {
    ZoomWeight& w = table[size_t(i)];
    w.cell = cell;
    const int q = p + m;
    if (q > n) {
      w.first = (n - p) * kOne / d;
      w.second = (q - n) * kOne / d;
      ++cell;
      p = q - n;
    } else {
      w.first = full;
      if (q == n) {
        ++cell;
        p = 0;
      } else {
        p = q;
      }
    }
  }
  return table;
}

std::unique_ptr<Bitmap> ScalePicture(const Bitmap& source, int width, int height) {
  if (!source.HasPixels() || width < 1 || height < 1) return nullptr;
  auto target = std::make_unique<Bitmap>();
  if (!target->Create(width, height, 0)) return nullptr;
  const bool masked = source.GetMask() != nullptr;
  if (masked && !target->CreateMask(kTransparent)) return nullptr;
  const int channels = masked ? 4 : 3;
  if (source.GetWidth() >= width && source.GetHeight() >= height)
    Shrink(source, *target, channels);
  else
    Enlarge(source, *target, channels);
  target->colorKey = source.colorKey;
  target->transparency = source.transparency;
  return target;
}

std::unique_ptr<Clip> MakeZoomClip(const Bitmap& picture, int fromSize, int toSize, int step) {
  if (fromSize > toSize || step < 1 || !picture.HasPixels()) return nullptr;
  toSize = std::max(toSize, kSmallestSide);
  auto clip = std::make_unique<Clip>();
  for (int s = fromSize; s <= toSize; s += step) {
    const int side = std::max(s, kSmallestSide);
    auto scaled = ScalePicture(picture, side, side);
    auto frame = std::make_unique<Bitmap>();
    if (!scaled || !frame->Create(toSize, toSize, 0) || !frame->CreateMask(kTransparent)) return nullptr;
    // Centred in the frame; the frame's mask shows only the scaled picture.
    const int at = (toSize - side) / 2;
    for (int y = 0; y < side; ++y) {
      std::copy_n(scaled->GetRow(y), 3 * side, frame->GetRow(at + y) + 3 * at);
      const uint8_t* mask = scaled->GetMaskRow(y);
      uint8_t* out = frame->GetMaskRow(at + y) + at;
      if (mask)
        std::copy_n(mask, side, out);
      else
        std::fill_n(out, side, uint8_t{0});
    }
    clip->AddFrame(std::move(frame));
  }
  return clip;
}
