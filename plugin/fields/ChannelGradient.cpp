#include "fields/ChannelGradient.h"

#include "fields/ColorPixels.h"

#include <algorithm>
#include <math.h>

namespace {

int nearest(float v)
{
    return static_cast<int>(nearbyintf(v));
}

} // namespace

int ChannelGradient::valueAt(ColorChannel channel, int i, int length)
{
    const float l = float(length);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        return std::clamp(nearest(255.0f - i * (256.0f / l)), 0, 255);
    case ColorChannel::Hue:
        return std::clamp(nearest(360.0f - i * (360.0f / l)), 0, 360);
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::Lightness:
        return std::clamp(nearest(100.0f - i * (100.0f / l)), 0, 100);
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return std::clamp(nearest(127.0f - i * (256.0f / l)), -128, 127);
    default:
        return 0;
    }
}

bool ChannelGradient::colors(const ColorValue& value, ColorChannel channel, int length, QRgb* out)
{
    if (!isSliderChannel(channel)) {
        return false;
    }
    const RgbColor& rgb = value.rgb;
    const HsvColor& hsv = value.hsv;
    const LabColor& lab = value.lab;
    for (int i = 0; i < length; ++i) {
        const int v = valueAt(channel, i, length);
        switch (channel) {
        case ColorChannel::Red:
            out[i] = qRgb(v, rgb.green(), rgb.blue());
            break;
        case ColorChannel::Green:
            out[i] = qRgb(rgb.red(), v, rgb.blue());
            break;
        case ColorChannel::Blue:
            out[i] = qRgb(rgb.red(), rgb.green(), v);
            break;
        case ColorChannel::Hue:
            out[i] = ColorPixels::hsv(v, 100, 100);
            break;
        case ColorChannel::Saturation:
            out[i] = ColorPixels::hsv(hsv.hue(), v, hsv.value());
            break;
        case ColorChannel::Value:
            out[i] = ColorPixels::hsv(hsv.hue(), hsv.saturation(), v);
            break;
        case ColorChannel::Lightness:
            out[i] = ColorPixels::lab(v, lab.a(), lab.b());
            break;
        case ColorChannel::RedGreen:
            out[i] = ColorPixels::lab(lab.lightness(), v, lab.b());
            break;
        default:
            out[i] = ColorPixels::lab(lab.lightness(), lab.a(), v);
            break;
        }
    }
    return true;
}
