#include "swatches/AdobeColorConversion.h"

#include "color/CmykColor.h"
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

QColor colorFromLab(float lightness, float a, float b)
{
    return RgbColor::fromLab(nearest(std::clamp(lightness, 0.0f, 100.0f)),
                             nearest(std::clamp(a, -128.0f, 127.0f)),
                             nearest(std::clamp(b, -128.0f, 127.0f)))
        .toQColor();
}

QColor colorFromHsb(float hue, float saturation, float brightness)
{
    return RgbColor(HsvColor(nearest(std::clamp(hue, 0.0f, 360.0f)), percent(saturation),
                             percent(brightness)))
        .toQColor();
}
