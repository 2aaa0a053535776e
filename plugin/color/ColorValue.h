#pragma once

#include "color/CmykColor.h"
#include "color/ColorChannel.h"
#include "color/HexColor.h"
#include "color/HsvColor.h"
#include "color/LabColor.h"
#include "color/RgbColor.h"
#include "color/TemperatureColor.h"
#include "color/XyzColor.h"

#include <QColor>
#include <cstdint>

// One color in every representation at once. RGB is the hub: an edit in any representation is
// applied to that member, RGB is derived from it, and every other member is derived from RGB. The
// edited member keeps exactly what was set (a hue typed for a grey survives). The alpha of the
// color is rgb's alpha; the alpha fields of the other members are not kept in step.
class ColorValue
{
public:
    // Black in rgb, but nothing derived: cmyk key 0, temperature 1000 K, hex "000000".
    ColorValue() = default;
    ColorValue(int red, int green, int blue, int alpha);
    // Unit floats in the host's AColor order. Each channel becomes trunc(double(f * 255) + 0.5),
    // that is half-steps round up.
    ColorValue(float red, float green, float blue, float alpha);
    explicit ColorValue(const QColor& color);
    explicit ColorValue(const RgbColor& rgb);
    // Keeps hsv as given; rgb (with the record's alpha) and the rest follow from it.
    explicit ColorValue(const HsvColor& hsv);
    // Keeps lab as given; rgb is opaque.
    explicit ColorValue(const LabColor& lab);
    // Keeps hex as given (not re-formatted, so typed upper case stays); rgb is parsed from it and
    // opaque.
    explicit ColorValue(const HexColor& hex);

    // Each setter replaces one representation and derives the others from it: RGB from the
    // record given (keeping rgb's alpha unless the record is RGB itself), then everything else
    // from RGB. The record given is kept exactly as set (a hue typed for a grey survives).
    void setRgb(const RgbColor& rgb);
    void setHsv(const HsvColor& hsv);
    void setCmyk(const CmykColor& cmyk);
    void setLab(const LabColor& lab);
    void setTemperature(const TemperatureColor& temperature);
    // Alpha lives in rgb only; nothing is derived from it.
    void setAlpha(int alpha);

    // The stored value of one channel (as its record holds it), 0 for group codes and Hex.
    int channel(ColorChannel channel) const;
    // Writes one channel through its record's clamping setter and derives the rest, as the
    // setters above do. Group codes and Hex change nothing.
    void setChannel(ColorChannel channel, int value);

    // Sets the hue (clamped 0..360) and updates from HSV.
    void setHue(int hue);

    // The opposite hue (saturation and value kept); RGB and the rest follow from HSV.
    ColorValue complementary() const;
    // 255 minus each of red, green, blue; the result is opaque.
    ColorValue inverted() const;

    QColor toQColor() const { return m_rgb.toQColor(); }
    void toFloats(float out[4]) const { m_rgb.toFloats(out); }
    std::uint32_t toColorRef() const { return m_rgb.toColorRef(); }

    bool operator==(const ColorValue& other) const;
    bool operator!=(const ColorValue& other) const { return !(*this == other); }

    const RgbColor& rgb() const { return m_rgb; }
    const HsvColor& hsv() const { return m_hsv; }
    const CmykColor& cmyk() const { return m_cmyk; }
    const XyzColor& xyz() const { return m_xyz; }
    const LabColor& lab() const { return m_lab; }
    const TemperatureColor& temperature() const { return m_temperature; }
    const HexColor& hex() const { return m_hex; }

private:
    // Which representation was set; every other one is derived from RGB.
    enum class Source
    {
        Rgb,
        Hsv,
        Cmyk,
        Lab,
        Temperature,
        Hex,
    };
    // Derives every representation but `source` from m_rgb. XYZ is computed once and both
    // CIE-Lab and the temperature are taken from it.
    void deriveFromRgb(Source source);
    // Red, green and blue of converted, alpha kept.
    void takeRgbChannels(const RgbColor& converted);

    RgbColor m_rgb;
    HsvColor m_hsv;
    CmykColor m_cmyk;
    XyzColor m_xyz;
    LabColor m_lab;
    TemperatureColor m_temperature;
    HexColor m_hex;
};
