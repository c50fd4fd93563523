// Balls and particles; see balls.h.
//
// Ball frames (played 2 -> 9 to appear, 9 -> 5 -> 9 to shine, 9 -> 0 to vanish):
//   0  faint spray of droplets       5  full ball, brightest, big sparkle
//   1  ring of droplets               6..8  the sparkle fading
//   2..4  the ball growing            9  resting ball (stop)
#include "tools/assets/balls.h"

#include <cmath>
#include <string>

#include "engine/clip.h"
#include "tools/assets/palette.h"

namespace art {
namespace {

constexpr int kSize = 32;
constexpr double kCentre = 16.0;
constexpr double kRadius = 15.0;
constexpr double kSilverRadius = 10.0;

Rgba BallBase(int colour) {
  return Hex(kBallColours[colour]);
}

SphereLook LookFor(int colour) {
  SphereLook look;
  look.gloss = 0.75;
  look.rimDark = 0.32;
  if (colour == 3) look.gloss = 0.55, look.rimDark = 0.5;  // yellow needs a firmer rim on lavender
  if (colour == 6) look.rimDark = 0.55, look.specular = 1.0;
  return look;
}

// Droplets scattered on a circle: the remains of a burst.
void DrawSpray(Canvas& c, int colour, int count, double ringRadius, double dropRadius, double alpha,
               double turn) {
  SphereLook look = LookFor(colour);
  look.alpha = alpha;
  look.gloss = 0.3;
  for (int i = 0; i < count; ++i) {
    const double a = turn + 2 * M_PI * i / count;
    DrawSphere(c, kCentre + ringRadius * std::cos(a), kCentre + ringRadius * std::sin(a), dropRadius,
               BallBase(colour), look);
  }
}

void DrawBallFrame(Canvas& c, int colour, int frame) {
  const double full = colour == 6 ? kSilverRadius : kRadius;
  const Rgba base = BallBase(colour);
  SphereLook look = LookFor(colour);
  switch (frame) {
    case 0:
      DrawSpray(c, colour, 8, full * 0.92, full * 0.1, 0.45, 0.4);
      break;
    case 1: {
      DrawSpray(c, colour, 8, full * 0.68, full * 0.17, 0.85, 0.0);
      cairo_t* cr = c.cr();
      cairo_arc(cr, kCentre, kCentre, full * 0.45, 0, 2 * M_PI);
      SetColour(cr, WithAlpha(Lighter(base, 0.6), 0.5));
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
      break;
    }
    case 2:
    case 3:
    case 4: {
      static const double kGrowth[3] = {0.34, 0.6, 0.83};
      look.brighten = 0.08;
      DrawSphere(c, kCentre, kCentre, full * kGrowth[frame - 2], base, look);
      break;
    }
    default: {
      // 5..8: the sparkle, strongest at 5; 9: rest.
      const int step = 9 - frame;  // 0 rest .. 4 brightest
      look.brighten = 0.05 * step;
      look.gloss += 0.06 * step;
      DrawSphere(c, kCentre, kCentre, full, base, look);
      if (step > 0) {
        const double s = full / kRadius;
        DrawSparkle(c.cr(), kCentre - 5.5 * s, kCentre - 6 * s, (2 + 2.6 * step) * s, 0.45 + 0.14 * step);
        if (step >= 3) DrawSparkle(c.cr(), kCentre + 6 * s, kCentre + 5 * s, (step - 2) * 2.2 * s, 0.6);
      }
      break;
    }
  }
}

void MakeBallSprite(DataSet& data, int colour) {
  ClipFileWriter w;
  std::vector<ClipFrameRecord> frames;
  for (int f = 0; f < 10; ++f) {
    Canvas c(kSize, kSize);
    DrawBallFrame(c, colour, f);
    frames.push_back(Frame(AddMasked(w, c, kTypeSprite), f == 9 ? kFrameStop : kFrameNext));
  }
  w.AddSequence(frames);
  data.SaveClip("clp/ball/" + std::to_string(colour) + ".clp", w);
}

// Particles: frame 7 the largest and brightest; played backwards they shrink and fade.
void MakeParticles(DataSet& data, int colour) {
  ClipFileWriter w;
  std::vector<int> images;
  for (int f = 0; f < 8; ++f) {
    Canvas c(kSize, kSize);
    SphereLook look = LookFor(colour);
    look.alpha = 0.3 + 0.7 * f / 7.0;
    look.gloss = 0.5;
    DrawSphere(c, kCentre, kCentre, 1.6 + 0.68 * f, BallBase(colour), look);
    if (f >= 5) DrawSparkle(c.cr(), kCentre - 0.3 * f, kCentre - 0.3 * f, 0.6 * f, 0.5);
    images.push_back(AddMasked(w, c, kTypeSprite));
  }
  w.AddSequence(Frames(images, kFrameStop));
  data.SaveClip("clp/ball/" + std::to_string(colour) + "d.clp", w);
}

// ---- looks ---------------------------------------------------------------------------------------------

// The symbol of a colour, for players who cannot tell the colours apart.
void SymbolPath(cairo_t* cr, int colour) {
  const double c = kCentre;
  switch (colour) {
    case 0:  // circle (a ring)
      cairo_arc(cr, c, c, 6.5, 0, 2 * M_PI);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, c, c, 3.6, 2 * M_PI, 0);
      break;
    case 1:  // square
      RoundRectPath(cr, c - 6, c - 6, 12, 12, 1.5);
      break;
    case 2:  // triangle
      cairo_move_to(cr, c, c - 7.5);
      cairo_line_to(cr, c + 7.5, c + 5.5);
      cairo_line_to(cr, c - 7.5, c + 5.5);
      cairo_close_path(cr);
      break;
    case 3:  // diamond
      cairo_move_to(cr, c, c - 8);
      cairo_line_to(cr, c + 6.5, c);
      cairo_line_to(cr, c, c + 8);
      cairo_line_to(cr, c - 6.5, c);
      cairo_close_path(cr);
      break;
    case 4:  // star
      for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + M_PI * i / 5, r = i % 2 ? 3.4 : 8.2;
        if (i == 0)
          cairo_move_to(cr, c + r * std::cos(a), c + 0.5 + r * std::sin(a));
        else
          cairo_line_to(cr, c + r * std::cos(a), c + 0.5 + r * std::sin(a));
      }
      cairo_close_path(cr);
      break;
    default:  // cross
      cairo_save(cr);
      cairo_translate(cr, c, c);
      cairo_rotate(cr, M_PI / 4);
      cairo_rectangle(cr, -7.5, -2.4, 15, 4.8);
      cairo_rectangle(cr, -2.4, -7.5, 4.8, 15);
      cairo_restore(cr);
      break;
  }
}

// A white symbol with a dark edge over the ball.
void DrawSymbolLook(Canvas& c, int colour) {
  const Rgba base = BallBase(colour);
  cairo_t* cr = c.cr();
  DrawBallFrame(c, colour, 9);
  cairo_save(cr);
  SymbolPath(cr, colour);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  SetColour(cr, Darker(base, 0.55));
  cairo_set_line_width(cr, 2.2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColour(cr, Hex(0xFFFFFF, 0.97));
  cairo_fill(cr);
  cairo_restore(cr);
}

// Diagonal white stripes across the ball and a sparkle.
void DrawStripeLook(Canvas& c, int colour) {
  cairo_t* cr = c.cr();
  DrawBallFrame(c, colour, 9);
  cairo_save(cr);
  cairo_arc(cr, kCentre, kCentre, kRadius - 0.3, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_translate(cr, kCentre, kCentre);
  cairo_rotate(cr, -M_PI / 4);
  for (int i = -2; i <= 2; ++i) {
    cairo_rectangle(cr, -20, i * 8.0 - 1.8, 40, 3.6);
  }
  SetColour(cr, Hex(0xFFFFFF, 0.55));
  cairo_fill(cr);
  cairo_restore(cr);
  DrawSparkle(cr, kCentre - 6, kCentre - 6.5, 3.5, 0.8);
}

// A flat disc with a dark outline, a shade along its lower edge and one highlight.
void DrawCartoonLook(Canvas& c, int colour) {
  const Rgba base = BallBase(colour);
  cairo_t* cr = c.cr();
  cairo_arc(cr, kCentre, kCentre, kRadius - 1, 0, 2 * M_PI);
  SetColour(cr, base);
  cairo_fill_preserve(cr);
  SetColour(cr, Darker(base, 0.5));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  cairo_arc(cr, kCentre, kCentre + 2, kRadius - 4, 0.15 * M_PI, 0.85 * M_PI);
  SetColour(cr, Darker(base, 0.18));
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, kCentre - 5.5, kCentre - 6);
  cairo_scale(cr, 1.0, 0.7);
  cairo_arc(cr, 0, 0, 3.6, 0, 2 * M_PI);
  cairo_restore(cr);
  SetColour(cr, Hex(0xFFFFFF, 0.95));
  cairo_fill(cr);
}

// Two eyes with a glint each and a smile.
void DrawFaceLook(Canvas& c, int colour) {
  const Rgba base = BallBase(colour);
  cairo_t* cr = c.cr();
  DrawBallFrame(c, colour, 9);
  const Rgba ink = Darker(base, 0.7);
  SetColour(cr, ink);
  cairo_arc(cr, kCentre - 4.5, kCentre - 1.5, 2.0, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, kCentre + 4.5, kCentre - 1.5, 2.0, 0, 2 * M_PI);
  cairo_fill(cr);
  SetColour(cr, Hex(0xFFFFFF, 0.9));
  cairo_arc(cr, kCentre - 5.1, kCentre - 2.2, 0.7, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, kCentre + 3.9, kCentre - 2.2, 0.7, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, kCentre, kCentre + 1.5, 6.0, 0.22 * M_PI, 0.78 * M_PI);
  SetColour(cr, ink);
  cairo_set_line_width(cr, 1.8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void DrawLook(Canvas& c, int colour, int look) {
  switch (look) {
    case 0:
      DrawBallFrame(c, colour, 9);
      break;
    case 1:
      DrawSymbolLook(c, colour);
      break;
    case 2:
      DrawStripeLook(c, colour);
      break;
    case 3:
      DrawCartoonLook(c, colour);
      break;
    default:
      DrawFaceLook(c, colour);
      break;
  }
}

constexpr int kLooks = 5;

void MakeSkins(DataSet& data, int colour) {
  ClipFileWriter w;
  std::vector<int> images;
  for (int look = 0; look < kLooks; ++look) {
    Canvas c(kSize, kSize);
    DrawLook(c, colour, look);
    images.push_back(AddMasked(w, c, kTypeSprite));
  }
  w.AddSequence(Frames(images, kFrameStop));
  data.SaveClip("clp/skins/" + std::to_string(colour) + ".clp", w);
}

}  // namespace

void DrawRestingBall(Canvas& canvas, int colour, double cx, double cy, double r) {
  DrawSphere(canvas, cx, cy, r, BallBase(colour), LookFor(colour));
}

void MakeBalls(DataSet& data) {
  for (int colour = 0; colour <= 6; ++colour) {
    MakeBallSprite(data, colour);
    MakeParticles(data, colour);
  }
  for (int colour = 0; colour < kBallColourCount; ++colour)
    MakeSkins(data, colour);
}

}  // namespace art
