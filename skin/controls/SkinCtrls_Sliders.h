// The skinned slider: a thumb sliding along a ruler 6 pixels inside the control, tick
// points beside the ruler, keyboard steps between the points of the Increment grid, and
// page tracking (window timer 1, every 400 ms) while the ruler is held beside the thumb.
// With the skin's "slider" record it draws ruler and thumb from the skin; without one from
// four element bitmaps, which the program's bitmap resources give unless the user sets them.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

DECLARE_UNIT(SkinCtrls_Sliders)

enum TskSliderOrientation { soHorizontal, soVertical };
enum TskSliderOption { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TskSliderOptions = TSet<TskSliderOption>;
// Page and key steps.
enum TskJumpMode { jmNone, jmHome, jmEnd, jmNext, jmPrior };

class TskSkinCustomSlider : public TskSkinControl {
    DECLARE_CLASS(TskSkinCustomSlider, TskSkinControl)
public:
    // Element images.
    enum { imHThumb = 0, imHRuler = 1, imVThumb = 2, imVRuler = 3 };
    // The ruler lies this far inside the control on both axes.
    static constexpr int kIndent = 6;

    explicit TskSkinCustomSlider(TComponent* AOwner);
    ~TskSkinCustomSlider() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;
    TNotifyEvent OnDrawPoints;

    void GetSkinData() override;
    void ChangeSkinData() override;
    // A new size fits the ruler and the thumb to it.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TBitmap* GetImage(int Index) const { return FImages[Index].get(); }
    // A user's image (kept with the form), or null for the program's default.
    void SetImage(int Index, TBitmap* Bitmap);
    bool StoreImage(int Index) const { return (FUserImages >> Index) & 1; }
    Byte GetUserImages() const { return FUserImages; }

    int GetValue() const { return FValue; }
    void SetValue(int Value);
    int GetMinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int GetMaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    // Refused when Max <= Min, except while the form is read.
    void SetRange(int Min, int Max);
    int GetIncrement() const { return FIncrement; }
    void SetIncrement(int Value);
    int GetEdgeSize() const { return FEdgeSize; }
    // Refused when it leaves the ruler image no middle.
    void SetEdgeSize(int Value);
    int GetNumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int Value);
    TskSliderOrientation GetOrientation() const { return FOrientation; }
    // Swaps width and height at run time.
    void SetOrientation(TskSliderOrientation Value);
    TskSliderOptions GetOptions() const { return FOptions; }
    void SetOptions(TskSliderOptions Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetUseSkinThumb() const { return FUseSkinThumb; }
    void SetUseSkinThumb(bool Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);

    // Geometry at the current size.
    void AdjustElements();
    TRect GetThumbRect() const { return FThumbRect; }
    TRect GetPointsRect() const { return FPointsRect; }
    TPoint GetRulerOrg() const { return FRulerOrg; }
    TBitmap* GetRuler() const { return FRuler.get(); }
    int GetRulerLength() const;
    // The thumb's offset along the axis for a value, and the value for an offset.
    int GetOffsetByValue(int Value) const;
    int GetValueByOffset(int Offset) const;
    // Jumps to the end, the start, or the next grid point in either direction.
    void ThumbJump(TskJumpMode Mode);
    // The page step a press at X, Y asks for.
    TskJumpMode JumpTo(int X, int Y) const;
    bool IsTracking() const { return FTracking; }
    bool IsThumbDown() const { return FThumbDown; }
    // The tick points on the control's canvas, for an OnDrawPoints handler: there they go
    // into the picture being painted.
    void DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight);

protected:
    void Paint() override;
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    virtual bool CanModify() { return true; }
    virtual void RangeChanged() {}

    void WMGetDlgCode(TMessage& Message);
    void WMTimer(TMessage& Message);
    void WMFocus(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void WMMove(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCustomSlider, TskSkinControl)
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode)
    MESSAGE_HANDLER(WM_TIMER, WMTimer)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(WM_MOVE, WMMove)
    END_MESSAGE_HANDLERS

private:
    bool Vertical() const { return FOrientation == soVertical; }
    bool Reading() const { return GetComponentState().Contains(csReading); }
    // A slider record is in use.
    bool Skinned() const { return FIndex != -1 && FSkinPicture; }
    bool SkinThumb() const { return Skinned() && FUseSkinThumb; }
    TSize ThumbSize() const;
    void LoadDefaultImage(int Index);
    void ImageChanged(TObject* Sender);
    void BuildRuler();
    void BuildSkinRuler();
    void SetThumbOffset(int Offset);
    // Offset clamped to the ruler and snapped to the value it stands for.
    TPoint GetThumbPosition(int& Offset) const;
    void InvalidateThumb();
    void TimerTrack();
    void StopTracking();
    void Change();
    void Changed();
    void InternalDrawPoints(TCanvas* Canvas, int PointsStep, int PointsHeight,
                            int ExtremePointsHeight);
    void DrawThumb(TCanvas* Canvas);
    // OnDrawPoints, drawing into Buffer.
    void DrawPointsByHandler(TCanvas* Buffer);
    void ReadUserImages(TStream* Stream);
    void WriteUserImages(TStream* Stream);

    std::unique_ptr<TBitmap> FImages[4];
    Byte FUserImages = 0;
    std::unique_ptr<TBitmap> FRuler;
    TPoint FRulerOrg;
    TRect FThumbRect;
    TRect FPointsRect;

    int FIncrement = 10;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FValue = 0;
    int FNumThumbStates = 2;
    TskSliderOrientation FOrientation = soHorizontal;
    int FEdgeSize = 2;
    TskSliderOptions FOptions{soShowFocus, soShowPoints, soSmooth};
    bool FTransparent = false;
    bool FUseSkinThumb = true;
    bool FReadOnly = false;
    bool FCreating = true;

    bool FThumbDown = false;
    int FHitOffset = 0;
    bool FTracking = false;
    bool FTimerActive = false;
    TPoint FMousePos;
    TskJumpMode FStartJump = jmNone;

    // Copied from the record.
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int SkinEdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;
    TBitmap* FSkinPicture = nullptr;
};

class TskSkinSlider : public TskSkinCustomSlider {
    DECLARE_CLASS(TskSkinSlider, TskSkinCustomSlider)
public:
    explicit TskSkinSlider(TComponent* AOwner) : TskSkinCustomSlider(AOwner) {}
    static void Published(TPropertyList& P);

private:
    TBitmap* GetImageHThumb() const { return GetImage(imHThumb); }
    TBitmap* GetImageHRuler() const { return GetImage(imHRuler); }
    TBitmap* GetImageVThumb() const { return GetImage(imVThumb); }
    TBitmap* GetImageVRuler() const { return GetImage(imVRuler); }
    bool StoreImageHThumb() const { return StoreImage(imHThumb); }
    bool StoreImageHRuler() const { return StoreImage(imHRuler); }
    bool StoreImageVThumb() const { return StoreImage(imVThumb); }
    bool StoreImageVRuler() const { return StoreImage(imVRuler); }
};
