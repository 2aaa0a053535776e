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

ColorValue::ColorValue(int red, int green, int blue, int alpha) : rgb(red, green, blue, alpha)
{
    updateFromRgb();
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

ColorValue::ColorValue(const RgbColor& rgb) : rgb(rgb)
{
    updateFromRgb();
}

ColorValue::ColorValue(const HsvColor& hsv) : rgb(hsv), hsv(hsv)
{
    deriveCmyk();
    deriveXyz();
    deriveLab();
    deriveTemperature();
    deriveHex();
}

ColorValue::ColorValue(const LabColor& lab) : rgb(lab), lab(lab)
{
    deriveHsv();
    deriveCmyk();
    deriveXyz();
    deriveTemperature();
    deriveHex();
}

ColorValue::ColorValue(const HexColor& hex) : hex(hex)
{
    hex.parseInto(rgb);
    deriveHsv();
    deriveCmyk();
    deriveXyz();
    deriveLab();
    deriveTemperature();
}

void ColorValue::updateFromRgb()
{
    deriveHsv();
    deriveCmyk();
    deriveXyz();
    deriveLab();
    deriveTemperature();
    deriveHex();
}

void ColorValue::updateFromHsv()
{
    takeRgbChannels(RgbColor(hsv));
    deriveCmyk();
    deriveXyz();
    deriveLab();
    deriveTemperature();
    deriveHex();
}

void ColorValue::updateFromCmyk()
{
    rgb.setFromCmyk(cmyk);
    deriveHsv();
    deriveXyz();
    deriveLab();
    deriveTemperature();
    deriveHex();
}

void ColorValue::updateFromLab()
{
    takeRgbChannels(RgbColor(lab));
    deriveHsv();
    deriveCmyk();
    deriveXyz();
    deriveTemperature();
    deriveHex();
}

void ColorValue::updateFromTemperature()
{
    rgb.setFromTemperature(temperature);
    deriveHsv();
    deriveCmyk();
    deriveXyz();
    deriveLab();
    deriveHex();
}

void ColorValue::setHue(int hue)
{
    hsv.setHue(hue);
    updateFromHsv();
}

ColorValue ColorValue::complementary() const
{
    ColorValue result(*this);
    const int hue = hsv.hue();
    result.setHue(hue < 180 ? hue + 180 : hue - 180);
    return result;
}

ColorValue ColorValue::inverted() const
{
    ColorValue result(*this);
    result.rgb.setRgba(255 - rgb.red(), 255 - rgb.green(), 255 - rgb.blue(), 255);
    result.updateFromRgb();
    return result;
}

bool ColorValue::operator==(const ColorValue& other) const
{
    return rgb == other.rgb && hsv == other.hsv && cmyk == other.cmyk && xyz == other.xyz &&
           lab == other.lab && temperature == other.temperature && hex == other.hex;
}

void ColorValue::takeRgbChannels(const RgbColor& converted)
{
    rgb.setRgba(converted.red(), converted.green(), converted.blue(), rgb.alpha());
}
