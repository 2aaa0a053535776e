#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <QImage>

// The picture of the square color field. Every pixel equals what converting the channel's record
// (with its two axis channels overwritten by ColorFieldMapping's column and row values) to an
// RgbColor gives; the work that depends only on a column or a row is done once per column or row,
// rows that repeat are copied, and the sRGB encoding comes from a table.
class ColorFieldImage
{
public:
    // The width x height RGB32 picture for channel at value's fixed component; a null image for a
    // channel that is not a field channel.
    static QImage render(int width, int height, const ColorValue& value, ColorChannel channel);
    // The same into an existing RGB32 image of the field's size; false (image untouched) for a
    // channel that is not a field channel or an image of another format.
    static bool renderInto(QImage& image, const ColorValue& value, ColorChannel channel);
};
