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
        ASSERT_TRUE(testskins::Activate(Skin, Form)) << "the form could not be activated";
    }
    void TearDown() override {
        SetCursorPos(1279, 1023);
        ShownFormTest::TearDown();
    }

    // Presses at window point (X, Y), moves by (DX, DY) and releases; the hover follows the
    // pointer on the frame's mouse timer. Returns the pointer's move.
    TPoint Drag(int X, int Y, int DX, int DY) {
        const TRect w = Window();
        return DragPointer(TPoint(w.Left + X, w.Top + Y), DX, DY, [this] { Skin->TestMouse(nullptr); });
    }
    TRect Window() { return testskins::WindowRectOf(Form); }

    TskSkinForm* Skin = nullptr;
    TskSkinData* Data = nullptr;
};

TEST_F(SizeMove, BordersSizeAndTheCaptionMoves) {
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
