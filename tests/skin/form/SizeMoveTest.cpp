// Sizing and moving a skinned frame through the system's own loop, driven by the real
// pointer: the skin's right and bottom borders size it, its caption moves it, docking
// snaps it to the work area's edge, and the size never drops below the skin's least size.
#include "skin/form/SkinForm.h"
#include "tests/skin/form/FormTestSkins.h"
#include "tests/support/GuiTestSupport.h"

namespace {

class SizeMove : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetCaption("Size and move");
        Skin = new TskSkinForm(Form);
        Data = new TskSkinData(Form);
        testskins::Build(Data);
        Skin->SetSkinData(Data);
        Form->SetBounds(200, 200, 300, 200);
        Pump();
        testskins::Activate(Skin, Form);
    }
    void TearDown() override {
        SetCursorPos(1279, 1023);
        ShownFormTest::TearDown();
    }

    static void MouseTo(int X, int Y) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>((X * 65536 + w / 2) / w),
                    static_cast<DWORD>((Y * 65536 + h / 2) / h), 0, 0);
    }
    // Presses at window point (X, Y), moves by (DX, DY) in two steps and releases. Input
    // goes to the window under the pointer unless one holds the capture, so the moves are
    // sent from inside the system's loop, once it holds the capture: by a timer it runs.
    // Returns the pointer's move.
    TPoint Drag(int X, int Y, int DX, int DY) {
        const TRect w = Window();
        SetCursorPos(w.Left + X, w.Top + Y);
        Pump();
        // The hover follows the pointer on the frame's mouse timer.
        Skin->TestMouse(nullptr);
        POINT start;
        GetCursorPos(&start);
        Pending = TPoint(start.x + DX, start.y + DY);
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        Step = 0;
        TimerId = SetTimer(nullptr, 0, 1, &SizeMove::MoveAndRelease);
        Pump();
        while (TimerId) MoveAndRelease(nullptr, 0, 0, 0);
        Pump();
        POINT end;
        GetCursorPos(&end);
        return TPoint(end.x - start.x, end.y - start.y);
    }
    // One step per tick, so that the loop takes each move before the next: halfway, the
    // whole way, then the release.
    static void CALLBACK MoveAndRelease(HWND, UINT, UINT_PTR, DWORD) {
        POINT at;
        GetCursorPos(&at);
        if (Step == 0) {
            MouseTo((at.x + Pending.X) / 2, (at.y + Pending.Y) / 2);
        } else if (Step == 1) {
            MouseTo(Pending.X, Pending.Y);
        } else {
            KillTimer(nullptr, TimerId);
            TimerId = 0;
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
        }
        ++Step;
    }
    static inline int Step = 0;
    static inline TPoint Pending;
    static inline UINT_PTR TimerId = 0;
    TRect Window() { return testskins::WindowRectOf(Form); }

    TskSkinForm* Skin = nullptr;
    TskSkinData* Data = nullptr;
};

TEST_F(SizeMove, BordersSizeAndTheCaptionMoves) {
    if (!Skin->GetFormActive()) GTEST_SKIP() << "the form could not be activated";
    TPoint moved = Drag(299, 100, 60, 0);
    EXPECT_EQ(Window(), TRect(200, 200, 500 + moved.X, 400)) << "right border";
    moved = Drag(150, 199, 0, 40);
    const int width = Form->GetWidth();
    EXPECT_EQ(Window(), TRect(200, 200, 200 + width, 400 + moved.Y)) << "bottom border";
    const int height = Form->GetHeight();
    // The frame follows the new size: the buttons stay at the right edge.
    EXPECT_EQ(Skin->GetObject(Skin->GetIndex("closebutton"))->ObjectRect.Right, width - 4);
    moved = Drag(30, 12, 70, 50);
    EXPECT_EQ(Window(), TRect(200 + moved.X, 200 + moved.Y, 200 + moved.X + width, 200 + moved.Y + height))
        << "caption";
    // Never narrower than the skin picture.
    Drag(width - 1, 100, -(width - 20), 0);
    EXPECT_EQ(Form->GetWidth(), testskins::kWidth);
}

TEST_F(SizeMove, MovingDocksToTheWorkAreaEdgeWithinMagneticSize) {
    if (!Skin->GetFormActive()) GTEST_SKIP() << "the form could not be activated";
    RECT wa;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    Skin->SetMagnetic(true);
    // Left edge brought 6 pixels from the work area's left: it docks.
    Drag(30, 12, wa.left + 6 - 200, 0);
    EXPECT_EQ(Form->GetLeft(), wa.left);
    // The press point, taken where the frame now stands, would lie on the roll-up button:
    // no button is pressed and nothing keeps the mouse.
    EXPECT_EQ(Skin->GetMouseDownObject(), -1);
    EXPECT_EQ(GetCapture(), nullptr);
    // Bottom edge 12 pixels above the work area's bottom with MagneticSize 10: it stays.
    Form->SetBounds(300, wa.bottom - 200 - 40, 300, 200);
    Pump();
    Drag(40, 12, 0, 28);
    EXPECT_EQ(Window().Bottom, wa.bottom - 12);
    Skin->SetMagneticSize(20);
    Drag(50, 12, 0, 1);
    EXPECT_EQ(Window().Bottom, wa.bottom) << "within the larger distance it docks";
    EXPECT_EQ(Window().Left, 300);
}

} // namespace
