// The drawing style records (in the engine context) used by Bitmap's text and rectangle calls. Callers set their
// fields directly before drawing; every bitmap reads the same records.
#pragma once

#include <cstdint>

// Style flags of DrawFont.
constexpr int kFontBold = 1;

// The colour of DrawRectangle's one-pixel outline.
struct DrawPenRecord {
  uint32_t color = 0x000000;
};

// The colour of DrawRectangle's fill.
struct DrawBrushRecord {
  uint32_t color = 0xFFFFFF;
};

struct DrawFontRecord {
  static constexpr int kFaceNameCapacity = 32;  // at most 31 characters and the terminator

  uint32_t textColor = 0x000000;
  uint32_t backgroundColor = 0xFFFFFF;
  int32_t styleFlags = 0;  // 0 or kFontBold
  int32_t size = 10;       // points
  char faceName[kFaceNameCapacity] = "Arial";

  // Copies name into faceName, cut to 31 characters; null gives an empty name.
  void SetFaceName(const char* name);
};

// The installed engine context's records (engine/engine_context.h).
DrawPenRecord& DrawPen();
DrawBrushRecord& DrawBrush();
DrawFontRecord& DrawFont();

// Puts the three records back to their defaults.
void ResetDrawStyles();
