#include "color/CieMath.h"

#include <math.h>

float labCompand(float t)
{
    if (t > kLabEpsilon) {
        return powf(t, 0.33333334f);
    }
    return t * 7.787f + 0.13793103f;
}

float labInverse(float f)
{
    const float c = powf(f, 3.0f);
    if (c > kLabEpsilon) {
        return c;
    }
    return (f - 0.13793103f) * 0.12841856f;
}

float labToX(float fx)
{
    return labInverse(fx) * kD65WhiteX / 100.0f;
}

float labToY(float fy)
{
    return labInverse(fy) * kD65WhiteY / 100.0f;
}

float labToZ(float fz)
{
    return labInverse(fz) * kD65WhiteZ / 100.0f;
}
