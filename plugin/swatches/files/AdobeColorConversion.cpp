#include "swatches/files/AdobeColorConversion.h"

#include "color/CmykColor.h"
#include "color/CssColorSpaces.h"
#include "color/HsvColor.h"
#include "color/RgbColor.h"
#include "color/Rounding.h"

#include <algorithm>

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
    // As a pasted lab() is taken to 8 bits.
    return QColor(CssColorSpaces::byteFromUnit(srgb[0]), CssColorSpaces::byteFromUnit(srgb[1]),
                  CssColorSpaces::byteFromUnit(srgb[2]));
}

QColor colorFromHsb(float hue, float saturation, float brightness)
{
    return RgbColor(HsvColor(nearest(std::clamp(hue, 0.0f, 360.0f)), percent(saturation),
                             percent(brightness)))
        .toQColor();
}
