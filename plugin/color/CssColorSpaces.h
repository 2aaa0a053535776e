#pragma once

#include <array>

// The color spaces of CSS Color Module Level 4 that pasted text may use, converted to and from
// gamma-encoded sRGB in double precision with the matrices and transfer functions published with
// that module (W3C, "Sample code for color conversions"). Unlike the color model's own Lab
// (CieMath: D65 white, four-decimal matrices, single precision), CSS defines lab() and lch() on a
// D50 white; they are adapted to sRGB's D65 with the Bradford matrix.
//
// Results are not clipped: a color outside sRGB has channels below 0 or above 1, and the transfer
// functions extend to negative values by symmetry, as CSS's do. sRGB's (also Display P3's) is the
// one of SrgbEncoding.
class CssColorSpaces
{
public:
    using Triple = std::array<double, 3>;

    // Gamma-encoded sRGB, red, green and blue on 0..1 inside the gamut, from:
    // CIE L*a*b* on the D50 white (lightness 0..100);
    static Triple srgbFromLab(const Triple& lab);
    // Oklab (lightness 0..1);
    static Triple srgbFromOklab(const Triple& oklab);
    // linear-light sRGB, Display P3 and ITU-R BT.2020, each on 0..1.
    static Triple srgbFromLinearSrgb(const Triple& linear);
    static Triple srgbFromDisplayP3(const Triple& p3);
    static Triple srgbFromRec2020(const Triple& rec2020);

    // Oklab from gamma-encoded sRGB on 0..1.
    static Triple oklabFromSrgb(const Triple& srgb);

    // (lightness, chroma, hue in degrees) to (lightness, a, b), for lch() and oklch().
    static Triple rectangularFromPolar(const Triple& lch);

    // An 8-bit channel from a gamma-encoded one: clipped to 0..1, then rounded to the nearest
    // step with halves up, as browsers round. NaN gives 0.
    static int byteFromUnit(double channel);
};
