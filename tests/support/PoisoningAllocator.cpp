#include "tests/support/PoisoningAllocator.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

void* operator new(std::size_t Size) {
    if (void* p = std::malloc(Size ? Size : 1)) return p;
    throw std::bad_alloc();
}

void* operator new[](std::size_t Size) {
    return operator new(Size);
}

void operator delete(void* Memory) noexcept {
    if (!Memory) return;
    const std::size_t size = _msize(Memory);
    std::memset(Memory, PoisonByte, size);
    // The fill is dead to the optimiser, which would drop it before free: the barrier
    // says the block's memory is read here.
    asm volatile("" : : "r"(Memory) : "memory");
    std::free(Memory);
}

void operator delete[](void* Memory) noexcept {
    operator delete(Memory);
}

void operator delete(void* Memory, std::size_t) noexcept {
    operator delete(Memory);
}

void operator delete[](void* Memory, std::size_t) noexcept {
    operator delete(Memory);
}
