#pragma once

// The sRGB transfer function of IEC 61966-2-1 and its inverse, written once and computed in the
// two precisions the picker needs: double for CSS colors, the copied texts and the WCAG
// luminance, single for the color model, whose bits the pictures and tests repeat.

// Linear light from a gamma-encoded value, and back, both on 0..1, in double precision. Extended
// to negative values by symmetry, as CSS Color 4 extends them.
double linearFromSrgb(double encoded);
double srgbFromLinear(double linear);

// One 0..255 channel to linear light on the 0..100 scale. The offset is added in single
// precision; division and power are done in double.
float decodeSrgb(int channel);

// The sRGB encoding of IEC 61966-2-1 for one linear channel on the 0..1 scale, scaled to 0..255
// and truncated (below 0 gives 0, above 255 gives 255). The exponent is the single-precision
// 0.41666666 and the power a powf: the last step of every conversion from XYZ to RGB.
int encodeSrgb(float linear);
