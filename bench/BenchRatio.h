// The ratios a benchmark reports, each also as one record line that the bench scripts read:
// every benchmark runs three times (scripts/bench_summary.py), and the summary gives the
// minimum, median and maximum of each ratio, "met" only where all three runs met its target.
#pragma once

#include <string>

namespace Bench {

enum class TBound { None, AtMost, AtLeast };

// What a ratio should reach, if anything.
struct TTarget {
    TBound Bound = TBound::None;
    double Limit = 0;
};

inline TTarget AtMost(double Limit) {
    return {TBound::AtMost, Limit};
}
inline TTarget AtLeast(double Limit) {
    return {TBound::AtLeast, Limit};
}

// False for a ratio that is not a number.
bool Meets(double Ratio, const TTarget& Target);
// "at most 3", "at least 0.8"; empty without a bound.
std::string BoundText(const TTarget& Target);
// " (at most 3: met)", " (at least 0.8: not met)", with the space that sets it off from the
// figure before it; empty without a bound.
std::string VerdictText(double Ratio, const TTarget& Target);

// Prints the record of one ratio of this run: "ratio", the value, the bound or "-" and the
// name, separated by tabs. Names are unique within a run.
void RecordRatio(const std::string& Name, double Ratio, const TTarget& Target = {});

} // namespace Bench
