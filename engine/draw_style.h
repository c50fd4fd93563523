// The process-wide drawing style records used by OBitmap's text and rectangle calls. Callers set their
// fields directly before drawing; every bitmap reads the same records.
#pragma once

#include <cstdint>

// Style flags of DrawFont.
constexpr int kFontBold = 1, kFontItalic = 2, kFontUnderline = 4;
// Pen styles (the usual platform values): solid, dashed, dotted, dash-dot, dash-dot-dot, none.
constexpr int kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenDashDot = 3, kPenDashDotDot = 4, kPenNull = 5;
// Brush hatches: 0 solid; the others draw lines of the brush colour every 8 pixels on white. Values
// outside these fill solid.
constexpr int kHatchSolid = 0, kHatchVertical = 1, kHatchForwardDiagonal = 2, kHatchBackwardDiagonal = 3,
              kHatchCross = 4, kHatchDiagonalCross = 5;

struct DrawPenRecord {
  uint32_t color = 0x000000;
  int32_t style = kPenSolid;
  int32_t width = 1;
};

struct DrawBrushRecord {
  uint32_t color = 0xFFFFFF;
  int32_t hatch = kHatchSolid;
};

struct DrawFontRecord {
  static constexpr int kFaceNameCapacity = 32;  // at most 31 characters and the terminator

  uint32_t textColor = 0x000000;
  uint32_t backgroundColor = 0xFFFFFF;
  int32_t styleFlags = 0;  // kFontBold | kFontItalic | kFontUnderline
  int32_t size = 10;       // points
  char faceName[kFaceNameCapacity] = "Arial";

  // Copies name into faceName, cut to 31 characters; null gives an empty name.
  void SetFaceName(const char* name);
};

extern DrawPenRecord DrawPen;
extern DrawBrushRecord DrawBrush;
extern DrawFontRecord DrawFont;

// Puts the three records back to their defaults.
void ResetDrawStyles();
