#pragma once

#include "color/ExactDecimal.h"

#include <string_view>
#include <vector>

// The tokens of pasted color text, already in lower case: blanks, hex digits, the values between
// separators and CSS numbers with their units.
namespace ColorTextReading {

bool isSpace(char c);
bool isHexDigit(char c);
int hexValue(char c);

// `s` without blanks at either end.
std::string_view trimmed(std::string_view s);
// The parts between the separators, each trimmed: "1, 2," gives "1", "2" and "".
std::vector<std::string_view> splitAt(std::string_view s, char separator);
// The runs of non-blank characters.
std::vector<std::string_view> splitAtSpaces(std::string_view s);

// A CSS number, optionally followed by a unit ("%", "deg", ...): [+-] digits [. digits]
// [e [+-] digits], or a fraction alone (".5"); an exponent has at most three digits. False when
// `token` is not one.
bool readQuantity(std::string_view token, ExactDecimal& value, std::string_view& unit);

} // namespace ColorTextReading
