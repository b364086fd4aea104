// Included by exactly one source file of a test program: every block freed through delete
// is filled with 0xDD first, so that a read through a reference or pointer kept past the
// free finds garbage instead of the old values. The fill is written through a volatile
// pointer: a plain fill before free is a dead store the compiler may drop.
#pragma once

#include <cstdlib>
#include <malloc.h>
#include <new>

void* operator new(std::size_t Size) {
    if (void* p = std::malloc(Size ? Size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* Memory) noexcept {
    if (!Memory) return;
    auto* bytes = static_cast<volatile unsigned char*>(Memory);
    for (std::size_t i = 0, n = _msize(Memory); i < n; ++i) bytes[i] = 0xDD;
    std::free(Memory);
}

void operator delete(void* Memory, std::size_t) noexcept {
    operator delete(Memory);
}
