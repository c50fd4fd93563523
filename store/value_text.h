// Conversions between the store's value texts and integers, integer arrays and strings. The readers
// accept any text (a value read from a file may have any form) and never fail; the writers give the
// exact forms the store holds: -12, [3 0 5], "a\"b".
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Decimal like atoi: leading C white space, one optional sign, digits up to the first non-digit; no
// digits gives 0; wraps modulo 2^32.
int ReadDecimal(std::string_view text);
// As an integer value: text starting with "0x" is hexadecimal (low 32 bits, def when no hex digit
// follows), anything else is ReadDecimal.
int ReadIntText(std::string_view text, int def);
// As an integer array: the text without its first and last character, split at runs of separator,
// each item read with ReadDecimal.
std::vector<int> ReadIntArrayText(std::string_view text, char separator);
// As a string: the text without its first and last character with the escapes \n \t \0 \" \\ undone;
// any other backslash stays.
std::string ReadStringText(std::string_view text);

// "%d" of value.
std::string IntText(int value);
// "[" items joined by separator "]".
std::string IntArrayText(const int* values, size_t count, char separator);
// A double quote, value with " tab line-feed zero-byte and backslash escaped, a double quote.
std::string StringText(std::string_view value);
