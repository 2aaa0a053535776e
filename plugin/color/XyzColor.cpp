#include "color/XyzColor.h"

#include "color/CieMath.h"
#include "color/RgbColor.h"
#include "color/SrgbEncoding.h"

namespace {

// decodeSrgb of every channel value, computed once by the formula itself.
struct LinearLightTable
{
    LinearLightTable()
    {
        for (int i = 0; i < 256; ++i) {
            values[i] = decodeSrgb(i);
        }
    }
    float values[256];
};

} // namespace

XyzColor::XyzColor(float x, float y, float z) : m_x(x), m_y(y), m_z(z)
{
}

// sRGB to CIE XYZ with the D65 matrix of IEC 61966-2-1 rounded to four decimals.
XyzColor::XyzColor(const RgbColor& rgb)
{
    static const LinearLightTable table;
    const float r = table.values[rgb.red()];
    const float g = table.values[rgb.green()];
    const float b = table.values[rgb.blue()];
    m_x = kXFromLinearRgb(r, g, b);
    m_y = kYFromLinearRgb(r, g, b);
    m_z = kZFromLinearRgb(r, g, b);
}

bool XyzColor::operator==(const XyzColor& other) const
{
    return m_x == other.m_x && m_y == other.m_y && m_z == other.m_z;
}
