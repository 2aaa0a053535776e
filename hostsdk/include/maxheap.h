#pragma once

#include "hostsdk/HostSdkExport.h"

#include <cstddef>
#include <new>

// Objects that the host may delete are allocated on the host's heap through these operators,
// so that the module and the host always pair an allocation with its own release.
class HOSTSDK_API MaxHeapOperators
{
public:
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void* operator new(std::size_t, void* placement) noexcept { return placement; }
    static void* operator new[](std::size_t size);
    static void* operator new[](std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* block) noexcept;
    static void operator delete(void* block, const std::nothrow_t&) noexcept;
    static void operator delete(void*, void*) noexcept {}
    static void operator delete[](void* block) noexcept;
    static void operator delete[](void* block, const std::nothrow_t&) noexcept;
};
