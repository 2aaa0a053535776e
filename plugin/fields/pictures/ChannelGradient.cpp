#include "fields/pictures/ChannelGradient.h"

#include "color/CieMath.h"
#include "color/Rounding.h"
#include "fields/pictures/ColorPixels.h"
#include "fields/pictures/ColorSliderMapping.h"
#include "fields/pictures/SrgbEncodeTable.h"

#include <algorithm>
#include <vector>

namespace {

// The strips are worked out in runs of this many indices, on the stack.
constexpr int kRun = 256;

// Lab: X, Y and Z from the tables, then all channels encoded together. Two of the three are the
// same along the strip unless the lightness steps; the stepped one comes from its table.
void labStrip(const LabColor& lab, ColorChannel channel, const int* steps, QRgb* out, int length)
{
    const ColorPixels::LabTables& tables = ColorPixels::labTables();
    float x[kRun], y[kRun], z[kRun];
    for (int start = 0; start < length; start += kRun) {
        const int n = std::min(kRun, length - start);
        const int* v = steps + start;
        if (channel == ColorChannel::Lightness) {
            for (int i = 0; i < n; ++i) {
                x[i] = tables.x[v[i]][lab.a() + 128];
                y[i] = tables.y[v[i]];
                z[i] = tables.z[v[i]][lab.b() + 128];
            }
        } else {
            const bool aSteps = channel == ColorChannel::RedGreen;
            const float* stepped = aSteps ? tables.x[lab.lightness()] : tables.z[lab.lightness()];
            float* into = aSteps ? x : z;
            for (int i = 0; i < n; ++i) {
                into[i] = stepped[v[i] + 128];
            }
            std::fill_n(y, n, tables.y[lab.lightness()]);
            if (aSteps) {
                std::fill_n(z, n, tables.z[lab.lightness()][lab.b() + 128]);
            } else {
                std::fill_n(x, n, tables.x[lab.lightness()][lab.a() + 128]);
            }
        }
        // The linear channels, written over x, y and z.
        for (int i = 0; i < n; ++i) {
            const float xi = x[i], yi = y[i], zi = z[i];
            x[i] = kLinearRedFromXyz(xi, yi, zi);
            y[i] = kLinearGreenFromXyz(xi, yi, zi);
            z[i] = kLinearBlueFromXyz(xi, yi, zi);
        }
        SrgbEncodeTable::instance().encodePixels(x, y, z, out + start, n);
    }
}

} // namespace

std::vector<int> ChannelGradient::steps(ColorChannel channel, int length)
{
    const ColorSliderMapping mapping(channel, length);
    std::vector<int> values(std::max(length, 0));
    for (int i = 0; i < length; ++i) {
        values[i] = mapping.stripValue(i);
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
    const RgbColor& rgb = value.rgb();
    ColorPixels::clearUpperVectorHalves();
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
    case ColorChannel::Value:
        if (channel == ColorChannel::Saturation) {
            ColorPixels::hsvPixels(value.hsv().hue(), steps, value.hsv().value(), false, out,
                                   length);
        } else {
            ColorPixels::hsvPixels(value.hsv().hue(), steps, value.hsv().saturation(), true, out,
                                   length);
        }
        break;
    default:
        labStrip(value.lab(), channel, steps, out, length);
        break;
    }
    return true;
}
