// A demo form with a notebook and its page buttons, a buttons bar scrolled to the middle of
// its section's items and a control bar with bands, with the program's skin and without
// any; screenshots bars-skinned.bmp and bars-default.bmp beside the test program for people
// to look at.
#include "tests/skin/controls/ContainerDemos.h"

namespace {

class BarsDemo : public ContainerDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 560, 380);
        Form->SetColor(clBtnFace);
        PlaceNotebook(10, 10);
        PlaceScrolledButtonsBar(220, 10);
        PlaceControlBars(360, 10);
        Capture(FileName);
    }
};

TEST_F(BarsDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("bars-skinned.bmp");
}

TEST_F(BarsDemo, WithoutAnySkin) {
    BuildAndCapture("bars-default.bmp");
}

} // namespace
