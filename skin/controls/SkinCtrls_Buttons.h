// The skinned push button: normal, active, down and disabled looks, a hover cross-fade,
// latched Down in exclusive groups, auto-repeat while held, the form's default and
// cancel roles, keys and accelerators, and a glyph strip laid out with the caption.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"
#include "skin/controls/SkinCtrls_ButtonCore.h"

DECLARE_UNIT(SkinCtrls_Buttons)

// How far the focus frame lies inside a button's edges.
constexpr int kFocusMarkInset = 3;
// How far out the frame lies from the caption's box: its line, then a pixel of face.
constexpr int kFocusMarkClearance = 2;

class TskSkinButton : public TskSkinCustomControl, public TskButtonCore {
    DECLARE_CLASS(TskSkinButton, TskSkinCustomControl)
public:
    explicit TskSkinButton(TComponent* AOwner);
    ~TskSkinButton() override;
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Click() override;
    // Sets the form's ModalResult (when the button has one), then fires OnClick.
    void ButtonClick() override;

    // A grouped button takes no focus.
    void SetGroupIndex(int Value) override;
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    int GetModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    bool IsFocused();
    // The width at which Caption (and the glyph) show whole in this button's font and skin,
    // with the focus frame clear of them.
    int WidthFor(const AnsiString& Caption);

protected:
    TControl* ButtonControl() override { return this; }
    TskSkinClient& ButtonClient() override { return *this; }
    TskSkinSizing& ButtonSizing() override { return *this; }
    bool IsLit() override { return FMouseIn || IsFocused(); }
    bool IsGroupMate(TControl* Other) override {
        return dynamic_cast<TskSkinButton*>(Other) != nullptr;
    }
    void Paint() override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CMFocusChanged(TMessage& Message);
    void WMFocus(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinButton, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    END_MESSAGE_HANDLERS

protected:
    // Shown pressed: Down and held, grouped or focused without the mouse.
    bool ShowsDown();
    // The dotted focus frame inside the button while it has the focus.
    void DrawFocusMark(TCanvas* Canvas);
    // Where that frame goes.
    virtual TRect FocusMarkRect();
    // Whether the pointer's coming or going redraws the button.
    bool HoverRedraws();

    bool FDefaultActive = false;
    bool FSettingFocus = false;

private:
    bool FCanFocused = true;
    bool FCancel = false;
    bool FDefault = false;
    int FModalResult = 0;
};
