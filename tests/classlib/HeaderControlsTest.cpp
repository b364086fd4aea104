// The header control on the system's own header: its sections become the window's items and
// follow every change, a person's click and divider drag reach the sections, owner-drawn
// sections are drawn by the control, and the sections travel through form resources.
#include "classlib/HeaderControls.h"

#include "classlib/FormLoader.h"
#include "classlib/FormText.h"

#include "tests/support/GuiTestSupport.h"

#include <string>
#include <vector>

namespace {

class HeaderControls : public ShownFormTest {
protected:
    THeaderControl* NewHeader() {
        auto* header = new THeaderControl(Form);
        header->SetParent(Form);
        for (const char* text : {"Name", "Size", "Type"}) {
            THeaderSection* section = header->GetSections()->Add();
            section->SetText(text);
            section->SetWidth(100);
        }
        return header;
    }
    static int ItemCount(THeaderControl* Header) {
        return static_cast<int>(SendMessageA(Header->GetHandle(), HDM_GETITEMCOUNT, 0, 0));
    }
    static RECT ItemRect(THeaderControl* Header, int Index) {
        RECT r{};
        SendMessageA(Header->GetHandle(), HDM_GETITEMRECT, static_cast<WPARAM>(Index),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    static std::string ItemText(THeaderControl* Header, int Index) {
        char text[64] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(Header->GetHandle(), HDM_GETITEMA, static_cast<WPARAM>(Index),
                     reinterpret_cast<LPARAM>(&item));
        return text;
    }
    TPoint OnScreen(THeaderControl* Header, int X, int Y) {
        return Header->ClientToScreen(TPoint(X, Y));
    }
};

TEST_F(HeaderControls, TheWindowFollowsTheSections) {
    THeaderControl* header = NewHeader();
    ASSERT_EQ(ItemCount(header), 3);
    EXPECT_EQ(ItemText(header, 1), "Size");
    EXPECT_EQ(ItemRect(header, 1).left, 100);
    EXPECT_EQ(ItemRect(header, 1).right, 200);

    header->GetSections()->GetItem(1)->SetWidth(60);
    header->GetSections()->GetItem(2)->SetText("Kind");
    EXPECT_EQ(ItemRect(header, 2).left, 160);
    EXPECT_EQ(ItemText(header, 2), "Kind");
    header->GetSections()->Delete(0);
    ASSERT_EQ(ItemCount(header), 2);
    EXPECT_EQ(ItemText(header, 0), "Size");

    // The window made again takes every section as it is.
    header->SetStyle(hsFlat);
    EXPECT_EQ(GetWindowLongA(header->GetHandle(), GWL_STYLE) & HDS_BUTTONS, 0);
    ASSERT_EQ(ItemCount(header), 2);
    EXPECT_EQ(ItemRect(header, 1).right, 160);
    // A negative width is no width.
    header->GetSections()->GetItem(0)->SetWidth(-5);
    EXPECT_EQ(header->GetSections()->GetItem(0)->GetWidth(), 0);
}

TEST_F(HeaderControls, APersonsClickAndDividerDragReachTheSections) {
    THeaderControl* header = NewHeader();
    std::vector<std::string> clicked;
    std::vector<std::string> resized;
    header->OnSectionClick = TSectionNotifyEvent::FromCallable(
        [&](THeaderControl*, THeaderSection* Section) { clicked.push_back(Section->GetText()); });
    header->OnSectionResize = TSectionNotifyEvent::FromCallable(
        [&](THeaderControl*, THeaderSection* Section) { resized.push_back(Section->GetText()); });
    Pump();

    const TPoint size = OnScreen(header, 150, 8);
    PointerTo(size);
    PointerDown(size);
    PointerUp(size);
    ASSERT_TRUE(PumpUntil([&] { return !clicked.empty(); }));
    EXPECT_EQ(clicked, std::vector<std::string>{"Size"});

    // The divider between "Size" and "Type", dragged 40 pixels to the right.
    const TPoint divider = OnScreen(header, 200, 8);
    PointerTo(divider);
    PointerDown(divider);
    for (int dx = 10; dx <= 40; dx += 10) PointerTo(TPoint(divider.X + dx, divider.Y));
    PointerUp(TPoint(divider.X + 40, divider.Y));
    ASSERT_TRUE(PumpUntil([&] { return header->GetSections()->GetItem(1)->GetWidth() == 140; }))
        << header->GetSections()->GetItem(1)->GetWidth();
    ASSERT_FALSE(resized.empty());
    EXPECT_EQ(resized.back(), "Size");
    // A drag is no click.
    EXPECT_EQ(clicked.size(), 1u);
    // The width set by the program again tells no one.
    resized.clear();
    header->GetSections()->GetItem(1)->SetWidth(90);
    EXPECT_TRUE(resized.empty());
    EXPECT_EQ(ItemRect(header, 1).right, 190);
    PointerTo(OnScreen(header, 0, 200));
}

TEST_F(HeaderControls, OwnerDrawnSectionsAreDrawnByTheControl) {
    THeaderControl* header = NewHeader();
    header->GetSections()->GetItem(1)->SetStyle(hsOwnerDraw);
    std::vector<TRect> drawn;
    header->OnDrawSection = TDrawSectionEvent::FromCallable(
        [&](THeaderControl* Header, THeaderSection*, const TRect& Rect, bool) {
            drawn.push_back(Rect);
            Header->GetCanvas()->GetBrush()->SetColor(clLime);
            Header->GetCanvas()->FillRect(Rect);
        });
    auto shot = CaptureWindow(header->GetHandle());
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn.back().Left, 100);
    EXPECT_EQ(drawn.back().Right, 200);
    EXPECT_EQ(PixelOf(shot.get(), 150, 8), static_cast<COLORREF>(clLime));
    EXPECT_NE(PixelOf(shot.get(), 50, 8), static_cast<COLORREF>(clLime));
}

TEST_F(HeaderControls, TheSectionsTravelThroughFormResources) {
    THeaderControl* header = NewHeader();
    header->SetName("HDR_Files");
    header->GetSections()->GetItem(2)->SetAlignment(taRightJustify);
    header->GetSections()->GetItem(2)->SetImageIndex(3);
    header->SetDragReorder(true);
    const AnsiString text = WriteComponentText(Form);

    TForm read(nullptr);
    ReadComponentText(text, &read, "TForm");
    auto* copy = dynamic_cast<THeaderControl*>(read.FindComponent("HDR_Files"));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetSections()->GetCount(), 3);
    EXPECT_EQ(copy->GetSections()->GetItem(1)->GetText(), "Size");
    EXPECT_EQ(copy->GetSections()->GetItem(2)->GetAlignment(), taRightJustify);
    EXPECT_EQ(copy->GetSections()->GetItem(2)->GetImageIndex(), 3);
    EXPECT_TRUE(copy->GetDragReorder());
}

TEST_F(HeaderControls, AFreedImageListIsLetGoOf) {
    THeaderControl* header = NewHeader();
    auto* images = new TImageList(Form);
    header->SetImages(images);
    header->GetSections()->GetItem(0)->SetImageIndex(0);
    EXPECT_NE(SendMessageA(header->GetHandle(), HDM_GETIMAGELIST, 0, 0), 0);
    delete images;
    EXPECT_EQ(header->GetImages(), nullptr);
    EXPECT_EQ(SendMessageA(header->GetHandle(), HDM_GETIMAGELIST, 0, 0), 0);
    CaptureWindow(header->GetHandle());
}

} // namespace
