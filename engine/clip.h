// Clip: a drawable, animated, movable picture. It holds either frames (pictures) or sequences (child
// clips with frames of their own), never both. Each frame carries an instruction that runs when the
// frame's time is up: 0 next frame, 1 stop, 2 end (lifetime 0), 3 jump, 4 jump and stop, 5 signal and
// next frame. Screens own clips, move them along speeds or way-point paths, and draw their shown
// pictures.
//
// Sections: drawing record · Clip (virtual functions, structure, playback, looks, motion, fields)
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/bitmap.h"
#include "engine/load_result.h"
#include "engine/point_speed.h"

// ---- drawing record ------------------------------------------------------------------------------
// What a screen last drew of a clip, kept in the clip so that a dirty-rectangle redraw can tell what
// changed.
struct ClipDrawRecord {
  int x = 0, y = 0;           // integer clip position plus the offset of shown picture 0
  int width = 0, height = 0;  // size of shown picture 0
  bool visible = false;       // drawn last time
  int frameId = 0;            // current frame, or 1000 x current sequence + the sequence's frame
  bool alwaysRedraw = false;  // repaint on every dirty-rectangle redraw
};

// Frame instructions held in Bitmap::frameAction.
constexpr int kFrameNext = 0, kFrameStop = 1, kFrameEnd = 2, kFrameJump = 3, kFrameJumpStop = 4,
              kFrameEvent = 5;

// ---- Clip ---------------------------------------------------------------------------------------
class Clip {
 public:
  using FrameCallback = void (*)(Clip* clip);

  Clip();
  Clip(const Clip&) = delete;
  Clip& operator=(const Clip&) = delete;

  // -- virtual functions --
  // Destroys sequences and frames.
  virtual ~Clip();
  // Reads a clip file (engine/clip_file.h). On failure (a missing, unreadable or damaged file, with the
  // reason) the clip is left empty.
  virtual LoadResult Load(const std::string& path);
  // Becomes a copy of other sharing its pixels (frames, instructions, sequences, command code, size).
  // Does nothing when other holds both frames and sequences.
  virtual void CopyFrom(const Clip& other);
  // The screen moved the clip onto the last way point.
  virtual void OnPathEnd(const PointSpeed& point);
  // One animation step of elapsed milliseconds (lifetime, bounds, frame timer, instructions).
  virtual void Tick(int elapsed);
  // After every frame change.
  virtual void OnFrameChanged();

  // -- structure --
  // Destroys all sequences and frames (last first) and leaves one empty shown picture.
  void Clear();
  // Puts every field back to its starting value (size, position, speeds, flags, counters, frame time 100,
  // no parent, one empty shown picture, unlimited lifetime, no callback, no bounds). Keeps the command
  // code and the drawing record.
  void Reset();
  // Appends a frame (a clip with sequences is cleared and reset first); null adds nothing. The size grows
  // to the picture's, shown picture 0 becomes frame 0, and a sequence's parent grows and shows it too.
  void AddFrame(std::unique_ptr<Bitmap> bitmap);
  // Appends a new empty sequence whose parent is this clip (a clip with frames is cleared and reset
  // first) and returns it; this clip owns it.
  Clip* AddSequence();
  // Destroys frame index and puts bitmap in its place, showing it wherever the old one was shown. False,
  // with nothing changed, for a null bitmap or an index out of range.
  bool ReplaceFrame(int index, std::unique_ptr<Bitmap> bitmap);

  // -- playback --
  // Shows frame (out of range: 0). On a clip with sequences, sequence (when not -1; out of range: 0)
  // becomes current first and the frame is set on it. Resets the frame timer; notifies.
  void SetFrame(int frame, int sequence = -1);
  // Sets the instruction of frame (out of range: the last), or on a clip with sequences of that frame of
  // sequence (out of range: 0).
  void SetFrameAction(int action, int arg1, int arg2, int frame, int sequence = -1);
  // Sets the frame time of this clip, or with sequences of the given one (-1 or out of range: all).
  void SetFrameTime(int ms, int sequence = -1);

  // -- looks --
  // SetColorKey(value) on every frame of the clip and of its sequences.
  void SetColorKeyAll(int32_t value);
  // Sets the transparency of every frame of the clip and of its sequences and makes the next
  // dirty-rectangle redraw repaint the clip.
  void SetTransparency(int transparency);

  // -- motion --
  // Appends the way points in order; replace empties the path first.
  void SetPath(const std::vector<PointSpeed>& points, bool replace);

  // -- accessors --
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetCurrentFrame() const { return currentFrame_; }
  // Frames of this clip, or of the current sequence when it has sequences.
  int GetFrameCount() const { return frameCount_; }
  int GetCurrentSequence() const { return currentSequence_; }
  int GetSequenceCount() const { return sequenceCount_; }
  // Frame index (0 .. frames - 1) or null.
  Bitmap* GetFrame(int index);
  const Bitmap* GetFrame(int index) const;
  // Number of frames this clip holds itself (0 for a clip with sequences).
  int GetOwnFrameCount() const { return int(frames_.size()); }
  // Sequence index (0 .. sequences - 1) or null.
  Clip* GetSequence(int index);
  const Clip* GetSequence(int index) const;
  Clip* GetParent() const { return parent_; }
  // The pictures drawn for this clip; entry 0 (possibly null) is the current frame's.
  const std::vector<Bitmap*>& GetShownPictures() const { return shown_; }
  // Shown picture 0, or null.
  Bitmap* GetShownPicture() const { return shown_.empty() ? nullptr : shown_[0]; }
  // The frame identity a screen compares between redraws.
  int GetFrameIdentity() const;

  // -- fields the owner sets directly --
  int32_t commandCode = 0;  // the owner's value (a button's command); copied by CopyFrom
  double x = 0, y = 0, depth = 0;
  double speedX = 0, speedY = 0, depthSpeed = 0;  // per frame step while there is no path
  bool visible = true;
  bool stopped = false;   // playback halted by an instruction
  bool moving = true;     // moved by its screen each frame
  bool smooth = false;    // drawn at fractional positions
  int32_t lifetime = -1;  // ms; counts down while positive; 0 = expired; -1 = unlimited
  bool boundsCheck = false;
  int32_t boundsLeft = -1, boundsRight = -1, boundsTop = -1, boundsBottom = -1;
  FrameCallback frameCallback = nullptr;  // called after every frame change
  int32_t frameTime = 100;                // ms a frame stays before its instruction runs
  int32_t frameTimer = 0;                 // ms spent on the current frame
  PointPath path;                         // way points the screen moves the clip along
  ClipDrawRecord drawRecord;              // kept by the screen that draws the clip

 protected:
  // Shown pictures for subclasses that draw more than the current frame (appended after entry 0).
  std::vector<Bitmap*>& ShownPictures() { return shown_; }

 private:
  // Runs the current frame's instruction.
  void RunFrameAction();
  // Instructions 3 and 4: on the parent with sequence arg2 unless arg2 is the marker, else on this clip.
  void Jump(int frame, int sequence, int selfMarker);
  // Shows frame on a clip with frames; notifyParent is false when the parent itself is switching.
  void ShowOwnFrame(int frame, bool notifyParent);
  void NotifyFrameChanged();
  void SetShown0(Bitmap* picture);
  // Copies other's frames and sequences into this cleared clip, keeping the parent link.
  void CopyContent(const Clip& other);
  // Frame count and shown picture 0 from the first sequence.
  void TakeFirstSequence();

  int32_t width_ = 0, height_ = 0;
  int32_t currentFrame_ = 0, frameCount_ = 0;
  int32_t currentSequence_ = 0, sequenceCount_ = 0;
  std::vector<std::unique_ptr<Bitmap>> frames_;
  std::vector<std::unique_ptr<Clip>> sequences_;
  std::vector<Bitmap*> shown_;
  Clip* parent_ = nullptr;
};
