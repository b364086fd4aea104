// Skinned controls paint off-screen through a picture of the area being repainted only:
// a partial repaint shows the pixels of a full one, and a control of any size paints in
// memory that follows the screen, not the control.
#include "skin/boxctrls/SkinBoxCtrls_Edits.h"
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_Sliders.h"
#include "skin/controls/SkinCtrls_TrackBars.h"
#include "skin/data/SkinData.h"

#include "tests/support/GuiTestSupport.h"

#include <psapi.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

class PartialPaint : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Skin.LoadFromFile(VANTOREL_SKIN_INI);
        ASSERT_FALSE(Skin.Empty);
    }

    // One control of each family that paints off-screen, at W x H each (where the skin
    // leaves them that size).
    std::vector<TWinControl*> PlaceControls(int W, int H) {
        auto* panel = Place<TskSkinPanel>(W, H, "panel");
        panel->SetCaption("Panel");
        // Without a border its client tiles go straight onto the screen.
        auto* plain = Place<TskSkinPanel>(W, H, "panel");
        plain->SetBorderStyle(TskSkinBorderStyle::bvNone);
        auto* button = Place<TskSkinButton>(W, H, "button");
        button->SetCaption("Button");
        auto* group = Place<TskSkinGroupBox>(W, H, "groupbox");
        group->SetCaption("Group");
        auto* check = Place<TskSkinCheckRadioBox>(W, H, "checkbox");
        check->SetCaption("Check");
        // A flat box paints the picture of its parent under it.
        auto* flat = Place<TskSkinCheckRadioBox>(W, H, "radiobox");
        flat->SetRadio(true);
        flat->SetFlat(true);
        flat->SetChecked(true);
        flat->SetCaption("Flat");
        auto* label = Place<TskSkinLabel>(W, H, "label");
        label->SetCaption("Label");
        auto* radios = Place<TskSkinRadioGroup>(W, H, "groupbox");
        radios->GetItems()->SetText("One\nTwo\nThree");
        radios->SetItemIndex(1);
        auto* checks = Place<TskSkinCheckGroup>(W, H, "groupbox");
        checks->GetItems()->SetText("One\nTwo");
        checks->SetColumns(2);
        checks->SetChecked(1, true);
        auto* slider = Place<TskSkinSlider>(W, H, "slider");
        slider->SetValue(30);
        auto* vslider = Place<TskSkinSlider>(W, H, "slider");
        vslider->SetOrientation(soVertical);
        vslider->SetBounds(4, 4, W, H);
        vslider->SetValue(60);
        auto* track = Place<TskSkinTrackBar>(W, H, "htrackbar");
        auto* vtrack = Place<TskSkinTrackBar>(W, H, "trackbar");
        vtrack->SetVertical(true);
        auto* bar = Place<TskSkinScrollBar>(W, H, "hscrollbar");
        bar->SetRange(0, 100, 30, 20);
        auto* vbar = Place<TskSkinScrollBar>(W, H, "vscrollbar");
        vbar->SetKind(sbVertical);
        vbar->SetRange(0, 100, 60, 20);
        return {panel,  plain,  button, group,  check, flat,   label, radios,
                checks, slider, vslider, track, vtrack, bar,  vbar};
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
    std::vector<TWinControl*> controls = PlaceControls(150, 90);
    // A group's flat box paints the part of the group under it.
    for (TWinControl* control : std::vector<TWinControl*>(controls))
        if (auto* group = dynamic_cast<TskSkinCustomButtonGroup*>(control))
            controls.push_back(group->GetButton(group->GetButtonCount() - 1));
    for (TWinControl* control : controls) {
        control->BringToFront();
        Pump();
        const auto full = PaintClipped(control, TRect());
        // The skin may fix a side: the areas are taken from the size the control has.
        const int w = control->GetWidth(), h = control->GetHeight();
        const TRect areas[] = {{0, 0, w, h},          {10, 5, w / 2, h / 2},
                               {0, 0, 1, h},          {w - 1, 0, w, h},
                               {w / 2, h - 3, w, h},  {33, h / 3, 34, h / 3 + 1},
                               {w - 10, 2, w + 10, h + 5}, {w / 2, 3, w / 2 + 5, h - 3}};
        for (const TRect& area : areas) {
            // An area a narrow control does not have.
            if (area.Left >= std::min(area.Right, w) || area.Top >= std::min(area.Bottom, h))
                continue;
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

// What Control paints of Area (its client coordinates), into a picture of Area's size.
std::unique_ptr<TBitmap> PaintArea(TWinControl* Control, const TRect& Area) {
    auto bitmap = std::make_unique<TBitmap>(Area.Width(), Area.Height());
    bitmap->SetPixelFormat(pf24bit);
    HDC dc = bitmap->GetCanvas()->GetHandle();
    const int saved = SaveDC(dc);
    SetWindowOrgEx(dc, Area.Left, Area.Top, nullptr);
    Control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
    return bitmap;
}

// The pixels of Area of Control's window as the screen shows them.
std::unique_ptr<TBitmap> ScreenArea(TWinControl* Control, const TRect& Area) {
    auto bitmap = std::make_unique<TBitmap>(Area.Width(), Area.Height());
    bitmap->SetPixelFormat(pf24bit);
    HDC dc = GetDC(Control->GetHandle());
    BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, Area.Width(), Area.Height(), dc, Area.Left,
           Area.Top, SRCCOPY);
    ReleaseDC(Control->GetHandle(), dc);
    return bitmap;
}

TEST_F(PartialPaint, HugeControlsPaintInMemoryOfTheScreensSize) {
    const SIZE_T before = PeakMemory();
    ASSERT_GT(before, 0u);
    for (int side : {8000, 32767}) {
        std::vector<TWinControl*> controls = PlaceControls(side, side);
        auto* edit = Place<TskSkinEdit>(side, side, "edit");
        edit->SetText("Edit");
        controls.push_back(edit);
        Form->SetBounds(0, 0, side, side);
        for (TWinControl* control : controls) {
            control->BringToFront();
            control->Repaint();
            // The screen shows what the control paints at its top-left corner, away from
            // the children a group places under its caption.
            const TRect corner(0, 0, std::min(16, control->GetClientWidth()),
                               std::min(16, control->GetClientHeight()));
            const auto shown = ScreenArea(control, corner);
            const auto painted = PaintArea(control, corner);
            EXPECT_EQ(DifferingPixels(shown.get(), painted.get()), 0)
                << control->ClassName() << " " << side;
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
