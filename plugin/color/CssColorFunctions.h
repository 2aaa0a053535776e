#pragma once

#include "color/ColorTextParser.h"

#include <string_view>

namespace ColorTextReading {

// A CSS color function, "name(values)", in lower case and trimmed: rgb(), rgba(), hsl(), hsla(),
// hwb(), lab(), lch(), oklab(), oklch() and color(), as ColorTextParser describes them.
ColorTextParser::Result readCssFunction(std::string_view text);

} // namespace ColorTextReading
