#include "color/TemperatureColor.h"

#include "color/RgbColor.h"
#include "color/XyzColor.h"

#include <algorithm>
#include <math.h>

namespace {

constexpr int kMinKelvin = 1000;
constexpr int kMaxKelvin = 15000;

} // namespace

TemperatureColor::TemperatureColor(int kelvin)
    : m_kelvin(std::clamp(kelvin, kMinKelvin, kMaxKelvin))
{
}

// McCamy's cubic approximation of the correlated color temperature from the CIE 1931
// chromaticity, clamped to 1000..15000 K and then truncated. Black has no chromaticity and
// reads 1000 K.
TemperatureColor::TemperatureColor(const RgbColor& rgb) : TemperatureColor(XyzColor(rgb))
{
}

TemperatureColor::TemperatureColor(const XyzColor& xyz)
{
    const float s = xyz.x() + xyz.y() + xyz.z();
    if (s == 0.0f) {
        m_kelvin = kMinKelvin;
        return;
    }
    const float x = xyz.x() / s;
    const float y = xyz.y() / s;
    const float n = (x - 0.332f) / (0.1858f - y);
    const float t = 449.0f * powf(n, 3.0f) + 3525.0f * powf(n, 2.0f) + 6823.3f * n + 5520.33f;
    // A chromaticity on the epicentre's horizontal line makes n infinite and t infinite or NaN;
    // NaN is held at the low end like every other value below the range.
    if (!(t >= float(kMinKelvin))) {
        m_kelvin = kMinKelvin;
    } else if (t > float(kMaxKelvin)) {
        m_kelvin = kMaxKelvin;
    } else {
        m_kelvin = static_cast<int>(t);
    }
}

void TemperatureColor::setKelvin(int kelvin)
{
    m_kelvin = std::clamp(kelvin, kMinKelvin, kMaxKelvin);
}
