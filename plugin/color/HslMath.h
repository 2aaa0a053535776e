#pragma once

#include "color/ExactDecimal.h"

#include <array>

// CSS Color 4's HSL and HWB, the hue forms of sRGB: one way exactly, for pasted text, the other
// in double precision, for the text "Copy as" writes.

struct HslValues
{
    // Degrees on [0, 360); saturation and lightness on 0..1.
    double hue = 0;
    double saturation = 0;
    double lightness = 0;
};

// CSS's rgbToHsl of 8-bit channels in double precision; a gray has hue and saturation 0.
HslValues hslFromRgb(int red, int green, int blue);

// CSS's hslToRgb, computed exactly and rounded to 8 bits with halves up: a hue in [0, 360),
// saturation and lightness on 0..1. "hsl(0, 100%, 15%)" has red exactly 76.5 and gives 77.
std::array<int, 3> rgbFromHsl(const ExactDecimal& hue, const ExactDecimal& saturation,
                              const ExactDecimal& lightness);
// CSS's hwbToRgb, exactly as well: whiteness and blackness on 0..1; together 1 or more, the gray
// w / (w + b).
std::array<int, 3> rgbFromHwb(const ExactDecimal& hue, const ExactDecimal& whiteness,
                              const ExactDecimal& blackness);
