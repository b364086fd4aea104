// What the menu button and the menu speed button share: the popup menu they open against
// their own rectangle, the drop-down part that alone opens it in track-button mode, and
// the tracking from the press that opens the menu until the menu says that it closed.
#pragma once

#include "skin/controls/SkinCtrls_ButtonCore.h"

#include "classlib/Menus.h"

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

// The drop-down part of a menu button without a skin: the rightmost pixels, full height.
constexpr int kTrackButtonWidth = 15;

// The default look of a button with a drop-down part on R: with TrackMode the body and the
// drop-down part are two boxes, and an open menu shows the body lit and the part pressed;
// without it one box. Down and Lit choose the look of the boxes otherwise.
void DrawDefaultTrackFaces(TCanvas* Canvas, const TRect& R, bool TrackMode, bool Tracking,
                           bool Down, bool Lit);
// The drop-down arrow in the part at the right of R, moved by two pixels when Shifted.
void DrawDefaultTrackArrow(TCanvas* Canvas, const TRect& R, bool Shifted);

class TskMenuTrack {
public:
    virtual ~TskMenuTrack() = default;

    TNotifyEvent OnShowTrackMenu;
    TNotifyEvent OnHideTrackMenu;

    // A popup menu that opens against a rectangle (a TskRectPopup); not owned.
    TPopupMenu* GetSkinPopupMenu() const { return FSkinPopupMenu; }
    void SetSkinPopupMenu(TPopupMenu* Value);
    bool GetTrackButtonMode() const { return FTrackButtonMode; }
    // Repaints at once only without a skin record (the skinned look changes only while tracking).
    void SetTrackButtonMode(bool Value);
    bool IsMenuTracking() const { return FMenuTracking; }

    // Whether a press at (X, Y) opens the menu: any press when not in track-button mode,
    // else one in the drop-down part.
    bool CanMenuTrack(int X, int Y);
    // The skin's drop-down part at the control's size: it moves with the edge that stretches.
    TRect GetNewTrackButtonRect();
    // The drop-down part as the control shows it: the skin's, or without a skin record the
    // rightmost pixels at full height.
    TRect DropDownPart();
    // Opens the menu against the control's screen rectangle; a menu that shows nothing
    // ends the tracking at once.
    void TrackMenu();

protected:
    virtual TskButtonCore& TrackedButton() = 0;

    // After the record's lookup: its drop-down part, when it is a menu button record.
    void ReadTrackRecord();
    // The menu component goes: the reference is cleared.
    void MenuNotification(TComponent* AComponent, TOperation Operation);
    // A left press at (X, Y): whether it opens the menu. Its release is then no click,
    // even when the menu has already closed.
    bool StartTrackPress(int X, int Y);
    // The left release: true when it belongs to a press that opened the menu (or while the
    // menu is open), and so does nothing of the button's.
    bool EndTrackPress();
    // The pointer came (In) or went: while the menu is open only the button's note of it
    // changes and true is returned; otherwise the button's own handling is wanted.
    bool HoverWhileTracking(bool In);
    // Tracking the menu starts from a key or an accelerator.
    void StartTracking();
    // The menu closed: tracking ends, the button goes up, OnHideTrackMenu.
    void MenuClosed();
    // The image of a tracked button in track-button mode: the active image with the drop-down
    // part of the down image over it. False (nothing drawn) in every other state.
    bool CreateTrackedImage(TBitmap* B);

    TPopupMenu* FSkinPopupMenu = nullptr;
    bool FTrackButtonMode = false;
    bool FMenuTracking = false;
    bool FMenuPress = false;
    TRect TrackButtonRect;

private:
    void EndTracking();
};

// The properties both menu buttons store in form resources.
template <class C> void PublishMenuTrack(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("SkinPopupMenu", Own<C>(&C::GetSkinPopupMenu), Own<C>(&C::SetSkinPopupMenu));
    P.Add("TrackButtonMode", Own<C>(&C::GetTrackButtonMode), Own<C>(&C::SetTrackButtonMode), false);
    P.Add("OnShowTrackMenu", static_cast<TNotifyEvent C::*>(&C::OnShowTrackMenu));
    P.Add("OnHideTrackMenu", static_cast<TNotifyEvent C::*>(&C::OnHideTrackMenu));
}
