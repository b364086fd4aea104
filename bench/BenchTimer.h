// Timing of one operation on the monotonic clock: calls are repeated until a run lasts long
// enough to measure, and the best of a few such runs is kept, which is the figure least
// disturbed by other work on the machine.
#pragma once

#include <functional>

namespace Bench {

// RUN_COUNT runs are kept, each lasting at least MIN_RUN_SECONDS, so every measurement
// takes at least RUN_COUNT x MIN_RUN_SECONDS.
inline constexpr double MIN_RUN_SECONDS = 0.07;
inline constexpr int RUN_COUNT = 3;

// Stops the compiler from dropping or merging stores into memory that the program never
// reads back, such as the destination of a timed fill or copy.
inline void KeepMemory(const void* Address) {
    asm volatile("" : : "r"(Address) : "memory");
}

// Seconds taken by one call of Operation in the fastest of the kept runs.
double BestSecondsPerCall(const std::function<void()>& Operation);

// Millions of pixels per second of an Operation that handles Pixels pixels per call.
double MeasureMpixelsPerSecond(long long Pixels, const std::function<void()>& Operation);

} // namespace Bench
