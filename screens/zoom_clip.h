// The logo zoom: one picture turned into a clip whose frames show it at a range of sizes, each centred
// in a frame of the largest size. Scaling averages in 12-bit fixed point (4096 = 1.0), per axis, so a
// shrunk pixel is the exact area-weighted mean of the source pixels it covers.
#pragma once

#include <memory>
#include <vector>

class Bitmap;
class Clip;

// One pixel's share of a run mapped onto another: the first cell it falls in, its weight there, and
// its weight in the next cell (0 when it does not reach it).
struct ZoomWeight {
  int cell = 0;
  int first = 0;
  int second = 0;
};

// Maps a run of n pixels onto a run of m cells: every pixel advances a position by m within cells n
// long; a pixel crossing a cell's end is split by (n - p) and (q - n), each x 4096 / d, and one
// that does not gets full.
std::vector<ZoomWeight> ZoomWeights(int n, int m, int d, int full);

// source's colours and mask (when it has one) scaled to width x height (each at least 1). Shrinks by
// area averages when source is at least that large in both directions, else enlarges by weighted
// neighbours. Null when source has no pixels or the size is unusable.
std::unique_ptr<Bitmap> ScalePicture(const Bitmap& source, int width, int height);

// A clip of picture at sizes fromSize, fromSize + step, ... up to toSize (sides below 8 count as 8), each
// centred in a toSize x toSize frame that is transparent around it. Null when fromSize > toSize, step < 1
// or picture has no pixels.
std::unique_ptr<Clip> MakeZoomClip(const Bitmap& picture, int fromSize, int toSize, int step);
