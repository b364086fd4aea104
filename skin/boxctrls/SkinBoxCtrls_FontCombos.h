// The skinned font combo box: the installed font families of the screen, the printer or
// both, each once, filtered by options, its list rows drawn in their own font with a mark
// for TrueType families.
#pragma once

#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"

#include <functional>
#include <vector>

DECLARE_UNIT(SkinBoxCtrls_FontCombos)

enum TskFontDevice { fdScreen, fdPrinter, fdBoth };
enum TskFontListOption {
    foAnsiOnly,
    foTrueTypeOnly,
    foFixedPitchOnly,
    foNoOEMFonts,
    foOEMFontsOnly,
    foScalableOnly,
    foNoSymbolFonts
};
using TskFontListOptions = TSet<TskFontListOption>;

// One font family as the system's enumeration reports it.
struct TskFontFamily {
    AnsiString Name;
    Byte CharSet = ANSI_CHARSET;
    Byte PitchAndFamily = 0;
    // RASTER_FONTTYPE, DEVICE_FONTTYPE, TRUETYPE_FONTTYPE.
    DWORD FontType = 0;
};

// The families of a device context, one call each, in the order the system gives them.
using TskFontFamilySource = std::function<void(HDC DC, const std::function<void(const TskFontFamily&)>& Add)>;
// The system's enumeration of every family of DC.
void EnumSystemFontFamilies(HDC DC, const std::function<void(const TskFontFamily&)>& Add);

// Whether Family passes every option set in Options.
bool FontPassesOptions(const TskFontFamily& Family, TskFontListOptions Options);
// What a listed family's item keeps: its font type, with 0x100 added unless its character
// set is the symbol set.
DWORD FontItemFlags(const TskFontFamily& Family);

class TskSkinFontComboBox : public TskSkinCustomComboBox {
    DECLARE_CLASS(TskSkinFontComboBox, TskSkinCustomComboBox)
public:
    explicit TskSkinFontComboBox(TComponent* AOwner);
    static void Published(TPropertyList& P);

    TskFontDevice GetDevice() const { return FDevice; }
    void SetDevice(TskFontDevice Value);
    TskFontListOptions GetOptions() const { return FOptions; }
    void SetOptions(TskFontListOptions Value);
    bool GetTrueTypeOnly() const { return FOptions.Contains(foTrueTypeOnly); }
    void SetTrueTypeOnly(bool Value);
    bool GetUseFonts() const { return FUseFonts; }
    void SetUseFonts(bool Value);
    // The shown text.
    AnsiString GetFontName() { return GetText(); }
    // Selects the item of that name (any letter case); OnChange fires once.
    void SetFontName(const AnsiString& Value);
    // The item's type flags (FontItemFlags of its family).
    DWORD GetItemFlags(int Index) const;

    // Lists the families again, keeping the chosen name when it is still there.
    void Reset();
    // Fills the items from the device's families (only once the window exists).
    void PopulateList();

    // Where the families come from: the system's enumeration unless replaced.
    TskFontFamilySource FontSource = EnumSystemFontFamilies;

    // The face: the item's text in the canvas's font.
    void DrawCBFontItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
                        const TRect& TextRect, TOwnerDrawState State);
    // A list row: the TrueType mark, then the name in its own font.
    void DrawLBFontItem(TCanvas* Cnvs, int Index, int ItemWidth, int ItemHeight,
                        const TRect& TextRect, TOwnerDrawState State);
    // One letter T of the TrueType mark, in lines whose end points are not painted.
    static void DrawTT(TCanvas* Canvas, int X, int Y, TColor Color);

protected:
    void CreateWnd() override;
    void WMFontChange(TMessage& Message);

    MESSAGE_HANDLERS(TskSkinFontComboBox, TskSkinCustomComboBox)
    MESSAGE_HANDLER(WM_FONTCHANGE, WMFontChange)
    END_MESSAGE_HANDLERS

private:
    void AddFamilies(HDC DC);
    void FireChange();

    TskFontDevice FDevice = fdScreen;
    TskFontListOptions FOptions;
    bool FUseFonts = false;
    bool FUpdating = false;
};
