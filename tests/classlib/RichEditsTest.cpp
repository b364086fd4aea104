// The rich edit on the system's own editor: loaded with the first one made, long texts kept
// whole, lines as paragraphs, plain or rich text, alignment that survives a new text, word
// wrap, and the editor's notifications as events.
#include "classlib/RichEdits.h"

#include "tests/support/GuiTestSupport.h"

#include <richedit.h>

#include <string>

namespace {

class RichEdits : public ShownFormTest {
protected:
    TRichEdit* NewEdit(int Width = 300) { return Add<TRichEdit>(Form, 10, 10, Width, 200); }
    static std::string LongText(int Lines) {
        std::string text;
        for (int i = 0; i < Lines; ++i) text += "line " + std::to_string(i) + "\r\n";
        return text;
    }
    static WORD AlignmentAt(TRichEdit* Edit, int Char) {
        SendMessageA(Edit->GetHandle(), EM_SETSEL, static_cast<WPARAM>(Char), Char);
        PARAFORMAT format{};
        format.cbSize = sizeof format;
        SendMessageA(Edit->GetHandle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
        return format.wAlignment;
    }
};

// First in the program, so that nothing else has loaded the editor yet.
TEST_F(RichEdits, TheEditorIsLoadedWithTheFirstRichEdit) {
    EXPECT_EQ(GetModuleHandleA("riched20.dll"), nullptr);
    TRichEdit* edit = NewEdit();
    edit->SetText("x");
    EXPECT_NE(GetModuleHandleA("riched20.dll"), nullptr);
    // Only the rich edit answers in text modes.
    EXPECT_EQ(SendMessageA(edit->GetHandle(), EM_GETTEXTMODE, 0, 0) & TM_RICHTEXT, TM_RICHTEXT);
}

TEST_F(RichEdits, ALongTextIsKeptWholeBeforeAndAfterTheWindowIsMade) {
    // Far beyond the editor's own limit of 32,767 characters.
    const std::string text = LongText(10000);
    auto* early = new TRichEdit(Form);
    early->SetText(text);
    early->SetParent(Form);
    EXPECT_EQ(early->GetTextLength(), static_cast<int>(text.size()));
    TRichEdit* late = NewEdit();
    late->SetText(text);
    EXPECT_EQ(late->GetTextLength(), static_cast<int>(text.size()));
    // Made again, it keeps it.
    late->SetHideSelection(false);
    EXPECT_EQ(late->GetTextLength(), static_cast<int>(text.size()));
    EXPECT_EQ(late->GetText(), text);

    late->SetMaxLength(5);
    EXPECT_EQ(SendMessageA(late->GetHandle(), EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(RichEdits, LinesAreParagraphsWhateverTheWrapping) {
    TRichEdit* edit = NewEdit(80);
    edit->SetText("one\r\ntwo two two two two two two two two\r\nthree");
    EXPECT_EQ(edit->GetLines()->GetCount(), 3);
    EXPECT_EQ(edit->GetLines()->Get(1), "two two two two two two two two two");
    // Wrapped at the window's width, the long paragraph takes more than one line on screen.
    EXPECT_GT(SendMessageA(edit->GetHandle(), EM_GETLINECOUNT, 0, 0), 3);
    edit->GetLines()->Add("four");
    EXPECT_EQ(edit->GetLines()->Get(3), "four");
    edit->SetWordWrap(false);
    EXPECT_EQ(SendMessageA(edit->GetHandle(), EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(edit->GetLines()->GetCount(), 4);
    edit->GetLines()->Clear();
    EXPECT_EQ(edit->GetLines()->GetCount(), 0);
    EXPECT_EQ(edit->GetTextLength(), 0);
}

TEST_F(RichEdits, PlainTextIsTakenAsItIs) {
    const std::string rtf = "{\\rtf1 hello}";
    TRichEdit* rich = NewEdit();
    rich->SetText(rtf);
    EXPECT_EQ(rich->GetText(), "hello");
    TRichEdit* plain = NewEdit();
    plain->SetPlainText(true);
    plain->SetText(rtf);
    EXPECT_EQ(plain->GetText(), rtf);
    EXPECT_EQ(SendMessageA(plain->GetHandle(), EM_GETTEXTMODE, 0, 0) & TM_PLAINTEXT, TM_PLAINTEXT);
}

TEST_F(RichEdits, TheAlignmentHoldsForEveryParagraphAndANewText) {
    TRichEdit* edit = NewEdit();
    edit->SetText("a\r\nb");
    edit->SetAlignment(taCenter);
    EXPECT_EQ(AlignmentAt(edit, 0), PFA_CENTER);
    EXPECT_EQ(AlignmentAt(edit, 2), PFA_CENTER);
    edit->SetText("x\r\ny\r\nz");
    EXPECT_EQ(AlignmentAt(edit, 4), PFA_CENTER);
    edit->SetAlignment(taRightJustify);
    edit->SetHideSelection(false);
    EXPECT_EQ(AlignmentAt(edit, 0), PFA_RIGHT);
}

TEST_F(RichEdits, TheEditorPaintsInTheControlsColours) {
    TRichEdit* edit = NewEdit();
    edit->SetColor(clYellow);
    edit->GetFont()->SetColor(clRed);
    edit->GetFont()->SetHeight(30);
    edit->SetText("WWWW");
    auto shot = CaptureWindow(edit->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 200, 150), static_cast<COLORREF>(0x00FFFF));
    int red = 0;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 40; ++y) red += PixelOf(shot.get(), x, y) == 0x0000FF;
    EXPECT_GT(red, 20);
}

TEST_F(RichEdits, TheEditorsNotificationsAreEvents) {
    TRichEdit* edit = NewEdit();
    edit->SetText("open text");
    int selections = 0;
    int changes = 0;
    edit->OnSelectionChange = TNotifyEvent::FromCallable([&](TObject*) { ++selections; });
    edit->OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    SendMessageA(edit->GetHandle(), EM_SETSEL, 2, 4);
    EXPECT_GT(selections, 0);

    // Typed text changes; the editor asks for the room its text needs.
    SendMessageA(edit->GetHandle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x"));
    EXPECT_GT(changes, 0);
    TRect wanted;
    edit->OnResizeRequest =
        TRichEditResizeEvent::FromCallable([&](TObject*, TRect Rect) { wanted = Rect; });
    SendMessageA(edit->GetHandle(), EM_REQUESTRESIZE, 0, 0);
    EXPECT_GT(wanted.Height(), 0);
}

} // namespace
