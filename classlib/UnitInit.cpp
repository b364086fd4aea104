#include "classlib/UnitInit.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <numeric>

void TUnitRegistry::Add(const char* Name, int Order, TUnitProc Init, TUnitProc Fini) {
    FUnits.push_back({Name, Order, Init, Fini, false});
}

void TUnitRegistry::Initialize() {
    std::vector<std::size_t> order(FUnits.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return FUnits[a].Order < FUnits[b].Order;
    });
    for (std::size_t index : order) {
        TUnit& unit = FUnits[index];
        if (unit.Started) continue;
        try {
            if (unit.Init) unit.Init();
        } catch (...) {
            std::exception_ptr failure = std::current_exception();
            try {
                Finalize();
            } catch (...) {
                // The init's failure is the one worth reporting.
            }
            std::rethrow_exception(failure);
        }
        unit.Started = true;
        FStarted.push_back(index);
    }
}

void TUnitRegistry::Finalize() {
    std::exception_ptr firstFailure;
    while (!FStarted.empty()) {
        TUnit& unit = FUnits[FStarted.back()];
        FStarted.pop_back();
        unit.Started = false;
        try {
            if (unit.Fini) unit.Fini();
        } catch (...) {
            if (!firstFailure) firstFailure = std::current_exception();
        }
    }
    if (firstFailure) std::rethrow_exception(firstFailure);
}

bool TUnitRegistry::IsStarted(const char* Name) const {
    return std::any_of(FStarted.begin(), FStarted.end(), [&](std::size_t index) {
        return std::strcmp(FUnits[index].Name, Name) == 0;
    });
}

TUnitRegistry& GlobalUnits() {
    // Built on first use, so registrations from any file's static objects find it.
    static TUnitRegistry registry;
    return registry;
}

void InitializeUnits() {
    GlobalUnits().Initialize();
}

void FinalizeUnits() {
    GlobalUnits().Finalize();
}
