// The track edit and the time edit on real windows: values, texts and times as tables, the
// keys and the wheel of a person, the track bar dropped, dragged and fitted to the screen,
// and the time edit's setters, paste and form stream.
#include "skin/boxctrls/SkinBoxCtrls_TimeEdits.h"
#include "skin/boxctrls/SkinBoxCtrls_TrackEdits.h"

#include "classlib/Clipboard.h"
#include "classlib/FormLoader.h"

#include "tests/skin/controls/SkinFixture.h"

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {

TPoint Middle(const TRect& R) {
    return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

// The wheel turned by Delta at the pointer, as the user's mouse does.
void Wheel(int Delta) {
    POINT at{};
    GetCursorPos(&at);
    PointerWheel(TPoint(at.x, at.y), Delta / WHEEL_DELTA);
}

class TrackTimeTest : public ShownFormTest {
protected:
    TskSkinTrackEdit* TrackEdit(int Left = 10, int Top = 10) {
        auto* edit = Add<TskSkinTrackEdit>(Form, Left, Top, 120, 20);
        edit->OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        return edit;
    }
    TskSkinTimeEdit* TimeEdit(bool Milliseconds = false) {
        auto* edit = Add<TskSkinTimeEdit>(Form, 10, 50, 120, 20);
        edit->SetShowMilliseconds(Milliseconds);
        return edit;
    }
    // The screen point of the middle of Edit's button.
    static TPoint ButtonOnScreen(TskSkinCustomEdit* Edit) {
        RECT window;
        GetWindowRect(Edit->GetHandle(), &window);
        const TPoint m = Middle(Edit->GetButtonRect());
        return TPoint(window.left + m.X, window.top + m.Y);
    }
    static void Press(const TPoint& At) { ClickAt(At); }
    int Changes = 0;
};

// ---- The track edit -----------------------------------------------------------------------

TEST_F(TrackTimeTest, TheTrackEditsValuesAndNumberTexts) {
    auto* edit = TrackEdit();
    EXPECT_EQ(edit->GetText(), "0");
    EXPECT_EQ(edit->GetWidth(), 120);
    EXPECT_TRUE(edit->GetButtonMode());
    EXPECT_EQ(edit->GetSkinDataName(), "buttonedit");
    const struct {
        int Min, Max, Value, Kept;
    } values[] = {
        {0, 100, 50, 50},   {0, 100, 150, 100}, {0, 100, -5, 0},         {0, 0, 12345, 12345},
        {5, 5, -7, -7},     {-10, 10, -11, -10}, {0, 0, INT_MIN, INT_MIN},
        // Bounds that cross keep every value at the maximum, as in every range control.
        {10, 5, 7, 5},      {10, 5, 3, 5},       {10, 5, 12, 5},         {10, 5, 5, 5},
    };
    for (const auto& row : values) {
        edit->SetMinValue(row.Min);
        edit->SetMaxValue(row.Max);
        EXPECT_EQ(edit->CheckValue(row.Value), row.Kept) << row.Min << ".." << row.Max;
    }
    const struct {
        const char* Text;
        bool Number;
    } texts[] = {{"", false},   {"-", false},  {"12", true},  {"-12", true},  {"1-2", false},
                 {"12-", false}, {"--1", false}, {"+1", false}, {"1.5", false}, {" 1", false},
                 {"0", true},    {"-0", true}};
    for (const auto& row : texts) EXPECT_EQ(edit->IsNumText(row.Text), row.Number) << row.Text;

    // Texts set from outside: numbers are kept to the bounds, other texts change nothing.
    edit->SetMinValue(0);
    edit->SetMaxValue(100);
    edit->SetValue(40);
    EXPECT_EQ(edit->GetText(), "40");
    Changes = 0;
    for (const char* text : {"-", "--5", "5-", "x", "99999999999"}) {
        edit->SetText(text);
        EXPECT_EQ(edit->GetValue(), 40) << text;
    }
    EXPECT_EQ(Changes, 0);
    edit->SetText("150");
    EXPECT_EQ(edit->GetValue(), 100);
    EXPECT_EQ(edit->GetText(), "100");
    EXPECT_EQ(Changes, 1);
}

// OnChange reads the value of the text it tells of: typed by a person, or sent by another
// program with WM_SETTEXT.
TEST_F(TrackTimeTest, OnChangeReadsTheValueOfTheNewText) {
    auto* edit = TrackEdit();
    std::vector<std::pair<std::string, int>> told;
    edit->OnChange = TNotifyEvent::FromCallable(
        [&](TObject*) { told.emplace_back(edit->GetText(), edit->GetValue()); });
    ASSERT_TRUE(TakeFocus(edit));
    edit->SelectAll();
    ASSERT_TRUE(KeyOnKeyboard('4', [&] { return edit->GetText() == "4"; }));
    ASSERT_TRUE(KeyOnKeyboard('2', [&] { return edit->GetText() == "42"; }));
    EXPECT_EQ(told, (std::vector<std::pair<std::string, int>>{{"4", 4}, {"42", 42}}));

    told.clear();
    SendMessageA(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("77"));
    EXPECT_EQ(edit->GetValue(), 77);
    SendMessageA(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("250"));
    EXPECT_EQ(edit->GetValue(), 100);
    EXPECT_EQ(edit->GetText(), "100");
    SendMessageA(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    EXPECT_EQ(edit->GetValue(), 100);
    EXPECT_EQ(told, (std::vector<std::pair<std::string, int>>{{"77", 77}, {"100", 100}}));
}

TEST_F(TrackTimeTest, PersonTypesIntoTheTrackEditAndTurnsTheWheel) {
    auto* edit = TrackEdit();
    ASSERT_TRUE(TakeFocus(edit));
    edit->SelectAll();
    auto type = [&](Word Key, const char* Expected) {
        EXPECT_TRUE(KeyOnKeyboard(Key, [&] { return edit->GetText() == Expected; }))
            << edit->GetText() << " for " << Expected;
    };
    type('1', "1");
    type('5', "15");
    EXPECT_EQ(edit->GetValue(), 15);
    type('0', "100");
    EXPECT_EQ(edit->GetValue(), 100) << "150 is past the maximum";
    // A letter is refused; End after it shows it was handled.
    PressKey('A');
    ASSERT_TRUE(KeyOnKeyboard(VK_HOME, [&] { return edit->GetSelStart() == 0; }));
    EXPECT_EQ(edit->GetText(), "100");

    // The wheel turned toward the user (a negative delta) adds one.
    const TPoint over = edit->ClientToScreen(TPoint(10, 5));
    SetCursorPos(over.X, over.Y);
    edit->SetValue(50);
    Wheel(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return edit->GetValue() == 51; }));
    Wheel(WHEEL_DELTA);
    Wheel(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return edit->GetValue() == 49; }));
    EXPECT_EQ(edit->GetText(), "49");
    // Without bounds the wheel stops at the ends of the integers.
    edit->SetMinValue(0);
    edit->SetMaxValue(0);
    edit->SetValue(INT_MAX);
    Wheel(-WHEEL_DELTA);
    Wheel(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return edit->GetValue() == INT_MAX - 1; }));

    // Read-only: no digits, no Backspace.
    edit->SetReadOnly(true);
    for (Word key : {Word('7'), Word(VK_BACK)}) PressKey(key);
    ASSERT_TRUE(KeyOnKeyboard(VK_END, [&] { return edit->GetSelStart() == 10; }));
    EXPECT_EQ(edit->GetValue(), INT_MAX - 1);
    SetCursorPos(0, 0);
}

TEST_F(TrackTimeTest, TheTrackBarDropsUnderTheEditAndIsDragged) {
    auto* edit = TrackEdit();
    edit->SetValue(20);
    edit->SetTrackBarWidth(160);
    Changes = 0;
    Press(ButtonOnScreen(edit));
    ASSERT_TRUE(PumpUntil([&] { return edit->IsTrackBarVisible(); }));
    TskSkinPopupTrackBar* bar = edit->GetTrackBar();
    RECT window, dropped;
    GetWindowRect(edit->GetHandle(), &window);
    GetWindowRect(bar->GetHandle(), &dropped);
    EXPECT_EQ(dropped.left, window.left);
    EXPECT_EQ(dropped.top, window.bottom);
    EXPECT_EQ(dropped.right - dropped.left, 160);
    EXPECT_EQ(dropped.bottom - dropped.top, edit->GetHeight());
    EXPECT_EQ(bar->GetValue(), 20);
    EXPECT_EQ(bar->GetMaxValue(), 100);
    EXPECT_EQ(Changes, 0) << "dropping changes nothing";
    EXPECT_TRUE(edit->Focused());

    // The thumb dragged to the right raises the value; the form stays active.
    const TPoint thumb = bar->ClientToScreen(Middle(bar->CalcButtonRect(bar->TrackRect())));
    DragPointer(thumb, 60, 0);
    ASSERT_TRUE(PumpUntil([&] { return edit->GetValue() > 20 && !bar->IsDragging(); }));
    EXPECT_EQ(edit->GetText(), std::to_string(edit->GetValue()));
    EXPECT_EQ(edit->GetValue(), bar->GetValue());
    EXPECT_GT(Changes, 0);
    EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
    EXPECT_TRUE(edit->IsTrackBarVisible());

    // The wheel moves the open bar; Esc closes it.
    const int before = edit->GetValue();
    SetCursorPos(window.left + 5, window.top + 5);
    Wheel(-WHEEL_DELTA);
    ASSERT_TRUE(PumpUntil([&] { return edit->GetValue() == before + 1; }));
    EXPECT_EQ(bar->GetValue(), before + 1);
    ASSERT_TRUE(KeyOnKeyboard(VK_ESCAPE, [&] { return !edit->IsTrackBarVisible(); }));
    // The button opens and closes it again; so does the focus going elsewhere.
    Press(ButtonOnScreen(edit));
    ASSERT_TRUE(PumpUntil([&] { return edit->IsTrackBarVisible(); }));
    Press(ButtonOnScreen(edit));
    ASSERT_TRUE(PumpUntil([&] { return !edit->IsTrackBarVisible(); }));
    edit->DropDown();
    auto* other = Add<TEdit>(Form, 200, 10, 80, 21);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return !edit->IsTrackBarVisible(); }));
    SetCursorPos(0, 0);
}

// Bounds that cross keep the edit at the maximum; the bar it drops gets the same bounds and
// value, shows its thumb at the maximum's end, and a drag on it leaves both there.
TEST_F(TrackTimeTest, TheTrackBarOfCrossedBoundsShowsWhatTheEditHolds) {
    auto* edit = TrackEdit();
    edit->SetValue(7);
    edit->SetMinValue(10);
    edit->SetMaxValue(5);
    EXPECT_EQ(edit->GetValue(), 5);
    EXPECT_EQ(edit->GetText(), "5");
    Press(ButtonOnScreen(edit));
    ASSERT_TRUE(PumpUntil([&] { return edit->IsTrackBarVisible(); }));
    TskSkinPopupTrackBar* bar = edit->GetTrackBar();
    EXPECT_EQ(bar->GetMinValue(), 10);
    EXPECT_EQ(bar->GetMaxValue(), 5);
    EXPECT_EQ(bar->GetValue(), edit->GetValue());
    const TRect track = bar->TrackRect();
    const TRect thumb = bar->CalcButtonRect(track);
    EXPECT_GE(thumb.Right, track.Right - 1) << "the thumb stands at the maximum's end";
    auto shown = ScreenShot(bar->GetHandle());
    shown->SaveToFile(ExeDir() + "trackedit_crossed.bmp");
    auto repainted = CaptureWindow(bar->GetHandle());
    EXPECT_EQ(DifferingPixels(shown.get(), repainted.get()), 0);

    DragPointer(bar->ClientToScreen(Middle(thumb)), -80, 0);
    ASSERT_TRUE(PumpUntil([&] { return !bar->IsDragging(); }));
    EXPECT_EQ(bar->GetValue(), 5);
    EXPECT_EQ(edit->GetValue(), 5);
    EXPECT_EQ(edit->GetText(), "5");
    SetCursorPos(0, 0);
}

TEST_F(TrackTimeTest, TheTrackBarIsFittedToTheScreen) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    Form->SetBounds(w - 200, h - 60, 200, 60);
    Pump();
    auto* edit = TrackEdit(60, 10);
    edit->SetTrackBarWidth(300);
    edit->DropDown();
    ASSERT_TRUE(edit->IsTrackBarVisible());
    RECT window, dropped;
    GetWindowRect(edit->GetHandle(), &window);
    GetWindowRect(edit->GetTrackBar()->GetHandle(), &dropped);
    EXPECT_EQ(dropped.right, w) << "moved left to end at the screen's edge";
    EXPECT_EQ(dropped.bottom, window.top) << "above the edit";
    edit->CloseUp();
    EXPECT_FALSE(IsWindowVisible(edit->GetTrackBar()->GetHandle()));
}

// ---- The time edit ------------------------------------------------------------------------

TEST_F(TrackTimeTest, TimesAreValidBelowTwentyFourHoursOrAtMidnightExactly) {
    const struct {
        int H, M, S, MS;
        bool Valid;
    } rows[] = {
        {23, 59, 59, 999, true}, {24, 0, 0, 0, true},   {24, 0, 0, 1, false}, {24, 0, 1, 0, false},
        {24, 1, 0, 0, false},    {25, 0, 0, 0, false},  {0, 60, 0, 0, false}, {0, 0, 60, 0, false},
        {0, 0, 0, 1000, false},  {-1, 0, 0, 0, false},  {0, 0, 0, 0, true},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TskSkinTimeEdit::IsValidTime(row.H, row.M, row.S, row.MS), row.Valid)
            << row.H << ":" << row.M << ":" << row.S << "." << row.MS;
}

TEST_F(TrackTimeTest, PersonTypesOnlyTimesIntoTheTimeEdit) {
    auto* edit = TimeEdit();
    EXPECT_EQ(edit->GetEditMask(), "!90:00:00;1; ");
    EXPECT_EQ(edit->GetText(), "00:00:00");
    edit->SetText("20:00:00");
    ASSERT_TRUE(TakeFocus(edit));
    auto typeAt = [&](int At, Word Key, const char* Expected) {
        edit->SetSelStart(At);
        PressKey(Key);
        // End, after the key, shows it was handled.
        EXPECT_TRUE(KeyOnKeyboard(VK_END, [&] { return edit->GetSelStart() == 8; }));
        EXPECT_EQ(edit->GetText(), Expected) << "at " << At;
    };
    typeAt(0, '3', "20:00:00"); // 30 hours
    typeAt(0, '1', "10:00:00");
    typeAt(0, '2', "20:00:00");
    typeAt(1, '4', "24:00:00");
    typeAt(7, '1', "24:00:00"); // 24:00:01
    typeAt(1, '3', "23:00:00");
    // A digit typed before a colon lands after it, and is judged there.
    edit->SetText("12:34:56");
    typeAt(2, '7', "12:34:56");
    typeAt(2, '5', "12:54:56");
    // A selection is cut to one character before the digit is judged.
    edit->SetSelStart(0);
    edit->SetSelLength(8);
    PressKey('1');
    ASSERT_TRUE(KeyOnKeyboard(VK_END, [&] { return edit->GetSelStart() == 8; }));
    EXPECT_EQ(edit->GetText(), "12:54:56");
    // Backspace empties a position, which reads as 0.
    ASSERT_TRUE(KeyOnKeyboard(VK_BACK, [&] { return edit->GetText() == "12:54:5 "; }));
    EXPECT_EQ(edit->GetMilliseconds(), (12 * 3600 + 54 * 60 + 50) * 1000);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TrackTimeTest, TheSettersKeepTheTimeWithinTheDay) {
    auto* edit = TimeEdit();
    const struct {
        int Milliseconds;
        const char* Plain;
        const char* WithMilliseconds;
    } rows[] = {
        {0, "00:00:00", "00:00:00.000"},
        {45296789, "12:34:56", "12:34:56.789"},
        {86399999, "23:59:59", "23:59:59.999"},
        {86400000, "24:00:00", "24:00:00.000"},
        {86400001, "00:00:00", "00:00:00.000"},
        {-1, "00:00:00", "00:00:00.000"},
        {INT_MAX, "00:00:00", "00:00:00.000"},
    };
    for (bool milliseconds : {false, true}) {
        edit->SetShowMilliseconds(milliseconds);
        for (const auto& row : rows) {
            edit->SetMilliseconds(row.Milliseconds);
            EXPECT_EQ(edit->GetText(), milliseconds ? row.WithMilliseconds : row.Plain)
                << row.Milliseconds;
        }
    }
    EXPECT_EQ(edit->GetEditMask(), "!90:00:00.000;1; ");
    edit->SetMilliseconds(45296789);
    EXPECT_EQ(edit->GetMilliseconds(), 45296789);

    const struct {
        const char* Time;
        const char* Shown;
    } times[] = {
        {"12:34:56.789", "12:34:56.789"}, {" 5:30:00.000", "05:30:00.000"},
        {"25:00:00.000", "00:00:00.000"}, {"ab:cd:ef.ghi", "00:00:00.000"},
        {"5:30", "00:00:00.000"},         {"-1:00:00.000", "00:00:00.000"},
        {"24:00:00.000", "24:00:00.000"}, {"24:00:00.001", "00:00:00.000"},
    };
    for (const auto& row : times) {
        edit->SetTime(row.Time);
        EXPECT_EQ(edit->GetTime(), row.Shown) << row.Time;
    }
    // The text itself is a setter too.
    edit->SetText("23:59:59.999");
    edit->SetText("99:99:99.999");
    EXPECT_EQ(edit->GetText(), "00:00:00.000");

    edit->EncodeTime(1, 2, 3, 4);
    EXPECT_EQ(edit->GetText(), "01:02:03.004");
    edit->EncodeTime(24, 0, 0, 1);
    EXPECT_EQ(edit->GetText(), "01:02:03.004") << "no time: nothing changes";
    edit->SetShowMilliseconds(false);
    EXPECT_EQ(edit->GetText(), "00:00:00");
    edit->EncodeTime(1, 2, 3, 4);
    Word h = 9, m = 9, s = 9, ms = 9;
    edit->DecodeTime(h, m, s, ms);
    EXPECT_EQ(h * 1000000 + m * 10000 + s * 100 + ms, 1020300);
}

TEST_F(TrackTimeTest, APasteThatMakesNoTimeIsRefused) {
    auto* edit = TimeEdit();
    edit->SetText("10:00:00");
    ASSERT_TRUE(TakeFocus(edit));
    edit->SetSelStart(0);
    Clipboard()->SetAsText("99");
    SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetText(), "10:00:00");
    Clipboard()->SetAsText("12:30");
    edit->SetSelStart(0);
    SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetText(), "12:30:00");
}

TEST_F(TrackTimeTest, AFormStoresTheTimeInTheLayoutItShows) {
    TForm form(nullptr);
    ReadComponentText("object Times: TForm\n"
                      "  object TE_Start: TskSkinTimeEdit\n"
                      "    Text = '12:34:56.789'\n"
                      "    EditMask = '!90:00:00.000;1; '\n"
                      "    ShowMilliseconds = True\n"
                      "  end\n"
                      "  object TK_Level: TskSkinTrackEdit\n"
                      "    MinValue = -50\n"
                      "    MaxValue = 50\n"
                      "    Value = -20\n"
                      "  end\n"
                      "end",
                      &form);
    auto* time = dynamic_cast<TskSkinTimeEdit*>(form.FindComponent("TE_Start"));
    auto* level = dynamic_cast<TskSkinTrackEdit*>(form.FindComponent("TK_Level"));
    ASSERT_TRUE(time && level);
    EXPECT_TRUE(time->GetShowMilliseconds());
    EXPECT_EQ(time->GetText(), "12:34:56.789");
    EXPECT_EQ(level->GetValue(), -20);
    EXPECT_EQ(level->GetText(), "-20");
    TForm copy(nullptr);
    ReadComponentText(WriteComponentText(&form), &copy);
    EXPECT_EQ(WriteComponentText(&copy), WriteComponentText(&form));
}

} // namespace
