// A test program linked with PoisoningAllocator.cpp overwrites every block it frees with
// PoisonByte first, so a read of freed memory (a virtual table above all) fails the test
// instead of passing by luck. A program takes it with vantorel_poison_freed(<test>).
#pragma once

inline constexpr unsigned char PoisonByte = 0xDD;
