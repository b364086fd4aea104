// Up and down arrow buttons that step a value, as the up-down and the spin edit draw and
// run them: hover and pressed looks, and a repeat on window timer 1 while a button is held
// (nothing for 500 ms, then a step every 100 ms, every 50 ms once the pointer comes back
// onto the held button) with one step at the release. The skinned up-down, records
// "hupdown" (side by side) and "vupdown" (stacked), is that pair alone.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/UnitInit.h"

DECLARE_UNIT(SkinCtrls_UpDown)

// The repeat timings, in milliseconds.
constexpr UINT kStepFirstDelay = 500;
constexpr UINT kStepRepeat = 100;
constexpr UINT kStepReturnRepeat = 50;

// The base of controls that hold an up button (index 0, adds the step) and a down button
// (index 1, subtracts it).
class TskSkinStepButtons : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinStepButtons, TskSkinCustomControl)
public:
    enum { sbUp = 0, sbDown = 1 };
    // What a held button repeats.
    enum { repNone = 0, repDown = 1, repUp = 2 };

    explicit TskSkinStepButtons(TComponent* AOwner);

    // The buttons' rectangles at the control's size.
    virtual void CalcRects() = 0;
    const TRect& GetButtonRect(int Index) const { return FButtons[Index].R; }
    bool IsButtonHot(int Index) const { return FButtons[Index].Hot; }
    bool IsButtonPressed(int Index) const { return FButtons[Index].Pressed; }
    int GetRepeatMode() const { return FRepeatMode; }
    // The interval the repeat timer runs at; 0 while it does not run.
    UINT GetRepeatInterval() const { return FTimerInterval; }

protected:
    struct TStepButton {
        TRect R;
        bool Hot = false;
        bool Pressed = false;
    };

    // Whether a held button repeats its step.
    virtual bool RepeatsSteps() const { return true; }
    // One step of button Index.
    virtual void Step(int Index) = 0;
    // Button Index was released, after its step.
    virtual void Released(int) {}

    // R is a rectangle of the skin's picture, inside it.
    bool PictureHolds(const TRect& R) const;
    // The buttons' rectangles and looks of a skin record: its plain rectangles give the
    // buttons' places at skin size, an absent pressed look falls back to the hot one.
    void ReadButtonLooks(const TskDataSkinUpDownButtons& Record);
    // The button's hot or pressed look from the skin's picture; the normal one is part of
    // the control's picture. A look that does not lie inside the picture is not drawn.
    void DrawSkinButton(TCanvas* Canvas, int Index);
    // The plain look: a navy ring when hot, filled darker when also pressed; the normal
    // button ringed in the shadow colour when Ringed, else the face alone; then its arrow.
    void DrawDefaultButton(TCanvas* Canvas, int Index, int Arrow, bool Ringed);

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMSize(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinStepButtons, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(WM_TIMER, WMTimer)
    MESSAGE_HANDLER(WM_SIZE, WMSize)
    END_MESSAGE_HANDLERS

protected:
    TStepButton FButtons[2];
    // Copied from the record by ReadButtonLooks.
    TskDataSkinUpDownButtons FLooks;

private:
    void TestActive(int X, int Y);
    void ButtonDown(int Index);
    void ButtonUp(int Index);
    void ButtonEnter(int Index);
    void ButtonLeave(int Index);
    void SetRepeatTimer(UINT Interval);
    void KillRepeatTimer();
    void StopTimer();

    int FActiveButton = -1;
    int FOldActiveButton = -1;
    int FHeldButton = -1;
    int FRepeatMode = repNone;
    bool FWaiting = false;
    UINT FTimerInterval = 0;
};

enum TUDOrientation { udHorizontal, udVertical };

// An integer Position between Min and Max that the arrows step by Increment; it shows no
// number. The page and tab controls scroll their tabs with it.
class TskSkinUpDown : public TskSkinStepButtons {
    DECLARE_CLASS(TskSkinUpDown, TskSkinStepButtons)
public:
    explicit TskSkinUpDown(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // Fired by SetPosition, also when the position stays.
    TNotifyEvent OnChange;
    // Fired at each release of the button, even with Increment 0.
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    void GetSkinData() override;
    void CalcRects() override;

    int GetPosition() const { return FPosition; }
    // A value outside Min..Max is ignored (every value, while the bounds cross).
    void SetPosition(int Value);
    int GetMin() const { return FMin; }
    // Keeps the position to the new bounds (ClampValue), telling no one.
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    TUDOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);

protected:
    bool RepeatsSteps() const override { return FIncrement != 0; }
    void Step(int Index) override;
    void Released(int Index) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;

private:
    // The skin's up-down record is in use and its picture holds the control's rectangle.
    bool SkinUsable() const;

    TUDOrientation FOrientation = udHorizontal;
    int FIncrement = 1;
    int FPosition = 0;
    int FMin = 0;
    int FMax = 100;

    // The record is the skin's up-down record.
    bool FHasButtonsRecord = false;
};
