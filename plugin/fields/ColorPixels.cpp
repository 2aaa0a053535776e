#include "fields/ColorPixels.h"

#include <immintrin.h>
#include <math.h>

namespace {

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
            const float hp = h / 60.0f;
            weight[h] = 1.0 - fabs(fmod(double(hp), 2.0) - 1.0);
            weightF[h] = static_cast<float>(weight[h]);
            sector[h] = h < 60 ? 0 : h < 120 ? 1 : h < 180 ? 2 : h < 240 ? 3 : h < 300 ? 4 : 5;
        }
    }
};

const HueTable& hueTable()
{
    static const HueTable table;
    return table;
}

// Multipliers that put primary, secondary and rest of a sector in their bytes of a pixel.
struct SectorScales
{
    float primary;
    float secondary;
    float rest;
};

SectorScales sectorScales(int sector)
{
    static const float kScale[3] = {65536.0f, 256.0f, 1.0f}; // red, green, blue
    // The component (red 0, green 1, blue 2) that takes primary, secondary and rest.
    static const int kPlace[6][3] = {{0, 1, 2}, {1, 0, 2}, {1, 2, 0},
                                     {2, 1, 0}, {2, 0, 1}, {0, 2, 1}};
    return {kScale[kPlace[sector][0]], kScale[kPlace[sector][1]], kScale[kPlace[sector][2]]};
}

// The three components truncated to integers, then packed by float multiples: every product and
// sum is an integer below 2^24, so exact, and the loops vectorize without per-lane shifts.
[[gnu::always_inline]] inline quint32 pack(float primary, float secondary, float rest,
                                           float primaryScale, float secondaryScale,
                                           float restScale)
{
    const float bits = float(static_cast<int>(primary * 255.0f)) * primaryScale +
                       float(static_cast<int>(secondary * 255.0f)) * secondaryScale +
                       float(static_cast<int>(rest * 255.0f)) * restScale;
    return 0xff000000u | quint32(static_cast<int>(bits));
}

// The bodies of the loops below, compiled twice: for the baseline and for AVX2. The percentages
// are divided in the loop, where the division vectorizes too.
template <bool ValueSteps>
[[gnu::always_inline]] inline void hsvPixelsBody(const int* stepped, int fixed, float weight,
                                                 SectorScales scales, quint32* out, int count)
{
    const float fixedUnit = fixed / 100.0f;
    for (int i = 0; i < count; ++i) {
        const float steppedUnit = stepped[i] / 100.0f;
        const float v = ValueSteps ? steppedUnit : fixedUnit;
        const float c = (ValueSteps ? fixedUnit : steppedUnit) * v;
        const float m = v - c;
        const float x = c * weight;
        out[i] = pack(c + m, x + m, m, scales.primary, scales.secondary, scales.rest);
    }
}

[[gnu::always_inline]] inline void hueRunBody(const ColorPixels::HueRun& run, float c, float m,
                                              quint32* out)
{
    const float* weight = run.weight.data();
    const float* primaryScale = run.primaryScale.data();
    const float* secondaryScale = run.secondaryScale.data();
    const float* restScale = run.restScale.data();
    const float primary = c + m;
    const int count = run.count; // out may alias an int: keep the bound out of memory
    for (int i = 0; i < count; ++i) {
        const float x = c * weight[i];
        out[i] = pack(primary, x + m, m, primaryScale[i], secondaryScale[i], restScale[i]);
    }
}

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

template <bool ValueSteps>
void hsvPixelsBaseline(const int* stepped, int fixed, float weight, SectorScales scales,
                       quint32* out, int count)
{
    ColorPixels::clearUpperVectorHalves();
    hsvPixelsBody<ValueSteps>(stepped, fixed, weight, scales, out, count);
}

void hueRunBaseline(const ColorPixels::HueRun& run, float c, float m, quint32* out)
{
    ColorPixels::clearUpperVectorHalves();
    hueRunBody(run, c, m, out);
}

// The compiler ends AVX2 functions with vzeroupper, so the SSE code around them pays no penalty
// for dirty upper vector halves.
template <bool ValueSteps>
__attribute__((target("avx2"))) void hsvPixelsAvx2(const int* stepped, int fixed, float weight,
                                                   SectorScales scales, quint32* out, int count)
{
    hsvPixelsBody<ValueSteps>(stepped, fixed, weight, scales, out, count);
}

__attribute__((target("avx2"))) void hueRunAvx2(const ColorPixels::HueRun& run, float c, float m,
                                                quint32* out)
{
    hueRunBody(run, c, m, out);
}

bool& wideVectors()
{
    static bool wide = __builtin_cpu_supports("avx2");
    return wide;
}

} // namespace

ColorPixels::HueRun::HueRun(const int* hues, int count)
    : count(count), weight(count), primaryScale(count), secondaryScale(count), restScale(count)
{
    const HueTable& table = hueTable();
    for (int i = 0; i < count; ++i) {
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
    const bool wide = wideVectors();
    if (valueSteps) {
        (wide ? hsvPixelsAvx2<true> : hsvPixelsBaseline<true>)(stepped, fixed, weight, scales, out,
                                                               count);
    } else {
        (wide ? hsvPixelsAvx2<false> : hsvPixelsBaseline<false>)(stepped, fixed, weight, scales,
                                                                 out, count);
    }
}

void ColorPixels::hueRunPixels(const HueRun& run, int saturation, int value, quint32* out)
{
    const float v = value / 100.0f;
    const float c = saturation / 100.0f * v;
    const float m = v - c;
    if (wideVectors()) {
        hueRunAvx2(run, c, m, out);
    } else {
        hueRunBaseline(run, c, m, out);
    }
}

void ColorPixels::clearUpperVectorHalves()
{
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) {
        zeroUpper();
    }
}

bool ColorPixels::setWideVectors(bool on)
{
    wideVectors() = on && __builtin_cpu_supports("avx2");
    return wideVectors();
}

float ColorPixels::labInverse(float f)
{
    const float c = powf(f, 3.0f);
    if (c > 0.008856f) {
        return c;
    }
    return (f - 0.13793103f) * 0.12841856f;
}

// Every X, Y and Z a Lab record with integer channels can give.
const ColorPixels::LabTables& ColorPixels::labTables()
{
    static const LabTables* const tables = [] {
        auto* t = new LabTables;
        for (int l = 0; l <= 100; ++l) {
            const float fy = labFy(l);
            t->y[l] = labInverse(fy) * 100.0f / 100.0f;
            for (int i = 0; i < 256; ++i) {
                t->x[l][i] = labInverse(labAOffset(i - 128) + fy) * 95.0489f / 100.0f;
                t->z[l][i] = labInverse(fy - labBOffset(i - 128)) * 108.884f / 100.0f;
            }
        }
        return t;
    }();
    return *tables;
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
