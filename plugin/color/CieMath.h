#pragma once

// CIE 1931 XYZ and CIE 1976 L*a*b* relative to the D65 white, and the sRGB primaries' matrices of
// IEC 61966-2-1 (four decimals), in the single-precision arithmetic of the color model. The
// model's conversions and the field and slider pictures (and the tables they build) compute from
// these, so both give the same bits.

// The D65 reference white on the 0..100 XYZ scale.
constexpr float kD65WhiteX = 95.0489f;
constexpr float kD65WhiteY = 100.0f;
constexpr float kD65WhiteZ = 108.884f;

// Where the cube-root part of the Lab companding starts, as CIE's rounded (6/29)^3.
constexpr float kLabEpsilon = 0.008856f;

// One row of a 3x3 matrix, applied to a column (p, q, r) as (p * x + q * y) + r * z: each product
// rounded, the first two summed, then the third. Pictures that hold the first two terms per column
// and add the third per pixel keep that order and get the same bits.
struct MatrixRow
{
    float x;
    float y;
    float z;

    float operator()(float p, float q, float r) const { return p * x + q * y + r * z; }
};

// XYZ on the 0..1 scale (white Y = 1) to linear sRGB on 0..1.
constexpr MatrixRow kLinearRedFromXyz{3.2406f, -1.5372f, -0.4986f};
constexpr MatrixRow kLinearGreenFromXyz{-0.9689f, 1.8758f, 0.0415f};
constexpr MatrixRow kLinearBlueFromXyz{0.0557f, -0.204f, 1.057f};

// Linear sRGB (red, green, blue) to XYZ, both on the same scale.
constexpr MatrixRow kXFromLinearRgb{0.4124f, 0.3576f, 0.1805f};
constexpr MatrixRow kYFromLinearRgb{0.2126f, 0.7152f, 0.0722f};
constexpr MatrixRow kZFromLinearRgb{0.0193f, 0.1192f, 0.9505f};

// The CIE companding of one white-relative component t: the cube root (a powf) above kLabEpsilon,
// the linear segment 7.787 t + 16/116 below.
float labCompand(float t);
// Its inverse: the cube (a single-precision powf, as every power of the model: two
// multiplications round twice and land elsewhere for a few dozen Lab colors) above kLabEpsilon,
// (f - 16/116) * 108/841 below.
float labInverse(float f);

// The companded components of an integer Lab color: fy from the lightness, fx = fy + labAOffset(a)
// and fz = fy - labBOffset(b).
inline float labFy(int lightness)
{
    return (lightness + 16) / 116.0f;
}
inline float labAOffset(int a)
{
    return a / 500.0f;
}
inline float labBOffset(int b)
{
    return b / 200.0f;
}

// X, Y and Z on the 0..1 scale (white Y = 1) of companded components: inverted, scaled by the
// white and brought down from 0..100.
float labToX(float fx);
float labToY(float fy);
float labToZ(float fz);
