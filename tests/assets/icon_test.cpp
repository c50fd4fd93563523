// The desktop icon: every size is a real PNG of its size showing the cluster (an orange ball between sky
// blue ones, clear corners), and the SVG defines every paint it uses.
#include <gtest/gtest.h>

#include <cairo.h>

#include <regex>
#include <set>
#include <string>

#include "tests/support/test_folder.h"
#include "tools/assets/icon.h"

namespace {

TEST(Icon, EverySizeShowsTheClusterOnAClearBackground) {
  for (int size : art::kIconSizes) {
    SCOPED_TRACE(size);
    TestFolder folder;
    const std::vector<uint8_t> png = art::IconPng(size);
    WriteAll(folder / "icon.png", std::string(png.begin(), png.end()));
    cairo_surface_t* s = cairo_image_surface_create_from_png((folder / "icon.png").c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(s), size);
    ASSERT_EQ(cairo_image_surface_get_height(s), size);
    // A pixel at a point of the 256 master, as alpha and un-premultiplied red, green, blue.
    const auto at = [&](int mx, int my, int channel) {
      const uint8_t* p = cairo_image_surface_get_data(s) +
                         cairo_image_surface_get_stride(s) * (my * size / 256) + 4 * (mx * size / 256);
      return channel == 3 ? p[3] : p[3] ? p[2 - channel] * 255 / p[3] : 0;
    };
    for (int corner : {0, 255})
      EXPECT_EQ(at(corner, corner, 3) + at(corner, 255 - corner, 3), 0);
    // Points a little below the balls' centres, away from the gloss.
    EXPECT_EQ(at(128, 134, 3), 255);
    EXPECT_GT(at(128, 134, 0), at(128, 134, 1));
    EXPECT_GT(at(128, 134, 1), at(128, 134, 2) + 40) << "the middle ball is not orange";
    for (int x : {56, 200})
      EXPECT_GT(at(x, 134, 2), at(x, 134, 0) + 40) << "the ball at " << x << " is not blue";
    cairo_surface_destroy(s);
  }
}

TEST(Icon, TheSvgDefinesEveryPaintItUses) {
  const std::string svg = art::IconSvg();
  ASSERT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  std::set<std::string> defined, used;
  const std::regex id("id=\"([a-z0-9]+)\""), url("url\\(#([a-z0-9]+)\\)");
  for (std::sregex_iterator i(svg.begin(), svg.end(), id), end; i != end; ++i)
    defined.insert((*i)[1]);
  for (std::sregex_iterator i(svg.begin(), svg.end(), url), end; i != end; ++i)
    used.insert((*i)[1]);
  EXPECT_FALSE(used.empty());
  for (const std::string& name : used)
    EXPECT_TRUE(defined.count(name)) << "url(#" << name << ") is not defined";
}

}  // namespace
