// The skinned check box and radio box: one windowed control drawn from a "checkradio"
// record, in a flat mode on its parent's picture, or in a plain default look. Boxes of one
// parent with the same non-zero GroupIndex are exclusive; the box fades between its normal
// and active looks while the pointer comes and goes.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/ImageLists.h"
#include "classlib/Timers.h"

#include <memory>

DECLARE_UNIT(SkinCtrls_CheckRadio)

class TskSkinCheckRadioBox : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinCheckRadioBox, TskSkinCustomControl)
public:
    explicit TskSkinCheckRadioBox(TComponent* AOwner);
    ~TskSkinCheckRadioBox() override;
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    // Flat boxes keep their size; others fit the check picture and the text to it.
    void CalcSize(int& W, int& H) override;

    bool GetChecked() const { return FChecked; }
    // Stores and repaints; a checked grouped box unchecks its mates. OnClick follows on
    // every call for a check box, for a radio box only when it is now checked.
    void SetChecked(bool Value);
    bool GetRadio() const { return FRadio; }
    void SetRadio(bool Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool GetCanFocused() const { return FCanFocused; }
    // Also the TabStop.
    void SetCanFocused(bool Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    // The user's toggle: a check box flips, a radio box only ever becomes checked; nothing
    // when the box may not be changed (CanModify).
    void SetCheckState();
    bool IsFocused();

    // The hover fade: 0 normal look, 1 active look; one tick of its timer.
    double GetMorphKf() const { return FMorphKf; }
    bool IsMorphing() const { return FMorphTimer != nullptr; }
    void DoMorph(TObject* Sender = nullptr);

protected:
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    // Whether the user may change the box now; the boxes of a group ask their group.
    virtual bool CanModify() { return true; }

    void CMDialogChar(TWMKey& Message);
    void CMTextChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void WMFocus(TMessage& Message);
    void WMMove(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinCheckRadioBox, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_MOVE, WMMove)
    END_MESSAGE_HANDLERS

private:
    // The record of this box's class found by the lookup; null draws the default look.
    TskDataSkinCheckRadioControl* CheckRecord() const;
    void UnCheckAll();
    void ReDrawControl();
    void StartMorph();
    void StopMorph();
    // The skin's rectangle R at the box's size with the state's check picture and caption.
    void CreateImage(TBitmap* B, const TRect& R, bool AActive);
    void FitAreas(int W);
    // The skin picture's rectangle for the state: disabled, lit, else normal.
    TRect CheckPictureRect();
    void DrawCheckPicture(TCanvas* Canvas, int X, int Y, const TRect& R);
    // The 14 x 14 box of the default look at (X, Y) with its mark.
    void DrawDefaultBox(TCanvas* Canvas, int X, int Y);
    void PaintFlat();

    bool FChecked = false;
    bool FRadio = false;
    bool FFlat = false;
    int FGroupIndex = 0;
    bool FCanFocused = false;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = 0;

    bool FMouseIn = false;
    bool FSettingFocus = false;
    double FMorphKf = 0;
    std::unique_ptr<TTimer> FMorphTimer;

    // Copied from the record.
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText, ActiveFontColor = clBtnText, UnEnabledFontColor = clBtnShadow,
           FrameFontColor = clBtnText;
    bool FMorphing = false;
    TMorphKind FMorphKind = mkDefault;
    TRect ActiveSkinRect, CheckImageArea, TextArea, CheckImageRect, UnCheckImageRect,
        ActiveCheckImageRect, ActiveUnCheckImageRect, UnEnabledCheckImageRect,
        UnEnabledUnCheckImageRect;
    TRect NewCheckImageRect, NewTextArea;
};
