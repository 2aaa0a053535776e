#pragma once

#include "hostsdk/WinTypes.h"

// Identity of a function-published interface, asked for through InterfaceServer::GetInterface.
class Interface_ID
{
public:
    constexpr Interface_ID() = default;
    constexpr Interface_ID(ULONG a, ULONG b) : mPartA(a), mPartB(b) {}
    constexpr ULONG PartA() const { return mPartA; }
    constexpr ULONG PartB() const { return mPartB; }
    constexpr bool operator==(const Interface_ID& other) const
    {
        return mPartA == other.mPartA && mPartB == other.mPartB;
    }
    constexpr bool operator!=(const Interface_ID& other) const { return !(*this == other); }

private:
    ULONG mPartA = 0;
    ULONG mPartB = 0;
};
