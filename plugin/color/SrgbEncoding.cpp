#include "color/SrgbEncoding.h"

#include <math.h>

float decodeSrgb(int channel)
{
    const float v = channel / 255.0f;
    if (v > 0.04045f) {
        const float offset = v + 0.055f;
        return static_cast<float>(pow(offset / 1.055, 2.4) * 100.0);
    }
    return v / 12.92f * 100.0f;
}

int encodeSrgb(float linear)
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
