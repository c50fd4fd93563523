// Drawing toolkit over cairo; see canvas.h.
//
// Sections: colours · canvas · shapes and text · spheres · conversions
#include "tools/assets/canvas.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace art {

// ---- colours -------------------------------------------------------------------------------------

Rgba Hex(uint32_t rgb, double alpha) {
  return {((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0, alpha};
}

Rgba Mix(const Rgba& a, const Rgba& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba Lighter(const Rgba& c, double t) {
  Rgba w = Hex(0xFFFFFF, c.a);
  return Mix(c, w, t);
}

Rgba Darker(const Rgba& c, double t) {
  Rgba k = Hex(0, c.a);
  return Mix(c, k, t);
}

Rgba WithAlpha(const Rgba& c, double alpha) {
  return {c.r, c.g, c.b, alpha};
}

double Clamp01(double v) {
  return v < 0 ? 0 : v > 1 ? 1 : v;
}

double SmoothStep(double edge0, double edge1, double x) {
  const double t = Clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

uint32_t ToHex(const Rgba& c) {
  auto channel = [](double v) { return uint32_t(std::lround(Clamp01(v) * 255)); };
  return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// ---- canvas --------------------------------------------------------------------------------------

Canvas::Canvas(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)),
      width_(width),
      height_(height) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "globbet-assets: cannot make a %d x %d canvas\n", width, height);
    std::exit(1);
  }
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_t* options = cairo_font_options_create();
  // No hinting: the same outlines on every machine with the same fonts.
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

Rgba Canvas::Pixel(int x, int y) const {
  cairo_surface_flush(surface_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  uint32_t p;
  std::memcpy(&p, data + y * stride + 4 * x, 4);
  const double a = (p >> 24) / 255.0;
  if (a <= 0) return {0, 0, 0, 0};
  return {((p >> 16) & 255) / 255.0 / a, ((p >> 8) & 255) / 255.0 / a, (p & 255) / 255.0 / a, a};
}

namespace {

// Premultiplied "over" of a straight colour onto one ARGB32 pixel.
void BlendRaw(uint8_t* pixel, const Rgba& c) {
  uint32_t p;
  std::memcpy(&p, pixel, 4);
  const double sa = Clamp01(c.a);
  const double out[4] = {sa + (p >> 24) / 255.0 * (1 - sa),
                         Clamp01(c.r) * sa + ((p >> 16) & 255) / 255.0 * (1 - sa),
                         Clamp01(c.g) * sa + ((p >> 8) & 255) / 255.0 * (1 - sa),
                         Clamp01(c.b) * sa + (p & 255) / 255.0 * (1 - sa)};
  auto q = [](double v) { return uint32_t(std::lround(Clamp01(v) * 255)); };
  p = q(out[0]) << 24 | q(out[1]) << 16 | q(out[2]) << 8 | q(out[3]);
  std::memcpy(pixel, &p, 4);
}

}  // namespace

void Canvas::Blend(int x, int y, const Rgba& c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || c.a <= 0) return;
  cairo_surface_flush(surface_);
  BlendRaw(cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_) + 4 * x, c);
  cairo_surface_mark_dirty(surface_);
}

void Canvas::Paint(const Canvas& other, double x, double y, double alpha) {
  cairo_save(cr_);
  cairo_set_source_surface(cr_, other.surface_, x, y);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_restore(cr_);
}

void Canvas::Shade(int x0, int y0, int x1, int y1, const std::function<Rgba(double, double)>& fn, int ss) {
  x0 = std::max(x0, 0), y0 = std::max(y0, 0);
  x1 = std::min(x1, width_), y1 = std::min(y1, height_);
  const double n = double(ss) * ss;
  cairo_surface_flush(surface_);
  uint8_t* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
      for (int j = 0; j < ss; ++j) {
        for (int i = 0; i < ss; ++i) {
          const Rgba c = fn(x + (i + 0.5) / ss, y + (j + 0.5) / ss);
          const double ca = Clamp01(c.a);
          r += Clamp01(c.r) * ca, g += Clamp01(c.g) * ca, b += Clamp01(c.b) * ca, a += ca;
        }
      }
      if (a <= 0) continue;
      BlendRaw(data + y * stride + 4 * x, {r / a, g / a, b / a, a / n});
    }
  }
  cairo_surface_mark_dirty(surface_);
}

// ---- shapes and text -------------------------------------------------------------------------------

void SetColour(cairo_t* cr, const Rgba& c) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void SetVertical(cairo_t* cr, double y0, const Rgba& top, double y1, const Rgba& bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void GlossyBox(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& top,
               const Rgba& bottom, const Rgba& outline, double outlineWidth) {
  cairo_save(cr);
  RoundRectPath(cr, x + outlineWidth / 2, y + outlineWidth / 2, w - outlineWidth, h - outlineWidth, r);
  SetVertical(cr, y, top, y + h, bottom);
  cairo_fill_preserve(cr);
  if (outlineWidth > 0 && outline.a > 0) {
    SetColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_stroke(cr);
  }
  cairo_new_path(cr);
  cairo_restore(cr);
}

void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double blur, double alpha) {
  const int steps = std::max(1, int(blur * 2));
  cairo_save(cr);
  for (int i = 0; i < steps; ++i) {
    const double grow = blur * (1.0 - double(i) / steps);
    RoundRectPath(cr, x - grow, y - grow, w + 2 * grow, h + 2 * grow, r + grow);
    cairo_set_source_rgba(cr, 0, 0, 0.1, alpha / steps);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void Card(cairo_t* cr, double x, double y, double w, double h, double r, const Rgba& top, const Rgba& bottom,
          const Rgba& outline, const Rgba& innerLine) {
  SoftShadow(cr, x + 2, y + 6, w - 4, h - 2, r, 5, 0.28);
  GlossyBox(cr, x, y, w, h, r, top, bottom, outline, 2.5);
  RoundRectPath(cr, x + 7, y + 7, w - 14, h - 14, r - 6);
  SetColour(cr, innerLine);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

namespace {

void SelectFont(cairo_t* cr, const TextStyle& style) {
  cairo_select_font_face(cr, style.serif ? "Liberation Serif" : "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                         style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, style.size);
}

void DrawTextPath(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style,
                  cairo_pattern_t* fill) {
  cairo_save(cr);
  SelectFont(cr, style);
  if (style.shadow.a > 0) {
    cairo_move_to(cr, x + 1, baseline + 1);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, style.shadow);
    if (style.outlineWidth > 0) {
      cairo_set_line_width(cr, style.outlineWidth);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
  }
  cairo_move_to(cr, x, baseline);
  cairo_text_path(cr, text.c_str());
  if (style.outlineWidth > 0 && style.outline.a > 0) {
    SetColour(cr, style.outline);
    cairo_set_line_width(cr, style.outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  if (fill != nullptr)
    cairo_set_source(cr, fill);
  else
    SetColour(cr, style.fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

// The ink extents of the text in the style.
cairo_text_extents_t Extents(cairo_t* cr, const std::string& text, const TextStyle& style) {
  cairo_save(cr);
  SelectFont(cr, style);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_restore(cr);
  return e;
}

}  // namespace

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
  return Extents(cr, text, style).width;
}

void TextCentred(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style) {
  const cairo_text_extents_t e = Extents(cr, text, style);
  DrawTextPath(cr, text, cx - (e.x_bearing + e.width / 2), cy - (e.y_bearing + e.height / 2), style, nullptr);
}

void TextAt(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style) {
  const cairo_text_extents_t e = Extents(cr, text, style);
  DrawTextPath(cr, text, x - e.x_bearing, baseline, style, nullptr);
}

void TextGradient(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style,
                  const Rgba& top, const Rgba& bottom) {
  const cairo_text_extents_t e = Extents(cr, text, style);
  const double x = cx - (e.x_bearing + e.width / 2), y = cy - (e.y_bearing + e.height / 2);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y + e.y_bearing, 0, y + e.y_bearing + e.height);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, top.a);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, bottom.a);
  DrawTextPath(cr, text, x, y, style, p);
  cairo_pattern_destroy(p);
}

// ---- spheres -------------------------------------------------------------------------------------------

void DrawSphere(Canvas& canvas, double cx, double cy, double radius, const Rgba& base,
                const SphereLook& look) {
  if (radius <= 0.2) return;
  // Light from the upper left and a little toward the viewer.
  const double lx = -0.48, ly = -0.58, lz = 0.66;
  const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double Lx = lx / ll, Ly = ly / ll, Lz = lz / ll;
  double hx = Lx, hy = Ly, hz = Lz + 1;  // half vector toward the viewer
  const double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
  hx /= hl, hy /= hl, hz /= hl;
  const Rgba white = Hex(0xFFFFFF);
  auto fn = [&](double x, double y) -> Rgba {
    const double px = (x - cx) / radius, py = (y - cy) / radius;
    const double d2 = px * px + py * py;
    if (d2 >= 1) return {0, 0, 0, 0};
    const double d = std::sqrt(d2), nz = std::sqrt(1 - d2);
    const double diffuse = std::max(0.0, px * Lx + py * Ly + nz * Lz);
    // Body: the colour itself where the light falls, deeper away from it.
    Rgba c = Mix(Darker(base, 0.3), Lighter(base, 0.18), std::min(1.0, 0.2 + 0.9 * diffuse));
    // A darker rim, strongest at the lower right, then light bounced up inside it.
    const double rim = SmoothStep(0.62, 1.0, d);
    const double away = Clamp01(0.45 + 0.55 * (px * 0.6 + py * 0.8));
    c = Darker(c, look.rimDark * rim * (0.35 + 0.65 * away));
    const double bounce =
        SmoothStep(0.55, 0.85, d) * (1 - SmoothStep(0.9, 1.0, d)) * Clamp01(px * 0.45 + py * 0.9);
    c = Mix(c, Lighter(base, 0.5), look.bounce * 2.2 * bounce);
    // The window reflection: a soft-edged bright ellipse in the upper left.
    const double gx = (px + 0.34) / 0.36, gy = (py + 0.44) / 0.24;
    const double g = 1 - SmoothStep(0.6, 1.0, std::sqrt(gx * gx + gy * gy));
    c = Mix(c, white, look.gloss * g * 0.95);
    // The bright spot.
    const double spec = std::pow(std::max(0.0, px * hx + py * hy + nz * hz), 80.0);
    c = Mix(c, white, Clamp01(look.specular * spec));
    c = Mix(c, white, look.brighten);
    c.a = look.alpha * (1 - SmoothStep(0.985, 1.0, d2));
    return c;
  };
  canvas.Shade(int(cx - radius - 1), int(cy - radius - 1), int(cx + radius + 2), int(cy + radius + 2), fn,
               radius < 8 ? 6 : 4);
}

void DrawSparkle(cairo_t* cr, double cx, double cy, double size, double alpha) {
  if (size <= 0 || alpha <= 0) return;
  cairo_save(cr);
  cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, size * 0.6);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, alpha * 0.9);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
  cairo_set_source(cr, glow);
  cairo_arc(cr, cx, cy, size * 0.6, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  const double w = size * 0.16;
  cairo_move_to(cr, cx, cy - size);
  cairo_curve_to(cr, cx + w * 0.3, cy - w, cx + w, cy - w * 0.3, cx + size, cy);
  cairo_curve_to(cr, cx + w, cy + w * 0.3, cx + w * 0.3, cy + w, cx, cy + size);
  cairo_curve_to(cr, cx - w * 0.3, cy + w, cx - w, cy + w * 0.3, cx - size, cy);
  cairo_curve_to(cr, cx - w, cy - w * 0.3, cx - w * 0.3, cy - w, cx, cy - size);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, alpha);
  cairo_fill(cr);
  cairo_restore(cr);
}

// ---- conversions -----------------------------------------------------------------------------------

namespace {

Rgba Over(const Rgba& top, const Rgba& bottom) {
  return {top.r * top.a + bottom.r * (1 - top.a), top.g * top.a + bottom.g * (1 - top.a),
          top.b * top.a + bottom.b * (1 - top.a), 1};
}

}  // namespace

Bitmap ToOpaque(const Canvas& canvas, const Rgba& background) {
  Bitmap out(canvas.width(), canvas.height());
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      uint32_t c = ToHex(Over(canvas.Pixel(x, y), background));
      if (c == 0xFF00FF) c ^= 1;  // magenta is the key of every record
      out.SetPixel(x, y, c);
    }
  return out;
}

Bitmap ToKeyed(const Canvas& canvas, const Rgba& over, uint32_t key) {
  Bitmap out(canvas.width(), canvas.height());
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgba p = canvas.Pixel(x, y);
      if (p.a < 0.5 / 255) {
        out.SetPixel(x, y, key);
      } else {
        uint32_t c = ToHex(Over(p, over));
        if (c == key) c ^= 1;  // a drawn pixel must never read as the key
        out.SetPixel(x, y, c);
      }
    }
  }
  return out;
}

Bitmap ToMasked(const Canvas& canvas, bool keyFill, uint32_t key) {
  const int w = canvas.width(), h = canvas.height();
  Bitmap out(w, h);
  out.CreateMask(255);
  std::vector<Rgba> colour(size_t(w) * h);
  std::vector<int> visible(size_t(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    uint8_t* m = out.GetMaskRow(y);
    for (int x = 0; x < w; ++x) {
      const Rgba p = canvas.Pixel(x, y);
      const int alpha = int(std::lround(Clamp01(p.a) * 255));
      m[x] = uint8_t(255 - alpha);
      colour[size_t(y) * w + x] = p;
      visible[size_t(y) * w + x] = alpha > 0;
    }
  }
  if (!keyFill) {
    // Bleed visible colours outward, ring by ring, into the transparent pixels.
    for (int pass = 0; pass < std::max(w, h); ++pass) {
      bool changed = false;
      std::vector<int> next = visible;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          if (visible[size_t(y) * w + x]) continue;
          double r = 0, g = 0, b = 0;
          int n = 0;
          for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
              const int nx = x + dx, ny = y + dy;
              if (nx < 0 || ny < 0 || nx >= w || ny >= h || !visible[size_t(ny) * w + nx]) continue;
              const Rgba& c = colour[size_t(ny) * w + nx];
              r += c.r, g += c.g, b += c.b, ++n;
            }
          }
          if (n == 0) continue;
          colour[size_t(y) * w + x] = {r / n, g / n, b / n, 0};
          next[size_t(y) * w + x] = 1;
          changed = true;
        }
      }
      visible.swap(next);
      if (!changed) break;
    }
  }
  for (int y = 0; y < h; ++y) {
    const uint8_t* m = out.GetMaskRow(y);
    for (int x = 0; x < w; ++x) {
      if (m[x] == 255 && keyFill) {
        out.SetPixel(x, y, key);
      } else {
        uint32_t c = ToHex(colour[size_t(y) * w + x]);
        if (keyFill && c == key) c ^= 1;
        out.SetPixel(x, y, c);
      }
    }
  }
  return out;
}

std::vector<uint8_t> EncodeJpeg444(const Bitmap& picture, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);  // a generator may end on a codec error
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(picture.GetWidth());
  cinfo.image_height = JDIMENSION(picture.GetHeight());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  cinfo.dct_method = JDCT_ISLOW;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(picture.GetWidth()) * 3);
  for (int y = 0; y < picture.GetHeight(); ++y) {
    const uint8_t* src = picture.GetRow(y);
    for (int x = 0; x < picture.GetWidth(); ++x) {
      row[3 * x] = src[3 * x + 2], row[3 * x + 1] = src[3 * x + 1], row[3 * x + 2] = src[3 * x];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

}  // namespace art
