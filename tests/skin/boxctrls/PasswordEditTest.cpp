// The skinned password edit on a real window: word moves as a table, typing, selecting with
// Shift and the arrows, the mouse, pasting, the length limit, the caret and selection kept
// within the text, glyphs kept inside the text area, and screenshots
// (passwordedit-skinned.bmp, passwordedit-default.bmp) for people to see.
#include "skin/boxctrls/SkinBoxCtrls_PasswordEdits.h"

#include "skin/data/SkinData_EditControls.h"

#include "classlib/Clipboard.h"
#include "classlib/Paths.h"

#include "tests/skin/boxctrls/EditDemos.h"
#include "tests/skin/controls/SkinFixture.h"

#include <string>

namespace {

struct TWordMove {
    const char* Text;
    int From;
    int Next;
    int Prior;
};

TEST(PasswordWordMoves, NextGoesToTheNextWordsStartPriorToTheWordBefore) {
    const TWordMove moves[] = {
        {"ab cd", 0, 3, 0},      {"ab cd", 1, 3, 0},    {"ab cd", 3, 5, 0},
        {"ab cd", 5, 5, 3},      {"ab cd", 4, 5, 3},    {"ab   cd", 2, 5, 0},
        {"  ab", 0, 2, 0},       {"ab  ", 4, 4, 0},     {"one two three", 4, 8, 0},
        {"one two three", 8, 13, 4}, {"", 0, 0, 0},     {"abc", 9, 3, 0},
        {"abc", -3, 3, 0},
    };
    for (const TWordMove& m : moves) {
        EXPECT_EQ(NextWordStart(m.Text, m.From), m.Next) << '"' << m.Text << "\" from " << m.From;
        EXPECT_EQ(PriorWordStart(m.Text, m.From), m.Prior) << '"' << m.Text << "\" from " << m.From;
    }
}

class PasswordEdit : public ShownFormTest {
protected:
    TskSkinPasswordEdit* Edit(int Width = 121) {
        auto* edit = Add<TskSkinPasswordEdit>(Form, 10, 10, Width, 21);
        edit->OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        return edit;
    }
    // Focused with nothing selected and the caret at Caret.
    static void FocusAt(TskSkinPasswordEdit* E, int Caret) {
        ASSERT_TRUE(TakeFocus(E));
        E->SetSelLength(0);
        E->SetCaretPosition(Caret);
        E->SetSelStart(Caret);
        ASSERT_EQ(E->GetSelLength(), 0);
    }
    static int Glyphs(TBitmap* Shot, int Y, COLORREF Ink, int From, int To) {
        int count = 0;
        bool inGlyph = false;
        for (int x = From; x < To; ++x) {
            const bool ink = PixelOf(Shot, x, Y) == Ink;
            if (ink && !inGlyph) ++count;
            inGlyph = ink;
        }
        return count;
    }

    int Changes = 0;
};

TEST_F(PasswordEdit, TypedKeysMakeTheTextWhichTheWindowNeitherShowsNorCopies) {
    auto* edit = Edit();
    ASSERT_TRUE(TakeFocus(edit));
    EXPECT_EQ(SendMessageA(edit->GetHandle(), WM_GETDLGCODE, 0, 0), 129);
    TypeOnKeyboard("Se cret");
    ASSERT_TRUE(PumpUntil([&] { return edit->GetText() == "Se cret"; })) << edit->GetText();
    EXPECT_EQ(Changes, 7);
    EXPECT_EQ(edit->GetCaretPosition(), 7);
    char caption[64] = "?";
    GetWindowTextA(edit->GetHandle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "") << "the window's own text never holds the secret";

    Clipboard()->SetAsText("before");
    edit->SelectAll();
    SendMessageA(edit->GetHandle(), WM_COPY, 0, 0);
    SendMessageA(edit->GetHandle(), WM_CUT, 0, 0);
    KeyWith(VK_CONTROL, 'C', [] { return true; });
    EXPECT_EQ(Clipboard()->GetAsText(), "before");
    EXPECT_EQ(edit->GetText(), "Se cret");

    // Backspace and Delete at the ends of the text.
    FocusAt(edit, 7);
    ASSERT_TRUE(KeyOnKeyboard(VK_BACK, [&] { return edit->GetText() == "Se cre"; }));
    EXPECT_EQ(edit->GetCaretPosition(), 6);
    ASSERT_TRUE(KeyOnKeyboard(VK_HOME, [&] { return edit->GetCaretPosition() == 0; }));
    ASSERT_TRUE(KeyOnKeyboard(VK_DELETE, [&] { return edit->GetText() == "e cre"; }));

    edit->SetReadOnly(true);
    TypeOnKeyboard("xy");
    KeyOnKeyboard(VK_DELETE, [] { return true; });
    Pump();
    EXPECT_EQ(edit->GetText(), "e cre");
}

TEST_F(PasswordEdit, ShiftWithTheArrowsSelectsFromTheAnchorAndCtrlMovesByWords) {
    auto* edit = Edit();
    edit->SetText("abcdef");
    FocusAt(edit, 2);
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_RIGHT, [&] { return edit->GetCaretPosition() == 3; }));
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_RIGHT, [&] { return edit->GetCaretPosition() == 4; }));
    EXPECT_EQ(edit->GetSelStart(), 2);
    EXPECT_EQ(edit->GetSelLength(), 2);
    EXPECT_EQ(edit->GetSelText(), "cd");
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_LEFT, [&] { return edit->GetCaretPosition() == 3; }));
    EXPECT_EQ(edit->GetSelStart(), 2);
    EXPECT_EQ(edit->GetSelLength(), 1);
    // Across the anchor the selection turns to its other side.
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_HOME, [&] { return edit->GetCaretPosition() == 0; }));
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelLength(), 2);
    ASSERT_TRUE(KeyOnKeyboard(VK_RIGHT, [&] { return edit->GetSelLength() == 0; }));

    edit->SetText("ab cd");
    FocusAt(edit, 0);
    ASSERT_TRUE(KeyWith(VK_CONTROL, VK_RIGHT, [&] { return edit->GetCaretPosition() == 3; }));
    ASSERT_TRUE(KeyWith(VK_CONTROL, VK_RIGHT, [&] { return edit->GetCaretPosition() == 5; }));
    ASSERT_TRUE(KeyWith(VK_CONTROL, VK_LEFT, [&] { return edit->GetCaretPosition() == 3; }));
    ASSERT_TRUE(KeyWith(VK_CONTROL, VK_LEFT, [&] { return edit->GetCaretPosition() == 0; }));

    // A double click selects the word under the caret.
    edit->SetCaretPosition(4);
    edit->SelectWord();
    EXPECT_EQ(edit->GetSelText(), "cd");
}

TEST_F(PasswordEdit, MaxLengthRefusesTypingUnlessTheTypedCharacterReplacesASelection) {
    auto* edit = Edit();
    edit->SetMaxLength(4);
    edit->SetText("abcd");
    FocusAt(edit, 4);
    Changes = 0;
    TypeOnKeyboard("x");
    KeyOnKeyboard(VK_HOME, [&] { return edit->GetCaretPosition() == 0; });
    EXPECT_EQ(edit->GetText(), "abcd");
    EXPECT_EQ(Changes, 0);
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_RIGHT, [&] { return edit->GetSelLength() == 1; }));
    TypeOnKeyboard("x");
    ASSERT_TRUE(PumpUntil([&] { return edit->GetText() == "xbcd"; })) << edit->GetText();
    EXPECT_EQ(edit->GetCaretPosition(), 1);
}

TEST_F(PasswordEdit, PastedUnicodeTextIsStoredInTheAnsiCodePageWithoutLineBreaks) {
    auto* edit = Edit();
    FocusAt(edit, 0);
    const wchar_t text[] = L"p\u00e9\u00df\r\n1";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    memcpy(GlobalLock(block), text, sizeof text);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
    char expected[16] = {};
    WideCharToMultiByte(CP_ACP, 0, L"p\u00e9\u00df1", -1, expected, sizeof expected, nullptr, nullptr);
    ASSERT_TRUE(KeyWith(VK_CONTROL, 'V', [&] { return !edit->GetText().empty(); }));
    EXPECT_EQ(edit->GetText(), AnsiString(expected));
    EXPECT_EQ(edit->GetCaretPosition(), 4);
    // Shift+Insert pastes too.
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_INSERT, [&] { return edit->GetText().size() == 8; }));
}

TEST_F(PasswordEdit, CaretAndSelectionStayWithinTheText) {
    auto* edit = Edit();
    edit->SetText("abcdef");
    edit->SetCaretPosition(50);
    EXPECT_EQ(edit->GetCaretPosition(), 6);
    edit->SetSelStart(-4);
    EXPECT_EQ(edit->GetSelStart(), 0);
    edit->SetSelLength(99);
    EXPECT_EQ(edit->GetSelLength(), 6);
    edit->SetSelStart(4);
    edit->SetSelLength(-10);
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelLength(), 4);
    // The text shrinks under a selection: nothing selected lies past its end.
    edit->SelectAll();
    edit->SetText("ab");
    EXPECT_LE(edit->GetCaretPosition(), 2);
    EXPECT_LE(edit->GetSelStart() + edit->GetSelLength(), 2);
    EXPECT_EQ(edit->GetSelText(), edit->GetText().substr(edit->GetSelStart(), edit->GetSelLength()));
    edit->InsertAfter(99, "cd", true);
    EXPECT_EQ(edit->GetText(), "abcd");
    EXPECT_EQ(edit->GetSelText(), "cd");
    edit->DeleteFrom(1, 99, true);
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(edit->GetSelLength(), 0);
    EXPECT_EQ(edit->GetCaretPosition(), 0);
}

// What a password filler does: WM_SETTEXT into the focused field that holds a longer text
// and a selection. The text is taken as SetText takes it; caret and selection stay in it.
TEST_F(PasswordEdit, ATextSentByAnotherProgramIsTakenAsTheProgramsOwn) {
    auto* edit = Edit();
    ASSERT_TRUE(TakeFocus(edit));
    TypeOnKeyboard("abcdefgh");
    ASSERT_TRUE(PumpUntil([&] { return edit->GetText() == "abcdefgh"; }));
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_LEFT, [&] { return edit->GetSelLength() == 1; }));
    Changes = 0;
    EXPECT_EQ(SendMessageA(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("xyz")), TRUE);
    EXPECT_EQ(edit->GetText(), "xyz");
    EXPECT_EQ(Changes, 1);
    EXPECT_LE(edit->GetCaretPosition(), 3);
    EXPECT_LE(edit->GetSelStart() + edit->GetSelLength(), 3);
    edit->Repaint();
    ASSERT_TRUE(KeyOnKeyboard(VK_END, [&] { return edit->GetCaretPosition() == 3; }));
    ASSERT_TRUE(KeyOnKeyboard(VK_BACK, [&] { return edit->GetText() == "xy"; }));

    edit->SetCharCase(ecUpperCase);
    edit->SetMaxLength(4);
    SendMessageA(edit->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("secret"));
    EXPECT_EQ(edit->GetText(), "SECR");
    EXPECT_TRUE(Errors.empty());
}

// Focus selects all; the program then puts the caret inside and the person widens the
// selection with Shift+Right: it runs from the anchor, within the text.
TEST_F(PasswordEdit, MovingTheCaretUnderASelectionKeepsItsAnchor) {
    auto* edit = Edit();
    edit->SetText("abcdef");
    ASSERT_TRUE(TakeFocus(edit));
    ASSERT_EQ(edit->GetSelLength(), 6);
    edit->SetCaretPosition(4);
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_RIGHT, [&] { return edit->GetCaretPosition() == 5; }));
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelLength(), 5);
    EXPECT_EQ(edit->GetSelText(), "abcde");
    edit->Repaint();
    ASSERT_TRUE(KeyOnKeyboard(VK_BACK, [&] { return edit->GetText() == "f"; }));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(PasswordEdit, GlyphsStayInsideTheTextAreaAndTheFirstVisibleFollowsTheCaret) {
    auto* edit = Edit(100);
    edit->SetPasswordKind(pkRect);
    const TRect area = edit->GetEditRect();
    const int cw = edit->GetPasswordCharWidth();
    EXPECT_EQ(cw, RectHeight(area) / 2 + 3);
    for (int length = 1; length <= 12; ++length) {
        edit->SetText(AnsiString(static_cast<std::size_t>(length), 'x'));
        auto shot = PaintToBitmap(edit);
        const int y = (area.Top + area.Bottom) / 2;
        for (int x = area.Right; x < edit->GetWidth(); ++x)
            EXPECT_NE(PixelOf(shot.get(), x, y), ColorToRGB(clWindowText)) << length << " at " << x;
    }
    // The caret at the end of a long text shows the end.
    ASSERT_TRUE(TakeFocus(edit));
    edit->SetSelLength(0);
    edit->SetCaretPosition(12);
    EXPECT_GT(edit->GetFirstVisible(), 1);
    EXPECT_LE(edit->GetCharX(12), area.Right);
    edit->SetCaretPosition(0);
    EXPECT_EQ(edit->GetFirstVisible(), 1);
}

TEST_F(PasswordEdit, CentredGlyphsAndClicksMapThroughTheSameOffset) {
    auto* edit = Edit(160);
    edit->SetPasswordKind(pkRect);
    edit->SetTextAlignment(taCenter);
    edit->SetText("abc");
    edit->SetHideSelection(true);
    const TRect area = edit->GetEditRect();
    const int cw = edit->GetPasswordCharWidth();
    const int offset = (RectWidth(area) - 3 * cw) / 2;
    EXPECT_EQ(edit->GetCharX(0), area.Left + offset);
    auto shot = PaintToBitmap(edit);
    const int y = (area.Top + area.Bottom) / 2;
    EXPECT_EQ(Glyphs(shot.get(), y, ColorToRGB(clWindowText), area.Left, area.Right), 3);
    EXPECT_NE(PixelOf(shot.get(), area.Left + offset - 2, y), ColorToRGB(clWindowText));
    EXPECT_EQ(PixelOf(shot.get(), area.Left + offset + cw / 2, y), ColorToRGB(clWindowText));
    // A click by the user's pointer just right of the second glyph's left edge puts the
    // caret before it.
    ASSERT_TRUE(ClickOnScreen(edit, area.Left + offset + cw + 1, y,
                              [&] { return edit->Focused() && edit->GetCaretPosition() == 1; }))
        << edit->GetCaretPosition();
    EXPECT_EQ(edit->GetSelLength(), 0) << "a click leaves nothing selected";
}

TEST_F(PasswordEdit, DraggingThePointerSelectsFromWhereItWasPressed) {
    auto* edit = Edit(200);
    edit->SetText("abcdefgh");
    const TRect area = edit->GetEditRect();
    const int cw = edit->GetPasswordCharWidth();
    const int y = (area.Top + area.Bottom) / 2;
    const TPoint from = edit->ClientToScreen(TPoint(area.Left + cw + 1, y));
    // Into the middle of the fifth glyph's cell, wherever the pointer lands within it.
    const TPoint moved = DragPointer(from, 3 * cw + cw / 2, 0);
    ASSERT_GE(moved.X, 3 * cw);
    ASSERT_LT(moved.X, 4 * cw - 1);
    ASSERT_TRUE(PumpUntil([&] { return edit->GetCaretPosition() == 4; })) << edit->GetCaretPosition();
    EXPECT_EQ(edit->GetSelStart(), 1);
    EXPECT_EQ(edit->GetSelLength(), 3);
    EXPECT_EQ(edit->GetSelText(), "bcd");
}

TEST_F(PasswordEdit, FocusWithAutoSelectSelectsTheWholeTextAndShowsItHighlighted) {
    auto* other = Add<TskSkinPasswordEdit>(Form, 10, 50, 121, 21);
    auto* edit = Edit();
    edit->SetPasswordKind(pkTriangle);
    edit->SetText("abcd");
    ASSERT_TRUE(TakeFocus(other));
    ASSERT_TRUE(TakeFocus(edit));
    EXPECT_EQ(edit->GetSelStart(), 0);
    EXPECT_EQ(edit->GetSelLength(), 4);
    auto shot = PaintToBitmap(edit);
    const TRect sel = edit->GetSelRect();
    EXPECT_EQ(PixelOf(shot.get(), sel.Left + 1, sel.Top + 1), ColorToRGB(clHighlight));
    EXPECT_GT(Glyphs(shot.get(), (sel.Top + sel.Bottom) / 2 + 2, ColorToRGB(clHighlightText), sel.Left,
                     sel.Right), 0);
    // Away, the selection hides.
    ASSERT_TRUE(TakeFocus(other));
    shot = PaintToBitmap(edit);
    EXPECT_NE(PixelOf(shot.get(), sel.Left + 1, sel.Top + 1), ColorToRGB(clHighlight));
}

TEST_F(PasswordEdit, ScreenshotsOfSkinnedAndPlainFields) {
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    Form->SetBounds(50, 50, 340, 140);
    for (bool skinned : {true, false}) {
        const TPasswordDemo demo = PlacePasswordEdits(Form, TPoint(10, 10), skinned ? &program : nullptr);
        CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + (skinned ? "passwordedit-skinned.bmp"
                                                                           : "passwordedit-default.bmp"));
        for (TControl* c : demo.All()) delete c;
    }
}

} // namespace
