#include "engine/platform_headless.h"

#include <algorithm>
#include <cstring>

HeadlessPlatform::HeadlessPlatform() : canvas_(size_t{kCanvasWidth} * kCanvasHeight * 3, 0) {}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::QueueEventAt(uint32_t atMs, const PlatformEvent& event) {
  // Keep the queue ordered by time; events of equal time stay in the order they were queued.
  auto pos = std::find_if(queue_.begin(), queue_.end(),
                          [&](const Timed& t) { return static_cast<int32_t>(t.at - atMs) > 0; });
  queue_.insert(pos, Timed{atMs, event});
}

void HeadlessPlatform::SetPointerClient(int x, int y) {
  if (fullScreen_) {
    const PicturePlacement p = PlacePicture(screenW_, screenH_, pictureW_, pictureH_);
    pointerX_ = p.left + x * p.scale;
    pointerY_ = p.top + y * p.scale;
  } else {
    pointerX_ = winX_ + x * scale_;
    pointerY_ = winY_ + y * scale_;
  }
}

uint32_t HeadlessPlatform::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= kCanvasWidth || y >= kCanvasHeight) return 0;
  const uint8_t* p = &canvas_[(size_t{static_cast<size_t>(y)} * kCanvasWidth + x) * 3];
  return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

bool HeadlessPlatform::CreateMainWindow(const char* title, int width, int height, uint32_t background,
                                        bool borderless) {
  if (createFails_ || hasWindow_) return false;
  hasWindow_ = true;
  borderless_ = borderless;
  shown_ = minimised_ = rounded_ = fullScreen_ = false;
  SetShapeMask({}, 0, 0);
  title_ = title ? title : "";
  background_ = background;
  // A zero size leaves the choice to the platform, as a desktop would.
  clientW_ = width > 0 && height > 0 ? width : 640;
  clientH_ = width > 0 && height > 0 ? height : 480;
  winX_ = std::max(0, (screenW_ - clientW_ * scale_) / 2);
  winY_ = std::max(0, (screenH_ - clientH_ * scale_) / 2);
  FillCanvas(0, 0, kCanvasWidth, kCanvasHeight, background);
  return true;
}

void HeadlessPlatform::FillCanvas(int x, int y, int width, int height, uint32_t color) {
  const uint8_t bgr[3] = {static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                          static_cast<uint8_t>(color >> 16)};
  for (int row = std::max(0, y); row < std::min(kCanvasHeight, y + height); ++row) {
    for (int col = std::max(0, x); col < std::min(kCanvasWidth, x + width); ++col) {
      std::memcpy(&canvas_[(static_cast<size_t>(row) * kCanvasWidth + col) * 3], bgr, 3);
    }
  }
}

void HeadlessPlatform::QueueExpose() {
  PlatformEvent expose;
  expose.type = PlatformEventType::kExpose;
  QueueEvent(expose);
}

void HeadlessPlatform::DestroyMainWindow() {
  hasWindow_ = shown_ = fullScreen_ = false;
}

void HeadlessPlatform::ShowWindow() {
  if (hasWindow_) shown_ = true;
}

void HeadlessPlatform::SetRoundedShape(bool rounded) {
  rounded_ = rounded;
  SetShapeMask({}, 0, 0);
}

void HeadlessPlatform::SetShapeMask(const std::vector<uint8_t>& inside, int width, int height) {
  const bool fits = width > 0 && height > 0 && inside.size() == size_t(width) * size_t(height);
  mask_ = fits ? inside : std::vector<uint8_t>();
  maskW_ = fits ? width : 0, maskH_ = fits ? height : 0;
}

void HeadlessPlatform::SetRestored(bool restore) {
  if (restore != minimised_) return;
  minimised_ = !restore;
  PlatformEvent event;
  event.type = restore ? PlatformEventType::kShown : PlatformEventType::kHidden;
  QueueEvent(event);
}

void HeadlessPlatform::SetTitle(const char* title) {
  if (hasWindow_) title_ = title ? title : "";
}

void HeadlessPlatform::SetWindowRect(int x, int y, int width, int height) {
  if (!hasWindow_) return;
  winX_ = x * scale_, winY_ = y * scale_;
  const bool resized = (width > 0 && width != clientW_) || (height > 0 && height != clientH_);
  if (width > 0) clientW_ = width;
  if (height > 0) clientH_ = height;
  ++moveCount_;
  if (resized) QueueExpose();
}

void HeadlessPlatform::GetWindowPosition(int& x, int& y) const {
  if (fullScreen_) {
    x = y = 0;
  } else {
    x = ToScaleSteps(winX_), y = ToScaleSteps(winY_);
  }
}

void HeadlessPlatform::GetClientSize(int& width, int& height) const {
  // In full screen the program still sees its own picture size; the scaling is the platform's affair.
  width = fullScreen_ ? pictureW_ : clientW_;
  height = fullScreen_ ? pictureH_ : clientH_;
}

bool HeadlessPlatform::EnterFullScreen(int width, int height) {
  if (!hasWindow_ || fullScreenFails_ || width <= 0 || height <= 0) return false;
  fullScreen_ = true;
  pictureW_ = width, pictureH_ = height;
  FillCanvas(0, 0, kCanvasWidth, kCanvasHeight, 0);
  QueueExpose();
  return true;
}

void HeadlessPlatform::LeaveFullScreen() {
  if (!fullScreen_) return;
  fullScreen_ = false;
  FillCanvas(0, 0, kCanvasWidth, kCanvasHeight, background_);
  QueueExpose();
}

bool HeadlessPlatform::SetWindowScale(int scale) {
  scale = std::max(1, scale);
  if (scale == scale_) return false;
  scale_ = scale;
  if (hasWindow_ && !fullScreen_) QueueExpose();
  return true;
}

bool HeadlessPlatform::FirstDue() const {
  return !queue_.empty() && static_cast<int32_t>(now_ - queue_.front().at) >= 0;
}

bool HeadlessPlatform::PollEvent(PlatformEvent& event) {
  if (!FirstDue()) {
    now_ += idleStep_;
    return false;
  }
  event = queue_.front().event;
  queue_.pop_front();
  // A pointer event means the pointer is there now, as with a real pointer.
  switch (event.type) {
    case PlatformEventType::kMouseMove:
    case PlatformEventType::kMouseDown:
    case PlatformEventType::kMouseUp:
    case PlatformEventType::kRightMouseDown:
    case PlatformEventType::kRightMouseUp:
      SetPointerClient(event.x, event.y);
      break;
    default:
      break;
  }
  return true;
}

bool HeadlessPlatform::WaitForEvent(int timeoutMs) {
  if (FirstDue()) return true;
  if (queue_.empty()) {
    // Nothing will ever arrive: an endless wait would hang the test, so only the timeout passes.
    if (timeoutMs > 0) now_ += static_cast<uint32_t>(timeoutMs);
    return false;
  }
  const int32_t until = static_cast<int32_t>(queue_.front().at - now_);
  if (timeoutMs < 0 || until <= timeoutMs) {
    now_ = queue_.front().at;
    return true;
  }
  now_ += static_cast<uint32_t>(timeoutMs);
  return false;
}

bool HeadlessPlatform::WaitUntil(uint32_t dueMs) {
  if (FirstDue()) return true;
  const uint32_t target = dueMs - idleStep_;
  if (!queue_.empty() && static_cast<int32_t>(queue_.front().at - target) <= 0) {
    now_ = queue_.front().at;
    return true;
  }
  if (static_cast<int32_t>(target - now_) > 0) now_ = target;
  return false;
}

void HeadlessPlatform::Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight,
                               int srcX, int srcY, int width, int height, int dstX, int dstY) {
  if (!hasWindow_ || !pixels || stride < pictureWidth * 3) return;
  int clientW, clientH;
  GetClientSize(clientW, clientH);
  PresentRect r{srcX, srcY, width, height, dstX, dstY};
  if (!ClipPresentRect(r, pictureWidth, pictureHeight, std::min(clientW, kCanvasWidth),
                       std::min(clientH, kCanvasHeight))) {
    return;
  }
  for (int row = 0; row < r.height; ++row) {
    const uint8_t* src =
        pixels + static_cast<size_t>(pictureHeight - 1 - (r.srcY + row)) * stride + r.srcX * 3;
    uint8_t* dst = &canvas_[(static_cast<size_t>(r.dstY + row) * kCanvasWidth + r.dstX) * 3];
    std::memcpy(dst, src, static_cast<size_t>(r.width) * 3);
  }
  ++presentCount_;
}

void HeadlessPlatform::FillClient(int x, int y, int width, int height, uint32_t color) {
  if (!hasWindow_) return;
  int clientW, clientH;
  GetClientSize(clientW, clientH);
  const int right = std::min(x + width, clientW), bottom = std::min(y + height, clientH);
  FillCanvas(x, y, right - x, bottom - y, color);
}

void HeadlessPlatform::GetPointerClient(int& x, int& y) const {
  if (fullScreen_) {
    const PicturePlacement p = PlacePicture(screenW_, screenH_, pictureW_, pictureH_);
    x = p.ToPictureX(pointerX_);
    y = p.ToPictureY(pointerY_);
  } else {
    const PicturePlacement window{scale_, winX_, winY_};
    x = window.ToPictureX(pointerX_);
    y = window.ToPictureY(pointerY_);
  }
}

void HeadlessPlatform::GetPointerScreen(int& x, int& y) const {
  x = ToScaleSteps(pointerX_), y = ToScaleSteps(pointerY_);
}

void HeadlessPlatform::GetScreenSize(int& width, int& height) const {
  width = ToScaleSteps(screenW_), height = ToScaleSteps(screenH_);
}

void HeadlessPlatform::GetUsableArea(int& width, int& height) const {
  width = usableW_, height = usableH_;
}

bool HeadlessPlatform::GetClipboardText(std::string& text) const {
  if (!clipboard_) return false;
  text = *clipboard_;
  return true;
}

void HeadlessPlatform::ShowMessageBox(const char* caption, const char* text) {
  messages_.push_back({caption ? caption : "", text ? text : ""});
}

bool HeadlessPlatform::OpenUrl(const char* url) {
  urls_.push_back(url ? url : "");
  return !openUrlFails_;
}

void HeadlessPlatform::RequestClose() {
  if (!hasWindow_) return;
  // The platform destroys the window on a close request; the quit event tells the loop.
  DestroyMainWindow();
  PlatformEvent quit;
  quit.type = PlatformEventType::kQuit;
  QueueEvent(quit);
}
