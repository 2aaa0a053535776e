#include "color/Contrast.h"

#include "color/RgbColor.h"
#include "color/SrgbEncoding.h"

#include <array>

double relativeLuminance(const RgbColor& rgb)
{
    // Asked at every step of a drag: the 256 decoded levels are computed once.
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (int i = 0; i < 256; ++i)
            table[i] = linearFromSrgb(i / 255.0);
        return table;
    }();
    return 0.2126 * linear[rgb.red()] + 0.7152 * linear[rgb.green()] + 0.0722 * linear[rgb.blue()];
}

double contrastRatio(const RgbColor& first, const RgbColor& second)
{
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return a > b ? (a + 0.05) / (b + 0.05) : (b + 0.05) / (a + 0.05);
}
