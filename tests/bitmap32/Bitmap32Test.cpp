// TBitmap32 storage, clip rectangle, change notification, locking, canvas and pixel access.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Blend.h"
#include "bitmap32/Bmp32_LowLevel.h"
#include "classlib/Canvas.h"
#include "classlib/GdiCounter.h"
#include "classlib/Graphics.h"
#include "classlib/Persistence.h"
#include "classlib/Streams.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

using namespace Bmp32;

namespace {

struct TAreaReport {
    TRect Area;
    Cardinal Info;
    bool operator==(const TAreaReport&) const = default;
};

// Counts OnChange and OnResize and records every area report.
struct TWatcher {
    std::vector<TAreaReport> Areas;
    int Changes = 0;
    int Resizes = 0;

    explicit TWatcher(TBitmap32& B) {
        B.OnAreaChanged = Recorder();
        B.OnChange = TNotifyEvent::FromCallable([this](TObject*) { ++Changes; });
        B.OnResize = TNotifyEvent::FromCallable([this](TObject*) { ++Resizes; });
    }
    TAreaChangedEvent Recorder() {
        return TAreaChangedEvent::FromCallable([this](TObject*, const TRect& Area, Cardinal Info) {
            Areas.push_back({Area, Info});
        });
    }
    void Reset() {
        Areas.clear();
        Changes = Resizes = 0;
    }
};

class Bitmap32 : public testing::Test {
protected:
    void SetUp() override {
        B.SetSize(20, 10);
        B.Clear(Black32);
    }
    TBitmap32 B;
};

} // namespace

// ---- Storage ------------------------------------------------------------------------------

TEST(Bitmap32Storage, SizedBitmapIsATopDownSectionWithoutRowGaps) {
    TBitmap32 b;
    EXPECT_TRUE(b.SetSize(3, 2));
    EXPECT_FALSE(b.Empty());
    ASSERT_NE(b.GetHandle(), nullptr);
    EXPECT_EQ(b.GetBitmapInfo().HeaderSize, 40u);
    EXPECT_EQ(b.GetBitmapInfo().Width, 3);
    EXPECT_EQ(b.GetBitmapInfo().Height, -2);
    EXPECT_EQ(b.GetBitmapInfo().BitCount, 32);
    EXPECT_EQ(b.GetPixelPtr(1, 1), b.GetBits() + 4);
    EXPECT_EQ(b.GetScanLine(1), b.GetBits() + 3);
    EXPECT_EQ(b.GetClipRect(), TRect(0, 0, 3, 2));
    EXPECT_FALSE(b.GetClipping());
}

TEST(Bitmap32Storage, PixelsCostNoPlatformObjectUntilAContextIsAskedFor) {
    const long before = GdiObjectCount();
    {
        TBitmap32 a;
        TBitmap32 b;
        a.SetSize(4, 3);
        b.SetSize(4, 3);
        a.FillRect(1, 1, 3, 2, 0xFFFF0000);
        a.DrawTo(&b);
        TMemoryStream data;
        a.WriteData(&data);
        data.SetPosition(0);
        TBitmap32 loaded;
        loaded.ReadData(&data);
        TBitmap32 copy;
        copy.Assign(&loaded);
        EXPECT_EQ(GdiObjectCount(), before);
        EXPECT_GT(a.TextExtent("Wide").cx, 0); // measured elsewhere
        EXPECT_FALSE(a.HandleAllocated());

        // The pixels move into the section unchanged, and drawing there reaches them.
        const long beforeContext = GdiObjectCount();
        HDC dc = static_cast<HDC>(b.GetHandle());
        ASSERT_NE(dc, nullptr);
        EXPECT_TRUE(b.HandleAllocated());
        EXPECT_EQ(GdiObjectCount(), beforeContext + 2);
        EXPECT_EQ(b.GetPixel(1, 1), 0xFFFF0000u);
        EXPECT_EQ(b.GetPixel(0, 0), 0u);
        EXPECT_EQ(::GetPixel(dc, 2, 1), COLORREF(0x0000FF));
        b.GetCanvas()->GetBrush()->SetColor(clLime);
        b.GetCanvas()->FillRect({0, 0, 1, 1});
        GdiFlush();
        EXPECT_EQ(b.GetPixel(0, 0) & 0x00FFFFFF, 0x00FF00u);
        EXPECT_EQ(copy.GetPixel(2, 1), 0xFFFF0000u);
        b.SetSize(5, 5);
        EXPECT_FALSE(b.HandleAllocated());
        EXPECT_LE(GdiObjectCount(), beforeContext);
    }
}

TEST(Bitmap32Storage, NegativeSideIsZeroAndLeavesNoSectionToClear) {
    TBitmap32 b;
    b.SetSize(-3, 10);
    EXPECT_EQ(b.GetWidth(), 0);
    EXPECT_EQ(b.GetHeight(), 10);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.GetBits(), nullptr);
    TWatcher w(b);
    b.Clear(); // nothing at all on an empty bitmap
    EXPECT_EQ(w.Changes, 0);
    EXPECT_TRUE(w.Areas.empty());
}

TEST(Bitmap32Storage, ResizeAnnouncesChangeThenResizeButTheSameSizeNothing) {
    TBitmap32 b;
    TWatcher w(b);
    std::vector<const char*> order;
    b.OnChange = TNotifyEvent::FromCallable([&](TObject*) { order.push_back("change"); });
    b.OnResize = TNotifyEvent::FromCallable([&](TObject*) { order.push_back("resize"); });
    b.SetWidth(5);
    b.SetHeight(6);
    EXPECT_EQ(order, (std::vector<const char*>{"change", "resize", "change", "resize"}));
    EXPECT_EQ(w.Areas.back(), (TAreaReport{{0, 0, 5, 6}, AREAINFO_RECT}));
    w.Reset();
    EXPECT_FALSE(b.SetSize(5, 6));
    EXPECT_EQ(order.size(), 4u);
    EXPECT_TRUE(w.Areas.empty());
    b.Delete();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.GetWidth(), 0);
}

TEST(Bitmap32Storage, FailedResizeLeavesAnEmptyBitmapThatDrawsNothing) {
    TBitmap32 b;
    b.SetSize(10, 10);
    b.SetClipRect({2, 2, 8, 8});
    TWatcher w(b);
    try {
        b.SetSize(50000, 50000);
        FAIL() << "a 10 GB section was made";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Can't allocate the DIB handle");
    }
    EXPECT_EQ(w.Changes, 0);
    EXPECT_EQ(w.Resizes, 0);
    EXPECT_EQ(b.GetWidth(), 0);
    EXPECT_EQ(b.GetHeight(), 0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.GetBits(), nullptr);
    EXPECT_EQ(b.GetClipRect(), TRect(0, 0, 0, 0));
    // None of these may reach the missing pixels.
    b.Clear(White32);
    b.SetPixelS(0, 0, White32);
    b.SetPixelTS(0, 0, White32);
    b.SetPixelW(0, 0, White32);
    b.SetPixelXS(0, 0, White32);
    b.SetPixelXW(0, 0, White32);
    b.HorzLineS(-5, 0, 5, White32);
    b.VertLineTS(0, -5, 5, White32);
    b.HorzLineTSP(-5, 0, 5);
    b.LineS(-5, -5, 5, 5, White32, true);
    b.LineAS(-5, -3, 5, 5, White32, true);
    b.LineXS(-Fixed(5), 0, Fixed(5), Fixed(3), White32, true);
    b.FillRectS(-5, -5, 5, 5, White32);
    b.FillRectTS(-5, -5, 5, 5, 0x80FFFFFF);
    b.FrameRectTS(-5, -5, 5, 5, White32);
    b.FrameRectTSP(0, 0, 1, 1);
    b.RaiseRectTS(-5, -5, 5, 5, 50);
    b.ResetAlpha();
    EXPECT_EQ(b.GetPixelS(0, 0), b.GetOuterColor());
    EXPECT_EQ(b.GetPixelB(0, 0), b.GetOuterColor());
    EXPECT_EQ(b.GetPixelW(0, 0), b.GetOuterColor());
    EXPECT_EQ(b.GetPixelXW(0, 0), b.GetOuterColor());
    EXPECT_EQ(b.GetPixelXS(0, 0), b.GetOuterColor());
    // And the bitmap can be sized again.
    EXPECT_TRUE(b.SetSize(2, 2));
    EXPECT_EQ(b.GetClipRect(), TRect(0, 0, 2, 2));
}

TEST(Bitmap32Storage, SizeFromMapsAndGraphicsAndNothingElse) {
    TBitmap32 source, b;
    source.SetSize(7, 3);
    b.SetSizeFrom(&source);
    EXPECT_EQ(b.GetWidth(), 7);
    EXPECT_EQ(b.GetHeight(), 3);
    b.SetSizeFrom(nullptr);
    EXPECT_TRUE(b.Empty());
    TFont font;
    try {
        b.SetSizeFrom(&font);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Can't set size from 'TFont'");
    }
}

// ---- Clip rectangle -----------------------------------------------------------------------

TEST_F(Bitmap32, ClipRectIsKeptInsideTheBitmap) {
    B.SetSize(20, 20);
    B.SetClipRect({-5, -5, 10, 10});
    EXPECT_EQ(B.GetClipRect(), TRect(0, 0, 10, 10));
    EXPECT_TRUE(B.GetClipping());
    EXPECT_EQ(B.GetFixedClipRect(), FixedRect(0, 0, Fixed(10), Fixed(10)));
    EXPECT_EQ(B.GetF256ClipRect(), TRect(0, 0, 2560, 2560));
    B.ResetClipRect();
    EXPECT_FALSE(B.GetClipping());
    B.SetClipRect({30, 30, 40, 40});
    EXPECT_EQ(B.GetClipRect(), TRect(0, 0, 0, 0));
    B.SetSize(40000, 1); // fixed edges stop at the fixed range
    EXPECT_EQ(B.GetFixedClipRect().Right, 0x7FFF0000);
    EXPECT_EQ(B.GetF256ClipRect().Right, 40000 * 256);
}

// ---- Change notification ------------------------------------------------------------------

TEST_F(Bitmap32, UpdatesOnlyCountAndChangedAnnouncesAfterwards) {
    TWatcher w(B);
    B.BeginUpdate();
    B.BeginUpdate();
    B.Clear(White32);
    B.FillRectS(0, 0, 5, 5, Black32);
    B.EndUpdate();
    B.EndUpdate();
    EXPECT_EQ(w.Changes, 0);
    EXPECT_TRUE(w.Areas.empty());
    EXPECT_EQ(B.GetPixel(19, 9), White32);
    B.Changed();
    EXPECT_EQ(w.Changes, 1);
    EXPECT_EQ(w.Areas, (std::vector<TAreaReport>{{{0, 0, 20, 10}, AREAINFO_RECT}}));
}

TEST_F(Bitmap32, ClearOfTheClipRectReportsThatRectangle) {
    B.SetClipRect({2, 3, 6, 7});
    TWatcher w(B);
    B.Clear(White32);
    EXPECT_EQ(B.GetPixel(2, 3), White32);
    EXPECT_EQ(B.GetPixel(1, 3), Black32);
    EXPECT_EQ(B.GetPixel(6, 6), Black32);
    EXPECT_EQ(w.Areas.front(), (TAreaReport{{2, 3, 6, 7}, AREAINFO_RECT}));
    EXPECT_EQ(w.Areas.back(), (TAreaReport{{0, 0, 20, 10}, AREAINFO_RECT}));
}

TEST_F(Bitmap32, MeasuringReportsAreasWithoutDrawingEvenInsideAnUpdate) {
    TWatcher w(B);
    std::vector<TAreaReport> measured;
    B.BeginMeasuring(
        TAreaChangedEvent::FromCallable([&](TObject*, const TRect& Area, Cardinal Info) {
            measured.push_back({Area, Info});
        }));
    B.BeginUpdate();
    B.Clear(White32);
    B.FillRectS(1, 1, 3, 3, White32);
    B.LineS(0, 0, 30, 5, White32);
    B.SetPixel(0, 0, 0x12345678); // the plain forms do not look at measuring mode
    B.EndUpdate();
    B.EndMeasuring();
    EXPECT_EQ(B.GetPixel(5, 5), Black32);
    EXPECT_EQ(B.GetPixel(0, 0), 0x12345678u);
    EXPECT_EQ(measured, (std::vector<TAreaReport>{{{0, 0, 20, 10}, AREAINFO_RECT},
                                                  {{1, 1, 3, 3}, AREAINFO_RECT},
                                                  {{0, 0, 30, 5}, AREAINFO_LINE + 2}}));
    EXPECT_EQ(w.Changes, 0);
    EXPECT_TRUE(w.Areas.empty());
    B.FillRectS(0, 0, 1, 1, White32);
    EXPECT_EQ(w.Areas.size(), 2u); // the handler is back
}

TEST_F(Bitmap32, PropertySettersAnnounceOnlyRealChanges) {
    TWatcher w(B);
    B.SetMasterAlpha(255);
    B.SetDrawMode(dmOpaque);
    B.SetCombineMode(cmBlend);
    B.SetWrapMode(wmClamp);
    B.SetOuterColor(0x12345678);
    B.SetPenColor(0);
    EXPECT_EQ(w.Changes, 0);
    B.SetMasterAlpha(128);
    B.SetDrawMode(dmBlend);
    B.SetCombineMode(cmMerge);
    B.SetWrapMode(wmMirror);
    EXPECT_EQ(w.Changes, 4);
    B.PropertyChanged();
    EXPECT_EQ(w.Changes, 5);
    EXPECT_EQ(w.Areas.size(), 4u);
}

TEST(Bitmap32Notification, UnpairedEndUpdateFailsAndKeepsTheCount) {
    TBitmap32 b;
    try {
        b.EndUpdate();
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "Unpaired TThreadPersistent.EndUpdate");
    }
    EXPECT_EQ(b.GetUpdateCount(), 0);
}

TEST(Bitmap32Properties, PublishedWithTheirDefaults) {
    const TPublishedClass& published = GetPublished(TBitmap32::StaticClass());
    const TPropInfo* drawMode = published.FindProperty("DrawMode");
    ASSERT_NE(drawMode, nullptr);
    EXPECT_EQ(drawMode->GetDefaultOrd(), dmOpaque);
    EXPECT_EQ(published.FindProperty("MasterAlpha")->GetDefaultOrd(), 255);
    TBitmap32 b;
    published.FindProperty("CombineMode")->SetOrdValue(&b, cmMerge);
    EXPECT_EQ(b.GetCombineMode(), cmMerge);
}

// ---- Resampler slot -----------------------------------------------------------------------

namespace {

class TFakeResampler : public TCustomResampler {
    DECLARE_CLASS(TFakeResampler, TCustomResampler)
public:
    explicit TFakeResampler(TBitmap32* Bitmap) { Bitmap->SetResampler(this); }
    ~TFakeResampler() override { ++Destroyed; }
    float GetWidth() const override { return 1; }
    void Resample(TBitmap32*, const TRect&, TRect, TBitmap32*, const TRect&, TDrawMode,
                  const TPixelCombineEvent&) override {}
    TColor32 GetSampleFloat(float X, float Y) override { return TColor32(X * 10 + Y); }
    static inline int Destroyed = 0;
};

TCustomResampler* ConstructFake(const AnsiString& ClassName, TBitmap32* Bitmap) {
    if (ClassName != "TFakeResampler" && ClassName != DefaultResamplerClassName) return nullptr;
    return new TFakeResampler(Bitmap);
}

// Overrides neither sampling form.
class TSilentSampler : public TCustomSampler {};

} // namespace

TEST(Bitmap32Resampler, HookMakesTheDefaultAndNamedResamplers) {
    ConstructResampler = ConstructFake;
    TFakeResampler::Destroyed = 0;
    {
        TBitmap32 b;
        ASSERT_NE(b.GetResampler(), nullptr);
        EXPECT_EQ(b.GetResamplerClassName(), "TFakeResampler");
        EXPECT_EQ(b.GetPixelR(2, 3), 23u);
        TCustomResampler* first = b.GetResampler();
        b.SetResamplerClassName("TNoSuchResampler");
        EXPECT_EQ(b.GetResampler(), first);
        b.SetResampler(nullptr);
        EXPECT_EQ(b.GetResampler(), first);
        b.SetResampler(first); // the same one is kept, not freed
        EXPECT_EQ(TFakeResampler::Destroyed, 0);
    }
    EXPECT_EQ(TFakeResampler::Destroyed, 1);
    ConstructResampler = nullptr;
    TBitmap32 without;
    EXPECT_EQ(without.GetResampler(), nullptr);
    EXPECT_THROW(without.GetPixelR(0, 0), EInvalidOperation);
}

TEST(Bitmap32Resampler, SamplerDefaultsForwardAndRefuseEndlessRecursion) {
    TSilentSampler s;
    EXPECT_FALSE(s.HasBounds());
    EXPECT_EQ(s.GetSampleBounds(), TRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_THROW(s.GetSampleInt(1, 1), EInvalidOperation);
    EXPECT_THROW(s.GetSampleFloat(1, 1), EInvalidOperation);
}

// ---- Locking ------------------------------------------------------------------------------

TEST(Bitmap32Lock, SecondThreadWaitsUntilUnlock) {
    TBitmap32 b;
    b.Lock();
    EXPECT_EQ(b.GetLockCount(), 1);
    std::atomic<bool> entered{false};
    std::thread other([&] {
        b.Lock();
        entered = true;
        b.Unlock();
    });
    while (b.GetLockCount() < 2)
        std::this_thread::yield();
    EXPECT_FALSE(entered);
    b.Unlock();
    other.join();
    EXPECT_TRUE(entered);
    EXPECT_EQ(b.GetLockCount(), 0);
}

// ---- Canvas, font and colours -------------------------------------------------------------

TEST_F(Bitmap32, CanvasDrawsIntoThePixelsAndAnnounces) {
    TWatcher w(B);
    int handleChanges = 0;
    B.OnHandleChanged = TNotifyEvent::FromCallable([&](TObject*) { ++handleChanges; });
    TCanvas* canvas = B.GetCanvas();
    EXPECT_TRUE(B.CanvasAllocated());
    canvas->GetBrush()->SetColor(clRed);
    canvas->FillRect({1, 1, 3, 2});
    GdiFlush();
    EXPECT_EQ(B.GetPixel(1, 1) & 0x00FFFFFF, 0xFF0000u);
    EXPECT_EQ(B.GetPixel(3, 1), Black32);
    EXPECT_GE(w.Changes, 1);
    B.SetSize(5, 5); // a new section: the canvas goes
    EXPECT_FALSE(B.CanvasAllocated());
    EXPECT_EQ(handleChanges, 1);
}

TEST_F(Bitmap32, FontIsCopiedAndSelectedForText) {
    TFont font;
    font.SetHeight(-20);
    font.SetColor(clBlue);
    B.SetFont(&font);
    EXPECT_EQ(B.GetFont()->GetHeight(), -20);
    B.UpdateFont();
    HDC dc = static_cast<HDC>(B.GetHandle());
    EXPECT_EQ(GetTextColor(dc), COLORREF(0xFF0000));
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), static_cast<HGDIOBJ>(B.GetFont()->GetHandle()));
    B.GetFont()->SetHeight(-30); // the font lets go; the system font is back
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), static_cast<HGDIOBJ>(StockFont));
}

TEST(Bitmap32Colours, ClassLibraryColoursBecomeOpaqueColours) {
    EXPECT_EQ(Color32(clRed), 0xFFFF0000u);
    EXPECT_EQ(Color32(0x00332211), 0xFF112233u);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Color32(clBtnFace), ColorSwap(face));
    EXPECT_EQ(WinColor(0xFFFF0000), 0x000000FFu);
}

// ---- Whole-bitmap operations --------------------------------------------------------------

TEST_F(Bitmap32, ResetAlphaKeepsTheColour) {
    B.SetPixel(3, 3, 0x00123456);
    B.ResetAlpha(0x80);
    EXPECT_EQ(B.GetPixel(3, 3), 0x80123456u);
    B.ResetAlpha();
    EXPECT_EQ(B.GetPixel(19, 9), Black32);
}

// ---- Pixels -------------------------------------------------------------------------------

TEST_F(Bitmap32, ClippedPixelsStayInsideTheClipRectAndBoundedReadsClamp) {
    B.SetClipRect({2, 2, 5, 5});
    B.SetOuterColor(0x11223344);
    B.SetPixelS(1, 2, White32);
    B.SetPixelS(5, 4, White32);
    B.SetPixelS(INT_MIN, INT_MAX, White32);
    B.SetPixelS(2, 4, White32);
    EXPECT_EQ(B.GetPixel(1, 2), Black32);
    EXPECT_EQ(B.GetPixel(5, 4), Black32);
    EXPECT_EQ(B.GetPixelS(2, 4), White32);
    EXPECT_EQ(B.GetPixelS(1, 2), 0x11223344u);
    // Bounded reads clamp to the bitmap's edges.
    B.SetPixel(0, 3, 0x01020304);
    B.SetPixel(19, 9, 0x05060708);
    EXPECT_EQ(B.GetPixelB(-5, 3), 0x01020304u);
    EXPECT_EQ(B.GetPixelB(INT_MAX, INT_MAX), 0x05060708u);
}

TEST_F(Bitmap32, BlendedPixelsUseTheCombineMode) {
    B.SetPixel(1, 1, 0xFF0000FF);
    B.SetPixelT(1, 1, 0x80FF0000);
    EXPECT_EQ(B.GetPixel(1, 1), 0xBF80007Fu);
    B.SetCombineMode(cmMerge);
    B.SetPixel(2, 1, 0x00000000);
    B.SetPixelT(2, 1, 0x80FF0000); // merging over transparent gives the colour itself
    EXPECT_EQ(B.GetPixel(2, 1), 0x80FF0000u);
    TColor32* p = B.GetPixelPtr(4, 1);
    B.SetPixelT(p, White32);
    EXPECT_EQ(p, B.GetPixelPtr(5, 1));
    EXPECT_EQ(B.GetPixel(4, 1), White32);
    B.SetClipRect({0, 0, 3, 3});
    B.SetPixelTS(3, 1, White32);
    EXPECT_EQ(B.GetPixel(3, 1), Black32);
}

TEST_F(Bitmap32, WrappedPixelsLandInsideTheClipRect) {
    B.SetClipRect({2, 2, 6, 6});
    B.SetWrapMode(wmRepeat);
    B.SetPixelW(7, 1, White32);
    EXPECT_EQ(B.GetPixel(3, 5), White32);
    B.SetPixel(4, 3, 0x01020304);
    // Below Left: 5 + (-2^31 - 5) mod 4 = 4; above: 2 + (2^31 - 3) mod 4 = 3.
    EXPECT_EQ(B.GetPixelW(INT_MIN, INT_MAX), 0x01020304u);
    B.SetWrapMode(wmClamp);
    B.SetPixelW(-100, 100, 0x12345678);
    EXPECT_EQ(B.GetPixel(2, 5), 0x12345678u);
}

TEST_F(Bitmap32, SubPixelWriteSpreadsOverTwoByTwoWithGammaWeights) {
    // X = 1/256 pixel: weights 254 and 5 from the gamma table, times alpha 255, times the
    // top row's 255: (255 x 254 x 255) shr 16 = 252 and (255 x 5 x 255) shr 16 = 4.
    B.SetPixelX(256, 0, White32);
    EXPECT_EQ(B.GetPixel(0, 0), 0x00FBFBFBu); // (255 x 252 + 128) shr 8, alpha dropped
    EXPECT_EQ(B.GetPixel(1, 0), 0x00040404u);
    EXPECT_EQ(B.GetPixel(0, 1), Black32);
    EXPECT_EQ(B.GetPixel(2, 0), Black32);
    B.SetPixelF(5.0f, 5.0f, White32);
    EXPECT_EQ(B.GetPixel(5, 5), 0x00FCFCFCu); // weight (255 x 255 x 255) shr 16 = 253
    EXPECT_EQ(B.GetPixel(6, 5), Black32);
}

TEST_F(Bitmap32, ClippedSubPixelWritesDropTheShareOutsideAndWrappedOnesStayIn) {
    B.SetClipRect({0, 0, 4, 4});
    B.SetPixelXS(Fixed(3) + 0x8000, Fixed(3) + 0x8000, White32);
    EXPECT_NE(B.GetPixel(3, 3), Black32);
    EXPECT_EQ(B.GetPixel(4, 3), Black32);
    EXPECT_EQ(B.GetPixel(3, 4), Black32);
    EXPECT_EQ(B.GetPixel(4, 4), Black32);
    B.SetPixelXS(-0x8000, -0x8000, White32);
    EXPECT_NE(B.GetPixel(0, 0), Black32);
    B.SetPixelFS(1e20f, 3.0f, White32); // far outside: nothing, no exception
    B.SetPixelXS(INT_MAX, INT_MIN, White32);
    EXPECT_EQ(B.GetPixelFS(-1e20f, 0), B.GetOuterColor());
    // A wrapped write never passes the clip rectangle's far edges.
    B.Clear(Black32);
    B.SetWrapMode(wmClamp);
    B.SetPixelXW(Fixed(100), Fixed(100), White32); // clamped into the last half pixel
    EXPECT_NE(B.GetPixel(3, 3), Black32);
    EXPECT_EQ(B.GetPixel(4, 3), Black32);
    EXPECT_EQ(B.GetPixel(3, 4), Black32);
}

TEST_F(Bitmap32, SubPixelReadsInterpolateAndGuardTheEdges) {
    B.SetOuterColor(0x12345678);
    B.SetPixel(1, 1, White32);
    EXPECT_EQ(B.GetPixelX(Fixed(1), Fixed(1)), White32);
    EXPECT_EQ(B.GetPixelXS(0, Fixed(1)), 0x12345678u); // X < 1 (24.8) counts as outside
    EXPECT_EQ(B.GetPixelXS(Fixed(19), Fixed(1)), 0x12345678u);
    EXPECT_EQ(B.GetPixelF(1.0f, 1.0f), White32);
    // Half way between white and black along X: CombineReg weight 128.
    EXPECT_EQ(B.GetPixelXW(Fixed(1) + 0x8000, Fixed(1)), CombineReg(Black32, White32, 128));
    B.SetWrapMode(wmRepeat);
    B.SetPixel(0, 0, White32);
    EXPECT_EQ(B.GetPixelXW(Fixed(20), Fixed(10)), White32); // (20, 10) wraps to (0, 0)
}

// ---- Stipple ------------------------------------------------------------------------------

TEST_F(Bitmap32, StippleMixesNeighboursAtHalfStepsAndAdvancesModuloThePattern) {
    const TColor32 red = 0xFFFF0000, blue = 0xFF0000FF;
    B.SetStipple({red, blue});
    B.SetStippleStep(0.5f);
    EXPECT_EQ(B.GetStippleColor(), red);
    // 255 - Round(127.5) = 127 with ties to even.
    EXPECT_EQ(B.GetStippleColor(), CombineReg(red, blue, 127));
    EXPECT_EQ(B.GetStippleColor(), blue);
    EXPECT_EQ(B.GetStippleCounter(), 1.5f);
    B.SetStipple({});
    B.SetStippleCounter(0.25f); // an empty pattern gives black and stands still
    EXPECT_EQ(B.GetStippleColor(), Black32);
    EXPECT_EQ(B.GetStippleCounter(), 0.25f);
    B.SetStippleStep(1);
    B.SetStipple({1, 2, 3});
    B.AdvanceStippleCounter(7);
    EXPECT_EQ(B.GetStippleCounter(), 1.0f);
    B.AdvanceStippleCounter(-2.5f);
    EXPECT_EQ(B.GetStippleCounter(), 1.5f);
    B.SetStippleCounter(3e9f); // far off: brought back without endless looping
    EXPECT_EQ(B.GetStippleColor(), 1u);
    B.SetStippleCounter(INFINITY);
    EXPECT_THROW(B.GetStippleColor(), ERangeError);
}
