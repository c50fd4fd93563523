#include "engine/control.h"

#include "engine/screen.h"

bool Control::OnHover(int, int, bool) {
  return false;
}
bool Control::OnPress(int, int) {
  return false;
}
bool Control::OnRelease(int, int) {
  return false;
}
bool Control::OnKey(int, int) {
  return false;
}
void Control::OnCharacter(int, int) {}
void Control::SetFocus(bool) {}

void Control::Reset() {
  Clip::Reset();
  pressed = focused = pixelExact = false;
  enabled = true;
}

bool Control::HitTest(int px, int py) const {
  if (!(px >= x && px <= x + GetWidth() && py >= y && py <= y + GetHeight())) return false;
  if (!pixelExact) return true;
  const Bitmap* picture = GetShownPicture();
  if (!picture || !picture->HasPixels()) return false;
  const int u = px - ClipPixel(x) - picture->offsetX, v = py - ClipPixel(y) - picture->offsetY;
  if (u < 0 || v < 0 || u >= picture->GetWidth() || v >= picture->GetHeight()) return false;
  // A masked picture is drawn by its mask, not its colour key: what the player sees is what is hit.
  if (const uint8_t* maskRow = picture->GetMaskRow(v)) return maskRow[u] != 255;
  return picture->colorKey < 0 || picture->GetPixel(u, v) != static_cast<uint32_t>(picture->colorKey);
}

void Control::ShowSequence(int sequence) {
  if (sequence < 0 || sequence >= GetSequenceCount()) sequence = 0;
  if (GetCurrentSequence() == sequence) return;
  SetFrame(0, sequence);
}
