// How far apart two colours look: sRGB to CIELAB (D65), the CIEDE2000 colour difference, and the
// common colour-vision deficiencies simulated on linear RGB, for checking that the ball colours stay
// apart for every player.
#pragma once

#include <cstdint>

namespace colour {

// Linear-light RGB, each channel 0..1 (sRGB primaries).
struct LinearRgb {
  double r = 0, g = 0, b = 0;
};

// CIELAB under D65.
struct Lab {
  double L = 0, a = 0, b = 0;
};

// The ways of seeing the tool compares under.
enum class Vision { kNormal, kDeutan, kProtan, kTritan };
constexpr int kVisionCount = 4;

// One 8-bit sRGB channel value (0..255) in linear light.
double SrgbToLinear(int value);
// A linear channel value as an 8-bit sRGB value, rounded and clamped.
int LinearToSrgb(double value);
// 0xRRGGBB of a linear colour.
uint32_t ToHex(const LinearRgb& c);
// The CIELAB coordinates of a linear sRGB colour (via XYZ, D65 white).
Lab ToLab(const LinearRgb& c);
// The CIEDE2000 difference of two colours (kL = kC = kH = 1).
double Ciede2000(const Lab& x, const Lab& y);
// The colour as seen with the given full-strength deficiency, clamped to 0..1 (unchanged for normal).
LinearRgb Simulate(Vision vision, const LinearRgb& c);
// A short name of a way of seeing ("normal", "deutan", "protan", "tritan").
const char* VisionName(Vision vision);

}  // namespace colour
