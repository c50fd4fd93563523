// The game's sound effects, each named once by what it sounds like. The number of an effect is the
// number of its file, "wav/<n>.wav", and so never changes.
#pragma once

enum class SoundId {
  kTick = 0,          // every eighth ball appearing or sliding down
  kRisingChime = 1,   // loaded, not played
  kFallingChime = 2,  // loaded, not played
  kBell = 3,          // loaded, not played
  kShot = 4,          // the game ball leaves the launcher
  kClick = 5,         // a command button; the intro's logo bursting
  kBurst = 6,         // a group bursting; the end of a game
  kSparkle = 7,       // loaded, not played
  kThud = 8,          // a shot that removed nothing
  kKnock = 9,         // a ball letter landing on its line
};

// The effects start-up loads: wav/0.wav .. wav/9.wav.
inline constexpr int kSoundCount = 10;
