// A small drawing toolkit over cairo for the asset generator: a canvas with straight-alpha colours,
// rounded shapes, gradients, centred text in Liberation Sans, per-pixel shaded spheres, and the
// conversions into the engine's pictures (opaque, colour-keyed, masked, JPEG).
//
// Sections: colours · canvas · shapes and text · spheres · conversions
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/bitmap.h"

namespace art {

// ---- colours -------------------------------------------------------------------------------------
struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};
// 0xRRGGBB with an alpha.
Rgba Hex(uint32_t rgb, double alpha = 1.0);
// Straight interpolation of colour and alpha; t = 0 gives a.
Rgba Mix(const Rgba& a, const Rgba& b, double t);
Rgba Lighter(const Rgba& c, double t);
Rgba Darker(const Rgba& c, double t);
Rgba WithAlpha(const Rgba& c, double alpha);
uint32_t ToHex(const Rgba& c);
double Clamp01(double v);
double SmoothStep(double edge0, double edge1, double x);

// ---- canvas --------------------------------------------------------------------------------------
// A transparent ARGB picture with a cairo context.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // The colour of a pixel, straight alpha.
  Rgba Pixel(int x, int y) const;
  // Composites colour c over pixel (x, y).
  void Blend(int x, int y, const Rgba& c);
  // Paints another canvas at (x, y).
  void Paint(const Canvas& other, double x, double y, double alpha = 1.0);
  // Runs fn over every pixel centre sample of the box (ss x ss samples a pixel) and composites the
  // averaged result; fn returns a straight colour whose alpha is its coverage.
  void Shade(int x0, int y0, int x1, int y1, const std::function<Rgba(double, double)>& fn, int ss = 4);

 private:
  cairo_surface_t* surface_;
  cairo_t* cr_;
  int width_, height_;
};

// ---- shapes and text -------------------------------------------------------------------------------
void SetColour(cairo_t* cr, const Rgba& c);
void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
// A vertical gradient between two colours over y0..y1 as the source.
void SetVertical(cairo_t* cr, double y0, const Rgba& top, double y1, const Rgba& bottom);
// Fills a rounded box with a vertical gradient and strokes it with an outline of the given width.
void GlossyBox(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& top,
               const Rgba& bottom, const Rgba& outline, double outlineWidth);
// A soft shadow of a rounded box, blurred over `blur` pixels (drawn as nested translucent boxes).
void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double blur, double alpha);
// A raised card: a soft shadow inside the box below it, a glossy rounded body with an outline, and a
// thin line 7 px inside its edge.
void Card(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& top, const Rgba& bottom,
          const Rgba& outline, const Rgba& innerLine);

struct TextStyle {
  double size = 14;
  bool bold = true;
  Rgba fill = Hex(0xFFFFFF);
  Rgba outline = Hex(0, 0);  // alpha 0: none
  double outlineWidth = 0;
  Rgba shadow = Hex(0, 0);  // alpha 0: none; drawn 1 px down and right
  bool serif = false;
};
// Width of the text's ink in the style.
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
// Draws the text with its ink centred on (cx, cy).
void TextCentred(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style);
// Draws the text with its left ink edge at x and its baseline at y.
void TextAt(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style);
// Draws the text with a vertical gradient fill (top to bottom over its ink) and the style's outline.
void TextGradient(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style,
                  const Rgba& top, const Rgba& bottom);

// ---- spheres -------------------------------------------------------------------------------------------
struct SphereLook {
  double gloss = 0.6;     // strength of the window reflection at the upper left
  double specular = 0.9;  // strength of the bright spot
  double rimDark = 0.35;  // darkening toward the lower-right rim
  double bounce = 0.18;   // reflected light at the bottom
  double alpha = 1.0;     // whole-sphere opacity
  double brighten = 0.0;  // 0..1 toward white (sparkle frames)
};
// A glossy ball lit from the upper left, antialiased.
void DrawSphere(Canvas& canvas, double cx, double cy, double radius, const Rgba& base,
                const SphereLook& look = {});
// A four-pointed sparkle star centred at (cx, cy).
void DrawSparkle(cairo_t* cr, double cx, double cy, double size, double alpha);

// ---- conversions -----------------------------------------------------------------------------------
// The picture composited over an opaque background colour.
Bitmap ToOpaque(const Canvas& canvas, const Rgba& background);
// Fully transparent pixels become the key colour; the others are composited over `over` (the colour
// the picture will be shown on, so that its soft edges suit it).
Bitmap ToKeyed(const Canvas& canvas, const Rgba& over, uint32_t key);
// Straight colours with a mask (0 opaque .. 255 transparent). Fully transparent pixels take the key
// colour when keyFill is set (pixel-exact hit tests compare against it), else the colour of the
// nearest visible pixel (so that filtered drawing does not darken the edges).
Bitmap ToMasked(const Canvas& canvas, bool keyFill, uint32_t key = 0xFF00FF);
// A baseline JPEG stream of the picture without chroma subsampling (thin frame edges keep their colour).
std::vector<uint8_t> EncodeJpeg444(const Bitmap& picture, int quality);

}  // namespace art
