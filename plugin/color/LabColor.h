#pragma once

class RgbColor;
class XyzColor;

// CIE 1976 L*a*b* relative to D65: lightness 0..100, a and b -128..127. The integer constructor
// and the setters clamp; the conversion from RGB stores its results as computed (they always lie
// inside the ranges for 8-bit colors).
class LabColor
{
public:
    LabColor() = default;
    LabColor(int lightness, int a, int b);
    explicit LabColor(const RgbColor& rgb);
    explicit LabColor(const XyzColor& xyz);

    int alpha() const { return m_alpha; }
    int lightness() const { return m_lightness; }
    int a() const { return m_a; }
    int b() const { return m_b; }
    // Unit forms: lightness / 100, and a and b shifted so that -128..127 spans 0..1.
    float lightnessF() const { return m_lightness / 100.0f; }
    float aF() const { return (m_a + 128) / 255.0f; }
    float bF() const { return (m_b + 128) / 255.0f; }

    void setLightness(int lightness);
    void setA(int a);
    void setB(int b);

    bool operator==(const LabColor& other) const;
    bool operator!=(const LabColor& other) const { return !(*this == other); }

private:
    int m_alpha = 255;
    int m_lightness = 0;
    int m_a = 0;
    int m_b = 0;
};
