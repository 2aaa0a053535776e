#pragma once

#include "color/ColorChannel.h"
#include "dialog/ColorSpinnerType.h"
#include "fields/ColorFieldType.h"
#include "swatches/PaletteAngleType.h"

// The picker's choices kept between openings, in the settings group "ColorDorvoDialog": read
// when a dialog is built and written when it goes. A damaged or out-of-range stored value reads
// as its default, so that every button group has a checked button and the field stack a page.
struct DialogSettings
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

    static DialogSettings read();
    void write() const;
};
