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

// What the application is about to show, handed to its OnShowHint: the handler may change
// the text and where the window goes, or refuse the hint.
struct THintInfo {
    // The control whose hint it is.
    TControl* HintControl = nullptr;
    // The window's top-left corner on the screen.
    TPoint HintPos;
    // Lines are broken at this width.
    int HintMaxWidth = 0;
    // The pointer on the screen.
    TPoint CursorPos;
    // How long the hint stays, in milliseconds (0: until the pointer leaves).
    int HideTimeout = 0;
};
// HintStr is the text; CanShow false keeps the hint from showing.
using TShowHintEvent = TEvent<void(AnsiString& HintStr, bool& CanShow, THintInfo& HintInfo)>;

// The class of the window the application shows hints in: THintWindow or one derived
// from it. Read each time the application makes its hint window.
extern const TClassInfo* HintWindowClass;
