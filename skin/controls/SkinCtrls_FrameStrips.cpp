#include "skin/controls/SkinCtrls_FrameStrips.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <algorithm>
#include <cstdlib>

int FrameForValue(int Value, int Min, int Max, int Count) {
    if (Count < 2) return 1;
    const long long step = (static_cast<long long>(Max) - Min) / (Count - 1);
    if (step <= 0) return 1;
    const long long frame = std::llabs(static_cast<long long>(Value) - Min) / step + 1;
    return static_cast<int>(std::min<long long>(frame, Count));
}

// ---- TskFrameSkinControl --------------------------------------------------------------------

TskFrameSkinControl::TskFrameSkinControl(TComponent* AOwner)
    : TskSkinControl(AOwner), FDefaultImage(std::make_unique<TBitmap>()),
      FDefaultMask(std::make_unique<TBitmap>()) {
    FDefaultImage->OnChange = TNotifyEvent(this, &TskFrameSkinControl::DefaultImageChanged);
    FDefaultMask->OnChange = TNotifyEvent(this, &TskFrameSkinControl::DefaultMaskChanged);
}

TskFrameSkinControl::~TskFrameSkinControl() {
    FDefaultImage->OnChange = TNotifyEvent();
    FDefaultMask->OnChange = TNotifyEvent();
}

void TskFrameSkinControl::Published(TPropertyList& P) {
    P.Add("DefaultImage", &TskFrameSkinControl::GetDefaultImage);
    P.Add("DefaultMask", &TskFrameSkinControl::GetDefaultMask);
    P.Add("DefaultFramesCount", &TskFrameSkinControl::GetDefaultFramesCount,
          &TskFrameSkinControl::SetDefaultFramesCount, 1);
    P.Add("DefaultFramesPlacement", &TskFrameSkinControl::GetDefaultFramesPlacement,
          &TskFrameSkinControl::SetDefaultFramesPlacement, fpHorizontal);
}

// ---- The strip ------------------------------------------------------------------------------

void TskFrameSkinControl::SetStripLayout(int Count, TFramesPlacement Placement, int Width,
                                         int Height) {
    FFramesCount = Count;
    FFramesPlacement = Placement;
    FFrameWidth = Placement == fpHorizontal ? Width / Count : Width;
    FFrameHeight = Placement == fpHorizontal ? Height : Height / Count;
    // A strip narrower than its frames has none.
    if (FFrameWidth <= 0 || FFrameHeight <= 0) FFrameWidth = FFrameHeight = 0;
}

void TskFrameSkinControl::GetSkinData() {
    TskSkinControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinFrameControl*>(GetSkinRecord());
    if (!record) {
        // A record of another kind has no frames to give: the default look.
        FIndex = -1;
        FSkinCursorIndex = -1;
        FSkinPicture = FSkinMask = nullptr;
        CalcDefaultFrameSize();
        return;
    }
    StripRect = record->SkinRect;
    FSkinCursorIndex = record->CursorIndex;
    FSkinPicture = ::SkinPicture(GetSkin(), record->PictureIndex);
    FSkinMask = ::SkinPicture(GetSkin(), record->MaskPictureIndex);
    // A skin's strip always has room to change.
    SetStripLayout(std::max(2, record->FramesCount), record->FramesPlacement, RectWidth(StripRect),
                   RectHeight(StripRect));
}

void TskFrameSkinControl::CalcDefaultFrameSize() {
    if (FDefaultImage->GetEmpty()) {
        FFramesCount = 1;
        FFrameWidth = FFrameHeight = 0;
        return;
    }
    SetStripLayout(FDefaultFramesCount, FDefaultFramesPlacement, FDefaultImage->GetWidth(),
                   FDefaultImage->GetHeight());
}

void TskFrameSkinControl::PlaceFrame(int Index) {
    FFrame = ClampValue(Index, 1, FFramesCount);
}

void TskFrameSkinControl::SetFrame(int Index) {
    if (!HasPicture()) return;
    Index = ClampValue(Index, 1, FFramesCount);
    if (Index == FFrame) return;
    FFrame = Index;
    Repaint();
}

// ---- Default strip --------------------------------------------------------------------------

void TskFrameSkinControl::SetDefaultImage(TBitmap* Bitmap) {
    // The copy announces itself through DefaultImageChanged.
    FDefaultImage->Assign(Bitmap);
}

void TskFrameSkinControl::SetDefaultMask(TBitmap* Bitmap) {
    FDefaultMask->Assign(Bitmap);
}

void TskFrameSkinControl::SetDefaultFramesCount(int Value) {
    FDefaultFramesCount = std::max(1, Value);
    DefaultStripChanged();
}

void TskFrameSkinControl::SetDefaultFramesPlacement(TFramesPlacement Value) {
    FDefaultFramesPlacement = Value;
    DefaultStripChanged();
}

void TskFrameSkinControl::DefaultImageChanged(TObject*) {
    DefaultStripChanged();
}

void TskFrameSkinControl::DefaultMaskChanged(TObject*) {
    SetControlRegion();
    Repaint();
}

void TskFrameSkinControl::DefaultStripChanged() {
    FFrame = 1;
    GetSkinData();
    StripChanged();
    if (HasPicture()) SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
    Repaint();
}

// ---- Size, skin and region ------------------------------------------------------------------

void TskFrameSkinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    const bool fit = HasPicture() && (AWidth != GetWidth() || AHeight != GetHeight());
    if (fit) {
        AWidth = FFrameWidth;
        AHeight = FFrameHeight;
    }
    TskSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!fit) return;
    SetControlRegion();
    Repaint();
}

void TskFrameSkinControl::ChangeSkinData() {
    GetSkinData();
    ApplySkinCursor();
    StripChanged();
    if (HasPicture()) {
        const int width = GetWidth(), height = GetHeight();
        SetBounds(GetLeft(), GetTop(), FFrameWidth, FFrameHeight);
        // A resize has set the region and repainted.
        if (width != GetWidth() || height != GetHeight()) return;
    }
    SetControlRegion();
    Repaint();
}

void TskFrameSkinControl::Loaded() {
    TskSkinControl::Loaded();
    GetSkinData();
    StripChanged();
    SetControlRegion();
}

void TskFrameSkinControl::CreateWnd() {
    TskSkinControl::CreateWnd();
    // A region asked for before the window existed is set now.
    FRgn = nullptr;
    SetControlRegion();
}

void TskFrameSkinControl::SetControlRegion() {
    TBitmap* mask = FIndex != -1 ? FSkinMask : FDefaultMask.get();
    SetWindowRegion(HandleAllocated() && mask && !mask->GetEmpty() ? CreateSkinSimplyRegion(mask)
                                                                   : nullptr);
}

// ---- Painting -------------------------------------------------------------------------------

void TskFrameSkinControl::CopyFrame(TBitmap* B, TBitmap* Source, TPoint Origin) const {
    if (!Source || Source->GetEmpty() || !HasPicture()) return;
    const int index = ClampValue(FFrame, 1, FFramesCount) - 1;
    if (FFramesPlacement == fpHorizontal)
        Origin.X += index * FFrameWidth;
    else
        Origin.Y += index * FFrameHeight;
    const TRect frame = Bounds(Origin.X, Origin.Y, FFrameWidth, FFrameHeight);
    const TRect inside(std::max(frame.Left, 0), std::max(frame.Top, 0),
                       std::min(frame.Right, Source->GetWidth()),
                       std::min(frame.Bottom, Source->GetHeight()));
    if (IsNullRect(inside)) return;
    const TRect target(inside.Left - frame.Left, inside.Top - frame.Top, inside.Right - frame.Left,
                       inside.Bottom - frame.Top);
    B->GetCanvas()->CopyRect(target, Source->GetCanvas(), inside);
}

void TskFrameSkinControl::CreateControlSkinImage(TBitmap* B) {
    CopyFrame(B, FSkinPicture, StripRect.TopLeft());
}

void TskFrameSkinControl::CreateControlDefaultImage(TBitmap* B) {
    if (!FDefaultImage->GetEmpty()) {
        CopyFrame(B, FDefaultImage.get(), TPoint(0, 0));
        return;
    }
    TCanvas* canvas = B->GetCanvas();
    canvas->GetBrush()->SetColor(clBtnFace);
    canvas->FillRect(GetClientRect());
    DrawBorderFrame(canvas, GetClientRect(), TskSkinBorderStyle::bvFrame);
}

// ---- TskFrameTimerControl -------------------------------------------------------------------

TskFrameTimerControl::TskFrameTimerControl(TComponent* AOwner)
    : TskFrameSkinControl(AOwner), FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetEnabled(false);
    FTimer->SetInterval(50);
    FTimer->SetOnTimer(TNotifyEvent(this, &TskFrameTimerControl::Tick));
}

TskFrameTimerControl::~TskFrameTimerControl() {
    FTimer->SetEnabled(false);
}

void TskFrameTimerControl::Tick(TObject*) {
    DoAnimate();
}

void TskFrameTimerControl::DoAnimate() {
    // A stop's handler may free the control.
    TComponentProtector protect(this);
    if (HasPicture()) Animate();
}

void TskFrameTimerControl::CMMouseEnter(TMessage& Message) {
    TskFrameSkinControl::CMMouseEnter(Message);
    FMouseIn = true;
    PointerMoved();
}

void TskFrameTimerControl::CMMouseLeave(TMessage& Message) {
    TskFrameSkinControl::CMMouseLeave(Message);
    FMouseIn = false;
    PointerMoved();
}

// ---- TskSkinSwitch --------------------------------------------------------------------------

TskSkinSwitch::TskSkinSwitch(TComponent* AOwner) : TskFrameTimerControl(AOwner) {
    FSkinDataName = "switch";
    SetBounds(GetLeft(), GetTop(), 25, 50);
}

void TskSkinSwitch::Published(TPropertyList& P) {
    P.Add("State", &TskSkinSwitch::GetState, &TskSkinSwitch::SetState, TskSkinSwitchState::swOff);
    P.Add("TimerInterval", &TskSkinSwitch::GetTimerInterval, &TskSkinSwitch::SetTimerInterval, 50);
    P.Add("OnChange", &TskSkinSwitch::OnChange);
}

void TskSkinSwitch::SetState(TskSkinSwitchState Value) {
    FState = Value;
    ChangeState();
    if (!IsDesigning() && OnChange) OnChange(this);
}

void TskSkinSwitch::ChangeState() {
    GetSkinData();
    if (!HasPicture()) {
        Repaint();
    } else if (GetFramesCount() == 2) {
        SetFrame(FState == TskSkinSwitchState::swOn ? 2 : 1);
    } else {
        Start();
    }
}

void TskSkinSwitch::Animate() {
    if (FState == TskSkinSwitchState::swOn && GetFrame() < GetFramesCount())
        SetFrame(GetFrame() + 1);
    else if (FState == TskSkinSwitchState::swOff && GetFrame() > 1)
        SetFrame(GetFrame() - 1);
    else
        Stop();
}

void TskSkinSwitch::StripChanged() {
    Stop();
    PlaceFrame(FState == TskSkinSwitchState::swOn ? GetFramesCount() : 1);
}

void TskSkinSwitch::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    using enum TskSkinSwitchState;
    if (Button == mbLeft && FMouseIn) SetState(FState == swOn ? swOff : swOn);
    TskFrameTimerControl::MouseUp(Button, Shift, X, Y);
}

// ---- TskSkinAnimate -------------------------------------------------------------------------

TskSkinAnimate::TskSkinAnimate(TComponent* AOwner) : TskFrameTimerControl(AOwner) {
    FSkinDataName = "animate";
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

void TskSkinAnimate::Published(TPropertyList& P) {
    P.Add("Active", &TskSkinAnimate::GetActive, &TskSkinAnimate::SetActive, false);
    P.Add("CycleMode", &TskSkinAnimate::GetCycleMode, &TskSkinAnimate::SetCycleMode, false);
    P.Add("ButtonMode", &TskSkinAnimate::GetButtonMode, &TskSkinAnimate::SetButtonMode, false);
    P.Add("TimerInterval", &TskSkinAnimate::GetTimerInterval, &TskSkinAnimate::SetTimerInterval,
          50);
    P.Add("OnStart", &TskSkinAnimate::OnStart);
    P.Add("OnStop", &TskSkinAnimate::OnStop);
}

void TskSkinAnimate::SetActive(bool Value) {
    FActive = Value;
    GetSkinData();
    if (!HasPicture()) return;
    if (Value)
        Start();
    else
        Stop();
}

void TskSkinAnimate::Start() {
    if (!FCycleMode && !FButtonMode) PlaceFrame(1);
    FTimer->SetEnabled(true);
    if (OnStart) OnStart(this);
}

void TskSkinAnimate::Stop() {
    FTimer->SetEnabled(false);
    if (OnStop) OnStop(this);
}

void TskSkinAnimate::Animate() {
    if (FButtonMode && !FMouseIn) {
        if (GetFrame() > 1)
            SetFrame(GetFrame() - 1);
        else
            Stop();
    } else if (GetFrame() < GetFramesCount()) {
        SetFrame(GetFrame() + 1);
    } else if (FCycleMode) {
        SetFrame(1);
    }
}

void TskSkinAnimate::StripChanged() {
    TskFrameTimerControl::StripChanged();
    // An animation made active before it had frames (a form read before its skin came)
    // starts once it has them.
    if (FActive && HasPicture() && !IsRunning()) Start();
}

void TskSkinAnimate::PointerMoved() {
    if (FButtonMode && HasPicture()) Start();
}

// ---- TskFrameValueControl -------------------------------------------------------------------

TskFrameValueControl::TskFrameValueControl(TComponent* AOwner) : TskFrameSkinControl(AOwner) {}

void TskFrameValueControl::Published(TPropertyList& P) {
    P.Add("MinValue", &TskFrameValueControl::GetMinValue, &TskFrameValueControl::SetMinValue, 0);
    P.Add("MaxValue", &TskFrameValueControl::GetMaxValue, &TskFrameValueControl::SetMaxValue, 100);
    P.Add("Value", &TskFrameValueControl::GetValue, &TskFrameValueControl::SetValue, 50);
}

void TskFrameValueControl::SetValue(int Value) {
    if (Value == FValue || Value < FMinValue || Value > FMaxValue) return;
    FValue = Value;
    CalcFrame();
    ValueChanged();
}

void TskFrameValueControl::SetMinValue(int Value) {
    FMinValue = Value;
    FValue = ClampValue(FValue, FMinValue, FMaxValue);
    CalcFrame();
}

void TskFrameValueControl::SetMaxValue(int Value) {
    FMaxValue = Value;
    FValue = ClampValue(FValue, FMinValue, FMaxValue);
    CalcFrame();
}

// ---- TskSkinFrameGauge ----------------------------------------------------------------------

TskSkinFrameGauge::TskSkinFrameGauge(TComponent* AOwner) : TskFrameValueControl(AOwner) {
    FSkinDataName = "framegauge";
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

// ---- TskSkinFrameRegulator ------------------------------------------------------------------

TskSkinFrameRegulator::TskSkinFrameRegulator(TComponent* AOwner) : TskFrameValueControl(AOwner) {
    FSkinDataName = "frameregulator";
    SetBounds(GetLeft(), GetTop(), 50, 50);
}

void TskSkinFrameRegulator::Published(TPropertyList& P) {
    P.Add("DefaultKind", &TskSkinFrameRegulator::GetDefaultKind,
          &TskSkinFrameRegulator::SetDefaultKind, rkRound);
    P.Add("OnChange", &TskSkinFrameRegulator::OnChange);
}

void TskSkinFrameRegulator::GetSkinData() {
    TskFrameValueControl::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinFrameRegulator*>(GetSkinRecord());
    FKind = record ? record->Kind : FDefaultKind;
}

void TskSkinFrameRegulator::SetDefaultKind(TRegulatorKind Value) {
    FDefaultKind = Value;
    GetSkinData();
}

int TskSkinFrameRegulator::Coord(int X, int Y) const {
    switch (FKind) {
    case rkHorizontal:
        return X;
    case rkVertical:
        return -Y;
    default:
        return X - Y;
    }
}

void TskSkinFrameRegulator::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FDragging = true;
    FWorkValue = GetValue();
    FPressCoord = Coord(X, Y);
    TskFrameValueControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinFrameRegulator::MouseMove(TShiftState Shift, int X, int Y) {
    // A release that never came (the mouse was taken away meanwhile) ends the drag.
    if (!Shift.Contains(ssLeft) && !Shift.Contains(ssRight) && !Shift.Contains(ssMiddle))
        FDragging = false;
    if (FDragging && HasPicture()) {
        FCurrentCoord = Coord(X, Y);
        CalcValue();
    }
    TskFrameValueControl::MouseMove(Shift, X, Y);
}

void TskSkinFrameRegulator::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FDragging = false;
    TskFrameValueControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinFrameRegulator::CalcValue() {
    const int size = FKind == rkRound        ? std::min(GetFrameWidth(), GetFrameHeight())
                     : FKind == rkHorizontal ? GetFrameWidth()
                                             : GetFrameHeight();
    const int steps = std::max(GetFramesCount() - 1, 1);
    const int pixelStep = std::max(size / steps, 1);
    long long valueStep = (static_cast<long long>(GetMaxValue()) - GetMinValue()) / steps;
    if (valueStep == 0) valueStep = 1;
    const long long moved = static_cast<long long>(FCurrentCoord) - FPressCoord;
    if (std::llabs(moved) < pixelStep) return;
    FPressCoord = FCurrentCoord;
    FWorkValue =
        ClampValue(FWorkValue + (moved < 0 ? -valueStep : valueStep), GetMinValue(), GetMaxValue());
    SetValue(FWorkValue);
}

void TskSkinFrameRegulator::ValueChanged() {
    if (OnChange) OnChange(this);
}

REGISTER_CLASS(TskFrameSkinControl);
REGISTER_CLASS(TskSkinSwitch);
REGISTER_CLASS(TskSkinAnimate);
REGISTER_CLASS(TskSkinFrameGauge);
REGISTER_CLASS(TskSkinFrameRegulator);

namespace {

void RegisterFrameStripEnums() {
    RegisterEnum<TFramesPlacement>({"fpHorizontal", "fpVertical"});
    RegisterEnum<TRegulatorKind>({"rkRound", "rkHorizontal", "rkVertical"});
    RegisterEnum<TskSkinSwitchState>({"swOff", "swOn"});
}

} // namespace

DEFINE_UNIT(SkinCtrls_FrameStrips, uoSkin + 10, RegisterFrameStripEnums, nullptr);
