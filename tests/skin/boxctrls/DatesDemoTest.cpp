// The month calendar, a date edit with its calendar open, a track edit with its track bar
// open and two time edits, on the program's skin and without one, as screenshots for people
// to look at (dates-skinned.bmp, dates-default.bmp), with the locale and the clock pinned.
#include "skin/boxctrls/SkinBoxCtrls_DateEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TimeEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/FixedLocale.h"

namespace {

void PinnedClock(SYSTEMTIME& Now) {
    Now = SYSTEMTIME{};
    Now.wYear = 2024;
    Now.wMonth = 7;
    Now.wDay = 5;
}

class DatesDemo : public SkinDemoTest {
protected:
    void SetUp() override {
        SetLocaleSource(&Locale);
        PreviousClock = SetLocalTimeSource(PinnedClock);
        SkinDemoTest::SetUp();
    }
    void TearDown() override {
        SkinDemoTest::TearDown();
        SetLocalTimeSource(PreviousClock);
        SetLocaleSource(nullptr);
    }
    template <typename T> T* Edit(int Left, int Top, int Width) {
        auto* edit = new T(Form);
        edit->SetParent(Form);
        edit->SetBounds(Left, Top, Width, 20);
        edit->SetSkinData(Data);
        return edit;
    }
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 470, 320);
        Form->SetColor(clBtnFace);
        auto* calendar = PlaceAt<TskSkinMonthCalendar>(10, 10, 200, 150);
        calendar->SetFirstDayOfWeek(TskDaysOfWeek::Mon);
        calendar->SetDate(EncodeDate(2024, 9, 10));

        auto* date = Edit<TskSkinDateEdit>(230, 10, 130);
        auto* track = Edit<TskSkinTrackEdit>(10, 180, 130);
        track->SetValue(35);
        auto* time = Edit<TskSkinTimeEdit>(230, 200, 100);
        time->SetText("13:45:30");
        auto* precise = Edit<TskSkinTimeEdit>(230, 230, 120);
        precise->SetShowMilliseconds(true);
        precise->SetMilliseconds(45296789);
        auto* disabled = Edit<TskSkinDateEdit>(230, 260, 130);
        disabled->SetEnabled(false);
        Pump();
        date->DropDown();
        track->DropDown();
        ASSERT_TRUE(date->IsCalendarVisible() && track->IsTrackBarVisible());
        Capture(FileName);
        ExpectTextFits(time);
        date->CloseUp(false);
        track->CloseUp();
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

    TFixedLocale Locale{"dd.MM.yyyy", "."};
    TLocalTimeSource PreviousClock = nullptr;
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
