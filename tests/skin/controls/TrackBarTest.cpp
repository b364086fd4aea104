// The skinned track bar: thumb geometry and values as tables (ties to even, clamps, empty
// ranges, ranges as wide as int), the drag, the click jump, keys and the wheel, the skinned
// look, and the disabled looks inside a disabled container on the screen.
#include "skin/controls/SkinCtrls_TrackBars.h"

#include "classlib/Panels.h"

#include "tests/skin/controls/SkinFixture.h"

#include <climits>

namespace {

class SkinTrackBar : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Bar = Add<TskSkinTrackBar>(Form, 10, 10, 100, 20);
        Bar->OnChange = TNotifyEvent(this, &SkinTrackBar::Changed);
    }
    void Changed(TObject*) { ++Changes; }
    TRect Thumb() { return Bar->CalcButtonRect(Bar->TrackRect()); }
    void Key(Word Key) { SendMessageA(Bar->GetHandle(), WM_KEYDOWN, Key, 1); }
    void Wheel(short Delta) {
        SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(Delta)), 0);
    }
    // The centre of the thumb as the screen shows it now.
    COLORREF ThumbOnScreen() {
        const TRect thumb = Thumb();
        auto shot = ScreenShot(Bar->GetHandle());
        return PixelOf(shot.get(), (thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2);
    }
    // An "htrackbar" record of a red track with a blue thumb, lime when active.
    static TskDataSkinTrackBarControl* AddFlatRecord(TFixtureSkin& Skin) {
        const int pic = Skin.AddPicture(60, 20);
        Skin.Fill(pic, TRect(0, 0, 40, 20), clRed);
        Skin.Fill(pic, TRect(40, 0, 48, 16), clBlue);
        Skin.Fill(pic, TRect(48, 0, 56, 16), clLime);
        auto* record =
            Skin.AddFramed<TskDataSkinTrackBarControl>("htrackbar", pic, TRect(0, 0, 40, 20));
        record->TrackArea = TRect(2, 2, 38, 18);
        record->ButtonRect = TRect(40, 0, 48, 16);
        record->ActiveButtonRect = TRect(48, 0, 56, 16);
        return record;
    }
    // The bar moved onto a panel of the form that the test then disables.
    TPanel* OnPanel() {
        auto* panel = Add<TPanel>(Form, 10, 60, 200, 60);
        panel->SetBevelOuter(bvNone);
        Bar->SetParent(panel);
        Bar->SetBounds(10, 10, 100, 20);
        return panel;
    }

    TskSkinTrackBar* Bar = nullptr;
    int Changes = 0;
};

TEST_F(SkinTrackBar, TheThumbSitsInProportionRoundedHalvesToEven) {
    struct Row {
        int Width, Height, Min, Max, Value, Left;
    };
    // The default track is (2, 2, Width - 2, Height - 2); the thumb is (Height - 4) div 2 wide.
    const Row rows[] = {
        {100, 20, 0, 100, 0, 2},  {100, 20, 0, 100, 100, 90}, {100, 20, 0, 100, 50, 46},
        {101, 20, 0, 2, 1, 46},   // 89 / 2 = 44.5 -> 44
        {103, 20, 0, 2, 1, 48},   // 91 / 2 = 45.5 -> 46
        {100, 20, 5, 5, 5, 2},    // an empty range: the begin position
    };
    for (const Row& row : rows) {
        Bar->SetBounds(10, 10, row.Width, row.Height);
        Bar->SetMinValue(-1000);
        Bar->SetMaxValue(1000);
        Bar->SetValue(row.Value);
        Bar->SetMinValue(row.Min);
        Bar->SetMaxValue(row.Max);
        EXPECT_EQ(Thumb().Left, row.Left) << row.Width << " " << row.Max << " " << row.Value;
    }
    // Vertical: the minimum at the bottom, the thumb (Width - 4) div 2 high.
    Bar->SetBounds(10, 10, 20, 100);
    Bar->SetMinValue(0);
    Bar->SetMaxValue(100);
    Bar->SetVertical(true);
    Bar->SetValue(0);
    EXPECT_EQ(Thumb(), TRect(2, 90, 18, 98));
    Bar->SetValue(100);
    EXPECT_EQ(Thumb(), TRect(2, 2, 18, 10));
}

TEST_F(SkinTrackBar, CalcValueClampsAndRoundsHalvesToEven) {
    struct Row {
        int Min, Max, Offset, Value;
    };
    // Span 88 (a 100 x 20 bar): offset 44 is half-way.
    const Row rows[] = {
        {0, 100, 44, 50}, {0, 100, -5, 0}, {0, 100, 500, 100}, {0, 1, 44, 0},
        {0, 3, 44, 2},    {10, 20, 22, 12}, {7, 7, 44, 7},
    };
    for (const Row& row : rows) {
        Bar->SetMinValue(-1000);
        Bar->SetMaxValue(row.Max);
        Bar->SetMinValue(row.Min);
        Thumb();
        EXPECT_EQ(Bar->CalcValue(row.Offset), row.Value) << row.Max << " " << row.Offset;
    }
    // With no span at all every offset gives the minimum.
    Bar->SetBounds(10, 10, 100, 300);
    Thumb();
    EXPECT_EQ(Bar->CalcValue(30), 7);
}

TEST_F(SkinTrackBar, DraggingTheThumbMovesTheValueAndClampsAtTheEnds) {
    Bar->SetValue(0);
    Changes = 0;
    MouseDown(Bar, 6, 10);
    ASSERT_TRUE(Bar->IsDragging());
    MouseMove(Bar, 6 + 44, 10);
    EXPECT_EQ(Bar->GetValue(), 50);
    MouseMove(Bar, 400, 10);
    EXPECT_EQ(Bar->GetValue(), 100);
    MouseMove(Bar, 500, 10);
    EXPECT_EQ(Changes, 2);
    MouseMove(Bar, -300, 10);
    EXPECT_EQ(Bar->GetValue(), 0);
    MouseUp(Bar, -300, 10);
    EXPECT_FALSE(Bar->IsDragging());

    // A press beside the thumb starts no drag.
    MouseDown(Bar, 60, 10);
    MouseMove(Bar, 80, 10);
    MouseUp(Bar, 80, 10);
    EXPECT_EQ(Bar->GetValue(), 0);

    // Up a vertical bar raises the value.
    Bar->SetBounds(10, 10, 20, 100);
    Bar->SetVertical(true);
    MouseDown(Bar, 10, 94);
    MouseMove(Bar, 10, 94 - 22);
    EXPECT_EQ(Bar->GetValue(), 25);
    MouseUp(Bar, 10, 72);
}

TEST_F(SkinTrackBar, RangesAsWideAsIntStepAndDragWithoutWrapping) {
    Bar->SetMinValue(INT_MIN);
    Bar->SetMaxValue(INT_MAX);
    Bar->SetValue(0);
    EXPECT_EQ(Thumb().Left, 46);
    Thumb();
    EXPECT_EQ(Bar->CalcValue(0), INT_MIN);
    EXPECT_EQ(Bar->CalcValue(88), INT_MAX);
    EXPECT_EQ(Bar->CalcValue(44), 0);

    Bar->SetCanFocused(true);
    ASSERT_TRUE(TakeFocus(Bar));
    Bar->SetValue(INT_MIN);
    Changes = 0;
    Key(VK_LEFT);
    Wheel(120);
    EXPECT_EQ(Bar->GetValue(), INT_MIN);
    EXPECT_EQ(Changes, 0);
    Key(VK_RIGHT);
    EXPECT_EQ(Bar->GetValue(), INT_MIN + 1);
    Bar->SetValue(INT_MAX);
    Key(VK_UP);
    Wheel(-120);
    EXPECT_EQ(Bar->GetValue(), INT_MAX);
    Key(VK_DOWN);
    EXPECT_EQ(Bar->GetValue(), INT_MAX - 1);

    // Dragged from the minimum past the right end, then back past the left one.
    Bar->SetValue(INT_MIN);
    MouseDown(Bar, 6, 10);
    ASSERT_TRUE(Bar->IsDragging());
    MouseMove(Bar, 400, 10);
    EXPECT_EQ(Bar->GetValue(), INT_MAX);
    MouseMove(Bar, -400, 10);
    EXPECT_EQ(Bar->GetValue(), INT_MIN);
    MouseUp(Bar, -400, 10);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinTrackBar, AClickJumpsOnlyWithJumpWhenClickAndCentresTheThumbUnderThePointer) {
    MouseDown(Bar, 80, 10);
    MouseUp(Bar, 80, 10);
    EXPECT_EQ(Bar->GetValue(), 50);
    Bar->SetJumpWhenClick(true);
    MouseDown(Bar, 28, 10);
    MouseUp(Bar, 28, 10);
    EXPECT_EQ(Bar->GetValue(), 25);
    EXPECT_EQ(Thumb().Left + Thumb().Right, 2 * 28);

    // A vertical skinned bar whose track is nearer one end: the offset counts from the
    // track's bottom edge.
    TFixtureSkin skin;
    const int pic = skin.AddPicture(40, 100);
    auto* record = skin.AddFramed<TskDataSkinTrackBarControl>("trackbar", pic, TRect(0, 0, 20, 100));
    record->Vertical = true;
    record->TrackArea = TRect(0, 4, 20, 90);
    record->ButtonRect = TRect(20, 0, 36, 8);
    Bar->SetSkinDataName("trackbar");
    Bar->SetBounds(10, 10, 20, 100);
    Bar->SetSkinData(skin.Data.get());
    Bar->SetValue(0);
    MouseDown(Bar, 10, 47);
    MouseUp(Bar, 10, 47);
    EXPECT_EQ(Bar->GetValue(), 50);
    EXPECT_EQ(Thumb().Top + Thumb().Bottom, 2 * 47);
}

TEST_F(SkinTrackBar, KeysAndTheWheelActOnlyWhenTheBarTakesTheFocus) {
    SendMessageA(Bar->GetHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Bar->GetValue(), 50);
    Bar->SetCanFocused(true);
    EXPECT_TRUE(Bar->GetTabStop());
    ASSERT_TRUE(TakeFocus(Bar));
    SendMessageA(Bar->GetHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageA(Bar->GetHandle(), WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(Bar->GetValue(), 52);
    SendMessageA(Bar->GetHandle(), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(Bar->GetValue(), 51);
    // Turned away from the user the wheel lowers a horizontal bar and raises a vertical one.
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Bar->GetValue(), 50);
    Bar->SetVertical(true);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Bar->GetValue(), 52);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(Bar->GetValue(), 51);
}

TEST_F(SkinTrackBar, TheSkinDrawsTrackAndThumbFromTheRecord) {
    TFixtureSkin skin;
    auto* record = AddFlatRecord(skin);
    Bar->SetValue(0);
    Bar->SetSkinData(skin.Data.get());
    auto normal = PaintToBitmap(Bar);
    // The track stretches with the bar: its thumb runs from 2 to 98.
    EXPECT_EQ(Bar->GetButtonRect(), TRect(2, 2, 10, 18));
    EXPECT_EQ(PixelOf(normal.get(), 5, 10), static_cast<COLORREF>(clBlue));
    EXPECT_EQ(PixelOf(normal.get(), 60, 10), static_cast<COLORREF>(clRed));
    MouseDown(Bar, 5, 10);
    auto pressed = PaintToBitmap(Bar);
    EXPECT_EQ(PixelOf(pressed.get(), 5, 10), static_cast<COLORREF>(clLime));
    MouseUp(Bar, 5, 10);

    // The record's direction replaces the property at the next paint.
    record->Vertical = true;
    PaintToBitmap(Bar);
    EXPECT_TRUE(Bar->GetVertical());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinTrackBar, TheDefaultLookShowsTheThumbInItsState) {
    Bar->SetValue(0);
    auto normal = PaintToBitmap(Bar);
    EXPECT_EQ(PixelOf(normal.get(), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(normal.get(), 2, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(normal.get(), 6, 10), ColorToRGB(clBtnFace));
    MouseDown(Bar, 6, 10);
    auto pressed = PaintToBitmap(Bar);
    EXPECT_EQ(PixelOf(pressed.get(), 2, 10), ColorToRGB(clNavy));
    EXPECT_EQ(PixelOf(pressed.get(), 6, 10), static_cast<COLORREF>(RGB(133, 147, 181)));
    MouseUp(Bar, 6, 10);
}

TEST_F(SkinTrackBar, TheDefaultLookGreysTheThumbInADisabledContainerEvenWhenFocused) {
    TPanel* panel = OnPanel();
    Bar->SetValue(0);
    Bar->SetCanFocused(true);
    ASSERT_TRUE(TakeFocus(Bar));
    const COLORREF focused = static_cast<COLORREF>(RGB(182, 189, 210));
    EXPECT_TRUE(PumpUntil([&] { return ThumbOnScreen() == focused; }));

    // The container's change repaints the bar by itself; a full repaint agrees.
    panel->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([&] { return ThumbOnScreen() == ColorToRGB(clBtnShadow); }));
    CaptureWindow(Bar->GetHandle());
    EXPECT_EQ(ThumbOnScreen(), ColorToRGB(clBtnShadow));
    panel->SetEnabled(true);
    Bar->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([&] { return ThumbOnScreen() == ColorToRGB(clBtnShadow); }));
    Bar->SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ThumbOnScreen() != ColorToRGB(clBtnShadow); }));
}

TEST_F(SkinTrackBar, ASkinnedBarInADisabledContainerShowsTheNormalThumbWhenFocused) {
    TFixtureSkin skin;
    AddFlatRecord(skin);
    TPanel* panel = OnPanel();
    Bar->SetSkinData(skin.Data.get());
    Bar->SetCanFocused(true);
    ASSERT_TRUE(TakeFocus(Bar));
    EXPECT_TRUE(PumpUntil([&] { return ThumbOnScreen() == static_cast<COLORREF>(clLime); }));
    panel->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([&] { return ThumbOnScreen() == static_cast<COLORREF>(clBlue); }));
    Bar->SetSkinData(nullptr);
}

} // namespace
