// A skin data component freed while skinned controls still show it: each control forgets
// the record and the pictures it took from it (the program frees memory poisoned, so a
// picture read after the skin has gone fails here), and shows its default look through a
// new window, a new default mask and a repaint.
#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"
#include "skin/controls/SkinCtrls_FrameStrips.h"
#include "skin/controls/SkinCtrls_MenuButtons.h"
#include "skin/controls/SkinCtrls_UpDown.h"
#include "skin/data/SkinData_EditControls.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

const TColor kSkinned = clRed;

class FreedSkin : public ShownFormTest {
protected:
    // A record of R named Name on a red picture of Width x 20, its window the black left
    // 20 x 20 of a mask.
    template <typename R> R* AddMasked(const char* Name, int Width = 40) {
        const int picture = Skin->AddPicture(Width, 20);
        Skin->Fill(picture, TRect(0, 0, Width, 20), kSkinned);
        const int mask = Skin->AddPicture(40, 20);
        Skin->Fill(mask, TRect(0, 0, 20, 20), clBlack);
        R* record = Skin->Add<R>(Name);
        record->PictureIndex = picture;
        record->MaskPictureIndex = mask;
        record->SkinRect = TRect(0, 0, Width, 20);
        return record;
    }

    // Control shows the skin's look cut by its mask; then the skin goes.
    template <typename T> void ShowThenFreeTheSkin(T* Control) {
        Control->SetSkinData(Skin->Data.get());
        Pump();
        ASSERT_NE(Control->GetSkinIndex(), -1);
        ASSERT_EQ(RegionBox(Control), TRect(0, 0, 20, 20));
        ASSERT_EQ(PixelOf(PaintToBitmap(Control).get(), 5, 5), ColorToRGB(kSkinned));
        Skin.reset();
        EXPECT_EQ(Control->GetSkin(), nullptr);
        EXPECT_EQ(Control->GetSkinIndex(), -1);
        EXPECT_EQ(RegionBox(Control), TRect()) << "the default look has no mask";
        Control->RecreateWnd();
        Control->HandleNeeded();
        Pump();
        EXPECT_EQ(RegionBox(Control), TRect());
        EXPECT_NE(PixelOf(PaintToBitmap(Control).get(), 5, 5), ColorToRGB(kSkinned));
    }

    std::unique_ptr<TFixtureSkin> Skin = std::make_unique<TFixtureSkin>();
};

TEST_F(FreedSkin, AFrameGaugeTakesItsDefaultStripAndMask) {
    auto* gauge = Add<TskSkinFrameGauge>(Form, 10, 10, 60, 60);
    auto* record = AddMasked<TskDataSkinFrameGauge>("framegauge", 80);
    record->FramesCount = 2;
    ShowThenFreeTheSkin(gauge);
    auto mask = std::make_unique<TBitmap>(30, 20, pf24bit);
    mask->GetCanvas()->GetBrush()->SetColor(clWhite);
    mask->GetCanvas()->FillRect(TRect(0, 0, 30, 20));
    mask->GetCanvas()->GetBrush()->SetColor(clBlack);
    mask->GetCanvas()->FillRect(TRect(5, 0, 30, 20));
    gauge->SetDefaultMask(mask.get());
    EXPECT_EQ(RegionBox(gauge), TRect(5, 0, 30, 20));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(FreedSkin, AMenuButtonShowsItsDefaultFace) {
    auto* button = Add<TskSkinMenuButton>(Form, 10, 10, 60, 20);
    AddMasked<TskDataSkinMenuButtonControl>("toolmenubutton");
    ShowThenFreeTheSkin(button);
    button->SetBounds(10, 10, 90, 24);
    EXPECT_EQ(RegionBox(button), TRect());
}

TEST_F(FreedSkin, AnUpDownAndASpinEditOnTheMaskedBaseToo) {
    auto* upDown = Add<TskSkinUpDown>(Form, 10, 10, 40, 20);
    AddMasked<TskDataSkinUpDownControl>("hupdown");
    auto* spin = Add<TskSkinSpinEdit>(Form, 10, 60, 120, 20);
    AddMasked<TskDataSkinSpinEditControl>("spinedit");
    spin->SetSkinData(Skin->Data.get());
    ShowThenFreeTheSkin(upDown);
    EXPECT_EQ(spin->GetSkinIndex(), -1);
    EXPECT_EQ(RegionBox(spin), TRect());
    spin->RecreateWnd();
    spin->HandleNeeded();
    spin->SetValue(7);
    Pump();
    EXPECT_NE(PixelOf(PaintToBitmap(spin).get(), 5, 5), ColorToRGB(kSkinned));
}

} // namespace
