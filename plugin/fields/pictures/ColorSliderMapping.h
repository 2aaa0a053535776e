#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

// Where values stand along a channel slider of a given length: from a coordinate to a value (what
// the strip shows at an index, what the pointer sends at a coordinate) and from a value to a
// coordinate (where its marker stands). The strip, the pick and the marker all go through here.
// Coordinates run from 0 (the channel's high end) to the length (its low end).
//
// The strip and the pointer use different arithmetic, and the difference is visible: the RGB and
// Lab strips step by 256 / length per index while the pointer reads 255 / length, and on the a and
// b channels the pointer sends one more than the value whose marker stands under it (128 at the
// top of the slider, one past the range).
class ColorSliderMapping
{
public:
    ColorSliderMapping(ColorChannel channel, int length);

    // The channel value strip index i (0..length - 1) shows, clamped as the record's constructor
    // clamps it; 0 for a channel that is not a slider channel.
    int stripValue(int i) const;
    // The channel value the pointer sends at a coordinate, unclamped: a drag beyond the ends sends
    // values beyond the channel's range.
    int valueAt(int coordinate) const;
    // The coordinate of the marker for value's channel component, unclamped; 0 for a channel that
    // is not a slider channel.
    int markerPosition(const ColorValue& value) const;

private:
    ColorChannel channel;
    int length;
};
