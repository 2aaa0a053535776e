#pragma once

class RgbColor;

// CIE 1931 XYZ on the 0..100 scale (the D65 white is kD65WhiteX, kD65WhiteY, kD65WhiteZ of
// CieMath.h).
class XyzColor
{
public:
    XyzColor() = default;
    XyzColor(float x, float y, float z);
    // sRGB (IEC 61966-2-1 transfer function and its D65 matrix, four decimals) to XYZ.
    explicit XyzColor(const RgbColor& rgb);

    int alpha() const { return m_alpha; }
    float x() const { return m_x; }
    float y() const { return m_y; }
    float z() const { return m_z; }

    bool operator==(const XyzColor& other) const;
    bool operator!=(const XyzColor& other) const { return !(*this == other); }

private:
    int m_alpha = 255;
    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_z = 0.0f;
};
