// THintWindow: the small popup that shows a control's hint under the pointer. The
// application shows and hides it (see TApplication's hint properties in Forms.h); a
// program with a look of its own sets HintWindowClass to a class derived from it.
#pragma once

#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

DECLARE_UNIT(Hints)

class THintWindow : public TCustomControl {
    DECLARE_CLASS(THintWindow, TCustomControl)
public:
    explicit THintWindow(TComponent* AOwner);

    // Shows AHint in Rect (screen coordinates, moved onto the screen where it would leave
    // it) above every other window, without activating it or taking the focus.
    virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
    // Hides the window and lets it go; the next ActivateHint makes it again.
    virtual void ReleaseHandle();
    // The rectangle at (0, 0) that AHint needs, its lines broken at MaxWidth. AData is
    // for derived classes; this one ignores it.
    virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

    void WMNCHitTest(TMessage& Message);
    void WMMouseActivate(TMessage& Message);

    MESSAGE_HANDLERS(THintWindow, TCustomControl)
    MESSAGE_HANDLER(WM_NCHITTEST, WMNCHitTest)
    MESSAGE_HANDLER(WM_MOUSEACTIVATE, WMMouseActivate)
    END_MESSAGE_HANDLERS
};

// The class of the window the application shows hints in: THintWindow or one derived
// from it. Read each time the application makes its hint window.
extern const TClassInfo* HintWindowClass;
