// Dialog pictures; see dialogs.h.
//
// Titles, the top-ten row and the pause sign sit on the lavender of a dialog or of the paused field:
// colour-keyed, their soft edges blended over lavender. Panels that fill their box are JPEG. Labels and
// badges that appear over the dark main panel and over dialogs alike carry masks.
//
// Sections: titles · panels · controls and signs · badges
#include "tools/assets/dialogs.h"

#include <cmath>
#include <string>

#include "engine/clip.h"
#include "tools/assets/balls.h"
#include "tools/assets/palette.h"

namespace art {
namespace {

void SaveKeyed(DataSet& data, int number, const Canvas& c) {
  ClipFileWriter w;
  SingleFrame(w, AddKeyed(w, c, kLavender, kKeyMagenta));
  data.SaveClip("clp/" + std::to_string(number) + ".clp", w);
}

void SaveMasked(DataSet& data, int number, const Canvas& c) {
  ClipFileWriter w;
  SingleFrame(w, AddMasked(w, c, kTypePicture));
  data.SaveClip("clp/" + std::to_string(number) + ".clp", w);
}

void SaveJpeg(DataSet& data, int number, const Canvas& c) {
  ClipFileWriter w;
  SingleFrame(w, AddJpeg(w, c, kLavender));
  data.SaveClip("clp/" + std::to_string(number) + ".clp", w);
}

// ---- titles --------------------------------------------------------------------------------------------

// A dialog title: big glossy letters with a navy outline and two small balls as ornaments.
void DrawTitle(Canvas& c, const std::string& text, double size) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  TextStyle style;
  style.size = size;
  style.outline = Hex(kNavy);
  style.outlineWidth = 4;
  style.shadow = Hex(0x1A1A52, 0.35);
  TextGradient(cr, text, w / 2, h / 2, style, Hex(0xFFFFFF), Hex(0x9C8FF5));
  const double half = TextWidth(cr, text, style) / 2;
  DrawRestingBall(c, 0, w / 2 - half - 18, h / 2, 8);
  DrawRestingBall(c, 1, w / 2 + half + 18, h / 2, 8);
}

void MakeTitles(DataSet& data) {
  struct Title {
    int number, width, height;
    const char* text;
    double size;
  };
  const Title titles[] = {{0, 320, 60, "GLOBBET", 44},
                          {1, 300, 52, "OPTIONS", 36},
                          {2, 240, 52, "HELP", 38},
                          {4, 300, 52, "GAME OVER", 34},
                          {9, 220, 50, "TOP 10", 36}};
  for (const Title& t : titles) {
    Canvas c(t.width, t.height);
    DrawTitle(c, t.text, t.size);
    SaveKeyed(data, t.number, c);
  }
}

// ---- panels --------------------------------------------------------------------------------------------

TextStyle LabelStyle(double size = 15) {
  TextStyle style;
  style.size = size;
  style.fill = Hex(kRoyal);
  style.shadow = Hex(0xFFFFFF, 0.7);
  return style;
}

void Rule(cairo_t* cr, double x, double y, double w) {
  cairo_rectangle(cr, x, y, w, 1);
  SetColour(cr, Hex(0x8F8AE0, 0.8));
  cairo_fill(cr);
  cairo_rectangle(cr, x, y + 1, w, 1);
  SetColour(cr, Hex(0xF2F2FF, 0.9));
  cairo_fill(cr);
}

// The options panel at (39, 76) of the dialog: labels beside the boxes, the looks row and the speed bar.
// Dialog coordinates minus (39, 76) give panel coordinates.
void MakeOptionsPanel(DataSet& data) {
  Canvas c(372, 392);  // down to the OK and Cancel buttons, so the last level label fits
  cairo_t* cr = c.cr();
  SetColour(cr, Hex(kLavender));
  cairo_paint(cr);
  const double ox = 39, oy = 76;
  const TextStyle label = LabelStyle();
  // Option boxes at x 115, y 75, 104, 133, 162 (24 x 24): labels to their right.
  const char* options[4] = {"Sound", "Mix sounds", "Auto save", "Animation"};
  for (int i = 0; i < 4; ++i)
    TextAt(cr, options[i], 148 - ox, 75 + 29 * i + 17.5 - oy, label);
  // Beside them the window size radio boxes, two rows of two at x 262 / 337, y 112 / 152, under a heading
  // on the first box's line.
  TextStyle heading = LabelStyle(16);
  heading.fill = Hex(kSlate);
  TextAt(cr, "Window size", 262 - ox + 4, 75 + 17.5 - oy, heading);
  const char* sizes[4] = {"1x", "2x", "3x", "Auto"};
  for (int i = 0; i < 4; ++i)
    TextAt(cr, sizes[i], 262 + 75 * (i % 2) + 31 - ox, 112 + 40 * (i / 2) + 17.5 - oy, label);
  Rule(cr, 10, 198 - oy, 352);
  // Ball looks at (170, 212), six 32 px swatches; under them the symbols box at (170, 250); speed cells at
  // (190, 284), 30 px apart.
  TextAt(cr, "Ball look", 52 - ox, 212 + 21 - oy, label);
  TextAt(cr, "Colour symbols", 203 - ox, 250 + 17.5 - oy, label);
  TextAt(cr, "Speed", 52 - ox, 284 + 15 - oy, label);
  TextStyle small = LabelStyle(10);
  small.bold = false;
  TextAt(cr, "slow", 190 - 30 - ox, 284 + 14 - oy, small);
  TextAt(cr, "fast", 190 + 5 * 30 + 4 - ox, 284 + 14 - oy, small);
  Rule(cr, 10, 316 - oy, 352);
  // Level boxes at (35, 365 / 405 / 445), mode boxes at (203, 365 / 405): the two groups read as columns
  // under headings on one line.
  TextAt(cr, "Level", 35 - ox + 4, 345 - oy, heading);
  TextAt(cr, "Mode", 203 - ox + 4, 345 - oy, heading);
  const char* levels[3] = {"Novice", "Expert", "Master"};
  for (int i = 0; i < 3; ++i)
    TextAt(cr, levels[i], 66 - ox, 365 + 40 * i + 17.5 - oy, label);
  const char* modes[2] = {"Strategy", "Arcade"};
  for (int i = 0; i < 2; ++i)
    TextAt(cr, modes[i], 234 - ox, 365 + 40 * i + 17.5 - oy, label);
  SaveJpeg(data, 6, c);
}

// A light plate for one line of ball letters.
void Plate(cairo_t* cr, double x, double y, double w, double h) {
  RoundRectPath(cr, x + 0.5, y + 0.5, w, h, h / 2);
  SetVertical(cr, y, Hex(0xB4AFF0), y + h, Hex(0xE0DEFF));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x7C74D6));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// The result dialog's background at (10, 10): a title and the labels above the three numbers and the
// name box. Dialog y minus 10 gives picture y.
void MakeResultBackground(DataSet& data) {
  Canvas c(316, 490);
  cairo_t* cr = c.cr();
  SetVertical(cr, 0, Hex(0xD6D6FF), 490, Hex(0xC4C4FA));
  cairo_paint(cr);
  TextStyle title;
  title.size = 30;
  title.outline = Hex(kNavy);
  title.outlineWidth = 3.5;
  title.shadow = Hex(0x1A1A52, 0.3);
  TextGradient(cr, "WELL PLAYED!", 158, 38, title, Hex(0xFFFFFF), Hex(0x9C8FF5));
  const TextStyle label = LabelStyle(14);
  const struct {
    const char* text;
    double lineY;
  } rows[3] = {{"SCORE", 115}, {"BONUS", 200}, {"TOTAL", 280}};
  for (const auto& r : rows) {
    TextCentred(cr, r.text, 158, r.lineY - 10 - 14, label);
    Plate(cr, 18, r.lineY - 10 - 4, 280, 38);
  }
  TextCentred(cr, "YOUR NAME", 158, 358 - 10 - 12, label);
  SaveJpeg(data, 5, c);
}

// One row of the top-ten list: the name and score are drawn over it on lavender, so its middle stays
// lavender.
void MakeTopTenRow(DataSet& data) {
  Canvas c(316, 29);
  cairo_t* cr = c.cr();
  RoundRectPath(cr, 0.5, 0.5, 315, 28, 8);
  SetColour(cr, Hex(kLavender));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x9A94E4));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundRectPath(cr, 1.5, 1.5, 313, 26, 7);
  SetColour(cr, Hex(0xEDEDFF, 0.9));
  cairo_stroke(cr);
  SaveKeyed(data, 3, c);
}

// ---- controls and signs -----------------------------------------------------------------------------------

// The name box: 280 x 43, white field with a navy border (the text area starts 10 px in); sequences
// normal, pressed, hover.
void MakeEditBox(DataSet& data) {
  ClipFileWriter w;
  for (int look = 0; look < 3; ++look) {
    Canvas c(280, 43);
    cairo_t* cr = c.cr();
    if (look == 2) {
      RoundRectPath(cr, 0.8, 0.8, 278.4, 41.4, 10);
      SetColour(cr, Hex(0xFFD23F, 0.8));
      cairo_set_line_width(cr, 1.6);
      cairo_stroke(cr);
    }
    RoundRectPath(cr, 2.5, 2.5, 275, 38, 8);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(look == 1 ? kRoyal : kNavy));
    cairo_set_line_width(cr, look == 1 ? 2 : 1.5);
    cairo_stroke(cr);
    // Inner shadow along the top.
    cairo_save(cr);
    RoundRectPath(cr, 3.5, 3.5, 273, 36, 7);
    cairo_clip(cr);
    SetVertical(cr, 3, Hex(0x3131BA, 0.22), 9, Hex(0x3131BA, 0));
    cairo_paint(cr);
    cairo_restore(cr);
    w.AddSequence({Frame(AddMasked(w, c, kTypeControl, true))});
  }
  data.SaveClip("clp/7.clp", w);
}

// A blinking sign of the right-hand panel (demo, replay): gold letters in a dark pill.
void MakeSign(DataSet& data, int number, const std::string& text) {
  Canvas c(150, 35);
  cairo_t* cr = c.cr();
  // The pill sits low in its box: the score well ends just above it.
  RoundRectPath(cr, 1.5, 4.5, 147, 29, 14.5);
  SetVertical(cr, 4, Hex(0x2A2178), 34, Hex(0x17124E));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0xF5C242));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  TextStyle style;
  style.size = 20;
  style.outline = Hex(0x3A2000);
  style.outlineWidth = 2;
  TextGradient(cr, text, 75, 19, style, Hex(0xFFF4B0), Hex(0xF29A00));
  DrawSparkle(cr, 20, 19, 6, 0.9);
  DrawSparkle(cr, 130, 19, 6, 0.9);
  SaveMasked(data, number, c);
}

// The pause sign over the hidden field.
void MakePauseSign(DataSet& data) {
  Canvas c(400, 150);
  cairo_t* cr = c.cr();
  Card(cr, 12, 10, 376, 124, 24, Hex(0xFFFFFF), Hex(0xD2CDFF), Hex(kNavy), Hex(0x9C8FF5, 0.6));
  TextStyle big;
  big.size = 62;
  big.outline = Hex(kNavy);
  big.outlineWidth = 5;
  big.shadow = Hex(0x1A1A52, 0.3);
  TextGradient(cr, "PAUSE", 200, 62, big, Hex(0x8C80F0), Hex(0x3131BA));
  TextStyle hint = LabelStyle(16);
  hint.bold = false;
  TextCentred(cr, "click to continue", 200, 112, hint);
  // Two pause bars as an icon at each side.
  for (double x : {48.0, 330.0}) {
    for (double dx : {0.0, 13.0}) {
      RoundRectPath(cr, x + dx, 42, 9, 40, 3);
      SetVertical(cr, 42, Hex(0x8C80F0), 82, Hex(0x3131BA));
      cairo_fill(cr);
    }
  }
  SaveKeyed(data, 11, c);
}

// ---- badges
// ------------------------------------------------------------------------------------------------

void DrawBadge(Canvas& c, const std::string& text, int icon) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  RoundRectPath(cr, 1, 1, w - 2, h - 2, (h - 2) / 2);
  SetVertical(cr, 1, Hex(0xFFFFFF), h - 1, Hex(0xC9C3FF));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(kNavy));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  const double ix = 13, iy = h / 2;
  if (icon == 0) {
    // Strategy: a target.
    for (int i = 0; i < 3; ++i) {
      cairo_arc(cr, ix, iy, 7.5 - 2.6 * i, 0, 2 * M_PI);
      SetColour(cr, i % 2 ? Hex(0xFFFFFF) : Hex(0xD55E00));
      cairo_fill(cr);
    }
  } else {
    // Arcade: a stopwatch.
    cairo_arc(cr, ix, iy + 1, 7, 0, 2 * M_PI);
    SetColour(cr, Hex(0xFFFFFF));
    cairo_fill_preserve(cr);
    SetColour(cr, Hex(kRoyal));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_move_to(cr, ix, iy + 1), cairo_line_to(cr, ix, iy - 3.5);
    cairo_move_to(cr, ix, iy + 1), cairo_line_to(cr, ix + 3, iy + 2.5);
    cairo_move_to(cr, ix, iy - 6), cairo_line_to(cr, ix, iy - 8.5);
    cairo_stroke(cr);
  }
  TextStyle style;
  style.size = 13;
  style.fill = Hex(kRoyal);
  TextCentred(cr, text, (w + 22) / 2, h / 2, style);
}

void MakeBadges(DataSet& data) {
  Canvas strategy(120, 24);
  DrawBadge(strategy, "STRATEGY", 0);
  SaveMasked(data, 12, strategy);
  Canvas arcade(96, 24);
  DrawBadge(arcade, "ARCADE", 1);
  SaveMasked(data, 13, arcade);
  // A spare: the record star.
  Canvas star(120, 60);
  cairo_t* cr = star.cr();
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + M_PI * i / 5, r = i % 2 ? 12 : 27;
    (i == 0 ? cairo_move_to : cairo_line_to)(cr, 30 + r * std::cos(a), 31 + r * std::sin(a));
  }
  cairo_close_path(cr);
  SetVertical(cr, 4, Hex(0xFFF1A0), 58, Hex(0xF09A00));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x6A3A00));
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  TextStyle style = LabelStyle(14);
  TextCentred(cr, "NEW", 88, 22, style);
  TextCentred(cr, "RECORD", 88, 40, style);
  SaveMasked(data, 14, star);
}

}  // namespace

void MakeDialogPictures(DataSet& data) {
  MakeTitles(data);
  MakeOptionsPanel(data);
  MakeResultBackground(data);
  MakeTopTenRow(data);
  MakeEditBox(data);
  MakeSign(data, 10, "DEMO");
  MakeSign(data, 15, "REPLAY");
  MakePauseSign(data);
  MakeBadges(data);
}

}  // namespace art
