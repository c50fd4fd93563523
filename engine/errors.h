// The two ways the program reaches past its window: a fatal error message, and an address handed to
// the desktop's browser.
#pragma once

#include <cstddef>

// Longest message ShowError shows, in bytes; longer messages are cut.
inline constexpr size_t kMaxErrorMessage = 1023;

// Formats the message printf-style (cut at kMaxErrorMessage bytes), writes it to standard error and shows
// it in a modal box with an empty caption and an OK button. Returns the box's result (1, OK).
int ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Asks the desktop to open target (a web address or one of the game's pages) in its default handler, without
// waiting. True when it could be handed on; no caller needs the result.
bool OpenExternal(const char* target);
