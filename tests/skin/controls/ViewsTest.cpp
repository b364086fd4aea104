// Skinned tree and list views on the real native controls: no native bars, the skinned
// bars following the native scroll state and scrolling the view, the header painted
// from the skin and pressed only off its dividers; the image list's greyed drawing.
#include "skin/controls/SkinCtrls_Views.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

class SkinViews : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        VBar = Add<TskSkinScrollBar>(Form, 300, 10, 19, 150);
        VBar->SetKind(sbVertical);
        HBar = Add<TskSkinScrollBar>(Form, 10, 200, 200, 19);
    }
    // Native bars or a border take room from the client area.
    static bool HasNativeBars(TWinControl* View) {
        RECT client{};
        ::GetClientRect(View->GetHandle(), &client);
        return client.right != View->GetWidth() || client.bottom != View->GetHeight();
    }

    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
};

TEST_F(SkinViews, TheTreeViewsBarsFollowTheNativeScrollStateBothWays) {
    auto* tree = Add<TskSkinTreeView>(Form, 10, 10, 150, 120);
    tree->SetVScrollBar(VBar);
    tree->SetHScrollBar(HBar);
    tree->AddChild(nullptr, "one");
    tree->AddChild(nullptr, "two");
    tree->UpDateScrollBars();
    EXPECT_FALSE(VBar->GetVisible());
    EXPECT_FALSE(HBar->GetBoth());

    for (int i = 0; i < 60; ++i) tree->AddChild(nullptr, "node " + std::to_string(i));
    Pump();
    tree->UpDateScrollBars();
    EXPECT_FALSE(HasNativeBars(tree));
    ASSERT_TRUE(VBar->GetVisible());
    int min = 0, max = 0;
    GetScrollRange(tree->GetHandle(), SB_VERT, &min, &max);
    EXPECT_EQ(VBar->GetMax(), max);
    EXPECT_EQ(VBar->GetPageSize(), SendMessageA(tree->GetHandle(), TVM_GETVISIBLECOUNT, 0, 0));
    EXPECT_TRUE(HBar->GetBoth());

    // The bar scrolls the view; the view's own scrolling moves the bar without an event.
    VBar->SetPosition(20);
    EXPECT_EQ(GetScrollPos(tree->GetHandle(), SB_VERT), 20);
    SendMessageA(tree->GetHandle(), WM_VSCROLL, SB_TOP, 0);
    tree->UpDateScrollBars();
    EXPECT_EQ(VBar->GetPosition(), 0);
}

TEST_F(SkinViews, TheListViewScrollsByRowsAndHidesTheVerticalBarAsAList) {
    auto* list = Add<TskSkinListView>(Form, 10, 10, 200, 150);
    list->SetViewStyle(vsReport);
    list->AddColumn({"Name", 120, taLeftJustify, -1});
    list->SetVScrollBar(VBar);
    list->SetHScrollBar(HBar);
    for (int i = 0; i < 40; ++i) list->AddItem("item " + std::to_string(i));
    Pump();
    list->UpDateScrollBars();
    EXPECT_FALSE(HasNativeBars(list));
    ASSERT_TRUE(VBar->GetVisible());
    VBar->SetPosition(5);
    EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETTOPINDEX, 0, 0), 5);

    list->SetViewStyle(vsList);
    list->UpDateScrollBars();
    EXPECT_FALSE(VBar->GetVisible());

    // A freed image list is let go of by the window too, which would otherwise draw with a
    // destroyed handle.
    auto* images = new TImageList(Form);
    images->GetHandle();
    list->SetSmallImages(images);
    EXPECT_NE(SendMessageA(list->GetHandle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    delete images;
    EXPECT_EQ(SendMessageA(list->GetHandle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

// The program poisons freed memory: a bar calling a freed view crashes it.
TEST_F(SkinViews, AViewLetsGoOfTheBarsItDroveWhenFreedOrGivenOthers) {
    for (bool tree : {true, false}) {
        TWinControl* view = nullptr;
        TskViewSkin* skin = nullptr;
        if (tree) {
            auto* v = Add<TskSkinTreeView>(Form, 10, 10, 150, 120);
            for (int i = 0; i < 60; ++i) v->AddChild(nullptr, "node " + std::to_string(i));
            view = v;
            skin = v;
        } else {
            auto* v = Add<TskSkinListView>(Form, 10, 10, 150, 120);
            v->SetViewStyle(vsReport);
            v->AddColumn({"Name", 300, taLeftJustify, -1});
            for (int i = 0; i < 60; ++i) v->AddItem("item " + std::to_string(i));
            view = v;
            skin = v;
        }
        skin->SetVScrollBar(VBar);
        skin->SetHScrollBar(HBar);
        Pump();
        skin->UpDateScrollBars();
        ASSERT_TRUE(VBar->OnChange.Assigned());

        // Given other bars, the view no longer answers the old ones.
        auto* otherV = Add<TskSkinScrollBar>(Form, 330, 10, 19, 150);
        otherV->SetKind(sbVertical);
        auto* otherH = Add<TskSkinScrollBar>(Form, 10, 230, 200, 19);
        skin->SetVScrollBar(otherV);
        skin->SetHScrollBar(otherH);
        EXPECT_FALSE(VBar->OnChange.Assigned());
        EXPECT_FALSE(HBar->OnChange.Assigned());
        EXPECT_TRUE(otherV->OnChange.Assigned());

        // Freed before its bars, the view leaves them harmless.
        delete view;
        EXPECT_FALSE(otherV->OnChange.Assigned());
        EXPECT_FALSE(otherH->OnChange.Assigned());
        otherV->SetRange(0, 100, 0, 10);
        otherV->SetPosition(30);
        otherH->SetRange(0, 100, 0, 10);
        otherH->SetPosition(30);
        delete otherV;
        delete otherH;
    }
}

TEST_F(SkinViews, TheHeaderIsPaintedFromTheSkinAndPressedOffItsDividers) {
    TFixtureSkin skin;
    const int pic = skin.AddPicture(80, 20);
    skin.Fill(pic, TRect(0, 0, 40, 20), clLime);
    skin.Fill(pic, TRect(40, 0, 80, 20), clBlue);
    auto* record = skin.AddFramed<TskDataSkinButtonControl>("resizebutton", pic, TRect(0, 0, 40, 20));
    record->LBPoint = TPoint();
    record->RBPoint = TPoint();
    record->DownSkinRect = TRect(40, 0, 80, 20);
    skin.Add<TskDataSkinListView>("listview");
    auto* list = Add<TskSkinListView>(Form, 10, 10, 250, 150);
    list->SetViewStyle(vsReport);
    list->AddColumn({"", 100, taLeftJustify, -1});
    list->AddColumn({"", 80, taLeftJustify, -1});
    // A section narrower than its text margins, with no caption.
    list->AddColumn({"", 4, taLeftJustify, -1});
    list->SetSkinData(skin.Data.get());
    Pump();
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list->GetHandle(), LVM_GETHEADER, 0, 0));
    ASSERT_EQ(list->GetHeaderHandle(), header);
    auto paint = [header] {
        auto picture = std::make_unique<TBitmap>(250, 20);
        SendMessageA(header, WM_PAINT, reinterpret_cast<WPARAM>(picture->GetCanvas()->GetHandle()), 0);
        return picture;
    };
    auto normal = paint();
    EXPECT_EQ(PixelOf(normal.get(), 50, 3), static_cast<COLORREF>(clLime));
    // Past the last section the skin fills the rest.
    EXPECT_EQ(PixelOf(normal.get(), 220, 3), static_cast<COLORREF>(clLime));

    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
    EXPECT_EQ(list->GetHotSection(), 0);
    EXPECT_TRUE(list->GetSectionPressed());
    auto pressed = paint();
    EXPECT_EQ(PixelOf(pressed.get(), 50, 3), static_cast<COLORREF>(clBlue));
    EXPECT_EQ(PixelOf(pressed.get(), 150, 3), static_cast<COLORREF>(clLime));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(50, 5));
    EXPECT_FALSE(list->GetSectionPressed());

    // On a divider the press resizes: nothing looks pressed.
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
    EXPECT_FALSE(list->GetSectionPressed());
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
}

TEST(ImageList, DrawsImagesPlainOrGreyed) {
    TImageList images(nullptr);
    TBitmap red(16, 16);
    red.GetCanvas()->GetBrush()->SetColor(clRed);
    red.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    ASSERT_EQ(images.AddMasked(&red, clFuchsia), 0);
    EXPECT_EQ(images.GetCount(), 1);
    TBitmap target(40, 20);
    target.SetPixelFormat(pf24bit);
    target.GetCanvas()->GetBrush()->SetColor(clWhite);
    target.GetCanvas()->FillRect(TRect(0, 0, 40, 20));
    images.Draw(target.GetCanvas(), 0, 0, 0);
    images.Draw(target.GetCanvas(), 20, 0, 0, false);
    images.Draw(target.GetCanvas(), 20, 0, 5); // outside the list: nothing
    EXPECT_EQ(PixelOf(&target, 8, 8), static_cast<COLORREF>(clRed));
    EXPECT_NE(PixelOf(&target, 28, 8), static_cast<COLORREF>(clRed));
    EXPECT_NE(PixelOf(&target, 28, 8), ColorToRGB(clWhite));
}

} // namespace
