// The skinned scroll bar: geometry and rounding, clamps and events, button and page
// repeats driven by WM_TIMER, the thumb drag, keys and wheel, and the skinned geometry.
#include "skin/controls/SkinCtrls_ScrollBars.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

class SkinScrollBar : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Bar = Add<TskSkinScrollBar>(Form, 10, 10, 200, 19);
        Bar->OnChange = TNotifyEvent(this, &SkinScrollBar::Changed);
        Bar->OnLastChange = TNotifyEvent(this, &SkinScrollBar::LastChanged);
    }
    void Changed(TObject*) { ++Changes; }
    void LastChanged(TObject*) { ++LastChanges; }
    void Tick() { SendMessageA(Bar->GetHandle(), WM_TIMER, 1, 0); }

    TskSkinScrollBar* Bar = nullptr;
    int Changes = 0;
    int LastChanges = 0;
};

TEST_F(SkinScrollBar, TheDefaultGeometryPlacesButtonsTrackAndThumb) {
    Bar->SetRange(0, 0, 0, 0);
    Bar->CalcRects();
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbDown), TRect(1, 1, 17, 18));
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbUp), TRect(183, 1, 199, 18));
    EXPECT_EQ(Bar->GetTrackRect(), TRect(17, 1, 183, 18));
    // Min = Max: the thumb sits at the track's start.
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbThumb), TRect(17, 1, 33, 18));

    // Half-way along a track whose span is odd: 151 x 0.5 rounds to the even 76.
    Bar->SetBounds(10, 10, 201, 19);
    Bar->SetRange(0, 100, 50, 0);
    Bar->CalcRects();
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbThumb).Left, 25 + 76 - 8);

    // A page sizes the thumb to the track: 166 x 10 / 101 rounds to 16.
    Bar->SetBounds(10, 10, 200, 19);
    Bar->SetRange(0, 100, 0, 10);
    Bar->CalcRects();
    const TRect thumb = Bar->GetButtonRect(TskSkinScrollBar::sbThumb);
    EXPECT_EQ(thumb.Right - thumb.Left, 16);
}

TEST_F(SkinScrollBar, PositionsAreClampedAndOnlySetPositionTellsOfIt) {
    Bar->SetRange(0, 100, 500, 10);
    EXPECT_EQ(Bar->GetPosition(), 91);
    EXPECT_EQ(Changes, 0);
    Bar->SimplySetPosition(-5);
    EXPECT_EQ(Bar->GetPosition(), 0);
    EXPECT_EQ(Changes, 0);
    Bar->SetPosition(200);
    EXPECT_EQ(Bar->GetPosition(), 91);
    Bar->SetPosition(91);
    EXPECT_EQ(Changes, 1);
    // Dragging the thumb to the track's end reaches Max - PageSize + 1.
    EXPECT_EQ(Bar->CalcValue(10000), 91);
    // With Min other than 0 the setters work on Max - Min.
    Bar->SetRange(10, 100, 10, 0);
    Bar->SetPageSize(95);
    EXPECT_EQ(Bar->GetPageSize(), 0);
    Bar->SetPageSize(20);
    Bar->SetPosition(80);
    Bar->SetMax(90);
    EXPECT_EQ(Bar->GetPosition(), 90 - 10 - 20 + 1);
    // Bounds that cross, or a page that leaves no room, keep the position at the last one.
    Bar->SetMax(20);
    EXPECT_EQ(Bar->GetPosition(), 20 - 20 + 1);
    Bar->SetRange(0, 100, 0, 0);
    Bar->SetMin(101);
    EXPECT_EQ(Bar->GetPosition(), 100);
    Bar->SetRange(-50, 50, -50, 0);
    Bar->SetPageSize(150);
    EXPECT_EQ(Bar->GetPageSize(), 150);
    EXPECT_EQ(Bar->GetPosition(), 50 - 150 + 1);
}

TEST_F(SkinScrollBar, AHeldButtonStepsAtOnceThenAfterTheFirstTickEveryTick) {
    MouseDown(Bar, 190, 9);
    EXPECT_EQ(Bar->GetPosition(), 1);
    EXPECT_EQ(Bar->GetTimerMode(), TskSkinScrollBar::tmUpButton);
    Tick(); // 500 ms: no step, the timer turns to 50 ms
    EXPECT_EQ(Bar->GetPosition(), 1);
    Tick();
    Tick();
    EXPECT_EQ(Bar->GetPosition(), 3);
    MouseUp(Bar, 190, 9);
    EXPECT_EQ(Bar->GetTimerMode(), TskSkinScrollBar::tmNone);
    EXPECT_EQ(LastChanges, 1);

    // The down button's event replaces its step.
    int downs = 0;
    struct TCounter {
        int* Count;
        void Fire(TObject*) { ++*Count; }
    } counter{&downs};
    Bar->OnDownButtonClick = TNotifyEvent(&counter, &TCounter::Fire);
    MouseDown(Bar, 5, 9);
    Tick();
    Tick();
    MouseUp(Bar, 5, 9);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(Bar->GetPosition(), 3);
    EXPECT_EQ(LastChanges, 2);
}

TEST_F(SkinScrollBar, APageRunStopsWhenTheThumbPassesThePointer) {
    Bar->SetLargeChange(10);
    MouseDown(Bar, 120, 9);
    EXPECT_EQ(Bar->GetPosition(), 10);
    EXPECT_EQ(Bar->GetTimerMode(), TskSkinScrollBar::tmPageToMax);
    for (int i = 0; i < 20 && Bar->GetTimerMode() != TskSkinScrollBar::tmNone; ++i) Tick();
    EXPECT_EQ(Bar->GetTimerMode(), TskSkinScrollBar::tmNone);
    const TRect thumb = Bar->GetButtonRect(TskSkinScrollBar::sbThumb);
    EXPECT_GE(thumb.Right, 120);
    EXPECT_LT(thumb.Left - 15, 120);
    MouseUp(Bar, 120, 9);

    // Dragging the thumb moves the position with it.
    Bar->SetPosition(0);
    MouseDown(Bar, 25, 9);
    MouseMove(Bar, 25 + 75, 9);
    EXPECT_EQ(Bar->GetPosition(), 50);
    MouseUp(Bar, 100, 9);
}

TEST_F(SkinScrollBar, KeysAndTheWheelActOnlyOnAFocusableBar) {
    SendMessageA(Bar->GetHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(Bar->GetPosition(), 0);
    Bar->SetCanFocused(true);
    ASSERT_TRUE(TakeFocus(Bar));
    SendMessageA(Bar->GetHandle(), WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_EQ(Bar->GetPosition(), 1);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    EXPECT_EQ(Bar->GetPosition(), 2);
    SendMessageA(Bar->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Bar->GetPosition(), 1);
}

TEST_F(SkinScrollBar, ASkinStretchesTheTrackAndMovesTheRightButton) {
    TFixtureSkin skin;
    const int pic = skin.AddPicture(60, 16);
    skin.Fill(pic, TRect(0, 0, 60, 16), clSilver);
    auto* record = skin.AddFramed<TskDataSkinScrollBarControl>("hscrollbar", pic, TRect(0, 0, 60, 16));
    record->RBPoint = TPoint(43, 0);
    record->RTPoint = TPoint(43, 0);
    record->LTPoint = TPoint(16, 0);
    record->DownButtonRect = TRect(0, 0, 16, 16);
    record->UpButtonRect = TRect(44, 0, 60, 16);
    record->ActiveUpButtonRect = TRect(44, 0, 60, 16);
    record->TrackArea = TRect(16, 0, 44, 16);
    record->ThumbRect = TRect(20, 2, 30, 14);
    Bar->SetSkinData(skin.Data.get());
    EXPECT_EQ(Bar->GetHeight(), 16);
    Bar->CalcRects();
    EXPECT_EQ(Bar->GetTrackRect(), TRect(16, 0, 184, 16));
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbUp), TRect(184, 0, 200, 16));
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbDown), TRect(0, 0, 16, 16));
    EXPECT_EQ(Bar->GetButtonRect(TskSkinScrollBar::sbThumb), TRect(16, 2, 26, 14));
    PaintToBitmap(Bar);
    EXPECT_TRUE(Errors.empty());
}

} // namespace
