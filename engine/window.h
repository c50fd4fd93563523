// Window: the program's one top-level window. It turns platform events into calls of its virtual
// operations, runs the program's only loop (events plus a fixed-interval frame tick), copies finished
// off-screen pictures into the window, and switches between windowed and full-screen display.
//
// Sections: Window (virtual operations, creation and the loop, placement, presenting, full screen,
// queries, state)
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "engine/bitmap.h"
#include "engine/platform.h"

// ---- Window -------------------------------------------------------------------------------------
class Window {
 public:
  Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // -- virtual operations (the defaults do nothing) --
  virtual ~Window();
  // Runs once the window exists; false makes Create fail (after OnDestroy). The default succeeds.
  virtual bool OnCreate() { return true; }
  // Runs when OnCreate failed, or after the loop has ended.
  virtual void OnDestroy() {}
  // The frame tick, with the measured milliseconds since the previous one.
  virtual void OnFrame(int elapsedMs) { (void)elapsedMs; }
  // The window needs its picture again.
  virtual void OnPaint() {}
  virtual void OnMouseMove(int x, int y) { (void)x, (void)y; }
  virtual void OnMouseDown(int x, int y) { (void)x, (void)y; }
  virtual void OnMouseUp(int x, int y) { (void)x, (void)y; }
  virtual void OnRightMouseUp(int x, int y) { (void)x, (void)y; }
  // key: the virtual-key code; modifiers: kModShift | kModCtrl | kModAlt.
  virtual void OnKeyDown(int key, int modifiers) { (void)key, (void)modifiers; }
  virtual void OnKeyUp(int key, int modifiers) { (void)key, (void)modifiers; }
  // ch: a character byte widened from signed 8 bits (codes above 127 arrive negative).
  virtual void OnCharacter(int ch, int modifiers) { (void)ch, (void)modifiers; }
  // A game controller's left stick is now at (x, y), each -32768..32767.
  virtual void OnPadStick(int x, int y) { (void)x, (void)y; }
  // A game controller was unplugged.
  virtual void OnPadRemoved() {}
  // The desktop asks the window to close. The default closes it.
  virtual void OnCloseRequest() { Close(); }

  // -- creation and the loop --
  // Creates the platform window: a non-zero width and height replace the stored size (0 lets the
  // platform choose), then OnCreate. On failure shows "Can't create window" (caption "Error") or, when
  // OnCreate refuses, runs OnDestroy; returns false either way.
  bool Create(const char* title, int width, int height);
  // Shows the window and paints it.
  void Show();
  // The loop: events and frame ticks until the window closes; then OnDestroy and the platform window
  // goes. Returns the exit code (0). Without a created window it returns 0 at once.
  int Run();
  // The minimum time between two frame ticks, in ms (at least 1).
  void SetFrameInterval(int ms) { frameInterval_ = ms < 1 ? 1 : ms; }
  int GetFrameInterval() const { return frameInterval_; }
  // The platform clock's reading at the last frame tick.
  uint32_t GetLastTick() const { return lastTick_; }
  // Closes the window; the loop then ends.
  void Close();

  // -- style, set before Create --
  void SetBackgroundColor(uint32_t rgb) { background_ = rgb; }
  uint32_t GetBackgroundColor() const { return background_; }
  void SetNoCaption(bool on) { noCaption_ = on; }
  void SetNoSizingFrame(bool on) { noSizingFrame_ = on; }

  // -- placement --
  // Ignored in full screen. Stores x and y (and width and height when non-zero), then moves and sizes
  // the window and shows it.
  void SetPosition(int x, int y, int width, int height);
  // Gives the window rounded corners (corner ellipse 30 x 30) or its plain rectangle back.
  void SetRoundedShape(bool rounded);
  // Cuts the window to a width x height mask at that size (see Platform::SetShapeMask).
  void SetShapeMask(const std::vector<uint8_t>& inside, int width, int height);
  // True restores the window, false minimises it.
  void SetRestored(bool restore);
  // Formats the caption (at most 1023 bytes).
  void SetTitle(const char* format, ...) __attribute__((format(printf, 2, 3)));
  const char* GetTitle() const { return title_.c_str(); }

  // -- presenting --
  // Erases the rectangle (the whole client area when null) to the background colour and repaints at once.
  void Invalidate(const BitmapRect* rect = nullptr);
  // Copies the bitmap to client (x, y), or only its rectangle (bitmap coordinates) to (x + left, y + top).
  // Nothing happens for a null or empty bitmap, or while the window is hidden.
  void BlitBitmap(Bitmap* bitmap, int x, int y, const BitmapRect* rect = nullptr);

  // -- full screen --
  // Covers the display with the picture scaled by a whole factor. True when in force (already, or now);
  // false, and nothing changed, when the display refuses.
  bool EnterFullScreen();
  // Back to the window at its stored position and size. Returns true.
  bool LeaveFullScreen();
  bool IsFullScreen() const { return fullScreen_; }
  // Shows the window at the whole factor ChooseWindowScale gives for choice (0 automatic, else the
  // factor) and a fitWidth x fitHeight picture on this desktop. A new factor centres the window on the
  // screen (in full screen: where it returns to).
  void ChooseScale(int choice, int fitWidth, int fitHeight);
  // True while the window is minimised or hidden: the screens then compose and present nothing, and
  // the whole picture is painted when it shows again.
  bool IsHidden() const { return hidden_; }

  // -- queries --
  // The pointer in client coordinates.
  void GetCursorClientPos(int& x, int& y) const;
  // The whole screen's size.
  void GetScreenSize(int& width, int& height) const;
  // The modifier set held now (kModShift | kModCtrl | kModAlt).
  int GetModifiers() const;
  // True when the window has the input focus.
  bool HasFocus() const;
  // Copies up to maxChars bytes of the clipboard's text into buffer (which must hold maxChars + 1) and
  // terminates it; leaves the buffer unchanged when the clipboard holds no text. False in that case.
  bool PasteText(char* buffer, int maxChars) const;
  int GetClientWidth() const { return clientWidth_; }
  int GetClientHeight() const { return clientHeight_; }
  int GetWindowX() const { return windowX_; }
  int GetWindowY() const { return windowY_; }
  bool IsCreated() const { return created_; }

 protected:
  // Serves one platform event, keeping the desktop's keys from the screens. Returns false for the quit
  // event.
  bool Dispatch(const PlatformEvent& event);

 private:
  // True for a key event the desktop owns: Alt itself, F10, a key pressed with Alt held and that key's
  // release (even after Alt went up). Notes each press's owner for its release.
  bool IsDesktopKey(const PlatformEvent& event);
  // Reads the client size from the platform.
  void ReadClientSize();

  int32_t clientWidth_ = 0, clientHeight_ = 0;
  int32_t windowX_ = 0, windowY_ = 0;
  std::string title_;
  uint32_t background_ = 0xFFFFFF;
  bool noCaption_ = false, noSizingFrame_ = false;
  int32_t frameInterval_ = 100;
  uint32_t lastTick_ = 0;
  bool fullScreen_ = false;
  bool hidden_ = false;
  bool created_ = false;
  std::bitset<256> desktopPresses_;  // keys whose press went to the desktop, until their release
};
