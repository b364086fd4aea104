// Owner-drawn scroll bars: TArrowBar (arrow buttons, track, handle, hot and pressed feedback,
// auto-repeat, and three looks: themed, the default system look and rbsMac), TRangeBar (a
// floating-point Position over a Range seen through a Window) and TGaugeBar (an integer
// Position between Min and Max), and TArrowBarAccess, which sets the look of one or two bars.
#pragma once

#include "bitmap32/Bmp32.h"
#include "classlib/Graphics.h"
#include "classlib/ScrollBars.h"
#include "classlib/Timers.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <memory>

namespace Bmp32 {

enum TRBDirection { drLeft, drUp, drRight, drDown };
enum TRBZone { zNone, zBtnPrev, zTrackPrev, zHandle, zTrackNext, zBtnNext };
enum TRBStyle { rbsDefault, rbsMac };
enum TRBBackgnd { bgPattern, bgSolid };
using TRBIncrement = Word;

// The pointer's screen position; replaceable so that hot tracking can be driven by tests.
using TCursorPosReader = TPoint (*)();
extern TCursorPosReader RangeBarCursorPos;

// W parts of A and 255 - W parts of B per channel; W above 255 raises EAssertionFailed.
TColor Mix(TColor A, TColor B, int W);

class TArrowBar : public TCustomControl {
    DECLARE_CLASS(TArrowBar, TCustomControl)
public:
    explicit TArrowBar(TComponent* AOwner);
    ~TArrowBar() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnUserChange;

    TRBBackgnd GetBackgnd() const { return FBackgnd; }
    void SetBackgnd(TRBBackgnd Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // 0: from the bar's thickness.
    int GetButtonSize() const { return FButtonSize; }
    void SetButtonSize(int Value);
    TColor GetHandleColor() const { return FHandleColor; }
    void SetHandleColor(TColor Value);
    TColor GetButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor GetHighLightColor() const { return FHighLightColor; }
    void SetHighLightColor(TColor Value);
    TColor GetShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    TColor GetBorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    bool GetShowArrows() const { return FShowArrows; }
    void SetShowArrows(bool Value);
    bool GetShowHandleGrip() const { return FShowHandleGrip; }
    void SetShowHandleGrip(bool Value);
    TRBStyle GetStyle() const { return FStyle; }
    void SetStyle(TRBStyle Value);

    // The size of each arrow button along the bar, 0 without arrows.
    int ActualButtonSize();
    TRect GetTrackBoundary();
    TRBZone GetZone(int X, int Y);
    TRect GetZoneRect(TRBZone Zone);
    TRBZone GetDragZone() const { return FDragZone; }
    TRBZone GetHotZone() const { return FHotZone; }
    TTimer* GetTimer() const { return FTimer.get(); }
    virtual TRect GetHandleRect() = 0;
    virtual bool DrawEnabled();

    static void Published(TPropertyList& P);

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    virtual void DoChange();
    virtual void DoDrawButton(HDC DC, TRect R, TRBDirection Direction, bool Pushed, bool Enabled,
                              bool Hot);
    virtual void DoDrawHandle(HDC DC, TRect R, bool Horz, bool Pushed, bool Hot);
    virtual void DoDrawTrack(HDC DC, TRect R, TRBDirection Direction, bool Pushed, bool Enabled,
                             bool Hot);
    virtual void MouseLeft();
    virtual void TimerHandler(TObject* Sender);

    bool IsHorizontal() const { return FKind == sbHorizontal; }
    // The client length along the bar.
    int Length();
    int Thickness();
    void StartDragTracking();
    void StopDragTracking();
    void StartHotTracking();
    void StopHotTracking();
    // Runs Change with OnUserChange fired by the changes it makes.
    template <typename F> void AsUserChange(F Change) {
        FUserChange = true;
        try {
            Change();
        } catch (...) {
            FUserChange = false;
            throw;
        }
        FUserChange = false;
    }
    // Moves the position one step back (-1) or forward (1), small or large; false when it
    // did not move.
    virtual bool Step(int Direction, bool Large) = 0;
    const TPoint& GetPressPoint() const { return FPressPoint; }
    void ClearDragZone() { FDragZone = zNone; }
    // Repaints now when the window exists.
    void Repaint();

    void WMEraseBkgnd(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCPaint(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TArrowBar, TCustomControl)
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd)
    MESSAGE_HANDLER(WM_NCCALCSIZE, WMNCCalcSize)
    MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    template <typename T> void Store(T& Field, T Value);
    void DrawThemed(HDC DC, int Part, int State, const TRect& R);
    void DrawMacFrame(HDC DC, TRect& R, TRBDirection Direction, TColor Color);
    void TimerEvent(TObject* Sender);

    TRBBackgnd FBackgnd = bgPattern;
    TBorderStyle FBorderStyle = bsSingle;
    int FButtonSize = 0;
    TColor FHandleColor = clBtnShadow;
    TColor FButtonColor = clBtnFace;
    TColor FHighLightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    TColor FBorderColor = clWindowFrame;
    TScrollBarKind FKind = sbHorizontal;
    bool FShowArrows = true;
    bool FShowHandleGrip = true;
    TRBStyle FStyle = rbsDefault;
    bool FUserChange = false;
    TRBZone FDragZone = zNone;
    TRBZone FHotZone = zNone;
    std::unique_ptr<TTimer> FTimer;
    int FTimerMode = 0;
    TPoint FPressPoint{0, 0};
};

class TCustomRangeBar : public TArrowBar {
    DECLARE_CLASS(TCustomRangeBar, TArrowBar)
public:
    explicit TCustomRangeBar(TComponent* AOwner);

    bool GetCentered() const { return FCentered; }
    void SetCentered(bool Value) { FCentered = Value; }
    TRBIncrement GetIncrement() const { return FIncrement; }
    void SetIncrement(TRBIncrement Value) { FIncrement = Value; }
    float GetPosition() const { return FPosition; }
    void SetPosition(float Value);
    int GetRange() const { return FRange; }
    void SetRange(int Value) { SetParams(Value, FWindow); }
    int GetWindow() const { return FWindow; }
    void SetWindow(int Value) { SetParams(FRange, Value); }
    // Window when above 0, else the bar's length in pixels.
    int GetEffectiveWindow() const { return FEffectiveWindow; }
    void SetParams(int NewRange, int NewWindow);
    TRect GetHandleRect() override;
    bool DrawEnabled() override;

    static void Published(TPropertyList& P);

protected:
    bool Step(int Direction, bool Large) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Resize() override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) override;

private:
    void UpdateEffectiveWindow();
    void AdjustPosition();
    // Keeps the centre of the window where it was when the window grows or shrinks.
    void Recentre(int OldRange, int OldWindow);
    void SetUserPosition(float Value);

    bool FCentered = false;
    int FEffectiveWindow = 0;
    TRBIncrement FIncrement = 8;
    float FPosition = 0;
    int FRange = 0;
    int FWindow = 0;
    float FPosBeforeDrag = 0;
};

class TRangeBar : public TCustomRangeBar {
    DECLARE_CLASS(TRangeBar, TCustomRangeBar)
public:
    using TCustomRangeBar::TCustomRangeBar;
    static void Published(TPropertyList& P);
};

class TCustomGaugeBar : public TArrowBar {
    DECLARE_CLASS(TCustomGaugeBar, TArrowBar)
public:
    explicit TCustomGaugeBar(TComponent* AOwner);

    // 0: the bar's thickness.
    int GetHandleSize() const { return FHandleSize; }
    void SetHandleSize(int Value);
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = std::max(Value, 1); }
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = std::max(Value, 1); }
    int GetMax() const { return FMax; }
    // At most Min is raised to Min + 1, except while loading.
    void SetMax(int Value);
    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    TRect GetHandleRect() override;
    void Loaded() override;

    static void Published(TPropertyList& P);

protected:
    bool Step(int Direction, bool Large) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, const TPoint& MousePos) override;

private:
    int ActualHandleSize();
    void SetUserPosition(int Value);
    void LimitPosition();

    int FHandleSize = 0;
    int FLargeChange = 1;
    int FMax = 100;
    int FMin = 0;
    int FPosition = 0;
    int FSmallChange = 1;
    int FPosBeforeDrag = 0;
};

class TGaugeBar : public TCustomGaugeBar {
    DECLARE_CLASS(TGaugeBar, TCustomGaugeBar)
public:
    using TCustomGaugeBar::TCustomGaugeBar;
};

// The look of a master bar, and of an optional slave bar that follows every change.
class TArrowBarAccess : public TPersistent {
    DECLARE_CLASS(TArrowBarAccess, TPersistent)
public:
    TArrowBar* GetMaster() const { return FMaster; }
    void SetMaster(TArrowBar* Value) { FMaster = Value; }
    TArrowBar* GetSlave() const { return FSlave; }
    void SetSlave(TArrowBar* Value) { FSlave = Value; }

    TColor GetColor() const { return FMaster->GetColor(); }
    void SetColor(TColor Value);
    TRBBackgnd GetBackgnd() const { return FMaster->GetBackgnd(); }
    void SetBackgnd(TRBBackgnd Value);
    int GetButtonSize() const { return FMaster->GetButtonSize(); }
    void SetButtonSize(int Value);
    TColor GetHandleColor() const { return FMaster->GetHandleColor(); }
    void SetHandleColor(TColor Value);
    TColor GetButtonColor() const { return FMaster->GetButtonColor(); }
    void SetButtonColor(TColor Value);
    TColor GetHighLightColor() const { return FMaster->GetHighLightColor(); }
    void SetHighLightColor(TColor Value);
    TColor GetShadowColor() const { return FMaster->GetShadowColor(); }
    void SetShadowColor(TColor Value);
    TColor GetBorderColor() const { return FMaster->GetBorderColor(); }
    void SetBorderColor(TColor Value);
    bool GetShowArrows() const { return FMaster->GetShowArrows(); }
    void SetShowArrows(bool Value);
    bool GetShowHandleGrip() const { return FMaster->GetShowHandleGrip(); }
    void SetShowHandleGrip(bool Value);
    TRBStyle GetStyle() const { return FMaster->GetStyle(); }
    void SetStyle(TRBStyle Value);

    static void Published(TPropertyList& P);

private:
    template <typename T> void Apply(void (TArrowBar::*Setter)(T), T Value);
    TArrowBar* FMaster = nullptr;
    TArrowBar* FSlave = nullptr;
};

} // namespace Bmp32

DECLARE_UNIT(Bmp32_RangeBars)
