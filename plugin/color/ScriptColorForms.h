#pragma once

#include "color/ColorTextParser.h"

#include <string_view>

// The host's script forms of a color, in lower case and trimmed: numbers on 0..255, clamped as
// in rgb().
namespace ColorTextReading {

// "color" followed by a blank: the script's color constructor.
bool isScriptColor(std::string_view text);
// "color r g b" or "color r g b a", the alpha too on 0..255.
ColorTextParser::Result readScriptColor(std::string_view text);
// The point "[r, g, b]".
ColorTextParser::Result readPoint(std::string_view text);

} // namespace ColorTextReading
