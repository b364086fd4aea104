// A demo form with the skinned value controls (track bars, gauges with their texts, the
// vertical one turned, sliders), each normal, hot, pressed, disabled and inside a disabled
// panel, with the program's skin and without any; screenshots values-skinned.bmp and
// values-default.bmp beside the test program for people to look at.
#include "skin/controls/SkinCtrls_Gauges.h"
#include "skin/controls/SkinCtrls_Sliders.h"
#include "skin/controls/SkinCtrls_TrackBars.h"

#include "classlib/Panels.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

constexpr int kColumn = 130;

class ValuesDemo : public SkinDemoTest {
protected:
    // Column State: 0 normal, 1 hot (focused), 2 pressed, 3 disabled, 4 on a disabled panel.
    template <typename T>
    T* Place(int Left, int Top, int State, int Width, int Height, const char* Section = nullptr) {
        T* control = PlaceAt<T>(Left + State * kColumn, Top, Width, Height, Section);
        if (State == 4) {
            control->SetParent(Container);
            control->SetLeft(Left);
        }
        return control;
    }

    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 10 + 5 * kColumn + 20, 360);
        Form->SetColor(clBtnFace);
        Container = new TPanel(Form);
        Container->SetParent(Form);
        Container->SetBevelOuter(bvNone);
        Container->SetBounds(4 * kColumn, 0, kColumn + 20, 330);
        for (int state = 0; state < 5; ++state) {
            auto* track = Place<TskSkinTrackBar>(10, 10, state, 110, 22);
            track->SetValue(30 + 10 * state);
            auto* vtrack = Place<TskSkinTrackBar>(10, 40, state, 22, 100, "trackbar");
            vtrack->SetVertical(true);
            vtrack->SetValue(70);
            auto* gauge = Place<TskSkinGauge>(38, 40, state, 100, 20);
            gauge->SetValue(25 + 25 * state);
            gauge->SetShowPercent(true);
            auto* vgauge = Place<TskSkinGauge>(88, 70, state, 20, 100, "vgauge");
            vgauge->SetVertical(true);
            vgauge->SetValue(40 + 15 * state);
            vgauge->SetProgressText("Level ");
            vgauge->SetShowProgressText(true);
            vgauge->SetShowPercent(true);
            auto* slider = Place<TskSkinSlider>(10, 180, state, 120, 40);
            slider->SetValue(20 * state + 10);
            auto* vslider = Place<TskSkinSlider>(10, 225, state, 40, 90);
            vslider->SetOrientation(soVertical);
            vslider->SetBounds(vslider->GetLeft(), 225, 40, 90);
            vslider->SetValue(60);
            switch (state) {
            case 1:
                track->SetCanFocused(true);
                vtrack->SetCanFocused(true);
                Focused = track;
                break;
            case 2:
                Pressed = track;
                MouseDown(slider, slider->GetThumbRect().Left + 2, slider->GetThumbRect().Top + 2);
                break;
            default: break;
            }
            EndColumn(state);
        }
        // The hot look of a track bar is its focused one; the pressed one holds the mouse.
        TakeFocus(Focused);
        MouseDown(Pressed, Pressed->CalcButtonRect(Pressed->TrackRect()).Left + 2, 11);
        Container->SetEnabled(false);
        Capture(FileName);
    }

    TPanel* Container = nullptr;
    TWinControl* Focused = nullptr;
    TskSkinTrackBar* Pressed = nullptr;
};

TEST_F(ValuesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("values-skinned.bmp");
}

TEST_F(ValuesDemo, WithoutAnySkin) {
    BuildAndCapture("values-default.bmp");
}

} // namespace
