// TextBlock: a clip that lays a text out into pages, one frame a page, its words wrapped and spread over
// each line's width (but the last of a paragraph). Only the glyphs show (each page is keyed by the background
// colour). Its playback stays stopped: the owner turns the pages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/clip.h"
#include "engine/draw_style.h"

// Sets DrawFont for the life of the scope and puts the old record back after: the text clips draw with
// their own fonts without changing what other drawing code set.
class DrawFontScope {
 public:
  explicit DrawFontScope(const DrawFontRecord& font) : saved_(DrawFont()) { DrawFont() = font; }
  ~DrawFontScope() { DrawFont() = saved_; }
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

// A word laid on a page: its text and its cell's top-left.
struct PlacedWord {
  std::string text;
  int x = 0, y = 0;
};
using TextMeasure = std::function<TextExtent(const std::string&)>;
// Lays text out into pages of pageWidth x pageHeight, measuring with measure: lines break at character
// 10 and fill word by word (words split at spaces) while the words and their spaces stay below the page
// width; the width a line leaves over is shared out between its words, except on the last line before a
// break, which keeps plain spaces. An empty line parts paragraphs by a third of a line. A line goes to a
// new page when it would reach the page's bottom. At least one page, each the list of its words.
std::vector<std::vector<PlacedWord>> LayOutPages(const std::string& text, int pageWidth, int pageHeight,
                                                 const TextMeasure& measure);

class TextBlock : public Clip {
 public:
  // The page is this much narrower than the clip.
  static constexpr int kPageMargin = 10;

  // Takes its font from the current DrawFont; stopped.
  TextBlock();

  // The size the pages are laid out in.
  void SetSize(int width, int height);
  // Lays text out into pages (replacing the old ones) with LayOutPages. font, when given, replaces the
  // clip's font. Shows page 0.
  void SetText(const std::string& text, const DrawFontRecord* font);

  DrawFontRecord font;

 private:
  int32_t layoutWidth_ = 0, layoutHeight_ = 0;
};
