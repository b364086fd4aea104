#include "skin/controls/SkinCtrls_MenuButtons.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>

TskSkinMenuButton::TskSkinMenuButton(TComponent* AOwner) : TskSkinButton(AOwner) {
    FSkinDataName = "toolmenubutton";
}

void TskSkinMenuButton::Published(TPropertyList& P) {
    PublishMenuTrack<TskSkinMenuButton>(P);
}

void TskSkinMenuButton::GetSkinData() {
    TskSkinButton::GetSkinData();
    ReadTrackRecord();
}

void TskSkinMenuButton::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinButton::Notification(AComponent, Operation);
    MenuNotification(AComponent, Operation);
}

// ---- Mouse and keys ------------------------------------------------------------------------

void TskSkinMenuButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft || !StartTrackPress(X, Y)) TskSkinButton::MouseDown(Button, Shift, X, Y);
}

void TskSkinMenuButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft ? EndTrackPress() : FMenuTracking) return;
    TskSkinButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuButton::CMMouseEnter(TMessage& Message) {
    if (!HoverWhileTracking(true)) TskSkinButton::CMMouseEnter(Message);
}

void TskSkinMenuButton::CMMouseLeave(TMessage& Message) {
    if (!HoverWhileTracking(false)) TskSkinButton::CMMouseLeave(Message);
}

void TskSkinMenuButton::WMCloseSkinMenu(TMessage&) {
    MenuClosed();
}

void TskSkinMenuButton::WndProc(TMessage& Message) {
    if (GetCanFocused() && Message.WParam == VK_SPACE) {
        if (Message.Msg == WM_KEYDOWN) {
            FMenuKey = SpaceOpensMenu();
            if (FMenuKey) {
                StartTracking();
                return;
            }
        } else if (Message.Msg == WM_KEYUP && (FMenuTracking || FMenuKey)) {
            // The release belongs to the menu: no click, and the button stays down until
            // the menu closes.
            FMenuKey = false;
            return;
        }
    }
    // Return clicks on its key down (the button's own handling) and not again on its release.
    TskSkinButton::WndProc(Message);
}

void TskSkinMenuButton::CMDialogChar(TWMKey& Message) {
    if (SpaceOpensMenu() && IsAccel(Message.CharCode(), GetCaption()) && CanFocus() &&
        GetCanFocused()) {
        SetFocus();
        StartTracking();
        Message.Message.Result = 1;
        return;
    }
    TskSkinButton::CMDialogChar(Message);
}

// ---- Painting ------------------------------------------------------------------------------

void TskSkinMenuButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive) {
    if (!CreateTrackedImage(B)) TskSkinButton::CreateButtonImage(B, R, ADown, AActive);
}

void TskSkinMenuButton::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const TRect r = GetClientRect();
    const bool pressed = GetDown() && FMouseIn;
    DrawDefaultTrackFaces(canvas, r, GetTrackButtonMode(), FMenuTracking, pressed,
                          FMouseIn || IsFocused());
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    // Only the two boxes of track-button mode move their content when pressed.
    const bool shift = pressed && GetTrackButtonMode() && !FMenuTracking;
    DrawGlyphAndCaption(canvas, TRect(r.Left, r.Top, r.Right - kTrackButtonWidth, r.Bottom), shift, 1,
                        GetCaption());
    DrawDefaultTrackArrow(canvas, r, pressed || FMenuTracking);
    DrawFocusMark(canvas);
}

TRect TskSkinMenuButton::FocusMarkRect() {
    TRect r = TskSkinButton::FocusMarkRect();
    // The frame marks the body, the part the caption is laid out in: the drop-down part's
    // arrow lies outside it, where the frame would run over its tip. In track-button mode the
    // part is a button of its own as well.
    const TRect part = DropDownPart();
    if (!IsNullRect(part)) r.Right = std::min(r.Right, part.Left - kFocusMarkInset);
    return r;
}

REGISTER_CLASS(TskSkinMenuButton);

DEFINE_UNIT(SkinCtrls_MenuButtons, uoSkin + 10, nullptr, nullptr);
