// Buttons and check boxes; see buttons.h.
//
// A button's three sequences are one frame each: 0 normal, 1 pressed (darker, 1 px down and right),
// 2 hover (brighter with a glow). Check boxes: 0 unchecked, 1 checked, 2 and 3 pressed, 4 and 5 hover.
//
// Sections: skins of buttons · faces · the button table · boxes
#include "tools/assets/buttons.h"

#include <cmath>
#include <functional>
#include <string>

#include "tools/assets/palette.h"

namespace art {
namespace {

enum class State { kNormal, kPressed, kHover };

// ---- skins of buttons ------------------------------------------------------------------------------------

struct Skin {
  Rgba top, bottom, outline, ink, inkShadow;
};

const Skin kLightSkin{Hex(0xFFFFFF), Hex(0xC3BDFB), Hex(kNavy), Hex(kRoyal), Hex(0xFFFFFF, 0.8)};
const Skin kGoldSkin{Hex(0xFFE78A), Hex(0xF0A400), Hex(0x6A3A00), Hex(0x3A1E6E), Hex(0xFFF4C8, 0.8)};
const Skin kGreenSkin{Hex(0x7EE2BC), Hex(0x00936A), Hex(0x00503A), Hex(0xFFFFFF), Hex(0x00402E, 0.6)};
const Skin kRedSkin{Hex(0xFFAE86), Hex(0xCF5600), Hex(0x6A2400), Hex(0xFFFFFF), Hex(0x5A1E00, 0.6)};
const Skin kDarkSkin{Hex(0x7467DA), Hex(0x3E329F), Hex(0x17124E), Hex(0xFFFFFF), Hex(0x10103A, 0.7)};

using Face = std::function<void(cairo_t*, double x, double y, double w, double h, const Skin&)>;

// Draws one look of a button of w x h: the body inside a 2 px margin (room for the glow and the shadow),
// then the face on it.
void DrawButton(Canvas& c, const Skin& skin, State state, double radius, const Face& face) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  double bx = 2, by = 2, bw = w - 4, bh = h - 4;
  Skin s = skin;
  if (state == State::kPressed) {
    bx += 1, by += 1;
    s.top = Darker(skin.top, 0.14), s.bottom = Darker(skin.bottom, 0.16);
  } else {
    // Shadow inside the box, below the body.
    RoundRectPath(cr, bx + 0.5, by + 1.5, bw, bh, radius);
    SetColour(cr, Hex(0x10103A, 0.35));
    cairo_fill(cr);
  }
  if (state == State::kHover) {
    s.top = Lighter(skin.top, 0.25), s.bottom = Lighter(skin.bottom, 0.22);
    for (int i = 2; i >= 1; --i) {
      RoundRectPath(cr, bx - i + 0.5, by - i + 0.5, bw + 2 * i - 1, bh + 2 * i - 1, radius + i);
      SetColour(cr, Hex(0xFFE680, 0.35 * (3 - i)));
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
    }
  }
  GlossyBox(cr, bx, by, bw - 1, bh - 1, radius, s.top, s.bottom, s.outline, 1.4);
  // Gloss: a soft white band over the upper half.
  cairo_save(cr);
  RoundRectPath(cr, bx + 2.5, by + 2.2, bw - 6, (bh - 1) * 0.45, std::max(1.0, radius - 2));
  SetVertical(cr, by + 2, Hex(0xFFFFFF, state == State::kPressed ? 0.25 : 0.55), by + bh * 0.5,
              Hex(0xFFFFFF, 0.05));
  cairo_fill(cr);
  cairo_restore(cr);
  face(cr, bx, by, bw - 1, bh - 1, s);
}

// ---- faces ---------------------------------------------------------------------------------------------

// Words, one or two lines, as large as the body allows.
Face Words(std::string line1, std::string line2 = "", double maxSize = 15) {
  return [=](cairo_t* cr, double x, double y, double w, double h, const Skin& s) {
    TextStyle style;
    style.fill = s.ink;
    style.shadow = s.inkShadow;
    const int lines = line2.empty() ? 1 : 2;
    double size = std::min(maxSize, (h - 6) / (lines == 1 ? 1.15 : 2.3));
    for (; size > 7; size -= 0.5) {
      style.size = size;
      if (TextWidth(cr, line1, style) <= w - 10 && TextWidth(cr, line2, style) <= w - 10) break;
    }
    style.size = size;
    if (lines == 1) {
      TextCentred(cr, line1, x + w / 2, y + h / 2, style);
    } else {
      TextCentred(cr, line1, x + w / 2, y + h / 2 - size * 0.62, style);
      TextCentred(cr, line2, x + w / 2, y + h / 2 + size * 0.62, style);
    }
  };
}

// A symbol drawn by a path function in a unit box centred on the body, stroked in the ink colour.
Face Symbol(std::function<void(cairo_t*)> path, double scale, double lineWidth, bool fill = false) {
  return [=](cairo_t* cr, double x, double y, double w, double h, const Skin& s) {
    for (int pass = 0; pass < 2; ++pass) {
      cairo_save(cr);
      cairo_translate(cr, x + w / 2 + (pass == 0 ? 0.8 : 0), y + h / 2 + (pass == 0 ? 0.8 : 0));
      cairo_scale(cr, scale, scale);
      path(cr);
      cairo_restore(cr);
      SetColour(cr, pass == 0 ? s.inkShadow : s.ink);
      cairo_set_line_width(cr, lineWidth);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      if (fill)
        cairo_fill(cr);
      else
        cairo_stroke(cr);
    }
  };
}

void CrossPath(cairo_t* cr) {
  cairo_move_to(cr, -1, -1), cairo_line_to(cr, 1, 1);
  cairo_move_to(cr, 1, -1), cairo_line_to(cr, -1, 1);
}
void CheckPath(cairo_t* cr) {
  cairo_move_to(cr, -1.1, 0.05), cairo_line_to(cr, -0.35, 0.8), cairo_line_to(cr, 1.15, -0.85);
}
void MinusPath(cairo_t* cr) {
  cairo_move_to(cr, -1, 0.7), cairo_line_to(cr, 1, 0.7);
}
void SquarePath(cairo_t* cr) {
  cairo_rectangle(cr, -1.1, -0.8, 2.2, 1.6);
  cairo_move_to(cr, -1.1, -0.45), cairo_line_to(cr, 1.1, -0.45);
}
void DownPath(cairo_t* cr) {
  cairo_move_to(cr, -1, -0.5), cairo_line_to(cr, 1, -0.5), cairo_line_to(cr, 0, 0.75), cairo_close_path(cr);
}
void UpPath(cairo_t* cr) {
  cairo_move_to(cr, -1, 0.5), cairo_line_to(cr, 1, 0.5), cairo_line_to(cr, 0, -0.75), cairo_close_path(cr);
}

// "?" in the ink colour.
Face Question() {
  return [](cairo_t* cr, double x, double y, double w, double h, const Skin& s) {
    TextStyle style;
    style.size = h * 0.9;
    style.fill = s.ink;
    style.shadow = s.inkShadow;
    TextCentred(cr, "?", x + w / 2, y + h / 2, style);
  };
}

// A gear above a word: the options button.
Face Gear(std::string word) {
  return [=](cairo_t* cr, double x, double y, double w, double h, const Skin& s) {
    const double cx = x + w / 2, cy = y + h * 0.38, r = h * 0.22;
    cairo_save(cr);
    for (int i = 0; i < 8; ++i) {
      const double a = i * M_PI / 4;
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_rotate(cr, a);
      cairo_rectangle(cr, -r * 0.28, -r * 1.35, r * 0.56, r * 0.6);
      cairo_restore(cr);
    }
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColour(cr, s.ink);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r * 0.42, 0, 2 * M_PI);
    SetColour(cr, Mix(s.top, s.bottom, 0.4));
    cairo_fill(cr);
    cairo_restore(cr);
    TextStyle style;
    style.size = 13;
    style.fill = s.ink;
    style.shadow = s.inkShadow;
    TextCentred(cr, word, cx, y + h * 0.8, style);
  };
}

// The web link: the game's name and what it opens, the about page shipped with the game.
Face WebLink() {
  return [](cairo_t* cr, double x, double y, double w, double h, const Skin& s) {
    TextStyle name;
    name.size = 15;
    name.fill = s.ink;
    name.shadow = s.inkShadow;
    TextCentred(cr, "GLOBBET ONLINE", x + w / 2, y + h * 0.36, name);
    TextStyle address = name;
    address.size = 10;
    address.bold = false;
    address.fill = Mix(s.ink, Hex(kSlate), 0.3);
    TextCentred(cr, "about this game", x + w / 2, y + h * 0.72, address);
  };
}

// ---- the button table ------------------------------------------------------------------------------------

struct ButtonSpec {
  int number, width, height;
  const Skin* skin;
  double radius;
  Face face;
  const Skin* hoverSkin = nullptr;  // a different colour under the pointer (the exit button warms up)
};

void MakeButton(DataSet& data, const ButtonSpec& b) {
  ClipFileWriter w;
  for (State state : {State::kNormal, State::kPressed, State::kHover}) {
    Canvas c(b.width, b.height);
    const Skin& skin = state == State::kHover && b.hoverSkin ? *b.hoverSkin : *b.skin;
    DrawButton(c, skin, state, b.radius, b.face);
    w.AddSequence({Frame(AddMasked(w, c, kTypeControl, true), 0)});
  }
  data.SaveClip("clp/buttons/" + std::to_string(b.number) + ".clp", w);
}

// ---- boxes -----------------------------------------------------------------------------------------------

enum class BoxKind { kOption, kRadio, kSpeed };

void DrawBox(Canvas& c, BoxKind kind, bool checked, State state) {
  cairo_t* cr = c.cr();
  const double w = c.width(), h = c.height();
  const double off = state == State::kPressed ? 1 : 0;
  auto shape = [&](double inset) {
    if (kind == BoxKind::kRadio)
      cairo_arc(cr, w / 2 + off, h / 2 + off, w / 2 - inset, 0, 2 * M_PI);
    else
      RoundRectPath(cr, inset + off, inset + off, w - 2 * inset - 1, h - 2 * inset - 1,
                    kind == BoxKind::kSpeed ? 4 : 5);
  };
  if (state == State::kHover) {
    shape(0.6);
    SetColour(cr, Hex(0xFFD23F, 0.75));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }
  // The hollow: a white inset with a shadow at the top.
  shape(2);
  Rgba top = Hex(0xB9B4EE), bottom = Hex(0xFFFFFF);
  if (state == State::kPressed) top = Darker(top, 0.15), bottom = Darker(bottom, 0.12);
  if (kind == BoxKind::kSpeed && checked) top = Hex(0xFFE27A), bottom = Hex(0xF09A00);
  SetVertical(cr, 2, top, h - 2, bottom);
  cairo_fill_preserve(cr);
  SetColour(cr, Hex(kNavy));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  if (!checked) return;
  switch (kind) {
    case BoxKind::kOption: {
      const double cx = w / 2 + off, cy = h / 2 + off;
      for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, cx - 6.5, cy + 0.5);
        cairo_line_to(cr, cx - 2, cy + 5);
        cairo_line_to(cr, cx + 7, cy - 6);
        SetColour(cr, pass == 0 ? Hex(0xFFFFFF, 0.9) : Hex(0x008560));
        cairo_set_line_width(cr, pass == 0 ? 5.2 : 3.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
      }
      break;
    }
    case BoxKind::kRadio: {
      SphereLook look;
      DrawSphere(c, w / 2 + off, h / 2 + off, w / 2 - 6, Hex(0x4A3FD0), look);
      break;
    }
    case BoxKind::kSpeed: {
      cairo_save(cr);
      RoundRectPath(cr, 4 + off, 3.5 + off, w - 9, (h - 6) * 0.45, 3);
      SetColour(cr, Hex(0xFFFFFF, 0.55));
      cairo_fill(cr);
      cairo_restore(cr);
      break;
    }
  }
}

void MakeBox(DataSet& data, int number, BoxKind kind, int width, int height) {
  ClipFileWriter w;
  const std::pair<bool, State> looks[6] = {{false, State::kNormal},  {true, State::kNormal},
                                           {false, State::kPressed}, {true, State::kPressed},
                                           {false, State::kHover},   {true, State::kHover}};
  for (const auto& [checked, state] : looks) {
    Canvas c(width, height);
    DrawBox(c, kind, checked, state);
    w.AddSequence({Frame(AddMasked(w, c, kTypeControl, true), 0)});
  }
  data.SaveClip("clp/buttons/" + std::to_string(number) + ".clp", w);
}

}  // namespace

void MakeButtons(DataSet& data) {
  const ButtonSpec buttons[] = {
      {0, 30, 20, &kDarkSkin, 5, Symbol(CrossPath, 4.2, 2.2), &kRedSkin},
      {1, 30, 20, &kDarkSkin, 5, Question()},
      {2, 30, 20, &kDarkSkin, 5, Symbol(MinusPath, 5, 2.4)},
      {3, 80, 35, &kLightSkin, 9, Words("MORE", "GAMES", 12)},
      {4, 80, 70, &kGoldSkin, 12, Words("NEW", "GAME", 19)},
      {5, 80, 35, &kLightSkin, 9, Words("PLAY")},
      {6, 118, 60, &kLightSkin, 11, Gear("OPTIONS")},
      {7, 80, 35, &kLightSkin, 9, Words("TOP 10")},
      {8, 70, 50, &kGreenSkin, 12, Symbol(CheckPath, 11, 5)},
      {9, 70, 50, &kRedSkin, 12, Symbol(CrossPath, 9, 5)},
      {10, 80, 35, &kLightSkin, 9, Words("OK")},
      {11, 90, 34, &kLightSkin, 9, Words("CLEAR")},
      {12, 90, 40, &kLightSkin, 10, Words("CLOSE", "", 16)},
      {13, 90, 34, &kLightSkin, 9, Words("SUBMIT")},
      {14, 80, 35, &kLightSkin, 9, Words("BACK")},
      {15, 80, 35, &kLightSkin, 9, Words("NEXT")},
      {16, 80, 35, &kLightSkin, 9, Words("MENU")},
      {17, 180, 40, &kLightSkin, 12, WebLink()},
      {21, 80, 35, &kLightSkin, 9, Words("HELP")},
      {22, 34, 34, &kLightSkin, 9, Symbol(DownPath, 8, 1.5, true)},
      {23, 34, 34, &kLightSkin, 9, Symbol(UpPath, 8, 1.5, true)},
      {24, 30, 20, &kDarkSkin, 5, Symbol(SquarePath, 5.2, 1.6)},
      {25, 65, 35, &kLightSkin, 9, Words("DEMO")},
      {26, 98, 35, &kLightSkin, 9, Words("REPLAY")},  // at x 582 it ends where DEMO ends
  };
  for (const ButtonSpec& b : buttons)
    MakeButton(data, b);
  MakeBox(data, 18, BoxKind::kOption, 24, 24);
  MakeBox(data, 19, BoxKind::kRadio, 24, 24);
  MakeBox(data, 20, BoxKind::kSpeed, 26, 20);
}

}  // namespace art
