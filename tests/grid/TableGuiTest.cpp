// The table on a shown form: painted pixels, redraw brackets counted through
// OnGetCellData, the event order of key moves, physical scrolling against a full
// repaint, selection repaint sets, resizing and moving columns, in-place editing,
// the stream properties and a demo table's screenshot.
#include "grid/gcltable.h"
#include "grid/gcltcstr.h"

#include "classlib/FormLoader.h"
#include "classlib/Paths.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/UserInput.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace {

using Cells = std::set<std::pair<int, int>>;

class TableTest : public ShownFormTest {
protected:
    // Rows of 20 pixels, three columns of 50 and one heading row, no locked column.
    TGclTable* MakeTable(int Rows, int Cols = 3) {
        T = new TGclTable(Form);
        T->SetName("T");
        T->SetBorderStyle(bsNone);
        T->SetScrollBars(ssNone);
        T->SetLockedCols(0);
        T->SetLeftCol(0);
        T->SetBounds(0, 0, 200, 120);
        T->GetRows()->SetDefHeight(20);
        T->SetRowLimit(Rows);
        T->SetColCount(Cols);
        Cell = new TGclTCString(Form);
        Cell->SetUseASCIIZStrings(true);
        for (int c = 0; c < Cols; ++c) {
            T->GetColumns()->SetWidth(c, 50);
            T->GetColumns()->SetDefaultCell(c, Cell);
        }
        T->OnGetCellData = TCellDataNotifyEvent::FromCallable(
            [this](TObject*, int R, int C, void*& Data, TGclCellDataPurpose Purpose) {
                if (Purpose == cdpForPaint) Requested.insert({R, C});
                Log.push_back(Format("data %d %d", R, C));
                if (!WithTexts) return;
                Held.push_back(Format("%d:%d", R, C));
                Data = Held.back().data();
            });
        T->SetParent(Form);
        Pump();
        return T;
    }

    void Clear() {
        Pump();
        Requested.clear();
        Log.clear();
    }

    // What the screen shows of the table's client area now, without asking it to repaint.
    std::unique_ptr<TBitmap> Screen() {
        int w = T->GetClientWidth(), h = T->GetClientHeight();
        auto shot = std::make_unique<TBitmap>(w, h);
        HDC dc = GetDC(T->GetHandle());
        BitBlt(shot->GetCanvas()->GetHandle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
        ReleaseDC(T->GetHandle(), dc);
        return shot;
    }

    // The pixels of the client area that change when the window repaints all of it.
    int StaleAfter(const char* Step) {
        Pump();
        std::unique_ptr<TBitmap> before = Screen();
        InvalidateRect(T->GetHandle(), nullptr, FALSE);
        UpdateWindow(T->GetHandle());
        std::unique_ptr<TBitmap> after = Screen();
        int differing = 0;
        for (int y = 0; y < T->GetClientHeight(); ++y)
            for (int x = 0; x < T->GetClientWidth(); ++x)
                if (PixelOf(before.get(), x, y) != PixelOf(after.get(), x, y)) ++differing;
        if (differing) ADD_FAILURE() << differing << " stale pixels after " << Step;
        return differing;
    }

    void Mouse(UINT Msg, int X, int Y, WPARAM Keys = 0) {
        SendMessageA(T->GetHandle(), Msg, Keys, MAKELPARAM(X, Y));
    }

    // Hovering: the real pointer goes there, then the window is asked for its cursor.
    void Hover(int X, int Y) {
        POINT p{X, Y};
        ClientToScreen(T->GetHandle(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageA(T->GetHandle(), WM_SETCURSOR, WPARAM(T->GetHandle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        Mouse(WM_MOUSEMOVE, X, Y);
    }

    TGclTable* T = nullptr;
    TGclTCString* Cell = nullptr;
    Cells Requested;
    std::vector<std::string> Log;
    std::deque<std::string> Held;
    bool WithTexts = false;
};

bool SameColour(COLORREF A, TColor B) { return A == ColorToRGB(B); }

} // namespace

TEST_F(TableTest, PaintsCellsGridLinesFrameAndUnusedArea) {
    MakeTable(4);
    T->SetColor(clWhite);
    T->SetColorUnused(clYellow);
    T->GetColors()->SetLocked(clRed);
    T->GetColors()->SetActiveFocused(clLime);
    TGclGridPen* normal = T->GetGridPenSet()->GetNormalGrid();
    normal->SetEffect(geHorizontal);
    normal->SetStyle(psSolid);
    normal->SetNormalColor(clBlue);
    T->GetGridPenSet()->GetLockedGrid()->SetNormalColor(clBlack);
    T->GetGridPenSet()->GetLockedGrid()->SetSecondColor(clWhite);
    ASSERT_TRUE(TakeFocus(T));
    std::unique_ptr<TBitmap> shot = PaintToBitmap(T);
    TBitmap* b = shot.get();
    EXPECT_TRUE(SameColour(PixelOf(b, 170, 10), clYellow)); // right of the columns
    EXPECT_TRUE(SameColour(PixelOf(b, 10, 100), clYellow)); // below the rows
    EXPECT_TRUE(SameColour(PixelOf(b, 25, 10), clRed));     // heading cell
    EXPECT_TRUE(SameColour(PixelOf(b, 0, 10), clWhite));    // 3-D heading: light left edge
    EXPECT_TRUE(SameColour(PixelOf(b, 49, 10), clBlack));   // and dark right edge
    EXPECT_TRUE(SameColour(PixelOf(b, 25, 19), clBlack));
    EXPECT_TRUE(SameColour(PixelOf(b, 25, 50), clWhite));   // a plain cell
    EXPECT_TRUE(SameColour(PixelOf(b, 25, 59), clBlue));    // its horizontal line only
    EXPECT_TRUE(SameColour(PixelOf(b, 49, 50), clWhite));
    EXPECT_TRUE(SameColour(PixelOf(b, 75, 30), clLime));    // the focused active cell
    EXPECT_TRUE(SameColour(PixelOf(b, 99, 30), clBlack));   // inside its black frame
    EXPECT_TRUE(SameColour(PixelOf(b, 50, 30), clBlack));
    EXPECT_TRUE(SameColour(PixelOf(b, 75, 20), clBlack));
    EXPECT_TRUE(SameColour(PixelOf(b, 75, 38), clBlack));
    EXPECT_TRUE(SameColour(PixelOf(b, 75, 39), clBlue));
}

TEST_F(TableTest, RedrawBracketsPaintOnlyMarkedCellsWhenTheOutermostCloses) {
    MakeTable(100);
    Clear();
    T->SetAllowRedraw(false);
    T->SetAllowRedraw(false);
    T->InvalidateRow(3);
    T->InvalidateRow(90); // not on screen: nothing
    T->SetAllowRedraw(true);
    EXPECT_TRUE(Requested.empty());
    T->SetAllowRedraw(true);
    EXPECT_EQ(Requested, (Cells{{3, 0}, {3, 1}, {3, 2}, {1, 1}}));
    Clear();
    T->InvalidateTable();
    Pump();
    EXPECT_TRUE(Requested.empty());
    T->SetAllowRedraw(false);
    T->SetAllowRedraw(true);
    EXPECT_EQ(Requested.size(), 15u); // five data rows of three; the heading row has no cell
    // A paint while locked keeps its damage for the closing bracket.
    Clear();
    T->SetAllowRedraw(false);
    InvalidateRect(T->GetHandle(), nullptr, FALSE);
    UpdateWindow(T->GetHandle());
    EXPECT_TRUE(Requested.empty());
    T->SetAllowRedraw(true);
    EXPECT_EQ(Requested.size(), 15u);
}

TEST_F(TableTest, KeyMovesFireTheirEventsInOrder) {
    MakeTable(100);
    T->OnActiveCellMoving = TCellMoveNotifyEvent::FromCallable(
        [&](TObject*, Word Cmd, int& R, int& C) { Log.push_back(Format("moving %d %d %d", Cmd, R, C)); });
    T->OnLeavingRow = TRowNotifyEvent::FromCallable([&](TObject*, int R) { Log.push_back(Format("leaving %d", R)); });
    T->OnEnteringRow = TRowNotifyEvent::FromCallable([&](TObject*, int R) { Log.push_back(Format("entering %d", R)); });
    T->OnLeavingColumn = TColNotifyEvent::FromCallable([&](TObject*, int C) { Log.push_back(Format("leaving col %d", C)); });
    T->OnTopLeftCellChanged = TCellNotifyEvent::FromCallable(
        [&](TObject*, int R, int C) { Log.push_back(Format("top %d %d", R, C)); });
    T->OnActiveCellChanged = TCellNotifyEvent::FromCallable(
        [&](TObject*, int R, int C) { Log.push_back(Format("changed %d %d", R, C)); });
    ASSERT_TRUE(TakeFocus(T));
    Clear();
    PostKey(T, VK_DOWN);
    ASSERT_GE(Log.size(), 5u);
    EXPECT_EQ(Log[0], "moving 15 2 1");
    EXPECT_EQ(Log[1], "leaving 1");
    EXPECT_EQ(Log[2], "entering 2");
    EXPECT_EQ(Log[3], "data 1 1"); // the old cell loses its look first
    EXPECT_EQ(Log.back(), "changed 2 1");
    EXPECT_EQ(T->GetActiveRow(), 2);

    // Down from the last fully shown row scrolls one row in the same move.
    T->SetActiveRow(5);
    Clear();
    PostKey(T, VK_DOWN);
    EXPECT_EQ(T->GetActiveRow(), 6);
    EXPECT_EQ(T->GetTopRow(), 2);
    EXPECT_NE(std::find(Log.begin(), Log.end(), "top 2 0"), Log.end());
    EXPECT_EQ(Log.back(), "changed 6 1");

    // Ctrl+End through the key-state seam: the last row.
    SHORT (*ctrl)(int) = [](int Key) -> SHORT { return Key == VK_CONTROL ? SHORT(0x8000) : SHORT(0); };
    TGclKeyStateFunc previous = SetGclKeyStateSource(ctrl);
    PostKey(T, VK_END);
    SetGclKeyStateSource(previous);
    EXPECT_EQ(T->GetActiveRow(), 99);
    EXPECT_EQ(T->GetTopRow(), T->GetLastPageTopRow());
}

TEST_F(TableTest, AControllerFreedWhileItsFormIsFreedIsGoneFromTheTable) {
    auto* controller = new TGclController(Form);
    MakeTable(5);
    ASSERT_EQ(T->GetController(), controller);
    bool stillHeld = true;
    // The form's own clean-up, before its components go with it.
    Form->OnDestroy = TNotifyEvent::FromCallable([&](TObject*) {
        delete controller;
        stillHeld = T->ControllerAssigned();
    });
    delete Form;
    Form = nullptr;
    EXPECT_FALSE(stillHeld);
}

TEST_F(TableTest, ACellEveryColumnLetGoIsNoLongerLinkedToTheTable) {
    MakeTable(5);
    for (int c = 0; c < 3; ++c)
        T->GetColumns()->SetDefaultCell(c, nullptr);
    EXPECT_FALSE(Cell->GetComponentState().Contains(csFreeNotification));
}

TEST_F(TableTest, ScrollingMovesPixelsAndPaintsOnlyTheUncoveredRows) {
    WithTexts = true;
    MakeTable(200);
    ASSERT_TRUE(TakeFocus(T));
    Clear();
    T->SetTopRow(2);
    Pump();
    Cells newRow{{6, 0}, {6, 1}, {6, 2}};
    for (const auto& c : newRow) EXPECT_TRUE(Requested.count(c));
    EXPECT_LE(Requested.size(), 6u);
    std::unique_ptr<TBitmap> screen = Screen();
    std::unique_ptr<TBitmap> full = PaintToBitmap(T);
    int differing = 0;
    for (int y = 0; y < T->GetHeight(); ++y)
        for (int x = 0; x < T->GetWidth(); ++x)
            if (PixelOf(screen.get(), x, y) != PixelOf(full.get(), x, y)) ++differing;
    EXPECT_EQ(differing, 0);
    T->SetTopRow(1); // and back down
    Pump();
    screen = Screen();
    full = PaintToBitmap(T);
    differing = 0;
    for (int y = 0; y < T->GetHeight(); ++y)
        for (int x = 0; x < T->GetWidth(); ++x)
            if (PixelOf(screen.get(), x, y) != PixelOf(full.get(), x, y)) ++differing;
    EXPECT_EQ(differing, 0);
    T->SetTopRow(5000);
    EXPECT_EQ(T->GetTopRow(), T->GetLastPageTopRow());
}

TEST_F(TableTest, EveryScrollStepLeavesWhatAFullRepaintShows) {
    WithTexts = true;
    MakeTable(40, 12);
    auto* yellow = new TGclTCString(Form); // columns alike would hide a stale one
    yellow->SetUseASCIIZStrings(true);
    yellow->SetColor(clYellow);
    for (int c = 1; c < 12; c += 2) T->GetColumns()->SetDefaultCell(c, yellow);
    T->SetScrollBars(ssBoth);
    T->SetLockedCols(1);
    // A client area of 5.5 rows and 3.5 columns: the last row and column are partly shown.
    T->SetBounds(0, 0, 175 + GetSystemMetrics(SM_CXVSCROLL), 110 + GetSystemMetrics(SM_CYHSCROLL));
    Pump();
    ASSERT_EQ(T->GetClientHeight(), 110);
    ASSERT_EQ(T->GetClientWidth(), 175);
    ASSERT_TRUE(TakeFocus(T));
    StaleAfter("showing");
    // Each step as the bar sends it: its code, then the end of scrolling.
    auto step = [this](UINT Bar, WORD Code, WORD Pos, const char* Step) {
        SendMessageA(T->GetHandle(), Bar, MAKEWPARAM(Code, Pos), 0);
        SendMessageA(T->GetHandle(), Bar, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        StaleAfter(Step);
    };
    for (int i = 0; i < 3; ++i) step(WM_VSCROLL, SB_LINEDOWN, 0, "a line down");
    EXPECT_EQ(T->GetTopRow(), 4);
    step(WM_VSCROLL, SB_PAGEDOWN, 0, "a page down");
    step(WM_VSCROLL, SB_LINEUP, 0, "a line up");
    step(WM_VSCROLL, SB_PAGEUP, 0, "a page up");
    step(WM_VSCROLL, SB_THUMBPOSITION, 9, "the thumb");
    for (int i = 0; i < 3; ++i) step(WM_HSCROLL, SB_LINERIGHT, 0, "a column right");
    EXPECT_EQ(T->GetLeftCol(), 4);
    step(WM_HSCROLL, SB_PAGERIGHT, 0, "a page right");
    step(WM_HSCROLL, SB_LINELEFT, 0, "a column left");
    step(WM_HSCROLL, SB_PAGELEFT, 0, "a page left");
    step(WM_HSCROLL, SB_THUMBPOSITION, 2, "the thumb");
    // The keys: Down and Right from the last fully shown row and column.
    T->SetTopLeftCell(1, 1);
    T->SetActiveCell(4, 2);
    StaleAfter("moving");
    PostKey(T, VK_DOWN);
    EXPECT_EQ(T->GetActiveRow(), 5);
    EXPECT_EQ(T->GetTopRow(), 2);
    StaleAfter("Down");
    T->SetActiveCell(5, 2);
    PostKey(T, VK_RIGHT);
    EXPECT_EQ(T->GetActiveCol(), 3);
    EXPECT_EQ(T->GetLeftCol(), 2);
    StaleAfter("Right");
}

// A scroll moves pixels only where they are the table's own: damage waiting to be painted,
// and the part another window covers, end up painted as a full repaint paints them.
TEST_F(TableTest, ScrollsWithDamagePendingOrACoveringWindowLeaveNothingStale) {
    WithTexts = true;
    MakeTable(40);
    ASSERT_TRUE(TakeFocus(T));
    StaleAfter("showing");
    // Pixels no cell paints, waiting for a repaint when each scroll starts.
    const auto spoil = [this](RECT Area) {
        HDC dc = GetDC(T->GetHandle());
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        FillRect(dc, &Area, magenta);
        DeleteObject(magenta);
        ReleaseDC(T->GetHandle(), dc);
        InvalidateRect(T->GetHandle(), &Area, FALSE);
    };
    spoil(RECT{10, 45, 140, 70});
    T->SetTopRow(2);
    StaleAfter("a row down with damage pending");
    spoil(RECT{60, 90, 190, 118});
    T->SetTopRow(1);
    StaleAfter("a row up with damage pending");
    // Damage waiting through several moves of rows and columns, more of it between them.
    T->SetColCount(12);
    for (int c = 0; c < 12; ++c) T->GetColumns()->SetWidth(c, 50);
    StaleAfter("adding columns");
    spoil(RECT{5, 25, 60, 50});
    T->SetTopRow(3);
    spoil(RECT{120, 60, 180, 100});
    T->SetLeftCol(2);
    T->SetTopRow(2);
    spoil(RECT{0, 95, 40, 115});
    T->SetLeftCol(1);
    T->SetTopRow(4);
    StaleAfter("moves both ways with damage pending between them");
    // A run of single-row moves to and fro, longer than the table remembers without asking.
    spoil(RECT{30, 62, 170, 78});
    for (int move = 0; move < 25; ++move) T->SetTopRow(move % 2 ? 5 : 6);
    StaleAfter("a long run of moves with damage pending");
    // A window over the table's middle rows while the rows scroll under it.
    POINT corner{20, 30};
    ClientToScreen(T->GetHandle(), &corner);
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE,
                                 corner.x, corner.y, 120, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    Pump();
    T->SetTopRow(3);
    T->SetTopRow(2);
    DestroyWindow(cover);
    StaleAfter("rows scrolled under a covering window");
}

// The keys a person presses, through the system's input queue: Down past the last row shown
// and Up past the first move the rows one at a time, and what the screen shows after every
// move is what a full repaint shows.
TEST_F(TableTest, RowsScrolledByTheKeyboardShowWhatAFullRepaintShows) {
    WithTexts = true;
    MakeTable(40);
    ASSERT_TRUE(TakeFocus(T));
    StaleAfter("showing");
    for (int row = T->GetActiveRow() + 1; row <= 12; ++row) {
        ASSERT_TRUE(KeyOnKeyboard(VK_DOWN, [&] { return T->GetActiveRow() == row; })) << row;
        StaleAfter("Down");
    }
    const int scrolledTo = T->GetTopRow();
    EXPECT_GT(scrolledTo, 1);
    for (int row = 11; row >= 0 && T->GetTopRow() == scrolledTo; --row) {
        ASSERT_TRUE(KeyOnKeyboard(VK_UP, [&] { return T->GetActiveRow() == row; })) << row;
        StaleAfter("Up");
    }
    EXPECT_LT(T->GetTopRow(), scrolledTo);
}

TEST_F(TableTest, ScrollMessagesMoveToThePositionTheyCarry) {
    MakeTable(60, 12);
    T->SetScrollBars(ssBoth);
    T->SetLockedCols(1);
    T->GetColumns()->SetHidden(3, true);
    Pump();
    // Sent by another program: the bars were never dragged.
    SendMessageA(T->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
    EXPECT_EQ(T->GetTopRow(), 7);
    EXPECT_EQ(GetScrollPos(T->GetHandle(), SB_VERT), 7);
    SendMessageA(T->GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
    EXPECT_EQ(T->GetLeftCol(), 4); // two visible columns past the first one, 3 hidden
    // Tracking follows the thumb only with otoThumbTrack.
    SendMessageA(T->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), 0);
    EXPECT_EQ(T->GetTopRow(), 7);
    T->SetOptions(TGclTblOptionSet{otoThumbTrack});
    SendMessageA(T->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3), 0);
    EXPECT_EQ(T->GetTopRow(), 3);
    SendMessageA(T->GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    EXPECT_EQ(T->GetLeftCol(), 1);
}

// The window is made without bars: the vertical bar shows only while the rows pass the view,
// whichever way that comes about (rows added or removed, the table resized, a new window
// for the table), with the range and position it scrolls, and what the screen shows, frame
// and bar included, is what a full redraw shows.
TEST_F(TableTest, TheVerticalBarShowsOnlyWhileTheRowsPassTheView) {
    WithTexts = true;
    MakeTable(3);
    T->SetScrollBars(ssVertical);
    Pump();
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    auto barShown = [this] { return (GetWindowLongPtrA(T->GetHandle(), GWL_STYLE) & WS_VSCROLL) != 0; };
    auto staleWindowAfter = [this](const char* Step) {
        std::unique_ptr<TBitmap> before = ScreenShot(T->GetHandle());
        RedrawWindow(T->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        std::unique_ptr<TBitmap> after = ScreenShot(T->GetHandle());
        int differing = 0;
        for (int y = 0; y < before->GetHeight(); ++y)
            for (int x = 0; x < before->GetWidth(); ++x)
                if (PixelOf(before.get(), x, y) != PixelOf(after.get(), x, y)) ++differing;
        EXPECT_EQ(differing, 0) << "stale pixels after " << Step;
    };
    auto expectRange = [this](int Top) {
        int lowest = 0, highest = 0;
        GetScrollRange(T->GetHandle(), SB_VERT, &lowest, &highest);
        EXPECT_EQ(lowest, 1);
        EXPECT_EQ(highest, T->GetLastPageTopRow());
        EXPECT_EQ(GetScrollPos(T->GetHandle(), SB_VERT), Top);
    };
    // Three rows of 20 fit the 120 pixels.
    EXPECT_FALSE(barShown());
    EXPECT_EQ(T->GetClientWidth(), 200);
    T->SetRowLimit(40);
    Pump();
    ASSERT_TRUE(barShown());
    EXPECT_EQ(T->GetClientWidth(), 200 - barWidth);
    expectRange(1);
    staleWindowAfter("rows added");
    T->SetTopRow(10);
    expectRange(10);
    T->SetRowLimit(4);
    Pump();
    EXPECT_FALSE(barShown());
    EXPECT_EQ(T->GetClientWidth(), 200);
    EXPECT_EQ(T->GetTopRow(), 1);
    staleWindowAfter("rows removed");
    // Seven rows pass 120 pixels, not 200, and again 100.
    T->SetRowLimit(7);
    Pump();
    EXPECT_TRUE(barShown());
    T->SetBounds(0, 0, 200, 200);
    Pump();
    EXPECT_FALSE(barShown());
    staleWindowAfter("made taller");
    T->SetBounds(0, 0, 200, 100);
    Pump();
    EXPECT_TRUE(barShown());
    expectRange(1);
    staleWindowAfter("made shorter");
    // A new window for the table starts with the bar the rows need, where it was.
    T->SetRowLimit(40);
    T->SetTopRow(12);
    T->SetBorderStyle(bsSingle);
    Pump();
    EXPECT_TRUE(barShown());
    expectRange(12);
    staleWindowAfter("a new window");
    T->SetRowLimit(2);
    T->SetBorderStyle(bsNone);
    Pump();
    EXPECT_FALSE(barShown());
    EXPECT_EQ(T->GetClientWidth(), 200);
    staleWindowAfter("a new window with nothing to scroll");
    // Without a vertical bar, rows past the view show none.
    T->SetScrollBars(ssHorizontal);
    T->SetRowLimit(40);
    Pump();
    EXPECT_FALSE(barShown());
}

// A table set up while it is not on the screen paints nothing then; once it shows, the
// screen holds what a full repaint paints, with every change made meanwhile.
TEST_F(TableTest, ChangesWhileHiddenPaintNothingUntilTheTableShows) {
    WithTexts = true;
    MakeTable(10);
    ASSERT_TRUE(TakeFocus(T));
    for (TWinControl* hide : std::initializer_list<TWinControl*>{T, Form}) {
        hide->SetVisible(false);
        Clear();
        {
            TGclTableRedraw batch(T);
            T->SetColor(hide == T ? clYellow : clAqua);
            T->SetColorUnused(hide == T ? clLime : clFuchsia);
            T->GetColors()->SetLocked(hide == T ? clRed : clBlue);
        }
        T->SetRowLimit(4);
        T->SetActiveRow(2);
        T->InvalidateTable();
        T->SetAllowRedraw(false);
        T->SetAllowRedraw(true);
        EXPECT_TRUE(Requested.empty()) << "painted while hidden";
        hide->SetVisible(true);
        Pump();
        EXPECT_FALSE(Requested.empty());
        StaleAfter("showing");
        std::unique_ptr<TBitmap> shot = Screen();
        EXPECT_TRUE(SameColour(PixelOf(shot.get(), 140, 65), hide == T ? clYellow : clAqua));
        EXPECT_TRUE(SameColour(PixelOf(shot.get(), 170, 100), hide == T ? clLime : clFuchsia));
        EXPECT_TRUE(SameColour(PixelOf(shot.get(), 140, 8), hide == T ? clRed : clBlue));
        T->SetRowLimit(10);
    }
}

// A bracket closing while the whole table waits to be repainted draws nothing; the paint
// that follows draws the marked cells and the active cell's frame.
TEST_F(TableTest, ABracketClosingBeforeAWholeRepaintLeavesTheFrameToThePaint) {
    WithTexts = true;
    MakeTable(10);
    ASSERT_TRUE(TakeFocus(T));
    Clear();
    InvalidateRect(T->GetHandle(), nullptr, FALSE);
    {
        TGclTableRedraw batch(T);
        T->InvalidateRow(3);
        T->InvalidateRow(4);
    }
    EXPECT_TRUE(Requested.empty());
    Pump();
    EXPECT_TRUE(Requested.count({3, 1}) && Requested.count({4, 1}));
    std::unique_ptr<TBitmap> shot = Screen();
    EXPECT_TRUE(SameColour(PixelOf(shot.get(), 50, 30), clBlack)); // the active cell's frame
    StaleAfter("the paint after the bracket");
}

TEST_F(TableTest, LockedCountsPastTheEndCostNoWalkThroughThem) {
    // Stored as they are before the window exists; shown and paged, the table walks only
    // what it has.
    T = new TGclTable(Form);
    T->SetLockedCols(2147483647);
    T->SetLockedRows(2147483000);
    FILETIME created, ended, kernel, user, userBefore;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &userBefore);
    T->SetParent(Form);
    ASSERT_TRUE(TakeFocus(T));
    for (Word key : {VK_NEXT, VK_PRIOR, VK_DOWN, VK_RIGHT, VK_END}) PostKey(T, key);
    SendMessageA(T->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_PAGEUP, 0), 0);
    SendMessageA(T->GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), 0);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ticks = [](FILETIME F) { return (ULONGLONG(F.dwHighDateTime) << 32) | F.dwLowDateTime; };
    EXPECT_LT(ticks(user) - ticks(userBefore), 10000000u); // a second, in 100 ns ticks
    EXPECT_EQ(T->GetLockedCols(), 2147483647);
}

TEST_F(TableTest, DraggingTheThumbPastSixteenBitsReachesTheColumnsBeyond) {
    MakeTable(10);
    TGclTableColumns narrow(nullptr, 70000);
    for (int c = 0; c < 70000; ++c) narrow.SetWidth(c, 2);
    T->SetColumns(&narrow);
    T->SetScrollBars(ssHorizontal);
    Pump();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(T->GetHandle(), OBJID_HSCROLL, &bar));
    int y = (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2;
    // Queued together: the system's tracking loop, which the press starts, takes them all.
    const TPoint thumb(bar.rcScrollBar.left + (bar.xyThumbTop + bar.xyThumbBottom) / 2, y);
    const TPoint end(bar.rcScrollBar.right - 20, y);
    PointerTo(thumb);
    std::vector<int> seen;
    T->OnTopLeftCellChanged = TCellNotifyEvent::FromCallable(
        [&seen](TObject*, int, int Col) { seen.push_back(Col); });
    SendMouseInput(MOUSEEVENTF_LEFTDOWN, thumb);
    SendMouseInput(0, TPoint(bar.rcScrollBar.right - 30, y));
    SendMouseInput(0, end);
    SendMouseInput(MOUSEEVENTF_LEFTUP, end);
    Pump();
    // Without thumb tracking the table moves once, when the button is up, and the system's
    // final message carries only the low 16 bits of where the thumb went.
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_GT(seen[0], 65536);
    EXPECT_EQ(T->GetLeftCol(), seen[0]);
    // A message sent afterwards is taken at its word.
    SendMessageA(T->GetHandle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);
    EXPECT_EQ(T->GetLeftCol(), 5);
}

TEST_F(TableTest, ShiftClickSelectsARangeAndRepaintsOnlyWhatChanged) {
    MakeTable(20);
    ASSERT_TRUE(TakeFocus(T));
    Mouse(WM_LBUTTONDOWN, 10, 45, MK_LBUTTON); // row 2, column 0
    Mouse(WM_LBUTTONUP, 10, 45);
    EXPECT_EQ(T->GetActiveRow(), 2);
    EXPECT_EQ(T->GetActiveCol(), 0);
    Clear();
    Mouse(WM_LBUTTONDOWN, 60, 85, MK_LBUTTON | MK_SHIFT); // row 4, column 1
    Mouse(WM_LBUTTONUP, 60, 85);
    for (int r = 2; r <= 4; ++r)
        for (int c = 0; c <= 1; ++c) EXPECT_TRUE(T->InSelection(r, c)) << r << "," << c;
    EXPECT_FALSE(T->InSelection(4, 2));
    Cells expected;
    for (int r = 2; r <= 4; ++r)
        for (int c = 0; c <= 1; ++c) expected.insert({r, c});
    EXPECT_EQ(Requested, expected);
    // A click below the last row goes to the last row.
    T->SetRowLimit(4);
    Mouse(WM_LBUTTONDOWN, 10, 110, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 10, 110);
    EXPECT_EQ(T->GetActiveRow(), 3);
}

TEST_F(TableTest, HeadingLinesResizeAndHeadingsMoveColumns) {
    MakeTable(10, 5);
    T->SetOptions(TGclTblOptionSet{otoAllowColMoves});
    std::vector<std::string> changes;
    T->OnColumnsChanged = TColChangeNotifyEvent::FromCallable([&](TObject*, int A, int B, TGclTblActions Act) {
        if (Act == taExchange) changes.push_back(Format("%d-%d", A, B));
    });
    T->GetColumns()->SetWidth(1, 40); // columns at 0, 50, 90, 140
    ASSERT_TRUE(TakeFocus(T));
    Hover(90, 10); // the line between columns 1 and 2
    EXPECT_TRUE(T->GetState().Contains(otsShowSize));
    Mouse(WM_LBUTTONDOWN, 90, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 80, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 52, 10, MK_LBUTTON); // closer than 6 pixels to the left edge: ignored
    Mouse(WM_LBUTTONUP, 52, 10);
    EXPECT_EQ(T->GetColumns()->GetWidth(1), 30);
    EXPECT_FALSE(T->GetState().Contains(otsDoingCol));
    EXPECT_FALSE(T->GetState().Contains(otsSizing));
    T->GetColumns()->SetWidth(1, 40);

    Hover(70, 10); // inside the heading of column 1
    EXPECT_TRUE(T->GetState().Contains(otsShowMove));
    Mouse(WM_LBUTTONDOWN, 70, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 150, 10, MK_LBUTTON); // column 3
    Mouse(WM_LBUTTONUP, 150, 10);
    EXPECT_EQ(changes, (std::vector<std::string>{"1-2", "2-3"}));
    EXPECT_EQ(T->GetColumns()->GetWidth(3), 40);
    EXPECT_EQ(T->GetActiveCol(), 3);
}

TEST_F(TableTest, EditsInPlaceAndSavesAtMostMaxLengthCharacters) {
    MakeTable(10);
    char value[64] = "abc";
    T->OnGetCellData = TCellDataNotifyEvent::FromCallable(
        [&](TObject*, int R, int C, void*& Data, TGclCellDataPurpose) {
            if (R == 1 && C == 1) Data = value;
        });
    T->OnBeginEdit = TCellBeginEditNotifyEvent::FromCallable([&](TObject*, int, int, bool&) { Log.push_back("begin"); });
    T->OnEndEdit = TCellEndEditNotifyEvent::FromCallable(
        [&](TObject*, TGclTableCellAncestor*, int, int, bool&) { Log.push_back("end"); });
    T->OnDoneEdit = TCellNotifyEvent::FromCallable([&](TObject*, int, int) { Log.push_back("done"); });
    Cell->SetMaxLength(5);
    ASSERT_TRUE(TakeFocus(T));
    Clear();
    PostKey(T, VK_F2);
    ASSERT_TRUE(T->InEditingState());
    auto* editor = dynamic_cast<TCustomEdit*>(Cell->GetCellEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetText(), "abc");
    editor->SetText("hello world");
    EXPECT_TRUE(T->SaveEditedData());
    EXPECT_STREQ(value, "hello");
    editor->SetText("xyzzy1");
    PostKey(editor, VK_ESCAPE); // closes without saving
    EXPECT_FALSE(T->InEditingState());
    EXPECT_STREQ(value, "hello");
    EXPECT_EQ(Log, (std::vector<std::string>{"begin", "end", "done"}));
    ASSERT_TRUE(T->StartEditingState());
    dynamic_cast<TCustomEdit*>(Cell->GetCellEditor())->SetText("123456789");
    EXPECT_TRUE(T->StopEditingState(true));
    EXPECT_STREQ(value, "12345");
    // Read-only cells open no editor.
    Cell->SetAccess(otxReadOnly);
    EXPECT_FALSE(T->StartEditingState());
    EXPECT_FALSE(T->InEditingState());
}

namespace {

std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()), std::size_t(S.GetSize()));
}

const char* const PageTableForm =
    "object FM: TForm\n"
    "  object T: TGclTable\n"
    "    RowLimit = 5\n"
    "    RowData = (40 0 False 25)\n"
    "    ColData = (50 False True 'FM.CB' 48 False True 'FM.CS' 130 False True 'FM.CS')\n"
    "    CellData = ('FM.CS' 'FM.CB')\n"
    "  end\n"
    "  object CS: TGclTCString\n"
    "  end\n"
    "  object CB: TGclTCString\n"
    "  end\n"
    "end\n";

} // namespace

TEST(TableStream, RowColAndCellDataTravelWithTheirBytes) {
    TForm form(nullptr);
    ReadComponentText(PageTableForm, &form);
    auto* t = static_cast<TGclTable*>(form.FindComponent("T"));
    auto* cs = static_cast<TGclTCString*>(form.FindComponent("CS"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetRows()->GetDefaultHeight(), 40);
    EXPECT_EQ(t->GetRows()->GetRowHeight(0), 25);
    EXPECT_EQ(t->GetColCount(), 3);
    EXPECT_EQ(t->GetColumns()->GetWidth(2), 130);
    TMemoryStream stream;
    WriteComponentStream(&stream, &form); // resolves the pending default cells first
    EXPECT_EQ(t->GetColumns()->GetDefaultCell(1), cs);
    std::string bytes = Bytes(stream);
#define BYTES(S) std::string(S, sizeof(S) - 1)
    EXPECT_NE(bytes.find(BYTES("\x07RowData\x01\x02\x28\x02\x00\x08\x02\x19\x00")), std::string::npos);
    EXPECT_NE(bytes.find(BYTES("\x07" "ColData\x01\x02\x32\x08\x09\x06\x05" "FM.CB"
                               "\x02\x30\x08\x09\x06\x05" "FM.CS"
                               "\x03\x82\x00\x08\x09\x06\x05" "FM.CS\x00")),
              std::string::npos);
    EXPECT_NE(bytes.find(BYTES("\x08" "CellData\x01\x06\x05" "FM.CS\x06\x05" "FM.CB\x00")),
              std::string::npos);
    // Once the form is shown the names are resolved, last to first, and written in the
    // order the cells were attached.
    form.Show();
    Pump();
    auto* cb = form.FindComponent("CB");
    ASSERT_EQ(t->AttachedCells().size(), 2u);
    EXPECT_EQ(t->AttachedCells()[0], cb);
    EXPECT_EQ(t->AttachedCells()[1], cs);
    TMemoryStream again;
    WriteComponentStream(&again, &form);
    EXPECT_NE(Bytes(again).find(BYTES("\x08" "CellData\x01\x06\x05" "FM.CB\x06\x05" "FM.CS\x00")),
              std::string::npos);
#undef BYTES
}

TEST(TableStream, MalformedDataIsAReadErrorNamingTheProperty) {
    std::string text = PageTableForm;
    auto Refused = [](std::string Text, const char* From, const char* To) {
        Text.replace(Text.find(From), std::strlen(From), To);
        TForm form(nullptr);
        try {
            ReadComponentText(Text, &form);
        } catch (const EReadError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    std::string rowOutside = Refused(text, "(40 0 False 25)", "(40 7 False 25)");
    EXPECT_NE(rowOutside.find("RowData"), std::string::npos) << rowOutside;
    EXPECT_NE(rowOutside.find("Table row out of bounds"), std::string::npos) << rowOutside;
    std::string oneColumn = Refused(text, "48 False True 'FM.CS' 130 False True 'FM.CS'", "");
    EXPECT_NE(oneColumn.find("ColData"), std::string::npos) << oneColumn;
    std::string wrongKind = Refused(text, "(40 0 False 25)", "(40 0 25 False)");
    EXPECT_NE(wrongKind.find("RowData"), std::string::npos) << wrongKind;
    // No table has a negative number of locked columns or rows.
    for (const char* locked : {"LockedCols = -2147483648", "LockedRows = -1"}) {
        std::string negative = Refused(text, "RowLimit = 5", locked);
        EXPECT_NE(negative.find(std::string(locked).substr(0, 10)), std::string::npos) << negative;
    }
}

namespace {

class TEventsForm : public TForm {
    DECLARE_CLASS(TEventsForm, TForm)
public:
    explicit TEventsForm(TComponent* AOwner) : TForm(AOwner) {}
    std::vector<std::string> Heard;
    void WheelTurned(TObject*, TShiftState, short Delta, Word, Word) { Heard.push_back(Format("wheel %d", Delta)); }
    void ColoursChanged(TObject*) { Heard.push_back("colours"); }
    static void Published(TPropertyList& P) {
        P.Method("WheelTurned", &TEventsForm::WheelTurned);
        P.Method("ColoursChanged", &TEventsForm::ColoursChanged);
    }
};

} // namespace

TEST(TableStream, TheWheelAndColourEventsArePublished) {
    const char* const text = "object FM: TEventsForm\n"
                             "  object T: TGclTable\n"
                             "    OnMouseWheel = WheelTurned\n"
                             "    Colors.OnCfgChanged = ColoursChanged\n"
                             "  end\n"
                             "end\n";
    TEventsForm form(nullptr);
    ReadComponentText(text, &form);
    auto* t = static_cast<TGclTable*>(form.FindComponent("T"));
    ASSERT_NE(t, nullptr);
    t->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), 0);
    t->GetColors()->SetLocked(clRed);
    EXPECT_EQ(form.Heard, (std::vector<std::string>{"wheel -120", "colours"}));
    TMemoryStream stream;
    WriteComponentStream(&stream, &form);
    std::string bytes = Bytes(stream);
    EXPECT_NE(bytes.find("OnMouseWheel\x07\x0BWheelTurned"), std::string::npos);
    EXPECT_NE(bytes.find("Colors.OnCfgChanged\x07\x0E" "ColoursChanged"), std::string::npos);
}

TEST_F(TableTest, ManyRowsScaleTheThumbAndLockedRowsLeaveAnUnlockedRow) {
    MakeTable(20000);
    T->SetScrollBars(ssVertical);
    Pump();
    int lowest = 0, highest = 0;
    GetScrollRange(T->GetHandle(), SB_VERT, &lowest, &highest);
    int m = T->GetLastPageTopRow();
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, m / (m / 1024 + 1));
    // The thumb at the range's end reaches the last page.
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, highest, 0};
    SetScrollInfo(T->GetHandle(), SB_VERT, &info, FALSE);
    SendMessageA(T->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, highest), 0);
    EXPECT_EQ(T->GetTopRow(), m);
    EXPECT_EQ(GetScrollPos(T->GetHandle(), SB_VERT), highest);
    T->SetLockedRows(20000);
    EXPECT_EQ(T->GetLockedRows(), 1);
    T->SetLockedRows(3);
    EXPECT_EQ(T->GetLockedRows(), 3);
    EXPECT_GE(T->GetActiveRow(), 3);
}

TEST_F(TableTest, DemoTableEditsResizesMovesAndSelects) {
    WithTexts = true;
    MakeTable(1000, 6);
    Form->SetBounds(50, 50, 360, 260);
    T->SetBounds(0, 0, 340, 220);
    T->SetBorderStyle(bsSingle);
    T->SetScrollBars(ssBoth);
    T->SetOptions(TGclTblOptionSet{otoAllowColMoves, otoMouseDragSelect});
    auto* head = new TGclTCString(Form);
    head->SetUseASCIIZStrings(true);
    T->SetLockedRowsCell(head);
    ASSERT_TRUE(TakeFocus(T));
    Mouse(WM_LBUTTONDOWN, 10, 45, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 10, 45);
    Mouse(WM_LBUTTONDOWN, 110, 85, MK_LBUTTON | MK_SHIFT);
    Mouse(WM_LBUTTONUP, 110, 85);
    EXPECT_TRUE(T->HaveSelection());
    PostKey(T, VK_NEXT);
    EXPECT_GT(T->GetTopRow(), 1);
    Pump();
    std::unique_ptr<TBitmap> shot = CaptureWindow(Form->GetHandle());
    AnsiString file = ExeDir() + "table_demo.bmp";
    shot->SaveToFile(file);
    EXPECT_TRUE(FileExists(file));
}

// A string field without MaxLength holds 255 characters in either data mode; the memo's
// SaveEditedData stores its text while the editor stays open.
TEST_F(TableTest, ZeroMaxLengthMeansTwoHundredFiftyFiveAndTheMemoSavesOnRequest) {
    MakeTable(10);
    auto* memo = new TGclTCMemo(Form);
    memo->SetUseASCIIZStrings(true);
    T->GetColumns()->SetDefaultCell(2, memo);
    char text[400] = "abc";
    unsigned char shortText[256] = {0};
    bool shortMode = false;
    T->OnGetCellData = TCellDataNotifyEvent::FromCallable([&](TObject*, int, int, void*& Data, TGclCellDataPurpose) {
        Data = shortMode ? static_cast<void*>(shortText) : static_cast<void*>(text);
    });
    ASSERT_TRUE(TakeFocus(T));
    std::string longText(300, 'x');
    for (bool mode : {false, true}) {
        shortMode = mode;
        Cell->SetUseASCIIZStrings(!mode);
        T->SetActiveCell(1, 0);
        ASSERT_TRUE(T->StartEditingState());
        dynamic_cast<TCustomEdit*>(Cell->GetCellEditor())->SetText(longText.c_str());
        EXPECT_TRUE(T->StopEditingState(true));
    }
    EXPECT_EQ(std::strlen(text), 255u);
    EXPECT_EQ(shortText[0], 255);
    T->SetActiveCell(1, 2);
    ASSERT_TRUE(T->StartEditingState());
    shortMode = false;
    auto* editor = dynamic_cast<TCustomEdit*>(memo->GetCellEditor());
    ASSERT_NE(editor, nullptr);
    editor->SetText("memo text");
    EXPECT_TRUE(T->SaveEditedData());
    EXPECT_STREQ(text, "memo text");
    EXPECT_TRUE(T->InEditingState());
    EXPECT_TRUE(T->StopEditingState(false));
}

// A click right of the last column or below the last row moves the active cell there,
// except when the table takes no selection clicks.
TEST_F(TableTest, ClickInTheUnusedAreaMovesOnlyWithSelectionClicks) {
    MakeTable(4);
    ASSERT_TRUE(TakeFocus(T));
    T->SetActiveCell(1, 0);
    T->SetOptions(TGclTblOptionSet{otoNoSelection});
    Mouse(WM_LBUTTONDOWN, 180, 50, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 180, 50);
    Mouse(WM_LBUTTONDOWN, 20, 110, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 20, 110);
    EXPECT_EQ(T->GetActiveRow(), 1);
    EXPECT_EQ(T->GetActiveCol(), 0);
    T->SetOptions(TGclTblOptionSet{});
    Mouse(WM_LBUTTONDOWN, 180, 50, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 180, 50);
    EXPECT_EQ(T->GetActiveRow(), 2);
    EXPECT_EQ(T->GetActiveCol(), 2);
}

// Scaling resizes rows, columns and a cell with its own font; turning Ctl3D off gives a
// single-border table a new window with a flat border.
TEST_F(TableTest, ScalesAndRebuildsItsBorderWhenCtl3DChanges) {
    MakeTable(10);
    T->GetRows()->SetRowHeight(3, 30);
    auto* own = new TGclTCString(Form);
    own->SetTableFont(false);
    own->GetFont()->SetSize(10);
    T->SetLockedRowsCell(own);
    T->ChangeScale(3, 2);
    EXPECT_EQ(T->GetRows()->GetDefaultHeight(), 30);
    EXPECT_EQ(T->GetRows()->GetRowHeight(3), 45);
    EXPECT_EQ(T->GetColumns()->GetWidth(0), 75);
    EXPECT_EQ(own->GetFont()->GetSize(), 15);
    EXPECT_EQ(T->GetRowOffset(2), 60);
    T->SetBorderStyle(bsSingle);
    HWND before = T->GetHandle();
    EXPECT_NE(GetWindowLongA(before, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    T->SetCtl3D(false);
    EXPECT_EQ(GetWindowLongA(T->GetHandle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_NE(GetWindowLongA(T->GetHandle(), GWL_STYLE) & WS_BORDER, 0);
}

// At design time the table takes the mouse only on heading lines and in move areas.
TEST_F(TableTest, DesignHitTestTakesTheMouseOnHeadingLinesAndMoveAreas) {
    MakeTable(10);
    EXPECT_EQ(T->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(70, 50)), 1);
    T->SetDesigning(true);
    EXPECT_EQ(T->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(70, 50)), 0);
    EXPECT_EQ(T->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(50, 10)), 1); // a column line
    EXPECT_EQ(T->Perform(CM_DESIGNHITTEST, 0, MAKELPARAM(25, 10)), 1); // a column move area
    T->SetDesigning(false);
}
