#pragma once

#include "swatches/files/ColorList.h"

#include <QByteArray>
#include <QString>

// Photoshop's swatch files (".aco"): sections of big-endian 16-bit words, each a version (1 or
// 2), a color count and that many colors of five words, a color space id and four values. A
// version 2 color is followed by its name: a 32-bit count of UTF-16 code units, the closing zero
// included, then the units. Photoshop writes a version 1 section followed by a version 2 one
// with the same colors; older files have the first only. No widgets: the swatch panel, the tests
// and the fuzzer use the same functions.

// True when `data` begins as a section of version 1 or 2 does.
bool isPhotoshopSwatches(const QByteArray& data);

// Reads the version 2 section when there is one, else the version 1 section, into one untitled
// list of opaque swatches (named from version 2). The color spaces read, as the format defines
// them, each converted as the dialog's spinners of that space convert, Lab excepted:
//   0 RGB, each 0..65535;
//   1 HSB, hue 0..65535 for the whole circle, saturation and brightness 0..65535;
//   2 CMYK, each 0..65535 where 0 is full ink;
//   7 Lab on the D50 white, lightness 0..10000, a and b signed -12800..12700 (hundredths,
//     converted unrounded, see colorFromLab);
//   8 grayscale, 0..10000 from white to black.
// Bytes after the section read are ignored. False, with a one-line reason and `list` untouched,
// for a file cut short, another version, or a color in another space (the color book spaces).
bool parsePhotoshopSwatches(const QByteArray& data, ColorList& list, QString& reason);
