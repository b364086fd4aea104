#include "grid/gclbcalc.h"
#include "grid/gclcalc.h"
#include "grid/gcledclc.h"
#include "grid/gcleditf.h"
#include "grid/gclmisc.h"
#include "tests/grid/TestEntryField.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/ClassRegistry.h"
#include "classlib/Dialogs.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"

REGISTER_CLASS(TTestField);

namespace {

int Beeps = 0;
void CountBeep() {
    ++Beeps;
}

class TEntryDemo : public TForm {
    DECLARE_CLASS(TEntryDemo, TForm)
public:
    explicit TEntryDemo(TComponent* AOwner) : TForm(AOwner) {}
    TGclEdit* NameEdit = nullptr;
    TGclNumberEdit* PriceEdit = nullptr;
    TGclBorderedNumberEdit* TotalEdit = nullptr;
    TGclCalculator* Calculator = nullptr;
    TTestField* CodeField = nullptr;

    static void Published(TPropertyList& P) {
        P.Field("NameEdit", &TEntryDemo::NameEdit);
        P.Field("PriceEdit", &TEntryDemo::PriceEdit);
        P.Field("TotalEdit", &TEntryDemo::TotalEdit);
        P.Field("Calculator", &TEntryDemo::Calculator);
        P.Field("CodeField", &TEntryDemo::CodeField);
    }
};

TEST(EntryDemo, FormFromItsResourceShowsEveryComponent) {
    TEntryDemo form(nullptr);
    ReadComponentRes("EntryDemo", &form);
    ASSERT_NE(form.Calculator, nullptr);
    form.Show();
    Pump();
    EXPECT_EQ(form.NameEdit->GetAttachedLabel()->GetCaption(), "Name");
    EXPECT_EQ(form.TotalEdit->GetText(), "1234.75");

    // The number edit's calculator opens under it with its value; "=" writes it back.
    form.PriceEdit->PopupOpen();
    TGclCalculator* popup = form.PriceEdit->GetCalculator();
    ASSERT_TRUE(popup->GetVisible());
    EXPECT_EQ(popup->GetDisplay(), 12.5L);
    for (char c : std::string("*2="))
        PostMessageA(popup->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    Pump();
    EXPECT_EQ(form.PriceEdit->GetText(), "25");

    // The entry field takes only what its mask takes, beeps in read-only mode, and
    // reports a required empty field when the focus leaves it.
    TGclBeepProc oldBeep = SetGclBeepProc(CountBeep);
    std::vector<std::string> boxes;
    SetMessageDlgHook([&](const AnsiString& Msg, TMsgDlgType, TMsgDlgButtons, int) {
        boxes.push_back(Msg);
        return mrOk;
    });
    ASSERT_TRUE(TakeFocus(form.CodeField));
    form.NameEdit->SetFocus();
    Pump();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "A value is required in this field");
    ASSERT_TRUE(TakeFocus(form.CodeField));
    for (char c : std::string("ab1"))
        PostMessageA(form.CodeField->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 0);
    Pump();
    EXPECT_EQ(form.CodeField->GetEditString(), "AB");
    EXPECT_EQ(Beeps, 1);
    form.CodeField->SetOptions(form.CodeField->GetOptions() + TGclEntryFieldOptions{efoReadOnly});
    PostMessageA(form.CodeField->GetHandle(), WM_CHAR, 'c', 0);
    Pump();
    EXPECT_EQ(Beeps, 2);
    form.CodeField->SetEditString("ABC-123");
    SetGclBeepProc(oldBeep);
    SetMessageDlgHook(nullptr);

    for (TGclCalculatorButton b : {cb2, cbAdd, cb3, cbEqual})
        form.Calculator->PressButton(b);
    AnsiString file = ExeDir() + "entry-demo.bmp";
    CaptureWindow(form.GetHandle())->SaveToFile(file);
    EXPECT_TRUE(FileExists(file));
}

} // namespace
