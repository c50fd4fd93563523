#include "engine/draw_style.h"

#include <cstring>

#include "engine/engine_context.h"

DrawPenRecord& DrawPen() {
  return Engine().drawPen;
}

DrawBrushRecord& DrawBrush() {
  return Engine().drawBrush;
}

DrawFontRecord& DrawFont() {
  return Engine().drawFont;
}

void DrawFontRecord::SetFaceName(const char* name) {
  std::memset(faceName, 0, sizeof faceName);
  if (name != nullptr) std::strncpy(faceName, name, kFaceNameCapacity - 1);
}

void ResetDrawStyles() {
  DrawPen() = DrawPenRecord{};
  DrawBrush() = DrawBrushRecord{};
  DrawFont() = DrawFontRecord{};
}
