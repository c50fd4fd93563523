// Bitmap storage, construction, pixel access, fills and the two mask-building operations. Compositing
// lives in bitmap_draw.cpp, rectangles in bitmap_rect.cpp, text in bitmap_text.cpp.
//
// Sections: storage and ownership · pixel access · fill and colour key · masks
#include "engine/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "engine/check.h"

namespace {

// Largest picture accepted: a side of 16384 pixels and 256 MiB of pixel memory. Clip files give sizes
// from disk; anything bigger is a damaged file, not a picture.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixelBytes = int64_t{256} << 20;

void PutColor(uint8_t* p, uint32_t color) {
  p[0] = static_cast<uint8_t>(color);
  p[1] = static_cast<uint8_t>(color >> 8);
  p[2] = static_cast<uint8_t>(color >> 16);
}

uint32_t TakeColor(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (uint32_t{p[2]} << 16);
}

}  // namespace

// ---- storage and ownership ---------------------------------------------------------------------------

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height) {
  Create(width, height, -1);
}

Bitmap::Bitmap(const Bitmap& source) {
  ShareFrom(&source);
}

Bitmap& Bitmap::operator=(const Bitmap& source) {
  ShareFrom(&source);
  return *this;
}

Bitmap::Bitmap(Bitmap&& source) noexcept {
  *this = std::move(source);
}

Bitmap& Bitmap::operator=(Bitmap&& source) noexcept {
  if (&source == this) return *this;
  Release();
  offsetX = source.offsetX;
  offsetY = source.offsetY;
  fillColor = source.fillColor;
  transparency = source.transparency;
  frameAction = source.frameAction;
  actionArg1 = source.actionArg1;
  actionArg2 = source.actionArg2;
  colorKey = source.colorKey;
  storage_ = std::exchange(source.storage_, nullptr);
  return *this;
}

Bitmap::~Bitmap() {
  Release();
}

void Bitmap::Release() {
  BitmapStorage* storage = storage_;
  storage_ = nullptr;
  if (storage == nullptr) return;
  if (storage->extraOwners > 0) {
    --storage->extraOwners;
    return;
  }
  delete[] storage->mask;
  delete[] storage->pixels;
  delete storage;
}

bool Bitmap::Create(int width, int height, int32_t fill) {
  Release();
  if (fill != -1) {
    if (!GLOBBET_CHECK(fill >= 0 && fill <= 0xFFFFFF,
                       "pass the fill as 0xRRGGBB, or -1 to keep the fill colour"))
      fill &= 0xFFFFFF;
    fillColor = static_cast<uint32_t>(fill);
  }
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const int32_t stride = BitmapStride(width);
  const int64_t bytes = int64_t{stride} * (height + 1);
  if (bytes > kMaxPixelBytes) return false;

  auto* storage = new (std::nothrow) BitmapStorage;
  if (storage == nullptr) return false;
  // Zeroed so that the spare row reads as black.
  storage->pixels = new (std::nothrow) uint8_t[static_cast<size_t>(bytes)]();
  if (storage->pixels == nullptr) {
    delete storage;
    return false;
  }
  storage->width = width;
  storage->height = height;
  storage->stride = stride;
  storage_ = storage;
  Fill(nullptr);
  return true;
}

bool Bitmap::ShareFrom(const Bitmap* source) {
  if (source == nullptr) return false;
  if (source != this) {
    BitmapStorage* shared = source->storage_;
    if (shared != storage_) {
      if (shared != nullptr) ++shared->extraOwners;  // before Release, in case this holds the last count
      Release();
      storage_ = shared;
    }
  }
  offsetX = source->offsetX;
  offsetY = source->offsetY;
  transparency = source->transparency;
  colorKey = source->colorKey;
  return true;
}

// ---- pixel access ------------------------------------------------------------------------------------

uint8_t* Bitmap::GetRow(int y) {
  return storage_->pixels + static_cast<size_t>(storage_->height - 1 - y) * storage_->stride;
}

const uint8_t* Bitmap::GetRow(int y) const {
  return storage_->pixels + static_cast<size_t>(storage_->height - 1 - y) * storage_->stride;
}

uint8_t* Bitmap::GetMaskRow(int y) {
  if (storage_ == nullptr || storage_->mask == nullptr) return nullptr;
  return storage_->mask + static_cast<size_t>(storage_->height - 1 - y) * storage_->width;
}

const uint8_t* Bitmap::GetMaskRow(int y) const {
  if (storage_ == nullptr || storage_->mask == nullptr) return nullptr;
  return storage_->mask + static_cast<size_t>(storage_->height - 1 - y) * storage_->width;
}

uint8_t* Bitmap::CreateMask(uint8_t fill) {
  if (storage_ == nullptr) return nullptr;
  const auto bytes = static_cast<size_t>(BitmapMaskSize(storage_->width, storage_->height));
  auto* mask = new (std::nothrow) uint8_t[bytes];
  if (mask == nullptr) return nullptr;
  std::memset(mask, fill, bytes);
  delete[] storage_->mask;
  storage_->mask = mask;
  return mask;
}

void Bitmap::FreeMask() {
  if (storage_ == nullptr) return;
  delete[] storage_->mask;
  storage_->mask = nullptr;
}

uint32_t Bitmap::GetPixel(int x, int y) const {
  if (storage_ == nullptr || x < 0 || y < 0 || x >= storage_->width || y >= storage_->height) return 0;
  return TakeColor(GetRow(y) + 3 * x);
}

void Bitmap::SetPixel(int x, int y, uint32_t color) {
  if (storage_ == nullptr || x < 0 || y < 0 || x >= storage_->width || y >= storage_->height) return;
  PutColor(GetRow(y) + 3 * x, color);
}

// ---- fill and colour key -----------------------------------------------------------------------------

void Bitmap::Fill(const BitmapRect* rect) {
  if (storage_ == nullptr) return;
  BitmapRect r{0, 0, storage_->width, storage_->height};
  if (rect != nullptr) {
    r.left = std::max(rect->left, 0);
    r.top = std::max(rect->top, 0);
    r.right = std::min(rect->right, storage_->width);
    r.bottom = std::min(rect->bottom, storage_->height);
  }
  if (r.left >= r.right || r.top >= r.bottom) return;

  const uint8_t b = static_cast<uint8_t>(fillColor), g = static_cast<uint8_t>(fillColor >> 8),
                red = static_cast<uint8_t>(fillColor >> 16);
  const int count = r.right - r.left;
  uint8_t* first = GetRow(r.top) + 3 * r.left;
  // Build the first row, then copy it: one pass of three-byte writes instead of one a row.
  for (int i = 0; i < count; ++i) {
    first[3 * i] = b;
    first[3 * i + 1] = g;
    first[3 * i + 2] = red;
  }
  for (int y = r.top + 1; y < r.bottom; ++y)
    std::memcpy(GetRow(y) + 3 * r.left, first, 3 * size_t(count));
}

void Bitmap::SetColorKey(int32_t value) {
  if (value != -1) {
    colorKey = value;
    return;
  }
  // An empty picture has no top-left pixel to take; it keeps no key.
  colorKey = storage_ != nullptr ? static_cast<int32_t>(TakeColor(GetRow(0))) : -1;
}

// ---- masks -------------------------------------------------------------------------------------------

bool Bitmap::MakeMaskFromPair(const Bitmap& other) {
  if (storage_ == nullptr || other.storage_ == nullptr) return false;
  const int width = storage_->width, height = storage_->height;
  if (other.storage_->width != width || other.storage_->height != height) return false;
  uint8_t* mask = CreateMask(255);
  if (mask == nullptr) return false;

  for (int row = 0; row < height; ++row) {  // memory rows; pixels and mask run bottom-up alike
    uint8_t* onBlack = storage_->pixels + static_cast<size_t>(row) * storage_->stride;
    const uint8_t* onWhite = other.storage_->pixels + static_cast<size_t>(row) * other.storage_->stride;
    uint8_t* m = mask + static_cast<size_t>(row) * width;
    for (int x = 0; x < width; ++x) {
      uint8_t* c = onBlack + 3 * x;
      const uint8_t* w = onWhite + 3 * x;
      const int value = std::min({std::abs(c[0] - w[0]), std::abs(c[1] - w[1]), std::abs(c[2] - w[2])});
      m[x] = static_cast<uint8_t>(value);
      if (value > 0 && value < 255) {
        // Undo the darkening by partial coverage. A pair that does not match exactly could push a
        // channel past 255; it is held at white rather than wrapping to a dark value.
        for (int k = 0; k < 3; ++k)
          c[k] = static_cast<uint8_t>(std::min(c[k] * 255 / (255 - value), 255));
      }
    }
  }
  return true;
}

bool Bitmap::SmoothCopy(const Bitmap& source) {
  if (source.storage_ == nullptr) return false;
  // Hold the source's storage while this bitmap is re-created: the source may be this bitmap itself.
  const Bitmap keep(source);
  const BitmapStorage& src = *keep.storage_;
  if (!Create(src.width + 1, src.height + 1, static_cast<int32_t>(source.fillColor))) return false;

  for (int row = 0; row + 1 < src.height; ++row) {
    const uint8_t* lower = src.pixels + static_cast<size_t>(row) * src.stride;
    const uint8_t* upper = lower + src.stride;
    uint8_t* out = storage_->pixels + static_cast<size_t>(row + 1) * storage_->stride + 3;
    for (int x = 0; x + 1 < src.width; ++x) {
      for (int k = 0; k < 3; ++k) {
        const int sum = lower[3 * x + k] + lower[3 * x + 3 + k] + upper[3 * x + k] + upper[3 * x + 3 + k];
        out[3 * x + k] = static_cast<uint8_t>(sum >> 2);
      }
    }
  }
  return true;
}
