#pragma once

#include "color/RgbColor.h"

#include <cstdint>

// The colors the eyedropper took during one pick, kept as running per-channel sums: a scrub
// across the screen takes a sample per pointer move and may go on for millions of them, which
// neither a list of samples nor 32-bit sums would survive.
class ColorSamples
{
public:
    void add(const RgbColor& color);

    std::int64_t count() const { return n; }
    bool isEmpty() const { return n == 0; }

    // The per-channel mean, each channel nearest(sum / n) with the division in single precision
    // and ties to even; opaque. Opaque black when there is no sample.
    RgbColor average() const;

private:
    std::int64_t red = 0;
    std::int64_t green = 0;
    std::int64_t blue = 0;
    std::int64_t n = 0;
};
