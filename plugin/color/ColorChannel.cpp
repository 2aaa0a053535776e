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

// One entry of the table, told field by field:
// Entry(C::Red, "red", C::RgbGroup).range(0, 255).unitScale(255.0f).io(...).
struct Entry
{
    ChannelInfo info;

    Entry(C channel, const char* spokenName, C group)
    {
        info.channel = channel;
        info.spokenName = spokenName;
        info.group = group;
        info.editKeeps = group;
    }
    Entry& range(int minimum, int maximum)
    {
        info.minimum = minimum;
        info.maximum = maximum;
        return *this;
    }
    Entry& unitScale(float scale, int offset = 0)
    {
        info.unitScale = scale;
        info.unitOffset = offset;
        return *this;
    }
    Entry& linearForm(const LinearForm& linear)
    {
        info.linear = &linear;
        return *this;
    }
    // A channel with a radio button, and the two others of its space.
    Entry& drivesField(C other0 = C::None, C other1 = C::None)
    {
        info.drivesField = true;
        info.others[0] = other0;
        info.others[1] = other1;
        return *this;
    }
    // An edit leaves only the channel itself as typed and rewrites the rest of its group.
    Entry& editKeepsItself()
    {
        info.editKeeps = info.channel;
        return *this;
    }
    Entry& io(int (*read)(const ColorValue&), void (*write)(ColorValue&, int))
    {
        info.read = read;
        info.write = write;
        return *this;
    }
};

// Every code of ColorChannel, Hex the last.
constexpr int kCodes = static_cast<int>(C::Hex) + 1;

struct ChannelTable
{
    ChannelInfo entries[kCodes];

    ChannelTable()
    {
        for (int i = 0; i < kCodes; ++i)
            entries[i].channel = static_cast<C>(i);
        const Entry channels[] = {
            Entry(C::Red, QT_TRANSLATE_NOOP("ColorNames", "red"), C::RgbGroup)
                .range(0, 255)
                .unitScale(255.0f)
                .linearForm(kLinearChannel)
                .drivesField(C::Green, C::Blue)
                .io(CHANNEL_IO(RgbColor, rgb, setRgb, red, setRed)),
            Entry(C::Green, QT_TRANSLATE_NOOP("ColorNames", "green"), C::RgbGroup)
                .range(0, 255)
                .unitScale(255.0f)
                .linearForm(kLinearChannel)
                .drivesField(C::Red, C::Blue)
                .io(CHANNEL_IO(RgbColor, rgb, setRgb, green, setGreen)),
            Entry(C::Blue, QT_TRANSLATE_NOOP("ColorNames", "blue"), C::RgbGroup)
                .range(0, 255)
                .unitScale(255.0f)
                .linearForm(kLinearChannel)
                .drivesField(C::Red, C::Green)
                .io(CHANNEL_IO(RgbColor, rgb, setRgb, blue, setBlue)),
            // The hue bar is the same whatever the color: no other channels to follow.
            Entry(C::Hue, QT_TRANSLATE_NOOP("ColorNames", "hue"), C::HsvGroup)
                .range(0, 360)
                .unitScale(360.0f)
                .drivesField()
                .io(CHANNEL_IO(HsvColor, hsv, setHsv, hue, setHue)),
            Entry(C::Saturation, QT_TRANSLATE_NOOP("ColorNames", "saturation"), C::HsvGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .linearForm(kLinearPercent)
                .drivesField(C::Hue, C::Value)
                .io(CHANNEL_IO(HsvColor, hsv, setHsv, saturation, setSaturation)),
            Entry(C::Value, QT_TRANSLATE_NOOP("ColorNames", "value"), C::HsvGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .linearForm(kLinearPercent)
                .drivesField(C::Hue, C::Saturation)
                .io(CHANNEL_IO(HsvColor, hsv, setHsv, value, setValue)),
            Entry(C::Lightness, QT_TRANSLATE_NOOP("ColorNames", "lightness"), C::LabGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .drivesField(C::RedGreen, C::BlueYellow)
                .io(CHANNEL_IO(LabColor, lab, setLab, lightness, setLightness)),
            Entry(C::RedGreen, QT_TRANSLATE_NOOP("ColorNames", "Lab a"), C::LabGroup)
                .range(-128, 127)
                .unitScale(255.0f, -128)
                .drivesField(C::Lightness, C::BlueYellow)
                .io(CHANNEL_IO(LabColor, lab, setLab, a, setA)),
            Entry(C::BlueYellow, QT_TRANSLATE_NOOP("ColorNames", "Lab b"), C::LabGroup)
                .range(-128, 127)
                .unitScale(255.0f, -128)
                .drivesField(C::Lightness, C::RedGreen)
                .io(CHANNEL_IO(LabColor, lab, setLab, b, setB)),
            // A CMYK edit rewrites its whole group: four percentages do not survive the trip
            // through RGB, so the group shows what the color became.
            Entry(C::Cyan, QT_TRANSLATE_NOOP("ColorNames", "cyan"), C::CmykGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .editKeepsItself()
                .io(CHANNEL_IO(CmykColor, cmyk, setCmyk, cyan, setCyan)),
            Entry(C::Magenta, QT_TRANSLATE_NOOP("ColorNames", "magenta"), C::CmykGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .editKeepsItself()
                .io(CHANNEL_IO(CmykColor, cmyk, setCmyk, magenta, setMagenta)),
            Entry(C::Yellow, QT_TRANSLATE_NOOP("ColorNames", "yellow"), C::CmykGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .editKeepsItself()
                .io(CHANNEL_IO(CmykColor, cmyk, setCmyk, yellow, setYellow)),
            Entry(C::Key, QT_TRANSLATE_NOOP("ColorNames", "key"), C::CmykGroup)
                .range(0, 100)
                .unitScale(100.0f)
                .editKeepsItself()
                .io(CHANNEL_IO(CmykColor, cmyk, setCmyk, key, setKey)),
            // Nothing is derived from alpha: it lives in the RGB record only.
            Entry(C::Alpha, QT_TRANSLATE_NOOP("ColorNames", "alpha"), C::Alpha)
                .range(0, 255)
                .unitScale(255.0f)
                .io([](const ColorValue& v) { return v.rgb().alpha(); },
                    [](ColorValue& v, int alpha) { v.setAlpha(alpha); }),
            // No float spinner: the scale stays 1.
            Entry(C::Temperature, QT_TRANSLATE_NOOP("ColorNames", "temperature"), C::Temperature)
                .range(1000, 15000)
                .io(CHANNEL_IO(TemperatureColor, temperature, setTemperature, kelvin, setKelvin)),
        };
        for (const Entry& entry : channels)
            entries[static_cast<int>(entry.info.channel)] = entry.info;
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
    return table().entries[i >= 0 && i < kCodes ? i : 0];
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
