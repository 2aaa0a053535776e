#include "swatches/AdobeColorConversion.h"

#include "color/CmykColor.h"
#include "color/CssColorSpaces.h"
#include "color/HsvColor.h"
#include "color/RgbColor.h"
#include "color/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

int percent(float unit)
{
    return nearest(std::clamp(unit, 0.0f, 1.0f) * 100.0f);
}

} // namespace

int unitToChannel(float unit)
{
    return nearest(std::clamp(unit, 0.0f, 1.0f) * 255.0f);
}

QColor colorFromInk(float cyan, float magenta, float yellow, float key)
{
    RgbColor rgb;
    rgb.setFromCmyk(CmykColor(percent(cyan), percent(magenta), percent(yellow), percent(key)));
    return rgb.toQColor();
}

QColor colorFromLab(double lightness, double a, double b)
{
    const CssColorSpaces::Triple srgb =
        CssColorSpaces::srgbFromLab({std::clamp(lightness, 0.0, 100.0),
                                     std::clamp(a, -128.0, 127.0), std::clamp(b, -128.0, 127.0)});
    int rgb[3];
    for (std::size_t i = 0; i < 3; ++i) {
        // As the text parser's lab() takes a channel to 8 bits.
        rgb[i] = static_cast<int>(std::floor(std::clamp(srgb[i], 0.0, 1.0) * 255 + 0.5));
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QColor colorFromHsb(float hue, float saturation, float brightness)
{
    return RgbColor(HsvColor(nearest(std::clamp(hue, 0.0f, 360.0f)), percent(saturation),
                             percent(brightness)))
        .toQColor();
}
