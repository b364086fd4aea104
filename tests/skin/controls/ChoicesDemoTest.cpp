// A demo form of the check and radio boxes and the radio and check groups, each normal,
// hot, pressed and disabled, with the program's skin and without any; screenshots
// choices-skinned.bmp and choices-default.bmp beside the test program for people to
// look at.
#include "skin/controls/SkinCtrls_ButtonGroups.h"
#include "skin/controls/SkinCtrls_CheckRadio.h"

#include "classlib/Paths.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

constexpr int kColumn = 160;
constexpr int kRow = 30;

class ChoicesDemo : public ShownFormTest {
protected:
    template <typename T> T* Place(int Left, int Top, int Width, int Height) {
        T* control = new T(Form);
        control->SetParent(Form);
        control->SetBounds(Left, Top, Width, Height);
        control->SetSkinData(Data);
        return control;
    }
    // Column State: 0 normal, 1 hot, 2 pressed, 3 disabled.
    TskSkinCheckRadioBox* Box(int Row, int State, bool Radio, bool Flat, const char* Caption) {
        auto* box = Place<TskSkinCheckRadioBox>(10 + State * kColumn, 10 + Row * kRow, 150, 25);
        box->SetSkinDataName(Radio ? "radiobox" : "checkbox");
        box->SetRadio(Radio);
        box->SetFlat(Flat);
        box->SetCaption(Caption);
        box->SetChecked(Row % 2 == 0);
        switch (State) {
        case 1: box->Perform(CM_MOUSEENTER, 0, 0); break;
        case 2:
            MouseMove(box, 5, 5);
            SendMessageA(box->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            Pressed.push_back(box);
            break;
        case 3: box->SetEnabled(false); break;
        default: break;
        }
        while (box->IsMorphing()) box->DoMorph();
        return box;
    }

    // Face: the colour of the forms the boxes stand on.
    void BuildAndCapture(const char* FileName, TColor Face) {
        Form->SetBounds(20, 20, 10 + 4 * kColumn + 20, 10 + 8 * kRow + 180);
        Form->SetColor(Face);
        for (int state = 0; state < 4; ++state) {
            Box(0, state, false, false, "Check box");
            Box(1, state, false, false, "Check box");
            Box(2, state, true, false, "Radio box");
            Box(3, state, true, false, "Radio box");
            Box(4, state, false, true, "Flat check");
            Box(5, state, true, true, "Flat radio");
        }
        // The next press takes the mouse from the box before: each pressed box is shown
        // as it is while the button is held on it.
        ReleaseCapture();
        for (TskSkinCheckRadioBox* box : Pressed) {
            box->Perform(CM_MOUSEENTER, 0, 0);
            while (box->IsMorphing()) box->DoMorph();
        }
        auto* radios = Place<TskSkinRadioGroup>(10, 10 + 6 * kRow + 10, 310, 120);
        radios->SetCaption("Radio group");
        for (const char* line : {"Red", "Green", "Blue", "Cyan", "Magenta"})
            radios->GetItems()->Add(line);
        radios->SetColumns(2);
        radios->SetItemIndex(3);
        auto* checks = Place<TskSkinCheckGroup>(10 + 2 * kColumn, 10 + 6 * kRow + 10, 310, 120);
        checks->SetCaption("Check group");
        for (const char* line : {"Segments", "Points", "Colons", "Blink"})
            checks->GetItems()->Add(line);
        checks->SetChecked(0, true);
        checks->SetChecked(2, true);
        checks->GetButton(3)->SetEnabled(false);
        Pump();
        CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + FileName);
        EXPECT_TRUE(Errors.empty());
    }

    TskSkinData* Data = nullptr;
    std::vector<TskSkinCheckRadioBox*> Pressed;
};

TEST_F(ChoicesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    // The face of the skin's forms.
    BuildAndCapture("choices-skinned.bmp", static_cast<TColor>(RGB(236, 238, 242)));
}

TEST_F(ChoicesDemo, WithoutAnySkin) {
    BuildAndCapture("choices-default.bmp", clBtnFace);
}

} // namespace
