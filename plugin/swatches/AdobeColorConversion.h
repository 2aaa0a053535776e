#pragma once

#include <QColor>

// Colors of Adobe's swatch files in the color model's own terms. Each goes through the
// conversion the dialog's spinners use for its space, so an imported swatch is the color those
// spinners would make of the same numbers. Every argument is clamped to its range first; none
// may be NaN.

// A light level on 0..1 for all three channels (RGB components and gray levels).
int unitToChannel(float unit);
// Cyan, magenta, yellow and black ink on 0..1, rounded to whole percent.
QColor colorFromInk(float cyan, float magenta, float yellow, float key);
// Lightness on 0..100, a and b on -128..127, rounded to whole numbers.
QColor colorFromLab(float lightness, float a, float b);
// Hue on 0..360 degrees, saturation and brightness on 0..1, rounded to whole degrees and
// percent.
QColor colorFromHsb(float hue, float saturation, float brightness);
