// The performance timer on an injected clock, and the visual-style handles.
#include "bitmap32/Bmp32_System.h"

#include <gtest/gtest.h>

using namespace Bmp32;

namespace {

// A clock that stands still until the test moves it.
struct TManualClock {
    Int64 Count = 0;
    Int64 Frequency = 1000000;
    TPerfTimer Timer{[this] { return Count; }, [this] { return Frequency; }};
};

} // namespace

TEST(PerfTimer, ElapsedMicrosecondsRoundToNearest) {
    TManualClock clock;
    clock.Frequency = 3000000; // three counts per microsecond
    clock.Count = 100;
    clock.Timer.Start();
    clock.Count = 100 + 4; // 1.33 us
    EXPECT_EQ(clock.Timer.ReadValue(), 1);
    clock.Count = 100 + 5; // 1.67 us
    EXPECT_EQ(clock.Timer.ReadValue(), 2);
    clock.Frequency = 2000000;
    clock.Count = 100 + 5; // 2.5 us: to the even 2
    EXPECT_EQ(clock.Timer.ReadValue(), 2);
    clock.Count = 100 + 7; // 3.5 us: to the even 4
    EXPECT_EQ(clock.Timer.ReadValue(), 4);
}

TEST(PerfTimer, TextForms) {
    TManualClock clock;
    clock.Timer.Start();
    clock.Count = 1234567;
    EXPECT_EQ(clock.Timer.ReadNanoseconds(), "1234567");
    EXPECT_EQ(clock.Timer.ReadMilliseconds(), "1234.567");
    clock.Count = 2000;
    EXPECT_EQ(clock.Timer.ReadMilliseconds(), "2");
}

TEST(PerfTimer, BadClocksRaise) {
    TManualClock clock;
    clock.Timer.Start();
    clock.Frequency = 0;
    EXPECT_THROW(clock.Timer.ReadValue(), EDivByZero);
    clock.Frequency = 1;
    clock.Count = INT64_MAX / 100;
    EXPECT_THROW(clock.Timer.ReadValue(), EIntOverflow);
}

TEST(PerfTimer, SystemTimerReadsASmallNonNegativeValue) {
    ASSERT_NE(GlobalPerfTimer, nullptr);
    GlobalPerfTimer->Start();
    const Int64 elapsed = GlobalPerfTimer->ReadValue();
    EXPECT_GE(elapsed, 0);
    EXPECT_LT(elapsed, 60000000);
}

TEST(VisualStyles, HandlesOpenOnFirstUseAndFollowWhetherThemesAreInUseAfterAThemeChange) {
    VisualStylesNeeded();
    ASSERT_NE(ThemeNexus, nullptr);
    TThemeNexus* nexus = ThemeNexus;
    VisualStylesNeeded();
    EXPECT_EQ(ThemeNexus, nexus);
    EXPECT_EQ(USE_THEMES, ThemesInUse());
    EXPECT_EQ(SCROLLBAR_THEME != nullptr, USE_THEMES);
    EXPECT_EQ(GLOBALS_THEME != nullptr, USE_THEMES);
    SendMessageA(ThemeNexus->GetWindowHandle(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(USE_THEMES, ThemesInUse());
    EXPECT_EQ(SCROLLBAR_THEME != nullptr, USE_THEMES);
}

TEST(VisualStyles, MissingOrIncompleteLibraryLeavesEverythingNull) {
    VisualStylesNeeded();
    CloseVisualStyles();
    EXPECT_FALSE(LoadThemeLibrary("no-such-theme-library.dll"));
    EXPECT_FALSE(ThemesInUse());
    // A library without the theme functions is freed again.
    EXPECT_FALSE(LoadThemeLibrary("kernel32.dll"));
    EXPECT_EQ(OpenThemeData, nullptr);
    EXPECT_EQ(IsAppThemed, nullptr);
    EXPECT_EQ(DrawThemeBackground, nullptr);
    EXPECT_EQ(SCROLLBAR_THEME, nullptr);
    EXPECT_EQ(GLOBALS_THEME, nullptr);
    // The system's library has them all.
    EXPECT_TRUE(LoadThemeLibrary());
    EXPECT_NE(OpenThemeData, nullptr);
    EXPECT_NE(EnableTheming, nullptr);
    FreeThemeLibrary();
    EXPECT_EQ(OpenThemeData, nullptr);
    OpenVisualStyles(ThemeNexus->GetWindowHandle());
    EXPECT_EQ(USE_THEMES, ThemesInUse());
}
