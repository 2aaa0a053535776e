#pragma once

#include <QRgb>
#include <cstdint>
#include <vector>

// The parts of the HSV and CIE-Lab conversions to RGB that the field and slider pictures share,
// bit-identical to the color model's: the per-hue terms and every X, Y and Z a Lab record with
// integer channels can give, in tables built by the model's own functions (HsvColor's hue terms,
// CieMath). Inputs are already clamped to the records' ranges.
class ColorPixels
{
public:
    static QRgb hsv(int hue, int saturation, int value);

    // Packs the three channel values of a sector: primary is chroma + m, secondary x + m, rest m.
    static QRgb sectorPixel(int sector, int primary, int secondary, int rest)
    {
        switch (sector) {
        case 0:
            return qRgb(primary, secondary, rest);
        case 1:
            return qRgb(secondary, primary, rest);
        case 2:
            return qRgb(rest, primary, secondary);
        case 3:
            return qRgb(rest, secondary, primary);
        case 4:
            return qRgb(secondary, rest, primary);
        default:
            return qRgb(primary, rest, secondary);
        }
    }

    // Opaque pixels of HSV colors sharing one hue, bit-identical to hsv(): out[i] is the color of
    // saturation stepped[i] and value fixed, or with valueSteps of saturation fixed and value
    // stepped[i] (percentages, already clamped).
    static void hsvPixels(int hue, const int* stepped, int fixed, bool valueSteps, quint32* out,
                          int count);

    // The per-hue terms of a run of hues, for hueRunPixels.
    struct HueRun
    {
        HueRun(const int* hues, int count);

        int count;
        std::vector<float> weight; // exact: see the hue table

        // Where primary, secondary and rest go in the pixel, as multipliers (65536 red, 256 green,
        // 1 blue): packing in float keeps the loops in vector arithmetic.
        std::vector<float> primaryScale, secondaryScale, restScale;
    };
    // Opaque pixels of one saturation and value along the run's hues, bit-identical to hsv().
    static void hueRunPixels(const HueRun& run, int saturation, int value, quint32* out);

    // Whether hsvPixels and hueRunPixels work eight pixels at a time with AVX2 (by default where
    // the CPU has it). Both ways give the same pixels; tests switch it off to check the SSE2 loops.
    // Returns whether the wide loops are in use afterwards.
    static bool setWideVectors(bool on);

    // CpuFeatures::clearUpperVectorHalves, which the picture loops compiled for SSE call first.
    static void clearUpperVectorHalves();

    // X, Y and Z on the 0..1 scale of every integer Lab input, computed once: X of (lightness, a)
    // indexed by a + 128, Y of lightness, Z of (lightness, b) indexed by b + 128.
    struct LabTables
    {
        float x[101][256];
        float y[101];
        float z[101][256];
    };
    static const LabTables& labTables();
    static const float* labXRow(int lightness) { return labTables().x[lightness]; }
    static float labY(int lightness) { return labTables().y[lightness]; }
    static const float* labZRow(int lightness) { return labTables().z[lightness]; }
};
