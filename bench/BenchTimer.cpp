#include "bench/BenchTimer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace Bench {

namespace {

double SecondsOfRun(const std::function<void()>& Operation, long long Calls) {
    const auto start = std::chrono::steady_clock::now();
    for (long long i = 0; i < Calls; ++i)
        Operation();
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(stop - start).count();
}

} // namespace

double BestSecondsPerCall(const std::function<void()>& Operation) {
    long long calls = 1;
    int keptRuns = 0;
    double best = std::numeric_limits<double>::infinity();
    while (keptRuns < RUN_COUNT) {
        const double seconds = SecondsOfRun(Operation, calls);
        if (seconds >= MIN_RUN_SECONDS) {
            best = std::min(best, seconds / double(calls));
            ++keptRuns;
            continue;
        }
        // Too short to measure: aim a little past the minimum with the rate seen so far.
        const double perCall = std::max(seconds, 1e-9) / double(calls);
        calls = std::max(calls + 1, (long long)std::ceil(MIN_RUN_SECONDS * 1.2 / perCall));
    }
    return best;
}

double MeasureMpixelsPerSecond(long long Pixels, const std::function<void()>& Operation) {
    return double(Pixels) / BestSecondsPerCall(Operation) / 1e6;
}

} // namespace Bench
