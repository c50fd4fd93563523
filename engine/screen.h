// Screen: a screen object, a rectangular scene inside the main window (the intro, the main game screen
// and every dialog). It owns clips and controls, moves clips along their speeds or way-point paths, runs
// their animations, routes pointer and keyboard input to its controls, composes its picture off screen
// and presents it whole (redraw mode 1) or by changed rectangles (mode 3). Exactly one screen is active;
// a screen that is entered remembers the one beneath it and hands control back when it leaves.
//
// Sections: Screen (virtual functions, clips, drawing, fields) · helpers shared with the drawing code
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/bitmap.h"
#include "engine/clip.h"
#include "engine/control.h"
#include "engine/window.h"

class Screen {
 public:
  // How a frame presents the picture: whole, or only the areas that changed.
  enum class RedrawMode { kFull = 1, kDirty = 3 };
  // A frame longer than this many frame intervals moves clips only this far.
  static constexpr double kMaxFrameSteps = 5.0;

  // A screen at (x, y) of width x height presenting into window (null: drawn but never presented, and
  // one frame step per millisecond). Redraw mode 1, background black, no picture until Enter.
  Screen(Window* window, int x, int y, int width, int height);
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // -- virtual functions --
  // Destroys the picture and every clip (controls included); an active-screen reference still naming
  // this screen is cleared.
  virtual ~Screen();
  // Moves and animates every clip, removes expired ones, then redraws in the redraw mode.
  virtual void OnFrame(int elapsed);
  // Offers the pointer (window coordinates) to every visible control; the last one hovered, or null.
  virtual Control* OnMouseMove(int x, int y);
  // The right button went up; nothing here.
  virtual void OnRightMouseUp(int x, int y);
  // Offers the press to every visible control; the last one that took it, or null.
  virtual Control* OnMouseDown(int x, int y);
  // Offers the release to the visible controls in order; the first that takes it and was pressed is
  // clicked (OnControlClicked) and returned; else the last that took it, or null. Every pressed flag
  // is cleared.
  virtual Control* OnMouseUp(int x, int y);
  // Tab moves the focus on; Ctrl+V, Ctrl+Insert (either Insert key) pastes up to 100 characters of
  // the clipboard into the focused controls; any other key goes to the focused controls.
  virtual void OnKeyDown(int key, int modifiers);
  // Nothing.
  virtual void OnKeyUp(int key, int modifiers);
  // The key a game controller's button (vk::kPadA...) stands for here; the screen gets that instead.
  // Here the button's own code.
  virtual int KeyOfPadButton(int button) const { return button; }
  // A pressed control was released over (a click); nothing here.
  virtual void OnControlClicked(Control* control);
  // Hands the character to every focused control.
  virtual void OnCharacter(int ch, int modifiers);
  // A clip's lifetime ended; it is removed right after; nothing here.
  virtual void OnClipExpired(Clip* clip);
  // A clip reached a way point that is not its last; nothing here.
  virtual void OnClipPathPoint(Clip* clip, const PointSpeed& point);
  // A clip reached the last way point of its path; nothing here.
  virtual void OnClipPathEnd(Clip* clip, const PointSpeed& point);
  // Makes the picture, becomes the screen named by activeSlot (remembering the one beneath; null:
  // no stacking), sorts, redraws and updates hover looks.
  virtual void Enter(Screen** activeSlot);
  // Drops the picture and hands the active slot back to the screen beneath, which redraws.
  virtual void Leave();

  // -- clips --
  // Takes the clip when it has a frame or a sequence and returns it; otherwise destroys it, returns null.
  Clip* AddClip(std::unique_ptr<Clip> clip);
  // As AddClip, and the control joins the controls (input order = adding order).
  Control* AddControl(std::unique_ptr<Control> control);
  void SetRect(int x, int y, int width, int height);
  // Larger depth first (drawn behind). Equal depths keep no particular order.
  void SortByDepth();
  // Marks the clip's last drawn area for repaint, removes it (from the controls too) and destroys it.
  // Ignored for a clip this screen does not hold.
  void RemoveClip(Clip* clip);
  // RemoveClip for a control.
  void RemoveControl(Control* control);
  void SetClipVisible(Clip* clip, bool visible);
  // True when the screen holds the clip.
  bool HasClip(const Clip* clip) const;
  const std::vector<std::unique_ptr<Clip>>& GetClips() const { return clips_; }
  const std::vector<Control*>& GetControls() const { return controls_; }

  // -- drawing --
  // Full redraw: fills the picture with the background, draws every visible clip and presents it.
  void Redraw();
  // Dirty-rectangle redraw: repaints and presents only the areas that changed since the last redraw.
  void RedrawDirty();
  // Full redraw of every screen beneath this one, the bottom one first (not of this one).
  void RedrawStack();
  // Adds a screen rectangle to the areas the next dirty-rectangle redraw repaints.
  void AddDirty(BitmapRect rect);
  // The picture (null before Enter and after Leave).
  Bitmap* GetPicture() { return picture_.get(); }
  const Bitmap* GetPicture() const { return picture_.get(); }
  const std::vector<BitmapRect>& GetDirtyList() const { return dirty_; }

  // -- state --
  Window* GetWindow() const { return window_; }
  Screen* GetScreenBeneath() const { return beneath_; }
  int GetX() const { return x_; }
  int GetY() const { return y_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  bool IsLeftButtonDown() const { return leftButtonDown_; }

  // -- fields the owner sets directly --
  RedrawMode redrawMode = RedrawMode::kFull;
  uint32_t backgroundColor = 0x000000;
  bool present = true;      // copy the picture to the window after drawing
  bool skipRedraw = false;  // the next frame draws nothing (once)

 protected:
  // One frame of motion, animation and expiry without the redraw (the whole Screen frame but step 3).
  void MoveAndAnimate(int elapsed);
  // The pointer in window coordinates (0, 0 without a window).
  void PointerPosition(int& x, int& y) const;

 private:
  // Moves one clip by its speeds or along its path; false when a notification removed it.
  bool MoveClip(Clip* clip, double steps);
  // The index of clip after notifications may have changed the vector; -1 when it is gone.
  int Relocate(const Clip* clip, int hint) const;
  // The frame steps of an elapsed time.
  double FrameSteps(int elapsed) const;
  // Adds rect to the dirty list, merging every rectangle it overlaps into it.
  void MergeDirty(BitmapRect rect);

  Window* window_;
  std::vector<BitmapRect> dirty_;
  std::vector<std::unique_ptr<Clip>> clips_;
  std::vector<Control*> controls_;
  int32_t x_, y_, width_, height_;
  bool leftButtonDown_ = false;
  std::unique_ptr<Bitmap> picture_;
  Screen* beneath_ = nullptr;
  Screen** activeSlot_ = nullptr;
  uint64_t clipsVersion_ = 0;  // grows on every change of the clip vector
};

// ---- helpers shared with the drawing code --------------------------------------------------------------
// The integer pixel of a clip coordinate: truncated toward zero, values far outside any picture held to
// +-1e9 (and NaN to 0) so that the conversion is always defined.
int ClipPixel(double v);
// What a screen would record for the clip now (position, size of shown picture 0, visibility, frame).
ClipDrawRecord MeasureClip(const Clip& clip);
// The screen area a record covers; for a smooth clip one pixel more all round (its filtered picture).
BitmapRect RecordRect(const ClipDrawRecord& record, bool smooth);
