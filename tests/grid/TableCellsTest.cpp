// The cell components at work: text and heading painting on a memory canvas, key
// routing between the in-place editor and the table, and "CellData" names resolved in a
// second instance of a form.
#include "grid/gcltable.h"
#include "grid/gcltcedt.h"
#include "grid/gcltchdr.h"
#include "grid/gcltcstr.h"

#include "classlib/FormLoader.h"
#include "tests/support/GuiTestSupport.h"

#include <string>

namespace {

// The columns of Bitmap, left to right, that hold a pixel other than White.
std::pair<int, int> InkColumns(TBitmap* Bitmap, int Height) {
    int first = -1, last = -1;
    for (int x = 0; x < Bitmap->GetWidth(); ++x)
        for (int y = 0; y < Height; ++y)
            if (PixelOf(Bitmap, x, y) != ColorToRGB(clWhite)) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

struct TCellCanvas {
    TBitmap Bitmap{100, 40};
    TFont Font;
    TGclCellAttributes Attr;
    TCellCanvas() {
        Attr.Font = &Font;
        Attr.Color = clWhite;
        Attr.FontColor = clBlack;
        Attr.Access = otxReadOnly;
        Attr.Adjust = otaCenterLeft;
    }
};

} // namespace

TEST(TextCells, MarginsAlignmentAndOverlongTexts) {
    TCellCanvas c;
    TGclTCString cell(nullptr);
    cell.SetUseASCIIZStrings(true);
    cell.SetMargin(20);
    char wide[] = "%11111111";
    c.Attr.Adjust = otaCenterRight;
    cell.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 48, 40), 1, 1, c.Attr, wide);
    auto [first, last] = InkColumns(&c.Bitmap, 40);
    EXPECT_GE(first, 10); // an overlong text starts at the left margin
    EXPECT_LE(first, 12);
    EXPECT_LE(last, 37); // and is clipped at the right one
    // A null pointer paints the background only; so does an invisible cell.
    c.Bitmap.GetCanvas()->GetBrush()->SetColor(clBlack);
    c.Bitmap.GetCanvas()->FillRect(TRect(0, 0, 100, 40));
    cell.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 1, 1, c.Attr, nullptr);
    EXPECT_EQ(InkColumns(&c.Bitmap, 40).first, -1);
    c.Attr.Access = otxInvisible;
    cell.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 1, 1, c.Attr, wide);
    EXPECT_EQ(InkColumns(&c.Bitmap, 40).first, -1);
    // Short strings: a length byte, then the characters.
    c.Attr.Access = otxReadOnly;
    c.Attr.Adjust = otaCenterRight;
    TGclTCString shortCell(nullptr);
    shortCell.SetMargin(4);
    unsigned char text[] = {2, 'A', 'B', 'C'};
    shortCell.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 1, 1, c.Attr, text);
    auto [from, to] = InkColumns(&c.Bitmap, 40);
    EXPECT_GT(from, 60);
    EXPECT_LE(to, 98);
}

TEST(HeadingCells, HeadingsLettersAndEmptyCaptions) {
    TCellCanvas c;
    TGclTCColHead head(nullptr);
    for (const char* h : {"SS-LED", "Integer", "HEX", "String"}) head.GetHeadings()->Add(h);
    head.SetShowLetters(false);
    head.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 0, 0, c.Attr, nullptr);
    EXPECT_GE(InkColumns(&c.Bitmap, 40).first, 0);
    head.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 0, 4, c.Attr, nullptr); // no fifth heading
    EXPECT_EQ(InkColumns(&c.Bitmap, 40).first, -1);
    TGclTCRowHead rows(nullptr);
    rows.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 3, 0, c.Attr, nullptr); // "4"
    EXPECT_GE(InkColumns(&c.Bitmap, 40).first, 0);
    head.SetShowLetters(true);
    head.Paint(c.Bitmap.GetCanvas(), TRect(0, 0, 100, 40), 0, 0, c.Attr, nullptr); // "A"
    EXPECT_GE(InkColumns(&c.Bitmap, 40).first, 0);
}

namespace {

class EditingTable : public ShownFormTest {
protected:
    void Make() {
        T = new TGclTable(Form);
        T->SetLockedCols(0);
        T->SetLeftCol(0);
        T->SetActiveCol(0);
        T->SetColCount(3);
        T->SetBounds(0, 0, 300, 200);
        Cell = new TGclTCString(Form);
        Cell->SetUseASCIIZStrings(true);
        Cell->SetMaxLength(3);
        Cell->SetAutoAdvanceChar(true);
        for (int c = 0; c < 3; ++c) T->GetColumns()->SetDefaultCell(c, Cell);
        T->OnGetCellData = TCellDataNotifyEvent::FromCallable(
            [this](TObject*, int R, int C, void*& Data, TGclCellDataPurpose) {
                if (R < 10 && C < 3) Data = Values[R][C];
            });
        T->SetParent(Form);
        Pump();
        ASSERT_TRUE(TakeFocus(T));
    }
    TCustomEdit* Editor() { return dynamic_cast<TCustomEdit*>(Cell->GetCellEditor()); }

    TGclTable* T = nullptr;
    TGclTCString* Cell = nullptr;
    char Values[10][3][16] = {};
};

} // namespace

TEST_F(EditingTable, TypingAFullFieldAdvancesAndArrowsLeaveTheEditor) {
    Make();
    PostKey(T, VK_F2);
    ASSERT_NE(Editor(), nullptr);
    for (char ch : std::string("abc")) PostMessageA(Editor()->GetHandle(), WM_CHAR, ch, 1);
    Pump();
    // The third character fills the field: the key goes to the table, which saves and moves.
    EXPECT_STREQ(Values[1][0], "abc");
    EXPECT_EQ(T->GetActiveCol(), 1);
    PostKey(T, VK_F2);
    ASSERT_NE(Editor(), nullptr);
    Editor()->SetText("x");
    PostKey(Editor(), VK_DOWN); // the table would like Down: it gets it
    EXPECT_EQ(T->GetActiveRow(), 2);
    EXPECT_STREQ(Values[1][1], "x");
    EXPECT_FALSE(T->InEditingState());
    // A printable key opens the editor and reaches it.
    PostKey(T, 'Q');
    ASSERT_TRUE(T->InEditingState());
    EXPECT_EQ(Editor()->GetText(), "q");
}

TEST_F(EditingTable, AnOwnerRefusingToEndKeepsTheEditorAndTheActiveCell) {
    Make();
    T->OnEndEdit = TCellEndEditNotifyEvent::FromCallable(
        [](TObject*, TGclTableCellAncestor*, int, int, bool& AllowIt) { AllowIt = false; });
    ASSERT_TRUE(T->StartEditingState());
    Pump();
    PostKey(T, VK_DOWN);
    EXPECT_TRUE(T->InEditingState());
    EXPECT_EQ(T->GetActiveRow(), 1);
    T->OnEndEdit = nullptr;
    EXPECT_TRUE(T->StopEditingState(false));
}

TEST(CellNames, ResolveInASecondInstanceOfTheForm) {
    const char* text =
        "object FM_1: TForm\n"
        "  object T: TGclTable\n"
        "    CellData = ('FM.CS' 'Other.CS')\n"
        "  end\n"
        "  object CS: TGclTCString\n"
        "  end\n"
        "end\n";
    TForm form(nullptr);
    ReadComponentText(text, &form);
    auto* t = static_cast<TGclTable*>(form.FindComponent("T"));
    form.Show();
    Pump();
    ASSERT_EQ(t->AttachedCells().size(), 1u);
    EXPECT_EQ(t->AttachedCells()[0], form.FindComponent("CS"));
}
