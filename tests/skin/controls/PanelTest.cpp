// Skinned panels and group boxes: rolling up and down with and without a skin, caption
// clicks, the check mode, client-part and background tiling, and the default frames.
// Freed memory is poisoned here: a child's events may roll its panel while it rolls.
#include "skin/controls/SkinCtrls_Panels.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/ScreenText.h"

#include "classlib/ColorMix.h"

namespace {

const TColor kEdge = clNavy, kClient = clYellow, kBackground = clFuchsia;

class SkinPanel : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Pic = Skin.AddPicture(60, 60);
        Skin.Fill(Pic, TRect(0, 0, 60, 60), kEdge);
        Skin.Fill(Pic, TRect(2, 14, 58, 58), kClient);
        Record = Skin.AddFramed<TskDataSkinPanelControl>("groupbox", Pic, TRect(0, 0, 60, 60));
        Record->ClRect = TRect(2, 14, 58, 58);
        Record->CaptionRect = TRect(2, 2, 58, 12);
        Box = Add<TskSkinGroupBox>(Form, 10, 10, 200, 150);
        Box->SetCaption("Pages");
        Box->SetRollUpMode(true);
        Inside = Add<TskSkinPanel>(Box, 10, 30, 50, 50);
        Hidden = Add<TskSkinPanel>(Box, 70, 30, 50, 50);
        Hidden->SetVisible(false);
    }

    TFixtureSkin Skin;
    int Pic = 0;
    TskDataSkinPanelControl* Record = nullptr;
    TskSkinGroupBox* Box = nullptr;
    TskSkinPanel* Inside = nullptr;
    TskSkinPanel* Hidden = nullptr;
};

TEST_F(SkinPanel, RollsUpToItsCaptionAndBackWithoutASkin) {
    Box->SetRollUpMode(false);
    Box->SetRollUpState(true);
    EXPECT_FALSE(Box->GetRollUpState());
    EXPECT_EQ(Box->GetHeight(), 150);

    Box->SetRollUpMode(true);
    Box->SetRollUpState(true);
    EXPECT_EQ(Box->GetHeight(), 23);
    EXPECT_FALSE(Inside->GetVisible());
    // Rolling up again changes nothing and keeps the height to come back to.
    Box->SetRollUpState(true);
    EXPECT_EQ(Box->GetStoredHeight(), 150);
    Box->SetRollUpState(false);
    EXPECT_EQ(Box->GetHeight(), 150);
    EXPECT_TRUE(Inside->GetVisible());
    EXPECT_FALSE(Hidden->GetVisible());
    Box->SetRollUpState(false);
    EXPECT_EQ(Box->GetHeight(), 150);
}

TEST_F(SkinPanel, ASkinnedRollRemovesTheMappedClientHeightAndSurvivesASkinChange) {
    Box->SetSkinData(Skin.Data.get());
    ASSERT_EQ(Box->GetSkinIndex(), 0);
    EXPECT_EQ(Box->NewClRect, TRect(2, 14, 198, 148));
    Box->SetRollUpState(true);
    EXPECT_EQ(Box->GetHeight(), 16);

    // The new skin has a taller caption: the panel rolls to it and keeps its height.
    Record->ClRect = TRect(2, 20, 58, 58);
    Box->BeforeChangeSkinData();
    Box->ChangeSkinData();
    EXPECT_TRUE(Box->GetRollUpState());
    EXPECT_EQ(Box->GetHeight(), 22);
    EXPECT_EQ(Box->GetStoredHeight(), 150);
    Box->SetRollUpState(false);
    EXPECT_EQ(Box->GetHeight(), 150);
}

// A child whose hiding rolls its group box down again, as a program's event may.
class TUnrollingChild : public TskSkinPanel {
public:
    using TskSkinPanel::TskSkinPanel;
    void SetVisible(bool Value) override {
        TskSkinPanel::SetVisible(Value);
        if (auto* box = dynamic_cast<TskSkinGroupBox*>(GetParent()); !Value && box) box->SetRollUpState(false);
    }
};

TEST_F(SkinPanel, AChildWhoseHidingUnrollsTheBoxLeavesTheRollSound) {
    auto* child = Add<TUnrollingChild>(Box, 130, 30, 40, 40);
    // The child is hidden first: the box unrolls while it is still hiding its children.
    Inside->SetParent(nullptr);
    Inside->SetParent(Box);
    Box->SetRollUpState(true);
    EXPECT_FALSE(Box->GetRollUpState());
    EXPECT_EQ(Box->GetHeight(), 150);
    EXPECT_TRUE(child->GetVisible());
    EXPECT_TRUE(Inside->GetVisible()) << "the hiding stops once the box is unrolled";
    EXPECT_FALSE(Hidden->GetVisible());
}

TEST_F(SkinPanel, ACaptionReleaseTogglesCheckAndRoll) {
    int checkedEvents = 0;
    struct TCounter {
        int* Count;
        void Fire(TObject*) { ++*Count; }
    } counter{&checkedEvents};
    Box->OnChecked = TNotifyEvent(&counter, &TCounter::Fire);
    Box->SetCheckedMode(true);
    MouseDown(Box, 50, 10);
    MouseUp(Box, 50, 10);
    EXPECT_TRUE(Box->GetChecked());
    EXPECT_TRUE(Box->GetRollUpState());
    EXPECT_EQ(checkedEvents, 1);
    // A release below the caption, or of another button, does nothing.
    Box->SetRollUpState(false);
    MouseDown(Box, 50, 100);
    MouseUp(Box, 50, 100);
    SendMessageA(Box->GetHandle(), WM_RBUTTONUP, 0, MAKELPARAM(50, 10));
    EXPECT_FALSE(Box->GetRollUpState());
    EXPECT_TRUE(Box->GetChecked());
    // Unchecking disables the children; OnChecked fires even without a change.
    Box->SetChecked(false);
    Box->SetChecked(false);
    EXPECT_FALSE(Inside->GetEnabled());
    EXPECT_EQ(checkedEvents, 3);
}

TEST_F(SkinPanel, PaintsTheSkinTheClientTilesAndTheBackground) {
    Box->SetSkinData(Skin.Data.get());
    auto framed = PaintToBitmap(Box);
    EXPECT_EQ(PixelOf(framed.get(), 0, 0), static_cast<COLORREF>(kEdge));
    EXPECT_EQ(PixelOf(framed.get(), 100, 100), static_cast<COLORREF>(kClient));

    // No border and no caption: the client part tiles the whole panel.
    auto* panel = Add<TskSkinPanel>(Form, 220, 10, 130, 90);
    Skin.AddFramed<TskDataSkinPanelControl>("panel", Pic, TRect(0, 0, 60, 60))->ClRect =
        TRect(2, 14, 58, 58);
    panel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    panel->SetSkinData(Skin.Data.get());
    auto tiled = PaintToBitmap(panel);
    EXPECT_EQ(PixelOf(tiled.get(), 0, 0), static_cast<COLORREF>(kClient));
    EXPECT_EQ(PixelOf(tiled.get(), 129, 89), static_cast<COLORREF>(kClient));

    // A background picture is tiled over the whole panel, and children use all of it.
    const int background = Skin.AddPicture(8, 8);
    Skin.Fill(background, TRect(0, 0, 8, 8), kBackground);
    Record->BGPictureIndex = background;
    auto tiledBackground = PaintToBitmap(Box);
    EXPECT_EQ(PixelOf(tiledBackground.get(), 199, 149), static_cast<COLORREF>(kBackground));
    TRect whole = Box->GetClientRect();
    Box->AdjustClientRect(whole);
    EXPECT_EQ(whole, Box->GetClientRect());
    // An index outside the list names no picture: the panel paints and aligns as without.
    Record->BGPictureIndex = 99;
    auto outside = PaintToBitmap(Box);
    EXPECT_EQ(PixelOf(outside.get(), 0, 0), static_cast<COLORREF>(kEdge));
    EXPECT_EQ(PixelOf(outside.get(), 100, 100), static_cast<COLORREF>(kClient));
    TRect inset = Box->GetClientRect();
    Box->AdjustClientRect(inset);
    EXPECT_NE(inset, Box->GetClientRect());
    // An empty picture in the list draws nothing.
    Skin.Data->ActivePictures[static_cast<std::size_t>(background)] = std::make_unique<TBitmap>();
    Record->BGPictureIndex = background;
    PaintToBitmap(Box);
    EXPECT_TRUE(Errors.empty());
}

// A borderless panel without a caption has its client tiles drawn straight on the screen:
// each pixel is the tile's pixel at its place, on the screen and in a repaint of a part.
// A tile that lies outside the skin's picture draws nothing, over the white a panel without
// a picture shows.
TEST_F(SkinPanel, APlainPanelShowsItsClientTileAtEveryPlace) {
    const TColor kRight = clRed;
    Skin.Fill(Pic, TRect(30, 14, 58, 58), kRight);
    auto* plain = Skin.AddFramed<TskDataSkinPanelControl>("panel", Pic, TRect(0, 0, 60, 60));
    plain->ClRect = TRect(2, 14, 58, 58);
    auto* panel = Add<TskSkinPanel>(Form, 220, 10, 130, 90);
    panel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    panel->SetSkinData(Skin.Data.get());
    panel->Repaint();
    auto expected = [](int X) { return static_cast<COLORREF>(X % 56 < 28 ? kClient : clRed); };
    auto screen = ScreenShot(panel->GetHandle());
    auto painted = PaintToBitmap(panel);
    int differing = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 130; ++x)
            differing += (PixelOf(screen.get(), x, y) != expected(x)) +
                         (PixelOf(painted.get(), x, y) != expected(x));
    EXPECT_EQ(differing, 0);

    // Only the part asked for is painted.
    TBitmap part(130, 90);
    HDC dc = part.GetCanvas()->GetHandle();
    IntersectClipRect(dc, 40, 20, 70, 30);
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(PixelOf(&part, 39, 25), ColorToRGB(clWhite));
    EXPECT_EQ(PixelOf(&part, 40, 25), expected(40));
    EXPECT_EQ(PixelOf(&part, 69, 29), expected(69));
    EXPECT_EQ(PixelOf(&part, 70, 29), ColorToRGB(clWhite));

    plain->ClRect = TRect(2, 14, 58, 70);
    panel->Repaint();
    auto outside = ScreenShot(panel->GetHandle());
    EXPECT_EQ(PixelOf(outside.get(), 100, 50), ColorToRGB(clWhite));
    EXPECT_TRUE(Errors.empty());
}

// A plain panel tiles only what its child windows leave shown: every shown pixel is its tile's,
// after a full repaint, a repaint of an area crossing a child's edge, and a child's hiding.
TEST_F(SkinPanel, APlainPanelTilesWhatItsChildrenLeaveShown) {
    Skin.Fill(Pic, TRect(30, 14, 58, 58), clRed);
    auto* plain = Skin.AddFramed<TskDataSkinPanelControl>("panel", Pic, TRect(0, 0, 60, 60));
    plain->ClRect = TRect(2, 14, 58, 58);
    auto* panel = Add<TskSkinPanel>(Form, 180, 10, 200, 150);
    panel->SetBorderStyle(TskSkinBorderStyle::bvNone);
    auto* left = Add<TskSkinPanel>(panel, 10, 10, 60, 100);
    auto* right = Add<TskSkinPanel>(panel, 100, 40, 80, 30);
    panel->SetSkinData(Skin.Data.get());
    auto expected = [](int X) { return static_cast<COLORREF>(X % 56 < 28 ? kClient : clRed); };
    auto under = [](TControl* C, int X, int Y) {
        return C->GetVisible() && X >= C->GetLeft() && X < C->GetLeft() + C->GetWidth() &&
               Y >= C->GetTop() && Y < C->GetTop() + C->GetHeight();
    };
    auto wrongPixels = [&] {
        auto screen = ScreenShot(panel->GetHandle());
        int wrong = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                if (!under(left, x, y) && !under(right, x, y))
                    wrong += PixelOf(screen.get(), x, y) != expected(x);
        return wrong;
    };
    // What is repainted is wiped first, so that no pixel left from an earlier paint counts.
    auto repaint = [&](const RECT& Area) {
        HDC dc = GetDC(panel->GetHandle());
        FillRect(dc, &Area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ReleaseDC(panel->GetHandle(), dc);
        RedrawWindow(panel->GetHandle(), &Area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    repaint(RECT{0, 0, 200, 150});
    EXPECT_EQ(wrongPixels(), 0);
    repaint(RECT{50, 30, 130, 90});
    EXPECT_EQ(wrongPixels(), 0);
    right->SetVisible(false);
    Pump();
    EXPECT_EQ(wrongPixels(), 0);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinPanel, TheDefaultLookFramesByBorderStyle) {
    auto frame = PaintToBitmap(Box);
    EXPECT_EQ(PixelOf(frame.get(), 0, 100), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(frame.get(), 100, 100), ColorToRGB(clBtnFace));
    Box->SetBorderStyle(TskSkinBorderStyle::bvRaised);
    auto raised = PaintToBitmap(Box);
    EXPECT_EQ(PixelOf(raised.get(), 0, 100), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(raised.get(), 199, 100), ColorToRGB(clBtnShadow));
    // Children are aligned inside the frame and below the caption bar.
    TRect client = Box->GetClientRect();
    Box->AdjustClientRect(client);
    EXPECT_EQ(client, TRect(1, 23, 199, 149));
}

TEST_F(SkinPanel, ANewCaptionShowsAsAWholeRepaintWouldShowIt) {
    for (bool skinned : {false, true}) {
        SCOPED_TRACE(skinned ? "skinned" : "default look");
        if (skinned) Box->SetSkinData(Skin.Data.get());
        Box->SetCaption("Pages ::   a long file name that fills the bar.pge");
        Pump();
        for (const char* caption : {"Pages ::   short.pge", "", "Pages"}) {
            Box->SetCaption(caption);
            auto changed = ScreenShot(Box->GetHandle());
            auto whole = CaptureWindow(Box->GetHandle());
            EXPECT_EQ(DifferingPixels(changed.get(), whole.get()), 0)
                << "caption \"" << caption << "\"";
        }
    }
}

TEST_F(SkinPanel, ADisabledGroupBoxGreysItsCaption) {
    Box->SetSkinData(Skin.Data.get());
    auto enabled = PaintToBitmap(Box);
    Box->SetEnabled(false);
    auto disabled = PaintToBitmap(Box);
    int grey = 0, changed = 0;
    const TRect text = Box->CaptionTextRect();
    for (int y = text.Top; y < text.Bottom; ++y)
        for (int x = text.Left; x < text.Right; ++x) {
            changed += PixelOf(enabled.get(), x, y) != PixelOf(disabled.get(), x, y);
            // The skin's caption colour halfway to grey: the system's grey is made for its
            // own faces, not for the skin's.
            grey += PixelOf(disabled.get(), x, y) == ColorToRGB(MixColors(Record->FontColor, clGray, 50));
        }
    EXPECT_GT(changed, 10);
    EXPECT_GT(grey, 10);
}

// A skin that gives the caption no place: the caption bar a panel asks for still shows, with
// its check box and caption, answers clicks, and keeps the children below it.
TEST_F(SkinPanel, ASkinWithoutACaptionPlaceStillShowsTheCaptionBar) {
    Record->CaptionRect = TRect();
    Box->SetRollUpMode(false);
    Box->SetCheckedMode(true);
    Box->SetSkinData(Skin.Data.get());
    Pump();
    auto shot = CaptureWindow(Box->GetHandle());
    EXPECT_TRUE(ShowsWhole(ShotOf(shot.get(), TRect(0, 0, Box->GetWidth(), Box->GetDefaultCaptionHeight())),
                           "Pages", {Record->FontName, Record->FontHeight, false}));
    // The check box's frame, left of the caption.
    const int cy = Box->CaptionTextRect().Top + RectHeight(Box->CaptionTextRect()) / 2;
    EXPECT_EQ(PixelOf(shot.get(), 5, cy), ColorToRGB(clBtnShadow));
    TRect client(0, 0, Box->GetWidth(), Box->GetHeight());
    Box->AdjustClientRect(client);
    EXPECT_GE(client.Top, Box->GetDefaultCaptionHeight());
    MouseDown(Box, 60, 10);
    MouseUp(Box, 60, 10);
    EXPECT_TRUE(Box->GetChecked());
}

} // namespace
