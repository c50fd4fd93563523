// SdlPlatform: set-up, the window and its shape, full screen, presenting.
// (Events, keys and pointer: platform_sdl_events.cpp; clipboard, message box, web pages:
// platform_sdl_desktop.cpp.)
#include "engine/platform_sdl.h"

#include "engine/log.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <signal.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {
// Corner ellipse of the rounded window: 30 x 30.
constexpr int kCornerDiameter = 30;

uint32_t MapColor(const SDL_Surface* surface, uint32_t rgb) {
  return SDL_MapRGB(surface->format, static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                    static_cast<uint8_t>(rgb));
}

// True when the pixel centre (x + 0.5, y + 0.5) lies inside the rounded rectangle of width x height.
bool InsideRoundedRect(int x, int y, int width, int height) {
  const double r = kCornerDiameter / 2.0;
  const double px = x + 0.5, py = y + 0.5;
  const double cx = px < r ? r : (px > width - r ? width - r : px);
  const double cy = py < r ? r : (py > height - r ? height - r : py);
  const double dx = px - cx, dy = py - cy;
  return dx * dx + dy * dy <= r * r;
}
}  // namespace

// ---- set-up ------------------------------------------------------------------------------------------
SdlPlatform::~SdlPlatform() {
  DestroyMainWindow();
  ClosePads();
  if (videoStarted_) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (SDL_WasInit(0) == 0) SDL_Quit();
  }
}

namespace {
sigset_t QuitSignals() {
  sigset_t quit;
  sigemptyset(&quit);
  sigaddset(&quit, SIGTERM);
  sigaddset(&quit, SIGINT);
  return quit;
}
}  // namespace

void HoldQuitSignalsUntilInit() {
  const sigset_t quit = QuitSignals();
  sigprocmask(SIG_BLOCK, &quit, nullptr);
}

bool SdlPlatform::Init() {
  const bool started = StartVideo();
  // SDL's events now take a quit signal as the window's close; one that came during start-up is
  // delivered here.
  const sigset_t quit = QuitSignals();
  sigprocmask(SIG_UNBLOCK, &quit, nullptr);
  return started;
}

namespace {
bool IsRealDriver(const char* driver) {
  return driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

// A display that is named but refused SDL's first connection (an X server still busy with another
// client's start) gets one more try by name after a short pause; when that fails too, SDL's error
// says why, for the player's message.
bool RetryNamedX11Display() {
  const char* display = SDL_getenv("DISPLAY");
  if (!display || !*display) {
    SDL_SetError("DISPLAY is not set");
    return false;
  }
  SDL_Delay(250);
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
  SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  if (started && !IsRealDriver(SDL_GetCurrentVideoDriver())) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return false;
  }
  return started;
}
}  // namespace

bool SdlPlatform::StartVideo() {
  if (videoStarted_) return true;
  SDL_SetHint(SDL_HINT_APP_NAME, "Globbet");
  // The desktop's close of the only window is a request the game answers (it may ask first); only a
  // quit signal is SDL's quit.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // The window surface must stay in software, or X11 drops the window's shape when it is fetched.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // A windowed game has no reason to switch the desktop's compositor off.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // The first click on the inactive window is a click in the game, as the player expects.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SdlNameApplication();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  // Without a reachable display SDL falls back to its invisible offscreen driver, and the game would
  // run unseen forever; only a driver asked for by name (as the headless runs do) may be invisible.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  if (!IsRealDriver(driver) && !(asked && driver && std::strstr(asked, driver))) {
    const std::string fallback = driver ? driver : "none";
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    if (RetryNamedX11Display()) {
      Log(LogLevel::kWarning,
          "the X display was not reached at first (SDL fell back to %s); a second try reached it",
          fallback.c_str());
    } else {
      const std::string reason = SDL_GetError();  // copied: SDL_SetError writes where it points
      SDL_SetError("no display could be opened (video driver '%s'; %s)", fallback.c_str(), reason.c_str());
      return false;
    }
  }
  videoStarted_ = true;
  realDisplay_ = IsRealDriver(SDL_GetCurrentVideoDriver());
  SdlEnableWindowSystemEvents();
  StartPads();
  return true;
}

std::string SdlPlatform::LastError() const {
  return SDL_GetError();
}

// ---- window ------------------------------------------------------------------------------------------
bool SdlPlatform::CreateMainWindow(const char* title, int width, int height, uint32_t background,
                                   bool borderless) {
  if (window_ || (!videoStarted_ && !Init())) return false;
  if (width <= 0 || height <= 0) width = 640, height = 480;  // the platform's choice
  background_ = background;
  borderless_ = borderless;
  closing_ = false;
  hidden_ = false;
  const Uint32 flags = SDL_WINDOW_HIDDEN | (borderless ? SDL_WINDOW_BORDERLESS : 0);
  const int realW = width * scale_, realH = height * scale_;
  SDL_Rect bounds{0, 0, realW, realH};
  SDL_GetDisplayUsableBounds(0, &bounds);
  winX_ = bounds.x + std::max(0, (bounds.w - realW) / 2);
  winY_ = bounds.y + std::max(0, (bounds.h - realH) / 2);
  // Rounded corners need a shaped window; drivers without shapes get a plain one.
  shaped_ = false;
  if (borderless && realDisplay_) {
    window_ = SDL_CreateShapedWindow(title ? title : "", winX_, winY_, realW, realH, flags);
    shaped_ = window_ != nullptr;
  }
  if (!window_) {
    window_ = SDL_CreateWindow(title ? title : "", winX_, winY_, realW, realH, flags);
  }
  if (!window_) return false;
  SdlMakeTopLevel(window_);
  SdlSetWindowIcon(window_);
  clientW_ = width, clientH_ = height;
  rounded_ = false;
  fullScreen_ = false;
  surface_ = nullptr;
  if (shaped_) ApplyShape(width, height, scale_, false);
  SDL_SetWindowPosition(window_, winX_, winY_);
  FitPicture();
  if (!Surface()) {
    DestroyMainWindow();
    return false;
  }
  ClearSurface(background_);
  return true;
}

void SdlPlatform::DestroyMainWindow() {
  if (picture_) SDL_FreeSurface(picture_), picture_ = nullptr;
  if (window_) SDL_DestroyWindow(window_), window_ = nullptr;
  surface_ = nullptr;
  presented_.clear();
  fullScreen_ = false;
  pending_.clear();
}

void SdlPlatform::ShowWindow() {
  if (!window_ || closing_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN)) return;
  SDL_ShowWindow(window_);
  // A shaped window is parked off screen until it is placed again.
  if (!fullScreen_) SDL_SetWindowPosition(window_, winX_, winY_);
  if (surface_) SDL_UpdateWindowSurface(window_), presented_.clear();
}

void SdlPlatform::SetTitle(const char* title) {
  if (window_) SDL_SetWindowTitle(window_, title ? title : "");
}

void SdlPlatform::SetWindowRect(int x, int y, int width, int height) {
  if (!window_ || fullScreen_) return;
  if (width <= 0) width = clientW_;
  if (height <= 0) height = clientH_;
  x *= scale_, y *= scale_;
  if (width == clientW_ && height == clientH_) {
    winX_ = x, winY_ = y;
    SDL_SetWindowPosition(window_, x, y);
    return;
  }
  if (Reshape(x, y, width, height, scale_, rounded_)) {
    winX_ = x, winY_ = y, clientW_ = width, clientH_ = height;
    FitPicture();
    ClearSurface(background_);
    QueueExpose();
  }
}

bool SdlPlatform::Reshape(int x, int y, int width, int height, int scale, bool rounded) {
  // SDL parks a shaped window off screen when it is resized: size, then shape, then always place.
  SDL_SetWindowSize(window_, width * scale, height * scale);
  if (shaped_) ApplyShape(width, height, scale, rounded);
  SDL_SetWindowPosition(window_, x, y);
  surface_ = nullptr;
  presented_.clear();  // drawn into the surface just replaced
  return Surface() != nullptr;
}

void SdlPlatform::RealWindowPosition(int& x, int& y) const {
  x = y = 0;
  if (!window_) return;
  if (fullScreen_) {
    x = displayX_, y = displayY_;
  } else {
    SDL_GetWindowPosition(window_, &x, &y);
  }
}

void SdlPlatform::GetWindowPosition(int& x, int& y) const {
  RealWindowPosition(x, y);
  x = ToScaleSteps(x), y = ToScaleSteps(y);
}

int SdlPlatform::ToScaleSteps(int real) const {
  return PicturePlacement{scale_, 0, 0}.ToPictureX(real);
}

void SdlPlatform::GetClientSize(int& width, int& height) const {
  width = fullScreen_ ? pictureW_ : clientW_;
  height = fullScreen_ ? pictureH_ : clientH_;
}

void SdlPlatform::SetRoundedShape(bool rounded) {
  rounded_ = rounded;
  mask_.clear();
  maskW_ = maskH_ = 0;
  if (!window_ || fullScreen_ || !shaped_) return;
  ApplyShape(clientW_, clientH_, scale_, rounded);
  SDL_SetWindowPosition(window_, winX_, winY_);
}

void SdlPlatform::SetShapeMask(const std::vector<uint8_t>& inside, int width, int height) {
  const bool fits = width > 0 && height > 0 && inside.size() == size_t(width) * size_t(height);
  mask_ = fits ? inside : std::vector<uint8_t>();
  maskW_ = fits ? width : 0, maskH_ = fits ? height : 0;
  if (!window_ || fullScreen_ || !shaped_) return;
  ApplyShape(clientW_, clientH_, scale_, rounded_);
  SDL_SetWindowPosition(window_, winX_, winY_);
}

void SdlPlatform::ApplyShape(int width, int height, int scale, bool rounded) {
  SDL_Surface* mask =
      SDL_CreateRGBSurfaceWithFormat(0, width * scale, height * scale, 32, SDL_PIXELFORMAT_RGBA8888);
  if (!mask) return;
  const Uint32 opaque = SDL_MapRGBA(mask->format, 255, 255, 255, 255);
  const Uint32 clear = SDL_MapRGBA(mask->format, 0, 0, 0, 0);
  const uint8_t* cut = width == maskW_ && height == maskH_ ? mask_.data() : nullptr;
  // Each picture pixel covers scale x scale window pixels, as the picture itself is shown.
  for (int y = 0; y < mask->h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(mask->pixels) + y * mask->pitch);
    const int py = y / scale;
    for (int x = 0; x < mask->w; ++x) {
      const int px = x / scale;
      const bool in = cut ? cut[size_t(py) * size_t(width) + size_t(px)] != 0
                          : !rounded || InsideRoundedRect(px, py, width, height);
      row[x] = in ? opaque : clear;
    }
  }
  SDL_WindowShapeMode mode;
  mode.mode = ShapeModeBinarizeAlpha;
  mode.parameters.binarizationCutoff = 128;
  SDL_SetWindowShape(window_, mask, &mode);
  SDL_FreeSurface(mask);
}

void SdlPlatform::SetRestored(bool restore) {
  if (!window_) return;
  if (restore) {
    SDL_RestoreWindow(window_);
  } else {
    SDL_MinimizeWindow(window_);
  }
}

bool SdlPlatform::EnterFullScreen(int width, int height) {
  if (!window_ || width <= 0 || height <= 0) return false;
  if (fullScreen_) return true;
  int display = SDL_GetWindowDisplayIndex(window_);
  SDL_Rect bounds;
  if (display < 0) display = 0;
  if (SDL_GetDisplayBounds(display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) return false;
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
  if (!picture) return false;
  SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
  if (!Reshape(bounds.x, bounds.y, bounds.w, bounds.h, 1, false)) {
    // Put the window back as it was; the flag stays clear.
    SDL_FreeSurface(picture);
    Reshape(winX_, winY_, clientW_, clientH_, scale_, rounded_);
    ClearSurface(background_);
    QueueExpose();
    return false;
  }
  if (picture_) SDL_FreeSurface(picture_);  // a scaled window's
  picture_ = picture;
  SDL_FillRect(picture_, nullptr, MapColor(picture_, 0));
  fullScreen_ = true;
  pictureW_ = width, pictureH_ = height;
  displayX_ = bounds.x, displayY_ = bounds.y, displayW_ = bounds.w, displayH_ = bounds.h;
  placement_ = PlacePicture(bounds.w, bounds.h, width, height);
  SDL_RaiseWindow(window_);
  ClearSurface(0);
  QueueExpose();
  return true;
}

void SdlPlatform::LeaveFullScreen() {
  if (!window_ || !fullScreen_) return;
  fullScreen_ = false;
  if (picture_) SDL_FreeSurface(picture_), picture_ = nullptr;
  Reshape(winX_, winY_, clientW_, clientH_, scale_, rounded_);
  FitPicture();
  ClearSurface(background_);
  QueueExpose();
}

bool SdlPlatform::SetWindowScale(int scale) {
  scale = std::max(1, scale);
  if (scale == scale_) return false;
  scale_ = scale;
  if (!window_ || fullScreen_) return true;
  Reshape(winX_, winY_, clientW_, clientH_, scale_, rounded_);
  FitPicture();
  ClearSurface(background_);
  QueueExpose();
  return true;
}

void SdlPlatform::FitPicture() {
  const bool wanted = scale_ > 1 && !fullScreen_;
  if (picture_ && (!wanted || picture_->w != clientW_ || picture_->h != clientH_)) {
    SDL_FreeSurface(picture_), picture_ = nullptr;
  }
  placement_ = PicturePlacement{scale_, 0, 0};
  if (!wanted || picture_) return;
  picture_ = SDL_CreateRGBSurfaceWithFormat(0, clientW_, clientH_, 32, SDL_PIXELFORMAT_RGB888);
  // Without it the picture shows unscaled in the corner, and the pointer maps the same way.
  if (picture_) SDL_SetSurfaceBlendMode(picture_, SDL_BLENDMODE_NONE);
}

// ---- presenting --------------------------------------------------------------------------------------
SDL_Surface* SdlPlatform::Surface() {
  if (!surface_ && window_) surface_ = SDL_GetWindowSurface(window_);
  return surface_;
}

void SdlPlatform::ClearSurface(uint32_t color) {
  SDL_Surface* surface = Surface();
  if (!surface) return;
  SDL_FillRect(surface, nullptr, MapColor(surface, color));
  SDL_UpdateWindowSurface(window_);
  presented_.clear();
}

void SdlPlatform::Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight, int srcX,
                          int srcY, int width, int height, int dstX, int dstY) {
  SDL_Surface* surface = Surface();
  if (!surface || !pixels || stride < pictureWidth * 3) return;
  int clientW, clientH;
  GetClientSize(clientW, clientH);
  PresentRect r{srcX, srcY, width, height, dstX, dstY};
  if (!ClipPresentRect(r, pictureWidth, pictureHeight, clientW, clientH)) return;
  // The picture is stored bottom-up: start at the top row of the part and walk memory backwards.
  const uint8_t* top = pixels + static_cast<size_t>(pictureHeight - 1 - r.srcY) * stride + r.srcX * 3;
  // Full screen and a scaled window draw into the picture, then show it scaled.
  SDL_Surface* target = picture_ ? picture_ : surface;
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  uint8_t* dst =
      static_cast<uint8_t*>(target->pixels) + r.dstY * target->pitch + r.dstX * target->format->BytesPerPixel;
  const int converted = SDL_ConvertPixels(r.width, r.height, SDL_PIXELFORMAT_BGR24, top, -stride,
                                          target->format->format, dst, target->pitch);
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  if (converted != 0) return;
  SDL_Rect shown{r.dstX, r.dstY, r.width, r.height};
  if (picture_) {
    const PicturePlacement& p = placement_;
    SDL_Rect scaled{p.left + r.dstX * p.scale, p.top + r.dstY * p.scale, r.width * p.scale,
                    r.height * p.scale};
    const int blit = p.scale == 1 ? SDL_BlitSurface(picture_, &shown, surface, &scaled)
                                  : SDL_BlitScaled(picture_, &shown, surface, &scaled);
    if (blit != 0) return;
    shown = scaled;
  }
  presented_.push_back({shown.x, shown.y, shown.w, shown.h});
}

void SdlPlatform::RenewSurface() {
  if (!window_ || !surface_) return;
  surface_ = nullptr;
  presented_.clear();  // drawn into the surface SDL dropped
  if (!Surface()) return;
  ClearSurface(fullScreen_ ? 0 : background_);
  QueueExpose();
}

void SdlPlatform::ShowPresented() {
  if (presented_.empty()) return;
  if (window_ && surface_) {
    std::vector<SDL_Rect> areas;
    areas.reserve(presented_.size());
    for (const ShownArea& a : presented_)
      areas.push_back(SDL_Rect{a.x, a.y, a.w, a.h});
    SDL_UpdateWindowSurfaceRects(window_, areas.data(), static_cast<int>(areas.size()));
  }
  presented_.clear();
}

uint32_t SdlPlatform::ShownPixel(int x, int y) {
  ShowPresented();
  SDL_Surface* surface = Surface();
  if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return 0;
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return 0;
  const uint8_t* p =
      static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
  Uint32 value = 0;
  std::memcpy(&value, p, std::min<int>(surface->format->BytesPerPixel, sizeof value));
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  Uint8 r, g, b;
  SDL_GetRGB(value, surface->format, &r, &g, &b);
  return uint32_t{r} << 16 | uint32_t{g} << 8 | b;
}

void SdlPlatform::FillClient(int x, int y, int width, int height, uint32_t color) {
  SDL_Surface* surface = Surface();
  if (!surface) return;
  int clientW, clientH;
  GetClientSize(clientW, clientH);
  SDL_Rect r{std::max(0, x), std::max(0, y), 0, 0};
  r.w = std::min(x + width, clientW) - r.x;
  r.h = std::min(y + height, clientH) - r.y;
  if (r.w <= 0 || r.h <= 0) return;
  if (picture_) {
    const PicturePlacement& p = placement_;
    SDL_FillRect(picture_, &r, MapColor(picture_, color));
    r = SDL_Rect{p.left + r.x * p.scale, p.top + r.y * p.scale, r.w * p.scale, r.h * p.scale};
  }
  SDL_FillRect(surface, &r, MapColor(surface, color));
  presented_.push_back({r.x, r.y, r.w, r.h});
}
