// A platform without a display, for tests and tools: a clock the caller advances, input events the
// caller queues, presented pictures kept in memory, message boxes and opened addresses recorded.
//
// Sections: set-up by the caller · what the program left behind · the Platform operations
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform.h"

class HeadlessPlatform : public Platform {
 public:
  // The kept picture is this size; presents outside it are clipped.
  static constexpr int kCanvasWidth = 800, kCanvasHeight = 600;

  HeadlessPlatform();
  ~HeadlessPlatform() override;

  // ---- set-up by the caller -------------------------------------------------------------------
  // Sets the clock to ms.
  void SetClock(uint32_t ms) { now_ = ms; }
  // Moves the clock forward by ms.
  void AdvanceClock(uint32_t ms) { now_ += ms; }
  // How far the clock moves on every poll that finds no event, so a spinning loop moves through
  // simulated time (default 1 ms; 0 freezes time between explicit advances).
  void SetIdleStep(uint32_t ms) { idleStep_ = ms; }
  // Queues an event that can be taken at once. Taking a pointer event moves the pointer to its point.
  void QueueEvent(const PlatformEvent& event) { QueueEventAt(now_, event); }
  // Queues an event that becomes available when the clock reaches atMs.
  void QueueEventAt(uint32_t atMs, const PlatformEvent& event);
  // Number of queued events not yet taken.
  size_t PendingEvents() const { return queue_.size(); }
  // Places the pointer at real screen position (x, y).
  void SetPointerScreen(int x, int y) { pointerX_ = x, pointerY_ = y; }
  // Places the pointer at client position (x, y) of the window as it stands now.
  void SetPointerClient(int x, int y);
  void SetFocus(bool focus) { focus_ = focus; }
  void SetModifiers(int modifiers) { modifiers_ = modifiers; }
  // Sets the clipboard's text; nullopt empties it.
  void SetClipboard(std::optional<std::string> text) { clipboard_ = std::move(text); }
  // Sets the screen's size in real pixels; its usable area is the whole of it until set apart.
  void SetScreenSize(int width, int height) { screenW_ = usableW_ = width, screenH_ = usableH_ = height; }
  void SetUsableArea(int width, int height) { usableW_ = width, usableH_ = height; }
  // Makes window creation fail (as when the display refuses a window).
  void SetCreateFails(bool fails) { createFails_ = fails; }
  // Makes EnterFullScreen fail (as when the display refuses the mode).
  void SetFullScreenFails(bool fails) { fullScreenFails_ = fails; }
  // Makes OpenUrl report failure.
  void SetOpenUrlFails(bool fails) { openUrlFails_ = fails; }

  // ---- what the program left behind ------------------------------------------------------------
  // The kept picture's pixel at client (x, y) as 0xRRGGBB; 0 outside the canvas.
  uint32_t GetPixel(int x, int y) const;
  // The kept picture: kCanvasWidth x kCanvasHeight pixels, top-down rows, blue-green-red.
  const std::vector<uint8_t>& Canvas() const { return canvas_; }
  // Number of Present calls that reached the canvas.
  int PresentCount() const { return presentCount_; }
  struct Message {
    std::string caption, text;
  };
  const std::vector<Message>& MessageBoxes() const { return messages_; }
  const std::vector<std::string>& OpenedUrls() const { return urls_; }
  const std::string& Title() const { return title_; }
  bool IsShown() const { return shown_; }
  bool IsMinimised() const { return minimised_; }
  bool IsRounded() const { return rounded_; }
  // True when the shape mask set last keeps client pixel (x, y); false without a mask.
  bool MaskKeeps(int x, int y) const {
    return x >= 0 && y >= 0 && x < maskW_ && y < maskH_ && mask_[size_t(y) * size_t(maskW_) + size_t(x)] != 0;
  }
  bool IsFullScreen() const { return fullScreen_; }
  // The window's whole factor.
  int Scale() const { return scale_; }
  bool IsBorderless() const { return borderless_; }
  // Number of times the window was moved or sized.
  int MoveCount() const { return moveCount_; }
  // The background colour the window was created with.
  uint32_t Background() const { return background_; }

  // ---- the Platform operations ---------------------------------------------------------------
  bool CreateMainWindow(const char* title, int width, int height, uint32_t background,
                        bool borderless) override;
  void DestroyMainWindow() override;
  bool HasWindow() const override { return hasWindow_; }
  void ShowWindow() override;
  void SetTitle(const char* title) override;
  void SetWindowRect(int x, int y, int width, int height) override;
  void GetWindowPosition(int& x, int& y) const override;
  void GetClientSize(int& width, int& height) const override;
  void SetRoundedShape(bool rounded) override;
  void SetShapeMask(const std::vector<uint8_t>& inside, int width, int height) override;
  // Minimising queues kHidden; restoring a minimised window queues kShown.
  void SetRestored(bool restore) override;
  bool EnterFullScreen(int width, int height) override;
  void LeaveFullScreen() override;
  // Keeps the factor; the kept picture stays the client's, unscaled.
  bool SetWindowScale(int scale) override;
  bool PollEvent(PlatformEvent& event) override;
  bool WaitForEvent(int timeoutMs) override;
  // Moves the clock to the first due event, or to one idle step short of dueMs: the empty poll that
  // follows supplies that step, so the loop ticks on dueMs as a polling loop would.
  bool WaitUntil(uint32_t dueMs) override;
  uint32_t Ticks() const override { return now_; }
  void Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight, int srcX, int srcY,
               int width, int height, int dstX, int dstY) override;
  void FillClient(int x, int y, int width, int height, uint32_t color) override;
  void GetPointerClient(int& x, int& y) const override;
  void GetPointerScreen(int& x, int& y) const override;
  void GetScreenSize(int& width, int& height) const override;
  void GetUsableArea(int& width, int& height) const override;
  bool HasFocus() const override { return focus_; }
  int GetModifiers() const override { return modifiers_; }
  bool GetClipboardText(std::string& text) const override;
  void ShowMessageBox(const char* caption, const char* text) override;
  bool OpenUrl(const char* url) override;
  void RequestClose() override;

 private:
  struct Timed {
    uint32_t at;
    PlatformEvent event;
  };
  // True when the first queued event is due.
  bool FirstDue() const;
  // Queues the repaint request that follows a lost picture.
  void QueueExpose();
  // A real screen coordinate in steps of the window's scale.
  int ToScaleSteps(int real) const { return PicturePlacement{scale_, 0, 0}.ToPictureX(real); }
  // Fills a canvas rectangle (clipped to the canvas) with 0xRRGGBB.
  void FillCanvas(int x, int y, int width, int height, uint32_t color);

  uint32_t now_ = 0;
  uint32_t idleStep_ = 1;
  std::deque<Timed> queue_;
  int pointerX_ = 0, pointerY_ = 0;
  bool focus_ = true;
  int modifiers_ = 0;
  std::optional<std::string> clipboard_;
  int screenW_ = 1280, screenH_ = 1024, usableW_ = 1280, usableH_ = 1024;
  bool createFails_ = false, fullScreenFails_ = false, openUrlFails_ = false;

  bool hasWindow_ = false, shown_ = false, minimised_ = false, rounded_ = false, fullScreen_ = false,
       borderless_ = false;
  std::string title_;
  uint32_t background_ = 0xFFFFFF;
  int winX_ = 0, winY_ = 0, clientW_ = 0, clientH_ = 0;  // the position in real pixels
  int scale_ = 1;
  int pictureW_ = 0, pictureH_ = 0;  // the picture shown in full screen
  int moveCount_ = 0;
  std::vector<uint8_t> mask_;
  int maskW_ = 0, maskH_ = 0;

  std::vector<uint8_t> canvas_;
  int presentCount_ = 0;
  std::vector<Message> messages_;
  std::vector<std::string> urls_;
};
