#include "bench/BenchRatio.h"

#include <cmath>
#include <cstdio>

namespace Bench {

bool Meets(double Ratio, const TTarget& Target) {
    switch (Target.Bound) {
    case TBound::AtMost:
        return Ratio <= Target.Limit;
    case TBound::AtLeast:
        return Ratio >= Target.Limit;
    case TBound::None:
        break;
    }
    return !std::isnan(Ratio);
}

std::string BoundText(const TTarget& Target) {
    if (Target.Bound == TBound::None) return {};
    char text[48];
    std::snprintf(text, sizeof text, "%s %g",
                  Target.Bound == TBound::AtMost ? "at most" : "at least", Target.Limit);
    return text;
}

std::string VerdictText(double Ratio, const TTarget& Target) {
    if (Target.Bound == TBound::None) return {};
    char text[64];
    std::snprintf(text, sizeof text, " (%s: %s)", BoundText(Target).c_str(),
                  Meets(Ratio, Target) ? "met" : "not met");
    return text;
}

void RecordRatio(const std::string& Name, double Ratio, const TTarget& Target) {
    const std::string bound = BoundText(Target);
    char value[32];
    // The same spelling of the values that are no number on every C library.
    if (std::isnan(Ratio))
        std::snprintf(value, sizeof value, "nan");
    else if (std::isinf(Ratio))
        std::snprintf(value, sizeof value, Ratio > 0 ? "inf" : "-inf");
    else
        std::snprintf(value, sizeof value, "%.6g", Ratio);
    std::printf("ratio\t%s\t%s\t%s\n", value, bound.empty() ? "-" : bound.c_str(), Name.c_str());
    std::fflush(stdout);
}

} // namespace Bench
