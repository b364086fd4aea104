// Skinned edits on real windows: client areas skinned and plain, keys reported and
// filtered, the button's hit codes and click, the number edit's characters and steps,
// paste rules, and a screenshot (edits.bmp beside the test program) of both looks.
#include "skin/boxctrls/SkinBoxCtrls_Edits.h"

#include "skin/data/SkinData_EditControls.h"

#include "classlib/Clipboard.h"
#include "classlib/Paths.h"

#include "tests/skin/controls/SkinFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace {

constexpr TColor kFace = 0x00FFFF;   // the edit's normal picture
constexpr TColor kActive = 0xFF00FF; // hot

class SkinEdit : public ShownFormTest {
protected:
    // An "edit" record 100 x 24: client (3, 4, 95, 20), right cap from 80, a button at 82.
    TskDataSkinEditControl* AddEditRecord(TFixtureSkin& Skin, const char* Name = "edit") {
        const int picture = Skin.AddPicture(240, 24);
        Skin.Fill(picture, TRect(0, 0, 100, 24), kFace);
        Skin.Fill(picture, TRect(100, 0, 200, 24), kActive);
        auto* record = Skin.AddFramed<TskDataSkinEditControl>(Name, picture, TRect(0, 0, 100, 24));
        record->RTPoint = TPoint(80, 4);
        record->ClRect = TRect(3, 4, 80, 20);
        record->ActiveSkinRect = TRect(100, 0, 200, 24);
        record->ButtonRect = TRect(82, 4, 97, 20);
        record->FontName = "Courier New";
        record->FontColor = clNavy;
        record->ActiveFontColor = clRed;
        record->DisabledFontColor = clGray;
        return record;
    }
    static TSize ClientSize(TWinControl* Control) {
        RECT r;
        GetClientRect(Control->GetHandle(), &r);
        return TSize{r.right, r.bottom};
    }
    template <typename T> T* Edit(int Top) {
        T* edit = Add<T>(Form, 10, Top, 120, 20);
        edit->OnKeyDown = TKeyEvent::FromCallable([this](TObject*, Word& Key, TShiftState) {
            Log.push_back("down " + std::to_string(Key));
        });
        edit->OnKeyPress = TKeyPressEvent::FromCallable(
            [this](TObject*, char& Key) { Log.push_back("press " + std::to_string(int(Key))); });
        return edit;
    }
    void Type(TWinControl* Control, const std::string& Text) {
        for (char c : Text)
            PostMessageA(Control->GetHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        Pump();
    }
    // A non-client mouse message at window point (X, Y) with its hit code; the hit code.
    static LRESULT NCMouse(TWinControl* Control, UINT Msg, int X, int Y) {
        RECT w;
        GetWindowRect(Control->GetHandle(), &w);
        const LPARAM at = MAKELPARAM(w.left + X, w.top + Y);
        const LRESULT code = SendMessageA(Control->GetHandle(), WM_NCHITTEST, 0, at);
        if (Msg != WM_NCHITTEST) SendMessageA(Control->GetHandle(), Msg, code, at);
        return code;
    }

    std::vector<std::string> Log;
};

TEST_F(SkinEdit, PlainClientAreaLeavesTwoPixelsAndTwentyTwoForTheButton) {
    auto* edit = Edit<TskSkinEdit>(10);
    EXPECT_TRUE(GetWindowLongA(edit->GetHandle(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(SendMessageA(edit->GetHandle(), EM_GETMARGINS, 0, 0), MAKELONG(2, 0));
    EXPECT_EQ(ClientSize(edit), (TSize{116, 16}));

    edit->SetButtonMode(true);
    EXPECT_EQ(ClientSize(edit), (TSize{96, 16}));
}

TEST_F(SkinEdit, SkinnedClientAreaFollowsTheRecordAndTheHeightSnapsToIt) {
    TFixtureSkin skin;
    AddEditRecord(skin);
    auto* edit = Edit<TskSkinEdit>(10);
    edit->SetButtonMode(true);
    edit->SetSkinData(skin.Data.get());
    ASSERT_TRUE(edit->IsSkinned());
    EXPECT_EQ(edit->GetHeight(), 24);
    EXPECT_EQ(edit->GetFont()->GetName(), "Courier New");
    // 120 wide: 3 on the left, 100 - 80 on the right, 4 at the top and the bottom.
    EXPECT_EQ(ClientSize(edit), (TSize{97, 16}));

    edit->SetBounds(10, 10, 150, 40);
    EXPECT_EQ(edit->GetHeight(), 24);
    EXPECT_EQ(ClientSize(edit), (TSize{127, 16}));
    edit->CalcRects();
    // The button lies in the right cap, so it moves with the right edge.
    EXPECT_EQ(edit->GetButtonRect(), TRect(132, 4, 147, 20));

    // The text's colour follows the pointer and the enabled state.
    EXPECT_EQ(edit->GetFont()->GetColor(), clNavy);
    edit->Perform(CM_MOUSEENTER, 0, 0);
    EXPECT_EQ(edit->GetFont()->GetColor(), clRed);
    edit->Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(edit->GetFont()->GetColor(), clNavy);
    edit->SetEnabled(false);
    EXPECT_EQ(edit->GetFont()->GetColor(), clGray);
}

TEST_F(SkinEdit, WithoutAnEditRecordOrItsPictureTheLookIsPlain) {
    TFixtureSkin others;
    others.AddFramed<TskDataSkinCustomControl>("panel", others.AddPicture(10, 10), TRect(0, 0, 10, 10));
    TFixtureSkin wrongKind;
    wrongKind.AddFramed<TskDataSkinCustomControl>("edit", wrongKind.AddPicture(10, 10),
                                                  TRect(0, 0, 10, 10));
    TFixtureSkin noPicture;
    auto* broken = AddEditRecord(noPicture);
    broken->PictureIndex = 5;
    broken->SkinRect = TRect();
    for (TFixtureSkin* skin : {&others, &wrongKind, &noPicture}) {
        auto* edit = Edit<TskSkinEdit>(10);
        edit->SetSkinData(skin->Data.get());
        EXPECT_EQ(PixelOf(CaptureWindow(edit->GetHandle()).get(), 0, 0), ColorToRGB(clBtnFace));
        edit->SetBounds(10, 10, 120, 30);
        EXPECT_EQ(edit->GetHeight(), 30);
        EXPECT_EQ(ClientSize(edit).cy, 26);
        EXPECT_LE(ClientSize(edit).cx, 120);
        delete edit;
    }
}

TEST_F(SkinEdit, TransparentTextShowsTheParentAndRepaintsSettle) {
    Form->SetColor(clYellow);
    auto* inner = Add<TskCustomEdit>(Form, 10, 10, 120, 20);
    inner->SetEditTransparent(true);
    inner->SetText("inner");
    auto* edit = Edit<TskSkinEdit>(40);
    ASSERT_TRUE(TakeFocus(edit));
    Type(edit, "typed");
    auto image = CaptureWindow(inner->GetHandle());
    EXPECT_EQ(PixelOf(image.get(), 100, 10), ColorToRGB(clYellow));
    // Nothing is left to paint: no repaint asks for the next one.
    Pump();
    for (HWND wnd : {inner->GetHandle(), edit->GetHandle(), Form->GetHandle()})
        EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
}

// A parent that does not clip its children: invalidating it invalidates the edit too.
class TNoClipPanel : public TCustomControl {
public:
    explicit TNoClipPanel(TComponent* AOwner) : TCustomControl(AOwner) {}
    int Paints = 0;

protected:
    void CreateParams(TCreateParams& Params) override {
        TCustomControl::CreateParams(Params);
        Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    }
    void Paint() override {
        ++Paints;
        GetCanvas()->GetBrush()->SetColor(clLime);
        GetCanvas()->FillRect(GetClientRect());
    }
};

// Messages handled until none is left, at most Limit; how many were handled.
int PumpAtMost(int Limit) {
    MSG msg;
    int handled = 0;
    while (handled < Limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ++handled;
    }
    return handled;
}

TEST_F(SkinEdit, TransparentTextInAParentThatDoesNotClipItsChildrenSettles) {
    auto* panel = Add<TNoClipPanel>(Form, 10, 10, 200, 70);
    auto* inner = Add<TskCustomEdit>(panel, 10, 10, 120, 20);
    inner->SetEditTransparent(true);
    auto* skinned = Add<TskSkinEdit>(panel, 10, 40, 120, 20);
    int editPaints = 0;
    std::vector<std::pair<TskCustomEdit*, TWndMethod>> hooked;
    for (TskCustomEdit* edit : {inner, static_cast<TskCustomEdit*>(skinned)}) {
        TWndMethod old = edit->WindowProc;
        hooked.emplace_back(edit, old);
        edit->WindowProc = TWndMethod::FromCallable([&editPaints, old](TMessage& Message) {
            if (Message.Msg == WM_PAINT) ++editPaints;
            old(Message);
        });
        edit->SetText("settles");
    }
    ASSERT_LT(PumpAtMost(1000), 1000);
    panel->Paints = editPaints = 0;
    inner->Invalidate();
    skinned->Invalidate();
    panel->Invalidate();
    EXPECT_LT(PumpAtMost(1000), 1000);
    EXPECT_LE(panel->Paints, 2);
    EXPECT_LE(editPaints, 4);
    for (HWND wnd : {inner->GetHandle(), skinned->GetHandle(), panel->GetHandle()})
        EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE));
    // Still transparent: the parent's colour shows beside the text, and the skinned edit's
    // own (plain) picture beside its text.
    EXPECT_EQ(PixelOf(CaptureWindow(inner->GetHandle()).get(), 110, 10), ColorToRGB(clLime));
    EXPECT_EQ(PixelOf(CaptureWindow(skinned->GetHandle()).get(), 110, 10), ColorToRGB(clWindow));
    // Text taken away leaves nothing of itself behind.
    inner->SetText("");
    ASSERT_LT(PumpAtMost(1000), 1000);
    auto emptied = CaptureWindow(inner->GetHandle());
    int leftovers = 0;
    for (int y = 0; y < inner->GetHeight(); ++y)
        for (int x = 8; x < inner->GetWidth(); ++x)
            leftovers += PixelOf(emptied.get(), x, y) != ColorToRGB(clLime);
    EXPECT_EQ(leftovers, 0);
    for (auto& [edit, old] : hooked) edit->WindowProc = old;
}

TEST_F(SkinEdit, EnterIsReportedNotTypedAndReadOnlyDropsEverythingButEsc) {
    auto* edit = Edit<TskSkinEdit>(10);
    ASSERT_TRUE(TakeFocus(edit));
    Type(edit, "ab");
    Log.clear();
    PostKey(edit, VK_RETURN);
    EXPECT_EQ(Log, (std::vector<std::string>{"down 13", "press 13"}));
    // Ctrl+Enter types a line feed: no line break either.
    Type(edit, "\ncd");
    EXPECT_EQ(edit->GetText(), "abcd");

    edit->SetReadOnly(true);
    edit->SelectAll();
    Type(edit, "x\b");
    PostKey(edit, VK_DELETE);
    Clipboard()->SetAsText("pasted");
    for (UINT msg : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO}) SendMessageA(edit->GetHandle(), msg, 0, 0);
    EXPECT_EQ(edit->GetText(), "abcd");
    Log.clear();
    PostKey(edit, VK_ESCAPE);
    EXPECT_EQ(Log, (std::vector<std::string>{"down 27", "press 27"}));
}

TEST_F(SkinEdit, PasteDropsLineBreaksAndTheNumberEditFiltersLikeTyping) {
    auto* edit = Edit<TskSkinEdit>(10);
    ASSERT_TRUE(TakeFocus(edit));
    Clipboard()->SetAsText("one\r\ntwo\nthree");
    SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(edit->GetText(), "onetwothree");

    auto* number = Edit<TskSkinNumEdit>(40);
    number->Float = true;
    number->SetText("7");
    number->SetSelStart(1);
    Clipboard()->SetAsText("1x2\r\n-3.4.5");
    SendMessageA(number->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(number->GetText(), "712-3.45");
    // The separator it replaces does not count.
    number->SelectAll();
    Clipboard()->SetAsText("0.5");
    SendMessageA(number->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(number->GetText(), "0.5");
    number->EditorEnabled = false;
    SendMessageA(number->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(number->GetText(), "0.5");
}

TEST_F(SkinEdit, NumberEditTakesNumberCharactersAndTurnsArrowsAndWheelIntoSteps) {
    auto* number = Edit<TskSkinNumEdit>(10);
    number->OnUpClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("up"); });
    number->OnDownClick = TNotifyEvent::FromCallable([this](TObject*) { Log.push_back("step down"); });
    ASSERT_TRUE(TakeFocus(number));
    Type(number, "1a2.-3");
    EXPECT_EQ(number->GetText(), "12-3");
    number->Float = true;
    Type(number, ".4.5");
    EXPECT_EQ(number->GetText(), "12-3.45");
    Type(number, "\b");
    EXPECT_EQ(number->GetText(), "12-3.4");

    Log.clear();
    PostKey(number, VK_UP);
    PostKey(number, VK_DOWN);
    SendMessageA(number->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    SendMessageA(number->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"up", "step down", "step down", "up"}));

    number->EditorEnabled = false;
    Log.clear();
    Type(number, "9\b");
    EXPECT_EQ(number->GetText(), "12-3.4");
    PostKey(number, VK_UP);
    PostKey(number, VK_RETURN);
    EXPECT_EQ(Log, (std::vector<std::string>{"up", "down 13", "press 13"}));
}

TEST_F(SkinEdit, TheButtonAnswersItsHitCodesAndClicksOnReleaseAfterFocusing) {
    auto* other = Edit<TskSkinEdit>(60);
    auto* edit = Edit<TskSkinEdit>(10);
    edit->SetButtonMode(true);
    int clicks = 0;
    bool focusedAtClick = false;
    edit->OnButtonClick = TNotifyEvent::FromCallable([&](TObject*) {
        ++clicks;
        focusedAtClick = edit->Focused();
    });
    EXPECT_EQ(NCMouse(edit, WM_NCHITTEST, 110, 10), HTEDITBUTTON);
    EXPECT_EQ(NCMouse(edit, WM_NCHITTEST, 50, 10), HTCLIENT);
    EXPECT_EQ(NCMouse(edit, WM_NCHITTEST, 1, 1), HTEDITFRAME);

    ASSERT_TRUE(TakeFocus(other));
    NCMouse(edit, WM_NCMOUSEMOVE, 110, 10);
    EXPECT_TRUE(edit->IsButtonHot());
    NCMouse(edit, WM_NCLBUTTONDOWN, 110, 10);
    EXPECT_TRUE(edit->IsButtonDown());
    EXPECT_EQ(PixelOf(CaptureWindow(edit->GetHandle()).get(), 110, 10), 0xB59385u);
    EXPECT_EQ(clicks, 0);
    NCMouse(edit, WM_NCLBUTTONUP, 110, 10);
    EXPECT_FALSE(edit->IsButtonDown());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(focusedAtClick);

    // A press on the frame starts nothing (no scroll bar is tracked) and clicks nothing.
    NCMouse(edit, WM_NCLBUTTONDOWN, 1, 1);
    NCMouse(edit, WM_NCLBUTTONUP, 1, 1);
    EXPECT_EQ(clicks, 1);
    NCMouse(edit, WM_NCMOUSEMOVE, 1, 1);
    EXPECT_FALSE(edit->IsButtonHot());
    NCMouse(edit, WM_NCMOUSEMOVE, 110, 10);
    SendMessageA(edit->GetHandle(), WM_NCMOUSELEAVE, 0, 0);
    EXPECT_FALSE(edit->IsButtonHot());
    // Tab is no character of the multi-line EDIT: it moves the focus on.
    PostKey(edit, VK_TAB);
    EXPECT_TRUE(other->Focused());
}

TEST_F(SkinEdit, ScreenshotOfSkinnedAndPlainEdits) {
    Form->SetBounds(50, 50, 420, 200);
    TskSkinData program(nullptr);
    program.LoadFromFile(VANTOREL_SKIN_INI);
    ASSERT_FALSE(program.Empty);
    TFixtureSkin fixture;
    AddEditRecord(fixture);
    const int index = program.GetControlIndex("edit");
    ASSERT_NE(index, -1);
    TskSkinData* skins[] = {&program, fixture.Data.get(), nullptr};
    std::vector<TskSkinEdit*> edits;
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) {
            auto* edit = Add<TskSkinEdit>(Form, 10 + column * 130, 10 + row * 40, 120, 20);
            edit->SetButtonMode(column == 2);
            if (skins[row]) edit->SetSkinData(skins[row]);
            edit->SetText(column == 1 ? "hot" : "Text 123");
            if (column == 1) edit->Perform(CM_MOUSEENTER, 0, 0);
            edits.push_back(edit);
        }
    auto shot = CaptureWindow(Form->GetHandle());
    shot->SaveToFile(ExeDir() + "edits.bmp");

    auto pixelAt = [](TskSkinEdit* Edit, int X, int Y) {
        return PixelOf(CaptureWindow(Edit->GetHandle()).get(), X, Y);
    };
    // The program's skin: the frame's corner is the picture's.
    TBitmap* picture = program.ActivePictures[0].get();
    TskDataSkinControl* record = program.CtrlList[static_cast<std::size_t>(index)].get();
    EXPECT_EQ(pixelAt(edits[0], 0, 0),
              PixelOf(picture, record->SkinRect.Left, record->SkinRect.Top));
    // The text is drawn over the skin's picture, not over a background of its own.
    EXPECT_EQ(pixelAt(edits[3], 90, 10), ColorToRGB(kFace));
    EXPECT_EQ(pixelAt(edits[4], 90, 10), ColorToRGB(kActive));
    // Plain: a face ring outside a shadow ring, the window colour inside, the button face.
    EXPECT_EQ(pixelAt(edits[6], 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixelAt(edits[6], 100, 10), ColorToRGB(clWindow));
    EXPECT_EQ(pixelAt(edits[7], 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixelAt(edits[8], 110, 10), ColorToRGB(clBtnFace));
}

} // namespace
