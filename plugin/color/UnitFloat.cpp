#include "color/UnitFloat.h"

#include <algorithm>

float channelToUnitFloat(int channel)
{
    return std::clamp(channel, 0, 255) / 255.0f;
}
