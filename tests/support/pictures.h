// Pictures and clips for tests: plain fills, patterns whose every pixel differs, and pixel lists for
// whole-picture comparisons.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/bitmap.h"
#include "engine/clip.h"

// A width x height picture filled with color (which becomes its fill colour), keyed by key (-1: none).
inline Bitmap Filled(int width, int height, uint32_t color, int32_t key = -1) {
  Bitmap b;
  EXPECT_TRUE(b.Create(width, height, static_cast<int32_t>(color)));
  b.colorKey = key;
  return b;
}

inline std::unique_ptr<Bitmap> Picture(int width, int height, uint32_t color, int32_t key = -1) {
  return std::make_unique<Bitmap>(Filled(width, height, color, key));
}

// A picture whose every pixel differs, so any misplaced pixel shows; salt varies it.
inline Bitmap Pattern(int width, int height, uint32_t salt = 0) {
  Bitmap b = Filled(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.SetPixel(x, y, (0x10000 * (x * 7 + 1) + 0x100 * (y * 11 + 3) + salt) & 0xFFFFFF);
  return b;
}

// A pattern with a mask of every strength from opaque to transparent.
inline Bitmap MaskedPattern(int width, int height, uint32_t salt = 0x21) {
  Bitmap b = Pattern(width, height, salt);
  uint8_t* m = b.CreateMask(0);
  for (int i = 0; i < width * height; ++i)
    m[i] = static_cast<uint8_t>((i * 97) % 256);
  return b;
}

// A clip of frames of the given colours.
template <class Clip = Clip>
std::unique_ptr<Clip> SolidClip(int width, int height, std::vector<uint32_t> colors) {
  auto clip = std::make_unique<Clip>();
  for (uint32_t c : colors)
    clip->AddFrame(Picture(width, height, c));
  return clip;
}

// A clip of sequences of one frame each, in the given colours, showing the first.
template <class Clip = Clip>
std::unique_ptr<Clip> SequenceClip(int width, int height, std::vector<uint32_t> colors) {
  auto clip = std::make_unique<Clip>();
  for (uint32_t c : colors)
    clip->AddSequence()->AddFrame(Picture(width, height, c));
  clip->SetFrame(0, 0);
  return clip;
}

// The pixels of a picture, row by row.
inline std::vector<uint32_t> Pixels(const Bitmap& b) {
  std::vector<uint32_t> out;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x)
      out.push_back(b.GetPixel(x, y));
  return out;
}
