#include "skin/data/Skeffbmp.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TskEffectBmp> Filled(int W, int H, int Color) {
    auto bmp = std::make_unique<TskEffectBmp>(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            bmp->SetPixel(x, y, Color);
    return bmp;
}

// Pixel (x, y) holds x + 10 * y in every channel.
std::unique_ptr<TskEffectBmp> Numbered(int W, int H) {
    auto bmp = std::make_unique<TskEffectBmp>(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            bmp->SetPixel(x, y, (x + 10 * y) * 0x010101);
    return bmp;
}

int Blue(const TskEffectBmp& B, int X, int Y) {
    return B.GetPixel(X, Y) & 0xFF;
}

} // namespace

TEST(EffectBmp, LayoutAndPixelAccess) {
    TskEffectBmp bmp(5, 2);
    EXPECT_EQ(bmp.GetStride(), 16);
    EXPECT_EQ(bmp.GetSize(), 32);
    bmp.SetPixel(4, 1, 0x7F123456);
    EXPECT_EQ(bmp.GetPixel(4, 1), 0x123456);
    EXPECT_EQ(bmp.GetLine(1)[12], 0x56); // blue first
    TskEffectBmp copy(&bmp);
    EXPECT_EQ(copy.GetPixel(4, 1), 0x123456);
}

TEST(EffectBmp, MorphsBlendRoundHalfToEvenAndIgnoreOtherSizes) {
    auto black = Filled(4, 2, 0), white = Filled(4, 2, 0xFFFFFF), other = Filled(3, 2, 0xFFFFFF);
    black->Morph(white.get(), 0.5);
    EXPECT_EQ(black->GetPixel(0, 0), 0x808080);
    black->Morph(other.get(), 1);
    EXPECT_EQ(black->GetPixel(0, 0), 0x808080);
    black->Morph(white.get(), 7); // clamped
    EXPECT_EQ(black->GetPixel(3, 1), 0xFFFFFF);

    auto a = Filled(10, 1, 0), b = Filled(10, 1, 100);
    a->MorphHGrad(b.get(), 0); // band of one column at 5, t growing by 0.2 outwards
    const int expected[10] = {0, 20, 40, 60, 80, 100, 80, 60, 40, 20};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(Blue(*a, x, 0), expected[x]) << x;

    auto tall = Filled(1, 2, 0), tallSource = Filled(1, 2, 100);
    tall->MorphVGrad(tallSource.get(), 0); // e = 0 keeps t at 0: all Source
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(Blue(*tall, 0, y), 100);

    auto left = Filled(4, 1, 0), source = Filled(4, 1, 200);
    left->MorphLeftGrad(source.get(), 1);
    EXPECT_EQ(Blue(*left, 0, 0), 200);
    EXPECT_EQ(Blue(*left, 3, 0), 0); // the last column keeps this image

    auto push = Numbered(5, 1), pushed = Numbered(5, 1);
    for (int x = 0; x < 5; ++x)
        pushed->SetPixel(x, 0, (50 + x) * 0x010101);
    push->MorphPush(pushed.get(), 0);
    const int pushExpected[5] = {54, 0, 1, 2, 3};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(Blue(*push, x, 0), pushExpected[x]) << x;

    auto slide = Numbered(5, 1);
    slide->MorphLeftSlide(pushed.get(), 0.4); // p = 2: Source's last two columns
    EXPECT_EQ(Blue(*slide, 0, 0), 53);
    EXPECT_EQ(Blue(*slide, 1, 0), 54);
    EXPECT_EQ(Blue(*slide, 2, 0), 2);
    auto right = Numbered(5, 1);
    right->MorphRightSlide(pushed.get(), 0.4);
    EXPECT_EQ(Blue(*right, 3, 0), 50);
    EXPECT_EQ(Blue(*right, 4, 0), 51);
}

TEST(EffectBmp, ColourEffects) {
    auto blue = Filled(2, 2, 0x0000FF);
    blue->GrayScale();
    EXPECT_EQ(blue->GetPixel(1, 1), 28 * 0x010101);
    auto img = Numbered(3, 2);
    img->Invert();
    EXPECT_EQ(Blue(*img, 1, 1), 255 - 11);
    img->Invert();
    EXPECT_EQ(Blue(*img, 1, 1), 11);
    auto bright = Filled(1, 1, 0x000064);
    bright->ChangeBrightness(0.5); // (100 + 255) / 2 = 177.5 -> 178
    EXPECT_EQ(Blue(*bright, 0, 0), 178);
    bright->ChangeDarkness(2);
    EXPECT_EQ(bright->GetPixel(0, 0), 0);
    auto mosaic = Numbered(5, 5);
    mosaic->Mosaic(1);
    EXPECT_EQ(Blue(*mosaic, 4, 4), 44);
    mosaic->Mosaic(2);
    EXPECT_EQ(Blue(*mosaic, 3, 3), 22);
    EXPECT_EQ(Blue(*mosaic, 4, 4), 44); // clipped block
    auto noisy = Filled(20, 20, 0x808080);
    noisy->AddMonoNoise(10);
    for (int x = 0; x < 20; ++x) {
        const int v = Blue(*noisy, x, 7);
        EXPECT_GE(v, 128 - 5);
        EXPECT_LE(v, 128 + 4);
        EXPECT_EQ(noisy->GetPixel(x, 7), v * 0x010101);
    }
}

TEST(EffectBmp, BlockOperationsStayInsideBothImages) {
    auto img = Numbered(4, 3);
    TskEffectBmp ccw(3, 4), cw(3, 4), wrong(4, 4);
    img->Rotate90_1(&ccw);
    EXPECT_EQ(Blue(ccw, 0, 3), 0);  // top-left goes to the bottom-left
    EXPECT_EQ(Blue(ccw, 2, 0), 23); // top-right goes to the top... of the last column
    img->Rotate90_2(&cw);
    EXPECT_EQ(Blue(cw, 2, 0), 0);
    wrong.SetPixel(0, 0, 7);
    img->Rotate90_1(&wrong); // wrong size: nothing
    EXPECT_EQ(wrong.GetPixel(0, 0), 7);

    auto dest = Filled(4, 3, 0);
    dest->CopyRect(img.get(), TRect(-5, -5, 10, 10), 0, 0); // both ends included, clipped
    EXPECT_EQ(Blue(*dest, 0, 0), 0);
    dest->CopyRect(img.get(), TRect(1, 1, 2, 2), 2, 1);
    EXPECT_EQ(Blue(*dest, 1, 1), 12);
    EXPECT_EQ(Blue(*dest, 2, 2), 23);
    dest->MorphRect(img.get(), 1, TRect(2, 0, 50, 50), 3, 0); // source runs out after one column
    EXPECT_EQ(Blue(*dest, 2, 1), 13);

    auto big = Filled(9, 7, 0);
    img->Resize(big.get());
    EXPECT_EQ(Blue(*big, 8, 6), 23);
    auto small = Filled(2, 2, 0);
    img->Resize(small.get()); // later pixels overwrite earlier ones
    EXPECT_EQ(Blue(*small, 0, 0), 12);

    auto blur = Numbered(3, 3);
    blur->SplitBlur(5); // every neighbour falls back to the pixel itself
    EXPECT_EQ(Blue(*blur, 2, 2), 22);
    blur->SplitBlur(1); // in place: row 0 is already blurred to 5, 6, 6
    EXPECT_EQ(Blue(*blur, 1, 0), (0 + 10 + 2 + 12) / 4);
    EXPECT_EQ(Blue(*blur, 1, 1), (5 + 20 + 6 + 22) / 4);
}
