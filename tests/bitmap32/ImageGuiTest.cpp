// The paint box and image control on a shown form: repaint modes as the screen shows them,
// the mouse and its capture through real window messages.
#include "bitmap32/Bmp32_Image.h"
#include "bitmap32/Bmp32_Polygons.h"
#include "classlib/FormLoader.h"
#include "classlib/Paths.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

using namespace Bmp32;

namespace {

COLORREF ScreenPixel(TWinControl* Control, int X, int Y) {
    HDC dc = GetDC(Control->GetHandle());
    const COLORREF pixel = GetPixel(dc, X, Y);
    ReleaseDC(Control->GetHandle(), dc);
    return pixel;
}

// Paints a pixel straight onto the screen, behind the control's back.
void Smudge(TWinControl* Control, int X, int Y) {
    HDC dc = GetDC(Control->GetHandle());
    SetPixel(dc, X, Y, RGB(0, 0, 255));
    ReleaseDC(Control->GetHandle(), dc);
}

constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF White = RGB(255, 255, 255);

LPARAM At(int X, int Y) {
    return MAKELPARAM(X, Y);
}

class ImageGuiTest : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Image = Add<TImage32>(Form, 10, 10, 100, 80);
        Image->GetBitmap()->SetSize(100, 80);
        Image->GetBitmap()->Clear(0xFF00FF00);
        Pump();
    }
    TBitmapLayer* AddLayer(const TFloatRect& Location, TColor32 Color) {
        auto* layer = Image->GetLayers()->Add<TBitmapLayer>();
        layer->GetBitmap()->SetSize(1, 1);
        layer->GetBitmap()->Clear(Color);
        layer->SetLocation(Location);
        return layer;
    }
    LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam) {
        if (Msg == WM_MOUSEMOVE && WParam == 0)
            PutPointer(Image, static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam)));
        return SendMessageA(Image->GetHandle(), Msg, WParam, LParam);
    }
    bool Captured() { return GetCapture() == Image->GetHandle(); }

    TImage32* Image = nullptr;
};

} // namespace

TEST_F(ImageGuiTest, ChangesUnderTheOptimiserShareOnePostedPaint) {
    Image->SetRepaintMode(rmOptimizer);
    TBitmapLayer* layer = AddLayer({40, 40, 50, 50}, 0xFFFF0000);
    Pump();
    layer->SetLocation({60, 10, 70, 20});
    layer->SetLocation({10, 60, 20, 70});
    Image->GetBitmap()->FillRectS(0, 0, 10, 10, 0xFFFFFFFF);
    int paints = 0;
    MSG message;
    while (PeekMessageA(&message, Image->GetHandle(), WM_PAINT, WM_PAINT, PM_REMOVE)) {
        ++paints;
        DispatchMessageA(&message);
    }
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(ScreenPixel(Image, 15, 65), Red);
    EXPECT_EQ(ScreenPixel(Image, 65, 15), Green);
    EXPECT_EQ(ScreenPixel(Image, 5, 5), White);
    // A region of the window's own, invalid beside a posted paint, is still painted.
    Smudge(Image, 90, 70);
    const RECT own{80, 60, 100, 80};
    InvalidateRect(Image->GetHandle(), &own, FALSE);
    layer->SetLocation({60, 10, 70, 20});
    Pump();
    EXPECT_EQ(ScreenPixel(Image, 90, 70), Green);
    EXPECT_EQ(ScreenPixel(Image, 65, 15), Red);
    EXPECT_FALSE(GetUpdateRect(Image->GetHandle(), nullptr, FALSE));
    // The next change posts again, also after the window was made anew.
    Image->RecreateWnd();
    Pump();
    layer->SetLocation({40, 40, 50, 50});
    Pump();
    EXPECT_EQ(ScreenPixel(Image, 45, 45), Red);
    EXPECT_EQ(ScreenPixel(Image, 15, 65), Green);
}

TEST_F(ImageGuiTest, RepaintModesReachTheScreen) {
    EXPECT_EQ(ScreenPixel(Image, 5, 5), Green);
    EXPECT_EQ(Send(WM_ERASEBKGND, 0, 0), 1);

    // The optimiser: a posted paint that copies only the changed areas.
    Image->SetRepaintMode(rmOptimizer);
    TBitmapLayer* layer = AddLayer({40, 40, 50, 50}, 0xFFFF0000);
    Pump();
    EXPECT_EQ(ScreenPixel(Image, 45, 45), Red);
    Smudge(Image, 5, 5);
    layer->SetLocation({60, 10, 70, 20});
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, Image->GetHandle(), WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_FALSE(GetUpdateRect(Image->GetHandle(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(ScreenPixel(Image, 45, 45), Green);
    EXPECT_EQ(ScreenPixel(Image, 65, 15), Red);
    EXPECT_EQ(ScreenPixel(Image, 5, 5), Blue);
    // A bitmap change: only its area.
    Image->GetBitmap()->FillRectS(0, 70, 10, 80, 0xFFFFFFFF);
    Pump();
    EXPECT_EQ(ScreenPixel(Image, 5, 75), White);
    EXPECT_EQ(ScreenPixel(Image, 5, 5), Blue);

    // Direct: repainted at once, only the area.
    Image->SetRepaintMode(rmDirect);
    Pump();
    Smudge(Image, 90, 70);
    Image->GetBitmap()->FillRectS(0, 0, 10, 10, 0xFFFFFFFF);
    EXPECT_EQ(ScreenPixel(Image, 2, 2), White);
    EXPECT_EQ(ScreenPixel(Image, 90, 70), Blue);

    // Full: everything.
    Image->SetRepaintMode(rmFull);
    Image->GetBitmap()->FillRectS(0, 0, 1, 1, 0xFFFFFFFF);
    Pump();
    EXPECT_EQ(ScreenPixel(Image, 90, 70), Green);

    // Flushing copies the buffer (or a rectangle of it) to the screen.
    Smudge(Image, 30, 30);
    Image->Flush({0, 0, 10, 10});
    EXPECT_EQ(ScreenPixel(Image, 30, 30), Blue);
    Image->Flush();
    EXPECT_EQ(ScreenPixel(Image, 30, 30), Green);
}

TEST_F(ImageGuiTest, PaintBoxShowsWhatItsHandlerPaints) {
    auto* box = Add<TPaintBox32>(Form, 150, 10, 50, 50);
    box->OnPaintBuffer = TNotifyEvent::FromCallable(
        [box](TObject*) { box->GetBuffer()->Clear(0xFFFF0000); });
    box->Invalidate();
    Pump();
    EXPECT_EQ(ScreenPixel(box, 25, 25), Red);
    // The buffer grows with 40 pixels of slack and shrinks only past them.
    EXPECT_EQ(box->GetBuffer()->GetWidth(), 50);
    box->SetBounds(150, 10, 60, 50);
    EXPECT_EQ(box->GetBuffer()->GetWidth(), 100);
    box->SetBounds(150, 10, 70, 50);
    EXPECT_EQ(box->GetBuffer()->GetWidth(), 100);
    box->SetBounds(150, 10, 50, 50);
    EXPECT_EQ(box->GetBuffer()->GetWidth(), 50);
    EXPECT_EQ(box->GetBuffer()->GetHeight(), 50);
}

TEST_F(ImageGuiTest, MouseCaptureAndLayersThroughRealMessages) {
    TBitmapLayer* layer = AddLayer({10, 10, 40, 40}, 0xFFFF0000);
    layer->SetCursor(crHandPoint);
    std::vector<TCustomLayer*> downs, moves;
    Image->OnMouseDown = TImgMouseEvent::FromCallable(
        [&downs](TObject*, TMouseButton, TShiftState, int, int, TCustomLayer* Layer) {
            downs.push_back(Layer);
        });
    Image->OnMouseMove = TImgMouseMoveEvent::FromCallable(
        [&moves](TObject*, TShiftState, int, int, TCustomLayer* Layer) { moves.push_back(Layer); });

    Send(WM_RBUTTONDOWN, MK_RBUTTON, At(80, 60));
    EXPECT_FALSE(Captured()); // a right press on no layer
    Send(WM_RBUTTONUP, 0, At(80, 60));
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(80, 60));
    EXPECT_TRUE(Captured()); // a left press always
    Send(WM_LBUTTONUP, 0, At(80, 60));
    EXPECT_FALSE(Captured());

    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
    Send(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, At(20, 20));
    EXPECT_EQ(Image->GetLayers()->GetMouseListener(), layer);
    Send(WM_LBUTTONUP, MK_RBUTTON, At(20, 20));
    EXPECT_TRUE(Captured()); // the listener still holds the right button
    Send(WM_RBUTTONUP, 0, At(20, 20));
    EXPECT_EQ(Image->GetLayers()->GetMouseListener(), nullptr);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(80, 60));
    Send(WM_LBUTTONUP, 0, At(80, 60));
    EXPECT_FALSE(Captured());
    EXPECT_EQ(downs, std::vector<TCustomLayer*>({nullptr, nullptr, layer, layer, nullptr}));

    Send(WM_MOUSEMOVE, 0, At(20, 20));
    EXPECT_EQ(Screen->GetCursor(), crHandPoint);
    Send(WM_MOUSEMOVE, 0, At(80, 60));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_EQ(moves, std::vector<TCustomLayer*>({layer, nullptr}));
}

TEST_F(ImageGuiTest, PolygonsLayersAndRubberBandOnScreen) {
    Image->SetRepaintMode(rmOptimizer);
    Image->GetBitmap()->Clear(0xFFFFFFFF);
    TPolygon32 triangle;
    for (const auto& [x, y] : {std::pair{10, 70}, {50, 10}, {90, 70}})
        triangle.Add(FixedPoint(x, y));
    triangle.Draw(Image->GetBitmap(), 0xFF000000, 0xFF0000FF);
    TBitmapLayer* layer = AddLayer({20, 20, 60, 60}, 0x80FF0000);
    layer->GetBitmap()->SetDrawMode(dmBlend);
    Image->GetLayers()->Add<TRubberbandLayer>()->SetChildLayer(layer);
    Pump();
    const std::unique_ptr<TBitmap> shot = CaptureWindow(Form->GetHandle());
    shot->SaveToFile(ExeDir() + "image-control.bmp");

    TBitmap32 expected;
    expected.SetSize(1, 1);
    expected.Clear(0xFF0000FF);
    expected.SetPixelT(0, 0, 0x80FF0000); // the translucent layer over the triangle
    EXPECT_EQ(ScreenPixel(Image, 40, 50), WinColor(expected.GetPixel(0, 0)));
    EXPECT_EQ(ScreenPixel(Image, 80, 20), White);
    EXPECT_EQ(ScreenPixel(Image, 17, 20), RGB(0, 0, 0)); // a handle: framed
    EXPECT_EQ(ScreenPixel(Image, 20, 20), White);         // and filled
}

namespace {

class TOverlayLayer : public TCustomLayer {
public:
    using TCustomLayer::TCustomLayer;
    void PaintGDI(TCanvas*) override { ++Calls; }
    int Calls = 0;
};

} // namespace

TEST_F(ImageGuiTest, OverlaysAndDialogCodes) {
    int overlays = 0;
    Image->OnGDIOverlay = TNotifyEvent::FromCallable([&overlays](TObject*) { ++overlays; });
    auto* overlay = new TOverlayLayer(Image->GetLayers());
    overlay->SetLayerOptions(LOB_GDI_OVERLAY);
    Image->Invalidate();
    Pump();
    EXPECT_GE(overlay->Calls, 1);
    EXPECT_EQ(overlay->Calls, overlays);
    // An invisible overlay layer repaints at once when it changes.
    const int before = overlays;
    overlay->Changed();
    EXPECT_EQ(overlays, before + 1);

    EXPECT_EQ(Send(WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
    Image->SetOptions({pboWantArrowKeys});
    EXPECT_EQ(Send(WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(ImageGuiTest, WheelEventsCarryTheSignedDelta) {
    std::vector<int> deltas;
    int downs = 0, ups = 0;
    Image->OnMouseWheel = TMouseWheelEvent::FromCallable(
        [&deltas](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
            deltas.push_back(Delta);
            Handled = Delta > 200;
        });
    Image->OnMouseWheelDown = TMouseWheelUpDownEvent::FromCallable(
        [&downs](TObject*, TShiftState, TPoint, bool&) { ++downs; });
    Image->OnMouseWheelUp = TMouseWheelUpDownEvent::FromCallable(
        [&ups](TObject*, TShiftState, TPoint, bool&) { ++ups; });
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-120)), At(50, 50));
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(50, 50));
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 240), At(50, 50)); // handled by the first event
    EXPECT_EQ(deltas, std::vector<int>({-120, 120, 240}));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST(ImageFormTest, TravelsThroughFormText) {
    TForm root(nullptr);
    root.SetName("Holder");
    auto* image = new TImage32(&root);
    image->SetParent(&root);
    image->SetName("IMG_Seg");
    image->GetBitmap()->SetSize(2, 2);
    image->GetBitmap()->Clear(0xFF102030);
    image->SetRepaintMode(rmOptimizer);
    image->SetScaleMode(smScale);
    image->SetScale(2);
    image->SetBitmapAlign(baCenter);
    image->SetTabStop(true);
    image->SetCursor(crHandPoint);
    const AnsiString text = WriteComponentText(&root);

    TForm copy(nullptr);
    ReadComponentText(text, &copy, "image");
    auto* read = dynamic_cast<TImage32*>(copy.FindComponent("IMG_Seg"));
    ASSERT_NE(read, nullptr) << text;
    EXPECT_EQ(read->GetBitmap()->GetPixel(1, 1), 0xFF102030u);
    EXPECT_EQ(read->GetRepaintMode(), rmOptimizer);
    EXPECT_EQ(read->GetScaleMode(), smScale);
    EXPECT_FLOAT_EQ(read->GetScale(), 2);
    EXPECT_EQ(read->GetBitmapAlign(), baCenter);
    EXPECT_TRUE(read->GetTabStop());
    EXPECT_EQ(read->GetCursor(), crHandPoint);

    AnsiString damaged = text;
    const auto data = damaged.find("Bitmap.Data = {");
    ASSERT_NE(data, AnsiString::npos);
    auto last = damaged.find('}', data); // drop the last pixel byte
    while (!std::isxdigit(static_cast<unsigned char>(damaged[last])))
        --last;
    damaged.erase(last - 1, 2);
    TForm broken(nullptr);
    try {
        ReadComponentText(damaged, &broken, "image");
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find("image"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Bitmap.Data"), std::string::npos) << e.what();
    }

    // Sides no window can have are refused while reading, before any buffer is sized.
    for (const char* side : {"Height = 320000", "Width = 2147483647", "Height = -5"}) {
        const AnsiString head = "object IMG_Seg: TImage32\r\n";
        AnsiString huge = text;
        huge.insert(huge.find(head) + head.size(), "    " + AnsiString(side) + "\r\n");
        TForm refused(nullptr);
        EXPECT_THROW(ReadComponentText(huge, &refused, "image"), EReadError) << side;
    }
}

