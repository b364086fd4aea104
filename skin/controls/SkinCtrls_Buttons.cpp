#include "skin/controls/SkinCtrls_Buttons.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Forms.h"

// ---- Glyph and caption layout --------------------------------------------------------

void CalcGlyphAndTextLayout(TskButtonLayout Layout, const TRect& R, int GW, int GH, int TW, int TH,
                            int Margin, int Spacing, int& GX, int& GY, int& TX, int& TY) {
    const int cx = R.Left + RectWidth(R) / 2;
    const int cy = R.Top + RectHeight(R) / 2;
    const int h = (TW + GW + Spacing) / 2;
    const int v = (TH + GH + Spacing) / 2;
    switch (Layout) {
    case blGlyphLeft:
        GY = cy - GH / 2;
        TY = cy - TH / 2;
        if (Margin == -1) {
            GX = cx - h;
            TX = cx + h - TW;
        } else {
            GX = R.Left + Margin;
            TX = GX + GW + Spacing;
        }
        break;
    case blGlyphRight:
        GY = cy - GH / 2;
        TY = cy - TH / 2;
        if (Margin == -1) {
            TX = cx - h;
            GX = cx + h - GW;
        } else {
            GX = R.Right - GW - Margin;
            TX = GX - Spacing - TW;
        }
        break;
    case blGlyphTop:
        GX = cx - GW / 2;
        TX = cx - TW / 2;
        if (Margin == -1) {
            GY = cy - v;
            TY = cy + v - TH;
        } else {
            GY = R.Top + Margin;
            TY = GY + GH + Spacing;
        }
        break;
    case blGlyphBottom:
        GX = cx - GW / 2;
        TX = cx - TW / 2;
        if (Margin == -1) {
            GY = cy + v - GH;
            TY = cy - v;
        } else {
            GY = R.Bottom - GH - Margin;
            TY = GY - Spacing - TH;
        }
        break;
    }
}

void DrawGlyphAndText(TCanvas* Canvas, const TRect& R, int Margin, bool Shift, int GlyphIndex,
                      int NumGlyphs, TBitmap* Glyph, const AnsiString& Caption,
                      TskButtonLayout Layout, int Spacing) {
    const bool hasGlyph = Glyph && !Glyph->GetEmpty();
    const int count = NumGlyphs < 1 ? 1 : NumGlyphs;
    const int gw = hasGlyph ? Glyph->GetWidth() / count : 0;
    const int gh = hasGlyph ? Glyph->GetHeight() : 0;
    RECT measure = {0, 0, 0, 0};
    DrawTextA(Canvas->GetHandle(), Caption.c_str(), static_cast<int>(Caption.size()), &measure,
              DT_CALCRECT);
    const int tw = measure.right - measure.left;
    const int th = measure.bottom - measure.top;
    Canvas->GetBrush()->SetStyle(bsClear);
    int gx = 0, gy = 0, tx = 0, ty = 0;
    CalcGlyphAndTextLayout(Layout, R, gw, gh, tw, th, Margin, Spacing, gx, gy, tx, ty);
    if (Shift) {
        ++gx;
        ++gy;
        ++tx;
        ++ty;
    }
    RECT text = {tx, ty, tx + tw + 2, ty + th};
    DrawTextA(Canvas->GetHandle(), Caption.c_str(), static_cast<int>(Caption.size()), &text,
              DT_CENTER | DT_VCENTER);
    if (hasGlyph) DrawGlyph(Canvas, gx, gy, Glyph, count, GlyphIndex);
}

// ---- TskSkinButton -------------------------------------------------------------------

TskSkinButton::TskSkinButton(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
    // Clicks come from the button's own press and release handling.
    SetControlStyle(GetControlStyle() >> csClickEvents);
    FSkinDataName = "button";
    SetTabStop(true);
    SetBounds(GetLeft(), GetTop(), 75, 25);
}

TskSkinButton::~TskSkinButton() {
    StopMorph();
    StopRepeat();
}

void TskSkinButton::Published(TPropertyList& P) {
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("RepeatMode", &TskSkinButton::GetRepeatMode, &TskSkinButton::SetRepeatMode, false);
    P.Add("RepeatInterval", &TskSkinButton::GetRepeatInterval, &TskSkinButton::SetRepeatInterval,
          100);
    P.Add("AllowAllUp", &TskSkinButton::GetAllowAllUp, &TskSkinButton::SetAllowAllUp, false);
    P.Add("CanFocused", &TskSkinButton::GetCanFocused, &TskSkinButton::SetCanFocused, true);
    P.Add("Down", &TskSkinButton::GetDown, &TskSkinButton::SetDown, false);
    P.Add("GroupIndex", &TskSkinButton::GetGroupIndex, &TskSkinButton::SetGroupIndex, 0);
    P.Add("Glyph", &TskSkinButton::GetGlyph, &TskSkinButton::SetGlyph);
    P.Add("NumGlyphs", &TskSkinButton::GetNumGlyphs, &TskSkinButton::SetNumGlyphs, 1);
    P.Add("Margin", &TskSkinButton::GetMargin, &TskSkinButton::SetMargin, -1);
    P.Add("Spacing", &TskSkinButton::GetSpacing, &TskSkinButton::SetSpacing, 1);
    P.Add("Layout", &TskSkinButton::GetLayout, &TskSkinButton::SetLayout, blGlyphLeft);
    P.Add("Cancel", &TskSkinButton::GetCancel, &TskSkinButton::SetCancel, false);
    P.Add("Default", &TskSkinButton::GetDefault, &TskSkinButton::SetDefault, false);
    P.Add("ModalResult", &TskSkinButton::GetModalResult, &TskSkinButton::SetModalResult, 0);
    P.Add("OnClick", &TControl::OnClick);
}

void TskSkinButton::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinButtonControl*>(GetSkinRecord());
    if (!record) {
        if (FIndex == -1) FMorphing = false;
        return;
    }
    FontName = record->FontName;
    FontStyle = record->FontStyle;
    FontHeight = record->FontHeight;
    FontColor = record->FontColor;
    ActiveFontColor = record->ActiveFontColor;
    DownFontColor = record->DownFontColor;
    DisabledFontColor = record->DisabledFontColor;
    ActiveSkinRect = IsNullRect(record->ActiveSkinRect) ? SkinRect : record->ActiveSkinRect;
    DownSkinRect = IsNullRect(record->DownSkinRect) ? ActiveSkinRect : record->DownSkinRect;
    DisabledSkinRect = record->DisabledSkinRect;
    FMorphing = record->Morphing;
    FMorphKind = record->MorphKind;
}

void TskSkinButton::ChangeSkinData() {
    StopMorph();
    TskSkinCustomControl::ChangeSkinData();
    if (FMorphing && FIndex != -1 && (IsFocused() || FMouseIn)) FMorphKf = 1;
}

bool TskSkinButton::IsFocused() {
    return FCanFocused && Focused();
}

void TskSkinButton::Click() {
    ButtonClick();
}

void TskSkinButton::ButtonClick() {
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
    if (OnClick) OnClick(this);
}

void TskSkinButton::SetDown(bool Value) {
    FDown = Value;
    if (FMorphing) {
        FMorphKf = 1;
        if (Value)
            StopMorph();
        else
            StartMorph();
    }
    Repaint();
    if (FGroupIndex != 0 && Value && !FAllowAllUp) DoAllUp();
}

void TskSkinButton::DoAllUp() {
    TWinControl* parent = GetParent();
    if (!parent) return;
    for (int i = 0; i < parent->GetControlCount(); ++i) {
        auto* other = dynamic_cast<TskSkinButton*>(parent->GetControl(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown)
            other->SetDown(false);
    }
}

void TskSkinButton::SetGroupIndex(int Value) {
    FGroupIndex = Value;
    if (Value != 0) SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool Value) {
    FCanFocused = Value;
    if (IsDesigning()) SetTabStop(Value);
}

void TskSkinButton::SetDefault(bool Value) {
    FDefault = Value;
    if (!HandleAllocated() || !FCanFocused || IsDesigning()) return;
    if (TCustomForm* form = GetParentForm())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->GetActiveControl()));
}

void TskSkinButton::CreateWnd() {
    TskSkinCustomControl::CreateWnd();
    FDefaultActive = FDefault;
}

void TskSkinButton::SetGlyph(TBitmap* Value) {
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinButton::SetNumGlyphs(int Value) {
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TskSkinButton::SetMargin(int Value) {
    if (Value == FMargin || Value < -1) return;
    FMargin = Value;
    Repaint();
}

void TskSkinButton::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Repaint();
}

void TskSkinButton::SetLayout(TskButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Repaint();
}

// ---- The hover fade and the repeat -----------------------------------------------------

void TskSkinButton::ReDrawControl() {
    if (FMorphing && FIndex != -1)
        StartMorph();
    else
        Repaint();
}

void TskSkinButton::StartMorph() {
    if (FMorphTimer) return;
    FMorphTimer = std::make_unique<TTimer>(nullptr);
    FMorphTimer->SetInterval(20);
    FMorphTimer->SetOnTimer(TNotifyEvent(this, &TskSkinButton::DoMorph));
    FMorphTimer->SetEnabled(true);
}

void TskSkinButton::StopMorph() {
    FMorphTimer.reset();
}

void TskSkinButton::DoMorph(TObject*) {
    const bool lit = FMouseIn || IsFocused();
    if (FIndex != -1 && FMorphing) {
        if (lit && FMorphKf < 1) {
            FMorphKf += 0.1;
            Repaint();
            return;
        }
        if (!lit && FMorphKf > 0) {
            FMorphKf -= 0.1;
            Repaint();
            return;
        }
        FMorphKf = lit ? 1 : 0;
        StopMorph();
        Repaint();
        return;
    }
    FMorphKf = lit ? 1 : 0;
    StopMorph();
}

void TskSkinButton::StartRepeat() {
    FRepeatTimer = std::make_unique<TTimer>(nullptr);
    FRepeatTimer->SetInterval(static_cast<Cardinal>(FRepeatInterval));
    FRepeatTimer->SetOnTimer(TNotifyEvent(this, &TskSkinButton::RepeatTimerProc));
    FRepeatTimer->SetEnabled(true);
}

void TskSkinButton::StopRepeat() {
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    FRepeatTimer.reset();
}

void TskSkinButton::RepeatTimerProc(TObject*) {
    ButtonClick();
}

// ---- Painting ----------------------------------------------------------------------------

bool TskSkinButton::ShowsDown() {
    return FDown && (FGroupIndex != 0 || FMouseIn || (IsFocused() && !FMouseDown));
}

void TskSkinButton::Paint() {
    GetSkinData();
    if (FIndex == -1) {
        TskSkinCustomControl::Paint();
        return;
    }
    if (GetWidth() < 1 || GetHeight() < 1) return;
    TBitmap image(GetWidth(), GetHeight());
    if (FMorphing && FMorphKf != 0 && FMorphKf != 1 && GetEnabled()) {
        TBitmap active(GetWidth(), GetHeight());
        CreateButtonImage(&image, SkinRect, false, false);
        CreateButtonImage(&active, ActiveSkinRect, false, true);
        TskEffectBmp normal(image.GetHandle());
        TskEffectBmp lit(active.GetHandle());
        normal.MorphByKind(FMorphKind, &lit, FMorphKf);
        normal.Draw(image.GetCanvas()->GetHandle(), 0, 0);
    } else if (!GetEnabled() && !IsNullRect(DisabledSkinRect)) {
        CreateButtonImage(&image, DisabledSkinRect, false, false);
    } else if (ShowsDown()) {
        CreateButtonImage(&image, DownSkinRect, true, true);
    } else if (!IsFocused() && !FMouseIn) {
        if (FMorphing && FMorphKf == 1)
            CreateButtonImage(&image, ActiveSkinRect, false, true);
        else
            CreateButtonImage(&image, SkinRect, false, false);
    } else {
        CreateButtonImage(&image, ActiveSkinRect, false, true);
    }
    DrawBlended(GetCanvas(), &image);
}

void TskSkinButton::CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive) {
    CreateSkinControlImage(B, Picture, R);
    TCanvas* canvas = B->GetCanvas();
    SetSkinFont(canvas, FontName, FontHeight, FontStyle);
    const bool enabled = GetEnabled();
    TColor color = DisabledFontColor;
    if (enabled) color = AActive ? (ADown ? DownFontColor : ActiveFontColor) : FontColor;
    canvas->GetFont()->SetColor(color);
    int glyph = 2;
    if (AActive && ADown && FNumGlyphs > 2)
        glyph = 3;
    else if (AActive && FNumGlyphs > 3)
        glyph = 4;
    else if (enabled || FNumGlyphs < 2)
        glyph = 1;
    DrawGlyphAndText(canvas, NewClRect, FMargin, AActive && ADown, glyph, FNumGlyphs,
                     FGlyph.get(), GetCaption(), FLayout, FSpacing);
}

void TskSkinButton::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    canvas->GetFont()->Assign(GetDefaultFont());
    if (!GetEnabled()) canvas->GetFont()->SetColor(clBtnShadow);
    const TRect r = GetClientRect();
    const bool down = ShowsDown();
    TColor frame = clNavy;
    TColor fill = static_cast<TColor>(RGB(182, 189, 210));
    if (down)
        fill = static_cast<TColor>(RGB(133, 147, 181));
    else if (!FMouseIn && !IsFocused()) {
        frame = clBtnShadow;
        fill = clBtnFace;
    }
    canvas->GetBrush()->SetColor(fill);
    canvas->FillRect(r);
    canvas->GetBrush()->SetColor(frame);
    canvas->FrameRect(r);
    DrawGlyphAndText(canvas, r, FMargin, down, 1, FNumGlyphs, FGlyph.get(), GetCaption(), FLayout,
                     FSpacing);
}

// ---- Mouse and keys ------------------------------------------------------------------------

void TskSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FMouseDown = true;
    if (!FDown) {
        FMouseIn = true;
        SetDown(true);
        if (FRepeatMode && FGroupIndex == 0)
            StartRepeat();
        else if (FGroupIndex != 0)
            ButtonClick();
        FAllUpPending = false;
    } else if (FGroupIndex != 0) {
        FAllUpPending = true;
    }
}

void TskSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FMouseDown = false;
        if (FGroupIndex != 0) {
            if (FDown && FAllowAllUp && FAllUpPending && FMouseIn) {
                SetDown(false);
                ButtonClick();
            }
        } else if (FMouseIn) {
            SetDown(false);
            StopRepeat();
            ButtonClick();
        } else {
            FDown = false;
            StopRepeat();
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinButton::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::CMMouseEnter(Message);
    FMouseIn = true;
    const bool redraw = (FGroupIndex == 0 && (!IsFocused() || FDown)) || (FGroupIndex != 0 && !FDown);
    if (redraw) {
        if (FDown) {
            if (FMorphing) FMorphKf = 1;
            Repaint();
        } else {
            ReDrawControl();
        }
    }
    if (FDown && FRepeatMode && FGroupIndex == 0) StartRepeat();
}

void TskSkinButton::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    // A default button stays lit while the focus is on a control that is no button.
    if (!(FCanFocused && FDefault && FDefaultActive && !Focused())) FMouseIn = false;
    const bool redraw = (FGroupIndex == 0 && (!IsFocused() || FDown)) || (FGroupIndex != 0 && !FDown);
    if (redraw) ReDrawControl();
    if (FDown && FRepeatMode && FGroupIndex == 0) StopRepeat();
}

void TskSkinButton::CMEnabledChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FMorphing) {
        StopMorph();
        FMorphKf = 0;
    }
    FMouseIn = false;
    Repaint();
}

void TskSkinButton::CMTextChanged(TMessage&) {
    if (FIndex == -1 && !IsDesigning() && !DrawDefault) return;
    Repaint();
}

void TskSkinButton::WMFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FCanFocused) ReDrawControl();
}

void TskSkinButton::CMDialogKey(TWMKey& Message) {
    const Word key = Message.CharCode();
    if (key == VK_RETURN && FDefaultActive && GetEnabled()) {
        ButtonClick();
        Message.Message.Result = 1;
        return;
    }
    if (key == VK_ESCAPE && FCancel && FCanFocused &&
        KeyDataToShiftState(Message.KeyData()).Empty() && CanFocus()) {
        ButtonClick();
        Message.Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message.Message);
}

void TskSkinButton::CMDialogChar(TWMKey& Message) {
    if (IsAccel(Message.CharCode(), GetCaption()) && CanFocus() && FCanFocused) {
        SetFocus();
        ButtonClick();
        Message.Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message.Message);
}

void TskSkinButton::CMFocusChanged(TMessage& Message) {
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    const bool senderIsButton = dynamic_cast<TskSkinButton*>(sender) != nullptr;
    FDefaultActive = senderIsButton ? sender == this : FDefault;
    if (FCanFocused && FDefault) {
        if (senderIsButton) {
            FMouseIn = false;
            ReDrawControl();
        } else {
            FMouseIn = true;
            if (FMorphing) FMorphKf = 1;
            Repaint();
        }
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinButton::WndProc(TMessage& Message) {
    if (FCanFocused) {
        switch (Message.Msg) {
        case WM_KEYDOWN:
            if (Message.WParam == VK_SPACE) {
                SetDown(true);
                if (FRepeatMode) ButtonClick();
            } else if (Message.WParam == VK_RETURN) {
                ButtonClick();
            }
            break;
        case WM_KEYUP:
            if (Message.WParam == VK_SPACE) {
                SetDown(false);
                ButtonClick();
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!IsDesigning() && !Focused()) {
                FSettingFocus = true;
                ::SetFocus(GetHandle());
                FSettingFocus = false;
                // The press belongs to a button that got the focus.
                if (!Focused()) return;
            }
            break;
        case CN_COMMAND:
            if (FSettingFocus) return;
            break;
        default:
            break;
        }
    }
    TskSkinCustomControl::WndProc(Message);
}

REGISTER_CLASS(TskSkinButton);

namespace {

void RegisterButtonEnums() {
    RegisterEnum<TskButtonLayout>({"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
}

} // namespace

DEFINE_UNIT(SkinCtrls_Buttons, uoSkin + 10, RegisterButtonEnums, nullptr);
