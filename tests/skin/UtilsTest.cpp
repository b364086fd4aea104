#include "SkinTestSupport.h"
#include "tests/support/TempFolder.h"

#include "skin/data/Skutils.h"

#include "classlib/DateTime.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"

namespace {

// A white 24-bit canvas of W x H.
std::unique_ptr<TBitmap> Sheet(int W, int H) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(W, H);
    return bitmap;
}

// The black pixels of B as rows of '#' and '.'.
AnsiString Picture(TBitmap* B) {
    AnsiString text;
    for (int y = 0; y < B->GetHeight(); ++y) {
        for (int x = 0; x < B->GetWidth(); ++x)
            text += GetPixel(B->GetCanvas()->GetHandle(), x, y) == 0 ? '#' : '.';
        text += '\n';
    }
    return text;
}

} // namespace

TEST(SkinUtils, RectanglesPointsAndDates) {
    EXPECT_TRUE(IsNullRect(TRect(5, 5, 5, 20)));
    EXPECT_TRUE(IsNullRect(TRect(10, 0, 0, 10)));
    EXPECT_FALSE(IsNullRect(TRect(0, 0, 1, 1)));
    EXPECT_TRUE(IsNullPoint(TPoint(0, 7)));
    EXPECT_TRUE(PointInRect(TRect(10, 10, 20, 20), TPoint(20, 20)));
    EXPECT_FALSE(RectInRect(TRect(10, 10, 20, 20), TRect(10, 10, 20, 20)));
    EXPECT_TRUE(RectInRect(TRect(10, 10, 19, 19), TRect(10, 10, 20, 20)));
    TRect r(0, 0, 3, 4);
    EXPECT_EQ(RectToCenter(r, TRect(10, 10, 20, 20)), TRect(13, 13, 16, 17));
    EXPECT_TRUE(Skutils::IsLeapYear(4000)); // no 4000-year rule here
    EXPECT_FALSE(Skutils::IsLeapYear(1900));
    EXPECT_EQ(DaysPerMonth(1900, 2), 28);
    EXPECT_EQ(DaysPerMonth(2000, 2), 29);
    EXPECT_EQ(DaysPerMonth(2001, 12), 31);
    EXPECT_EQ(DaysPerMonth(2001, 0), 0);
    EXPECT_EQ(DaysPerMonth(2001, 13), 0);
    const TDateTime d = EncodeDate(2026, 12, 6);
    EXPECT_EQ(ExtractDay(d), 6);
    EXPECT_EQ(ExtractMonth(d), 12);
    EXPECT_EQ(ExtractYear(d), 2026);
    EXPECT_FALSE(IsJpegFile("skin.JPG"));
    EXPECT_TRUE(IsJpegFile("skin.jpeg.bmp"));
}

TEST(SkinUtils, TextIsShortenedWithAnEllipsis) {
    auto sheet = Sheet(10, 10);
    TCanvas* canvas = sheet->GetCanvas();
    AnsiString fits = "Skin";
    CorrectTextbyWidth(canvas, fits, 1000);
    EXPECT_EQ(fits, "Skin");
    AnsiString longer = "A rather long caption";
    const int width = canvas->TextWidth("A rather...");
    CorrectTextbyWidth(canvas, longer, width);
    EXPECT_EQ(longer, "A rather...");
    AnsiString nothing = "Skin";
    CorrectTextbyWidth(canvas, nothing, 1);
    EXPECT_EQ(nothing, "...");
    // An empty text at a width below nothing at all, as a header section narrower than its
    // margins asks for.
    AnsiString empty;
    CorrectTextbyWidth(canvas, empty, -5);
    EXPECT_EQ(empty, "...");
}

// Shortened in its middle, a name keeps its start (with the odd letter) and its end.
TEST(SkinUtils, TextShortenedInItsMiddleKeepsBothEnds) {
    auto sheet = Sheet(10, 10);
    TCanvas* canvas = sheet->GetCanvas();
    AnsiString fits = "Skin";
    FitTextToRoomInMiddle(canvas, fits, 1000);
    EXPECT_EQ(fits, "Skin");
    AnsiString longer = "A rather long caption";
    FitTextToRoomInMiddle(canvas, longer, canvas->TextWidth("A rat...ption") + canvas->TextOverhang("A rat...ption"));
    EXPECT_EQ(longer, "A rat...ption");
    AnsiString nothing = "Skin";
    FitTextToRoomInMiddle(canvas, nothing, 1);
    EXPECT_EQ(nothing, "...");
}

// A panel narrower than its caption buttons leaves its empty caption less than no room.
TEST(SkinUtils, AnEmptyTextWithoutRoomShortensInItsMiddleToAnEllipsis) {
    auto sheet = Sheet(10, 10);
    AnsiString empty;
    FitTextToRoomInMiddle(sheet->GetCanvas(), empty, -8);
    EXPECT_EQ(empty, "...");
}

// Fitted to a room, a text keeps room for what its glyphs draw past their advances: one that
// fits by its advances alone, with nothing to spare, is shortened too.
TEST(SkinUtils, TextFittedToARoomKeepsItsOverhangInside) {
    auto sheet = Sheet(10, 10);
    TCanvas* canvas = sheet->GetCanvas();
    const AnsiString caption = "a folder whose name is longer than its pane";
    AnsiString roomy = caption;
    FitTextToRoom(canvas, roomy, canvas->TextWidth(caption) + canvas->TextOverhang(caption));
    EXPECT_EQ(roomy, caption);
    AnsiString tight = caption;
    FitTextToRoom(canvas, tight, canvas->TextWidth(caption));
    EXPECT_NE(tight, caption);
    for (int room : {canvas->TextWidth(caption), 120, 40, 12, 0}) {
        AnsiString text = caption;
        FitTextToRoom(canvas, text, room);
        ASSERT_GE(text.size(), 3u) << room;
        EXPECT_EQ(text.substr(text.size() - 3), "...") << room;
        if (text != "...") {
            EXPECT_LE(canvas->TextWidth(text) + canvas->TextOverhang(text), room) << text;
        }
    }
}

TEST(SkinUtils, GlyphsHaveTheirPixels) {
    auto sheet = Sheet(9, 8);
    DrawArrowImage(sheet->GetCanvas(), TRect(0, 0, 9, 8), clBlack, 4);
    EXPECT_EQ(Picture(sheet.get()), ".........\n" // cy = 4 + 2: rows of 7, 5, 3, 1 from cy - 3
                                    ".........\n"
                                    ".........\n"
                                    ".#######.\n"
                                    "..#####..\n"
                                    "...###...\n"
                                    "....#....\n"
                                    ".........\n");
    auto check = Sheet(8, 8);
    DrawCheckImage(check->GetCanvas(), 0, 0, clBlack);
    EXPECT_EQ(Picture(check.get()), "........\n"
                                    "......#.\n"
                                    ".....##.\n"
                                    "#...###.\n"
                                    "##.###..\n"
                                    "#####...\n"
                                    ".###....\n"
                                    "..#.....\n");
    auto frame = Sheet(4, 3);
    Frm3D(frame->GetCanvas(), TRect(0, 0, 4, 3), clBlack, clBlack);
    EXPECT_EQ(Picture(frame.get()), "####\n#..#\n####\n");

    // A strip of two frames: black square, then a white one framed in black; a Count
    // of 0 draws the whole strip as one frame.
    auto strip = Sheet(6, 3);
    strip->GetCanvas()->GetBrush()->SetColor(clBlack);
    strip->GetCanvas()->FillRect(TRect(0, 0, 3, 3));
    strip->GetCanvas()->FillRect(TRect(3, 2, 6, 3));
    auto target = Sheet(6, 3);
    target->GetCanvas()->GetBrush()->SetColor(clRed);
    target->GetCanvas()->FillRect(TRect(0, 0, 6, 3));
    DrawGlyph(target->GetCanvas(), 1, 0, strip.get(), 2, 2); // transparent: the bottom-left colour
    EXPECT_EQ(GetPixel(target->GetCanvas()->GetHandle(), 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(target->GetCanvas()->GetHandle(), 1, 2), RGB(255, 0, 0));
    DrawGlyph(target->GetCanvas(), 0, 0, strip.get(), 0, 1);
    EXPECT_EQ(GetPixel(target->GetCanvas()->GetHandle(), 5, 0), RGB(255, 255, 255));
    TBitmap empty;
    DrawGlyph(target->GetCanvas(), 0, 0, &empty, 2, 1);
}

TEST(SkinUtils, LayeredAlphaAndJpegErrors) {
    TForm* form = new TForm(Application);
    HWND wnd = form->GetHandle();
    SetWindowLongA(wnd, GWL_EXSTYLE, GetWindowLongA(wnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlphaBlendTransparent(wnd, 77);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 77);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
    delete form;

    TTempFolder folder;
    folder.Put("bad.jpg", "not a jpeg");
    TBitmap bitmap;
    EXPECT_THROW(LoadFromJpegFile(&bitmap, folder.PathOf("bad.jpg")), EInvalidGraphic);
    EXPECT_THROW(LoadFromJpegFile(&bitmap, folder.PathOf("none.jpg")), EFOpenError);
    TStringStream stream("xx");
    EXPECT_THROW(LoadFromJpegStream(&bitmap, &stream), EInvalidGraphic);
}

TEST(SkinUtils, TheParentImageShowsWhatLiesUnderAControl) {
    TForm* form = new TForm(Application);
    form->SetBounds(0, 0, 200, 200);
    form->SetColor(clRed);
    auto* below = new TPanel(form);
    below->SetParent(form);
    below->SetBounds(10, 10, 30, 30);
    below->SetColor(clBlue);
    below->SetBevelOuter(bvNone);
    auto* control = new TPanel(form);
    control->SetParent(form);
    control->SetBounds(20, 20, 40, 40);
    auto sheet = Sheet(40, 40);
    GetParentImage(control, sheet->GetCanvas());
    HDC dc = sheet->GetCanvas()->GetHandle();
    EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 255));   // the panel below
    EXPECT_EQ(GetPixel(dc, 25, 25), RGB(255, 0, 0)); // the form's background
    delete form;
}
