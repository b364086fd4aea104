// Skinned labels: the standard window-less label in the skin's font and colour, the
// framed label drawn from the skin that can widen to its text, and the label that
// draws its text with a bitmap font cut from the skin picture.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/Labels.h"

DECLARE_UNIT(SkinCtrls_Labels)

class TskSkinStdLabel : public TCustomLabel, public TskSkinFollower {
    DECLARE_CLASS(TskSkinStdLabel, TCustomLabel)
public:
    explicit TskSkinStdLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskSkinData* GetSkin() const override { return FSD; }
    // Applies any non-null skin at once.
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return SkinDataName; }
    void SetSkinDataName(const AnsiString& Value) { SkinDataName = Value; }
    bool GetUseSkinFont() const { return UseSkinFont; }
    // A change of the font the label is drawn in sizes an AutoSize label again.
    void SetUseSkinFont(bool Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value);

    void GetSkinData();
    // Looks the record up again; an AutoSize label fits its text in the skin's font.
    void ChangeSkinData() override;

    AnsiString SkinDataName = "stdlabel";
    bool UseSkinFont = true;

protected:
    void DoDrawText(TRect& Rect, UINT Flags) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TskSkinData* FSD = nullptr;
    std::unique_ptr<TFont> FDefaultFont;
    int FIndex = -1;
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText;
};

// A framed label drawn from the skin; AutoSize widens it to its text.
class TskSkinLabel : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinLabel, TskSkinCustomControl)
public:
    explicit TskSkinLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    void SetAutoSize(bool Value) override;
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TskSkinBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    // Widens (or narrows) the label to its text; only when not aligned.
    virtual void AdjustBounds();

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // An AutoSize label fits its text in the new default font.
    void DefaultFontChange() override;
    // Only the skin's corner-point image, for descendants that draw their own text.
    void PaintLabel(TBitmap* B);
    void DrawLabelText(TCanvas* Canvas, const TRect& R);
    // How much wider the text is than the skin's client part at this size.
    int CalcWidthOffset();
    // The canvas font of the label's text.
    void SetLabelFont(TCanvas* Canvas);

    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinLabel, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

protected:
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText;

private:
    TAlignment FAlignment = taLeftJustify;
    TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
};

class TskSkinBitLabel : public TskSkinCustomControl {
    DECLARE_CLASS(TskSkinBitLabel, TskSkinCustomControl)
public:
    explicit TskSkinBitLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

    void GetSkinData() override;
    void CalcSize(int& W, int& H) override;
    void SetAutoSize(bool Value) override;
    int GetFixLength() const { return FFixLength; }
    // The width of that many symbol cells and the skin's margins; 0 frees the width.
    void SetFixLength(int Value);
    int GetFixWidth() const;
    void AdjustBounds();

protected:
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    // The caption's extra width over the skin's client part (0 without a record).
    int TextOffset();

    void CMTextChanged(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinBitLabel, TskSkinCustomControl)
    MESSAGE_HANDLER(CM_TEXTCHANGED, CMTextChanged)
    END_MESSAGE_HANDLERS

private:
    int FFixLength = 0;
    TRect SkinTextRect;
    int SymbolWidth = 0;
    int SymbolHeight = 0;
};
