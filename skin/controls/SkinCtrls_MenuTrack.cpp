#include "skin/controls/SkinCtrls_MenuTrack.h"

#include "skin/data/Skutils.h"

void DrawDefaultTrackFaces(TCanvas* Canvas, const TRect& R, bool TrackMode, bool Tracking,
                           bool Down, bool Lit) {
    if (!TrackMode) {
        DrawDefaultButtonFace(Canvas, R, Down, Lit);
        return;
    }
    const TRect body(R.Left, R.Top, R.Right - kTrackButtonWidth, R.Bottom);
    const TRect part(R.Right - kTrackButtonWidth, R.Top, R.Right, R.Bottom);
    if (Tracking) {
        DrawDefaultButtonFace(Canvas, body, false, true);
        DrawDefaultButtonFace(Canvas, part, true, true);
        return;
    }
    DrawDefaultButtonFace(Canvas, body, Down, Lit);
    DrawDefaultButtonFace(Canvas, part, Down, Lit);
}

void DrawDefaultTrackArrow(TCanvas* Canvas, const TRect& R, bool Shifted) {
    TRect part(R.Right - kTrackButtonWidth, R.Top, R.Right, R.Bottom);
    if (Shifted) {
        part.Left += 2;
        part.Top += 2;
    }
    DrawTrackArrowImage(Canvas, part, clBtnText);
}

void TskMenuTrack::SetSkinPopupMenu(TPopupMenu* Value) {
    TControl* control = TrackedButton().ButtonControl();
    SetReference(control, FSkinPopupMenu, Value);
}

void TskMenuTrack::MenuNotification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FSkinPopupMenu) FSkinPopupMenu = nullptr;
}

void TskMenuTrack::SetTrackButtonMode(bool Value) {
    FTrackButtonMode = Value;
    TskButtonCore& button = TrackedButton();
    if (button.ButtonClient().GetSkinIndex() == -1) button.ButtonControl()->Repaint();
}

void TskMenuTrack::ReadTrackRecord() {
    if (auto* record = dynamic_cast<TskDataSkinMenuButtonControl*>(
            TrackedButton().ButtonClient().GetSkinRecord()))
        TrackButtonRect = record->TrackButtonRect;
}

TRect TskMenuTrack::GetNewTrackButtonRect() {
    TskButtonCore& button = TrackedButton();
    const TskSkinSizing& sizing = button.ButtonSizing();
    TControl* control = button.ButtonControl();
    if (sizing.ResizeMode == rmWidth)
        return MovedRect(TrackButtonRect, control->GetWidth() - RectWidth(sizing.SkinRect), 0);
    if (sizing.ResizeMode == rmHeight)
        return MovedRect(TrackButtonRect, 0, control->GetHeight() - RectHeight(sizing.SkinRect));
    return TrackButtonRect;
}

TRect TskMenuTrack::DropDownPart() {
    TskButtonCore& button = TrackedButton();
    TControl* control = button.ButtonControl();
    if (button.ButtonClient().GetSkinIndex() != -1) return GetNewTrackButtonRect();
    return TRect(control->GetWidth() - kTrackButtonWidth, 0, control->GetWidth(),
                 control->GetHeight());
}

bool TskMenuTrack::CanMenuTrack(int X, int Y) {
    if (!FSkinPopupMenu) return false;
    if (!FTrackButtonMode) return true;
    return PointInRect(DropDownPart(), TPoint(X, Y));
}

void TskMenuTrack::TrackMenu() {
    if (!FSkinPopupMenu) return;
    TskButtonCore& button = TrackedButton();
    if (button.FMorphing) button.FMorphKf = 1;
    TControl* control = button.ButtonControl();
    const TPoint origin = control->ClientToScreen(TPoint(0, 0));
    const TRect screen(origin.X, origin.Y, origin.X + control->GetWidth(),
                       origin.Y + control->GetHeight());
    auto* popup = dynamic_cast<TskRectPopup*>(FSkinPopupMenu);
    // A menu that did not open would leave the button down with nothing to raise it.
    if (!popup || !popup->PopupFromRect2(control, screen, false)) {
        EndTracking();
        return;
    }
    if (OnShowTrackMenu) OnShowTrackMenu(control);
}

bool TskMenuTrack::StartTrackPress(int X, int Y) {
    FMenuTracking = CanMenuTrack(X, Y);
    FMenuPress = FMenuTracking;
    if (!FMenuTracking) return false;
    TskButtonCore& button = TrackedButton();
    if (!button.GetDown()) button.SetDown(true);
    TrackMenu();
    return true;
}

bool TskMenuTrack::EndTrackPress() {
    if (!FMenuTracking && !FMenuPress) return false;
    FMenuPress = false;
    return true;
}

bool TskMenuTrack::HoverWhileTracking(bool In) {
    if (!FMenuTracking) return false;
    TrackedButton().FMouseIn = In;
    return true;
}

void TskMenuTrack::StartTracking() {
    FMenuTracking = true;
    TrackedButton().SetDown(true);
    TrackMenu();
}

void TskMenuTrack::EndTracking() {
    FMenuTracking = false;
    TrackedButton().SetDown(false);
}

void TskMenuTrack::MenuClosed() {
    EndTracking();
    if (OnHideTrackMenu) OnHideTrackMenu(TrackedButton().ButtonControl());
}

bool TskMenuTrack::CreateTrackedImage(TBitmap* B) {
    TskButtonCore& button = TrackedButton();
    if (!(FMenuTracking && FTrackButtonMode && !IsNullRect(TrackButtonRect) &&
          !IsNullRect(button.DownSkinRect)))
        return false;
    button.TskButtonCore::CreateButtonImage(B, button.ActiveSkinRect, false, true);
    TBitmap* picture = button.ButtonSizing().Picture;
    const TRect source =
        MovedRect(TrackButtonRect, button.DownSkinRect.Left, button.DownSkinRect.Top);
    // A part that reaches outside the picture shows nothing rather than what lies beyond it.
    if (picture && source.Left >= 0 && source.Top >= 0 && source.Right <= picture->GetWidth() &&
        source.Bottom <= picture->GetHeight())
        B->GetCanvas()->CopyRect(GetNewTrackButtonRect(), picture->GetCanvas(), source);
    return true;
}
