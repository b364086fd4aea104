// The skinned scroll bar: two arrow buttons, a track and a thumb that it draws and runs
// by itself (hover and pressed looks, thumb drag, page presses, repeat on window timer 1:
// a step on the press, none at 500 ms, then one every 50 ms). Native views drive it
// through SimplySetPosition and SetRange, which fire no OnChange.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/ScrollBars.h"

DECLARE_UNIT(SkinCtrls_ScrollBars)

class TskSkinScrollBar : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinScrollBar, TskSkinCustomControl)
public:
    explicit TskSkinScrollBar(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TNotifyEvent OnChange;
    TNotifyEvent OnLastChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    // Button indexes.
    enum { sbThumb = 0, sbUp = 1, sbDown = 2 };
    // Repeat modes.
    enum { tmNone = 0, tmDownButton, tmUpButton, tmPageToMin, tmPageToMax };

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;

    int GetPosition() const { return FPosition; }
    // Clamped; fires OnChange when the position changes. While a form is read the setters of
    // the position, bounds and page only store what they are given (see Loaded).
    void SetPosition(int Value);
    // Clamped; never fires OnChange.
    void SimplySetPosition(int Value);
    void SetRange(int AMin, int AMax, int APosition, int APageSize);
    // The bounds and the page move the position by their own rules below, telling no one;
    // bounds that cross (Min above the last position) keep it by Clamp, at the last one.
    int GetMin() const { return FMin; }
    // A position below the new Min is raised to it.
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    // Without a page a position above the new Max is lowered to it. With one, a position
    // above Max - Min - PageSize + 1 is lowered to that (counted from 0, where SetPosition
    // counts Max - PageSize + 1), then raised to Min.
    void SetMax(int Value);
    int GetPageSize() const { return FPageSize; }
    // Taken only when Position + Value <= Max - Min + 1.
    void SetPageSize(int Value);
    int GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    TScrollBarKind GetKind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    bool GetBoth() const { return FBoth; }
    void SetBoth(bool Value);
    int GetBothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    const AnsiString& GetBothSkinDataName() const { return FBothSkinDataName; }
    void SetBothSkinDataName(const AnsiString& Value) { FBothSkinDataName = Value; }
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    // The geometry at the current size and position.
    void CalcRects();
    TRect GetButtonRect(int Index) const { return FButtons[Index].Rect; }
    TRect GetTrackRect() const { return FTrackRect; }
    int GetTimerMode() const { return FTimerMode; }
    // The position for a thumb centre D pixels from ThumbPosStart.
    int CalcValue(double D);

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    // The form's lines come in any order, and whether a page is taken depends on the position
    // of the moment: once all are read, the page stays as read and the position is clamped.
    void Loaded() override;

    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void WMFocus(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMTimer(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinScrollBar, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_WANTSPECIALKEY, CMWantSpecialKey)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel)
    MESSAGE_HANDLER(WM_TIMER, WMTimer)
    END_MESSAGE_HANDLERS

private:
    struct TButtonState {
        TRect Rect;
        bool Active = false;
        bool Down = false;
    };

    // Max, or Max - PageSize + 1 with a page.
    Int64 LastPosition() const;
    bool BoundsCross() const;
    // Value kept to Min..LastPosition by ClampValue.
    int Clamp(Int64 Value) const;
    void KeepToBounds();
    bool Horizontal() const { return FKind == sbHorizontal; }
    bool Skinned() const { return FIndex != -1; }
    void TestActive(int X, int Y);
    void ButtonEnter(int Index);
    void ButtonLeave(int Index);
    void ButtonDown(int Index);
    void ButtonUp(int Index);
    void UpStep();
    void DownStep();
    void SetTimer(UINT Interval);
    void StopTimer();
    void DrawButton(TCanvas* Canvas, int Index);
    bool IsFocusedBar();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    bool FBoth = false;
    int FBothMarkerWidth = 0;
    AnsiString FBothSkinDataName = "bothhscrollbar";
    AnsiString FSavedSkinDataName;
    bool FCanFocused = false;

    TButtonState FButtons[3];
    TRect FTrackRect;
    int FThumbPosStart = 0, FThumbPosEnd = 0, FThumbPosOffset = 0;
    int FActiveButton = -1, FOldActiveButton = -1, FDownButton = -1;
    int FTimerMode = tmNone;
    bool FFirstTick = false;
    bool FMouseIsDown = false;
    bool FThumbDragging = false;
    int FDragStartCoord = 0, FDragStartOffset = 0;
    int FLastMouseX = 0, FLastMouseY = 0;
    bool FFocusing = false;

    // Copied from the record.
    TRect TrackArea, UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect,
        ActiveDownButtonRect, DownDownButtonRect, ThumbRect, ActiveThumbRect, DownThumbRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0;
    TRect GlyphRect, ActiveGlyphRect, DownGlyphRect;
};
