// Activation between top-level forms, skinned and plain: a form whose window is made anew
// keeps the activation, and no two forms pass it back and forth.
#include "skin/form/SkinForm.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"

#include <cstdio>

namespace {

// Activation messages the thread's windows received. Far more than any hand-over needs means
// two windows pass the activation back and forth; the program ends then rather than hang.
int ActivationMessages = 0;
constexpr int kActivationLimit = 300;

LRESULT CALLBACK CountActivation(int Code, WPARAM W, LPARAM L) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(L);
    if (Code == HC_ACTION && (m->message == WM_ACTIVATE || m->message == WM_NCACTIVATE) &&
        ++ActivationMessages > kActivationLimit) {
        std::fprintf(stderr, "The activation passed back and forth more than %d times\n", kActivationLimit);
        std::fflush(stderr);
        ExitProcess(3);
    }
    return CallNextHookEx(nullptr, Code, W, L);
}

class Activation : public testing::Test {
protected:
    void SetUp() override {
        SetCursorPos(0, 0);
        Hook = SetWindowsHookExA(WH_CALLWNDPROC, CountActivation, nullptr, GetCurrentThreadId());
        ASSERT_NE(Hook, nullptr);
    }
    void TearDown() override {
        for (TForm* f : Forms) delete f;
        Pump();
        UnhookWindowsHookEx(Hook);
    }

    TForm* NewForm(int Left, const char* Caption) {
        auto* f = new TForm(nullptr);
        f->SetCaption(Caption);
        f->SetBounds(Left, 100, 300, 200);
        Forms.push_back(f);
        return f;
    }
    TskSkinForm* SkinOf(TForm* F) {
        auto* skin = new TskSkinForm(F);
        auto* data = new TskSkinData(F);
        testskins::Build(data, {});
        skin->SetSkinData(data);
        return skin;
    }
    // Pumps until no activation message has come for a while (a bounded while); how many came.
    int Settle() {
        ActivationMessages = 0;
        int before = -1;
        for (int i = 0; i < 50 && before != ActivationMessages; ++i) {
            before = ActivationMessages;
            PumpUntil([] { return false; }, 40);
        }
        return ActivationMessages;
    }

    HHOOK Hook = nullptr;
    std::vector<TForm*> Forms;
};

TEST_F(Activation, RecreatingTheActiveFormsWindowKeepsTheActivation) {
    NewForm(50, "Other")->Show();
    Settle();
    TForm* form = NewForm(400, "Form");
    form->Show();
    Settle();
    form->SetBorderStyle(bsSingle);
    EXPECT_LT(Settle(), 20);
    EXPECT_EQ(GetActiveWindow(), form->GetHandle());
}

TEST_F(Activation, SkinningAShownFormWhileAnotherSkinnedFormIsMinimized) {
    TForm* other = NewForm(50, "Other");
    TskSkinForm* otherSkin = SkinOf(other);
    other->Show();
    Settle();
    otherSkin->SetWindowState(wsMinimized);
    Settle();
    TForm* form = NewForm(400, "Form");
    form->Show();
    Settle();
    SkinOf(form);
    EXPECT_LT(Settle(), 20);
    EXPECT_EQ(GetActiveWindow(), form->GetHandle());
}

} // namespace
