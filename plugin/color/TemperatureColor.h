#pragma once

class RgbColor;
class XyzColor;

// A correlated color temperature in kelvin, 1000..15000. Constructors and the setter clamp.
class TemperatureColor
{
public:
    TemperatureColor() = default;
    explicit TemperatureColor(int kelvin);
    // McCamy's approximation of the correlated color temperature of an sRGB color.
    explicit TemperatureColor(const RgbColor& rgb);
    // The same from the color's CIE 1931 XYZ.
    explicit TemperatureColor(const XyzColor& xyz);

    int kelvin() const { return m_kelvin; }
    void setKelvin(int kelvin);

    bool operator==(const TemperatureColor& other) const { return m_kelvin == other.m_kelvin; }
    bool operator!=(const TemperatureColor& other) const { return !(*this == other); }

private:
    int m_kelvin = 1000;
};
