// The skinned control bases: resize modes and the geometry mapped to a size, skin and
// default images, window regions read back from the window, and the skin-change relay.
#include "skin/controls/SkinCtrls_Graphic.h"
#include "skin/form/SkinRelay.h"

#include "tests/skin/controls/SkinFixture.h"

#include <string>
#include <vector>

namespace {

TskSkinShape Shape(TPoint LT, TPoint RT, TPoint LB, TPoint RB) {
    TskSkinShape shape;
    shape.SkinRect = TRect(10, 10, 50, 30); // 40 x 20
    shape.LTPoint = LT;
    shape.RTPoint = RT;
    shape.LBPoint = LB;
    shape.RBPoint = RB;
    shape.ClRect = TRect(4, 4, 36, 16);
    shape.ResizeMode = shape.GetResizeMode();
    return shape;
}

TEST(SkinShape, ResizeModeFollowsTheCornerPointsInOrder) {
    EXPECT_EQ(Shape({4, 4}, {36, 4}, {4, 16}, {36, 16}).ResizeMode, rmBoth);
    // RB with a zero Y does not count; RT decides.
    EXPECT_EQ(Shape({4, 4}, {36, 4}, {4, 16}, {36, 0}).ResizeMode, rmWidth);
    EXPECT_EQ(Shape({4, 4}, {}, {4, 16}, {}).ResizeMode, rmHeight);
    EXPECT_EQ(Shape({4, 4}, {}, {}, {}).ResizeMode, rmFixed);
    TskSkinShape empty = Shape({4, 4}, {36, 4}, {4, 16}, {36, 16});
    empty.SkinRect = TRect(10, 10, 10, 30);
    EXPECT_EQ(empty.GetResizeMode(), rmNoSkinRect);
}

TEST(SkinShape, CalcSizeKeepsWhatTheModeFixes) {
    TskSkinShape both = Shape({4, 4}, {36, 4}, {4, 16}, {36, 16});
    int w = 100, h = 50;
    both.MapToSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(100, 50));
    EXPECT_EQ(both.NewRTPoint, TPoint(96, 4));
    EXPECT_EQ(both.NewLBPoint, TPoint(4, 46));
    EXPECT_EQ(both.NewRBPoint, TPoint(96, 46));
    EXPECT_EQ(both.NewClRect, TRect(4, 4, 96, 46));

    TskSkinShape wide = Shape({4, 4}, {36, 4}, {}, {});
    w = 100, h = 50;
    wide.MapToSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(100, 20));
    EXPECT_EQ(wide.NewClRect, TRect(4, 4, 96, 16));

    TskSkinShape tall = Shape({4, 4}, {}, {4, 16}, {});
    w = 100, h = 50;
    tall.MapToSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(40, 50));
    EXPECT_EQ(tall.NewClRect, TRect(4, 4, 36, 46));

    TskSkinShape fixed = Shape({4, 4}, {}, {}, {});
    w = 100, h = 50;
    fixed.MapToSize(w, h, true);
    EXPECT_EQ(TPoint(w, h), TPoint(40, 20));
    // Unskinned, nothing changes.
    w = 100, h = 50;
    fixed.MapToSize(w, h, false);
    EXPECT_EQ(TPoint(w, h), TPoint(100, 50));
}

TEST(SkinShape, GetNewRectFollowsTheCornerAreas) {
    TskSkinShape both = Shape({4, 4}, {36, 4}, {4, 16}, {36, 16});
    // 60 wider and 30 higher than the skin.
    EXPECT_EQ(both.GetNewRect(TRect(1, 1, 3, 3), 100, 50), TRect(1, 1, 3, 3));
    EXPECT_EQ(both.GetNewRect(TRect(37, 1, 39, 3), 100, 50), TRect(97, 1, 99, 3));
    EXPECT_EQ(both.GetNewRect(TRect(37, 17, 39, 19), 100, 50), TRect(97, 47, 99, 49));
    // Flush with the right edge, the rectangle still moves with it.
    EXPECT_EQ(both.GetNewRect(TRect(36, 0, 40, 4), 100, 50), TRect(96, 0, 100, 4));
    // From the left-top to the right-top corner: stretched along the width.
    EXPECT_EQ(both.GetNewRect(TRect(2, 1, 38, 3), 100, 50), TRect(2, 1, 98, 3));
    // Across the whole skin: stretched both ways.
    EXPECT_EQ(both.GetNewRect(TRect(1, 1, 39, 19), 100, 50), TRect(1, 1, 99, 49));

    TskSkinShape wide = Shape({4, 4}, {36, 4}, {}, {});
    EXPECT_EQ(wide.GetNewRect(TRect(2, 0, 38, 20), 100, 20), TRect(2, 0, 98, 20));
    EXPECT_EQ(wide.GetNewRect(TRect(37, 2, 39, 8), 100, 20), TRect(97, 2, 99, 8));
    EXPECT_EQ(wide.GetNewRect(TRect(1, 2, 3, 8), 100, 20), TRect(1, 2, 3, 8));
}

class SkinBases : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Pic = Skin.AddPicture(100, 40);
        Skin.Fill(Pic, TRect(0, 0, 40, 20), clRed);
        Record = Skin.AddFramed<TskDataSkinCustomControl>("ctl", Pic, TRect(0, 0, 40, 20));
        Control = Add<TskSkinCustomControl>(Form, 10, 10, 80, 30);
        Control->SetSkinDataName("ctl");
    }

    TFixtureSkin Skin;
    int Pic = 0;
    TskDataSkinCustomControl* Record = nullptr;
    TskSkinCustomControl* Control = nullptr;
};

TEST_F(SkinBases, PaintsTheSkinOrTheDefaultLook) {
    auto unskinned = PaintToBitmap(Control);
    EXPECT_EQ(PixelOf(unskinned.get(), 40, 15), ColorToRGB(clBtnFace));

    Control->SetSkinData(Skin.Data.get());
    EXPECT_EQ(Control->GetSkinIndex(), 0);
    EXPECT_EQ(TPoint(Control->GetWidth(), Control->GetHeight()), TPoint(80, 30));
    auto skinned = PaintToBitmap(Control);
    EXPECT_EQ(PixelOf(skinned.get(), 1, 1), static_cast<COLORREF>(clRed));
    EXPECT_EQ(PixelOf(skinned.get(), 79, 29), static_cast<COLORREF>(clRed));

    // A name of no section: the default look, or nothing at all without DrawDefault.
    Control->SetSkinDataName("none");
    auto fallback = PaintToBitmap(Control);
    EXPECT_EQ(PixelOf(fallback.get(), 40, 15), ColorToRGB(clBtnFace));
    Control->DrawDefault = false;
    auto blank = PaintToBitmap(Control);
    EXPECT_NE(PixelOf(blank.get(), 40, 15), ColorToRGB(clBtnFace));
}

TEST_F(SkinBases, AFixedSkinSizesTheControlAndItsMaskCutsTheWindow) {
    Record->LTPoint = Record->RTPoint = Record->LBPoint = Record->RBPoint = TPoint();
    const int mask = Skin.AddPicture(40, 20);
    Skin.Fill(mask, TRect(0, 0, 10, 20), clBlack);
    Record->MaskPictureIndex = mask;
    Control->SetSkinData(Skin.Data.get());
    EXPECT_EQ(Control->ResizeMode, rmFixed);
    EXPECT_EQ(TPoint(Control->GetWidth(), Control->GetHeight()), TPoint(40, 20));
    Control->SetBounds(10, 10, 200, 100);
    EXPECT_EQ(TPoint(Control->GetWidth(), Control->GetHeight()), TPoint(40, 20));

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(Control->GetHandle(), region), SIMPLEREGION);
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(TRect(box.left, box.top, box.right, box.bottom), TRect(0, 0, 10, 20));

    // The mask leaves the skin: the region goes at the next skin change.
    Record->MaskPictureIndex = -1;
    Control->ChangeSkinData();
    EXPECT_EQ(GetWindowRgn(Control->GetHandle(), region), ERROR);
    DeleteObject(region);
}

TEST_F(SkinBases, AWidthOnlySkinKeepsItsHeight) {
    Record->RBPoint = TPoint(36, 0);
    Record->LBPoint = TPoint();
    Control->SetSkinData(Skin.Data.get());
    EXPECT_EQ(Control->ResizeMode, rmWidth);
    Control->SetBounds(10, 10, 120, 90);
    EXPECT_EQ(TPoint(Control->GetWidth(), Control->GetHeight()), TPoint(120, 20));
    EXPECT_EQ(Control->NewClRect, TRect(2, 2, 118, 18));
}

TEST_F(SkinBases, BadSkinsGiveBlankOrDefaultLooksAndNoErrors) {
    // An empty skin is not applied.
    Skin.Data->Empty = true;
    Record->LTPoint = Record->RTPoint = Record->LBPoint = Record->RBPoint = TPoint();
    Control->SetSkinData(Skin.Data.get());
    EXPECT_EQ(TPoint(Control->GetWidth(), Control->GetHeight()), TPoint(80, 30));
    Skin.Data->Empty = false;

    // A picture index beyond the list, a record of another class, an empty rectangle.
    Record->PictureIndex = 7;
    Record->MaskPictureIndex = -5;
    Control->ChangeSkinData();
    EXPECT_EQ(Control->Picture, nullptr);
    PaintToBitmap(Control);
    Record->SkinRect = TRect(5, 5, 5, 40);
    Control->ChangeSkinData();
    EXPECT_EQ(Control->ResizeMode, rmNoSkinRect);
    PaintToBitmap(Control);
    Skin.Add<TskDataSkinBevel>("bevel");
    Control->SetSkinDataName("bevel");
    Control->ChangeSkinData();
    EXPECT_EQ(Control->ResizeMode, rmFixed);
    EXPECT_EQ(Control->Picture, nullptr);
    // Nothing to size to: the size of the last fixed skin stays.
    EXPECT_EQ(TPoint(Control->GetWidth(), Control->GetHeight()), TPoint(40, 20));
    PaintToBitmap(Control);
    EXPECT_TRUE(Errors.empty());

    // The skin data component goes: the control forgets it and paints its default look.
    Skin.Data.reset();
    EXPECT_EQ(Control->GetSkin(), nullptr);
    auto after = PaintToBitmap(Control);
    EXPECT_EQ(PixelOf(after.get(), 5, 5), ColorToRGB(clBtnFace));
}

TEST_F(SkinBases, AlphaBlendValue255ShowsTheControlOpaque) {
    Control->SetSkinData(Skin.Data.get());
    auto plain = PaintToBitmap(Control);
    Control->SetAlphaBlend(true);
    Control->SetAlphaBlendValue(255);
    auto blended = PaintToBitmap(Control);
    EXPECT_EQ(PixelOf(blended.get(), 40, 15), PixelOf(plain.get(), 40, 15));
    Control->SetAlphaBlendValue(0);
    auto background = PaintToBitmap(Control);
    EXPECT_NE(PixelOf(background.get(), 40, 15), static_cast<COLORREF>(clRed));
}

// A control that logs the relay's calls.
template <typename Base> class TLogged : public Base {
public:
    explicit TLogged(TComponent* AOwner) : Base(AOwner) {}
    void BeforeChangeSkinData() override {
        Log->push_back("before " + this->GetName());
        Base::BeforeChangeSkinData();
    }
    void ChangeSkinData() override {
        Log->push_back("change " + this->GetName());
        Base::ChangeSkinData();
    }
    std::vector<std::string>* Log = nullptr;
};

TEST_F(SkinBases, TheRelayCallsBeforeThenReloadsThenChanges) {
    std::vector<std::string> log;
    TFixtureSkin other;
    auto* panel = Add<TLogged<TskSkinCustomControl>>(Form, 0, 50, 100, 100);
    auto* inner = Add<TLogged<TskGraphicSkinCustomControl>>(panel, 5, 5, 20, 20);
    auto* elsewhere = Add<TLogged<TskSkinCustomControl>>(Form, 0, 200, 10, 10);
    panel->SetName("panel");
    inner->SetName("inner");
    elsewhere->SetName("elsewhere");
    panel->Log = &log;
    inner->Log = &log;
    elsewhere->Log = &log;
    panel->SetSkinData(Skin.Data.get());
    inner->SetSkinData(Skin.Data.get());
    elsewhere->SetSkinData(other.Data.get());
    log.clear();

    RelaySkinChange(Form, Skin.Data.get(), [&] { log.push_back("reload"); });
    EXPECT_EQ(log, (std::vector<std::string>{"before panel", "before inner", "reload",
                                             "change panel", "change inner"}));

    // A reload that fails still lets the controls look again, and the error goes on.
    log.clear();
    EXPECT_THROW(RelaySkinChange(Form, nullptr, [] { throw Exception("broken skin"); }),
                 Exception);
    EXPECT_EQ(log.size(), 6u);
    EXPECT_EQ(log.back(), "change elsewhere");
}

} // namespace
