// The skinned gauge: the fill and the percentage as tables (ties to even, empty ranges),
// the skin's caps and tiles from the left and from the bottom, a picture without a middle,
// and the text that a vertical gauge turns a quarter.
#include "skin/controls/SkinCtrls_Gauges.h"

#include "tests/skin/controls/SkinFixture.h"

namespace {

const TColor kBegin = clRed, kMiddle = clBlue, kTileEdge = clNavy, kEnd = clLime,
             kBack = clSilver;

class SkinGauge : public ShownFormTest {
protected:
    void SetUp() override {
        ShownFormTest::SetUp();
        Gauge = Add<TskSkinGauge>(Form, 10, 10, 100, 20);
    }
    void SetRange(int Min, int Max, int Value) {
        Gauge->SetMinValue(-1000);
        Gauge->SetMaxValue(1000);
        Gauge->SetValue(Value);
        Gauge->SetMinValue(Min);
        Gauge->SetMaxValue(Max);
    }
    COLORREF At(TBitmap* Picture, int X, int Y) { return PixelOf(Picture, X, Y); }

    TskSkinGauge* Gauge = nullptr;
};

TEST_F(SkinGauge, TheFillAndThePercentageRoundHalvesToEven) {
    struct Row {
        int Min, Max, Value, Right;
        const char* Text;
    };
    // The default progress area is (1, 1, 99, 19): 98 pixels.
    const Row rows[] = {
        {0, 100, 0, 1, "0%"},    {0, 100, 100, 99, "100%"}, {0, 100, 50, 50, "50%"},
        {0, 4, 1, 25, "25%"},    // 24.5 -> 24
        {0, 4, 3, 75, "75%"},    // 73.5 -> 74
        {0, 3, 1, 34, "33%"},    {0, 8, 1, 13, "12%"},       // 12.5 -> 12
        {0, 8, 3, 38, "38%"},    // 37.5 -> 38
        {5, 5, 5, 1, "0%"},      // an empty range: no fill
    };
    Gauge->SetShowPercent(true);
    for (const Row& row : rows) {
        SetRange(row.Min, row.Max, row.Value);
        EXPECT_EQ(Gauge->CalcProgressRect(Gauge->ProgressAreaRect(), false),
                  TRect(1, 1, row.Right, 19))
            << row.Max << " " << row.Value;
        EXPECT_EQ(Gauge->GetShownText(), AnsiString(row.Text));
    }
    // Vertical: from the bottom; 24.5 -> 24.
    SetRange(0, 100, 25);
    EXPECT_EQ(Gauge->CalcProgressRect(TRect(1, 1, 19, 99), true), TRect(1, 75, 19, 99));
    // The progress text comes first, directly followed by the number.
    SetRange(0, 3, 1);
    Gauge->SetProgressText("Done ");
    Gauge->SetShowProgressText(true);
    EXPECT_EQ(Gauge->GetShownText(), AnsiString("Done 33%"));
    Gauge->SetShowPercent(false);
    EXPECT_EQ(Gauge->GetShownText(), AnsiString("Done "));
    // Values are clamped to the range.
    Gauge->SetValue(9);
    EXPECT_EQ(Gauge->GetValue(), 3);
}

class SkinGaugePicture : public SkinGauge {
protected:
    // A progress picture with a 4-pixel begin cap, a 5-pixel middle whose first pixel (from
    // the left, or the top) is kTileEdge, and a 3-pixel end cap, along the direction.
    TskDataSkinGaugeControl* AddRecord(const char* Name, bool Vertical, int MiddleLength = 5) {
        const int length = 4 + MiddleLength + 3;
        const int pic = Skin.AddPicture(80, 120);
        Skin.Fill(pic, TRect(0, 0, 80, 120), kBack);
        auto along = [&](int From, int To, TColor Color) {
            Skin.Fill(pic, Vertical ? TRect(60, From, 76, To) : TRect(From, 100, To, 116), Color);
        };
        along(0, 4, kBegin);
        along(4, 4 + MiddleLength, kMiddle);
        if (MiddleLength > 0) along(4, 5, kTileEdge);
        along(4 + MiddleLength, length, kEnd);
        const TRect skinRect = Vertical ? TRect(0, 0, 20, 100) : TRect(0, 0, 40, 20);
        auto* record = Skin.AddFramed<TskDataSkinGaugeControl>(Name, pic, skinRect);
        record->Vertical = Vertical;
        record->ProgressArea = Vertical ? TRect(2, 2, 18, 98) : TRect(2, 2, 38, 18);
        record->ProgressRect = Vertical ? TRect(60, 0, 76, length) : TRect(0, 100, length, 116);
        record->BeginOffset = 4;
        record->EndOffset = 3;
        return record;
    }

    TFixtureSkin Skin;
};

TEST_F(SkinGaugePicture, AHorizontalFillHasItsCapsAndTilesFromTheLeft) {
    AddRecord("gauge", false);
    Gauge->SetSkinData(Skin.Data.get());
    auto picture = PaintToBitmap(Gauge);
    // Area (2, 2, 98, 18) at 100 x 20; 50 % fills 2..50: caps 2..5 and 47..49, the middle
    // 6..46 in tiles of 5 from 6, the last one pixel wide.
    EXPECT_EQ(At(picture.get(), 2, 10), static_cast<COLORREF>(kBegin));
    EXPECT_EQ(At(picture.get(), 5, 10), static_cast<COLORREF>(kBegin));
    EXPECT_EQ(At(picture.get(), 6, 10), static_cast<COLORREF>(kTileEdge));
    EXPECT_EQ(At(picture.get(), 7, 10), static_cast<COLORREF>(kMiddle));
    EXPECT_EQ(At(picture.get(), 41, 10), static_cast<COLORREF>(kTileEdge));
    EXPECT_EQ(At(picture.get(), 46, 10), static_cast<COLORREF>(kTileEdge));
    EXPECT_EQ(At(picture.get(), 47, 10), static_cast<COLORREF>(kEnd));
    EXPECT_EQ(At(picture.get(), 49, 10), static_cast<COLORREF>(kEnd));
    EXPECT_EQ(At(picture.get(), 50, 10), static_cast<COLORREF>(kBack));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinGaugePicture, AVerticalFillGrowsFromTheBottomWithItsLastTileCutAtTheTop) {
    AddRecord("vgauge", true);
    Gauge->SetSkinDataName("vgauge");
    Gauge->SetBounds(10, 10, 20, 100);
    Gauge->SetSkinData(Skin.Data.get());
    auto picture = PaintToBitmap(Gauge);
    ASSERT_TRUE(Gauge->GetVertical());
    // Area (2, 2, 18, 98); 50 % fills 50..97: cap 50..53 on top, 95..97 at the bottom;
    // tiles of 5 upward from 95, so each tile's first row lies at 90, 85, ... 55, and the
    // last tile is the bottom row of the middle alone.
    EXPECT_EQ(At(picture.get(), 10, 49), static_cast<COLORREF>(kBack));
    EXPECT_EQ(At(picture.get(), 10, 50), static_cast<COLORREF>(kBegin));
    EXPECT_EQ(At(picture.get(), 10, 53), static_cast<COLORREF>(kBegin));
    EXPECT_EQ(At(picture.get(), 10, 54), static_cast<COLORREF>(kMiddle));
    EXPECT_EQ(At(picture.get(), 10, 55), static_cast<COLORREF>(kTileEdge));
    EXPECT_EQ(At(picture.get(), 10, 90), static_cast<COLORREF>(kTileEdge));
    EXPECT_EQ(At(picture.get(), 10, 91), static_cast<COLORREF>(kMiddle));
    EXPECT_EQ(At(picture.get(), 10, 95), static_cast<COLORREF>(kEnd));
    EXPECT_EQ(At(picture.get(), 10, 97), static_cast<COLORREF>(kEnd));
}

TEST_F(SkinGaugePicture, APictureWithoutAMiddleStillDrawsCapsAndText) {
    AddRecord("gauge", false, 0);
    Gauge->SetSkinData(Skin.Data.get());
    Gauge->SetValue(100);
    auto plain = PaintToBitmap(Gauge);
    EXPECT_EQ(At(plain.get(), 2, 10), static_cast<COLORREF>(kBegin));
    EXPECT_EQ(At(plain.get(), 97, 10), static_cast<COLORREF>(kEnd));
    Gauge->SetShowPercent(true);
    auto text = PaintToBitmap(Gauge);
    int changed = 0;
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 20; ++y) changed += At(text.get(), x, y) != At(plain.get(), x, y);
    EXPECT_GT(changed, 10);
    // Caps wider than the fill: neither caps nor middle, the text still.
    Gauge->SetValue(3);
    auto narrow = PaintToBitmap(Gauge);
    EXPECT_EQ(At(narrow.get(), 2, 10), static_cast<COLORREF>(kBack));
    EXPECT_TRUE(Errors.empty());
}

TEST_F(SkinGauge, AVerticalGaugeTurnsItsTextToReadUpward) {
    Gauge->SetBounds(10, 10, 24, 120);
    Gauge->SetVertical(true);
    Gauge->SetValue(0);
    Gauge->SetShowPercent(true);
    Gauge->SetProgressText("Level ");
    Gauge->SetShowProgressText(true);
    auto picture = PaintToBitmap(Gauge);
    int left = 1000, right = -1, top = 1000, bottom = -1;
    const COLORREF back = ColorToRGB(clWindow);
    for (int x = 1; x < 23; ++x)
        for (int y = 1; y < 119; ++y)
            if (At(picture.get(), x, y) != back) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    EXPECT_GT(bottom - top, 3 * (right - left));
    // Centred both ways.
    EXPECT_NEAR(top + bottom, 120, 6);
    EXPECT_NEAR(left + right, 24, 8);
}

TEST_F(SkinGauge, TheDefaultLookFillsTheProgressPart) {
    auto picture = PaintToBitmap(Gauge);
    EXPECT_EQ(At(picture.get(), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(picture.get(), 49, 10), static_cast<COLORREF>(RGB(182, 189, 210)));
    EXPECT_EQ(At(picture.get(), 50, 10), ColorToRGB(clWindow));
    SetRange(4, 4, 4);
    auto empty = PaintToBitmap(Gauge);
    EXPECT_EQ(At(empty.get(), 1, 10), ColorToRGB(clWindow));
}

} // namespace
