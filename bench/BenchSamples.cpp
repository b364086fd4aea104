#include "bench/BenchSamples.h"

#include "classlib/Platform.h"

#include <algorithm>
#include <chrono>

namespace Bench {

double Seconds(const std::function<void()>& Operation) {
    const auto start = std::chrono::steady_clock::now();
    Operation();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> Values) {
    std::sort(Values.begin(), Values.end());
    return Values[Values.size() / 2];
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace Bench
