#include "grid/gclef.h"
#include "tests/grid/TestEntryField.h"
#include "grid/gclexcpt.h"
#include "grid/gclmisc.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Buttons.h"
#include "classlib/Clipboard.h"
#include "classlib/Dialogs.h"
#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"

#include <algorithm>
#include <cstring>

namespace {

int Beeps = 0;
void CountBeep() {
    ++Beeps;
}

class EntryFieldTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Beeps = 0;
        OldBeep = SetGclBeepProc(CountBeep);
        Controller = new TGclController(Form);
        Field = Make(10, 10);
    }
    void TearDown() override {
        SetGclBeepProc(OldBeep);
        SetMessageDlgHook(nullptr);
        ShownFormTest::TearDown();
    }
    TTestField* Make(int Left, int Top, Byte Type = fsubString) {
        auto* field = new TTestField(Form, Type);
        field->SetParent(Form);
        field->SetBounds(Left, Top, 150, 25);
        field->GetHandle();
        return field;
    }
    void Type(TWinControl* Control, const std::string& Text) {
        for (char c : Text)
            PostMessageA(Control->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 0);
        Pump();
    }
    static bool Waiting(HWND Wnd, UINT Msg, WPARAM* WParam = nullptr) {
        MSG m;
        if (!PeekMessageA(&m, Wnd, Msg, Msg, PM_REMOVE)) return false;
        if (WParam) *WParam = m.wParam;
        return true;
    }

    TGclController* Controller = nullptr;
    TTestField* Field = nullptr;
    TGclBeepProc OldBeep = nullptr;
};

TEST_F(EntryFieldTest, MaskAcceptanceAndCaseRules) {
    struct Case {
        char Mask, In;
        bool Ok;
        char Out;
    } cases[] = {
        {'K', 'e', true, 'E'}, {'K', 'g', false, 'G'}, {'O', '8', false, '8'}, {'O', '7', true, '7'},
        {'b', ' ', true, ' '}, {'b', '2', false, '2'}, {'!', 'q', true, 'Q'}, {'L', 'Q', true, 'q'},
        {'A', 'b', true, 'B'}, {'a', '1', false, '1'}, {'9', 'x', false, 'x'}, {'i', '-', true, '-'},
        {'#', '.', true, '.'}, {'E', 'e', true, 'E'}, {'X', '\x01', true, '\x01'}, {'X', '\0', false, '\0'},
    };
    for (const Case& c : cases) {
        char ch = c.In;
        EXPECT_EQ(Field->efCharOK(c.Mask, ch, 'a', true), c.Ok) << c.Mask << " " << c.In;
        EXPECT_EQ(ch, c.Out) << c.Mask << " " << c.In;
    }
    char ch = 'w';
    EXPECT_TRUE(Field->efCharOK('x', ch, ' ', true));
    EXPECT_EQ(ch, 'W');
    ch = 'w';
    Field->efCharOK('x', ch, 'a', true);
    EXPECT_EQ(ch, 'w');

    TGclIntlSup* intl = Field->GetIntlSupport();
    ch = static_cast<char>(std::tolower(intl->TrueChar));
    EXPECT_TRUE(Field->efCharOK('B', ch, ' ', true));
    ch = '#';
    EXPECT_FALSE(Field->efCharOK('Y', ch, ' ', true));

    TGclUserData user;
    TGclCharSet digits;
    for (char d = '0'; d <= '9'; ++d)
        digits.set(static_cast<unsigned char>(d));
    digits.set('a');
    user.SetUserCharSet('3', digits);
    user.SetForceCase('3', mcUpperCase);
    Field->SetUserData(&user);
    ch = 'a';
    EXPECT_FALSE(Field->efCharOK('3', ch, ' ', true)); // upper-cased first, "A" is not in the set
    ch = '5';
    EXPECT_TRUE(Field->efCharOK('3', ch, ' ', true));
    Field->SetUserData(nullptr);
}

TEST_F(EntryFieldTest, MaxLengthOptionsAndSizes) {
    Field->SetPictureMask("XXXXX");
    Field->SetMaxLength(300);
    EXPECT_EQ(Field->GetMaxLength(), 15);
    Field->SetMaxLength(3);
    EXPECT_EQ(Field->GetMaxLength(), 15);
    Field->SetEditString("abcdefgh");
    Field->SetMaxLength(6);
    EXPECT_EQ(Field->GetEditString(), "abcdef");
    EXPECT_EQ(Field->GetDataSize(), 7);
    Field->SetTextMargin(1);
    EXPECT_EQ(Field->GetTextMargin(), 2);

    // Class 0 strings drop right-justify and strip-literals; small types drop more.
    Field->SetOptions({efoRightJustify, efoStripLiterals, efoCaretToEnd, efoInputRequired});
    // Right-justifying a string also trims its blanks.
    EXPECT_EQ(Field->GetOptions(),
              (TGclEntryFieldOptions{efoCaretToEnd, efoInputRequired, efoTrimBlanks}));
    Field->SetDataType(fsubBoolean, 0);
    Field->SetOptions({efoCaretToEnd, efoTrimBlanks, efoReadOnly});
    EXPECT_EQ(Field->GetOptions(), (TGclEntryFieldOptions{efoReadOnly}));
    EXPECT_EQ(Field->GetDataSize(), 1);
    Field->SetDataType(fsubExtended, 0);
    EXPECT_EQ(Field->GetDataSize(), 10);
    Field->SetOptions({efoForceInsert});
    Field->SetOptions({efoForceInsert, efoForceOvertype});
    EXPECT_FALSE(Field->GetOptions().Contains(efoForceInsert));
    // A picture string without its literals.
    Field->SetDataType(fsubString | fcpPictureString, 1);
    Field->SetPictureMask("(999) 999-9999");
    Field->SetMaxLength(14);
    Field->SetOptions({efoStripLiterals});
    EXPECT_EQ(Field->GetDataSize(), 14 - 4 + 1);
}

TEST_F(EntryFieldTest, RangeStringsPerType) {
    Field->SetDataType(fsubLongInt, 0);
    Field->SetPictureMask("OOOOOOOOOOO");
    Field->SetRangeLoStr("37777777777");
    EXPECT_EQ(Field->GetRangeLoStr(), "37777777777");
    std::int32_t v;
    std::memcpy(&v, Field->GetRangeLo().data(), 4);
    EXPECT_EQ(v, -1);
    Field->SetRangeLoStr(" 17 ");
    std::memcpy(&v, Field->GetRangeLo().data(), 4);
    EXPECT_EQ(v, 15);
    // Not an octal digit, and too many bits: refused, the range kept.
    EXPECT_THROW(Field->SetRangeLoStr("8"), EInvalidRangeValue);
    EXPECT_THROW(Field->SetRangeLoStr("40000000000"), EInvalidRangeValue);
    std::memcpy(&v, Field->GetRangeLo().data(), 4);
    EXPECT_EQ(v, 15);

    Field->SetPictureMask("bbbbbbbb");
    Field->SetRangeHiStr("101");
    EXPECT_EQ(Field->GetRangeHiStr(), "101");
    EXPECT_THROW(Field->SetRangeHiStr("102"), EInvalidRangeValue);
    Field->SetPictureMask("KKKK");
    Field->SetRangeHiStr("ff");
    EXPECT_EQ(Field->GetRangeHiStr(), "$FF");

    Field->SetDataType(fsubByte, 0);
    Field->SetPictureMask("999");
    EXPECT_THROW(Field->SetRangeHiStr("256"), EInvalidRangeValue);
    EXPECT_EQ(Field->GetRangeHiStr(), "255");

    Field->SetDataType(fsubDouble, 0);
    Field->SetPictureMask("#####.##");
    Field->SetRangeHiStr("12.5");
    TGclIntlSup* intl = Field->GetIntlSupport();
    EXPECT_EQ(Field->GetRangeHiStr(), AnsiString("12") + intl->DecimalChar + "5");
    EXPECT_THROW(Field->SetRangeHiStr("1e400"), EInvalidRangeValue);
    EXPECT_NO_THROW(Field->SetRangeHiStr("1.7976931348623157081452742373e308")); // the largest
    EXPECT_THROW(Field->SetRangeHiStr("1.7976931348623158e308"), EInvalidRangeValue);
    Field->SetRangeHiStr("12.5");
    // Scientific: with an "E" in the picture, or when the fixed form is too long; the
    // width is MaxLength, or decimals + 9 when that is less, with one place for the sign
    // and four for the exponent, whose leading zeros go.
    Field->SetPictureMask("#E####");
    Field->SetMaxLength(12);
    Field->SetRangeHiStr("15000");
    EXPECT_EQ(Field->GetRangeHiStr(), AnsiString("1") + intl->DecimalChar + "500E+4");
    Field->SetPictureMask("###.##");
    Field->SetRangeHiStr("-1.5e20");
    EXPECT_EQ(Field->GetRangeHiStr(), AnsiString("-1") + intl->DecimalChar + "50E+20");
    Field->SetPictureMask("######");
    Field->SetRangeHiStr("0.000015");
    EXPECT_EQ(Field->GetRangeHiStr(), "0");
    Field->SetRangeHiStr("1e15");
    EXPECT_EQ(Field->GetRangeHiStr(), AnsiString("1") + intl->DecimalChar + "000E+15");

    Field->SetDataType(fsubDate, 0);
    AnsiString picture = intl->InternationalDate(true);
    AnsiString day = intl->DateToDateString(picture, 150000, false);
    Field->SetRangeHiStr(day);
    EXPECT_EQ(Field->GetRangeHiStr(), day);
    EXPECT_THROW(Field->SetRangeHiStr("not a date"), EInvalidRangeValue);
    EXPECT_EQ(Field->GetRangeHiStr(), day);
    Field->SetDataType(fsubTime, 0);
    AnsiString noon = intl->TimeToTimeString(intl->InternationalTime(true), 43200, false);
    Field->SetRangeHiStr(noon);
    EXPECT_EQ(Field->GetRangeHiStr(), noon);
}

TEST_F(EntryFieldTest, ValidationCodesAndReporting) {
    Field->SetOptions({efoInputRequired});
    HWND wnd = Field->GetHandle();
    Pump();
    EXPECT_EQ(Field->ValidateContents(false), oeRequiredField);
    EXPECT_FALSE(Waiting(wnd, 32512));
    EXPECT_EQ(Field->ValidateContents(true), oeRequiredField);
    WPARAM code = 0;
    EXPECT_TRUE(Waiting(wnd, 32512, &code));
    EXPECT_EQ(code, oeRequiredField);
    Field->SetEnabled(false);
    EXPECT_EQ(Field->ValidateContents(false), 0);
    Field->SetEnabled(true);

    std::vector<std::pair<Word, std::string>> reported;
    Controller->OnError = TDataErrorEvent::FromCallable(
        [&](TObject*, Word Code, const AnsiString& Text) { reported.emplace_back(Code, Text); });
    for (Word c : {Word(oeRequiredField), Word(oeCustomError), Word(300)})
        Field->Perform(32512, c, 0);
    ASSERT_EQ(reported.size(), 3u);
    EXPECT_EQ(reported[0].second, "A value is required in this field");
    EXPECT_EQ(Controller->ErrorText, "Entry Error");
    EXPECT_EQ(reported[2].second, "Entry Error");

    // A value out of range; the buffer must hold the data size.
    auto* number = Make(10, 40, fsubLongInt);
    number->SetRangeHiStr("100");
    number->SetAsInteger(150);
    EXPECT_EQ(number->GetAsInteger(), 0);
    EXPECT_EQ(number->GetLastError(), oeRangeError);
    number->SetAsInteger(42);
    EXPECT_EQ(number->GetAsInteger(), 42);
    char small[2];
    EXPECT_THROW(number->GetValue(small, sizeof small), EGclException);
    EXPECT_THROW(number->GetAsBoolean(), EInvalidDataType);
    number->SetAsString("77");
    EXPECT_EQ(number->GetEditString(), "77");
    EXPECT_THROW(number->SetAsString("abc"), EEntryFieldError);
}

TEST_F(EntryFieldTest, ControllerWalksTheForm) {
    Field->SetOptions({efoInputRequired});
    auto* second = Make(10, 40);
    second->SetOptions({efoInputRequired});
    auto* hidden = Make(10, 70);
    hidden->SetOptions({efoInputRequired});
    hidden->SetVisible(false);
    Pump();
    EXPECT_EQ(Controller->ValidateEntryFieldsEx(false, false), Field);
    EXPECT_FALSE(Waiting(Field->GetHandle(), 32512));
    EXPECT_EQ(Controller->ValidateEntryFields(), Field);
    EXPECT_TRUE(Controller->ErrorPending);
    EXPECT_TRUE(Waiting(Field->GetHandle(), 32512));
    EXPECT_FALSE(Waiting(second->GetHandle(), 32512));
    EXPECT_TRUE(Waiting(Controller->GetHandle(), 32513));
    EXPECT_FALSE(Waiting(Controller->GetHandle(), 32513));
    Controller->ErrorPending = false;
    // A hidden field validates as valid wherever it is asked.
    EXPECT_EQ(Controller->ValidateTheseEntryFields({hidden, second}), second);
    Controller->ErrorPending = false;
    Controller->MarkAsUninitialized(true);
    EXPECT_TRUE(second->GetUninitialized());
    EXPECT_TRUE(hidden->GetUninitialized());
}

TEST_F(EntryFieldTest, TypingReadOnlyAndLeavingARequiredField) {
    Field->SetPictureMask("999");
    Field->SetMaxLength(3);
    ASSERT_TRUE(TakeFocus(Field));
    Type(Field, "1a2");
    EXPECT_EQ(Field->GetEditString(), "12");
    EXPECT_EQ(Beeps, 1);
    Field->SetOptions(Field->GetOptions() + TGclEntryFieldOptions{efoReadOnly});
    Type(Field, "3");
    EXPECT_EQ(Field->GetEditString(), "12");
    EXPECT_EQ(Beeps, 2);

    // Leaving a required empty field: the controller reports it, the focus comes back.
    auto* required = Make(10, 40);
    required->SetOptions({efoInputRequired});
    auto* other = Add<TButton>(Form, 10, 80, 80, 25);
    std::vector<std::string> boxes;
    SetMessageDlgHook([&](const AnsiString& Msg, TMsgDlgType, TMsgDlgButtons, int) {
        boxes.push_back(Msg);
        return mrOk;
    });
    ASSERT_TRUE(TakeFocus(required));
    other->SetFocus();
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "A value is required in this field");
    EXPECT_EQ(GetFocus(), required->GetHandle());
}

TEST_F(EntryFieldTest, SelectionClipboardAndMouse) {
    Field->SetEditString("hello");
    SendMessageA(Field->GetHandle(), EM_SETSEL, 1, 3);
    EXPECT_EQ(Field->GetSelStart(), 1);
    EXPECT_EQ(Field->GetSelLength(), 2);
    SendMessageA(Field->GetHandle(), EM_SETSEL, 0, -1);
    EXPECT_EQ(Field->GetSelLength(), 5);
    SendMessageA(Field->GetHandle(), EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Field->GetSelLength(), 0);

    SendMessageA(Field->GetHandle(), EM_SETSEL, 0, 2);
    SendMessageA(Field->GetHandle(), WM_COPY, 0, 0);
    EXPECT_EQ(Clipboard()->GetAsText(), "he");
    Clipboard()->SetAsText("xy");
    SendMessageA(Field->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Field->GetEditString(), "xyllo"); // over the selection

    // The caret goes before the character whose middle lies right of the pointer.
    Field->SetEditString("WWWW");
    int w = Field->efGetMousePos(0);
    EXPECT_EQ(w, 0);
    HDC dc = GetDC(nullptr);
    SelectObject(dc, Field->GetFont()->GetHandle());
    SIZE one;
    GetTextExtentPoint32A(dc, "W", 1, &one);
    ReleaseDC(nullptr, dc);
    int start = Field->GetTextMargin() - 1;
    EXPECT_EQ(Field->efGetMousePos(start + one.cx + one.cx / 2 - 1), 1);
    EXPECT_EQ(Field->efGetMousePos(start + one.cx + one.cx / 2 + 1), 2);
    EXPECT_EQ(Field->efGetMousePos(500), 4);
}

TEST_F(EntryFieldTest, PaintsRunsSelectionControlCharsAndDisabled) {
    Field->GetColors()->GetHighlight()->SetBackColor(clBlue);
    Field->SetEditString(AnsiString("ab") + '\x01' + "cd");
    Pump();
    std::unique_ptr<TBitmap> shot = PaintToBitmap(Field);
    bool red = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            red = red || PixelOf(shot.get(), x, y) == RGB(255, 0, 0);
    EXPECT_TRUE(red); // the control character, painted as "A" in the control colour
    EXPECT_EQ(Field->GetDisplayString(), "abAcd");

    ASSERT_TRUE(TakeFocus(Field));
    SendMessageA(Field->GetHandle(), EM_SETSEL, 0, 2);
    shot = PaintToBitmap(Field);
    // The selected characters' cells take the highlight background.
    EXPECT_EQ(PixelOf(shot.get(), Field->GetTextMargin(), 2), RGB(0, 0, 255));

    Field->SetEnabled(false);
    shot = PaintToBitmap(Field);
    EXPECT_EQ(PixelOf(shot.get(), 100, 8), ColorToRGB(clWindow));
}

TEST_F(EntryFieldTest, NoDateReadsAsTheDayBeforeDayZero) {
    auto* date = Make(10, 40, fsubDate);
    date->SetAsDateTime(-1.0);
    EXPECT_EQ(date->GetAsDateTime(), -1.0);
    date->SetAsDateTime(0.0); // 30 December 1899 is a date
    EXPECT_EQ(date->GetAsDateTime(), 0.0);
}

TEST_F(EntryFieldTest, TypedValuesOfEveryKind) {
    auto* money = Make(10, 40, fsubDouble);
    money->SetAsCents(12345);
    EXPECT_DOUBLE_EQ(money->GetAsFloat(), 123.45);
    EXPECT_EQ(money->GetAsCents(), 12345);
    money->SetAsFloat(0.125);
    EXPECT_EQ(money->GetAsCents(), 12); // a half goes to the even neighbour
    EXPECT_EQ(std::get<double>(money->GetAsVariant()), 0.125);
    EXPECT_THROW(money->GetAsStDate(), EInvalidDataType);

    auto* count = Make(10, 70, fsubLongInt);
    count->SetAsInteger(-7);
    EXPECT_EQ(std::get<std::int32_t>(count->GetAsVariant()), -7);
    EXPECT_THROW(count->GetAsCents(), EInvalidDataType);
    auto* flag = Make(10, 100, fsubBoolean);
    flag->SetAsBoolean(true);
    EXPECT_TRUE(std::get<bool>(flag->GetAsVariant()));
    Field->SetEditString("text");
    EXPECT_EQ(std::get<AnsiString>(Field->GetAsVariant()), "text");

    auto* date = Make(10, 130, fsubDate);
    date->SetAsStDate(40000);
    EXPECT_EQ(date->GetAsStDate(), 40000);
    EXPECT_THROW(date->GetAsStTime(), EInvalidDataType);
    date->SetEditString("bad");
    EXPECT_EQ(date->GetAsStDate(), -1);
    EXPECT_EQ(date->GetLastError(), oeInvalidDate);
    auto* time = Make(10, 160, fsubTime);
    time->SetAsStTime(3600);
    EXPECT_EQ(time->GetAsStTime(), 3600);
}

TEST_F(EntryFieldTest, StepsCaretMovesAndAltNumericPad) {
    auto* count = Make(10, 40, fsubLongInt);
    count->SetAsInteger(5);
    count->IncreaseValue(false, 2);
    EXPECT_EQ(count->GetEditString(), "7");
    count->DecreaseValue(true, 3);
    EXPECT_EQ(count->LastDelta, -3);
    EXPECT_EQ(count->GetEditString(), "4");

    Field->SetEditString("abcdef");
    Field->MoveCaret(3); // without the focus nothing moves
    EXPECT_EQ(Field->GetCaretPos(), 0);
    ASSERT_TRUE(TakeFocus(Field));
    Field->MoveCaretToStart();
    Field->MoveCaret(4);
    EXPECT_EQ(Field->GetCaretPos(), 4);
    Field->MoveCaret(-3);
    EXPECT_EQ(Field->GetCaretPos(), 1);
    Field->MoveCaretToEnd();
    EXPECT_EQ(Field->GetCaretPos(), 6);

    // A control character arrives only as Alt plus a numeric-pad code.
    SendMessageA(Field->GetHandle(), WM_CHAR, 1, 0);
    EXPECT_EQ(Field->GetEditString(), "abcdef");
    SendMessageA(Field->GetHandle(), WM_SYSKEYDOWN, VK_NUMPAD1, 1 << 29);
    SendMessageA(Field->GetHandle(), WM_CHAR, 1, 0);
    EXPECT_EQ(Field->GetEditString(), AnsiString("abcdef") + '\x01');
}

// Records what the window it watches receives.
std::vector<UINT> Received;
WNDPROC OldProc = nullptr;
LRESULT CALLBACK Recording(HWND Wnd, UINT Msg, WPARAM W, LPARAM L) {
    if (Msg == WM_CANCELMODE || Msg == WM_LBUTTONUP) Received.push_back(Msg);
    return CallWindowProcA(OldProc, Wnd, Msg, W, L);
}

TEST_F(EntryFieldTest, FocusBackToAFieldLeftInErrorEndsTheOtherWindowsDrag) {
    auto* count = Make(10, 40, fsubLongInt);
    count->SetOptions({efoSoftValidation, efoCaretToEnd});
    auto* other = Add<TButton>(Form, 10, 80, 80, 25);
    auto leaveAndComeBack = [&] {
        other->SetFocus();
        Pump();
        Received.clear();
        OldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            other->GetHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recording)));
        count->SetFocus();
        Pump();
        SetWindowLongPtrA(other->GetHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldProc));
    };
    ASSERT_TRUE(TakeFocus(count));
    count->SetEditString("x1");
    leaveAndComeBack(); // soft validation lets it go, marked in error
    EXPECT_EQ(Received, (std::vector<UINT>{WM_CANCELMODE, WM_LBUTTONUP}));
    EXPECT_EQ(Form->GetActiveControl(), count);

    // The focus that comes with a press keeps the caret where it is; from the keyboard
    // the caret goes to the end.
    other->SetFocus();
    Pump();
    SendMessageA(count->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Pump();
    EXPECT_EQ(GetFocus(), count->GetHandle());
    EXPECT_EQ(count->GetCaretPos(), 0);
    other->SetFocus();
    Pump();
    count->SetFocus();
    Pump();
    EXPECT_EQ(GetFocus(), count->GetHandle());
    EXPECT_EQ(count->GetCaretPos(), 2);

    // A valid field coming back sends nothing.
    count->SetEditString("12");
    count->ValidateContents(false);
    leaveAndComeBack();
    EXPECT_TRUE(Received.empty());
}

TEST_F(EntryFieldTest, SpecialButtonZeroDisplayAndSize) {
    // Leaving a required empty field for a special button (say, Cancel) reports nothing.
    Field->SetOptions({efoInputRequired});
    auto* cancel = Add<TButton>(Form, 10, 80, 80, 25);
    Controller->OnIsSpecialControl = TIsSpecialControlEvent::FromCallable(
        [&](TObject*, TWinControl* Control, bool& Special) { Special = Control == cancel; });
    int boxes = 0;
    SetMessageDlgHook([&](const AnsiString&, TMsgDlgType, TMsgDlgButtons, int) {
        ++boxes;
        return mrOk;
    });
    ASSERT_TRUE(TakeFocus(Field));
    cancel->SetFocus();
    Pump();
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(GetFocus(), cancel->GetHandle());
    EXPECT_EQ(Field->GetLastError(), 0); // the type check of the test field passes

    auto* number = Make(10, 40, fsubLongInt);
    number->SetAsInteger(0);
    number->SetZeroDisplay(zdHide);
    EXPECT_EQ(number->GetDisplayString(), " ");
    number->SetAsInteger(5);
    EXPECT_EQ(number->GetDisplayString(), "5");

    // The height follows the font until it is set by hand.
    number->SetAutoSize(true);
    HDC dc = GetDC(nullptr);
    SelectObject(dc, number->GetFont()->GetHandle());
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(number->GetHeight(), tm.tmHeight + GetSystemMetrics(SM_CYBORDER) * 8);
    number->SetBounds(10, 40, 150, 40);
    EXPECT_FALSE(number->GetAutoSize());
    // The old control look: a four-pixel border and a quarter of the smaller of the system
    // font's and the field's font's heights.
    dc = GetDC(nullptr);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA system;
    GetTextMetricsA(dc, &system);
    ReleaseDC(nullptr, dc);
    NewStyleControls = false;
    number->SetAutoSize(true);
    NewStyleControls = true;
    EXPECT_EQ(number->GetHeight(), tm.tmHeight + GetSystemMetrics(SM_CYBORDER) * 4 +
                                       std::min(system.tmHeight, tm.tmHeight) / 4);
}

TEST_F(EntryFieldTest, StreamedRangesHoldTenBytes) {
    auto* number = Make(10, 40, fsubLongInt);
    number->SetName("Count");
    number->SetRangeHiStr("99");
    AnsiString text = WriteComponentText(number);
    EXPECT_NE(text.find("RangeHigh"), AnsiString::npos);
    TTestField copy(nullptr, fsubLongInt);
    ReadComponentText(text, &copy);
    EXPECT_EQ(copy.GetRangeHiStr(), "99");
    TTestField broken(nullptr, fsubLongInt);
    std::string message = MessageOf<EReadError>([&] {
        ReadComponentText("object Count: TTestField\n  RangeHigh = {630000000000000000}\nend\n",
                          &broken);
    });
    EXPECT_NE(message.find("RangeHigh"), std::string::npos) << message;
    EXPECT_NE(message.find("10 bytes"), std::string::npos) << message;
    EXPECT_EQ(broken.GetRangeHiStr(), "2147483647");
}

// A field that shows its text in capitals.
class TShoutingField : public TTestField {
public:
    using TTestField::TTestField;
    AnsiString GetDisplayString() override { return UpperCase(TTestField::GetDisplayString()); }
};

TEST_F(EntryFieldTest, CopyingAndTheMouseUseTheConcreteFieldsDisplayString) {
    auto* field = new TShoutingField(Form);
    field->SetParent(Form);
    field->SetBounds(10, 40, 150, 25);
    field->SetEditString("wide");
    SendMessageA(field->GetHandle(), EM_SETSEL, 0, 2);
    field->CopyToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "WI");
    // The pointer is mapped over the capitals' widths.
    HDC dc = GetDC(nullptr);
    SelectObject(dc, field->GetFont()->GetHandle());
    SIZE two;
    GetTextExtentPoint32A(dc, "WI", 2, &two);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(field->efGetMousePos(field->GetTextMargin() - 1 + two.cx), 2);
}

TEST_F(EntryFieldTest, SideBordersTakeTheFieldsOwnBorderAndSitAtItsEdges) {
    EXPECT_EQ(Field->GetBorderStyle(), bsSingle);
    EXPECT_TRUE(GetWindowLongA(Field->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    TGclBorder* right = Field->GetBorders()->GetRightBorder();
    TGclBorder* bottom = Field->GetBorders()->GetBottomBorder();
    right->SetPenColor(clRed); // a border that is not enabled changes nothing
    EXPECT_EQ(Field->GetBorderStyle(), bsSingle);
    right->SetEnabled(true);
    bottom->SetPenColor(clBlue);
    bottom->SetEnabled(true);
    EXPECT_EQ(Field->GetBorderStyle(), bsNone);
    EXPECT_FALSE(Field->GetCtl3D());
    HWND wnd = Field->GetHandle();
    EXPECT_FALSE(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(wnd, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(Field->GetClientWidth(), 150);

    // Pens of width 2 cover the last two columns and rows.
    Pump();
    const int w = Field->GetWidth(), h = Field->GetHeight();
    std::unique_ptr<TBitmap> shot = PaintToBitmap(Field);
    EXPECT_EQ(PixelOf(shot.get(), w - 1, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(shot.get(), w - 2, 5), RGB(255, 0, 0));
    EXPECT_NE(PixelOf(shot.get(), w - 3, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(shot.get(), 40, h - 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(shot.get(), 40, h - 2), RGB(0, 0, 255));
    EXPECT_NE(PixelOf(shot.get(), 40, h - 3), RGB(0, 0, 255));
    // An odd width stands one pixel further in: width 3 on the last three columns.
    right->SetPenWidth(3);
    shot = PaintToBitmap(Field);
    EXPECT_EQ(PixelOf(shot.get(), w - 1, 5), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(shot.get(), w - 3, 5), RGB(255, 0, 0));
    EXPECT_NE(PixelOf(shot.get(), w - 4, 5), RGB(255, 0, 0));

    // The style is stored and read back through the form reader.
    Field->SetName("Bordered");
    AnsiString text = WriteComponentText(Field);
    EXPECT_NE(text.find("BorderStyle = bsNone"), AnsiString::npos) << text;
    TTestField copy(nullptr);
    ReadComponentText(text, &copy);
    EXPECT_EQ(copy.GetBorderStyle(), bsNone);
    EXPECT_TRUE(copy.GetBorders()->GetBottomBorder()->GetEnabled());

    right->SetEnabled(false);
    bottom->SetEnabled(false);
    EXPECT_EQ(Field->GetBorderStyle(), bsSingle);
    EXPECT_TRUE(GetWindowLongA(Field->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    Field->SetBorderStyle(bsNone);
    EXPECT_EQ(Field->GetClientWidth(), 150);
    Field->SetBorderStyle(bsDialog); // not a field's style
    EXPECT_EQ(Field->GetBorderStyle(), bsNone);
}

TEST_F(EntryFieldTest, InitialValuesFollowTheTypeAndItsRange) {
    auto* count = Make(10, 40, fsubLongInt);
    count->SetEditString("7");
    count->SetInitialValue();
    EXPECT_EQ(count->GetAsInteger(), 0);
    count->SetRangeLoStr("5");
    count->SetRangeHiStr("9");
    count->SetInitialValue();
    EXPECT_EQ(count->GetAsInteger(), 5);

    auto* money = Make(10, 70, fsubDouble);
    money->SetInitialValue();
    EXPECT_EQ(money->GetAsFloat(), 0.0);
    money->SetRangeHiStr("-2.5");
    money->SetRangeLoStr("-10.25");
    money->SetInitialValue();
    EXPECT_EQ(money->GetAsFloat(), -10.25);

    auto* letter = Make(10, 100, fsubChar);
    letter->SetRangeLoStr("A");
    letter->SetRangeHiStr("Z");
    letter->SetInitialValue();
    Byte raw[10] = {};
    letter->GetValue(raw, sizeof raw);
    EXPECT_EQ(raw[0], 'A');
    letter->SetRangeLoStr(" ");
    letter->SetInitialValue();
    letter->GetValue(raw, sizeof raw);
    EXPECT_EQ(raw[0], ' ');

    auto* date = Make(10, 130, fsubDate);
    date->SetAsStDate(40000);
    date->SetInitialValue();
    EXPECT_EQ(date->GetAsStDate(), -1);
    auto* time = Make(10, 160, fsubTime);
    time->SetInitialValue();
    EXPECT_EQ(time->GetAsStTime(), -1);
}

TEST_F(EntryFieldTest, ExtendedValuesReadAtFullPrecision) {
    auto* big = Make(10, 40, fsubExtended);
    Byte raw[16] = {};
    const long double huge = 1e4000L;
    std::memcpy(raw, &huge, 10);
    big->SetValue(raw, sizeof raw);
    EXPECT_EQ(big->GetAsExtended(), huge);
    auto* count = Make(10, 70, fsubLongInt);
    count->SetAsInteger(-12);
    EXPECT_EQ(count->GetAsExtended(), -12.0L);
    auto* comp = Make(10, 100, fsubComp);
    const std::int64_t exact = (std::int64_t(1) << 62) + 1; // more digits than a double holds
    std::memset(raw, 0, sizeof raw);
    std::memcpy(raw, &exact, 8);
    comp->SetValue(raw, sizeof raw);
    EXPECT_EQ(comp->GetAsExtended(), static_cast<long double>(exact));
    EXPECT_THROW(Field->GetAsExtended(), EInvalidDataType);
}

TEST_F(EntryFieldTest, PictureLiteralsAreStrippedAndMergedBack) {
    auto* phone = Make(10, 40);
    phone->SetDataType(fsubString, 1);
    phone->SetPictureMask("(999) 999-$,");
    phone->SetEditString("(123) 456-$,");
    EXPECT_EQ(phone->GetStrippedEditString(), "123456$,");
    EXPECT_EQ(phone->MergeWithPicture("12345"), "(123) 45 -  ");
    // A simple field has no literals.
    Field->SetPictureMask("(");
    Field->SetEditString("(a)");
    EXPECT_EQ(Field->GetStrippedEditString(), "(a)");
    EXPECT_EQ(Field->MergeWithPicture("xy"), "xy");
}

TEST_F(EntryFieldTest, SelectionTextClipboardAndCurrentPosition) {
    Field->SetEditString("hello");
    EXPECT_EQ(Field->GetCurrentPos(), -1);
    Field->SetSelStart(1);
    Field->SetSelLength(3);
    EXPECT_EQ(Field->GetSelText(), "ell");
    Field->SetSelText("EL");
    EXPECT_EQ(Field->GetEditString(), "hELo");
    Field->SetSelStart(0);
    Field->SetSelLength(2);
    Field->CutToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "hE");
    Clipboard()->SetAsText("j");
    Field->SetSelStart(1);
    Field->SetSelLength(1);
    Field->PasteFromClipboard();
    EXPECT_EQ(Field->GetEditString(), "hjLo");
    ASSERT_TRUE(TakeFocus(Field));
    Field->MoveCaretToStart();
    Field->MoveCaret(2);
    EXPECT_EQ(Field->GetCurrentPos(), 2);
}

TEST_F(EntryFieldTest, EverModifiedClearsAndZeroHidesAgain) {
    auto* number = Make(10, 40, fsubLongInt);
    number->SetAsInteger(0);
    number->SetZeroDisplay(zdHideUntilModified);
    EXPECT_EQ(number->GetDisplayString(), " ");
    SendMessageA(number->GetHandle(), EM_SETMODIFY, 1, 0);
    EXPECT_EQ(number->GetDisplayString(), "0");
    number->SetEverModified(false);
    EXPECT_FALSE(number->GetModified());
    EXPECT_FALSE(number->GetEverModified());
    EXPECT_EQ(number->GetDisplayString(), " ");
    number->SetEverModified(true);
    EXPECT_TRUE(number->GetEverModified());
    EXPECT_FALSE(number->GetModified());
}

TEST_F(EntryFieldTest, FocusMovesArePostedAndUserValidationHasTheLastWord) {
    auto* second = Make(10, 40);
    auto* third = Make(10, 70);
    ASSERT_TRUE(TakeFocus(Field));
    Field->efMoveFocusToNextField();
    EXPECT_EQ(GetFocus(), Field->GetHandle()); // posted: nothing moves yet
    Pump();
    EXPECT_EQ(GetFocus(), second->GetHandle());
    second->efMoveFocusToPrevField();
    Pump();
    EXPECT_EQ(GetFocus(), Field->GetHandle());
    Field->efMoveFocus(third);
    Pump();
    EXPECT_EQ(GetFocus(), third->GetHandle());

    // A control freed before the queue reaches the move is passed by (freed memory is
    // poisoned in this program: a pointer kept in the message would be used after it).
    auto* gone = Make(10, 100);
    Field->efMoveFocus(gone);
    delete gone;
    Pump();
    EXPECT_EQ(GetFocus(), third->GetHandle());
    auto* required = Make(10, 130);
    required->SetOptions({efoInputRequired});
    ASSERT_EQ(Controller->ValidateTheseEntryFields({required}), required);
    delete required;
    Pump();
    EXPECT_EQ(GetFocus(), third->GetHandle());
    Controller->ErrorPending = false;

    Word seen = 1;
    third->OnUserValidation = TUserValidationEvent::FromCallable([&](TObject*, Word& Code) {
        seen = Code;
        Code = oeCustomError + 1;
    });
    EXPECT_EQ(third->ValidateContents(false), oeCustomError + 1);
    EXPECT_EQ(seen, 0);
}

} // namespace
