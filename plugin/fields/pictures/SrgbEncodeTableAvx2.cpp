// Compiled for AVX2 (-mavx2, /arch:AVX2; see plugin/fields/sources.cmake): called only where the
// CPU has it. No standard library templates here, whose out-of-line copies the linker could
// share with code built for the baseline.

#include "fields/pictures/SrgbEncodeTable.h"

#include <immintrin.h>

namespace {

// encode() on eight floats, with one lookup per lane.
__m256i encode8(__m256 linear, __m256i base, __m256i lastBucket, __m128i shift, __m256i offsetMask,
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

void SrgbEncodeTable::encodePixelsAvx2(const float* red, const float* green, const float* blue,
                                       quint32* out, int count, const std::int32_t* packed,
                                       std::int32_t bucketBase, int bucketShift,
                                       std::int32_t bucketLast)
{
    const __m256i base = _mm256_set1_epi32(bucketBase);
    const __m256i lastBucket = _mm256_set1_epi32(bucketLast);
    const __m128i shift = _mm_cvtsi32_si128(bucketShift);
    const __m256i offsetMask = _mm256_set1_epi32((1 << bucketShift) - 1);
    const __m256i opaque = _mm256_set1_epi32(int(0xff000000u));
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
    // Not every compiler ends AVX functions with vzeroupper on its own.
    _mm256_zeroupper();
}
