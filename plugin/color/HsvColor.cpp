#include "color/HsvColor.h"

#include "color/GammaForms.h"
#include "color/RgbColor.h"
#include "color/Rounding.h"

#include <algorithm>
#include <math.h>

namespace {

int clampAlpha(int v)
{
    return std::clamp(v, 0, 255);
}

int clampHue(int v)
{
    return std::clamp(v, 0, 360);
}

int clampPercent(int v)
{
    return std::clamp(v, 0, 100);
}

} // namespace

HsvColor::HsvColor(int hue, int saturation, int value, int alpha)
    : m_alpha(clampAlpha(alpha)), m_hue(clampHue(hue)), m_saturation(clampPercent(saturation)),
      m_value(clampPercent(value))
{
}

HsvColor::HsvColor(const RgbColor& rgb)
{
    setFromRgb(rgb);
}

int HsvColor::sector(int hue)
{
    return hue < 60 ? 0 : hue < 120 ? 1 : hue < 180 ? 2 : hue < 240 ? 3 : hue < 300 ? 4 : 5;
}

int HsvColor::complementHue(int hue)
{
    return hue < 180 ? hue + 180 : hue - 180;
}

double HsvColor::secondaryWeight(int hue)
{
    const float hp = hue / 60.0f;
    return 1.0 - fabs(fmod(double(hp), 2.0) - 1.0);
}

// The usual hexcone model with this picker's own integer rules: hue rounded to nearest (ties to
// even) and reduced modulo 360, saturation truncated, and value truncated after adding 1, so that
// red 128 alone reads 51 and white reads 100 only through the clamp.
void HsvColor::setFromRgb(const RgbColor& rgb)
{
    const float r = rgb.red() / 255.0f;
    const float g = rgb.green() / 255.0f;
    const float b = rgb.blue() / 255.0f;
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    const float delta = max - min;

    int hue = 0;
    if (delta != 0.0f) {
        // Ties between channels go to the first of red, green, blue.
        float h;
        if (max == r) {
            h = (g - b) / delta * 60.0f + 360.0f;
        } else if (max == g) {
            h = (b - r) / delta * 60.0f + 120.0f;
        } else {
            h = (r - g) / delta * 60.0f + 240.0f;
        }
        hue = nearest(h) % 360;
    }
    m_hue = clampHue(hue);

    if (max == 0.0f) {
        m_saturation = 0;
        m_value = 0;
    } else {
        m_saturation = clampPercent(static_cast<int>(delta / max * 100.0f));
        m_value = clampPercent(static_cast<int>(max * 100.0f + 1.0f));
    }
}

void HsvColor::setAlpha(int alpha)
{
    m_alpha = clampAlpha(alpha);
}

void HsvColor::setHue(int hue)
{
    m_hue = clampHue(hue);
}

void HsvColor::setSaturation(int saturation)
{
    m_saturation = clampPercent(saturation);
}

void HsvColor::setValue(int value)
{
    m_value = clampPercent(value);
}

int HsvColor::linearSaturation() const
{
    return linearPercent(m_saturation);
}

int HsvColor::linearValue() const
{
    return linearPercent(m_value);
}

float HsvColor::linearSaturationF() const
{
    return linearPercentF(m_saturation);
}

float HsvColor::linearValueF() const
{
    return linearPercentF(m_value);
}

void HsvColor::setLinearSaturation(int linear)
{
    m_saturation = percentFromLinear(linear);
}

void HsvColor::setLinearValue(int linear)
{
    m_value = percentFromLinear(linear);
}

bool HsvColor::operator==(const HsvColor& other) const
{
    return m_hue == other.m_hue && m_saturation == other.m_saturation && m_value == other.m_value;
}
