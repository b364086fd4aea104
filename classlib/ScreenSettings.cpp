#include "classlib/ScreenSettings.h"

namespace {

unsigned gScreenSettingsGeneration = 0;

} // namespace

void ScreenSettingsChanged() {
    ++gScreenSettingsGeneration;
}

unsigned ScreenSettingsGeneration() {
    return gScreenSettingsGeneration;
}
