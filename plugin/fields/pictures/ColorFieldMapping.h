#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <QPoint>

// Where colors stand on the square color field for one fixed channel and one field size: from a
// position to a value (what the picture shows in a pixel, what the pointer picks at a point) and
// from a value to a position (where its marker stands). The picture, the pick and the marker all
// go through here.
//
// The picture and the pointer read the axes with different arithmetic, and the difference is
// visible: an RGB column shows nearest(255 x (255 / W) - (255 - x)), one less than the pointer
// picks there on columns 1 to 128 of a 256 field (column 128 shows 127, a pick there gives 128);
// a Lab column shows a or b stepping by 255 / W per pixel while the pointer steps them by one per
// pixel, and the pointer reads lightness with the factor 1/256 whatever the height. The marker of
// an RGB or HSV value is placed by the inverse of the pointer's arithmetic; the marker of a Lab
// pair is the last pixel of the picture that shows it.
class ColorFieldMapping
{
public:
    ColorFieldMapping(ColorChannel channel, int width, int height);

    // The channels along the axes of the field that holds `fixed`: the one growing to the right
    // and the one growing upward; None for a channel that is not a field channel.
    static ColorChannel horizontalChannel(ColorChannel fixed);
    static ColorChannel verticalChannel(ColorChannel fixed);

    // The axis value the picture shows in column x (0..width - 1) and in row y (0..height - 1),
    // clamped as the record's setter clamps it; 0 for a channel that is not a field channel.
    int columnValue(int x) const;
    int rowValue(int y) const;

    // The color the pointer picks at p (0..width and 0..height, both ends included): color's
    // record of the channel's space with the two axis channels under p, opaque. A channel that is
    // not a field channel picks color itself, opaque.
    ColorValue colorAt(const QPoint& p, const ColorValue& color) const;

    // Where value's marker stands. For the Lab channels the last pixel, visiting columns from the
    // left and each column from the top, whose column and row show value's two axis components;
    // (0, 0) when none does or the channel is not a field channel.
    QPoint markerPosition(const ColorValue& value) const;

private:
    ColorChannel channel;
    int width;
    int height;
};
