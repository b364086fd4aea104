// One demo form of every container and native wrapper, as the editor shows its controls: on
// a skinned form, on a panel, with the program's skin, and the same without any skin. Tabs on
// all four sides, an overflowing strip with its skinned up-down, a notebook with its page
// buttons, a scrolled buttons bar, control bars, a header with a hot and one with a pressed
// section, a rich edit scrolled through its skinned bars, spin edits and a status bar.
// Screenshots containers-skinned.bmp and containers-default.bmp beside the test program for
// people to look at; every text on them is checked to show whole, by its ink.
#include "skin/form/SkinForm.h"

#include "tests/skin/controls/ContainerDemos.h"
#include "tests/support/ScreenText.h"

#include <functional>
#include <string>

namespace {

class ContainersDemo : public ContainerDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 1170, 650);
        Form->SetCaption("Containers");
        if (Data) (new TskSkinForm(Form))->SetSkinData(Data);
        auto* panel = new TskSkinPanel(Form);
        panel->SetParent(Form);
        panel->SetAlign(alClient);
        panel->SetBorderStyle(TskSkinBorderStyle::bvNone);
        panel->SetSkinData(Data);
        Host = panel;

        PlaceTabsOnFourSides(10, 10, 280, 170);
        TskSkinTabControl* strip = PlaceOverflowingStrip(10, 372, 280);
        const auto spins = PlaceSpinEdits(310, 380, 1);
        PlaceNotebook(610, 10);
        PlaceScrolledButtonsBar(820, 10);
        PlaceControlBars(960, 10);
        TskSkinHeaderControl* hot = PlaceHeader(610, 340);
        TskSkinHeaderControl* pressed = PlaceHeader(610, 368);
        PlaceScrolledRichEdit(610, 398);
        PlaceStatusBar(panel->GetWidth());
        Pump();
        ASSERT_NE(strip->GetUpDown(), nullptr);

        auto shot = CaptureWithHeldHeaders(hot, pressed);
        shot->SaveToFile(ExeDir() + FileName);
        EXPECT_TRUE(Errors.empty());

        ExpectCaptionsWhole(shot.get(), panel);
        for (TskSkinPageControl* pages : Pages) ExpectTabsWhole(shot.get(), pages);
        ExpectTabsWhole(shot.get(), strip);
        for (TskSkinHeaderControl* header : {hot, pressed})
            for (int i = 0; i < header->GetSections()->GetCount(); ++i)
                ExpectWhole(shot.get(), header, header->GetSections()->GetItem(i)->GetText(),
                            header->GetSkinDataName());
        for (TskSkinSpinEdit* spin : {spins.first, spins.second})
            ExpectWhole(shot.get(), spin, spin->GetEdit()->GetText(), spin->GetSkinDataName());
    }

    // The font Control paints its texts in: its skin section's, or its own without a skin.
    TTextFont FontOf(TControl* Control, const AnsiString& Section) const {
        if (Data) return SkinFont(VANTOREL_SKIN_INI, Section.c_str());
        TFont* own = nullptr;
        if (auto* sized = dynamic_cast<TskSkinSizing*>(Control)) own = sized->GetDefaultFont();
        if (auto* label = dynamic_cast<TskStdLabelSkin*>(Control)) own = label->GetDefaultFont();
        if (!own) return {"Arial", 14, false};
        return {own->GetName().c_str(), own->GetHeight(), own->GetStyle().Contains(fsBold)};
    }
    void ExpectWhole(TBitmap* Shot, TControl* Control, const AnsiString& Text,
                     const AnsiString& Section, int Turn = 0) {
        TShot part = ShotOf(Shot, OnShot(Control));
        if (Turn != 0) part = part.Turned(Turn > 0);
        EXPECT_TRUE(ShowsWhole(part, Text.c_str(), FontOf(Control, Section)))
            << "on " << Control->ClassName() << " " << Control->GetName();
    }
    // Every caption of a skinned control shown inside Parent, at any depth.
    void ExpectCaptionsWhole(TBitmap* Shot, TWinControl* Parent) {
        for (int i = 0; i < Parent->GetControlCount(); ++i) {
            TControl* control = Parent->GetControl(i);
            // A notebook's page shows its caption on its button, not on itself.
            if (!control->IsShowing() || dynamic_cast<TskSkinPage*>(control)) continue;
            auto* skinned = dynamic_cast<TskSkinClient*>(control);
            auto* label = dynamic_cast<TskStdLabelSkin*>(control);
            const AnsiString caption = control->GetCaption();
            if (!caption.empty() && (skinned || label))
                ExpectWhole(Shot, control, caption,
                            skinned ? skinned->GetSkinDataName() : label->GetSkinDataName());
            if (auto* windowed = dynamic_cast<TWinControl*>(control))
                ExpectCaptionsWhole(Shot, windowed);
        }
    }
    // The texts of the tabs that the strip shows whole (not those behind its up-down), read
    // along the side they stand on.
    template <class C> void ExpectTabsWhole(TBitmap* Shot, C* Tabs) {
        const int turn = Tabs->GetTabPosition() == tpLeft ? 1 : Tabs->GetTabPosition() == tpRight ? -1 : 0;
        TskSkinUpDown* upDown = Tabs->GetUpDown();
        const int end = upDown && upDown->GetVisible() ? upDown->GetLeft() : Tabs->GetWidth();
        for (int i = 0; i < Tabs->GetTabCount(); ++i)
            if (const TRect r = Tabs->GetTabRect(i); !IsNullRect(r) && r.Right <= end)
                ExpectWhole(Shot, Tabs, Tabs->GetTabItem(i).Caption, Tabs->GetSkinDataName(), turn);
    }
};

TEST_F(ContainersDemo, WithTheProgramsSkin) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    Data = &skin;
    BuildAndCapture("containers-skinned.bmp");
}

TEST_F(ContainersDemo, WithoutAnySkin) {
    BuildAndCapture("containers-default.bmp");
}

} // namespace
