// Entry point of every test program: the units of the program under test start
// before the first test and finish after the last, as they do in the program.
#include "classlib/UnitInit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    try {
        InitializeUnits();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unit start-up failed: %s\n", e.what());
        return 1;
    }
    int result = RUN_ALL_TESTS();
    try {
        FinalizeUnits();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Unit shut-down failed: %s\n", e.what());
        return 1;
    }
    return result;
}
