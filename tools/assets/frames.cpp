// Frames and panels; see frames.h.
//
// Sections: main-screen drawing · main-screen pieces · dialog frame
#include "tools/assets/frames.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/clip.h"
#include "tools/assets/palette.h"

namespace art {
namespace {

// Field and strip geometry of the main screen.
constexpr double kBoardLeft = 13, kBoardTop = 13, kBoardRight = 576, kDeadline = 500;
constexpr double kPanelLeft = 580;
constexpr double kStripBottom = 596;
// Socket boxes (46 x 46) of the waiting ball and the launcher.
constexpr double kNextSocketX = 27, kLaunchSocketX = 271, kSocketY = 524;
constexpr double kSocketSize = 46;
// The attempts indicator's label: its box (AttemptsIndicator::kLabelX, kLabelY) and its words by mode.
constexpr int kIndicatorLabelX = 111, kIndicatorLabelY = 573, kIndicatorLabelW = 100, kIndicatorLabelH = 16;
constexpr const char* kIndicatorLabels[2] = {"ATTEMPTS", "TIME"};

// The small captions under the strip's sockets and the indicator.
TextStyle StripLabelStyle() {
  TextStyle label;
  label.size = 9;
  label.fill = Hex(0x5A52B8);
  return label;
}

// The frame's slate body under everything, lighter at the top; the field, strip and panel go over it.
void FrameBody(cairo_t* cr) {
  SetVertical(cr, 0, Hex(0x7C6FDB), 600, Hex(0x4D41B8));
  cairo_paint(cr);
}

// ---- main-screen drawing -----------------------------------------------------------------------------

void DrawBoard(cairo_t* cr) {
  // The field well: lavender with rounded top corners and a soft inner shadow along the top and left.
  cairo_save(cr);
  RoundRectPath(cr, kBoardLeft, kBoardTop, kBoardRight - kBoardLeft, kStripBottom - kBoardTop + 20, 9);
  cairo_clip(cr);
  SetColour(cr, Hex(kLavender));
  cairo_paint(cr);
  for (int i = 0; i < 5; ++i) {
    const double a = 0.16 * (1 - i / 5.0);
    cairo_set_source_rgba(cr, 0.15, 0.15, 0.48, a * 0.5);
    RoundRectPath(cr, kBoardLeft - 6 + i, kBoardTop - 6 + i, kBoardRight - kBoardLeft + 12 - 2 * i,
                  kStripBottom, 13 - i);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // A crisp dark edge and a light bevel just outside the well.
  cairo_save(cr);
  RoundRectPath(cr, kBoardLeft - 0.5, kBoardTop - 0.5, kBoardRight - kBoardLeft + 1, kStripBottom, 9.5);
  SetColour(cr, Hex(kNavy, 0.9));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundRectPath(cr, kBoardLeft - 2, kBoardTop - 2, kBoardRight - kBoardLeft + 4, kStripBottom, 11);
  SetColour(cr, Hex(kSlateLight, 0.8));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void DrawStrip(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  cairo_save(cr);
  cairo_rectangle(cr, kBoardLeft, kDeadline, kBoardRight - kBoardLeft, kStripBottom - kDeadline);
  cairo_clip(cr);
  SetVertical(cr, kDeadline, Hex(0xBDBDF5), kStripBottom, Hex(0xAEAEEA));
  cairo_paint(cr);
  // Shadow under the deadline.
  SetVertical(cr, kDeadline, Hex(0x2A2A80, 0.25), kDeadline + 8, Hex(0x2A2A80, 0));
  cairo_rectangle(cr, kBoardLeft, kDeadline, kBoardRight - kBoardLeft, 8);
  cairo_fill(cr);
  cairo_restore(cr);
  // The deadline: a dashed warm line a ball must not reach.
  cairo_save(cr);
  cairo_set_line_width(cr, 2);
  const double dash[2] = {10, 6};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_move_to(cr, kBoardLeft + 4, kDeadline + 1);
  cairo_line_to(cr, kBoardRight - 4, kDeadline + 1);
  SetColour(cr, Hex(0xD8476A, 0.9));
  cairo_stroke(cr);
  cairo_restore(cr);
  // The attempts track between the two sockets.
  cairo_save(cr);
  RoundRectPath(cr, 70, 532, 182, 30, 15);
  SetVertical(cr, 532, Hex(0x8E8EDA), 562, Hex(0xC4C4F6));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x6A6AC8, 0.8));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_restore(cr);
  DrawSocket(canvas, kNextSocketX, kSocketY);
  DrawSocket(canvas, kLaunchSocketX, kSocketY);
  // The indicator's caption depends on the mode: the indicator shows it (MakeIndicatorLabels).
  const TextStyle label = StripLabelStyle();
  TextCentred(cr, "NEXT", kNextSocketX + 23, 583, label);
  TextCentred(cr, "SHOOT", kLaunchSocketX + 23, 583, label);
}

// The panel's body: its gradient, the bevel toward the field and the title bar with its caption.
void DrawPanelBody(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  const double x0 = kPanelLeft, w = 800 - kPanelLeft;
  cairo_save(cr);
  cairo_rectangle(cr, x0, 0, w, 600);
  cairo_clip(cr);
  SetVertical(cr, 0, Hex(0x6457CF), 600, Hex(0x3B2F9F));
  cairo_paint(cr);
  // Left bevel toward the field.
  cairo_rectangle(cr, x0, 0, 2, 600);
  SetColour(cr, Hex(kNavy, 0.8));
  cairo_fill(cr);
  cairo_rectangle(cr, x0 + 2, 0, 1, 600);
  SetColour(cr, Hex(0xA79DF0, 0.7));
  cairo_fill(cr);
  // Title bar.
  SetVertical(cr, 0, Hex(0x3A2F9C), 24, Hex(0x2C237E));
  cairo_rectangle(cr, x0 + 3, 0, w - 3, 24);
  cairo_fill(cr);
  cairo_rectangle(cr, x0 + 3, 24, w - 3, 1);
  SetColour(cr, Hex(0x8C80E8, 0.7));
  cairo_fill(cr);
  TextStyle caption;
  caption.size = 13;
  caption.fill = Hex(0xF2F0FF);
  caption.shadow = Hex(0x10103A, 0.8);
  TextAt(cr, "Globbet", x0 + 24, 17, caption);
  cairo_restore(cr);
  // A tiny ball cluster as the caption's icon.
  DrawSphere(canvas, x0 + 13, 12, 5.2, Hex(kBallColours[1]));
  DrawSphere(canvas, x0 + 9.5, 7.5, 3.4, Hex(kBallColours[0]));
  DrawSphere(canvas, x0 + 17.5, 7, 2.8, Hex(kBallColours[2]));
}

// The panel's sections: the rules between them, the score well and the level name plate with their
// labels.
void DrawPanelSections(cairo_t* cr) {
  const double x0 = kPanelLeft, w = 800 - kPanelLeft;
  cairo_save(cr);
  // Section rules.
  for (double y : {236.0, 438.0, 536.0}) {
    cairo_rectangle(cr, x0 + 16, y, w - 32, 1);
    SetColour(cr, Hex(0x2A2080, 0.6));
    cairo_fill(cr);
    cairo_rectangle(cr, x0 + 16, y + 1, w - 32, 1);
    SetColour(cr, Hex(0x9B90F0, 0.45));
    cairo_fill(cr);
  }
  // The score: label and a dark well for the digits (digits at y 290, x 579 .. 777).
  TextStyle label;
  label.size = 12;
  label.fill = Hex(0xE2DEFF);
  label.shadow = Hex(0x15104A, 0.7);
  TextCentred(cr, "S C O R E", 690, 262, label);
  RoundRectPath(cr, 584.5, 281.5, 209, 41, 8);
  SetVertical(cr, 281, Hex(0x141046), 323, Hex(0x2A2378));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x0C0A30));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  RoundRectPath(cr, 584, 282.5, 210, 41, 8);
  SetColour(cr, Hex(0x9C92F2, 0.5));
  cairo_stroke(cr);
  // The level name plate (ball letters at 620 .. 770, y 372 .. 402).
  RoundRectPath(cr, 609.5, 366.5, 171, 42, 12);  // centred on the letters, 620 .. 770
  SetVertical(cr, 366, Hex(0xB9B4F4), 408, Hex(0xDAD7FF));
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(0x241C78));
  cairo_stroke(cr);
  TextStyle small = label;
  small.size = 9;
  small.fill = Hex(0xC9C3FF);
  TextCentred(cr, "L E V E L", 695, 421, small);
  TextCentred(cr, "M O D E", 712, 452, small);  // over the mode badges (centred on 712)
  cairo_restore(cr);
}

void DrawPanel(Canvas& canvas) {
  DrawPanelBody(canvas);
  DrawPanelSections(canvas.cr());
}

}  // namespace

void DrawSocket(Canvas& canvas, double x, double y) {
  cairo_t* cr = canvas.cr();
  const double cx = x + 23, cy = y + 23;
  cairo_save(cr);
  // Outer soft shadow ring and a light lip at the lower right.
  cairo_arc(cr, cx, cy, 22.2, 0, 2 * M_PI);
  cairo_pattern_t* lip = cairo_pattern_create_linear(x, y, x + 46, y + 46);
  cairo_pattern_add_color_stop_rgba(lip, 0, 0.16, 0.13, 0.45, 0.9);
  cairo_pattern_add_color_stop_rgba(lip, 1, 0.93, 0.92, 1.0, 0.95);
  cairo_set_source(cr, lip);
  cairo_fill(cr);
  cairo_pattern_destroy(lip);
  // The hollow: darker at the top, as light from the upper left falls into it.
  cairo_arc(cr, cx, cy, 20, 0, 2 * M_PI);
  cairo_pattern_t* hollow = cairo_pattern_create_radial(cx + 4, cy + 6, 2, cx, cy, 21);
  cairo_pattern_add_color_stop_rgb(hollow, 0, 0.62, 0.60, 0.93);
  cairo_pattern_add_color_stop_rgb(hollow, 0.75, 0.45, 0.42, 0.82);
  cairo_pattern_add_color_stop_rgb(hollow, 1, 0.27, 0.23, 0.62);
  cairo_set_source(cr, hollow);
  cairo_fill(cr);
  cairo_pattern_destroy(hollow);
  cairo_restore(cr);
}

void DrawMainBackdrop(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  FrameBody(cr);
  // Outer dark line and inner light bevel of the whole frame.
  cairo_rectangle(cr, 0.5, 0.5, 799, 599);
  SetColour(cr, Hex(kNavy));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, 1.5, 1.5, 797, 597);
  SetColour(cr, Hex(0xA89FF0, 0.6));
  cairo_stroke(cr);
  DrawBoard(cr);
  DrawStrip(canvas);
  DrawPanel(canvas);
}

namespace {

// ---- main-screen pieces ------------------------------------------------------------------------------

struct Piece {
  int x, y, w, h;
};
// Positions are the screen's; the sizes tile the frame around the field and the panel.
constexpr Piece kPieces[11] = {{580, 0, 220, 600},  {0, 0, 24, 24},    {24, 0, 538, 13},
                               {562, 0, 18, 24},    {576, 24, 4, 461}, {564, 485, 16, 111},
                               {24, 495, 540, 101}, {0, 477, 24, 107}, {0, 24, 13, 453},
                               {0, 584, 24, 16},    {16, 596, 564, 4}};

// The attempts indicator's caption, one frame a mode: each the strip's patch under it with the words.
void MakeIndicatorLabels(DataSet& data, const Canvas& backdrop) {
  ClipFileWriter w;
  std::vector<int> images;
  for (const char* text : kIndicatorLabels) {
    Canvas patch(kIndicatorLabelW, kIndicatorLabelH);
    patch.Paint(backdrop, -kIndicatorLabelX, -kIndicatorLabelY);
    TextCentred(patch.cr(), text, 161 - kIndicatorLabelX, 583 - kIndicatorLabelY, StripLabelStyle());
    images.push_back(AddOpaque(w, patch, kLavender));
  }
  w.AddSequence(Frames(images, kFrameStop));
  data.SaveClip("clp/16.clp", w);
}

void MakeMainPieces(DataSet& data) {
  Canvas backdrop(800, 600);
  DrawMainBackdrop(backdrop);
  MakeIndicatorLabels(data, backdrop);
  for (int i = 0; i < 11; ++i) {
    const Piece& p = kPieces[i];
    Canvas piece(p.w, p.h);
    piece.Paint(backdrop, -p.x, -p.y);
    ClipFileWriter w;
    int image;
    if (i == 6) {
      // The strip lets the sockets of the waiting ball and the launcher show through (they are drawn
      // behind it): a round hole inside each socket's rim.
      cairo_t* cr = piece.cr();
      cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
      for (double sx : {kNextSocketX, kLaunchSocketX}) {
        cairo_arc(cr, sx + 23 - p.x, kSocketY + 23 - p.y, 19.5, 0, 2 * M_PI);
        cairo_fill(cr);
      }
      image = AddMasked(w, piece, kTypePicture);
    } else if (i == 0 || i == 2 || i == 8) {
      image = AddJpeg(w, piece, kLavender);
    } else {
      image = AddOpaque(w, piece, kLavender);
    }
    SingleFrame(w, image);
    data.SaveClip("clp/mainwnd/" + std::to_string(i) + ".clp", w);
  }
  // The socket itself, also behind every ball of the attempts indicator.
  Canvas ring{int(kSocketSize), int(kSocketSize)};
  DrawSocket(ring, 0, 0);
  ClipFileWriter w;
  SingleFrame(w, AddMasked(w, ring, kTypePicture));
  data.SaveClip("clp/8.clp", w);
}

// ---- dialog frame ----------------------------------------------------------------------------------------
// Drawn once as a whole rounded frame 10 px thick around a large dialog (corner radius 15, matching the
// window's 30 x 30 corner ellipse); the corners and straight runs are cut from it.

constexpr int kFrameW = 660, kFrameH = 580;

void DrawDialogFrame(Canvas& c) {
  cairo_t* cr = c.cr();
  const double r = 15;
  cairo_save(cr);
  RoundRectPath(cr, 0, 0, kFrameW, kFrameH, r);
  cairo_clip(cr);
  SetColour(cr, Hex(kLavender));
  cairo_paint(cr);
  cairo_restore(cr);
  // The band: outer dark line, slate body with a light upper bevel, dark inner line.
  cairo_save(cr);
  RoundRectPath(cr, 0, 0, kFrameW, kFrameH, r);
  RoundRectPath(cr, 10, 10, kFrameW - 20, kFrameH - 20, 5);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  SetColour(cr, Hex(kSlate));
  cairo_fill(cr);
  cairo_restore(cr);
  auto band = [&](double inset, double radius, const Rgba& colour, double width) {
    RoundRectPath(cr, inset, inset, kFrameW - 2 * inset, kFrameH - 2 * inset, radius);
    SetColour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  };
  band(0.5, 14.5, Hex(kNavy), 1);
  band(2, 13, Hex(0xA89EF2, 0.85), 1.5);
  band(4, 11, Hex(0x8276E0, 0.6), 1.5);
  band(7.5, 7.5, Hex(0x4A3EB2, 0.7), 2);
  band(9.5, 5.5, Hex(kNavy), 1);
  band(10.5, 4.5, Hex(kLavenderLight, 0.9), 1);
}

void MakeDialogFrame(DataSet& data) {
  Canvas whole(kFrameW, kFrameH);
  DrawDialogFrame(whole);
  // Corners 20 x 20, soft outside the curve so the screen beneath shows through.
  const int corners[4][3] = {
      {0, 0, 0}, {2, kFrameW - 20, 0}, {4, kFrameW - 20, kFrameH - 20}, {6, 0, kFrameH - 20}};
  for (const auto& k : corners) {
    Canvas piece(20, 20);
    piece.Paint(whole, -k[1], -k[2]);
    ClipFileWriter w;
    SingleFrame(w, AddMasked(w, piece, kTypePicture));
    data.SaveClip("clp/allwnd/" + std::to_string(k[0]) + ".clp", w);
  }
  // Edges: 612 long (the widest dialog is 650), 527 tall (the tallest is 565), 10 thick.
  const int edges[4][5] = {{1, 19, 0, 612, 10},
                           {3, kFrameW - 10, 19, 10, 527},
                           {5, 19, kFrameH - 10, 612, 10},
                           {7, 0, 19, 10, 527}};
  for (const auto& e : edges) {
    Canvas piece(e[3], e[4]);
    piece.Paint(whole, -e[1], -e[2]);
    ClipFileWriter w;
    SingleFrame(w, AddOpaque(w, piece, kLavender));
    data.SaveClip("clp/allwnd/" + std::to_string(e[0]) + ".clp", w);
  }
}

}  // namespace

void MakeFrames(DataSet& data) {
  MakeMainPieces(data);
  MakeDialogFrame(data);
}

}  // namespace art
