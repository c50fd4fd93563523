#include "engine/draw_style.h"

#include <cstring>

DrawPenRecord DrawPen;
DrawBrushRecord DrawBrush;
DrawFontRecord DrawFont;

void DrawFontRecord::SetFaceName(const char* name) {
  std::memset(faceName, 0, sizeof faceName);
  if (name != nullptr) std::strncpy(faceName, name, kFaceNameCapacity - 1);
}

void ResetDrawStyles() {
  DrawPen = DrawPenRecord{};
  DrawBrush = DrawBrushRecord{};
  DrawFont = DrawFontRecord{};
}
