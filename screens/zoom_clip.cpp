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

// The source pixel at (x, y) as blue, green, red and mask (0 opaque .. 255 transparent) values.
struct Texel {
  const Bitmap& picture;
  uint8_t Channel(int x, int y, int c) const {
    if (c == 3) {
      const uint8_t* mask = picture.GetMaskRow(y);
      return mask ? mask[x] : 0;
    }
    return picture.GetRow(y)[3 * x + c];
  }
};

// Writes channel c (0..2 colour, 3 mask) of target pixel (x, y).
void Put(Bitmap& target, int x, int y, int c, uint64_t value) {
  const uint8_t v = static_cast<uint8_t>(std::min<uint64_t>(value >> kWeightShift, 255));
  if (c == 3) {
    if (uint8_t* mask = target.GetMaskRow(y)) mask[x] = v;
  } else {
    target.GetRow(y)[3 * x + c] = v;
  }
}

// Shrinking: every source pixel adds its weighted channels into the one to four target pixels it covers.
void Shrink(const Bitmap& source, Bitmap& target, int channels) {
  const int sw = source.GetWidth(), sh = source.GetHeight();
  const int tw = target.GetWidth(), th = target.GetHeight();
  const auto wx = ZoomWeights(sw, tw, sw, kOne * tw / sw);
  const auto wy = ZoomWeights(sh, th, sh, kOne * th / sh);
  std::vector<uint64_t> sums(size_t(tw) * size_t(th) * 4, 0);
  const Texel texel{source};
  auto add = [&](int tx, int ty, int c, uint64_t v) {
    if (tx < tw && ty < th) sums[(size_t(ty) * size_t(tw) + size_t(tx)) * 4 + size_t(c)] += v;
  };
  for (int y = 0; y < sh; ++y) {
    const ZoomWeight& vy = wy[size_t(y)];
    for (int x = 0; x < sw; ++x) {
      const ZoomWeight& vx = wx[size_t(x)];
      for (int c = 0; c < channels; ++c) {
        const uint64_t v = texel.Channel(x, y, c);
        add(vx.cell, vy.cell, c, v * uint64_t(vx.first) * uint64_t(vy.first));
        if (vx.second) add(vx.cell + 1, vy.cell, c, v * uint64_t(vx.second) * uint64_t(vy.first));
        if (vy.second) add(vx.cell, vy.cell + 1, c, v * uint64_t(vx.first) * uint64_t(vy.second));
        if (vx.second && vy.second)
          add(vx.cell + 1, vy.cell + 1, c, v * uint64_t(vx.second) * uint64_t(vy.second));
      }
    }
  }
  for (int y = 0; y < th; ++y)
    for (int x = 0; x < tw; ++x)
      for (int c = 0; c < channels; ++c)
        Put(target, x, y, c, sums[(size_t(y) * size_t(tw) + size_t(x)) * 4 + size_t(c)]);
}

// Enlarging: every target pixel is the weighted sum of the one to four source pixels it covers.
void Enlarge(const Bitmap& source, Bitmap& target, int channels) {
  const int sw = source.GetWidth(), sh = source.GetHeight();
  const int tw = target.GetWidth(), th = target.GetHeight();
  const auto wx = ZoomWeights(tw, sw, sw, kOne);
  const auto wy = ZoomWeights(th, sh, sh, kOne);
  const Texel texel{source};
  for (int y = 0; y < th; ++y) {
    const ZoomWeight& vy = wy[size_t(y)];
    const int y0 = std::min(vy.cell, sh - 1), y1 = std::min(vy.cell + 1, sh - 1);
    for (int x = 0; x < tw; ++x) {
      const ZoomWeight& vx = wx[size_t(x)];
      const int x0 = std::min(vx.cell, sw - 1), x1 = std::min(vx.cell + 1, sw - 1);
      for (int c = 0; c < channels; ++c) {
        uint64_t sum = uint64_t(texel.Channel(x0, y0, c)) * uint64_t(vx.first) * uint64_t(vy.first);
        sum += uint64_t(texel.Channel(x1, y0, c)) * uint64_t(vx.second) * uint64_t(vy.first);
        sum += uint64_t(texel.Channel(x0, y1, c)) * uint64_t(vx.first) * uint64_t(vy.second);
        sum += uint64_t(texel.Channel(x1, y1, c)) * uint64_t(vx.second) * uint64_t(vy.second);
        Put(target, x, y, c, sum);
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
