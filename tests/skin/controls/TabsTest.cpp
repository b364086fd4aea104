// Skinned page and tab controls on the system's real tab control: the page area fitted
// into the skin's frame (measured against the system's own page area), every part painted
// from the record on a flat-colour fixture skin, the user's clicks and hover, the skinned
// up-down of an overflowing strip, tabs on all four sides, pages read from a form resource,
// the relay of a skin change, and the records that name what the skin lacks; screenshots
// tabs-skinned.bmp and tabs-default.bmp beside the test program.
#include "skin/controls/SkinTabs.h"
#include "skin/form/SkinRelay.h"

#include "classlib/Buttons.h"
#include "classlib/FormLoader.h"

#include "tests/skin/controls/SkinFixture.h"

#include <sstream>
#include <string>

namespace {

const TColor kFrame = static_cast<TColor>(RGB(200, 0, 0));
const TColor kClient = static_cast<TColor>(RGB(0, 200, 0));
const TColor kTab = static_cast<TColor>(RGB(0, 0, 200));
const TColor kActive = static_cast<TColor>(RGB(200, 200, 0));
const TColor kFocus = static_cast<TColor>(RGB(0, 200, 200));
const TColor kHot = static_cast<TColor>(RGB(200, 0, 200));
const TColor kStrip = static_cast<TColor>(RGB(90, 90, 90));
const TColor kBackground = static_cast<TColor>(RGB(250, 150, 50));
const TColor kCapLeft = static_cast<TColor>(RGB(255, 128, 0));
const TColor kCapRight = static_cast<TColor>(RGB(0, 128, 255));

// A "tab" record with a 4-pixel frame around the page area and one flat colour per part.
struct TTabsSkin : TFixtureSkin {
    TTabsSkin() {
        Picture = AddPicture(200, 60);
        Fill(Picture, TRect(0, 0, 40, 40), kFrame);
        Fill(Picture, TRect(4, 4, 36, 36), kClient);
        Fill(Picture, TRect(40, 0, 70, 20), kTab);
        Fill(Picture, TRect(70, 0, 100, 20), kActive);
        Fill(Picture, TRect(100, 0, 130, 20), kFocus);
        Fill(Picture, TRect(130, 0, 160, 20), kHot);
        Fill(Picture, TRect(160, 0, 170, 10), kStrip);
        // A tab with caps of their own colours, to see how side tabs are turned.
        Fill(Picture, TRect(40, 30, 46, 50), kCapLeft);
        Fill(Picture, TRect(46, 30, 64, 50), kTab);
        Fill(Picture, TRect(64, 30, 70, 50), kCapRight);
        Background = AddPicture(8, 8);
        Fill(Background, TRect(0, 0, 8, 8), kBackground);
        Record = AddFramed<TskDataSkinTabControl>("tab", Picture, TRect(0, 0, 40, 40));
        Record->LTPoint = TPoint(4, 4);
        Record->RTPoint = TPoint(36, 4);
        Record->LBPoint = TPoint(4, 36);
        Record->RBPoint = TPoint(36, 36);
        Record->ClRect = TRect(4, 4, 36, 36);
        Record->TabRect = TRect(40, 0, 70, 20);
        Record->ActiveTabRect = TRect(70, 0, 100, 20);
        Record->FocusTabRect = TRect(100, 0, 130, 20);
        Record->MouseInTabRect = TRect(130, 0, 160, 20);
        Record->TabsBGRect = TRect(160, 0, 170, 10);
    }
    int Picture = 0;
    int Background = 0;
    TskDataSkinTabControl* Record = nullptr;
};

// The system control's own page area for the window's client rectangle.
TRect NativeDisplayRect(TWinControl* Control) {
    WNDCLASSA system{};
    GetClassInfoA(nullptr, WC_TABCONTROLA, &system);
    RECT r;
    ::GetClientRect(Control->GetHandle(), &r);
    CallWindowProcA(system.lpfnWndProc, Control->GetHandle(), TCM_ADJUSTRECT, FALSE,
                    reinterpret_cast<LPARAM>(&r));
    return {r.left, r.top, r.right, r.bottom};
}

TPoint Middle(const TRect& R) {
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

void PointAt(TWinControl* Control, TPoint P) {
    SendMouseInput(0, Control->ClientToScreen(P));
}
void ClickAt(TWinControl* Control, TPoint P) {
    const TPoint at = Control->ClientToScreen(P);
    SendMouseInput(0, at);
    SendMouseInput(MOUSEEVENTF_LEFTDOWN, at);
    SendMouseInput(MOUSEEVENTF_LEFTUP, at);
}

COLORREF ScreenPixel(TWinControl* Control, TPoint P) {
    return PixelOf(ScreenShot(Control->GetHandle()).get(), P.X, P.Y);
}

// Where the screen shows Control otherwise than a full redraw paints it; empty when nowhere.
std::string ScreenAgainstRepaint(TWinControl* Control) {
    std::unique_ptr<TBitmap> shown = ScreenShot(Control->GetHandle());
    std::unique_ptr<TBitmap> full = CaptureWindow(Control->GetHandle());
    for (int y = 0; y < shown->GetHeight(); ++y)
        for (int x = 0; x < shown->GetWidth(); ++x)
            if (PixelOf(shown.get(), x, y) != PixelOf(full.get(), x, y)) {
                std::ostringstream at;
                at << "(" << x << "," << y << ")";
                return at.str();
            }
    return "";
}

class SkinTabs : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(50, 50, 560, 460);
        Pump();
    }
    TskSkinPageControl* AddPages(int Left, int Top, int Width, int Height,
                                 std::initializer_list<const char*> Captions) {
        auto* pages = Add<TskSkinPageControl>(Form, Left, Top, Width, Height);
        for (const char* caption : Captions) {
            auto* sheet = new TskSkinTabSheet(Form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(pages);
        }
        return pages;
    }
    TskSkinTabControl* AddTabs(int Left, int Top, int Width, int Height, int Count) {
        auto* tabs = Add<TskSkinTabControl>(Form, Left, Top, Width, Height);
        for (int i = 1; i <= Count; ++i) tabs->GetTabs()->Add("Tab " + std::to_string(i));
        tabs->SetTabIndex(0);
        return tabs;
    }

    TTabsSkin Skin;
};

TEST_F(SkinTabs, ThePageAreaFitsTheSkinsFrameOnEverySideAndBothWays) {
    for (TTabPosition position : {tpTop, tpBottom, tpLeft, tpRight}) {
        for (bool skinned : {false, true}) {
            SCOPED_TRACE(std::to_string(position) + (skinned ? " skinned" : " default"));
            TskSkinPageControl* pages = AddPages(10, 10, 300, 220, {"One", "Two"});
            pages->SetTabPosition(position);
            if (skinned) pages->SetSkinData(Skin.Data.get());
            Pump();
            const TRect client = pages->GetClientRect();
            const TRect native = NativeDisplayRect(pages);
            const TRect display = pages->GetDisplayRect();
            const int cw = client.Width(), ch = client.Height();
            TRect expected;
            if (!skinned) {
                switch (position) {
                case tpTop: expected = TRect(1, native.Top - 5, cw - 1, ch - 1); break;
                case tpBottom: expected = TRect(1, 1, cw - 1, native.Bottom + 3); break;
                case tpLeft: expected = TRect(native.Left - 3, native.Top - 5, cw - 1, ch - 1); break;
                case tpRight:
                    expected = TRect(native.Left - 3, native.Top - 5, native.Right + 3, ch - 1);
                    break;
                }
            } else {
                switch (position) {
                case tpTop: expected = TRect(4, 4 + native.Top - 6, cw - 4, ch - 4); break;
                case tpBottom: expected = TRect(4, 4 + native.Top - 6, cw - 4, native.Bottom); break;
                case tpLeft: expected = TRect(native.Left, 4 + native.Top - 6, cw - 4, ch - 4); break;
                case tpRight: expected = TRect(4, 4 + native.Top - 6, native.Right, ch - 4); break;
                }
            }
            // The system's side page areas start at its own frame; nothing leaves the client.
            expected = TRect(std::max(expected.Left, 0), std::max(expected.Top, 0),
                             std::min(expected.Right, cw), std::min(expected.Bottom, ch));
            EXPECT_EQ(display, expected);
            EXPECT_EQ(pages->GetActivePage()->GetBoundsRect(), display);

            // From the page area back to the window: the inverse of the correction.
            RECT back{display.Left, display.Top, display.Right, display.Bottom};
            SendMessageA(pages->GetHandle(), TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
            EXPECT_EQ(TRect(back.left, back.top, back.right, back.bottom), client);
            delete pages;
        }
    }
}

TEST_F(SkinTabs, EveryPartIsPaintedFromTheRecord) {
    TskSkinPageControl* pages = AddPages(10, 10, 300, 200, {"", ""});
    pages->SetSkinData(Skin.Data.get());
    Pump();
    EXPECT_EQ(pages->GetTabHeight(), 20);
    const TRect display = pages->GetDisplayRect();
    const TRect frame(display.Left - 4, display.Top - 4, display.Right + 4, display.Bottom + 4);
    const TRect selected = pages->GetTabRect(0), other = pages->GetTabRect(1);
    std::unique_ptr<TBitmap> image = PaintToBitmap(pages);
    EXPECT_EQ(PixelOf(image.get(), frame.Left + 1, Middle(frame).Y), ColorToRGB(kFrame));
    EXPECT_EQ(PixelOf(image.get(), Middle(frame).X, frame.Bottom - 2), ColorToRGB(kFrame));
    EXPECT_EQ(PixelOf(image.get(), Middle(display).X, Middle(display).Y), ColorToRGB(kClient));
    EXPECT_EQ(PixelOf(image.get(), pages->GetWidth() - 3, 2), ColorToRGB(kStrip));
    EXPECT_EQ(PixelOf(image.get(), selected.Left + 2, selected.Top + 2), ColorToRGB(kActive));
    EXPECT_EQ(PixelOf(image.get(), other.Left + 2, other.Top + 2), ColorToRGB(kTab));
    // The sheet shows the record's client part.
    std::unique_ptr<TBitmap> sheet = PaintToBitmap(pages->GetActivePage());
    EXPECT_EQ(PixelOf(sheet.get(), 3, 3), ColorToRGB(kClient));

    ASSERT_TRUE(TakeFocus(pages));
    image = PaintToBitmap(pages);
    EXPECT_EQ(PixelOf(image.get(), selected.Left + 2, selected.Top + 2), ColorToRGB(kFocus));

    // Without an active look the selected tab shows the normal one; a background picture
    // covers the sheets.
    Skin.Record->ActiveTabRect = TRect();
    Skin.Record->FocusTabRect = TRect();
    Skin.Record->BGPictureIndex = Skin.Background;
    pages->SetFocus();
    image = PaintToBitmap(pages);
    EXPECT_EQ(PixelOf(image.get(), selected.Left + 2, selected.Top + 2), ColorToRGB(kTab));
    sheet = PaintToBitmap(pages->GetActivePage());
    EXPECT_EQ(PixelOf(sheet.get(), 3, 3), ColorToRGB(kBackground));

    // The skin going leaves the default look.
    pages->SetSkinData(nullptr);
    EXPECT_EQ(pages->GetSkinIndex(), -1);
    EXPECT_EQ(pages->GetTabHeight(), 20);
    image = PaintToBitmap(pages);
    EXPECT_EQ(PixelOf(image.get(), pages->GetWidth() - 3, 2), ColorToRGB(clBtnFace));
}

TEST_F(SkinTabs, AClickSwitchesPagesAndTheHoveredTabLightsButNeverTheSelectedOne) {
    // A hidden page before the selected one: tabs and pages are numbered differently.
    TskSkinPageControl* pages = AddPages(10, 10, 300, 200, {"", "", ""});
    pages->SetSkinData(Skin.Data.get());
    pages->GetPage(0)->SetTabVisible(false);
    int changes = 0;
    pages->OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    Pump();
    ASSERT_EQ(pages->GetActivePage(), pages->GetPage(1));

    const TRect first = pages->GetTabRect(0), second = pages->GetTabRect(1);
    const TPoint inFirst(first.Left + 3, first.Top + 3), inSecond(second.Left + 3, second.Top + 3);
    ClickAt(pages, Middle(second));
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(pages->GetActivePage(), pages->GetPage(2));
    EXPECT_TRUE(pages->GetPage(2)->GetVisible());
    EXPECT_FALSE(pages->GetPage(1)->GetVisible());

    // The pointer rests on the selected tab: it keeps its selected look.
    PointAt(pages, inSecond);
    ASSERT_TRUE(PumpUntil([&] { return pages->GetHotTab() == 1; }));
    const COLORREF selectedLook = ScreenPixel(pages, inSecond);
    EXPECT_TRUE(selectedLook == ColorToRGB(kActive) || selectedLook == ColorToRGB(kFocus));
    EXPECT_EQ(ScreenPixel(pages, inFirst), ColorToRGB(kTab));

    // On the other tab it lights that one, and the screen shows what a full repaint does.
    PointAt(pages, inFirst);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(pages, inFirst) == ColorToRGB(kHot); }));
    EXPECT_EQ(ScreenPixel(pages, inSecond), selectedLook);
    EXPECT_EQ(ScreenAgainstRepaint(pages), "");

    // Leaving the control draws it normal again.
    PointAt(Form, TPoint(500, 400));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(pages, inFirst) == ColorToRGB(kTab); }));
    EXPECT_EQ(pages->GetHotTab(), -1);
}

TEST_F(SkinTabs, AnOverflowingStripScrollsWithTheSkinnedUpDown) {
    TskSkinTabControl* tabs = AddTabs(10, 10, 200, 100, 12);
    tabs->SetSkinData(Skin.Data.get());
    Pump();
    TskSkinUpDown* upDown = tabs->GetUpDown();
    ASSERT_NE(upDown, nullptr);
    EXPECT_TRUE(upDown->GetVisible());
    EXPECT_EQ(upDown->GetLeft() + upDown->GetWidth(), tabs->GetWidth());
    EXPECT_EQ(upDown->GetTop(), 0);
    EXPECT_EQ(upDown->GetPosition(), 0);
    EXPECT_GT(upDown->GetMax(), 0);
    // The system's own arrows stay, hidden and out of view.
    HWND arrows = FindWindowExA(tabs->GetHandle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    EXPECT_FALSE(IsWindowVisible(arrows));

    ClickAt(upDown, Middle(upDown->GetButtonRect(TskSkinStepButtons::sbUp)));
    ASSERT_TRUE(PumpUntil([&] { return tabs->GetPosition() == 1; }));
    EXPECT_EQ(upDown->GetPosition(), 1);
    EXPECT_LT(tabs->GetTabRect(0).Right, 1);
    EXPECT_GE(tabs->GetTabRect(1).Left, -2);
    EXPECT_EQ(ScreenAgainstRepaint(tabs), "");

    ClickAt(upDown, Middle(upDown->GetButtonRect(TskSkinStepButtons::sbDown)));
    ASSERT_TRUE(PumpUntil([&] { return tabs->GetPosition() == 0; }));
    EXPECT_GE(tabs->GetTabRect(0).Left, -2);

    // Laid out again, the system's arrows stay hidden; wide enough, the up-down goes.
    tabs->SetWidth(180);
    Pump();
    EXPECT_TRUE(IsWindow(arrows));
    EXPECT_FALSE(IsWindowVisible(arrows));
    tabs->SetWidth(900);
    Pump();
    EXPECT_EQ(tabs->GetUpDown(), nullptr);
    // Wrapped into rows, nothing is out of view.
    tabs->SetWidth(200);
    tabs->SetMultiLine(true);
    Pump();
    EXPECT_EQ(tabs->GetUpDown(), nullptr);
}

TEST_F(SkinTabs, SideTabsAreTurnedSoThatTheirTextReadsAlongThem) {
    Skin.Record->TabRect = Skin.Record->ActiveTabRect = Skin.Record->FocusTabRect =
        TRect(40, 30, 70, 50);
    Skin.Record->MouseInTabRect = TRect();
    Skin.Record->TabLeftOffset = 6;
    Skin.Record->TabRightOffset = 6;
    for (TTabPosition position : {tpLeft, tpRight}) {
        SCOPED_TRACE(std::to_string(position));
        TskSkinTabControl* tabs = AddTabs(10, 10, 300, 200, 2);
        tabs->SetTabPosition(position);
        tabs->SetSkinData(Skin.Data.get());
        Pump();
        const TRect r = tabs->GetTabRect(1);
        ASSERT_GT(r.Height(), 12);
        std::unique_ptr<TBitmap> image = PaintToBitmap(tabs);
        // The tab's left end lies at its bottom on the left (read upwards), at its top on
        // the right (read downwards).
        const COLORREF top = PixelOf(image.get(), Middle(r).X, r.Top + 2);
        const COLORREF bottom = PixelOf(image.get(), Middle(r).X, r.Bottom - 3);
        EXPECT_EQ(top, ColorToRGB(position == tpLeft ? kCapRight : kCapLeft));
        EXPECT_EQ(bottom, ColorToRGB(position == tpLeft ? kCapLeft : kCapRight));
        delete tabs;
    }
}

TEST_F(SkinTabs, RecordsNamingWhatTheSkinLacksGiveTheDefaultOrABlankLook) {
    TskSkinPageControl* pages = AddPages(10, 10, 300, 200, {"One", "Two"});
    TskSkinTabControl* tabs = AddTabs(10, 220, 300, 100, 2);
    // A background picture the skin does not have counts as none: the tab control's page
    // area is inset by the frame, the sheets show the client part.
    Skin.Record->BGPictureIndex = 9;
    pages->SetSkinData(Skin.Data.get());
    tabs->SetSkinData(Skin.Data.get());
    Pump();
    EXPECT_EQ(tabs->GetDisplayRect().Left, 4);
    EXPECT_EQ(PixelOf(PaintToBitmap(pages->GetActivePage()).get(), 3, 3), ColorToRGB(kClient));
    // A background picture it has: shown all over the tab control, no frame inset.
    Skin.Record->BGPictureIndex = Skin.Background;
    tabs->ChangeSkinData();
    EXPECT_EQ(tabs->GetDisplayRect().Left, 0);
    EXPECT_EQ(PixelOf(PaintToBitmap(tabs).get(), tabs->GetWidth() - 2, tabs->GetHeight() - 2),
              ColorToRGB(kBackground));

    // A tab picture outside the skin's picture: a blank tab.
    Skin.Record->BGPictureIndex = -1;
    Skin.Record->TabRect = TRect(150, 40, 260, 90);
    pages->ChangeSkinData();
    const TRect other = pages->GetTabRect(1);
    EXPECT_EQ(PixelOf(PaintToBitmap(pages).get(), other.Left + 2, other.Top + 2),
              ColorToRGB(clBtnFace));
    // Points outside the frame, or a picture the skin does not have: the default look.
    Skin.Record->TabRect = TRect(40, 0, 70, 20);
    Skin.Record->RBPoint = TPoint(60, 36);
    pages->ChangeSkinData();
    EXPECT_EQ(pages->GetSkinIndex(), -1);
    Skin.Record->RBPoint = TPoint(36, 36);
    Skin.Record->PictureIndex = 7;
    pages->ChangeSkinData();
    EXPECT_EQ(pages->GetSkinIndex(), -1);
    EXPECT_EQ(PixelOf(PaintToBitmap(pages).get(), pages->GetWidth() - 3, 2), ColorToRGB(clBtnFace));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinTabs, ASkinChangeReachesThePageAndTabControlsAndTheirUpDown) {
    TskSkinPageControl* pages = AddPages(10, 10, 300, 150, {"One", "Two"});
    // Three long tabs overflow the strip in the record's font.
    TskSkinTabControl* tabs = Add<TskSkinTabControl>(Form, 10, 200, 200, 100);
    for (const char* caption : {"The first tab", "The second tab", "The third tab"})
        tabs->GetTabs()->Add(caption);
    pages->SetSkinData(Skin.Data.get());
    tabs->SetSkinData(Skin.Data.get());
    Pump();
    ASSERT_NE(tabs->GetUpDown(), nullptr);
    // The relay reaches the up-down too; the tab control makes it anew first.
    RelaySkinChange(Form, Skin.Data.get(), [&] {
        Skin.Record->TabRect = TRect(40, 0, 70, 16);
        Skin.Record->ActiveTabRect = TRect(70, 0, 100, 16);
    });
    EXPECT_EQ(pages->GetTabHeight(), 16);
    EXPECT_EQ(tabs->GetTabHeight(), 16);
    ASSERT_NE(tabs->GetUpDown(), nullptr);
    EXPECT_TRUE(tabs->GetUpDown()->GetVisible());

    // A font so small that every tab fits: the up-down goes for good, and the relay passes
    // it over.
    RelaySkinChange(Form, Skin.Data.get(), [&] { Skin.Record->FontHeight = 1; });
    EXPECT_EQ(tabs->GetUpDown(), nullptr);
    EXPECT_TRUE(Errors.empty());
}

// The form of the page and tab controls read from its resource.
class TTabsForm : public TForm {
    DECLARE_CLASS(TTabsForm, TForm)
public:
    explicit TTabsForm(TComponent* AOwner = nullptr) : TForm(AOwner) {}
    static void Published(TPropertyList& P) {
        P.Field("PC_Pages", &TTabsForm::PC_Pages);
        P.Field("TC_Tabs", &TTabsForm::TC_Tabs);
        P.Field("BTN_OnSecond", &TTabsForm::BTN_OnSecond);
        P.Method("PagesChanged", &TTabsForm::PagesChanged);
    }
    void PagesChanged(TObject*) { ++Changes; }

    TskSkinPageControl* PC_Pages = nullptr;
    TskSkinTabControl* TC_Tabs = nullptr;
    TButton* BTN_OnSecond = nullptr;
    int Changes = 0;
};

TEST_F(SkinTabs, PagesAreReadFromAFormResourceAsThePageControlsChildren) {
    TTabsForm form;
    ReadComponentRes("TabsForm", &form);
    form.Show();
    Pump();
    TskSkinPageControl* pages = form.PC_Pages;
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->GetPageCount(), 3);
    EXPECT_EQ(pages->GetPage(0)->GetCaption(), "General");
    EXPECT_EQ(pages->GetPage(1)->GetCaption(), "Hidden");
    EXPECT_FALSE(pages->GetPage(1)->GetTabVisible());
    EXPECT_EQ(pages->GetActivePage(), pages->GetPage(2));
    EXPECT_EQ(pages->GetTabIndex(), 1);
    EXPECT_EQ(pages->GetTabPosition(), tpBottom);
    EXPECT_EQ(pages->GetTabHeight(), 24);
    EXPECT_EQ(form.BTN_OnSecond->GetParent(), pages->GetPage(2));
    EXPECT_TRUE(form.BTN_OnSecond->IsShowing());
    ASSERT_NE(form.TC_Tabs, nullptr);
    EXPECT_EQ(form.TC_Tabs->GetTabCount(), 3);
    EXPECT_EQ(form.TC_Tabs->GetTabIndex(), 2);

    // The user's click on the first tab fires the handler the resource names.
    ClickAt(pages, Middle(pages->GetTabRect(0)));
    ASSERT_TRUE(PumpUntil([&] { return form.Changes == 1; }));
    EXPECT_EQ(pages->GetActivePage(), pages->GetPage(0));
    EXPECT_FALSE(form.BTN_OnSecond->IsShowing());
}

// Tabs on all four sides and an overflowing strip with its up-down, for people to look at.
class TabsDemo : public SkinDemoTest {
protected:
    void BuildAndCapture(const char* FileName) {
        Form->SetBounds(20, 20, 660, 470);
        Form->SetColor(clBtnFace);
        const TTabPosition positions[] = {tpTop, tpBottom, tpLeft, tpRight};
        for (int i = 0; i < 4; ++i) {
            auto* pages = new TskSkinPageControl(Form);
            pages->SetParent(Form);
            pages->SetBounds(10 + (i % 2) * 320, 10 + (i / 2) * 190, 300, 180);
            pages->SetTabPosition(positions[i]);
            for (const char* caption : {"General", "Colours", "Pins"}) {
                auto* sheet = new TskSkinTabSheet(Form);
                sheet->SetCaption(caption);
                sheet->SetPageControl(pages);
            }
            auto* button = new TButton(Form);
            button->SetParent(pages->GetPage(0));
            button->SetBounds(12, 12, 90, 25);
            button->SetCaption("On the page");
            pages->SetSkinData(Data);
        }
        auto* strip = new TskSkinTabControl(Form);
        strip->SetParent(Form);
        strip->SetBounds(10, 390, 300, 40);
        for (int i = 1; i <= 10; ++i) strip->GetTabs()->Add("Page " + std::to_string(i));
        strip->SetTabIndex(1);
        strip->SetSkinData(Data);
        Pump();
        EXPECT_NE(strip->GetUpDown(), nullptr);
        Capture(FileName);
    }
};

TEST_F(TabsDemo, OnFourSidesAndScrolledSkinnedAndDefault) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    ASSERT_NE(skin.GetControlIndex("tab"), -1);
    Data = &skin;
    BuildAndCapture("tabs-skinned.bmp");
    delete Form;
    Form = new TForm(nullptr);
    Form->Show();
    Data = nullptr;
    BuildAndCapture("tabs-default.bmp");
}

} // namespace
