// The skinned rich edit on the system's own editor: no border and no bars of its own, two
// skinned bars that follow the editor (disabled, never hidden, when nothing scrolls) and
// scroll it by a person's clicks, drags and wheel, a document taller than 65,535 pixels
// scrolled to the line its thumb shows, the skin's font and colour, and the skin change of
// a skinned form that reaches it.
#include "skin/controls/SkinCtrls_RichEdits.h"
#include "skin/form/SkinForm.h"

#include "tests/skin/controls/SkinFixture.h"
#include "tests/support/ScreenText.h"

#include <richedit.h>

#include <cstdlib>
#include <string>

namespace {

std::string Lines(int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i) text += "line " + std::to_string(i) + "\r\n";
    return text;
}

class SkinRichEdit : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Edit = Add<TskSkinRichEdit>(Form, 10, 10, 200, 150);
        VBar = Add<TskSkinScrollBar>(Form, 210, 10, 19, 150);
        VBar->SetKind(sbVertical);
        HBar = Add<TskSkinScrollBar>(Form, 10, 160, 200, 19);
        Edit->SetVScrollBar(VBar);
        Edit->SetHScrollBar(HBar);
        PointerTo(Away());
    }
    void TearDown() override {
        PointerTo(Away());
        ShownFormTest::TearDown();
    }
    TPoint Away() { return Form->ClientToScreen(TPoint(300, 230)); }
    int FirstLine() {
        return static_cast<int>(SendMessageA(Edit->GetHandle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    }
    void NativeRange(int Bar, int& Min, int& Max) {
        Min = Max = -1;
        GetScrollRange(Edit->GetHandle(), Bar, &Min, &Max);
    }
    // A point on the vertical bar: its buttons' rectangles and its track, in screen terms.
    TPoint OnBar(const TRect& R, int DY = 0) {
        return VBar->ClientToScreen(TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2 + DY));
    }
    void ClickAt(TPoint P) {
        PointerTo(P);
        PointerDown(P);
        PointerUp(P);
    }

    TskSkinRichEdit* Edit = nullptr;
    TskSkinScrollBar* VBar = nullptr;
    TskSkinScrollBar* HBar = nullptr;
};

TEST_F(SkinRichEdit, NoBorderAndNoBarsOfItsOwn) {
    Edit->SetText(Lines(100));
    Pump();
    RECT client{};
    ::GetClientRect(Edit->GetHandle(), &client);
    EXPECT_EQ(client.right, Edit->GetWidth());
    EXPECT_EQ(client.bottom, Edit->GetHeight());
    EXPECT_EQ(GetWindowLongA(Edit->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(SkinRichEdit, TheBarsAreDisabledNeverHiddenWhileNothingScrolls) {
    Edit->UpDateScrollBars();
    EXPECT_TRUE(VBar->GetVisible());
    EXPECT_FALSE(VBar->GetEnabled());
    EXPECT_FALSE(HBar->GetEnabled());

    Edit->SetText(Lines(60));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));
    int min = 0, max = 0;
    NativeRange(SB_VERT, min, max);
    EXPECT_EQ(VBar->GetMax(), max);
    EXPECT_EQ(VBar->GetPageSize(), Edit->GetHeight());
    // A press on the track turns a page.
    EXPECT_EQ(VBar->GetLargeChange(), Edit->GetHeight());
    EXPECT_FALSE(HBar->GetEnabled());

    // A text that fits again: the editor hides its bar and may leave its old range behind;
    // the skinned bar is disabled all the same, and the range goes back to 0..0.
    Edit->SetText("short\r\ntext");
    ASSERT_TRUE(PumpUntil([&] { return !VBar->GetEnabled(); }));
    EXPECT_TRUE(VBar->GetVisible());
    NativeRange(SB_VERT, min, max);
    EXPECT_EQ(max, 0);

    Edit->SetText("");
    Pump();
    EXPECT_FALSE(VBar->GetEnabled());
    NativeRange(SB_VERT, min, max);
    EXPECT_EQ(max, 0);

    // A line wider than the editor, without wrapping, needs the horizontal bar.
    Edit->SetWordWrap(false);
    Edit->SetText(std::string(300, 'w'));
    ASSERT_TRUE(PumpUntil([&] { return HBar->GetEnabled(); }));
    HBar->SetPosition(HBar->GetMax() / 2);
    EXPECT_GT(GetScrollPos(Edit->GetHandle(), SB_HORZ), 0);
}

TEST_F(SkinRichEdit, APersonScrollsTheEditorWithTheSkinnedBar) {
    Edit->SetText(Lines(200));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));
    ASSERT_EQ(FirstLine(), 0);
    // The arrow towards the end steps one line; the bar follows the editor.
    ClickAt(OnBar(VBar->GetButtonRect(TskSkinScrollBar::sbUp)));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine() == 1; })) << FirstLine();
    EXPECT_EQ(VBar->GetPosition(), GetScrollPos(Edit->GetHandle(), SB_VERT));
    ClickAt(OnBar(VBar->GetButtonRect(TskSkinScrollBar::sbDown)));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine() == 0; })) << FirstLine();

    // A press on the track below the thumb turns about a page.
    const TRect thumb = VBar->GetButtonRect(TskSkinScrollBar::sbThumb);
    ClickAt(VBar->ClientToScreen(TPoint(9, thumb.Bottom + 8)));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine() > 5; }));
    EXPECT_LT(FirstLine(), 15);

    // The thumb dragged to the end shows the last lines.
    const TRect moved = VBar->GetButtonRect(TskSkinScrollBar::sbThumb);
    const TPoint grip = OnBar(moved);
    PointerTo(grip);
    PointerDown(grip);
    for (int dy = 20; dy <= 160; dy += 20) PointerTo(TPoint(grip.X, grip.Y + dy));
    PointerUp(TPoint(grip.X, grip.Y + 160));
    ASSERT_TRUE(PumpUntil([&] { return FirstLine() > 180; })) << FirstLine();

    // At the end, the arrow towards the end sends nothing.
    const int last = FirstLine();
    ClickAt(OnBar(VBar->GetButtonRect(TskSkinScrollBar::sbUp)));
    Pump();
    EXPECT_EQ(FirstLine(), last);
}

// The thumb's pixel lies most often inside a line: the line at the top still shows whole.
TEST_F(SkinRichEdit, TheThumbLeavesTheTopLineWhole) {
    Edit->SetText(Lines(200));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));
    const TTextFont font{Edit->GetFont()->GetName(), Edit->GetFont()->GetHeight(), false};
    const TPoint origin = Edit->ClientToScreen(TPoint(0, 0));
    for (int drag : {7, 11, 13}) {
        const TPoint grip = OnBar(VBar->GetButtonRect(TskSkinScrollBar::sbThumb));
        PointerTo(grip);
        PointerDown(grip);
        PointerTo(TPoint(grip.X, grip.Y + drag / 2));
        PointerTo(TPoint(grip.X, grip.Y + drag));
        PointerUp(TPoint(grip.X, grip.Y + drag));
        ASSERT_TRUE(PumpUntil([&] { return FirstLine() > 0; }));
        Edit->Update();
        const std::string top = "line " + std::to_string(FirstLine());
        EXPECT_TRUE(ShowsWhole(Grab(RECT{origin.X, origin.Y, origin.X + Edit->GetWidth(), origin.Y + 40}),
                               top, font))
            << "dragged " << drag << " pixels";
    }
}

TEST_F(SkinRichEdit, TheWheelScrollsTheEditorAndTheBarFollows) {
    Edit->SetText(Lines(200));
    ASSERT_TRUE(TakeFocus(Edit));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));
    const TPoint over = Edit->ClientToScreen(TPoint(100, 70));
    PointerTo(over);
    PointerWheel(over, -2);
    ASSERT_TRUE(PumpUntil([&] { return FirstLine() > 0; }));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetPosition() > 0; }));
    EXPECT_EQ(VBar->GetPosition(), GetScrollPos(Edit->GetHandle(), SB_VERT));
}

// The editor gives a document taller than 65,535 pixels a range of 0..65535: the thumb's
// 16-bit position is the editor's own measure, while a position in pixels would land far
// above the line the thumb shows.
TEST_F(SkinRichEdit, ATallDocumentScrollsToTheLineItsThumbShows) {
    Edit->SetText(Lines(10000));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));
    ASSERT_EQ(VBar->GetMax(), 65535);
    VBar->SetPosition(32768);
    EXPECT_LT(std::abs(FirstLine() - 5000), 20) << FirstLine();
    VBar->SetPosition(VBar->GetMax());
    EXPECT_GT(FirstLine(), 9980);
    VBar->SetPosition(0);
    EXPECT_EQ(FirstLine(), 0);

    // Scrolled by itself, the editor shows the same place as the thumb.
    SendMessageA(Edit->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20000), 0);
    Edit->UpDateScrollBars();
    EXPECT_LT(std::abs(VBar->GetPosition() * 10000 / 65535 - FirstLine()), 20)
        << VBar->GetPosition() << " at line " << FirstLine();
    // At the end, the thumb is at the end of its track (to a part of the range).
    SendMessageA(Edit->GetHandle(), WM_VSCROLL, SB_BOTTOM, 0);
    Edit->UpDateScrollBars();
    EXPECT_GE(VBar->GetPosition() + VBar->GetPageSize(), VBar->GetMax() - 1);
}

TEST_F(SkinRichEdit, WithSkinSupportTheRecordGivesFontAndColour) {
    TFixtureSkin skin;
    auto* record = skin.Add<TskDataSkinRichEdit>("richedit");
    record->BGColor = clYellow;
    record->FontName = "Courier New";
    record->FontHeight = 17;
    record->FontColor = clNavy;
    Edit->SetSkinData(skin.Data.get());
    // Without SkinSupport the editor keeps its own look.
    EXPECT_EQ(Edit->GetColor(), clWindow);
    EXPECT_EQ(Edit->GetFont()->GetName(), "Arial");

    Edit->SetSkinSupport(true);
    Edit->ChangeSkinData();
    EXPECT_EQ(Edit->GetColor(), clYellow);
    EXPECT_EQ(Edit->GetFont()->GetName(), "Courier New");
    EXPECT_EQ(Edit->GetFont()->GetHeight(), 17);
    Edit->SetText("text");
    auto shot = CaptureWindow(Edit->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 150, 100), static_cast<COLORREF>(0x00FFFF));

    // A default colour set meanwhile waits for a skin without the record.
    Edit->SetDefaultColor(clAqua);
    EXPECT_EQ(Edit->GetColor(), clYellow);
    TFixtureSkin bare;
    bare.Add<TskDataSkinTreeView>("treeview");
    Edit->SetSkinData(bare.Data.get());
    EXPECT_EQ(Edit->GetColor(), clAqua);
    EXPECT_EQ(Edit->GetFont()->GetName(), "Arial");
}

TEST_F(SkinRichEdit, TheSkinChangeOfASkinnedFormReachesTheRichEdit) {
    new TskSkinForm(Form);
    TFixtureSkin skin;
    auto* record = skin.Add<TskDataSkinRichEdit>("richedit");
    record->BGColor = clYellow;
    Edit->SetSkinSupport(true);
    Edit->SetSkinData(skin.Data.get());
    ASSERT_EQ(Edit->GetColor(), clYellow);
    Edit->SetText(Lines(60));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));

    // The skin changes as a load announces it to the forms.
    const auto data = reinterpret_cast<WPARAM>(skin.Data.get());
    SendMessageA(Form->GetHandle(), WM_BEFORECHANGESKINDATA, data, 1000);
    record->BGColor = clLime;
    SendMessageA(Form->GetHandle(), WM_CHANGESKINDATA, data, 1000);
    SendMessageA(Form->GetHandle(), WM_AFTERCHANGESKINDATA, data, 1000);
    EXPECT_EQ(Edit->GetColor(), clLime);
    EXPECT_TRUE(VBar->GetEnabled());
}

// The program poisons freed memory: a bar calling a freed editor crashes it.
TEST_F(SkinRichEdit, AFreedEditorLeavesItsBarsHarmless) {
    Edit->SetText(Lines(60));
    ASSERT_TRUE(PumpUntil([&] { return VBar->GetEnabled(); }));
    ASSERT_TRUE(VBar->OnUpButtonClick.Assigned());
    delete Edit;
    EXPECT_FALSE(VBar->OnChange.Assigned());
    EXPECT_FALSE(VBar->OnUpButtonClick.Assigned());
    EXPECT_FALSE(VBar->OnDownButtonClick.Assigned());
    EXPECT_FALSE(HBar->OnChange.Assigned());
    ClickAt(OnBar(VBar->GetButtonRect(TskSkinScrollBar::sbUp)));
    VBar->SetPosition(10);
}

} // namespace
