#include "color/ColorChannel.h"

#include "color/ColorValue.h"
#include "color/GammaForms.h"
#include "color/Rounding.h"

namespace {

using C = ColorChannel;

ChannelInfo entry(C channel, C group, int minimum, int maximum, float scale, int offset,
                  bool hasFloat, LinearForm linear, bool drivesField, C other0 = C::None,
                  C other1 = C::None)
{
    ChannelInfo info;
    info.channel = channel;
    info.group = group;
    info.editKeeps = group;
    info.minimum = minimum;
    info.maximum = maximum;
    info.unitScale = scale;
    info.unitOffset = offset;
    info.hasFloatForm = hasFloat;
    info.linear = linear;
    info.drivesField = drivesField;
    info.others[0] = other0;
    info.others[1] = other1;
    return info;
}

struct ChannelTable
{
    ChannelInfo entries[21];

    ChannelTable()
    {
        for (int i = 0; i < 21; ++i)
            entries[i].channel = static_cast<C>(i);
        const LinearForm none = LinearForm::None;
        const auto set = [this](const ChannelInfo& info) {
            entries[static_cast<int>(info.channel)] = info;
        };
        set(entry(C::Red, C::RgbGroup, 0, 255, 255.0f, 0, true, LinearForm::Channel, true, C::Green,
                  C::Blue));
        set(entry(C::Green, C::RgbGroup, 0, 255, 255.0f, 0, true, LinearForm::Channel, true, C::Red,
                  C::Blue));
        set(entry(C::Blue, C::RgbGroup, 0, 255, 255.0f, 0, true, LinearForm::Channel, true, C::Red,
                  C::Green));
        // The hue bar is the same whatever the color: no other channels to follow.
        set(entry(C::Hue, C::HsvGroup, 0, 360, 360.0f, 0, true, none, true));
        set(entry(C::Saturation, C::HsvGroup, 0, 100, 100.0f, 0, true, LinearForm::Percent, true,
                  C::Hue, C::Value));
        set(entry(C::Value, C::HsvGroup, 0, 100, 100.0f, 0, true, LinearForm::Percent, true, C::Hue,
                  C::Saturation));
        set(entry(C::Lightness, C::LabGroup, 0, 100, 100.0f, 0, true, none, true, C::RedGreen,
                  C::BlueYellow));
        set(entry(C::RedGreen, C::LabGroup, -128, 127, 255.0f, -128, true, none, true, C::Lightness,
                  C::BlueYellow));
        set(entry(C::BlueYellow, C::LabGroup, -128, 127, 255.0f, -128, true, none, true,
                  C::Lightness, C::RedGreen));
        for (C cmyk : {C::Cyan, C::Magenta, C::Yellow, C::Key}) {
            ChannelInfo info = entry(cmyk, C::CmykGroup, 0, 100, 100.0f, 0, true, none, false);
            info.editKeeps = cmyk;
            set(info);
        }
        set(entry(C::Alpha, C::Alpha, 0, 255, 255.0f, 0, true, none, false));
        set(entry(C::Temperature, C::Temperature, 1000, 15000, 1.0f, 0, false, none, false));
    }
};

const ChannelTable& table()
{
    static const ChannelTable t;
    return t;
}

} // namespace

const ChannelInfo& channelInfo(ColorChannel channel)
{
    const int i = static_cast<int>(channel);
    return table().entries[i >= 0 && i <= 20 ? i : 0];
}

const std::array<ColorChannel, 15>& spinnerChannels()
{
    static const std::array<ColorChannel, 15> order = {
        C::Hue,     C::Saturation, C::Value,    C::Red,         C::Green,
        C::Blue,    C::Lightness,  C::RedGreen, C::BlueYellow,  C::Cyan,
        C::Magenta, C::Yellow,     C::Key,      C::Temperature, C::Alpha,
    };
    return order;
}

int shownFromStored(ColorChannel channel, int stored, bool sRgb)
{
    if (sRgb)
        return stored;
    switch (channelInfo(channel).linear) {
    case LinearForm::Channel:
        return linearChannel(stored);
    case LinearForm::Percent:
        return linearPercent(stored);
    case LinearForm::None:
        break;
    }
    return stored;
}

int storedFromShown(ColorChannel channel, int shown, bool sRgb)
{
    if (sRgb)
        return shown;
    switch (channelInfo(channel).linear) {
    case LinearForm::Channel:
        return channelFromLinear(shown);
    case LinearForm::Percent:
        return percentFromLinear(shown);
    case LinearForm::None:
        break;
    }
    return shown;
}

float shownFloat(const ColorValue& value, ColorChannel channel, bool sRgb)
{
    const int stored = value.channel(channel);
    if (!sRgb) {
        switch (channelInfo(channel).linear) {
        case LinearForm::Channel:
            return linearChannelF(stored);
        case LinearForm::Percent:
            return linearPercentF(stored);
        case LinearForm::None:
            break;
        }
    }
    return floatFromInteger(channel, stored);
}

float floatFromInteger(ColorChannel channel, int shown)
{
    const ChannelInfo& info = channelInfo(channel);
    return (shown - info.unitOffset) / info.unitScale;
}

int integerFromFloat(ColorChannel channel, float x)
{
    const ChannelInfo& info = channelInfo(channel);
    if (info.maximum == info.minimum)
        return 0;
    return nearest(x * info.unitScale) + info.unitOffset;
}
