#pragma once

#include "color/CmykColor.h"
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

    // After one member was changed in place through its own setters: derive RGB from it (keeping
    // rgb's alpha), then everything else from RGB.
    void updateFromRgb();
    void updateFromHsv();
    void updateFromCmyk();
    void updateFromLab();
    void updateFromTemperature();
    // Sets the hue (clamped 0..360) and updates from HSV.
    void setHue(int hue);

    // The opposite hue (saturation and value kept); RGB and the rest follow from HSV.
    ColorValue complementary() const;
    // 255 minus each of red, green, blue; the result is opaque.
    ColorValue inverted() const;

    QColor toQColor() const { return rgb.toQColor(); }
    void toFloats(float out[4]) const { rgb.toFloats(out); }
    std::uint32_t toColorRef() const { return rgb.toColorRef(); }

    bool operator==(const ColorValue& other) const;
    bool operator!=(const ColorValue& other) const { return !(*this == other); }

    RgbColor rgb;
    HsvColor hsv;
    CmykColor cmyk;
    XyzColor xyz;
    LabColor lab;
    TemperatureColor temperature;
    HexColor hex;

private:
    void deriveHsv() { hsv = HsvColor(rgb); }
    void deriveCmyk() { cmyk = CmykColor(rgb); }
    void deriveXyz() { xyz = XyzColor(rgb); }
    void deriveLab() { lab = LabColor(rgb); }
    void deriveTemperature() { temperature = TemperatureColor(rgb); }
    void deriveHex() { hex = HexColor(rgb); }
    // Red, green and blue of converted, alpha kept.
    void takeRgbChannels(const RgbColor& converted);
};
