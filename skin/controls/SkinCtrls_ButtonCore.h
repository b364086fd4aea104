// What the skinned push button and the skinned speed button share: the glyph strip and
// its layout with the caption, latched Down in exclusive groups, the repeat while held,
// the hover cross-fade between the normal and the active look, and the copy of the
// skin's button record.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/ActnList.h"
#include "classlib/ImageLists.h"

#include "classlib/Timers.h"
#include "classlib/UnitInit.h"

// Registers the glyph layouts' names for form resources, for every control that lays a
// glyph out with its caption.
DECLARE_UNIT(SkinCtrls_ButtonCore)

enum TskButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The glyph's and the caption's top-left corners in R.
void CalcGlyphAndTextLayout(TskButtonLayout Layout, const TRect& R, int GW, int GH, int TW, int TH,
                            int Margin, int Spacing, int& GX, int& GY, int& TX, int& TY);
// The box a caption's glyphs draw in, in the canvas's font: their advances and overhang wide,
// a line high; empty for no caption.
TSize CaptionExtent(TCanvas* Canvas, const AnsiString& Caption);

// The caption (measured in the canvas's font), then frame GlyphIndex of the glyph strip.
// Returns the rectangle the two cover.
TRect DrawGlyphAndText(TCanvas* Canvas, const TRect& R, int Margin, bool Shift, int GlyphIndex,
                       int NumGlyphs, TBitmap* Glyph, const AnsiString& Caption,
                       TskButtonLayout Layout, int Spacing);

// The same with image ImageIndex of Images (greyed when not Enabled) for the glyph.
TRect DrawImageAndText(TCanvas* Canvas, const TRect& R, int Margin, bool Enabled, bool Shift,
                       TCustomImageList* Images, int ImageIndex, const AnsiString& Caption,
                       TskButtonLayout Layout, int Spacing);

// The frame of a glyph strip (from 1) that a button shows: pressed under the pointer 3 and
// under the pointer 4, when the strip has them; else 1, or 2 when disabled.
int ButtonGlyphIndex(bool ADown, bool AActive, bool Enabled, int NumGlyphs);

// The default (skinless) face of a button: pressed, lit or normal.
void DrawDefaultButtonFace(TCanvas* Canvas, const TRect& R, bool Down, bool Lit);

// A glyph strip of NumGlyphs frames and its place beside a caption, as every skinned
// button kind keeps them. Each change repaints the control.
class TskButtonGlyph {
public:
    TskButtonGlyph();
    virtual ~TskButtonGlyph();

    TBitmap* GetGlyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int GetNumGlyphs() const { return FNumGlyphs; }
    // Kept within 1..4.
    void SetNumGlyphs(int Value);
    int GetMargin() const { return FMargin; }
    // Values below -1 are refused.
    void SetMargin(int Value);
    int GetSpacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TskButtonLayout GetLayout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);

    // The width the glyph and Caption take side by side (or one above the other), in the
    // canvas's font.
    int ContentWidth(TCanvas* Canvas, const AnsiString& Caption) const;

protected:
    virtual void GlyphChanged() = 0;
    // Frame GlyphIndex of the strip and Caption laid out in R, in the canvas's font.
    void DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R, bool Shift, int GlyphIndex,
                             const AnsiString& Caption);
    // Where the last drawing put the glyph and the caption: what a focus frame keeps clear of.
    const TRect& GetContentRect() const { return FContentRect; }

private:
    const std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TskButtonLayout FLayout = blGlyphLeft;
    TRect FContentRect;
};

class TskButtonCore : public TskButtonGlyph {
    // The menu buttons' tracking drives the button's Down, fade and images.
    friend class TskMenuTrack;

public:
    TskButtonCore();
    ~TskButtonCore() override;

    // Every click of the button goes through here.
    virtual void ButtonClick() = 0;

    bool GetDown() const { return FDown; }
    void SetDown(bool Value);
    int GetGroupIndex() const { return FGroupIndex; }
    virtual void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool GetAllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool GetRepeatMode() const { return FRepeatMode; }
    void SetRepeatMode(bool Value) { FRepeatMode = Value; }
    int GetRepeatInterval() const { return FRepeatInterval; }
    void SetRepeatInterval(int Value) { FRepeatInterval = Value; }
    // The glyph becomes image Index of Images (on clFuchsia, the transparent colour), or
    // empty when the list has no such image.
    void SetGlyphFromImages(TCustomImageList* Images, int Index);
    // The linked action: the button takes its caption, enabled state and image, and runs it.
    TCustomAction* GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }
    void SetAction(TCustomAction* Value);

    // The hover fade: 0 normal look, 1 active look.
    double GetMorphKf() const { return FMorphKf; }
    bool IsMorphing() const { return FMorphTimer != nullptr; }
    bool IsRepeating() const { return FRepeatTimer != nullptr; }
    // The timer of the repeat while the button is held; null otherwise.
    TTimer* GetRepeatTimer() const { return FRepeatTimer.get(); }
    // One tick of the fade timer and of the repeat timer.
    void DoMorph(TObject* Sender = nullptr);
    void RepeatTimerProc(TObject* Sender = nullptr);

protected:
    virtual TControl* ButtonControl() = 0;
    virtual TskSkinClient& ButtonClient() = 0;
    virtual TskSkinSizing& ButtonSizing() = 0;
    // The skin's rectangle R at the button's size with glyph and caption in that look.
    virtual void CreateButtonImage(TBitmap* B, const TRect& R, bool ADown, bool AActive);
    // The action changed: caption and enabled state, and an empty glyph takes the action's
    // image (on clFuchsia, the transparent colour).
    virtual void ActionChange(TCustomAction* Sender);
    // Glyph (or image) and caption of a look in R.
    virtual void DrawContent(TCanvas* Canvas, const TRect& R, bool Shift, bool ADown, bool AActive);
    // The skinned image of the look the state asks for: a running fade (over Shown, what the
    // window shows: ShownPart), disabled, pressed, lit (or faded in), normal.
    void CreateStateImage(TBitmap* Image, const TRect& Shown, bool ShowsDown, bool Lit);
    // Shown lit: the pointer is over the button (or it has the focus).
    virtual bool IsLit() { return FMouseIn; }
    // Another button of the same kind, with which this one forms groups.
    virtual bool IsGroupMate(TControl* Other) = 0;
    void GlyphChanged() override;

    // Draws image Index of Images into the glyph, when the list has one.
    void DrawImageIntoGlyph(TCustomImageList* Images, int Index);
    // Copies the button record found by the lookup.
    void ReadButtonRecord();
    void ReDrawControl();
    void StartMorph();
    void StopMorph();
    void StartRepeat();
    void StopRepeat();
    void DoAllUp();
    // The frame of the glyph strip for a look.
    int GlyphIndex(bool ADown, bool AActive);
    // The font colour for a look.
    TColor FontColorOf(bool ADown, bool AActive);
    // The left button's press and release as grouped and plain buttons take them.
    void LeftPress();
    void LeftRelease();
    // The fade stops and the button is no longer lit.
    void EnabledChanged();
    // Repaints, unless nothing would show the caption.
    void TextChanged();
    // Pointer enter and leave: the redraw and the repeat that follow the pointer.
    void PointerEntered();
    void PointerLeft();

    std::unique_ptr<TActionLink> FActionLink;
    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FAllUpPending = false;
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
    bool FRepeatMode = false;
    int FRepeatInterval = 100;
};

// The glyph's properties, as forms store them.
template <class C> void PublishButtonGlyph(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("Glyph", Own<C>(&C::GetGlyph), Own<C>(&C::SetGlyph));
    P.Add("NumGlyphs", Own<C>(&C::GetNumGlyphs), Own<C>(&C::SetNumGlyphs), 1);
    P.Add("Margin", Own<C>(&C::GetMargin), Own<C>(&C::SetMargin), -1);
    // The constructor's value is the stored default, so that every other value survives.
    P.Add("Spacing", Own<C>(&C::GetSpacing), Own<C>(&C::SetSpacing), 1);
    P.Add("Layout", Own<C>(&C::GetLayout), Own<C>(&C::SetLayout), blGlyphLeft);
}

// The properties both buttons store in form resources.
template <class C> void PublishButtonCore(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("RepeatMode", Own<C>(&C::GetRepeatMode), Own<C>(&C::SetRepeatMode), false);
    P.Add("RepeatInterval", Own<C>(&C::GetRepeatInterval), Own<C>(&C::SetRepeatInterval), 100);
    P.Add("AllowAllUp", Own<C>(&C::GetAllowAllUp), Own<C>(&C::SetAllowAllUp), false);
    P.Add("Down", Own<C>(&C::GetDown), Own<C>(&C::SetDown), false);
    P.Add("GroupIndex", Own<C>(&C::GetGroupIndex), Own<C>(&C::SetGroupIndex), 0);
    PublishButtonGlyph<C>(P);
    P.Add("Caption", &TControl::GetCaption, &TControl::SetCaption);
    P.Add("Action", Own<C>(&C::GetAction), Own<C>(&C::SetAction));
    P.Add("OnClick", &TControl::OnClick);
}
