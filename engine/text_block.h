// OText: a clip that lays a text out into pages, one frame a page: left, centred, right or spread
// alignment with word wrapping, or unwrapped lines; optionally with a drop shadow. Only the glyphs show
// (each page is keyed by the background colour). Its playback stays stopped: the owner turns the pages.
#pragma once

#include <string>

#include "engine/clip.h"
#include "engine/draw_style.h"

// Sets DrawFont for the life of the scope and puts the old record back after: the text clips draw with
// their own fonts without changing what other drawing code set.
class DrawFontScope {
 public:
  explicit DrawFontScope(const DrawFontRecord& font) : saved_(DrawFont) { DrawFont = font; }
  ~DrawFontScope() { DrawFont = saved_; }
  DrawFontScope(const DrawFontScope&) = delete;
  DrawFontScope& operator=(const DrawFontScope&) = delete;

 private:
  DrawFontRecord saved_;
};

// The cell DrawText would paint for text in the current DrawFont (0 x 0 when no font can be had).
struct TextExtent {
  int width = 0, height = 0;
};
TextExtent MeasureDrawText(const std::string& text);

class OText : public OClip {
 public:
  static constexpr int kAlignLeft = 0, kAlignCentre = 2, kAlignLines = 3, kAlignRight = 4, kAlignSpread = 1;
  // The page is this much narrower than the clip.
  static constexpr int kPageMargin = 10;

  // Takes its font from the current DrawFont; stopped.
  OText();

  // The size the pages are laid out in.
  void SetSize(int width, int height);
  int GetLayoutWidth() const { return layoutWidth_; }
  int GetLayoutHeight() const { return layoutHeight_; }
  // Lays text out into pages (replacing the old ones): lines split at character 10, words at spaces.
  // font, when given, replaces the clip's font. A zero width or height is first worked out from the text
  // (the widest line, and every line stacked). Shows page 0.
  void SetText(const std::string& text, const DrawFontRecord* font, int alignment);

  DrawFontRecord font;
  bool shadow = false;        // a black shadow 2 pixels down and right
  int32_t lineReduction = 0;  // pixels taken off each line's height

 private:
  struct Word {
    std::string text;
    int width = 0;
  };

  void FitToText(const std::string& text);

  int32_t layoutWidth_ = 0, layoutHeight_ = 0;
};
