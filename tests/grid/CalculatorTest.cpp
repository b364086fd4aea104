#include "grid/gclcalc.h"
#include "grid/gclmisc.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Clipboard.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/Persistence.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/ScreenText.h"
#include "tests/support/UserInput.h"

#include <algorithm>
#include <string>

namespace {

int Beeps = 0;
void CountBeep() {
    ++Beeps;
}

std::string Trimmed(const AnsiString& S) {
    std::string t = S;
    t.erase(0, t.find_first_not_of(' '));
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
}

class CalculatorTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Beeps = 0;
        OldBeep = SetGclBeepProc(CountBeep);
        Calc = Add<TGclCalculator>(Form, 10, 10, 240, 200);
        Calc->GetHandle();
    }
    void TearDown() override {
        SetGclBeepProc(OldBeep);
        ShownFormTest::TearDown();
    }
    void Press(std::initializer_list<TGclCalculatorButton> Buttons) {
        for (TGclCalculatorButton b : Buttons)
            Calc->PressButton(b);
    }
    std::string Shown() const { return Trimmed(Calc->GetDisplayText()); }
    // The tape's lines from the first non-empty one, trimmed.
    std::vector<std::string> Tape() const {
        std::vector<std::string> lines;
        for (const AnsiString& line : Calc->GetTape()->Lines())
            if (!line.empty() || !lines.empty()) lines.push_back(Trimmed(line));
        return lines;
    }

    TGclCalculator* Calc = nullptr;
    TGclBeepProc OldBeep = nullptr;
};

TEST_F(CalculatorTest, AddsLeftToRightAndPrintsTheTape) {
    Press({cb2, cbAdd, cb3, cbEqual});
    EXPECT_EQ(Shown(), "5.00");
    std::vector<std::string> tape = Tape();
    ASSERT_EQ(tape.size(), 5u);
    EXPECT_EQ(tape[0], "2 +");
    EXPECT_EQ(tape[1], "3 =");
    EXPECT_EQ(tape[2], "002");
    EXPECT_EQ(tape[3], "5.00 *");
    EXPECT_EQ(tape[4], std::string(Calc->GetTape()->GetWidthChars(), '_'));
    // Value lines fill the width plus one, the mark in the last two columns.
    const AnsiString& raw = Calc->GetTape()->Lines()[Calc->GetTape()->Lines().size() - 2];
    EXPECT_EQ(static_cast<int>(raw.size()), Calc->GetTape()->GetWidthChars() + 1);
    EXPECT_EQ(raw.substr(raw.size() - 2), "* ");

    Press({cbClear, cb2, cbAdd, cb3, cbAdd, cb4, cbEqual});
    EXPECT_EQ(Shown(), "9.00");
    // Equals right after equals clears all.
    Press({cbEqual});
    EXPECT_EQ(Shown(), "0.00");
}

TEST_F(CalculatorTest, DivisionByZeroLocksUntilClear) {
    Press({cb1, cbDiv, cb0, cbEqual});
    EXPECT_EQ(Shown(), "******");
    EXPECT_EQ(Beeps, 1);
    Press({cbAdd, cbEqual});
    EXPECT_EQ(Beeps, 3);
    EXPECT_EQ(Shown(), "******");
    Press({cbClear});
    EXPECT_EQ(Shown(), "0.00");
    Press({cb4, cbSqrt});
    EXPECT_EQ(Shown(), "2.00");
    Press({cbClear, cb0, cbInvert});
    EXPECT_EQ(Shown(), "******");
    Press({cbClear, cb4, cbChangeSign, cbSqrt});
    EXPECT_EQ(Shown(), "******");
}

TEST_F(CalculatorTest, PercentAddsOrStandsApart) {
    Press({cb2, cb0, cb0, cbAdd, cb1, cb0, cbPercent});
    EXPECT_EQ(Shown(), "220.00");
    Press({cbClear, cb5, cb0, cbMul, cb1, cb0, cbPercent});
    EXPECT_EQ(Shown(), "5.00");
    Calc->SetOptions(Calc->GetOptions() + TGclCalculatorOptions{coShowSeparatePercent});
    Press({cbClear, cb2, cb0, cb0, cbAdd, cb1, cb0, cbPercent});
    EXPECT_EQ(Shown(), "20.00");
    Press({cbEqual});
    EXPECT_EQ(Shown(), "220.00");
}

TEST_F(CalculatorTest, EntryEditing) {
    Calc->SetDecimals(-2);
    Press({cbClear, cb1});
    EXPECT_EQ(Shown(), "0.01");
    Press({cb2});
    EXPECT_EQ(Shown(), "0.12");
    Press({cb3});
    EXPECT_EQ(Shown(), "1.23");
    Press({cbBack});
    EXPECT_EQ(Shown(), "0.12");

    Calc->SetDecimals(2);
    Press({cbClear, cbClearEntry, cbChangeSign, cb5});
    EXPECT_EQ(Calc->GetDisplayStr(), "-5");
    Press({cbClear, cbChangeSign, cb5});
    EXPECT_EQ(Calc->GetDisplayStr(), "5");
    Press({cbClear, cb0, cb0});
    EXPECT_EQ(Calc->GetDisplayStr(), "0");
    EXPECT_EQ(Shown(), "0.00");
    Press({cb1, cbDecimal, cb5});
    EXPECT_EQ(Shown(), "1.5");
}

TEST_F(CalculatorTest, MemoryAndItsButtons) {
    Press({cb7, cbMemStore});
    EXPECT_EQ(Calc->GetMemory(), 7);
    Press({cbClear, cb3, cbMemAdd});
    EXPECT_EQ(Calc->GetMemory(), 10);
    Press({cbClear, cbMemRecall});
    EXPECT_EQ(Shown(), "10.00");
    Press({cbMemClear});
    EXPECT_EQ(Calc->GetMemory(), 0);
    // With nothing in memory a click on MR presses nothing.
    int pressed = 0;
    Calc->OnButtonPressed = TGclCalcButtonPressedEvent::FromCallable(
        [&](TObject*, TGclCalculatorButton) { ++pressed; });
    TRect mr = Calc->ButtonRect(cbMemRecall);
    PostClick(Calc, mr.Left + 3, mr.Top + 3);
    EXPECT_EQ(pressed, 0);
    TRect seven = Calc->ButtonRect(cb7);
    PostClick(Calc, seven.Left + 3, seven.Top + 3);
    EXPECT_EQ(pressed, 1);
    EXPECT_EQ(Calc->GetDisplayStr(), "7");
}

TEST_F(CalculatorTest, PressCountsOnlyWhenReleasedOverTheSameButton) {
    TRect one = Calc->ButtonRect(cb1), two = Calc->ButtonRect(cb2);
    HWND wnd = Calc->GetHandle();
    PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(one.Left + 2, one.Top + 2));
    PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(two.Left + 2, two.Top + 2));
    Pump();
    EXPECT_EQ(Calc->GetDisplayStr(), "0");
    EXPECT_EQ(Calc->GetPressedButton(), cbNone);
}

TEST_F(CalculatorTest, KeysAndWindowText) {
    ASSERT_TRUE(TakeFocus(Calc));
    for (char c : std::string("12+3="))
        PostMessageA(Calc->GetHandle(), WM_CHAR, static_cast<WPARAM>(c), 0);
    Pump();
    EXPECT_EQ(Shown(), "15.00");
    PostKey(Calc, VK_ESCAPE);
    EXPECT_EQ(Shown(), "0.00");
    SendMessageA(Calc->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("6*7="));
    char text[64] = {};
    SendMessageA(Calc->GetHandle(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(Trimmed(text), "42.00");
}

TEST_F(CalculatorTest, LayoutFollowsTheGrid) {
    // 240 wide: wide margins, six columns with memory.
    RECT client;
    GetClientRect(Calc->GetHandle(), &client);
    int bw = (client.right - 3 * 6 - 4 * 4) / 6;
    EXPECT_EQ(Calc->ButtonRect(cbMemClear).Left, 6);
    EXPECT_EQ(Calc->ButtonRect(cbMemClear).Right - Calc->ButtonRect(cbMemClear).Left, bw);
    EXPECT_EQ(Calc->ButtonRect(cbEqual).Right, Calc->ButtonRect(cbSqrt).Right);
    EXPECT_EQ(Calc->ButtonRect(cbMemSub).Bottom, client.bottom - 6);
    EXPECT_FALSE(Calc->ButtonVisible(cbTape));
    Calc->SetOptions({coShowItemCount});
    EXPECT_FALSE(Calc->ButtonVisible(cbMemClear));
    EXPECT_EQ(Calc->ButtonRect(cb7).Left, Calc->GetDisplayPanel()->GetLeft());
}

// Pixels of Color inside R of the calculator as it paints itself.
int PixelsOf(TGclCalculator* Calc, const TRect& R, TColor Color) {
    std::unique_ptr<TBitmap> shot = PaintToBitmap(Calc);
    int count = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (PixelOf(shot.get(), x, y) == static_cast<COLORREF>(ColorToRGB(Color))) ++count;
    return count;
}

TEST_F(CalculatorTest, ColoursBySchemeAndMemoryButtonsByMemory) {
    TGclCalcColors* colors = Calc->GetColors();
    int changes = 0;
    TNotifyEvent own = colors->OnChange;
    colors->OnChange = TNotifyEvent::FromCallable([&](TObject* s) {
        ++changes;
        own(s);
    });
    colors->SetColorScheme(cscalcDark);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Calc->GetDisplayPanel()->GetColor(), clBlack);
    EXPECT_EQ(Calc->GetDisplayPanel()->GetFont()->GetColor(), clAqua);
    colors->SetColor(TGclCalcColors::ciMemoryButtons, clFuchsia);
    EXPECT_EQ(colors->GetColorScheme(), cscalcCustom);
    colors->BeginUpdate();
    colors->SetColor(TGclCalcColors::ciNumberButtons, clLime);
    colors->SetColor(TGclCalcColors::ciDisabledMemoryButtons, clOlive);
    EXPECT_EQ(changes, 2);
    colors->EndUpdate();
    EXPECT_EQ(changes, 3);

    // With nothing in memory MC is drawn in the disabled colour, else in the memory colour.
    EXPECT_GT(PixelsOf(Calc, Calc->ButtonRect(cbMemClear), clOlive), 0);
    EXPECT_GT(PixelsOf(Calc, Calc->ButtonRect(cb7), clLime), 0);
    Press({cb5, cbMemStore});
    EXPECT_EQ(PixelsOf(Calc, Calc->ButtonRect(cbMemClear), clOlive), 0);
    EXPECT_GT(PixelsOf(Calc, Calc->ButtonRect(cbMemClear), clFuchsia), 0);
}

TEST_F(CalculatorTest, TapeLinesTakenBackAndClipboard) {
    Calc->SetBounds(10, 10, 240, 280);
    Calc->SetOptions({coShowItemCount, coShowMemoryButtons, coShowTape});
    Calc->SetTapeHeight(100);
    Press({cb2, cbAdd, cb3, cbEqual});
    TListBox* box = Calc->GetTapeBox();
    auto row = [&](int FromEnd) {
        RECT r{};
        SendMessageA(box->GetHandle(), LB_GETITEMRECT, box->GetItems()->GetCount() - FromEnd,
                     reinterpret_cast<LPARAM>(&r));
        const TPoint at = box->ClientToScreen(TPoint(r.left, r.top));
        return RECT{at.X, at.Y, at.X + r.right - r.left, at.Y + r.bottom - r.top};
    };
    // The item count on a line of its own between the equals and the total, in this order.
    const std::string lines[] = {"2 +", "3 =", "002", "5.00 *",
                                 std::string(Calc->GetTape()->GetWidthChars(), '_')};
    const TTextFont font{"Courier New", Calc->GetTapeFont()->GetHeight(), false};
    auto shown = [&](int I) { return ShowsWhole(Grab(row(5 - I)), lines[I], font); };
    PumpUntil([&] { return static_cast<bool>(shown(4)); });
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(shown(i)) << i;
    const TPoint corner = box->ClientToScreen(TPoint(0, 0));
    Grab(RECT{corner.X, corner.Y, corner.X + box->GetWidth(), corner.Y + box->GetHeight()})
        .Save("calculator-tape.bmp");

    // A double click takes its line's number; the item count and the separator are no numbers.
    auto takes = [&](int FromEnd, const char* Entry) {
        const RECT r = row(FromEnd);
        EXPECT_TRUE(DoubleClickAt(TPoint(r.left + 20, (r.top + r.bottom) / 2)));
        return PumpUntil([&] { return Calc->GetDisplayStr() == Entry; });
    };
    EXPECT_TRUE(takes(4, "3"));
    EXPECT_TRUE(takes(3, "3"));
    EXPECT_TRUE(takes(1, "3"));
    EXPECT_TRUE(takes(2, "5.00"));
    EXPECT_EQ(Calc->GetOperand(), 5);

    Calc->CopyToClipboard();
    EXPECT_EQ(Trimmed(Clipboard()->GetAsText()), "5.00");
    Clipboard()->SetAsText("7x*6=");
    Calc->PasteFromClipboard();
    EXPECT_EQ(Shown(), "42.00");
    // A zero entry's line is a number too.
    Press({cbClear, cb0, cbAdd});
    EXPECT_TRUE(takes(1, "0"));
}

TEST_F(CalculatorTest, TapeSeparatorTravelsAsOneCharacter) {
    Calc->SetName("Calc");
    Calc->SetTapeSeparatorChar('=');
    AnsiString text = WriteComponentText(Calc);
    EXPECT_NE(text.find("TapeSeparatorChar = '='"), AnsiString::npos) << text;
    TGclCalculator copy(nullptr);
    ReadComponentText(text, &copy);
    EXPECT_EQ(copy.GetTapeSeparatorChar(), '=');
    std::string message = MessageOf<EFilerError>([&] {
        ReadComponentText("object Calc: TGclCalculator\n  TapeSeparatorChar = '=='\nend\n", &copy);
    });
    EXPECT_NE(message.find("one character"), std::string::npos) << message;
    EXPECT_EQ(copy.GetTapeSeparatorChar(), '=');
}

TEST_F(CalculatorTest, TapeResizedByDraggingAtDesignTime) {
    Calc->SetOptions({coShowItemCount, coShowMemoryButtons, coShowTape});
    TListBox* tape = Calc->GetTapeBox();
    ASSERT_NE(tape, nullptr);
    int bottom = tape->GetTop() + tape->GetHeight();
    HWND wnd = Calc->GetHandle();
    auto drag = [&](int FromY, int ToY) {
        SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, FromY));
        SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, ToY));
        SendMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(50, ToY));
    };
    int before = Calc->GetTapeHeight();
    drag(bottom + 1, bottom + 20); // only at design time
    EXPECT_EQ(Calc->GetTapeHeight(), before);

    Calc->SetDesigning(true);
    SendMessageA(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, bottom + 3));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZENS));
    drag(bottom + 1, bottom + 20);
    EXPECT_EQ(Calc->GetTapeHeight(), bottom + 20 - 8);
    EXPECT_EQ(tape->GetHeight(), Calc->GetTapeHeight());
    // The line stays 30 pixels below the tape's top and above the bottom.
    bottom = tape->GetTop() + tape->GetHeight();
    drag(bottom + 2, 0);
    EXPECT_EQ(Calc->GetTapeHeight(), tape->GetTop() + 30 - 8);
    bottom = tape->GetTop() + tape->GetHeight();
    drag(bottom, 1000);
    EXPECT_EQ(Calc->GetTapeHeight(), Calc->GetClientHeight() - 30 - 8);
    Calc->SetDesigning(false);
}

int TextHeight(TFont* Font, const char* Text) {
    TBitmap bitmap(1, 1);
    bitmap.GetCanvas()->SetFont(Font);
    return bitmap.GetCanvas()->TextHeight(Text);
}

TEST_F(CalculatorTest, ResizingRealignsTheTapeToTheNewWidth) {
    Calc->SetOptions({coShowItemCount, coShowMemoryButtons, coShowTape});
    Press({cb2, cbAdd, cb3, cbEqual});
    TGclCalcTape* tape = Calc->GetTape();
    const int before = tape->GetWidthChars();
    Calc->SetBounds(10, 10, 420, 260);
    const int after = tape->GetWidthChars();
    ASSERT_GT(after, before);
    const std::vector<AnsiString>& lines = tape->Lines();
    const std::size_t n = lines.size();
    EXPECT_EQ(lines[n - 1], AnsiString(after, '_'));
    EXPECT_EQ(static_cast<int>(lines[n - 2].size()), after + 1);
    EXPECT_EQ(Trimmed(lines[n - 2]), "5.00 *");
    EXPECT_EQ(lines[n - 3], "002"); // the count stays left-aligned
    EXPECT_EQ(Calc->GetTapeBox()->GetItems()->Get(static_cast<int>(n) - 1), AnsiString(after, '_'));
}

TEST_F(CalculatorTest, TapeIsOwnerDrawnInItsOwnFont) {
    Calc->SetOptions({coShowItemCount, coShowMemoryButtons, coShowTape});
    TListBox* box = Calc->GetTapeBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetStyle(), lbOwnerDrawFixed);
    TFont* font = Calc->GetTapeFont();
    EXPECT_EQ(font->GetName(), "Courier New");
    EXPECT_EQ(box->GetItemHeight(), TextHeight(font, " 0123456789"));
    EXPECT_EQ(Calc->GetDisplayedItemCount(),
              std::max(3, box->GetClientHeight() / TextHeight(font, " 0123456789")));
    font->SetHeight(-24);
    font->SetColor(clRed);
    EXPECT_EQ(box->GetItemHeight(), TextHeight(font, " 0123456789"));
    Press({cb8, cb8, cbAdd});
    Pump();
    std::unique_ptr<TBitmap> shot = PaintToBitmap(box);
    int red = 0;
    for (int y = 0; y < box->GetClientHeight(); ++y)
        for (int x = 0; x < box->GetClientWidth(); ++x)
            red += PixelOf(shot.get(), x, y) == RGB(255, 0, 0);
    EXPECT_GT(red, 20);
    Calc->SetTapeHeight(10);
    EXPECT_EQ(Calc->GetDisplayedItemCount(), 3);
}

TEST_F(CalculatorTest, BorderAndDisplayHeightFollowTheControlLook) {
    EXPECT_FALSE(GetWindowLongA(Calc->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    Calc->SetBorderStyle(bsSingle); // the sunken edge, and no plain border besides
    EXPECT_TRUE(GetWindowLongA(Calc->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(Calc->GetHandle(), GWL_STYLE) & WS_BORDER);
    Calc->SetBorderStyle(bsNone);

    TFont* font = Calc->GetDisplayPanel()->GetFont();
    const int border = GetSystemMetrics(SM_CYBORDER);
    const int text = TextHeight(font, "0");
    EXPECT_EQ(Calc->GetDisplayPanel()->GetHeight(), text + border * 8);
    NewStyleControls = false;
    Calc->SetBounds(10, 10, 250, 200);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA system{};
    GetTextMetricsA(dc, &system);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int smaller = std::min(static_cast<int>(system.tmHeight), text);
    EXPECT_EQ(Calc->GetDisplayPanel()->GetHeight(), text + border * 4 + smaller / 4);
    NewStyleControls = true;
}

// A form whose handlers the calculator's events are bound to by name.
class TCalcForm : public TForm {
    DECLARE_CLASS(TCalcForm, TForm)
public:
    explicit TCalcForm(TComponent* AOwner) : TForm(AOwner) {}
    void Clicked(TObject*) {}
    void Pressed(TObject*, TMouseButton, TShiftState, int, int) {}
    void Moved(TObject*, TShiftState, int, int) {}
    void Keyed(TObject*, Word&, TShiftState) {}
    void Typed(TObject*, char&) {}
    static void Published(TPropertyList& P) {
        P.Method("Clicked", &TCalcForm::Clicked);
        P.Method("Pressed", &TCalcForm::Pressed);
        P.Method("Moved", &TCalcForm::Moved);
        P.Method("Keyed", &TCalcForm::Keyed);
        P.Method("Typed", &TCalcForm::Typed);
    }
};

TEST_F(CalculatorTest, EveryPublishedPropertyTravelsThroughTheFormResource) {
    const char* text = "object Host: TCalcForm\n"
                       "  object Menu: TPopupMenu\n  end\n"
                       "  object Calc: TGclCalculator\n"
                       "    Align = alBottom\n    BorderStyle = bsSingle\n"
                       "    Ctl3D = False\n    ParentCtl3D = False\n"
                       "    Font.Height = -15\n    ParentFont = False\n"
                       "    TapeFont.Height = -20\n    TapeFont.Name = 'Arial'\n"
                       "    Cursor = crHandPoint\n    Enabled = False\n    PopupMenu = Menu\n"
                       "    ShowHint = True\n    ParentShowHint = False\n"
                       "    TabOrder = 0\n    TabStop = False\n    Visible = False\n"
                       "    OnClick = Clicked\n    OnDblClick = Clicked\n"
                       "    OnMouseDown = Pressed\n    OnMouseMove = Moved\n    OnMouseUp = Pressed\n"
                       "    OnKeyDown = Keyed\n    OnKeyPress = Typed\n    OnKeyUp = Keyed\n"
                       "    OnEnter = Clicked\n    OnExit = Clicked\n"
                       "  end\n"
                       "end\n";
    auto check = [](TCalcForm& Host) {
        auto* calc = dynamic_cast<TGclCalculator*>(Host.FindComponent("Calc"));
        ASSERT_NE(calc, nullptr);
        EXPECT_EQ(calc->GetAlign(), alBottom);
        EXPECT_EQ(calc->GetBorderStyle(), bsSingle);
        EXPECT_FALSE(calc->GetCtl3D());
        EXPECT_FALSE(calc->GetParentCtl3D());
        EXPECT_EQ(calc->GetFont()->GetHeight(), -15);
        EXPECT_FALSE(calc->GetParentFont());
        EXPECT_EQ(calc->GetTapeFont()->GetHeight(), -20);
        EXPECT_EQ(calc->GetTapeFont()->GetName(), "Arial");
        EXPECT_EQ(calc->GetCursor(), crHandPoint);
        EXPECT_FALSE(calc->GetEnabled());
        EXPECT_EQ(calc->GetPopupMenu(), Host.FindComponent("Menu"));
        EXPECT_TRUE(calc->GetShowHint());
        EXPECT_FALSE(calc->GetParentShowHint());
        EXPECT_FALSE(calc->GetTabStop());
        EXPECT_FALSE(calc->GetVisible());
        for (bool assigned : {calc->OnClick.Assigned(), calc->OnDblClick.Assigned(),
                              calc->OnMouseDown.Assigned(), calc->OnMouseMove.Assigned(),
                              calc->OnMouseUp.Assigned(), calc->OnKeyDown.Assigned(),
                              calc->OnKeyPress.Assigned(), calc->OnKeyUp.Assigned(),
                              calc->OnEnter.Assigned(), calc->OnExit.Assigned()})
            EXPECT_TRUE(assigned);
    };
    TCalcForm first(nullptr);
    ReadComponentText(text, &first);
    check(first);
    // Written back and read again, everything (Visible false included) comes back.
    AnsiString written = WriteComponentText(&first);
    EXPECT_NE(written.find("Visible = False"), AnsiString::npos) << written;
    TCalcForm second(nullptr);
    ReadComponentText(written, &second);
    check(second);
}

} // namespace
