// Range and gauge bars on a shown form: geometry, positions, the repeat and hot-tracking
// timers driven by WM_TIMER with an injected pointer position, the border, the looks as
// painted (a themed look through an injected drawing function), form resources, and a
// screenshot of every look and state.
#include "bitmap32/Bmp32_RangeBars.h"
#include "bitmap32/Bmp32_System.h"
#include "classlib/FormLoader.h"
#include "classlib/Persistence.h"
#include "classlib/Paths.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Bmp32;

namespace {

TPoint CursorAt{0, 0};
TPoint InjectedCursor() {
    return CursorAt;
}

class RangeBarsGuiTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Saved = RangeBarCursorPos;
        RangeBarCursorPos = InjectedCursor;
        Bar = Add<TRangeBar>(Form, 10, 10, 202, 18); // client 200 x 16 inside the border
        Bar->SetRange(1000);
        Bar->SetWindow(100);
        Pump();
    }
    void TearDown() override {
        RangeBarCursorPos = Saved;
        ShownFormTest::TearDown();
    }
    // The pointer is placed where a button message says it is.
    LRESULT Send(TWinControl* C, UINT Msg, WPARAM W, int X, int Y) {
        if (Msg != WM_MOUSEWHEEL) Point(C, X, Y);
        if (Msg == WM_MOUSEMOVE && W == 0) PutPointer(C, X, Y);
        return SendMessageA(C->GetHandle(), Msg, W, MAKELPARAM(X, Y));
    }
    void Point(TWinControl* C, int X, int Y) {
        POINT p{X, Y};
        ClientToScreen(C->GetHandle(), &p);
        CursorAt = {p.x, p.y};
    }
    // One tick of the bar's timer, the pointer at (X, Y) of the bar.
    void Tick(TArrowBar* B, int X, int Y) {
        Point(B, X, Y);
        SendMessageA(B->GetTimer()->GetWindowHandle(), WM_TIMER, 1, 0);
    }
    TCursorPosReader Saved = nullptr;
    TRangeBar* Bar = nullptr;
};

} // namespace

TEST_F(RangeBarsGuiTest, GeometryZonesAndHandle) {
    EXPECT_EQ(Bar->GetClientRect(), (TRect{0, 0, 200, 16})); // the border takes one pixel
    EXPECT_EQ(Bar->ActualButtonSize(), 16);
    // Track 168 long, window a tenth: 17 pixels at least, reaching both ends.
    EXPECT_EQ(Bar->GetHandleRect(), (TRect{16, 0, 33, 16}));
    Bar->SetPosition(900);
    EXPECT_EQ(Bar->GetHandleRect(), (TRect{167, 0, 184, 16}));
    EXPECT_EQ(Bar->GetZone(5, 5), zBtnPrev);
    EXPECT_EQ(Bar->GetZone(20, 5), zTrackPrev);
    EXPECT_EQ(Bar->GetZone(170, 5), zHandle);
    EXPECT_EQ(Bar->GetZone(195, 5), zBtnNext);
    Bar->SetStyle(rbsMac);
    EXPECT_EQ(Bar->ActualButtonSize(), 15);
    Bar->SetShowArrows(false);
    EXPECT_EQ(Bar->ActualButtonSize(), 0);
    // Window as large as the range: the whole track, presses ignored.
    Bar->SetShowArrows(true);
    Bar->SetStyle(rbsDefault);
    Bar->SetWindow(1000);
    EXPECT_EQ(Bar->GetHandleRect(), Bar->GetTrackBoundary());
    Send(Bar, WM_LBUTTONDOWN, MK_LBUTTON, 190, 5);
    EXPECT_EQ(Bar->GetDragZone(), zNone);
    Send(Bar, WM_LBUTTONUP, 0, 190, 5);
    // A track shorter than 18 pixels has no handle.
    Bar->SetWindow(100);
    Bar->SetBounds(10, 10, 50, 18);
    EXPECT_EQ(Bar->GetHandleRect(), (TRect{0, 0, 0, 0}));
}

TEST_F(RangeBarsGuiTest, HoldingTheNextButtonRepeatsAndStopsAtTheEnd) {
    int users = 0;
    Bar->OnUserChange = TNotifyEvent::FromCallable([&](TObject*) { ++users; });
    Bar->SetIncrement(400);
    Send(Bar, WM_LBUTTONDOWN, MK_LBUTTON, 195, 5);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 400); // once at once
    EXPECT_EQ(Bar->GetTimer()->GetInterval(), 600u);
    Tick(Bar, 195, 5);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 800);
    EXPECT_EQ(Bar->GetTimer()->GetInterval(), 100u);
    Tick(Bar, 195, 5);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 900); // Range - Window
    EXPECT_EQ(users, 3);
    Tick(Bar, 195, 5); // no change: the repeat stops and hot tracking takes over
    EXPECT_EQ(Bar->GetTimer()->GetInterval(), 150u);
    Send(Bar, WM_LBUTTONUP, 0, 195, 5);
    EXPECT_EQ(Bar->GetDragZone(), zNone);

    // The track pages only while the pointer stays over it.
    Bar->SetPosition(0);
    Send(Bar, WM_LBUTTONDOWN, MK_LBUTTON, 150, 5);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 100);
    Tick(Bar, 150, 5);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 200);
    Tick(Bar, 5, 5); // over the previous button now
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 200);
    Send(Bar, WM_LBUTTONUP, 0, 5, 5);
}

TEST_F(RangeBarsGuiTest, DraggingTheHandleHotTrackingAndWheel) {
    Send(Bar, WM_LBUTTONDOWN, MK_LBUTTON, 20, 5);
    Send(Bar, WM_LBUTTONUP, 0, 20, 5);
    Bar->SetPosition(0);
    Send(Bar, WM_LBUTTONDOWN, MK_LBUTTON, 20, 5); // on the handle
    EXPECT_EQ(Bar->GetDragZone(), zHandle);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 0);
    // L = 200 - 32 - 2 = 166, whose tenth rounds to 17: D = 1000 x 30 / 166.
    Send(Bar, WM_MOUSEMOVE, MK_LBUTTON, 50, 5);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 1000 * 30 / 166.0f);
    Send(Bar, WM_LBUTTONUP, 0, 50, 5);

    Send(Bar, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(Bar->GetHotZone(), zBtnPrev);
    EXPECT_EQ(Bar->GetTimer()->GetInterval(), 150u);
    Tick(Bar, 5, 5);
    EXPECT_EQ(Bar->GetHotZone(), zBtnPrev);
    Tick(Bar, 300, 5); // the pointer left
    EXPECT_EQ(Bar->GetHotZone(), zNone);
    EXPECT_FALSE(Bar->GetTimer()->GetEnabled());

    Send(Bar, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0, 0);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 1000 * 30 / 166.0f + 16);
}

TEST_F(RangeBarsGuiTest, ShortTracksNeverDivideByZero) {
    // L = 18 - 2 is below the least handle: no room to drag; the position stays.
    Bar->SetShowArrows(false);
    Bar->SetBounds(10, 10, 20, 18); // an 18-pixel track with a 17-pixel handle
    Bar->SetPosition(5);
    Send(Bar, WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
    ASSERT_EQ(Bar->GetDragZone(), zHandle);
    Send(Bar, WM_MOUSEMOVE, MK_LBUTTON, 10, 3);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 5);
    Send(Bar, WM_LBUTTONUP, 0, 10, 3);
}

TEST_F(RangeBarsGuiTest, CentredParamsAndGaugeRules) {
    Bar->SetCentered(true);
    Bar->SetPosition(450); // the middle of the window at 500
    Bar->SetRange(2000);
    EXPECT_FLOAT_EQ(Bar->GetPosition(), 2000 * 0.5f - 50);

    auto* gauge = Add<TGaugeBar>(Form, 10, 40, 202, 18);
    Pump();
    gauge->SetPosition(100);
    const TRect handle = gauge->GetHandleRect();
    EXPECT_EQ(handle.Right, gauge->GetTrackBoundary().Right); // flush with the end
    EXPECT_EQ(handle.Right - handle.Left, 16);
    gauge->SetMax(-5);
    EXPECT_EQ(gauge->GetMax(), 1);
    EXPECT_EQ(gauge->GetPosition(), 1);
    gauge->SetMin(7);
    EXPECT_EQ(gauge->GetMin(), 0);
    gauge->SetMax(10);
    gauge->SetPosition(5);
    gauge->SetLargeChange(3);
    Send(gauge, WM_LBUTTONDOWN, MK_LBUTTON, 195, 5);
    EXPECT_EQ(gauge->GetPosition(), 6);
    Send(gauge, WM_LBUTTONUP, 0, 195, 5);
    Send(gauge, WM_LBUTTONDOWN, MK_LBUTTON, 20, 5);
    EXPECT_EQ(gauge->GetPosition(), 3);
    Send(gauge, WM_LBUTTONUP, 0, 20, 5);
    Send(gauge, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0, 0);
    EXPECT_EQ(gauge->GetPosition(), 2);

    // Read from a form resource: Min and Max in any order, re-checked once loaded.
    TForm root(nullptr);
    root.SetName("Holder");
    auto* g = new TGaugeBar(&root);
    g->SetParent(&root);
    g->SetName("GB");
    g->SetStyle(rbsMac);
    AnsiString text = WriteComponentText(&root);
    const auto at = text.find("Style = rbsMac");
    ASSERT_NE(at, AnsiString::npos) << text;
    text.insert(at, "Max = 3\n    Min = 9\n    ");
    TForm copy(nullptr);
    ReadComponentText(text, &copy, "gauge");
    auto* read = dynamic_cast<TGaugeBar*>(copy.FindComponent("GB"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetStyle(), rbsMac);
    EXPECT_EQ(read->GetMin(), 9);
    EXPECT_EQ(read->GetMax(), 10);
    AnsiString bad = WriteComponentText(&root);
    bad.replace(bad.find("rbsMac"), 6, "rbsNone");
    TForm broken(nullptr);
    EXPECT_THROW(ReadComponentText(bad, &broken, "gauge"), EReadError);
}

TEST_F(RangeBarsGuiTest, LooksAsPaintedAndThemedThroughTheStyleFunctions) {
    EXPECT_EQ(Mix(TColor(RGB(255, 0, 0)), TColor(RGB(0, 0, 255)), 255), TColor(RGB(255, 0, 0)));
    EXPECT_THROW(Mix(clRed, clBlue, 256), EAssertionFailed);

    Bar->SetStyle(rbsMac);
    Bar->SetBorderColor(TColor(RGB(10, 20, 30)));
    Bar->SetHandleColor(TColor(RGB(100, 100, 100)));
    Pump();
    UpdateWindow(Bar->GetHandle());
    HDC dc = GetDC(Bar->GetHandle());
    EXPECT_EQ(GetPixel(dc, 17, 0), RGB(10, 20, 30));   // the handle's outer frame
    EXPECT_EQ(GetPixel(dc, 18, 1), RGB(124, 124, 124)); // raised: lightened by 24
    EXPECT_EQ(GetPixel(dc, 18, 14), COLORREF(ColorToRGB(Mix(TColor(RGB(10, 20, 30)),
                                                            TColor(RGB(100, 100, 100)), 96))));
    ReleaseDC(Bar->GetHandle(), dc);
    std::unique_ptr<TBitmap> shot;

    static std::vector<int> parts;
    parts.clear();
    VisualStylesNeeded();
    const auto savedDraw = DrawThemeBackground;
    const bool savedUse = USE_THEMES;
    const HTHEME savedTheme = SCROLLBAR_THEME;
    DrawThemeBackground = [](HTHEME, HDC, int Part, int State, const RECT*, const RECT*) -> HRESULT {
        parts.push_back(Part * 100 + State);
        return S_OK;
    };
    USE_THEMES = true;
    SCROLLBAR_THEME = HTHEME(1);
    Bar->SetStyle(rbsDefault);
    shot = PaintToBitmap(Bar);
    DrawThemeBackground = savedDraw;
    USE_THEMES = savedUse;
    SCROLLBAR_THEME = savedTheme;
    // Left and right arrow buttons, the two horizontal track parts, the thumb and its grip.
    // (The track before the handle is empty at position 0.)
    EXPECT_EQ(parts, (std::vector<int>{109, 113, 501, 201, 800}));
}

TEST_F(RangeBarsGuiTest, ScreenshotOfLooksAndStates) {
    std::vector<TArrowBar*> bars;
    for (int look = 0; look < 2; ++look) {
        for (int state = 0; state < 4; ++state) {
            auto* r = Add<TRangeBar>(Form, 10 + look * 220, 70 + state * 24, 202, 18);
            r->SetRange(100);
            r->SetWindow(30);
            r->SetPosition(35);
            r->SetStyle(TRBStyle(look));
            if (state == 3) r->SetEnabled(false);
            bars.push_back(r);
            auto* g = Add<TGaugeBar>(Form, 10 + look * 220, 170 + state * 24, 202, 18);
            g->SetPosition(40);
            g->SetStyle(TRBStyle(look));
            if (state == 3) g->SetEnabled(false);
            bars.push_back(g);
        }
    }
    Form->SetBounds(Form->GetLeft(), Form->GetTop(), 470, 300);
    Pump();
    for (int look = 0; look < 2; ++look) {
        // Hot: the pointer over the next button; pressed: the previous button held.
        Send(bars[look * 8 + 2], WM_MOUSEMOVE, 0, 195, 5);
        Send(bars[look * 8 + 3], WM_MOUSEMOVE, 0, 195, 5);
        Send(bars[look * 8 + 4], WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
        Send(bars[look * 8 + 5], WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    }
    Pump();
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "rangebars.bmp");
    for (TArrowBar* b : bars)
        SendMessageA(b->GetHandle(), WM_LBUTTONUP, 0, 0);
}

TEST(RangeBarsPublished, TheRangeBarPublishesItsWheelTurnsAndTheGaugeBarDoesNot) {
    const TPublishedClass& range = GetPublished(TRangeBar::StaticClass());
    EXPECT_NE(range.FindProperty("OnMouseWheelUp"), nullptr);
    EXPECT_NE(range.FindProperty("OnMouseWheelDown"), nullptr);
    EXPECT_EQ(GetPublished(TGaugeBar::StaticClass()).FindProperty("OnMouseWheelUp"), nullptr);
}
