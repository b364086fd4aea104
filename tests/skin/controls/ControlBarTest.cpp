// Control bars: the class library's bands in rows with their grips and bevels, and the
// skinned bar's frame outside its client area, its tiled or pictured background and its band
// frames, compared on the screen with the flat colours of a fixture skin; records that
// cannot be drawn, and windows made anew for SkinBevel and skin changes.
#include "skin/controls/SkinCtrls_ControlBars.h"

#include "skin/controls/SkinCtrls_Panels.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

const TColor kEdge = clNavy, kClient = clYellow, kBand = clLime, kGrip = clRed, kBack = clAqua;

class ControlBar : public ShownFormTest {
protected:
    // A bar with three bands of 60 x 20.
    template <typename T> T* MakeBar() {
        auto* bar = Add<T>(Form, 10, 10, 200, 80);
        for (int i = 0; i < 3; ++i) {
            // Placed one after the other in the first row: the bar wraps them.
            auto* band = new TskSkinPanel(Form);
            band->SetBorderStyle(TskSkinBorderStyle::bvNone);
            band->SetBounds(100 * i, 0, 60, 20);
            band->SetParent(bar);
        }
        return bar;
    }

    COLORREF ScreenPixel(TWinControl* Control, int X, int Y) {
        auto shot = CaptureWindow(Control->GetHandle());
        return PixelOf(shot.get(), X, Y);
    }
};

TEST_F(ControlBar, BandsStandInRowsWithGripsInsideTheBevels) {
    auto* bar = MakeBar<TControlBar>();
    EXPECT_EQ(bar->GetClientWidth(), 196);
    EXPECT_EQ(bar->GetControl(0)->GetBoundsRect(), TRect(11, 2, 71, 22));
    EXPECT_EQ(bar->GetControl(1)->GetBoundsRect(), TRect(84, 2, 144, 22));
    // The third band does not fit beside them: it starts the next row of 26.
    EXPECT_EQ(bar->GetControl(2)->GetBoundsRect(), TRect(11, 28, 71, 48));
    EXPECT_EQ(TCustomControlBar::BandRect(bar->GetControl(2)), TRect(0, 26, 73, 50));
    bar->SetAutoSize(true);
    EXPECT_EQ(bar->GetHeight(), 52 + 4);
    // The etched bevel outside the client area, the band's raised frame and grip inside it.
    EXPECT_EQ(ScreenPixel(bar, 50, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ScreenPixel(bar, 50, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(bar, 2 + 0, 2 + 12), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(bar, 2 + 3, 2 + 12), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(ScreenPixel(bar, 2 + 72, 2 + 12), ColorToRGB(clBtnShadow));
    bar->SetBevelOuter(bvNone);
    bar->SetBevelInner(bvNone);
    EXPECT_EQ(bar->GetClientWidth(), 200);
}

TEST_F(ControlBar, BandsCloseUpWhenABandIsFreedOrMovedToAnotherParent) {
    auto* bar = MakeBar<TControlBar>();
    ASSERT_EQ(bar->GetControl(2)->GetBoundsRect(), TRect(11, 28, 71, 48));
    const COLORREF rowTwoGrip = ScreenPixel(bar, 2 + 3, 2 + 26 + 12);
    ASSERT_EQ(rowTwoGrip, ColorToRGB(clBtnHighlight));
    delete bar->GetControl(0);
    // The band that started the second row joins the first, and the second row is empty.
    ASSERT_EQ(bar->GetControlCount(), 2);
    EXPECT_EQ(bar->GetControl(0)->GetBoundsRect(), TRect(11, 2, 71, 22));
    EXPECT_EQ(bar->GetControl(1)->GetBoundsRect(), TRect(84, 2, 144, 22));
    EXPECT_EQ(ScreenPixel(bar, 2 + 3, 2 + 26 + 12), ColorToRGB(clBtnFace));
    bar->GetControl(0)->SetParent(Form);
    ASSERT_EQ(bar->GetControlCount(), 1);
    EXPECT_EQ(bar->GetControl(0)->GetBoundsRect(), TRect(11, 2, 71, 22));
}

class SkinnedControlBar : public ControlBar {
protected:
    void SetUp() override {
        ControlBar::SetUp();
        Pic = Skin.AddPicture(80, 40);
        Skin.Fill(Pic, TRect(0, 0, 40, 40), kEdge);
        Skin.Fill(Pic, TRect(4, 4, 36, 36), kClient);
        Skin.Fill(Pic, TRect(40, 0, 80, 20), kBand);
        Skin.Fill(Pic, TRect(40, 0, 52, 20), kGrip);
        Back = Skin.AddPicture(10, 10);
        Skin.Fill(Back, TRect(0, 0, 10, 10), kBack);
        Record = Skin.Add<TskDataSkinControlBar>("controlbar");
        Record->PictureIndex = Pic;
        Record->SkinRect = TRect(0, 0, 40, 40);
        Record->LTPoint = TPoint(4, 4);
        Record->RTPoint = TPoint(36, 4);
        Record->LBPoint = TPoint(4, 36);
        Record->RBPoint = TPoint(36, 36);
        Record->ClRect = TRect(4, 4, 36, 36);
        Record->ItemRect = TRect(40, 0, 80, 20);
        Bar = MakeBar<TskSkinControlBar>();
    }

    void ApplySkin() {
        Bar->BeforeChangeSkinData();
        Bar->ChangeSkinData();
    }

    TFixtureSkin Skin;
    int Pic = 0, Back = 0;
    TskDataSkinControlBar* Record = nullptr;
    TskSkinControlBar* Bar = nullptr;
};

TEST_F(SkinnedControlBar, WithoutSkinBevelTheSkinnedBarHasNoFrameButSkinnedBandsAndBackground) {
    Bar->SetSkinData(Skin.Data.get());
    ASSERT_TRUE(Bar->IsSkinned());
    EXPECT_EQ(Bar->GetClientWidth(), 200);
    EXPECT_EQ(Bar->GetClientHeight(), 80);
    EXPECT_EQ(Bar->GetControl(0)->GetBoundsRect(), TRect(11, 2, 71, 22));
    // The client part of the skin repeats where no band is.
    EXPECT_EQ(ScreenPixel(Bar, 190, 70), ColorToRGB(kClient));
    EXPECT_EQ(ScreenPixel(Bar, 0, 0), ColorToRGB(kGrip));
    // The band's frame: the grip down its left, its edges from the item picture.
    EXPECT_EQ(ScreenPixel(Bar, 5, 12), ColorToRGB(kGrip));
    EXPECT_EQ(ScreenPixel(Bar, 40, 0), ColorToRGB(kBand));
    EXPECT_EQ(ScreenPixel(Bar, 72, 12), ColorToRGB(kBand));
    EXPECT_EQ(ScreenPixel(Bar, 40, 23), ColorToRGB(kBand));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinnedControlBar, SkinBevelPutsTheSkinsFrameOutsideTheClientAreaInANewWindow) {
    Bar->SetSkinData(Skin.Data.get());
    HWND first = Bar->GetHandle();
    Bar->SetSkinBevel(true);
    HWND second = Bar->GetHandle();
    EXPECT_NE(second, first);
    EXPECT_EQ(Bar->GetClientWidth(), 200 - 8);
    EXPECT_EQ(Bar->GetClientHeight(), 80 - 8);
    EXPECT_EQ(ScreenPixel(Bar, 1, 1), ColorToRGB(kEdge));
    EXPECT_EQ(ScreenPixel(Bar, 198, 78), ColorToRGB(kEdge));
    EXPECT_EQ(ScreenPixel(Bar, 4 + 190, 4 + 60), ColorToRGB(kClient));
    // A new skin makes the window anew as well.
    ApplySkin();
    EXPECT_NE(Bar->GetHandle(), second);
    EXPECT_EQ(Bar->GetClientWidth(), 192);
    // Without a skin the library's bevels come back.
    Bar->SetSkinData(nullptr);
    EXPECT_FALSE(Bar->IsSkinned());
    EXPECT_EQ(Bar->GetClientWidth(), 196);
    EXPECT_EQ(ScreenPixel(Bar, 50, 0), ColorToRGB(clBtnShadow));
}

TEST_F(SkinnedControlBar, APictureOfTheSkinIsTiledAndAnIndexNamingNoneCountsAsNone) {
    Record->BGPictureIndex = Back;
    Bar->SetSkinData(Skin.Data.get());
    EXPECT_EQ(ScreenPixel(Bar, 190, 70), ColorToRGB(kBack));
    Record->BGPictureIndex = 9;
    ApplySkin();
    EXPECT_EQ(ScreenPixel(Bar, 190, 70), ColorToRGB(kClient));
    Record->BGPictureIndex = -7;
    ApplySkin();
    EXPECT_EQ(ScreenPixel(Bar, 190, 70), ColorToRGB(kClient));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinnedControlBar, RecordsThatCannotBeDrawnLeaveTheLibrarysLook) {
    Bar->SetSkinBevel(true);
    // The record names no picture.
    Record->PictureIndex = 5;
    Bar->SetSkinData(Skin.Data.get());
    EXPECT_FALSE(Bar->IsSkinned());
    EXPECT_EQ(Bar->GetClientWidth(), 196);
    EXPECT_EQ(ScreenPixel(Bar, 190, 70), ColorToRGB(clBtnFace));
    // A record of another kind under the bar's name.
    Record->IDName = "other";
    Skin.Add<TskDataSkinPanelControl>("controlbar")->PictureIndex = Pic;
    ApplySkin();
    EXPECT_FALSE(Bar->IsSkinned());
    // An empty skin.
    Record->IDName = "controlbar";
    Record->PictureIndex = Pic;
    Skin.Data->Empty = true;
    Bar->SetSkinData(nullptr);
    Bar->SetSkinData(Skin.Data.get());
    EXPECT_FALSE(Bar->IsSkinned());
    EXPECT_EQ(Bar->GetClientWidth(), 196);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinnedControlBar, ABarWithoutClientAreaPaintsNothing) {
    Bar->SetSkinBevel(true);
    Bar->SetSkinData(Skin.Data.get());
    Bar->SetBounds(10, 10, 8, 80);
    EXPECT_EQ(Bar->GetClientWidth(), 0);
    CaptureWindow(Bar->GetHandle());
    Bar->SetBounds(10, 10, 200, 6);
    CaptureWindow(Bar->GetHandle());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinnedControlBar, TheSkinsGoingLeavesTheLibrarysLook) {
    Bar->SetSkinData(Skin.Data.get());
    Bar->SetSkinBevel(true);
    ASSERT_TRUE(Bar->IsSkinned());
    Skin.Data.reset();
    EXPECT_EQ(Bar->GetSkin(), nullptr);
    EXPECT_FALSE(Bar->IsSkinned());
    EXPECT_EQ(Bar->GetClientWidth(), 196);
}

} // namespace
