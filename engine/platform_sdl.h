// The platform the game runs on: SDL2 video and events. Every SDL video, event and desktop call of the
// game lives in platform_sdl*.cpp (sound: platform_sdl_audio.*).
//
// The window draws through SDL's window surface (software, no renderer) and takes its rounded corners
// from an SDL shape. Full screen is a borderless window covering the display, with the picture centred
// and scaled by a whole factor; a scaled window draws the same way, the picture filling it.
//
// Sections: SdlPlatform (set-up, window, events and time, presenting, input state, desktop services,
// state) · key mapping
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "engine/platform.h"

struct SDL_Window;
struct SDL_Surface;
union SDL_Event;

// Holds the quit signals (SIGTERM, SIGINT) back until SdlPlatform::Init can take them as the window's
// close, so that a quit asked for while the program starts ends it through its normal exit. Call first
// in main.
void HoldQuitSignalsUntilInit();

// Nanoseconds on the monotonic clock the platform's time and its sleeps are measured on.
int64_t SdlMonotonicNs();

// When the loop's wait for a tick due at dueMs (on a millisecond clock counting from originNs) ends, and
// how many whole milliseconds of it may be spent waiting for input (SDL's waits are in whole milliseconds
// and may wake late, so the last one is slept precisely). A due time already passed gives 0 and nowNs.
struct TickWait {
  int inputWaitMs = 0;
  int64_t deadlineNs = 0;
};
TickWait PlanTickWait(int64_t nowNs, int64_t originNs, uint32_t dueMs);

class SdlPlatform : public Platform {
 public:
  SdlPlatform() = default;
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  // ---- set-up ----
  // Starts SDL's video and events and releases the held quit signals. False (with the reason in
  // LastError) when there is no display.
  bool Init();
  // SDL's last error text.
  std::string LastError() const;
  // True when windows go to a real display (not SDL's dummy or offscreen drivers).
  bool HasRealDisplay() const { return realDisplay_; }
  // True when the window got an SDL shape (rounded corners are possible).
  bool IsShaped() const { return shaped_; }
  // The window's whole factor.
  int Scale() const { return scale_; }
  // The 0xRRGGBB colour the window shows at window pixel (x, y) (display pixels in full screen);
  // 0 outside it or without a window. For checks of what was presented.
  uint32_t ShownPixel(int x, int y);

  // ---- window ----
  bool CreateMainWindow(const char* title, int width, int height, uint32_t background,
                        bool borderless) override;
  void DestroyMainWindow() override;
  bool HasWindow() const override { return window_ != nullptr; }
  void ShowWindow() override;
  void SetTitle(const char* title) override;
  void SetWindowRect(int x, int y, int width, int height) override;
  void GetWindowPosition(int& x, int& y) const override;
  void GetClientSize(int& width, int& height) const override;
  void SetRoundedShape(bool rounded) override;
  void SetShapeMask(const std::vector<uint8_t>& inside, int width, int height) override;
  void SetRestored(bool restore) override;
  bool EnterFullScreen(int width, int height) override;
  void LeaveFullScreen() override;
  bool SetWindowScale(int scale) override;

  // ---- events and time ----
  bool PollEvent(PlatformEvent& event) override;
  bool WaitForEvent(int timeoutMs) override;
  // Waits for input while a whole millisecond is left before dueMs, then sleeps precisely to it.
  bool WaitUntil(uint32_t dueMs) override;
  // Milliseconds on a monotonic clock since the platform was made.
  uint32_t Ticks() const override;
  // Ticks() with its fraction and without the wrap, for measuring how late a tick came.
  double FineTicks() const;

  // ---- presenting ----
  void Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight, int srcX, int srcY,
               int width, int height, int dstX, int dstY) override;
  void FillClient(int x, int y, int width, int height, uint32_t color) override;

  // ---- input state ----
  void GetPointerClient(int& x, int& y) const override;
  void GetPointerScreen(int& x, int& y) const override;
  void GetScreenSize(int& width, int& height) const override;
  void GetUsableArea(int& width, int& height) const override;
  bool HasFocus() const override;
  int GetModifiers() const override;

  // ---- desktop services ----
  bool GetClipboardText(std::string& text) const override;
  void ShowMessageBox(const char* caption, const char* text) override;
  bool OpenUrl(const char* url) override;
  void RequestClose() override;

 private:
  // Init's work: SDL's video and events, refused without a real display unless asked for by name.
  bool StartVideo();
  // Gives the window the shape of a width x height picture shown scale times its size: the shape mask
  // when it has that size, else rounded corners or a plain rectangle; scaled pixel by pixel.
  void ApplyShape(int width, int height, int scale, bool rounded);
  // Resizes the window to scale times width x height (shape included) and places it at real (x, y);
  // refetches the surface. False on failure.
  bool Reshape(int x, int y, int width, int height, int scale, bool rounded);
  // Keeps the picture a scaled window is drawn from: one of the client size while the scale is above 1,
  // none at 1.
  void FitPicture();
  // The pointer's and the window's real screen positions (the display's in full screen).
  void RealPointerScreen(int& x, int& y) const;
  void RealWindowPosition(int& x, int& y) const;
  // A real screen coordinate in steps of the window's scale.
  int ToScaleSteps(int real) const;
  // The window surface, fetched again after size changes; null on failure.
  SDL_Surface* Surface();
  // Fills the whole surface with 0xRRGGBB and shows it.
  void ClearSurface(uint32_t color);
  // Turns one SDL event into zero or more platform events (appended to pending_).
  void Translate(const SDL_Event& sdl);
  // Maps a window-relative point to client coordinates (the picture's in full screen).
  void ToClient(int& x, int& y) const;
  void QueueExpose();
  // Takes the window's new surface after SDL dropped the old one for a new size, and has it drawn anew.
  void RenewSurface();
  // Takes the window events that hide or show the window, turning them into kHidden and kShown; false
  // for every other event (Translate's).
  bool TakeVisibility(const SDL_Event& sdl);
  // Shows the areas presented since the last call in one update: one round trip to the display server
  // however many areas a frame repainted.
  void ShowPresented();
  // Game controllers (platform_sdl_pad.cpp). Starts SDL's controller support, when the machine has it.
  void StartPads();
  // Closes every open controller and SDL's controller support.
  void ClosePads();
  // Turns a controller event into platform events (appended to pending_); ignores any other event.
  void TranslatePad(const SDL_Event& sdl);

  int64_t originNs_ = SdlMonotonicNs();  // the clock's zero
  int64_t lastPumpNs_ = 0;               // when SDL last read the display connection
  bool connectionQuiet_ = false;         // the last wait saw nothing to read on the connection
  bool hidden_ = false;                  // minimised or hidden, as last reported
  bool videoStarted_ = false;
  bool realDisplay_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Surface* surface_ = nullptr;  // owned by SDL; valid until the next size change
  struct ShownArea {
    int x, y, w, h;
  };
  std::vector<ShownArea> presented_;  // drawn into the surface, not yet shown
  SDL_Surface* picture_ = nullptr;    // full screen or a scaled window: the unscaled picture, owned
  bool shaped_ = false;
  bool rounded_ = false;
  std::vector<uint8_t> mask_;  // the shape at maskW_ x maskH_, or empty
  int maskW_ = 0, maskH_ = 0;
  bool borderless_ = true;
  uint32_t background_ = 0xFFFFFF;
  // The windowed geometry, kept across full screen: the position in real pixels, the size the picture's.
  int winX_ = 0, winY_ = 0, clientW_ = 0, clientH_ = 0;
  int scale_ = 1;  // the window's whole factor
  bool fullScreen_ = false;
  int pictureW_ = 0, pictureH_ = 0;
  int displayX_ = 0, displayY_ = 0, displayW_ = 0, displayH_ = 0;
  PicturePlacement placement_;  // where picture_ shows in the window
  bool closing_ = false;
  std::deque<PlatformEvent> pending_;
  // The pointer's screen position as the window system last reported it (see platform_sdl_x11.cpp),
  // and SDL's global pointer as last read, to tell when SDL has news.
  bool rootKnown_ = false;
  int rootX_ = 0, rootY_ = 0;
  mutable int sdlGlobalX_ = -1, sdlGlobalY_ = -1;
  // The open game controllers by SDL instance id, and the left stick as last reported.
  bool padsStarted_ = false;
  std::vector<int> padIds_;
  int stickX_ = 0, stickY_ = 0;
};

// ---- window-system events (platform_sdl_x11.cpp) ----------------------------------------------------
// Asks SDL to pass the window system's raw events on.
void SdlEnableWindowSystemEvents();
// The pointer's screen position carried by a raw window-system event; false when it carries none.
bool SdlPointerScreenFromSystemEvent(const SDL_Event& event, int& x, int& y);

// ---- the window's identity (platform_sdl_identity.cpp, platform_sdl_x11.cpp) ----------------------
// Names the program after its menu entry for the window system; call before SDL's video starts.
void SdlNameApplication();
// Gives the window the menu entry's icon, when the installation or build tree holds it.
void SdlSetWindowIcon(SDL_Window* window);
// Keeps the window an ordinary top-level window: SDL marks a borderless one transient for the root
// window on an X server where no window manager has announced the borderless hint yet.
void SdlMakeTopLevel(SDL_Window* window);
// Sleeps until the window's X connection has input or the monotonic clock reaches deadlineNs, in one wait:
// 1 input may be there (or a signal came), 0 the deadline came, -1 not an X11 window (wait another way).
int SdlWaitForDisplayInput(SDL_Window* window, int64_t deadlineNs);

// ---- key mapping ---------------------------------------------------------------------------------
// The virtual-key code of an SDL keycode (0 when the game has no use for the key). Numeric-pad keys give
// their digit codes (96..105) with Num Lock on and their navigation codes without, as on the desktop
// the game's key rules were written for.
int SdlKeyToVirtualKey(int sdlKeycode, bool numLock);
// The character code a key-down produces by itself (Enter 13, Backspace 8, Escape 27, Tab 9), or 0 for
// keys whose characters arrive as text.
int SdlKeyCharacter(int sdlKeycode);
