// The game's colours: one palette for every picture, built around the lavender background of every
// screen, and the six ball colours (chosen to stay apart for the common forms of colour blindness).
#pragma once

#include <cstdint>

namespace art {

constexpr uint32_t kLavender = 0xCCCCFF;  // every screen's background
constexpr uint32_t kLavenderLight = 0xE4E4FF;
constexpr uint32_t kLavenderDeep = 0xA9A9EE;
constexpr uint32_t kSlate = 0x6A5ACD;  // frames
constexpr uint32_t kSlateLight = 0x9489E6;
constexpr uint32_t kRoyal = 0x3131BA;  // dialog text, outlines
constexpr uint32_t kNavy = 0x26267A;   // darkest outlines, wells
constexpr uint32_t kNight = 0x1A1A52;
constexpr uint32_t kInk = 0x000052;  // edit text
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGold = 0xF5C242;        // warm accent
constexpr uint32_t kKeyMagenta = 0xFF00FF;  // colour key of keyed pictures (never drawn)
constexpr uint32_t kIntroKey = 0xFF0000;    // the intro's colour key

// Ball colours by colour code 0..5 (orange, sky blue, mint, yellow, royal blue, red); 6 is the silver of
// the attempts indicator. Chosen for the balls as drawn: 'globbet-tool colours' measures them with and
// without the common colour-vision deficiencies, and a check keeps every pair apart.
constexpr uint32_t kBallColours[7] = {0xDD8811, 0x4AA0E0, 0x11FFCC, 0xFFFF33, 0x0033BB, 0xCC2233, 0xDCE0EC};
constexpr int kBallColourCount = 6;

}  // namespace art
