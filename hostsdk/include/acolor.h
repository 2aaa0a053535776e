#pragma once

#include "hostsdk/HostSdkExport.h"
#include "maxheap.h"
#include "strbasic.h"

// The host's color with alpha: four floats, nominally 0..1. As in the host, the default
// constructor leaves the channels uninitialised.
class HOSTSDK_API AColor : public MaxHeapOperators
{
public:
    float r;
    float g;
    float b;
    float a;

    AColor() = default;
    AColor(float red, float green, float blue, float alpha = 1.0f)
        : r(red), g(green), b(blue), a(alpha)
    {
    }
    // Widens a packed color (red in bits 0..7): each channel / 255, alpha as given.
    explicit AColor(DWORD rgb, float alpha = 1.0f);

    // Packs red, green and blue: each channel is the low byte of truncate(channel * 255 + 0.5),
    // the addition in double precision. Alpha is dropped.
    DWORD toRGB();

    int operator==(const AColor& other) const
    {
        return r == other.r && g == other.g && b == other.b && a == other.a;
    }
    int operator!=(const AColor& other) const { return !(*this == other); }
};
