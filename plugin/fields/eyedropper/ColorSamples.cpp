#include "fields/eyedropper/ColorSamples.h"

#include "color/Rounding.h"

namespace {

int mean(std::int64_t sum, std::int64_t n)
{
    return nearest(static_cast<float>(sum) / static_cast<float>(n));
}

} // namespace

void ColorSamples::add(const RgbColor& color)
{
    red += color.red();
    green += color.green();
    blue += color.blue();
    ++n;
}

RgbColor ColorSamples::average() const
{
    if (n == 0)
        return RgbColor();
    return RgbColor(mean(red, n), mean(green, n), mean(blue, n), 255);
}
