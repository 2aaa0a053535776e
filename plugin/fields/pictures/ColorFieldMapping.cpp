#include "fields/pictures/ColorFieldMapping.h"

#include "color/Rounding.h"

#include <algorithm>

namespace {

// The last index of 0..count - 1 at which valueOf gives wanted, or -1.
template <typename ValueOf> int lastIndexShowing(int count, int wanted, ValueOf valueOf)
{
    for (int i = count - 1; i >= 0; --i) {
        if (valueOf(i) == wanted) {
            return i;
        }
    }
    return -1;
}

} // namespace

ColorFieldMapping::ColorFieldMapping(ColorChannel fieldChannel, int fieldWidth, int fieldHeight)
    : channel(fieldChannel), width(fieldWidth), height(fieldHeight)
{
}

ColorChannel ColorFieldMapping::horizontalChannel(ColorChannel fixed)
{
    switch (fixed) {
    case ColorChannel::Red:
    case ColorChannel::Green:
        return ColorChannel::Blue;
    case ColorChannel::Blue:
        return ColorChannel::Red;
    case ColorChannel::Hue:
        return ColorChannel::Saturation;
    case ColorChannel::Saturation:
    case ColorChannel::Value:
        return ColorChannel::Hue;
    case ColorChannel::Lightness:
    case ColorChannel::BlueYellow:
        return ColorChannel::RedGreen;
    case ColorChannel::RedGreen:
        return ColorChannel::BlueYellow;
    default:
        return ColorChannel::None;
    }
}

ColorChannel ColorFieldMapping::verticalChannel(ColorChannel fixed)
{
    switch (fixed) {
    case ColorChannel::Red:
    case ColorChannel::Blue:
        return ColorChannel::Green;
    case ColorChannel::Green:
        return ColorChannel::Red;
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
        return ColorChannel::Value;
    case ColorChannel::Value:
        return ColorChannel::Saturation;
    case ColorChannel::Lightness:
        return ColorChannel::BlueYellow;
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return ColorChannel::Lightness;
    default:
        return ColorChannel::None;
    }
}

int ColorFieldMapping::columnValue(int x) const
{
    const float w = float(width);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        return std::clamp(nearest(255.0f * (255.0f / w) - float(255 - x)), 0, 255);
    case ColorChannel::Hue:
        return std::clamp(nearest(x * (100.0f / w)), 0, 100);
    case ColorChannel::Saturation:
    case ColorChannel::Value:
        return std::clamp(nearest(x * (360.0f / w)), 0, 360);
    case ColorChannel::Lightness:
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return std::clamp(nearest(x * (255.0f / w)) - 128, -128, 127);
    default:
        return 0;
    }
}

int ColorFieldMapping::rowValue(int y) const
{
    const float h = float(height);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        return std::clamp(nearest(255.0f - y * (255.0f / h)), 0, 255);
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return std::clamp(nearest(100.0f - y * (100.0f / h)), 0, 100);
    case ColorChannel::Lightness:
        return std::clamp(127 + nearest(-y * (255.0f / h)), -128, 127);
    default:
        return 0;
    }
}

ColorValue ColorFieldMapping::colorAt(const QPoint& p, const ColorValue& color) const
{
    const float w = float(width);
    const float h = float(height);
    const int x = p.x();
    const int y = p.y();
    switch (channel) {
    case ColorChannel::Red:
        return ColorValue(RgbColor(color.rgb().red(), nearest(255.0f - y * (255.0f / h)),
                                   nearest(x * (255.0f / w)), 255));
    case ColorChannel::Green:
        return ColorValue(RgbColor(nearest(255.0f - y * (255.0f / h)), color.rgb().green(),
                                   nearest(x * (255.0f / w)), 255));
    case ColorChannel::Blue:
        return ColorValue(RgbColor(nearest(x * (255.0f / w)), nearest(255.0f - y * (255.0f / h)),
                                   color.rgb().blue(), 255));
    case ColorChannel::Hue:
        return ColorValue(HsvColor(color.hsv().hue(), nearest(x / w * 100.0f),
                                   nearest(100.0f - y / h * 100.0f), 255));
    case ColorChannel::Saturation:
        return ColorValue(HsvColor(nearest(x / w * 360.0f), color.hsv().saturation(),
                                   nearest(100.0f - y / h * 100.0f), 255));
    case ColorChannel::Value:
        return ColorValue(HsvColor(nearest(x / w * 360.0f), nearest(100.0f - y / h * 100.0f),
                                   color.hsv().value(), 255));
    case ColorChannel::Lightness:
        return ColorValue(LabColor(color.lab().lightness(), x - 128, 127 - y));
    case ColorChannel::RedGreen:
        return ColorValue(
            LabColor(nearest((1.0f - y * 0.00390625f) * 100.0f), color.lab().a(), x - 128));
    case ColorChannel::BlueYellow:
        return ColorValue(
            LabColor(nearest((1.0f - y * 0.00390625f) * 100.0f), x - 128, color.lab().b()));
    default: {
        RgbColor rgb = color.rgb();
        rgb.setAlpha(255);
        return ColorValue(rgb);
    }
    }
}

QPoint ColorFieldMapping::markerPosition(const ColorValue& value) const
{
    const RgbColor& rgb = value.rgb();
    const HsvColor& hsv = value.hsv();
    const LabColor& lab = value.lab();
    const float w = float(width);
    const float h = float(height);
    switch (channel) {
    case ColorChannel::Red:
        return {nearest(w * (rgb.blue() / 255.0f)), nearest(h * (1.0f - rgb.green() / 255.0f))};
    case ColorChannel::Green:
        return {nearest(w * (rgb.blue() / 255.0f)), nearest(h * (1.0f - rgb.red() / 255.0f))};
    case ColorChannel::Blue:
        return {nearest(w * (rgb.red() / 255.0f)), nearest(h * (1.0f - rgb.green() / 255.0f))};
    case ColorChannel::Hue:
        return {nearest(w * (hsv.saturation() / 100.0f)),
                nearest(h * (1.0f - hsv.value() / 100.0f))};
    case ColorChannel::Saturation:
        return {nearest(w * (hsv.hue() / 360.0f)), nearest(h * (1.0f - hsv.value() / 100.0f))};
    case ColorChannel::Value:
        return {nearest(w * (hsv.hue() / 360.0f)), nearest(h * (1.0f - hsv.saturation() / 100.0f))};
    case ColorChannel::Lightness:
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow: {
        const int wantedColumn = channel == ColorChannel::RedGreen ? lab.b() : lab.a();
        const int wantedRow = channel == ColorChannel::Lightness ? lab.b() : lab.lightness();
        const int x =
            lastIndexShowing(width, wantedColumn, [this](int i) { return columnValue(i); });
        const int y = lastIndexShowing(height, wantedRow, [this](int i) { return rowValue(i); });
        if (x < 0 || y < 0) {
            return {0, 0};
        }
        return {x, y};
    }
    default:
        return {0, 0};
    }
}
