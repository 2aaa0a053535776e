#include "fields/ChannelGradient.h"

#include "fields/ColorPixels.h"
#include "fields/SrgbEncodeTable.h"

#include <algorithm>
#include <math.h>
#include <vector>

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

std::vector<int> ChannelGradient::steps(ColorChannel channel, int length)
{
    std::vector<int> values(std::max(length, 0));
    for (int i = 0; i < length; ++i) {
        values[i] = valueAt(channel, i, length);
    }
    return values;
}

bool ChannelGradient::colors(const ColorValue& value, ColorChannel channel, int length, QRgb* out,
                             const int* steps)
{
    if (!isSliderChannel(channel)) {
        return false;
    }
    std::vector<int> ownSteps;
    if (!steps) {
        ownSteps = ChannelGradient::steps(channel, length);
        steps = ownSteps.data();
    }
    const RgbColor& rgb = value.rgb;
    const HsvColor& hsv = value.hsv;
    const LabColor& lab = value.lab;
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue: {
        // The two fixed channels in place, the stepped one shifted into its byte.
        const int shift = channel == ColorChannel::Red     ? 16
                          : channel == ColorChannel::Green ? 8
                                                           : 0;
        const QRgb rest = qRgb(rgb.red(), rgb.green(), rgb.blue()) & ~(QRgb(0xff) << shift);
        for (int i = 0; i < length; ++i) {
            out[i] = rest | QRgb(steps[i]) << shift;
        }
        break;
    }
    case ColorChannel::Hue:
        for (int i = 0; i < length; ++i) {
            out[i] = ColorPixels::hsv(steps[i], 100, 100);
        }
        break;
    case ColorChannel::Saturation:
    case ColorChannel::Value: {
        // The model's HSV to RGB with the hue's terms looked up once and the percent divisions
        // taken from a table of the same quotients.
        float unit[101];
        for (int p = 0; p <= 100; ++p) {
            unit[p] = p / 100.0f;
        }
        const double weight = ColorPixels::hueWeight(hsv.hue());
        const int sector = ColorPixels::hueSector(hsv.hue());
        const bool saturationSteps = channel == ColorChannel::Saturation;
        for (int i = 0; i < length; ++i) {
            const float v = unit[saturationSteps ? hsv.value() : steps[i]];
            const float c = unit[saturationSteps ? steps[i] : hsv.saturation()] * v;
            const float m = v - c;
            const float x = static_cast<float>(c * weight);
            out[i] = ColorPixels::sectorPixel(sector, static_cast<int>((c + m) * 255.0f),
                                              static_cast<int>((x + m) * 255.0f),
                                              static_cast<int>(m * 255.0f));
        }
        break;
    }
    default: {
        // Lab: X, Y and Z from the tables, then all channels encoded as one row.
        const ColorPixels::LabTables& tables = ColorPixels::labTables();
        std::vector<float> red(length), green(length), blue(length);
        for (int i = 0; i < length; ++i) {
            const int v = steps[i];
            const int l = channel == ColorChannel::Lightness ? v : lab.lightness();
            const int a = channel == ColorChannel::RedGreen ? v : lab.a();
            const int b = channel == ColorChannel::BlueYellow ? v : lab.b();
            const float x = tables.x[l][a + 128];
            const float y = tables.y[l];
            const float z = tables.z[l][b + 128];
            red[i] = x * 3.2406f - y * 1.5372f - z * 0.4986f;
            green[i] = y * 1.8758f - x * 0.9689f + z * 0.0415f;
            blue[i] = x * 0.0557f - y * 0.204f + z * 1.057f;
        }
        SrgbEncodeTable::instance().encodePixels(red.data(), green.data(), blue.data(), out,
                                                 length);
        break;
    }
    }
    return true;
}
