#pragma once

#include "hostsdk/HostSdkExport.h"
#include "maxheap.h"
#include "strbasic.h"

class BaseInterface;

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

// Root of the host's interface-serving objects.
class HOSTSDK_API InterfaceServer : public MaxHeapOperators
{
public:
    virtual ~InterfaceServer();
    // The host's own answer: no published interfaces unless a class adds some.
    virtual BaseInterface* GetInterface(Interface_ID id);
};
