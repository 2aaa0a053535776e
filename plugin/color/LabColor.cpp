#include "color/LabColor.h"

#include "color/CieMath.h"
#include "color/RgbColor.h"
#include "color/XyzColor.h"

#include <algorithm>
#include <math.h>

namespace {

int clampLightness(int v)
{
    return std::clamp(v, 0, 100);
}

int clampAxis(int v)
{
    return std::clamp(v, -128, 127);
}

// Rounded to nearest, then held inside the channel's range. Colors from 8-bit RGB never reach the
// bounds; an arbitrary XYZ (or a NaN) must not reach the integer conversion unchecked.
int roundedInRange(float v, int low, int high)
{
    const float r = nearbyintf(v);
    if (!(r >= float(low))) {
        return low;
    }
    if (r > float(high)) {
        return high;
    }
    return static_cast<int>(r);
}

} // namespace

LabColor::LabColor(int lightness, int a, int b)
    : m_lightness(clampLightness(lightness)), m_a(clampAxis(a)), m_b(clampAxis(b))
{
}

LabColor::LabColor(const RgbColor& rgb) : LabColor(XyzColor(rgb))
{
}

// CIE 1976 L*a*b* relative to the D65 white; each channel rounded to nearest.
LabColor::LabColor(const XyzColor& xyz)
{
    const float fx = labCompand(xyz.x() / kD65WhiteX);
    const float fy = labCompand(xyz.y() / kD65WhiteY);
    const float fz = labCompand(xyz.z() / kD65WhiteZ);
    m_lightness = roundedInRange(fy * 116.0f - 16.0f, 0, 100);
    m_a = roundedInRange((fx - fy) * 500.0f, -128, 127);
    m_b = roundedInRange((fy - fz) * 200.0f, -128, 127);
}

void LabColor::setLightness(int lightness)
{
    m_lightness = clampLightness(lightness);
}

void LabColor::setA(int a)
{
    m_a = clampAxis(a);
}

void LabColor::setB(int b)
{
    m_b = clampAxis(b);
}

bool LabColor::operator==(const LabColor& other) const
{
    return m_lightness == other.m_lightness && m_a == other.m_a && m_b == other.m_b;
}
