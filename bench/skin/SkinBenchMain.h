// The main of the skin benchmarks: Run between the class library's start-up and
// shut-down; a failure is reported and ends the program with 1.
#pragma once

#include "classlib/UnitInit.h"

#include <cstdio>
#include <exception>

inline int RunSkinBench(int (*Run)()) {
    try {
        InitializeUnits();
        const int result = Run();
        FinalizeUnits();
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Benchmark failed: %s\n", e.what());
        return 1;
    }
}
