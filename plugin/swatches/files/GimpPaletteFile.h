#pragma once

#include "swatches/files/ColorList.h"

#include <QByteArray>
#include <QString>

// GIMP palette text (".gpl"), the palette format most free painting, drawing and layout programs
// read and write:
//
//     GIMP Palette
//     Name: Primaries
//     Columns: 3
//     # comment
//     255   0   0	red
//
// No widgets: the swatch panel, the tests and the fuzzer use the same functions.

// True when `data` begins with the palette's header line (after an optional UTF-8 byte order
// mark), which is how a palette is told from a JSON list whatever the file is called.
bool isGimpPalette(const QByteArray& data);

// Reads a palette: the header, then in any order blank lines, "#" comments, "Name:" and
// "Columns:" lines, and color lines of three whole numbers separated by white space and an
// optional name. Components are clamped to 0..255; swatches are opaque; the list's name is the
// "Name:" text, empty without one. False, with a one-line reason and `list` untouched, for a text
// without the header or with a line that is none of these.
bool parseGimpPalette(const QByteArray& data, ColorList& list, QString& reason);

// The palette text of `list`: header, "Name:", "Columns: 5", then one line per swatch, red, green
// and blue right-aligned in three places, and the name after a tab. Line breaks and other control
// characters in names become spaces, as a palette line cannot hold them.
QByteArray gimpPaletteText(const ColorList& list);
