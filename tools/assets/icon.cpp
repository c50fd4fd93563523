// The desktop icon; see icon.h.
//
// Sections: geometry · PNG · SVG · output
#include "tools/assets/icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <tuple>
#include <utility>

#include "tools/assets/balls.h"
#include "tools/assets/palette.h"

namespace art {
namespace {

// ---- geometry (on the 256 x 256 master) ----------------------------------------------------------------
constexpr double kMaster = 256;
constexpr double kRadius = 36;                    // every ball
constexpr double kCentreX = 128, kCentreY = 124;  // the orange ball; raised to leave room for the shadow
constexpr double kRing = 2 * kRadius;             // ring balls touch the centre one
constexpr double kShadowY = 233, kShadowRx = 94, kShadowRy = 15;
constexpr double kSparkleSize = 17;
constexpr int kRingColour = 1, kCentreColour = 0;  // the logo's sky blue ring and orange bar

struct Ball {
  double x, y;
  int colour;
};

// Five ring balls (the one at the upper right left out, the logo's opening) and the centre one.
std::vector<Ball> Cluster() {
  std::vector<Ball> balls;
  for (int degrees : {120, 180, 240, 300, 0}) {
    const double a = degrees * M_PI / 180;
    balls.push_back({kCentreX + kRing * std::cos(a), kCentreY - kRing * std::sin(a), kRingColour});
  }
  balls.push_back({kCentreX, kCentreY, kCentreColour});
  return balls;
}

// The sparkle sits in the ring's opening.
constexpr double kSparkleX = kCentreX + kRing * 0.5, kSparkleY = kCentreY - kRing * 0.8660254037844386;

// ---- PNG ---------------------------------------------------------------------------------------------
void DrawIcon(Canvas& c, double scale) {
  cairo_t* cr = c.cr();
  // A soft shadow on the ground, inside the picture.
  cairo_save(cr);
  cairo_translate(cr, kCentreX * scale, kShadowY * scale);
  cairo_scale(cr, kShadowRx * scale, kShadowRy * scale);
  const Rgba night = Hex(kNight);
  cairo_pattern_t* shadow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(shadow, 0, night.r, night.g, night.b, 0.45);
  cairo_pattern_add_color_stop_rgba(shadow, 1, night.r, night.g, night.b, 0);
  cairo_set_source(cr, shadow);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);
  cairo_restore(cr);
  // The balls with a thin darker outline, so they hold on light and dark desktops alike.
  const double outline = std::max(0.7, 2 * scale);
  for (const Ball& b : Cluster()) {
    const double x = b.x * scale, y = b.y * scale, r = kRadius * scale;
    DrawRestingBall(c, b.colour, x, y, r);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, r - outline / 2, 0, 2 * M_PI);
    cairo_set_line_width(cr, outline);
    SetColour(cr, WithAlpha(Darker(Hex(kBallColours[b.colour]), 0.55), 0.55));
    cairo_stroke(cr);
  }
  // The sparkle on a faint blue haze, so that it shows on a white desktop too.
  const double sx = kSparkleX * scale, sy = kSparkleY * scale, size = kSparkleSize * scale;
  cairo_pattern_t* haze = cairo_pattern_create_radial(sx, sy, 0, sx, sy, size);
  const Rgba royal = Hex(kRoyal);
  cairo_pattern_add_color_stop_rgba(haze, 0, royal.r, royal.g, royal.b, 0.45);
  cairo_pattern_add_color_stop_rgba(haze, 1, royal.r, royal.g, royal.b, 0);
  cairo_set_source(cr, haze);
  cairo_arc(cr, sx, sy, size, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(haze);
  DrawSparkle(cr, sx, sy, size, 0.95);
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

// ---- SVG ---------------------------------------------------------------------------------------------
std::string Colour(const Rgba& c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", ToHex(c) & 0xFFFFFFu);
  return text;
}

std::string Num(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", v);
  return text;
}

using Attributes = std::vector<std::pair<const char*, std::string>>;

// One empty element on its own line: <name a="v" .../>.
std::string Element(const char* name, const Attributes& attributes, int indent = 2) {
  std::string text(size_t(indent), ' ');
  text += std::string("<") + name;
  for (const auto& [key, value] : attributes)
    text += std::string(" ") + key + "=\"" + value + "\"";
  return text + "/>\n";
}

// A radial gradient of (offset, colour, opacity) stops; the focus, if given, in the box's fractions.
std::string Gradient(const std::string& id, const std::vector<std::tuple<double, Rgba, double>>& stops,
                     double fx = 0.5, double fy = 0.5) {
  std::string text = "    <radialGradient id=\"" + id + "\" fx=\"" + Num(fx) + "\" fy=\"" + Num(fy) + "\">\n";
  for (const auto& [offset, colour, opacity] : stops)
    text += Element(
        "stop", {{"offset", Num(offset)}, {"stop-color", Colour(colour)}, {"stop-opacity", Num(opacity)}}, 6);
  return text + "    </radialGradient>\n";
}

// The four-pointed sparkle as a path, the same curves as the painted one.
std::string SparklePath(double x, double y, double s) {
  const double w = s * 0.16;
  auto p = [](double px, double py) { return Num(px) + "," + Num(py); };
  return "M" + p(x, y - s) + " C" + p(x + w * 0.3, y - w) + " " + p(x + w, y - w * 0.3) + " " + p(x + s, y) +
         " C" + p(x + w, y + w * 0.3) + " " + p(x + w * 0.3, y + w) + " " + p(x, y + s) + " C" +
         p(x - w * 0.3, y + w) + " " + p(x - w, y + w * 0.3) + " " + p(x - s, y) + " C" +
         p(x - w, y - w * 0.3) + " " + p(x - w * 0.3, y - w) + " " + p(x, y - s) + " Z";
}

}  // namespace

std::vector<uint8_t> IconPng(int size) {
  Canvas c(size, size);
  DrawIcon(c, size / kMaster);
  cairo_surface_t* surface = cairo_get_target(c.cr());
  cairo_surface_flush(surface);
  std::vector<uint8_t> png;
  if (cairo_surface_write_to_png_stream(surface, AppendBytes, &png) != CAIRO_STATUS_SUCCESS) return {};
  return png;
}

std::string IconSvg() {
  const Rgba white = Hex(kWhite), shade = Hex(kNight), royal = Hex(kRoyal);
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
      "  <defs>\n";
  // A ball's body: lit from the upper left, deeper toward the lower-right rim.
  for (int colour : {kRingColour, kCentreColour}) {
    const Rgba base = Hex(kBallColours[colour]);
    svg += Gradient("ball" + std::to_string(colour),
                    {{0, Lighter(base, 0.4), 1},
                     {0.45, base, 1},
                     {0.85, Darker(base, 0.22), 1},
                     {1, Darker(base, 0.42), 1}},
                    0.32, 0.27);
  }
  svg += Gradient("shadow", {{0, shade, 0.45}, {1, shade, 0}});
  svg += Gradient("gloss", {{0, white, 0.75}, {0.6, white, 0.55}, {1, white, 0}});
  svg += Gradient("spot", {{0, white, 1}, {1, white, 0}});
  svg += Gradient("haze", {{0, royal, 0.45}, {1, royal, 0}});
  svg += "  </defs>\n";
  svg += Element("ellipse", {{"cx", Num(kCentreX)},
                             {"cy", Num(kShadowY)},
                             {"rx", Num(kShadowRx)},
                             {"ry", Num(kShadowRy)},
                             {"fill", "url(#shadow)"}});
  for (const Ball& b : Cluster()) {
    svg += Element("circle", {{"cx", Num(b.x)},
                              {"cy", Num(b.y)},
                              {"r", Num(kRadius - 1)},
                              {"fill", "url(#ball" + std::to_string(b.colour) + ")"},
                              {"stroke", Colour(Darker(Hex(kBallColours[b.colour]), 0.55))},
                              {"stroke-opacity", "0.55"},
                              {"stroke-width", "2"}});
    // The window reflection and the bright spot where the painted balls have them.
    svg += Element("ellipse", {{"cx", Num(b.x - 0.34 * kRadius)},
                               {"cy", Num(b.y - 0.44 * kRadius)},
                               {"rx", Num(0.36 * kRadius)},
                               {"ry", Num(0.24 * kRadius)},
                               {"fill", "url(#gloss)"}});
    svg += Element("circle", {{"cx", Num(b.x - 0.26 * kRadius)},
                              {"cy", Num(b.y - 0.32 * kRadius)},
                              {"r", Num(0.13 * kRadius)},
                              {"fill", "url(#spot)"}});
  }
  svg += Element(
      "circle",
      {{"cx", Num(kSparkleX)}, {"cy", Num(kSparkleY)}, {"r", Num(kSparkleSize)}, {"fill", "url(#haze)"}});
  svg += Element("circle", {{"cx", Num(kSparkleX)},
                            {"cy", Num(kSparkleY)},
                            {"r", Num(kSparkleSize * 0.6)},
                            {"fill", "url(#spot)"}});
  svg += Element("path", {{"fill", "#FFFFFF"},
                          {"fill-opacity", "0.95"},
                          {"d", SparklePath(kSparkleX, kSparkleY, kSparkleSize)}});
  return svg + "</svg>\n";
}

// ---- output --------------------------------------------------------------------------------------------
void MakeIcons(DataSet& data) {
  for (int size : kIconSizes) {
    std::vector<uint8_t> png = IconPng(size);
    if (png.empty()) {
      std::fprintf(stderr, "globbet-assets: cannot encode the %d px icon\n", size);
      continue;  // the install then misses the file and stops there
    }
    data.SaveFile("icons/globbet-" + std::to_string(size) + ".png", png);
  }
  const std::string svg = IconSvg();
  data.SaveFile("icons/globbet.svg", std::vector<uint8_t>(svg.begin(), svg.end()));
}

}  // namespace art
