// The skinned font combo box: the option filters as a table, the list built from a stand-in
// enumeration (each family once, its flags, sorted) and once from Wine's own fonts, the
// chosen name and its one OnChange, the printer part without a printer, a person's choice
// with the pointer, and a screenshot fontcombo.bmp of the open list.
#include "skin/boxctrls/SkinBoxCtrls_FontCombos.h"

#include "classlib/Paths.h"
#include "classlib/Printers.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/ScreenText.h"

#include <set>
#include <string>
#include <vector>

namespace {

TskFontFamily Family(const char* Name, Byte CharSet, Byte Pitch, DWORD Type) {
    TskFontFamily family;
    family.Name = Name;
    family.CharSet = CharSet;
    family.PitchAndFamily = Pitch;
    family.FontType = Type;
    return family;
}

const std::vector<TskFontFamily> kFamilies = {
    Family("Sans", ANSI_CHARSET, VARIABLE_PITCH, TRUETYPE_FONTTYPE),
    Family("Mono", ANSI_CHARSET, FIXED_PITCH, TRUETYPE_FONTTYPE),
    Family("Terminal", OEM_CHARSET, FIXED_PITCH, RASTER_FONTTYPE),
    Family("Dingbats", SYMBOL_CHARSET, VARIABLE_PITCH, TRUETYPE_FONTTYPE),
    Family("Courier", ANSI_CHARSET, FIXED_PITCH, RASTER_FONTTYPE),
    Family("Cyrillic", RUSSIAN_CHARSET, VARIABLE_PITCH, TRUETYPE_FONTTYPE),
    Family("Printer Face", ANSI_CHARSET, FIXED_PITCH, DEVICE_FONTTYPE),
};

std::string Passing(TskFontListOptions Options) {
    std::string names;
    for (const TskFontFamily& family : kFamilies)
        if (FontPassesOptions(family, Options)) names += (names.empty() ? "" : ",") + family.Name;
    return names;
}

TEST(FontFilters, EachOptionAndTheirCombinations) {
    const struct {
        TskFontListOptions Options;
        const char* Listed;
    } table[] = {
        {{}, "Sans,Mono,Terminal,Dingbats,Courier,Cyrillic,Printer Face"},
        {{foAnsiOnly}, "Sans,Mono,Courier,Printer Face"},
        {{foTrueTypeOnly}, "Sans,Mono,Dingbats,Cyrillic"},
        {{foFixedPitchOnly}, "Mono,Terminal,Courier,Printer Face"},
        {{foNoOEMFonts}, "Sans,Mono,Dingbats,Courier,Cyrillic,Printer Face"},
        {{foOEMFontsOnly}, "Terminal"},
        {{foScalableOnly}, "Sans,Mono,Dingbats,Cyrillic,Printer Face"},
        {{foNoSymbolFonts}, "Sans,Mono,Terminal,Courier,Cyrillic,Printer Face"},
        {{foTrueTypeOnly, foFixedPitchOnly}, "Mono"},
        {{foAnsiOnly, foScalableOnly}, "Sans,Mono,Printer Face"},
        {{foOEMFontsOnly, foNoOEMFonts}, ""},
    };
    for (const auto& row : table) EXPECT_EQ(Passing(row.Options), row.Listed) << row.Listed;

    EXPECT_EQ(FontItemFlags(kFamilies[0]), 0x104u);
    EXPECT_EQ(FontItemFlags(kFamilies[2]), 0x101u);
    EXPECT_EQ(FontItemFlags(kFamilies[3]), 0x004u); // a symbol font
    EXPECT_EQ(FontItemFlags(kFamilies[6]), 0x102u);
}

class FontCombo : public ShownFormTest {
protected:
    // A combo box on the form whose families come from the table, Sans twice and once in
    // other letter case, as an enumeration over several character sets reports them.
    TskSkinFontComboBox* Stand(int Top = 20) {
        auto* combo = new TskSkinFontComboBox(Form);
        combo->FontSource = [this](HDC, const std::function<void(const TskFontFamily&)>& Add) {
            ++Enumerations;
            for (const TskFontFamily& family : kFamilies) Add(family);
            Add(kFamilies[0]);
            Add(Family("SANS", ANSI_CHARSET, VARIABLE_PITCH, TRUETYPE_FONTTYPE));
        };
        combo->SetParent(Form);
        combo->SetBounds(20, Top, 200, 20);
        Pump();
        return combo;
    }
    static std::vector<std::string> Names(TskSkinFontComboBox* Combo) {
        std::vector<std::string> names;
        for (int i = 0; i < Combo->GetItems()->GetCount(); ++i)
            names.push_back(Combo->GetItems()->Get(i));
        return names;
    }

    int Enumerations = 0;
};

TEST_F(FontCombo, ListsEachFamilyOnceSortedWithItsFlagsAndFollowsTheOptions) {
    TskSkinFontComboBox* combo = Stand();
    EXPECT_EQ(Names(combo), (std::vector<std::string>{"Courier", "Cyrillic", "Dingbats", "Mono",
                                                      "Printer Face", "Sans", "Terminal"}));
    EXPECT_EQ(combo->GetItemFlags(2), 0x004u);
    EXPECT_EQ(combo->GetItemFlags(5), 0x104u);

    // A row: the TrueType mark (grey, then black 4 pixels lower right), the name in its font.
    TBitmap row(120, 20);
    TCanvas* canvas = row.GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, 120, 20));
    combo->DrawLBFontItem(canvas, 3, 120, 20, TRect(2, 0, 118, 20), TOwnerDrawState());
    EXPECT_EQ(canvas->GetFont()->GetName(), "Mono");
    EXPECT_EQ(PixelOf(&row, 2, 3), ColorToRGB(clGray));
    EXPECT_EQ(PixelOf(&row, 6, 7), ColorToRGB(clBlack));
    EXPECT_EQ(PixelOf(&row, 6 + 6, 7 + 8), ColorToRGB(clWhite)); // a line's end point is left out
    canvas->FillRect(TRect(0, 0, 120, 20));
    combo->DrawLBFontItem(canvas, 0, 120, 20, TRect(2, 0, 118, 20), TOwnerDrawState());
    EXPECT_EQ(PixelOf(&row, 2, 3), ColorToRGB(clWhite)); // a raster font has no mark

    combo->SetTrueTypeOnly(true);
    EXPECT_TRUE(combo->GetOptions().Contains(foTrueTypeOnly));
    EXPECT_EQ(Names(combo), (std::vector<std::string>{"Cyrillic", "Dingbats", "Mono", "Sans"}));
    combo->SetOptions({foOEMFontsOnly, foNoOEMFonts});
    EXPECT_EQ(combo->GetItems()->GetCount(), 0);

    // Without a printer the printer's part is left out quietly.
    combo->SetOptions({});
    const int before = Enumerations;
    combo->SetDevice(fdPrinter);
    if (TPrinter::DefaultPrinterName().empty()) {
        EXPECT_EQ(Enumerations, before);
        EXPECT_EQ(combo->GetItems()->GetCount(), 0);
        combo->SetDevice(fdBoth);
        EXPECT_EQ(combo->GetItems()->GetCount(), 7);
    }
}

// A symbol font's glyphs spell no name: its row shows its name in the list's font, a text
// font's row in its own.
TEST_F(FontCombo, ASymbolFontsRowReadsInTheListsFont) {
    TskFontFamily symbol;
    HDC screen = GetDC(nullptr);
    EnumSystemFontFamilies(screen, [&symbol](const TskFontFamily& Family) {
        if (Family.CharSet == SYMBOL_CHARSET && symbol.Name.empty()) symbol = Family;
    });
    ReleaseDC(nullptr, screen);
    ASSERT_FALSE(symbol.Name.empty()) << "Wine lists no symbol font";
    auto* combo = new TskSkinFontComboBox(Form);
    combo->FontSource = [&symbol](HDC, const std::function<void(const TskFontFamily&)>& Add) {
        Add(symbol);
        Add(Family("Courier New", ANSI_CHARSET, FIXED_PITCH, TRUETYPE_FONTTYPE));
    };
    combo->SetParent(Form);
    Pump();
    ASSERT_EQ(combo->GetItems()->GetCount(), 2);
    const int symbolRow = combo->GetItems()->Get(0) == symbol.Name ? 0 : 1;
    const TTextFont list{"Arial", 14, false};
    for (int index : {0, 1}) {
        TBitmap row(200, 20);
        TCanvas* canvas = row.GetCanvas();
        canvas->GetBrush()->SetColor(clWhite);
        canvas->FillRect(TRect(0, 0, 200, 20));
        canvas->GetFont()->SetName(list.Name);
        canvas->GetFont()->SetHeight(list.Height);
        combo->DrawLBFontItem(canvas, index, 200, 20, TRect(2, 0, 198, 20), TOwnerDrawState());
        const std::string name = combo->GetItems()->Get(index);
        const bool inListFont = ShowsWhole(ShotOf(&row, TRect(0, 0, 200, 20)), name, list);
        EXPECT_EQ(inListFont, index == symbolRow) << name;
    }
}

TEST_F(FontCombo, TheChosenNameIsFoundInAnyCaseKeptThroughAResetAndTellsOnce) {
    TskSkinFontComboBox* combo = Stand();
    int changes = 0;
    combo->OnChange = TNotifyEvent::FromCallable([&changes](TObject*) { ++changes; });
    combo->SetFontName("mono");
    EXPECT_EQ(combo->GetText(), "Mono");
    EXPECT_EQ(combo->GetItemIndex(), 3);
    EXPECT_EQ(changes, 1);
    combo->SetFontName("Mono");
    EXPECT_EQ(changes, 1);

    // An unknown name selects nothing in the fixed style, and still tells once.
    combo->SetFontName("Nowhere");
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(changes, 2);

    combo->SetFontName("Sans");
    changes = 0;
    // A font installed or removed lists the families again and keeps the name.
    SendMessageA(combo->GetHandle(), WM_FONTCHANGE, 0, 0);
    EXPECT_EQ(combo->GetFontName(), "Sans");
    EXPECT_EQ(changes, 0);
    // A name the new options leave out is no longer shown: that is a change.
    combo->SetOptions({foFixedPitchOnly});
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(changes, 1);
}

TEST_F(FontCombo, WinesOwnFontsPassTheTrueTypeFilter) {
    auto* combo = Add<TskSkinFontComboBox>(Form, 20, 20, 200, 20);
    Pump();
    const std::vector<std::string> all = Names(combo);
    ASSERT_FALSE(all.empty());
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const std::string& A, const std::string& B) {
        return AnsiCompareText(A, B) < 0;
    }));
    std::set<std::string> upper;
    for (const std::string& name : all) EXPECT_TRUE(upper.insert(AnsiUpperCase(name)).second) << name;
    combo->SetTrueTypeOnly(true);
    ASSERT_GT(combo->GetItems()->GetCount(), 0);
    for (int i = 0; i < combo->GetItems()->GetCount(); ++i)
        EXPECT_TRUE(combo->GetItemFlags(i) & TRUETYPE_FONTTYPE) << combo->GetItems()->Get(i);
    EXPECT_LE(combo->GetItems()->GetCount(), static_cast<int>(all.size()));
}

TEST_F(FontCombo, APersonOpensTheListAndChoosesARow) {
    Form->SetBounds(40, 40, 320, 300);
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    auto* combo = Add<TskSkinFontComboBox>(Form, 20, 20, 220, 20);
    combo->SetSkinData(&program);
    combo->SetFontName("Courier New");
    Pump();
    const int count = combo->GetItems()->GetCount();
    ASSERT_GT(count, 2);
    const TRect button = combo->GetButtonRect();
    ASSERT_TRUE(ClickOnScreen(combo, button.Left + 5, button.Top + 5,
                              [&] { return combo->IsPopupVisible(); }));
    TskPopupListBox* list = combo->GetListBox();
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "fontcombo.bmp");
    // A row below the chosen one, which the open list shows at its top.
    const int target = std::min(list->GetTopIndex() + 2, count - 1);
    ASSERT_NE(target, list->GetItemIndex());
    const TRect r = list->ItemRect(target);
    const TPoint row = list->GetListBox()->ClientToScreen(TPoint(r.Left + 40, r.Top + 4));
    PointerTo(row);
    ASSERT_TRUE(PumpUntil([&] { return list->GetItemIndex() == target; }));
    const AnsiString chosen = combo->GetItems()->Get(list->GetItemIndex());
    ClickAt(row);
    ASSERT_TRUE(PumpUntil([&] { return !combo->IsPopupVisible(); }));
    EXPECT_EQ(combo->GetFontName(), chosen);
}

} // namespace
