// The game's texts are single bytes in Latin-1 (ISO-8859-1); the desktop types UTF-8. This maps the one
// to the other for the characters Latin-1 holds.
#pragma once

#include <string>
#include <string_view>

// Each character of utf8 as its Latin-1 byte (U+0000..U+00FF); characters beyond Latin-1 and malformed
// or overlong sequences are dropped.
std::string Utf8ToLatin1(std::string_view utf8);
