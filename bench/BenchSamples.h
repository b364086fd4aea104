// Timing of single steps of a program with windows: the seconds one call takes, the median of
// many such samples, and handling whatever the step left in the message queue.
#pragma once

#include <functional>
#include <vector>

namespace Bench {

double Seconds(const std::function<void()>& Operation);
double Median(std::vector<double> Values);
// Handles the messages waiting in the queue, paints included.
void PumpMessages();

} // namespace Bench
