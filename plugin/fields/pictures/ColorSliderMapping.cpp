#include "fields/pictures/ColorSliderMapping.h"

#include "color/Rounding.h"

#include <algorithm>

ColorSliderMapping::ColorSliderMapping(ColorChannel sliderChannel, int sliderLength)
    : channel(sliderChannel), length(sliderLength)
{
}

// RGB and a and b step down from the top of their range by 256 / length; hue and the percentages
// by their maximum / length.
int ColorSliderMapping::stripValue(int i) const
{
    const ChannelInfo& info = channelInfo(channel);
    const float top = float(info.maximum);
    const float l = float(length);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return std::clamp(nearest(top - i * (256.0f / l)), info.minimum, info.maximum);
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::Lightness:
        return std::clamp(nearest(top - i * (top / l)), info.minimum, info.maximum);
    default:
        return 0;
    }
}

int ColorSliderMapping::valueAt(int coordinate) const
{
    const float l = float(length);
    const int fromEnd = length - coordinate;
    switch (channel) {
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::Lightness:
        return static_cast<int>(fromEnd * (float(channelInfo(channel).maximum) / l));
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        // 128 at the top: one past the range, for the spinner to clamp.
        return 128 - nearest((255.0f / l) * coordinate);
    default:
        return nearest((255.0f / l) * fromEnd);
    }
}

int ColorSliderMapping::markerPosition(const ColorValue& value) const
{
    const float l = float(length);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        return length - nearest((l / 255.0f) * value.channel(channel));
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::Lightness: {
        // Hue on 360, the percentages on 100.
        const float perUnit = l / float(channelInfo(channel).maximum);
        return static_cast<int>(l - value.channel(channel) * perUnit);
    }
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return nearest((127 - value.channel(channel)) * (l / 255.0f));
    default:
        return 0;
    }
}
