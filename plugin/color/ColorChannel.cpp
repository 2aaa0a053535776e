#include "color/ColorChannel.h"

#include "color/ColorValue.h"
#include "color/GammaForms.h"
#include "color/Rounding.h"

#include <QCoreApplication>

namespace {

using C = ColorChannel;

const LinearForm kLinearChannel = {linearChannel, channelFromLinear, linearChannelF};
const LinearForm kLinearPercent = {linearPercent, percentFromLinear, linearPercentF};

// Writes one channel of a record through its setter, then the record into the value.
template <typename Record, void (Record::*setter)(int), const Record& (ColorValue::*getter)() const,
          void (ColorValue::*store)(const Record&)>
void writeThrough(ColorValue& value, int channelValue)
{
    Record record = (value.*getter)();
    (record.*setter)(channelValue);
    (value.*store)(record);
}

template <typename Record, int (Record::*reader)() const,
          const Record& (ColorValue::*getter)() const>
int readFrom(const ColorValue& value)
{
    return ((value.*getter)().*reader)();
}

#define CHANNEL_IO(Record, get, set, read, write)                                                  \
    readFrom<Record, &Record::read, &ColorValue::get>,                                             \
        writeThrough<Record, &Record::write, &ColorValue::get, &ColorValue::set>

ChannelInfo entry(C channel, const char* spokenName, C group, int minimum, int maximum, float scale,
                  int offset, const LinearForm* linear, bool drivesField, C other0, C other1,
                  int (*read)(const ColorValue&), void (*write)(ColorValue&, int))
{
    ChannelInfo info;
    info.channel = channel;
    info.spokenName = spokenName;
    info.group = group;
    info.editKeeps = group;
    info.minimum = minimum;
    info.maximum = maximum;
    info.unitScale = scale;
    info.unitOffset = offset;
    info.linear = linear;
    info.drivesField = drivesField;
    info.others[0] = other0;
    info.others[1] = other1;
    info.read = read;
    info.write = write;
    return info;
}

struct ChannelTable
{
    ChannelInfo entries[21];

    ChannelTable()
    {
        for (int i = 0; i < 21; ++i)
            entries[i].channel = static_cast<C>(i);
        const auto set = [this](const ChannelInfo& info) {
            entries[static_cast<int>(info.channel)] = info;
        };
        const C none = C::None;
        set(entry(C::Red, QT_TRANSLATE_NOOP("ColorNames", "red"), C::RgbGroup, 0, 255, 255.0f, 0,
                  &kLinearChannel, true, C::Green, C::Blue,
                  CHANNEL_IO(RgbColor, rgb, setRgb, red, setRed)));
        set(entry(C::Green, QT_TRANSLATE_NOOP("ColorNames", "green"), C::RgbGroup, 0, 255, 255.0f,
                  0, &kLinearChannel, true, C::Red, C::Blue,
                  CHANNEL_IO(RgbColor, rgb, setRgb, green, setGreen)));
        set(entry(C::Blue, QT_TRANSLATE_NOOP("ColorNames", "blue"), C::RgbGroup, 0, 255, 255.0f, 0,
                  &kLinearChannel, true, C::Red, C::Green,
                  CHANNEL_IO(RgbColor, rgb, setRgb, blue, setBlue)));
        // The hue bar is the same whatever the color: no other channels to follow.
        set(entry(C::Hue, QT_TRANSLATE_NOOP("ColorNames", "hue"), C::HsvGroup, 0, 360, 360.0f, 0,
                  nullptr, true, none, none, CHANNEL_IO(HsvColor, hsv, setHsv, hue, setHue)));
        set(entry(C::Saturation, QT_TRANSLATE_NOOP("ColorNames", "saturation"), C::HsvGroup, 0, 100,
                  100.0f, 0, &kLinearPercent, true, C::Hue, C::Value,
                  CHANNEL_IO(HsvColor, hsv, setHsv, saturation, setSaturation)));
        set(entry(C::Value, QT_TRANSLATE_NOOP("ColorNames", "value"), C::HsvGroup, 0, 100, 100.0f,
                  0, &kLinearPercent, true, C::Hue, C::Saturation,
                  CHANNEL_IO(HsvColor, hsv, setHsv, value, setValue)));
        set(entry(C::Lightness, QT_TRANSLATE_NOOP("ColorNames", "lightness"), C::LabGroup, 0, 100,
                  100.0f, 0, nullptr, true, C::RedGreen, C::BlueYellow,
                  CHANNEL_IO(LabColor, lab, setLab, lightness, setLightness)));
        set(entry(C::RedGreen, QT_TRANSLATE_NOOP("ColorNames", "Lab a"), C::LabGroup, -128, 127,
                  255.0f, -128, nullptr, true, C::Lightness, C::BlueYellow,
                  CHANNEL_IO(LabColor, lab, setLab, a, setA)));
        set(entry(C::BlueYellow, QT_TRANSLATE_NOOP("ColorNames", "Lab b"), C::LabGroup, -128, 127,
                  255.0f, -128, nullptr, true, C::Lightness, C::RedGreen,
                  CHANNEL_IO(LabColor, lab, setLab, b, setB)));
        // A CMYK edit rewrites its whole group: four percentages do not survive the trip
        // through RGB, so the group shows what the color became.
        const ChannelInfo cmyk[] = {
            entry(C::Cyan, QT_TRANSLATE_NOOP("ColorNames", "cyan"), C::CmykGroup, 0, 100, 100.0f, 0,
                  nullptr, false, none, none, CHANNEL_IO(CmykColor, cmyk, setCmyk, cyan, setCyan)),
            entry(C::Magenta, QT_TRANSLATE_NOOP("ColorNames", "magenta"), C::CmykGroup, 0, 100,
                  100.0f, 0, nullptr, false, none, none,
                  CHANNEL_IO(CmykColor, cmyk, setCmyk, magenta, setMagenta)),
            entry(C::Yellow, QT_TRANSLATE_NOOP("ColorNames", "yellow"), C::CmykGroup, 0, 100,
                  100.0f, 0, nullptr, false, none, none,
                  CHANNEL_IO(CmykColor, cmyk, setCmyk, yellow, setYellow)),
            entry(C::Key, QT_TRANSLATE_NOOP("ColorNames", "key"), C::CmykGroup, 0, 100, 100.0f, 0,
                  nullptr, false, none, none, CHANNEL_IO(CmykColor, cmyk, setCmyk, key, setKey)),
        };
        for (ChannelInfo info : cmyk) {
            info.editKeeps = info.channel;
            set(info);
        }
        // Nothing is derived from alpha: it lives in the RGB record only.
        set(entry(
            C::Alpha, QT_TRANSLATE_NOOP("ColorNames", "alpha"), C::Alpha, 0, 255, 255.0f, 0,
            nullptr, false, none, none, [](const ColorValue& v) { return v.rgb().alpha(); },
            [](ColorValue& v, int alpha) { v.setAlpha(alpha); }));
        set(entry(C::Temperature, QT_TRANSLATE_NOOP("ColorNames", "temperature"), C::Temperature,
                  1000, 15000, 1.0f, 0, nullptr, false, none, none,
                  CHANNEL_IO(TemperatureColor, temperature, setTemperature, kelvin, setKelvin)));
    }
};

#undef CHANNEL_IO

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

// The names are marked for translation in the table and translated here, when they are read.
QString spokenChannelName(ColorChannel channel)
{
    const char* words = channelInfo(channel).spokenName;
    return words ? QCoreApplication::translate("ColorNames", words) : QString();
}

int shownFromStored(ColorChannel channel, int stored, bool sRgb)
{
    const LinearForm* linear = channelInfo(channel).linear;
    return sRgb || !linear ? stored : linear->shown(stored);
}

int storedFromShown(ColorChannel channel, int shown, bool sRgb)
{
    const LinearForm* linear = channelInfo(channel).linear;
    return sRgb || !linear ? shown : linear->stored(shown);
}

float shownFloat(const ColorValue& value, ColorChannel channel, bool sRgb)
{
    const int stored = value.channel(channel);
    const LinearForm* linear = channelInfo(channel).linear;
    return sRgb || !linear ? floatFromInteger(channel, stored) : linear->unit(stored);
}

float floatFromInteger(ColorChannel channel, int shown)
{
    const ChannelInfo& info = channelInfo(channel);
    return (shown - info.unitOffset) / info.unitScale;
}

int integerFromFloat(ColorChannel channel, float x)
{
    const ChannelInfo& info = channelInfo(channel);
    if (!info.read)
        return 0;
    return nearest(x * info.unitScale) + info.unitOffset;
}
