// The skinned menu button: a skinned push button that opens a skinned popup menu against
// itself, either from anywhere on it or, in track-button mode, only from the drop-down
// part at its right while the rest clicks as a plain button. It stays pressed until the
// menu tells it that it closed.
#pragma once

#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_MenuTrack.h"

DECLARE_UNIT(SkinCtrls_MenuButtons)

class TskSkinMenuButton : public TskSkinButton, public TskMenuTrack {
    DECLARE_CLASS(TskSkinMenuButton, TskSkinButton)
public:
    explicit TskSkinMenuButton(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;

protected:
    TskButtonCore& TrackedButton() override { return *this; }
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    TRect FocusMarkRect() override;

    void WMCloseSkinMenu(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TskSkinMenuButton, TskSkinButton)
    MESSAGE_HANDLER(WM_CLOSESKINMENU, WMCloseSkinMenu)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    // Space opens the menu when the whole button is its opener.
    bool SpaceOpensMenu() { return !GetTrackButtonMode() && CanMenuTrack(0, 0); }

    // The Space key that opened the menu is still down: its release is no click.
    bool FMenuKey = false;
};
