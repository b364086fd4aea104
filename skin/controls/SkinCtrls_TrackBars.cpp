#include "skin/controls/SkinCtrls_TrackBars.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <cmath>

namespace {

// The default look's inset of the track from the control's edges.
constexpr int kDefaultInset = 2;

} // namespace

TskSkinTrackBar::TskSkinTrackBar(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "htrackbar";
    SetTabStop(false);
    SetBounds(GetLeft(), GetTop(), 100, 20);
}

void TskSkinTrackBar::Published(TPropertyList& P) {
    P.Add("JumpWhenClick", &TskSkinTrackBar::GetJumpWhenClick,
          &TskSkinTrackBar::SetJumpWhenClick, false);
    P.Add("CanFocused", &TskSkinTrackBar::GetCanFocused, &TskSkinTrackBar::SetCanFocused, false);
    P.Add("MouseSupport", &TskSkinTrackBar::GetMouseSupport, &TskSkinTrackBar::SetMouseSupport,
          true);
    P.Add("MinValue", &TskSkinTrackBar::GetMinValue, &TskSkinTrackBar::SetMinValue, 0);
    P.Add("MaxValue", &TskSkinTrackBar::GetMaxValue, &TskSkinTrackBar::SetMaxValue, 100);
    P.Add("Value", &TskSkinTrackBar::GetValue, &TskSkinTrackBar::SetValue, 50);
    P.Add("Vertical", &TskSkinTrackBar::GetVertical, &TskSkinTrackBar::SetVertical, false);
    P.Add("OnChange", &TskSkinTrackBar::OnChange);
}

void TskSkinTrackBar::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinTrackBarControl*>(GetSkinRecord());
    if (!record) return;
    FVertical = record->Vertical;
    ButtonRect = record->ButtonRect;
    ActiveButtonRect = IsNullRect(record->ActiveButtonRect) ? ButtonRect : record->ActiveButtonRect;
    TrackArea = record->TrackArea;
}

void TskSkinTrackBar::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    NewTrackArea = AreaAtSize(TrackArea, FVertical, W, H);
}

// ---- Value ----------------------------------------------------------------------------------

void TskSkinTrackBar::SetValue(int Value) {
    Value = ClampValue(Value, FMinValue, FMaxValue);
    if (Value == FValue) return;
    FValue = Value;
    Repaint();
    if (OnChange) OnChange(this);
}

void TskSkinTrackBar::SetMinValue(int Value) {
    FMinValue = Value;
    FValue = ClampValue(FValue, FMinValue, FMaxValue);
    Repaint();
}

void TskSkinTrackBar::SetMaxValue(int Value) {
    FMaxValue = Value;
    FValue = ClampValue(FValue, FMinValue, FMaxValue);
    Repaint();
}

void TskSkinTrackBar::SetVertical(bool Value) {
    FVertical = Value;
    if (IsDesigning() && !IsLoading()) SetSkinDataName(Value ? "trackbar" : "htrackbar");
    Repaint();
}

void TskSkinTrackBar::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

bool TskSkinTrackBar::IsFocused() const {
    return FCanFocused && Focused();
}

// ---- Geometry -------------------------------------------------------------------------------

TSize TskSkinTrackBar::ThumbSize() const {
    if (FIndex != -1) return TSize{RectWidth(ButtonRect), RectHeight(ButtonRect)};
    if (FVertical) {
        const int w = GetWidth() - 2 * kDefaultInset;
        return TSize{w, w / 2};
    }
    const int h = GetHeight() - 2 * kDefaultInset;
    return TSize{h / 2, h};
}

TRect TskSkinTrackBar::TrackRect() const {
    if (FIndex != -1) return AreaAtSize(TrackArea, FVertical, GetWidth(), GetHeight());
    return TRect(kDefaultInset, kDefaultInset, GetWidth() - kDefaultInset,
                 GetHeight() - kDefaultInset);
}

TRect TskSkinTrackBar::CalcButtonRect(const TRect& R) {
    const double k = RangeFraction(FValue, FMinValue, FMaxValue);
    const TSize thumb = ThumbSize();
    const int w = thumb.cx, h = thumb.cy;
    if (FVertical) {
        FBeginPos = R.Top + h / 2;
        FEndPos = R.Bottom - h / 2;
        FButtonOffset = RoundEven((FEndPos - FBeginPos) * k);
        const int top = FEndPos - FButtonOffset - h / 2;
        const int left = R.Left + RectWidth(R) / 2 - w / 2;
        return TRect(left, top, left + w, top + h);
    }
    FBeginPos = R.Left + w / 2;
    FEndPos = R.Right - w / 2;
    FButtonOffset = RoundEven((FEndPos - FBeginPos) * k);
    const int left = FBeginPos + FButtonOffset - w / 2;
    const int top = R.Top + RectHeight(R) / 2 - h / 2;
    return TRect(left, top, left + w, top + h);
}

int TskSkinTrackBar::CalcValue(int Offset) const {
    const int span = FEndPos - FBeginPos;
    double k = span > 0 ? static_cast<double>(Offset) / span : 0;
    if (k < 0) k = 0;
    if (k > 1) k = 1;
    // The steps from MinValue may not fit in int; the sum lies within the range.
    const double steps = std::nearbyint((static_cast<double>(FMaxValue) - FMinValue) * k);
    return ClampValue(static_cast<Int64>(FMinValue + steps), FMinValue, FMaxValue);
}

void TskSkinTrackBar::StepValue(int Delta) {
    SetValue(ClampValue(static_cast<Int64>(FValue) + Delta, FMinValue, FMaxValue));
}

// ---- Mouse, keys and wheel -------------------------------------------------------------------

void TskSkinTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!FMouseSupport) return;
    GetSkinData();
    FButtonRect = CalcButtonRect(TrackRect());
    if (!PointInRect(FButtonRect, TPoint(X, Y))) return;
    FOldPos = FVertical ? Y : X;
    FOldOffset = FButtonOffset;
    FDown = true;
    Repaint();
}

void TskSkinTrackBar::MouseMove(TShiftState Shift, int X, int Y) {
    if (FMouseSupport && FDown)
        SetValue(CalcValue(FVertical ? FOldOffset + (FOldPos - Y) : FOldOffset + (X - FOldPos)));
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (!FMouseSupport) return;
    if (FDown) {
        FDown = false;
        Repaint();
        return;
    }
    if (!FJumpWhenClick) return;
    GetSkinData();
    const TRect track = TrackRect();
    FButtonRect = CalcButtonRect(track);
    // The thumb centre goes under the pointer: offsets count from the minimum's end.
    if (FVertical)
        SetValue(CalcValue(GetHeight() - Y - RectHeight(FButtonRect) / 2 -
                           (GetHeight() - track.Bottom)));
    else
        SetValue(CalcValue(X - RectWidth(FButtonRect) / 2 - track.Left));
}

void TskSkinTrackBar::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_DOWN)
        StepValue(-1);
    else if (Key == VK_UP || Key == VK_RIGHT)
        StepValue(1);
}

void TskSkinTrackBar::CMWantSpecialKey(TMessage& Message) {
    const WPARAM key = Message.WParam;
    if (FCanFocused && (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN)) {
        Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinTrackBar::WMMouseWheel(TMessage& Message) {
    if (!IsFocused()) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    // Turned away from the user: up a vertical bar, towards the minimum of a horizontal one.
    const bool away = static_cast<short>(HIWORD(Message.WParam)) > 0;
    StepValue(away == FVertical ? 1 : -1);
}

void TskSkinTrackBar::WMFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FCanFocused) Repaint();
}

void TskSkinTrackBar::WndProc(TMessage& Message) {
    if (FCanFocused && !IsDesigning()) {
        if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
            FSettingFocus = true;
            ::SetFocus(GetHandle());
            FSettingFocus = false;
            if (!Focused()) return;
        }
        if (Message.Msg == CN_COMMAND && FSettingFocus) return;
    }
    TskSkinCustomControl::WndProc(Message);
}

// ---- Painting ---------------------------------------------------------------------------------

void TskSkinTrackBar::CreateControlSkinImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    FButtonRect = CalcButtonRect(TrackRect());
    // The skin gives no disabled thumb: a disabled bar shows the normal one.
    const bool lit = IsEffectivelyEnabled() && (FDown || IsFocused());
    const TRect source = lit ? ActiveButtonRect : ButtonRect;
    const int w = RectWidth(FButtonRect), h = RectHeight(FButtonRect);
    if (!Picture || IsNullRect(source) || w < 1 || h < 1) return;
    TBitmap thumb(w, h);
    thumb.GetCanvas()->CopyRect(TRect(0, 0, w, h), Picture->GetCanvas(), source);
    if (FAlphaBlend) {
        TBitmap under(w, h);
        under.GetCanvas()->CopyRect(TRect(0, 0, w, h), B->GetCanvas(), FButtonRect);
        TskEffectBmp image(thumb.GetHandle());
        TskEffectBmp track(under.GetHandle());
        image.Morph(&track, 1 - FAlphaBlendValue / 255.0);
        image.Draw(thumb.GetCanvas()->GetHandle(), 0, 0);
    }
    B->GetCanvas()->Draw(FButtonRect.Left, FButtonRect.Top, &thumb);
}

void TskSkinTrackBar::CreateControlDefaultImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* canvas = B->GetCanvas();
    const int w = GetWidth(), h = GetHeight();
    TRect r = GetClientRect();
    Frame3D(canvas, r, clBtnShadow, clBtnShadow, 1);
    TRect groove = FVertical ? TRect(w / 2 - 1, 4, w / 2 + 1, h - 4)
                             : TRect(4, h / 2 - 1, w - 4, h / 2 + 1);
    Frame3D(canvas, groove, clBtnShadow, clBtnHighlight, 1);
    FButtonRect = CalcButtonRect(TrackRect());
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(FButtonRect);
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (!IsEffectivelyEnabled()) {
        // Greyed as the other default looks grey their marks: a flat clBtnShadow thumb.
        fill = clBtnShadow;
    } else if (FDown) {
        frame = clNavy;
        fill = static_cast<TColor>(RGB(133, 147, 181));
    } else if (IsFocused()) {
        frame = clNavy;
        fill = static_cast<TColor>(RGB(182, 189, 210));
    }
    TRect thumb = FButtonRect;
    Frame3D(canvas, thumb, frame, frame, 1);
    canvas->GetBrush()->SetColor(fill);
    canvas->FillRect(thumb);
}

REGISTER_CLASS(TskSkinTrackBar);

DEFINE_UNIT(SkinCtrls_TrackBars, uoSkin + 10, nullptr, nullptr);
