#include "classlib/ExtCtrls.h"

#include "classlib/Bitmaps.h"
#include "classlib/Forms.h"
#include "classlib/GdiCounter.h"
#include "classlib/Paths.h"

#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

class ExtCtrlsTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Form->SetColor(clWhite);
        Pump();
    }
    void Mouse(UINT Msg, int X, int Y, WPARAM Keys) {
        SendMessageA(Form->GetHandle(), Msg, Keys, MAKELPARAM(X, Y));
    }
};

// ---------------------------------------------------------------------------
// Panels

TEST_F(ExtCtrlsTest, PanelsDrawRaisedBevelsAndTheirCaption) {
    auto* panel = Add<TPanel>(Form, 10, 10, 120, 40);
    panel->SetCaption("Middle");
    auto shot = PaintToBitmap(panel);
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(shot.get(), 119, 39), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot.get(), 5, 20), ColorToRGB(clBtnFace));
    int text = 0;
    for (int x = 30; x < 90; ++x)
        for (int y = 10; y < 30; ++y)
            if (PixelOf(shot.get(), x, y) != ColorToRGB(clBtnFace)) ++text;
    EXPECT_GT(text, 10);

    panel->SetBevelOuter(bvLowered);
    shot = PaintToBitmap(panel);
    EXPECT_EQ(PixelOf(shot.get(), 0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(ExtCtrlsTest, PanelChildrenStayInsideBordersAndBevels) {
    auto* panel = Add<TPanel>(Form, 0, 0, 200, 100);
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(3);
    auto* child = Add<TPanel>(panel, 0, 0, 10, 10);
    child->SetAlign(alClient);
    EXPECT_EQ(child->GetBoundsRect(), TRect(5, 5, 195, 95));
    panel->SetBevelInner(bvNone);
    EXPECT_EQ(child->GetBoundsRect(), TRect(4, 4, 196, 96));
}

// Frames wider than the panel stop at its middle, however wide they are said to be.
TEST_F(ExtCtrlsTest, ABevelWiderThanThePanelPaintsAsTheWidestOneItHolds) {
    auto* wide = Add<TPanel>(Form, 10, 10, 60, 30);
    wide->SetBevelWidth(1000);
    auto* widest = Add<TPanel>(Form, 10, 50, 60, 30);
    widest->SetBevelWidth(15);
    auto wideShot = CaptureWindow(wide->GetHandle());
    auto widestShot = CaptureWindow(widest->GetHandle());
    wideShot->SaveToFile(ExeDir() + "wide-bevel.bmp");
    EXPECT_EQ(DifferingPixels(wideShot.get(), widestShot.get()), 0);
}

TEST_F(ExtCtrlsTest, ChildrenStayInsideAPanelWhoseBorderIsTheWidestThereIs) {
    auto* panel = Add<TPanel>(Form, 0, 0, 200, 100);
    panel->SetBevelInner(bvLowered);
    auto* child = Add<TPanel>(panel, 0, 0, 10, 10);
    child->SetAlign(alClient);
    panel->SetBorderWidth(std::numeric_limits<int>::max());
    const TRect bounds = child->GetBoundsRect();
    EXPECT_TRUE(bounds.Left >= 0 && bounds.Top >= 0 && bounds.Right <= 200 && bounds.Bottom <= 100)
        << bounds.Left << ", " << bounds.Top << ", " << bounds.Right << ", " << bounds.Bottom;
}

// ---------------------------------------------------------------------------
// Window-less controls

TEST_F(ExtCtrlsTest, PaintBoxesDrawInTheirParentAtTheirPlace) {
    auto* box = Add<TPaintBox>(Form, 30, 40, 20, 10);
    int paints = 0;
    box->OnPaint = TNotifyEvent::FromCallable([&](TObject*) {
        ++paints;
        box->GetCanvas()->GetBrush()->SetColor(clRed);
        // Wider than the box: the parent clips it to the box's bounds.
        box->GetCanvas()->FillRect(TRect(-100, -100, 100, 100));
    });
    auto shot = PaintToBitmap(Form);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(PixelOf(shot.get(), 30, 40), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(shot.get(), 49, 49), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(shot.get(), 50, 45), ColorToRGB(clWhite));
    EXPECT_EQ(PixelOf(shot.get(), 29, 45), ColorToRGB(clWhite));
}

TEST_F(ExtCtrlsTest, ImagesShowTheirPictureAndSizeToIt) {
    TBitmap picture(8, 6);
    picture.GetCanvas()->GetBrush()->SetColor(clBlue);
    picture.GetCanvas()->FillRect(TRect(0, 0, 8, 6));
    auto* image = Add<TImage>(Form, 10, 10, 100, 100);
    image->SetAutoSize(true);
    image->GetPicture()->SetGraphic(&picture);
    EXPECT_EQ(image->GetWidth(), 8);
    EXPECT_EQ(image->GetHeight(), 6);

    image->SetAutoSize(false);
    image->SetBounds(10, 10, 40, 30);
    image->SetStretch(true);
    auto shot = PaintToBitmap(Form);
    EXPECT_EQ(PixelOf(shot.get(), 10, 10), ColorToRGB(clBlue));
    EXPECT_EQ(PixelOf(shot.get(), 49, 39), ColorToRGB(clBlue));
    EXPECT_EQ(PixelOf(shot.get(), 50, 40), ColorToRGB(clWhite));

    image->SetStretch(false);
    image->SetCenter(true);
    shot = PaintToBitmap(Form);
    EXPECT_EQ(PixelOf(shot.get(), 10, 10), ColorToRGB(clWhite));
    EXPECT_EQ(PixelOf(shot.get(), 10 + 16, 10 + 12), ColorToRGB(clBlue));
}

TEST_F(ExtCtrlsTest, BevelLinesUseTheThreeDColours) {
    auto* bevel = Add<TBevel>(Form, 20, 20, 50, 10);
    bevel->SetShape(bsTopLine);
    auto shot = PaintToBitmap(Form);
    EXPECT_EQ(PixelOf(shot.get(), 30, 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot.get(), 30, 21), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelOf(shot.get(), 30, 25), ColorToRGB(clWhite));
}

// ---------------------------------------------------------------------------
// Splitters

TEST_F(ExtCtrlsTest, DraggingASplitterResizesItsNeighbour) {
    auto* left = Add<TPanel>(Form, 0, 0, 100, 50);
    left->SetAlign(alLeft);
    auto* splitter = Add<TSplitter>(Form, 100, 0, 4, 50);
    splitter->SetMinSize(30);
    auto* rest = Add<TPanel>(Form, 200, 0, 10, 10);
    rest->SetAlign(alClient);
    ASSERT_EQ(splitter->GetLeft(), 100);
    int moved = 0;
    splitter->OnMoved = TNotifyEvent::FromCallable([&](TObject*) { ++moved; });

    Mouse(WM_LBUTTONDOWN, 101, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 141, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 141, 10, 0);
    EXPECT_EQ(left->GetWidth(), 140);
    EXPECT_EQ(splitter->GetLeft(), 140);
    EXPECT_EQ(rest->GetLeft(), 144);
    EXPECT_EQ(moved, 1);

    // Neither side gets smaller than MinSize.
    Mouse(WM_LBUTTONDOWN, 141, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, -300, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, -300, 10, 0);
    EXPECT_EQ(left->GetWidth(), 30);
    Mouse(WM_LBUTTONDOWN, 31, 10, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 2000, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 2000, 10, 0);
    EXPECT_EQ(left->GetWidth(), Form->GetClientWidth() - 4 - 30);
    EXPECT_EQ(moved, 3);
}

// ---------------------------------------------------------------------------
// Resources

TEST_F(ExtCtrlsTest, CreatingPaintingAndFreeingControlsLeaksNoGdiObject) {
    auto once = [&] {
        // The panel owns the rest, so that deleting it frees everything.
        auto* panel = new TPanel(nullptr);
        panel->SetParent(Form);
        panel->SetBounds(0, 0, 100, 60);
        panel->SetCaption("Leak?");
        auto* image = new TImage(panel);
        image->SetParent(panel);
        TBitmap picture(4, 4);
        image->GetPicture()->SetGraphic(&picture);
        auto* bevel = new TBevel(panel);
        bevel->SetParent(panel);
        PaintToBitmap(Form);
        delete panel;
    };
    once(); // fonts and brushes that live as long as the program
    long before = GdiObjectCount();
    for (int i = 0; i < 50; ++i)
        once();
    EXPECT_EQ(GdiObjectCount(), before);
}

} // namespace
