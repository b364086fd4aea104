#include "skin/boxctrls/SkinBoxCtrls_FontCombos.h"

#include "skin/data/Skutils.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Persistence.h"
#include "classlib/Printers.h"
#include "classlib/Strings.h"

#include <unordered_set>

namespace {

int CALLBACK EnumFamily(const LOGFONTA* Font, const TEXTMETRICA*, DWORD FontType, LPARAM Data) {
    const auto& add = *reinterpret_cast<const std::function<void(const TskFontFamily&)>*>(Data);
    TskFontFamily family;
    family.Name = Font->lfFaceName;
    family.CharSet = Font->lfCharSet;
    family.PitchAndFamily = Font->lfPitchAndFamily;
    family.FontType = FontType;
    add(family);
    return 1;
}

// The TrueType mark's top, from a row's top and height.
constexpr int kMarkRise = 7;
// Where a row's name starts after the mark.
constexpr int kMarkRoom = 15;
// The item flag of a family whose glyphs are letters (any character set but the symbol set).
constexpr DWORD kTextFontFlag = 0x100;

} // namespace

void EnumSystemFontFamilies(HDC DC, const std::function<void(const TskFontFamily&)>& Add) {
    EnumFontFamiliesA(DC, nullptr, EnumFamily, reinterpret_cast<LPARAM>(&Add));
}

bool FontPassesOptions(const TskFontFamily& Family, TskFontListOptions Options) {
    if (Options.Contains(foAnsiOnly) && Family.CharSet != ANSI_CHARSET) return false;
    if (Options.Contains(foTrueTypeOnly) && !(Family.FontType & TRUETYPE_FONTTYPE)) return false;
    if (Options.Contains(foFixedPitchOnly) && !(Family.PitchAndFamily & FIXED_PITCH)) return false;
    if (Options.Contains(foOEMFontsOnly) && Family.CharSet != OEM_CHARSET) return false;
    if (Options.Contains(foNoOEMFonts) && Family.CharSet == OEM_CHARSET) return false;
    if (Options.Contains(foNoSymbolFonts) && Family.CharSet == SYMBOL_CHARSET) return false;
    if (Options.Contains(foScalableOnly) && (Family.FontType & RASTER_FONTTYPE)) return false;
    return true;
}

DWORD FontItemFlags(const TskFontFamily& Family) {
    return Family.FontType | (Family.CharSet != SYMBOL_CHARSET ? kTextFontFlag : 0);
}

TskSkinFontComboBox::TskSkinFontComboBox(TComponent* AOwner) : TskSkinCustomComboBox(AOwner) {
    SetSorted(true);
    OnComboBoxDrawItem = TskDrawSkinItemEvent(this, &TskSkinFontComboBox::DrawCBFontItem);
    SetOnListBoxDrawItem(TskDrawSkinItemEvent(this, &TskSkinFontComboBox::DrawLBFontItem));
}

void TskSkinFontComboBox::Published(TPropertyList& P) {
    using C = TskSkinFontComboBox;
    P.Add("Device", &C::GetDevice, &C::SetDevice, fdScreen);
    P.Add("Options", &C::GetOptions, &C::SetOptions, TskFontListOptions());
    P.Add("TrueTypeOnly", &C::GetTrueTypeOnly, &C::SetTrueTypeOnly, false).Stored(false);
    P.Add("UseFonts", &C::GetUseFonts, &C::SetUseFonts, false);
    P.Add("FontName", &C::GetFontName, &C::SetFontName);
}

void TskSkinFontComboBox::SetDevice(TskFontDevice Value) {
    if (FDevice == Value) return;
    FDevice = Value;
    Reset();
}

void TskSkinFontComboBox::SetOptions(TskFontListOptions Value) {
    if (FOptions == Value) return;
    FOptions = Value;
    Reset();
}

void TskSkinFontComboBox::SetTrueTypeOnly(bool Value) {
    TskFontListOptions options = FOptions;
    if (Value)
        options.Include(foTrueTypeOnly);
    else
        options.Exclude(foTrueTypeOnly);
    SetOptions(options);
}

void TskSkinFontComboBox::SetUseFonts(bool Value) {
    if (FUseFonts == Value) return;
    FUseFonts = Value;
    Invalidate();
}

DWORD TskSkinFontComboBox::GetItemFlags(int Index) const {
    return static_cast<DWORD>(reinterpret_cast<uintptr_t>(GetItems()->GetObject(Index)));
}

void TskSkinFontComboBox::FireChange() {
    if (IsLoading() || FUpdating || !OnChange) return;
    OnChange(this);
}

void TskSkinFontComboBox::SetFontName(const AnsiString& Value) {
    if (GetFontName() == Value) return;
    if (IsLoading()) {
        SetText(Value);
        return;
    }
    HandleNeeded();
    const AnsiString before = GetText();
    TStrings* items = GetItems();
    int found = -1;
    for (int i = 0; i < items->GetCount() && found < 0; ++i)
        if (AnsiCompareText(items->Get(i), Value) == 0) found = i;
    TComponentProtector protect(this);
    if (found >= 0) {
        SetItemIndex(found);
    } else if (GetStyle() == skcbFixedStyle) {
        // The face shows no row, and the name says so.
        SetItemIndex(-1);
        SetText("");
    } else {
        SetText(Value);
    }
    // A changed text has told OnChange already: once is enough.
    if (!IsDestroying() && GetText() == before) FireChange();
}

void TskSkinFontComboBox::AddFamilies(HDC DC) {
    TStrings* items = GetItems();
    std::unordered_set<AnsiString> listed;
    for (int i = 0; i < items->GetCount(); ++i) listed.insert(AnsiUpperCase(items->Get(i)));
    FontSource(DC, [&](const TskFontFamily& Family) {
        if (!listed.insert(AnsiUpperCase(Family.Name)).second) return;
        if (!FontPassesOptions(Family, FOptions)) return;
        items->AddObject(Family.Name,
                         reinterpret_cast<TObject*>(static_cast<uintptr_t>(FontItemFlags(Family))));
    });
}

void TskSkinFontComboBox::PopulateList() {
    if (!HandleAllocated()) return;
    const int index = GetItemIndex();
    TStrings* items = GetItems();
    items->BeginUpdate();
    try {
        items->Clear();
        if (FDevice == fdScreen || FDevice == fdBoth) {
            HDC dc = GetDC(nullptr);
            try {
                AddFamilies(dc);
            } catch (...) {
                ReleaseDC(nullptr, dc);
                throw;
            }
            ReleaseDC(nullptr, dc);
        }
        if (FDevice == fdPrinter || FDevice == fdBoth) {
            // Without a printer the printer's part is left out quietly.
            try {
                AddFamilies(Printer()->GetHandle());
            } catch (const EPrinter&) {
            }
        }
    } catch (...) {
        items->EndUpdate();
        throw;
    }
    items->EndUpdate();
    SetItemIndex(index);
}

void TskSkinFontComboBox::Reset() {
    if (!HandleAllocated()) return;
    const AnsiString name = GetFontName();
    {
        TFlagGuard updating(FUpdating);
        TFlagGuard hold(HoldOnChange);
        PopulateList();
        // The name is looked for in the new list, not taken as shown already.
        SetText("");
        SetFontName(name);
    }
    if (GetFontName() != name) FireChange();
}

void TskSkinFontComboBox::CreateWnd() {
    const AnsiString name = GetFontName();
    TskSkinCustomComboBox::CreateWnd();
    TFlagGuard updating(FUpdating);
    TFlagGuard hold(HoldOnChange);
    PopulateList();
    SetText("");
    SetFontName(name);
}

void TskSkinFontComboBox::WMFontChange(TMessage& Message) {
    TskSkinCustomComboBox::Dispatch(Message);
    Reset();
}

void TskSkinFontComboBox::DrawTT(TCanvas* Canvas, int X, int Y, TColor Color) {
    Canvas->GetPen()->SetColor(Color);
    const auto line = [Canvas](int X1, int Y1, int X2, int Y2) {
        Canvas->MoveTo(X1, Y1);
        Canvas->LineTo(X2, Y2);
    };
    Canvas->MoveTo(X, Y);
    Canvas->LineTo(X + 7, Y);
    Canvas->LineTo(X + 7, Y + 3);
    line(X, Y, X, Y + 3);
    line(X + 1, Y, X + 1, Y + 1);
    line(X + 6, Y, X + 6, Y + 1);
    line(X + 3, Y, X + 3, Y + 8);
    line(X + 4, Y, X + 4, Y + 8);
    line(X + 2, Y + 8, X + 6, Y + 8);
}

void TskSkinFontComboBox::DrawCBFontItem(TCanvas* Cnvs, int Index, int, int, const TRect& TextRect,
                                         TOwnerDrawState) {
    TRect r = TextRect;
    r.Left += 2;
    SKDrawText(Cnvs, GetItems()->Get(Index), r);
}

void TskSkinFontComboBox::DrawLBFontItem(TCanvas* Cnvs, int Index, int, int ItemHeight,
                                         const TRect& TextRect, TOwnerDrawState) {
    TRect r = TextRect;
    if (GetItemFlags(Index) & TRUETYPE_FONTTYPE) {
        const int y = ItemHeight / 2 - kMarkRise;
        DrawTT(Cnvs, r.Left, y, clGray);
        DrawTT(Cnvs, r.Left + 4, y + 4, clBlack);
    }
    r.Left += kMarkRoom;
    const AnsiString name = GetItems()->Get(Index);
    // A symbol font's own glyphs spell no name a person can read: its row keeps the list's
    // font.
    if (GetItemFlags(Index) & kTextFontFlag) {
        TFont* font = Cnvs->GetFont();
        font->SetName(name);
        font->SetStyle(TFontStyles());
    }
    SKDrawText(Cnvs, name, r);
}

REGISTER_CLASS(TskSkinFontComboBox);

namespace {

void RegisterFontComboEnums() {
    RegisterEnum<TskFontDevice>({"fdScreen", "fdPrinter", "fdBoth"});
    RegisterEnum<TskFontListOption>({"foAnsiOnly", "foTrueTypeOnly", "foFixedPitchOnly",
                                     "foNoOEMFonts", "foOEMFontsOnly", "foScalableOnly",
                                     "foNoSymbolFonts"});
}

} // namespace

DEFINE_UNIT(SkinBoxCtrls_FontCombos, uoSkin + 32, RegisterFontComboEnums, nullptr);
