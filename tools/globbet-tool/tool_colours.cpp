// globbet-tool colours: how far apart the six ball colours look, as drawn. Each resting ball is reduced to
// the mean of its opaque pixels (averaged in linear light), and every pair is compared with CIEDE2000 as
// seen normally and with each common colour-vision deficiency at full strength.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/clip.h"
#include "engine/clip_file.h"
#include "tools/globbet-tool/colour_difference.h"
#include "tools/globbet-tool/command.h"

namespace {
constexpr char kUsage[] =
    "usage: globbet-tool colours DATADIR [--min-normal N] [--min-deficient N]\n"
    "\n"
    "  The mean colour of the resting ball of each colour (DATADIR/clp/ball/0..5.clp, its last frame,\n"
    "  opaque pixels averaged in linear light) and the CIEDE2000 difference of every pair of them, as\n"
    "  seen normally and with deuteranopia, protanopia and tritanopia (simulated after Machado, Oliveira\n"
    "  and Fernandes 2009, full severity).\n"
    "\n"
    "  --min-normal N     the least difference allowed with normal vision (default 22)\n"
    "  --min-deficient N  the least difference allowed with each deficiency (default 14)\n"
    "\n"
    "Exit status 1 when a pair is closer than allowed, or a ball cannot be read.\n";

constexpr int kColours = 6;
constexpr double kMinNormal = 22.0, kMinDeficient = 14.0;

// The mean colour of the picture's fully opaque pixels; false when it has none.
bool MeanColour(const Bitmap& picture, colour::LinearRgb& mean) {
  double r = 0, g = 0, b = 0;
  long count = 0;
  for (int y = 0; y < picture.GetHeight(); ++y) {
    const uint8_t* mask = picture.GetMaskRow(y);
    for (int x = 0; x < picture.GetWidth(); ++x) {
      if (mask && mask[x] != 0) continue;
      const uint32_t p = picture.GetPixel(x, y);
      r += colour::SrgbToLinear(int(p >> 16 & 0xFF));
      g += colour::SrgbToLinear(int(p >> 8 & 0xFF));
      b += colour::SrgbToLinear(int(p & 0xFF));
      ++count;
    }
  }
  if (count == 0) return false;
  mean = {r / double(count), g / double(count), b / double(count)};
  return true;
}

// Reads the number after option i into value (moving i onto it); false when it is missing or not a
// number of zero or more.
bool ReadThreshold(const ToolArgs& args, size_t& i, double& value) {
  if (i + 1 >= args.size()) return false;
  const char* text = args[++i].c_str();
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && value >= 0;
}

// Prints the table of pairs and returns how many fall short of their threshold.
int PrintPairs(const colour::LinearRgb (&means)[kColours], double minNormal, double minDeficient) {
  double least[colour::kVisionCount];
  for (double& l : least)
    l = 1e9;
  int shortfalls = 0;
  std::printf("\npair    normal  deutan  protan  tritan\n");
  for (int i = 0; i < kColours; ++i)
    for (int j = i + 1; j < kColours; ++j) {
      std::printf("%d-%d  ", i, j);
      for (int v = 0; v < colour::kVisionCount; ++v) {
        const auto vision = colour::Vision(v);
        const double d = colour::Ciede2000(colour::ToLab(colour::Simulate(vision, means[i])),
                                           colour::ToLab(colour::Simulate(vision, means[j])));
        const bool low = d < (vision == colour::Vision::kNormal ? minNormal : minDeficient);
        shortfalls += low;
        least[v] = std::min(least[v], d);
        std::printf("%7.1f%c", d, low ? '!' : ' ');
      }
      std::printf("\n");
    }
  std::printf("least");
  for (double l : least)
    std::printf(" %7.1f", l);
  std::printf("\n");
  return shortfalls;
}

int Run(const ToolArgs& args) {
  std::string folder;
  double minNormal = kMinNormal, minDeficient = kMinDeficient;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--min-normal") {
      if (!ReadThreshold(args, i, minNormal)) return Fail("--min-normal needs a number");
    } else if (args[i] == "--min-deficient") {
      if (!ReadThreshold(args, i, minDeficient)) return Fail("--min-deficient needs a number");
    } else if (folder.empty()) {
      folder = args[i];
    } else {
      return Fail("usage: colours DATADIR [--min-normal N] [--min-deficient N]");
    }
  }
  if (folder.empty()) return Fail("usage: colours DATADIR [--min-normal N] [--min-deficient N]");

  colour::LinearRgb means[kColours];
  std::printf("ball  mean colour\n");
  for (int k = 0; k < kColours; ++k) {
    const std::string path = folder + "/clp/ball/" + std::to_string(k) + ".clp";
    Clip ball;
    std::string why;
    if (!LoadClipFile(path, ball, &why)) return Fail("cannot read '" + path + "': " + why);
    const Bitmap* rest = ball.GetFrame(ball.GetFrameCount() - 1);
    if (!rest || !MeanColour(*rest, means[k])) return Fail("'" + path + "' shows no opaque resting ball");
    std::printf("%d     #%06X\n", k, colour::ToHex(means[k]));
  }
  const int shortfalls = PrintPairs(means, minNormal, minDeficient);
  if (shortfalls == 0) return 0;
  char why[128];
  std::snprintf(why, sizeof why, "%d differences below %g (normal) or %g (each deficiency), marked '!'",
                shortfalls, minNormal, minDeficient);
  return Fail(why);
}

const GlobbetToolCommand kColoursCommand(
    "colours", "how far apart the six ball colours look, with and without colour blindness", kUsage, &Run);
}  // namespace
