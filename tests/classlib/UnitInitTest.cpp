#include "classlib/UnitInit.h"

#include "classlib/DateTime.h"
#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Log;

void Throw(const char* what) {
    throw EConvertError(what);
}

// A unit of this test program, started by the test entry point like any other.
int ProbeStartedAt = -1;
void ProbeInit() {
    ProbeStartedAt = static_cast<int>(GlobalUnits().StartedCount());
}

} // namespace

DEFINE_UNIT(UnitInitTestProbe, uoApp, ProbeInit, nullptr);

namespace {

class UnitRegistry : public testing::Test {
protected:
    void SetUp() override { Log.clear(); }
    TUnitRegistry Units;
};

} // namespace

TEST_F(UnitRegistry, StartsByOrderKeyAndFinishesInReverse) {
    Units.Add(
        "C", 300, [] { Log.push_back("init C"); }, [] { Log.push_back("fini C"); });
    Units.Add(
        "A", 100, [] { Log.push_back("init A"); }, [] { Log.push_back("fini A"); });
    Units.Add(
        "B", 200, [] { Log.push_back("init B"); }, nullptr);
    Units.Add("A2", 100, nullptr, [] { Log.push_back("fini A2"); });
    Units.Add(
        "A3", 100, [] { Log.push_back("init A3"); }, nullptr);
    Units.Initialize();
    EXPECT_EQ(Units.StartedCount(), 5u);
    EXPECT_TRUE(Units.IsStarted("A2"));
    Units.Finalize();
    EXPECT_EQ(Log, (std::vector<std::string>{"init A", "init A3", "init B", "init C", "fini C",
                                             "fini A2", "fini A"}));
    EXPECT_EQ(Units.StartedCount(), 0u);
    EXPECT_FALSE(Units.IsStarted("A"));
}

TEST_F(UnitRegistry, StartingTwiceStartsEachUnitOnce) {
    Units.Add(
        "A", 100, [] { Log.push_back("init A"); }, [] { Log.push_back("fini A"); });
    Units.Initialize();
    Units.Initialize();
    Units.Add(
        "Late", 50, [] { Log.push_back("init Late"); }, nullptr);
    Units.Initialize();
    Units.Finalize();
    Units.Finalize();
    EXPECT_EQ(Log, (std::vector<std::string>{"init A", "init Late", "fini A"}));
    // A finished registry can start again.
    Units.Initialize();
    EXPECT_EQ(Units.StartedCount(), 2u);
}

TEST_F(UnitRegistry, FailedInitFinishesTheStartedUnitsAndPassesTheError) {
    Units.Add(
        "A", 100, [] { Log.push_back("init A"); }, [] { Log.push_back("fini A"); });
    Units.Add(
        "B", 200, [] { Log.push_back("init B"); }, [] { Throw("fini B failed"); });
    Units.Add(
        "Bad", 300, [] { Throw("init failed"); }, [] { Log.push_back("fini Bad"); });
    Units.Add(
        "D", 400, [] { Log.push_back("init D"); }, [] { Log.push_back("fini D"); });
    try {
        Units.Initialize();
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "init failed");
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"init A", "init B", "fini A"}));
    EXPECT_EQ(Units.StartedCount(), 0u);
}

TEST_F(UnitRegistry, EveryFiniRunsAndTheFirstFailureIsRaised) {
    Units.Add("A", 100, nullptr, [] { Log.push_back("fini A"); });
    Units.Add("B", 200, nullptr, [] { Throw("fini B failed"); });
    Units.Add("C", 300, nullptr, [] { Throw("fini C failed"); });
    Units.Initialize();
    try {
        Units.Finalize();
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "fini C failed");
    }
    EXPECT_EQ(Log, (std::vector<std::string>{"fini A"}));
    EXPECT_EQ(Units.StartedCount(), 0u);
}

TEST(ProgramUnits, StartBeforeTheTestsInGroupOrder) {
    // DateTime is linked through its header alone and starts before the probe.
    EXPECT_TRUE(GlobalUnits().IsStarted("DateTime"));
    EXPECT_TRUE(GlobalUnits().IsStarted("UnitInitTestProbe"));
    EXPECT_GE(ProbeStartedAt, 1);
    EXPECT_EQ(static_cast<std::size_t>(ProbeStartedAt) + 1, GlobalUnits().StartedCount());
}
