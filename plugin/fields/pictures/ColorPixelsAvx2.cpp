// Compiled for AVX2 (-mavx2, /arch:AVX2; see plugin/fields/sources.cmake): called only where the
// CPU has it. No standard library templates here, whose out-of-line copies the linker could
// share with code built for the baseline.

#if defined(_MSC_VER)
// MSVC before 2022 contracts a * b + c into fused multiply-adds under /fp:precise once AVX2 allows
// it; the pragma covers the functions that follow, the included loops among them.
#pragma fp_contract(off)
#endif

#include "fields/pictures/ColorPixelsLoops.h"

#include <immintrin.h>

namespace ColorPixelsLoops {

void hsvPixelsAvx2(bool valueSteps, const int* stepped, int fixed, float weight,
                   SectorScales scales, quint32* out, int count)
{
    hsvPixelsLoop(valueSteps, stepped, fixed, weight, scales, out, count);
    _mm256_zeroupper();
}

void hueRunPixelsAvx2(const HueTerms& run, float c, float m, quint32* out)
{
    hueRunPixelsLoop(run, c, m, out);
    _mm256_zeroupper();
}

} // namespace ColorPixelsLoops
