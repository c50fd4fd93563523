// Alphabets; see alphabet.h.
#include "tools/assets/alphabet.h"

#include <string>

#include "engine/clip.h"
#include "tools/assets/palette.h"

namespace art {
namespace {

constexpr char kBallLetters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-?";
static_assert(sizeof(kBallLetters) - 1 == 38, "the ball alphabet has 38 frames");

void MakeBallAlphabet(DataSet& data) {
  ClipFileWriter w;
  std::vector<int> images;
  for (int i = 0; i < 38; ++i) {
    Canvas c(24, 30);
    const bool sign = i >= 36;
    SphereLook look;
    look.gloss = 0.35;
    look.specular = 0.5;
    DrawSphere(c, 12, 15, 11.6, Hex(sign ? 0xE69F00 : 0x5447D2), look);
    TextStyle style;
    style.size = 15;
    style.fill = Hex(0xFFFFFF);
    style.outline = Hex(sign ? 0x7A4A00 : 0x1E1670, 0.8);
    style.outlineWidth = 2;
    const std::string letter(1, kBallLetters[i]);
    // Wide letters get a little less size so they stay inside the ball.
    if (letter == "M" || letter == "W") style.size = 13;
    if (letter == "-") {
      // The hyphen glyph is too slight on a ball: a bar of the letters' weight instead.
      cairo_t* cr = c.cr();
      RoundRectPath(cr, 6, 13.5, 12, 4, 2);
      SetColour(cr, style.outline);
      cairo_set_line_width(cr, 2);
      cairo_stroke_preserve(cr);
      SetColour(cr, style.fill);
      cairo_fill(cr);
    } else {
      TextCentred(c.cr(), letter, 12, 15.5, style);
    }
    images.push_back(AddMasked(w, c, kTypeSprite));
  }
  w.AddSequence(Frames(images, kFrameStop));
  data.SaveClip("clp/alphabet/0.clp", w);
}

void MakeScoreDigits(DataSet& data) {
  ClipFileWriter w;
  std::vector<int> images;
  for (int d = 0; d < 10; ++d) {
    Canvas c(20, 30);
    TextStyle style;
    style.size = 27;
    style.outline = Hex(0x2A1600, 0.9);
    style.outlineWidth = 2.5;
    style.shadow = Hex(0x000000, 0.45);
    TextGradient(c.cr(), std::to_string(d), 10, 15, style, Hex(0xFFF6B0), Hex(0xF29A00));
    images.push_back(AddMasked(w, c, kTypeSprite));
  }
  w.AddSequence(Frames(images, kFrameStop));
  data.SaveClip("clp/alphabet/1.clp", w);
}

}  // namespace

void MakeAlphabets(DataSet& data) {
  MakeBallAlphabet(data);
  MakeScoreDigits(data);
}

}  // namespace art
