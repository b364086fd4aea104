// Shared routines: input state, words, number texts, names, fonts, frames, bitmaps
// and the library's cursors.
#include "grid/gclmisc.h"
#include "tests/grid/GridTestSupport.h"

#include "classlib/Bitmaps.h"
#include "classlib/Component.h"
#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

SHORT CtrlAndAltDown(int Key) {
    return Key == VK_CONTROL || Key == VK_MENU ? SHORT(0x8000) : SHORT(0);
}

TGclCharSet Delims(const char* Chars) {
    TGclCharSet set;
    for (const char* p = Chars; *p; ++p)
        set.set(static_cast<unsigned char>(*p));
    return set;
}

std::string FixReal(const char* Text, char Decimal) {
    char buffer[64];
    std::strcpy(buffer, Text);
    FixRealPrim(buffer, sizeof buffer, Decimal);
    return buffer;
}

} // namespace

TEST(GclMisc, InputStateAndEpoch) {
    TGclKeyStateFunc previous = SetGclKeyStateSource(CtrlAndAltDown);
    EXPECT_EQ(GetShiftFlags(), 12);
    SetGclKeyStateSource(previous);
    EXPECT_TRUE(GetLeftButton() == VK_LBUTTON || GetLeftButton() == VK_RBUTTON);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(DefaultEpoch(), now.wYear - now.wYear % 100);
    EXPECT_NE(LoadBaseCursor("ORCOLUMNMOVECURSOR"), nullptr);
    EXPECT_NE(LoadBaseCursor("ORROWMOVECURSOR"), nullptr);
    EXPECT_EQ(LoadBaseCursor("ORNOSUCHCURSOR"), nullptr);
}

TEST(GclMisc, NumbersAndMemory) {
    char block[4] = {1, 2, 3, 4};
    char other[4] = {1, 2, 9, 0};
    EXPECT_EQ(CompStruct(block, other, 4), -1);
    EXPECT_EQ(CompStruct(other, block, 4), 1);
    EXPECT_EQ(CompStruct(block, other, 2), 0);
    EXPECT_EQ(CompStruct(block, other, 0), 0);
    EXPECT_EQ(PtrDiff(PtrInc(block, 3), block), 3);
}

TEST(GclMisc, WordsAndTexts) {
    const TGclCharSet delims = Delims(" ,");
    EXPECT_EQ(WordCount("  a,, b ,c ", delims), 3);
    EXPECT_EQ(WordPosition(2, "  a,, b ,c ", delims), 7);
    EXPECT_EQ(WordPosition(4, "  a,, b ,c ", delims), 0);
    EXPECT_EQ(ExtractWord(3, "  a,, b ,c ", delims), "c");
    EXPECT_EQ(ExtractWord(4, "  a,, b ,c ", delims), "");
    EXPECT_TRUE(PartialCompare("abc", "ABCDEF"));
    EXPECT_FALSE(PartialCompare("", "a"));
    EXPECT_FALSE(PartialCompare("abd", "ABC"));
    char out[16];
    FixTextBuffer("a\nb\r\nc", out, sizeof out);
    EXPECT_STREQ(out, "a\r\nb\r\nc");
    FixTextBuffer("abcdef", out, 4);
    EXPECT_STREQ(out, "abc");
    out[0] = 'x';
    FixTextBuffer("abc", out, 0);
    EXPECT_EQ(out[0], 'x');
}

TEST(GclMisc, RealNumberTexts) {
    EXPECT_EQ(FixReal("-.5", '.'), "-0.5");
    EXPECT_EQ(FixReal(" 1 2,5 ", ','), "12.5");
    EXPECT_EQ(FixReal("12,", ','), "12");
    EXPECT_EQ(FixReal("", '.'), "0");
    EXPECT_EQ(FixReal(".5", '.'), "0.5");
    EXPECT_EQ(FixReal("5.", '.'), "5");
    EXPECT_EQ(FixReal("1E5", '.'), "1.E5");
    EXPECT_EQ(FixReal("1.5E5", '.'), "1.500000E5");
}

TEST(GclMisc, GeneratedComponentNames) {
    TComponent owner(nullptr);
    EXPECT_EQ(GenerateComponentName(&owner, "Label"), "Label1");
    auto* taken = new TComponent(&owner);
    taken->SetName("Label1");
    EXPECT_EQ(GenerateComponentName(&owner, "Label"), "Label2");
    EXPECT_EQ(MessageOf<EComponentError>([&] { GenerateComponentName(&owner, "1abc"); }),
              "''1abc'' is not a valid component name");
}

TEST(GclMisc, TextFitting) {
    TBitmap bitmap(50, 20);
    TCanvas* canvas = bitmap.GetCanvas();
    const AnsiString text = "A rather long caption";
    EXPECT_EQ(GetDisplayString(canvas, text, 3, 1000), text);
    const AnsiString cut = GetDisplayString(canvas, text, 3, 60);
    EXPECT_LE(canvas->TextWidth(cut), 60);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(GetDisplayString(canvas, text, 5, 1).substr(0, 5), "A rat");
    EXPECT_EQ(PathEllipsis("C:\\one\\two\\file.txt", 0), "C:\\one\\two\\file.txt");
    EXPECT_EQ(PathEllipsis("C:\\one\\two\\file.txt", 10000), "C:\\one\\two\\file.txt");
    const AnsiString path = PathEllipsis("C:\\a long folder\\another folder\\file.txt", 110);
    EXPECT_EQ(path, "C:\\...\\file.txt");
    TFont font;
    const int margin = GetTopTextMargin(&font, bsSingle, 100, true);
    EXPECT_EQ(margin, 1);
}

TEST(GclMisc, ButtonFrameAndDisabledBitmap) {
    TBitmap target(20, 20);
    TCanvas* canvas = target.GetCanvas();
    const TRect inner = DrawButtonFrame(canvas, TRect(0, 0, 20, 20), false, false, bsNew);
    EXPECT_EQ(inner, TRect(3, 3, 17, 17));
    EXPECT_EQ(static_cast<COLORREF>(canvas->GetPixels(0, 0)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(static_cast<COLORREF>(canvas->GetPixels(19, 19)), ColorToRGB(clWindowFrame));
    EXPECT_EQ(static_cast<COLORREF>(canvas->GetPixels(18, 18)), ColorToRGB(clBtnShadow));

    TBitmap glyph(8, 8);
    glyph.GetCanvas()->GetBrush()->SetColor(clWhite);
    glyph.GetCanvas()->FillRect(TRect(0, 0, 8, 8));
    glyph.GetCanvas()->GetBrush()->SetColor(clBlack);
    glyph.GetCanvas()->FillRect(TRect(2, 2, 4, 4));
    std::unique_ptr<TBitmap> disabled(CreateDisabledBitmap(&glyph, clWhite));
    TCanvas* d = disabled->GetCanvas();
    EXPECT_EQ(static_cast<COLORREF>(d->GetPixels(0, 0)), ColorToRGB(clBtnFace));
    EXPECT_EQ(static_cast<COLORREF>(d->GetPixels(2, 2)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(static_cast<COLORREF>(d->GetPixels(4, 4)), ColorToRGB(clBtnHighlight));

    TBitmap scene(8, 8);
    scene.GetCanvas()->GetBrush()->SetColor(clRed);
    scene.GetCanvas()->FillRect(TRect(0, 0, 8, 8));
    DrawTransparentBitmap(scene.GetCanvas(), 0, 0, 0, 0, TRect(), &glyph, clWhite);
    EXPECT_EQ(static_cast<COLORREF>(scene.GetCanvas()->GetPixels(0, 0)), ColorToRGB(clRed));
    EXPECT_EQ(static_cast<COLORREF>(scene.GetCanvas()->GetPixels(3, 3)), ColorToRGB(clBlack));
    Byte r, g, b;
    GetRGB(clRed, r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
}
