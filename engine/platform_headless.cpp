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
    int scale, left, top;
    FullScreenPlacement(scale, left, top);
    pointerX_ = left + x * scale;
    pointerY_ = top + y * scale;
  } else {
    pointerX_ = winX_ + x;
    pointerY_ = winY_ + y;
  }
}

uint32_t HeadlessPlatform::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= kCanvasWidth || y >= kCanvasHeight) return 0;
  const uint8_t* p = &canvas_[(size_t{static_cast<size_t>(y)} * kCanvasWidth + x) * 3];
  return uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

bool HeadlessPlatform::CreateMainWindow(const char* title, int width, int height, uint32_t background) {
  if (createFails_ || hasWindow_) return false;
  hasWindow_ = true;
  shown_ = minimised_ = rounded_ = fullScreen_ = false;
  title_ = title ? title : "";
  background_ = background;
  // A zero size leaves the choice to the platform, as a desktop would.
  clientW_ = width > 0 && height > 0 ? width : 640;
  clientH_ = width > 0 && height > 0 ? height : 480;
  winX_ = std::max(0, (screenW_ - clientW_) / 2);
  winY_ = std::max(0, (screenH_ - clientH_) / 2);
  const uint8_t bgr[3] = {static_cast<uint8_t>(background), static_cast<uint8_t>(background >> 8),
                          static_cast<uint8_t>(background >> 16)};
  for (size_t i = 0; i < canvas_.size(); i += 3)
    std::memcpy(&canvas_[i], bgr, 3);
  return true;
}

void HeadlessPlatform::DestroyMainWindow() {
  hasWindow_ = shown_ = fullScreen_ = false;
}

void HeadlessPlatform::ShowWindow() {
  if (hasWindow_) shown_ = true;
}

void HeadlessPlatform::SetTitle(const char* title) {
  if (hasWindow_) title_ = title ? title : "";
}

void HeadlessPlatform::SetWindowRect(int x, int y, int width, int height) {
  if (!hasWindow_) return;
  winX_ = x, winY_ = y;
  if (width > 0) clientW_ = width;
  if (height > 0) clientH_ = height;
  ++moveCount_;
}

void HeadlessPlatform::GetWindowPosition(int& x, int& y) const {
  if (fullScreen_) {
    x = y = 0;
  } else {
    x = winX_, y = winY_;
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
  return true;
}

void HeadlessPlatform::LeaveFullScreen() {
  fullScreen_ = false;
}

void HeadlessPlatform::FullScreenPlacement(int& scale, int& left, int& top) const {
  scale = std::max(1, std::min(screenW_ / std::max(1, pictureW_), screenH_ / std::max(1, pictureH_)));
  left = (screenW_ - pictureW_ * scale) / 2;
  top = (screenH_ - pictureH_ * scale) / 2;
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

void HeadlessPlatform::Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight,
                               int srcX, int srcY, int width, int height, int dstX, int dstY) {
  if (!hasWindow_ || !pixels || stride < pictureWidth * 3) return;
  // Clip the source to the picture, then the destination to the client area and the canvas.
  int clientW, clientH;
  GetClientSize(clientW, clientH);
  const int maxW = std::min(clientW, kCanvasWidth), maxH = std::min(clientH, kCanvasHeight);
  if (srcX < 0) width += srcX, dstX -= srcX, srcX = 0;
  if (srcY < 0) height += srcY, dstY -= srcY, srcY = 0;
  if (dstX < 0) width += dstX, srcX -= dstX, dstX = 0;
  if (dstY < 0) height += dstY, srcY -= dstY, dstY = 0;
  width = std::min({width, pictureWidth - srcX, maxW - dstX});
  height = std::min({height, pictureHeight - srcY, maxH - dstY});
  if (width <= 0 || height <= 0) return;
  for (int row = 0; row < height; ++row) {
    const uint8_t* src = pixels + static_cast<size_t>(pictureHeight - 1 - (srcY + row)) * stride + srcX * 3;
    uint8_t* dst = &canvas_[(static_cast<size_t>(dstY + row) * kCanvasWidth + dstX) * 3];
    std::memcpy(dst, src, static_cast<size_t>(width) * 3);
  }
  ++presentCount_;
}

void HeadlessPlatform::GetPointerClient(int& x, int& y) const {
  if (fullScreen_) {
    int scale, left, top;
    FullScreenPlacement(scale, left, top);
    // Floor division, so points left of the picture stay negative.
    auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    x = floorDiv(pointerX_ - left, scale);
    y = floorDiv(pointerY_ - top, scale);
  } else {
    x = pointerX_ - winX_;
    y = pointerY_ - winY_;
  }
}

void HeadlessPlatform::GetPointerScreen(int& x, int& y) const {
  x = pointerX_, y = pointerY_;
}

void HeadlessPlatform::GetScreenSize(int& width, int& height) const {
  width = screenW_, height = screenH_;
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
