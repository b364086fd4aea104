// What the class library keeps of the display's and the system's settings (the screen's
// format, the work area, measured ink), kept until those settings change. Every control
// window reports a change (WM_DISPLAYCHANGE, WM_SETTINGCHANGE) through
// ScreenSettingsChanged.
#pragma once

#include <utility>

// Forgets everything kept through TKeptUntilSettingsChange.
void ScreenSettingsChanged();
// How many changes of the settings were seen so far.
unsigned ScreenSettingsGeneration();

// A value made from the settings once and kept until they change: each question to the
// system costs it a check of the display devices, and some are asked on every move or paint.
template <typename T> class TKeptUntilSettingsChange {
public:
    // The kept value; made anew by Make() at first and after each change of the settings.
    template <typename Maker> T& Get(Maker&& Make) {
        if (!FKnown || FGeneration != ScreenSettingsGeneration()) {
            FValue = std::forward<Maker>(Make)();
            FGeneration = ScreenSettingsGeneration();
            FKnown = true;
        }
        return FValue;
    }

private:
    T FValue{};
    unsigned FGeneration = 0;
    bool FKnown = false;
};
