// A demo form with every skinned control, each normal, hot, pressed and disabled, with
// the program's skin and without any; screenshots controls-skinned.bmp and
// controls-default.bmp beside the test program for people to look at.
#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ExPanels.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_ScrollBars.h"
#include "skin/controls/SkinCtrls_SpeedButtons.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

constexpr int kColumn = 110;
constexpr int kRow = 34;

class SkinDemo : public SkinDemoTest {
protected:
    // Column State: 0 normal, 1 hot, 2 pressed, 3 disabled.
    template <typename T> T* Place(int Row, int State, int Width, int Height) {
        return PlaceAt<T>(10 + State * kColumn, 10 + Row * kRow, Width, Height);
    }
    void Hot(TControl* Control) { Control->Perform(CM_MOUSEENTER, 0, 0); }
    void Press(TWinControl* Parent, TControl* Control, int X, int Y) {
        const int left = Control->IsWindowed() ? 0 : Control->GetLeft();
        const int top = Control->IsWindowed() ? 0 : Control->GetTop();
        TWinControl* target = Control->IsWindowed() ? static_cast<TWinControl*>(Control) : Parent;
        MouseMove(target, left + X, top + Y);
        SendMessageA(target->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(left + X, top + Y));
    }

    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 10 + 4 * kColumn + 20, 10 + 8 * kRow + 60);
        Form->SetColor(clBtnFace);
        for (int state = 0; state < 4; ++state) {
            auto* button = Place<TskSkinButton>(0, state, 90, 25);
            button->SetCaption("Button");
            auto* speed = Place<TskSkinSpeedButton>(1, state, 90, 25);
            speed->SetCaption("Speed");
            auto* bar = Place<TskSkinScrollBar>(2, state, 100, 19);
            bar->SetPosition(30);
            auto* box = Place<TskSkinGroupBox>(3, state, 100, 30);
            box->SetCaption("Group");
            box->SetRollUpMode(true);
            auto* panel = Place<TskSkinPanel>(4, state, 100, 28);
            panel->SetCaption("Panel");
            panel->SetCaptionMode(true);
            panel->SetCheckedMode(true);
            panel->SetDefaultCaptionHeight(26);
            auto* label = Place<TskSkinLabel>(5, state, 100, 21);
            label->SetCaption("Label");
            auto* std = Place<TskSkinStdLabel>(6, state, 100, 17);
            std->SetCaption("Standard label");
            auto* expanel = Place<TskSkinExPanel>(7, state, 100, 30);
            expanel->SetCaption("Roll-up");
            auto* bevel = Place<TskSkinBevel>(8, state, 100, 10);
            bevel->SetShape(bsTopLine);
            bevel->SetDividerMode(state % 2 == 1);
            switch (state) {
            case 1:
                Hot(button);
                Hot(speed);
                while (button->IsMorphing()) button->DoMorph();
                while (speed->IsMorphing()) speed->DoMorph();
                MouseMove(bar, 96, 9);
                MouseMove(expanel, 90, 10);
                break;
            case 2:
                Press(Form, button, 5, 5);
                Press(Form, speed, 5, 5);
                Press(Form, bar, 96, 9);
                box->SetRollUpState(true);
                panel->SetChecked(true);
                expanel->SetRollState(true);
                break;
            default: break;
            }
            EndColumn(state);
        }
        Capture(FileName);
    }
};

TEST_F(SkinDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("controls-skinned.bmp");
}

TEST_F(SkinDemo, WithoutAnySkin) {
    BuildAndCapture("controls-default.bmp");
}

} // namespace
