#pragma once

class RgbColor;

// Relative luminance of WCAG 2: the sRGB channels decoded to linear light (IEC 61966-2-1; WCAG
// 2.0's threshold 0.03928 and the standard's 0.04045 split the 8-bit values alike) and weighted by
// the Rec. 709 luminance coefficients, in double precision: 0 for black, exactly 1 for white.
// Alpha is ignored.
double relativeLuminance(const RgbColor& rgb);

// The WCAG 2 contrast ratio of two colors, (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances with the lighter first: 1 to 21, exactly 1 for two colors of one luminance and
// exactly 21 for black and white.
double contrastRatio(const RgbColor& first, const RgbColor& second);
