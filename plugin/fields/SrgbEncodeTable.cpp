#include "fields/SrgbEncodeTable.h"

#include "color/SrgbEncoding.h"

#include <climits>
#include <immintrin.h>
#include <math.h>

namespace {

float floatOf(std::int32_t bits)
{
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// Bit pattern of 2.0f: every linear value from there on encodes as 255.
constexpr std::int32_t kSaturatedBits = 0x40000000;

} // namespace

const SrgbEncodeTable& SrgbEncodeTable::instance()
{
    static const SrgbEncodeTable table;
    return table;
}

int SrgbEncodeTable::exact(float linear)
{
    return encodeSrgb(linear);
}

SrgbEncodeTable::SrgbEncodeTable()
{
    // Each step by bisection over positive bit patterns: lo encodes below n, hi at least n.
    std::int32_t steps[256] = {};
    for (int n = 1; n <= 255; ++n) {
        std::int32_t lo = n == 1 ? 0 : steps[n - 1] - 1;
        std::int32_t hi = kSaturatedBits;
        while (hi - lo > 1) {
            const std::int32_t mid = lo + (hi - lo) / 2;
            if (exact(floatOf(mid)) >= n) {
                hi = mid;
            } else {
                lo = mid;
            }
        }
        steps[n] = hi;
        m_thresholds[n] = floatOf(hi);
    }

    // The widest buckets that hold at most one step each.
    for (m_shift = 18; m_shift > 0; --m_shift) {
        m_base = steps[1] & ~((std::int32_t(1) << m_shift) - 1);
        m_lastBucket = (steps[255] - m_base) >> m_shift;
        bool oneStepEach = true;
        for (int n = 2; n <= 255 && oneStepEach; ++n) {
            oneStepEach = ((steps[n] - m_base) >> m_shift) != ((steps[n - 1] - m_base) >> m_shift);
        }
        if (oneStepEach) {
            break;
        }
    }

    __builtin_cpu_init();
    m_avx2 = __builtin_cpu_supports("avx2");

    m_startValue.resize(m_lastBucket + 1);
    m_nextStep.resize(m_lastBucket + 1);
    int value = 0;
    for (std::int32_t i = 0; i <= m_lastBucket; ++i) {
        const std::int32_t start = m_base + (i << m_shift);
        while (value < 255 && steps[value + 1] <= start) {
            ++value;
        }
        m_startValue[i] = value;
        m_nextStep[i] = value < 255 ? steps[value + 1] : INT_MAX;
    }
    m_packed.resize(m_lastBucket + 1);
    for (std::int32_t i = 0; i <= m_lastBucket; ++i) {
        const std::int32_t start = m_base + (i << m_shift);
        const std::int32_t offset = m_nextStep[i] - start;
        const bool inBucket = m_nextStep[i] != INT_MAX && offset < (std::int32_t(1) << m_shift);
        m_packed[i] = std::int32_t(std::uint32_t(m_startValue[i]) << 24 |
                                   (inBucket ? std::uint32_t(offset) : 0xffffffu));
    }
}

void SrgbEncodeTable::encodePixels(const float* red, const float* green, const float* blue,
                                   quint32* out, int count) const
{
    int i = 0;
    if (m_avx2) {
        i = count & ~7;
        encodePixelsAvx2(red, green, blue, out, i);
    }
    for (; i < count; ++i) {
        out[i] = 0xff000000u | quint32(encode(red[i])) << 16 | quint32(encode(green[i])) << 8 |
                 quint32(encode(blue[i]));
    }
}

namespace {

// encode() on eight floats, with one lookup per lane.
__attribute__((target("avx2"))) __m256i encode8(__m256 linear, __m256i base, __m256i lastBucket,
                                                __m128i shift, __m256i offsetMask,
                                                const std::int32_t* packed)
{
    const __m256i bits = _mm256_castps_si256(linear);
    // Negative floats have negative patterns: below the table, they encode as 0.
    const __m256i below = _mm256_cmpgt_epi32(base, bits);
    const __m256i fromBase = _mm256_sub_epi32(bits, base);
    __m256i index = _mm256_andnot_si256(below, _mm256_sra_epi32(fromBase, shift));
    // Beyond the last bucket: its end, where the encoding has reached 255.
    const __m256i beyond = _mm256_cmpgt_epi32(index, lastBucket);
    index = _mm256_min_epi32(index, lastBucket);
    const __m256i offset = _mm256_and_si256(_mm256_or_si256(beyond, fromBase), offsetMask);
    const __m256i entry = _mm256_i32gather_epi32(reinterpret_cast<const int*>(packed), index, 4);
    const __m256i start = _mm256_srli_epi32(entry, 24);
    const __m256i step = _mm256_and_si256(entry, _mm256_set1_epi32(0xffffff));
    // start + 1 where offset >= step: the comparison is -1 where offset < step.
    const __m256i value = _mm256_add_epi32(
        start, _mm256_add_epi32(_mm256_set1_epi32(1), _mm256_cmpgt_epi32(step, offset)));
    return _mm256_andnot_si256(below, _mm256_min_epi32(value, _mm256_set1_epi32(255)));
}

} // namespace

__attribute__((target("avx2"))) void
SrgbEncodeTable::encodePixelsAvx2(const float* red, const float* green, const float* blue,
                                  quint32* out, int count) const
{
    const __m256i base = _mm256_set1_epi32(m_base);
    const __m256i lastBucket = _mm256_set1_epi32(m_lastBucket);
    const __m128i shift = _mm_cvtsi32_si128(m_shift);
    const __m256i offsetMask = _mm256_set1_epi32((1 << m_shift) - 1);
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000u));
    const std::int32_t* packed = m_packed.data();
    for (int i = 0; i + 8 <= count; i += 8) {
        const __m256i r =
            encode8(_mm256_loadu_ps(red + i), base, lastBucket, shift, offsetMask, packed);
        const __m256i g =
            encode8(_mm256_loadu_ps(green + i), base, lastBucket, shift, offsetMask, packed);
        const __m256i b =
            encode8(_mm256_loadu_ps(blue + i), base, lastBucket, shift, offsetMask, packed);
        __m256i pixel = _mm256_or_si256(opaque, _mm256_slli_epi32(r, 16));
        pixel = _mm256_or_si256(pixel, _mm256_or_si256(_mm256_slli_epi32(g, 8), b));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), pixel);
    }
}
