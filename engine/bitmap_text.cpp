// Bitmap text: DrawText and MeasureText with the DrawFont settings, rendered by cairo with a face that
// fontconfig resolves from the record's face name. Each call builds its font and surface and releases
// them before returning.
//
// The text cell is the advance width of the text by the font's ascent + descent (hinted, whole pixels).
// DrawText paints the cell opaque in the background colour and the glyphs over it in the text colour;
// glyph ink that overhangs the cell is blended onto the picture as it is.
//
// Sections: code page · font resolution · the font of one call · MeasureText · DrawText
#include "engine/bitmap_text.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#if defined(__SANITIZE_ADDRESS__)
#define GLOBBET_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GLOBBET_LEAK_CHECKED 1
#endif
#endif
#ifdef GLOBBET_LEAK_CHECKED
#include <sanitizer/lsan_interface.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/bitmap.h"
#include "engine/draw_style.h"

// ---- code page ---------------------------------------------------------------------------------------

std::string WesternToUtf8(const char* text) {
  // Code points of bytes 0x80..0x9F; the five unassigned bytes keep their own value.
  static constexpr uint16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                         0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                         0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                         0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  if (text == nullptr) return out;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<uint8_t>(*p);
    const unsigned code = byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

// ---- font resolution ---------------------------------------------------------------------------------

int FontPixelHeight(int points) {
  const int64_t magnitude = std::llabs(int64_t{points}) * 96;
  return static_cast<int>(std::min<int64_t>((magnitude + 36) / 72, 1 << 20));
}

namespace {

struct PatternFree {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternFree>;

// Loads fontconfig's configuration once. Fontconfig keeps a few bytes of it for the life of the process;
// the leak checker of sanitizer builds is told to look away from exactly that.
void LoadFontConfiguration() {
  static const bool loaded = [] {
#ifdef GLOBBET_LEAK_CHECKED
    __lsan_disable();
#endif
    const bool ok = FcInit() == FcTrue;
#ifdef GLOBBET_LEAK_CHECKED
    __lsan_enable();
#endif
    return ok;
  }();
  (void)loaded;  // without a configuration FcFontMatch still answers with built-in defaults or null
}

// The best installed font for a face name and style flags; null when fontconfig has none at all.
// An unknown face name gets fontconfig's default face.
PatternPtr ResolveFont(const char* faceName, int styleFlags, int pixelHeight) {
  LoadFontConfiguration();
  PatternPtr query(FcPatternCreate());
  if (query == nullptr) return nullptr;
  if (faceName != nullptr && faceName[0] != '\0') {
    FcPatternAddString(query.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName));
  }
  FcPatternAddInteger(query.get(), FC_WEIGHT, (styleFlags & kFontBold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(query.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddDouble(query.get(), FC_PIXEL_SIZE, pixelHeight);
  FcConfigSubstitute(nullptr, query.get(), FcMatchPattern);
  FcDefaultSubstitute(query.get());
  FcResult result = FcResultNoMatch;
  return PatternPtr(FcFontMatch(nullptr, query.get(), &result));
}

// ResolveFont, remembered: a match costs fontconfig's whole substitution and scoring, and the screens
// draw hundreds of texts in a handful of fonts (matching the help pages' lines took half of start-up).
// The configuration is loaded once, so a face, style and size always resolve alike. Returns a
// reference of the caller's own.
PatternPtr MatchFont(const char* faceName, int styleFlags, int pixelHeight) {
  struct Entry {
    std::string face;
    int style, pixels;
    PatternPtr match;
  };
  // A cache, not process state: an entry answers the same match whatever run asks.
  static std::mutex lock;
  static std::vector<Entry> known;
  constexpr size_t kMaxKnown = 64;  // far above the fonts the game uses; a bound against odd callers
  const std::string face = faceName != nullptr ? faceName : "";
  const int style = styleFlags & kFontBold;
  const std::lock_guard<std::mutex> hold(lock);
  auto it = std::find_if(known.begin(), known.end(), [&](const Entry& e) {
    return e.style == style && e.pixels == pixelHeight && e.face == face;
  });
  if (it == known.end()) {
    if (known.size() >= kMaxKnown) known.clear();
    known.push_back(Entry{face, style, pixelHeight, ResolveFont(face.c_str(), style, pixelHeight)});
    it = known.end() - 1;
  }
  if (it->match == nullptr) return nullptr;
  FcPatternReference(it->match.get());
  return PatternPtr(it->match.get());
}

// ---- the font of one call ----------------------------------------------------------------------------

// The DrawFont record made concrete for one call: a scaled cairo font and its whole-pixel metrics.
class CallFont {
 public:
  explicit CallFont(const DrawFontRecord& record) {
    // Size 0 means the default size; glyphs beyond 2048 pixels would only exhaust the glyph cache.
    const int pixels =
        std::min(FontPixelHeight(record.size != 0 ? record.size : DrawFontRecord{}.size), 2048);
    char face[DrawFontRecord::kFaceNameCapacity] = {};
    std::copy_n(record.faceName, DrawFontRecord::kFaceNameCapacity - 1, face);  // may lack a terminator
    // The face takes its own reference to the pattern.
    const PatternPtr match = MatchFont(face, record.styleFlags, pixels);
    cairo_font_face_t* fontFace =
        match != nullptr
            ? cairo_ft_font_face_create_for_pattern(match.get())
            : cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    cairo_matrix_t fontMatrix, identity;
    cairo_matrix_init_scale(&fontMatrix, pixels, pixels);
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    font_ = cairo_scaled_font_create(fontFace, &fontMatrix, &identity, options);
    cairo_font_options_destroy(options);
    cairo_font_face_destroy(fontFace);
    if (cairo_scaled_font_status(font_) != CAIRO_STATUS_SUCCESS) return;

    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font_, &extents);
    ascent_ = static_cast<int>(std::lround(extents.ascent));
    height_ = ascent_ + static_cast<int>(std::lround(extents.descent));
    ok_ = height_ > 0;
  }
  ~CallFont() { cairo_scaled_font_destroy(font_); }
  CallFont(const CallFont&) = delete;
  CallFont& operator=(const CallFont&) = delete;

  bool ok() const { return ok_; }
  cairo_scaled_font_t* font() const { return font_; }
  int ascent() const { return ascent_; }
  int height() const { return height_; }

  // The advance width of the text in whole pixels, and its ink box relative to the start of the
  // baseline.
  int Measure(const std::string& utf8, cairo_text_extents_t& ink) const {
    cairo_scaled_font_text_extents(font_, utf8.c_str(), &ink);
    return static_cast<int>(std::lround(ink.x_advance));
  }

 private:
  cairo_scaled_font_t* font_ = nullptr;
  int ascent_ = 0, height_ = 0;
  bool ok_ = false;
};

}  // namespace

// ---- MeasureText -------------------------------------------------------------------------------------

bool Bitmap::MeasureText(const char* text, int& width, int& height) const {
  width = height = 0;
  if (!HasPixels()) return false;
  const CallFont font(DrawFont());
  if (!font.ok()) return false;
  cairo_text_extents_t ink;
  width = font.Measure(WesternToUtf8(text), ink);
  height = font.height();
  return true;
}

// ---- DrawText ----------------------------------------------------------------------------------------

namespace {

// Where one DrawText call paints on a picture.
struct TextPlacement {
  int cellWidth = 0, baseline = 0;
  // The cell and the ink box (a pixel of margin for anti-aliasing), clipped to the picture; empty when
  // nothing of the text lands on it.
  BitmapRect area;
};

// Places the text with its cell's top-left at (x, y) on a picture of width x height. 64-bit sums: x and y
// come from callers and may be anywhere.
TextPlacement PlaceText(const CallFont& font, const std::string& utf8, int x, int y, int width, int height) {
  TextPlacement place;
  cairo_text_extents_t ink;
  place.cellWidth = font.Measure(utf8, ink);
  place.baseline = y + font.ascent();
  const int64_t inkLeft = x + static_cast<int64_t>(std::floor(ink.x_bearing)) - 1;
  const int64_t inkRight = x + static_cast<int64_t>(std::ceil(ink.x_bearing + ink.width)) + 1;
  const int64_t inkTop = place.baseline + static_cast<int64_t>(std::floor(ink.y_bearing)) - 1;
  const int64_t inkBottom = place.baseline + static_cast<int64_t>(std::ceil(ink.y_bearing + ink.height)) + 1;
  const int64_t left = std::max<int64_t>(0, std::min<int64_t>(x, inkLeft));
  const int64_t top = std::max<int64_t>(0, std::min<int64_t>(y, inkTop));
  const int64_t right = std::min<int64_t>(width, std::max<int64_t>(int64_t{x} + place.cellWidth, inkRight));
  const int64_t bottom = std::min<int64_t>(height, std::max<int64_t>(int64_t{y} + font.height(), inkBottom));
  if (left < right && top < bottom) {
    place.area = BitmapRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                            static_cast<int>(bottom)};
  }
  return place;
}

void SetSourceColor(cairo_t* cr, uint32_t c) {
  cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
}

// Paints the cell in the background colour and the glyphs over it in the text colour onto a surface
// that covers the placement's area. False when cairo fails.
bool PaintText(cairo_surface_t* surface, const CallFont& font, const std::string& utf8, int x, int y,
               const TextPlacement& place, const DrawFontRecord& colors) {
  cairo_t* cr = cairo_create(surface);
  cairo_translate(cr, -place.area.left, -place.area.top);
  SetSourceColor(cr, colors.backgroundColor);
  cairo_rectangle(cr, x, y, place.cellWidth, font.height());
  cairo_fill(cr);
  SetSourceColor(cr, colors.textColor);
  cairo_set_scaled_font(cr, font.font());
  cairo_move_to(cr, x, place.baseline);
  cairo_show_text(cr, utf8.c_str());
  const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return drawn;
}

// Blends a premultiplied ARGB surface onto the picture's 24-bit rows with its top-left at (left, top)
// (opaque where the cell was painted).
void Composite(Bitmap& picture, cairo_surface_t* surface, int left, int top) {
  const uint8_t* data = cairo_image_surface_get_data(surface);
  const int dataStride = cairo_image_surface_get_stride(surface);
  const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  for (int row = 0; row < height; ++row) {
    const auto* src = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(row) * dataStride);
    uint8_t* d = picture.GetRow(top + row) + 3 * left;
    for (int col = 0; col < width; ++col, d += 3) {
      const uint32_t p = src[col];
      const int alpha = static_cast<int>(p >> 24);
      if (alpha == 0) continue;
      const int keep = 255 - alpha;
      const int channel[3] = {static_cast<int>(p & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                              static_cast<int>((p >> 16) & 0xFF)};
      for (int k = 0; k < 3; ++k)
        d[k] = static_cast<uint8_t>(channel[k] + (d[k] * keep + 127) / 255);
    }
  }
}

}  // namespace

bool Bitmap::DrawText(const char* text, int x, int y) {
  if (!HasPixels()) return false;
  const CallFont font(DrawFont());
  if (!font.ok()) return false;
  const std::string utf8 = WesternToUtf8(text);
  const TextPlacement place = PlaceText(font, utf8, x, y, GetWidth(), GetHeight());
  const BitmapRect& area = place.area;
  if (area.left >= area.right) return true;  // nothing of it on the picture
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, area.right - area.left, area.bottom - area.top);
  const bool drawn = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
                     PaintText(surface, font, utf8, x, y, place, DrawFont());
  if (drawn) Composite(*this, surface, area.left, area.top);
  cairo_surface_destroy(surface);
  return drawn;
}
