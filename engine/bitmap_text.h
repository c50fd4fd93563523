// Font resolution behind OBitmap's text calls, open to tests and tools: how a DrawFont record becomes a
// concrete font face and pixel size.
#pragma once

#include <string>

// The font's em height in pixels for a size in points at 96 dots an inch: points x 96 / 72, rounded half
// away from zero as the platform's multiply-divide rounds (10 points -> 13 pixels). Uses the magnitude.
int FontPixelHeight(int points);
// The family fontconfig picks for a face name and DrawFont style flags ("Arial" -> "Liberation Sans");
// empty when no font at all can be found.
std::string MatchFontFamily(const char* faceName, int styleFlags);
// Converts single-byte text in the Windows Western code page (what the game's texts and typed names
// are) to UTF-8.
std::string WesternToUtf8(const char* text);
