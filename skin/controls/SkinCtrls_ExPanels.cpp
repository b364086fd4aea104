#include "skin/controls/SkinCtrls_ExPanels.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <tuple>

namespace {

void FillEmpty(TRect& Target, const TRect& From) {
    if (IsNullRect(Target)) Target = From;
}

TRect SizedAt(int Left, int Top, const TRect& Size) {
    return TRect(Left, Top, Left + RectWidth(Size), Top + RectHeight(Size));
}

} // namespace

TskSkinExPanel::TskSkinExPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks,
                     csSetCaption, csOpaque});
    FSkinDataName = "expanel";
    SetBounds(GetLeft(), GetTop(), 150, 100);
}

void TskSkinExPanel::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("RollState", &TskSkinExPanel::GetRollState, &TskSkinExPanel::SetRollState, false);
    P.Add("RollKind", &TskSkinExPanel::GetRollKind, &TskSkinExPanel::SetRollKind, rkRollVertical);
    P.Add("ShowRollButton", &TskSkinExPanel::GetShowRollButton,
          &TskSkinExPanel::SetShowRollButton, true);
    P.Add("ShowCloseButton", &TskSkinExPanel::GetShowCloseButton,
          &TskSkinExPanel::SetShowCloseButton, true);
    P.Add("DefaultCaptionHeight", &TskSkinExPanel::GetDefaultCaptionHeight,
          &TskSkinExPanel::SetDefaultCaptionHeight, 21);
    P.Add("OnChangeRollState", &TskSkinExPanel::OnChangeRollState);
    P.Add("OnClose", &TskSkinExPanel::OnClose);
}

void TskSkinExPanel::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = dynamic_cast<TskDataSkinExPanelControl*>(GetSkinRecord());
    if (!r) return;
    RollHSkinRect = r->RollHSkinRect;
    RollVSkinRect = r->RollVSkinRect;
    RollLeftOffset = r->RollLeftOffset;
    RollRightOffset = r->RollRightOffset;
    RollTopOffset = r->RollTopOffset;
    RollBottomOffset = r->RollBottomOffset;
    RollVCaptionRect = r->RollVCaptionRect;
    RollHCaptionRect = r->RollHCaptionRect;
    CloseButtonRect = r->CloseButtonRect;
    CloseButtonActiveRect = r->CloseButtonActiveRect;
    CloseButtonDownRect = r->CloseButtonDownRect;
    HRollButtonRect = r->HRollButtonRect;
    HRollButtonActiveRect = r->HRollButtonActiveRect;
    HRollButtonDownRect = r->HRollButtonDownRect;
    HRestoreButtonRect = r->HRestoreButtonRect;
    HRestoreButtonActiveRect = r->HRestoreButtonActiveRect;
    HRestoreButtonDownRect = r->HRestoreButtonDownRect;
    VRollButtonRect = r->VRollButtonRect;
    VRollButtonActiveRect = r->VRollButtonActiveRect;
    VRollButtonDownRect = r->VRollButtonDownRect;
    VRestoreButtonRect = r->VRestoreButtonRect;
    VRestoreButtonActiveRect = r->VRestoreButtonActiveRect;
    VRestoreButtonDownRect = r->VRestoreButtonDownRect;
    CaptionRect = r->CaptionRect;
    FontName = r->FontName;
    FontStyle = r->FontStyle;
    FontHeight = r->FontHeight;
    FontColor = r->FontColor;
    for (auto [normal, active, down] :
         {std::tie(HRollButtonRect, HRollButtonActiveRect, HRollButtonDownRect),
          std::tie(HRestoreButtonRect, HRestoreButtonActiveRect, HRestoreButtonDownRect),
          std::tie(VRollButtonRect, VRollButtonActiveRect, VRollButtonDownRect),
          std::tie(VRestoreButtonRect, VRestoreButtonActiveRect, VRestoreButtonDownRect)}) {
        FillEmpty(active, normal);
        FillEmpty(down, active);
    }
}

// A skin without a rolled picture rolls to the default caption strip.
int TskSkinExPanel::GetRollWidth() const {
    return FIndex == -1 || IsNullRect(RollHSkinRect) ? FDefaultCaptionHeight
                                                     : RectWidth(RollHSkinRect);
}

int TskSkinExPanel::GetRollHeight() const {
    return FIndex == -1 || IsNullRect(RollVSkinRect) ? FDefaultCaptionHeight
                                                     : RectHeight(RollVSkinRect);
}

bool TskSkinExPanel::SkinLook() const {
    if (FIndex == -1) return false;
    return !FRollState || !IsNullRect(Horizontal() ? RollHSkinRect : RollVSkinRect);
}

// ---- Rolling ---------------------------------------------------------------------------------

void TskSkinExPanel::SetRollState(bool Value) {
    if (Value == FRollState) return;
    FRollState = Value;
    FRollChanging = true;
    if (Value) {
        // Both dimensions are kept, so that a change of kind while rolled unrolls right.
        FStoredWidth = GetWidth();
        FStoredHeight = GetHeight();
        HideControls();
        // A child's event unrolled the panel while it was hiding its children.
        if (!FRollState) return;
        if (Horizontal())
            SetWidth(GetRollWidth());
        else
            SetHeight(GetRollHeight());
    } else {
        if (Horizontal())
            SetWidth(FStoredWidth);
        else
            SetHeight(FStoredHeight);
        ShowControls();
    }
    FRollChanging = false;
    if (!IsDesigning() && OnChangeRollState) OnChangeRollState(this);
}

void TskSkinExPanel::SetRollKind(TskExPanelRollKind Value) {
    if (Value == FRollKind) return;
    FRollKind = Value;
    if (FRollState) {
        // The dimension rolled before comes back; the other one rolls.
        FRollChanging = true;
        SetBounds(GetLeft(), GetTop(), Horizontal() ? GetRollWidth() : FStoredWidth,
                  Horizontal() ? FStoredHeight : GetRollHeight());
        FRollChanging = false;
    }
    Repaint();
}

void TskSkinExPanel::HideControls() {
    HideChildren(this, FHiddenControls);
}

void TskSkinExPanel::ShowControls() {
    ShowChildren(this, FHiddenControls);
}

void TskSkinExPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FRollState && !FRollChanging) {
        if (Horizontal())
            AWidth = GetRollWidth();
        else
            AHeight = GetRollHeight();
    }
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TskSkinExPanel::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    if (FRollState) {
        FRollChanging = true;
        if (Horizontal())
            SetWidth(GetRollWidth());
        else
            SetHeight(GetRollHeight());
        FRollChanging = false;
    } else {
        Realign();
    }
}

void TskSkinExPanel::AdjustClientRect(TRect& Rect) {
    TskSkinCustomControl::AdjustClientRect(Rect);
    if (FIndex != -1 && !IsDesigning()) {
        Rect = NewClRect;
        return;
    }
    Rect = TRect(Rect.Left + 1, Rect.Top + FDefaultCaptionHeight, Rect.Right - 1, Rect.Bottom - 1);
}

void TskSkinExPanel::Close() {
    SetVisible(false);
    if (!IsDesigning() && OnClose) OnClose(this);
}

void TskSkinExPanel::SetShowRollButton(bool Value) {
    FShowRollButton = Value;
    Repaint();
}

void TskSkinExPanel::SetShowCloseButton(bool Value) {
    FShowCloseButton = Value;
    Repaint();
}

void TskSkinExPanel::SetShortenInMiddle(bool Value) {
    if (FShortenInMiddle == Value) return;
    FShortenInMiddle = Value;
    Repaint();
}

void TskSkinExPanel::SetDefaultCaptionHeight(int Value) {
    FDefaultCaptionHeight = Value;
    if (FIndex != -1) return;
    Repaint();
    Realign();
}

void TskSkinExPanel::CMTextChanged(TMessage&) {
    Repaint();
}

// ---- Buttons -----------------------------------------------------------------------------------

void TskSkinExPanel::TestActive(int X, int Y) {
    const int first = FShowCloseButton ? ebClose : ebRoll;
    const int last = FShowRollButton ? ebRoll : ebClose;
    if (first > last) return;
    if (SkinLook())
        LayoutSkinned();
    else
        LayoutDefault();
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (int i = first; i <= last; ++i)
        if (PointInRect(FButtons[i].Rect, TPoint(X, Y)) && !IsNullRect(FButtons[i].Rect)) {
            FActiveButton = i;
            break;
        }
    if (FDownButton != -1 && FActiveButton != FDownButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) FButtons[FOldActiveButton].Active = false;
    if (FActiveButton != -1) FButtons[FActiveButton].Active = true;
    Repaint();
}

void TskSkinExPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TskSkinExPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // The caption buttons answer the left button only.
    if (Button == mbLeft) {
        TestActive(X, Y);
        if (FActiveButton != -1) {
            FDownButton = FActiveButton;
            FButtons[FDownButton].Active = true;
            FButtons[FDownButton].Down = true;
            Repaint();
        }
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinExPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || FDownButton == -1) return;
    const int held = FDownButton;
    FDownButton = -1;
    FButtons[held].Down = false;
    if (held != FActiveButton) FButtons[held].Active = false;
    Repaint();
    if (held != FActiveButton) return;
    if (held == ebClose) {
        Close();
    } else {
        SetRollState(!FRollState);
        TestActive(X, Y);
        Repaint();
    }
}

void TskSkinExPanel::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::CMMouseEnter(Message);
    TestActive(-1, -1);
}

void TskSkinExPanel::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    bool changed = false;
    for (TButtonState& button : FButtons)
        if (button.Active) {
            button.Active = false;
            changed = true;
        }
    if (changed) Repaint();
}

// ---- Painting ------------------------------------------------------------------------------------

TRect TskSkinExPanel::LayoutDefault() {
    const int s = FDefaultCaptionHeight - 6;
    const int w = GetWidth();
    FButtons[ebClose].Rect = FButtons[ebRoll].Rect = TRect();
    if (FRollState && Horizontal()) {
        int top = 3;
        if (FShowCloseButton) {
            FButtons[ebClose].Rect = TRect(3, 3, s + 3, s + 3);
            top = s + 3;
        }
        if (FShowRollButton) FButtons[ebRoll].Rect = TRect(3, top, s + 3, top + s);
        const int used = (FShowCloseButton ? s : 0) + (FShowRollButton ? s : 0);
        return TRect(0, used + 2 + 3, w, GetHeight());
    }
    int right = w - 2;
    if (FShowCloseButton) {
        FButtons[ebClose].Rect = TRect(w - s - 2, 3, w - 2, s + 3);
        right = w - s - 2;
    }
    if (FShowRollButton) FButtons[ebRoll].Rect = TRect(right - s, 3, right, s + 3);
    const int used = (FShowCloseButton ? s : 0) + (FShowRollButton ? s : 0);
    return TRect(2 + 2, 2, w - 2 - 2 - used, FDefaultCaptionHeight - 2);
}

TRect TskSkinExPanel::LayoutSkinned() {
    FButtons[ebClose].Rect = FButtons[ebRoll].Rect = TRect();
    const TRect& rollSize = Horizontal() ? HRollButtonRect : VRollButtonRect;
    int gap = 0;
    if (FRollState && Horizontal()) {
        TRect caption = RollHCaptionRect;
        caption.Bottom += GetHeight() - RectHeight(RollHSkinRect);
        int top = caption.Top;
        if (FShowCloseButton) {
            FButtons[ebClose].Rect = SizedAt(caption.Left, top, CloseButtonRect);
            top = FButtons[ebClose].Rect.Bottom;
            gap = 2;
        }
        if (FShowRollButton) {
            FButtons[ebRoll].Rect = SizedAt(caption.Left, top + gap, rollSize);
            top = FButtons[ebRoll].Rect.Bottom;
        }
        caption.Top = top + gap;
        return caption;
    }
    TRect caption = FRollState ? RollVCaptionRect : CaptionRect;
    caption.Right += GetWidth() - RectWidth(FRollState ? RollVSkinRect : SkinRect);
    int right = caption.Right;
    if (FShowCloseButton) {
        FButtons[ebClose].Rect =
            TRect(right - RectWidth(CloseButtonRect), caption.Top, right,
                  caption.Top + RectHeight(CloseButtonRect));
        right = FButtons[ebClose].Rect.Left;
        gap = 2;
    }
    if (FShowRollButton)
        FButtons[ebRoll].Rect = TRect(right - gap - RectWidth(rollSize), caption.Top, right - gap,
                                      caption.Top + RectHeight(rollSize));
    caption.Right = FShowRollButton ? FButtons[ebRoll].Rect.Left : right;
    return caption;
}

void TskSkinExPanel::DrawCaption(TCanvas* Canvas, const TRect& R) {
    AnsiString caption = GetCaption();
    // Drawn 2 pixels in from R's left edge.
    if (FShortenInMiddle)
        FitTextToRoomInMiddle(Canvas, caption, RectWidth(R) - 2);
    else
        FitTextToRoom(Canvas, caption, RectWidth(R) - 2);
    SKDrawText2(Canvas, caption, R);
}

void TskSkinExPanel::DrawRotatedCaption(TCanvas* Canvas, const TRect& R) {
    const AnsiString caption = GetCaption();
    // A quarter turn counter-clockwise, reading upward.
    Canvas->GetFont()->SetOrientation(900);
    const TSize size = Canvas->TextExtent(caption);
    const int x = R.Left + RectWidth(R) / 2 - size.cy / 2;
    int y = R.Top + RectHeight(R) / 2 + size.cx / 2;
    if (y > R.Bottom - 2) y = R.Bottom - 2;
    Canvas->TextOut(x, y, caption);
}

void TskSkinExPanel::ButtonSources(int Index, TRect& Normal, TRect& Active, TRect& Down) const {
    if (Index == ebClose) {
        Normal = CloseButtonRect;
        Active = CloseButtonActiveRect;
        Down = CloseButtonDownRect;
    } else if (Horizontal()) {
        Normal = FRollState ? HRestoreButtonRect : HRollButtonRect;
        Active = FRollState ? HRestoreButtonActiveRect : HRollButtonActiveRect;
        Down = FRollState ? HRestoreButtonDownRect : HRollButtonDownRect;
    } else {
        Normal = FRollState ? VRestoreButtonRect : VRollButtonRect;
        Active = FRollState ? VRestoreButtonActiveRect : VRollButtonActiveRect;
        Down = FRollState ? VRestoreButtonDownRect : VRollButtonDownRect;
    }
}

void TskSkinExPanel::DrawButton(TCanvas* Canvas, int Index) {
    const TButtonState& button = FButtons[Index];
    if (IsNullRect(button.Rect)) return;
    if (SkinLook()) {
        TRect normal, active, down;
        ButtonSources(Index, normal, active, down);
        const TRect& source = button.Down && button.Active ? down : button.Active ? active : normal;
        if (Picture && !IsNullRect(source))
            Canvas->CopyRect(button.Rect, Picture->GetCanvas(), source);
        return;
    }
    TRect r = button.Rect;
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->FillRect(r);
    TRect glyph = r;
    if (button.Active) {
        const bool pressed = button.Down;
        Frame3D(Canvas, r, static_cast<TColor>(0x800000), static_cast<TColor>(0x800000), 1);
        Canvas->GetBrush()->SetColor(static_cast<TColor>(pressed ? 0xB59385 : 0xD2BDB6));
        Canvas->FillRect(r);
        if (pressed) {
            glyph.Left += 2;
            glyph.Top += 2;
        }
    }
    if (Index == ebClose) {
        DrawRCloseImage(Canvas, glyph, clBlack);
        return;
    }
    int direction = FRollState ? 4 : 3;
    if (Horizontal()) direction = FRollState ? 2 : 1;
    DrawArrowImage(Canvas, glyph, clBlack, direction);
}

void TskSkinExPanel::CreateControlDefaultImage(TBitmap* B) {
    TCanvas* canvas = B->GetCanvas();
    TRect whole(0, 0, GetWidth(), GetHeight());
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(whole);
    canvas->GetFont()->Assign(GetDefaultFont());
    canvas->GetBrush()->SetStyle(bsClear);
    const TRect text = LayoutDefault();
    if (FRollState && Horizontal()) {
        Frame3D(canvas, whole, clBtnShadow, clBtnShadow, 1);
        Frame3D(canvas, whole, clBtnHighlight, clBtnFace, 1);
        DrawRotatedCaption(canvas, text);
    } else {
        Frame3D(canvas, whole, clBtnShadow, clBtnShadow, 1);
        TRect caption(0, 0, GetWidth(), FDefaultCaptionHeight);
        Frame3D(canvas, caption, clBtnShadow, clBtnShadow, 1);
        Frame3D(canvas, caption, clBtnHighlight, clBtnFace, 1);
        DrawCaption(canvas, text);
    }
    DrawButton(canvas, ebClose);
    DrawButton(canvas, ebRoll);
}

void TskSkinExPanel::CreateControlSkinImage(TBitmap* B) {
    if (!SkinLook()) {
        CreateControlDefaultImage(B);
        return;
    }
    if (!FRollState)
        TskSkinCustomControl::CreateControlSkinImage(B);
    else if (!Picture)
        return;
    else if (Horizontal())
        CreateVSkinImage(RollTopOffset, RollBottomOffset, B, Picture, RollHSkinRect, GetRollWidth(),
                         GetHeight());
    else
        CreateHSkinImage(RollLeftOffset, RollRightOffset, B, Picture, RollVSkinRect, GetWidth(),
                         GetRollHeight());
    TCanvas* canvas = B->GetCanvas();
    TFont* font = canvas->GetFont();
    font->SetName(FontName);
    font->SetStyle(FontStyle);
    font->SetHeight(FontHeight);
    font->SetColor(FontColor);
    canvas->GetBrush()->SetStyle(bsClear);
    const TRect text = LayoutSkinned();
    if (FRollState && Horizontal())
        DrawRotatedCaption(canvas, text);
    else
        DrawCaption(canvas, text);
    DrawButton(canvas, ebClose);
    DrawButton(canvas, ebRoll);
}

REGISTER_CLASS(TskSkinExPanel);

namespace {

void RegisterExPanelEnums() {
    RegisterEnum<TskExPanelRollKind>({"rkRollHorizontal", "rkRollVertical"});
}

} // namespace

DEFINE_UNIT(SkinCtrls_ExPanels, uoSkin + 10, RegisterExPanelEnums, nullptr);
