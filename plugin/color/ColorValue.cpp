#include "color/ColorValue.h"

#include <cmath>

namespace {

// f * 255 in single precision, then half-up rounding in double: trunc(double + 0.5). Inputs the
// host should never send (NaN, values far outside 0..1) are held inside 0..255 before the integer
// conversion instead of overflowing it.
int unitToChannel(float unit)
{
    const double scaled = double(unit * 255.0f) + 0.5;
    if (!(scaled >= 0.0)) {
        return 0;
    }
    if (scaled >= 256.0) {
        return 255;
    }
    return static_cast<int>(scaled);
}

} // namespace

ColorValue::ColorValue(int red, int green, int blue, int alpha) : m_rgb(red, green, blue, alpha)
{
    deriveFromRgb(Source::Rgb);
}

ColorValue::ColorValue(float red, float green, float blue, float alpha)
    : ColorValue(unitToChannel(red), unitToChannel(green), unitToChannel(blue),
                 unitToChannel(alpha))
{
}

ColorValue::ColorValue(const QColor& color)
    : ColorValue(color.red(), color.green(), color.blue(), color.alpha())
{
}

ColorValue::ColorValue(const RgbColor& rgb) : m_rgb(rgb)
{
    deriveFromRgb(Source::Rgb);
}

ColorValue::ColorValue(const HsvColor& hsv) : m_rgb(hsv), m_hsv(hsv)
{
    deriveFromRgb(Source::Hsv);
}

ColorValue::ColorValue(const LabColor& lab) : m_rgb(lab), m_lab(lab)
{
    deriveFromRgb(Source::Lab);
}

ColorValue::ColorValue(const HexColor& hex) : m_hex(hex)
{
    hex.parseInto(m_rgb);
    deriveFromRgb(Source::Hex);
}

void ColorValue::setRgb(const RgbColor& rgb)
{
    m_rgb = rgb;
    deriveFromRgb(Source::Rgb);
}

void ColorValue::setHsv(const HsvColor& hsv)
{
    m_hsv = hsv;
    takeRgbChannels(RgbColor(hsv));
    deriveFromRgb(Source::Hsv);
}

void ColorValue::setCmyk(const CmykColor& cmyk)
{
    m_cmyk = cmyk;
    m_rgb.setFromCmyk(cmyk);
    deriveFromRgb(Source::Cmyk);
}

void ColorValue::setLab(const LabColor& lab)
{
    m_lab = lab;
    takeRgbChannels(RgbColor(lab));
    deriveFromRgb(Source::Lab);
}

void ColorValue::setTemperature(const TemperatureColor& temperature)
{
    m_temperature = temperature;
    m_rgb.setFromTemperature(temperature);
    deriveFromRgb(Source::Temperature);
}

void ColorValue::setAlpha(int alpha)
{
    m_rgb.setAlpha(alpha);
}

int ColorValue::channel(ColorChannel channel) const
{
    const ChannelInfo& info = channelInfo(channel);
    return info.read ? info.read(*this) : 0;
}

void ColorValue::setChannel(ColorChannel channel, int value)
{
    const ChannelInfo& info = channelInfo(channel);
    if (info.write)
        info.write(*this, value);
}

void ColorValue::setHue(int hue)
{
    setChannel(ColorChannel::Hue, hue);
}

ColorValue ColorValue::complementary() const
{
    ColorValue result(*this);
    result.setHue(HsvColor::complementHue(m_hsv.hue()));
    return result;
}

ColorValue ColorValue::inverted() const
{
    ColorValue result(*this);
    result.setRgb(RgbColor(255 - m_rgb.red(), 255 - m_rgb.green(), 255 - m_rgb.blue(), 255));
    return result;
}

bool ColorValue::operator==(const ColorValue& other) const
{
    return m_rgb == other.m_rgb && m_hsv == other.m_hsv && m_cmyk == other.m_cmyk &&
           m_xyz == other.m_xyz && m_lab == other.m_lab && m_temperature == other.m_temperature &&
           m_hex == other.m_hex;
}

void ColorValue::deriveFromRgb(Source source)
{
    if (source != Source::Hsv)
        m_hsv = HsvColor(m_rgb);
    if (source != Source::Cmyk)
        m_cmyk = CmykColor(m_rgb);
    m_xyz = XyzColor(m_rgb);
    if (source != Source::Lab)
        m_lab = LabColor(m_xyz);
    if (source != Source::Temperature)
        m_temperature = TemperatureColor(m_xyz);
    if (source != Source::Hex)
        m_hex = HexColor(m_rgb);
}

void ColorValue::takeRgbChannels(const RgbColor& converted)
{
    m_rgb.setRgba(converted.red(), converted.green(), converted.blue(), m_rgb.alpha());
}
