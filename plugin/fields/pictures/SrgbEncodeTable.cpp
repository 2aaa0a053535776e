#include "fields/pictures/SrgbEncodeTable.h"

#include "color/SrgbEncoding.h"
#include "fields/pictures/CpuFeatures.h"

#include <climits>

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

    m_avx2 = CpuFeatures::hasAvx2();

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
        encodePixelsAvx2(red, green, blue, out, i, m_packed.data(), m_base, m_shift, m_lastBucket);
    }
    for (; i < count; ++i) {
        out[i] = 0xff000000u | quint32(encode(red[i])) << 16 | quint32(encode(green[i])) << 8 |
                 quint32(encode(blue[i]));
    }
}
