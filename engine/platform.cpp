#include "engine/platform.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/platform_headless.h"

namespace {
// The fallback when no platform was installed: tools and tests run without a display. Not process state:
// it keeps nothing between calls that a run could depend on.
HeadlessPlatform& BuiltInPlatform() {
  static HeadlessPlatform headless;
  return headless;
}
}  // namespace

Platform& GetPlatform() {
  Platform* installed = Engine().choices.platform;
  return installed ? *installed : BuiltInPlatform();
}

void SetPlatform(Platform* platform) {
  Engine().choices.platform = platform;
}

bool ClipPresentRect(PresentRect& r, int pictureWidth, int pictureHeight, int clientWidth, int clientHeight) {
  if (r.srcX < 0) r.width += r.srcX, r.dstX -= r.srcX, r.srcX = 0;
  if (r.srcY < 0) r.height += r.srcY, r.dstY -= r.srcY, r.srcY = 0;
  if (r.dstX < 0) r.width += r.dstX, r.srcX -= r.dstX, r.dstX = 0;
  if (r.dstY < 0) r.height += r.dstY, r.srcY -= r.dstY, r.dstY = 0;
  r.width = std::min({r.width, pictureWidth - r.srcX, clientWidth - r.dstX});
  r.height = std::min({r.height, pictureHeight - r.srcY, clientHeight - r.dstY});
  return r.width > 0 && r.height > 0;
}

namespace {
int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
}  // namespace

int PicturePlacement::ToPictureX(int displayX) const {
  return FloorDiv(displayX - left, scale);
}

int PicturePlacement::ToPictureY(int displayY) const {
  return FloorDiv(displayY - top, scale);
}

PicturePlacement PlacePicture(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight) {
  PicturePlacement p;
  if (pictureWidth > 0 && pictureHeight > 0) {
    p.scale = std::max(1, std::min(screenWidth / pictureWidth, screenHeight / pictureHeight));
  }
  p.left = (screenWidth - pictureWidth * p.scale) / 2;
  p.top = (screenHeight - pictureHeight * p.scale) / 2;
  return p;
}

int ChooseWindowScale(int choice, int usableWidth, int usableHeight, int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
  // The largest factor whose window fits in percent of the usable area.
  const auto fitting = [&](long long percent) {
    return int(std::min(usableWidth * percent / (100LL * pictureWidth),
                        usableHeight * percent / (100LL * pictureHeight)));
  };
  return std::max(1, choice == 0 ? fitting(85) : std::min(choice, fitting(100)));
}
