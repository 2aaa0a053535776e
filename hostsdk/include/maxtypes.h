#pragma once

#include "strbasic.h"

using SClass_ID = ULONG;

// A class's identity: two 32-bit parts chosen at random by the class's author.
class Class_ID
{
public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ULONG a, ULONG b) : mPartA(a), mPartB(b) {}
    constexpr ULONG PartA() const { return mPartA; }
    constexpr ULONG PartB() const { return mPartB; }
    constexpr bool operator==(const Class_ID& other) const
    {
        return mPartA == other.mPartA && mPartB == other.mPartB;
    }
    constexpr bool operator!=(const Class_ID& other) const { return !(*this == other); }

private:
    ULONG mPartA = 0xFFFFFFFF;
    ULONG mPartB = 0xFFFFFFFF;
};

enum IOResult
{
    IO_OK = 0,
    IO_END = 1,
    IO_ERROR = 2
};

class ISave;
class ILoad;
