// The frame-strip controls: the whole look is one frame of a row or column of equal frames,
// cut from the skin's picture or, without a skin record, from DefaultImage. The switch
// steps through its frames on a timer between off and on, the animation plays them, the
// frame gauge shows the frame of its value and the regulator's value is dragged with the
// mouse. A control with a picture is always exactly one frame large.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/Timers.h"

#include <memory>

DECLARE_UNIT(SkinCtrls_FrameStrips)

// Its own scope keeps its names apart from the skinned form's switch objects; form resources
// write "swOff" and "swOn".
enum class TskSkinSwitchState { swOff, swOn };

// The frame (from 1) that shows Value of Min..Max on a strip of Count frames: steps of
// (Max - Min) div (Count - 1) values each. Frame 1 where the strip or the range has no
// whole step.
int FrameForValue(int Value, int Min, int Max, int Count);

class TskFrameSkinControl : public TskSkinControl {
    DECLARE_CLASS(TskFrameSkinControl, TskSkinControl)
public:
    explicit TskFrameSkinControl(TComponent* AOwner);
    ~TskFrameSkinControl() override;
    static void Published(TPropertyList& P);

    // The strip of the record when it is a frame-strip record, else that of DefaultImage.
    void GetSkinData() override;
    void ChangeSkinData() override;
    // With a picture the control keeps the size of one frame.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TBitmap* GetDefaultImage() const { return FDefaultImage.get(); }
    // Copies Bitmap (null empties it); the control shows its first frame at one frame's size.
    void SetDefaultImage(TBitmap* Bitmap);
    TBitmap* GetDefaultMask() const { return FDefaultMask.get(); }
    // Copies Bitmap: its black pixels are the window without a skin record.
    void SetDefaultMask(TBitmap* Bitmap);
    int GetDefaultFramesCount() const { return FDefaultFramesCount; }
    // At least 1.
    void SetDefaultFramesCount(int Value);
    TFramesPlacement GetDefaultFramesPlacement() const { return FDefaultFramesPlacement; }
    void SetDefaultFramesPlacement(TFramesPlacement Value);

    // The frame shown, from 1.
    int GetFrame() const { return FFrame; }
    // Clamped to the strip; repaints on a change. Nothing without a picture.
    void SetFrame(int Index);
    int GetFramesCount() const { return FFramesCount; }
    TFramesPlacement GetFramesPlacement() const { return FFramesPlacement; }
    int GetFrameWidth() const { return FFrameWidth; }
    int GetFrameHeight() const { return FFrameHeight; }
    // A frame-strip record or a default image gives the control its frames.
    bool HasPicture() const { return FFrameWidth > 0 && FFrameHeight > 0; }

protected:
    void Loaded() override;
    void CreateWnd() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // The layout of the strip in DefaultImage; no frames when it is empty.
    void CalcDefaultFrameSize();
    // The strip was laid out anew: each kind places the frame that stands for its state.
    virtual void StripChanged() { PlaceFrame(FFrame); }
    // Index, clamped to the strip, becomes the frame without a repaint.
    void PlaceFrame(int Index);
    // The window region from the mask in use, or none.
    void SetControlRegion();

private:
    void SetStripLayout(int Count, TFramesPlacement Placement, int Width, int Height);
    void DefaultImageChanged(TObject* Sender);
    void DefaultMaskChanged(TObject* Sender);
    // A new default strip: the first frame, then the state's, at one frame's size.
    void DefaultStripChanged();
    // The current frame of the strip that starts at Origin of Source into B; what lies
    // outside Source stays blank.
    void CopyFrame(TBitmap* B, TBitmap* Source, TPoint Origin) const;

    std::unique_ptr<TBitmap> FDefaultImage;
    std::unique_ptr<TBitmap> FDefaultMask;
    int FDefaultFramesCount = 1;
    TFramesPlacement FDefaultFramesPlacement = fpHorizontal;

    int FFrame = 1;
    int FFramesCount = 1;
    TFramesPlacement FFramesPlacement = fpHorizontal;
    int FFrameWidth = 0;
    int FFrameHeight = 0;
    // Copied from the record; the pictures are the skin's.
    TRect StripRect;
    TBitmap* FSkinPicture = nullptr;
    TBitmap* FSkinMask = nullptr;
};

// A frame strip run by a timer, started and stopped by its owner.
class TskFrameTimerControl : public TskFrameSkinControl {
    DECLARE_CLASS(TskFrameTimerControl, TskFrameSkinControl)
public:
    explicit TskFrameTimerControl(TComponent* AOwner);
    ~TskFrameTimerControl() override;

    Cardinal GetTimerInterval() const { return FTimer->GetInterval(); }
    void SetTimerInterval(Cardinal Value) { FTimer->SetInterval(Value); }
    // The timer runs.
    bool IsRunning() const { return FTimer->GetEnabled(); }
    // One tick of the timer.
    void DoAnimate();
    // The timer that ticks DoAnimate.
    TTimer* GetTimer() const { return FTimer.get(); }

protected:
    virtual void Animate() = 0;
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskFrameTimerControl, TskFrameSkinControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

protected:
    // The pointer came or went.
    virtual void PointerMoved() {}
    void Tick(TObject* Sender);

    std::unique_ptr<TTimer> FTimer;
    // The pointer is over the control.
    bool FMouseIn = false;
};

class TskSkinSwitch : public TskFrameTimerControl {
    DECLARE_CLASS(TskSkinSwitch, TskFrameTimerControl)
public:
    explicit TskSkinSwitch(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;

    TskSkinSwitchState GetState() const { return FState; }
    // Two frames switch at once, more run through on the timer; OnChange follows.
    void SetState(TskSkinSwitchState Value);
    void Start() { FTimer->SetEnabled(true); }
    void Stop() { FTimer->SetEnabled(false); }

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Animate() override;
    void StripChanged() override;

private:
    void ChangeState();

    TskSkinSwitchState FState = TskSkinSwitchState::swOff;
};

class TskSkinAnimate : public TskFrameTimerControl {
    DECLARE_CLASS(TskSkinAnimate, TskFrameTimerControl)
public:
    explicit TskSkinAnimate(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnStart;
    TNotifyEvent OnStop;

    bool GetActive() const { return FActive; }
    // With a picture, starts or stops the animation.
    void SetActive(bool Value);
    bool GetCycleMode() const { return FCycleMode; }
    void SetCycleMode(bool Value) { FCycleMode = Value; }
    bool GetButtonMode() const { return FButtonMode; }
    void SetButtonMode(bool Value) { FButtonMode = Value; }
    // A plain animation starts from its first frame.
    void Start();
    void Stop();

protected:
    void Animate() override;
    void StripChanged() override;
    void PointerMoved() override;

private:
    bool FActive = false;
    bool FCycleMode = false;
    bool FButtonMode = false;
};

// The value between MinValue and MaxValue that the gauge and the regulator show as a frame.
class TskFrameValueControl : public TskFrameSkinControl {
    DECLARE_CLASS(TskFrameValueControl, TskFrameSkinControl)
public:
    explicit TskFrameValueControl(TComponent* AOwner);
    static void Published(TPropertyList& P);

    int GetValue() const { return FValue; }
    // Ignored unless it is a new value within the range.
    void SetValue(int Value);
    int GetMinValue() const { return FMinValue; }
    // The value is kept to the new bounds (ClampValue).
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);

    // Shows the frame of the value.
    void CalcFrame() { SetFrame(ValueFrame()); }

protected:
    void StripChanged() override { PlaceFrame(ValueFrame()); }
    int ValueFrame() const { return FrameForValue(FValue, FMinValue, FMaxValue, GetFramesCount()); }
    // After a change of Value.
    virtual void ValueChanged() {}

private:
    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 50;
};

class TskSkinFrameGauge : public TskFrameValueControl {
    DECLARE_CLASS(TskSkinFrameGauge, TskFrameValueControl)
public:
    explicit TskSkinFrameGauge(TComponent* AOwner);
};

class TskSkinFrameRegulator : public TskFrameValueControl {
    DECLARE_CLASS(TskSkinFrameRegulator, TskFrameValueControl)
public:
    explicit TskSkinFrameRegulator(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;

    void GetSkinData() override;
    TRegulatorKind GetDefaultKind() const { return FDefaultKind; }
    void SetDefaultKind(TRegulatorKind Value);
    // The kind in use: the record's, or DefaultKind.
    TRegulatorKind GetKind() const { return FKind; }
    bool IsDragging() const { return FDragging; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ValueChanged() override;

private:
    // Along the kind's direction: rightwards, upwards, or up and to the right.
    int Coord(int X, int Y) const;
    // At most one step of the value for the pointer's move since the last step.
    void CalcValue();

    TRegulatorKind FDefaultKind = rkRound;
    TRegulatorKind FKind = rkRound;
    bool FDragging = false;
    int FPressCoord = 0;
    int FCurrentCoord = 0;
    int FWorkValue = 0;
};
