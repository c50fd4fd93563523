// The window's identity on the desktop: the class that ties it to the menu entry, and the entry's icon.
//
// The build compiles in the menu entry's id (GLOBBET_APP_ID) and where the icon lies relative to the
// game's own folder in each installation and in the build tree (GLOBBET_ICON_SEARCH, ':' between places).
#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/platform_sdl.h"

namespace {
// The icon of the installation (or build tree) this program belongs to; empty when there is none.
std::string IconPath() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path here = fs::read_symlink("/proc/self/exe", error).parent_path();
  if (error) return {};
  const std::string places = GLOBBET_ICON_SEARCH;
  for (size_t start = 0, end = 0; start < places.size(); start = end + 1) {
    end = std::min(places.find(':', start), places.size());
    const fs::path icon = here / places.substr(start, end - start);  // an absolute place replaces here
    if (end > start && fs::is_regular_file(icon, error)) return icon.string();
  }
  return {};
}
}  // namespace

void SdlNameApplication() {
  // SDL names the X11 window class (and the Wayland application id) from these when its video starts;
  // a name the player set stays.
  setenv("SDL_VIDEO_X11_WMCLASS", GLOBBET_APP_ID, 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", GLOBBET_APP_ID, 0);
}

void SdlSetWindowIcon(SDL_Window* window) {
  const std::string path = IconPath();
  if (path.empty()) return;  // the window manager's own picture stands in
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(png) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_format(png) == CAIRO_FORMAT_ARGB32) {
    const int width = cairo_image_surface_get_width(png), height = cairo_image_surface_get_height(png);
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (icon) {
      // cairo keeps the colours multiplied by alpha; the window system wants them plain.
      const unsigned char* from = cairo_image_surface_get_data(png);
      for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(from + y * cairo_image_surface_get_stride(png));
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(icon->pixels) + y * icon->pitch);
        for (int x = 0; x < width; ++x) {
          const uint32_t p = in[x], a = p >> 24;
          auto plain = [&](int shift) { return a ? ((p >> shift & 0xFF) * 255 + a / 2) / a << shift : 0; };
          out[x] = a << 24 | plain(16) | plain(8) | plain(0);
        }
      }
      SDL_SetWindowIcon(window, icon);
      SDL_FreeSurface(icon);
    }
  }
  cairo_surface_destroy(png);
}
