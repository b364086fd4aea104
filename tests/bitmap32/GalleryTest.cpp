// A gallery of the transformations, antialiased fills and kernel operations, written as bitmap
// files beside the test program for a look by eye; each picture is also checked to hold what
// it should in a few places.
#include "bitmap32/Bmp32_Polygons.h"
#include "bitmap32/Bmp32_ResamplersKernels.h"
#include "bitmap32/Bmp32_ResamplersSamplers.h"
#include "bitmap32/Bmp32_TransformsBitmap.h"
#include "bitmap32/Bmp32_TransformsMatrices.h"
#include "bitmap32/Bmp32_TransformsRemap.h"
#include "bitmap32/Bmp32_TransformsWarps.h"
#include "classlib/Paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

using namespace Bmp32;

namespace {

constexpr int Tile = 96;

// A checkerboard with a red diagonal and a blue frame.
void DrawPicture(TBitmap32& B) {
    B.SetSize(Tile, Tile);
    for (int y = 0; y < Tile; ++y)
        for (int x = 0; x < Tile; ++x)
            B.SetPixel(x, y, ((x / 12 + y / 12) % 2) ? 0xFFF0E0C0 : 0xFF305080);
    for (int i = 0; i < Tile; ++i) {
        B.SetPixel(i, i, 0xFFFF0000);
        B.SetPixel(i, 0, 0xFF0000FF);
        B.SetPixel(0, i, 0xFF0000FF);
        B.SetPixel(i, Tile - 1, 0xFF0000FF);
        B.SetPixel(Tile - 1, i, 0xFF0000FF);
    }
}

void Place(TBitmap32& Sheet, TBitmap32& Picture, int Column, int Row) {
    Sheet.Draw(Column * (Tile + 4) + 2, Row * (Tile + 4) + 2, &Picture);
}

void Save(TBitmap32& Sheet, const char* Name) {
    Sheet.SaveToFile(ExeDir() + Name);
}

TArrayOfFixedPoint Star(float Cx, float Cy, float Outer, float Inner) {
    TArrayOfFixedPoint points;
    for (int i = 0; i < 10; ++i) {
        const double angle = i * std::numbers::pi / 5 - std::numbers::pi / 2;
        const float r = i % 2 ? Inner : Outer;
        points.push_back(FixedPoint(Cx + r * float(std::cos(angle)), Cy + r * float(std::sin(angle))));
    }
    return points;
}

} // namespace

TEST(Gallery, TransformationsWithEachResampler) {
    using TMake = std::function<std::unique_ptr<TTransformation>()>;
    const TFloatRect src = FloatRect(0, 0, Tile, Tile);
    const std::vector<TMake> transformations = {
        [&] {
            auto t = std::make_unique<TAffineTransformation>();
            t->Rotate(Tile / 2.0f, Tile / 2.0f, 30);
            t->Scale(0.8f, 0.8f);
            t->Translate(12, 12);
            return t;
        },
        [&] {
            auto t = std::make_unique<TProjectiveTransformation>();
            const float xs[4] = {20, 80, 95, 0}, ys[4] = {5, 15, 90, 80};
            for (int i = 0; i < 4; ++i) {
                t->SetX(i, xs[i]);
                t->SetY(i, ys[i]);
            }
            return t;
        },
        [&] { return std::make_unique<TTwirlTransformation>(); },
        [&] { return std::make_unique<TBloatTransformation>(); },
        [&] {
            auto t = std::make_unique<TDisturbanceTransformation>();
            t->SetDisturbance(6);
            return t;
        },
        [&] { return std::make_unique<TFishEyeTransformation>(); },
        [&] {
            auto t = std::make_unique<TRemapTransformation>();
            t->SetMappingRect(FloatRect(0, 0, Tile, Tile));
            TVectorMap* map = t->GetVectorMap();
            map->SetSize(9, 9);
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 9; ++x)
                    map->SetFloatVector(x, y, {float(std::sin(y * 0.8) * 0.6), 0});
            return t;
        }};
    const char* resamplers[] = {"TNearestResampler", "TLinearResampler", "TKernelResampler"};
    TBitmap32 sheet;
    sheet.SetSize(int(transformations.size()) * (Tile + 4), 3 * (Tile + 4));
    sheet.Clear(0xFFFFFFFF);
    for (int row = 0; row < 3; ++row) {
        TBitmap32 picture;
        DrawPicture(picture);
        picture.SetResamplerClassName(resamplers[row]);
        if (auto* kernel = dynamic_cast<TKernelResampler*>(picture.GetResampler()))
            kernel->SetKernelClassName("TLanczosKernel");
        for (std::size_t col = 0; col < transformations.size(); ++col) {
            std::unique_ptr<TTransformation> t = transformations[col]();
            t->SetSrcRect(src);
            TBitmap32 out;
            out.SetSize(Tile, Tile);
            out.Clear(0xFF808080);
            Transform(&out, &picture, *t);
            EXPECT_NE(out.GetPixel(Tile / 2, Tile / 2), 0xFF808080u) << col << " " << row;
            Place(sheet, out, int(col), row);
        }
    }
    Save(sheet, "gallery_transforms.bmp");
}

TEST(Gallery, AntialiasedStarsAndPatternFill) {
    TBitmap32 sheet;
    sheet.SetSize(6 * (Tile + 4), Tile + 4);
    sheet.Clear(0xFFFFFFFF);
    for (int mode = am32times; mode <= am2times; ++mode) {
        TBitmap32 tile;
        tile.SetSize(Tile, Tile);
        tile.Clear(0xFFFFFFFF);
        PolygonXS(&tile, Star(48, 50, 44, 18), 0xFF2040A0, pfWinding, TAntialiasMode(mode));
        // Blended in at full coverage (251 of 255 with 32 samples).
        EXPECT_NEAR(int(tile.GetPixel(48, 50) & 0xFF), 0xA0, 3) << mode;
        EXPECT_NEAR(int(tile.GetPixel(48, 50) >> 16 & 0xFF), 0x20, 4) << mode;
        Place(sheet, tile, mode, 0);
    }
    TBitmap32 pattern;
    DrawPicture(pattern);
    TBitmapPolygonFiller filler;
    filler.Pattern = &pattern;
    TBitmap32 tile;
    tile.SetSize(Tile, Tile);
    tile.Clear(0xFFFFFFFF);
    PolygonXS(&tile, Star(48, 50, 44, 18), &filler, pfWinding, am8times);
    EXPECT_NEAR(int(tile.GetPixel(48, 50) & 0xFF), int(pattern.GetPixel(48, 50) & 0xFF), 1);
    Place(sheet, tile, 5, 0);
    Save(sheet, "gallery_antialiased.bmp");
}

TEST(Gallery, ConvolveDilateErode) {
    TBitmap32 picture;
    DrawPicture(picture);
    TIntegerMap blur, zeros;
    blur.SetSize(5, 5);
    blur.Clear(10); // 25 x 10 = 250 of 256
    zeros.SetSize(3, 3);
    zeros.Clear(0);
    TBitmap32 sheet;
    sheet.SetSize(4 * (Tile + 4), Tile + 4);
    sheet.Clear(0xFFFFFFFF);
    Place(sheet, picture, 0, 0);
    using TOp = void (*)(TBitmap32*, TBitmap32*, const TIntegerMap&, int, int);
    const std::pair<TOp, const TIntegerMap*> ops[] = {{Convolve, &blur}, {Dilate, &zeros}, {Erode, &zeros}};
    int col = 1;
    for (const auto& [op, kernel] : ops) {
        TBitmap32 out;
        op(&picture, &out, *kernel, kernel->GetWidth() / 2, kernel->GetHeight() / 2);
        EXPECT_EQ(out.GetWidth(), Tile);
        Place(sheet, out, col++, 0);
    }
    Save(sheet, "gallery_kernels.bmp");
}
