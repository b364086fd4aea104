#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

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
    CreateStateImage(&image, ShownPart(GetCanvas()->GetHandle(), GetWidth(), GetHeight()),
                     ShowsDown(), FMouseIn);
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
    PublishMenuTrack<TskSkinMenuSpeedButton>(P);
}

void TskSkinMenuSpeedButton::GetSkinData() {
    TskSkinSpeedButton::GetSkinData();
    ReadTrackRecord();
}

void TskSkinMenuSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinSpeedButton::Notification(AComponent, Operation);
    MenuNotification(AComponent, Operation);
}

void TskSkinMenuSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft || !StartTrackPress(X, Y))
        TskSkinSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft ? EndTrackPress() : FMenuTracking) return;
    TskSkinSpeedButton::MouseUp(Button, Shift, X, Y);
}

void TskSkinMenuSpeedButton::WMCloseSkinMenu(TMessage&) {
    MenuClosed();
}

void TskSkinMenuSpeedButton::CMMouseEnter(TMessage& Message) {
    if (!HoverWhileTracking(true)) TskSkinSpeedButton::CMMouseEnter(Message);
}

void TskSkinMenuSpeedButton::CMMouseLeave(TMessage& Message) {
    if (!HoverWhileTracking(false)) TskSkinSpeedButton::CMMouseLeave(Message);
}

void TskSkinMenuSpeedButton::Paint() {
    GetSkinData();
    if (!(FlatIdle() && !GetDown() && !FMenuTracking)) {
        TskSkinSpeedButton::Paint();
        return;
    }
    const TRect area =
        FIndex == -1 ? TRect(0, 0, GetWidth() - kTrackButtonWidth, GetHeight()) : NewClRect;
    PaintContentOnly(area);
    DrawTrackArrowImage(GetCanvas(), TRect(area.Right, 0, GetWidth(), GetHeight()), clBtnText);
}

void TskSkinMenuSpeedButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown,
                                               bool AActive) {
    if (!CreateTrackedImage(B)) TskSkinSpeedButton::CreateButtonImage(B, R, ADown, AActive);
}

void TskSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap* B) {
    TskGraphicSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const bool pressed = GetDown() && FMouseIn;
    // A window-less button stays pressed while its menu is open.
    DrawDefaultTrackFaces(canvas, GetClientRect(), GetTrackButtonMode(), FMenuTracking,
                          pressed || FMenuTracking, FMouseIn || FMenuTracking);
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!IsEffectivelyEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    DrawContent(canvas, TRect(0, 0, GetWidth() - kTrackButtonWidth, GetHeight()), pressed, pressed,
                FMouseIn);
    DrawDefaultTrackArrow(canvas, GetClientRect(), pressed || FMenuTracking);
}

REGISTER_CLASS(TskSkinSpeedButton);
REGISTER_CLASS(TskSkinMenuSpeedButton);

DEFINE_UNIT(SkinCtrls_SpeedButtons, uoSkin + 10, nullptr, nullptr);
