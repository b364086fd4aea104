// The editor end to end, in its real forms under the test display: mouse messages on the
// LED view, buttons and menu commands, with every question, file dialog, shell call and
// animation tick answered or driven by the test.
#include "app/About_sl.h"
#include "app/LedGeometry.h"
#include "app/LedPattern.h"
#include "skin/boxctrls/SkinBoxCtrls_ComboBoxes.h"
#include "skin/boxctrls/skSkinShellCtrls_Dialogs.h"
#include "skin/form/skMessages.h"
#include "app/PageFile.h"
#include "app/PageThumbnails.h"
#include "app/Segled.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/TempFolder.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Layers.h"

#include "classlib/Dialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/GdiCounter.h"
#include "classlib/Menus.h"
#include "classlib/Paths.h"
#include "classlib/ShellOpen.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringList.h"
#include "classlib/Timers.h"
#include "grid/gclmisc.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <deque>
#include <string>
#include <vector>

namespace {

const char kLedCaptionAllOff[] = "LED  ::  Int ( 255 )   Hex ( $FF )   String ( %11111111 )";
const char kAnodeType[] = "Common Anode    ( pins sink  ground )";

// Centres of the segments in the view, and a point where a (0) and b (1) overlap.
const TPoint kSegmentPoints[] = {{55, 38},  {81, 60}, {81, 115}, {55, 142},
                                 {29, 115}, {29, 60}, {55, 90},  {100, 143}};
const TPoint kOverlapAB{78, 41};
const TPoint kBackground{150, 100};

using Bmp32::TColor32;

// F blended over B Times times, as the plain routines do it.
TColor32 Blended(TColor32 F, TColor32 B, int Times = 1) {
    for (int i = 0; i < Times; ++i)
        B = Bmp32::PLAIN_BLEND_ROUTINES.BlendReg(F, B);
    return B;
}

COLORREF ScreenColor(TColor32 C) {
    return RGB((C >> 16) & 0xFF, (C >> 8) & 0xFF, C & 0xFF);
}

// The centre of a segment in a thumbnail, which no other segment covers.
TPoint SegmentCentre(int Segment) {
    const TRect r = ThumbnailSegmentRect(Segment);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// A page file of Count pages of common anode type, with every page byte in turn.
AnsiString PageFileText(int Count) {
    AnsiString text = "[Type]\r\nCommonType=0\r\n[Page]\r\n";
    for (int i = 0; i < Count; ++i)
        text += std::to_string(i) + "=" + std::to_string(i * 37 % 256) + "\r\n";
    return text;
}

struct TFileDialogCall {
    bool Save;
    AnsiString FileName;
    AnsiString InitialDir;
};

class Editor : public testing::Test {
protected:
    void SetUp() override {
        Application->OnException = TExceptionEvent::FromCallable(
            [this](TObject*, const std::exception& E) { Errors.push_back(E.what()); });
        SetMessageDlgHook([this](const AnsiString& Msg, TMsgDlgType Type, TMsgDlgButtons, int) {
            Questions.push_back(Msg);
            QuestionTypes.push_back(Type);
            if (Answers.empty()) {
                ADD_FAILURE() << "unexpected question: " << Msg;
                return static_cast<int>(mrNo);
            }
            int answer = Answers.front();
            Answers.pop_front();
            return answer;
        });
        // The skinned file dialogs run their modal loop; each is answered once it shows.
        Application->OnIdle = TIdleEvent::FromCallable([this](TObject*, bool& Done) {
            // The modal loop looks at the result only after a message: it must not wait.
            if (AnswerFileDialog()) Done = false;
        });
        SetShellExecute(
            [this](HWND, const char* Verb, const char* File, const char*, const char*, int Show) {
                Shell.push_back(AnsiString(Verb) + " " + File + " " + std::to_string(Show));
                return reinterpret_cast<HINSTANCE>(ShellResult);
            });
        // Away from where the window comes: one shown under the pointer would hear a move.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        FAbout = CreateFromResource<TFAbout>(nullptr);
        Form = CreateFromResource<TFM>(nullptr);
        Form->Show();
        Pump();
    }
    void TearDown() override {
        delete Form;
        delete FAbout;
        FAbout = nullptr;
        Pump();
        SetShellExecute(nullptr);
        Application->OnIdle = nullptr;
        SetMessageDlgHook(nullptr);
        Application->OnException = nullptr;
        EXPECT_TRUE(Answers.empty()) << "unused answers";
        EXPECT_TRUE(Picks.empty()) << "unused file picks";
    }

    // Picks the next name of Picks in the open file dialog through its list, edit and
    // button; an empty name cancels. A folder the dialog cannot show is taken as accepted.
    // Whether a dialog was answered.
    bool AnswerFileDialog() {
        if (!Form) return false;
        TskSkinOpenDialog* dialog = Form->DLG_Open->Dlg ? Form->DLG_Open : Form->DLG_Save;
        TskOpenDlgForm* F = dialog->Dlg;
        if (!F || !F->GetVisible() || F->GetTag() != 0) return false;
        F->SetTag(1);
        Dialogs.push_back({dialog->SaveMode, dialog->GetFileName(), dialog->GetInitialDir()});
        if (Picks.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            PostKey(F, VK_ESCAPE);
            return true;
        }
        const AnsiString pick = Picks.front();
        Picks.pop_front();
        if (pick.empty()) {
            PostKey(F, VK_ESCAPE);
            return true;
        }
        if (!DirectoryExists(ExtractFilePath(pick))) {
            F->FileName = pick;
            F->SetModalResult(mrOk);
            return true;
        }
        F->FLV->SetDirectory(ExtractFilePath(pick));
        F->Edit->SetText(ExtractFileName(pick));
        PostClick(F->OpenButton, 10, 10);
        EXPECT_EQ(F->GetModalResult(), mrOk) << pick;
        return true;
    }
    void Mouse(TWinControl* Control, UINT Msg, WPARAM Keys, TPoint At) {
        if (Msg == WM_MOUSEMOVE) {
            // The real pointer goes there as well, where the class library looks for it; the
            // move the system makes of that is dropped: the view draws once per move it hears.
            PutPointer(Control, At.X, At.Y);
            MSG move;
            while (PeekMessageA(&move, Control->GetHandle(), WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
            }
        }
        PostMessageA(Control->GetHandle(), Msg, Keys, MAKELPARAM(At.X, At.Y));
        Pump();
    }
    void ClickAt(TWinControl* Control, TPoint At) { PostClick(Control, At.X, At.Y); }
    void ClickSegment(int Segment) { ClickAt(Form->IMG_Seg, kSegmentPoints[Segment]); }
    void Click(TWinControl* Button) { ClickAt(Button, {5, 5}); }
    // A menu item chosen in the main menu: the command the window receives.
    // As the skinned menus run a chosen item: through the menu that holds it, inside a
    // message, whose errors go to the application.
    void Choose(TMenuItem* Item) {
        try {
            Item->GetParentMenu()->DispatchCommand(Item->GetCommand());
        } catch (const std::exception& E) {
            Application->HandleException(Form, E);
        }
        Pump();
    }
    // A click on Item's row in the open skinned popup.
    void ChooseInPopup(TMenuItem* Item) {
        TskSkinMenu* chain = Form->skSkinForm1->GetSkinMenu();
        ASSERT_EQ(chain->GetCount(), 1);
        for (auto& row : chain->GetLevel(0)->ItemList)
            if (row->MenuItem == Item) return row->MouseDown();
        FAIL() << "no such row";
    }
    // The heading row is 25 pixels high, the page rows 40.
    void ClickRow(int Row) { ClickAt(Form->TBL_Leds, {60, 25 + Row * 40 + 20}); }
    int Selected() const { return Form->TBL_Leds->GetActiveRow() - 1; }
    // Lights exactly the given segments, then adds the pattern as a page.
    void AddPageOf(std::initializer_list<int> Segments) {
        Choose(Form->Clear2);
        for (int segment : Segments)
            ClickSegment(segment);
        Click(Form->BTN_Add);
    }
    void Tick() {
        TTimer* timer = Form->GetAnimationTimer();
        ASSERT_NE(timer, nullptr);
        SendMessageA(timer->GetWindowHandle(), WM_TIMER, 1, 0);
        Pump();
    }
    int Rows() const {
        return Form->TBL_Leds->GetRowLimit() - 1;
    }
    // Whether the thumbnail of page Index shows Segment lit.
    bool ThumbnailLit(int Index, int Segment) const {
        const TPoint at = SegmentCentre(Segment);
        return Form->GetPageImage(Index)->GetPixel(at.X, at.Y) == 0xFFFF0000u;
    }
    // Each page's thumbnail shows that page's lit segments.
    void ExpectThumbnailsFollowThePages() const {
        for (int i = 0; i < Form->GetPages().GetCount(); ++i)
            for (int segment = 0; segment < 8; ++segment)
                EXPECT_EQ(ThumbnailLit(i, segment),
                          SegmentLit(segment, Form->GetPages().Get(i), Form->GetCommonType()))
                    << "page " << i << ", segment " << segment;
    }
    static bool Enabled(TWinControl* Control) { return IsWindowEnabled(Control->GetHandle()); }

    // The segment's lit flag: its layer's Tag.
    int Tag(int Segment) const { return Form->IMG_Seg->GetLayers()->GetItem(Segment)->GetTag(); }
    Bmp32::TBitmap32* LayerBitmap(int Segment) const {
        return static_cast<Bmp32::TBitmapLayer*>(Form->IMG_Seg->GetLayers()->GetItem(Segment))
            ->GetBitmap();
    }
    // The view's pixel as the control last painted it.
    TColor32 ViewPixel(TPoint At) {
        UpdateWindow(Form->IMG_Seg->GetHandle());
        return Form->IMG_Seg->GetBuffer()->GetPixel(At.X, At.Y);
    }
    // What the view shows where a layer's pixel lies on the view's background.
    static TColor32 OnBackground(TColor32 LayerPixel) {
        return Blended(LayerPixel, ToColor32(EditorPalette().Back));
    }

    TFM* Form = nullptr;
    std::deque<int> Answers;
    std::vector<AnsiString> Questions;
    std::vector<TMsgDlgType> QuestionTypes;
    std::deque<AnsiString> Picks;
    std::vector<TFileDialogCall> Dialogs;
    std::vector<AnsiString> Shell;
    INT_PTR ShellResult = 42;
    std::vector<AnsiString> Errors;
};

// ---- Start-up ----------------------------------------------------------------------------

TEST_F(Editor, StartsWithAllSegmentsOffAndNoPages) {
    EXPECT_EQ(Form->SGB_Type->GetCaption(), AnsiString("Type ::  ") + kAnodeType);
    EXPECT_EQ(Form->SGB_Led->GetCaption(), kLedCaptionAllOff);
    AnsiString pages = Form->SGB_Pages->GetCaption();
    EXPECT_EQ(pages.substr(0, 11), "Pages ::   ");
    EXPECT_EQ(pages.substr(pages.size() - 12), "Untitled.pge");
    EXPECT_EQ(Form->GetFileName(), ExeDir() + "Untitled.pge");
    EXPECT_EQ(Form->GetPattern(), 0xFF);
    for (int segment = 0; segment < kSegmentCount; ++segment)
        EXPECT_EQ(Tag(segment), 0);
    EXPECT_EQ(Form->IMG_Seg->GetRepaintMode(), Bmp32::rmOptimizer);
    EXPECT_EQ(Form->IML_Pages->GetBitmaps()->GetCount(), 0);
    EXPECT_EQ(Rows(), 1);
    EXPECT_FALSE(Form->GetModified());
    EXPECT_EQ(Form->GetWidth(), 325);
    EXPECT_EQ(Form->CB_LedType->GetItemIndex(), 0);
    EXPECT_EQ(Form->BTN_Animate->GetCaption(), "Animate Pages");
}

TEST_F(Editor, FormsReadTheirResourcesWithMenusAndDisabledExamples) {
    EXPECT_EQ(Form->GetCaption(), "Vantorel");
    // The menu is the skinned bar's, not the system's.
    EXPECT_EQ(GetMenu(Form->GetHandle()), nullptr);
    EXPECT_EQ(Form->SMN_MenuBar->GetMainMenu(), Form->MNU_MainMenu);
    EXPECT_EQ(GetWindowLongPtrA(Form->GetHandle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_FALSE(Form->PBasicStamp1->GetEnabled());
    EXPECT_FALSE(Form->EmbeddedJavaJavelin2->GetEnabled());
    EXPECT_FALSE(Form->ASMSXx2->GetEnabled());
    EXPECT_TRUE(Form->SXBasicSXx1->GetEnabled());
    EXPECT_EQ(Form->PUM_AnimatePages->GetCaption(), "Animate Pages");
    EXPECT_EQ(Form->IMG_Seg->GetPopupMenu(), Form->SPU_Menu);
    EXPECT_EQ(FAbout->skSkinLabel1->GetCaption(), "Vantorel   Release 5.10.30");
    EXPECT_EQ(FAbout->Image1->GetPicture()->GetWidth(), 160);
    EXPECT_EQ(FAbout->Image1->GetPicture()->GetHeight(), 104);
}

TEST_F(Editor, ShowingAgainKeepsThePages) {
    AddPageOf({1, 2});
    Form->Hide();
    Form->Show();
    Pump();
    EXPECT_EQ(Form->GetPages().GetCount(), 1);
    EXPECT_TRUE(Form->GetModified());
}

// ---- LED view ----------------------------------------------------------------------------

TEST_F(Editor, ClickingSegmentATurnsItOnAndSetsItsPinLow) {
    ClickSegment(0);
    EXPECT_EQ(Form->GetPattern(), 0xFE);
    EXPECT_EQ(Form->SGB_Led->GetCaption(),
              "LED  ::  Int ( 254 )   Hex ( $FE )   String ( %11111110 )");
    EXPECT_EQ(Tag(0), 1);
    ClickSegment(0);
    EXPECT_EQ(Form->GetPattern(), 0xFF);
    EXPECT_EQ(Tag(0), 0);
}

// Counts the WM_PAINT messages a window handles, sent (as UpdateWindow sends them) or taken
// from the queue.
class TPaintCounter {
public:
    explicit TPaintCounter(HWND Window) {
        FWindow = Window;
        FCount = 0;
        FSent = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
        FTaken = SetWindowsHookExA(WH_GETMESSAGE, Taken, nullptr, GetCurrentThreadId());
    }
    ~TPaintCounter() {
        UnhookWindowsHookEx(FSent);
        UnhookWindowsHookEx(FTaken);
    }
    int Count() const { return FCount; }

private:
    static LRESULT CALLBACK Sent(int Code, WPARAM WParam, LPARAM LParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(LParam);
        if (Code == HC_ACTION && message->hwnd == FWindow && message->message == WM_PAINT) ++FCount;
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    static LRESULT CALLBACK Taken(int Code, WPARAM WParam, LPARAM LParam) {
        const auto* message = reinterpret_cast<const MSG*>(LParam);
        if (Code == HC_ACTION && WParam == PM_REMOVE && message->hwnd == FWindow &&
            message->message == WM_PAINT)
            ++FCount;
        return CallNextHookEx(nullptr, Code, WParam, LParam);
    }
    static inline HWND FWindow = nullptr;
    static inline int FCount = 0;
    HHOOK FSent = nullptr;
    HHOOK FTaken = nullptr;
};

TEST_F(Editor, AClickOnASegmentPaintsThePictureOnceWithItsPins) {
    // The click changes the LED caption, whose repaint paints the picture inside its box: the
    // picture is whole by then, segment and pins, and is not painted again.
    Pump();
    TPaintCounter paints(Form->IMG_Seg->GetHandle());
    ClickSegment(0);
    EXPECT_EQ(Form->GetPattern(), 0xFE);
    EXPECT_EQ(paints.Count(), 1);
}

TEST_F(Editor, WhereSegmentsOverlapTheLaterOneIsClicked) {
    ClickAt(Form->IMG_Seg, kOverlapAB);
    EXPECT_EQ(Form->GetPattern(), 0xFD);
    ClickAt(Form->IMG_Seg, kBackground);
    EXPECT_EQ(Form->GetPattern(), 0xFD);
}

TEST_F(Editor, ARightClickOpensThePopupWithoutToggling) {
    Mouse(Form->IMG_Seg, WM_RBUTTONDOWN, MK_RBUTTON, kSegmentPoints[3]);
    Mouse(Form->IMG_Seg, WM_RBUTTONUP, 0, kSegmentPoints[3]);
    EXPECT_EQ(Form->GetPattern(), 0xFF);
    TskSkinMenu* chain = Form->skSkinForm1->GetSkinMenu();
    ASSERT_EQ(chain->GetCount(), 1);
    EXPECT_EQ(chain->GetLevel(0)->ItemList[0]->MenuItem, Form->InvertSegments1);
    chain->Hide();
}

TEST_F(Editor, TheViewShowsADottedFrameWhileItHasTheFocus) {
    const TColor32 dot = Bmp32::Color32(0, 0, 0, 255), back = ToColor32(EditorPalette().Back);
    const TPoint corner{2, 2}, gap{3, 2}, bottom{4, Form->IMG_Seg->GetHeight() - 3};
    EXPECT_EQ(ViewPixel(corner), back);
    ASSERT_TRUE(TakeFocus(Form->IMG_Seg));
    EXPECT_EQ(ViewPixel(corner), dot);
    EXPECT_EQ(ViewPixel(bottom), dot);
    EXPECT_EQ(ViewPixel(gap), back);
    // A hover repaints only what it changed: the dots stay.
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kSegmentPoints[1]);
    EXPECT_EQ(ViewPixel(corner), dot);
    ASSERT_TRUE(TakeFocus(Form->BTN_Add));
    EXPECT_EQ(ViewPixel(corner), back);
}

TEST_F(Editor, LeavingASegmentTakesTheOutlineAndThePinHighlightAway) {
    const TLedPalette colors = EditorPalette();
    // The top vertex of b's outline: the fill leaves its row out, so only outlines reach it.
    const TPoint edge{81, 39};
    const TColor32 before = LayerBitmap(1)->GetPixel(5, 0);
    const TPoint wireB{150, 37};
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kSegmentPoints[1]);
    const TColor32 hovered = Blended(ToColor32(colors.Hover), before);
    EXPECT_EQ(ViewPixel(edge), OnBackground(hovered));
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    EXPECT_EQ(ViewPixel(wireB), Blended(ToColor32(colors.Select), ToColor32(kPinHighColor)));
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kBackground);
    EXPECT_EQ(ViewPixel(edge), OnBackground(before));
    EXPECT_EQ(ViewPixel(wireB), ToColor32(kPinHighColor));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    // Clicked while hovered, b's pin turns low; leaving it, the pin shows that, unhighlighted.
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kSegmentPoints[1]);
    ClickSegment(1);
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kBackground);
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kBackground);
    EXPECT_EQ(ViewPixel(wireB), ToColor32(kPinLowColor));
}

// A person's pointer moving about over one segment: the outline and the pins show what the
// first move showed, however many moves follow.
TEST_F(Editor, MovesOverTheSameSegmentShowWhatTheFirstMoveShows) {
    ClickSegment(2);
    const TPoint at = Form->IMG_Seg->ClientToScreen(kSegmentPoints[2]);
    PointerTo(at);
    ASSERT_TRUE(PumpUntil([&] { return Screen->GetCursor() == crHandPoint; })) << "the pointer is not over c";
    const std::unique_ptr<TBitmap> once = CaptureWindow(Form->IMG_Seg->GetHandle());
    once->SaveToFile(ExeDir() + "led-view-hovered-1.bmp");
    for (int move = 0; move < 30; ++move) PointerTo({at.X + move % 3 - 1, at.Y + move % 2 * 8});
    PointerTo(at);
    const std::unique_ptr<TBitmap> after = CaptureWindow(Form->IMG_Seg->GetHandle());
    after->SaveToFile(ExeDir() + "led-view-hovered-30.bmp");
    EXPECT_EQ(DifferingPixels(once.get(), after.get()), 0);
    // The layers hold the same: nothing builds up out of sight either.
    Bmp32::TBitmap32 layer;
    layer.Assign(LayerBitmap(2));
    for (int move = 0; move < 10; ++move) PointerTo({at.X, at.Y + move % 2 * 8});
    PointerTo(at);
    for (int y = 0; y < layer.GetHeight(); ++y)
        for (int x = 0; x < layer.GetWidth(); ++x)
            ASSERT_EQ(LayerBitmap(2)->GetPixel(x, y), layer.GetPixel(x, y)) << x << ", " << y;
}

TEST_F(Editor, InvertLightsAToGButNotThePointAndClearTurnsAllOff) {
    Choose(Form->MNU_Invert);
    EXPECT_EQ(Form->GetPattern(), 0x80);
    EXPECT_EQ(Tag(7), 0);
    Choose(Form->Clear2);
    EXPECT_EQ(Form->GetPattern(), 0xFF);
    EXPECT_EQ(Form->SGB_Led->GetCaption(), kLedCaptionAllOff);
}

// Writes led-view.bmp beside the test program: a, b and g clicked, the pointer over c. Every
// layer shows its last drawing over its ground; hovering outlines c once more and highlights
// pin C.
TEST_F(Editor, LedViewShowsClickedSegmentsTheHoverAndThePins) {
    const TLedPalette colors = EditorPalette();
    const TColor32 offFill = ToColor32(colors.OffFill);
    const TColor32 offEdge = ToColor32(colors.OffEdge);
    const TColor32 onFill = ToColor32(colors.OnFill);
    const TColor32 select = ToColor32(colors.Select);
    const TColor32 horizontal = Bmp32::Color32(200, 0, 0, 0);
    const TColor32 vertical = Bmp32::Color32(0, 200, 0, 0);
    Bmp32::TLayerCollection* layers = Form->IMG_Seg->GetLayers();
    ASSERT_EQ(layers->GetCount(), 8);
    const auto hit = [&](int X, int Y) { return layers->FindLayerAtPos(X, Y, Bmp32::LOB_MOUSE_EVENTS); };
    // The top-most layer whose whole location holds the point: b lies over a, a transparent
    // corner hits, right and bottom edges do not, nor do the wire ends.
    EXPECT_EQ(hit(kOverlapAB.X, kOverlapAB.Y), layers->GetItem(1));
    EXPECT_EQ(hit(30, 33), layers->GetItem(0));
    EXPECT_EQ(hit(81, 38), nullptr);
    EXPECT_EQ(hit(100, 148), nullptr);
    for (int pin = 0; pin < kPinCount; ++pin)
        EXPECT_EQ(hit(PinWire(pin).back().X, PinWire(pin).back().Y), nullptr) << pin;

    ClickAt(Form->IMG_Seg, {30, 33}); // a, by its transparent corner
    ClickAt(Form->IMG_Seg, kOverlapAB); // b
    ClickSegment(6);
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kSegmentPoints[2]);
    EXPECT_EQ(Form->GetPattern(), 0xBC);
    EXPECT_EQ(Form->SGB_Led->GetCaption(),
              "LED  ::  Int ( 188 )   Hex ( $BC )   String ( %10111100 )");
    for (int segment = 0; segment < kSegmentCount; ++segment)
        EXPECT_EQ(Tag(segment), segment == 0 || segment == 1 || segment == 6 ? 1 : 0);
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);

    Pump();
    std::unique_ptr<TBitmap> shot = CaptureWindow(Form->IMG_Seg->GetHandle());
    const AnsiString file = ExeDir() + "led-view.bmp";
    shot->SaveToFile(file);
    ASSERT_TRUE(FileExists(file));
    const auto expect = [&](TPoint At, TColor32 Pixel, const char* What) {
        EXPECT_EQ(ViewPixel(At), Pixel) << What;
        EXPECT_EQ(PixelOf(shot.get(), At.X, At.Y), ScreenColor(Pixel)) << What << " on the screen";
    };
    // Segment fills over their layers' transparent grounds.
    expect(kSegmentPoints[0], OnBackground(Blended(onFill, horizontal)), "a");
    expect(kSegmentPoints[1], OnBackground(Blended(onFill, vertical)), "b");
    expect(kSegmentPoints[6], OnBackground(Blended(onFill, horizontal)), "g");
    expect(kSegmentPoints[3], OnBackground(Blended(offFill, horizontal)), "d");
    // The decimal point is opaque: its own pixels, alpha and all, replace the view's.
    expect(kSegmentPoints[7], Blended(offFill, offFill), "decimal point");
    // c's right edge: filled, then outlined; then outlined in the hover colour.
    const TColor32 edge = Blended(offEdge, Blended(offFill, vertical));
    expect({86, 116}, OnBackground(Blended(ToColor32(colors.Hover), edge)), "c's hovered edge");
    expect(kBackground, ToColor32(colors.Back), "background");
    expect({0, 0}, offEdge, "frame");
    expect({kLedViewWidth - 1, kLedViewHeight - 1}, offEdge, "frame");
    // Wires: A reads low (a is lit), C is highlighted over its high level.
    expect({150, 17}, ToColor32(kPinLowColor), "wire A");
    expect({150, 57}, Blended(select, ToColor32(kPinHighColor)), "wire C");
    // Labels, as the screen shows them: the text in its pin's colour on the unlit fill, C's in
    // the highlight colour.
    for (int pin = 0; pin < kPinCount; ++pin) {
        const bool level = (0xBC >> pin) & 1;
        const TColor32 ink = pin == 2 ? Blended(select, offFill)
                                      : ToColor32(level ? kPinHighColor : kPinLowColor);
        const TRect label = PinLabelRect(pin);
        int inked = 0;
        for (int y = label.Top; y < label.Bottom; ++y)
            for (int x = label.Left; x < label.Right; ++x) {
                const COLORREF pixel = PixelOf(shot.get(), x, y);
                if (pixel == ScreenColor(ink))
                    ++inked;
                else
                    EXPECT_EQ(pixel, ScreenColor(offFill)) << "label " << pin << " at " << x << ", " << y;
            }
        EXPECT_GT(inked, 20) << "label " << pin;
    }
}

TEST_F(Editor, ClosingKeepsTheViewUntilTheWindowIsDestroyed) {
    Form->Close();
    EXPECT_FALSE(Form->GetVisible());
    EXPECT_EQ(Form->IMG_Seg->GetLayers()->GetCount(), 8);
    Form->Show();
    Pump();
    ClickSegment(3);
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kSegmentPoints[4]);
    EXPECT_EQ(Tag(3), 1);
    EXPECT_EQ(Form->GetPattern(), 0xF7);
}

// ---- Pages ---------------------------------------------------------------------------------

TEST_F(Editor, AddedPagesGetThumbnailsAndRows) {
    AddPageOf({0, 1, 2, 3, 4, 5}); // "0": 0xC0
    EXPECT_EQ(Rows(), 1);
    AddPageOf({1, 2}); // "1": 0xF9
    EXPECT_EQ(Rows(), 2);
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xC0, 0xF9}));
    EXPECT_TRUE(Form->GetModified());
    // Pages that light the same segments share one picture in the bitmap list.
    AddPageOf({1, 2});
    EXPECT_EQ(Form->GetPageImage(2), Form->GetPageImage(1));
    EXPECT_NE(Form->GetPageImage(0), Form->GetPageImage(1));
    EXPECT_LE(Form->IML_Pages->GetBitmaps()->GetCount(), 256);
    Bmp32::TBitmap32* one = Form->GetPageImage(1);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->GetWidth(), 30);
    EXPECT_EQ(one->GetHeight(), 40);
    EXPECT_EQ(one->GetPixel(21, 10), 0xFFFF0000u); // b
    EXPECT_EQ(one->GetPixel(10, 4), 0u);           // a is dark and lets the table through
    // The table shows it in the second row, on the table's background.
    Pump();
    auto table = PaintToBitmap(Form->TBL_Leds);
    EXPECT_EQ(PixelOf(table.get(), 10 + 21, 65 + 10), COLORREF(0x0000FF));
    EXPECT_EQ(PixelOf(table.get(), 10 + 10, 65 + 4),
              COLORREF(ColorToRGB(Form->TBL_Leds->GetColor())));
}

TEST_F(Editor, ReplaceDeleteAndViewWorkOnTheSelectedRow) {
    AddPageOf({0});
    AddPageOf({1});
    AddPageOf({2});
    ClickRow(1);
    Choose(Form->Clear2);
    ClickSegment(6);
    Click(Form->BTN_Replace);
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xFE, 0xBF, 0xFB}));
    Click(Form->BTN_DeletePage);
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xFE, 0xFB}));
    ClickRow(1);
    Click(Form->BTN_ViewPage);
    EXPECT_EQ(Form->GetPattern(), 0xFB);
    EXPECT_EQ(Tag(2), 1);
    ExpectThumbnailsFollowThePages();
    // A double click on the first row views it.
    ClickRow(0);
    Mouse(Form->TBL_Leds, WM_LBUTTONDBLCLK, MK_LBUTTON, {60, 45});
    Mouse(Form->TBL_Leds, WM_LBUTTONUP, 0, {60, 45});
    EXPECT_EQ(Form->GetPattern(), 0xFE);
}

TEST_F(Editor, DeletingTheOnlyPageLeavesOneEmptyRow) {
    AddPageOf({3});
    Click(Form->BTN_DeletePage);
    EXPECT_EQ(Form->GetPages().GetCount(), 0);
    EXPECT_EQ(Rows(), 1);
    Click(Form->BTN_DeletePage);
    AddPageOf({4});
    EXPECT_EQ(Form->GetPages().GetBytes(), std::vector<Byte>{0xEF});
}

TEST_F(Editor, MovingTakesTheSelectionAlongAndStopsAtTheEnds) {
    TTempFolder folder;
    folder.Put("three.pge", "[Page]\r\n0=1\r\n1=2\r\n2=3\r\n");
    Picks.push_back(folder.PathOf("three.pge"));
    Choose(Form->Open2);
    Click(Form->BTN_MoveUp);
    EXPECT_EQ(Selected(), 0);
    EXPECT_FALSE(Form->GetModified());
    Click(Form->BTN_MoveDown);
    Click(Form->BTN_MoveDown);
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{2, 3, 1}));
    EXPECT_EQ(Selected(), 2);
    EXPECT_TRUE(Form->GetModified());
    Click(Form->BTN_MoveDown);
    EXPECT_EQ(Selected(), 2);
    Click(Form->BTN_MoveUp);
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{2, 1, 3}));
    ExpectThumbnailsFollowThePages();
}

TEST_F(Editor, ClickingThePagesBoxRollsTheViewUpAndViewingRollsItDown) {
    AddPageOf({0});
    int height = Form->SGB_Led->GetHeight();
    Form->SGB_PagesClick(Form->SGB_Pages);
    EXPECT_TRUE(Form->SGB_Led->GetRollUpState());
    EXPECT_LT(Form->SGB_Led->GetHeight(), height);
    EXPECT_FALSE(Form->IMG_Seg->GetVisible());
    Click(Form->BTN_ViewPage);
    EXPECT_FALSE(Form->SGB_Led->GetRollUpState());
    EXPECT_EQ(Form->SGB_Led->GetHeight(), height);
    EXPECT_TRUE(Form->IMG_Seg->GetVisible());
}

// ---- Command enabling -------------------------------------------------------------------

TEST_F(Editor, ReplaceAndAnimateFollowThePageCount) {
    EXPECT_FALSE(Enabled(Form->BTN_Replace));
    EXPECT_FALSE(Enabled(Form->BTN_Animate));
    EXPECT_FALSE(Enabled(Form->BTN_ApplyNode));
    EXPECT_TRUE(Enabled(Form->BTN_Add));
    AddPageOf({0});
    EXPECT_TRUE(Enabled(Form->BTN_Replace));
    EXPECT_FALSE(Enabled(Form->BTN_Animate));
    EXPECT_FALSE(Form->PUM_AnimatePages->GetEnabled());
    AddPageOf({1});
    EXPECT_TRUE(Enabled(Form->BTN_Animate));
    EXPECT_TRUE(Form->PUM_ReplacePage->GetEnabled());
    EXPECT_TRUE(Form->PUM_AnimatePages->GetEnabled());
}

TEST_F(Editor, DuringTheAnimationOnlyStoppingAndThePopupStayAvailable) {
    AddPageOf({0});
    AddPageOf({1});
    Click(Form->BTN_Animate);
    EXPECT_FALSE(Enabled(Form->SGB_Pages));
    EXPECT_FALSE(Enabled(Form->SGB_Type));
    EXPECT_FALSE(Enabled(Form->BTN_Add));
    EXPECT_FALSE(Enabled(Form->BTN_Replace));
    EXPECT_TRUE(Enabled(Form->BTN_Animate));
    EXPECT_TRUE(Form->PUM_AddPage->GetEnabled());
    EXPECT_TRUE(Form->PUM_AnimatePages->GetEnabled());
    // The popup's Add Page still works.
    Mouse(Form->IMG_Seg, WM_RBUTTONUP, 0, kBackground);
    ChooseInPopup(Form->PUM_AddPage);
    EXPECT_EQ(Form->GetPages().GetCount(), 3);
    Click(Form->BTN_Animate);
    EXPECT_TRUE(Enabled(Form->SGB_Pages));
    EXPECT_TRUE(Enabled(Form->BTN_Add));
}

// ---- LED type -----------------------------------------------------------------------------

TEST_F(Editor, AChosenTypeChangesNothingUntilApplied) {
    AddPageOf({1, 2});
    Form->CB_LedType->SetItemIndex(1);
    EXPECT_TRUE(Form->GetTypeChanged());
    EXPECT_TRUE(Enabled(Form->BTN_ApplyNode));
    EXPECT_FALSE(Form->GetCommonType());
    ClickSegment(6);
    EXPECT_EQ(Form->GetPattern(), 0xB9);
    EXPECT_EQ(Form->SGB_Type->GetCaption(), AnsiString("Type ::  ") + kAnodeType);
    Click(Form->BTN_Add);
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xF9, 0xB9}));
    // Choosing the pages' own type again ends the pending change.
    Form->CB_LedType->SetItemIndex(0);
    EXPECT_FALSE(Form->GetTypeChanged());
    EXPECT_FALSE(Enabled(Form->BTN_ApplyNode));
}

TEST_F(Editor, ApplyConvertsOnlyOnYes) {
    AddPageOf({1, 2});
    Form->CB_LedType->SetItemIndex(1);
    Answers = {mrNo, mrCancel};
    Click(Form->BTN_ApplyNode);
    Click(Form->BTN_ApplyNode);
    EXPECT_EQ(Form->GetPages().GetBytes(), std::vector<Byte>{0xF9});
    EXPECT_TRUE(Form->GetTypeChanged());
    const bool before = ThumbnailLit(0, 1);
    Answers = {mrYes};
    Click(Form->BTN_ApplyNode);
    EXPECT_EQ(Questions,
              std::vector<AnsiString>(3, "Convert LED from common Anode to common Cathode?"));
    EXPECT_EQ(Form->GetPages().GetBytes(), std::vector<Byte>{0x06});
    EXPECT_TRUE(Form->GetCommonType());
    EXPECT_FALSE(Form->GetTypeChanged());
    EXPECT_FALSE(Enabled(Form->BTN_ApplyNode));
    // The picture keeps its lit segments; their pins now read high.
    EXPECT_EQ(Form->GetPattern(), 0x06);
    EXPECT_EQ(Form->SGB_Type->GetCaption(), "Type ::  Common Cathode ( pins source power )");
    EXPECT_EQ(ThumbnailLit(0, 1), before);
    // And back.
    Form->CB_LedType->SetItemIndex(0);
    Answers = {mrYes};
    Click(Form->BTN_ApplyNode);
    EXPECT_EQ(Questions.back(), "Convert LED from common Cathode to common Anode?");
    EXPECT_EQ(Form->GetPages().GetBytes(), std::vector<Byte>{0xF9});
}

TEST_F(Editor, NewAdoptsAnUnappliedTypeAndSaveKeepsItChosen) {
    TTempFolder folder;
    AddPageOf({1, 2});
    Form->CB_LedType->SetItemIndex(1);
    // Save writes the pages' own type and leaves the choice waiting.
    Picks.push_back(folder.PathOf("digits"));
    Choose(Form->S1);
    EXPECT_EQ(folder.Get("digits.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=249\r\n");
    EXPECT_EQ(Form->CB_LedType->GetItemIndex(), 1);
    EXPECT_TRUE(Form->GetTypeChanged());
    EXPECT_TRUE(Enabled(Form->BTN_ApplyNode));
    EXPECT_FALSE(Form->GetCommonType());
    // New: the empty list takes the chosen type, and the picture's pins follow it.
    Choose(Form->New2);
    EXPECT_EQ(Form->GetPages().GetCount(), 0);
    EXPECT_TRUE(Form->GetCommonType());
    EXPECT_FALSE(Form->GetTypeChanged());
    EXPECT_FALSE(Enabled(Form->BTN_ApplyNode));
    EXPECT_EQ(Form->CB_LedType->GetItemIndex(), 1);
    EXPECT_EQ(Form->GetPattern(), 0x06);
    EXPECT_EQ(Form->SGB_Type->GetCaption(), "Type ::  Common Cathode ( pins source power )");
    EXPECT_TRUE(Questions.empty());
}

// ---- Files ----------------------------------------------------------------------------------

// The rightmost column where the pages box painted with Caption differs from the box
// without one: where the caption's text ends.
int CaptionEnd(TFM* Form, const AnsiString& Caption) {
    Form->SGB_Pages->SetCaption("");
    auto plain = PaintToBitmap(Form->SGB_Pages);
    Form->SGB_Pages->SetCaption(Caption);
    auto shown = PaintToBitmap(Form->SGB_Pages);
    for (int x = plain->GetWidth() - 1; x >= 0; --x)
        for (int y = 0; y < plain->GetHeight(); ++y)
            if (PixelOf(plain.get(), x, y) != PixelOf(shown.get(), x, y)) return x;
    return -1;
}

TEST_F(Editor, AnAmpersandInAFileNameShowsInThePagesCaption) {
    TTempFolder folder;
    Picks.push_back(folder.PathOf("a&b"));
    Choose(Form->S1);
    const AnsiString caption = Form->SGB_Pages->GetCaption();
    EXPECT_EQ(caption.substr(caption.size() - 7), "a&b.pge");
    EXPECT_GT(CaptionEnd(Form, "Pages ::   a&b"), CaptionEnd(Form, "Pages ::   ab"));
}

// A name too long for the caption bar is shortened, and what stays is painted inside the bar:
// measured aside in the caption's font, it must match the ink the box paints.
TEST_F(Editor, ALongFileNameIsShortenedToTheInkThatFitsThePagesCaption) {
    TTempFolder folder;
    const AnsiString name = "a rather long name for a list of LED pages, kept for later";
    Picks.push_back(folder.PathOf(name));
    Choose(Form->S1);
    ASSERT_EQ(Form->GetFileName(), folder.PathOf(name + ".pge"));
    const AnsiString caption = Form->SGB_Pages->GetCaption();
    EXPECT_EQ(caption.rfind("Pages ::   ", 0), 0u) << caption;
    EXPECT_LT(caption.size(), AnsiString("Pages ::   " + Form->GetFileName()).size()) << caption;
    const int end = CaptionEnd(Form, caption);
    EXPECT_GT(end, CaptionEnd(Form, "Pages ::   "));
    EXPECT_LT(end, Form->SGB_Pages->CaptionTextRect().Right) << caption;
}

TEST_F(Editor, SaveWritesTheListAndOpenReadsItBack) {
    TTempFolder folder;
    AddPageOf({0, 1, 2, 3, 4, 5});
    AddPageOf({1, 2});
    Picks.push_back(folder.PathOf("digits"));
    Choose(Form->S1);
    ASSERT_EQ(Dialogs.size(), 1u);
    EXPECT_TRUE(Dialogs[0].Save);
    EXPECT_EQ(Dialogs[0].FileName, ExeDir() + "Untitled.pge");
    EXPECT_EQ(Dialogs[0].InitialDir, ExeDir() + "Projects\\");
    EXPECT_EQ(folder.Get("digits.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=192\r\n1=249\r\n");
    EXPECT_EQ(Form->GetFileName(), folder.PathOf("digits.pge"));
    EXPECT_FALSE(Form->GetModified());

    Choose(Form->New2);
    EXPECT_EQ(Form->GetPages().GetCount(), 0);
    EXPECT_EQ(Form->GetFileName(), ExeDir() + "Untitled.pge");
    Picks.push_back(folder.PathOf("digits.pge"));
    Choose(Form->Open2);
    EXPECT_FALSE(Dialogs[1].Save);
    EXPECT_EQ(Dialogs[1].InitialDir, ExeDir());
    EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xC0, 0xF9}));
    EXPECT_EQ(Form->GetPattern(), 0xC0);
    EXPECT_EQ(Form->GetFileName(), folder.PathOf("digits.pge"));
    EXPECT_FALSE(Form->GetModified());
    EXPECT_TRUE(Errors.empty()) << Errors.front();
}

TEST_F(Editor, ANameWithAnotherExtensionIsSavedAsTyped) {
    TTempFolder folder;
    Picks.push_back(folder.PathOf("list.txt"));
    Choose(Form->S1);
    EXPECT_EQ(folder.Get("list.txt"), "[Type]\r\nCommonType=0\r\n");
}

TEST_F(Editor, OpeningAFileOfTheOtherTypeShowsIt) {
    TTempFolder folder;
    folder.Put("cathode.pge", "[Type]\r\nCommonType=1\r\n[Page]\r\n0=6\r\n");
    Picks.push_back(folder.PathOf("cathode.pge"));
    Choose(Form->Open2);
    EXPECT_TRUE(Form->GetCommonType());
    EXPECT_EQ(Form->CB_LedType->GetItemIndex(), 1);
    EXPECT_FALSE(Form->GetTypeChanged());
    EXPECT_EQ(Form->GetPattern(), 0x06);
    for (int segment = 0; segment < kSegmentCount; ++segment)
        EXPECT_EQ(Tag(segment), segment == 1 || segment == 2 ? 1 : 0) << segment;
    ExpectThumbnailsFollowThePages();
}

TEST_F(Editor, DiscardingAsksAndGoesOnOnlyOnYes) {
    AddPageOf({0});
    Answers = {mrNo, mrCancel};
    Choose(Form->New2);
    Choose(Form->Open2);
    EXPECT_EQ(Form->GetPages().GetCount(), 1);
    EXPECT_TRUE(Dialogs.empty());
    ASSERT_EQ(Questions.size(), 2u);
    EXPECT_EQ(Questions[0], Form->GetFileName() +
                                " has been modified.\rContinuing will loose changes.\r"
                                "Do you want to continue?");
    // Yes, then the open dialog is cancelled: the old list stays, still modified.
    Answers = {mrYes};
    Picks.push_back("");
    Choose(Form->Open2);
    EXPECT_EQ(Form->GetPages().GetCount(), 1);
    EXPECT_TRUE(Form->GetModified());
    Answers = {mrYes};
    Choose(Form->New2);
    EXPECT_EQ(Form->GetPages().GetCount(), 0);
    EXPECT_FALSE(Form->GetModified());
}

TEST_F(Editor, OverwritingAsksAndNoChangesNothing) {
    TTempFolder folder;
    folder.Put("old.pge", "[Page]\r\n0=1\r\n");
    AddPageOf({0});
    AnsiString before = Form->GetFileName();
    Picks.push_back(folder.PathOf("old.pge"));
    Answers = {mrNo};
    Choose(Form->S1);
    EXPECT_EQ(Questions.back(), "Overwrite " + folder.PathOf("old.pge") + "?");
    EXPECT_EQ(folder.Get("old.pge"), "[Page]\r\n0=1\r\n");
    EXPECT_EQ(Form->GetFileName(), before);
    EXPECT_TRUE(Form->GetModified());
    Picks.push_back(folder.PathOf("old.pge"));
    Answers = {mrYes};
    Choose(Form->S1);
    EXPECT_EQ(folder.Get("old.pge"), "[Type]\r\nCommonType=0\r\n[Page]\r\n0=254\r\n");
    EXPECT_FALSE(Form->GetModified());
}

// Under the test system a read-only folder may still be writable, so the targets that
// cannot be written are in a folder that does not exist and below a plain file.
TEST_F(Editor, AFailedSaveIsReportedAndKeepsTheListModified) {
    TTempFolder folder;
    folder.Put("blocker", "a file, not a folder");
    AddPageOf({0});
    AnsiString before = Form->GetFileName();
    for (AnsiString target :
         {folder.PathOf("missing\\pages.pge"), folder.PathOf("blocker\\p.pge")}) {
        Errors.clear();
        Picks.push_back(target);
        Choose(Form->S1);
        ASSERT_EQ(Errors.size(), 1u) << target;
        EXPECT_EQ(Errors[0], "Unable to write to " + target);
        EXPECT_TRUE(Form->GetModified());
        EXPECT_EQ(Form->GetFileName(), before);
        EXPECT_FALSE(FileExists(target));
    }
    Errors.clear();
}

TEST_F(Editor, FilesThatAreNotPageListsAreReportedAndChangeNothing) {
    TTempFolder folder;
    folder.Put("garbage.pge", AnsiString("\x7f"
                                         "ELF\x02\x01\x01\0\0\0",
                                         10));
    folder.Put("truncated.pge", "[Type]\r\nCommonType=0\r\n[Page]\r\n0=19");
    folder.Put("big.pge", "[Page]\r\n0=300\r\n");
    AddPageOf({0});
    for (const char* name : {"garbage.pge", "big.pge"}) {
        Errors.clear();
        Answers = {mrYes};
        Picks.push_back(folder.PathOf(name));
        Choose(Form->Open2);
        ASSERT_EQ(Errors.size(), 1u) << name;
        EXPECT_NE(Errors[0].find(name), std::string::npos) << Errors[0];
        EXPECT_EQ(Form->GetPages().GetBytes(), std::vector<Byte>{0xFE});
        EXPECT_EQ(Form->GetFileName(), ExeDir() + "Untitled.pge");
    }
    Errors.clear();
    // A file cut short after a whole value still reads what it holds.
    Answers = {mrYes};
    Picks.push_back(folder.PathOf("truncated.pge"));
    Choose(Form->Open2);
    EXPECT_EQ(Form->GetPages().GetBytes(), std::vector<Byte>{19});
}

TEST_F(Editor, AnOpenThatFailsAtTheLastPageChangesNothing) {
    TTempFolder folder;
    // The third page of the file is the last whose thumbnail needs drawing.
    folder.Put("pages.pge", "[Page]\r\n0=192\r\n1=249\r\n2=191\r\n");
    AddPageOf({1});
    AddPageOf({2});
    ClickRow(1);
    Bmp32::TBitmap32* thumbnail = Form->GetPageImage(1);
    const std::vector<std::function<void()>> failures = {
        [] { throw EOutOfResources("Out of system resources"); },
        [] { throw std::bad_alloc(); }};
    for (const auto& fail : failures) {
        SetThumbnailHook([&](Byte Page) {
            if (Page == 191) fail();
        });
        Errors.clear();
        Answers = {mrYes};
        Picks.push_back(folder.PathOf("pages.pge"));
        Choose(Form->Open2);
        SetThumbnailHook(nullptr);
        ASSERT_EQ(Errors.size(), 1u);
        EXPECT_EQ(Form->GetPages().GetBytes(), (std::vector<Byte>{0xFD, 0xFB}));
        EXPECT_EQ(Form->GetPageImage(1), thumbnail);
        ExpectThumbnailsFollowThePages();
        EXPECT_EQ(Form->GetFileName(), ExeDir() + "Untitled.pge");
        EXPECT_TRUE(Form->GetModified());
        EXPECT_EQ(Rows(), 2);
        EXPECT_EQ(Selected(), 1);
    }
    EXPECT_EQ(Errors[0], "There is not enough memory to open " + folder.PathOf("pages.pge") +
                             "; the pages stay as they were");
}

TEST_F(Editor, ManyPagesOpenAtOnceCostNoGdiObjectsAndSaveWhole) {
    TTempFolder folder;
    folder.Put("few.pge", PageFileText(300));
    folder.Put("many.pge", PageFileText(10000));
    Picks.push_back(folder.PathOf("few.pge"));
    Choose(Form->Open2);
    PaintToBitmap(Form->TBL_Leds);
    const long objects = GdiObjectCount();
    Picks.push_back(folder.PathOf("many.pge"));
    Choose(Form->Open2);
    EXPECT_EQ(Rows(), 10000);
    Form->TBL_Leds->SetTopRow(10000);
    RECT last{0, Form->TBL_Leds->GetRowOffset(10000), 0, 0};
    auto table = PaintToBitmap(Form->TBL_Leds);
    // The last row shows the last page, 9999 * 37 % 256 = 43.
    for (int segment : {0, 2}) {
        const TPoint at = SegmentCentre(segment);
        const bool red =
            PixelOf(table.get(), last.left + 10 + at.X, last.top + at.Y) == COLORREF(0x0000FF);
        EXPECT_EQ(red, SegmentLit(segment, 43, false)) << segment;
    }
    table.reset();
    EXPECT_EQ(GdiObjectCount(), objects);
    ExpectThumbnailsFollowThePages();
    // Edited and saved whole.
    Click(Form->BTN_Add);
    Picks.push_back(folder.PathOf("saved.pge"));
    Choose(Form->S1);
    const std::vector<Byte> saved = ReadPageFile(folder.PathOf("saved.pge")).Pages;
    EXPECT_EQ(saved, Form->GetPages().GetBytes());
    EXPECT_EQ(saved.size(), 10001u);
}

// ---- Export --------------------------------------------------------------------------------

TEST_F(Editor, ExportFillsTheShippedTemplateAndOpensTheResult) {
    AnsiString output = ExeDir() + "sxb_sample.sxb";
    DeleteFile(output);
    AddPageOf({0, 1, 2, 3, 4, 5});
    AddPageOf({1, 2});
    Choose(Form->SXBasicSXx1);
    TStringList expected;
    expected.LoadFromFile(ExeDir() + "sxb.tpl");
    for (int i = 0; i < expected.GetCount(); ++i) {
        AnsiString line = expected[i];
        if (line == "[SETUP]") expected.Put(i, "  RB = %11111111");
        if (line == "[FORLOOP]") expected.Put(i, "FOR value = 0 TO 1");
        if (line == "[PAUSE]") expected.Put(i, "    PAUSE 500");
        if (line == "[LOOKUP]") expected.Put(i, "LOOKUP temp1, $C0, $F9, temp1");
    }
    EXPECT_EQ(TTempFolder::ReadWholeFile(output), expected.GetText());
    EXPECT_NE(expected.IndexOf("LOOKUP temp1, $C0, $F9, temp1"), -1);
    EXPECT_EQ(Shell, std::vector<AnsiString>{"open " + output + " 1"});
}

TEST_F(Editor, ExportWithoutPagesSaysSoAndWritesNothing) {
    AnsiString output = ExeDir() + "sxb_sample.sxb";
    DeleteFile(output);
    Answers = {mrOk};
    Choose(Form->SXBasicSXx1);
    EXPECT_EQ(Questions, std::vector<AnsiString>{"There are no pages to export."});
    EXPECT_FALSE(FileExists(output));
    EXPECT_TRUE(Shell.empty());
}

TEST_F(Editor, AnExportThatCannotBeShownIsReportedAsInformationNamingTheWrittenFile) {
    AnsiString output = ExeDir() + "sxb_sample.sxb";
    DeleteFile(output);
    AddPageOf({0});
    ShellResult = SE_ERR_NOASSOC; // as everywhere: no program is set for ".sxb"
    Answers = {mrOk};
    Choose(Form->SXBasicSXx1);
    EXPECT_TRUE(Errors.empty()) << Errors.front();
    EXPECT_EQ(Questions, std::vector<AnsiString>{"The sample program was written to " + output +
                                                 ".\rNo program is set to show it."});
    EXPECT_EQ(QuestionTypes, std::vector<TMsgDlgType>{mtInformation});
    EXPECT_TRUE(FileExists(output));

    // Any other failure of the shell is told with its reason, as information too.
    Questions.clear();
    QuestionTypes.clear();
    ShellResult = SE_ERR_ACCESSDENIED;
    Answers = {mrOk};
    Choose(Form->SXBasicSXx1);
    EXPECT_TRUE(Errors.empty()) << Errors.front();
    EXPECT_EQ(Questions, std::vector<AnsiString>{"The sample program was written to " + output +
                                                 ".\rIt could not be shown: " +
                                                 ShellErrorText(SE_ERR_ACCESSDENIED) + "."});
    EXPECT_EQ(QuestionTypes, std::vector<TMsgDlgType>{mtInformation});
}

TEST_F(Editor, ExportFailuresAreReported) {
    AddPageOf({0});
    // Without the template nothing is written and nothing opened.
    AnsiString templateFile = ExeDir() + "sxb.tpl";
    AnsiString aside = ExeDir() + "sxb.tpl.aside";
    ASSERT_TRUE(MoveFileA(templateFile.c_str(), aside.c_str()));
    DeleteFile(ExeDir() + "sxb_sample.sxb");
    Choose(Form->SXBasicSXx1);
    MoveFileA(aside.c_str(), templateFile.c_str());
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], "Cannot open file " + templateFile);
    EXPECT_FALSE(FileExists(ExeDir() + "sxb_sample.sxb"));
    EXPECT_TRUE(Shell.empty());

    // An output that cannot be replaced.
    AnsiString output = ExeDir() + "sxb_sample.sxb";
    WriteFileReplacing(output, "kept", 4);
    SetFileAttributesA(output.c_str(), FILE_ATTRIBUTE_READONLY);
    Errors.clear();
    Choose(Form->SXBasicSXx1);
    SetFileAttributesA(output.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFile(output);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], "Cannot create file " + output);
    EXPECT_TRUE(Shell.empty());
    Errors.clear();
}

// ---- Animation ----------------------------------------------------------------------------

TEST_F(Editor, AnimationStepsThroughThePagesEndlessly) {
    AddPageOf({0});
    AddPageOf({1});
    AddPageOf({2});
    Click(Form->BTN_Animate);
    EXPECT_EQ(Form->BTN_Animate->GetCaption(), "Stop");
    ASSERT_NE(Form->GetAnimationTimer(), nullptr);
    EXPECT_EQ(Form->GetAnimationTimer()->GetInterval(), 500u);
    std::vector<AnsiString> captions;
    std::vector<Byte> shown;
    for (int i = 0; i < 4; ++i) {
        Tick();
        captions.push_back(Form->BTN_Animate->GetCaption());
        shown.push_back(Form->GetPattern());
    }
    EXPECT_EQ(captions, (std::vector<AnsiString>{"Stop (1 - 3)", "Stop (2 - 3)", "Stop (3 - 3)",
                                                 "Stop (1 - 3)"}));
    EXPECT_EQ(shown, (std::vector<Byte>{0xFE, 0xFD, 0xFB, 0xFE}));
    // A click between ticks toggles until the next tick.
    ClickSegment(6);
    EXPECT_EQ(Form->GetPattern(), 0xBE);
    Tick();
    EXPECT_EQ(Form->GetPattern(), 0xFD);
    Click(Form->BTN_Animate);
    EXPECT_EQ(Form->BTN_Animate->GetCaption(), "Animate");
    EXPECT_EQ(Form->GetAnimationTimer(), nullptr);
    EXPECT_EQ(Form->GetPattern(), 0xFD);
}

TEST_F(Editor, ATickOnAnEmptyListStopsTheAnimation) {
    AddPageOf({0});
    AddPageOf({1});
    Click(Form->BTN_Animate);
    Answers = {mrYes};
    Choose(Form->New2);
    Tick();
    EXPECT_EQ(Form->GetAnimationTimer(), nullptr);
    EXPECT_EQ(Form->BTN_Animate->GetCaption(), "Animate");
    EXPECT_TRUE(Enabled(Form->BTN_Add));
    EXPECT_FALSE(Enabled(Form->BTN_Animate));
}

// ---- Closing and the about box --------------------------------------------------------------

TEST_F(Editor, ClosingWithUnsavedPagesAsksAndFreesOnlyOnYes) {
    AddPageOf({0});
    AddPageOf({1});
    Click(Form->BTN_Animate);
    Answers = {mrNo};
    Choose(Form->Exit1);
    EXPECT_TRUE(Form->GetVisible());
    EXPECT_NE(Form->GetAnimationTimer(), nullptr);
    Answers = {mrYes};
    Form->Close();
    EXPECT_EQ(Questions.size(), 2u);
    EXPECT_FALSE(Form->GetVisible());
    EXPECT_EQ(Form->GetAnimationTimer(), nullptr);
    for (int i = 0; i < Form->GetComponentCount(); ++i)
        EXPECT_EQ(dynamic_cast<TTimer*>(Form->GetComponent(i)), nullptr);
}

TEST_F(Editor, ClosingWithoutChangesAsksNothing) {
    Form->Close();
    EXPECT_TRUE(Questions.empty());
    EXPECT_FALSE(Form->GetVisible());
}

TEST_F(Editor, TheAboutBoxClosesOnAClickOnItsLabel) {
    // The click waits in the queue until the about box's own loop runs.
    HWND label = FAbout->skSkinLabel1->GetHandle();
    PostMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(46, 7));
    PostMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(46, 7));
    Choose(Form->MNU_About);
    EXPECT_FALSE(FAbout->GetVisible());
    EXPECT_EQ(FAbout->GetModalResult(), mrCancel);
}

// ---- A picture for people -------------------------------------------------------------------

// Saves editor.bmp beside the test program: the window with a few pages, one viewed.
// The page table: headings, the three values and the thumbnail in each page's row, the
// browse colours and frame of the active row, and moves by key, wheel and scroll bar.
TEST_F(Editor, PageTableShowsPagesAndMovesByKeysWheelAndScrollBar) {
    // The type box open makes the table short: three pages take more than one page of rows.
    Form->SGB_Type->SetRollUpState(false);
    AddPageOf({0, 1, 2, 3, 4, 5});
    AddPageOf({1, 2});
    AddPageOf({0, 1, 3, 4, 6});
    TGclTable* table = Form->TBL_Leds;
    ASSERT_TRUE(TakeFocus(table));
    ClickRow(1);
    EXPECT_EQ(Selected(), 1);
    AnsiString file = ExeDir() + "editor_table.bmp";
    CaptureWindow(Form->GetHandle())->SaveToFile(file);
    EXPECT_TRUE(FileExists(file));
    auto shot = PaintToBitmap(table);
    EXPECT_EQ(PixelOf(shot.get(), 2, 12), COLORREF(ColorToRGB(table->GetColors()->GetLocked())));
    // Row 2 (page 1) is active: its value cells take the browse colours.
    EXPECT_EQ(PixelOf(shot.get(), 52, 25 + 40 + 3), COLORREF(ColorToRGB(table->GetColors()->GetActiveFocused())));
    EXPECT_EQ(PixelOf(shot.get(), 52, 25 + 3), COLORREF(ColorToRGB(table->GetColor())));
    // The black frame of the focused cell (the click made column 1 active), inside the band.
    EXPECT_EQ(table->GetActiveCol(), 1);
    EXPECT_EQ(PixelOf(shot.get(), 50, 25 + 40 + 20), COLORREF(0));
    EXPECT_EQ(PixelOf(shot.get(), 97, 25 + 40 + 20), COLORREF(0));
    // The thumbnail of page 1 (segments b and c) in the first column.
    EXPECT_EQ(PixelOf(shot.get(), 10 + 21, 25 + 40 + 10), COLORREF(0x0000FF));
    EXPECT_EQ(PixelOf(shot.get(), 10 + 10, 25 + 40 + 4), COLORREF(ColorToRGB(table->GetColors()->GetActiveFocused())));
    std::string texts;
    void* data = nullptr;
    for (int column = 1; column <= 3; ++column) {
        Form->TBL_LedsGetCellData(table, 2, column, data, cdpForPaint);
        texts += static_cast<const char*>(data);
        texts += ' ';
    }
    EXPECT_EQ(texts, "249 $F9 %11111001 ");
    Form->TBL_LedsGetCellData(table, 0, 1, data, cdpForPaint);
    EXPECT_EQ(data, nullptr);
    Form->TBL_LedsGetCellData(table, 4, 1, data, cdpForPaint);
    EXPECT_EQ(data, nullptr);

    PostKey(table, VK_DOWN);
    EXPECT_EQ(Selected(), 2);
    PostKey(table, VK_UP);
    PostKey(table, VK_UP);
    EXPECT_EQ(Selected(), 0);
    PostKey(table, VK_UP); // the heading row is never active
    EXPECT_EQ(Selected(), 0);
    SHORT (*ctrl)(int) = [](int Key) -> SHORT { return Key == VK_CONTROL ? SHORT(0x8000) : SHORT(0); };
    TGclKeyStateFunc previous = SetGclKeyStateSource(ctrl);
    PostKey(table, VK_END);
    EXPECT_EQ(Selected(), 2);
    PostKey(table, VK_HOME);
    EXPECT_EQ(Selected(), 0);
    SetGclKeyStateSource(previous);
    PostKey(table, VK_NEXT);
    EXPECT_GT(Selected(), 0);
    PostKey(table, VK_PRIOR);
    EXPECT_EQ(Selected(), 0);
    SendMessageA(table->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump();
    EXPECT_EQ(Selected(), 1);
    SendMessageA(table->GetHandle(), WM_VSCROLL, SB_LINEDOWN, 0);
    Pump();
    EXPECT_EQ(table->GetTopRow(), table->GetLastPageTopRow());
    // A double click views the row under it.
    Mouse(table, WM_LBUTTONDBLCLK, MK_LBUTTON, {60, table->GetRowOffset(table->GetActiveRow()) + 20});
    Mouse(table, WM_LBUTTONUP, 0, {60, table->GetRowOffset(table->GetActiveRow()) + 20});
    EXPECT_EQ(Form->GetPattern(), Form->GetPages().Get(Selected()));
}

TEST_F(Editor, ScreenshotWithPages) {
    AddPageOf({0, 1, 2, 3, 4, 5});
    AddPageOf({1, 2});
    AddPageOf({0, 1, 3, 4, 6});
    AddPageOf({0, 1, 2, 3, 6, 7});
    ClickRow(2);
    Click(Form->BTN_ViewPage);
    Mouse(Form->IMG_Seg, WM_MOUSEMOVE, 0, kSegmentPoints[6]);
    AnsiString file = ExeDir() + "editor.bmp";
    CaptureWindow(Form->GetHandle())->SaveToFile(file);
    EXPECT_TRUE(FileExists(file));
}

} // namespace
