#pragma once

#include <math.h>

// The system's "nearest": round to the nearest integer with ties to even, in single precision.
// Callers keep their values inside int range (picture coordinates, channel values).
inline int nearest(float x)
{
    return static_cast<int>(nearbyintf(x));
}
