// Screen's drawing: the full redraw, the dirty-rectangle redraw with its merging of overlapping areas,
// and the redraw of the screens stacked beneath.
//
// Sections: drawing records · full redraw · dirty rectangles · the stack
#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/screen.h"

// ---- drawing records ---------------------------------------------------------------------------------

int ClipPixel(double v) {
  if (!(v == v)) return 0;
  return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

ClipDrawRecord MeasureClip(const Clip& clip) {
  ClipDrawRecord r;
  const Bitmap* picture = clip.GetShownPicture();
  r.x = ClipPixel(clip.x) + (picture ? picture->offsetX : 0);
  r.y = ClipPixel(clip.y) + (picture ? picture->offsetY : 0);
  r.width = picture ? picture->GetWidth() : 0;
  r.height = picture ? picture->GetHeight() : 0;
  r.visible = clip.visible;
  r.frameId = clip.GetFrameIdentity();
  r.alwaysRedraw = clip.drawRecord.alwaysRedraw;
  return r;
}

BitmapRect RecordRect(const ClipDrawRecord& record, bool smooth) {
  // A smooth clip is filtered over one more column and row, and its whole pixel is the floor of its
  // position where the record truncates: one pixel of margin all round covers both.
  const int64_t margin = smooth ? 1 : 0;
  const auto hold = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  return BitmapRect{hold(record.x - margin), hold(record.y - margin),
                    hold(record.x + int64_t{record.width} + margin),
                    hold(record.y + int64_t{record.height} + margin)};
}

namespace {

bool Empty(const BitmapRect& r) {
  return r.left >= r.right || r.top >= r.bottom;
}

// True when the two share at least one pixel (touching edges do not count).
bool Overlap(const BitmapRect& a, const BitmapRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

BitmapRect Union(const BitmapRect& a, const BitmapRect& b) {
  return BitmapRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom)};
}

BitmapRect Intersect(const BitmapRect& a, const BitmapRect& b) {
  return BitmapRect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                    std::min(a.bottom, b.bottom)};
}

// Draws every shown picture of the clip at its place (fractional for smooth clips).
void DrawWhole(Bitmap& target, const Clip& clip) {
  const int ix = ClipPixel(clip.x), iy = ClipPixel(clip.y);
  for (const Bitmap* picture : clip.GetShownPictures()) {
    if (!picture || !picture->HasPixels()) continue;
    if (clip.smooth)
      target.DrawSmooth(picture, clip.x + picture->offsetX, clip.y + picture->offsetY);
    else
      target.Draw(picture, ix + picture->offsetX, iy + picture->offsetY);
  }
}

}  // namespace

// ---- full redraw -------------------------------------------------------------------------------------

void Screen::Redraw() {
  if (!picture_) return;
  picture_->fillColor = backgroundColor;
  picture_->Fill();
  for (const auto& clip : clips_) {
    clip->drawRecord = MeasureClip(*clip);
    if (clip->visible) DrawWhole(*picture_, *clip);
  }
  // Whatever was waiting for a repaint has just been painted.
  dirty_.clear();
  if (present && window_) window_->BlitBitmap(picture_.get(), x_, y_);
}

// ---- dirty rectangles --------------------------------------------------------------------------------

void Screen::AddDirty(BitmapRect rect) {
  // Only what lies on the screen can be repainted.
  rect = Intersect(rect, BitmapRect{0, 0, width_, height_});
  if (!Empty(rect)) MergeDirty(rect);
}

void Screen::MergeDirty(BitmapRect rect) {
  // Swallow every overlapping rectangle; a grown rectangle may now overlap one passed earlier, so
  // repeat until none is left and every pixel is painted once.
  for (bool grown = true; grown;) {
    grown = false;
    for (size_t i = 0; i < dirty_.size();) {
      if (Overlap(dirty_[i], rect)) {
        rect = Union(rect, dirty_[i]);
        dirty_[i] = dirty_.back();
        dirty_.pop_back();
        grown = true;
      } else {
        ++i;
      }
    }
  }
  dirty_.push_back(rect);
}

void Screen::RedrawDirty() {
  if (!picture_) return;
  for (const auto& clip : clips_) {
    const ClipDrawRecord now = MeasureClip(*clip);
    const ClipDrawRecord& was = clip->drawRecord;
    const bool changed = now.x != was.x || now.y != was.y || now.width != was.width ||
                         now.height != was.height || now.frameId != was.frameId ||
                         now.visible != was.visible || clip->smooth || was.alwaysRedraw;
    if (changed) {
      if (was.visible) AddDirty(RecordRect(was, clip->smooth));
      // A hidden clip leaves nothing to paint where it is now.
      if (now.visible) AddDirty(RecordRect(now, clip->smooth));
    }
    clip->drawRecord = now;
  }
  picture_->fillColor = backgroundColor;
  for (const BitmapRect& area : dirty_) {
    picture_->Fill(&area);
    for (const auto& clip : clips_) {
      if (!clip->visible) continue;
      const Bitmap* picture = clip->GetShownPicture();
      if (!picture || !picture->HasPixels()) continue;
      const ClipDrawRecord& r = clip->drawRecord;
      const BitmapRect place = RecordRect(r, clip->smooth);
      if (!Overlap(place, area)) continue;
      if (clip->smooth) {
        // The merged areas never overlap, so a smooth clip (always repainted) lies wholly inside this one.
        picture_->DrawSmooth(picture, clip->x + picture->offsetX, clip->y + picture->offsetY);
        continue;
      }
      const BitmapRect part = Intersect(place, area);
      const BitmapRect source{part.left - r.x, part.top - r.y, part.right - r.x, part.bottom - r.y};
      picture_->Draw(picture, r.x, r.y, &source);
    }
  }
  if (present && window_)
    for (const BitmapRect& area : dirty_)
      window_->BlitBitmap(picture_.get(), x_, y_, &area);
  dirty_.clear();
}

// ---- the stack ---------------------------------------------------------------------------------------

void Screen::RedrawStack() {
  std::vector<Screen*> stack;
  for (Screen* s = beneath_; s && s != this; s = s->beneath_) {
    if (std::find(stack.begin(), stack.end(), s) != stack.end()) break;  // never loop on a cycle
    stack.push_back(s);
  }
  for (auto it = stack.rbegin(); it != stack.rend(); ++it)
    (*it)->Redraw();
}
