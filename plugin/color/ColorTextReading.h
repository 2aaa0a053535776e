#pragma once

#include "color/ColorTextParser.h"
#include "color/ExactDecimal.h"

#include <cstddef>

// What every reader of ColorTextParser shares: its answers and the channel rules more than one
// form follows.
namespace ColorTextReading {

using Result = ColorTextParser::Result;

Result refused(const QString& reason);
Result accepted(const int (&rgba)[4]);
// `format` with %1 the 1-based number of the value at `index`: "value 2 is not a number".
QString valueReason(const char* format, std::size_t index);

// A channel or alpha on 0..1 in 8 bits: clamped, times 255, halves up.
int eightBits(const ExactDecimal& unit);
// A channel on 0..255 as rgb() and the host's script forms give it: clamped, halves up; sets
// `clipped` when its nearest integer lies outside 0..255.
int channel255(const ExactDecimal& value, bool& clipped);

} // namespace ColorTextReading
