#include "classlib/Bitmaps.h"
#include "classlib/Exceptions.h"
#include "classlib/GdiCounter.h"
#include "classlib/Graphics.h"
#include "classlib/Persistence.h"
#include "classlib/ScreenSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A white 24-bit bitmap to draw on.
std::unique_ptr<TBitmap> Surface(int Width, int Height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Width, Height);
    return bitmap;
}

TColor Pixel(TBitmap& Bitmap, int X, int Y) {
    return Bitmap.GetCanvas()->GetPixels(X, Y);
}

int CountPixels(TBitmap& Bitmap, TColor Color, const TRect& Area) {
    int count = 0;
    for (int y = Area.Top; y < Area.Bottom; ++y)
        for (int x = Area.Left; x < Area.Right; ++x)
            if (Pixel(Bitmap, x, y) == Color) ++count;
    return count;
}

struct ChangeCounter {
    int Changes = 0;
    void Count(TObject*) { ++Changes; }
};

} // namespace

// ---------------------------------------------------------------------------
// Colours

TEST(Colors, ResolveThroughTheSystemOrStayAndTheirNamesRoundTrip) {
    EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clWindowText), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    for (TColor color : {clBlack, clRed, clNavy, clBtnFace, clInfoBk, clHighlight, clNone,
                         clDefault, clMenuBar, cl3DDkShadow}) {
        AnsiString name;
        ASSERT_TRUE(ColorToIdent(color, name)) << color;
        TColor back = 0;
        ASSERT_TRUE(IdentToColor(name, back)) << name;
        EXPECT_EQ(back, color) << name;
    }
    AnsiString name;
    ASSERT_TRUE(ColorToIdent(0xC0C0C0, name));
    EXPECT_EQ(name, "clSilver");
    TColor color = 0;
    EXPECT_TRUE(IdentToColor("CLBTNFACE", color));
    EXPECT_EQ(color, clBtnFace);
    EXPECT_TRUE(IdentToColor("clLtGray", color));
    EXPECT_EQ(color, clSilver);
    EXPECT_FALSE(ColorToIdent(0x123456, name));
    EXPECT_FALSE(IdentToColor("clPurplish", color));
}

TEST(Colors, TheNamedColoursComeInTheirGroupsAndConvertBothWays) {
    std::vector<AnsiString> names;
    GetColorValues([&names](const AnsiString& Name) { names.push_back(Name); });
    ASSERT_EQ(names.size(), 16u + 4u + 30u + 2u);
    // The standard colours, the extended ones, the system's, then "none" and "default".
    EXPECT_EQ(names[0], "clBlack");
    EXPECT_EQ(names[15], "clWhite");
    EXPECT_EQ(names[16], "clMoneyGreen");
    EXPECT_EQ(names[19], "clMedGray");
    EXPECT_EQ(names[20], "clScrollBar");
    EXPECT_EQ(names[names.size() - 2], "clNone");
    EXPECT_EQ(names.back(), "clDefault");
    for (std::size_t i = 0; i < names.size(); ++i) {
        const TColor color = StringToColor(names[i]);
        EXPECT_EQ(ColorToString(color), names[i]);
        const bool system = (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0x80000000u;
        EXPECT_EQ(system, i >= 20 && i < names.size() - 2) << names[i];
    }
    // Synonyms are read but never listed.
    EXPECT_EQ(std::count(names.begin(), names.end(), "clLtGray"), 0);
    EXPECT_EQ(StringToColor("cldkgray"), clGray);

    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("clPurplish"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
}

// ---------------------------------------------------------------------------
// Fonts, pens, brushes

TEST(Font, DefaultsAndSizeFollowTheScreenResolution) {
    TFont font;
    EXPECT_EQ(font.GetName(), DefaultFontName);
    EXPECT_EQ(font.GetHeight(), DefaultFontHeight);
    EXPECT_EQ(font.GetColor(), clWindowText);
    EXPECT_TRUE(font.GetStyle().Empty());
    EXPECT_EQ(font.GetPitch(), fpDefault);
    EXPECT_EQ(font.GetCharset(), DEFAULT_CHARSET);

    font.SetSize(12);
    EXPECT_EQ(font.GetHeight(), -MulDiv(12, TFont::ScreenPixelsPerInch(), 72));
    EXPECT_EQ(font.GetSize(), 12);
}

TEST(Font, AFontTallerThanAnyScreenKeepsItsHeightButDrawsAtTheTallest) {
    TBitmap picture(8, 8);
    TCanvas* canvas = picture.GetCanvas();
    for (int height : {20000, -32767, 65536}) {
        canvas->GetFont()->SetHeight(height);
        EXPECT_EQ(canvas->GetFont()->GetHeight(), height);
        LOGFONTA drawn{};
        GetObjectA(canvas->GetFont()->GetHandle(), sizeof drawn, &drawn);
        EXPECT_EQ(std::abs(drawn.lfHeight), MaxFontHeight) << height;
        EXPECT_LE(canvas->TextHeight("Wq"), MaxFontHeight * 5 / 4) << height;
    }
    // A font within the bounds draws at its own height.
    canvas->GetFont()->SetHeight(-MaxFontHeight / 2);
    LOGFONTA drawn{};
    GetObjectA(canvas->GetFont()->GetHandle(), sizeof drawn, &drawn);
    EXPECT_EQ(drawn.lfHeight, -MaxFontHeight / 2);
    EXPECT_GT(canvas->TextHeight("Wq"), MaxFontHeight / 4);
}

TEST(Font, AnAdoptedFontTallerThanAnyScreenKeepsItsHeightButDrawsAtTheTallest) {
    LOGFONTA tall{};
    tall.lfHeight = 65536;
    tall.lfEscapement = tall.lfOrientation = 900;
    lstrcpyA(tall.lfFaceName, "Arial");
    const long objects = GdiObjectCount();
    {
        TFont font;
        font.SetHandle(CreateFontIndirectA(&tall));
        EXPECT_EQ(font.GetHeight(), 65536);
        EXPECT_EQ(font.GetOrientation(), 900);
        LOGFONTA drawn{};
        GetObjectA(font.GetHandle(), sizeof drawn, &drawn);
        EXPECT_EQ(drawn.lfHeight, MaxFontHeight);
        EXPECT_EQ(drawn.lfEscapement, 900);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(Font, EachRealChangeFiresOnceAndRenewsTheHandle) {
    TFont font;
    ChangeCounter counter;
    font.OnChange = TNotifyEvent(&counter, &ChangeCounter::Count);
    const long objects = GdiObjectCount();
    HFONT first = font.GetHandle();
    EXPECT_EQ(GdiObjectCount(), objects + 1);

    font.SetName("Arial");
    font.SetName("Arial");
    font.SetHeight(-20);
    font.SetStyle(TFontStyles{fsBold, fsUnderline});
    font.SetStyle(TFontStyles{fsBold, fsUnderline});
    font.SetColor(clRed);
    EXPECT_EQ(counter.Changes, 4);
    EXPECT_EQ(GdiObjectCount(), objects); // the old handle is gone

    HFONT second = font.GetHandle();
    LOGFONTA described;
    ASSERT_EQ(GetObjectA(second, sizeof described, &described), static_cast<int>(sizeof described));
    EXPECT_STREQ(described.lfFaceName, "Arial");
    EXPECT_EQ(described.lfHeight, -20);
    EXPECT_EQ(described.lfWeight, FW_BOLD);
    EXPECT_TRUE(described.lfUnderline);
    EXPECT_FALSE(described.lfItalic);
    (void)first;
}

TEST(Font, AssignCopiesEverythingWithOneChange) {
    TFont source;
    source.SetName("Arial");
    source.SetHeight(14);
    source.SetStyle(TFontStyles{fsItalic});
    source.SetColor(clBlue);
    source.SetOrientation(900);
    TFont copy;
    ChangeCounter counter;
    copy.OnChange = TNotifyEvent(&counter, &ChangeCounter::Count);
    copy.Assign(&source);
    EXPECT_EQ(counter.Changes, 1);
    EXPECT_EQ(copy.GetName(), "Arial");
    EXPECT_EQ(copy.GetHeight(), 14);
    EXPECT_TRUE(copy.GetStyle() == TFontStyles{fsItalic});
    EXPECT_EQ(copy.GetColor(), clBlue);
    EXPECT_EQ(copy.GetOrientation(), 900);
    TPen pen;
    EXPECT_THROW(copy.Assign(&pen), EConvertError);
}

TEST(Font, AdoptsAHandleAndItsAttributes) {
    LOGFONTA rotated = {};
    rotated.lfHeight = -16;
    rotated.lfEscapement = rotated.lfOrientation = 900;
    rotated.lfItalic = TRUE;
    rotated.lfPitchAndFamily = FIXED_PITCH;
    lstrcpyA(rotated.lfFaceName, "Courier New");
    const long objects = GdiObjectCount();
    {
        TFont font;
        font.SetHandle(CreateFontIndirectA(&rotated));
        EXPECT_EQ(GdiObjectCount(), objects + 1);
        EXPECT_EQ(font.GetName(), "Courier New");
        EXPECT_EQ(font.GetHeight(), -16);
        EXPECT_EQ(font.GetOrientation(), 900);
        EXPECT_EQ(font.GetPitch(), fpFixed);
        EXPECT_TRUE(font.GetStyle().Contains(fsItalic));
        EXPECT_THROW(font.SetHandle(nullptr), EInvalidGraphicOperation);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(PenAndBrush, ChangesRenewHandlesAndClearBrushesUseTheStockBrush) {
    const long objects = GdiObjectCount();
    {
        TPen pen;
        ChangeCounter counter;
        pen.OnChange = TNotifyEvent(&counter, &ChangeCounter::Count);
        pen.GetHandle();
        pen.SetColor(clRed);
        pen.SetWidth(3);
        pen.SetMode(pmXor);
        pen.SetMode(pmXor);
        EXPECT_EQ(counter.Changes, 3);
        LOGPEN described;
        ASSERT_TRUE(GetObjectA(pen.GetHandle(), sizeof described, &described));
        EXPECT_EQ(described.lopnColor, RGB(255, 0, 0));
        EXPECT_EQ(described.lopnWidth.x, 3);
        pen.SetWidth(1);
        pen.SetStyle(psDot);
        ASSERT_TRUE(GetObjectA(pen.GetHandle(), sizeof described, &described));
        EXPECT_EQ(described.lopnStyle, static_cast<UINT>(PS_DOT));

        TBrush brush;
        brush.SetStyle(bsClear);
        EXPECT_EQ(brush.GetHandle(), GetStockObject(NULL_BRUSH));
        brush.SetColor(clLime); // a colour makes the brush solid again
        EXPECT_EQ(brush.GetStyle(), bsSolid);
        LOGBRUSH solid;
        ASSERT_TRUE(GetObjectA(brush.GetHandle(), sizeof solid, &solid));
        EXPECT_EQ(solid.lbColor, RGB(0, 255, 0));
        // ... also the colour it already has.
        brush.SetStyle(bsClear);
        brush.SetColor(clLime);
        EXPECT_EQ(brush.GetStyle(), bsSolid);
        brush.SetStyle(bsCross);
        ASSERT_TRUE(GetObjectA(brush.GetHandle(), sizeof solid, &solid));
        EXPECT_EQ(solid.lbStyle, static_cast<UINT>(BS_HATCHED));
        EXPECT_EQ(solid.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(PenAndBrush, FontPenAndBrushPublishTheirAttributes) {
    const TPublishedClass& font = GetPublished(TFont::StaticClass());
    const TPropInfo* color = font.FindProperty("Color");
    ASSERT_NE(color, nullptr);
    AnsiString name;
    ASSERT_TRUE(color->IntToIdent(clBtnFace, name));
    EXPECT_EQ(name, "clBtnFace");
    EXPECT_EQ(color->GetDefaultOrd(), clWindowText);
    TFont f;
    const TPropInfo* style = font.FindProperty("Style");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->GetKind(), pkSet);
    EXPECT_EQ(style->GetEnumInfo().NameOf(fsStrikeOut), "fsStrikeOut");
    style->SetOrdValue(&f, 1 << fsItalic);
    EXPECT_TRUE(f.GetStyle() == TFontStyles{fsItalic});
    font.FindProperty("Name")->SetStrValue(&f, "Arial");
    EXPECT_EQ(f.GetName(), "Arial");
    EXPECT_FALSE(font.FindProperty("Size")->IsStored(&f));
    EXPECT_TRUE(font.FindProperty("Height")->IsStored(&f));

    const TPublishedClass& pen = GetPublished(TPen::StaticClass());
    ASSERT_NE(pen.FindProperty("Mode"), nullptr);
    EXPECT_EQ(pen.FindProperty("Mode")->GetEnumInfo().NameOf(pmXor), "pmXor");
    EXPECT_EQ(pen.FindProperty("Width")->GetDefaultOrd(), 1);
    const TPublishedClass& brush = GetPublished(TBrush::StaticClass());
    EXPECT_EQ(brush.FindProperty("Style")->GetEnumInfo().ValueOf("bsDiagCross"), bsDiagCross);
    EXPECT_EQ(brush.FindProperty("Color")->GetDefaultOrd(), clWhite);
}

// ---------------------------------------------------------------------------
// Canvas

TEST(Canvas, FillRectAndRectangleUseBrushAndPen) {
    auto bitmap = Surface(20, 20);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetBrush()->SetColor(clRed);
    canvas->FillRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(Pixel(*bitmap, 2, 2), clRed);
    EXPECT_EQ(Pixel(*bitmap, 5, 5), clRed);
    EXPECT_EQ(Pixel(*bitmap, 6, 6), clWhite); // right and bottom are exclusive

    canvas->GetPen()->SetColor(clBlue);
    canvas->GetBrush()->SetColor(clLime);
    canvas->Rectangle(Rect(8, 8, 18, 18));
    EXPECT_EQ(Pixel(*bitmap, 8, 8), clBlue);
    EXPECT_EQ(Pixel(*bitmap, 17, 12), clBlue);
    EXPECT_EQ(Pixel(*bitmap, 12, 12), clLime);
    EXPECT_EQ(Pixel(*bitmap, 18, 18), clWhite);

    canvas->GetBrush()->SetStyle(bsClear);
    canvas->Rectangle(0, 0, 8, 8);
    EXPECT_EQ(Pixel(*bitmap, 3, 3), clRed); // a clear brush leaves the inside
}

TEST(Canvas, PolygonFillsAndLinesMoveThePenPosition) {
    auto bitmap = Surface(30, 30);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetPen()->SetColor(clBlack);
    canvas->GetBrush()->SetColor(clYellow);
    canvas->Polygon({{2, 2}, {27, 2}, {2, 27}});
    EXPECT_EQ(Pixel(*bitmap, 6, 6), clYellow);
    EXPECT_EQ(Pixel(*bitmap, 25, 25), clWhite);

    canvas->MoveTo(0, 29);
    canvas->LineTo(10, 29);
    EXPECT_EQ(canvas->GetPenPos(), Point(10, 29));
    EXPECT_EQ(CountPixels(*bitmap, clBlack, Rect(0, 29, 30, 30)), 10);

    canvas->GetPen()->SetMode(pmXor);
    canvas->GetPen()->SetColor(clWhite);
    canvas->MoveTo(0, 6);
    canvas->LineTo(30, 6);
    EXPECT_EQ(Pixel(*bitmap, 6, 6), static_cast<TColor>(ColorToRGB(clYellow) ^ 0xFFFFFF));
    canvas->MoveTo(0, 6);
    canvas->LineTo(30, 6);
    EXPECT_EQ(Pixel(*bitmap, 6, 6), clYellow); // drawn twice, the picture is back
}

TEST(Canvas, TextIsDrawnInTheFontColourAndMeasured) {
    auto bitmap = Surface(120, 40);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetFont()->SetName("Arial");
    canvas->GetFont()->SetHeight(-16);
    canvas->GetFont()->SetColor(clRed);
    canvas->GetBrush()->SetStyle(bsClear);
    const TSize extent = canvas->TextExtent("Wg");
    EXPECT_GT(extent.cx, 10);
    EXPECT_GT(extent.cy, 10);
    EXPECT_EQ(canvas->TextWidth("Wg"), extent.cx);
    EXPECT_GT(canvas->TextWidth("WWWW"), canvas->TextWidth("W"));

    canvas->TextOut(4, 4, "Wg");
    EXPECT_GT(CountPixels(*bitmap, clRed, Rect(0, 0, 40, 30)), 10);
    EXPECT_EQ(canvas->GetPenPos(), Point(4 + extent.cx, 4));

    canvas->GetFont()->SetColor(clBlue);
    canvas->GetBrush()->SetStyle(bsSolid);
    canvas->GetBrush()->SetColor(clYellow);
    canvas->TextRect(Rect(60, 5, 70, 30), 55, 5, "WWWW");
    EXPECT_GT(CountPixels(*bitmap, clBlue, Rect(60, 5, 70, 30)), 0);
    EXPECT_EQ(CountPixels(*bitmap, clBlue, Rect(45, 0, 60, 40)), 0); // clipped
    EXPECT_EQ(CountPixels(*bitmap, clBlue, Rect(70, 0, 120, 40)), 0);

    TRect measured = Rect(0, 0, 0, 0);
    canvas->TextRect(measured, "Wg", DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Width(), extent.cx);
    EXPECT_EQ(measured.Height(), extent.cy);
}

// A new colour alone keeps the selected font object; a new size selects the new font, also
// right after a colour change.
TEST(Canvas, AColourChangeKeepsTheFontSelectedAndASizeChangeReplacesIt) {
    auto bitmap = Surface(100, 20);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetFont()->SetName("Arial");
    canvas->GetFont()->SetHeight(-12);
    canvas->GetFont()->SetColor(clRed);
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->TextOut(2, 2, "WWW");
    const HGDIOBJ small = GetCurrentObject(canvas->GetHandle(), OBJ_FONT);
    canvas->GetFont()->SetColor(clBlue);
    EXPECT_EQ(GetCurrentObject(canvas->GetHandle(), OBJ_FONT), small);
    canvas->TextOut(50, 2, "WWW");
    EXPECT_GT(CountPixels(*bitmap, clBlue, Rect(50, 0, 100, 20)), 10);
    EXPECT_EQ(CountPixels(*bitmap, clRed, Rect(50, 0, 100, 20)), 0);
    const int smallWidth = canvas->TextWidth("WWW");
    canvas->GetFont()->SetColor(clRed);
    canvas->GetFont()->SetHeight(-30);
    EXPECT_NE(GetCurrentObject(canvas->GetHandle(), OBJ_FONT), small);
    EXPECT_GT(canvas->TextWidth("WWW"), smallWidth * 2);
}

// A control sized to its text's width and overhang holds every pixel the text draws, on
// one line or several: along a long line the drawn glyphs may run ahead of the advances the
// system reports.
TEST(Canvas, TheOverhangHoldsEveryColumnTheTextDraws) {
    const std::string longLine = "C:\\users\\root\\Temp\\vantorel-268-PersonUsesEditor-"
                                 "MessageBoxesAnswerEscAndReturnAndEveryWindowFitsItsTexts\\ed\\"
                                 "Untitled.pge has been modified.";
    struct TCase {
        std::string Text;
        int Height;
        bool Bold;
        UINT Flags;
    };
    const TCase cases[] = {
        {"View", 12, false, DT_SINGLELINE | DT_NOPREFIX},
        {"Stop (100 - 120)", 12, false, DT_SINGLELINE | DT_NOPREFIX},
        {"&Open", 12, false, DT_SINGLELINE},
        {"a folder whose name is longer than its pane", 14, true, DT_SINGLELINE | DT_NOPREFIX},
        {longLine, 14, false, DT_SINGLELINE | DT_NOPREFIX},
        {longLine + "\rContinuing will loose changes.\rDo you want to continue?", 14, false,
         DT_NOPREFIX | DT_EXPANDTABS},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        TBitmap measure(1, 1);
        TCanvas* m = measure.GetCanvas();
        m->GetFont()->SetName("Arial");
        m->GetFont()->SetHeight(c.Height);
        m->GetFont()->SetStyle(c.Bold ? TFontStyles{fsBold} : TFontStyles{});
        TRect room(0, 0, 0, 0);
        m->TextRect(room, c.Text, c.Flags | DT_CALCRECT);
        const long objects = GdiObjectCount();
        const int overhang = m->TextOverhang(c.Text, c.Flags);
        EXPECT_EQ(GdiObjectCount(), objects) << "what it measured with is given back";
        EXPECT_GE(overhang, 2);
        // Handed the measure it would take itself, wherever the caller's rectangle lies.
        const UINT asMeasured = c.Flags & ~static_cast<UINT>(DT_WORDBREAK | DT_RIGHT | DT_CENTER);
        RECT measured{5, 7, 5, 7};
        DrawTextA(m->GetHandle(), c.Text.data(), static_cast<int>(c.Text.size()), &measured,
                  asMeasured | DT_CALCRECT);
        EXPECT_EQ(m->TextOverhang(c.Text, c.Flags, measured), overhang);

        auto drawn = Surface(room.Width() * 2 + 40, room.Height());
        TCanvas* d = drawn->GetCanvas();
        d->GetFont()->Assign(m->GetFont());
        d->GetFont()->SetColor(clBlack);
        d->GetBrush()->SetStyle(bsClear);
        TRect all(0, 0, drawn->GetWidth(), drawn->GetHeight());
        d->TextRect(all, c.Text, c.Flags | DT_NOCLIP);
        const int white = CountPixels(*drawn, clWhite, Rect(room.Width() + overhang, 0, drawn->GetWidth(), drawn->GetHeight()));
        EXPECT_EQ(white, (drawn->GetWidth() - room.Width() - overhang) * drawn->GetHeight())
            << "ink past " << room.Width() << " + " << overhang;
    }
}

// The ink of a text measured once is kept, but only ever answers for the same font and
// text, whatever the order of the questions.
TEST(Canvas, AKeptOverhangAnswersOnlyForItsOwnFontAndText) {
    TBitmap measure(1, 1);
    TCanvas* m = measure.GetCanvas();
    m->GetFont()->SetName("Arial");
    m->GetFont()->SetHeight(-40);
    auto overhangs = [&] {
        std::vector<int> found;
        for (TFontStyles style : {TFontStyles{}, TFontStyles{fsItalic}}) {
            m->GetFont()->SetStyle(style);
            for (const char* text : {"f", "ff", "Wolf"}) found.push_back(m->TextOverhang(text));
        }
        return found;
    };
    const std::vector<int> first = overhangs();
    EXPECT_GT(first[3], first[0]) << "an italic f reaches far past its advance";
    // Asked again in the other order, every answer is the one measured.
    std::vector<int> again;
    for (TFontStyles style : {TFontStyles{fsItalic}, TFontStyles{}}) {
        m->GetFont()->SetStyle(style);
        for (const char* text : {"Wolf", "ff", "f"}) again.push_back(m->TextOverhang(text));
    }
    EXPECT_EQ(again, (std::vector<int>{first[5], first[4], first[3], first[2], first[1], first[0]}));
    // A display change forgets what was kept; the answers stay.
    ScreenSettingsChanged();
    EXPECT_EQ(overhangs(), first);
}

// Drawing kept within a rectangle may change the canvas's font and brush meanwhile; after,
// the canvas draws with them and with the clipping it had before.
TEST(Canvas, ClipWithinKeepsDrawingInsideAndGivesTheClippingBack) {
    auto bitmap = Surface(60, 40);
    TCanvas* canvas = bitmap->GetCanvas();
    IntersectClipRect(canvas->GetHandle(), 0, 0, 50, 40);
    const long objects = GdiObjectCount();
    { TClipWithin idle(canvas, TRect(0, 0, 1, 1)); }
    EXPECT_EQ(GdiObjectCount(), objects);
    {
        TClipWithin within(canvas, TRect(10, 10, 20, 20));
        canvas->GetBrush()->SetColor(clRed);
        canvas->FillRect(TRect(0, 0, 60, 40));
        canvas->GetFont()->SetHeight(-20);
        canvas->GetBrush()->SetColor(clBlue);
        canvas->FillRect(TRect(15, 0, 60, 40));
    }
    EXPECT_EQ(CountPixels(*bitmap, clRed, TRect(0, 0, 60, 40)), 50);
    EXPECT_EQ(CountPixels(*bitmap, clBlue, TRect(0, 0, 60, 40)), 50);
    canvas->GetBrush()->SetColor(clGreen);
    canvas->FillRect(TRect(0, 30, 60, 40));
    EXPECT_EQ(CountPixels(*bitmap, clGreen, TRect(0, 30, 60, 40)), 500);
    canvas->GetFont()->SetColor(clBlack);
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->TextOut(0, 0, "WW");
    EXPECT_GT(CountPixels(*bitmap, clBlack, TRect(0, 0, 50, 30)), 20) << "the canvas still draws its text";
}

TEST(Canvas, CopyRectCopiesAndStretches) {
    auto source = Surface(4, 4);
    source->GetCanvas()->GetBrush()->SetColor(clRed);
    source->GetCanvas()->FillRect(Rect(0, 0, 2, 4));
    auto dest = Surface(16, 8);
    dest->GetCanvas()->CopyRect(Rect(0, 0, 4, 4), source->GetCanvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(Pixel(*dest, 1, 1), clRed);
    EXPECT_EQ(Pixel(*dest, 2, 1), clWhite);
    dest->GetCanvas()->CopyRect(Rect(8, 0, 16, 8), source->GetCanvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(CountPixels(*dest, clRed, Rect(8, 0, 16, 8)), 32);
    EXPECT_EQ(Pixel(*dest, 12, 4), clWhite);
}

TEST(Canvas, StretchDrawAndTransparentDrawing) {
    for (TPixelFormat format : {pf24bit, pf32bit, pfDevice}) {
        // Left column blue, the rest green; the bottom-left pixel (blue) is transparent.
        TBitmap picture;
        picture.SetPixelFormat(format);
        picture.SetSize(4, 4);
        picture.GetCanvas()->GetBrush()->SetColor(clGreen);
        picture.GetCanvas()->FillRect(Rect(0, 0, 4, 4));
        picture.GetCanvas()->GetBrush()->SetColor(clBlue);
        picture.GetCanvas()->FillRect(Rect(0, 0, 1, 4));

        auto dest = Surface(20, 10);
        dest->GetCanvas()->StretchDraw(Rect(0, 0, 8, 8), &picture);
        EXPECT_EQ(CountPixels(*dest, clBlue, Rect(0, 0, 8, 8)), 16) << format;
        EXPECT_EQ(CountPixels(*dest, clGreen, Rect(0, 0, 8, 8)), 48) << format;

        picture.SetTransparent(true);
        dest->GetCanvas()->Draw(10, 0, &picture);
        EXPECT_EQ(Pixel(*dest, 10, 0), clWhite) << format;
        EXPECT_EQ(Pixel(*dest, 11, 0), clGreen) << format;

        picture.SetTransparentColor(clGreen);
        dest->GetCanvas()->Draw(15, 5, &picture);
        EXPECT_EQ(Pixel(*dest, 15, 5), clBlue) << format;
        EXPECT_EQ(Pixel(*dest, 16, 5), clWhite) << format;
    }
}

TEST(Canvas, BrushCopyShowsTheBrushWhereTheBitmapHasTheColour) {
    auto glyph = Surface(2, 1);
    glyph->GetCanvas()->SetPixels(0, 0, clFuchsia);
    glyph->GetCanvas()->SetPixels(1, 0, clNavy);
    auto dest = Surface(4, 1);
    dest->GetCanvas()->GetBrush()->SetColor(clYellow);
    dest->GetCanvas()->BrushCopy(Rect(1, 0, 3, 1), glyph.get(), Rect(0, 0, 2, 1), clFuchsia);
    EXPECT_EQ(Pixel(*dest, 0, 0), clWhite);
    EXPECT_EQ(Pixel(*dest, 1, 0), clYellow);
    EXPECT_EQ(Pixel(*dest, 2, 0), clNavy);
}

TEST(Canvas, Frame3DDrawsNestedFramesAndShrinksTheRect) {
    auto bitmap = Surface(10, 10);
    TRect r = Rect(0, 0, 10, 10);
    Frame3D(bitmap->GetCanvas(), r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(Pixel(*bitmap, 0, 5), clRed);
    EXPECT_EQ(Pixel(*bitmap, 5, 0), clRed);
    EXPECT_EQ(Pixel(*bitmap, 9, 5), clBlue);
    EXPECT_EQ(Pixel(*bitmap, 5, 9), clBlue);
    EXPECT_EQ(Pixel(*bitmap, 0, 9), clBlue); // the bottom line runs to the left edge
    EXPECT_EQ(Pixel(*bitmap, 1, 5), clRed);  // second frame
    EXPECT_EQ(Pixel(*bitmap, 8, 5), clBlue);
    EXPECT_EQ(Pixel(*bitmap, 5, 5), clWhite);
}

TEST(Canvas, ChangeEventsSurroundEveryDrawing) {
    auto bitmap = Surface(4, 4);
    ChangeCounter changing, changed;
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->OnChanging = TNotifyEvent(&changing, &ChangeCounter::Count);
    canvas->OnChange = TNotifyEvent(&changed, &ChangeCounter::Count);
    canvas->FillRect(Rect(0, 0, 2, 2));
    canvas->SetPixels(3, 3, clRed);
    canvas->TextExtent("x"); // measuring changes nothing
    EXPECT_EQ(changing.Changes, 2);
    EXPECT_EQ(changed.Changes, 2);
}

TEST(Canvas, WithoutADeviceContextDrawingRaises) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
    EXPECT_THROW(canvas.GetHandle(), EInvalidOperation);
}

TEST(Canvas, PutsTheDeviceContextsOwnObjectsBackWhenDetached) {
    const long objects = GdiObjectCount();
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(dc, 8, 8);
    HGDIOBJ oldImage = SelectObject(dc, image);
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.GetFont()->SetName("Arial");
        canvas.TextOut(0, 0, "x");
        canvas.GetFont()->SetHeight(-20); // re-selected while attached
        canvas.TextOut(0, 0, "x");
        canvas.Rectangle(0, 0, 4, 4);
        EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
        canvas.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
        canvas.SetHandle(dc);
        canvas.FillRect(Rect(0, 0, 2, 2));
    } // destroying the canvas detaches it too
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GdiObjectCount(), objects);
    SelectObject(dc, oldImage);
    DeleteObject(image);
    DeleteDC(dc);
}

TEST(Canvas, PixelsReadAndWrite) {
    auto bitmap = Surface(3, 3);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->SetPixels(1, 2, 0x336699);
    EXPECT_EQ(canvas->GetPixels(1, 2), 0x336699);
    canvas->SetPixels(0, 0, clBtnFace);
    EXPECT_EQ(static_cast<COLORREF>(canvas->GetPixels(0, 0)), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas->GetClipRect(), Rect(0, 0, 3, 3));
    canvas->Lock();
    canvas->Lock(); // a lock can be taken again by the thread that holds it
    canvas->Unlock();
    canvas->Unlock();
}
