#include "color/SrgbEncoding.h"

#include <cmath>

namespace {

// The curve for a value of 0 and above, with its sums and products in `Real`. The decoding's
// division and power are done in double whatever `Real` is; the encoding's power is a powf in
// single precision, whose exponent 1 / 2.4 rounds to 0.41666666f.
template <typename Real> double decoded(Real encoded)
{
    if (encoded <= Real(0.04045))
        return encoded / Real(12.92);
    return std::pow((encoded + Real(0.055)) / 1.055, 2.4);
}

template <typename Real> Real encoded(Real linear)
{
    if (linear <= Real(0.0031308))
        return linear * Real(12.92);
    return Real(1.055) * std::pow(linear, Real(1 / 2.4)) - Real(0.055);
}

} // namespace

double linearFromSrgb(double encoded)
{
    return std::copysign(decoded(std::fabs(encoded)), encoded);
}

double srgbFromLinear(double linear)
{
    return std::copysign(encoded(std::fabs(linear)), linear);
}

float decodeSrgb(int channel)
{
    // Below the threshold the float quotient times 100 is exact in double, so the product rounds
    // to float once, as a float multiplication would.
    return static_cast<float>(decoded(channel / 255.0f) * 100.0);
}

int encodeSrgb(float linear)
{
    const float scaled = encoded(linear) * 255.0f;
    if (!(scaled >= 0.0f)) {
        return 0;
    }
    if (scaled > 255.0f) {
        return 255;
    }
    return static_cast<int>(scaled);
}
