// Intro and logo; see intro_screen.h.
#include "tools/assets/intro.h"

#include <cmath>

#include "tools/assets/balls.h"
#include "tools/assets/palette.h"

namespace art {
namespace {

// Where the intro shows the logo: a 110 x 110 box at (186, 141).
constexpr double kLogoX = 186, kLogoY = 141, kLogoSize = 110;
// The card, and the window's shape while the intro shows.
constexpr double kCardX = 16, kCardY = 14, kCardSize = 368, kCardRadius = 30;

// A "G" of balls: an open ring from the upper right round to the right side, and a bar into the middle.
void DrawLogo(Canvas& c, double ox, double oy) {
  const double cx = ox + 55, cy = oy + 55, ring = 40, r = 12.5;
  // From 75 degrees (upper right) round over the left to 350 degrees (just below the right).
  for (int i = 9; i >= 0; --i) {
    const double a = (75 + i * 30.5) * M_PI / 180;
    DrawRestingBall(c, 1, cx + ring * std::cos(a), cy - ring * std::sin(a), r);
  }
  DrawRestingBall(c, 0, cx + 14, cy + 5, r * 0.92);
  DrawSparkle(c.cr(), cx - 31, cy - 29, 9, 0.9);
}

void MakeLogo(DataSet& data) {
  Canvas c(110, 110);
  DrawLogo(c, 0, 0);
  ClipFileWriter w;
  SingleFrame(w, AddMasked(w, c, kTypePicture));
  data.SaveClip("clp/globint.clp", w);
}

void MakeIntroPicture(DataSet& data) {
  Canvas c(400, 400);
  cairo_t* cr = c.cr();
  // The card; around it the key colour.
  Card(cr, kCardX, kCardY, kCardSize, kCardSize, kCardRadius, Hex(0x6D60D8), Hex(0x2A2180), Hex(kNight),
       Hex(0xA89EF2, 0.5));
  // A glow behind the logo.
  const double gx = kLogoX + kLogoSize / 2, gy = kLogoY + kLogoSize / 2;
  cairo_pattern_t* glow = cairo_pattern_create_radial(gx, gy, 10, gx, gy, 105);
  cairo_pattern_add_color_stop_rgba(glow, 0, 0.85, 0.9, 1.0, 0.55);
  cairo_pattern_add_color_stop_rgba(glow, 1, 0.85, 0.9, 1.0, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, gx, gy, 105, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  // A piece of a board to the left of the logo: seven balls packed as the field packs them.
  const double board[][3] = {{64, 96, 0},   {94, 96, 3},  {124, 96, 2}, {79, 122, 5},
                             {109, 122, 4}, {64, 148, 1}, {94, 148, 0}};
  for (const auto& b : board)
    DrawRestingBall(c, int(b[2]), b[0], b[1], 14.5);
  DrawRestingBall(c, 2, 128, 200, 10);
  DrawRestingBall(c, 5, 96, 232, 7);
  DrawSparkle(cr, 56, 86, 7, 0.9);
  DrawSparkle(cr, 330, 72, 5, 0.7);
  DrawSparkle(cr, 316, 262, 4, 0.6);
  // The name and a line under it.
  TextStyle title;
  title.size = 58;
  title.outline = Hex(kNight);
  title.outlineWidth = 5;
  title.shadow = Hex(0x000020, 0.45);
  TextGradient(cr, "GLOBBET", 200, 306, title, Hex(0xFFFFFF), Hex(0xB9AFFF));
  TextStyle line;
  line.size = 15;
  line.bold = false;
  line.fill = Hex(0xE4E0FF);
  TextCentred(cr, "aim  \xC2\xB7  match three  \xC2\xB7  clear the board", 200, 346, line);
  // The window is cut to every pixel but the key, and a window's edge is hard: nothing outside the card's
  // outline stays (its shadow neither), and the outline is cut without blending.
  cairo_save(cr);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  RoundRectPath(cr, kCardX, kCardY, kCardSize, kCardSize, kCardRadius);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);  // clears everything outside the path as well
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_fill(cr);
  cairo_restore(cr);
  ClipFileWriter w;
  SingleFrame(w, AddKeyed(w, c, kLavender, kIntroKey), kIntroKey);
  data.SaveClip("clp/intro.clp", w);
}

}  // namespace

void MakeIntro(DataSet& data) {
  MakeIntroPicture(data);
  MakeLogo(data);
}

}  // namespace art
