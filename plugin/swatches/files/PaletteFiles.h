#pragma once

#include "swatches/files/ColorList.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The one door to the swatch panel's file formats: JSON list files, GIMP palettes (".gpl"), Adobe
// Swatch Exchange (".ase") and Photoshop swatches (".aco"). Reading tells the format by the bytes,
// whatever the file is called; writing takes the format the user chose. No widgets.

// The formats a list can be written in.
enum class PaletteFormat
{
    GimpPalette,
    AdobeSwatchExchange,
    ColorListJson
};

// Reads the bytes of a file of any of the four formats into `lists`, in file order. A palette or
// swatch group without a name is titled `untitled`; a JSON list keeps an empty title as it is.
// False, with a one-line reason and `lists` untouched, for bytes the format they begin as does
// not read (anything that is no palette is read as a JSON list).
bool readPalettes(const QByteArray& bytes, const QString& untitled, QVector<ColorList>& lists,
                  QString& reason);

// The same for the file at `path`, its untitled lists titled after the file's base name. A file
// that cannot be opened, or is larger than MaxImportedBytes, is refused unread.
bool readPaletteFile(const QString& path, QVector<ColorList>& lists, QString& reason);

// The file name suffix of `format`, without the dot: "gpl", "ase", "json".
QString paletteSuffix(PaletteFormat format);
// The format whose suffix `path` ends in, in any case; false for none of them.
bool paletteFormatOf(const QString& path, PaletteFormat& format);

// The file of `list` in `format`. A swatch exchange file holds it as one group of its title.
QByteArray paletteData(const ColorList& list, PaletteFormat format);
