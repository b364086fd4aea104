// Labels: text drawn on the parent's window.
#pragma once

#include "classlib/StringList.h"
#include "classlib/UnitInit.h"
#include "classlib/WinControls.h"

#include <functional>
#include <memory>

DECLARE_UNIT(Labels)

// What every label does with its text, whatever holds the text.
//
// DrawText flags: tabs expanded, aligned, wrapped at words when WordWrap, and "&" shown as
// it is unless it marks an accelerator (ShowAccelChar).
UINT LabelTextFlags(TAlignment Alignment, bool WordWrap, bool ShowAccelChar);
// Text in Rect on Canvas in the canvas's current font: measured with DT_CALCRECT in Flags,
// else drawn, embossed when not Enabled. An empty text, or a lone accelerator mark, measures
// as one blank, so that the label keeps the height of a line.
void DrawLabelTextOn(TCanvas* Canvas, TRect& Rect, AnsiString Text, UINT Flags, bool Enabled);
// Where a label of bounds Rect draws its text with Flags: lowered by Layout, and for an
// auto-sized label whose lines are not wrapped (FitsText) and that is not aligned left,
// ended where the text does, with DT_NOCLIP, so that the room it keeps for the glyphs'
// overhang lies after the text. Measure measures the text (DT_CALCRECT is in its flags).
void PlaceLabelText(TRect& Rect, UINT& Flags, bool FitsText, TAlignment Alignment,
                    TTextLayout Layout, const std::function<void(TRect&, UINT)>& Measure);
// The size of a label's text measured on the screen's DC, which Canvas holds meanwhile:
// Measure measures into the rectangle (WrapWidth wide at first) in the font it chooses on
// Canvas. The width has room for the overhang of Text drawn with Flags in that font.
TPoint MeasureLabelOnScreen(TCanvas* Canvas, int WrapWidth, const AnsiString& Text, UINT Flags,
                            const std::function<void(TRect&)>& Measure);

// Text drawn by the system's DrawText on the parent's window: a lone CR or LF breaks a
// line, and "&" marks an accelerator that focuses FocusControl.
class TCustomLabel : public TGraphicControl {
    DECLARE_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* AOwner);
    ~TCustomLabel() override;

    static void Published(TPropertyList& P);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // A transparent label draws only its text; otherwise it fills its bounds with Color.
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    // Takes the focus when the caption's accelerator is pressed; not owned.
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

protected:
    void Paint() override;
    // The text's size as DoDrawText measures it, wrapped at the current width when WordWrap.
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    // Draws the caption on Canvas in Rect with DrawText Flags; with DT_CALCRECT it only
    // measures, setting Rect to the text's extent. Disabled text is embossed.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    // Fits the size to the text after a change (AutoSize).
    virtual void AdjustBounds();
    // Text in Rect in the canvas's current font: measured with DT_CALCRECT, else drawn,
    // embossed when the label is disabled. An empty text measures as one blank.
    void DrawLabelText(TRect& Rect, AnsiString Text, UINT Flags);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // DrawText flags for the current settings.
    UINT TextFlags() const;

    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TWMKey& Message);

    MESSAGE_HANDLERS(TCustomLabel, TGraphicControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar)
    END_MESSAGE_HANDLERS

private:
    void TextChanged();

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    DECLARE_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
