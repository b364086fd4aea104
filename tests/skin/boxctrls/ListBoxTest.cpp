// The skinned list box on a real native list: its layout and heights, the skinned bars
// following the list both ways (past 65,535 rows too), wheel and Left/Right, items drawn
// by the container in the skin's look, the plain look and by OnDrawItem, the caption
// buttons, parts repainted on the program's skin; screenshots listboxes.bmp and
// listboxes_skin.bmp beside the test program.
#include "skin/boxctrls/SkinBoxCtrls_CheckListBoxes.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"

#include "tests/skin/boxctrls/ListSkinFixture.h"

namespace {

// Item states in the fixture picture, one flat colour each.
constexpr TColor kItem = kListItem;
constexpr TColor kActiveItem = kListActiveItem;
constexpr TColor kClient = kListClient;

class SkinListBox : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetBounds(0, 0, 600, 400);
        int picture = 0;
        Record = AddListRecord<TskDataSkinListBox>(Skin, "listbox", 200, picture);
    }
    TskSkinListBox* Filled(int Count, int Height = 120) {
        auto* list = Add<TskSkinListBox>(Form, 10, 10, 150, Height);
        AddNumberedItems(list->GetItems(), Count);
        Pump();
        return list;
    }

    TFixtureSkin Skin;
    TskDataSkinListBox* Record = nullptr;
};

TEST_F(SkinListBox, TheCaptionIsReadFromAForm) {
    TForm root(nullptr);
    ReadComponentText("object Root: TForm\n"
                      "  object List: TskSkinListBox\n"
                      "    Caption = 'Files'\n"
                      "    CaptionMode = True\n"
                      "  end\n"
                      "end\n",
                      &root);
    auto* list = dynamic_cast<TskSkinListBox*>(root.FindComponent("List"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCaption(), "Files");
    EXPECT_NE(WriteComponentText(&root).find("Caption = 'Files'"), AnsiString::npos);
}

TEST_F(SkinListBox, HeightsAndLayoutFollowTheSkinTheCaptionAndTheBars) {
    auto* plain = Filled(3);
    EXPECT_EQ(plain->CalcHeight(5), 5 * 20 + 4);
    EXPECT_EQ(plain->GetListBoxRect(), TRect(2, 2, 148, 118));
    plain->SetCaptionMode(true);
    EXPECT_EQ(plain->CalcHeight(5), 5 * 20 + 4 + 20);
    EXPECT_EQ(plain->GetListBoxRect(), TRect(2, 21, 148, 118));
    plain->SetRowCount(3);
    EXPECT_EQ(plain->GetHeight(), 3 * 20 + 4 + 20);
    EXPECT_EQ(plain->GetVScrollBar(), nullptr);

    auto* skinned = Filled(3);
    skinned->SetSkinData(Skin.Data.get());
    // The frame is 8 pixels high around its client area; items are as high as ItemRect.
    EXPECT_EQ(skinned->GetListBox()->GetItemHeight(), 16);
    EXPECT_EQ(skinned->CalcHeight(5), 8 + 5 * 16);
    EXPECT_EQ(skinned->GetListBoxRect(), TRect(4, 4, 146, 116));
    for (int i = 0; i < 20; ++i) skinned->GetItems()->Add("more");
    Pump();
    TskSkinScrollBar* bar = skinned->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetBoundsRect(), TRect(146 - bar->GetWidth(), 4, 146, 116));
    EXPECT_EQ(skinned->GetListBoxRect().Right, bar->GetLeft());
    EXPECT_EQ(skinned->CalcHeight(5), 8 + 5 * 16);
}

TEST_F(SkinListBox, TheVerticalBarFollowsTheListBothWaysPast65535Rows) {
    auto* list = Filled(70000);
    TskSkinScrollBar* bar = list->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetMax(), 69999);
    EXPECT_EQ(bar->GetPageSize(), list->GetListBox()->GetHeight() / 20);

    bar->SetPosition(69000);
    EXPECT_EQ(list->GetTopIndex(), 69000);
    list->SetTopIndex(100);
    EXPECT_EQ(bar->GetPosition(), 100);
    list->SetItemIndex(69990);
    EXPECT_GT(list->GetTopIndex(), 69900);
    EXPECT_EQ(bar->GetPosition(), list->GetTopIndex());
    TakeFocus(list->GetListBox());
    PostKey(list->GetListBox(), VK_HOME);
    EXPECT_EQ(list->GetTopIndex(), 0);
    EXPECT_EQ(bar->GetPosition(), 0);

    // Rows that fit need no bar; it is freed and the list takes its place.
    list->Clear();
    list->GetItems()->Add("one");
    EXPECT_EQ(list->GetVScrollBar(), nullptr);
    EXPECT_EQ(list->GetListBoxRect().Right, list->GetWidth() - 2);
}

TEST_F(SkinListBox, InColumnsTheBarLiesAlongTheBottomAndScrollsByColumns) {
    auto* list = Filled(60);
    list->SetColumns(3);
    list->SetHorizontalExtent(true);
    Pump();
    TskSkinScrollBar* bar = list->GetVScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetKind(), sbHorizontal);
    EXPECT_EQ(bar->GetBoundsRect(), TRect(1, 100, 149, 119));
    EXPECT_EQ(list->GetListBoxRect(), TRect(2, 2, 148, 100));
    EXPECT_EQ(list->GetHScrollBar(), nullptr);
    HWND wnd = list->GetListBox()->GetHandle();
    int min = 0, max = 0;
    GetScrollRange(wnd, SB_HORZ, &min, &max);
    EXPECT_EQ(bar->GetMax(), max);
    bar->SetPosition(2);
    EXPECT_EQ(GetScrollPos(wnd, SB_HORZ), 2);
    EXPECT_EQ(list->GetTopIndex(), 2 * (98 / 20));

    // As many rows as RowCount never need a bar.
    auto* fitted = Filled(10);
    fitted->SetRowCount(10);
    Pump();
    EXPECT_EQ(fitted->GetVScrollBar(), nullptr);
    EXPECT_EQ(fitted->GetHeight(), fitted->CalcHeight(10));
}

TEST_F(SkinListBox, TheWheelStepsALineAndLeftRightScrollTheWideText) {
    auto* list = Filled(40);
    const auto wheel = [&](int Delta) {
        SendMessageA(list->GetListBox()->GetHandle(), WM_MOUSEWHEEL,
                     MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(Delta))), 0);
    };
    wheel(-WHEEL_DELTA);
    wheel(-WHEEL_DELTA);
    EXPECT_EQ(list->GetTopIndex(), 2);
    EXPECT_EQ(list->GetVScrollBar()->GetPosition(), 2);
    wheel(WHEEL_DELTA);
    EXPECT_EQ(list->GetTopIndex(), 1);

    auto* wide = Filled(2);
    EXPECT_EQ(wide->GetHScrollBar(), nullptr);
    wide->GetItems()->Add(AnsiString(60, 'W'));
    wide->SetHorizontalExtent(true);
    TskSkinScrollBar* hbar = wide->GetHScrollBar();
    ASSERT_NE(hbar, nullptr);
    const int step = hbar->GetSmallChange();
    EXPECT_GT(step, 0);
    PostKey(wide->GetListBox(), VK_RIGHT);
    PostKey(wide->GetListBox(), VK_RIGHT);
    EXPECT_EQ(wide->GetListBox()->HOffset, 2 * step);
    PostKey(wide->GetListBox(), VK_LEFT);
    EXPECT_EQ(wide->GetListBox()->HOffset, step);
    // Without a vertical bar the wheel scrolls the text sideways.
    wheel(0);
    SendMessageA(wide->GetListBox()->GetHandle(), WM_MOUSEWHEEL,
                 MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(wide->GetListBox()->HOffset, 2 * step);
    wide->SetHorizontalExtent(false);
    EXPECT_EQ(wide->GetHScrollBar(), nullptr);
    EXPECT_EQ(wide->GetListBox()->HOffset, 0);
}

TEST_F(SkinListBox, ItemsAreDrawnInTheSkinTheirStateOrThePlainLookOrByTheEvent) {
    auto* skinned = Filled(2);
    skinned->SetSkinData(Skin.Data.get());
    skinned->SetItemIndex(1);
    auto image = PaintToBitmap(skinned->GetListBox());
    // Item text starts 4 pixels in; its right end is still the item's picture.
    EXPECT_EQ(PixelOf(image.get(), 140, 2), ColorToRGB(kItem));
    EXPECT_EQ(PixelOf(image.get(), 140, 18), ColorToRGB(kActiveItem));
    EXPECT_EQ(PixelOf(image.get(), 70, 80), ColorToRGB(kClient));

    // A skin whose record is no list box record keeps the plain look.
    auto* plain = Filled(2);
    plain->SetItemIndex(0);
    image = PaintToBitmap(plain->GetListBox());
    EXPECT_EQ(PixelOf(image.get(), 140, 2), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(image.get(), 140, 22), ColorToRGB(clWindow));
    EXPECT_EQ(PixelOf(image.get(), 140, 90), ColorToRGB(clWindow));

    int drawn = 0;
    struct TPainter {
        int* Count;
        void Draw(TCanvas* Cnvs, int, int W, int H, const TRect&, TOwnerDrawState) {
            ++*Count;
            Cnvs->GetBrush()->SetColor(clLime);
            Cnvs->FillRect(TRect(0, 0, W, H));
        }
    } painter{&drawn};
    skinned->OnDrawItem = TskDrawSkinItemEvent(&painter, &TPainter::Draw);
    plain->OnDrawItem = TskDrawSkinItemEvent(&painter, &TPainter::Draw);
    image = PaintToBitmap(skinned->GetListBox());
    EXPECT_EQ(PixelOf(image.get(), 140, 18), ColorToRGB(clLime));
    image = PaintToBitmap(plain->GetListBox());
    EXPECT_EQ(PixelOf(image.get(), 140, 2), ColorToRGB(clLime));
    EXPECT_EQ(drawn, 4);

    // Each item's handler starts from a new canvas's pen and brush, whatever the one before
    // left behind.
    struct TCareless {
        std::vector<TColor> PenSeen;
        std::vector<TBrushStyle> BrushSeen;
        void Draw(TCanvas* Cnvs, int, int, int, const TRect&, TOwnerDrawState) {
            PenSeen.push_back(Cnvs->GetPen()->GetColor());
            BrushSeen.push_back(Cnvs->GetBrush()->GetStyle());
            Cnvs->GetPen()->SetColor(clRed);
            Cnvs->GetBrush()->SetStyle(bsCross);
        }
    } careless;
    plain->OnDrawItem = TskDrawSkinItemEvent(&careless, &TCareless::Draw);
    PaintToBitmap(plain->GetListBox());
    EXPECT_EQ(careless.PenSeen, std::vector<TColor>(2, clBlack));
    EXPECT_EQ(careless.BrushSeen, std::vector<TBrushStyle>(2, bsSolid));
}

TEST_F(SkinListBox, ARecordWithoutStatePicturesOrClientAreaStillDraws) {
    Record->ActiveItemRect = TRect();
    Record->ClRect = TRect();
    auto* list = Filled(2);
    list->SetSkinData(Skin.Data.get());
    list->SetItemIndex(1);
    auto image = PaintToBitmap(list->GetListBox());
    EXPECT_EQ(PixelOf(image.get(), 40, 18), ColorToRGB(kItem));
    // Nothing to tile below the items: the window colour.
    EXPECT_EQ(PixelOf(image.get(), 20, 36), ColorToRGB(clWindow));

    // Without item pictures the items take the plain look and the default height.
    Record->ItemRect = TRect();
    auto* plain = Filled(2);
    plain->SetSkinData(Skin.Data.get());
    plain->SetItemIndex(0);
    EXPECT_EQ(plain->GetListBox()->GetItemHeight(), 20);
    image = PaintToBitmap(plain->GetListBox());
    EXPECT_EQ(PixelOf(image.get(), 30, 2), ColorToRGB(clHighlight));

    auto* empty = Filled(0);
    empty->SetSkinData(Skin.Data.get());
    EXPECT_EQ(empty->GetVScrollBar(), nullptr);
    EXPECT_EQ(empty->GetHScrollBar(), nullptr);
}

TEST_F(SkinListBox, CaptionButtonsStepTheSelectionRepeatWhileHeldOrFireTheirEvents) {
    auto* list = Filled(10, 150);
    list->SetCaptionMode(true);
    list->SetItemIndex(3);
    Pump();
    const TRect down = list->GetButtonRect(1);
    ASSERT_FALSE(IsNullRect(down));
    const int x = down.Left + 3, y = down.Top + 3;
    MouseDown(list, x, y);
    // The first tick only ends the wait; each later one steps.
    SendMessageA(list->GetHandle(), WM_TIMER, 1, 0);
    EXPECT_EQ(list->GetItemIndex(), 3);
    SendMessageA(list->GetHandle(), WM_TIMER, 1, 0);
    EXPECT_EQ(list->GetItemIndex(), 4);
    MouseUp(list, x, y);
    EXPECT_EQ(list->GetItemIndex(), 5);

    int clicks = 0;
    struct TCounter {
        int* Count;
        void Click(TObject*) { ++*Count; }
    } counter{&clicks};
    list->OnUpButtonClick = TNotifyEvent(&counter, &TCounter::Click);
    const TRect up = list->GetButtonRect(0);
    MouseDown(list, up.Left + 3, up.Top + 3);
    MouseUp(list, up.Left + 3, up.Top + 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->GetItemIndex(), 5);
}

TEST_F(SkinListBox, HeldCaptionStepsStopAtTheLastItemAndAReleaseOffTheButtonDoesNothing) {
    auto* list = Filled(4, 150);
    list->SetCaptionMode(true);
    list->SetItemIndex(2);
    Pump();
    HWND wnd = list->GetHandle();
    const TRect down = list->GetButtonRect(1);
    PointerDown(list->ClientToScreen(TPoint(down.Left + 4, down.Top + 4)));
    // A pressed caption button holds the mouse.
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == wnd; }));
    for (int tick = 0; tick < 4; ++tick) SendMessageA(wnd, WM_TIMER, 1, 0);
    EXPECT_EQ(list->GetItemIndex(), 3);
    Release();
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() != wnd; }));
    EXPECT_EQ(list->GetItemIndex(), 3);

    // Pressed on the up button, the pointer taken away, released elsewhere: no step.
    const TRect up = list->GetButtonRect(0);
    PointerDown(list->ClientToScreen(TPoint(up.Left + 4, up.Top + 4)));
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() == wnd; }));
    PointerTo(list->ClientToScreen(TPoint(20, 100)));
    ASSERT_TRUE(PumpUntil([&] {
        POINT p;
        GetCursorPos(&p);
        return list->ScreenToClient(TPoint(p.x, p.y)).Y == 100;
    }));
    Release();
    ASSERT_TRUE(PumpUntil([&] { return GetCapture() != wnd; }));
    EXPECT_EQ(list->GetItemIndex(), 3);

    // With its own event assigned a button only clicks: no timer steps it.
    int clicks = 0;
    list->OnDownButtonClick = TNotifyEvent::FromCallable([&clicks](TObject*) { ++clicks; });
    list->SetItemIndex(0);
    MouseDown(list, down.Left + 4, down.Top + 4);
    for (int tick = 0; tick < 3; ++tick) SendMessageA(wnd, WM_TIMER, 1, 0);
    MouseUp(list, down.Left + 4, down.Top + 4);
    EXPECT_EQ(list->GetItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SkinListBox, PlainCaptionButtonsAreRingedIdleLitWhenHotAndDarkerWhenPressed) {
    auto* list = Filled(4, 150);
    list->SetCaptionMode(true);
    Pump();
    const TRect r = list->GetButtonRect(0);
    // Inside the ring, clear of the arrow in the middle.
    const auto fill = [&] { return PixelOf(PaintToBitmap(list).get(), r.Left + 2, r.Top + 2); };
    const auto ring = [&] { return PixelOf(PaintToBitmap(list).get(), r.Left, r.Top + 5); };
    EXPECT_EQ(fill(), ColorToRGB(clBtnFace));
    EXPECT_EQ(ring(), ColorToRGB(clBtnShadow));
    MouseMove(list, r.Left + 4, r.Top + 4);
    EXPECT_EQ(fill(), ColorToRGB(0xD2BDB6));
    EXPECT_EQ(ring(), ColorToRGB(clNavy));
    MouseDown(list, r.Left + 4, r.Top + 4);
    EXPECT_EQ(fill(), ColorToRGB(0xB59385));
    MouseUp(list, r.Left + 4, r.Top + 4);
}

// The pixels of Area of Wnd's client area painted over in a colour no skin uses, then
// repainted alone, as the system asks when a window uncovers that part.
void RepaintAlone(HWND Wnd, const TRect& Area) {
    const RECT r{Area.Left, Area.Top, Area.Right, Area.Bottom};
    HDC dc = GetDC(Wnd);
    HBRUSH marker = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &r, marker);
    DeleteObject(marker);
    ReleaseDC(Wnd, dc);
    RedrawWindow(Wnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

TEST_F(SkinListBox, APartRepaintedShowsThePixelsOfAFullRepaint) {
    TskSkinData skin(nullptr);
    skin.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(skin.Empty);
    auto* many = Filled(30);
    many->SetItemIndex(2);
    auto* columns = Add<TskSkinListBox>(Form, 170, 10, 150, 120);
    AddNumberedItems(columns->GetItems(), 9);
    columns->SetColumns(2);
    auto* checks = Add<TskSkinCheckListBox>(Form, 10, 150, 150, 200);
    checks->SetSkinDataName("captionlistbox");
    checks->SetCaption("Checks");
    checks->SetCaptionMode(true);
    AddNumberedItems(checks->GetItems(), 30);
    checks->SetChecked(1, true);
    checks->SetItemIndex(1);
    std::vector<TskSkinCustomListBox*> lists = {many, columns, checks};
    for (TskSkinCustomListBox* list : lists)
        list->SetSkinData(&skin);
    // The program's skin tiles one colour below the rows: a tile with a corner of another
    // shows where each tile lands.
    Skin.Fill(Record->PictureIndex, TRect(4, 4, 20, 12), clRed);
    auto* tiled = Add<TskSkinListBox>(Form, 170, 150, 150, 200);
    AddNumberedItems(tiled->GetItems(), 3);
    tiled->SetSkinData(Skin.Data.get());
    lists.push_back(tiled);
    Pump();
    const auto full = CaptureWindow(Form->GetHandle());
    full->SaveToFile(ExeDir() + "listboxes_skin.bmp");
    for (std::size_t i = 0; i < lists.size(); ++i) {
        TskSkinCustomListBox* list = lists[i];
        // The rows, the tiles below and between them, and the caption band with its buttons.
        const int w = list->GetListBox()->GetWidth(), h = list->GetListBox()->GetHeight();
        for (const TRect& area : {TRect(0, 0, w, h), TRect(7, 30, w - 9, h - 5),
                                  TRect(w / 2, 3, w / 2 + 1, h - 1), TRect(3, h - 17, 41, h - 2)})
            RepaintAlone(list->GetListBox()->GetHandle(), area);
        RepaintAlone(list->GetHandle(), TRect(0, 0, list->GetWidth(), 30));
        const auto shot = ScreenShot(Form->GetHandle());
        EXPECT_EQ(DifferingPixels(full.get(), shot.get()), 0) << "list " << i;
    }
}

TEST_F(SkinListBox, Screenshot) {
    auto* skinned = Filled(30, 150);
    skinned->SetSkinData(Skin.Data.get());
    skinned->SetItemIndex(2);
    auto* plain = Add<TskSkinListBox>(Form, 200, 10, 150, 150);
    plain->SetCaption("Plain");
    plain->SetCaptionMode(true);
    for (int i = 0; i < 30; ++i) plain->GetItems()->Add("plain item " + IntToStr(i));
    plain->SetItemIndex(1);
    auto* wide = Add<TskSkinListBox>(Form, 380, 10, 150, 150);
    wide->SetHorizontalExtent(true);
    for (int i = 0; i < 30; ++i) wide->GetItems()->Add("a rather long item text " + IntToStr(i));
    Pump();
    auto shot = CaptureWindow(Form->GetHandle());
    shot->SaveToFile(ExeDir() + "listboxes.bmp");
    ASSERT_NE(wide->GetHScrollBar(), nullptr);
    EXPECT_NE(wide->GetVScrollBar(), nullptr);
}

} // namespace
