#include "skin/controls/SkinCtrls_UpDown.h"

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"

#include <limits>

namespace {

constexpr UINT_PTR kRepeatTimer = 1;

TRect OrElse(const TRect& R, const TRect& Fallback) {
    return IsNullRect(R) ? Fallback : R;
}

} // namespace

// ---- TskSkinStepButtons ------------------------------------------------------------

TskSkinStepButtons::TskSkinStepButtons(TComponent* AOwner) : TskSkinCustomControl(AOwner) {}

bool TskSkinStepButtons::PictureHolds(const TRect& R) const {
    return Picture && !IsNullRect(R) && R.Left >= 0 && R.Top >= 0 &&
           R.Right <= Picture->GetWidth() && R.Bottom <= Picture->GetHeight();
}

void TskSkinStepButtons::ReadButtonLooks(const TskDataSkinUpDownButtons& Record) {
    FLooks = Record;
    FLooks.DownUpButtonRect = OrElse(Record.DownUpButtonRect, Record.ActiveUpButtonRect);
    FLooks.DownDownButtonRect = OrElse(Record.DownDownButtonRect, Record.ActiveDownButtonRect);
}

void TskSkinStepButtons::DrawSkinButton(TCanvas* Canvas, int Index) {
    const TStepButton& button = FButtons[Index];
    const bool up = Index == sbUp;
    TRect look;
    if (button.Pressed && button.Hot)
        look = up ? FLooks.DownUpButtonRect : FLooks.DownDownButtonRect;
    else if (button.Hot)
        look = up ? FLooks.ActiveUpButtonRect : FLooks.ActiveDownButtonRect;
    if (IsNullRect(button.R) || !PictureHolds(look)) return;
    Canvas->CopyRect(button.R, Picture->GetCanvas(), look);
}

void TskSkinStepButtons::DrawDefaultButton(TCanvas* Canvas, int Index, int Arrow, bool Ringed) {
    const TStepButton& button = FButtons[Index];
    if (button.Hot || Ringed) {
        DrawDefaultButtonFace(Canvas, button.R, button.Pressed && button.Hot, button.Hot);
    } else {
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect(button.R);
    }
    DrawArrowImage(Canvas, button.R, IsEffectivelyEnabled() ? clBlack : clBtnShadow, Arrow);
}

void TskSkinStepButtons::TestActive(int X, int Y) {
    FOldActiveButton = FActiveButton;
    FActiveButton = -1;
    for (int i = 0; i < 2; ++i)
        if (!IsNullRect(FButtons[i].R) && PointInRect(FButtons[i].R, TPoint(X, Y))) {
            FActiveButton = i;
            break;
        }
    // While a button is held no other lights up.
    if (FHeldButton != -1 && FActiveButton != FHeldButton) FActiveButton = -1;
    if (FActiveButton == FOldActiveButton) return;
    if (FOldActiveButton != -1) ButtonLeave(FOldActiveButton);
    if (FActiveButton != -1) ButtonEnter(FActiveButton);
}

void TskSkinStepButtons::ButtonDown(int Index) {
    FButtons[Index].Hot = true;
    FButtons[Index].Pressed = true;
    Repaint();
    if (!RepeatsSteps()) return;
    FRepeatMode = Index == sbUp ? repUp : repDown;
    FWaiting = true;
    SetRepeatTimer(kStepFirstDelay);
}

void TskSkinStepButtons::ButtonUp(int Index) {
    TStepButton& button = FButtons[Index];
    button.Pressed = false;
    if (Index != FActiveButton) button.Hot = false;
    Repaint();
    // Stopped first: a step's event may take long or show a box, and the timer is over.
    StopTimer();
    Step(Index);
    if (IsDestroying()) return;
    Released(Index);
}

void TskSkinStepButtons::ButtonEnter(int Index) {
    FButtons[1 - Index].Hot = false;
    FButtons[Index].Hot = true;
    Repaint();
    if (FButtons[Index].Pressed && RepeatsSteps()) SetRepeatTimer(kStepReturnRepeat);
}

void TskSkinStepButtons::ButtonLeave(int Index) {
    FButtons[Index].Hot = false;
    Repaint();
    // The repeat mode stays: coming back resumes it.
    if (FButtons[Index].Pressed && RepeatsSteps()) KillRepeatTimer();
}

void TskSkinStepButtons::SetRepeatTimer(UINT Interval) {
    if (!HandleAllocated()) return;
    if (::SetTimer(GetHandle(), kRepeatTimer, Interval, nullptr)) FTimerInterval = Interval;
}

void TskSkinStepButtons::KillRepeatTimer() {
    if (HandleAllocated()) KillTimer(GetHandle(), kRepeatTimer);
    FTimerInterval = 0;
}

void TskSkinStepButtons::StopTimer() {
    KillRepeatTimer();
    FRepeatMode = repNone;
    FWaiting = false;
}

void TskSkinStepButtons::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TestActive(X, Y);
    if (FActiveButton != -1 && FHeldButton == -1) {
        FButtons[1 - FActiveButton].Hot = false;
        FHeldButton = FActiveButton;
        // Whichever mouse button holds it, its release comes here, wherever the pointer is:
        // a release elsewhere would leave the repeat running.
        SetMouseCapture(true);
        ButtonDown(FActiveButton);
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinStepButtons::MouseMove(TShiftState Shift, int X, int Y) {
    TestActive(X, Y);
    TskSkinCustomControl::MouseMove(Shift, X, Y);
}

void TskSkinStepButtons::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FHeldButton != -1) {
        const int held = FHeldButton;
        FHeldButton = -1;
        ButtonUp(held);
        if (IsDestroying()) return;
        SetMouseCapture(false);
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinStepButtons::CMMouseEnter(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    // Nothing is under the pointer until it moves: a light left from before goes out.
    TestActive(-1, -1);
}

void TskSkinStepButtons::CMMouseLeave(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    for (TStepButton& button : FButtons) {
        if (!button.Hot) continue;
        button.Hot = false;
        Repaint();
    }
}

void TskSkinStepButtons::WMTimer(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    // Only the running repeat steps: a tick still queued when it stopped or paused does not.
    if (Message.WParam != kRepeatTimer || FRepeatMode == repNone || FTimerInterval == 0) return;
    if (FWaiting) {
        FWaiting = false;
        KillRepeatTimer();
        SetRepeatTimer(kStepRepeat);
        return;
    }
    Step(FRepeatMode == repUp ? sbUp : sbDown);
}

void TskSkinStepButtons::WMSize(TMessage& Message) {
    TskSkinCustomControl::Dispatch(Message);
    CalcRects();
}

// ---- TskSkinUpDown ---------------------------------------------------------------------

TskSkinUpDown::TskSkinUpDown(TComponent* AOwner) : TskSkinStepButtons(AOwner) {
    FSkinDataName = "hupdown";
    SetBounds(GetLeft(), GetTop(), 25, 50);
    CalcRects();
}

void TskSkinUpDown::Published(TPropertyList& P) {
    // The range before the position: a form reads them in this order.
    P.Add("Min", &TskSkinUpDown::GetMin, &TskSkinUpDown::SetMin, 0);
    P.Add("Max", &TskSkinUpDown::GetMax, &TskSkinUpDown::SetMax, 100);
    P.Add("Increment", &TskSkinUpDown::GetIncrement, &TskSkinUpDown::SetIncrement, 1);
    P.Add("Position", &TskSkinUpDown::GetPosition, &TskSkinUpDown::SetPosition, 0);
    P.Add("Orientation", &TskSkinUpDown::GetOrientation, &TskSkinUpDown::SetOrientation,
          udHorizontal);
    P.Add("OnChange", &TskSkinUpDown::OnChange);
    P.Add("OnUpButtonClick", &TskSkinUpDown::OnUpButtonClick);
    P.Add("OnDownButtonClick", &TskSkinUpDown::OnDownButtonClick);
}

void TskSkinUpDown::GetSkinData() {
    TskSkinStepButtons::GetSkinData();
    auto* record = dynamic_cast<TskDataSkinUpDownControl*>(GetSkinRecord());
    FHasButtonsRecord = record != nullptr;
    if (record) {
        ReadButtonLooks(*record);
        // An up-down has the skin's size: no corner points, no client rectangle.
        LTPoint = RTPoint = LBPoint = RBPoint = TPoint();
        ClRect = TRect();
        ResizeMode = GetResizeMode();
    }
    CalcRects();
}

bool TskSkinUpDown::SkinUsable() const {
    return FIndex != -1 && FHasButtonsRecord && PictureHolds(SkinRect);
}

void TskSkinUpDown::CalcRects() {
    if (SkinUsable()) {
        FButtons[sbUp].R = FLooks.UpButtonRect;
        FButtons[sbDown].R = FLooks.DownButtonRect;
        return;
    }
    const int w = GetWidth();
    const int h = GetHeight();
    if (FOrientation == udHorizontal) {
        FButtons[sbDown].R = TRect(0, 0, w / 2, h);
        FButtons[sbUp].R = TRect(w / 2, 0, w, h);
    } else {
        FButtons[sbUp].R = TRect(0, 0, w, h / 2);
        FButtons[sbDown].R = TRect(0, h / 2, w, h);
    }
}

void TskSkinUpDown::SetPosition(int Value) {
    if (Value > FMax || Value < FMin) return;
    FPosition = Value;
    if (!IsDesigning() && OnChange) OnChange(this);
}

void TskSkinUpDown::SetMin(int Value) {
    FMin = Value;
    FPosition = ClampValue(FPosition, FMin, FMax);
}

void TskSkinUpDown::SetMax(int Value) {
    FMax = Value;
    FPosition = ClampValue(FPosition, FMin, FMax);
}

void TskSkinUpDown::SetOrientation(TUDOrientation Value) {
    FOrientation = Value;
    CalcRects();
    Repaint();
    if (IsDesigning() && !IsLoading())
        SetSkinDataName(Value == udVertical ? "vupdown" : "hupdown");
}

void TskSkinUpDown::Step(int Index) {
    if (FIncrement == 0) return;
    const Int64 next = static_cast<Int64>(FPosition) + (Index == sbUp ? FIncrement : -static_cast<Int64>(FIncrement));
    // A step past the ends of the integers is past Min or Max as well.
    if (next < std::numeric_limits<int>::min() || next > std::numeric_limits<int>::max()) return;
    SetPosition(static_cast<int>(next));
}

void TskSkinUpDown::Released(int Index) {
    const TNotifyEvent& clicked = Index == sbUp ? OnUpButtonClick : OnDownButtonClick;
    if (clicked) clicked(this);
}

void TskSkinUpDown::CreateControlSkinImage(TBitmap* B) {
    // A record without a picture that holds it draws the plain look.
    if (!SkinUsable()) {
        CreateControlDefaultImage(B);
        return;
    }
    TskSkinStepButtons::CreateControlSkinImage(B);
    for (int i = 0; i < 2; ++i) DrawSkinButton(B->GetCanvas(), i);
}

void TskSkinUpDown::CreateControlDefaultImage(TBitmap* B) {
    CalcRects();
    const bool horizontal = FOrientation == udHorizontal;
    DrawDefaultButton(B->GetCanvas(), sbUp, horizontal ? 2 : 3, true);
    DrawDefaultButton(B->GetCanvas(), sbDown, horizontal ? 1 : 4, true);
}

REGISTER_CLASS(TskSkinUpDown);

namespace {

void RegisterUpDownEnums() {
    RegisterEnum<TUDOrientation>({"udHorizontal", "udVertical"});
}

} // namespace

DEFINE_UNIT(SkinCtrls_UpDown, uoSkin + 10, RegisterUpDownEnums, nullptr);
