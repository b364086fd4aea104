// Helpers shared by the grid library's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

// The message of the E that Action raises; a failure of the test when it raises none.
template <typename E, typename F> std::string MessageOf(F Action) {
    try {
        Action();
    } catch (const E& e) {
        return e.what();
    }
    ADD_FAILURE() << "no exception";
    return std::string();
}
