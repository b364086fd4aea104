// The skinned track bar: a thumb on a track between MinValue and MaxValue, moved by
// dragging, by a click on the track (JumpWhenClick), and, when it takes the focus, by the
// arrow keys and the wheel. A vertical bar has its minimum at the bottom.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

DECLARE_UNIT(SkinCtrls_TrackBars)

class TskSkinTrackBar : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinTrackBar, TskSkinCustomControl)
public:
    explicit TskSkinTrackBar(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    int GetValue() const { return FValue; }
    // Clamped to the range; a change repaints and fires OnChange.
    void SetValue(int Value);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    bool GetVertical() const { return FVertical; }
    void SetVertical(bool Value);
    bool GetJumpWhenClick() const { return FJumpWhenClick; }
    void SetJumpWhenClick(bool Value) { FJumpWhenClick = Value; }
    bool GetMouseSupport() const { return FMouseSupport; }
    void SetMouseSupport(bool Value) { FMouseSupport = Value; }
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    // Focused and able to take the focus.
    bool IsFocused() const;

    // The thumb's rectangle on track R at the current value; sets the begin, end and
    // offset positions.
    TRect CalcButtonRect(const TRect& R);
    // The value for a thumb centre Offset pixels from the begin position.
    int CalcValue(int Offset) const;
    // The track of the current look: the skin's fitted track area, or the default one.
    TRect TrackRect() const;
    TRect GetButtonRect() const { return FButtonRect; }
    bool IsDragging() const { return FDown; }

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;

    void CMWantSpecialKey(TMessage& Message);
    void WMFocus(TMessage& Message);
    void WMMouseWheel(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinTrackBar, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_WANTSPECIALKEY, CMWantSpecialKey)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    END_MESSAGE_HANDLERS

private:
    // The thumb's size in the current look.
    TSize ThumbSize() const;
    // Value moved by Delta, kept to the range however close to the ends of int it lies.
    void StepValue(int Delta);

    bool FJumpWhenClick = false;
    bool FCanFocused = false;
    bool FMouseSupport = true;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 50;
    bool FVertical = false;

    bool FDown = false;
    bool FSettingFocus = false;
    int FOldPos = 0;
    int FOldOffset = 0;
    int FBeginPos = 0;
    int FEndPos = 0;
    int FButtonOffset = 0;
    TRect FButtonRect;
    TRect NewTrackArea;

    // Copied from the record.
    TRect ButtonRect, ActiveButtonRect, TrackArea;
};
