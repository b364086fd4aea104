// The skinned colour combo box: the class library's named colours by group (standard,
// extended, system, "none", "default"), each row with a swatch, and optionally a first
// row "Custom..." whose colour is picked in the skinned colour dialog.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/skColorCtrls_Dialog.h"

DECLARE_UNIT(skColorCtrls_ColorBox)

enum TskColorBoxStyles {
    skcbStandardColors,
    skcbExtendedColors,
    skcbSystemColors,
    skcbIncludeNone,
    skcbIncludeDefault,
    skcbCustomColor,
    skcbPrettyNames
};
using TskColorBoxExStyle = TSet<TskColorBoxStyles>;

// Selected when no row is chosen.
constexpr TColor kNoColorSelected = static_cast<TColor>(0xFF000000);

// A colour constant's name as shown with skcbPrettyNames: without "cl", words apart
// ("clWindowText" is "Window Text").
AnsiString PrettyColorName(const AnsiString& Name);

class TskSkinColorComboBox : public TskSkinCustomComboBox {
    DECLARE_CLASS(TskSkinColorComboBox, TskSkinCustomComboBox)
public:
    explicit TskSkinColorComboBox(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskColorBoxExStyle GetExStyle() const { return FExStyle; }
    // The groups listed; without any colour group or the custom row the box is disabled.
    void SetExStyle(TskColorBoxExStyle Value);
    // The chosen row's colour; kNoColorSelected when none is chosen. An empty list keeps
    // the colour last set, and selects it once filled.
    TColor GetSelected();
    // Selects the row of that colour (a listed colour's own row, never "Custom..."); another
    // colour becomes the custom row's when there is one.
    void SetSelected(TColor Value);
    TColor GetDefaultColorColor() const { return FDefaultColorColor; }
    void SetDefaultColorColor(TColor Value);
    TColor GetNoneColorColor() const { return FNoneColorColor; }
    void SetNoneColorColor(TColor Value);
    bool GetShowNames() const { return FShowNames; }
    void SetShowNames(bool Value);

    TColor GetColor(int Index) const;
    AnsiString GetColorName(int Index) const;

    // Fills the rows (once the window exists; until then it waits).
    void PopulateList();
    // Adds the named colour constant's row.
    void ColorCallBack(const AnsiString& Name);
    // Asks the colour dialog for the custom row's colour; true when it was confirmed.
    virtual bool PickCustomColor();
    // The dialog while PickCustomColor shows it, null otherwise.
    TskSkinColorDialog* GetColorDialog() const { return FColorDialog; }

    // A row or the face: the swatch, then the name unless ShowNames is off.
    void DrawColorItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
                       const TRect& TextRect, TOwnerDrawState State);

protected:
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void CloseUpAccepted() override;

private:
    bool CustomRowChosen();

    TskColorBoxExStyle FExStyle{skcbStandardColors, skcbExtendedColors, skcbSystemColors};
    TColor FSelected = clBlack;
    TColor FDefaultColorColor = clBlack;
    TColor FNoneColorColor = clBlack;
    bool FShowNames = true;
    bool FNeedsPopulating = false;
    TskSkinColorDialog* FColorDialog = nullptr;
};
