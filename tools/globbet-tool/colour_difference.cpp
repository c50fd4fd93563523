// Colour difference and deficiency simulation; see colour_difference.h.
#include "tools/globbet-tool/colour_difference.h"

#include <algorithm>
#include <cmath>

namespace colour {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) {
  return degrees * kPi / 180.0;
}

double Degrees(double radians) {
  return radians * 180.0 / kPi;
}

// The CIELAB companding of a white-relative tristimulus value.
double LabCurve(double t) {
  constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;
  return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0;
}

// Hue angle in degrees 0..360 of (a, b); 0 for a neutral colour.
double HueAngle(double a, double b) {
  if (a == 0 && b == 0) return 0;
  const double h = Degrees(std::atan2(b, a));
  return h < 0 ? h + 360.0 : h;
}

// Machado, Oliveira and Fernandes (2009), "A Physiologically-based Model for Simulation of Color Vision
// Deficiency", IEEE TVCG 15(6): the severity 1.0 matrices (dichromacy), applied to linear RGB.
constexpr double kMachado[3][3][3] = {
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}},
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}},
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}},
};

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

}  // namespace

double SrgbToLinear(int value) {
  const double v = value / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

int LinearToSrgb(double value) {
  const double v = Clamp01(value);
  const double s = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
  return int(std::lround(s * 255.0));
}

uint32_t ToHex(const LinearRgb& c) {
  return uint32_t(LinearToSrgb(c.r)) << 16 | uint32_t(LinearToSrgb(c.g)) << 8 | uint32_t(LinearToSrgb(c.b));
}

Lab ToLab(const LinearRgb& c) {
  // sRGB primaries to XYZ (IEC 61966-2-1), divided by the D65 white point.
  const double x = (0.4124564 * c.r + 0.3575761 * c.g + 0.1804375 * c.b) / 0.95047;
  const double y = 0.2126729 * c.r + 0.7151522 * c.g + 0.0721750 * c.b;
  const double z = (0.0193339 * c.r + 0.1191920 * c.g + 0.9503041 * c.b) / 1.08883;
  const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
  return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

// Sharma, Wu and Dalal (2005), "The CIEDE2000 Color-Difference Formula: Implementation Notes,
// Supplementary Test Data, and Mathematical Observations", Color Res. Appl. 30(1), equations 1-22.
double Ciede2000(const Lab& x, const Lab& y) {
  const double c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
  const double cMean7 = std::pow((c1 + c2) / 2.0, 7.0);
  const double g = 0.5 * (1.0 - std::sqrt(cMean7 / (cMean7 + std::pow(25.0, 7.0))));
  const double a1 = (1.0 + g) * x.a, a2 = (1.0 + g) * y.a;
  const double cp1 = std::hypot(a1, x.b), cp2 = std::hypot(a2, y.b);
  const double h1 = HueAngle(a1, x.b), h2 = HueAngle(a2, y.b);

  const double dL = y.L - x.L, dC = cp2 - cp1;
  double dh = 0;
  if (cp1 * cp2 != 0) {
    dh = h2 - h1;
    if (dh > 180.0) dh -= 360.0;
    if (dh < -180.0) dh += 360.0;
  }
  const double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(Radians(dh / 2.0));

  const double lMean = (x.L + y.L) / 2.0, cMean = (cp1 + cp2) / 2.0;
  double hMean = h1 + h2;
  if (cp1 * cp2 != 0) {
    // The mean of two angles goes the short way round the circle.
    if (std::fabs(h1 - h2) <= 180.0)
      hMean /= 2.0;
    else
      hMean = hMean < 360.0 ? (hMean + 360.0) / 2.0 : (hMean - 360.0) / 2.0;
  }
  const double t = 1.0 - 0.17 * std::cos(Radians(hMean - 30.0)) + 0.24 * std::cos(Radians(2.0 * hMean)) +
                   0.32 * std::cos(Radians(3.0 * hMean + 6.0)) - 0.20 * std::cos(Radians(4.0 * hMean - 63.0));
  const double dTheta = 30.0 * std::exp(-std::pow((hMean - 275.0) / 25.0, 2.0));
  const double cMeanP7 = std::pow(cMean, 7.0);
  const double rc = 2.0 * std::sqrt(cMeanP7 / (cMeanP7 + std::pow(25.0, 7.0)));
  const double l50 = (lMean - 50.0) * (lMean - 50.0);
  const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
  const double sc = 1.0 + 0.045 * cMean;
  const double sh = 1.0 + 0.015 * cMean * t;
  const double rt = -std::sin(Radians(2.0 * dTheta)) * rc;
  const double tl = dL / sl, tc = dC / sc, th = dH / sh;
  return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

LinearRgb Simulate(Vision vision, const LinearRgb& c) {
  if (vision == Vision::kNormal) return c;
  const double(&m)[3][3] = kMachado[int(vision) - 1];
  return {Clamp01(m[0][0] * c.r + m[0][1] * c.g + m[0][2] * c.b),
          Clamp01(m[1][0] * c.r + m[1][1] * c.g + m[1][2] * c.b),
          Clamp01(m[2][0] * c.r + m[2][1] * c.g + m[2][2] * c.b)};
}

const char* VisionName(Vision vision) {
  switch (vision) {
    case Vision::kNormal:
      return "normal";
    case Vision::kDeutan:
      return "deutan";
    case Vision::kProtan:
      return "protan";
    default:
      return "tritan";
  }
}

}  // namespace colour
