#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

// The nine channels that drive the square field and the slider, named for data rows, and colors
// to set them on.
struct NamedChannel
{
    ColorChannel channel;
    const char* name;
};

inline constexpr NamedChannel kFieldChannels[] = {{ColorChannel::Red, "Red"},
                                                  {ColorChannel::Green, "Green"},
                                                  {ColorChannel::Blue, "Blue"},
                                                  {ColorChannel::Hue, "Hue"},
                                                  {ColorChannel::Saturation, "Saturation"},
                                                  {ColorChannel::Value, "Value"},
                                                  {ColorChannel::Lightness, "Lightness"},
                                                  {ColorChannel::RedGreen, "RedGreen"},
                                                  {ColorChannel::BlueYellow, "BlueYellow"}};

inline const char* nameOf(ColorChannel channel)
{
    for (const NamedChannel& named : kFieldChannels) {
        if (named.channel == channel)
            return named.name;
    }
    return "other";
}

// A color of channel's space with arbitrary components, each one as stored.
inline ColorValue colorOfSpace(ColorChannel channel)
{
    switch (channelInfo(channel).group) {
    case ColorChannel::RgbGroup:
        return ColorValue(40, 200, 7, 255);
    case ColorChannel::HsvGroup:
        return ColorValue(HsvColor(200, 30, 70));
    default:
        return ColorValue(LabColor(60, 20, -30));
    }
}

// color with one channel stored as value.
inline ColorValue with(ColorValue color, ColorChannel channel, int value)
{
    color.setChannel(channel, value);
    return color;
}
