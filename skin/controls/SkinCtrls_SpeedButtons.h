// Window-less skinned speed buttons: groups, a flat mode without a frame until the
// pointer comes, repeat, the hover fade; and the menu speed button whose press opens a
// skinned popup menu against the button until the menu tells it that it closed.
#pragma once

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/controls/SkinCtrls_Graphic.h"

#include "classlib/Menus.h"

DECLARE_UNIT(SkinCtrls_SpeedButtons)

// Sent by a closing skinned menu to the control that opened it.
const int WM_CLOSESKINMENU = 1228;

// A popup menu that opens against a screen rectangle on behalf of a control (the
// skinned popup menu of the skinned form).
class TskRectPopup {
public:
    // Returns while the menu stays open; false when nothing was shown.
    virtual bool PopupFromRect2(TControl* Control, const TRect& R, bool Flag) = 0;

protected:
    ~TskRectPopup() = default;
};

class TskSkinSpeedButton : public TskGraphicSkinCustomControl, public TskButtonCore {
    DECLARE_CLASS(TskSkinSpeedButton, TskGraphicSkinCustomControl)
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    ~TskSkinSpeedButton() override;
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void ButtonClick() override;

    bool GetFlat() const { return FFlat; }
    // A flat button is transparent and never fades.
    void SetFlat(bool Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }

protected:
    TControl* ButtonControl() override { return this; }
    TskSkinClient& ButtonClient() override { return *this; }
    TskSkinSizing& ButtonSizing() override { return *this; }
    bool IsGroupMate(TControl* Other) override {
        return dynamic_cast<TskSkinSpeedButton*>(Other) != nullptr;
    }
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    // Glyph and caption straight on the canvas, without a face (flat and not lit).
    void PaintContentOnly(const TRect& R);
    // Shown pressed: Down and grouped or under the pointer.
    bool ShowsDown() { return GetDown() && (GetGroupIndex() != 0 || FMouseIn); }
    bool FlatIdle();

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinSpeedButton, TskGraphicSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    bool FFlat = false;
    int FImageIndex = 0;
};

class TskSkinMenuSpeedButton : public TskSkinSpeedButton {
    DECLARE_CLASS(TskSkinMenuSpeedButton, TskSkinSpeedButton)
public:
    explicit TskSkinMenuSpeedButton(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    void GetSkinData() override;
    // A popup menu that opens against a rectangle (a TskRectPopup); not owned.
    TPopupMenu* GetSkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TPopupMenu* Value);
    bool GetTrackButtonMode() const { return FTrackButtonMode; }
    void SetTrackButtonMode(bool Value);
    bool IsMenuTracking() const { return FMenuTracking; }
    // Whether a press at (X, Y) opens the menu.
    bool CanMenuTrack(int X, int Y);
    TRect GetNewTrackButtonRect();
    void TrackMenu();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive) override;
    void CreateControlDefaultImage(TBitmap* B) override;

    void WMCloseSkinMenu(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinMenuSpeedButton, TskSkinSpeedButton)
    MESSAGE_HANDLER(WM_CLOSESKINMENU, WMCloseSkinMenu)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    // Leaves the menu-open state: tracking ends and the button goes up.
    void EndTracking();

    TPopupMenu* FSkinPopupMenu = nullptr;
    bool FTrackButtonMode = false;
    bool FMenuTracking = false;
    bool FMenuPress = false;
    TRect TrackButtonRect;
};
