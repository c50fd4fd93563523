// The focus ring: the outline a dialog draws around the control the keyboard would press, in the colours
// of the dialog frame (dark line, light bevel, slate body, dark line) so that it reads as part of the
// dialog rather than as a selection.
#pragma once

#include <memory>

#include "engine/bitmap.h"

namespace focus_ring {

// Band width plus the one-pixel gap left between the ring and the control.
constexpr int kMargin = 5;
// The colour key of the ring's hollow middle.
constexpr int32_t kKey = 0xFF00FF;

// A colour-keyed picture (width + 2 kMargin) x (height + 2 kMargin) showing only the ring around a
// control of width x height placed kMargin in; null when the picture cannot be made.
std::unique_ptr<Bitmap> Make(int width, int height);

}  // namespace focus_ring
