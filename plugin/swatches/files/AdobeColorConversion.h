#pragma once

#include <QColor>

// Colors of Adobe's swatch files as the picker's colors. RGB, gray, CMYK and HSB go
// through the conversion the dialog's spinners use for their space, so an imported swatch is the
// color those spinners would make of the same numbers. Lab does not: Adobe's Lab is CIE Lab on
// the D50 white (as ICC profiles and CSS's lab() have it), not the model's D65 Lab. Every
// argument is clamped to its range first; none may be NaN.

// A light level on 0..1 for all three channels (RGB components and gray levels).
int unitToChannel(float unit);
// Cyan, magenta, yellow and black ink on 0..1, rounded to whole percent.
QColor colorFromInk(float cyan, float magenta, float yellow, float key);
// Lightness on 0..100, a and b on -128..127, D50 Lab unrounded: converted as a pasted lab() is
// (CssColorSpaces, Bradford to sRGB's D65), each channel clipped to 0..1 on its own and rounded
// to 8 bits, halves up. A color outside sRGB thus keeps the channels that fit.
QColor colorFromLab(double lightness, double a, double b);
// Hue on 0..360 degrees, saturation and brightness on 0..1, rounded to whole degrees and
// percent.
QColor colorFromHsb(float hue, float saturation, float brightness);
