#pragma once

#include <QColor>
#include <QRgb>
#include <cstdint>

class HsvColor;
class LabColor;
class CmykColor;
class TemperatureColor;
class ColorValue;

// An 8-bit RGB color with alpha. Every constructor and setter clamps each channel to 0..255;
// nothing wraps. The hub of the color model: every other record converts to and from it.
class RgbColor
{
public:
    RgbColor() = default;
    RgbColor(int red, int green, int blue, int alpha = 255);
    // A pixel as QImage::pixel returns it. The packed alpha byte is ignored (alpha = 255):
    // screen captures carry no meaningful alpha.
    explicit RgbColor(QRgb pixel);
    explicit RgbColor(const QColor& color);
    // HSV to RGB; the result takes the HSV record's alpha.
    explicit RgbColor(const HsvColor& hsv);
    // CIE-Lab to RGB; the result is opaque. When `clipped` is given it tells whether sRGB could not
    // show the color and the clamp to 0..255 changed it by more than the integer Lab values of
    // in-gamut colors explain: every 8-bit sRGB color's own rounded Lab lands up to 0.0246 outside
    // 0..1 in linear light, so a channel counts as clipped beyond 0.025 there.
    explicit RgbColor(const LabColor& lab, bool* clipped = nullptr);
    explicit RgbColor(const ColorValue& value);

    // Hue, saturation, value and alpha clamped as HsvColor clamps them, then converted.
    static RgbColor fromHsv(int hue, int saturation, int value, int alpha = 255);
    // Lightness, a and b clamped as LabColor clamps them, then converted; opaque.
    static RgbColor fromLab(int lightness, int a, int b);

    int alpha() const { return m_alpha; }
    int red() const { return m_red; }
    int green() const { return m_green; }
    int blue() const { return m_blue; }
    float alphaF() const { return m_alpha / 255.0f; }
    float redF() const { return m_red / 255.0f; }
    float greenF() const { return m_green / 255.0f; }
    float blueF() const { return m_blue / 255.0f; }

    void setRed(int red);
    void setGreen(int green);
    void setBlue(int blue);
    void setAlpha(int alpha);
    void setRgba(int red, int green, int blue, int alpha);

    // Red, green and blue from another space, written in place; alpha is left as it is. CMYK
    // spans the RGB cube exactly and never clips; the temperature fit does at both ends (below
    // about 1900 K, where the black body lies outside sRGB, and where it overshoots red just above
    // 6600 K), which `clipped` tells: a rounded channel more than one step outside 0..255 (white at
    // 6600 K comes out as green 256).
    void setFromCmyk(const CmykColor& cmyk);
    void setFromTemperature(const TemperatureColor& temperature, bool* clipped = nullptr);

    // Linear (pure 2.2 power law) forms of the channels, for display with the sRGB switch off.
    int linearRed() const;
    int linearGreen() const;
    int linearBlue() const;
    float linearRedF() const;
    float linearGreenF() const;
    float linearBlueF() const;
    // Store a channel given in linear form (clamped to 0..255 first).
    void setLinearRed(int linear);
    void setLinearGreen(int linear);
    void setLinearBlue(int linear);

    QColor toQColor() const;
    // Red, green, blue, alpha on 0..1: the order of the host's AColor.
    void toFloats(float out[4]) const;
    // Red in bits 0..7, green in 8..15, blue in 16..23, zero above.
    std::uint32_t toColorRef() const;

    bool operator==(const RgbColor& other) const;
    bool operator!=(const RgbColor& other) const { return !(*this == other); }

private:
    int m_alpha = 255;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
};
