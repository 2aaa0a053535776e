#include "color/RgbColor.h"

#include "color/CieMath.h"
#include "color/CmykColor.h"
#include "color/ColorValue.h"
#include "color/GammaForms.h"
#include "color/HsvColor.h"
#include "color/LabColor.h"
#include "color/SrgbEncoding.h"
#include "color/TemperatureColor.h"
#include "color/XyzColor.h"

#include <algorithm>
#include <math.h>

namespace {

int clampChannel(int v)
{
    return std::clamp(v, 0, 255);
}

// The float has already been rounded; clamp before converting so that infinities never reach the
// integer conversion.
int roundedToChannel(float rounded)
{
    if (!(rounded >= 0.0f)) {
        return 0;
    }
    if (rounded > 255.0f) {
        return 255;
    }
    return static_cast<int>(rounded);
}

// How far outside sRGB a conversion may land and still count as inside: in linear light for Lab,
// whose integer rounding alone takes in-gamut colors up to 0.0246 out; in 0..255 steps for the
// temperature fit, whose channels are rounded.
constexpr float kLinearClipTolerance = 0.025f;
constexpr float kChannelClipTolerance = 1.0f;

bool linearClipped(float linear)
{
    return linear < -kLinearClipTolerance || linear > 1.0f + kLinearClipTolerance;
}

bool channelClipped(float rounded)
{
    return rounded < -kChannelClipTolerance || rounded > 255.0f + kChannelClipTolerance;
}

} // namespace

RgbColor::RgbColor(int red, int green, int blue, int alpha)
    : m_alpha(clampChannel(alpha)), m_red(clampChannel(red)), m_green(clampChannel(green)),
      m_blue(clampChannel(blue))
{
}

RgbColor::RgbColor(QRgb pixel)
    : m_alpha(255), m_red(qRed(pixel)), m_green(qGreen(pixel)), m_blue(qBlue(pixel))
{
}

RgbColor::RgbColor(const QColor& color)
    : RgbColor(color.red(), color.green(), color.blue(), color.alpha())
{
}

// HSV to RGB by sector of the hue circle; the chroma's secondary component is computed in double
// precision, and the channels are truncated, not rounded.
RgbColor::RgbColor(const HsvColor& hsv) : m_alpha(hsv.alpha())
{
    const float v = hsv.value() / 100.0f;
    const float c = hsv.saturation() / 100.0f * v;
    const float m = v - c;
    const float x = static_cast<float>(c * HsvColor::secondaryWeight(hsv.hue()));

    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    switch (HsvColor::sector(hsv.hue())) {
    case 0:
        r = c;
        g = x;
        break;
    case 1:
        r = x;
        g = c;
        break;
    case 2:
        g = c;
        b = x;
        break;
    case 3:
        g = x;
        b = c;
        break;
    case 4:
        r = x;
        b = c;
        break;
    default:
        r = c;
        b = x;
        break;
    }
    // The inputs are clamped, so the sums stay within 0..1 and need no clamp.
    m_red = static_cast<int>((r + m) * 255.0f);
    m_green = static_cast<int>((g + m) * 255.0f);
    m_blue = static_cast<int>((b + m) * 255.0f);
}

// CIE-Lab (D65) to XYZ to sRGB.
RgbColor::RgbColor(const LabColor& lab, bool* clipped)
{
    const float fy = labFy(lab.lightness());
    const float x = labToX(labAOffset(lab.a()) + fy);
    const float y = labToY(fy);
    const float z = labToZ(fy - labBOffset(lab.b()));
    const float linear[] = {kLinearRedFromXyz(x, y, z), kLinearGreenFromXyz(x, y, z),
                            kLinearBlueFromXyz(x, y, z)};
    m_red = encodeSrgb(linear[0]);
    m_green = encodeSrgb(linear[1]);
    m_blue = encodeSrgb(linear[2]);
    if (clipped)
        *clipped = linearClipped(linear[0]) || linearClipped(linear[1]) || linearClipped(linear[2]);
}

RgbColor::RgbColor(const ColorValue& value) : RgbColor(value.rgb())
{
}

RgbColor RgbColor::fromHsv(int hue, int saturation, int value, int alpha)
{
    return RgbColor(HsvColor(hue, saturation, value, alpha));
}

RgbColor RgbColor::fromLab(int lightness, int a, int b)
{
    return RgbColor(LabColor(lightness, a, b));
}

void RgbColor::setRed(int red)
{
    m_red = clampChannel(red);
}

void RgbColor::setGreen(int green)
{
    m_green = clampChannel(green);
}

void RgbColor::setBlue(int blue)
{
    m_blue = clampChannel(blue);
}

void RgbColor::setAlpha(int alpha)
{
    m_alpha = clampChannel(alpha);
}

void RgbColor::setRgba(int red, int green, int blue, int alpha)
{
    m_red = clampChannel(red);
    m_green = clampChannel(green);
    m_blue = clampChannel(blue);
    m_alpha = clampChannel(alpha);
}

// Each channel is the rounded product ((1 - ink) * 255) * (1 - key), in that order.
void RgbColor::setFromCmyk(const CmykColor& cmyk)
{
    const float k = 1.0f - cmyk.key() / 100.0f;
    m_red = roundedToChannel(nearbyintf(((1.0f - cmyk.cyan() / 100.0f) * 255.0f) * k));
    m_green = roundedToChannel(nearbyintf(((1.0f - cmyk.magenta() / 100.0f) * 255.0f) * k));
    m_blue = roundedToChannel(nearbyintf(((1.0f - cmyk.yellow() / 100.0f) * 255.0f) * k));
}

// A piecewise fit of black-body colors over t = kelvin / 100; every result is rounded, then
// clamped (at t = 10 the blue logarithm is minus infinity and the clamp gives 0).
void RgbColor::setFromTemperature(const TemperatureColor& temperature, bool* clipped)
{
    const float t = temperature.kelvin() / 100.0f;
    float red;
    float green;
    float blue;
    if (t <= 66.0f) {
        red = 255.0f;
        green = nearbyintf(99.4708f * logf(t) - 161.11957f);
    } else {
        red = nearbyintf(329.69873f * powf(t - 60.0f, -0.13320476f));
        green = nearbyintf(288.12216f * powf(t - 60.0f, -0.075514846f));
    }
    if (t >= 66.0f) {
        blue = 255.0f;
    } else {
        blue = nearbyintf(138.51773f * logf(t - 10.0f) - 305.0448f);
    }
    m_red = roundedToChannel(red);
    m_green = roundedToChannel(green);
    m_blue = roundedToChannel(blue);
    if (clipped)
        *clipped = channelClipped(red) || channelClipped(green) || channelClipped(blue);
}

int RgbColor::linearRed() const
{
    return linearChannel(m_red);
}

int RgbColor::linearGreen() const
{
    return linearChannel(m_green);
}

int RgbColor::linearBlue() const
{
    return linearChannel(m_blue);
}

float RgbColor::linearRedF() const
{
    return linearChannelF(m_red);
}

float RgbColor::linearGreenF() const
{
    return linearChannelF(m_green);
}

float RgbColor::linearBlueF() const
{
    return linearChannelF(m_blue);
}

void RgbColor::setLinearRed(int linear)
{
    m_red = channelFromLinear(linear);
}

void RgbColor::setLinearGreen(int linear)
{
    m_green = channelFromLinear(linear);
}

void RgbColor::setLinearBlue(int linear)
{
    m_blue = channelFromLinear(linear);
}

QColor RgbColor::toQColor() const
{
    return QColor(m_red, m_green, m_blue, m_alpha);
}

void RgbColor::toFloats(float out[4]) const
{
    out[0] = m_red / 255.0f;
    out[1] = m_green / 255.0f;
    out[2] = m_blue / 255.0f;
    out[3] = m_alpha / 255.0f;
}

std::uint32_t RgbColor::toColorRef() const
{
    return std::uint32_t(m_red) | (std::uint32_t(m_green) << 8) | (std::uint32_t(m_blue) << 16);
}

bool RgbColor::operator==(const RgbColor& other) const
{
    return m_red == other.m_red && m_green == other.m_green && m_blue == other.m_blue &&
           m_alpha == other.m_alpha;
}
