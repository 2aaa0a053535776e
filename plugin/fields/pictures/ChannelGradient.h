#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <QRgb>

#include <vector>

// The colors of a channel slider's strip: index 0 is the channel's high end, index length - 1 its
// low end, the two other components of the channel's space taken from the color (the hue strip is
// the full hue bar whatever the color). Bit-identical to building each record and converting it.
class ChannelGradient
{
public:
    // ColorSliderMapping::stripValue for every index 0..length-1: what a strip of that channel and
    // length steps through, whatever the color.
    static std::vector<int> steps(ColorChannel channel, int length);
    // Fills out[0..length-1]; false (out untouched) for a channel that is not a slider channel.
    // steps, when given, is steps(channel, length).
    static bool colors(const ColorValue& value, ColorChannel channel, int length, QRgb* out,
                       const int* steps = nullptr);
};
