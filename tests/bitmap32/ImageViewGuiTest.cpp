// The scrolling image view on a shown form: the viewport less the bars, bar ranges with the
// margin, centring and scrolling, automatic bars, the size grip handing its press to the form,
// and a screenshot over a large bitmap.
#include "bitmap32/Bmp32_ImageView.h"
#include "classlib/FormLoader.h"
#include "classlib/Paths.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Bmp32;

namespace {

class ImageViewGuiTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        View = Add<TImgView32>(Form, 0, 0, 216, 166);
        View->GetScrollBars()->SetSize(16);
        View->GetBitmap()->SetSize(400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                View->GetBitmap()->SetPixel(x, y, ((x / 20 + y / 20) % 2) ? 0xFFE0C080 : 0xFF204060);
        Pump();
    }
    TImgView32* View = nullptr;
};

} // namespace

TEST_F(ImageViewGuiTest, ViewportBarsAndRanges) {
    EXPECT_EQ(View->GetViewportRect(), (TRect{0, 0, 200, 150}));
    EXPECT_EQ(View->GetHorScroll()->GetBoundsRect(), (TRect{0, 150, 200, 166}));
    EXPECT_EQ(View->GetVerScroll()->GetBoundsRect(), (TRect{200, 0, 216, 150}));
    EXPECT_EQ(View->GetHorScroll()->GetRange(), 400);
    View->SetOverSize(10);
    View->SetScale(2);
    EXPECT_EQ(View->GetHorScroll()->GetRange(), 800 + 40);
    EXPECT_EQ(View->GetVerScroll()->GetRange(), 600 + 40);
    EXPECT_EQ(View->GetSizeGripRect(), (TRect{200, 150, 216, 166}));
}

TEST_F(ImageViewGuiTest, CentringAndScrolling) {
    // Centred on the bitmap's middle: (200 x 1 - 100 + 0, 150 - 75).
    EXPECT_FLOAT_EQ(View->GetHorScroll()->GetPosition(), 100);
    EXPECT_FLOAT_EQ(View->GetVerScroll()->GetPosition(), 75);
    EXPECT_FLOAT_EQ(View->GetOffsetHorz(), -100);
    View->Scroll(30, -20);
    EXPECT_FLOAT_EQ(View->GetOffsetHorz(), -130);
    EXPECT_FLOAT_EQ(View->GetOffsetVert(), -55);
    View->ScrollToCenter(0, 0);
    EXPECT_FLOAT_EQ(View->GetOffsetHorz(), 0);
    // A user's scroll fires OnScroll and moves the image.
    int scrolls = 0;
    View->OnScroll = TNotifyEvent::FromCallable([&](TObject*) { ++scrolls; });
    SendMessageA(View->GetHorScroll()->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(195, 5));
    SendMessageA(View->GetHorScroll()->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(195, 5));
    EXPECT_EQ(scrolls, 1);
    EXPECT_FLOAT_EQ(View->GetOffsetHorz(), -8);

    // A bitmap smaller than the viewport stays centred whatever the bars say.
    View->GetBitmap()->SetSize(50, 40);
    EXPECT_FLOAT_EQ(View->GetOffsetHorz(), 75);
    EXPECT_FLOAT_EQ(View->GetOffsetVert(), 55);
    View->Scroll(5, 5);
    EXPECT_FLOAT_EQ(View->GetOffsetHorz(), 75);
    // Automatic bars go when everything fits.
    View->GetScrollBars()->SetVisibility(svAuto);
    EXPECT_FALSE(View->GetHorScroll()->GetVisible());
    EXPECT_EQ(View->GetViewportRect(), (TRect{0, 0, 216, 166}));
    View->GetBitmap()->SetSize(400, 300);
    EXPECT_TRUE(View->GetHorScroll()->GetVisible());
}

TEST_F(ImageViewGuiTest, SizeGripHandsThePressToTheForm) {
    std::vector<WPARAM> hits;
    const TWndMethod formProc = Form->WindowProc;
    Form->WindowProc = TWndMethod::FromCallable([&](TMessage& M) {
        if (M.Msg == WM_NCLBUTTONDOWN) {
            hits.push_back(M.WParam); // swallowed: no sizing loop
            return;
        }
        formProc(M);
    });
    View->SetSizeGrip(sgNone);
    SendMessageA(View->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(210, 160));
    SendMessageA(View->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(210, 160));
    EXPECT_TRUE(hits.empty());
    View->SetSizeGrip(sgAuto);
    EXPECT_FALSE(View->GetSizeGripVisible()); // not client-aligned
    View->SetAlign(alClient);
    EXPECT_TRUE(View->GetSizeGripVisible());
    const TRect grip = View->GetSizeGripRect();
    SendMessageA(View->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(grip.Left + 3, grip.Top + 3));
    SendMessageA(View->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(grip.Left + 3, grip.Top + 3));
    Form->WindowProc = formProc;
    EXPECT_EQ(hits, std::vector<WPARAM>{HTBOTTOMRIGHT});
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ImageViewGuiTest, ScreenshotOverALargeBitmap) {
    View->SetSizeGrip(sgAlways);
    View->Scroll(40, 30);
    Pump();
    CaptureWindow(Form->GetHandle())->SaveToFile(ExeDir() + "imageview.bmp");
    HDC dc = GetDC(View->GetHandle());
    // Bitmap pixel (100 + 40 + 10, 75 + 30 + 10) = (150, 115): checker square (7, 5), dark.
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0x20, 0x40, 0x60));
    EXPECT_EQ(GetPixel(dc, 30, 10), RGB(0xE0, 0xC0, 0x80));
    ReleaseDC(View->GetHandle(), dc);
}

TEST(ImageViewFormTest, TravelsThroughFormText) {
    TForm root(nullptr);
    root.SetName("Holder");
    auto* view = new TImgView32(&root);
    view->SetParent(&root);
    view->SetName("View");
    view->SetSizeGrip(sgAlways);
    view->SetOverSize(5);
    view->GetScrollBars()->SetVisibility(svAuto);
    view->GetScrollBars()->SetStyle(rbsMac);
    view->GetScrollBars()->SetSize(12);
    const AnsiString text = WriteComponentText(&root);
    TForm copy(nullptr);
    ReadComponentText(text, &copy, "view");
    auto* read = dynamic_cast<TImgView32*>(copy.FindComponent("View"));
    ASSERT_NE(read, nullptr) << text;
    EXPECT_EQ(read->GetSizeGrip(), sgAlways);
    EXPECT_EQ(read->GetOverSize(), 5);
    EXPECT_EQ(read->GetScrollBars()->GetVisibility(), svAuto);
    EXPECT_EQ(read->GetScrollBars()->GetSize(), 12);
    EXPECT_EQ(read->GetVerScroll()->GetStyle(), rbsMac); // the slave bar follows
    AnsiString bad = text;
    bad.replace(bad.find("sgAlways"), 8, "sgSometimes");
    TForm broken(nullptr);
    EXPECT_THROW(ReadComponentText(bad, &broken, "view"), EReadError);
}
