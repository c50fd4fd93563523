// The platform layer: everything the game asks of the operating system, behind one narrow interface.
// The game uses the SDL implementation (engine/platform_sdl.*); tests use the headless one
// (engine/platform_headless.*). No other file calls SDL.
//
// Sections: keys and modifiers · events · the Platform interface · the installed instance
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// ---- keys and modifiers --------------------------------------------------------------------------
// Key codes are the Windows virtual-key codes the game's rules are written in.
namespace vk {
constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kMenu = 18, kPause = 19,
              kEscape = 27, kSpace = 32, kPrior = 33, kNext = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
              kRight = 39, kDown = 40, kInsert = 45, kDelete = 46, kNumpad0 = 96, kF1 = 112, kF3 = 114,
              kF4 = 115, kF10 = 121;
// Letters are their upper-case ASCII codes 65..90, digits 48..57.
// A game controller's buttons arrive as keys with codes of their own, above every keyboard code.
constexpr int kPadA = 0x100, kPadB = 0x101, kPadStart = 0x102, kPadLeft = 0x103, kPadRight = 0x104,
              kPadUp = 0x105, kPadDown = 0x106;
}  // namespace vk

// Modifier set: bit 0 Shift, bit 1 Ctrl, bit 2 Alt.
constexpr int kModShift = 1, kModCtrl = 2, kModAlt = 4;

// ---- events ------------------------------------------------------------------------------------------
enum class PlatformEventType {
  kNone,
  kQuit,            // the window was closed or the process asked to end
  kClose,           // the desktop asks the window to close (its close command, Alt+F4): the program decides
  kMouseMove,       // x, y in client coordinates of the 800 x 600 picture
  kMouseDown,       // x, y
  kMouseUp,         // x, y
  kRightMouseDown,  // x, y
  kRightMouseUp,    // x, y
  kKeyDown,         // key (virtual-key code), modifiers
  kKeyUp,           // key, modifiers
  kChar,            // ch: a character byte widened from signed 8 bits, modifiers
  kExpose,          // the window needs repainting
  kResized,         // the client area changed size
  kFocusGained,
  kFocusLost,
  kHidden,      // the window was minimised or hidden: nothing of it can be seen
  kShown,       // the window can be seen again; its picture must be drawn anew
  kPadStick,    // x, y: a game controller's left stick moved to (-32768..32767 each, 0 0 at rest)
  kPadRemoved,  // a game controller was unplugged
};

struct PlatformEvent {
  PlatformEventType type = PlatformEventType::kNone;
  int x = 0, y = 0;
  int key = 0;
  int ch = 0;
  int modifiers = 0;
};

// ---- the Platform interface ---------------------------------------------------------------------------
class Platform {
 public:
  virtual ~Platform() = default;

  // Window. There is at most one window.
  // Creates the (hidden) window with a client area of width x height (0 x 0: the platform chooses),
  // painted in background (0xRRGGBB) until the program presents; borderless: no caption and no frame.
  // False on failure.
  virtual bool CreateMainWindow(const char* title, int width, int height, uint32_t background,
                                bool borderless) = 0;
  // Destroys the window if there is one.
  virtual void DestroyMainWindow() = 0;
  // True while a window exists.
  virtual bool HasWindow() const = 0;
  // Shows the window.
  virtual void ShowWindow() = 0;
  // Sets the caption text.
  virtual void SetTitle(const char* title) = 0;
  // Moves the window's top-left corner to screen (x, y) and sizes its client area to width x height
  // (a size of 0 keeps the current one). A change of size loses the picture: a kExpose event follows.
  virtual void SetWindowRect(int x, int y, int width, int height) = 0;
  // The window's top-left corner in screen coordinates.
  virtual void GetWindowPosition(int& x, int& y) const = 0;
  // The client area's size.
  virtual void GetClientSize(int& width, int& height) const = 0;
  // Gives the window rounded corners (corner ellipse 30 x 30) or a plain rectangle; drops a shape mask.
  virtual void SetRoundedShape(bool rounded) = 0;
  // Cuts the window to the pixels where inside (width x height, rows top-down) is nonzero, whenever
  // the client area has that size; other sizes keep the rounded or plain shape.
  virtual void SetShapeMask(const std::vector<uint8_t>& inside, int width, int height) = 0;
  // Minimises (false) or restores (true) the window.
  virtual void SetRestored(bool restore) = 0;
  // Covers the display with the window, showing the width x height picture centred and scaled by the
  // largest whole factor that fits (1 when none does), the rest black. While it lasts, client
  // coordinates and the client size are those of the picture. False, and nothing changed, when it
  // cannot. A kExpose event follows success.
  virtual bool EnterFullScreen(int width, int height) = 0;
  // Returns to the windowed size, position and shape the window had before; a kExpose event follows.
  virtual void LeaveFullScreen() = 0;
  // Shows the windowed picture enlarged by a whole factor (at least 1), nearest neighbour: the window
  // covers scale times the client size, its shape scaled with it. Client coordinates stay the picture's;
  // screen coordinates (the pointer's, the window's position, the screen's size) count in steps of scale
  // pixels, so the program places and drags the window as it does at 1. In full screen the factor waits
  // for the window's return. True when the factor changed; a kExpose event then follows.
  virtual bool SetWindowScale(int scale) = 0;

  // Events and time.
  // Takes the next waiting event; false when none is waiting.
  virtual bool PollEvent(PlatformEvent& event) = 0;
  // Waits up to timeoutMs for an event without taking it, waking at once on input; true when one is
  // waiting.
  virtual bool WaitForEvent(int timeoutMs) = 0;
  // Waits without taking an event until Ticks() reaches dueMs, waking at once on input; true when an event
  // is waiting. Returns at once when the clock is there already. Never spins: the SDL platform sleeps
  // to the deadline with sub-millisecond precision.
  virtual bool WaitUntil(uint32_t dueMs) = 0;
  // A millisecond clock (wraps at 2^32).
  virtual uint32_t Ticks() const = 0;

  // Presenting. pixels is a 24-bit picture, blue-green-red, rows bottom-up, stride bytes a row
  // (height rows; the bitmap's spare row is not passed). Copies the part (srcX, srcY, width, height),
  // in top-down picture coordinates, to client position (dstX, dstY).
  // Parts outside the picture or the client area are clipped.
  virtual void Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight, int srcX,
                       int srcY, int width, int height, int dstX, int dstY) = 0;
  // Fills a client rectangle with a 0xRRGGBB colour (the erase before a repaint), clipped.
  virtual void FillClient(int x, int y, int width, int height, uint32_t color) = 0;

  // Input state.
  // The pointer position in client coordinates (of the 800 x 600 picture in full screen).
  virtual void GetPointerClient(int& x, int& y) const = 0;
  // The pointer position in screen coordinates.
  virtual void GetPointerScreen(int& x, int& y) const = 0;
  // The whole screen's size (in steps of the window's scale).
  virtual void GetScreenSize(int& width, int& height) const = 0;
  // The desktop's usable area (the screen less its panels) in real pixels, whatever the window's scale.
  virtual void GetUsableArea(int& width, int& height) const = 0;
  // True when the window has the input focus.
  virtual bool HasFocus() const = 0;
  // The modifier set held now.
  virtual int GetModifiers() const = 0;

  // Desktop services.
  // The clipboard's text as bytes; false when it holds none.
  virtual bool GetClipboardText(std::string& text) const = 0;
  // Shows a modal message box with an OK button.
  virtual void ShowMessageBox(const char* caption, const char* text) = 0;
  // Opens a web address, or one of the game's own pages, in the default browser. False when it is
  // refused or could not be handed on.
  virtual bool OpenUrl(const char* url) = 0;
  // Closes the window (it disappears at once); a kQuit event follows.
  virtual void RequestClose() = 0;
};

// ---- geometry shared by the implementations -------------------------------------------------------
// A copy of part of a picture to the client area.
struct PresentRect {
  int srcX = 0, srcY = 0, width = 0, height = 0, dstX = 0, dstY = 0;
};
// Clips r to a pictureWidth x pictureHeight source and a clientWidth x clientHeight destination;
// false when nothing is left to copy.
bool ClipPresentRect(PresentRect& r, int pictureWidth, int pictureHeight, int clientWidth, int clientHeight);
// Where a full-screen display of screenWidth x screenHeight shows a pictureWidth x pictureHeight
// picture: the largest whole scale that fits (1 when none does), centred.
struct PicturePlacement {
  int scale = 1, left = 0, top = 0;
  // The picture coordinate under a display coordinate (rounding toward minus infinity).
  int ToPictureX(int displayX) const;
  int ToPictureY(int displayY) const;
};
PicturePlacement PlacePicture(int screenWidth, int screenHeight, int pictureWidth, int pictureHeight);
// The whole factor a pictureWidth x pictureHeight window is shown at on a desktop whose usable area is
// usableWidth x usableHeight. choice 0 is automatic: the largest factor whose window fits in 85 % of the
// area. Any other choice is that factor, lowered to the largest whose window fits the area at all. Never
// below 1.
int ChooseWindowScale(int choice, int usableWidth, int usableHeight, int pictureWidth, int pictureHeight);

// ---- the installed instance -------------------------------------------------------------------------
// The platform the game runs on. Never null: until SetPlatform is called it is a headless platform.
Platform& GetPlatform();
// Installs a platform (not owned); null restores the built-in headless one.
void SetPlatform(Platform* platform);
