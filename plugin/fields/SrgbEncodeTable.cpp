#include "fields/SrgbEncodeTable.h"

#include <climits>
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
    float e;
    if (linear > 0.0031308f) {
        e = 1.055f * powf(linear, 0.41666666f) - 0.055f;
    } else {
        e = linear * 12.92f;
    }
    const float scaled = e * 255.0f;
    if (!(scaled >= 0.0f)) {
        return 0;
    }
    if (scaled > 255.0f) {
        return 255;
    }
    return static_cast<int>(scaled);
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

    m_startValue.resize(m_lastBucket + 1);
    m_nextStep.resize(m_lastBucket + 1);
    int value = 0;
    for (std::int32_t i = 0; i <= m_lastBucket; ++i) {
        const std::int32_t start = m_base + (i << m_shift);
        while (value < 255 && steps[value + 1] <= start) {
            ++value;
        }
        m_startValue[i] = static_cast<std::uint8_t>(value);
        m_nextStep[i] = value < 255 ? steps[value + 1] : INT_MAX;
    }
}
