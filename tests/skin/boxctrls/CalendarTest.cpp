// The month calendar and the date edit on real windows, with the locale and the clock pinned:
// the month offsets and moves as tables, the range's ends, the cells and colours on the
// screen, the navigation buttons held with their repeat stepped directly, a person's clicks
// on days and buttons and keys typed over a date, and the popup under and above the edit.
#include "skin/boxctrls/SkinBoxCtrls_DateEdits.h"
#include "skin/boxctrls/skcalendar.h"

#include "skin/boxctrls/SkinBoxCtrls_Popups.h"
#include "skin/data/SkinData_Controls.h"

#include "classlib/Clipboard.h"
#include "classlib/FormLoader.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/FixedLocale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr TColor kFace = 0xC0C0C0, kNumbers = 0x0000C0, kTitle = 0xC00000;

// 5 July 2024, a Friday.
void PinnedClock(SYSTEMTIME& Now) {
    Now = SYSTEMTIME{};
    Now.wYear = 2024;
    Now.wMonth = 7;
    Now.wDay = 5;
    Now.wHour = 10;
}

struct TYmd {
    int Year, Month, Day;
    bool operator==(const TYmd&) const = default;
};
void PrintTo(const TYmd& D, std::ostream* Os) {
    *Os << D.Year << '-' << D.Month << '-' << D.Day;
}
TYmd Ymd(TDateTime D) {
    Word y = 0, m = 0, d = 0;
    DecodeDate(D, y, m, d);
    return {y, m, d};
}
TDateTime Day(int Year, int Month, int Day) {
    return EncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day));
}

TPoint Middle(const TRect& R) {
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

class CalendarTest : public ShownFormTest {
protected:
    void SetUp() override {
        SetLocaleSource(&Locale);
        PreviousClock = SetLocalTimeSource(PinnedClock);
        ShownFormTest::SetUp();
    }
    void TearDown() override {
        ShownFormTest::TearDown();
        SetLocalTimeSource(PreviousClock);
        SetLocaleSource(nullptr);
    }
    TskSkinMonthCalendar* Calendar() {
        auto* calendar = Add<TskSkinMonthCalendar>(Form, 10, 10, 200, 150);
        calendar->OnClick = TNotifyEvent::FromCallable([this](TObject*) { ++Clicks; });
        calendar->OnNumberClick = TNotifyEvent::FromCallable([this](TObject*) { ++NumberClicks; });
        return calendar;
    }
    TskSkinDateEdit* DateEdit(int Top = 10) {
        auto* edit = Add<TskSkinDateEdit>(Form, 10, Top, 120, 20);
        edit->OnDateChange = TNotifyEvent::FromCallable([this](TObject*) { ++DateChanges; });
        return edit;
    }
    // A skin with a flat "panel" record and a "stdlabel" record of its own colours.
    void AddCalendarRecords(bool StdLabelOfItsClass = true) {
        const int picture = Skin.AddPicture(60, 60);
        Skin.Fill(picture, TRect(0, 0, 60, 60), kFace);
        Skin.AddFramed<TskDataSkinPanelControl>("panel", picture, TRect(0, 0, 60, 60));
        if (StdLabelOfItsClass) {
            auto* label = Skin.Add<TskDataSkinStdLabelControl>("stdlabel");
            label->FontColor = kNumbers;
            label->ActiveFontColor = kTitle;
        } else {
            Skin.Add<TskDataSkinPanelControl>("stdlabel");
        }
    }
    // Pixels of R whose colour leans to the one channel Color has (smoothed text keeps the
    // hue of its colour, if not the colour itself).
    static int InkOf(TBitmap* Shot, const TRect& R, TColor Color) {
        const COLORREF target = ColorToRGB(Color);
        int count = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const COLORREF c = PixelOf(Shot, x, y);
                const int channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
                const int mine = GetRValue(target) ? 0 : GetGValue(target) ? 1 : 2;
                if (channels[mine] >= channels[(mine + 1) % 3] + 50 &&
                    channels[mine] >= channels[(mine + 2) % 3] + 50)
                    ++count;
            }
        return count;
    }

    TFixedLocale Locale{"dd.MM.yyyy", "."};
    TLocalTimeSource PreviousClock = nullptr;
    TFixtureSkin Skin;
    int Clicks = 0, NumberClicks = 0, DateChanges = 0;
};

// ---- The calendar's arithmetic -----------------------------------------------------------

TEST_F(CalendarTest, TheMonthOffsetPlacesTheFirstDayUnderItsWeekday) {
    auto* calendar = Calendar();
    const struct {
        TDateTime Date;
        TskDaysOfWeek First;
        int Offset;
    } rows[] = {
        // September 2024 starts on a Sunday, June 2024 on a Saturday, February on a Thursday.
        {Day(2024, 9, 10), TskDaysOfWeek::Sun, 1},  {Day(2024, 9, 10), TskDaysOfWeek::Mon, -5},
        {Day(2024, 9, 10), TskDaysOfWeek::Sat, 0},  {Day(2024, 6, 1), TskDaysOfWeek::Sun, -5},
        {Day(2024, 6, 30), TskDaysOfWeek::Sat, 1},  {Day(2024, 6, 30), TskDaysOfWeek::Mon, -4},
        {Day(2024, 2, 29), TskDaysOfWeek::Sun, -3}, {Day(2024, 2, 29), TskDaysOfWeek::Thu, 1},
        {Day(2024, 2, 29), TskDaysOfWeek::Fri, -5},
    };
    for (const auto& row : rows) {
        calendar->SetDate(row.Date);
        calendar->SetFirstDayOfWeek(row.First);
        EXPECT_EQ(calendar->GetMonthOffset(), row.Offset)
            << Ymd(row.Date).Month << " from day " << static_cast<int>(row.First);
    }
    // The first of a month that starts the week is in the first cell under the rule.
    calendar->SetDate(Day(2024, 9, 10));
    calendar->SetFirstDayOfWeek(TskDaysOfWeek::Sun);
    TPoint first = Middle(calendar->DayCellRect(1, 0));
    EXPECT_EQ(calendar->DayNumFromPoint(first.X, first.Y), 1);
    calendar->SetFirstDayOfWeek(TskDaysOfWeek::Mon);
    first = Middle(calendar->DayCellRect(1, 6));
    EXPECT_EQ(calendar->DayNumFromPoint(first.X, first.Y), 1);
    const TPoint last = Middle(calendar->DayCellRect(6, 0));
    EXPECT_EQ(calendar->DayNumFromPoint(last.X, last.Y), 30) << "the sixth row";
    const TPoint beyond = Middle(calendar->DayCellRect(6, 1));
    EXPECT_EQ(calendar->DayNumFromPoint(beyond.X, beyond.Y), 0);
    EXPECT_EQ(calendar->DayNumFromPoint(-1, first.Y), 0);
    EXPECT_EQ(calendar->DaysThisMonth(), 30);
}

TEST_F(CalendarTest, MonthAndYearMovesKeepTheDayInTheMonthAndStopAtTheRangesEnds) {
    auto* calendar = Calendar();
    const struct {
        TYmd From;
        void (TskSkinMonthCalendar::*Move)();
        TYmd To;
    } rows[] = {
        {{2024, 1, 31}, &TskSkinMonthCalendar::NextMonth, {2024, 2, 29}},
        {{2023, 3, 31}, &TskSkinMonthCalendar::PriorMonth, {2023, 2, 28}},
        {{2024, 1, 15}, &TskSkinMonthCalendar::PriorMonth, {2023, 12, 15}},
        {{2024, 12, 31}, &TskSkinMonthCalendar::NextMonth, {2025, 1, 31}},
        {{2024, 2, 29}, &TskSkinMonthCalendar::NextYear, {2025, 2, 28}},
        {{2024, 2, 29}, &TskSkinMonthCalendar::PriorYear, {2023, 2, 28}},
        {{1761, 6, 1}, &TskSkinMonthCalendar::PriorYear, {1761, 6, 1}},
        {{9999, 6, 1}, &TskSkinMonthCalendar::NextYear, {9999, 6, 1}},
        {{9999, 12, 31}, &TskSkinMonthCalendar::NextMonth, {9999, 12, 31}},
        {{1761, 1, 1}, &TskSkinMonthCalendar::PriorMonth, {1761, 1, 1}},
        {{9999, 11, 30}, &TskSkinMonthCalendar::NextMonth, {9999, 12, 30}},
    };
    for (const auto& row : rows) {
        calendar->SetDate(Day(row.From.Year, row.From.Month, row.From.Day));
        (calendar->*row.Move)();
        EXPECT_EQ(Ymd(calendar->GetDate()), row.To) << "from " << row.From.Year << "-"
                                                   << row.From.Month << "-" << row.From.Day;
    }
    calendar->SetDate(Day(2024, 5, 31));
    calendar->OffsetMonth(-3);
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2024, 2, 29})) << "the year stays";
    calendar->OffsetMonth(11);
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2024, 1, 29}));
    // Dates no calendar shows are refused.
    for (TDateTime bad : {std::numeric_limits<double>::quiet_NaN(), Day(1, 1, 1) - 1,
                          Day(9999, 12, 31) + 1, 1e300})
        calendar->SetDate(bad);
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2024, 1, 29}));
    calendar->SetDate(Day(1, 1, 1));
    calendar->Repaint();
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{1, 1, 1})) << "shown, if not reached by the buttons";
}

TEST_F(CalendarTest, TodayDefaultAndTheFormStreamSetTheDate) {
    auto* calendar = Calendar();
    calendar->SetDate(Day(2000, 1, 1));
    calendar->SetTodayDefault(true);
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2024, 7, 5}));
    TForm form(nullptr);
    ReadComponentText("object Dates: TForm\n"
                      "  object MC_Due: TskSkinMonthCalendar\n"
                      "    Date = 36526.0\n"
                      "    FirstDayOfWeek = Mon\n"
                      "  end\n"
                      "  object MC_Today: TskSkinMonthCalendar\n"
                      "    Date = 36526.0\n"
                      "    TodayDefault = True\n"
                      "  end\n"
                      "end",
                      &form);
    auto* due = dynamic_cast<TskSkinMonthCalendar*>(form.FindComponent("MC_Due"));
    auto* today = dynamic_cast<TskSkinMonthCalendar*>(form.FindComponent("MC_Today"));
    ASSERT_TRUE(due && today);
    EXPECT_EQ(Ymd(due->GetDate()), (TYmd{2000, 1, 1}));
    EXPECT_EQ(due->GetFirstDayOfWeek(), TskDaysOfWeek::Mon);
    EXPECT_EQ(Ymd(today->GetDate()), (TYmd{2024, 7, 5})) << "after loading";
}

// ---- On the screen --------------------------------------------------------------------------

TEST_F(CalendarTest, TheSkinsLabelColoursDrawTheNumbersTitleAndFrame) {
    AddCalendarRecords();
    auto* calendar = Calendar();
    calendar->SetDate(Day(2024, 9, 10)); // the 10th: row 2, column 2
    calendar->SetSkinData(Skin.Data.get());
    EXPECT_EQ(calendar->GetDayNumColor(), kNumbers);
    EXPECT_EQ(calendar->GetTitleColor(), kTitle);
    for (TskSkinSpeedButton* button :
         {calendar->GetButton(TskSkinMonthCalendar::nbPriorYear),
          calendar->GetButton(TskSkinMonthCalendar::nbNextYear)})
        EXPECT_EQ(button->GetSkin(), Skin.Data.get());

    auto shot = PaintToBitmap(calendar);
    const TRect selected = calendar->DayCellRect(2, 2);
    EXPECT_EQ(PixelOf(shot.get(), selected.Left, (selected.Top + selected.Bottom) / 2),
              ColorToRGB(kTitle))
        << "the frame of the selected day";
    EXPECT_EQ(PixelOf(shot.get(), (selected.Left + selected.Right) / 2, selected.Bottom - 1),
              ColorToRGB(kTitle));
    EXPECT_GT(InkOf(shot.get(), calendar->DayCellRect(2, 3), kNumbers), 0) << "the 11th";
    EXPECT_EQ(InkOf(shot.get(), calendar->DayCellRect(6, 4), kNumbers), 0) << "no 32nd";
    const TRect titleBand(45, 3, 155, 20);
    EXPECT_GT(InkOf(shot.get(), titleBand, kTitle), 0) << "September, 2024";

    // A "stdlabel" record of another kind gives the control's font colour to both.
    TFixtureSkin other;
    std::swap(Skin.Data, other.Data);
    AddCalendarRecords(false);
    calendar->GetFont()->SetColor(clGreen);
    calendar->SetSkinData(Skin.Data.get());
    EXPECT_EQ(calendar->GetDayNumColor(), clGreen);
    EXPECT_EQ(calendar->GetTitleColor(), clGreen);
    calendar->SetSkinData(nullptr);
}

TEST_F(CalendarTest, WithoutASkinTheLayoutFollowsTheFrameAndTheFont) {
    auto* calendar = Calendar();
    calendar->SetDate(Day(2024, 9, 10));
    // A frame of one pixel: the buttons sit inside it, two by two at the ends.
    EXPECT_EQ(calendar->GetButton(TskSkinMonthCalendar::nbPriorYear)->GetBoundsRect(),
              TRect(2, 2, 22, 22));
    EXPECT_EQ(calendar->GetButton(TskSkinMonthCalendar::nbPriorMonth)->GetLeft(), 23);
    EXPECT_EQ(calendar->GetButton(TskSkinMonthCalendar::nbNextMonth)->GetLeft(), 157);
    EXPECT_EQ(calendar->GetButton(TskSkinMonthCalendar::nbNextYear)->GetLeft(), 178);
    calendar->SetBounds(10, 10, 260, 190);
    EXPECT_EQ(calendar->GetButton(TskSkinMonthCalendar::nbNextYear)->GetLeft(), 238);
    const TRect cell = calendar->DayCellRect(1, 0);
    EXPECT_EQ(cell.Width(), (258 - 2) / 7);
    EXPECT_EQ(cell.Left, 2);

    auto shot = PaintToBitmap(calendar);
    const TColor ink = calendar->GetDefaultFont()->GetColor();
    const TRect frame = calendar->DayCellRect(2, 2);
    EXPECT_EQ(PixelOf(shot.get(), frame.Left, (frame.Top + frame.Bottom) / 2), ColorToRGB(ink));
    // The rule spans the width just above the first row.
    EXPECT_EQ(PixelOf(shot.get(), 5, cell.Top - 3), ColorToRGB(ink));
    EXPECT_EQ(PixelOf(shot.get(), 5, cell.Top - 4), ColorToRGB(clBtnFace));
}

// ---- As a person uses it ----------------------------------------------------------------------

TEST_F(CalendarTest, PersonClicksADayAndHoldsTheNavigationButtons) {
    auto* calendar = Calendar();
    calendar->SetDate(Day(2024, 9, 10));
    const TPoint fifteenth = Middle(calendar->DayCellRect(3, 0));
    ASSERT_TRUE(ClickOnScreen(calendar, fifteenth.X, fifteenth.Y, [&] { return NumberClicks == 1; }));
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2024, 9, 15}));
    // A click outside the days changes nothing: the next one on a day is the second.
    ASSERT_TRUE(ClickOnScreen(calendar, 100, 35, [] { return true; }));
    const TPoint twentieth = Middle(calendar->DayCellRect(3, 5));
    ASSERT_TRUE(ClickOnScreen(calendar, twentieth.X, twentieth.Y, [&] { return NumberClicks == 2; }));
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2024, 9, 20}));

    TskSkinSpeedButton* next = calendar->GetButton(TskSkinMonthCalendar::nbNextMonth);
    EXPECT_EQ(next->GetRepeatInterval(), 250);
    EXPECT_EQ(calendar->GetButton(TskSkinMonthCalendar::nbNextYear)->GetRepeatInterval(), 100);
    // The test steps the repeat itself: the system's timer must not step it meanwhile.
    next->SetRepeatInterval(600000);
    Clicks = 0;
    const TPoint at = calendar->ClientToScreen(Middle(next->GetBoundsRect()));
    PointerDown(at);
    ASSERT_TRUE(PumpUntil([&] { return next->IsRepeating(); }));
    for (int i = 0; i < 3; ++i) next->RepeatTimerProc();
    PointerUp(at);
    ASSERT_TRUE(PumpUntil([&] { return !next->IsRepeating(); }));
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{2025, 1, 20})) << "three steps and the release";
    EXPECT_EQ(Clicks, 4);

    calendar->SetDate(Day(9999, 12, 31));
    next->RepeatTimerProc();
    EXPECT_EQ(Ymd(calendar->GetDate()), (TYmd{9999, 12, 31}));
    EXPECT_EQ(Clicks, 4) << "a step that moves nothing is no click";
}

// ---- The date edit ------------------------------------------------------------------------------

TEST_F(CalendarTest, TheDateEditsTextIsValidOnlyAsADateOfTheFormat) {
    auto* edit = DateEdit();
    EXPECT_EQ(edit->GetText(), "05.07.2024");
    EXPECT_EQ(edit->GetMaxLength(), 10);
    const struct {
        const char* Text;
        bool Valid;
    } rows[] = {
        {"31.12.9999", true}, {"01.01.0001", true}, {"31.02.2024", true}, {"32.01.2024", false},
        {"01.13.2024", false}, {"00.01.2024", false}, {"01.00.2024", false}, {"01.01.0000", false},
        {"01.01.0", true},    {"1.1.2024", true},    {"..2024", false},     {"01.01.", false},
        {"01/01/2024", false}, {"0a.01.2024", false}, {"01.01.2024.", false}, {"", false},
        {"01.01.99999", false},
    };
    for (const auto& row : rows) EXPECT_EQ(edit->IsValidText(row.Text), row.Valid) << row.Text;

    // In a year-first format the parts are found where the format puts them.
    TFixedLocale yearFirst("yyyy-MM-dd", "-");
    SetLocaleSource(&yearFirst);
    EXPECT_TRUE(edit->IsValidText("9999-12-31"));
    EXPECT_FALSE(edit->IsValidText("2024-31-12"));
    SetLocaleSource(&Locale);
}

TEST_F(CalendarTest, PersonOvertypesTheDigitsAndTheSeparatorsStay) {
    auto* edit = DateEdit();
    ASSERT_TRUE(TakeFocus(edit));
    edit->SetSelStart(0);
    auto type = [&](Word Key, const char* Expected) {
        EXPECT_TRUE(KeyOnKeyboard(Key, [&] { return edit->GetText() == Expected; }))
            << edit->GetText() << " for " << Expected;
    };
    type('1', "15.07.2024");
    type('2', "12.07.2024");
    EXPECT_EQ(Ymd(edit->GetDate()), (TYmd{2024, 7, 12}));
    type('0', "12.07.2024"); // over the separator: the month's first digit
    type('9', "12.09.2024");
    EXPECT_EQ(Ymd(edit->GetDate()), (TYmd{2024, 9, 12}));
    EXPECT_EQ(DateChanges, 3) << "15.07, 12.07 and 12.09";
    DateChanges = 0;
    // Backspace, Delete and letters change nothing (Home, after them, shows they were handled).
    for (Word key : {Word(VK_BACK), Word(VK_DELETE), Word('X')}) PressKey(key);
    ASSERT_TRUE(KeyOnKeyboard(VK_HOME, [&] { return edit->GetSelStart() == 0; }));
    EXPECT_EQ(edit->GetText(), "12.09.2024");
    // Nor does a paste with Shift+Insert over the separators.
    Clipboard()->SetAsText("1234567890");
    edit->SelectAll();
    KeyWith(VK_SHIFT, VK_INSERT, [] { return true; });
    ASSERT_TRUE(KeyOnKeyboard(VK_HOME, [&] { return edit->GetSelLength() == 0; }));
    EXPECT_EQ(edit->GetText(), "12.09.2024");
    // An impossible day is ignored while it is typed and undone when the focus goes.
    type('3', "32.09.2024");
    type('1', "31.09.2024");
    EXPECT_EQ(Ymd(edit->GetDate()), (TYmd{2024, 9, 12}));
    EXPECT_EQ(DateChanges, 0);
    auto* other = Add<TEdit>(Form, 200, 10, 80, 21);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }));
    EXPECT_EQ(edit->GetText(), "12.09.2024");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(CalendarTest, TheButtonDropsTheCalendarUnderTheEditAndAPickedDayFiresOnDateChange) {
    auto* edit = DateEdit();
    edit->SetDate(Day(2024, 9, 10));
    DateChanges = 0;
    const TRect button = edit->GetButtonRect();
    RECT window;
    GetWindowRect(edit->GetHandle(), &window);
    const TPoint press(window.left + (button.Left + button.Right) / 2,
                       window.top + (button.Top + button.Bottom) / 2);
    ClickAt(press);
    ASSERT_TRUE(PumpUntil([&] { return edit->IsCalendarVisible(); }));
    TskPopupCalendar* calendar = edit->GetCalendar();
    RECT dropped;
    GetWindowRect(calendar->GetHandle(), &dropped);
    EXPECT_EQ(dropped.left, window.left);
    EXPECT_EQ(dropped.top, window.bottom);
    EXPECT_EQ(dropped.right - dropped.left, 200);
    EXPECT_EQ(GetWindowLongA(calendar->GetHandle(), GWL_STYLE) & WS_CHILD, 0);
    EXPECT_NE(GetWindowLongA(calendar->GetHandle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_TRUE(edit->Focused());

    // The calendar's own button moves the month without taking the activation.
    TskSkinSpeedButton* next = calendar->GetButton(TskSkinMonthCalendar::nbNextMonth);
    const TPoint nextAt = Middle(next->GetBoundsRect());
    ASSERT_TRUE(ClickOnScreen(calendar, nextAt.X, nextAt.Y,
                              [&] { return Ymd(calendar->GetDate()).Month == 10; }));
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    EXPECT_TRUE(edit->IsCalendarVisible());
    EXPECT_EQ(edit->GetText(), "10.09.2024") << "nothing picked yet";
    // October 2024 starts on a Tuesday: the 1st is in the third column.
    const TPoint first = Middle(calendar->DayCellRect(1, 2));
    ASSERT_TRUE(ClickOnScreen(calendar, first.X, first.Y, [&] { return !edit->IsCalendarVisible(); }));
    EXPECT_EQ(edit->GetText(), "01.10.2024");
    EXPECT_EQ(Ymd(edit->GetDate()), (TYmd{2024, 10, 1}));
    EXPECT_EQ(DateChanges, 1) << "a picked date is a change";
    EXPECT_TRUE(edit->Focused());

    // A key closes it again without a choice: the date it opened with stays.
    edit->DropDown();
    calendar->NextYear();
    ASSERT_TRUE(KeyOnKeyboard(VK_RIGHT, [&] { return !edit->IsCalendarVisible(); }));
    EXPECT_EQ(Ymd(edit->GetDate()), (TYmd{2024, 10, 1}));
    EXPECT_EQ(DateChanges, 1);
    // So does a click elsewhere, which keeps the focus it takes.
    auto* other = Add<TEdit>(Form, 200, 10, 80, 21);
    edit->DropDown();
    ASSERT_TRUE(ClickOnScreen(other, 5, 5, [&] { return !edit->IsCalendarVisible(); }));
    EXPECT_TRUE(PumpUntil([&] { return other->Focused(); }));
    // And the focus moved by the program.
    ASSERT_TRUE(TakeFocus(edit));
    edit->DropDown();
    other->SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return !edit->IsCalendarVisible() && other->Focused(); }));
    EXPECT_TRUE(other->Focused());
}

TEST_F(CalendarTest, NearTheScreensBottomTheCalendarOpensAboveTheEdit) {
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    Form->SetBounds(50, screen - 120, 300, 100);
    Pump();
    auto* edit = DateEdit(30);
    edit->SetCalendarHeight(170);
    edit->DropDown();
    ASSERT_TRUE(edit->IsCalendarVisible());
    RECT window, dropped;
    GetWindowRect(edit->GetHandle(), &window);
    GetWindowRect(edit->GetCalendar()->GetHandle(), &dropped);
    EXPECT_EQ(dropped.bottom, window.top);
    EXPECT_EQ(dropped.top, window.top - 170);
    edit->CloseUp(false);
    EXPECT_FALSE(IsWindowVisible(edit->GetCalendar()->GetHandle()));

    const struct {
        TRect Owner;
        int Width, Height, ScreenWidth;
        TPoint At;
    } rows[] = {
        {TRect(10, 10, 130, 30), 200, 150, 0, TPoint(10, 30)},
        {TRect(10, 880, 130, 900), 200, 150, 0, TPoint(10, 730)},
        {TRect(10, 874, 130, 894), 200, 130, 0, TPoint(10, 894)},
        {TRect(10, 875, 130, 895), 200, 130, 0, TPoint(10, 745)},
        {TRect(1200, 10, 1270, 30), 200, 20, 1280, TPoint(1080, 30)},
        {TRect(1200, 10, 1270, 30), 200, 20, 0, TPoint(1200, 30)},
    };
    for (const auto& row : rows) {
        const TPoint at = DropDownOrigin(row.Owner, row.Width, row.Height, row.ScreenWidth, 1024);
        EXPECT_EQ(at.X, row.At.X);
        EXPECT_EQ(at.Y, row.At.Y);
    }
}

} // namespace
