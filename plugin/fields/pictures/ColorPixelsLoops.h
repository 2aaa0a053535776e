#pragma once

#include <QtGlobal>

// The HSV loops of ColorPixels, compiled twice: by ColorPixels.cpp for the SSE2 baseline and by
// ColorPixelsAvx2.cpp, whose flags let the compiler vectorize them eight pixels wide. Both give
// the same pixels.
namespace ColorPixelsLoops {

// Multipliers that put primary, secondary and rest of a sector in their bytes of a pixel (65536
// red, 256 green, 1 blue): packing in float keeps the loops in vector arithmetic.
struct SectorScales
{
    float primary;
    float secondary;
    float rest;
};

// The per-hue terms of a run of hues (ColorPixels::HueRun) as plain arrays of count entries.
struct HueTerms
{
    const float* weight;
    const float* primaryScale;
    const float* secondaryScale;
    const float* restScale;
    int count;
};

// The AVX2 builds (ColorPixelsAvx2.cpp): only for CPUs that have AVX2. Both end by clearing the
// upper vector halves, so the SSE code around them pays no penalty.
void hsvPixelsAvx2(bool valueSteps, const int* stepped, int fixed, float weight,
                   SectorScales scales, quint32* out, int count);
void hueRunPixelsAvx2(const HueTerms& run, float c, float m, quint32* out);

// Internal linkage: each source that includes this compiles its own copy for its own instruction
// set, and the linker cannot pick the AVX2 copy for the baseline code.
namespace {

// The three components truncated to integers, then packed by float multiples: every product and
// sum is an integer below 2^24, so exact, and the loops vectorize without per-lane shifts.
inline quint32 pack(float primary, float secondary, float rest, float primaryScale,
                    float secondaryScale, float restScale)
{
    const float bits = float(static_cast<int>(primary * 255.0f)) * primaryScale +
                       float(static_cast<int>(secondary * 255.0f)) * secondaryScale +
                       float(static_cast<int>(rest * 255.0f)) * restScale;
    return 0xff000000u | quint32(static_cast<int>(bits));
}

// Pixels of one hue: saturation stepped (value fixed), or with ValueSteps value stepped. The
// percentages are divided in the loop, where the division vectorizes too.
template <bool ValueSteps>
void steppedPixelsLoop(const int* stepped, int fixed, float weight, SectorScales scales,
                       quint32* out, int count)
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

inline void hsvPixelsLoop(bool valueSteps, const int* stepped, int fixed, float weight,
                          SectorScales scales, quint32* out, int count)
{
    if (valueSteps) {
        steppedPixelsLoop<true>(stepped, fixed, weight, scales, out, count);
    } else {
        steppedPixelsLoop<false>(stepped, fixed, weight, scales, out, count);
    }
}

// Pixels of one saturation and value (as chroma c and offset m) along a run of hues.
inline void hueRunPixelsLoop(const HueTerms& run, float c, float m, quint32* out)
{
    const float* weight = run.weight;
    const float* primaryScale = run.primaryScale;
    const float* secondaryScale = run.secondaryScale;
    const float* restScale = run.restScale;
    const float primary = c + m;
    const int count = run.count; // out may alias an int: keep the bound out of memory
    for (int i = 0; i < count; ++i) {
        const float x = c * weight[i];
        out[i] = pack(primary, x + m, m, primaryScale[i], secondaryScale[i], restScale[i]);
    }
}

} // namespace
} // namespace ColorPixelsLoops
