// Skinned controls paint off-screen through a picture of the area being repainted only:
// a partial repaint shows the pixels of a full one, and a control of any size paints in
// memory that follows the screen, not the control.
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/data/SkinData.h"

#include "tests/support/GuiTestSupport.h"

#include <psapi.h>

#include <gtest/gtest.h>

namespace {

class PartialPaint : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Skin.LoadFromFile(VANTOREL_SKIN_INI);
        ASSERT_FALSE(Skin.Empty);
    }

    // One control of each family the form resources hold, at W x H each (a radio group
    // only with Radios).
    std::vector<TWinControl*> PlaceControls(int W, int H, bool Radios = true) {
        auto* panel = Place<TskSkinPanel>(W, H, "panel");
        panel->SetCaption("Panel");
        auto* button = Place<TskSkinButton>(W, H, "button");
        button->SetCaption("Button");
        auto* group = Place<TskSkinGroupBox>(W, H, "groupbox");
        group->SetCaption("Group");
        auto* check = Place<TskSkinCheckRadioBox>(W, H, "checkbox");
        check->SetCaption("Check");
        auto* label = Place<TskSkinLabel>(W, H, "label");
        label->SetCaption("Label");
        if (!Radios) return {panel, button, group, check, label};
        auto* radios = Place<TskSkinRadioGroup>(W, H, "groupbox");
        radios->GetItems()->SetText("One\nTwo\nThree");
        radios->SetItemIndex(1);
        return {panel, button, group, check, label, radios};
    }

    template <typename T> T* Place(int W, int H, const char* Section) {
        T* control = Add<T>(Form, 4, 4, W, H);
        control->SetSkinDataName(Section);
        control->SetSkinData(&Skin);
        control->SetBounds(4, 4, W, H);
        return control;
    }

    TskSkinData Skin{nullptr};
};

// Control painted into a bitmap of its size through a DC clipped to Area (all of it when
// Area is empty); the rest keeps a marker colour.
std::unique_ptr<TBitmap> PaintClipped(TWinControl* Control, const TRect& Area) {
    auto bitmap = std::make_unique<TBitmap>(Control->GetWidth(), Control->GetHeight());
    bitmap->SetPixelFormat(pf24bit);
    TCanvas* canvas = bitmap->GetCanvas();
    canvas->GetBrush()->SetColor(clFuchsia);
    canvas->FillRect(TRect(0, 0, Control->GetWidth(), Control->GetHeight()));
    HDC dc = canvas->GetHandle();
    const int saved = SaveDC(dc);
    if (Area.Width() > 0) IntersectClipRect(dc, Area.Left, Area.Top, Area.Right, Area.Bottom);
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    return bitmap;
}

TEST_F(PartialPaint, APartialRepaintShowsThePixelsOfAFullOne) {
    for (TWinControl* control : PlaceControls(150, 90)) {
        control->BringToFront();
        Pump();
        const auto full = PaintClipped(control, TRect());
        // The skin may fix a side: the areas are taken from the size the control has.
        const int w = control->GetWidth(), h = control->GetHeight();
        const TRect areas[] = {{0, 0, w, h},          {10, 5, w / 2, h / 2},
                               {0, 0, 1, h},          {w - 1, 0, w, h},
                               {w / 2, h - 3, w, h},  {33, h / 3, 34, h / 3 + 1},
                               {w - 10, 2, w + 10, h + 5}};
        for (const TRect& area : areas) {
            const auto part = PaintClipped(control, area);
            int differing = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const bool inside = x >= area.Left && x < area.Right && y >= area.Top &&
                                        y < area.Bottom;
                    const COLORREF expected =
                        inside ? PixelOf(full.get(), x, y) : ColorToRGB(clFuchsia);
                    if (PixelOf(part.get(), x, y) != expected) ++differing;
                }
            EXPECT_EQ(differing, 0) << control->ClassName() << " in (" << area.Left << ", "
                                    << area.Top << ", " << area.Right << ", " << area.Bottom
                                    << ")";
        }
    }
    EXPECT_TRUE(Errors.empty());
}

// The process's peak working set, as the system counts it.
SIZE_T PeakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

TEST_F(PartialPaint, HugeControlsPaintInMemoryOfTheScreensSize) {
    const SIZE_T before = PeakMemory();
    ASSERT_GT(before, 0u);
    for (int side : {8000, 32767}) {
        // A radio group's boxes still cut their windows with masks of their whole size.
        const std::vector<TWinControl*> controls = PlaceControls(side, side, false);
        Form->SetBounds(0, 0, side, side);
        for (TWinControl* control : controls) {
            control->BringToFront();
            control->Repaint();
            // The control painted what the screen shows of it.
            HDC dc = GetDC(control->GetHandle());
            const COLORREF corner = GetPixel(dc, 1, 1);
            ReleaseDC(control->GetHandle(), dc);
            EXPECT_NE(corner, CLR_INVALID) << control->ClassName();
            EXPECT_NE(corner, ColorToRGB(clBtnFace)) << control->ClassName() << " " << side;
        }
        for (TWinControl* control : controls)
            delete control;
    }
    // Off-screen pictures of whole controls would take 256 MB at 8000 x 8000 and fail at
    // 32767 x 32767; pictures of the screen's size take a few megabytes each.
    const SIZE_T grown = PeakMemory() - before;
    EXPECT_LT(grown, SIZE_T{64} << 20) << "the peak grew by " << (grown >> 20) << " MB";
    EXPECT_LT(PeakMemory(), SIZE_T{256} << 20);
    EXPECT_TRUE(Errors.empty());
}

} // namespace
