#include "fields/pictures/ColorPixels.h"

#include "color/CieMath.h"
#include "color/HsvColor.h"
#include "color/ModuleCaches.h"
#include "fields/pictures/ColorPixelsLoops.h"
#include "fields/pictures/CpuFeatures.h"

using ColorPixelsLoops::SectorScales;

namespace {

// HsvColor's hue terms of every hue.
struct HueTable
{
    double weight[361];
    // The same weights as floats. Every one of them is exactly a float (hue / 60 is a float, and
    // 1 - |fmod(h, 2) - 1| of it keeps within 24 significant bits), so for a float c the double
    // product c * weight is exact and rounding it to float equals the float product c * weightF:
    // the vector loops multiply in float and still match the double arithmetic bit for bit.
    float weightF[361];
    int sector[361];

    HueTable()
    {
        for (int h = 0; h <= 360; ++h) {
            weight[h] = HsvColor::secondaryWeight(h);
            weightF[h] = static_cast<float>(weight[h]);
            sector[h] = HsvColor::sector(h);
        }
    }
};

const HueTable& hueTable()
{
    static const HueTable table;
    return table;
}

SectorScales sectorScales(int sector)
{
    static const float kScale[3] = {65536.0f, 256.0f, 1.0f}; // red, green, blue
    // The component (red 0, green 1, blue 2) that takes primary, secondary and rest.
    static const int kPlace[6][3] = {{0, 1, 2}, {1, 0, 2}, {1, 2, 0},
                                     {2, 1, 0}, {2, 0, 1}, {0, 2, 1}};
    return {kScale[kPlace[sector][0]], kScale[kPlace[sector][1]], kScale[kPlace[sector][2]]};
}

bool& wideVectors()
{
    static bool wide = CpuFeatures::hasAvx2();
    return wide;
}

} // namespace

ColorPixels::HueRun::HueRun(const int* hues, int runLength)
    : count(runLength), weight(runLength), primaryScale(runLength), secondaryScale(runLength),
      restScale(runLength)
{
    const HueTable& table = hueTable();
    for (int i = 0; i < runLength; ++i) {
        weight[i] = table.weightF[hues[i]];
        const SectorScales scales = sectorScales(table.sector[hues[i]]);
        primaryScale[i] = scales.primary;
        secondaryScale[i] = scales.secondary;
        restScale[i] = scales.rest;
    }
}

void ColorPixels::hsvPixels(int hue, const int* stepped, int fixed, bool valueSteps, quint32* out,
                            int count)
{
    const HueTable& table = hueTable();
    const float weight = table.weightF[hue];
    const SectorScales scales = sectorScales(table.sector[hue]);
    if (wideVectors()) {
        ColorPixelsLoops::hsvPixelsAvx2(valueSteps, stepped, fixed, weight, scales, out, count);
    } else {
        CpuFeatures::clearUpperVectorHalves();
        ColorPixelsLoops::hsvPixelsLoop(valueSteps, stepped, fixed, weight, scales, out, count);
    }
}

void ColorPixels::hueRunPixels(const HueRun& run, int saturation, int value, quint32* out)
{
    const float v = value / 100.0f;
    const float c = saturation / 100.0f * v;
    const float m = v - c;
    const ColorPixelsLoops::HueTerms terms{run.weight.data(), run.primaryScale.data(),
                                           run.secondaryScale.data(), run.restScale.data(),
                                           run.count};
    if (wideVectors()) {
        ColorPixelsLoops::hueRunPixelsAvx2(terms, c, m, out);
    } else {
        CpuFeatures::clearUpperVectorHalves();
        ColorPixelsLoops::hueRunPixelsLoop(terms, c, m, out);
    }
}

void ColorPixels::clearUpperVectorHalves()
{
    CpuFeatures::clearUpperVectorHalves();
}

bool ColorPixels::setWideVectors(bool on)
{
    wideVectors() = on && CpuFeatures::hasAvx2();
    return wideVectors();
}

// Every X, Y and Z a Lab record with integer channels can give: 200 KB, kept until the module
// shuts down.
const ColorPixels::LabTables& ColorPixels::labTables()
{
    static ModuleCache<LabTables> tables([] {
        auto t = std::make_unique<LabTables>();
        for (int l = 0; l <= 100; ++l) {
            const float fy = labFy(l);
            t->y[l] = labToY(fy);
            for (int i = 0; i < 256; ++i) {
                t->x[l][i] = labToX(labAOffset(i - 128) + fy);
                t->z[l][i] = labToZ(fy - labBOffset(i - 128));
            }
        }
        return t;
    });
    return tables.get();
}

QRgb ColorPixels::hsv(int hue, int saturation, int value)
{
    const HueTable& table = hueTable();
    const float v = value / 100.0f;
    const float c = saturation / 100.0f * v;
    const float m = v - c;
    const float x = static_cast<float>(c * table.weight[hue]);
    return sectorPixel(table.sector[hue], static_cast<int>((c + m) * 255.0f),
                       static_cast<int>((x + m) * 255.0f), static_cast<int>(m * 255.0f));
}
