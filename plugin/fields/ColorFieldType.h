#pragma once

// Pages of the dialog's color field stack, in stack order. The number is stored in the settings
// ("ColorField"), so the values never change.
enum class ColorFieldType : int
{
    FieldSquare = 0,
    FieldHsvWheel = 1,
    FieldHueWheel = 2,
    // Reached only through the stored page index: the field selector lists the first three.
    FieldCanvas = 3,
};

// fieldTypeNames, the selector's texts of the first three pages ("Square", "HSV Wheel",
// "Hue Wheel"), is one of the shared text constants of the color model.
#include "color/ColorTexts.h"
