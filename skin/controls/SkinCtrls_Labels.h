// Skinned labels: the standard window-less label in the skin's font and colour, the
// framed label drawn from the skin that can widen to its text, and the label that
// draws its text with a bitmap font cut from the skin picture.
#pragma once

#include "skin/controls/SkinCtrls_Base.h"

#include "classlib/Labels.h"

DECLARE_UNIT(SkinCtrls_Labels)

// What the window-less labels drawn in the font of a "stdlabel" record hold of the skin:
// the skin data object (never owned; forgotten when it goes), the section's name, the
// label's own DefaultFont, and a copy of the record's font once looked up. A section of
// another kind counts as none: the label keeps its default look.
class TskStdLabelSkin : public TskSkinFollower {
public:
    explicit TskStdLabelSkin(TComponent* Label);
    virtual ~TskStdLabelSkin() = default;

    TskSkinData* GetSkin() const override { return FSD; }
    // Applies any non-null skin at once.
    void SetSkinData(TskSkinData* Value);
    const AnsiString& GetSkinDataName() const { return FSkinDataName; }
    // Only stores: the next lookup uses the new name.
    void SetSkinDataName(const AnsiString& Value) { FSkinDataName = Value; }
    bool GetUseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool Value);
    TFont* GetDefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(TFont* Value) { FDefaultFont->Assign(Value); }

    // Finds the record again (every drawing does) and copies its font.
    void GetSkinData();
    // The new skin is in place: the label follows its font.
    void ChangeSkinData() override;
    bool Skinned() const { return FIndex != -1; }

protected:
    // The font the label draws in may have changed: an auto-sized label fits its text
    // again, and the label repaints.
    virtual void LabelFontChanged() = 0;
    // Font := the font the label draws in. Without a record: DefaultFont when UseSkinFont,
    // else Plain. With one: Plain, given the record's name, style and height when
    // UseSkinFont, in the record's colour (its active colour when Hot).
    void AssignLabelFont(TFont* Font, TFont* Plain, bool Hot) const;
    // Forgets the skin data object when it is removed.
    void SkinNotification(TComponent* AComponent, TOperation Operation);

private:
    TComponent* FLabel;
    TskSkinData* FSD = nullptr;
    AnsiString FSkinDataName = "stdlabel";
    bool FUseSkinFont = true;
    const std::unique_ptr<TFont> FDefaultFont;
    int FIndex = -1;
    AnsiString FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = clBtnText;
    TColor ActiveFontColor = clBlue;
};

// The skin properties the labels drawn in a "stdlabel" record's font store in form resources.
template <class C> void PublishStdLabelSkin(TPropertyList& P) {
    using skinctrls_detail::Own;
    P.Add("UseSkinFont", Own<C>(&C::GetUseSkinFont), Own<C>(&C::SetUseSkinFont), true);
    P.Add("DefaultFont", Own<C>(&C::GetDefaultFont));
    P.Add("SkinData", Own<C>(&C::GetSkin), Own<C>(&C::SetSkinData));
    P.Add("SkinDataName", Own<C>(&C::GetSkinDataName), Own<C>(&C::SetSkinDataName));
}

class TskSkinStdLabel : public TCustomLabel, public TskStdLabelSkin {
    DECLARE_CLASS(TskSkinStdLabel, TCustomLabel)
public:
    explicit TskSkinStdLabel(TComponent* AOwner);
    static void Published(TPropertyList& P);

protected:
    void DoDrawText(TRect& Rect, UINT Flags) override;
    // The canvas font for the text, after the lookup.
    virtual void SetTextFont(TFont* Font);
    void LabelFontChanged() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
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
