#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

namespace {

// The drop-down strip of a menu speed button without a skin.
constexpr int kTrackWidth = 15;

} // namespace

// ---- TskSkinSpeedButton --------------------------------------------------------------------

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner) : TskGraphicSkinCustomControl(AOwner) {
    SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
    FSkinDataName = "toolbutton";
    SetBounds(GetLeft(), GetTop(), 25, 25);
}

TskSkinSpeedButton::~TskSkinSpeedButton() {
    StopMorph();
    StopRepeat();
}

void TskSkinSpeedButton::Published(TPropertyList& P) {
    PublishButtonCore<TskSkinSpeedButton>(P);
    P.Add("ImageIndex", &TskSkinSpeedButton::GetImageIndex, &TskSkinSpeedButton::SetImageIndex, 0);
    P.Add("Flat", &TskSkinSpeedButton::GetFlat, &TskSkinSpeedButton::SetFlat, false);
}

void TskSkinSpeedButton::GetSkinData() {
    TskGraphicSkinCustomControl::GetSkinData();
    ReadButtonRecord();
    if (FFlat) FMorphing = false;
}

void TskSkinSpeedButton::ChangeSkinData() {
    StopMorph();
    TskGraphicSkinCustomControl::ChangeSkinData();
    if (FMorphing && FIndex != -1 && FMouseIn) FMorphKf = 1;
}

void TskSkinSpeedButton::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (dynamic_cast<TskButtonImages*>(GetParent())) Repaint();
}

void TskSkinSpeedButton::DrawContent(TCanvas* Canvas, const TRect& R, bool Shift, bool ADown,
                                     bool AActive) {
    auto* source = dynamic_cast<TskButtonImages*>(GetParent());
    TCustomImageList* images =
        source && GetGlyph()->GetEmpty() ? source->ButtonImages(!IsEffectivelyEnabled(), ADown || AActive)
                                         : nullptr;
    if (!images) {
        TskButtonCore::DrawContent(Canvas, R, Shift, ADown, AActive);
        return;
    }
    DrawImageAndText(Canvas, R, GetMargin(), IsEffectivelyEnabled(), Shift, images, FImageIndex, GetCaption(),
                     GetLayout(), GetSpacing());
}

void TskSkinSpeedButton::ButtonClick() {
    if (OnClick) OnClick(this);
}

void TskSkinSpeedButton::SetFlat(bool Value) {
    FFlat = Value;
    TControlStyle style = GetControlStyle();
    if (Value)
        style >> csOpaque;
    else
        style << csOpaque;
    SetControlStyle(style);
    Invalidate();
}

bool TskSkinSpeedButton::FlatIdle() {
    return FFlat && !FMouseIn && !(GetDown() && GetGroupIndex() != 0);
}

void TskSkinSpeedButton::PaintContentOnly(const TRect& R) {
    TCanvas* canvas = GetCanvas();
    if (FIndex == -1) {
        canvas->GetFont()->Assign(GetDefaultFont());
        if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    } else {
        SetSkinFont(canvas, FontName, FontHeight, FontStyle);
        canvas->GetFont()->SetColor(IsEffectivelyEnabled() ? FontColor : DisabledFontColor);
    }
    DrawContent(canvas, R, false, false, false);
}

void TskSkinSpeedButton::Paint() {
    GetSkinData();
    if (GetWidth() < 1 || GetHeight() < 1) return;
    if (FlatIdle() && !ShowsDown()) {
        PaintContentOnly(FIndex == -1 ? GetClientRect() : NewClRect);
        return;
    }
    if (FIndex == -1) {
        TskGraphicSkinCustomControl::Paint();
        return;
    }
    const TRect part = PaintedPart(GetCanvas()->GetHandle(), GetWidth(), GetHeight());
    if (IsNullRect(part)) return;
    TBitmapPart image(part, GetWidth(), GetHeight());
    CreateStateImage(&image, ShowsDown(), FMouseIn);
    DrawBlended(GetCanvas(), &image);
}

void TskSkinSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    TskGraphicSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const TRect r = GetClientRect();
    const bool down = ShowsDown();
    DrawDefaultButtonFace(canvas, r, down, FMouseIn);
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    DrawContent(canvas, r, down, down, FMouseIn);
}

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) LeftPress();
}

void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) LeftRelease();
    TskGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinSpeedButton::CMMouseEnter(TMessage& Message) {
    TskGraphicSkinCustomControl::CMMouseEnter(Message);
    FMouseIn = true;
    if (!(GetGroupIndex() != 0 && GetDown())) {
        if (GetDown()) {
            if (FMorphing) FMorphKf = 1;
            Repaint();
        } else {
            ReDrawControl();
        }
    }
    PointerEntered();
}

void TskSkinSpeedButton::CMMouseLeave(TMessage& Message) {
    TskGraphicSkinCustomControl::CMMouseLeave(Message);
    FMouseIn = false;
    if (!(GetGroupIndex() != 0 && GetDown())) ReDrawControl();
    PointerLeft();
}

void TskSkinSpeedButton::CMEnabledChanged(TMessage& Message) {
    TskGraphicSkinCustomControl::Dispatch(Message);
    EnabledChanged();
}

void TskSkinSpeedButton::CMTextChanged(TMessage&) {
    TextChanged();
}

// ---- TskSkinMenuSpeedButton ---------------------------------------------------------------

TskSkinMenuSpeedButton::TskSkinMenuSpeedButton(TComponent* AOwner) : TskSkinSpeedButton(AOwner) {
    FSkinDataName = "menubutton";
}

void TskSkinMenuSpeedButton::Published(TPropertyList& P) {
    P.Add("SkinPopupMenu", &TskSkinMenuSpeedButton::GetSkinPopupMenu,
          &TskSkinMenuSpeedButton::SetSkinPopupMenu);
    P.Add("TrackButtonMode", &TskSkinMenuSpeedButton::GetTrackButtonMode,
          &TskSkinMenuSpeedButton::SetTrackButtonMode, false);
    P.Add("OnShowTrackMenu", &TskSkinMenuSpeedButton::OnShowTrackMenu);
    P.Add("OnHideTrackMenu", &TskSkinMenuSpeedButton::OnHideTrackMenu);
}

void TskSkinMenuSpeedButton::GetSkinData() {
    TskSkinSpeedButton::GetSkinData();
    if (auto* record = dynamic_cast<TskDataSkinMenuButtonControl*>(GetSkinRecord()))
        TrackButtonRect = record->TrackButtonRect;
}

void TskSkinMenuSpeedButton::SetSkinPopupMenu(TPopupMenu* Value) {
    if (FSkinPopupMenu && FSkinPopupMenu != Value) FSkinPopupMenu->RemoveFreeNotification(this);
    FSkinPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TskSkinMenuSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinSpeedButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSkinPopupMenu) FSkinPopupMenu = nullptr;
}

void TskSkinMenuSpeedButton::SetTrackButtonMode(bool Value) {
    FTrackButtonMode = Value;
    if (FIndex == -1) Repaint();
}

TRect TskSkinMenuSpeedButton::GetNewTrackButtonRect() {
    TRect r = TrackButtonRect;
    if (ResizeMode == rmWidth) {
        const int d = GetWidth() - RectWidth(SkinRect);
        r = TRect(r.Left + d, r.Top, r.Right + d, r.Bottom);
    } else if (ResizeMode == rmHeight) {
        const int d = GetHeight() - RectHeight(SkinRect);
        r = TRect(r.Left, r.Top + d, r.Right, r.Bottom + d);
    }
    return r;
}

bool TskSkinMenuSpeedButton::CanMenuTrack(int X, int Y) {
    if (!FSkinPopupMenu) return false;
    if (!FTrackButtonMode) return true;
    const TRect track = FIndex == -1
                            ? TRect(GetWidth() - kTrackWidth, 0, GetWidth(), GetHeight())
                            : GetNewTrackButtonRect();
    return PointInRect(track, TPoint(X, Y));
}

void TskSkinMenuSpeedButton::TrackMenu() {
    if (!FSkinPopupMenu) return;
    if (FMorphing) FMorphKf = 1;
    const TPoint origin = ClientToScreen(TPoint(0, 0));
    const TRect screen(origin.X, origin.Y, origin.X + GetWidth(), origin.Y + GetHeight());
    auto* popup = dynamic_cast<TskRectPopup*>(FSkinPopupMenu);
    // A menu that did not open ends the tracking at once.
    if (!popup || !popup->PopupFromRect2(this, screen, false)) {
        EndTracking();
        return;
    }
    if (OnShowTrackMenu) OnShowTrackMenu(this);
}

void TskSkinMenuSpeedButton::EndTracking() {
    FMenuTracking = false;
    SetDown(false);
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft) {
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    FMenuTracking = CanMenuTrack(X, Y);
    FMenuPress = FMenuTracking;
    if (!FMenuTracking) {
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
        return;
    }
    if (!GetDown()) SetDown(true);
    TrackMenu();
}

void TskSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The release of the press that opened the menu is no click, even when the menu has
    // already closed.
    if (FMenuTracking || (Button == mbLeft && FMenuPress)) {
        if (Button == mbLeft) FMenuPress = false;
        return;
    }
    TskSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::WMCloseSkinMenu(TMessage&) {
    EndTracking();
    if (OnHideTrackMenu) OnHideTrackMenu(this);
}

void TskSkinMenuSpeedButton::CMMouseEnter(TMessage& Message) {
    if (!FMenuTracking) {
        TskSkinSpeedButton::CMMouseEnter(Message);
        return;
    }
    FMouseIn = true;
}

void TskSkinMenuSpeedButton::CMMouseLeave(TMessage& Message) {
    if (!FMenuTracking) {
        TskSkinSpeedButton::CMMouseLeave(Message);
        return;
    }
    FMouseIn = false;
}

void TskSkinMenuSpeedButton::Paint() {
    GetSkinData();
    if (!(FlatIdle() && !GetDown() && !FMenuTracking)) {
        TskSkinSpeedButton::Paint();
        return;
    }
    const TRect area = FIndex == -1 ? TRect(0, 0, GetWidth() - kTrackWidth, GetHeight()) : NewClRect;
    PaintContentOnly(area);
    const int left = FIndex == -1 ? GetWidth() - kTrackWidth : area.Right;
    DrawTrackArrowImage(GetCanvas(), TRect(left, 0, GetWidth(), GetHeight()), clBtnText);
}

void TskSkinMenuSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown,
                                               bool AActive) {
    if (!(FMenuTracking && FTrackButtonMode && !IsNullRect(TrackButtonRect) &&
          !IsNullRect(DownSkinRect))) {
        TskSkinSpeedButton::CreateButtonImage(B, R, ADown, AActive);
        return;
    }
    TskSkinSpeedButton::CreateButtonImage(B, ActiveSkinRect, false, true);
    const TRect source(DownSkinRect.Left + TrackButtonRect.Left, DownSkinRect.Top + TrackButtonRect.Top,
                       DownSkinRect.Left + TrackButtonRect.Right,
                       DownSkinRect.Top + TrackButtonRect.Bottom);
    if (Picture) B->GetCanvas()->CopyRect(GetNewTrackButtonRect(), Picture->GetCanvas(), source);
}

void TskSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    TskGraphicSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const bool pressed = GetDown() && FMouseIn;
    const TRect body(0, 0, GetWidth() - (FTrackButtonMode ? kTrackWidth : 0), GetHeight());
    const TRect arrow(GetWidth() - kTrackWidth, 0, GetWidth(), GetHeight());
    if (FTrackButtonMode) {
        DrawDefaultButtonFace(canvas, body, pressed, FMouseIn || FMenuTracking);
        DrawDefaultButtonFace(canvas, arrow, pressed || FMenuTracking, FMouseIn || FMenuTracking);
    } else {
        DrawDefaultButtonFace(canvas, GetClientRect(), pressed || FMenuTracking,
                              FMouseIn || FMenuTracking);
    }
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    DrawContent(canvas, TRect(0, 0, GetWidth() - kTrackWidth, GetHeight()), pressed, pressed,
                FMouseIn);
    TRect arrowGlyph = arrow;
    if (pressed || FMenuTracking) {
        arrowGlyph.Left += 2;
        arrowGlyph.Top += 2;
    }
    DrawTrackArrowImage(canvas, arrowGlyph, clBtnText);
}

REGISTER_CLASS(TskSkinSpeedButton);
REGISTER_CLASS(TskSkinMenuSpeedButton);

DEFINE_UNIT(SkinCtrls_SpeedButtons, uoSkin + 10, nullptr, nullptr);
