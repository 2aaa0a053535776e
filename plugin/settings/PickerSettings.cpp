#include "settings/PickerSettings.h"

#include "host/services/SettingsStore.h"

#include <QString>
#include <QVariant>

namespace {

const char kSettingsGroup[] = "ColorDorvoDialog";

template <typename T> T readSetting(const char* key, T fallback)
{
    QVariant value = fallback;
    ReadSetting(QString::fromLatin1(kSettingsGroup), QString::fromLatin1(key), value);
    return value.canConvert<T>() ? value.value<T>() : fallback;
}

void writeSetting(const char* key, const QVariant& value)
{
    WriteSetting(QString::fromLatin1(kSettingsGroup), QString::fromLatin1(key), value);
}

bool isPaletteAngleType(int type)
{
    return type >= static_cast<int>(PaletteAngleType::Monochromatic) &&
           type <= static_cast<int>(PaletteAngleType::Tetrad);
}

} // namespace

PickerSettings PickerSettings::read()
{
    // Read in the order the keys were always read; each falls back to the member's default.
    PickerSettings settings;
    const int page = readSetting<int>("ColorField", settings.colorFieldIndex);
    if (page >= kFirstFieldPage && page <= kLastFieldPage)
        settings.colorFieldIndex = page;

    const auto slider = static_cast<ColorChannel>(
        readSetting<int>("ColorSlider", static_cast<int>(settings.sliderChannel)));
    if (isSliderChannel(slider))
        settings.sliderChannel = slider;

    const int angleType =
        readSetting<int>("PaletteAngleType", static_cast<int>(settings.paletteAngleType));
    if (isPaletteAngleType(angleType))
        settings.paletteAngleType = static_cast<PaletteAngleType>(angleType);

    const int spinnerPage =
        readSetting<int>("ColorSpinnerType", static_cast<int>(settings.spinnerType));
    // Anything but the float page shows the integer spinners.
    if (spinnerPage == static_cast<int>(ColorSpinnerType::Float))
        settings.spinnerType = ColorSpinnerType::Float;

    settings.paletteAngle = readSetting<int>("PaletteAngle", settings.paletteAngle);
    settings.sRgbSwitch = readSetting<bool>("sRgbSwitch", settings.sRgbSwitch);
    settings.swatchListShown = readSetting<bool>("SwatchList", settings.swatchListShown);
    settings.hsvExpanded = readSetting<bool>("HsvExpanded", settings.hsvExpanded);
    settings.rgbExpanded = readSetting<bool>("RgbExpanded", settings.rgbExpanded);
    settings.cieLabExpanded = readSetting<bool>("CieLabExpanded", settings.cieLabExpanded);
    return settings;
}

void PickerSettings::writeDialogChoices() const
{
    writeSetting("ColorField", colorFieldIndex);
    writeSetting("ColorSlider", static_cast<int>(sliderChannel));
    writeSetting("ColorSpinnerType", static_cast<int>(spinnerType));
    writeSetting("PaletteAngleType", static_cast<int>(paletteAngleType));
    writeSetting("PaletteAngle", paletteAngle);
    writeSetting("sRgbSwitch", sRgbSwitch);
    writeSetting("SwatchList", swatchListShown);
}

void PickerSettings::writeExpandedGroups() const
{
    writeSetting("HsvExpanded", hsvExpanded);
    writeSetting("RgbExpanded", rgbExpanded);
    writeSetting("CieLabExpanded", cieLabExpanded);
}
