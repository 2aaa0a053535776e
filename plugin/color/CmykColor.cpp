#include "color/CmykColor.h"

#include "color/RgbColor.h"
#include "color/Rounding.h"

#include <algorithm>

namespace {

int clampPercent(int v)
{
    return std::clamp(v, 0, 100);
}

} // namespace

CmykColor::CmykColor(int cyan, int magenta, int yellow, int key)
    : m_cyan(clampPercent(cyan)), m_magenta(clampPercent(magenta)), m_yellow(clampPercent(yellow)),
      m_key(clampPercent(key))
{
}

// Naive (device-independent) RGB to CMYK with full black generation; each ink rounded to nearest.
CmykColor::CmykColor(const RgbColor& rgb)
{
    const float r = rgb.red() / 255.0f;
    const float g = rgb.green() / 255.0f;
    const float b = rgb.blue() / 255.0f;
    const float max = std::max({r, g, b});
    if (max == 0.0f) {
        m_key = 100;
        return;
    }
    const float k = 1.0f - max;
    // 1 - k is at least 1/255 here, and 1 - c - k is between 0 and 1 - k, so every ink stays
    // within 0..100.
    m_cyan = clampPercent(nearest((1.0f - r - k) / (1.0f - k) * 100.0f));
    m_magenta = clampPercent(nearest((1.0f - g - k) / (1.0f - k) * 100.0f));
    m_yellow = clampPercent(nearest((1.0f - b - k) / (1.0f - k) * 100.0f));
    m_key = clampPercent(nearest(k * 100.0f));
}

void CmykColor::setCyan(int cyan)
{
    m_cyan = clampPercent(cyan);
}

void CmykColor::setMagenta(int magenta)
{
    m_magenta = clampPercent(magenta);
}

void CmykColor::setYellow(int yellow)
{
    m_yellow = clampPercent(yellow);
}

void CmykColor::setKey(int key)
{
    m_key = clampPercent(key);
}

bool CmykColor::operator==(const CmykColor& other) const
{
    return m_cyan == other.m_cyan && m_magenta == other.m_magenta && m_yellow == other.m_yellow &&
           m_key == other.m_key;
}
