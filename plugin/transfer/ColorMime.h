#pragma once

#include "color/ColorTextParser.h"

#include <QColor>

#include <memory>

class QMimeData;

// A color as the clipboard and drag and drop carry it between programs: Qt's color data
// ("application/x-color") and the text ColorTextParser::format writes, so that painting programs
// take the color and text editors the hex text.
class ColorMime
{
public:
    static std::unique_ptr<QMimeData> create(const QColor& color);

    // The color `data` carries: its color data when that holds a valid color, otherwise its text
    // as ColorTextParser reads it. Refused with a reason when there is neither.
    static ColorTextParser::Result read(const QMimeData* data);
};
