#pragma once

#include <QString>
#include <QStringList>

class RgbColor;

// Texts of colors shared across the plug-in. They are program constants and never translated.

// The hex text of black, also what a too-short typed hex text becomes.
constexpr const char kHexDefaultBlack[] = "000000";
// What a too-long typed hex text becomes.
constexpr const char kHexWhite[] = "FFFFFF";
// %1 a swatch's name, %2..%4 red, green and blue as decimal integers.
constexpr const char kSwatchToolTipFormat[] = "%1\nRed: %2\nGreen: %3\nBlue: %4";
// %1..%3 red, green and blue as decimal integers.
constexpr const char kCellStyleSheetFormat[] = "background-color: rgb(%1, %2, %3)";
// %1 the plug-in's version text.
constexpr const char kVersionLineFormat[] = "Color Dorvo Color Picker version: %1";
// The host icon of the screen picker.
constexpr const char kEyeDropperIconPath[] = "ColorPicker/EyeDropper";

// Names of the color field pages offered in the field selector, indexed by ColorFieldType:
// "Square", "HSV Wheel", "Hue Wheel", "Mixing Canvas".
extern const QStringList fieldTypeNames;

// The formats filled in. All placeholders are replaced in one pass, so a swatch name that
// itself contains "%2" is shown as typed.
QString swatchToolTipText(const QString& name, const RgbColor& rgb);
QString cellStyleSheetText(const RgbColor& rgb);
QString versionLineText(const QString& version);
