#include "grid/gclbcalc.h"
#include "grid/gcledclc.h"
#include "grid/gclmisc.h"
#include "classlib/FormLoader.h"
#include "tests/support/GuiTestSupport.h"

namespace {

int Beeps = 0;
void CountBeep() {
    ++Beeps;
}

class NumberEditTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Beeps = 0;
        OldBeep = SetGclBeepProc(CountBeep);
        Edit = Add<TGclNumberEdit>(Form, 20, 20, 120, 21);
        Edit->GetHandle();
    }
    void TearDown() override {
        SetGclBeepProc(OldBeep);
        ShownFormTest::TearDown();
    }
    void Type(TWinControl* Control, const std::string& Text) {
        for (char c : Text)
            PostMessageA(Control->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 0);
        Pump();
    }

    TGclNumberEdit* Edit = nullptr;
    TGclBeepProc OldBeep = nullptr;
};

TEST_F(NumberEditTest, KeyFilter) {
    ASSERT_TRUE(TakeFocus(Edit));
    Type(Edit, "2a.5.");
    EXPECT_EQ(Edit->GetText(), "2.5");
    EXPECT_EQ(Beeps, 2);
    // With the whole text selected a separator replaces it.
    Edit->SelectAll();
    Type(Edit, ".");
    EXPECT_EQ(Edit->GetText(), ".");
    EXPECT_EQ(Beeps, 2);

    Edit->SetText("2.5");
    Edit->AllowIncDec = true;
    Type(Edit, "+");
    EXPECT_EQ(Edit->GetText(), "3.5");
    EXPECT_FALSE(Edit->GetCalculator()->GetVisible());
    Type(Edit, "--");
    EXPECT_EQ(Edit->GetText(), "1.5");
}

TEST_F(NumberEditTest, ValuesReadAndWritten) {
    Edit->SetText("1,234.5");
    EXPECT_DOUBLE_EQ(Edit->GetAsFloat(), 1234.5);
    Edit->SetAsFloat(0.1);
    EXPECT_EQ(Edit->GetText(), "0.1");
    Edit->SetText("2.5");
    EXPECT_EQ(Edit->GetAsInteger(), 2);
    Edit->SetText("3.5");
    EXPECT_EQ(Edit->GetAsInteger(), 4);
    Edit->SetText("");
    EXPECT_THROW(Edit->GetAsFloat(), Exception);
}

TEST_F(NumberEditTest, CalculatorOpensUnderTheEditAndWritesBack) {
    ASSERT_TRUE(TakeFocus(Edit));
    int opened = 0, closed = 0;
    Edit->OnPopupOpen = TNotifyEvent::FromCallable([&](TObject*) { ++opened; });
    Edit->OnPopupClose = TNotifyEvent::FromCallable([&](TObject*) { ++closed; });
    Type(Edit, "12+");
    TGclCalculator* calc = Edit->GetCalculator();
    ASSERT_TRUE(calc->GetVisible());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(calc->GetEngine()->LastOperation, coAdd);
    RECT edit, popup;
    GetWindowRect(Edit->GetHandle(), &edit);
    GetWindowRect(calc->GetHandle(), &popup);
    EXPECT_GE(popup.top, edit.bottom - 6);
    EXPECT_LE(std::abs(popup.left - edit.left), 6);

    Type(calc, "3=");
    EXPECT_FALSE(calc->GetVisible());
    EXPECT_EQ(Edit->GetText(), "15");
    EXPECT_TRUE(Edit->GetModified());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(Edit->GetSelStart(), 2);
}

TEST_F(NumberEditTest, EscapeAndTheButtonOpenAndClose) {
    // The form's own activation settles first: a late one would take the focus from the
    // calculator, which closes it.
    ASSERT_TRUE(TakeFocus(Edit));
    Edit->SetText("7");
    PostMessageA(Edit->GetHandle(), WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    Pump();
    ASSERT_TRUE(Edit->GetCalculator()->GetVisible());
    EXPECT_EQ(Edit->GetCalculator()->GetDisplay(), 7);
    Type(Edit->GetCalculator(), "\x1b");
    EXPECT_FALSE(Edit->GetCalculator()->GetVisible());
    EXPECT_EQ(Edit->GetText(), "7");

    Edit->GetButton()->Click();
    EXPECT_TRUE(Edit->GetCalculator()->GetVisible());
    Edit->PopupClose(Edit);
    EXPECT_FALSE(Edit->GetCalculator()->GetVisible());
}

TEST_F(NumberEditTest, TabAltUpAndAnOutsideClickClose) {
    auto* next = Add<TGclNumberEdit>(Form, 20, 120, 120, 21);
    next->GetHandle();
    ASSERT_TRUE(TakeFocus(Edit));
    Edit->SetText("5");
    TGclCalculator* calc = Edit->GetCalculator();

    Edit->PopupOpen();
    ASSERT_TRUE(calc->GetVisible());
    PostKey(calc, VK_TAB);
    EXPECT_FALSE(calc->GetVisible());
    EXPECT_EQ(GetFocus(), next->GetHandle()); // the Tab went on to the edit and past it

    Edit->PopupOpen();
    PostMessageA(calc->GetHandle(), WM_SYSKEYDOWN, VK_UP, 0x20000001);
    Pump();
    EXPECT_FALSE(calc->GetVisible());
    EXPECT_EQ(Edit->GetSelStart(), 1);
    EXPECT_EQ(Edit->GetSelLength(), 0);

    // A click outside the calculator (it holds the mouse) closes it.
    Edit->PopupOpen();
    PostMessageA(calc->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-20, -20));
    Pump();
    EXPECT_FALSE(calc->GetVisible());
    EXPECT_EQ(Edit->GetText(), "5");
}

TEST_F(NumberEditTest, NearTheBottomTheCalculatorGoesAbove) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    Form->SetBounds(100, work.bottom - 80, 300, 80);
    Pump();
    Edit->PopupOpen();
    RECT edit, popup;
    GetWindowRect(Edit->GetHandle(), &edit);
    GetWindowRect(Edit->GetCalculator()->GetHandle(), &popup);
    EXPECT_LE(popup.bottom, edit.top + 4);
    Edit->PopupClose(Edit);
}

TEST_F(NumberEditTest, BorderedNumberEditForwardsToItsInnerEdit) {
    auto* bordered = Add<TGclBorderedNumberEdit>(Form, 20, 60, 140, 21);
    bordered->GetHandle();
    bordered->SetText("4.25");
    EXPECT_EQ(bordered->GetNumberEdit()->GetText(), "4.25");
    EXPECT_TRUE(bordered->GetBorders()->GetBottomBorder()->GetEnabled());
    // Without borders the inner edit spans the container and the button stays over it,
    // where the pointer reaches it.
    bordered->GetBorders()->GetBottomBorder()->SetEnabled(false);
    Pump();
    EXPECT_EQ(bordered->GetNumberEdit()->GetBoundsRect(),
              TRect(0, 0, bordered->GetWidth(), bordered->GetHeight()));
    const TRect button = bordered->GetButton()->GetBoundsRect();
    EXPECT_EQ(button.Right, bordered->GetWidth());
    POINT middle{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(bordered->GetHandle(), middle, CWP_SKIPINVISIBLE),
              bordered->GetButton()->GetHandle());
    bordered->GetBorders()->GetBottomBorder()->SetEnabled(true);
    bordered->SetReadOnly(true);
    EXPECT_TRUE(bordered->GetNumberEdit()->GetReadOnly());
    EXPECT_FALSE(bordered->GetButton()->GetEnabled());
    bordered->SetReadOnly(false);
    bordered->GetButton()->Click();
    EXPECT_TRUE(bordered->GetNumberEdit()->GetCalculator()->GetVisible());
    bordered->GetNumberEdit()->PopupClose(bordered);

    // Properties read from form text land on the inner edit and its calculator.
    bordered->SetName("Amount");
    ReadComponentText("object Amount: TGclBorderedNumberEdit\n"
                      "  Enabled = False\n  MaxLength = 8\n  PasswordChar = '#'\n"
                      "  PopupDecimals = 4\n  PopupWidth = 260\n  Font.Height = -20\nend\n",
                      bordered);
    TGclNumberEditEx* inner = bordered->GetNumberEdit();
    EXPECT_FALSE(inner->GetEnabled());
    EXPECT_TRUE(bordered->GetEnabled());
    EXPECT_FALSE(bordered->GetButton()->GetEnabled());
    EXPECT_EQ(inner->GetMaxLength(), 8);
    EXPECT_EQ(inner->GetPasswordChar(), '#');
    EXPECT_EQ(inner->GetCalculator()->GetDecimals(), 4);
    EXPECT_EQ(inner->GetCalculator()->GetWidth(), 260);
    EXPECT_EQ(inner->GetFont()->GetHeight(), -20);
    bordered->SetEditEnabled(true);
    EXPECT_TRUE(bordered->GetButton()->GetEnabled());

    // Events too: the inner edit is their sender.
    TObject* sender = nullptr;
    char typed = 0;
    bordered->SetEditEvent<&TWinControl::OnKeyPress>(TKeyPressEvent::FromCallable(
        [&](TObject* Sender, char& Key) { sender = Sender, typed = Key; }));
    EXPECT_TRUE(inner->OnKeyPress.Assigned());
    Type(inner, "3");
    EXPECT_EQ(sender, inner);
    EXPECT_EQ(typed, '3');
    int changes = 0;
    bordered->SetEditEvent<&TCustomEdit::OnChange>(
        TNotifyEvent::FromCallable([&](TObject*) { ++changes; }));
    bordered->SetText("9");
    EXPECT_EQ(changes, 1);
}

} // namespace
