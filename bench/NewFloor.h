// The platform's part of the editor's New: the same changes to the same windows, made to bare
// windows that paint one colour. A list with a scroll bar loses it, its box gets a new caption
// and two buttons are disabled, each window repainted as New repaints it. What New costs
// beyond this is the editor's own work; this part is the least any program pays here.
#pragma once

#include "classlib/Platform.h"

namespace Bench {

// Where New's windows lie, in the main form's client coordinates.
struct TNewWindows {
    RECT Box;     // the page list's box, whose caption changes
    RECT Caption; // the caption bar, in the box's coordinates
    RECT List;    // the page list, in the box's coordinates
    RECT Replace; // the two buttons New disables
    RECT Animate;
};

class TNewFloor {
public:
    // A window of the form's client size at the screen's top left, shown.
    TNewFloor(const TNewWindows& Windows, SIZE Client);
    ~TNewFloor();
    TNewFloor(const TNewFloor&) = delete;
    TNewFloor& operator=(const TNewFloor&) = delete;

    // Puts back what New changes (the list's bar, the caption, the enabled buttons) and
    // paints it: untimed, before each timed New.
    void Reset();
    // New's changes, painted as New paints them.
    void New();

private:
    HWND FFrame = nullptr;
    HWND FBox = nullptr;
    HWND FList = nullptr;
    HWND FReplace = nullptr;
    HWND FAnimate = nullptr;
    RECT FCaption{};
    bool FCaptionToggle = false;
};

} // namespace Bench
