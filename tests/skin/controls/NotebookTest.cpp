// The skinned notebook: its pages as a string list (adding, inserting, deleting, clearing,
// moving), exactly one page shown after every change, the page buttons stacked above and
// below the shown page and clicked with the real mouse, pages streamed through form
// resources, the windows of hidden pages, and the look from flat-colour fixture skins.
#include "skin/controls/SkinCtrls_Notebooks.h"

#include "classlib/Exceptions.h"
#include "classlib/FormLoader.h"
#include "classlib/Panels.h"

#include "tests/support/UserInput.h"
#include "tests/skin/controls/SkinFixture.h"

namespace {

const TColor kFrame = clNavy, kClient = clYellow, kPage = clLime, kButton = clAqua;

class Notebook : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Book = Add<TskSkinNotebook>(Form, 10, 10, 200, 200);
        Book->OnPageChanged = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
    }

    // Captions Captions, page 0 shown.
    void Fill(std::initializer_list<const char*> Captions) {
        Book->GetPages()->Clear();
        for (const char* caption : Captions) Book->GetPages()->Add(caption);
        Book->SetPageIndex(0);
        Changes = 0;
    }

    int VisiblePages() const {
        int visible = 0;
        for (int i = 0; i < Book->GetPageCount(); ++i)
            if (Book->GetPage(i)->GetVisible()) ++visible;
        return visible;
    }

    // Shown exactly: page Index alone, or none for -1.
    void ExpectShown(int Index) const {
        EXPECT_EQ(Book->GetPageIndex(), Index);
        EXPECT_EQ(VisiblePages(), Index == -1 ? 0 : 1);
        if (Index != -1) {
            EXPECT_TRUE(Book->GetPage(Index)->GetVisible());
        }
    }

    TskSkinNotebook* Book = nullptr;
    int Changes = 0;
};

TEST_F(Notebook, ANewNotebookShowsItsOnePageDefault) {
    ASSERT_EQ(Book->GetPageCount(), 1);
    EXPECT_EQ(Book->GetPages()->Get(0), "Default");
    EXPECT_EQ(Book->GetActivePage(), "Default");
    ExpectShown(0);
    EXPECT_EQ(Book->GetPage(0)->GetAlign(), alClient);
    EXPECT_EQ(Book->GetPage(0)->GetBoundsRect(), TRect(1, 1, 199, 199));
}

TEST_F(Notebook, AddedAndInsertedPagesAreShownAndCaptionsSelectPages) {
    TStrings* pages = Book->GetPages();
    EXPECT_EQ(pages->Add("Two"), 1);
    ExpectShown(1);
    pages->Insert(0, "Zero");
    ExpectShown(0);
    EXPECT_EQ(pages->GetCommaText(), "Zero,Default,Two");
    EXPECT_EQ(Changes, 2);
    pages->Put(1, "One");
    EXPECT_EQ(pages->Get(1), "One");
    Book->SetActivePage("Two");
    ExpectShown(2);
    Book->SetActivePage("Nowhere");
    ExpectShown(2);
    Book->SetPageIndex(7);
    Book->SetPageIndex(-1);
    ExpectShown(2);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(pages->GetObject(2), Book->GetPage(2));
    EXPECT_THROW(pages->Get(3), EListError);
}

TEST_F(Notebook, AfterEveryDeleteExactlyPageZeroIsShown) {
    Fill({"A", "B", "C", "D"});
    Book->SetPageIndex(2);
    Book->GetPages()->Delete(2);
    ExpectShown(0);
    EXPECT_EQ(Book->GetPages()->GetCommaText(), "A,B,D");
    Book->SetPageIndex(1);
    // The shown page's index stays 0 while page 0 goes: its successor is shown.
    Book->SetPageIndex(0);
    Book->GetPages()->Delete(0);
    ExpectShown(0);
    EXPECT_EQ(Book->GetActivePage(), "B");
    Book->GetPages()->Delete(1);
    Book->GetPages()->Delete(0);
    ExpectShown(-1);
    EXPECT_EQ(Book->GetActivePage(), "");
    // A page freed by the program goes the same way.
    Fill({"A", "B"});
    Book->SetPageIndex(1);
    delete Book->GetPage(1);
    ExpectShown(0);
    EXPECT_EQ(Book->GetPageCount(), 1);
}

TEST_F(Notebook, ClearingLeavesNoIndexAndNoButtons) {
    Fill({"A", "B", "C"});
    Book->SetButtonsMode(true);
    Book->SetPageIndex(2);
    Book->GetPages()->Clear();
    ExpectShown(-1);
    EXPECT_EQ(Book->GetButtonCount(), 0);
    EXPECT_EQ(Book->GetControlCount(), 0);
    Book->SetPageIndex(0);
    ExpectShown(-1);
    Book->GetPages()->Add("New");
    ExpectShown(0);
    EXPECT_EQ(Book->GetButtonCount(), 1);
}

TEST_F(Notebook, MovingAPageMovesThePageWithWhatItHolds) {
    Fill({"A", "B", "C", "D"});
    TskSkinPage* b = Book->GetPage(1);
    auto* held = Add<TskSkinPanel>(b, 5, 5, 40, 40);
    Book->SetPageIndex(1);
    Book->GetPages()->Move(1, 3);
    EXPECT_EQ(Book->GetPages()->GetCommaText(), "A,C,D,B");
    EXPECT_EQ(Book->GetPage(3), b);
    EXPECT_EQ(held->GetParent(), b);
    ExpectShown(3);
    Book->GetPages()->Exchange(0, 3);
    EXPECT_EQ(Book->GetPages()->GetCommaText(), "B,C,D,A");
    EXPECT_EQ(Book->GetPage(0), b);
    ExpectShown(0);
}

// Button i stands above the shown page when i <= Shown, below it otherwise, each stack
// in page order.
void ExpectStacks(TskSkinNotebook* Book, int Shown) {
    const TRect page = Book->GetPage(Shown)->GetBoundsRect();
    for (int i = 0; i < Book->GetButtonCount(); ++i) {
        TskPageButton* button = Book->GetButton(i);
        EXPECT_EQ(button->GetPageIndex(), i);
        EXPECT_EQ(button->GetCaption(), Book->GetPages()->Get(i));
        if (i <= Shown) {
            EXPECT_LE(button->GetTop() + button->GetHeight(), page.Top) << "button " << i;
        } else {
            EXPECT_GE(button->GetTop(), page.Bottom) << "button " << i;
        }
        // Within a stack, each button follows the one before.
        if (i > 0 && (i <= Shown) == (i - 1 <= Shown)) {
            EXPECT_EQ(Book->GetButton(i - 1)->GetTop() + 25, button->GetTop()) << "button " << i;
        }
    }
}

TEST_F(Notebook, PageButtonsStackAboveAndBelowTheShownPageInPageOrder) {
    Fill({"A", "B", "C", "D"});
    Book->SetButtonsMode(true);
    ASSERT_EQ(Book->GetButtonCount(), 4);
    EXPECT_EQ(Book->GetButton(0)->GetSkinDataName(), "toolbutton");
    Book->SetPageIndex(2);
    ExpectStacks(Book, 2);
    EXPECT_EQ(Book->GetPage(2)->GetBoundsRect(), TRect(1, 76, 199, 174));
    Book->SetPageIndex(0);
    ExpectStacks(Book, 0);
    Book->SetPageIndex(3);
    ExpectStacks(Book, 3);
    Book->SetButtonsMode(false);
    EXPECT_EQ(Book->GetButtonCount(), 0);
    EXPECT_EQ(Book->GetPage(3)->GetBoundsRect(), TRect(1, 1, 199, 199));
}

TEST_F(Notebook, ClickingAPageButtonShowsItsPage) {
    Fill({"A", "B", "C", "D"});
    Book->SetButtonsMode(true);
    TskPageButton* last = Book->GetButton(3);
    ClickAt(Book, last->GetLeft() + 20, last->GetTop() + 10);
    ASSERT_TRUE(PumpUntil([&] { return Book->GetPageIndex() == 3; }));
    ExpectShown(3);
    EXPECT_EQ(Changes, 1);
    ExpectStacks(Book, 3);
    // A handler that rebuilds the buttons while one is being clicked.
    Book->OnPageChanged = TNotifyEvent::FromCallable([this](TObject*) { Book->SetButtonsMode(true); });
    TskPageButton* first = Book->GetButton(0);
    ClickAt(Book, first->GetLeft() + 20, first->GetTop() + 10);
    ASSERT_TRUE(PumpUntil([&] { return Book->GetPageIndex() == 0; }));
    ExpectStacks(Book, 0);
}

TEST_F(Notebook, AButtonOnAPageTakesAPersonsClickAndTheEmptyPageLetsItThrough) {
    auto* button = Add<TskSkinSpeedButton>(Book->GetPage(0), 10, 10, 60, 25);
    int clicks = 0;
    button->OnClick = TNotifyEvent::FromCallable([&](TObject*) { ++clicks; });
    int bookPresses = 0;
    Book->OnMouseDown = TMouseEvent::FromCallable(
        [&](TObject*, TMouseButton, TShiftState, int, int) { ++bookPresses; });
    ClickAt(Book->GetPage(0), 20, 20);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
    EXPECT_EQ(bookPresses, 0);
    ClickAt(Book->GetPage(0), 120, 120);
    EXPECT_TRUE(PumpUntil([&] { return bookPresses == 1; }));
    EXPECT_EQ(clicks, 1);
}

TEST_F(Notebook, ButtonsFollowCaptionsAndImages) {
    Fill({"A", "B"});
    auto* images = new TImageList(Form);
    TBitmap strip(32, 16);
    strip.GetCanvas()->GetBrush()->SetColor(clRed);
    strip.GetCanvas()->FillRect(TRect(0, 0, 32, 16));
    images->AddMasked(&strip, clFuchsia);
    Book->SetImages(images);
    Book->GetPage(1)->SetImageIndex(1);
    Book->SetButtonsMode(true);
    EXPECT_TRUE(Book->GetButton(0)->GetGlyph()->GetEmpty());
    EXPECT_EQ(Book->GetButton(1)->GetGlyph()->GetWidth(), 16);
    Book->GetPages()->Put(0, "First");
    EXPECT_EQ(Book->GetButton(0)->GetCaption(), "First");
    // An index beyond the list gives no glyph.
    Book->GetPage(1)->SetImageIndex(5);
    EXPECT_TRUE(Book->GetButton(1)->GetGlyph()->GetEmpty());
    delete images;
    EXPECT_EQ(Book->GetImages(), nullptr);
}

TEST_F(Notebook, HiddenPagesGetTheirWindowsAndStayHidden) {
    // Made away from the form, only the page shown when it is placed gets its window.
    delete Book;
    Book = new TskSkinNotebook(Form);
    Book->GetPages()->Add("B");
    Book->GetPages()->Add("C");
    Book->SetPageIndex(0);
    auto* child = Add<TskSkinPanel>(Book->GetPage(2), 3, 4, 20, 20);
    child->SetAnchors(TAnchors{akRight, akBottom});
    Book->SetParent(Form);
    EXPECT_TRUE(Book->GetPage(0)->HandleAllocated());
    EXPECT_FALSE(Book->GetPage(2)->HandleAllocated());
    NotebookHandlesNeeded(Book);
    NotebookHandlesNeeded(nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(Book->GetPage(i)->HandleAllocated()) << i;
    EXPECT_FALSE(IsWindowVisible(Book->GetPage(2)->GetHandle()));
    EXPECT_EQ(child->GetBoundsRect(), TRect(3, 4, 23, 24));
    ExpectShown(0);
    // A hidden page's controls get their windows when it shows, where they were placed.
    Book->SetPageIndex(2);
    ASSERT_TRUE(child->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(child->GetHandle()));
    EXPECT_EQ(child->GetBoundsRect(), TRect(3, 4, 23, 24));
    RECT placed{};
    GetWindowRect(child->GetHandle(), &placed);
    MapWindowPoints(nullptr, Book->GetPage(2)->GetHandle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(TRect(placed.left, placed.top, placed.right, placed.bottom), TRect(3, 4, 23, 24));
}

// ---- Form resources --------------------------------------------------------------------------

class TBookForm : public TForm {
    DECLARE_CLASS(TBookForm, TForm)
public:
    TBookForm() : TForm(nullptr) {}
    static void Published(TPropertyList& P) { P.Method("PageChanged", &TBookForm::PageChanged); }
    void PageChanged(TObject*) { ++Changes; }
    int Changes = 0;
};

const char* const kBookForm = "object Books: TBookForm\r\n"
                              "  object NB_Pages: TskSkinNotebook\r\n"
                              "    Left = 10\r\n"
                              "    Width = 200\r\n"
                              "    Height = 180\r\n"
                              "    PageIndex = 1\r\n"
                              "    ButtonsMode = True\r\n"
                              "    OnPageChanged = PageChanged\r\n"
                              "    object PG_First: TskSkinPage\r\n"
                              "      Caption = 'First'\r\n"
                              "      object PN_One: TskSkinPanel\r\n"
                              "        Left = 4\r\n"
                              "      end\r\n"
                              "    end\r\n"
                              "    object TskSkinPage\r\n"
                              "      Caption = 'Second'\r\n"
                              "      ImageIndex = 2\r\n"
                              "      object PN_Two: TskSkinPanel\r\n"
                              "        Left = 8\r\n"
                              "      end\r\n"
                              "    end\r\n"
                              "    object PG_Third: TskSkinPage\r\n"
                              "      Caption = 'Third'\r\n"
                              "    end\r\n"
                              "  end\r\n"
                              "end\r\n";

int PagesIn(TComponent* Owner) {
    int pages = 0;
    for (int i = 0; i < Owner->GetComponentCount(); ++i)
        if (dynamic_cast<TskSkinPage*>(Owner->GetComponent(i))) ++pages;
    return pages;
}

TEST(NotebookResource, PagesTravelAsChildrenAndNoDefaultPageSurvives) {
    TBookForm form;
    ReadComponentText(kBookForm, &form);
    auto* book = dynamic_cast<TskSkinNotebook*>(form.FindComponent("NB_Pages"));
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->GetPages()->GetCommaText(), "First,Second,Third");
    EXPECT_EQ(book->GetPageIndex(), 1);
    EXPECT_EQ(book->GetActivePage(), "Second");
    EXPECT_EQ(book->GetButtonCount(), 3);
    EXPECT_EQ(book->GetControlCount(), 6) << "three pages and three buttons, no orphan";
    EXPECT_EQ(PagesIn(book) + PagesIn(&form), 3);
    EXPECT_EQ(book->GetPage(1)->GetImageIndex(), 2);
    EXPECT_TRUE(book->GetPage(1)->GetVisible());
    EXPECT_FALSE(book->GetPage(0)->GetVisible());
    EXPECT_EQ(form.FindComponent("PN_Two")->ClassType(), TskSkinPanel::StaticClass());
    EXPECT_EQ(static_cast<TControl*>(form.FindComponent("PN_Two"))->GetParent(), book->GetPage(1));
    EXPECT_EQ(form.Changes, 0);

    const AnsiString text = WriteComponentText(&form);
    EXPECT_EQ(text.find("TskPageButton"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Visible"), AnsiString::npos) << text;
    TBookForm copy;
    ReadComponentText(text, &copy);
    EXPECT_EQ(WriteComponentText(&copy), text);
    auto* read = dynamic_cast<TskSkinNotebook*>(copy.FindComponent("NB_Pages"));
    ASSERT_NE(read, nullptr);
    // Loaded, the handler runs for a switch by the program.
    read->SetPageIndex(2);
    EXPECT_EQ(copy.Changes, 1);
}

TEST(NotebookResource, AnIndexNamingNoPageShowsNone) {
    AnsiString text = kBookForm;
    text.replace(text.find("PageIndex = 1"), 13, "PageIndex = 5");
    TBookForm form;
    ReadComponentText(text, &form);
    auto* book = dynamic_cast<TskSkinNotebook*>(form.FindComponent("NB_Pages"));
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->GetPageIndex(), -1);
    for (int i = 0; i < book->GetPageCount(); ++i) EXPECT_FALSE(book->GetPage(i)->GetVisible());
}

TEST(NotebookResource, AChildThatIsNoPageAndADamagedPageAreRefusedNamingTheNotebook) {
    AnsiString stray = kBookForm;
    stray.insert(stray.find("    object PG_Third"), "    object BT_Stray: TskSkinPanel\r\n    end\r\n");
    TBookForm form;
    try {
        ReadComponentText(stray, &form);
        ADD_FAILURE() << "a panel was read as a page";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find("NB_Pages"), AnsiString::npos) << E.Message();
    }
    AnsiString damaged = kBookForm;
    damaged.replace(damaged.find("ImageIndex = 2"), 14, "ImageIndex = 'two'");
    TBookForm other;
    try {
        ReadComponentText(damaged, &other);
        ADD_FAILURE() << "a damaged page was read";
    } catch (const EReadError& E) {
        EXPECT_NE(E.Message().find("Page 1 of NB_Pages"), AnsiString::npos) << E.Message();
        EXPECT_NE(E.Message().find("ImageIndex"), AnsiString::npos) << E.Message();
    }
}

// ---- Looks -----------------------------------------------------------------------------------

class NotebookLook : public Notebook {
protected:
    void SetUp() override {
        Notebook::SetUp();
        Pic = Skin.AddPicture(120, 40);
        Skin.Fill(Pic, TRect(0, 0, 40, 40), kFrame);
        Skin.Fill(Pic, TRect(2, 2, 38, 38), kClient);
        Skin.Fill(Pic, TRect(40, 0, 80, 40), kPage);
        Skin.Fill(Pic, TRect(80, 0, 120, 40), kButton);
        Skin.AddFramed<TskDataSkinPanelControl>("panel", Pic, TRect(0, 0, 40, 40));
        Skin.AddFramed<TskDataSkinPanelControl>("page", Pic, TRect(40, 0, 80, 40));
        Skin.AddFramed<TskDataSkinButtonControl>("toolbutton", Pic, TRect(80, 0, 120, 40));
    }

    TFixtureSkin Skin;
    int Pic = 0;
};

TEST_F(NotebookLook, TheShownPageAndTheButtonsPaintFromTheirRecords) {
    Fill({"A", "B", "C"});
    for (int i = 0; i < 3; ++i) Book->GetPage(i)->SetSkinDataName("page");
    Book->SetButtonsMode(true);
    Book->SetSkinData(Skin.Data.get());
    Book->SetPageIndex(1);
    auto shot = CaptureWindow(Book->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), ColorToRGB(kFrame));
    EXPECT_EQ(PixelOf(shot.get(), 100, 100), ColorToRGB(kPage));
    // The buttons' faces above and below the page.
    EXPECT_EQ(PixelOf(shot.get(), 20, 14), ColorToRGB(kButton));
    EXPECT_EQ(PixelOf(shot.get(), 20, 186), ColorToRGB(kButton));
    // Without its record the page paints the default face.
    Book->GetPage(1)->SetSkinDataName("nothing");
    shot = CaptureWindow(Book->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 100, 100), ColorToRGB(clBtnFace));
}

TEST_F(NotebookLook, AMaskedNotebookKeepsItsWindowRegionThroughResizesAndSkinChanges) {
    const int mask = Skin.AddPicture(40, 40);
    Skin.Fill(mask, TRect(0, 0, 40, 40), clBlack);
    Skin.Data->CtrlList[0]->MaskPictureIndex = mask;
    Book->SetSkinData(Skin.Data.get());
    for (int size : {150, 170, 190}) {
        Book->SetBounds(10, 10, size, size);
        Book->BeforeChangeSkinData();
        Book->ChangeSkinData();
        HRGN probe = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetWindowRgn(Book->GetHandle(), probe), SIMPLEREGION) << size;
        RECT box;
        GetRgnBox(probe, &box);
        EXPECT_EQ(box.right, size);
        DeleteObject(probe);
    }
    Pump();
    EXPECT_TRUE(Errors.empty());
}

// ---- Showing a control on a page -------------------------------------------------------------

// A red panel on Page, hidden; its window shows on the screen only once its page does.
TPanel* HiddenRedPanel(TskSkinPage* Page) {
    auto* panel = new TPanel(Page);
    panel->SetBounds(20, 20, 40, 40);
    panel->SetColor(clRed);
    panel->SetBevelOuter(bvNone);
    panel->SetVisible(false);
    panel->SetParent(Page);
    return panel;
}

TEST_F(NotebookLook, AControlShownOnAHiddenPageBringsItsPageForward) {
    Fill({"A", "B", "C"});
    for (int i = 0; i < 3; ++i) Book->GetPage(i)->SetSkinDataName("page");
    Book->SetSkinData(Skin.Data.get());
    TPanel* panel = HiddenRedPanel(Book->GetPage(2));
    panel->Show();
    ExpectShown(2);
    EXPECT_EQ(Changes, 1);
    ASSERT_TRUE(panel->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(panel->GetHandle()));
    auto shot = CaptureWindow(Book->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 1 + 40, 1 + 40), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(shot.get(), 100, 100), ColorToRGB(kPage));
    // Shown again from another page, the control brings its page back.
    Book->SetPageIndex(0);
    panel->Show();
    ExpectShown(2);
    // Visible alone keeps the page: the library shows its own scroll bars and pages that way.
    Book->SetPageIndex(1);
    panel->Hide();
    panel->SetVisible(true);
    ExpectShown(1);
}

TEST_F(Notebook, AControlShownInsideNestedNotebooksBringsEveryPageAroundItForward) {
    Fill({"A", "B"});
    auto* inner = Add<TskSkinNotebook>(Book->GetPage(1), 5, 5, 150, 150);
    inner->GetPages()->Add("Inner");
    inner->SetPageIndex(0);
    TPanel* panel = HiddenRedPanel(inner->GetPage(1));
    panel->Show();
    ExpectShown(1);
    EXPECT_EQ(inner->GetPageIndex(), 1);
    ASSERT_TRUE(panel->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(panel->GetHandle()));
    // A page-change handler that frees the notebooks, and the control with them, ends the
    // asking there.
    inner->SetPageIndex(0);
    panel->Hide();
    inner->OnPageChanged = TNotifyEvent::FromCallable([&](TObject*) {
        delete Book;
        Book = nullptr;
    });
    panel->Show();
    EXPECT_EQ(Book, nullptr);
    EXPECT_TRUE(Errors.empty());
}

} // namespace
