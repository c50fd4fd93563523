// Small picture builders shared by the bitmap tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/bitmap.h"

// A width x height picture filled with color (which becomes its fill colour).
inline OBitmap Filled(int width, int height, uint32_t color) {
  OBitmap b;
  EXPECT_TRUE(b.Create(width, height, static_cast<int32_t>(color)));
  return b;
}
