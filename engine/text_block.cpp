// TextBlock: page layout (a pure function of the text, the page size and the measurements) and painting each
// page into one frame of the clip.
//
// Sections: measuring · the layout · the clip
#include "engine/text_block.h"

#include <algorithm>
#include <memory>

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

}  // namespace

// ---- measuring -----------------------------------------------------------------------------------------

TextExtent MeasureDrawText(const std::string& text) {
  // Measuring needs a picture to measure against; any will do.
  static Bitmap scratch(1, 1);  // only measures: nothing drawn on it is ever read, so not process state
  TextExtent e;
  scratch.MeasureText(text.c_str(), e.width, e.height);
  return e;
}

// ---- the layout ----------------------------------------------------------------------------------------

namespace {

struct Word {
  std::string text;
  int width = 0;
};

// Paragraphs stand apart by this fraction of a line: enough to see, too little to waste a page's room.
constexpr int kParagraphGapDivisor = 3;

// The end of the run of words from first that fits a line: words are taken while the running total of
// their widths and spaces stays below the page width; at least one.
size_t LineEnd(const std::vector<Word>& words, size_t first, int space, int pageWidth) {
  size_t end = first;
  for (int total = 0; end < words.size(); ++end) {
    const int share = std::max(words[end].width + space, space);
    if (end > first && total + share >= pageWidth) break;
    total += share;
  }
  return end;
}

// Lays one line of the text (the words up to a line break) out from y, wrapping its words over as many
// page lines as they need.
void LayOutLine(const std::string& line, int pageWidth, int pageHeight, const TextMeasure& measure,
                std::vector<std::vector<PlacedWord>>& pages, int& y) {
  const int space = measure(" ").width;
  std::vector<Word> words;
  for (std::string& w : Split(line, ' '))
    words.push_back(Word{w, measure(w).width});
  for (size_t first = 0; first < words.size();) {
    const size_t end = LineEnd(words, first, space, pageWidth);
    std::string joined;
    for (size_t i = first; i < end; ++i)
      joined += (i > first ? " " : "") + words[i].text;
    const TextExtent e = measure(joined);
    // A line the break ends is as long as its words: spread out, it would gape.
    const bool last = end == words.size();
    const int spacing = last ? space : (pageWidth - e.width) / static_cast<int>(end - first) + space;
    if (y + e.height >= pageHeight) {
      pages.emplace_back();
      y = 0;
    }
    int x = 0;
    for (size_t i = first; i < end; ++i) {
      pages.back().push_back(PlacedWord{words[i].text, x, y});
      x += words[i].width + spacing;
    }
    y += e.height;
    first = end;
  }
}

}  // namespace

std::vector<std::vector<PlacedWord>> LayOutPages(const std::string& text, int pageWidth, int pageHeight,
                                                 const TextMeasure& measure) {
  std::vector<std::vector<PlacedWord>> pages(1);
  const int gap = measure(" ").height / kParagraphGapDivisor;
  int y = 0;
  for (const std::string& line : Split(text, '\n')) {
    // An empty line parts two paragraphs; at the top of a page nothing needs parting.
    if (line.empty()) {
      if (y > 0) y += gap;
      continue;
    }
    LayOutLine(line, pageWidth, pageHeight, measure, pages, y);
  }
  return pages;
}

// ---- the clip ------------------------------------------------------------------------------------------

TextBlock::TextBlock() : font(DrawFont()) {
  stopped = true;
}

void TextBlock::SetSize(int width, int height) {
  layoutWidth_ = std::max(width, 0);
  layoutHeight_ = std::max(height, 0);
}

void TextBlock::SetText(const std::string& text, const DrawFontRecord* newFont) {
  if (newFont) font = *newFont;
  const DrawFontScope scope(font);
  Clear();
  const int pageWidth = std::max(layoutWidth_ - kPageMargin, 1), pageHeight = std::max(layoutHeight_, 1);
  const int32_t background = static_cast<int32_t>(font.backgroundColor);
  for (const std::vector<PlacedWord>& words : LayOutPages(text, pageWidth, pageHeight, MeasureDrawText)) {
    auto page = std::make_unique<Bitmap>();
    if (!page->Create(pageWidth, pageHeight, background)) return;
    for (const PlacedWord& word : words)
      page->DrawText(word.text.c_str(), word.x, word.y);
    AddFrame(std::move(page));
  }
  SetColorKeyAll(background);
  SetFrame(0, -1);
}
