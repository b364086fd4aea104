// The up-down and the spin edit on real windows: the repeat timing with its timer stepped by
// WM_TIMER, values, bounds and texts as tables, looks compared with images made from the
// records of flat-colour skins, damaged records, the real pointer and keys, a form read from
// its resource, and screenshots (updown-skinned.bmp, updown-default.bmp) for people to see.
#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"
#include "skin/controls/SkinCtrls_UpDown.h"

#include "skin/data/SkinData_EditControls.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"

#include "tests/skin/controls/ContainerDemos.h"

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr TColor kBase = 0x00FFFF, kCap = 0x0080FF, kHotUp = 0xFF0000, kDownUp = 0x800000,
                 kHotDown = 0x00FF00;

TPoint Centre(TWinControl* Control, const TRect& R) {
    return Control->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
}

// Where Got differs from the image Expected describes, as text; empty when nowhere.
std::string Differences(TBitmap* Got, const std::function<TColor(int, int)>& Expected) {
    std::ostringstream out;
    for (int y = 0; y < Got->GetHeight(); ++y)
        for (int x = 0; x < Got->GetWidth(); ++x)
            if (PixelOf(Got, x, y) != ColorToRGB(Expected(x, y))) {
                out << "(" << x << "," << y << ") is " << std::hex << PixelOf(Got, x, y)
                    << ", not " << ColorToRGB(Expected(x, y));
                return out.str();
            }
    return "";
}

bool In(const TRect& R, int X, int Y) {
    return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom;
}

class UpDownTest : public ShownFormTest {
protected:
    // "hupdown" 40 x 20: down button left, up button right; the hot and pressed looks apart,
    // the down button's pressed look left out.
    TskDataSkinUpDownControl* AddUpDownRecord() {
        const int picture = Skin.AddPicture(100, 40);
        Skin.Fill(picture, TRect(0, 0, 40, 20), kBase);
        Skin.Fill(picture, TRect(40, 0, 60, 20), kHotUp);
        Skin.Fill(picture, TRect(60, 0, 80, 20), kDownUp);
        Skin.Fill(picture, TRect(40, 20, 60, 40), kHotDown);
        auto* record = Skin.Add<TskDataSkinUpDownControl>("hupdown");
        record->PictureIndex = picture;
        record->SkinRect = TRect(0, 0, 40, 20);
        record->UpButtonRect = TRect(20, 0, 40, 20);
        record->DownButtonRect = TRect(0, 0, 20, 20);
        record->ActiveUpButtonRect = TRect(40, 0, 60, 20);
        record->DownUpButtonRect = TRect(60, 0, 80, 20);
        record->ActiveDownButtonRect = TRect(40, 20, 60, 40);
        return record;
    }
    // "spinedit" 100 x 20 whose right cap starts at 80, where both buttons start too.
    TskDataSkinSpinEditControl* AddSpinRecord() {
        const int picture = Skin.AddPicture(160, 20);
        Skin.Fill(picture, TRect(0, 0, 80, 20), kBase);
        Skin.Fill(picture, TRect(80, 0, 100, 20), kCap);
        Skin.Fill(picture, TRect(100, 0, 120, 10), kHotUp);
        Skin.Fill(picture, TRect(120, 0, 140, 10), kDownUp);
        auto* record = Skin.Add<TskDataSkinSpinEditControl>("spinedit");
        record->PictureIndex = picture;
        record->SkinRect = TRect(0, 0, 100, 20);
        record->LTPoint = TPoint(3, 3);
        record->RTPoint = TPoint(80, 3);
        record->ClRect = TRect(3, 3, 78, 17);
        record->UpButtonRect = TRect(80, 0, 100, 10);
        record->DownButtonRect = TRect(80, 10, 100, 20);
        record->ActiveUpButtonRect = TRect(100, 0, 120, 10);
        record->DownUpButtonRect = TRect(120, 0, 140, 10);
        record->FontColor = clNavy;
        return record;
    }
    TskSkinUpDown* UpDown(int Width = 40, int Height = 20) {
        auto* control = Add<TskSkinUpDown>(Form, 10, 10, Width, Height);
        control->OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        return control;
    }
    TskSkinSpinEdit* Spin(int Width = 120) {
        auto* control = Add<TskSkinSpinEdit>(Form, 10, 60, Width, 20);
        control->OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        return control;
    }
    static void Tick(TWinControl* Control) { SendMessageA(Control->GetHandle(), WM_TIMER, 1, 0); }

    TFixtureSkin Skin;
    int Changes = 0;
};

// ---- The up-down ---------------------------------------------------------------------------

TEST_F(UpDownTest, PositionsOutsideTheRangeAreIgnoredAndTheRangeMovesThePositionSilently) {
    auto* ud = UpDown();
    ud->SetPosition(101);
    ud->SetPosition(-1);
    EXPECT_EQ(ud->GetPosition(), 0);
    EXPECT_EQ(Changes, 0);
    ud->SetPosition(40);
    ud->SetPosition(40);
    EXPECT_EQ(Changes, 2) << "every accepted position is told, also the same one";
    ud->SetMin(60);
    EXPECT_EQ(ud->GetPosition(), 60);
    ud->SetMax(50);
    EXPECT_EQ(ud->GetPosition(), 50);
    EXPECT_EQ(Changes, 2);
    ud->SetMin(0);
    ud->SetMax(100);
    ud->SetPosition(2147483647);
    EXPECT_EQ(ud->GetPosition(), 50);
    // A step past the integers' end is past the range: the up button at the largest integer.
    ud->SetMax(2147483647);
    ud->SetPosition(2147483647);
    ud->SetIncrement(10);
    const TRect up = ud->GetButtonRect(TskSkinUpDown::sbUp);
    MouseDown(ud, up.Left + 2, 5);
    MouseUp(ud, up.Left + 2, 5);
    EXPECT_EQ(ud->GetPosition(), 2147483647);
}

// One row of a held button's story: what the user or the timer does, then the position and
// the interval the repeat timer runs at (0: not running).
enum TAct { aPressUp, aPressDown, aTick, aLeave, aEnter, aRelease };
struct TRepeatRow {
    TAct Act;
    int Position;
    UINT Interval;
};

void RunRepeatTable(TskSkinUpDown* Ud, int Button, const std::vector<TRepeatRow>& Rows) {
    const TRect r = Ud->GetButtonRect(Button);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        switch (Rows[i].Act) {
        case aPressUp:
        case aPressDown: MouseDown(Ud, x, y); break;
        case aTick: SendMessageA(Ud->GetHandle(), WM_TIMER, 1, 0); break;
        case aLeave: MouseAway(Ud); break;
        case aEnter: MouseMove(Ud, x, y); break;
        case aRelease: MouseUp(Ud, x, y); break;
        }
        EXPECT_EQ(Ud->GetPosition(), Rows[i].Position) << "row " << i;
        EXPECT_EQ(Ud->GetRepeatInterval(), Rows[i].Interval) << "row " << i;
    }
}

TEST_F(UpDownTest, AHeldButtonWaits500ThenStepsEvery100And50AfterComingBackAndOnceAtRelease) {
    auto* ud = UpDown();
    RunRepeatTable(ud, TskSkinUpDown::sbUp,
                   {{aPressUp, 0, 500},
                    {aTick, 0, 100}, // the first period ends: no step
                    {aTick, 1, 100},
                    {aTick, 2, 100},
                    {aLeave, 2, 0},
                    {aTick, 2, 0}, // a tick still queued steps nothing while the pointer is off
                    {aEnter, 2, 50},
                    {aTick, 3, 50},
                    {aRelease, 4, 0}});
    // Coming back within the first period: its first tick still only ends the wait.
    RunRepeatTable(ud, TskSkinUpDown::sbUp,
                   {{aPressUp, 4, 500},
                    {aLeave, 4, 0},
                    {aEnter, 4, 50},
                    {aTick, 4, 100},
                    {aTick, 5, 100},
                    {aRelease, 6, 0}});
    // Down by 5 stops at Min: steps below it are ignored.
    ud->SetIncrement(5);
    ud->SetPosition(10);
    RunRepeatTable(ud, TskSkinUpDown::sbDown,
                   {{aPressDown, 10, 500},
                    {aTick, 10, 100},
                    {aTick, 5, 100},
                    {aTick, 0, 100},
                    {aTick, 0, 100},
                    {aRelease, 0, 0}});
}

TEST_F(UpDownTest, WithIncrementZeroNothingRepeatsOrMovesButEachReleaseIsAClick) {
    auto* ud = UpDown();
    int ups = 0, downs = 0;
    ud->OnUpButtonClick = TNotifyEvent::FromCallable([&](TObject*) { ++ups; });
    ud->OnDownButtonClick = TNotifyEvent::FromCallable([&](TObject*) { ++downs; });
    ud->SetIncrement(0);
    RunRepeatTable(ud, TskSkinUpDown::sbUp, {{aPressUp, 0, 0}, {aTick, 0, 0}, {aRelease, 0, 0}});
    RunRepeatTable(ud, TskSkinUpDown::sbDown, {{aPressDown, 0, 0}, {aRelease, 0, 0}});
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(Changes, 0);
}

TEST_F(UpDownTest, AReleaseThatFreesTheControlEndsThereAndLeavesNoTimer) {
    auto* ud = UpDown();
    bool clicked = false;
    ud->OnChange = TNotifyEvent::FromCallable([&](TObject*) { delete ud; });
    ud->OnUpButtonClick = TNotifyEvent::FromCallable([&](TObject*) { clicked = true; });
    const HWND wnd = ud->GetHandle();
    const TRect up = ud->GetButtonRect(TskSkinUpDown::sbUp);
    MouseDown(ud, up.Left + 2, 5);
    SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(up.Left + 2, 5));
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_FALSE(clicked);
    Pump();
}

TEST_F(UpDownTest, TheSkinsLooksComeFromItsRecordWithThePressedLookFallingBackToTheHotOne) {
    AddUpDownRecord();
    auto* ud = UpDown(25, 50);
    ud->SetSkinData(Skin.Data.get());
    EXPECT_EQ(ud->GetWidth(), 40) << "an up-down has its skin's size";
    EXPECT_EQ(ud->GetHeight(), 20);
    const TRect up(20, 0, 40, 20), down(0, 0, 20, 20);
    EXPECT_EQ(ud->GetButtonRect(TskSkinUpDown::sbUp), up);
    auto expect = [&](TColor UpColor, TColor DownColor) {
        return Differences(PaintToBitmap(ud).get(), [&](int X, int Y) {
            return In(up, X, Y) ? UpColor : In(down, X, Y) ? DownColor : kBase;
        });
    };
    EXPECT_EQ(expect(kBase, kBase), "");
    MouseMove(ud, 30, 10);
    EXPECT_EQ(expect(kHotUp, kBase), "");
    MouseDown(ud, 30, 10);
    EXPECT_EQ(expect(kDownUp, kBase), "");
    MouseUp(ud, 30, 10);
    MouseMove(ud, 5, 10);
    EXPECT_EQ(expect(kBase, kHotDown), "");
    MouseDown(ud, 5, 10);
    EXPECT_EQ(expect(kBase, kHotDown), "") << "no pressed look: the hot one";
    MouseUp(ud, 5, 10);
    MouseAway(ud);
    EXPECT_EQ(expect(kBase, kBase), "");
}

TEST_F(UpDownTest, PlainButtonsSplitTheControlByOrientationWithNavyRingsWhenLit) {
    auto* ud = UpDown(40, 20);
    EXPECT_EQ(ud->GetButtonRect(TskSkinUpDown::sbDown), TRect(0, 0, 20, 20));
    EXPECT_EQ(ud->GetButtonRect(TskSkinUpDown::sbUp), TRect(20, 0, 40, 20));
    MouseMove(ud, 30, 10);
    auto image = PaintToBitmap(ud);
    EXPECT_EQ(PixelOf(image.get(), 20, 0), ColorToRGB(clNavy));
    EXPECT_EQ(PixelOf(image.get(), 22, 2), ColorToRGB(TColor(0xD2BDB6)));
    EXPECT_EQ(PixelOf(image.get(), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(image.get(), 2, 2), ColorToRGB(clBtnFace));
    MouseDown(ud, 30, 10);
    EXPECT_EQ(PixelOf(PaintToBitmap(ud).get(), 22, 2), ColorToRGB(TColor(0xB59385)));
    MouseUp(ud, 30, 10);

    ud->SetOrientation(udVertical);
    ud->SetBounds(10, 10, 20, 40);
    EXPECT_EQ(ud->GetButtonRect(TskSkinUpDown::sbUp), TRect(0, 0, 20, 20));
    EXPECT_EQ(ud->GetButtonRect(TskSkinUpDown::sbDown), TRect(0, 20, 20, 40));

    // Disabled, the arrows grey: no black is left.
    MouseAway(ud);
    auto arrows = [&](TColor Colour) {
        auto shot = PaintToBitmap(ud);
        int count = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 20; ++x) count += PixelOf(shot.get(), x, y) == ColorToRGB(Colour);
        return count;
    };
    ASSERT_GT(arrows(clBlack), 4);
    ud->SetEnabled(false);
    EXPECT_EQ(arrows(clBlack), 0);
    EXPECT_GT(arrows(clBtnShadow), 4);
}

// Damaged skins: each gives the plain look (or, for a look outside the picture, no look),
// never an exception or a read outside a picture.
TEST_F(UpDownTest, MissingOrInconsistentRecordsGiveThePlainOrABlankLook) {
    using TBreak = std::function<void(TFixtureSkin&)>;
    const std::vector<std::pair<const char*, TBreak>> damages = {
        {"no such picture", [&](TFixtureSkin&) { AddUpDownRecord()->PictureIndex = 9; }},
        {"rectangle past the picture",
         [&](TFixtureSkin&) { AddUpDownRecord()->SkinRect = TRect(80, 30, 120, 50); }},
        {"no rectangle", [&](TFixtureSkin&) { AddUpDownRecord()->SkinRect = TRect(); }},
        {"a button's record under the name",
         [&](TFixtureSkin& S) {
             auto* r = S.AddFramed<TskDataSkinButtonControl>("hupdown", S.AddPicture(40, 20),
                                                             TRect(0, 0, 40, 20));
             r->RBPoint = r->LBPoint = r->RTPoint = r->LTPoint = TPoint();
         }},
    };
    auto* plain = Add<TskSkinUpDown>(Form, 200, 10, 40, 20);
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        Skin = TFixtureSkin();
        damage(Skin);
        auto* ud = UpDown(40, 20);
        ud->SetSkinData(Skin.Data.get());
        ud->SetBounds(10, 10, 40, 20);
        auto expected = PaintToBitmap(plain);
        EXPECT_EQ(Differences(PaintToBitmap(ud).get(),
                              [&](int X, int Y) { return TColor(PixelOf(expected.get(), X, Y)); }),
                  "");
        delete ud;
    }
    // Looks past the picture and buttons without a size light nothing up.
    Skin = TFixtureSkin();
    auto* record = AddUpDownRecord();
    record->ActiveUpButtonRect = TRect(90, 30, 110, 50);
    record->DownButtonRect = TRect(10, 10, 0, 0);
    auto* ud = UpDown();
    ud->SetSkinData(Skin.Data.get());
    MouseMove(ud, 30, 10);
    EXPECT_TRUE(ud->IsButtonHot(TskSkinUpDown::sbUp));
    EXPECT_EQ(Differences(PaintToBitmap(ud).get(), [](int, int) { return kBase; }), "");
    MouseMove(ud, 5, 5);
    EXPECT_FALSE(ud->IsButtonHot(TskSkinUpDown::sbDown));
    EXPECT_TRUE(Errors.empty());
}

// ---- The spin edit ---------------------------------------------------------------------------

TEST_F(UpDownTest, BoundsApplyOnlyWhenMinAndMaxDiffer) {
    struct TRow {
        double Min, Max, Value, Expected;
    };
    auto* spin = Spin();
    for (const TRow& row : std::vector<TRow>{{0, 0, -5, -5},
                                             {0, 0, 1e9, 1e9},
                                             {7, 7, 3, 3},
                                             {0, 100, -1, 0},
                                             {0, 100, 150, 100},
                                             {0, 100, 50, 50},
                                             {-2.5, 2.5, 3, 2.5}}) {
        spin->SetMinValue(row.Min);
        spin->SetMaxValue(row.Max);
        EXPECT_EQ(spin->CheckValue(row.Value), row.Expected) << row.Min << ".." << row.Max;
    }
}

TEST_F(UpDownTest, AnIntegerSpinEditKeepsTheRoundedValueItShowsHalvesToEven) {
    struct TRow {
        double Min, Max, Set, Value;
        const char* Text;
    };
    auto* spin = Spin();
    for (const TRow& row : std::vector<TRow>{{0, 0, 2.5, 2, "2"},
                                             {0, 0, 3.5, 4, "4"},
                                             {0, 0, -2.5, -2, "-2"},
                                             {0, 0, -0.4, 0, "0"},
                                             {0, 0, 1e10, 1e10, "10000000000"},
                                             {0, 100, 150, 100, "100"},
                                             {0.5, 10, 0.2, 1, "1"}}) {
        spin->SetMinValue(row.Min);
        spin->SetMaxValue(row.Max);
        spin->SetValue(row.Set);
        EXPECT_EQ(spin->GetValue(), row.Value) << row.Set;
        EXPECT_EQ(spin->GetText(), row.Text) << row.Set;
        EXPECT_EQ(spin->GetEdit()->GetText(), row.Text) << row.Set;
    }
    EXPECT_EQ(Changes, 7);
    spin->SimpleSetValue(1);
    EXPECT_EQ(Changes, 7);
    EXPECT_EQ(spin->GetText(), "1");
    // Nothing without end: the value stays.
    spin->SetValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(spin->GetValue(), 1);

    spin->SetValueType(vtFloat);
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(1.234);
    EXPECT_EQ(spin->GetText(), "1.23");
    EXPECT_EQ(spin->GetValue(), 1.234) << "a floating-point value is kept as set";
    spin->SetValue(-0.001);
    EXPECT_EQ(spin->GetText(), "0.00");
    spin->SetDecimal(3);
    spin->SetValue(12.125);
    EXPECT_EQ(spin->GetText(), "12.125");

    // Back to integers: the step is rounded, to 1 where it would be 0.
    spin->SetIncrement(2.5);
    spin->SetValueType(vtInteger);
    EXPECT_EQ(spin->GetIncrement(), 2);
    spin->SetValueType(vtFloat);
    spin->SetIncrement(0.4);
    spin->SetValueType(vtInteger);
    EXPECT_EQ(spin->GetIncrement(), 1);
}

TEST_F(UpDownTest, NumberTextsAreDigitsWithALeadingMinusAndOneSeparatorNotFirst) {
    struct TRow {
        TskValueType Type;
        const char* Text;
        bool Number;
    };
    auto* spin = Spin();
    for (const TRow& row : std::vector<TRow>{{vtInteger, "", false},
                                             {vtInteger, "-", false},
                                             {vtInteger, "--1", false},
                                             {vtInteger, "1-", false},
                                             {vtInteger, "12a", false},
                                             {vtInteger, "1.5", false},
                                             {vtInteger, "-12", true},
                                             {vtInteger, "007", true},
                                             {vtFloat, "1.5", true},
                                             {vtFloat, ".5", false},
                                             {vtFloat, "1.5.2", false},
                                             {vtFloat, "-.5", true},
                                             {vtFloat, "-.", true},
                                             {vtFloat, "5.", true}}) {
        spin->SetValueType(row.Type);
        EXPECT_EQ(spin->IsNumText(row.Text), row.Number) << "'" << row.Text << "'";
    }
}

TEST_F(UpDownTest, TypedTextsSetTheValueAndTextsThatReadAsNoNumberChangeNothing) {
    struct TRow {
        TskValueType Type;
        double Min, Max;
        const char* Typed;
        double Value;
        const char* Shown;
        int Changes;
    };
    for (const TRow& row : std::vector<TRow>{
             {vtInteger, 0, 100, "42", 42, "42", 1},
             {vtInteger, 0, 100, "150", 100, "100", 1},
             {vtFloat, 0, 100, "150", 100, "150", 1},
             {vtFloat, 0, 0, "2.75", 2.75, "2.75", 1},
             {vtInteger, 0, 0, "2147483647", 2147483647, "2147483647", 1},
             {vtInteger, 0, 0, "-", 0, "-", 0},
             {vtInteger, 0, 0, "99999999999", 0, "99999999999", 0},
             {vtInteger, 0, 0, "abc", 0, "abc", 0},
             {vtFloat, 0, 0, "-.", 0, "-.", 0},
             {vtInteger, 0, 100, "0", 0, "0", 0}}) {
        SCOPED_TRACE(row.Typed);
        Changes = 0;
        auto* spin = Spin();
        spin->SetValueType(row.Type);
        spin->SetMinValue(row.Min);
        spin->SetMaxValue(row.Max);
        // The whole text replaced at once, as a paste does (without its filter).
        const HWND edit = spin->GetEdit()->GetHandle();
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(row.Typed));
        EXPECT_EQ(spin->GetValue(), row.Value);
        EXPECT_EQ(spin->GetEdit()->GetText(), row.Shown);
        EXPECT_EQ(spin->GetText(), row.Shown);
        EXPECT_EQ(Changes, row.Changes);
        delete spin;
    }
    EXPECT_TRUE(Errors.empty());
}

TEST_F(UpDownTest, TheSpinButtonsArrowKeysAndWheelStepAndTheEditsKeysArePassedOn) {
    auto* spin = Spin();
    spin->SetIncrement(3);
    std::vector<std::string> keys;
    auto log = [&](const char* What) {
        return TKeyEvent::FromCallable([&keys, spin, What](TObject* Sender, Word& Key, TShiftState) {
            keys.push_back((Sender == spin ? What : "?") + std::to_string(Key));
        });
    };
    spin->OnEditKeyDown = log("down ");
    spin->OnEditKeyUp = log("up ");
    const TRect up = spin->GetButtonRect(TskSkinSpinEdit::sbUp);
    EXPECT_EQ(up, TRect(103, 2, 118, 10));
    MouseDown(spin, 110, 5);
    Tick(spin);
    Tick(spin);
    MouseUp(spin, 110, 5);
    EXPECT_EQ(spin->GetValue(), 6);
    EXPECT_EQ(spin->GetText(), "6");
    PostKey(spin->GetEdit(), VK_DOWN);
    EXPECT_EQ(spin->GetValue(), 3);
    PostKey(spin->GetEdit(), VK_UP);
    EXPECT_EQ(spin->GetValue(), 6);
    // Turned away from the user: down.
    SendMessageA(spin->GetEdit()->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(spin->GetValue(), 3);
    // The arrows step instead of reaching OnEditKeyDown; the other keys reach both events.
    PostKey(spin->GetEdit(), VK_HOME);
    EXPECT_EQ(keys, (std::vector<std::string>{"up 40", "up 38", "down 36", "up 36"}));
}

TEST_F(UpDownTest, ButtonsInTheRightCapMoveWithItAndTheEditFillsTheClientPart) {
    AddSpinRecord();
    auto* spin = Spin(150);
    spin->SetSkinData(Skin.Data.get());
    EXPECT_EQ(spin->GetHeight(), 20);
    // 50 wider than the skin: the cap, and the buttons that start where it starts, at 130.
    EXPECT_EQ(spin->GetButtonRect(TskSkinSpinEdit::sbUp), TRect(130, 0, 150, 10));
    EXPECT_EQ(spin->GetButtonRect(TskSkinSpinEdit::sbDown), TRect(130, 10, 150, 20));
    TskSkinNumEdit* edit = spin->GetEdit();
    EXPECT_EQ(TRect(edit->GetLeft(), edit->GetTop(), edit->GetLeft() + edit->GetWidth(),
                    edit->GetTop() + edit->GetHeight()),
              TRect(3, 3, 128, 17));
    EXPECT_EQ(edit->GetFont()->GetColor(), clNavy);
    EXPECT_TRUE(edit->GetEditTransparent());

    const TRect up(130, 0, 150, 10);
    auto expect = [&](TColor Up) {
        return Differences(PaintToBitmap(spin).get(), [&](int X, int Y) {
            return In(up, X, Y) ? Up : X >= 130 ? kCap : kBase;
        });
    };
    EXPECT_EQ(expect(kCap), "");
    MouseMove(spin, 140, 5);
    EXPECT_EQ(expect(kHotUp), "");
    MouseDown(spin, 140, 5);
    EXPECT_EQ(expect(kDownUp), "");
    MouseUp(spin, 140, 5);
    EXPECT_EQ(spin->GetValue(), 1);

    spin->SetEnabled(false);
    EXPECT_EQ(edit->GetFont()->GetColor(), clGray);
    // Without the skin: the plain look and an opaque edit.
    spin->SetEnabled(true);
    Skin.Data->Empty = true;
    spin->ChangeSkinData();
    EXPECT_FALSE(edit->GetEditTransparent());
    EXPECT_EQ(spin->GetButtonRect(TskSkinSpinEdit::sbUp), TRect(133, 2, 148, 10));
}

TEST_F(UpDownTest, AWindowRegionHandedToTheWindowIsNeverDeletedLater) {
    auto* record = AddSpinRecord();
    const int mask = Skin.AddPicture(100, 20);
    Skin.Fill(mask, TRect(1, 0, 99, 20), clBlack);
    record->MaskPictureIndex = mask;
    auto* spin = Spin(150);
    spin->SetSkinData(Skin.Data.get());
    for (int width : {160, 170, 120}) {
        // A region of ours, made after the window took its own: a control that deleted the
        // handle it gave away would delete this one when the region changes.
        HRGN mine = CreateRectRgn(0, 0, 5, 5);
        spin->SetBounds(10, 60, width, 20);
        RECT box;
        EXPECT_EQ(GetRgnBox(mine, &box), SIMPLEREGION) << width;
        DeleteObject(mine);
        HRGN current = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(spin->GetHandle(), current), ERROR) << width;
        GetRgnBox(current, &box);
        EXPECT_EQ(box.right, width - 1) << width;
        DeleteObject(current);
    }
}

TEST_F(UpDownTest, ASpinEditRecordWithoutItsPictureDrawsThePlainLook) {
    AddSpinRecord()->PictureIndex = 4;
    auto* spin = Spin();
    spin->SetSkinData(Skin.Data.get());
    auto* plain = Add<TskSkinSpinEdit>(Form, 10, 100, 120, spin->GetHeight());
    auto expected = PaintToBitmap(plain);
    EXPECT_EQ(Differences(PaintToBitmap(spin).get(),
                          [&](int X, int Y) { return TColor(PixelOf(expected.get(), X, Y)); }),
              "");
    EXPECT_FALSE(spin->GetEdit()->GetEditTransparent());
}

// ---- As a person uses them -----------------------------------------------------------------

TEST_F(UpDownTest, PersonHoldsTheUpArrowAndTypesIntoTheSpinEdit) {
    auto* ud = UpDown();
    const TPoint up = Centre(ud, ud->GetButtonRect(TskSkinUpDown::sbUp));
    PointerDown(up);
    ASSERT_TRUE(PumpUntil([&] { return ud->IsButtonPressed(TskSkinUpDown::sbUp); }));
    EXPECT_TRUE(ud->IsButtonHot(TskSkinUpDown::sbUp));
    EXPECT_EQ(ud->GetRepeatInterval(), kStepFirstDelay);
    for (int i = 0; i < 4; ++i) Tick(ud);
    EXPECT_EQ(ud->GetPosition(), 3);
    PointerUp(up);
    ASSERT_TRUE(PumpUntil([&] { return !ud->IsButtonPressed(TskSkinUpDown::sbUp); }));
    EXPECT_EQ(ud->GetPosition(), 4);
    EXPECT_EQ(ud->GetRepeatInterval(), 0u);

    // Held with the right button, left and let go elsewhere: the repeat ends all the same.
    const TPoint down = Centre(ud, ud->GetButtonRect(TskSkinUpDown::sbDown));
    SendPointerInput(down, MOUSEEVENTF_RIGHTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return ud->IsButtonPressed(TskSkinUpDown::sbDown); }));
    const TPoint away(down.X, down.Y + 200);
    PointerTo(away);
    ASSERT_TRUE(PumpUntil([&] { return ud->GetRepeatInterval() == 0; }));
    SendPointerInput(away, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([&] { return !ud->IsButtonPressed(TskSkinUpDown::sbDown); }));
    EXPECT_EQ(ud->GetPosition(), 3);
    EXPECT_EQ(ud->GetRepeatMode(), TskSkinUpDown::repNone);

    auto* spin = Spin();
    spin->SetMinValue(0);
    spin->SetMaxValue(50);
    const TPoint field = spin->ClientToScreen(TPoint(30, 10));
    ClickAt(field);
    ASSERT_TRUE(PumpUntil([&] { return spin->GetEdit()->Focused(); }));
    for (Word key : {Word(VK_END), Word(VK_BACK), Word('4'), Word('7'), Word('A'), Word(VK_UP)})
        PressKey(key);
    ASSERT_TRUE(PumpUntil([&] { return spin->GetValue() == 48; }));
    EXPECT_EQ(spin->GetEdit()->GetText(), "48") << "a letter is no number character";
    // Typing past the bounds shows the bound.
    PressKey('9');
    ASSERT_TRUE(PumpUntil([&] { return spin->GetEdit()->GetText() == "50"; }));
    EXPECT_EQ(spin->GetValue(), 50);
    // The wheel turned away from the user lowers the value.
    PointerWheel(field, 1);
    ASSERT_TRUE(PumpUntil([&] { return spin->GetValue() == 49; }));
    PointerTo(TPoint(0, 0));
}

// ---- A form resource ------------------------------------------------------------------------

class TUpDownForm : public TForm {
    DECLARE_CLASS(TUpDownForm, TForm)
public:
    explicit TUpDownForm(TComponent* AOwner = nullptr) : TForm(AOwner) {}
    static void Published(TPropertyList& P) {
        P.Field("UD_Pages", &TUpDownForm::UD_Pages);
        P.Field("SE_Level", &TUpDownForm::SE_Level);
        P.Method("Changed", &TUpDownForm::Changed);
    }
    void Changed(TObject*) { ++Changes; }
    TskSkinUpDown* UD_Pages = nullptr;
    TskSkinSpinEdit* SE_Level = nullptr;
    int Changes = 0;
};

TEST(UpDownResource, AFormReadsItsUpDownAndSpinEditWithTheirRangesBeforeTheirValues) {
    TUpDownForm form;
    ReadComponentRes("UpDownForm", &form);
    ASSERT_NE(form.UD_Pages, nullptr);
    ASSERT_NE(form.SE_Level, nullptr);
    EXPECT_EQ(form.Changes, 0);
    EXPECT_EQ(form.UD_Pages->GetMin(), -50);
    EXPECT_EQ(form.UD_Pages->GetMax(), 200);
    EXPECT_EQ(form.UD_Pages->GetPosition(), 150) << "above the default Max, read after Max";
    EXPECT_EQ(form.UD_Pages->GetIncrement(), 5);
    EXPECT_EQ(form.UD_Pages->GetOrientation(), udVertical);
    EXPECT_EQ(form.SE_Level->GetValueType(), vtFloat);
    EXPECT_EQ(form.SE_Level->GetValue(), 12.125);
    EXPECT_EQ(form.SE_Level->GetText(), "12.125");
    EXPECT_EQ(form.SE_Level->GetMaxLength(), 8);
    EXPECT_EQ(form.SE_Level->GetIncrement(), 0.25);
    EXPECT_TRUE(form.SE_Level->GetEdit()->GetFloat());
    form.SE_Level->UpClick(nullptr);
    form.UD_Pages->SetPosition(155);
    EXPECT_EQ(form.Changes, 2);

    const AnsiString text = WriteComponentText(&form);
    EXPECT_EQ(text.find("TskSkinNumEdit"), AnsiString::npos) << "the inner edit is no child";
    TUpDownForm copy;
    ReadComponentText(text, &copy);
    EXPECT_EQ(WriteComponentText(&copy), text);
    EXPECT_EQ(copy.SE_Level->GetValue(), 12.375);
    EXPECT_EQ(copy.UD_Pages->GetPosition(), 155);
}

// ---- Screenshots ---------------------------------------------------------------------------

constexpr int kColumn = 150;

class UpDownDemo : public ContainerDemoTest {
protected:
    // Columns: normal, hot, pressed, disabled. Only one control is under the pointer at a
    // time, so each hot and pressed control is shown and captured on its own, into the sheet.
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 10 + 4 * kColumn + 20, 190);
        Form->SetColor(clBtnFace);
        std::vector<TskSkinStepButtons*> hot, pressed;
        for (int state = 0; state < 4; ++state) {
            const int x = 10 + state * kColumn;
            auto* h = PlaceAt<TskSkinUpDown>(x, 10, 40, 20, "hupdown");
            auto* v = PlaceAt<TskSkinUpDown>(x + 60, 10, 20, 40, "vupdown");
            v->SetOrientation(udVertical);
            v->SetBounds(x + 60, 10, 20, 40);
            auto [s, f] = PlaceSpinEdits(x, 70, state);
            Spins.push_back(s);
            if (state == 1) hot = {h, v, s, f};
            if (state == 2) pressed = {h, v, s, f};
            EndColumn(state);
        }
        Pump();
        auto sheet = CaptureWindow(Form->GetHandle());
        RECT frame;
        GetWindowRect(Form->GetHandle(), &frame);
        auto paste = [&](TskSkinStepButtons* Control) {
            auto shot = ScreenShot(Control->GetHandle());
            const TPoint at = Control->ClientToScreen(TPoint(0, 0));
            sheet->GetCanvas()->Draw(at.X - frame.left, at.Y - frame.top, shot.get());
        };
        for (TskSkinStepButtons* c : hot) {
            const TRect r = c->GetButtonRect(TskSkinStepButtons::sbUp);
            MouseMove(c, r.Left + 2, r.Top + 2);
            paste(c);
            MouseAway(c);
        }
        for (TskSkinStepButtons* c : pressed) {
            const TRect r = c->GetButtonRect(TskSkinStepButtons::sbDown);
            MouseDown(c, r.Left + 2, r.Top + 2);
            paste(c);
            MouseUp(c, r.Left + 2, r.Top + 2);
        }
        sheet->SaveToFile(ExeDir() + FileName);
        ExpectTextFits(Spins[0]);
        EXPECT_TRUE(Errors.empty());
    }
    // The spin edit's number is whole on the screen: its ink leaves background rows above
    // and below it inside the edit.
    static void ExpectTextFits(TskSkinSpinEdit* Spin) {
        auto shot = CaptureWindow(Spin->GetEdit()->GetHandle());
        const COLORREF back = PixelOf(shot.get(), shot->GetWidth() - 1, shot->GetHeight() / 2);
        int first = -1, last = -1;
        for (int y = 0; y < shot->GetHeight(); ++y)
            for (int x = 0; x < shot->GetWidth(); ++x)
                if (PixelOf(shot.get(), x, y) != back) {
                    if (first == -1) first = y;
                    last = y;
                }
        ASSERT_NE(first, -1) << "no text on the screen";
        EXPECT_GT(first, 0);
        EXPECT_LT(last, shot->GetHeight() - 1);
    }

    std::vector<TskSkinSpinEdit*> Spins;
};

TEST_F(UpDownDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("updown-skinned.bmp");
}

TEST_F(UpDownDemo, WithoutAnySkin) {
    BuildAndCapture("updown-default.bmp");
}

} // namespace
