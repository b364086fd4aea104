// Labels in the skin's "stdlabel" font beside the standard one: the multi-line text
// label, the link label and link image that open an address when clicked, and the
// button label, a caption with a glyph that answers hover and press like a flat button.
#pragma once

#include "skin/controls/SkinCtrls_ButtonCore.h"
#include "skin/controls/SkinCtrls_Labels.h"

#include "classlib/Images.h"

DECLARE_UNIT(SkinCtrls_TextLabels)

// The lines of a string list, wrapped, aligned and laid out in the label's bounds.
class TskSkinTextLabel : public TGraphicControl, public TskStdLabelSkin {
    DECLARE_CLASS(TskSkinTextLabel, TGraphicControl)
public:
    explicit TskSkinTextLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TStrings* GetLines() const { return FLines.get(); }
    void SetLines(TStrings* Value);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);

    // Fits an AutoSize label to its text; a label aligned right keeps its right edge, and
    // a wrapping one its width.
    void AdjustSize() override;

protected:
    void Paint() override;
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void DoDrawText(TRect& Rect, UINT Flags);
    void LabelFontChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMFontChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinTextLabel, TGraphicControl)
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged)
    END_MESSAGE_HANDLERS

private:
    UINT TextFlags() const;
    AnsiString Text() const;

    std::unique_ptr<TStringList> FLines;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
};

// A label that opens its URL (an http:, https: or mailto: address) when clicked, drawn
// underlined and in its active colour while the pointer is over it.
class TskSkinLinkLabel : public TskSkinStdLabel {
    DECLARE_CLASS(TskSkinLinkLabel, TskSkinStdLabel)
public:
    explicit TskSkinLinkLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    const AnsiString& GetURL() const { return FURL; }
    void SetURL(const AnsiString& Value) { FURL = Value; }
    // The colour under the pointer without a skin.
    TColor GetDefaultActiveFontColor() const { return FDefaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor Value);
    bool IsMouseOver() const { return FMouseIn; }

protected:
    void SetTextFont(TFont* Font) override;
    void Click() override;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinLinkLabel, TskSkinStdLabel)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    END_MESSAGE_HANDLERS

private:
    AnsiString FURL;
    TColor FDefaultActiveFontColor = clBlue;
    bool FMouseIn = false;
};

// A picture that opens its URL when clicked, as the link label does.
class TskSkinLinkImage : public TImage {
    DECLARE_CLASS(TskSkinLinkImage, TImage)
public:
    explicit TskSkinLinkImage(TComponent* AOwner);
    static void Published(TPropertyList& P);

    const AnsiString& GetURL() const { return FURL; }
    void SetURL(const AnsiString& Value) { FURL = Value; }

protected:
    void Click() override;

private:
    AnsiString FURL;
};

// A caption and a glyph laid out as on the skinned buttons, in the skin's label font,
// coloured while the pointer is over it; the glyph strip has a frame for each look.
class TskSkinButtonLabel : public TGraphicControl, public TskStdLabelSkin, public TskButtonGlyph {
    DECLARE_CLASS(TskSkinButtonLabel, TGraphicControl)
public:
    explicit TskSkinButtonLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    // The colour under the pointer without a skin.
    TColor GetDefaultActiveFontColor() const { return FDefaultActiveFontColor; }
    void SetDefaultActiveFontColor(TColor Value);

    bool IsMouseOver() const { return FMouseIn; }
    bool IsPressed() const { return FPressed; }
    // The frame of the glyph strip the label shows now (from 1).
    int GlyphIndex() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void LabelFontChanged() override;
    void GlyphChanged() override { Repaint(); }
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinButtonLabel, TGraphicControl)
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter)
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged)
    END_MESSAGE_HANDLERS

private:
    TColor FDefaultActiveFontColor = clBlue;
    bool FMouseIn = false;
    bool FPressed = false;
};
