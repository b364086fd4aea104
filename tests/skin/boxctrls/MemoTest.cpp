// The skinned memos on real windows: the external bars following the text (range, position,
// enabled state), the bars and the wheel scrolling the text, typing, the read-only filter,
// the frames skinned and plain, a memo of a megabyte, and screenshots (memo-skinned.bmp,
// memo-default.bmp) for people to see.
#include "skin/boxctrls/SkinBoxCtrls_Memos.h"

#include "skin/data/SkinData_EditControls.h"

#include "classlib/Clipboard.h"
#include "classlib/Paths.h"

#include "tests/skin/boxctrls/EditDemos.h"
#include "tests/skin/controls/SkinFixture.h"

#include <chrono>
#include <string>

namespace {

constexpr TColor kFrame = 0x00FFFF, kHotFrame = 0xFF00FF, kInside = 0x00FF00;

int FirstLine(TWinControl* Memo) {
    return static_cast<int>(SendMessageA(Memo->GetHandle(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

class SkinMemo : public ShownFormTest {
protected:
    // A "memo" record 60 x 40 with 3-pixel edges: normal and hot frames apart, a client part
    // of its own colour.
    TskDataSkinMemoControl* AddMemoRecord() {
        const int picture = Skin.AddPicture(120, 40);
        Skin.Fill(picture, TRect(0, 0, 60, 40), kFrame);
        Skin.Fill(picture, TRect(60, 0, 120, 40), kHotFrame);
        Skin.Fill(picture, TRect(3, 3, 57, 37), kInside);
        Skin.Fill(picture, TRect(63, 3, 117, 37), kInside);
        auto* record = Skin.AddFramed<TskDataSkinMemoControl>("memo", picture, TRect(0, 0, 60, 40));
        record->LTPoint = TPoint(3, 3);
        record->RTPoint = TPoint(57, 3);
        record->LBPoint = TPoint(3, 37);
        record->RBPoint = TPoint(57, 37);
        record->ClRect = TRect(3, 3, 57, 37);
        record->ActiveSkinRect = TRect(60, 0, 120, 40);
        record->FontColor = clNavy;
        record->ActiveFontColor = clRed;
        record->BGColor = clWhite;
        record->ActiveBGColor = clCream;
        return record;
    }
    template <typename M> M* Memo(int Left = 10, int Top = 10, int Width = 200, int Height = 100) {
        auto* memo = Add<M>(Form, Left, Top, Width, Height);
        memo->SetWordWrap(false);
        return memo;
    }
    TskSkinScrollBar* Bar(TScrollBarKind Kind, int Left, int Top, int Width, int Height) {
        return PlaceBar(Form, TPoint(), Kind, Left, Top, Width, Height);
    }

    TFixtureSkin Skin;
};

TEST_F(SkinMemo, TheBarFollowsLinesAndScrollingAndIsDisabledWhileAllFits) {
    auto* memo = Memo<TskSkinMemo>();
    auto* bar = Bar(sbVertical, 212, 10, 19, 100);
    memo->SetVScrollBar(bar);
    memo->SetText("one\r\ntwo");
    EXPECT_FALSE(bar->GetEnabled()) << "everything fits";
    EXPECT_EQ(bar->GetMax(), 0);
    EXPECT_EQ(bar->GetPageSize(), 0);

    memo->SetText(NumberedLines(40));
    const int visible = memo->VisibleLines();
    const int lines = static_cast<int>(SendMessageA(memo->GetHandle(), EM_GETLINECOUNT, 0, 0));
    EXPECT_TRUE(bar->GetEnabled());
    EXPECT_EQ(bar->GetMax(), lines);
    EXPECT_EQ(bar->GetPageSize(), visible + 1);
    EXPECT_EQ(bar->GetPosition(), 0);

    // The keyboard scrolls the text: the bar follows to its end, which shows the last line.
    ASSERT_TRUE(TakeFocus(memo));
    ASSERT_TRUE(KeyWith(VK_CONTROL, VK_END, [&] { return FirstLine(memo) > 0; }));
    EXPECT_EQ(bar->GetPosition(), FirstLine(memo));
    EXPECT_EQ(FirstLine(memo), lines - visible);
    EXPECT_EQ(bar->GetPosition(), bar->GetMax() - bar->GetPageSize() + 1) << "at the bar's end";

    // Emptied, the text fits again.
    memo->SetText("");
    EXPECT_FALSE(bar->GetEnabled());
}

TEST_F(SkinMemo, TheBarsThumbAndArrowScrollTheTextToItsPosition) {
    for (bool second : {false, true}) {
        TskCustomSkinMemo* memo = second ? static_cast<TskCustomSkinMemo*>(Memo<TskSkinMemo2>())
                                         : Memo<TskSkinMemo>();
        auto* bar = Bar(sbVertical, 212, 10, 19, 100);
        memo->SetVScrollBar(bar);
        memo->SetText(NumberedLines(60));
        bar->SetPosition(17);
        EXPECT_EQ(FirstLine(memo), 17) << second;
        // The arrow at the bottom, clicked on the screen, moves one line on.
        const TRect arrow = bar->GetButtonRect(TskSkinScrollBar::sbUp);
        ASSERT_TRUE(ClickOnScreen(bar, (arrow.Left + arrow.Right) / 2, (arrow.Top + arrow.Bottom) / 2,
                                  [&] { return FirstLine(memo) == 18; }))
            << second << " at " << FirstLine(memo);
        EXPECT_EQ(bar->GetPosition(), 18);
        delete memo;
        delete bar;
    }
}

TEST_F(SkinMemo, TheSecondMemosBarReachesTheLastLine) {
    // Its bar mirrors the EDIT's own range and page, so that the bar's end is the text's end.
    auto* memo = Memo<TskSkinMemo2>();
    auto* bar = Bar(sbVertical, 212, 10, 19, 100);
    memo->SetVScrollBar(bar);
    memo->SetText(NumberedLines(60));
    const int lines = static_cast<int>(SendMessageA(memo->GetHandle(), EM_GETLINECOUNT, 0, 0));
    bar->SetPosition(bar->GetMax());
    EXPECT_EQ(FirstLine(memo), lines - memo->VisibleLines());
    EXPECT_EQ(bar->GetPosition(), FirstLine(memo));
}

TEST_F(SkinMemo, EachWheelMessageScrollsOneLine) {
    for (bool second : {false, true}) {
        TskCustomSkinMemo* memo = second ? static_cast<TskCustomSkinMemo*>(Memo<TskSkinMemo2>())
                                         : Memo<TskSkinMemo>();
        auto* bar = Bar(sbVertical, 212, 10, 19, 100);
        memo->SetVScrollBar(bar);
        memo->SetText(NumberedLines(60));
        ASSERT_TRUE(TakeFocus(memo));
        const TPoint centre = memo->ClientToScreen(TPoint(50, 30));
        PointerWheel(centre, -1);
        ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) == 1; })) << second;
        PointerWheel(centre, -1);
        ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) == 2; })) << second;
        PointerWheel(centre, 1);
        ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) == 1; })) << second;
        EXPECT_EQ(bar->GetPosition(), 1);
        delete memo;
        delete bar;
    }
}

TEST_F(SkinMemo, ReadOnlyDropsEditingButTheCaretAndTheBarStillMove) {
    auto* memo = Memo<TskSkinMemo>();
    auto* bar = Bar(sbVertical, 212, 10, 19, 100);
    memo->SetVScrollBar(bar);
    memo->SetText(NumberedLines(30));
    memo->SetReadOnly(true);
    ASSERT_TRUE(TakeFocus(memo));
    const AnsiString before = memo->GetText();
    TypeOnKeyboard("abc");
    KeyOnKeyboard(VK_DELETE, [] { return true; });
    KeyOnKeyboard(VK_BACK, [] { return true; });
    Clipboard()->SetAsText("pasted");
    for (UINT msg : {WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO}) SendMessageA(memo->GetHandle(), msg, 0, 0);
    Pump();
    EXPECT_EQ(memo->GetText(), before);
    for (int i = 0; i < 25; ++i) KeyOnKeyboard(VK_DOWN, [] { return true; });
    ASSERT_TRUE(PumpUntil([&] { return FirstLine(memo) > 0; }));
    EXPECT_EQ(bar->GetPosition(), FirstLine(memo));

    memo->SetReadOnly(false);
    KeyOnKeyboard(VK_HOME, [] { return true; });
    TypeOnKeyboard("xy");
    ASSERT_TRUE(PumpUntil([&] { return memo->GetText() != before; }));
    EXPECT_NE(memo->GetText().find("xyline"), AnsiString::npos);
}

// The system edit pastes on Shift+Insert and undoes on Alt+Backspace by itself: a read-only
// memo keeps its text all the same.
TEST_F(SkinMemo, ReadOnlyKeepsItsTextUnderShiftInsertAndAltBackspace) {
    auto* memo = Memo<TskSkinMemo>();
    memo->SetText("first");
    ASSERT_TRUE(TakeFocus(memo));
    ASSERT_TRUE(KeyOnKeyboard(VK_END, [&] { return memo->GetSelStart() == 5; }));
    TypeOnKeyboard("xy");
    ASSERT_TRUE(PumpUntil([&] { return memo->GetText() == "firstxy"; }));
    Clipboard()->SetAsText("pasted");
    memo->SetReadOnly(true);
    KeyWith(VK_SHIFT, VK_INSERT, [] { return true; });
    KeyWith(VK_MENU, VK_BACK, [] { return true; });
    // Home, after them, shows they were handled.
    ASSERT_TRUE(KeyOnKeyboard(VK_HOME, [&] { return memo->GetSelStart() == 0; }));
    EXPECT_EQ(memo->GetText(), "firstxy");

    // Writable, the same keys paste and undo.
    memo->SetReadOnly(false);
    ASSERT_TRUE(KeyWith(VK_SHIFT, VK_INSERT, [&] { return memo->GetText() == "pastedfirstxy"; }))
        << memo->GetText();
    ASSERT_TRUE(KeyWith(VK_MENU, VK_BACK, [&] { return memo->GetText() == "firstxy"; }))
        << memo->GetText();
}

TEST_F(SkinMemo, TheSecondMemoHasNoBorderAndNoSystemBarsWhateverItsSize) {
    auto* memo = Memo<TskSkinMemo2>(10, 10, 150, 80);
    auto* vbar = Bar(sbVertical, 162, 10, 19, 80);
    auto* hbar = Bar(sbHorizontal, 10, 92, 150, 19);
    memo->SetVScrollBar(vbar);
    memo->SetHScrollBar(hbar);
    memo->SetText(NumberedLines(50) + AnsiString(300, 'w'));
    for (int width : {150, 60, 300}) {
        memo->SetWidth(width);
        RECT client, window;
        GetClientRect(memo->GetHandle(), &client);
        GetWindowRect(memo->GetHandle(), &window);
        EXPECT_EQ(client.right, window.right - window.left) << width;
        EXPECT_EQ(client.bottom, window.bottom - window.top) << width;
        EXPECT_TRUE(GetWindowLongA(memo->GetHandle(), GWL_STYLE) & WS_VSCROLL);
        // What the screen shows at the right edge is the text area's, not a bar's arrow.
        auto shot = CaptureWindow(memo->GetHandle());
        EXPECT_EQ(PixelOf(shot.get(), shot->GetWidth() - 2, shot->GetHeight() - 2), ColorToRGB(clWindow))
            << width;
    }
    // The horizontal bar mirrors the EDIT's own, and moves the text.
    EXPECT_TRUE(hbar->GetEnabled());
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(memo->GetHandle(), SB_HORZ, &info);
    EXPECT_EQ(hbar->GetMax(), info.nMax);
    EXPECT_EQ(hbar->GetPageSize(), static_cast<int>(info.nPage));
    hbar->SetPosition(40);
    GetScrollInfo(memo->GetHandle(), SB_HORZ, &info);
    EXPECT_EQ(info.nPos, 40);
}

TEST_F(SkinMemo, TheSkinnedFrameFollowsTheRecordAndTheHotState) {
    AddMemoRecord();
    auto* memo = Memo<TskSkinMemo>(10, 10, 120, 80);
    memo->SetSkinData(Skin.Data.get());
    RECT client;
    GetClientRect(memo->GetHandle(), &client);
    EXPECT_EQ(client.right, 114);
    EXPECT_EQ(client.bottom, 74);
    EXPECT_EQ(memo->GetColor(), clWhite);
    EXPECT_EQ(memo->GetFont()->GetColor(), clNavy);
    auto shot = CaptureWindow(memo->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), ColorToRGB(kFrame));
    EXPECT_EQ(PixelOf(shot.get(), 118, 78), ColorToRGB(kFrame));
    EXPECT_EQ(PixelOf(shot.get(), 60, 70), ColorToRGB(clWhite)) << "the text area";

    ASSERT_TRUE(TakeFocus(memo));
    EXPECT_EQ(memo->GetFont()->GetColor(), clRed);
    EXPECT_EQ(memo->GetColor(), clCream);
    shot = CaptureWindow(memo->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), ColorToRGB(kHotFrame));

    // With BitMapBG the picture shows under the text.
    memo->SetBitMapBG(true);
    shot = CaptureWindow(memo->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 60, 70), ColorToRGB(kInside));
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), ColorToRGB(kHotFrame));

    memo->SetEnabled(false);
    EXPECT_EQ(memo->GetFont()->GetColor(), clGrayText);
}

TEST_F(SkinMemo, WithoutARecordBitMapBGShowsTwoRingsAroundTheWindowColour) {
    auto* memo = Memo<TskSkinMemo>(10, 10, 120, 80);
    memo->SetBitMapBG(true);
    memo->SetText("text");
    RECT client;
    GetClientRect(memo->GetHandle(), &client);
    EXPECT_EQ(client.right, 116);
    auto shot = CaptureWindow(memo->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(PixelOf(shot.get(), 1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot.get(), 100, 60), ColorToRGB(clWindow));
    // Nothing is left to paint: no repaint asks for the next one.
    Pump();
    EXPECT_FALSE(GetUpdateRect(memo->GetHandle(), nullptr, FALSE));
}

TEST_F(SkinMemo, AMegabyteOfTextLoadsScrollsAndKeepsEveryCharacter) {
    auto* memo = Memo<TskSkinMemo>();
    auto* bar = Bar(sbVertical, 212, 10, 19, 100);
    memo->SetVScrollBar(bar);
    AnsiString text;
    while (text.size() < (1u << 20)) text += "0123456789abcdefghijklmnopqrstuvwxyz0123456789abcdefghij\r\n";
    const auto start = std::chrono::steady_clock::now();
    memo->SetText(text);
    ASSERT_EQ(memo->GetText().size(), text.size());
    bar->SetPosition(bar->GetMax());
    EXPECT_GT(FirstLine(memo), 10000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_EQ(memo->GetText(), text);
}

TEST_F(SkinMemo, ScreenshotsOfSkinnedAndPlainMemos) {
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    Form->SetBounds(50, 50, 520, 300);
    for (bool skinned : {true, false}) {
        const TMemoDemo demo = PlaceMemos(Form, TPoint(10, 10), skinned ? &program : nullptr);
        CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + (skinned ? "memo-skinned.bmp" : "memo-default.bmp"));
        EXPECT_EQ(FirstLine(demo.Memo2), 3);
        for (TControl* c : demo.All()) delete c;
    }
}

} // namespace
