#include "skin/form/SkinForm_ValueObjects.h"

#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"

#include "skin/data/Skeffbmp.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Copies W x H pixels of Src at (SX, SY) to Dst at (X, Y), unscaled; nothing without a
// picture or with an empty size.
void Blit(TBitmap* Dst, int X, int Y, int W, int H, TBitmap* Src, int SX, int SY) {
    if (!Usable(Src) || W <= 0 || H <= 0) return;
    BitBlt(Dst->GetCanvas()->GetHandle(), X, Y, W, H, Src->GetCanvas()->GetHandle(), SX, SY, SRCCOPY);
}

std::unique_ptr<TBitmap> NewImage(int W, int H) {
    auto b = std::make_unique<TBitmap>(std::max(W, 1), std::max(H, 1));
    b->SetPixelFormat(pf24bit);
    return b;
}

void Put(TCanvas* Cnvs, const TRect& At, TBitmap* B) {
    BitBlt(Cnvs->GetHandle(), At.Left, At.Top, B->GetWidth(), B->GetHeight(), B->GetCanvas()->GetHandle(), 0, 0,
           SRCCOPY);
}

// The coordinate V held between the ends A and B of a track, whichever is the larger. Values
// are kept to their bounds by ClampValue.
int Within(int V, int A, int B) {
    return std::clamp(V, std::min(A, B), std::max(A, B));
}

template <class T> T* RecordAs(TskDataSkinObject* Data) {
    return dynamic_cast<T*>(Data);
}

// The frame count and placement of a strip record; none without one.
template <class T> std::pair<int, TFramesPlacement> StripOf(TskDataSkinObject* Data) {
    if (auto* d = RecordAs<T>(Data)) return {d->CountFrames, d->FramesPlacement};
    return {0, fpHorizontal};
}

} // namespace

int NearInt(double X) {
    const double f = std::floor(X);
    const double d = X - f;
    if (d > 0.5) return static_cast<int>(f) + 1;
    if (d < 0.5) return static_cast<int>(f);
    const long long i = static_cast<long long>(f);
    return static_cast<int>(i % 2 == 0 ? i : i + 1);
}

std::unique_ptr<TskActiveSkinObject> CreateSkinObject(TskSkinForm* Parent, TskDataSkinObject* Data) {
    if (RecordAs<TskDataSkinMainMenuItem>(Data) || RecordAs<TskDataSkinMenuItem>(Data) ||
        RecordAs<TskDataSkinMainMenuBarButton>(Data))
        return nullptr;
    if (RecordAs<TskDataSkinGauge>(Data)) return std::make_unique<TskSkinGaugeObject>(Parent, Data);
    if (RecordAs<TskDataSkinStdButton>(Data)) return std::make_unique<TskSkinStdButtonObject>(Parent, Data);
    if (RecordAs<TskDataSkinButton>(Data)) return std::make_unique<TskSkinButtonObject>(Parent, Data);
    if (RecordAs<TskDataSkinCaption>(Data)) return std::make_unique<TskSkinCaptionObject>(Parent, Data);
    if (RecordAs<TskDataUserObject>(Data)) return std::make_unique<TskUserObject>(Parent, Data);
    if (RecordAs<TskDataSkinSwitch>(Data)) return std::make_unique<TskSkinSwitchObject>(Parent, Data);
    if (RecordAs<TskDataSkinTrackBar>(Data)) return std::make_unique<TskSkinTrackBarObject>(Parent, Data);
    if (RecordAs<TskDataSkinLabel>(Data)) return std::make_unique<TskSkinLabelObject>(Parent, Data);
    if (RecordAs<TskDataSkinAnimate>(Data)) return std::make_unique<TskSkinAnimateObject>(Parent, Data);
    if (RecordAs<TskDataSkinBitLabel>(Data)) return std::make_unique<TskSkinBitLabelObject>(Parent, Data);
    if (RecordAs<TskDataSkinFrameRegulatorObject>(Data))
        return std::make_unique<TskSkinFrameRegulatorObject>(Parent, Data);
    if (RecordAs<TskDataSkinFrameGaugeObject>(Data)) return std::make_unique<TskSkinFrameGaugeObject>(Parent, Data);
    return nullptr;
}

// ---------------------------------------------------------------------------
// Track bar

TskSkinTrackBarObject::TskSkinTrackBarObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* d = RecordAs<TskDataSkinTrackBar>(AData)) {
        ButtonRect = d->ButtonRect;
        ActiveButtonRect = d->ActiveButtonRect;
        BeginPoint = d->BeginPoint;
        EndPoint = d->EndPoint;
        MinValue = d->MinValue;
        MaxValue = d->MaxValue;
        MouseDownChangeValue = d->MouseDownChangeValue;
    }
    if (!ActivePicture) ButtonRect = ActiveButtonRect = NullRect();
    Vertical = std::abs(BeginPoint.Y - EndPoint.Y) >= std::abs(EndPoint.X - BeginPoint.X);
    Value = MinValue;
    ButtonPos = OldButtonPos = CalcButtonPos(Value);
}

TPoint TskSkinTrackBarObject::CalcButtonPos(int V) const {
    const double k = MaxValue == MinValue ? 0.0 : double(V - MinValue) / double(MaxValue - MinValue);
    if (!Vertical) return TPoint(BeginPoint.X + NearInt((EndPoint.X - BeginPoint.X) * k), BeginPoint.Y);
    return TPoint(BeginPoint.X, EndPoint.Y + NearInt((1 - k) * (BeginPoint.Y - EndPoint.Y)));
}

int TskSkinTrackBarObject::CalcValue() const {
    double k;
    if (!Vertical) {
        if (EndPoint.X == BeginPoint.X) return Value;
        k = double(ButtonPos.X - BeginPoint.X) / double(EndPoint.X - BeginPoint.X);
    } else {
        if (BeginPoint.Y == EndPoint.Y) return Value;
        k = 1 - double(ButtonPos.Y - EndPoint.Y) / double(BeginPoint.Y - EndPoint.Y);
    }
    return MinValue + NearInt((MaxValue - MinValue) * k);
}

TRect TskSkinTrackBarObject::CalcButtonRect(TPoint P) const {
    const int w = RectWidth(ButtonRect), h = RectHeight(ButtonRect);
    return TRect(P.X - w / 2, P.Y - h / 2, P.X - w / 2 + w, P.Y - h / 2 + h);
}

void TskSkinTrackBarObject::ValueChanged(bool AUpdate) {
    if (AUpdate) Parent->DrawSkinObject(this);
    Parent->TrackBarChangeValueEvent(IDName, Value);
}

void TskSkinTrackBarObject::MoveTo(int V, bool AUpdate) {
    Value = ClampValue(V, MinValue, MaxValue);
    OldButtonPos = ButtonPos;
    ButtonPos = CalcButtonPos(Value);
    ValueChanged(AUpdate);
}

void TskSkinTrackBarObject::SetValue(int V) {
    if (V != Value) MoveTo(V, true);
}

void TskSkinTrackBarObject::SimplySetValue(int V) {
    MoveTo(V, false);
}

void TskSkinTrackBarObject::SetButtonPos(TPoint P) {
    if (P == ButtonPos) return;
    OldButtonPos = ButtonPos;
    ButtonPos = P;
    Value = CalcValue();
    ValueChanged(true);
}

void TskSkinTrackBarObject::Draw(TCanvas* Cnvs, bool) {
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    if (w <= 0 || h <= 0) return;
    auto b = NewImage(w, h);
    if (IsNullRect(ActiveSkinRect)) {
        Blit(b.get(), 0, 0, w, h, Picture, SkinRect.Left, SkinRect.Top);
    } else if (!Vertical) {
        const int split = std::clamp(ButtonPos.X, 0, w);
        Blit(b.get(), 0, 0, split, h, ActivePicture, ActiveSkinRect.Left, ActiveSkinRect.Top);
        Blit(b.get(), split, 0, w - split, h, Picture, SkinRect.Left + split, SkinRect.Top);
    } else {
        const int split = std::clamp(ButtonPos.Y, 0, h);
        Blit(b.get(), 0, 0, w, split, Picture, SkinRect.Left, SkinRect.Top);
        Blit(b.get(), 0, split, w, h - split, ActivePicture, ActiveSkinRect.Left, ActiveSkinRect.Top + split);
    }
    const TRect thumb = ButtonDown && !IsNullRect(ActiveButtonRect) ? ActiveButtonRect : ButtonRect;
    if (!IsNullRect(thumb)) {
        const TRect at = CalcButtonRect(ButtonPos);
        Blit(b.get(), at.Left, at.Top, RectWidth(thumb), RectHeight(thumb), ActivePicture, thumb.Left, thumb.Top);
    }
    Put(Cnvs, ObjectRect, b.get());
}

void TskSkinTrackBarObject::MouseDown(int X, int Y, TMouseButton Button) {
    const TPoint p = Local(X, Y);
    const TRect thumb = CalcButtonRect(ButtonPos);
    if (Button == mbLeft && InHalfOpen(thumb, p)) {
        ButtonDown = true;
        OldX = p.X;
        OldY = p.Y;
        if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(this);
    } else if (Button == mbLeft && MouseDownChangeValue) {
        if (!Vertical)
            SetButtonPos(TPoint(Within(p.X, BeginPoint.X, EndPoint.X), BeginPoint.Y));
        else
            SetButtonPos(TPoint(BeginPoint.X, Within(p.Y, EndPoint.Y, BeginPoint.Y)));
    }
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinTrackBarObject::MouseMove(int X, int Y) {
    const TPoint p = Local(X, Y);
    if (ButtonDown) {
        if (!Vertical) {
            const int nx = ButtonPos.X + p.X - OldX;
            if (BeginPoint.X <= nx && nx <= EndPoint.X) SetButtonPos(TPoint(nx, ButtonPos.Y));
        } else {
            const int ny = ButtonPos.Y + p.Y - OldY;
            if (EndPoint.Y <= ny && ny <= BeginPoint.Y) SetButtonPos(TPoint(ButtonPos.X, ny));
        }
    }
    OldX = p.X;
    OldY = p.Y;
    TskActiveSkinObject::MouseMove(X, Y);
}

void TskSkinTrackBarObject::MouseUp(int X, int Y, TMouseButton Button) {
    if (Button == mbLeft && ButtonDown) {
        ButtonDown = false;
        if (!IsNullRect(ActiveButtonRect)) Parent->DrawSkinObject(this);
    }
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

// ---------------------------------------------------------------------------
// Switch

void TskSkinSwitchObject::SetState(TSwitchState S) {
    State = S;
    Active = S == swOn;
    Redraw();
    Parent->SwitchChangeStateEvent(IDName, State);
}

void TskSkinSwitchObject::SimpleSetState(TSwitchState S) {
    State = S;
    Active = S == swOn;
    if (S == swOn) MorphKf = 1;
}

void TskSkinSwitchObject::MouseDown(int X, int Y, TMouseButton Button) {
    if (Button == mbLeft) SetState(State == swOff ? swOn : swOff);
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinSwitchObject::MouseEnter() {
    MouseIn = true;
    Parent->MouseEnterEvent(IDName);
}

void TskSkinSwitchObject::MouseLeave() {
    MouseIn = false;
    Parent->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------
// Frame strips

TskSkinFrameObject::TskSkinFrameObject(TskSkinForm* AParent, TskDataSkinObject* AData, int ACountFrames,
                                       TFramesPlacement APlacement)
    : TskActiveSkinObject(AParent, AData), CountFrames(ACountFrames), FramesPlacement(APlacement) {
    if (CountFrames <= 0) return;
    if (FramesPlacement == fpHorizontal) {
        FrameWidth = RectWidth(ActiveSkinRect) / CountFrames;
        FrameHeight = RectHeight(ActiveSkinRect);
    } else {
        FrameHeight = RectHeight(ActiveSkinRect) / CountFrames;
        FrameWidth = RectWidth(ActiveSkinRect);
    }
}

int TskSkinFrameObject::FrameOf(int Value, int MinValue, int MaxValue) const {
    if (CountFrames < 2) return 1;
    const int step = (MaxValue - MinValue) / (CountFrames - 1);
    if (step == 0) return 1;
    // A range that does not divide evenly would reach past the strip's last frame.
    return std::clamp(std::abs(Value - MinValue) / std::abs(step) + 1, 1, CountFrames);
}

void TskSkinFrameObject::Draw(TCanvas* Cnvs, bool) {
    if (!Usable(ActivePicture) || FrameWidth <= 0 || FrameHeight <= 0) return;
    const int f = std::clamp(Frame, 1, std::max(CountFrames, 1)) - 1;
    const int l = ActiveSkinRect.Left + (FramesPlacement == fpHorizontal ? f * FrameWidth : 0);
    const int t = ActiveSkinRect.Top + (FramesPlacement == fpVertical ? f * FrameHeight : 0);
    Cnvs->CopyRect(ObjectRect, ActivePicture->GetCanvas(), TRect(l, t, l + FrameWidth, t + FrameHeight));
}

TskSkinFrameGaugeObject::TskSkinFrameGaugeObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskSkinFrameObject(AParent, AData, StripOf<TskDataSkinFrameGaugeObject>(AData).first,
                         StripOf<TskDataSkinFrameGaugeObject>(AData).second) {
    if (auto* d = RecordAs<TskDataSkinFrameGaugeObject>(AData)) {
        MinValue = d->MinValue;
        MaxValue = d->MaxValue;
    }
}

void TskSkinFrameGaugeObject::Draw(TCanvas* Cnvs, bool UpDate) {
    Frame = CalcFrame();
    TskSkinFrameObject::Draw(Cnvs, UpDate);
}

void TskSkinFrameGaugeObject::SimplySetValue(int V) {
    if (V == Value || V < MinValue || V > MaxValue) return;
    Value = V;
}

void TskSkinFrameGaugeObject::SetValue(int V) {
    if (V == Value || V < MinValue || V > MaxValue) return;
    Value = V;
    Parent->DrawSkinObject(this);
}

TskSkinFrameRegulatorObject::TskSkinFrameRegulatorObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskSkinFrameObject(AParent, AData, StripOf<TskDataSkinFrameRegulatorObject>(AData).first,
                         StripOf<TskDataSkinFrameRegulatorObject>(AData).second) {
    if (auto* d = RecordAs<TskDataSkinFrameRegulatorObject>(AData)) {
        MinValue = d->MinValue;
        MaxValue = d->MaxValue;
        Kind = d->Kind;
    }
    Value = ClampValue(Value, MinValue, MaxValue);
}

void TskSkinFrameRegulatorObject::Draw(TCanvas* Cnvs, bool UpDate) {
    Frame = CalcFrame();
    TskSkinFrameObject::Draw(Cnvs, UpDate);
}

int TskSkinFrameRegulatorObject::Offset(int X, int Y) const {
    const int px = X - ObjectRect.Left, py = Y - ObjectRect.Top;
    switch (Kind) {
    case rkHorizontal: return px;
    case rkVertical: return -py;
    default: return px - py;
    }
}

void TskSkinFrameRegulatorObject::MouseDown(int X, int Y, TMouseButton Button) {
    Down = true;
    TempValue = Value;
    OldOffset = Offset(X, Y);
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinFrameRegulatorObject::MouseMove(int X, int Y) {
    if (Down) {
        CurrentOffset = Offset(X, Y);
        CalcValue();
    }
    TskActiveSkinObject::MouseMove(X, Y);
}

void TskSkinFrameRegulatorObject::MouseUp(int X, int Y, TMouseButton Button) {
    Down = false;
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinFrameRegulatorObject::CalcValue() {
    if (CountFrames < 2) return; // a single frame has nothing to turn
    const int size = Kind == rkRound ? std::min(FrameWidth, FrameHeight) : Kind == rkHorizontal ? FrameWidth : FrameHeight;
    PixelStep = std::max(size / (CountFrames - 1), 1);
    ValueStep = (MaxValue - MinValue) / (CountFrames - 1);
    if (ValueStep == 0) ValueStep = 1;
    if (std::abs(OldOffset - CurrentOffset) < PixelStep) return;
    TempValue += OldOffset > CurrentOffset ? -ValueStep : ValueStep;
    OldOffset = CurrentOffset;
    TempValue = ClampValue(TempValue, MinValue, MaxValue);
    SetValue(TempValue);
}

void TskSkinFrameRegulatorObject::SetValue(int V) {
    if (V == Value || V < MinValue || V > MaxValue) return;
    Value = V;
    Parent->DrawSkinObject(this);
    Parent->FrameRegulatorChangeValueEvent(IDName, Value);
}

void TskSkinFrameRegulatorObject::SimplySetValue(int V) {
    if (V == Value || V < MinValue || V > MaxValue) return;
    Value = V;
    Parent->FrameRegulatorChangeValueEvent(IDName, Value);
}

// ---------------------------------------------------------------------------
// Animation

TskSkinAnimateObject::TskSkinAnimateObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* d = RecordAs<TskDataSkinAnimate>(AData)) {
        TimerInterval = std::max(d->TimerInterval, 25);
        CountFrames = d->CountFrames;
        Cycle = d->Cycle;
        ButtonStyle = d->ButtonStyle;
        Command = d->Command;
    }
}

void TskSkinAnimateObject::Draw(TCanvas* Cnvs, bool) {
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    if (!Usable(ActivePicture) || IsNullRect(ActiveSkinRect) || w <= 0 || h <= 0) return;
    const int l = ActiveSkinRect.Left + (std::max(Frame, 1) - 1) * w;
    Cnvs->CopyRect(ObjectRect, ActivePicture->GetCanvas(), TRect(l, ActiveSkinRect.Top, l + w, ActiveSkinRect.Top + h));
}

void TskSkinAnimateObject::SetFrame(int F) {
    if (Increment && F > CountFrames)
        Frame = 1;
    else if (!Increment && F < 1)
        Frame = std::max(CountFrames, 1);
    else
        Frame = F;
    Parent->DrawSkinObject(this);
}

void TskSkinAnimateObject::ChangeFrame() {
    if (TimerCount < TimerInterval) {
        TimerCount += 25;
        return;
    }
    if (Increment) {
        SetFrame(Frame + 1);
        if (!Cycle && Frame >= CountFrames) Active = false;
    } else {
        SetFrame(Frame - 1);
        if (Frame == 1) Active = false;
    }
    TimerCount = 25;
}

void TskSkinAnimateObject::Start() {
    TimerCount = 25;
    Frame = 1;
    Active = true;
    Parent->GetAnimateTimer()->SetEnabled(true);
}

void TskSkinAnimateObject::Stop() {
    SetFrame(1);
    Active = false;
    TimerCount = 25;
}

void TskSkinAnimateObject::MouseEnter() {
    MouseIn = true;
    if (ButtonStyle) {
        Active = true;
        Increment = true;
        Parent->GetAnimateTimer()->SetEnabled(true);
    }
    Parent->MouseEnterEvent(IDName);
}

void TskSkinAnimateObject::MouseLeave() {
    MouseIn = false;
    if (ButtonStyle) {
        Active = true;
        Increment = false;
        Parent->GetAnimateTimer()->SetEnabled(true);
    }
    Parent->MouseLeaveEvent(IDName);
}

void TskSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button) {
    TskActiveSkinObject::MouseUp(X, Y, Button);
    if (MouseIn && ButtonStyle && Button == mbLeft) DoCommand();
}

void TskSkinAnimateObject::DoCommand() {
    switch (Command) {
    case cmClose: Parent->GetForm()->Close(); break;
    case cmMaximize:
        Parent->SetWindowState(Parent->GetWindowState() == wsMaximized ? wsNormal : wsMaximized);
        break;
    case cmMinimize:
        if (Parent->GetSupportNCArea() && Parent->GetWindowState() == wsMinimized)
            Parent->SetWindowState(wsNormal);
        else
            Parent->SetWindowState(wsMinimized);
        break;
    case cmSysMenu:
        MenuItem = Parent->GetSystemMenu()->GetItems();
        TrackMenu();
        break;
    case cmDefault:
        if (MenuItem) TrackMenu();
        break;
    case cmRollUp: Parent->SetRollUpState(!Parent->GetRollUpState()); break;
    }
}

void TskSkinAnimateObject::DblClick() {
    if (Command == cmSysMenu) Parent->GetForm()->Close();
}

void TskSkinAnimateObject::TrackMenu() {
    if (!MenuItem || MenuItem->GetCount() == 0) return;
    RECT w{};
    GetWindowRect(Parent->GetForm()->GetHandle(), &w);
    Parent->TrackObjectMenu(MenuItem, MovedRect(ObjectRect, w.left, w.top), MenuPopupUp);
}

// ---------------------------------------------------------------------------
// Gauge

TskSkinGaugeObject::TskSkinGaugeObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* d = RecordAs<TskDataSkinGauge>(AData)) {
        MinValue = d->MinValue;
        MaxValue = d->MaxValue;
        Kind = d->Kind;
    }
    Value = MinValue;
    ProgressPos = OldProgressPos = CalcProgressPos();
}

TPoint TskSkinGaugeObject::CalcProgressPos() const {
    const double k = MaxValue == MinValue ? 0.0 : double(Value - MinValue) / double(MaxValue - MinValue);
    if (Kind == gkHorizontal) return TPoint(NearInt(RectWidth(SkinRect) * k), 0);
    return TPoint(0, NearInt(RectHeight(SkinRect) * (1 - k)));
}

void TskSkinGaugeObject::SimplySetValue(int V) {
    if (V == Value) return;
    Value = ClampValue(V, MinValue, MaxValue);
    OldProgressPos = ProgressPos;
    ProgressPos = CalcProgressPos();
}

void TskSkinGaugeObject::SetValue(int V) {
    SimplySetValue(V);
    Parent->DrawSkinObject(this);
}

void TskSkinGaugeObject::Draw(TCanvas* Cnvs, bool UpDate) {
    if (Value == MinValue && !UpDate) return;
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    if (w <= 0 || h <= 0) return;
    auto b = NewImage(w, h);
    const bool fill = !IsNullRect(ActiveSkinRect);
    if (Kind == gkHorizontal) {
        const int split = std::clamp(ProgressPos.X, 0, w);
        Blit(b.get(), split, 0, w - split, h, Picture, SkinRect.Left + split, SkinRect.Top);
        if (fill)
            Blit(b.get(), 0, 0, split, h, ActivePicture, ActiveSkinRect.Left, ActiveSkinRect.Top);
        else
            Blit(b.get(), 0, 0, split, h, Picture, SkinRect.Left, SkinRect.Top);
    } else {
        const int split = std::clamp(ProgressPos.Y, 0, h);
        Blit(b.get(), 0, 0, w, split, Picture, SkinRect.Left, SkinRect.Top);
        if (fill)
            Blit(b.get(), 0, split, w, h - split, ActivePicture, ActiveSkinRect.Left, ActiveSkinRect.Top + split);
        else
            Blit(b.get(), 0, split, w, h - split, Picture, SkinRect.Left, SkinRect.Top + split);
    }
    Put(Cnvs, ObjectRect, b.get());
}

// ---------------------------------------------------------------------------
// Bit label

TskSkinBitLabelObject::TskSkinBitLabelObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* d = RecordAs<TskDataSkinBitLabel>(AData)) {
        TextValue = d->TextValue;
        SymbolWidth = d->SymbolWidth;
        SymbolHeight = d->SymbolHeight;
        Symbols = d->Symbols;
    }
}

void TskSkinBitLabelObject::SetTextValue(const AnsiString& S, bool AUpdate) {
    TextValue = S;
    if (AUpdate) Parent->DrawSkinObject(this);
}

void TskSkinBitLabelObject::Draw(TCanvas* Cnvs, bool) {
    const int w = RectWidth(SkinRect), h = RectHeight(SkinRect);
    if (w <= 0 || h <= 0) return;
    auto b = NewImage(w, h);
    Blit(b.get(), 0, 0, w, h, Picture, SkinRect.Left, SkinRect.Top);
    if (Symbols && SymbolWidth > 0 && SymbolHeight > 0 && !IsNullRect(ActiveSkinRect)) {
        for (int i = 1; i <= static_cast<int>(TextValue.size()); ++i) {
            const int over = std::max(0, SymbolWidth * i - w);
            const char ch = TextValue[static_cast<std::size_t>(i - 1)];
            for (int r = 0; r < Symbols->GetCount(); ++r) {
                const AnsiString line = Symbols->Get(r);
                const std::size_t c = line.find(ch);
                if (c == AnsiString::npos) continue;
                Blit(b.get(), (i - 1) * SymbolWidth, 0, SymbolWidth - over, SymbolHeight, ActivePicture,
                     ActiveSkinRect.Left + static_cast<int>(c) * SymbolWidth, ActiveSkinRect.Top + r * SymbolHeight);
                break;
            }
            if (over > 0) break;
        }
    }
    Put(Cnvs, ObjectRect, b.get());
}

// ---------------------------------------------------------------------------
// Label

TskSkinLabelObject::TskSkinLabelObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData) {
    if (auto* d = RecordAs<TskDataSkinLabel>(AData)) {
        TextValue = d->TextValue;
        FontName = d->FontName;
        FontStyle = d->FontStyle;
        FontHeight = d->FontHeight;
        FontColor = d->FontColor;
        ActiveFontColor = d->ActiveFontColor;
        Alignment = d->Alignment;
    }
}

void TskSkinLabelObject::SetTextValue(const AnsiString& S, bool AUpdate) {
    TextValue = S;
    if (AUpdate) Parent->DrawSkinObject(this);
}

std::unique_ptr<TBitmap> TskSkinLabelObject::Image(bool ActiveBackground, bool ActiveText) {
    const int w = RectWidth(ObjectRect), h = RectHeight(ObjectRect);
    auto b = NewImage(w, h);
    if (ActiveBackground)
        Blit(b.get(), 0, 0, w, h, ActivePicture, ActiveSkinRect.Left, ActiveSkinRect.Top);
    else
        Blit(b.get(), 0, 0, w, h, Picture, SkinRect.Left, SkinRect.Top);
    TCanvas* c = b->GetCanvas();
    SetSkinFont(c->GetFont(), FontName, FontStyle, FontHeight);
    c->GetFont()->SetColor(ActiveText ? ActiveFontColor : FontColor);
    c->GetBrush()->SetStyle(bsClear);
    const int tw = c->TextWidth(TextValue), th = c->TextHeight(TextValue);
    const int x = Alignment == taRightJustify ? w - tw : Alignment == taCenter ? w / 2 - tw / 2 : 0;
    c->TextRect(TRect(0, 0, w, h), x, h / 2 - th / 2, TextValue);
    return b;
}

void TskSkinLabelObject::Draw(TCanvas* Cnvs, bool) {
    if (RectWidth(ObjectRect) <= 0 || RectHeight(ObjectRect) <= 0) return;
    const bool activeLook = !IsNullRect(ActiveSkinRect);
    if (Morphing && !MorphAtEnd()) {
        auto normal = Image(false, false);
        auto active = Image(activeLook, true);
        TskEffectBmp e1(normal->GetHandle()), e2(active->GetHandle());
        e1.MorphByKind(MorphKind, &e2, MorphKf);
        e1.Draw(Cnvs->GetHandle(), ObjectRect.Left, ObjectRect.Top);
        return;
    }
    if (Active) {
        if (activeLook)
            Put(Cnvs, ObjectRect, Image(true, true).get());
        else if (ActiveFontColor != FontColor)
            Put(Cnvs, ObjectRect, Image(false, true).get());
        return;
    }
    Put(Cnvs, ObjectRect, Image(false, false).get());
}

bool TskSkinLabelObject::HoverChangesLook() const {
    return !IsNullRect(ActiveSkinRect) || ActiveFontColor != FontColor;
}

// ---------------------------------------------------------------------------
// The form's value access by object name

namespace {
// While the skin changes, values are stored without drawing.
template <class T> void SetObjectValue(T* Object, int Value, bool Simply) {
    if (!Object) return;
    if (Simply)
        Object->SimplySetValue(Value);
    else
        Object->SetValue(Value);
}
} // namespace

void TskSkinForm::AnimateStart(const AnsiString& IDName) {
    if (auto* o = ObjectAs<TskSkinAnimateObject>(IDName)) o->Start();
}

void TskSkinForm::AnimateStop(const AnsiString& IDName) {
    if (auto* o = ObjectAs<TskSkinAnimateObject>(IDName)) o->Stop();
}

int TskSkinForm::TrackBarGetValue(const AnsiString& IDName) {
    auto* o = ObjectAs<TskSkinTrackBarObject>(IDName);
    return o ? o->Value : 0;
}

void TskSkinForm::TrackBarSetValue(const AnsiString& IDName, int Value) {
    SetObjectValue(ObjectAs<TskSkinTrackBarObject>(IDName), Value, FInChangeSkinData);
}

int TskSkinForm::FrameRegulatorGetValue(const AnsiString& IDName) {
    auto* o = ObjectAs<TskSkinFrameRegulatorObject>(IDName);
    return o ? o->Value : 0;
}

void TskSkinForm::FrameRegulatorSetValue(const AnsiString& IDName, int Value) {
    SetObjectValue(ObjectAs<TskSkinFrameRegulatorObject>(IDName), Value, FInChangeSkinData);
}

void TskSkinForm::GaugeSetValue(const AnsiString& IDName, int Value) {
    SetObjectValue(ObjectAs<TskSkinGaugeObject>(IDName), Value, FInChangeSkinData);
}

void TskSkinForm::FrameGaugeSetValue(const AnsiString& IDName, int Value) {
    SetObjectValue(ObjectAs<TskSkinFrameGaugeObject>(IDName), Value, FInChangeSkinData);
}

void TskSkinForm::LabelSetText(const AnsiString& IDName, const AnsiString& Value) {
    if (auto* o = ObjectAs<TskSkinLabelObject>(IDName)) o->SetTextValue(Value, !FInChangeSkinData);
}

void TskSkinForm::BitLabelSetText(const AnsiString& IDName, const AnsiString& Value) {
    if (auto* o = ObjectAs<TskSkinBitLabelObject>(IDName)) o->SetTextValue(Value, !FInChangeSkinData);
}

void TskSkinForm::SwitchSetState(const AnsiString& IDName, TSwitchState Value) {
    auto* o = ObjectAs<TskSkinSwitchObject>(IDName);
    if (!o) return;
    if (FInChangeSkinData)
        o->SimpleSetState(Value);
    else
        o->SetState(Value);
}

TSwitchState TskSkinForm::SwitchGetState(const AnsiString& IDName) {
    auto* o = ObjectAs<TskSkinSwitchObject>(IDName);
    return o ? o->State : swOff;
}

void TskSkinForm::LinkMenu(const AnsiString& IDName, TMenu* Menu, bool PopupUp) {
    TskActiveSkinObject* o = ObjectAt(GetIndex(IDName));
    if (!Menu) return;
    if (auto* button = dynamic_cast<TskSkinButtonObject*>(o)) {
        button->MenuItem = Menu->GetItems();
        button->MenuPopupUp = PopupUp;
    } else if (auto* animate = dynamic_cast<TskSkinAnimateObject*>(o); animate && animate->ButtonStyle) {
        animate->MenuItem = Menu->GetItems();
        animate->MenuPopupUp = PopupUp;
    }
}

void TskSkinForm::SwitchChangeStateEvent(const AnsiString& IDName, TSwitchState State) {
    if (OnSwitchChangeStateEvent) OnSwitchChangeStateEvent(IDName, State);
}

void TskSkinForm::TrackBarChangeValueEvent(const AnsiString& IDName, int Value) {
    if (OnTrackBarChangeValueEvent) OnTrackBarChangeValueEvent(IDName, Value);
}

void TskSkinForm::FrameRegulatorChangeValueEvent(const AnsiString& IDName, int Value) {
    if (OnFrameRegulatorChangeValueEvent) OnFrameRegulatorChangeValueEvent(IDName, Value);
}

void TskSkinForm::TestAnimate(TObject*) {
    TComponentProtector protect(this);
    bool any = false;
    for (int i = 0; i < GetObjectCount() && !IsDestroying(); ++i) {
        auto* o = dynamic_cast<TskSkinAnimateObject*>(GetObject(i));
        if (o && o->Active) {
            o->ChangeFrame();
            any = true;
        }
    }
    if (!any && !IsDestroying()) AnimateTimer->SetEnabled(false);
}
