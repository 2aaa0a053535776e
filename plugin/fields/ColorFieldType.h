#pragma once

// Pages of the dialog's color field stack, in stack order. The number is stored in the settings
// ("ColorField"), so the values never change.
enum class ColorFieldType : int
{
    FieldSquare = 0,
    FieldHsvWheel = 1,
    FieldHueWheel = 2,
    // The fourth name of the field selector, "Mixing Canvas".
    FieldCanvas = 3,
};

// fieldTypeNames, the selector's texts of the four pages ("Square", "HSV Wheel", "Hue Wheel",
// "Mixing Canvas"), is one of the shared text constants of the color model.
#include "color/ColorTexts.h"
