#pragma once

#include <QtGlobal>

#include <cstdint>
#include <cstring>
#include <vector>

// The sRGB encoding of a linear channel (IEC 61966-2-1 companding, scaled to 0..255 and
// truncated) as the color model computes it, answered by table lookup instead of a powf.
//
// The encoded integer is a non-decreasing step function of the linear float, so it is fixed by the
// 255 smallest floats at which it steps up. Positive floats order like their bit patterns; the
// table splits that bit range into buckets narrow enough to hold at most one step each, and keeps
// per bucket the value at its start and the bit pattern of the next step.
class SrgbEncodeTable
{
public:
    static const SrgbEncodeTable& instance();

    // The model's own arithmetic, one powf per call: what the table reproduces.
    static int exact(float linear);

    int encode(float linear) const
    {
        std::int32_t bits;
        std::memcpy(&bits, &linear, sizeof bits);
        // Negative floats have negative patterns and land in the first bucket, as do zero and
        // the tiny positives below it.
        std::int32_t index = bits < m_base ? 0 : (bits - m_base) >> m_shift;
        index = index > m_lastBucket ? m_lastBucket : index;
        return m_startValue[index] + (bits >= m_nextStep[index] ? 1 : 0);
    }

    // Opaque pixels from rows of linear red, green and blue: out[i] = qRgb(encode(red[i]), ...).
    // Eight at a time where the CPU has AVX2.
    void encodePixels(const float* red, const float* green, const float* blue, quint32* out,
                      int count) const;

    // The smallest float whose encoding is at least n (n = 1..255).
    float threshold(int n) const { return m_thresholds[n]; }

private:
    SrgbEncodeTable();
    // encodePixels eight at a time for count a multiple of 8, from the packed buckets (defined in
    // SrgbEncodeTableAvx2.cpp, compiled for AVX2: only where the CPU has it).
    static void encodePixelsAvx2(const float* red, const float* green, const float* blue,
                                 quint32* out, int count, const std::int32_t* packed,
                                 std::int32_t bucketBase, int bucketShift, std::int32_t bucketLast);

    float m_thresholds[256] = {};
    std::int32_t m_base = 0;
    int m_shift = 0;
    std::int32_t m_lastBucket = 0;
    std::vector<std::int32_t> m_startValue;
    bool m_avx2 = false;
    std::vector<std::int32_t> m_nextStep;
    // Both per bucket in one word for the eight-wide path: the start value in the top byte, the
    // step's offset from the bucket's start below (all ones: no step in the bucket).
    std::vector<std::int32_t> m_packed;
};
