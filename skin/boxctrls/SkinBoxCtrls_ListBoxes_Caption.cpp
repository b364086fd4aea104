// The list box's frames and its caption bar: the caption with its glyph, and the up, down
// and check buttons with their looks, hit testing and the repeat of a held step button.
#include "skin/boxctrls/SkinBoxCtrls_ListBoxes.h"

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/controls/SkinCtrls_UpDown.h"
#include "skin/data/Skutils.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kCaptionTimer = 1;

TRect Offset(const TRect& R, int DX, int DY) {
    return TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY);
}

bool Holds(const TRect& R, int X, int Y) {
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

} // namespace

void TskSkinCustomListBox::CreateControlSkinImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    const int dW = GetWidth() - RectWidth(SkinRect), dH = GetHeight() - RectHeight(SkinRect);
    ListRect = TRect(ClRect.Left, ClRect.Top, ClRect.Right + dW, ClRect.Bottom + dH);
    if (FCaptionMode) DrawSkinCaption(B->GetCanvas());
}

void TskSkinCustomListBox::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->GetCanvas();
    Frm3D(c, GetClientRect(), clBtnShadow, clBtnShadow);
    if (FCaptionMode) DrawDefaultCaption(c);
}

void TskSkinCustomListBox::DrawSkinCaption(TCanvas* Canvas) {
    const int dW = GetWidth() - RectWidth(SkinRect), dH = GetHeight() - RectHeight(SkinRect);
    NewCaptionRect = CaptionRect;
    if (CaptionRect.Right >= RTPoint.X) NewCaptionRect.Right += dW;
    const TRect sources[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        TRect r = sources[i];
        if (LTPoint.Y < r.Top) {
            r = Offset(r, 0, dH);
            if (RBPoint.X < r.Left) r = Offset(r, dW, 0);
        } else if (RTPoint.X < r.Left) {
            r = Offset(r, dW, 0);
        }
        Buttons[i].R = r;
    }
    if (!IsNullRect(CaptionRect)) {
        const TRect& ncr = NewCaptionRect;
        Canvas->GetFont()->SetName(CaptionFontName);
        Canvas->GetFont()->SetHeight(CaptionFontHeight);
        Canvas->GetFont()->SetStyle(CaptionFontStyle);
        Canvas->GetFont()->SetColor(CaptionFontColor);
        Canvas->GetFont()->SetCharset(FDefaultCaptionFont->GetCharset());
        const AnsiString caption = GetCaption();
        const bool glyph = !FGlyph->GetEmpty();
        const int numGlyphs = std::max(FNumGlyphs, 1);
        int cw = Canvas->TextWidth(caption);
        if (glyph) cw += FGlyph->GetWidth() / numGlyphs + FSpacing;
        int ty = ncr.Top + RectHeight(ncr) / 2 - Canvas->TextHeight(caption) / 2;
        int tx = FAlignment == taRightJustify ? ncr.Right - cw - 2
                 : FAlignment == taCenter     ? ncr.Left + 2 + RectWidth(ncr) / 2 - cw / 2
                                              : ncr.Left + 2;
        Canvas->GetBrush()->SetStyle(bsClear);
        int gx = 0, gy = 0;
        if (glyph) {
            gx = tx;
            gy = ncr.Top + RectHeight(ncr) / 2 - FGlyph->GetHeight() / 2;
            tx = gx + FGlyph->GetWidth() / numGlyphs + FSpacing;
        }
        Canvas->TextRect(ncr, tx, ty, caption);
        if (glyph)
            DrawGlyph(Canvas, gx, gy, FGlyph.get(), numGlyphs,
                      !GetEnabled() && numGlyphs == 2 ? 2 : 1);
    }
    for (int i = 0; i < 3; ++i) DrawButton(Canvas, i);
}

void TskSkinCustomListBox::DrawDefaultCaption(TCanvas* Canvas) {
    const int w = GetWidth();
    const int bs = std::min(17, FDefaultCaptionHeight - 3);
    Buttons[0].R = TRect(w - bs - 2, 2, w - 2, bs + 1);
    Buttons[1].R = TRect(Buttons[0].R.Left - bs, 2, Buttons[0].R.Left, bs + 1);
    Buttons[2].R = TRect(Buttons[1].R.Left - bs, 2, Buttons[1].R.Left, bs + 1);
    const TRect cr(3, 2, w - 3 * bs - 3, FDefaultCaptionHeight - 2);
    Canvas->GetFont()->Assign(FDefaultCaptionFont.get());
    const AnsiString caption = GetCaption();
    if (FNumGlyphs == 0) FNumGlyphs = 1;
    const bool glyph = !FGlyph->GetEmpty();
    int cw = Canvas->TextWidth(caption);
    if (glyph) cw += FGlyph->GetWidth() / FNumGlyphs + FSpacing;
    int tx = FAlignment == taRightJustify ? cr.Right - cw
             : FAlignment == taCenter     ? cr.Left + RectWidth(cr) / 2 - cw / 2
                                          : cr.Left;
    const int ty = (FDefaultCaptionHeight - 2) / 2 - Canvas->TextHeight(caption) / 2;
    Canvas->GetBrush()->SetStyle(bsClear);
    int gx = 0, gy = 0;
    if (glyph) {
        gx = tx;
        gy = cr.Top + RectHeight(cr) / 2 - FGlyph->GetHeight() / 2 - 1;
        tx = gx + FGlyph->GetWidth() / FNumGlyphs + FSpacing;
    }
    Canvas->TextRect(cr, tx, ty, caption);
    if (glyph)
        DrawGlyph(Canvas, gx, gy, FGlyph.get(), FNumGlyphs,
                  !GetEnabled() && FNumGlyphs == 2 ? 2 : 1);
    Canvas->GetPen()->SetColor(clBtnShadow);
    Canvas->MoveTo(1, FDefaultCaptionHeight - 1);
    Canvas->LineTo(w - 1, FDefaultCaptionHeight - 1);
    for (int i = 0; i < 3; ++i) DrawButton(Canvas, i);
}

void TskSkinCustomListBox::DrawButton(TCanvas* Canvas, int I) {
    const TskListBoxCaptionButton& button = Buttons[I];
    const TRect r = button.R;
    if (Skinned()) {
        if (IsNullRect(r) || !Picture) return;
        const TRect downs[3] = {DownUpButtonRect, DownDownButtonRect, DownCheckButtonRect};
        const TRect actives[3] = {ActiveUpButtonRect, ActiveDownButtonRect, ActiveCheckButtonRect};
        const TRect normals[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
        TRect source;
        if (button.Down && button.MouseIn)
            source = downs[I];
        else if (button.MouseIn)
            source = actives[I];
        if (IsNullRect(source)) source = Offset(normals[I], SkinRect.Left, SkinRect.Top);
        Canvas->CopyRect(r, Picture->GetCanvas(), source);
        return;
    }
    if (IsNullRect(r)) return;
    // The plain look every arrow and caption button shares.
    Canvas->GetBrush()->SetStyle(bsSolid);
    DrawDefaultButtonFace(Canvas, r, button.Down && button.MouseIn, button.MouseIn);
    if (I == 2)
        DrawCheckImage(Canvas, r.Left + 4, r.Top + 4, clBlack);
    else
        DrawArrowImage(Canvas, r, clBlack, I == 0 ? 3 : 4);
}

void TskSkinCustomListBox::TestActive(int X, int Y) {
    if (!FCaptionMode) return;
    if (Skinned() && IsNullRect(UpButtonRect) && IsNullRect(DownButtonRect)) return;
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 3; ++i) {
        if (Holds(Buttons[i].R, X, Y)) {
            ActiveButton = i;
            break;
        }
    }
    if (CaptureButton != -1 && ActiveButton != CaptureButton) ActiveButton = -1;
    if (ActiveButton == OldActiveButton) return;
    if (OldActiveButton != -1) {
        TskListBoxCaptionButton& old = Buttons[OldActiveButton];
        old.MouseIn = false;
        DrawButton(GetCanvas(), OldActiveButton);
        if (TimerMode != 0 && old.Down) StopTimer();
    }
    if (ActiveButton != -1) {
        TskListBoxCaptionButton& now = Buttons[ActiveButton];
        now.MouseIn = true;
        DrawButton(GetCanvas(), ActiveButton);
        if (TimerMode != 0 && now.Down) StartTimer(kStepReturnRepeat);
    }
}

void TskSkinCustomListBox::StartTimer(UINT Interval) {
    if (HandleAllocated()) ::SetTimer(GetHandle(), kCaptionTimer, Interval, nullptr);
}

void TskSkinCustomListBox::StopTimer() {
    if (HandleAllocated()) KillTimer(GetHandle(), kCaptionTimer);
}

TNotifyEvent& TskSkinCustomListBox::ButtonEvent(int I) {
    return I == 0 ? OnUpButtonClick : I == 1 ? OnDownButtonClick : OnCheckButtonClick;
}

void TskSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FCaptionMode) {
        TestActive(X, Y);
        if (ActiveButton != -1) {
            CaptureButton = ActiveButton;
            Buttons[ActiveButton].MouseIn = true;
            Buttons[ActiveButton].Down = true;
            DrawButton(GetCanvas(), ActiveButton);
            // A button with its own event only clicks; the plain step buttons repeat.
            if (!ButtonEvent(ActiveButton)) {
                TimerMode = ActiveButton == 0 ? 1 : ActiveButton == 1 ? 2 : 0;
                if (TimerMode != 0) {
                    WaitMode = true;
                    StartTimer(kStepFirstDelay);
                }
            }
        }
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
    TestActive(X, Y);
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FCaptionMode && CaptureButton != -1) {
        const int i = CaptureButton;
        CaptureButton = -1;
        TskListBoxCaptionButton& button = Buttons[i];
        button.Down = false;
        if (i != ActiveButton) button.MouseIn = false;
        const bool over = button.MouseIn;
        DrawButton(GetCanvas(), i);
        if (TimerMode != 0) {
            StopTimer();
            TimerMode = 0;
        }
        // A press taken back by leaving the button does nothing, as with any button.
        if (over) {
            TComponentProtector protect(this);
            if (TNotifyEvent& event = ButtonEvent(i))
                event(this);
            else
                ButtonAction(i);
            if (IsDestroying()) return;
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomListBox::ButtonAction(int I) {
    switch (I) {
    case 0: StepUp(); break;
    case 1: StepDown(); break;
    default: CheckButtonAction(); break;
    }
}

void TskSkinCustomListBox::CheckButtonAction() {
    ListBox->Click();
}

void TskSkinCustomListBox::StepUp() {
    if (GetItemIndex() > 0) SetItemIndex(GetItemIndex() - 1);
}

void TskSkinCustomListBox::StepDown() {
    if (GetItemIndex() < GetItems()->GetCount() - 1) SetItemIndex(GetItemIndex() + 1);
}

void TskSkinCustomListBox::WMTimer(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (WaitMode) {
        WaitMode = false;
        StopTimer();
        StartTimer(kStepRepeat);
        return;
    }
    if (TimerMode == 1) StepUp();
    if (TimerMode == 2) StepDown();
}

void TskSkinCustomListBox::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    TestActive(-1, -1);
}

void TskSkinCustomListBox::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (!FCaptionMode) return;
    bool changed = false;
    for (TskListBoxCaptionButton& button : Buttons) {
        if (!button.MouseIn) continue;
        button.MouseIn = false;
        changed = true;
    }
    if (changed) Invalidate();
}

void TskSkinCustomListBox::CMTextChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FCaptionMode) Invalidate();
}
