// The month calendar, a date edit with its calendar open, a track edit with its track bar
// open and two time edits, on the program's skin and without one, as screenshots for people
// to look at (dates-skinned.bmp, dates-default.bmp), with the locale and the clock pinned.
#include "tests/skin/boxctrls/EditDemos.h"
#include "tests/skin/controls/SkinFixture.h"

namespace {

class DatesDemo : public SkinDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 470, 320);
        Form->SetColor(clBtnFace);
        const TDatesDemo demo = PlaceDates(Form, TPoint(10, 10), Data);
        ASSERT_TRUE(OpenDatePopups(demo));
        Capture(FileName);
        ExpectTextFits(demo.Time);
        CloseDatePopups(demo);
    }
    // The time's digits are whole on the screen: their ink leaves background rows above and
    // below them inside the edit.
    static void ExpectTextFits(TskSkinCustomEdit* Edit) {
        auto shot = CaptureWindow(Edit->GetHandle());
        const COLORREF back = PixelOf(shot.get(), shot->GetWidth() / 2, 4);
        int first = -1, last = -1;
        for (int y = 3; y < shot->GetHeight() - 3; ++y)
            for (int x = 4; x < shot->GetWidth() / 2; ++x)
                if (PixelOf(shot.get(), x, y) != back) {
                    if (first == -1) first = y;
                    last = y;
                }
        ASSERT_NE(first, -1) << "no text on the screen";
        EXPECT_GT(first, 3);
        EXPECT_LT(last, shot->GetHeight() - 4);
    }

    TDemoDates Dates;
};

TEST_F(DatesDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("dates-skinned.bmp");
}

TEST_F(DatesDemo, WithoutAnySkin) {
    BuildAndCapture("dates-default.bmp");
}

} // namespace
