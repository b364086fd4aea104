// Block, stretch and blend transfers, drawing to device contexts, tiling, and the
// whole-image transforms roll, flip and rotate.
#include "bitmap32/Bmp32.h"

#include "bitmap32/Bmp32_Resamplers.h"
#include "classlib/Graphics.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Bmp32;

namespace {

constexpr TColor32 Back = 0xFF102030;

// A different opaque colour at every position.
TColor32 Mark(int X, int Y) {
    return 0xFF000000 | TColor32(Y) << 8 | TColor32(X);
}

void FillMarked(TBitmap32& B, int W, int H) {
    B.SetSize(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            B.SetPixel(x, y, Mark(x, y));
}

void Blank(TBitmap32& B, int W, int H) {
    B.SetSize(W, H);
    B.Clear(Back);
}

struct TReports {
    std::vector<TRect> Areas;
    explicit TReports(TBitmap32& B) {
        B.OnAreaChanged = TAreaChangedEvent::FromCallable(
            [this](TObject*, const TRect& Area, Cardinal) { Areas.push_back(Area); });
    }
};

class BlockTransferClipping : public testing::Test {
protected:
    void SetUp() override {
        FillMarked(Src, 10, 10);
        Blank(Dst, 5, 5);
    }
    // Dst (x, y) holds Src (x - Dx, y - Dy) inside Written and Back elsewhere.
    void ExpectShifted(int Dx, int Dy, const TRect& Written) {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(Dst.GetPixel(x, y),
                          PtInRect(Written, {x, y}) ? Mark(x - Dx, y - Dy) : Back)
                    << x << "," << y;
    }
    TBitmap32 Src, Dst;
};

} // namespace

// ---- Block transfer -----------------------------------------------------------------------

TEST_F(BlockTransferClipping, LeftAndTopAnnounceTheAreaWritten) {
    TReports reports(Dst);
    BlockTransfer(&Dst, -3, -3, Dst.GetClipRect(), &Src, Src.BoundsRect(), dmOpaque);
    ExpectShifted(-3, -3, {0, 0, 5, 5});
    EXPECT_EQ(reports.Areas, std::vector<TRect>{TRect(0, 0, 5, 5)});
}

TEST_F(BlockTransferClipping, RightBottomAndTheDestinationClipRectangle) {
    TReports reports(Dst);
    Dst.SetClipRect({0, 0, 5, 4});
    BlockTransfer(&Dst, 3, 2, Dst.GetClipRect(), &Src, Src.BoundsRect(), dmOpaque);
    ExpectShifted(3, 2, {3, 2, 5, 4});
    EXPECT_EQ(reports.Areas, std::vector<TRect>{TRect(3, 2, 5, 4)});
}

TEST_F(BlockTransferClipping, SourceRectangleIsCutSilentlyAndFarAwayDrawsNothing) {
    BlockTransfer(&Dst, INT_MAX, INT_MIN, Dst.GetClipRect(), &Src, Src.BoundsRect(), dmOpaque);
    ExpectShifted(0, 0, {});
    BlockTransfer(&Dst, 1, 1, Dst.GetClipRect(), &Src, {-2, -2, 2, 2}, dmOpaque);
    ExpectShifted(3, 3, {3, 3, 5, 5}); // the rectangle's corner (-2, -2) sits at (1, 1)
}

TEST(BlockTransfer, BlendModeUsesTheSourceCombineModeAndMasterAlpha) {
    TBitmap32 src, dst;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0x80FF0000);
    src.SetPixel(1, 0, 0x4000FF00);
    Blank(dst, 2, 1);
    BlockTransfer(&dst, 0, 0, dst.GetClipRect(), &src, src.BoundsRect(), dmBlend);
    EXPECT_EQ(dst.GetPixel(0, 0), BlendReg(0x80FF0000, Back));
    EXPECT_EQ(dst.GetPixel(1, 0), BlendReg(0x4000FF00, Back));

    dst.Clear(Back);
    src.SetMasterAlpha(100);
    src.SetCombineMode(cmMerge);
    BlockTransfer(&dst, 0, 0, dst.GetClipRect(), &src, src.BoundsRect(), dmBlend);
    EXPECT_EQ(dst.GetPixel(1, 0), MergeRegEx(0x4000FF00, Back, 100));

    TReports reports(dst);
    src.SetMasterAlpha(0);
    BlockTransfer(&dst, 0, 0, dst.GetClipRect(), &src, src.BoundsRect(), dmBlend);
    EXPECT_TRUE(reports.Areas.empty());
}

TEST(BlockTransfer, TransparentModeSkipsExactlyTheOuterColor) {
    TBitmap32 src, dst;
    src.SetSize(3, 1);
    src.SetPixel(0, 0, 0xFF000000);
    src.SetPixel(1, 0, 0x00000000);
    src.SetPixel(2, 0, 0xFF000001);
    src.SetOuterColor(0xFF000000);
    Blank(dst, 3, 1);
    BlockTransfer(&dst, 0, 0, dst.GetClipRect(), &src, src.BoundsRect(), dmTransparent);
    EXPECT_EQ(dst.GetPixel(0, 0), Back);
    EXPECT_EQ(dst.GetPixel(1, 0), 0x00000000u);
    EXPECT_EQ(dst.GetPixel(2, 0), 0xFF000001u);
}

TEST(BlockTransfer, CustomModeCallsBackOrCopiesWithoutCallback) {
    TBitmap32 src, dst;
    FillMarked(src, 2, 2);
    src.SetMasterAlpha(77);
    Blank(dst, 2, 2);
    const auto xorPixels =
        TPixelCombineEvent::FromCallable([](TColor32 F, TColor32& B, Cardinal M) { B ^= F ^ M; });
    BlockTransfer(&dst, 0, 0, dst.GetClipRect(), &src, src.BoundsRect(), dmCustom, xorPixels);
    EXPECT_EQ(dst.GetPixel(1, 1), Mark(1, 1) ^ Back ^ 77);
    BlockTransfer(&dst, 0, 0, dst.GetClipRect(), &src, src.BoundsRect(), dmCustom);
    EXPECT_EQ(dst.GetPixel(1, 0), Mark(1, 0));
}

TEST(BlockTransfer, MeasuringWritesNothingButAnnouncesTheRectangleAsGiven) {
    TBitmap32 src, dst;
    FillMarked(src, 4, 4);
    Blank(dst, 3, 3);
    std::vector<TRect> areas;
    dst.BeginMeasuring(TAreaChangedEvent::FromCallable(
        [&](TObject*, const TRect& Area, Cardinal) { areas.push_back(Area); }));
    BlockTransfer(&dst, -1, -2, dst.GetClipRect(), &src, src.BoundsRect(), dmOpaque);
    dst.EndMeasuring();
    EXPECT_EQ(dst.GetPixel(0, 0), Back);
    EXPECT_EQ(areas, std::vector<TRect>{TRect(-1, -2, 3, 2)});
}

TEST(BlockTransfer, NilBitmapsRaise) {
    TBitmap32 b;
    b.SetSize(1, 1);
    try {
        BlockTransfer(nullptr, 0, 0, {}, &b, b.BoundsRect(), dmOpaque);
        FAIL();
    } catch (const EBitmapException& e) {
        EXPECT_EQ(e.Message(), "Destination bitmap is nil");
    }
    EXPECT_THROW(BlockTransfer(&b, 0, 0, {}, nullptr, {}, dmOpaque), EBitmapException);
    EXPECT_THROW(b.DrawTo(static_cast<TBitmap32*>(nullptr)), EBitmapException);
    b.Draw(0, 0, static_cast<TBitmap32*>(nullptr)); // a null source does nothing
}

TEST(BlockTransfer, OntoItselfReadsTheOriginalPixels) {
    TBitmap32 b;
    FillMarked(b, 4, 4);
    b.DrawTo(&b, 1, 1);
    EXPECT_EQ(b.GetPixel(3, 3), Mark(2, 2));
    EXPECT_EQ(b.GetPixel(1, 1), Mark(0, 0));
}

// ---- Stretch and blend transfers ----------------------------------------------------------

namespace {

class TCountingResampler : public TNearestResampler {
public:
    using TNearestResampler::TNearestResampler;
    void Resample(TBitmap32* Dst, const TRect& DstRect, TRect DstClip, TBitmap32* Src,
                  const TRect& SrcRect, TDrawMode CombineOp,
                  const TPixelCombineEvent& CombineCallBack) override {
        ++Calls;
        TNearestResampler::Resample(Dst, DstRect, DstClip, Src, SrcRect, CombineOp,
                                    CombineCallBack);
    }
    int Calls = 0;
};

} // namespace

TEST(StretchTransfer, EqualSizesCopyWithoutTheResampler) {
    TBitmap32 src, dst;
    FillMarked(src, 4, 4);
    auto* counter = new TCountingResampler(&src);
    Blank(dst, 4, 4);
    StretchTransfer(&dst, {1, 1, 4, 4}, dst.GetClipRect(), &src, {0, 1, 3, 4}, counter, dmOpaque);
    EXPECT_EQ(counter->Calls, 0);
    EXPECT_EQ(dst.GetPixel(1, 1), Mark(0, 1));
    EXPECT_EQ(dst.GetPixel(3, 3), Mark(2, 3));
    EXPECT_EQ(dst.GetPixel(0, 0), Back);
    StretchTransfer(&dst, {0, 0, 4, 2}, dst.GetClipRect(), &src, {0, 0, 2, 2}, counter, dmOpaque);
    EXPECT_EQ(counter->Calls, 1);
}

TEST(StretchTransfer, SourceRectangleChecks) {
    TBitmap32 src, dst;
    FillMarked(src, 4, 4);
    dst.SetSize(4, 4);
    TReports reports(dst);
    StretchTransfer(&dst, dst.BoundsRect(), dst.GetClipRect(), &src, {2, 0, 2, 4},
                    src.GetResampler(), dmOpaque);
    EXPECT_TRUE(reports.Areas.empty());
    try {
        StretchTransfer(&dst, dst.BoundsRect(), dst.GetClipRect(), &src, {0, 0, 5, 4},
                        src.GetResampler(), dmOpaque);
        FAIL();
    } catch (const ESrcInvalidException& e) {
        EXPECT_EQ(e.Message(), "Source rectangle is invalid");
    }
}

TEST(StretchTransfer, ClippedToTheDestinationAndAnnouncingDstRect) {
    TBitmap32 src, dst;
    FillMarked(src, 2, 2);
    Blank(dst, 3, 3);
    dst.SetClipRect({0, 0, 3, 2});
    TReports reports(dst);
    // Doubled onto (-1, -1, 3, 3): destination column x reads source column (x + 1) / 2.
    src.DrawTo(&dst, {-1, -1, 3, 3});
    EXPECT_EQ(dst.GetPixel(0, 0), Mark(0, 0));
    EXPECT_EQ(dst.GetPixel(1, 0), Mark(1, 0));
    EXPECT_EQ(dst.GetPixel(2, 1), Mark(1, 1));
    EXPECT_EQ(dst.GetPixel(2, 2), Back);
    EXPECT_EQ(reports.Areas, std::vector<TRect>{TRect(-1, -1, 3, 3)});
}

TEST(BlendTransfer, CombinesWhereBothSourcesCover) {
    TBitmap32 f, b, dst;
    f.SetSize(3, 3);
    f.Clear(0x01010101);
    b.SetSize(3, 3);
    b.Clear(0x10101010);
    b.SetPixel(2, 2, 0x20202020);
    Blank(dst, 4, 4);
    TReports reports(dst);
    // F lands on (1..3, 1..3); B's rectangle (2, 2, 3, 3) lands on (1, 1) alone.
    BlendTransfer(&dst, 1, 1, dst.GetClipRect(), &f, f.BoundsRect(), &b, {2, 2, 3, 3}, ColorAdd);
    EXPECT_EQ(dst.GetPixel(1, 1), 0x21212121u);
    EXPECT_EQ(dst.GetPixel(2, 2), Back);
    EXPECT_EQ(reports.Areas, std::vector<TRect>{TRect(1, 1, 2, 2)});

    BlendTransfer(&dst, 0, 0, dst.GetClipRect(), &f, f.BoundsRect(), &b, b.BoundsRect(), 128,
                  BlendRegEx);
    EXPECT_EQ(dst.GetPixel(2, 2), BlendRegEx(0x01010101, 0x20202020, 128));
}

// ---- Device contexts ----------------------------------------------------------------------

TEST(DeviceTransfer, DrawToAContextCopiesTheRowsAskedFor) {
    TBitmap32 src, target;
    FillMarked(src, 3, 2);
    Blank(target, 6, 6);
    src.DrawTo(target.GetHandle(), 2, 1);
    EXPECT_EQ(target.GetPixel(2, 1) & 0xFFFFFF, Mark(0, 0) & 0xFFFFFF);
    EXPECT_EQ(target.GetPixel(4, 2) & 0xFFFFFF, Mark(2, 1) & 0xFFFFFF);
    EXPECT_EQ(target.GetPixel(1, 1), Back);

    src.DrawTo(target.GetHandle(), {0, 0, 2, 1}, {1, 1, 3, 2});
    EXPECT_EQ(target.GetPixel(0, 0) & 0xFFFFFF, Mark(1, 1) & 0xFFFFFF);
    EXPECT_EQ(target.GetPixel(1, 0) & 0xFFFFFF, Mark(2, 1) & 0xFFFFFF);
}

TEST(DeviceTransfer, TilesStartFromAClearedBuffer) {
    // Two tiles of 1024 x 1: blending into an uncleared buffer would make the second tile
    // differ from the first.
    TBitmap32 src, target;
    src.SetSize(2048, 1);
    src.Clear(0x80FF0000);
    src.SetDrawMode(dmBlend);
    Blank(target, 2048, 1);
    src.TileTo(target.GetHandle(), target.BoundsRect(), src.BoundsRect());
    const TColor32 first = BlendReg(0x80FF0000, 0) & 0xFFFFFF;
    for (const int x : {0, 1023, 1024, 2047})
        EXPECT_EQ(target.GetPixel(x, 0) & 0xFFFFFF, first) << x;
}

// ---- Whole-image transforms ---------------------------------------------------------------

TEST(Roll, MovesAlongTheArrayAndFillsTheUncoveredEdges) {
    TBitmap32 b;
    FillMarked(b, 3, 3);
    b.Roll(1, 0, false, 0);
    EXPECT_EQ(b.GetPixel(0, 0), Mark(0, 0)); // the very first pixel keeps its value
    EXPECT_EQ(b.GetPixel(1, 0), Mark(0, 0));
    EXPECT_EQ(b.GetPixel(0, 1), Mark(2, 0)); // the last pixel of the row above
    FillMarked(b, 3, 3);
    b.Roll(-1, -1, true, 0xFFABCDEF);
    EXPECT_EQ(b.GetPixel(0, 0), Mark(1, 1));
    EXPECT_EQ(b.GetPixel(1, 1), Mark(2, 2));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(b.GetPixel(i, 2), 0xFFABCDEFu);
        EXPECT_EQ(b.GetPixel(2, i), 0xFFABCDEFu);
    }
    b.Roll(INT_MIN, 0, false, 0);
    EXPECT_EQ(b.GetPixel(0, 0), Mark(1, 1));
    b.Roll(3, 0, true, 0xFF123456);
    EXPECT_EQ(b.GetPixel(1, 1), 0xFF123456u);
}

TEST(Flip, InPlaceAndIntoAnother) {
    TBitmap32 b, other;
    FillMarked(b, 3, 3);
    b.FlipVert();
    EXPECT_EQ(b.GetPixel(0, 0), Mark(0, 2));
    EXPECT_EQ(b.GetPixel(2, 1), Mark(2, 1)); // the middle row of an odd height stays
    b.FlipHorz(&other);
    EXPECT_EQ(other.GetPixel(0, 0), Mark(2, 2));
    EXPECT_EQ(other.GetPixel(1, 2), Mark(1, 0));
}

TEST(Rotate, QuarterTurnsInPlaceKeepTheProperties) {
    TBitmap32 b;
    FillMarked(b, 3, 2);
    b.SetDrawMode(dmBlend);
    b.SetMasterAlpha(99);
    b.SetOuterColor(0x12345678);
    b.GetFont()->SetName("Courier New");
    b.Rotate90();
    ASSERT_EQ(b.GetWidth(), 2);
    EXPECT_EQ(b.GetPixel(1, 0), Mark(0, 0)); // (x, y) goes to (Height - 1 - y, x)
    EXPECT_EQ(b.GetPixel(0, 2), Mark(2, 1));
    EXPECT_EQ(b.GetDrawMode(), dmBlend);
    EXPECT_EQ(b.GetMasterAlpha(), 99u);
    EXPECT_EQ(b.GetOuterColor(), 0x12345678u);
    EXPECT_EQ(b.GetFont()->GetName(), "Courier New");
    b.Rotate180();
    EXPECT_EQ(b.GetPixel(0, 2), Mark(0, 0));
}

TEST(Rotate, IntoAnotherBitmapFiresOneChange) {
    TBitmap32 b, other;
    FillMarked(b, 3, 2);
    other.SetSize(2, 3); // already the right size: SetSize announces nothing
    int changes = 0;
    other.OnChange = TNotifyEvent::FromCallable([&](TObject*) { ++changes; });
    b.Rotate270(&other);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(other.GetUpdateCount(), 0);
    EXPECT_EQ(other.GetPixel(0, 2), Mark(0, 0)); // (x, y) goes to (y, Width - 1 - x)
    EXPECT_EQ(other.GetPixel(1, 0), Mark(2, 1));
}
