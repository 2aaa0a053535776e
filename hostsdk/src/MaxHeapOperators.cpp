#include "maxheap.h"

#include "RuntimeState.h"

#include <cstdlib>

using HostRuntimeDetail::state;

namespace {

void* Allocate(std::size_t size) noexcept
{
    void* block = std::malloc(size ? size : 1);
    if (block) {
        ++state().hostHeapBlocks;
    }
    return block;
}

void Release(void* block) noexcept
{
    if (block) {
        --state().hostHeapBlocks;
        std::free(block);
    }
}

} // namespace

void* MaxHeapOperators::operator new(std::size_t size)
{
    void* block = Allocate(size);
    if (!block) {
        throw std::bad_alloc();
    }
    return block;
}

void* MaxHeapOperators::operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void* MaxHeapOperators::operator new[](std::size_t size)
{
    return MaxHeapOperators::operator new(size);
}

void* MaxHeapOperators::operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}

void MaxHeapOperators::operator delete(void* block) noexcept
{
    Release(block);
}
void MaxHeapOperators::operator delete(void* block, const std::nothrow_t&) noexcept
{
    Release(block);
}
void MaxHeapOperators::operator delete[](void* block) noexcept
{
    Release(block);
}
void MaxHeapOperators::operator delete[](void* block, const std::nothrow_t&) noexcept
{
    Release(block);
}
