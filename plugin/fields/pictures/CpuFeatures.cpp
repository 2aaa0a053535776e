#include "fields/pictures/CpuFeatures.h"

#include <cstdint>
#include <immintrin.h>
#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif

namespace {

struct CpuidResult
{
    std::uint32_t eax, ebx, ecx, edx;
};

CpuidResult cpuid(std::uint32_t leaf, std::uint32_t subleaf)
{
#if defined(_MSC_VER)
    int r[4];
    __cpuidex(r, int(leaf), int(subleaf));
    return {std::uint32_t(r[0]), std::uint32_t(r[1]), std::uint32_t(r[2]), std::uint32_t(r[3])};
#else
    unsigned int a, b, c, d;
    __cpuid_count(leaf, subleaf, a, b, c, d);
    return {a, b, c, d};
#endif
}

// XCR0: the register states the operating system saves on a context switch. Only to be read
// where cpuid reports OSXSAVE.
std::uint64_t savedRegisterStates()
{
#if defined(_MSC_VER)
    return _xgetbv(0);
#else
    std::uint32_t low, high;
    __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return std::uint64_t(high) << 32 | low;
#endif
}

#if defined(_MSC_VER)
// MSVC offers every intrinsic whatever the target architecture.
void zeroUpper()
{
    _mm256_zeroupper();
}
#else
__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}
#endif

struct Features
{
    bool avx = false;
    bool avx2 = false;

    Features()
    {
        const std::uint32_t highestLeaf = cpuid(0, 0).eax;
        if (highestLeaf < 1) {
            return;
        }
        const CpuidResult basic = cpuid(1, 0);
        const bool osSaves = (basic.ecx & (1u << 27)) != 0;
        const bool cpuAvx = (basic.ecx & (1u << 28)) != 0;
        // The SSE (bit 1) and AVX (bit 2) states both saved.
        avx = osSaves && cpuAvx && (savedRegisterStates() & 0x6) == 0x6;
        avx2 = avx && highestLeaf >= 7 && (cpuid(7, 0).ebx & (1u << 5)) != 0;
    }
};

const Features& features()
{
    static const Features f;
    return f;
}

} // namespace

bool CpuFeatures::hasAvx()
{
    return features().avx;
}

bool CpuFeatures::hasAvx2()
{
    return features().avx2;
}

void CpuFeatures::clearUpperVectorHalves()
{
    if (hasAvx()) {
        zeroUpper();
    }
}
