#pragma once

class RgbColor;

// Hue in degrees 0..360 (360 is kept as typed and means the same hue as 0), saturation and value
// in percent 0..100, alpha 0..255. Constructors and setters clamp; nothing wraps.
class HsvColor
{
public:
    HsvColor() = default;
    HsvColor(int hue, int saturation, int value, int alpha = 255);
    // RGB to HSV. The new record is opaque: the conversion writes hue, saturation and value only.
    explicit HsvColor(const RgbColor& rgb);

    // The hexcone's terms of a hue (0..360) for the conversion to RGB: the sixth of the circle it
    // lies in (0 from red to yellow, ... 5 from magenta to red, with 360), and the share of the
    // chroma in the sector's middle component, 1 - |(hue / 60 mod 2) - 1| with hue / 60 in float.
    static int sector(int hue);
    static double secondaryWeight(int hue);
    // The hue opposite `hue` on the circle, hue + 180 below 180 and hue - 180 from there: 180
    // gives 0 and 360 gives 180.
    static int complementHue(int hue);

    // RGB to HSV into this record; alpha is left as it is.
    void setFromRgb(const RgbColor& rgb);

    int alpha() const { return m_alpha; }
    int hue() const { return m_hue; }
    int saturation() const { return m_saturation; }
    int value() const { return m_value; }
    float hueF() const { return m_hue / 360.0f; }
    float saturationF() const { return m_saturation / 100.0f; }
    float valueF() const { return m_value / 100.0f; }

    void setAlpha(int alpha);
    void setHue(int hue);
    void setSaturation(int saturation);
    void setValue(int value);

    // Linear (pure 2.2 power law) forms of saturation and value, for display with the sRGB switch
    // off, and setters taking that form (clamped to 0..100 first).
    int linearSaturation() const;
    int linearValue() const;
    float linearSaturationF() const;
    float linearValueF() const;
    void setLinearSaturation(int linear);
    void setLinearValue(int linear);

    // Alpha takes no part in the comparison.
    bool operator==(const HsvColor& other) const;
    bool operator!=(const HsvColor& other) const { return !(*this == other); }

private:
    int m_alpha = 255;
    int m_hue = 0;
    int m_saturation = 0;
    int m_value = 0;
};
