// The skinned push button: normal, active, down and disabled looks, a hover cross-fade,
// latched Down in exclusive groups, auto-repeat while held, the form's default and
// cancel roles, keys and accelerators, and a glyph strip laid out with the caption.
// The glyph-and-caption layout is shared by every skinned button kind.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/Timers.h"

DECLARE_UNIT(SkinCtrls_Buttons)

enum TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The glyph's and the caption's top-left corners in R.
void CalcGlyphAndTextLayout(TskButtonLayout Layout, const TRect& R, int GW, int GH, int TW, int TH,
                            int Margin, int Spacing, int& GX, int& GY, int& TX, int& TY);
// The caption (measured in the canvas's font), then frame GlyphIndex of the glyph strip.
void DrawGlyphAndText(TCanvas* Canvas, const TRect& R, int Margin, bool Shift, int GlyphIndex,
                      int NumGlyphs, TBitmap* Glyph, const AnsiString& Caption,
                      TskButtonLayout Layout, int Spacing);

class TskSkinButton : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinButton, TskSkinCustomControl)
public:
    explicit TskSkinButton(TComponent* AOwner);
    ~TskSkinButton() override;
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void Click() override;
    virtual void ButtonClick();

    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool GetCanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool GetRepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int GetRepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TskButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    int GetModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    bool IsFocused();
    // The hover fade: 0 normal look, 1 active look.
    double GetMorphKf() const { return FMorphKf; }
    bool IsMorphing() const { return FMorphTimer != nullptr; }
    bool IsRepeating() const { return FRepeatTimer != nullptr; }
    // One tick of the fade timer and of the repeat timer.
    void DoMorph(TObject* Sender = nullptr);
    void RepeatTimerProc(TObject* Sender = nullptr);

protected:
    void Paint() override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap*) override {}
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive);

    void ReDrawControl();
    void StartMorph();
    void StopMorph();
    void StartRepeat();
    void StopRepeat();
    void DoAllUp();

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CMFocusChanged(TMessage& Message);
    void WMFocus(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinButton, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_DIALOGKEY, CMDialogKey)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocus)
    END_MESSAGE_HANDLERS

protected:
    // Shown pressed: Down and held, grouped or focused without the mouse.
    bool ShowsDown();

    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FDefaultActive = false;
    bool FAllUpPending = false;
    bool FSettingFocus = false;
    double FMorphKf = 0;
    std::unique_ptr<TTimer> FMorphTimer;
    std::unique_ptr<TTimer> FRepeatTimer;

    // Copied from the record.
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText, ActiveFontColor = clBtnText, DownFontColor = clBtnText,
           DisabledFontColor = clBtnShadow;
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
    bool FMorphing = false;
    TMorphKind FMorphKind = mkDefault;

private:
    bool FDown = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FCanFocused = true;
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TskButtonLayout FLayout = blGlyphLeft;
    bool FCancel = false;
    bool FDefault = false;
    int FModalResult = 0;
};
