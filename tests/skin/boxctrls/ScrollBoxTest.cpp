// The skinned scroll box on real windows: ranges from the children, the bars shown and
// hidden, growing and shrinking while scrolled, the last pixel row reachable, the user's
// clicks on a bar moving the children, the frame and background skinned and plain, and
// screenshots (scrollbox-skinned.bmp, scrollbox-default.bmp) for people to see.
#include "skin/boxctrls/SkinBoxCtrls_ScrollBoxes.h"

#include "skin/data/SkinData_Controls.h"

#include "classlib/Panels.h"
#include "classlib/Paths.h"

#include "tests/skin/boxctrls/EditDemos.h"
#include "tests/skin/controls/SkinFixture.h"

namespace {

constexpr TColor kFrame = 0x00FFFF, kInside = 0x00FF00, kBackground = 0xFF8000;

class SkinScrollBox : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(50, 50, 420, 320);
        Box = Add<TskSkinScrollBox>(Form, 10, 10, 152, 152);
        VBar = Add<TskSkinScrollBar>(Form, 170, 10, 19, 152);
        VBar->SetKind(sbVertical);
        HBar = Add<TskSkinScrollBar>(Form, 10, 170, 152, 19);
        Box->SetVScrollBar(VBar);
        Box->SetHScrollBar(HBar);
    }
    TPanel* Child(int Left, int Top, int Width, int Height) {
        auto* child = Add<TPanel>(Box, Left, Top, Width, Height);
        child->SetColor(clRed);
        return child;
    }

    TskSkinScrollBox* Box = nullptr;
    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
};

TEST_F(SkinScrollBox, ChildrenThatFitLeaveBothBarsHiddenWithNoRange) {
    EXPECT_EQ(Box->GetClientHeight(), 150) << "a 1-pixel frame";
    Child(10, 10, 100, 100);
    EXPECT_FALSE(VBar->GetVisible());
    EXPECT_FALSE(HBar->GetVisible());
    EXPECT_EQ(VBar->GetMax(), 0);
    EXPECT_EQ(VBar->GetPageSize(), 0);
    EXPECT_EQ(HBar->GetMax(), 0);
}

TEST_F(SkinScrollBox, ATallChildShowsTheVerticalBarAloneWithItsRangeAndPage) {
    auto* child = Child(0, 200, 50, 100);
    EXPECT_TRUE(VBar->GetVisible());
    EXPECT_FALSE(HBar->GetVisible());
    EXPECT_EQ(VBar->GetMin(), 0);
    EXPECT_EQ(VBar->GetMax(), 299);
    EXPECT_EQ(VBar->GetPageSize(), 150);
    // The horizontal bar leaves no corner while the vertical one is hidden, and one while it shows.
    EXPECT_TRUE(HBar->GetBoth() == false || !HBar->GetVisible());
    child->SetWidth(400);
    EXPECT_TRUE(HBar->GetVisible());
    EXPECT_TRUE(HBar->GetBoth());
    child->SetBounds(0, 0, 400, 100);
    EXPECT_FALSE(VBar->GetVisible());
    EXPECT_FALSE(HBar->GetBoth()) << "no vertical bar, no corner";
    // Hidden, the bars follow the box.
    Box->SetVisible(false);
    EXPECT_FALSE(HBar->GetVisible());
}

TEST_F(SkinScrollBox, TheRangesFollowAChildThatIsFreedOrMovedToAnotherParent) {
    auto* tall = Child(0, 0, 50, 300);
    auto* wide = Child(0, 0, 400, 50);
    ASSERT_TRUE(VBar->GetVisible());
    ASSERT_TRUE(HBar->GetVisible());
    Box->VScroll(100);
    delete tall;
    EXPECT_FALSE(VBar->GetVisible());
    EXPECT_EQ(VBar->GetMax(), 0);
    EXPECT_EQ(wide->GetTop(), 0) << "scrolled back to the top with nothing left to scroll";
    EXPECT_TRUE(HBar->GetVisible());
    wide->SetParent(Form);
    EXPECT_FALSE(HBar->GetVisible());
    EXPECT_EQ(HBar->GetMax(), 0);
}

TEST_F(SkinScrollBox, ThePositionReachesTheBarsMaximumSoTheLastRowShows) {
    auto* child = Child(0, 0, 50, 300);
    Box->VScroll(100000);
    EXPECT_EQ(VBar->GetPosition(), VBar->GetMax() - VBar->GetPageSize() + 1);
    EXPECT_EQ(child->GetTop() + child->GetHeight(), Box->GetClientHeight()) << "the last row at the bottom";
    Box->VScroll(-5);
    EXPECT_EQ(child->GetTop(), 0);
}

TEST_F(SkinScrollBox, GrowingWhileScrolledBringsTheChildrenBackByTheGrowthAtMostThePosition) {
    auto* child = Child(0, 0, 50, 300);
    Box->VScroll(100);
    Box->SetHeight(Box->GetHeight() + 30);
    EXPECT_EQ(VBar->GetPosition(), 100) << "the content still reaches the bottom: nothing moves";
    EXPECT_EQ(child->GetTop(), -100);
    EXPECT_EQ(VBar->GetPageSize(), 180);
    Box->VScroll(1000);
    ASSERT_EQ(child->GetTop(), -120);
    Box->SetHeight(Box->GetHeight() + 30);
    EXPECT_EQ(VBar->GetPosition(), 90) << "scrolled to the end, the content comes down by the growth";
    EXPECT_EQ(child->GetTop(), -90);
    EXPECT_EQ(child->GetTop() + child->GetHeight(), Box->GetClientHeight());
    Box->SetHeight(Box->GetHeight() + 120);
    EXPECT_EQ(child->GetTop(), 0) << "by the growth, at most the position";
    EXPECT_FALSE(VBar->GetVisible()) << "everything fits";
}

TEST_F(SkinScrollBox, ShrinkingContentKeepsThePositionWithinTheNewRange) {
    auto* child = Child(0, 0, 50, 300);
    Box->VScroll(100);
    child->SetHeight(280);
    EXPECT_EQ(VBar->GetPosition(), 100) << "still within the range";
    EXPECT_EQ(child->GetTop(), -100);
    child->SetHeight(200);
    EXPECT_EQ(VBar->GetPosition(), 50) << "clamped to the new end, not back to the top";
    EXPECT_EQ(child->GetTop(), -50);
    EXPECT_EQ(child->GetTop() + child->GetHeight(), Box->GetClientHeight());
    EXPECT_EQ(VBar->GetMax(), 199);
}

TEST_F(SkinScrollBox, TheUsersClicksOnTheBarMoveTheChildren) {
    auto* child = Child(0, 0, 50, 400);
    auto* wide = Child(0, 0, 300, 10);
    const TRect down = VBar->GetButtonRect(TskSkinScrollBar::sbUp);
    ASSERT_FALSE(IsNullRect(down));
    ASSERT_TRUE(ClickOnScreen(VBar, (down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2,
                              [&] { return VBar->GetPosition() > 0; }));
    EXPECT_EQ(child->GetTop(), -VBar->GetPosition());
    // A click in the track below the thumb pages on.
    const TRect track = VBar->GetTrackRect();
    const int before = VBar->GetPosition();
    ASSERT_TRUE(ClickOnScreen(VBar, (track.Left + track.Right) / 2, track.Bottom - 3,
                              [&] { return VBar->GetPosition() > before; }));
    EXPECT_EQ(child->GetTop(), -VBar->GetPosition());
    const TRect right = HBar->GetButtonRect(TskSkinScrollBar::sbUp);
    ASSERT_TRUE(ClickOnScreen(HBar, (right.Left + right.Right) / 2, (right.Top + right.Bottom) / 2,
                              [&] { return HBar->GetPosition() > 0; }));
    EXPECT_EQ(wide->GetLeft(), -HBar->GetPosition());
    EXPECT_EQ(child->GetLeft(), -HBar->GetPosition());
    // The screen shows the children where they went.
    Pump();
    auto shot = CaptureWindow(Box->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 20, 100), ColorToRGB(clRed));
}

// Scrolled to the end, the first child stands far past any place a form holds.
TEST_F(SkinScrollBox, DraggingTheThumbToTheEndAndBackPutsEveryChildBackExactly) {
    auto* first = Child(0, 0, 50, 100);
    auto* last = Child(0, MaxControlExtent, 50, MaxControlExtent);
    for (int end : {VBar->GetMax() - VBar->GetPageSize() + 1, 0}) {
        const TRect thumb = VBar->GetButtonRect(TskSkinScrollBar::sbThumb);
        DragPointer(OnScreen(VBar, (thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2),
                    0, end > 0 ? 400 : -400);
        ASSERT_EQ(VBar->GetPosition(), end) << "dragged past the end of the track";
    }
    EXPECT_EQ(first->GetTop(), 0);
    EXPECT_EQ(last->GetTop(), MaxControlExtent);
    EXPECT_EQ(PixelOf(CaptureWindow(Box->GetHandle()).get(), 20, 50), ColorToRGB(clRed));
}

TEST_F(SkinScrollBox, TheSkinsFrameAndTiledClientPartOrABackgroundPictureWithoutFrame) {
    TFixtureSkin skin;
    const int picture = skin.AddPicture(40, 40);
    skin.Fill(picture, TRect(0, 0, 40, 40), kFrame);
    skin.Fill(picture, TRect(3, 3, 37, 37), kInside);
    auto* record = skin.AddFramed<TskDataSkinScrollBoxControl>("scrollbox", picture, TRect(0, 0, 40, 40));
    record->ClRect = TRect(3, 3, 37, 37);
    record->LTPoint = TPoint(3, 3);
    record->RTPoint = TPoint(37, 3);
    record->LBPoint = TPoint(3, 37);
    record->RBPoint = TPoint(37, 37);
    Box->SetSkinData(skin.Data.get());
    EXPECT_EQ(Box->GetClientHeight(), 146);
    auto shot = CaptureWindow(Box->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), ColorToRGB(kFrame));
    EXPECT_EQ(PixelOf(shot.get(), 150, 150), ColorToRGB(kFrame));
    for (TPoint p : {TPoint(5, 5), TPoint(40, 40), TPoint(100, 140), TPoint(146, 146)})
        EXPECT_EQ(PixelOf(shot.get(), p.X, p.Y), ColorToRGB(kInside)) << p.X << "," << p.Y;

    const int background = skin.AddPicture(16, 16);
    skin.Fill(background, TRect(0, 0, 16, 16), kBackground);
    record->BGPictureIndex = background;
    Box->SetSkinData(nullptr);
    Box->SetSkinData(skin.Data.get());
    EXPECT_EQ(Box->GetClientHeight(), 152) << "a background picture has no frame";
    shot = CaptureWindow(Box->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), ColorToRGB(kBackground));
    EXPECT_EQ(PixelOf(shot.get(), 151, 151), ColorToRGB(kBackground));

    Box->SetSkinData(nullptr);
    Box->SetBorderStyle(TskSkinBorderStyle::bvNone);
    EXPECT_EQ(Box->GetClientHeight(), 152);
    Box->SetBorderStyle(TskSkinBorderStyle::bvLowered);
    EXPECT_EQ(Box->GetClientHeight(), 150);
    shot = CaptureWindow(Box->GetHandle());
    // Lowered as the other skinned frames are: dark above and left, light below and right.
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot.get(), 151, 151), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(shot.get(), 70, 70), ColorToRGB(clBtnFace));
}

TEST_F(SkinScrollBox, ScreenshotsOfSkinnedAndPlainBoxes) {
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    Box->SetVisible(false);
    for (bool skinned : {true, false}) {
        const TScrollBoxDemo demo = PlaceScrollBox(Form, TPoint(200, 10), skinned ? &program : nullptr);
        Pump();
        CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + (skinned ? "scrollbox-skinned.bmp"
                                                                           : "scrollbox-default.bmp"));
        for (TControl* c : demo.All()) delete c;
    }
}

} // namespace
