// A skin change on a skinned form reaches every control that follows the skin, whatever base
// it follows it through, each once, and each paints in the new skin without being asked.
#include "skin/boxctrls/SkinBoxCtrls_SpinEdit.h"
#include "skin/controls/SkinCtrls_Bevels.h"
#include "skin/controls/SkinCtrls_Buttons.h"
#include "skin/controls/SkinCtrls_ButtonsBars.h"
#include "skin/controls/SkinCtrls_ControlBars.h"
#include "skin/controls/SkinCtrls_Headers.h"
#include "skin/controls/SkinCtrls_Labels.h"
#include "skin/controls/SkinCtrls_Notebooks.h"
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/controls/SkinCtrls_StatusPanels.h"
#include "skin/controls/SkinCtrls_TextLabels.h"
#include "skin/controls/SkinCtrls_UpDown.h"
#include "skin/controls/SkinCtrls_Views.h"
#include "skin/controls/SkinTabs.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinRelay.h"

#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScreenText.h"

#include <set>
#include <string>

namespace {

struct TCalls {
    int Before = 0;
    int Change = 0;
};

// A control of kind B that counts the relay's calls.
template <class B> class Counted : public B, public TCalls {
public:
    using B::B;
    void BeforeChangeSkinData() override {
        ++Before;
        B::BeforeChangeSkinData();
    }
    void ChangeSkinData() override {
        ++Change;
        B::ChangeSkinData();
    }
};

class SkinRelay : public ShownFormTest {
protected:
    struct TFollowed {
        TControl* Control;
        TCalls* Calls;
    };

    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(10, 10, 900, 560);
        Data = new TskSkinData(Form);
        (new TskSkinForm(Form))->SetSkinData(Data);
    }

    // A counted control of kind B on Parent, following the (still empty) skin.
    template <class B> B* Follow(TWinControl* Parent, int Left, int Top, int Width, int Height) {
        auto* control = Add<Counted<B>>(Parent, Left, Top, Width, Height);
        control->SetSkinData(Data);
        Followed.push_back({control, control});
        return control;
    }

    // Where Control shows on the screen, as it shows now.
    static TShot Shown(TControl* Control) {
        const TPoint at = Control->ClientToScreen(TPoint(0, 0));
        return Grab(RECT{at.X, at.Y, at.X + Control->GetWidth(), at.Y + Control->GetHeight()});
    }

    TskSkinData* Data = nullptr;
    std::vector<TFollowed> Followed;
};

TEST_F(SkinRelay, ALoadedSkinReachesEveryFollowingControlOnceAndEachRepaintsInIt) {
    // Directly on the form, on a panel, and on a page of a page control.
    auto* panel = Follow<TskSkinPanel>(Form, 10, 10, 420, 250);
    auto* pages = Follow<TskSkinPageControl>(Form, 450, 10, 430, 250);
    for (const char* caption : {"General", "Pins"}) {
        auto* sheet = new TskSkinTabSheet(Form);
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    TWinControl* page = pages->GetPage(0);

    Follow<TskSkinButton>(panel, 10, 10, 90, 25)->SetCaption("Button");
    Follow<TskSkinStdLabel>(panel, 110, 14, 90, 20)->SetCaption("Label");
    Follow<TskSkinTextLabel>(panel, 210, 14, 90, 20)->SetCaption("Text label");
    Follow<TskSkinLinkLabel>(panel, 310, 14, 90, 20)->SetCaption("Link label");
    Follow<TskSkinButtonLabel>(panel, 10, 45, 90, 25)->SetCaption("Button label");
    Follow<TskSkinLabel>(panel, 110, 45, 90, 22)->SetCaption("Framed label");
    Follow<TskSkinBevel>(panel, 210, 45, 90, 25);
    Follow<TskSkinUpDown>(panel, 310, 45, 40, 22);
    Follow<TskSkinSpinEdit>(panel, 10, 80, 120, 22);
    auto* header = Follow<TskSkinHeaderControl>(panel, 140, 80, 260, 22);
    for (const char* text : {"Page", "Pattern"}) header->GetSections()->Add()->SetText(text);
    Follow<TskSkinTreeView>(panel, 10, 110, 190, 130)->AddChild(nullptr, "Digit");
    Follow<TskSkinListView>(panel, 210, 110, 190, 130)->AddItem("Segment");

    auto* edit = Follow<TskSkinRichEdit>(page, 10, 10, 200, 100);
    edit->SetSkinSupport(true);
    edit->SetText("Segments");
    Follow<TskSkinTabControl>(page, 220, 10, 190, 60)->GetTabs()->Add("Tab");
    Follow<TskSkinSplitter>(page, 220, 80, 190, 6);

    auto* bar = Follow<TskSkinControlBar>(Form, 10, 270, 300, 60);
    Follow<TskSkinButton>(bar, 0, 0, 70, 22)->SetCaption("On a band");
    auto* book = Follow<TskSkinNotebook>(Form, 320, 270, 200, 240);
    book->GetPages()->Put(0, "Segments");
    book->GetPages()->Add("Pins");
    book->SetButtonsMode(true);
    auto* buttons = Follow<TskSkinButtonsBar>(Form, 530, 270, 150, 240);
    buttons->SetAlign(alNone);
    buttons->SetBounds(530, 270, 150, 240);
    buttons->GetSections()->Add()->SetText("Digits");
    auto* status = Follow<TskSkinStatusBar>(Form, 0, 0, 880, 23);
    auto* panelOfStatus = Follow<TskSkinStatusPanel>(status, 2, 3, 120, 18);
    panelOfStatus->SetCaption("Ready");

    // No caret blinks while the screen is compared.
    ASSERT_TRUE(TakeFocus(bar->GetControl(0) ? static_cast<TWinControl*>(bar->GetControl(0)) : bar));
    Pump();
    RedrawWindow(Form->GetHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    std::vector<TShot> before;
    for (const TFollowed& f : Followed) {
        before.push_back(Shown(f.Control));
        *f.Calls = TCalls{};
    }
    const std::vector<TskSkinFollower*> reached = SkinnedControlsOf(Form, Data);
    EXPECT_EQ(std::set<TskSkinFollower*>(reached.begin(), reached.end()).size(), reached.size());

    Data->LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(Data->Empty);
    Pump();
    std::vector<TShot> after;
    for (const TFollowed& f : Followed) after.push_back(Shown(f.Control));
    RedrawWindow(Form->GetHandle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    for (std::size_t i = 0; i < Followed.size(); ++i) {
        const TFollowed& f = Followed[i];
        const std::string kind = f.Control->ClassName();
        EXPECT_EQ(f.Calls->Before, 1) << kind;
        EXPECT_EQ(f.Calls->Change, 1) << kind;
        EXPECT_FALSE(after[i] == before[i]) << kind << " still looks as it did without the skin";
        const TShot repainted = Shown(f.Control);
        EXPECT_TRUE(after[i] == repainted)
            << kind << " shows other pixels after a full repaint: from "
            << after[i].Changes(repainted).left << "," << after[i].Changes(repainted).top << " to "
            << after[i].Changes(repainted).right << "," << after[i].Changes(repainted).bottom;
    }
    EXPECT_TRUE(Errors.empty());
}

} // namespace
