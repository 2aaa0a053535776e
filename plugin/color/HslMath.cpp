#include "color/HslMath.h"

#include <algorithm>
#include <cmath>

namespace {

// For 30 × max(-1, min(k - 3, 9 - k, 1)) of CSS's hsl-to-rgb, channel `i` (red, green, blue) of a
// hue in [0, 360).
ExactDecimal hueRamp(const ExactDecimal& hue, int i)
{
    const int offsets[3] = {0, 240, 120}; // 30 × n for red (n = 0), green (8) and blue (4)
    ExactDecimal k30 = hue + offsets[i];
    if (k30 >= 360)
        k30 = k30 - 360;
    const ExactDecimal rising = k30 - 90;
    const ExactDecimal falling = 270 - k30;
    return (rising <= falling ? rising : falling).clamped(-30, 30);
}

// round(255 × w / (w + b)), halves up, for 0 <= w and w + b >= 1: the largest k on 0..255 with
// (2k - 1) × (w + b) <= 510 × w, found exactly.
int grayOf(const ExactDecimal& whiteness, const ExactDecimal& sum)
{
    const ExactDecimal target = whiteness * 510;
    int low = 0;
    int high = 255;
    while (low < high) {
        const int k = (low + high + 1) / 2;
        if (ExactDecimal(2 * k - 1) * sum <= target)
            low = k;
        else
            high = k - 1;
    }
    return low;
}

} // namespace

HslValues hslFromRgb(int red, int green, int blue)
{
    const double r = red / 255.0;
    const double g = green / 255.0;
    const double b = blue / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    HslValues hsl;
    hsl.lightness = (high + low) / 2;
    const double chroma = high - low;
    if (chroma > 0) {
        hsl.saturation = chroma / (1 - std::fabs(2 * hsl.lightness - 1));
        if (high == r)
            hsl.hue = 60 * std::fmod((g - b) / chroma + 6, 6.0);
        else if (high == g)
            hsl.hue = 60 * ((b - r) / chroma + 2);
        else
            hsl.hue = 60 * ((r - g) / chroma + 4);
    }
    return hsl;
}

std::array<int, 3> rgbFromHsl(const ExactDecimal& hue, const ExactDecimal& saturation,
                              const ExactDecimal& lightness)
{
    // CSS's f(n) = l - a × max(-1, min(k - 3, 9 - k, 1)) with k = (n + h / 30) mod 12 and
    // a = s × min(l, 1 - l), written with m = 30 × max(...) so that every term is a finite
    // decimal: 255 × f(n) = 255 × l - 8.5 × a × m.
    const ExactDecimal a =
        saturation * (lightness <= ExactDecimal(5, 1) ? lightness : 1 - lightness);
    const ExactDecimal lightness255 = lightness * 255;
    const ExactDecimal aTimes8p5 = a * ExactDecimal(85, 1);
    std::array<int, 3> rgb{};
    for (int i = 0; i < 3; ++i)
        rgb[i] = (lightness255 - aTimes8p5 * hueRamp(hue, i)).clamped(0, 255).roundedHalfUp();
    return rgb;
}

std::array<int, 3> rgbFromHwb(const ExactDecimal& hue, const ExactDecimal& whiteness,
                              const ExactDecimal& blackness)
{
    const ExactDecimal sum = whiteness + blackness;
    if (sum >= 1) {
        const int gray = grayOf(whiteness, sum);
        return {gray, gray, gray};
    }
    // CSS's hwb-to-rgb: the pure hue (hsl at 100% and 50%, 255 × f(n) = 127.5 - 4.25 × m)
    // scaled by 1 - w - b, plus w; again exact.
    const ExactDecimal scale = 1 - sum;
    const ExactDecimal white255 = whiteness * 255;
    std::array<int, 3> rgb{};
    for (int i = 0; i < 3; ++i) {
        const ExactDecimal pure = ExactDecimal(1275, 1) - ExactDecimal(425, 2) * hueRamp(hue, i);
        rgb[i] = (pure * scale + white255).clamped(0, 255).roundedHalfUp();
    }
    return rgb;
}
