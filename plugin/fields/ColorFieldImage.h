#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <QImage>
#include <QPoint>

// The picture of the square color field and the mapping between its pixels and colors. Every
// pixel equals what converting the channel's record (with its two axis channels overwritten) to an
// RgbColor gives; the work that depends only on a column or a row is done once per column or row,
// rows that repeat are copied, and the sRGB encoding comes from a table.
class ColorFieldImage
{
public:
    // The axis channel's value at column x of a field width pixels wide, and at row y of a field
    // height pixels high, clamped as the record's setter clamps it.
    static int columnValue(ColorChannel channel, int x, int width);
    static int rowValue(ColorChannel channel, int y, int height);

    // The component held fixed by channel (red for Red, hue for Hue, a for RedGreen, ...).
    static int fixedValue(const ColorValue& value, ColorChannel channel);

    // The width x height RGB32 picture for channel at value's fixed component; a null image for a
    // channel that is not a field channel.
    static QImage render(int width, int height, const ColorValue& value, ColorChannel channel);
    // The same into an existing RGB32 image of the field's size; false (image untouched) for a
    // channel that is not a field channel or an image of another format.
    static bool renderInto(QImage& image, const ColorValue& value, ColorChannel channel);

    // Where value's marker stands. For the Lab channels it is the last pixel, visiting columns from
    // the left and each column from the top, whose two axis values equal value's; (0, 0) when no
    // pixel matches or the channel is not a field channel.
    static QPoint markerPosition(int width, int height, const ColorValue& value,
                                 ColorChannel channel);
};
