#pragma once

#include <QString>

class ColorValue;

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

// The form a channel takes with the sRGB switch off: a 2.2 power law on its unit scale
// (0..255 or 0..100). Channels without one are shown as stored whatever the switch says.
struct LinearForm
{
    // The linear integer shown for a stored value, and the stored value of a shown one.
    int (*shown)(int stored);
    int (*stored)(int shown);
    // The unrounded linear unit float shown by the float spinner.
    float (*unit)(int stored);
};

// What the picker knows of one channel. Each number is the rule its own spinner, slider and
// conversions use; nothing here adds a rounding of its own.
struct ChannelInfo
{
    ColorChannel channel = ColorChannel::None;
    // The channel in words for screen readers, lower case and untranslated ("hue", "Lab a");
    // null for group codes, None and Hex. spokenChannelName gives it translated.
    const char* spokenName = nullptr;
    // The spinner group the channel is shown in (temperature and alpha are groups of one).
    ColorChannel group = ColorChannel::None;
    // The group an edit of this channel leaves as typed. A CMYK channel names itself, so its
    // whole group is rewritten: four percentages do not survive the trip through RGB.
    ColorChannel editKeeps = ColorChannel::None;
    int minimum = 0;
    int maximum = 0;
    // The float spinner shows (integer - unitOffset) / unitScale; a float x is read back as
    // nearest(x * unitScale) + unitOffset. Temperature has no float spinner (scale 1).
    float unitScale = 1.0f;
    int unitOffset = 0;
    const LinearForm* linear = nullptr;
    // One of the nine channels with a radio button, which drive the slider and the square field.
    bool drivesField = false;
    // The two other channels of the same space (slider and field), None where there are none.
    ColorChannel others[2] = {ColorChannel::None, ColorChannel::None};
    // How the channel is read from a color value, and written into one through its record's
    // clamping setter, the other representations following. Null for group codes and Hex.
    int (*read)(const ColorValue& value) = nullptr;
    void (*write)(ColorValue& value, int channelValue) = nullptr;
};

// The entry of `channel`; group codes, None and Hex give an entry with no range.
const ChannelInfo& channelInfo(ColorChannel channel);

// A channel in words, lower case and translated in the context "ColorNames": "hue", "saturation",
// "red", "Lab a"; empty for groups, None and Hex.
QString spokenChannelName(ColorChannel channel);

inline bool isSliderChannel(ColorChannel channel)
{
    return channelInfo(channel).drivesField;
}

// The integer a spinner shows for `stored`: the linear form when `sRgb` is off and the channel
// has one, nearest((v/255)^2.2 * 255) or nearest((v/100)^2.2 * 100); else `stored` itself.
int shownFromStored(ColorChannel channel, int stored, bool sRgb);
// The inverse: the stored value for a shown integer, nearest((v/255)^(1/2.2) * 255) and the
// percent form, or the integer itself.
int storedFromShown(ColorChannel channel, int shown, bool sRgb);
// The float spinner's value of `value`. In linear form it is the unrounded power,
// (c/255)^2.2 or (c/100)^2.2; otherwise (integer - unitOffset) / unitScale.
float shownFloat(const ColorValue& value, ColorChannel channel, bool sRgb);
// The float form of an integer already in display form, as a slider writes it.
float floatFromInteger(ColorChannel channel, int shown);
// A float spinner's value as its integer twin: nearest(x * unitScale) + unitOffset, 0 for a
// channel without spinners.
int integerFromFloat(ColorChannel channel, float x);
