#pragma once

// Channels and channel groups of the picker. The numbers are stored in the settings
// file, used as button-group ids and passed between the dialog and its widgets, so
// they must never be renumbered.
enum class ColorChannel : int
{
    None = 0,
    RgbGroup = 1,
    Red = 2,
    Green = 3,
    Blue = 4,
    HsvGroup = 5,
    Hue = 6,
    Saturation = 7,
    Value = 8,
    LabGroup = 9,
    Lightness = 10,
    RedGreen = 11,
    BlueYellow = 12,
    CmykGroup = 13,
    Cyan = 14,
    Magenta = 15,
    Yellow = 16,
    Key = 17,
    Alpha = 18,
    Temperature = 19,
    Hex = 20,
};

// The nine channels that can drive the channel slider and the square field.
constexpr bool isSliderChannel(ColorChannel channel)
{
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::Lightness:
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return true;
    default:
        return false;
    }
}
