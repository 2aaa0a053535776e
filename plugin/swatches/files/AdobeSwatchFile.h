#pragma once

#include "swatches/files/ColorList.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Adobe Swatch Exchange (".ase"), the swatch format Adobe's programs share. Big-endian throughout:
//
//     "ASEF", version 1.0 (two 16-bit words), block count (32 bits), then blocks of
//     type (16 bits: 0x0001 color, 0xC001 group start, 0xC002 group end), length of the rest
//     of the block in bytes (32 bits) and that many bytes.
//
// A color block holds its name (a 16-bit count of UTF-16 code units, the closing zero included,
// then the units), a four-letter color model ("RGB ", "CMYK", "LAB ", "Gray"), its components
// as 32-bit floats and a 16-bit color type (global, spot, normal). A group start block holds the
// group's name the same way, or nothing at all (length 0) for a group without a name. No
// widgets: the swatch panel, the tests and the fuzzer use the same functions.

// True when `data` begins with "ASEF".
bool isAdobeSwatchExchange(const QByteArray& data);

// Reads a swatch exchange file: each group becomes one list titled after it, in file order, and
// the colors outside any group one untitled list before them (a group without a name is
// untitled too). RGB and Gray (a light level, 1 is white) are on 0..1; CMYK is ink on 0..1,
// converted as the CMYK spinners convert percent; Lab is D50 Lab, lightness on 0..1 with a and b
// on -128..127, converted by colorFromLab. Values outside those ranges are clamped. Swatches are
// opaque and keep their names. Blocks of other types are skipped by their length. False, with a
// one-line reason and `lists` untouched, for a file that is cut short, has a block or name
// overrunning its length, a component that is not a number, or a color model other than these four.
bool parseAdobeSwatchExchange(const QByteArray& data, QVector<ColorList>& lists, QString& reason);

// The file of `lists`, each list one group in order, each swatch an RGB color of type normal.
// Names longer than a block can hold are cut.
QByteArray adobeSwatchExchangeData(const QVector<ColorList>& lists);
