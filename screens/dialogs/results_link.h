// The results link: the player's best result of a level handed to the game's results page
// (dist/pages/results.html) as the "e=" digits of its address. The text is
// "score<TAB>code<TAB>name<TAB>gbt<TAB>exe", preceded by two check bytes and scrambled with a chaining
// byte and a 10-byte key; every scrambled byte becomes three decimal digits. The page decodes them with
// the same constants as the .cpp: change them only together.
#pragma once

#include <string>

namespace results_link {

// The text of a result: "%d" of the score, the level code, the name, then the game's tags.
std::string ResultText(int score, const std::string& code, const std::string& name);
// The digits of a text (empty for an empty text).
std::string Encode(const std::string& text);
// Reverses Encode: false, with why, for digits that are not whole three-digit groups of 0..255, too few
// bytes for the check bytes, or check bytes that do not match the text.
bool Decode(const std::string& digits, std::string& text, std::string& why);

}  // namespace results_link
