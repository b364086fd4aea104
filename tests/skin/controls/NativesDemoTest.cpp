// A demo form with the skinned wrappers of native controls: two header controls, one with
// its hot section and one with its pressed section (both held by a person's pointer, one after
// the other), a rich edit scrolled through its skinned bars, and a status bar with panels
// and glyphs, one of them disabled; with the program's skin and without any. Screenshots
// natives-skinned.bmp and natives-default.bmp beside the test program for people to look at.
#include "tests/skin/controls/ContainerDemos.h"

namespace {

class NativesDemo : public ContainerDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 460, 340);
        Form->SetColor(clBtnFace);
        TskSkinHeaderControl* hot = PlaceHeader(10, 10);
        TskSkinHeaderControl* pressed = PlaceHeader(10, 40);
        PlaceScrolledRichEdit(10, 72);
        PlaceStatusBar(440);
        CaptureWithHeldHeaders(hot, pressed)->SaveToFile(ExeDir() + FileName);
        EXPECT_TRUE(Errors.empty());
    }
};

TEST_F(NativesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("natives-skinned.bmp");
}

TEST_F(NativesDemo, WithoutAnySkin) {
    BuildAndCapture("natives-default.bmp");
}

} // namespace
