#pragma once

#include "color/ColorChannel.h"

// The nine channels that drive the square field and the slider, named for data rows.
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
