#include "color/GammaForms.h"

#include "color/Rounding.h"

#include <algorithm>
#include <math.h>

int linearChannel(int channel)
{
    return nearest(linearChannelF(channel) * 255.0f);
}

int linearPercent(int percent)
{
    return nearest(linearPercentF(percent) * 100.0f);
}

float linearChannelF(int channel)
{
    return powf(std::clamp(channel, 0, 255) / 255.0f, kDisplayGamma);
}

float linearPercentF(int percent)
{
    return powf(std::clamp(percent, 0, 100) / 100.0f, kDisplayGamma);
}

int channelFromLinear(int linear)
{
    const float unit = std::clamp(linear, 0, 255) / 255.0f;
    return nearest(powf(unit, kInverseDisplayGamma) * 255.0f);
}

int percentFromLinear(int linear)
{
    const float unit = std::clamp(linear, 0, 100) / 100.0f;
    return nearest(powf(unit, kInverseDisplayGamma) * 100.0f);
}

double gamma22FromLinear(double linear)
{
    return pow(linear, double(kInverseDisplayGamma));
}
