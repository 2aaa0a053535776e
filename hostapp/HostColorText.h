#pragma once

#include "acolor.h"

#include <QString>

// Colors as a user types them on the host's command line and as the host prints them.
namespace HostColorText {

enum class Format
{
    Hex,    // #RRGGBB
    Rgb,    // r,g,b,a on 0..255
    AFloat, // r,g,b,a as unit floats, each with a decimal point, exact to read back
    Packed  // the packed 32-bit color, red in the low byte, as 0x00BBGGRR
};

// Reads "#rrggbb", "r,g,b[,a]" with whole numbers on 0..255, or the same list with unit
// floats (any element with a decimal point or an exponent makes it a float list). Alpha defaults to
// opaque. Returns false, with `error` set, for anything else.
bool Parse(const QString& text, AColor* color, QString* error);

// The format named "hex", "rgb", "afloat" or "packed"; false for any other name.
bool ParseFormat(const QString& name, Format* format);

// `color` in `format`.
QString Print(const AColor& color, Format format);

} // namespace HostColorText
