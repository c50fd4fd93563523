// Helpers behind Bitmap's text calls, open to tests: a DrawFont size in pixels and the texts' code page.
#pragma once

#include <string>

// The font's em height in pixels for a size in points at 96 dots an inch: points x 96 / 72, rounded half
// away from zero as the platform's multiply-divide rounds (10 points -> 13 pixels). Uses the magnitude.
int FontPixelHeight(int points);
// Converts single-byte text in the Windows Western code page (what the game's texts and typed names
// are) to UTF-8.
std::string WesternToUtf8(const char* text);
