// Skinned labels: fonts and colours from the skin or the defaults, embossed disabled
// text, auto-sizing rules, clicks, and the bitmap font's symbol cells.
#include "skin/controls/SkinCtrls_Labels.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

int CountPixels(TBitmap* Picture, TColor Color, const TRect& Area) {
    int count = 0;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x)
            if (PixelOf(Picture, x, y) == ColorToRGB(Color)) ++count;
    return count;
}

class SkinLabels : public ShownFormTest {
protected:
    TFixtureSkin Skin;
};

TEST_F(SkinLabels, TheStandardLabelTakesItsFontFromTheSkinOrItsDefaultFont) {
    Form->SetColor(clWhite);
    auto* label = Add<TskSkinStdLabel>(Form, 10, 10, 100, 20);
    label->SetCaption("WWWW");
    label->GetFont()->SetColor(clRed);
    label->GetDefaultFont()->SetColor(clBlue);
    label->GetDefaultFont()->SetStyle(TFontStyles{fsBold});
    const TRect area(10, 10, 110, 30);
    auto unskinned = PaintToBitmap(Form);
    EXPECT_GT(CountPixels(unskinned.get(), clBlue, area), 20);
    EXPECT_EQ(CountPixels(unskinned.get(), clRed, area), 0);

    auto* record = Skin.Add<TskDataSkinStdLabelControl>("stdlabel");
    record->FontColor = clLime;
    label->SetSkinData(Skin.Data.get());
    auto skinned = PaintToBitmap(Form);
    EXPECT_GT(CountPixels(skinned.get(), clLime, area), 20);

    label->SetEnabled(false);
    auto disabled = PaintToBitmap(Form);
    EXPECT_GT(CountPixels(disabled.get(), clBtnShadow, area), 10);
    EXPECT_GT(CountPixels(disabled.get(), clBtnHighlight, area), 10);
    EXPECT_EQ(CountPixels(disabled.get(), clLime, area), 0);
}

TEST_F(SkinLabels, AnAutoSizedLabelFitsItsTextInTheFontItIsDrawnInWithRoomForTheOverhang) {
    auto* label = Add<TskSkinStdLabel>(Form, 10, 10, 20, 20);
    TFont small;
    small.SetName("Arial");
    small.SetHeight(10);
    label->SetDefaultFont(&small);
    label->SetCaption("File name:");
    auto widthIn = [](const AnsiString& Name, int Height) {
        TBitmap measure(1, 1);
        measure.GetCanvas()->GetFont()->SetName(Name);
        measure.GetCanvas()->GetFont()->SetHeight(Height);
        // Two pixels at least beyond what the system measures.
        EXPECT_GE(measure.GetCanvas()->TextOverhang("File name:"), 2);
        return measure.GetCanvas()->TextWidth("File name:") + measure.GetCanvas()->TextOverhang("File name:");
    };
    EXPECT_EQ(label->GetWidth(), widthIn("Arial", 10));
    // The skin's font arrives after the label sized itself: it measures again.
    auto* record = Skin.Add<TskDataSkinStdLabelControl>("stdlabel");
    record->FontName = "Arial";
    record->FontHeight = 20;
    label->SetSkinData(Skin.Data.get());
    EXPECT_EQ(label->GetWidth(), widthIn("Arial", 20));
    label->SetUseSkinFont(false);
    EXPECT_EQ(label->GetWidth(), widthIn(label->GetFont()->GetName(), label->GetFont()->GetHeight()));
}

TEST_F(SkinLabels, TheFramedLabelWidensToItsTextUnlessItsSkinIsFixed) {
    auto* label = Add<TskSkinLabel>(Form, 10, 10, 20, 21);
    label->SetCaption("A rather long caption");
    label->SetAutoSize(true);
    TBitmap measure(1, 1);
    measure.GetCanvas()->GetFont()->Assign(label->GetDefaultFont());
    // The text, the room for its overhang and the frame.
    EXPECT_EQ(label->GetWidth(), measure.GetCanvas()->TextWidth("A rather long caption") +
                                     measure.GetCanvas()->TextOverhang("A rather long caption") + 4);
    // A larger default font widens it again.
    label->GetDefaultFont()->SetHeight(24);
    measure.GetCanvas()->GetFont()->Assign(label->GetDefaultFont());
    EXPECT_EQ(label->GetWidth(), measure.GetCanvas()->TextWidth("A rather long caption") +
                                     measure.GetCanvas()->TextOverhang("A rather long caption") + 4);

    // A fixed-size skin: AutoSize goes off and the skin's size holds.
    const int pic = Skin.AddPicture(40, 20);
    auto* record = Skin.Add<TskDataSkinLabelControl>("label");
    record->PictureIndex = pic;
    record->SkinRect = TRect(0, 0, 40, 20);
    record->ClRect = TRect(2, 2, 38, 18);
    label->SetSkinData(Skin.Data.get());
    EXPECT_FALSE(label->GetAutoSize());
    EXPECT_EQ(label->GetWidth(), 40);
    label->SetCaption("Longer still, much longer");
    EXPECT_EQ(label->GetWidth(), 40);

    // A resizable skin widens the label to the text in the skin's client part.
    Skin.AddFramed<TskDataSkinLabelControl>("widelabel", pic, TRect(0, 0, 40, 20));
    label->SetSkinDataName("widelabel");
    label->ChangeSkinData();
    label->SetAutoSize(true);
    measure.GetCanvas()->GetFont()->SetName("Arial");
    measure.GetCanvas()->GetFont()->SetHeight(12);
    measure.GetCanvas()->GetFont()->SetStyle(TFontStyles());
    const int text = measure.GetCanvas()->TextWidth("Longer still, much longer") +
                     measure.GetCanvas()->TextOverhang("Longer still, much longer");
    EXPECT_EQ(label->NewClRect.Right - label->NewClRect.Left, text);
    EXPECT_EQ(label->GetWidth(), text + 4);
}

TEST_F(SkinLabels, AClickOnTheFramedLabelFiresOnClick) {
    auto* label = Add<TskSkinLabel>(Form, 10, 10, 80, 21);
    int clicks = 0;
    struct TCounter {
        int* Count;
        void Fire(TObject*) { ++*Count; }
    } counter{&clicks};
    label->OnClick = TNotifyEvent(&counter, &TCounter::Fire);
    PostClick(label, 5, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinLabels, TheBitLabelCopiesSymbolCellsAndFixesItsLength) {
    // Symbols "AB" on row 0 and "C" on row 1, 8 x 10 each, below the 40 x 14 label skin.
    const int pic = Skin.AddPicture(40, 40);
    Skin.Fill(pic, TRect(0, 0, 40, 14), clBlack);
    Skin.Fill(pic, TRect(0, 14, 8, 24), clRed);
    Skin.Fill(pic, TRect(8, 14, 16, 24), clLime);
    Skin.Fill(pic, TRect(0, 24, 8, 34), clBlue);
    auto* record = Skin.Add<TskDataSkinBitLabelControl>("bitlabel");
    record->PictureIndex = pic;
    record->SkinRect = TRect(0, 0, 40, 14);
    record->LTPoint = TPoint(2, 2);
    record->RTPoint = TPoint(38, 2);
    record->ClRect = TRect(2, 2, 38, 12);
    record->SkinTextRect = TRect(0, 14, 16, 34);
    record->SymbolWidth = 8;
    record->SymbolHeight = 10;
    record->Symbols->Add("AB");
    record->Symbols->Add("C");
    auto* label = Add<TskSkinBitLabel>(Form, 10, 10, 100, 14);
    label->SetSkinData(Skin.Data.get());
    label->SetCaption("AxCB");
    auto picture = PaintToBitmap(label);
    EXPECT_EQ(PixelOf(picture.get(), 2 + 4, 7), static_cast<COLORREF>(clRed));
    // "x" is in no line: its cell keeps the skin's client part.
    EXPECT_EQ(PixelOf(picture.get(), 10 + 4, 7), static_cast<COLORREF>(clBlack));
    EXPECT_EQ(PixelOf(picture.get(), 18 + 4, 7), static_cast<COLORREF>(clBlue));
    EXPECT_EQ(PixelOf(picture.get(), 26 + 4, 7), static_cast<COLORREF>(clLime));

    label->SetFixLength(5);
    EXPECT_EQ(label->GetWidth(), 2 + 2 + 5 * 8);
}

} // namespace
