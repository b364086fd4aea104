#include "SkinTestSupport.h"

#include "skin/data/Skutils_Images.h"

namespace {

// Column x, row y of the source: red x * 20, green y * 20.
std::unique_ptr<TBitmap> Gradient(int Width, int Height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            SetPixel(bitmap->GetCanvas()->GetHandle(), x, y, RGB(x * 20, y * 20, 0));
    return bitmap;
}

COLORREF At(TBitmap* B, int X, int Y) {
    return GetPixel(B->GetCanvas()->GetHandle(), X, Y);
}

// The source column and row a destination pixel came from.
TPoint SourceOf(TBitmap* B, int X, int Y) {
    const COLORREF c = At(B, X, Y);
    return {GetRValue(c) / 20, GetGValue(c) / 20};
}

// A mask of black runs: Runs[y] lists the black columns of row y as "x0-x1" pairs.
std::unique_ptr<TBitmap> MaskOf(int Width,
                                const std::vector<std::vector<std::pair<int, int>>>& Runs) {
    auto mask = std::make_unique<TBitmap>();
    mask->SetPixelFormat(pf24bit);
    mask->SetSize(Width, static_cast<int>(Runs.size()));
    TCanvas* canvas = mask->GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect(0, 0, Width, static_cast<int>(Runs.size())));
    canvas->GetBrush()->SetColor(clBlack);
    for (int y = 0; y < static_cast<int>(Runs.size()); ++y)
        for (auto [x0, x1] : Runs[y])
            canvas->FillRect(TRect(x0, y, x1, y + 1));
    return mask;
}

// The same region united one rectangle per run.
HRGN RunByRun(TBitmap* Mask, int XOffset, int YOffset) {
    HRGN all = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < Mask->GetHeight(); ++y)
        for (int x = 0; x < Mask->GetWidth(); ++x)
            if (At(Mask, x, y) == 0) {
                HRGN one =
                    CreateRectRgn(XOffset + x, YOffset + y, XOffset + x + 1, YOffset + y + 1);
                CombineRgn(all, all, one, RGN_OR);
                DeleteObject(one);
            }
    return all;
}

} // namespace

TEST(SkinImages, ThreeSlicesKeepTheCapsAndClipTheLastTile) {
    auto source = Gradient(8, 3);
    TBitmap b;
    const TRect skin(1, 0, 7, 3); // caps 1 wide, middle columns 3..5 of the picture
    CreateHSkinImage(1, 1, &b, source.get(), skin, 10, 99);
    EXPECT_EQ(b.GetWidth(), 10);
    EXPECT_EQ(b.GetHeight(), 3);
    const int expected[10] = {1, 2, 3, 4, 5, 2, 3, 4, 5, 6};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(SourceOf(&b, x, 2), TPoint(expected[x], 2)) << x;
    CreateHSkinImage(1, 1, &b, source.get(), skin, 6, 0); // an exact multiple ends whole
    EXPECT_EQ(SourceOf(&b, 4, 0), TPoint(5, 0));

    CreateHSkinImage2(1, 5, &b, source.get(), skin, 5, 0); // middle of width 0
    for (int x = 1; x < 5; ++x)
        EXPECT_EQ(SourceOf(&b, x, 1).X, 2) << x;

    CreateVSkinImage(1, 0, &b, source.get(), TRect(0, 0, 2, 3), 0, 7);
    EXPECT_EQ(b.GetWidth(), 2);
    const int rows[7] = {0, 1, 2, 1, 2, 1, 2};
    for (int y = 0; y < 7; ++y)
        EXPECT_EQ(SourceOf(&b, 1, y), TPoint(1, rows[y])) << y;
    // A zero-length middle draws nothing there.
    TBitmap blank;
    blank.SetPixelFormat(pf24bit);
    CreateHSkinImage(3, 3, &blank, source.get(), TRect(0, 0, 6, 3), 9, 0);
    EXPECT_EQ(At(&blank, 4, 1), RGB(255, 255, 255));
}

TEST(SkinImages, NineSlicesReproduceTheSkinAndTileEdgesAndClient) {
    auto source = Gradient(12, 12);
    const TRect skinRect(1, 1, 11, 11); // 10 x 10
    TSkinGeometry skin{{3, 3}, {7, 3}, {3, 7}, {7, 7}, TRect(2, 2, 8, 8)};
    TBitmap b;
    CreateSkinImage(skin, skin, &b, source.get(), skinRect, 10, 10, true);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(SourceOf(&b, x, y), TPoint(x + 1, y + 1)) << x << "," << y;

    // Four pixels wider and taller: edges and client repeat, corners move out.
    TSkinGeometry wide{{3, 3}, {11, 3}, {3, 11}, {11, 11}, TRect(2, 2, 12, 12)};
    CreateSkinImage(skin, wide, &b, source.get(), skinRect, 14, 14, true);
    EXPECT_EQ(SourceOf(&b, 13, 13), TPoint(10, 10)); // bottom-right corner
    EXPECT_EQ(SourceOf(&b, 7, 0), TPoint(4, 1));     // top edge, second tile
    EXPECT_EQ(SourceOf(&b, 2 + 6, 5), TPoint(3, 6)); // client tile 2 starts over
    EXPECT_EQ(SourceOf(&b, 11, 11), TPoint(6, 6));   // client, last tiles clipped

    TSkinGeometry none{};
    TBitmap sized;
    CreateSkinImage(none, none, &sized, source.get(), skinRect, 5, 6, true);
    EXPECT_EQ(sized.GetWidth(), 5);
    EXPECT_EQ(sized.GetHeight(), 6);
}

TEST(SkinImages, BorderImagesAndMasksOfAFrame) {
    auto source = Gradient(10, 10);
    TSkinGeometry skin{{3, 3}, {7, 3}, {3, 7}, {7, 7}, TRect(2, 2, 8, 8)};
    TSkinGeometry target{{3, 3}, {17, 3}, {3, 17}, {17, 17}, TRect(2, 2, 18, 18)};
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(skin, target, &left, &top, &right, &bottom, source.get(),
                           TRect(0, 0, 10, 10), 20, 20, false, true, false, false);
    EXPECT_EQ(top.GetWidth(), 20);
    EXPECT_EQ(top.GetHeight(), 2);
    EXPECT_EQ(bottom.GetHeight(), 2);
    EXPECT_EQ(left.GetHeight(), 16);
    EXPECT_EQ(right.GetWidth(), 2);
    EXPECT_EQ(SourceOf(&top, 19, 1), TPoint(9, 1));
    EXPECT_EQ(SourceOf(&left, 0, 0), TPoint(0, 2));  // the piece above the span
    EXPECT_EQ(SourceOf(&left, 1, 15), TPoint(1, 7)); // the piece below it
    EXPECT_EQ(SourceOf(&right, 1, 5), TPoint(9, 4)); // tiled from the border's origin

    auto mask = MaskOf(10, std::vector<std::vector<std::pair<int, int>>>(10, {{0, 10}}));
    TBitmap mt, ml, mr, mb;
    CreateSkinMask(skin, target, mask.get(), &mt, &ml, &mr, &mb, 20, 20);
    EXPECT_EQ(mt.GetWidth(), 20);
    EXPECT_EQ(mt.GetHeight(), 2);
    EXPECT_EQ(ml.GetHeight(), 16);
    EXPECT_EQ(At(&mr, 1, 15), 0u);
}

TEST(SkinRegions, RegionDataHoldsOneRectanglePerRun) {
    auto mask = MaskOf(6, {{{0, 2}, {3, 6}}, {}, {{0, 6}}});
    std::vector<Byte> data;
    ASSERT_EQ(CreateRgnFromBmp(mask.get(), 10, 20, data), 32 + 3 * 16);
    auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    EXPECT_EQ(header->dwSize, 32u);
    EXPECT_EQ(header->iType, 1u);
    EXPECT_EQ(header->nCount, 3u);
    EXPECT_EQ(header->rcBound.right, 16);
    EXPECT_EQ(header->rcBound.bottom, 23);
    auto* rects = reinterpret_cast<const RECT*>(data.data() + 32);
    EXPECT_EQ(rects[1].left, 13);
    EXPECT_EQ(rects[1].right, 16);
    EXPECT_EQ(rects[2].top, 22);
    EXPECT_EQ(rects[2].bottom, 23);

    TBitmap empty;
    EXPECT_EQ(CreateRgnFromBmp(&empty, 0, 0, data), 0);
    EXPECT_EQ(data.size(), 32u + 3 * 16); // untouched
    auto white = MaskOf(4, {{}, {}});
    EXPECT_EQ(CreateRgnFromBmp(white.get(), 0, 0, data), 32);
    // More runs than a fixed buffer of 10,000 would hold.
    std::vector<std::vector<std::pair<int, int>>> many(200);
    for (auto& row : many)
        for (int x = 0; x < 200; x += 2)
            row.push_back({x, x + 1});
    auto dense = MaskOf(200, many);
    EXPECT_EQ(CreateRgnFromBmp(dense.get(), 0, 0, data), 32 + 20000 * 16);
}

TEST(SkinRegions, FrameRegionsUniteTheClientAndTheBorders) {
    // A 10 x 10 frame mask with cut top corners.
    std::vector<std::vector<std::pair<int, int>>> runs(10, {{0, 10}});
    runs[0] = {{2, 8}};
    auto mask = MaskOf(10, runs);
    TSkinGeometry skin{{3, 3}, {7, 3}, {3, 7}, {7, 7}, TRect(2, 2, 8, 8)};
    TSkinGeometry target{{3, 3}, {17, 3}, {3, 17}, {17, 17}, TRect(2, 2, 18, 18)};
    HRGN rgn = CreateSkinRegion(skin, target, mask.get(), 20, 20);
    ASSERT_TRUE(rgn);
    HRGN expected = CreateRectRgn(0, 1, 20, 20);
    HRGN topRow = CreateRectRgn(2, 0, 18, 1);
    CombineRgn(expected, expected, topRow, RGN_OR);
    EXPECT_TRUE(EqualRgn(rgn, expected));
    DeleteObject(topRow);
    DeleteObject(expected);
    DeleteObject(rgn);

    TSkinGeometry crossed = target;
    crossed.LTPoint.X = 18;
    EXPECT_EQ(CreateSkinRegion(skin, crossed, mask.get(), 20, 20), nullptr);

    auto white = MaskOf(10, std::vector<std::vector<std::pair<int, int>>>(10));
    rgn = CreateSkinRegion(skin, target, white.get(), 20, 20);
    HRGN client = CreateRectRgn(2, 2, 18, 18);
    EXPECT_TRUE(EqualRgn(rgn, client));
    DeleteObject(client);
    DeleteObject(rgn);

    HRGN simple = CreateSkinSimplyRegion(mask.get());
    HRGN runByRun = RunByRun(mask.get(), 0, 0);
    EXPECT_TRUE(EqualRgn(simple, runByRun));
    DeleteObject(simple);
    DeleteObject(runByRun);
}

TEST(SkinRegions, AWindowKeepsTheRegionItTakesAndARefusedOrEmptyOneIsDeleted) {
    auto popup = [](int W, int H) {
        return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, W, H, nullptr, nullptr, nullptr,
                               nullptr);
    };
    HWND wnd = popup(40, 20);
    ASSERT_TRUE(wnd);
    HRGN held = CreateRectRgn(0, 0, 0, 0);
    HRGN left = CreateRectRgn(0, 0, 10, 20);
    EXPECT_EQ(SetWindowRegion(wnd, left, nullptr), left);
    ASSERT_EQ(GetWindowRgn(wnd, held), SIMPLEREGION);
    RECT box;
    GetRgnBox(held, &box);
    EXPECT_EQ(box.right, 10);

    // A window that is gone refuses: the region is deleted and the one in place reported.
    HWND gone = popup(4, 4);
    DestroyWindow(gone);
    HRGN refused = CreateRectRgn(0, 0, 5, 5);
    EXPECT_EQ(SetWindowRegion(gone, refused, left), left);
    EXPECT_EQ(GetObjectType(refused), 0u);

    // An empty region would hide the window: deleted, and the window left whole.
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SetWindowRegion(wnd, empty, left), nullptr);
    EXPECT_EQ(GetObjectType(empty), 0u);
    EXPECT_EQ(GetWindowRgn(wnd, held), ERROR);
    DeleteObject(held);
    DestroyWindow(wnd);
}
