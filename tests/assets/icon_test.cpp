// The desktop icon: every size is a real PNG of its size showing the same cluster (orange in the middle,
// sky blue around it, clear corners), the build's files are what the generator draws, and the SVG
// defines every paint it uses and stays inside its box.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "tools/assets/icon.h"

using namespace art;

namespace {

struct PngReader {
  const std::vector<uint8_t>* bytes;
  size_t at = 0;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* r = static_cast<PngReader*>(closure);
  if (r->at + length > r->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, r->bytes->data() + r->at, length);
  r->at += length;
  return CAIRO_STATUS_SUCCESS;
}

// A decoded picture: premultiplied ARGB pixels.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  double Alpha(int x, int y) const { return (At(x, y) >> 24) / 255.0; }
};

Picture Decode(const std::vector<uint8_t>& png) {
  PngReader reader{&png};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
  Picture p;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(s);
    p.width = cairo_image_surface_get_width(s);
    p.height = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const uint8_t* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x) {
        uint32_t v;
        std::memcpy(&v, data + y * stride + 4 * x, 4);
        p.pixels.push_back(v);
      }
  }
  cairo_surface_destroy(s);
  return p;
}

// The colour at a point of the 256 master, scaled to the picture, un-premultiplied.
void Rgb(const Picture& p, double mx, double my, int& r, int& g, int& b) {
  const int x = int(mx * p.width / 256), y = int(my * p.height / 256);
  const uint32_t v = p.At(x, y);
  const int a = int(v >> 24);
  r = a ? int((v >> 16 & 0xFF) * 255 / a) : 0;
  g = a ? int((v >> 8 & 0xFF) * 255 / a) : 0;
  b = a ? int((v & 0xFF) * 255 / a) : 0;
}

TEST(Icon, EverySizeShowsTheClusterOnAClearBackground) {
  for (int size : kIconSizes) {
    SCOPED_TRACE(size);
    const Picture p = Decode(IconPng(size));
    ASSERT_EQ(p.width, size);
    ASSERT_EQ(p.height, size);
    for (auto [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
      EXPECT_EQ(p.Alpha(x, y), 0.0) << "corner " << x << "," << y;
    // The middle ball is orange, the ones left and right of it sky blue; points a little below their
    // centres, away from the gloss.
    int r, g, b;
    Rgb(p, 128, 134, r, g, b);
    EXPECT_EQ(p.Alpha(size / 2, size * 134 / 256), 1.0);
    EXPECT_GT(r, g);
    EXPECT_GT(g, b + 40) << "the middle ball is not orange";
    for (double x : {56.0, 200.0}) {
      Rgb(p, x, 134, r, g, b);
      EXPECT_GT(b, r + 40) << "the ball at x " << x << " is not blue";
    }
  }
}

TEST(Icon, SmallSizesAreTheMasterScaledDown) {
  const Picture master = Decode(IconPng(256));
  for (int size : {32, 64, 128}) {
    const Picture p = Decode(IconPng(size));
    ASSERT_EQ(p.width, size);
    const int k = 256 / size;
    double difference = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        double coverage = 0;
        for (int j = 0; j < k; ++j)
          for (int i = 0; i < k; ++i)
            coverage += master.Alpha(x * k + i, y * k + j);
        difference += std::fabs(coverage / (k * k) - p.Alpha(x, y));
      }
    EXPECT_LT(difference / (size * size), 0.03) << size << " px differs in shape from the master";
  }
}

TEST(Icon, TheBuildsIconsAreWhatTheGeneratorDraws) {
  for (int size : kIconSizes) {
    const std::string path =
        std::string(GLOBBET_DATA_DIR) + "/icons/globbet-" + std::to_string(size) + ".png";
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path << " is missing: build the target globbet_data";
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(file == IconPng(size)) << path << " is not the same bytes on every run";
  }
}

TEST(Icon, TheSvgDefinesEveryPaintItUsesAndStaysInItsBox) {
  const std::string svg = IconSvg();
  ASSERT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("viewBox=\"0 0 256 256\""), std::string::npos);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  std::set<std::string> defined, used;
  const std::regex id("id=\"([a-z0-9]+)\""), url("url\\(#([a-z0-9]+)\\)");
  for (std::sregex_iterator i(svg.begin(), svg.end(), id), end; i != end; ++i)
    defined.insert((*i)[1]);
  for (std::sregex_iterator i(svg.begin(), svg.end(), url), end; i != end; ++i)
    used.insert((*i)[1]);
  EXPECT_FALSE(used.empty());
  for (const std::string& name : used)
    EXPECT_TRUE(defined.count(name)) << "url(#" << name << ") is not defined";
  // Every circle lies wholly inside the 256 x 256 box.
  const std::regex circle("<circle cx=\"([0-9.-]+)\" cy=\"([0-9.-]+)\" r=\"([0-9.-]+)\"");
  int circles = 0;
  for (std::sregex_iterator i(svg.begin(), svg.end(), circle), end; i != end; ++i, ++circles) {
    const double cx = std::stod((*i)[1]), cy = std::stod((*i)[2]), r = std::stod((*i)[3]);
    EXPECT_GE(cx - r, 0);
    EXPECT_GE(cy - r, 0);
    EXPECT_LE(cx + r, 256);
    EXPECT_LE(cy + r, 256);
  }
  EXPECT_GE(circles, 6);
}

}  // namespace
