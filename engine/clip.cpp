#include "engine/clip.h"

#include <algorithm>

#include "engine/clip_file.h"

// ---- construction and virtual defaults -------------------------------------------------------------

Clip::Clip() {
  Reset();
}

Clip::~Clip() {
  Clear();
}

LoadResult Clip::Load(const std::string& path) {
  return LoadClipFile(path, *this);
}

void Clip::OnPathEnd(const PointSpeed&) {}
void Clip::OnFrameChanged() {}

// ---- structure -------------------------------------------------------------------------------------

void Clip::Clear() {
  // A parent must not keep showing a picture that is about to go.
  if (parent_ && parent_->GetShownPicture())
    for (const auto& frame : frames_)
      if (parent_->shown_[0] == frame.get()) parent_->shown_[0] = nullptr;
  while (!sequences_.empty())
    sequences_.pop_back();
  while (!frames_.empty())
    frames_.pop_back();
  shown_.assign(1, nullptr);
}

void Clip::Reset() {
  width_ = height_ = 0;
  x = y = depth = 0;
  speedX = speedY = depthSpeed = 0;
  visible = true;
  stopped = false;
  moving = true;
  smooth = false;
  currentFrame_ = frameCount_ = currentSequence_ = sequenceCount_ = 0;
  frameTime = 100;
  parent_ = nullptr;
  shown_.assign(1, nullptr);
  lifetime = -1;
  frameTimer = 0;
  frameCallback = nullptr;
  boundsCheck = false;
  boundsLeft = boundsRight = boundsTop = boundsBottom = -1;
}

void Clip::SetShown0(Bitmap* picture) {
  if (shown_.empty()) shown_.push_back(nullptr);
  shown_[0] = picture;
}

void Clip::AddFrame(std::unique_ptr<Bitmap> bitmap) {
  if (!sequences_.empty()) {
    Clear();
    Reset();
  }
  if (!bitmap) return;
  width_ = std::max(width_, bitmap->GetWidth());
  height_ = std::max(height_, bitmap->GetHeight());
  frames_.push_back(std::move(bitmap));
  frameCount_ = int(frames_.size());
  SetShown0(frames_[0].get());
  if (parent_) {
    parent_->width_ = std::max(parent_->width_, width_);
    parent_->height_ = std::max(parent_->height_, height_);
    parent_->SetShown0(shown_[0]);
  }
}

Clip* Clip::AddSequence() {
  if (!frames_.empty()) {
    Clear();
    Reset();
  }
  sequences_.push_back(std::make_unique<Clip>());
  sequences_.back()->parent_ = this;
  sequenceCount_ = int(sequences_.size());
  return sequences_.back().get();
}

bool Clip::ReplaceFrame(int index, std::unique_ptr<Bitmap> bitmap) {
  if (!bitmap || index < 0 || index >= int(frames_.size())) return false;
  Bitmap* old = frames_[size_t(index)].get();
  width_ = std::max(width_, bitmap->GetWidth());
  height_ = std::max(height_, bitmap->GetHeight());
  frames_[size_t(index)] = std::move(bitmap);
  Bitmap* now = frames_[size_t(index)].get();
  for (Bitmap*& shown : shown_)
    if (shown == old) shown = now;
  if (parent_)
    for (Bitmap*& shown : parent_->shown_)
      if (shown == old) shown = now;
  return true;
}

Bitmap* Clip::GetFrame(int index) {
  return index >= 0 && index < int(frames_.size()) ? frames_[size_t(index)].get() : nullptr;
}
const Bitmap* Clip::GetFrame(int index) const {
  return index >= 0 && index < int(frames_.size()) ? frames_[size_t(index)].get() : nullptr;
}
Clip* Clip::GetSequence(int index) {
  return index >= 0 && index < int(sequences_.size()) ? sequences_[size_t(index)].get() : nullptr;
}
const Clip* Clip::GetSequence(int index) const {
  return index >= 0 && index < int(sequences_.size()) ? sequences_[size_t(index)].get() : nullptr;
}

int Clip::GetFrameIdentity() const {
  const Clip* sequence = GetSequence(currentSequence_);
  return sequence ? 1000 * currentSequence_ + sequence->currentFrame_ : currentFrame_;
}

// ---- copying ---------------------------------------------------------------------------------------

void Clip::CopyFrom(const Clip& other) {
  if (&other == this || (!other.frames_.empty() && !other.sequences_.empty())) return;
  // Clearing would destroy a source that is one of this clip's own sequences: copy through a stand-in.
  for (const Clip* up = other.parent_; up; up = up->parent_)
    if (up == this) {
      Clip standIn;
      standIn.CopyContent(other);
      CopyFrom(standIn);
      return;
    }
  Clear();
  Reset();
  CopyContent(other);
}

void Clip::CopyContent(const Clip& other) {
  commandCode = other.commandCode;
  width_ = other.width_;
  height_ = other.height_;
  for (const auto& frame : other.frames_) {
    auto picture = std::make_unique<Bitmap>(*frame);  // shares the pixels
    picture->frameAction = frame->frameAction;
    picture->actionArg1 = frame->actionArg1;
    picture->actionArg2 = frame->actionArg2;
    AddFrame(std::move(picture));
  }
  SetShown0(frames_.empty() ? nullptr : frames_[0].get());
  for (const auto& sequence : other.sequences_)
    AddSequence()->CopyContent(*sequence);
  if (frames_.empty() && !sequences_.empty()) TakeFirstSequence();
}

void Clip::TakeFirstSequence() {
  frameCount_ = sequences_[0]->frameCount_;
  SetShown0(sequences_[0]->GetShownPicture());
}

// ---- playback --------------------------------------------------------------------------------------

void Clip::NotifyFrameChanged() {
  OnFrameChanged();
  if (frameCallback) frameCallback(this);
}

void Clip::ShowOwnFrame(int frame, bool notifyParent) {
  frameTimer = 0;
  if (frame < 0 || frame >= int(frames_.size())) frame = 0;
  currentFrame_ = frame;
  // The picture changes before anyone is told, so that listeners see the new frame.
  SetShown0(frames_[size_t(frame)].get());
  NotifyFrameChanged();
  if (parent_) {
    parent_->SetShown0(shown_[0]);
    parent_->currentFrame_ = currentFrame_;
    if (notifyParent) parent_->NotifyFrameChanged();
  }
}

void Clip::SetFrame(int frame, int sequence) {
  if (!frames_.empty()) {
    ShowOwnFrame(frame, true);
    return;
  }
  if (sequences_.empty()) return;
  if (sequence != -1) currentSequence_ = sequence >= 0 && sequence < sequenceCount_ ? sequence : 0;
  Clip& current = *sequences_[size_t(currentSequence_)];
  frameCount_ = current.frameCount_;
  if (!current.frames_.empty())
    current.ShowOwnFrame(frame, false);
  else
    current.SetFrame(frame, -1);
  currentFrame_ = current.currentFrame_;
  NotifyFrameChanged();
}

void Clip::SetFrameAction(int action, int arg1, int arg2, int frame, int sequence) {
  if (!frames_.empty()) {
    if (frame < 0 || frame >= int(frames_.size())) frame = int(frames_.size()) - 1;
    Bitmap& picture = *frames_[size_t(frame)];
    picture.frameAction = action;
    picture.actionArg1 = arg1;
    picture.actionArg2 = arg2;
  } else if (!sequences_.empty()) {
    if (sequence < 0 || sequence >= int(sequences_.size())) sequence = 0;
    sequences_[size_t(sequence)]->SetFrameAction(action, arg1, arg2, frame, -1);
  }
}

void Clip::SetFrameTime(int ms, int sequence) {
  if (sequences_.empty()) {
    frameTime = ms;
  } else if (sequence < 0 || sequence >= int(sequences_.size())) {
    for (auto& each : sequences_)
      each->SetFrameTime(ms, -1);
  } else {
    sequences_[size_t(sequence)]->SetFrameTime(ms, -1);
  }
}

void Clip::Tick(int elapsed) {
  if (lifetime > 0) lifetime = std::max(0, lifetime - elapsed);
  if (frames_.empty()) {
    if (Clip* current = GetSequence(currentSequence_)) current->Tick(elapsed);
    return;
  }
  if (boundsCheck &&
      (x < boundsLeft || y < boundsTop || x + width_ > boundsRight || y + height_ > boundsBottom)) {
    lifetime = 0;
  }
  frameTimer += elapsed;
  if (frameTimer < frameTime) return;
  // A sequence plays under its parent's stopped flag.
  if (parent_) stopped = parent_->stopped;
  RunFrameAction();
  if (parent_) parent_->stopped = stopped;
  frameTimer = 0;
}

void Clip::RunFrameAction() {
  if (currentFrame_ < 0 || currentFrame_ >= int(frames_.size())) return;
  // Copied first: the notifications below may change the frames.
  const Bitmap& frame = *frames_[size_t(currentFrame_)];
  const int action = frame.frameAction, arg1 = frame.actionArg1, arg2 = frame.actionArg2;
  Clip& owner = parent_ ? *parent_ : *this;
  switch (action) {
    case kFrameEvent:  // nothing listens for the signal: the next frame, as instruction 0
    case kFrameNext:
      if (!stopped && frameCount_ > 1) SetFrame(currentFrame_ + 1, -1);
      break;
    case kFrameStop:
      stopped = true;
      break;
    case kFrameEnd:
      owner.lifetime = 0;
      break;
    case kFrameJump:
      if (!stopped) Jump(arg1, arg2, -1);
      break;
    case kFrameJumpStop:
      Jump(arg1, arg2, 1000);
      stopped = true;
      break;
    default:
      break;
  }
}

void Clip::Jump(int frame, int sequence, int selfMarker) {
  if (parent_ && sequence != selfMarker)
    parent_->SetFrame(frame, sequence);
  else
    SetFrame(frame, -1);
}

// ---- looks and motion --------------------------------------------------------------------------------

void Clip::SetColorKeyAll(int32_t value) {
  for (auto& frame : frames_)
    frame->SetColorKey(value);
  for (auto& sequence : sequences_)
    sequence->SetColorKeyAll(value);
}

void Clip::SetTransparency(int transparency) {
  for (auto& frame : frames_)
    frame->transparency = transparency;
  for (auto& sequence : sequences_)
    sequence->SetTransparency(transparency);
  drawRecord.visible = false;
}

void Clip::SetPath(const std::vector<PointSpeed>& points, bool replace) {
  if (replace) path.clear();
  path.insert(path.end(), points.begin(), points.end());
}
