#include "skin/controls/SkinCtrls_ScrollBars.h"

#include "skin/data/Skeffbmp.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr UINT kTimerId = 1;
constexpr UINT kFirstDelay = 500;
constexpr UINT kRepeatDelay = 50;
// The default look's button length and least thumb length.
constexpr int kDefaultSize = 16;

TRect Shifted(const TRect& R, int DX, int DY) {
    return TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY);
}

} // namespace

TskSkinScrollBar::TskSkinScrollBar(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    FSkinDataName = "hscrollbar";
    SetTabStop(false);
    SetBounds(GetLeft(), GetTop(), 200, 19);
    SetDefaultHeight(19);
}

void TskSkinScrollBar::Published(TPropertyList& P) {
    PublishDefaultSize<TskSkinScrollBar>(P, 0, 19);
    P.Add("Kind", &TskSkinScrollBar::GetKind, &TskSkinScrollBar::SetKind, sbHorizontal);
    P.Add("Min", &TskSkinScrollBar::GetMin, &TskSkinScrollBar::SetMin, 0);
    P.Add("Max", &TskSkinScrollBar::GetMax, &TskSkinScrollBar::SetMax, 100);
    P.Add("Position", &TskSkinScrollBar::GetPosition, &TskSkinScrollBar::SetPosition, 0);
    P.Add("PageSize", &TskSkinScrollBar::GetPageSize, &TskSkinScrollBar::SetPageSize, 0);
    P.Add("SmallChange", &TskSkinScrollBar::GetSmallChange, &TskSkinScrollBar::SetSmallChange, 1);
    P.Add("LargeChange", &TskSkinScrollBar::GetLargeChange, &TskSkinScrollBar::SetLargeChange, 1);
    P.Add("Both", &TskSkinScrollBar::GetBoth, &TskSkinScrollBar::SetBoth, false);
    P.Add("BothMarkerWidth", &TskSkinScrollBar::GetBothMarkerWidth,
          &TskSkinScrollBar::SetBothMarkerWidth, 0);
    P.Add("BothSkinDataName", &TskSkinScrollBar::GetBothSkinDataName,
          &TskSkinScrollBar::SetBothSkinDataName);
    P.Add("CanFocused", &TskSkinScrollBar::GetCanFocused, &TskSkinScrollBar::SetCanFocused, false);
    P.Add("OnChange", &TskSkinScrollBar::OnChange);
    P.Add("OnLastChange", &TskSkinScrollBar::OnLastChange);
    P.Add("OnUpButtonClick", &TskSkinScrollBar::OnUpButtonClick);
    P.Add("OnDownButtonClick", &TskSkinScrollBar::OnDownButtonClick);
}

void TskSkinScrollBar::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinScrollBarControl*>(GetSkinRecord());
    if (!record) return;
    TrackArea = record->TrackArea;
    UpButtonRect = record->UpButtonRect;
    ActiveUpButtonRect = record->ActiveUpButtonRect;
    DownUpButtonRect = record->DownUpButtonRect;
    DownButtonRect = record->DownButtonRect;
    ActiveDownButtonRect = record->ActiveDownButtonRect;
    DownDownButtonRect = record->DownDownButtonRect;
    ThumbRect = record->ThumbRect;
    ActiveThumbRect = record->ActiveThumbRect;
    DownThumbRect = record->DownThumbRect;
    ThumbOffset1 = record->ThumbOffset1;
    ThumbOffset2 = record->ThumbOffset2;
    GlyphRect = record->GlyphRect;
    ActiveGlyphRect = record->ActiveGlyphRect;
    DownGlyphRect = record->DownGlyphRect;
    // Every state gets a picture, from the one before it; any empty rectangle counts.
    if (IsNullRect(DownUpButtonRect)) DownUpButtonRect = ActiveUpButtonRect;
    if (IsNullRect(DownDownButtonRect)) DownDownButtonRect = ActiveDownButtonRect;
    if (IsNullRect(ActiveThumbRect)) ActiveThumbRect = ThumbRect;
    if (IsNullRect(DownThumbRect)) DownThumbRect = ActiveThumbRect;
    if (IsNullRect(ActiveGlyphRect)) ActiveGlyphRect = GlyphRect;
    if (IsNullRect(DownGlyphRect)) DownGlyphRect = ActiveGlyphRect;
}

void TskSkinScrollBar::CalcSize(int& W, int& H) {
    TskSkinCustomControl::CalcSize(W, H);
    CalcRects();
}

// ---- Range and position ------------------------------------------------------------------

Int64 TskSkinScrollBar::LastPosition() const {
    return FPageSize > 0 ? Int64{FMax} - FPageSize + 1 : FMax;
}

bool TskSkinScrollBar::BoundsCross() const {
    return FMin > LastPosition();
}

int TskSkinScrollBar::Clamp(Int64 Value) const {
    // A page wider than the range puts the last position below Min: the bounds cross, and
    // the position is that last one, as for any crossed bounds (within int, however wide
    // the page).
    return ClampValue(Value, FMin, static_cast<int>(std::max<Int64>(LastPosition(), INT_MIN)));
}

void TskSkinScrollBar::KeepToBounds() {
    FPosition = Clamp(FPosition);
}

void TskSkinScrollBar::SetPosition(int Value) {
    if (IsLoading()) {
        FPosition = Value;
        return;
    }
    const int value = Clamp(Value);
    if (value == FPosition) return;
    FPosition = value;
    Repaint();
    if (OnChange) OnChange(this);
}

void TskSkinScrollBar::SimplySetPosition(int Value) {
    const int value = Clamp(Value);
    if (value == FPosition) return;
    FPosition = value;
    Repaint();
}

void TskSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize) {
    // Lists hand their range over at every scroll: the same range needs no painting.
    if (AMin == FMin && AMax == FMax && APageSize == FPageSize) return SimplySetPosition(APosition);
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = Clamp(APosition);
    Repaint();
}

void TskSkinScrollBar::SetMin(int Value) {
    FMin = Value;
    if (IsLoading()) return;
    if (BoundsCross())
        KeepToBounds();
    else if (Value > FPosition)
        FPosition = Value;
    Repaint();
}

void TskSkinScrollBar::SetMax(int Value) {
    FMax = Value;
    if (IsLoading()) return;
    if (BoundsCross()) {
        KeepToBounds();
    } else if (FPageSize == 0) {
        if (Value < FPosition) FPosition = Value;
    } else {
        // Wide, so that bounds and pages near the ends of int do not wrap round.
        const Int64 room = Int64{FMax} - FMin - FPageSize + 1;
        if (room <= FPosition) FPosition = static_cast<int>(room);
        if (FMin > FPosition) FPosition = FMin;
    }
    Repaint();
}

void TskSkinScrollBar::SetPageSize(int Value) {
    if (IsLoading()) {
        FPageSize = Value;
        return;
    }
    // Wide, so that a page near the largest int does not pass by wrapping round.
    if (Int64{FPosition} + Value <= Int64{FMax} - FMin + 1) FPageSize = Value;
    if (BoundsCross()) KeepToBounds();
    Repaint();
}

void TskSkinScrollBar::Loaded() {
    TskSkinCustomControl::Loaded();
    KeepToBounds();
    Repaint();
}

void TskSkinScrollBar::SetSmallChange(int Value) {
    FSmallChange = Value;
    Repaint();
}

void TskSkinScrollBar::SetLargeChange(int Value) {
    if (FLargeChange == Value) return;
    FLargeChange = Value;
    Repaint();
}

void TskSkinScrollBar::SetKind(TScrollBarKind Value) {
    if (Value == FKind) return;
    FKind = Value;
    if (IsDesigning() && !IsLoading()) {
        SetSkinDataName(Value == sbHorizontal ? "hscrollbar" : "vscrollbar");
        const bool tall = GetHeight() > GetWidth();
        if ((Value == sbHorizontal && tall) || (Value == sbVertical && GetHeight() < GetWidth()))
            SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
        if (Value == sbHorizontal) {
            SetDefaultHeight(GetDefaultWidth());
            SetDefaultWidth(0);
        } else {
            SetDefaultWidth(GetDefaultHeight());
            SetDefaultHeight(0);
        }
    }
    Repaint();
}

void TskSkinScrollBar::SetBoth(bool Value) {
    if (Value == FBoth) return;
    FBoth = Value;
    if (!IsDesigning()) {
        if (Value) {
            FSavedSkinDataName = FSkinDataName;
            SetSkinDataName(FBothSkinDataName);
        } else if (!FSavedSkinDataName.empty()) {
            SetSkinDataName(FSavedSkinDataName);
        }
    }
    if (FIndex != -1)
        ChangeSkinData();
    else
        Repaint();
}

void TskSkinScrollBar::SetBothMarkerWidth(int Value) {
    if (Value < 0) return;
    FBothMarkerWidth = Value;
    if (FIndex == -1) Repaint();
}

void TskSkinScrollBar::SetCanFocused(bool Value) {
    FCanFocused = Value;
    SetTabStop(Value);
}

// ---- Geometry ------------------------------------------------------------------------------

void TskSkinScrollBar::CalcRects() {
    const bool horizontal = Horizontal();
    // Differences of bounds are taken in floating point: a range may span all of int.
    double ratio = RangeFraction(FPosition, FMin, FMax);
    int minThumb = kDefaultSize;
    int crossThumb = 0;
    if (!Skinned()) {
        const int w = FBoth && horizontal ? GetWidth() - FBothMarkerWidth : GetWidth();
        const int h = GetHeight();
        if (horizontal) {
            FButtons[sbDown].Rect = TRect(1, 1, 1 + kDefaultSize, h - 1);
            FButtons[sbUp].Rect = TRect(w - 1 - kDefaultSize, 1, w - 1, h - 1);
            FTrackRect = TRect(1 + kDefaultSize, 1, w - 1 - kDefaultSize, h - 1);
        } else {
            FButtons[sbDown].Rect = TRect(1, 1, GetWidth() - 1, 1 + kDefaultSize);
            FButtons[sbUp].Rect = TRect(1, h - 1 - kDefaultSize, GetWidth() - 1, h - 1);
            FTrackRect = TRect(1, 1 + kDefaultSize, GetWidth() - 1, h - 1 - kDefaultSize);
        }
    } else {
        const int extraW = GetWidth() - RectWidth(SkinRect);
        const int extraH = GetHeight() - RectHeight(SkinRect);
        if (horizontal) {
            FTrackRect = TrackArea;
            FTrackRect.Right += extraW;
            FButtons[sbUp].Rect = UpButtonRect.Left > RTPoint.X ? Shifted(UpButtonRect, extraW, 0)
                                                                : UpButtonRect;
            FButtons[sbDown].Rect =
                DownButtonRect.Left > RTPoint.X ? Shifted(DownButtonRect, extraW, 0) : DownButtonRect;
            minThumb = RectWidth(ThumbRect);
            crossThumb = RectHeight(ThumbRect);
        } else {
            FTrackRect = TrackArea;
            FTrackRect.Bottom += extraH;
            FButtons[sbUp].Rect = UpButtonRect.Top > LBPoint.Y ? Shifted(UpButtonRect, 0, extraH)
                                                               : UpButtonRect;
            FButtons[sbDown].Rect =
                DownButtonRect.Top > LBPoint.Y ? Shifted(DownButtonRect, 0, extraH) : DownButtonRect;
            minThumb = RectHeight(ThumbRect);
            crossThumb = RectWidth(ThumbRect);
        }
    }
    const int trackStart = horizontal ? FTrackRect.Left : FTrackRect.Top;
    const int trackEnd = horizontal ? FTrackRect.Right : FTrackRect.Bottom;
    int thumb = minThumb;
    if (FPageSize > 0) {
        const double range = static_cast<double>(FMax) - FMin + 1;
        const double track = trackEnd - trackStart;
        // A page beyond the range (a Min below 0 lets one pass) fills the track, no more.
        thumb = range == 0 ? 0 : RoundEven(std::min(track * FPageSize / range, std::max(track, 0.0)));
        if (thumb < minThumb) thumb = minThumb;
        const double span = static_cast<double>(FMax) - FPageSize + 1 - FMin;
        ratio = span > 0 ? (static_cast<double>(FPosition) - FMin) / span : (Skinned() ? 0 : 1);
    }
    const int half = thumb / 2;
    FThumbPosStart = trackStart + half;
    FThumbPosEnd = trackEnd - half;
    FThumbPosOffset = RoundEven((FThumbPosEnd - FThumbPosStart) * ratio);
    const int from = FThumbPosStart + FThumbPosOffset - half;
    const int to = FThumbPosStart + FThumbPosOffset + half;
    TRect& r = FButtons[sbThumb].Rect;
    if (horizontal) {
        int top = FTrackRect.Top, bottom = FTrackRect.Bottom;
        if (Skinned()) {
            top = FTrackRect.Top + RectHeight(FTrackRect) / 2 - crossThumb / 2;
            bottom = top + crossThumb;
        }
        r = TRect(from, top, to, bottom);
    } else {
        int left = FTrackRect.Left, right = FTrackRect.Right;
        if (Skinned()) {
            left = FTrackRect.Left + RectWidth(FTrackRect) / 2 - crossThumb / 2;
            right = left + crossThumb;
        }
        r = TRect(left, from, right, to);
    }
}

int TskSkinScrollBar::CalcValue(double D) {
    if (FPageSize > 0) {
        const TRect& thumb = FButtons[sbThumb].Rect;
        const int length = Horizontal() ? RectWidth(thumb) : RectHeight(thumb);
        FThumbPosStart = (Horizontal() ? FTrackRect.Left : FTrackRect.Top) + length / 2;
        FThumbPosEnd = (Horizontal() ? FTrackRect.Right : FTrackRect.Bottom) - length / 2;
    }
    const int span = FThumbPosEnd - FThumbPosStart;
    double t = span > 0 ? D / span : 0;
    if (t < 0) t = 0;
    if (t > 1) t = 1;
    const double values = static_cast<double>(FMax) - FMin - (FPageSize > 0 ? FPageSize - 1 : 0);
    return Clamp(static_cast<Int64>(std::nearbyint(values * t)) + FMin);
}

// ---- Buttons ------------------------------------------------------------------------------

void TskSkinScrollBar::TestActive(int X, int Y) {
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (int i = 0; i < 3; ++i)
        if (PointInRect(FButtons[i].Rect, TPoint(X, Y)) && !IsNullRect(FButtons[i].Rect)) {
            FActiveButton = i;
            break;
        }
    // While a button is held no other becomes active.
    if (FDownButton != -1 && FActiveButton != FDownButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
    if (FActiveButton != -1) ButtonEnter(FActiveButton);
}

void TskSkinScrollBar::ButtonEnter(int Index) {
    FButtons[Index].Active = true;
    Repaint();
    if (Index != sbThumb && FButtons[Index].Down) SetTimer(kRepeatDelay);
}

void TskSkinScrollBar::ButtonLeave(int Index) {
    FButtons[Index].Active = false;
    Repaint();
    if (Index != sbThumb && FButtons[Index].Down && HandleAllocated())
        KillTimer(GetHandle(), kTimerId);
}

void TskSkinScrollBar::UpStep() {
    if (OnUpButtonClick)
        OnUpButtonClick(this);
    else
        SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::DownStep() {
    if (OnDownButtonClick)
        OnDownButtonClick(this);
    else
        SetPosition(FPosition - FSmallChange);
}

void TskSkinScrollBar::ButtonDown(int Index) {
    FButtons[Index].Down = true;
    Repaint();
    switch (Index) {
    case sbThumb:
        FDragStartCoord = Horizontal() ? FLastMouseX : FLastMouseY;
        FDragStartOffset = FThumbPosOffset;
        FThumbDragging = true;
        Repaint();
        break;
    case sbUp:
        UpStep();
        FTimerMode = tmUpButton;
        SetTimer(kFirstDelay);
        break;
    case sbDown:
        DownStep();
        FTimerMode = tmDownButton;
        SetTimer(kFirstDelay);
        break;
    default:
        break;
    }
}

void TskSkinScrollBar::ButtonUp(int Index) {
    FButtons[Index].Down = false;
    if (Index != FActiveButton) FButtons[Index].Active = false;
    Repaint();
    if (Index == sbThumb)
        FThumbDragging = false;
    else
        StopTimer();
}

void TskSkinScrollBar::SetTimer(UINT Interval) {
    if (HandleAllocated()) ::SetTimer(GetHandle(), kTimerId, Interval, nullptr);
}

void TskSkinScrollBar::StopTimer() {
    if (HandleAllocated()) KillTimer(GetHandle(), kTimerId);
    FTimerMode = tmNone;
}

// ---- Mouse, keys and timer ------------------------------------------------------------------

void TskSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FMouseIsDown = true;
    FLastMouseX = X;
    FLastMouseY = Y;
    CalcRects();
    FTimerMode = tmNone;
    FFirstTick = true;
    for (int i = 0; i < 3; ++i)
        if (PointInRect(FButtons[i].Rect, TPoint(X, Y)) && !IsNullRect(FButtons[i].Rect)) {
            FDownButton = i;
            ButtonDown(i);
            return;
        }
    if (!PointInRect(FTrackRect, TPoint(X, Y))) return;
    const TRect& thumb = FButtons[sbThumb].Rect;
    const bool after = Horizontal() ? X >= thumb.Left : Y >= thumb.Top;
    if (after) {
        SetPosition(FPosition + FLargeChange);
        FTimerMode = tmPageToMax;
    } else {
        SetPosition(FPosition - FLargeChange);
        FTimerMode = tmPageToMin;
    }
    SetTimer(kFirstDelay);
}

void TskSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    FLastMouseX = X;
    FLastMouseY = Y;
    TestActive(X, Y);
    if (FThumbDragging) {
        const int coord = Horizontal() ? X : Y;
        SetPosition(CalcValue(coord - FDragStartCoord + FDragStartOffset));
    }
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseIsDown = false;
    if (FTimerMode >= tmPageToMin) StopTimer();
    if (FDownButton != -1) ButtonUp(FDownButton);
    FDownButton = -1;
    if (Button == mbLeft && OnLastChange) OnLastChange(this);
}

void TskSkinScrollBar::WMTimer(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FFirstTick) {
        FFirstTick = false;
        if (HandleAllocated()) KillTimer(GetHandle(), kTimerId);
        SetTimer(kRepeatDelay);
        return;
    }
    const TRect& thumb = FButtons[sbThumb].Rect;
    switch (FTimerMode) {
    case tmDownButton: DownStep(); break;
    case tmUpButton: UpStep(); break;
    case tmPageToMin:
        TestActive(FLastMouseX, FLastMouseY);
        if (Horizontal() ? FLastMouseX < thumb.Left : FLastMouseY < thumb.Top)
            SetPosition(FPosition - FLargeChange);
        else
            StopTimer();
        break;
    case tmPageToMax:
        TestActive(FLastMouseX, FLastMouseY);
        if (Horizontal() ? FLastMouseX > thumb.Right : FLastMouseY > thumb.Bottom)
            SetPosition(FPosition + FLargeChange);
        else
            StopTimer();
        break;
    default: break;
    }
}

void TskSkinScrollBar::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::CMMouseLeave(Message);
    if (FActiveButton != -1 && FDownButton == -1 && !FThumbDragging) {
        FButtons[FActiveButton].Active = false;
        Repaint();
        FActiveButton = -1;
    }
    if (FMouseIsDown && FTimerMode == tmPageToMax) StopTimer();
}

void TskSkinScrollBar::CMEnabledChanged(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    Repaint();
}

bool TskSkinScrollBar::IsFocusedBar() {
    return FCanFocused && Focused();
}

void TskSkinScrollBar::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused) return;
    if (Key == VK_LEFT || Key == VK_UP)
        SetPosition(FPosition - FSmallChange);
    else if (Key == VK_RIGHT || Key == VK_DOWN)
        SetPosition(FPosition + FSmallChange);
}

void TskSkinScrollBar::CMWantSpecialKey(TMessage& Message) {
    const WPARAM key = Message.WParam;
    if (FCanFocused && (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN)) {
        Message.Result = 1;
        return;
    }
    TskSkinCustomControl::Dispatch(Message);
}

void TskSkinScrollBar::WMMouseWheel(TMessage& Message) {
    if (!IsFocusedBar()) {
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    const auto turn = static_cast<int32_t>(Message.WParam);
    SetPosition(turn < 1 ? FPosition + FSmallChange : FPosition - FSmallChange);
}

void TskSkinScrollBar::WMFocus(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    if (FCanFocused) Repaint();
}

void TskSkinScrollBar::WndProc(TMessage& Message) {
    if (FCanFocused && !IsDesigning()) {
        if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
            FFocusing = true;
            ::SetFocus(GetHandle());
            FFocusing = false;
            if (!Focused()) return;
        }
        if (Message.Msg == CN_COMMAND && FFocusing) return;
    }
    TskSkinCustomControl::WndProc(Message);
}

// ---- Painting ---------------------------------------------------------------------------------

void TskSkinScrollBar::DrawButton(TCanvas* Canvas, int Index) {
    const TButtonState& button = FButtons[Index];
    if (IsNullRect(button.Rect)) return;
    const bool pressed =
        (button.Down && button.Active) || (Index == sbThumb && (button.Down || IsFocusedBar()));
    if (!Skinned()) {
        TRect r = button.Rect;
        TColor fill = clBtnFace;
        if (pressed || button.Active) {
            Frame3D(Canvas, r, static_cast<TColor>(0x800000), static_cast<TColor>(0x800000), 1);
            fill = static_cast<TColor>(pressed ? 0xB59385 : 0xD2BDB6);
        } else {
            Frame3D(Canvas, r, clBtnShadow, clBtnShadow, 1);
        }
        Canvas->GetBrush()->SetColor(fill);
        Canvas->FillRect(r);
        const int direction = Index == sbUp ? (Horizontal() ? 2 : 4) : (Horizontal() ? 1 : 3);
        if (Index != sbThumb) DrawArrowImage(Canvas, button.Rect, clBlack, direction);
        return;
    }
    if (!Picture) return;
    if (Index == sbThumb) {
        const bool active = button.Active;
        const TRect source = pressed ? DownThumbRect : active ? ActiveThumbRect : ThumbRect;
        const TRect glyph = pressed ? DownGlyphRect : active ? ActiveGlyphRect : GlyphRect;
        const int w = RectWidth(button.Rect);
        const int h = RectHeight(button.Rect);
        if (w < 1 || h < 1 || IsNullRect(source)) return;
        TBitmap image(w, h);
        if (FPageSize == 0)
            image.GetCanvas()->CopyRect(TRect(0, 0, w, h), Picture->GetCanvas(), source);
        else if (Horizontal())
            CreateHSkinImage(ThumbOffset1, ThumbOffset2, &image, Picture, source, w, h);
        else
            CreateVSkinImage(ThumbOffset1, ThumbOffset2, &image, Picture, source, w, h);
        if (!IsNullRect(glyph)) {
            const int gx = image.GetWidth() / 2 - RectWidth(glyph) / 2;
            const int gy = image.GetHeight() / 2 - RectHeight(glyph) / 2;
            image.GetCanvas()->CopyRect(TRect(gx, gy, gx + RectWidth(glyph), gy + RectHeight(glyph)),
                                        Picture->GetCanvas(), glyph);
        }
        if (FAlphaBlend) {
            TBitmap under(image.GetWidth(), image.GetHeight());
            under.GetCanvas()->CopyRect(TRect(0, 0, under.GetWidth(), under.GetHeight()), Canvas,
                                        TRect(button.Rect.Left, button.Rect.Top,
                                              button.Rect.Left + under.GetWidth(),
                                              button.Rect.Top + under.GetHeight()));
            TskEffectBmp thumb(image.GetHandle());
            TskEffectBmp background(under.GetHandle());
            thumb.Morph(&background, 1 - FAlphaBlendValue / 255.0);
            thumb.Draw(image.GetCanvas()->GetHandle(), 0, 0);
        }
        Canvas->Draw(button.Rect.Left, button.Rect.Top, &image);
        return;
    }
    const bool up = Index == sbUp;
    TRect source;
    if (button.Down && button.Active)
        source = up ? DownUpButtonRect : DownDownButtonRect;
    else if (button.Active)
        source = up ? ActiveUpButtonRect : ActiveDownButtonRect;
    // The normal button is part of the bar's own picture.
    if (!IsNullRect(source)) Canvas->CopyRect(button.Rect, Picture->GetCanvas(), source);
}

void TskSkinScrollBar::CreateControlDefaultImage(TBitmap* B) {
    CalcRects();
    TCanvas* canvas = B->GetCanvas();
    TRect r = GetClientRect();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(r);
    Frame3D(canvas, r, clBtnFace, clBtnFace, 1);
    if (GetEnabled()) DrawButton(canvas, sbThumb);
    DrawButton(canvas, sbUp);
    DrawButton(canvas, sbDown);
}

void TskSkinScrollBar::CreateControlSkinImage(TBitmap* B) {
    TskSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    TCanvas* canvas = B->GetCanvas();
    DrawButton(canvas, sbUp);
    DrawButton(canvas, sbDown);
    if (GetEnabled()) DrawButton(canvas, sbThumb);
}

REGISTER_CLASS(TskSkinScrollBar);

DEFINE_UNIT(SkinCtrls_ScrollBars, uoSkin + 10, nullptr, nullptr);
