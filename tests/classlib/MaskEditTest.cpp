// Edit masks: what each position takes, the edit text and the Text of a value as tables,
// generated masks and texts, and a masked edit on a real window typed into, pasted into,
// cut from, streamed and recreated.
#include "classlib/Edits.h"

#include "classlib/Clipboard.h"
#include "classlib/FormLoader.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct TAcceptRow {
    const char* Mask;
    int Pos;
    char Typed;
    // The character the position shows, '\0' for a refusal.
    char Shown;
};

TEST(EditMask, EachPositionTakesItsOwnCharacters) {
    const TAcceptRow rows[] = {
        {"!90:00:00;1; ", 0, '7', '7'},   {"!90:00:00;1; ", 0, ' ', ' '},
        {"!90:00:00;1; ", 1, ' ', '\0'},  {"!90:00:00;1; ", 1, 'a', '\0'},
        {"!90:00:00;1; ", 2, '1', '\0'},  {"#", 0, '-', '-'},
        {"#", 0, '+', '+'},               {"#", 0, 'x', '\0'},
        {"L", 0, 'q', 'q'},               {"L", 0, '5', '\0'},
        {"l;1;_", 0, ' ', '_'},           {"l;1;_", 0, '_', '_'},
        {"A", 0, '5', '5'},               {"A", 0, '-', '\0'},
        {"a", 0, 'Z', 'Z'},               {"C", 0, '%', '%'},
        {"C", 0, ' ', '\0'},              {"c", 0, '\x7f', '\0'},
        {">L", 0, 'q', 'Q'},              {">L<L", 1, 'Q', 'q'},
        {">L<>L", 1, 'q', 'q'},           {"\\0", 0, '0', '\0'},
        {"LL\\", 2, '\\', '\0'},          {"", 0, '1', '\0'},
        {"0", -1, '1', '\0'},             {"0", 1, '1', '\0'},
    };
    for (const TAcceptRow& row : rows) {
        const TEditMask mask(row.Mask);
        char c = row.Typed;
        const bool accepted = mask.Accepts(row.Pos, c);
        EXPECT_EQ(accepted, row.Shown != '\0') << row.Mask << " at " << row.Pos << ": " << row.Typed;
        if (accepted) {
            EXPECT_EQ(c, row.Shown) << row.Mask << " at " << row.Pos;
        }
    }
}

TEST(EditMask, LiteralsFieldsAndBlanksAreReadFromTheMask) {
    const TEditMask time("!90:00:00;1; ");
    EXPECT_EQ(time.Length(), 8);
    EXPECT_TRUE(time.KeepsLiterals());
    EXPECT_EQ(time.Blank(), ' ');
    EXPECT_TRUE(time.IsLiteral(2));
    EXPECT_EQ(time.NextInput(2), 3);
    EXPECT_EQ(time.PriorInput(3), 1);
    EXPECT_EQ(time.NextInput(8), -1);
    EXPECT_EQ(time.PriorInput(0), -1);

    const TEditMask phone("(999) 000-0000;0;*");
    EXPECT_FALSE(phone.KeepsLiterals());
    EXPECT_EQ(phone.Blank(), '*');
    EXPECT_EQ(TEditMask("000").Blank(), '_') << "no fields";
    EXPECT_EQ(TEditMask("000;1;7").Blank(), '_') << "a blank that could be typed";
    EXPECT_EQ(TEditMask("000;1;").Blank(), '_');
    EXPECT_TRUE(TEditMask("000;").KeepsLiterals());
    EXPECT_TRUE(TEditMask(";1;_").Empty());
    EXPECT_EQ(TEditMask("\\;0").Length(), 2) << "an escaped ';' is a literal";
}

struct TLayoutRow {
    const char* Mask;
    const char* Text;
    const char* Edit;
    // The Text read back from Edit.
    const char* Back;
};

TEST(EditMask, TextsAreLaidOutAndReadBack) {
    const TLayoutRow rows[] = {
        {"!90:00:00;1; ", "12:34:56", "12:34:56", "12:34:56"},
        {"!90:00:00;1; ", "5:30:00", " 5:30:00", " 5:30:00"},
        {"!90:00:00;1; ", "ab:cd:ef", "  :  :  ", "  :  :  "},
        {"!90:00:00;1; ", "", "  :  :  ", "  :  :  "},
        {"!90:00:00;1; ", "12:34:56:78", "12:34:56", "12:34:56"},
        {"90:00;1;_", "7", "7_:__", "7 :  "},
        {"(999) 000-0000;0;_", "5551234567", "(555) 123-4567", "5551234567"},
        {"(999) 000-0000;0;_", "555", "(555) ___-____", "555"},
        {"!(999) 000-0000;0;_", "1234567", "(___) 123-4567", "1234567"},
        {">LL-00;0; ", "ab12", "AB-12", "AB12"},
        {"\\A\\B-0;1;_", "xx-5", "AB-5", "AB-5"},
        {"", "free text", "", ""},
    };
    for (const TLayoutRow& row : rows) {
        const TEditMask mask(row.Mask);
        if (mask.Empty()) continue;
        EXPECT_EQ(mask.EditFromText(row.Text), row.Edit) << row.Mask << " / " << row.Text;
        EXPECT_EQ(mask.TextFromEdit(row.Edit), row.Back) << row.Mask << " / " << row.Edit;
    }
    EXPECT_EQ(TEditMask("00/00").Fitted("1x/34567"), "1_/34");
    EXPECT_EQ(TEditMask("00/00").Fitted(""), "__/__");
}

TEST(EditMask, GeneratedMasksAndTextsKeepTheirLengthAndReadBackAsLaidOut) {
    std::mt19937 random(29);
    const std::string maskChars = "09#LlAaCc!<>\\;_:/x ";
    auto pick = [&](const std::string& From, int Count) {
        std::string s;
        for (int i = 0; i < Count; ++i) s += From[random() % From.size()];
        return s;
    };
    for (int i = 0; i < 3000; ++i) {
        const AnsiString maskText = pick(maskChars, static_cast<int>(random() % 16));
        std::string bytes;
        for (int n = static_cast<int>(random() % 24); n > 0; --n) bytes += static_cast<char>(random());
        const TEditMask mask(maskText);
        const AnsiString edit = mask.Fitted(bytes);
        ASSERT_EQ(static_cast<int>(edit.size()), mask.Length()) << maskText;
        ASSERT_EQ(mask.EditFromText(bytes).size(), edit.size()) << maskText;
        ASSERT_EQ(mask.EditFromText(mask.TextFromEdit(edit)), edit) << maskText;
    }
}

// ---- On a real window -----------------------------------------------------------------

class MaskEditTest : public ShownFormTest {
protected:
    TMaskEdit* Edit(const AnsiString& Mask, const AnsiString& Text) {
        auto* edit = Add<TMaskEdit>(Form, 10, 10, 160, 21);
        edit->SetEditMask(Mask);
        edit->SetText(Text);
        edit->OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        EXPECT_TRUE(TakeFocus(edit));
        return edit;
    }
    static void Type(TWinControl* Control, const std::string& Text) {
        for (char c : Text)
            PostMessageA(Control->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        Pump();
    }
    static void Caret(TCustomEdit* Edit, int Pos, int Length = 0) {
        Edit->SetSelStart(Pos);
        Edit->SetSelLength(Length);
    }
    int Changes = 0;
};

TEST_F(MaskEditTest, TypingOverwritesOnePositionAndSkipsTheLiterals) {
    auto* edit = Edit("!90:00:00;1; ", "12:34:56");
    Changes = 0;
    Caret(edit, 0);
    Type(edit, "2");
    EXPECT_EQ(edit->GetEditText(), "22:34:56");
    EXPECT_EQ(edit->GetSelStart(), 1);
    Type(edit, "3");
    EXPECT_EQ(edit->GetSelStart(), 3) << "past the colon";
    Caret(edit, 2);
    Type(edit, "7");
    EXPECT_EQ(edit->GetEditText(), "23:74:56") << "the digit lands after the colon";
    EXPECT_EQ(edit->GetEditPosition(), 4);
    EXPECT_EQ(Changes, 3) << "one change for each typed digit";

    // A letter, and any digit at the end, are refused and change nothing.
    Type(edit, "x");
    Caret(edit, 8);
    Type(edit, "9");
    EXPECT_EQ(edit->GetEditText(), "23:74:56");
    EXPECT_EQ(Changes, 3);

    // A selection is emptied, then the typed character takes its first position.
    Caret(edit, 1, 4);
    Type(edit, "0");
    EXPECT_EQ(edit->GetEditText(), "20:  :56");
    EXPECT_EQ(edit->GetText(), "20:  :56");
}

TEST_F(MaskEditTest, BackspaceAndDeleteEmptyPositionsAndLeaveTheLiterals) {
    auto* edit = Edit("00-00;1;_", "12-34");
    Caret(edit, 3);
    Type(edit, "\b");
    EXPECT_EQ(edit->GetEditText(), "1_-34");
    EXPECT_EQ(edit->GetSelStart(), 1) << "over the dash";
    PostKey(edit, VK_DELETE);
    EXPECT_EQ(edit->GetEditText(), "1_-34") << "already empty";
    Caret(edit, 2);
    PostKey(edit, VK_DELETE);
    EXPECT_EQ(edit->GetEditText(), "1_-_4");
    EXPECT_EQ(edit->GetSelStart(), 2);
    Caret(edit, 0, 5);
    PostKey(edit, VK_DELETE);
    EXPECT_EQ(edit->GetEditText(), "__-__");
    Caret(edit, 0);
    Type(edit, "\b");
    EXPECT_EQ(edit->GetEditText(), "__-__");
    // Tabs, line feeds and undo never reach the window's own editing.
    Type(edit, "\t\n\x1a");
    EXPECT_EQ(edit->GetEditText(), "__-__");
}

TEST_F(MaskEditTest, PastedTextIsTypedAndCutTextLeavesEmptyPositions) {
    auto* edit = Edit("(999) 000-0000;0;_", "");
    EXPECT_EQ(edit->GetEditText(), "(___) ___-____");
    Clipboard()->SetAsText("555) 12x3-4567");
    Caret(edit, 0);
    Changes = 0;
    SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetEditText(), "(555) 123-4567")
        << "literals in their places are passed over, the letter is refused";
    EXPECT_EQ(edit->GetText(), "5551234567");
    EXPECT_EQ(Changes, 1) << "the system's own paste is taken back quietly";

    Caret(edit, 6, 5);
    SendMessageA(edit->GetHandle(), WM_CUT, 0, 0);
    EXPECT_EQ(Clipboard()->GetAsText(), "123-4");
    EXPECT_EQ(edit->GetEditText(), "(555) ___-_567");
    EXPECT_EQ(edit->GetText(), "555    567");
    // Pasting through the selection as a program does.
    Caret(edit, 6);
    edit->SetSelText("98");
    EXPECT_EQ(edit->GetEditText(), "(555) 98_-_567");
    EXPECT_EQ(edit->GetSelStart(), 8);
}

TEST_F(MaskEditTest, TheKeyboardTypesThroughTheMask) {
    auto* edit = Edit("!90:00:00;1; ", "00:00:00");
    Caret(edit, 0);
    for (Word key : {Word('1'), Word('2'), Word('3'), Word('A'), Word('4')}) PressKey(key);
    EXPECT_EQ(edit->GetEditText(), "12:34:00");
    PressKey(VK_BACK);
    PressKey(VK_BACK);
    EXPECT_EQ(edit->GetEditText(), "12:  :00");
    EXPECT_EQ(edit->GetSelStart(), 3);
}

TEST_F(MaskEditTest, TheTextSurvivesMaskChangesRecreationAndStreaming) {
    auto* edit = Edit("(999) 000-0000;0;_", "5551234");
    EXPECT_EQ(edit->GetEditText(), "(555) 123-4___");
    edit->SetBorderStyle(bsNone); // a new window
    EXPECT_EQ(edit->GetEditText(), "(555) 123-4___");
    EXPECT_EQ(edit->GetText(), "5551234");

    edit->SetEditMask("");
    EXPECT_EQ(edit->GetEditText(), "5551234") << "a plain edit keeps the value";
    Type(edit, "ab");
    EXPECT_EQ(edit->GetText().size(), 9u) << "and types freely";
    edit->SetText("555-12");
    edit->SetEditMask("000-000;1;_");
    EXPECT_EQ(edit->GetEditText(), "555-12_") << "the value laid out again";

    TForm form(nullptr);
    ReadComponentText("object Masked: TForm\n"
                      "  object ME_Code: TMaskEdit\n"
                      "    Text = '42'\n"
                      "    EditMask = '>LL-00;0;_'\n"
                      "  end\n"
                      "end",
                      &form);
    auto* read = dynamic_cast<TMaskEdit*>(form.FindComponent("ME_Code"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetEditText(), "__-__") << "digits where letters go";
    read->SetText("xy42");
    EXPECT_EQ(read->GetEditText(), "XY-42");
    TForm copy(nullptr);
    ReadComponentText(WriteComponentText(&form), &copy);
    EXPECT_EQ(dynamic_cast<TMaskEdit*>(copy.FindComponent("ME_Code"))->GetEditText(), "XY-42");
}

} // namespace
