// What the forms and the application share while something modal runs.
#pragma once

#include "classlib/Platform.h"

#include <vector>

namespace forms_detail {

// Disables the thread's visible, enabled windows but one for as long as it lives.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND Except) : FExcept(Except) {
        EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TDisabledWindows() {
        for (HWND wnd : FDisabled)
            if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND Wnd, LPARAM Data) {
        auto* self = reinterpret_cast<TDisabledWindows*>(Data);
        if (Wnd != self->FExcept && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
            EnableWindow(Wnd, FALSE);
            self->FDisabled.push_back(Wnd);
        }
        return TRUE;
    }

    HWND FExcept;
    std::vector<HWND> FDisabled;
};

} // namespace forms_detail
