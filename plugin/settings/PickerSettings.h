#pragma once

#include "color/ColorChannel.h"
#include "fields/ColorFieldType.h"
#include "settings/ColorSpinnerType.h"
#include "swatches/PaletteAngleType.h"

// The picker's choices kept between openings: every key of the settings group "ColorDorvoDialog"
// in one record. The picker reads them when it is built and writes its own choices when it goes;
// the settings dialog shows and applies the expanded groups, which the picker's group placement
// reads. A damaged or out-of-range stored value reads as its default, so that every button group
// has a checked button and the field stack a page.
struct PickerSettings
{
    // The pages of the field stack, from the square field to the mixing canvas.
    static constexpr int kFirstFieldPage = static_cast<int>(ColorFieldType::FieldSquare);
    static constexpr int kLastFieldPage = static_cast<int>(ColorFieldType::FieldCanvas);
    // Harmony angle in degrees, also the angle spinner's reset value.
    static constexpr int kDefaultPaletteAngle = 30;

    int colorFieldIndex = kFirstFieldPage;
    ColorChannel sliderChannel = ColorChannel::Value;
    PaletteAngleType paletteAngleType = PaletteAngleType::Monochromatic;
    // Bounded by the angle spinner it is shown in, not here.
    int paletteAngle = kDefaultPaletteAngle;
    ColorSpinnerType spinnerType = ColorSpinnerType::Integer;
    bool sRgbSwitch = true;
    bool swatchListShown = false;
    // The spinner groups shown expanded, full width with a slider beside each spinner; false
    // when absent or not a truth value.
    bool hsvExpanded = false;
    bool rgbExpanded = false;
    bool cieLabExpanded = false;

    static PickerSettings read();
    // The picker's own choices, every key but the expanded groups.
    void writeDialogChoices() const;
    // The expanded groups alone, which only the settings dialog's Apply writes.
    void writeExpandedGroups() const;
};
