// Window: creation, the event mapping, the loop, placement, presenting and full screen.
#include "engine/window.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// The caption field holds at most this many bytes before its terminating zero.
constexpr size_t kMaxTitle = 1023;
}  // namespace

Window::Window() = default;

Window::~Window() = default;

// ---- creation and the loop ---------------------------------------------------------------------------
bool Window::Create(const char* title, int width, int height) {
  if (created_) return false;
  if (width != 0) clientWidth_ = width;
  if (height != 0) clientHeight_ = height;
  // A missing width or height leaves both to the platform.
  const bool platformSize = clientWidth_ <= 0 || clientHeight_ <= 0;
  Platform& platform = GetPlatform();
  const bool borderless = noCaption_ && noSizingFrame_;
  if (!platform.CreateMainWindow(title ? title : "", platformSize ? 0 : clientWidth_,
                                 platformSize ? 0 : clientHeight_, background_, borderless)) {
    platform.ShowMessageBox("Error", "Can't create window");
    return false;
  }
  created_ = true;
  title_.assign(title ? title : "", 0, title ? std::min(std::strlen(title), kMaxTitle) : 0);
  ReadClientSize();
  platform.GetWindowPosition(windowX_, windowY_);
  if (OnCreate()) return true;
  OnDestroy();
  platform.DestroyMainWindow();
  created_ = false;
  return false;
}

void Window::Show() {
  if (!created_) return;
  Platform& platform = GetPlatform();
  platform.ShowWindow();
  OnPaint();
}

int Window::Run() {
  if (!created_) return 0;
  Platform& platform = GetPlatform();
  lastTick_ = platform.Ticks();
  for (;;) {
    PlatformEvent event;
    if (platform.PollEvent(event)) {
      if (!Dispatch(event)) break;
      continue;
    }
    const uint32_t now = platform.Ticks();
    const int32_t elapsed = static_cast<int32_t>(now - lastTick_);
    if (elapsed >= frameInterval_) {
      lastTick_ = now;
      OnFrame(elapsed);
      continue;
    }
    // Sleeps to the tick, waking at once on input; events that came meanwhile are taken before it.
    platform.WaitUntil(lastTick_ + static_cast<uint32_t>(frameInterval_));
  }
  OnDestroy();
  platform.DestroyMainWindow();
  created_ = false;
  fullScreen_ = false;
  hidden_ = false;
  return 0;
}

void Window::Close() {
  if (created_) GetPlatform().RequestClose();
}

bool Window::Dispatch(const PlatformEvent& e) {
  switch (e.type) {
    case PlatformEventType::kQuit:
      return false;
    case PlatformEventType::kClose:
      OnCloseRequest();
      break;
    case PlatformEventType::kMouseMove:
      OnMouseMove(e.x, e.y);
      break;
    case PlatformEventType::kMouseDown:
      OnMouseDown(e.x, e.y);
      break;
    case PlatformEventType::kMouseUp:
      OnMouseUp(e.x, e.y);
      break;
    case PlatformEventType::kRightMouseUp:
      OnRightMouseUp(e.x, e.y);
      break;
    case PlatformEventType::kKeyDown:
      if (!IsDesktopKey(e)) OnKeyDown(e.key, e.modifiers);
      break;
    case PlatformEventType::kKeyUp:
      if (!IsDesktopKey(e)) OnKeyUp(e.key, e.modifiers);
      break;
    case PlatformEventType::kChar:
      // A character typed with Alt is a desktop shortcut, not text for a name field.
      if (!(e.modifiers & kModAlt)) OnCharacter(e.ch, e.modifiers);
      break;
    case PlatformEventType::kPadStick:
      OnPadStick(e.x, e.y);
      break;
    case PlatformEventType::kPadRemoved:
      OnPadRemoved();
      break;
    case PlatformEventType::kExpose:
      OnPaint();
      break;
    case PlatformEventType::kResized:
      ReadClientSize();
      break;
    case PlatformEventType::kHidden:
      hidden_ = true;
      break;
    case PlatformEventType::kShown:
      // Nothing was drawn while hidden: the whole picture is due.
      if (hidden_) hidden_ = false, OnPaint();
      break;
    case PlatformEventType::kNone:
    case PlatformEventType::kRightMouseDown:  // the game acts on the right button's release only
    case PlatformEventType::kFocusGained:
    case PlatformEventType::kFocusLost:
      break;
  }
  return true;
}

bool Window::IsDesktopKey(const PlatformEvent& e) {
  // Alt+Tab, Alt+Enter and F10 are the desktop's; the game would otherwise stop the demo, minimise or type.
  const bool desktopOwn = e.key == vk::kMenu || e.key == vk::kF10;
  if (e.key < 0 || size_t(e.key) >= desktopPresses_.size()) return desktopOwn;
  const size_t key = size_t(e.key);
  if (e.type == PlatformEventType::kKeyDown) desktopPresses_[key] = desktopOwn || (e.modifiers & kModAlt);
  const bool desktop = desktopOwn || desktopPresses_[key];
  if (e.type == PlatformEventType::kKeyUp) desktopPresses_[key] = false;
  return desktop;
}

void Window::ReadClientSize() {
  int width = clientWidth_, height = clientHeight_;
  GetPlatform().GetClientSize(width, height);
  clientWidth_ = width, clientHeight_ = height;
}

// ---- placement ---------------------------------------------------------------------------------------
void Window::SetPosition(int x, int y, int width, int height) {
  if (fullScreen_ || !created_) return;
  windowX_ = x, windowY_ = y;
  if (width != 0) clientWidth_ = width;
  if (height != 0) clientHeight_ = height;
  Platform& platform = GetPlatform();
  platform.SetWindowRect(x, y, clientWidth_, clientHeight_);
  platform.ShowWindow();
  ReadClientSize();
}

void Window::SetRoundedShape(bool rounded) {
  if (created_) GetPlatform().SetRoundedShape(rounded);
}

void Window::SetShapeMask(const std::vector<uint8_t>& inside, int width, int height) {
  if (created_) GetPlatform().SetShapeMask(inside, width, height);
}

void Window::SetRestored(bool restore) {
  if (created_) GetPlatform().SetRestored(restore);
}

void Window::SetTitle(const char* format, ...) {
  char buffer[kMaxTitle + 1] = "";
  if (format) {
    va_list args;
    va_start(args, format);
    if (std::vsnprintf(buffer, sizeof buffer, format, args) < 0) buffer[0] = '\0';
    va_end(args);
  }
  title_ = buffer;
  if (created_) GetPlatform().SetTitle(title_.c_str());
}

// ---- presenting --------------------------------------------------------------------------------------
void Window::Invalidate(const BitmapRect* rect) {
  if (!created_) return;
  if (rect) {
    const int left = std::min(rect->left, rect->right), top = std::min(rect->top, rect->bottom);
    GetPlatform().FillClient(left, top, std::abs(rect->right - rect->left),
                             std::abs(rect->bottom - rect->top), background_);
  } else {
    GetPlatform().FillClient(0, 0, clientWidth_, clientHeight_, background_);
  }
  OnPaint();
}

void Window::BlitBitmap(Bitmap* bitmap, int x, int y, const BitmapRect* rect) {
  if (!created_ || hidden_ || !bitmap || !bitmap->HasPixels()) return;
  const int width = bitmap->GetWidth(), height = bitmap->GetHeight();
  // The spare row past the top is never shown: the platform gets exactly `height` rows.
  if (!rect) {
    GetPlatform().Present(bitmap->GetPixels(), bitmap->GetStride(), width, height, 0, 0, width, height, x, y);
    return;
  }
  GetPlatform().Present(bitmap->GetPixels(), bitmap->GetStride(), width, height, rect->left, rect->top,
                        std::abs(rect->right - rect->left), std::abs(rect->bottom - rect->top),
                        x + rect->left, y + rect->top);
}

// ---- full screen -------------------------------------------------------------------------------------
bool Window::EnterFullScreen() {
  if (fullScreen_) return true;
  if (!created_) return false;
  // The picture keeps the size the window has now; the platform scales it to the display.
  if (!GetPlatform().EnterFullScreen(clientWidth_, clientHeight_)) return false;
  fullScreen_ = true;
  ReadClientSize();
  return true;
}

bool Window::LeaveFullScreen() {
  const bool was = fullScreen_;
  fullScreen_ = false;
  if (!created_) return true;
  Platform& platform = GetPlatform();
  if (was) platform.LeaveFullScreen();
  platform.SetWindowRect(windowX_, windowY_, clientWidth_, clientHeight_);
  platform.ShowWindow();
  ReadClientSize();
  return true;
}

void Window::ChooseScale(int choice, int fitWidth, int fitHeight) {
  if (!created_) return;
  Platform& platform = GetPlatform();
  int usableW, usableH;
  platform.GetUsableArea(usableW, usableH);
  if (!platform.SetWindowScale(ChooseWindowScale(choice, usableW, usableH, fitWidth, fitHeight))) return;
  // The screen is now counted in steps of the new factor.
  int screenW, screenH;
  platform.GetScreenSize(screenW, screenH);
  windowX_ = (screenW - clientWidth_) / 2, windowY_ = (screenH - clientHeight_) / 2;
  if (!fullScreen_) platform.SetWindowRect(windowX_, windowY_, clientWidth_, clientHeight_);
}

// ---- queries -----------------------------------------------------------------------------------------
void Window::GetCursorClientPos(int& x, int& y) const {
  GetPlatform().GetPointerClient(x, y);
}

void Window::GetScreenSize(int& width, int& height) const {
  GetPlatform().GetScreenSize(width, height);
}

int Window::GetModifiers() const {
  return GetPlatform().GetModifiers();
}

bool Window::HasFocus() const {
  return created_ && GetPlatform().HasFocus();
}

bool Window::PasteText(char* buffer, int maxChars) const {
  std::string text;
  if (!buffer || !GetPlatform().GetClipboardText(text)) return false;
  const size_t n = std::min(text.size(), static_cast<size_t>(std::max(0, maxChars)));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return true;
}
