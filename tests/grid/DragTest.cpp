// The drag image over a real window: it shows the captured picture where it is
// moved and leaves no trace when it goes.
#include "grid/gcldrag.h"

#include "classlib/ExtCtrls.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> CaptureScreen(const TRect& R) {
    auto bitmap = std::make_unique<TBitmap>(R.Width(), R.Height());
    bitmap->SetPixelFormat(pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(bitmap->GetCanvas()->GetHandle(), 0, 0, R.Width(), R.Height(), screen, R.Left, R.Top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

int DifferentPixels(TBitmap* A, TBitmap* B) {
    int count = 0;
    for (int y = 0; y < A->GetHeight(); ++y)
        for (int x = 0; x < A->GetWidth(); ++x)
            count += PixelOf(A, x, y) != PixelOf(B, x, y);
    return count;
}

AnsiString BesideProgram(const char* Name) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    AnsiString dir(path);
    return dir.substr(0, dir.rfind('\\') + 1) + Name;
}

class DragImage : public ShownFormTest {};

} // namespace

TEST_F(DragImage, FollowsTheMouseAndLeavesNoTrace) {
    Form->SetColor(clWhite);
    auto* red = Add<TPanel>(Form, 20, 20, 60, 30);
    red->SetColor(clRed);
    auto* green = Add<TPanel>(Form, 150, 100, 80, 60);
    green->SetColor(clGreen);
    Form->Update();
    Pump();
    const TPoint origin = Form->ClientToScreen(TPoint(0, 0));
    const TRect area = Bounds(origin.X, origin.Y, 300, 200);
    auto before = CaptureScreen(area);
    ASSERT_EQ(PixelOf(before.get(), 30, 30), ColorToRGB(clRed));

    const TRect cell = Bounds(origin.X + 20, origin.Y + 20, 60, 30);
    TGclDragShow drag(cell.Left + 5, cell.Top + 5, cell, clWhite);
    drag.DragMove(cell.Left + 6, cell.Top + 5); // one pixel: composed in one copy
    auto shown = CaptureScreen(area);
    // The picture moved one pixel right; its white pixels let the screen show through.
    for (int x = 21; x <= 80; ++x) {
        const COLORREF image = PixelOf(before.get(), x - 1, 30);
        EXPECT_EQ(PixelOf(shown.get(), x, 30), image == ColorToRGB(clWhite) ? PixelOf(before.get(), x, 30) : image)
            << x;
    }
    EXPECT_EQ(PixelOf(shown.get(), 20, 30), PixelOf(before.get(), 20, 30)); // uncovered again

    drag.DragMove(origin.X + 170, origin.Y + 115); // over the green panel, apart from the start
    auto moved = CaptureScreen(area);
    moved->SaveToFile(BesideProgram("drag.bmp"));
    EXPECT_EQ(PixelOf(moved.get(), 170, 115), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(moved.get(), 30, 30), ColorToRGB(clRed)); // the panel itself again
    drag.HideDragImage();
    EXPECT_EQ(DifferentPixels(before.get(), CaptureScreen(area).get()), 0);
    drag.ShowDragImage();
    drag.DragMove(origin.X + 172, origin.Y + 117);
    EXPECT_TRUE(drag.Shown());
}

TEST_F(DragImage, DestroyingRestoresTheScreen) {
    Form->SetColor(clYellow);
    Form->Update();
    Pump();
    const TPoint origin = Form->ClientToScreen(TPoint(0, 0));
    const TRect area = Bounds(origin.X, origin.Y, 200, 150);
    auto before = CaptureScreen(area);
    {
        TGclDragShow drag(origin.X + 10, origin.Y + 10, Bounds(origin.X, origin.Y, 40, 40), clNone);
        for (int step = 1; step < 40; step += 3)
            drag.DragMove(origin.X + 10 + step, origin.Y + 10 + step / 2);
    }
    EXPECT_EQ(DifferentPixels(before.get(), CaptureScreen(area).get()), 0);
}
