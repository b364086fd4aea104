// The tab and page controls on the system's real tab control: tabs follow the pages that
// show one, the user's click selects a page (and may be refused), sheets fill the page
// area, pages stream in page order, and a control that paints itself is painted by itself
// even over child windows.
#include "classlib/Tabs.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Forms.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

class TabsTest : public ShownFormTest {
protected:
    TTabSheet* AddPage(TPageControl* Pages, const char* Caption) {
        auto* page = new TTabSheet(Form);
        page->SetCaption(Caption);
        page->SetPageControl(Pages);
        return page;
    }
    // A person's click on tab Index, At pixels in from its left end: the pointer moved there
    // and the left button pressed and released by the system's mouse input. True once Done
    // holds.
    bool ClickTab(TCustomTabControl* Tabs, int Index, int At, const std::function<bool()>& Done) {
        const TRect r = Tabs->GetTabRect(Index);
        const TPoint at = Tabs->ClientToScreen(TPoint(r.Left + At, (r.Top + r.Bottom) / 2));
        SetCursorPos(at.X, at.Y);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            Pump();
            if (Done()) return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return false;
    }
    std::vector<std::string> Log;
};

TEST_F(TabsTest, TabsFollowThePagesThatShowOneAndTheActivePageFillsThePageArea) {
    auto* pages = Add<TPageControl>(Form, 10, 10, 300, 200);
    TTabSheet* first = AddPage(pages, "First");
    TTabSheet* hidden = AddPage(pages, "Hidden");
    TTabSheet* third = AddPage(pages, "Third");
    Pump();
    // The first page that shows a tab becomes active by itself.
    EXPECT_EQ(pages->GetActivePage(), first);
    EXPECT_TRUE(first->GetVisible());
    EXPECT_FALSE(third->GetVisible());

    hidden->SetTabVisible(false);
    EXPECT_EQ(pages->GetTabCount(), 2);
    EXPECT_EQ(third->GetPageIndex(), 2);
    EXPECT_EQ(third->GetTabIndex(), 1);
    EXPECT_EQ(hidden->GetTabIndex(), -1);
    EXPECT_EQ(pages->PageOfTab(1), third);
    EXPECT_EQ(pages->GetTabItem(1).Caption, "Third");

    pages->SetActivePage(third);
    EXPECT_EQ(pages->GetTabIndex(), 1);
    EXPECT_TRUE(third->GetVisible());
    EXPECT_FALSE(first->GetVisible());
    EXPECT_EQ(third->GetBoundsRect(), pages->GetDisplayRect());

    // A caption change shows on its tab; a moved page moves its tab.
    third->SetCaption("Last");
    EXPECT_EQ(pages->GetTabItem(1).Caption, "Last");
    third->SetPageIndex(0);
    EXPECT_EQ(pages->GetTabItem(0).Caption, "Last");
    EXPECT_EQ(pages->GetTabIndex(), 0);

    // The active page goes: the next one that shows a tab takes its place.
    delete third;
    EXPECT_EQ(pages->GetActivePage(), first);
    EXPECT_EQ(pages->GetTabCount(), 1);
    EXPECT_EQ(pages->GetTabIndex(), 0);
    EXPECT_TRUE(first->GetVisible());

    // A sheet of another page control is not this one's page.
    auto* other = Add<TPageControl>(Form, 320, 10, 100, 100);
    TTabSheet* foreign = AddPage(other, "Foreign");
    pages->SetActivePage(foreign);
    EXPECT_EQ(pages->GetActivePage(), first);
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TabsTest, AUsersClickSelectsAPageUnlessOnChangingRefuses) {
    auto* pages = Add<TPageControl>(Form, 10, 10, 300, 200);
    TTabSheet* one = AddPage(pages, "One");
    TTabSheet* two = AddPage(pages, "Two");
    bool allow = false;
    pages->OnChanging = TTabChangingEvent::FromCallable([&](TObject*, bool& Allow) {
        Log.push_back("changing");
        Allow = allow;
    });
    pages->OnChange = TNotifyEvent::FromCallable([&](TObject*) { Log.push_back("change"); });
    Pump();

    ASSERT_TRUE(ClickTab(pages, 1, 4, [&] { return !Log.empty(); }));
    Pump();
    EXPECT_EQ(Log, std::vector<std::string>{"changing"});
    EXPECT_EQ(pages->GetActivePage(), one);
    EXPECT_EQ(pages->GetTabIndex(), 0);

    allow = true;
    Log.clear();
    // Far enough from the first click not to make a double click of the two.
    ASSERT_TRUE(ClickTab(pages, 1, 20, [&] { return Log.size() == 2; }));
    EXPECT_EQ(Log, (std::vector<std::string>{"changing", "change"}));
    EXPECT_EQ(pages->GetActivePage(), two);
    EXPECT_TRUE(two->GetVisible());
    EXPECT_FALSE(one->GetVisible());
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TabsTest, TheTabControlShowsItsTextsAndKeepsThemAcrossANewWindow) {
    auto* tabs = Add<TTabControl>(Form, 10, 10, 300, 120);
    tabs->GetTabs()->Add("Alpha");
    tabs->GetTabs()->Add("Beta");
    tabs->SetTabIndex(1);
    Pump();
    EXPECT_EQ(SendMessageA(tabs->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 2);
    const TRect first = tabs->GetTabRect(0);
    EXPECT_EQ(tabs->IndexOfTabAt((first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2), 0);

    // A side position makes the window anew, wrapping the tabs into rows.
    tabs->SetTabPosition(tpLeft);
    EXPECT_TRUE(tabs->GetMultiLine());
    EXPECT_EQ(SendMessageA(tabs->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(tabs->GetTabIndex(), 1);
    EXPECT_GT(tabs->GetDisplayRect().Left, tabs->GetTabRect(0).Left);

    tabs->GetTabs()->Delete(0);
    EXPECT_EQ(tabs->GetTabCount(), 1);
    EXPECT_EQ(tabs->GetTabItem(0).Caption, "Beta");
    EXPECT_TRUE(Errors.empty());
}

TEST_F(TabsTest, PagesStreamInPageOrderWithTheirActivePage) {
    auto* pages = Add<TPageControl>(Form, 10, 10, 300, 200);
    pages->SetName("Pages");
    TTabSheet* a = AddPage(pages, "A");
    TTabSheet* b = AddPage(pages, "B");
    TTabSheet* c = AddPage(pages, "C");
    a->SetName("SheetA");
    b->SetName("SheetB");
    c->SetName("SheetC");
    c->SetPageIndex(0);
    b->SetTabVisible(false);
    pages->SetActivePage(a);
    const AnsiString text = WriteComponentText(Form);

    TForm copy(nullptr);
    ReadComponentText(text, &copy);
    auto* read = dynamic_cast<TPageControl*>(copy.FindComponent("Pages"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->GetPageCount(), 3);
    EXPECT_EQ(read->GetPage(0)->GetName(), "SheetC");
    EXPECT_EQ(read->GetPage(1)->GetName(), "SheetA");
    EXPECT_FALSE(read->GetPage(2)->GetTabVisible());
    EXPECT_EQ(read->GetActivePage(), read->GetPage(1));
    EXPECT_EQ(read->GetTabCount(), 2);

    // A sheet outside a page control is a damaged resource; the error names the sheet.
    const AnsiString stray = "object F: TForm\n  object Stray: TTabSheet\n  end\nend\n";
    TForm broken(nullptr);
    try {
        ReadComponentText(stray, &broken);
        ADD_FAILURE() << "a stray sheet was read";
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.Message()).find("Stray"), std::string::npos) << e.Message();
    }
}

// A page control that draws all of itself, as the skinned one does.
class TOwnPaintPages : public TPageControl {
public:
    explicit TOwnPaintPages(TComponent* AOwner) : TPageControl(AOwner) {
        TControlStyle style = GetControlStyle();
        style.Include(csOwnPaint);
        SetControlStyle(style);
    }
    void PaintWindow(HDC DC) override {
        ++Paints;
        RECT all{0, 0, GetWidth(), GetHeight()};
        HBRUSH brush = CreateSolidBrush(RGB(0, 160, 0));
        FillRect(DC, &all, brush);
        DeleteObject(brush);
    }
    int Paints = 0;
};

TEST_F(TabsTest, AControlThatPaintsItselfIsPaintedByItselfAlsoWithChildWindows) {
    auto* pages = Add<TOwnPaintPages>(Form, 10, 10, 200, 150);
    AddPage(pages, "Sheet");
    Pump();
    pages->Paints = 0;
    RedrawWindow(pages->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(pages->Paints, 0);
    // Its own look on the screen, beside the sheet.
    std::unique_ptr<TBitmap> shot = ScreenShot(pages->GetHandle());
    const TRect tab = pages->GetTabRect(0);
    EXPECT_EQ(PixelOf(shot.get(), tab.Right + 5, 2), RGB(0, 160, 0));
}

} // namespace
