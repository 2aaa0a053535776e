#include "color/XyzColor.h"

#include "color/RgbColor.h"

#include <math.h>

namespace {

// The sRGB transfer function of IEC 61966-2-1, one 0..255 channel to linear light on the 0..100
// scale. The offset is added in single precision; division and power are done in double.
float linearLight(int channel)
{
    const float v = channel / 255.0f;
    if (v > 0.04045f) {
        const float offset = v + 0.055f;
        return static_cast<float>(pow(offset / 1.055, 2.4) * 100.0);
    }
    return v / 12.92f * 100.0f;
}

// linearLight of every channel value, computed once by the formula itself.
struct LinearLightTable
{
    LinearLightTable()
    {
        for (int i = 0; i < 256; ++i) {
            values[i] = linearLight(i);
        }
    }
    float values[256];
};

} // namespace

XyzColor::XyzColor(float x, float y, float z) : m_x(x), m_y(y), m_z(z)
{
}

// sRGB to CIE XYZ with the D65 matrix of IEC 61966-2-1 rounded to four decimals; each row is
// summed green, red, blue.
XyzColor::XyzColor(const RgbColor& rgb)
{
    static const LinearLightTable table;
    const float r = table.values[rgb.red()];
    const float g = table.values[rgb.green()];
    const float b = table.values[rgb.blue()];
    m_x = g * 0.3576f + r * 0.4124f + b * 0.1805f;
    m_y = g * 0.7152f + r * 0.2126f + b * 0.0722f;
    m_z = g * 0.1192f + r * 0.0193f + b * 0.9505f;
}

bool XyzColor::operator==(const XyzColor& other) const
{
    return m_x == other.m_x && m_y == other.m_y && m_z == other.m_z;
}
