// Checks for mistakes only a programmer can make: an index into the game's own tables, a slot number, a
// colour passed by code. Never for what is read from a file or comes from the player: that is clamped or
// refused where it is read, and a check on it could end a game over a damaged file.
//
// GLOBBET_CHECK(condition, fix) yields the condition. When it is false it logs, at error level,
// "FILE:LINE: check failed: CONDITION; FIX", then either stops the program (abort) or lets the caller go
// its safe way on, so write it as
//   if (!GLOBBET_CHECK(k >= 0 && k < kColourCount, "pass a palette entry 0..5")) return;
// Checks stop the program in Debug builds, in the sanitizer build and in the test programs and the
// harness (SetStopOnFailedCheck(true)). The RelWithDebInfo game as players run it only logs and goes on:
// a slip there costs a picture or a sound, not the player's game.
#pragma once

#define GLOBBET_CHECK(condition, fix) \
  (static_cast<bool>(condition) || CheckFailed(__FILE__, __LINE__, #condition, fix))

// Logs the failed check and stops when checks stop; returns false otherwise.
[[gnu::cold]] bool CheckFailed(const char* file, int line, const char* condition, const char* fix);
// Whether a failed check stops the program (the build's choice until this is called).
void SetStopOnFailedCheck(bool stop);
