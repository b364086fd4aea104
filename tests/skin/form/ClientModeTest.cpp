// The skinned frame in client mode on real windows: the whole skin painted in the client
// area, its hit tests, the control on the skin's area, roll-up to the roll-up picture and
// mask and back, dragging by the client area, mutated skins.
#include "skin/controls/SkinCtrls_Panels.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinForm_Frame.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"

#include "classlib/Panels.h"
#include "classlib/Paths.h"

namespace {

COLORREF Rgb(TColor C) {
    return static_cast<COLORREF>(ColorToRGB(C)) & 0xFFFFFF;
}

class ClientMode : public ShownFormTest {
protected:
    void SetUp() override {
        // A pointer left over the form's close button by an earlier program would hover it.
        SetCursorPos(0, 0);
        ShownFormTest::SetUp();
        Form->SetCaption("Client");
        Skin = new TskSkinForm(Form);
        Skin->SetSupportNCArea(false);
        Panel = Add<TskSkinPanel>(Form, 0, 0, 10, 10);
        Panel->SetAreaName("panelarea");
        Panel->SetAlign(alBottom);
        Form->SetBounds(100, 100, 300, 200);
        Data = new TskSkinData(Form);
        testskins::Build(Data, {.Mask = true, .ClientMode = true});
        Skin->SetSkinData(Data);
        Pump();
    }

    TRect Window() { return testskins::WindowRectOf(Form); }
    int HitAt(int X, int Y) { return testskins::HitTestAt(Form, X, Y); }
    // The real pointer goes where the message says: the form's mouse timer looks where the
    // pointer really is and lets an object go when the pointer is not over the form.
    void Mouse(UINT Msg, int X, int Y) {
        PutPointer(Form, X, Y);
        SendMessageA(Form->GetHandle(), Msg, Msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(X, Y));
        Pump();
    }
    bool InRegion(int X, int Y) {
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        const bool in = GetWindowRgn(Form->GetHandle(), rgn) != ERROR && PtInRegion(rgn, X, Y);
        DeleteObject(rgn);
        return in;
    }

    TskSkinForm* Skin = nullptr;
    TskSkinData* Data = nullptr;
    TskSkinPanel* Panel = nullptr;
};

TEST_F(ClientMode, TheWholeSkinIsPaintedInTheClientArea) {
    ASSERT_TRUE(Skin->SkinApplied());
    EXPECT_EQ(Form->GetClientWidth(), 300);
    EXPECT_EQ(Form->GetClientHeight(), 200);
    auto shot = CaptureWindow(Form->GetHandle());
    shot->SaveToFile(ExeDir() + "skinform_clientmode.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 150, 10), Rgb(testskins::kTop));
    EXPECT_EQ(PixelOf(shot.get(), 1, 100), Rgb(testskins::kLeft));
    EXPECT_EQ(PixelOf(shot.get(), 298, 100), Rgb(testskins::kRight));
    EXPECT_EQ(PixelOf(shot.get(), 150, 198), Rgb(testskins::kBottom));
    EXPECT_EQ(PixelOf(shot.get(), 150, 100), Rgb(testskins::kClient));
    EXPECT_EQ(PixelOf(shot.get(), 288, 12), Rgb(testskins::kButton)) << "close button at the right edge";
    EXPECT_FALSE(InRegion(0, 0)) << "the mask's cut corner";
    EXPECT_TRUE(InRegion(150, 100));
    // The control named after the area stands on it, no longer aligned.
    EXPECT_EQ(Panel->GetAlign(), alNone);
    EXPECT_EQ(TRect(Panel->GetLeft(), Panel->GetTop(), Panel->GetLeft() + Panel->GetWidth(),
                    Panel->GetTop() + Panel->GetHeight()),
              testskins::kArea);
    struct Case {
        int X, Y, Code;
    };
    const Case cases[] = {{1, 1, HTTOPLEFT},       {150, 0, HTTOP},  {0, 100, HTLEFT},  {299, 100, HTRIGHT},
                          {299, 199, HTBOTTOMRIGHT}, {150, 199, HTBOTTOM}, {150, 100, HTCLIENT}, {30, 12, HTCLIENT}};
    for (const Case& c : cases) EXPECT_EQ(HitAt(c.X, c.Y), c.Code) << c.X << "," << c.Y;
    // Sizing lays the skin out again.
    Form->SetBounds(100, 100, 360, 220);
    Pump();
    shot = CaptureWindow(Form->GetHandle());
    EXPECT_EQ(PixelOf(shot.get(), 358, 100), Rgb(testskins::kRight));
    EXPECT_EQ(PixelOf(shot.get(), 348, 12), Rgb(testskins::kButton));
    EXPECT_FALSE(InRegion(359, 0));
}

TEST_F(ClientMode, RollUpShowsTheRollUpPictureCutByItsMask) {
    // A window of the window colour behind the form, never active: the mask's cut corners
    // show it, where the empty desktop of the test display would show black.
    HWND behind = CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | SS_WHITERECT, 0, 0, 0, 0, nullptr,
                                  nullptr, nullptr, nullptr);
    SetWindowPos(behind, nullptr, 90, 90, 320, 40, SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
    SetWindowPos(Form->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump();
    Form->GetConstraints()->SetMinHeight(150);
    Skin->SetSizeable(false);
    // A double click on the caption rolls a form that cannot size up.
    Mouse(WM_LBUTTONDBLCLK, 30, 12);
    Mouse(WM_LBUTTONUP, 30, 12);
    ASSERT_TRUE(Skin->GetRollUpState());
    EXPECT_EQ(Window(), TRect(100, 100, 400, 100 + testskins::kRollUpHeight)) << "wins over the constraints";
    EXPECT_FALSE(Panel->GetVisible());
    // The picture stretches between its points: the unroll button follows the right edge.
    const int unroll = Skin->GetIndex("unrollbutton");
    ASSERT_NE(unroll, -1);
    EXPECT_EQ(Skin->GetObject(unroll)->ObjectRect, TRect(280, 4, 296, 20));
    // Its hint is the skin's own, written for the rolled-up frame it belongs to.
    Skin->GetObject(unroll)->Hint = "Unroll";
    EXPECT_EQ(Skin->GetObject(unroll)->CurrentHint(), "Unroll");
    auto shot = CaptureWindow(Form->GetHandle());
    shot->SaveToFile(ExeDir() + "skinform_clientmode_rolledup.bmp");
    EXPECT_EQ(PixelOf(shot.get(), 150, 12), Rgb(testskins::kRollUp));
    EXPECT_EQ(PixelOf(shot.get(), 288, 12), Rgb(testskins::kButton));
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), Rgb(clWindow)) << "the window behind, through the cut corner";
    EXPECT_EQ(PixelOf(shot.get(), 299, 2), Rgb(clWindow));
    EXPECT_EQ(PixelOf(shot.get(), 3, 0), Rgb(testskins::kRollUp));
    DestroyWindow(behind);
    EXPECT_FALSE(InRegion(299, 0));
    EXPECT_TRUE(InRegion(150, 12));
    EXPECT_EQ(HitAt(0, 12), HTCLIENT) << "a rolled-up form does not size";
    // Its unroll button gives the form back.
    Mouse(WM_LBUTTONDOWN, 288, 12);
    Mouse(WM_LBUTTONUP, 288, 12);
    EXPECT_FALSE(Skin->GetRollUpState());
    EXPECT_EQ(Window(), TRect(100, 100, 400, 300));
    EXPECT_TRUE(Panel->GetVisible());
    EXPECT_EQ(Form->GetConstraints()->GetMinHeight(), 150);
    EXPECT_FALSE(InRegion(0, 0));
    EXPECT_TRUE(InRegion(299, 199));
    // A skin change keeps the roll-up with a roll-up picture and ends it without one.
    Skin->SetRollUpState(true);
    auto reload = [&](const testskins::Options& O) {
        testskins::Build(Data, O);
        Data->SendSkinDataMessage(WM_BEFORECHANGESKINDATA);
        Data->SendSkinDataMessage(WM_CHANGESKINDATA);
        Pump();
    };
    reload({.Mask = true, .ClientMode = true});
    EXPECT_EQ(Form->GetHeight(), testskins::kRollUpHeight);
    reload({.Mask = true});
    EXPECT_FALSE(Skin->GetRollUpState());
    EXPECT_EQ(Form->GetHeight(), 200);
    EXPECT_TRUE(Panel->GetVisible());
    Skin->SetRollUpState(true);
    EXPECT_FALSE(Skin->GetRollUpState()) << "no roll-up picture, no roll-up";
}

TEST_F(ClientMode, ControlsShownAgainAfterRollUpsAreNoLongerLinkedToTheSkinForm) {
    auto* plain = Add<TPanel>(Form, 10, 40, 20, 20);
    for (int i = 0; i < 3; ++i) {
        Skin->SetRollUpState(true);
        Skin->SetRollUpState(false);
    }
    ASSERT_TRUE(plain->GetVisible());
    EXPECT_FALSE(plain->GetComponentState().Contains(csFreeNotification));
}

TEST_F(ClientMode, AControlTakenOffItsAreaAfterSkinChangesIsNoLongerLinkedToTheSkinForm) {
    for (int i = 0; i < 3; ++i)
        Skin->ChangeSkinData();
    Panel->SetAreaName("");
    Skin->ChangeSkinData();
    EXPECT_FALSE(Panel->GetComponentState().Contains(csFreeNotification));
}

TEST_F(ClientMode, ADraggableFormFollowsThePointerFromOutsideTheObjects) {
    const TRect before = Window();
    SetCursorPos(before.Left + 150, before.Top + 100);
    Mouse(WM_LBUTTONDOWN, 150, 100);
    EXPECT_FALSE(Skin->GetDragging()) << "not draggable: a press does nothing";
    Mouse(WM_LBUTTONUP, 150, 100);
    Skin->SetDraggAble(true);
    Mouse(WM_LBUTTONDOWN, 150, 100);
    ASSERT_TRUE(Skin->GetDragging());
    SetCursorPos(before.Left + 180, before.Top + 120);
    Skin->TestMouse(nullptr);
    EXPECT_EQ(Window(), MovedRect(before, 30, 20));
    Mouse(WM_LBUTTONUP, 180, 120);
    EXPECT_FALSE(Skin->GetDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    // A change of activation ends a drag.
    Mouse(WM_LBUTTONDOWN, 150, 100);
    ASSERT_TRUE(Skin->GetDragging());
    SendMessageA(Form->GetHandle(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(Skin->GetDragging());
    Mouse(WM_LBUTTONUP, 150, 100);
    // On a button the press is the button's.
    Mouse(WM_LBUTTONDOWN, 288, 12);
    EXPECT_FALSE(Skin->GetDragging());
    EXPECT_EQ(Skin->GetMouseDownObject(), Skin->GetIndex("closebutton"));
    Mouse(WM_LBUTTONUP, 5, 150);
    SetCursorPos(1279, 1023);
}

TEST_F(ClientMode, SkinCursorsFollowTheObjectUnderThePointer) {
    Data->StartCursorIndex = 5;
    Data->FormCursorIndex = 1;
    for (auto& o : Data->ObjectList)
        if (o->IDName == "closebutton") o->CursorIndex = 2;
    Skin->ChangeSkinData();
    Pump();
    const TRect w = Window();
    const auto cursorAt = [&](int X, int Y) {
        SetCursorPos(w.Left + X, w.Top + Y);
        Skin->TestMouse(nullptr);
        return Form->GetCursor();
    };
    EXPECT_EQ(cursorAt(288, 12), crDefault) << "skin cursors are off by default";
    Skin->SetUseSkinCursors(true);
    EXPECT_EQ(cursorAt(288, 12), 7) << "the object's own cursor";
    EXPECT_EQ(cursorAt(150, 100), 6) << "elsewhere the form's";
    Data->FormCursorIndex = -1;
    EXPECT_EQ(cursorAt(150, 110), crDefault);
    SetCursorPos(1279, 1023);
}

TEST_F(ClientMode, MutatedSkinsGivePlainLooksNeverACrash) {
    using Mutate = void (*)(TskSkinData*);
    const Mutate mutations[] = {
        [](TskSkinData* S) { S->RollUpPicture->SetSize(0, 0); },
        [](TskSkinData* S) { S->RollUpMask = std::make_unique<TBitmap>(); },
        [](TskSkinData* S) { S->RollUpMask = testskins::Solid(120, 24, 0xFFFFFF); },
        [](TskSkinData* S) { S->Mask = testskins::Solid(120, 80, 0xFFFFFF); },
        [](TskSkinData* S) { std::swap(S->RollUpLeftPoint, S->RollUpRightPoint); },
        [](TskSkinData* S) { S->RollUpLeftPoint = S->RollUpRightPoint = TPoint(); },
        [](TskSkinData* S) { S->AreaList.clear(); },
        [](TskSkinData* S) { S->AreaList.front()->AreaRect = TRect(50, 50, 10, 10); },
        [](TskSkinData* S) { S->Picture->SetSize(0, 0); },
        [](TskSkinData* S) { S->LTPoint = S->RTPoint = S->LBPoint = S->RBPoint = TPoint(); },
        [](TskSkinData* S) { for (auto& o : S->ObjectList) o->SkinRect = TRect(500, 500, 400, 400); },
        [](TskSkinData* S) { S->ObjectList.push_back(std::make_unique<TskDataSkinGauge>("unrollbutton")); },
    };
    for (Mutate m : mutations) {
        testskins::Build(Data, {.Mask = true, .ActivePictureIndex = 9, .ClientMode = true});
        m(Data);
        Skin->SetSkinData(nullptr);
        Skin->SetSkinData(Data);
        Form->SetBounds(100, 100, 250 + static_cast<int>(Errors.size()), 180);
        Pump();
        for (bool rolled : {true, false}) {
            Skin->SetRollUpState(rolled);
            Pump();
            CaptureWindow(Form->GetHandle());
            for (int y = 0; y < 200; y += 9)
                for (int x = 0; x < 300; x += 9) HitAt(x, y);
            Mouse(WM_LBUTTONDOWN, 288, 12);
            Mouse(WM_LBUTTONUP, 288, 12);
            Skin->TestMouse(nullptr);
            Skin->TestMorph(nullptr);
        }
        EXPECT_GT(Form->GetHeight(), 0);
    }
    EXPECT_TRUE(Errors.empty());
}

} // namespace
