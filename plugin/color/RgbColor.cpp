#include "color/RgbColor.h"

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

// Inverse of the CIE-Lab companding, one component. The cube is a single-precision power, as
// every power of the color model is; two multiplications round twice and land elsewhere for a
// few dozen Lab colors.
float labFinv(float f)
{
    const float c = powf(f, 3.0f);
    if (c > 0.008856f) {
        return c;
    }
    return (f - 0.13793103f) * 0.12841856f;
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
    const float hp = hsv.hue() / 60.0f;
    const float x = static_cast<float>(c * (1.0 - fabs(fmod(double(hp), 2.0) - 1.0)));

    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    const int hue = hsv.hue();
    if (hue < 60) {
        r = c;
        g = x;
    } else if (hue < 120) {
        r = x;
        g = c;
    } else if (hue < 180) {
        g = c;
        b = x;
    } else if (hue < 240) {
        g = x;
        b = c;
    } else if (hue < 300) {
        r = x;
        b = c;
    } else {
        r = c;
        b = x;
    }
    // The inputs are clamped, so the sums stay within 0..1 and need no clamp.
    m_red = static_cast<int>((r + m) * 255.0f);
    m_green = static_cast<int>((g + m) * 255.0f);
    m_blue = static_cast<int>((b + m) * 255.0f);
}

// CIE-Lab (D65) to XYZ to sRGB.
RgbColor::RgbColor(const LabColor& lab)
{
    const float fy = (lab.lightness() + 16) / 116.0f;
    const float fx = lab.a() / 500.0f + fy;
    const float fz = fy - lab.b() / 200.0f;

    const float xr = labFinv(fx);
    const float yr = labFinv(fy);
    const float zr = labFinv(fz);

    // Back to the 0..1 scale, white Y = 1.
    const float x = xr * 95.0489f / 100.0f;
    const float y = yr * 100.0f / 100.0f;
    const float z = zr * 108.884f / 100.0f;

    const float rl = x * 3.2406f - y * 1.5372f - z * 0.4986f;
    const float gl = y * 1.8758f - x * 0.9689f + z * 0.0415f;
    const float bl = x * 0.0557f - y * 0.204f + z * 1.057f;

    m_red = encodeSrgb(rl);
    m_green = encodeSrgb(gl);
    m_blue = encodeSrgb(bl);
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
void RgbColor::setFromTemperature(const TemperatureColor& temperature)
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
