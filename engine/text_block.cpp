// OText: page layout. Lines are split at character 10 and filled word by word; each page becomes one
// frame of the clip.
//
// Sections: measuring and drawing · fitting the size · the layout
#include "engine/text_block.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// ---- measuring and drawing ---------------------------------------------------------------------------

// Draws one piece of text on the page in the font's colours, with or without the shadow.
void DrawPiece(OBitmap& page, const std::string& piece, int x, int y, const DrawFontRecord& font,
               bool shadow) {
  if (!shadow) {
    page.DrawText(piece.c_str(), x, y);
    return;
  }
  DrawFont.textColor = 0x000000;
  page.DrawText(piece.c_str(), x + 2, y + 2);
  DrawFont.textColor = font.textColor;
  // The piece in its own colours goes over the shadow with only its glyphs.
  const TextExtent e = MeasureDrawText(piece);
  OBitmap over;
  if (!over.Create(e.width + 5, e.height + 5, static_cast<int32_t>(font.backgroundColor))) return;
  over.DrawText(piece.c_str(), 0, 0);
  over.colorKey = static_cast<int32_t>(font.backgroundColor);
  page.Draw(&over, x, y);
}

}  // namespace

TextExtent MeasureDrawText(const std::string& text) {
  // Measuring needs a picture to measure against; any will do.
  static OBitmap scratch(1, 1);
  TextExtent e;
  scratch.MeasureText(text.c_str(), e.width, e.height);
  return e;
}

OText::OText() : font(DrawFont) {
  stopped = true;
}

void OText::SetSize(int width, int height) {
  layoutWidth_ = std::max(width, 0);
  layoutHeight_ = std::max(height, 0);
}

// ---- fitting the size ----------------------------------------------------------------------------------

void OText::FitToText(const std::string& text) {
  const int space = std::max(MeasureDrawText(" ").width, 1);
  int width = 0, height = 0;
  for (const std::string& line : Split(text, '\n')) {
    int shares = 0;
    for (const std::string& word : Split(line, ' '))
      shares += std::max(MeasureDrawText(word).width + space, space);
    const TextExtent e = MeasureDrawText(line);
    width = std::max({width, shares, e.width});
    height += std::max(e.height - lineReduction, e.height);
  }
  // One pixel more than the text needs: a line is laid only while it stays below the page's edges.
  if (layoutWidth_ == 0) layoutWidth_ = width + kPageMargin + 1;
  if (layoutHeight_ == 0) layoutHeight_ = height + 1;
}

// ---- the layout --------------------------------------------------------------------------------------

void OText::SetText(const std::string& text, const DrawFontRecord* newFont, int alignment) {
  if (newFont) font = *newFont;
  const DrawFontScope scope(font);
  if (layoutWidth_ == 0 || layoutHeight_ == 0) FitToText(text);
  Clear();
  const int pageWidth = std::max(layoutWidth_ - kPageMargin, 1), pageHeight = std::max(layoutHeight_, 1);
  const int32_t background = static_cast<int32_t>(font.backgroundColor);

  auto page = std::make_unique<OBitmap>();
  if (!page->Create(pageWidth, pageHeight, background)) return;
  const int space = MeasureDrawText(" ").width;
  int y = 0;
  const auto newPage = [&]() {
    AddFrame(std::move(page));
    page = std::make_unique<OBitmap>();
    page->Create(pageWidth, pageHeight, background);
    y = 0;
  };

  for (const std::string& line : Split(text, '\n')) {
    if (alignment == kAlignLines) {
      if (y >= pageHeight) break;
      DrawPiece(*page, line, 0, y, font, shadow);
      y += MeasureDrawText(line).height - lineReduction;
      continue;
    }
    std::vector<Word> words;
    for (std::string& w : Split(line, ' '))
      words.push_back(Word{w, MeasureDrawText(w).width});
    for (size_t first = 0; first < words.size();) {
      // Take words while the running total stays below the page width; at least one.
      size_t end = first;
      for (int total = 0; end < words.size(); ++end) {
        const int share = std::max(words[end].width + space, space);
        if (end > first && total + share >= pageWidth) break;
        total += share;
      }
      std::string joined;
      for (size_t i = first; i < end; ++i)
        joined += (i > first ? " " : "") + words[i].text;
      const TextExtent e = MeasureDrawText(joined);
      const int count = static_cast<int>(end - first);
      const bool plain = alignment == kAlignLeft || alignment == kAlignCentre || alignment == kAlignRight;
      const int spacing = plain ? space : (pageWidth - e.width) / count + space;
      if (y + e.height >= pageHeight) newPage();
      if (alignment == kAlignRight) {
        int x = pageWidth;
        for (size_t i = end; i-- > first;) {
          const bool tab = words[i].text == "\t";
          x -= tab ? 4 * spacing : words[i].width + spacing;
          if (!tab) DrawPiece(*page, words[i].text, x, y, font, shadow);
        }
      } else {
        int x = alignment == kAlignCentre ? (layoutWidth_ - e.width) / 2 : 0;
        for (size_t i = first; i < end; ++i) {
          if (words[i].text == "\t") {
            x += 4 * spacing;
            continue;
          }
          DrawPiece(*page, words[i].text, x, y, font, shadow);
          x += words[i].width + spacing;
        }
      }
      y += e.height - lineReduction;
      first = end;
    }
  }
  AddFrame(std::move(page));
  SetColorKeyAll(background);
  SetFrame(0, -1);
}
