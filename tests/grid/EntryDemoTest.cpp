#include "grid/gclbcalc.h"
#include "grid/gclcalc.h"
#include "grid/gcledclc.h"
#include "grid/gcleditf.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"
#include "classlib/Persistence.h"

namespace {

class TEntryDemo : public TForm {
    DECLARE_CLASS(TEntryDemo, TForm)
public:
    explicit TEntryDemo(TComponent* AOwner) : TForm(AOwner) {}
    TGclEdit* NameEdit = nullptr;
    TGclNumberEdit* PriceEdit = nullptr;
    TGclBorderedNumberEdit* TotalEdit = nullptr;
    TGclCalculator* Calculator = nullptr;

    static void Published(TPropertyList& P) {
        P.Field("NameEdit", &TEntryDemo::NameEdit);
        P.Field("PriceEdit", &TEntryDemo::PriceEdit);
        P.Field("TotalEdit", &TEntryDemo::TotalEdit);
        P.Field("Calculator", &TEntryDemo::Calculator);
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

    for (TGclCalculatorButton b : {cb2, cbAdd, cb3, cbEqual})
        form.Calculator->PressButton(b);
    AnsiString file = ExeDir() + "entry-demo.bmp";
    CaptureWindow(form.GetHandle())->SaveToFile(file);
    EXPECT_TRUE(FileExists(file));
}

} // namespace
