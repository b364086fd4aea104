#include "skin/data/Skutils_Images.h"

#include "skin/data/Skutils_Geometry.h"

#include "classlib/Exceptions.h"

#include <algorithm>
#include <cstring>

namespace {

TRect Offset(const TRect& R, const TRect& SkinRect) {
    return {R.Left + SkinRect.Left, R.Top + SkinRect.Top, R.Right + SkinRect.Left,
            R.Bottom + SkinRect.Top};
}

void Copy(TBitmap* Dest, const TRect& To, TBitmap* Source, const TRect& From) {
    if (To.Width() <= 0 || To.Height() <= 0 || From.Width() <= 0 || From.Height() <= 0) return;
    Dest->GetCanvas()->CopyRect(To, Source->GetCanvas(), From);
}

// Repeats the source strip From from S towards E, Step apart, along X (between the
// rows A and B) or along Y (between the columns A and B); the last tile and its source
// are shortened by what passes E. A step of 0 or less draws nothing.
void Tile(TBitmap* Dest, TBitmap* Source, const TRect& From, int Step, int S, int E, int A, int B,
          bool AlongY) {
    if (Step <= 0 || E - S < 0) return;
    const TRect part = BitmapPart(Dest);
    const TTileRange tiles = AlongY ? TilesMeeting(S, Step, (E - S) / Step, part.Top, part.Bottom)
                                    : TilesMeeting(S, Step, (E - S) / Step, part.Left, part.Right);
    for (int i = tiles.First; i <= tiles.Last; ++i) {
        const int start = S + i * Step;
        const int end = S + (i + 1) * Step - std::max(0, S + (i + 1) * Step - E);
        const int off = S + (i + 1) * Step - end;
        if (AlongY)
            Copy(Dest, TRect(A, start, B, end), Source,
                 TRect(From.Left, From.Top, From.Right, From.Bottom - off));
        else
            Copy(Dest, TRect(start, A, end, B), Source,
                 TRect(From.Left, From.Top, From.Right - off, From.Bottom));
    }
}

void TileH(TBitmap* Dest, TBitmap* Source, const TRect& From, int Step, int S, int E, int Top,
           int Bottom) {
    Tile(Dest, Source, From, Step, S, E, Top, Bottom, false);
}

void TileV(TBitmap* Dest, TBitmap* Source, const TRect& From, int Step, int S, int E, int Left,
           int Right) {
    Tile(Dest, Source, From, Step, S, E, Left, Right, true);
}

// The middle strip stretched into To through a bitmap of its own size.
void StretchStrip(TBitmap* Dest, const TRect& To, TBitmap* Source, const TRect& From) {
    if (From.Width() <= 0 || From.Height() <= 0) return;
    TBitmap strip;
    strip.SetSize(From.Width(), From.Height());
    Copy(&strip, TRect(0, 0, From.Width(), From.Height()), Source, From);
    Dest->GetCanvas()->StretchDraw(To, &strip);
}

// Masks are 24-bit sections, which the region builder reads in place.
void SizeMask(TBitmap* Mask, int W, int H) {
    Mask->SetPixelFormat(pf24bit);
    Mask->SetSize(W, H);
}

bool NoSkinPoints(const TSkinGeometry& Skin, TBitmap* SB) {
    return Skin.RBPoint.X == Skin.LTPoint.X || Skin.RBPoint.Y == Skin.LTPoint.Y || SB->GetEmpty();
}

} // namespace

TTileRange TilesMeeting(int Start, int Step, int Last, int Low, int High) {
    // Tile i covers [Start + i * Step, Start + (i + 1) * Step).
    auto floorDiv = [](Int64 A, Int64 B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0))); };
    const Int64 first = std::max<Int64>(0, floorDiv(Int64{Low} - Start, Step));
    const Int64 last = std::min<Int64>(Last, floorDiv(Int64{High} - 1 - Start, Step));
    return {static_cast<int>(first), static_cast<int>(std::max<Int64>(first - 1, last))};
}

void TileClient(TBitmap* Dest, TBitmap* Source, const TRect& From, const TRect& To) {
    TileClient(Dest->GetCanvas(), BitmapPart(Dest), Source, From, To);
}

void TileClient(TCanvas* Canvas, const TRect& Part, TBitmap* Source, const TRect& From,
                const TRect& To) {
    const int cw = From.Width(), ch = From.Height();
    if (cw <= 0 || ch <= 0 || To.Width() < 0 || To.Height() < 0) return;
    const TTileRange columns = TilesMeeting(To.Left, cw, To.Width() / cw, Part.Left, Part.Right);
    const TTileRange rows = TilesMeeting(To.Top, ch, To.Height() / ch, Part.Top, Part.Bottom);
    for (int i = columns.First; i <= columns.Last; ++i) {
        const int offX = std::max(0, (i + 1) * cw - To.Width());
        for (int j = rows.First; j <= rows.Last; ++j) {
            const int offY = std::max(0, (j + 1) * ch - To.Height());
            const int x = To.Left + i * cw, y = To.Top + j * ch;
            if (offX >= cw || offY >= ch) continue;
            Canvas->CopyRect(TRect(x, y, x + cw - offX, y + ch - offY), Source->GetCanvas(),
                             TRect(From.Left, From.Top, From.Right - offX, From.Bottom - offY));
        }
    }
}

namespace {

// The part of R that lies inside Picture; empty when none does.
TRect InsidePicture(TBitmap* Picture, const TRect& R) {
    if (!Picture || Picture->GetEmpty()) return TRect();
    const TRect inside(std::max(R.Left, 0), std::max(R.Top, 0),
                       std::min(R.Right, Picture->GetWidth()), std::min(R.Bottom, Picture->GetHeight()));
    if (IsNullRect(inside)) return TRect();
    return inside;
}

} // namespace

void DrawPictureTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Picture, const TRect& R) {
    const TRect inside = InsidePicture(Picture, R);
    if (IsNullRect(inside)) return;
    TBitmap part(inside.Width(), inside.Height());
    part.GetCanvas()->CopyRect(TRect(0, 0, inside.Width(), inside.Height()), Picture->GetCanvas(),
                               inside);
    part.SetTransparent(true);
    Canvas->Draw(X + inside.Left - R.Left, Y + inside.Top - R.Top, &part);
}

TskTransparentPicture::TskTransparentPicture(TBitmap* Picture, const TRect& R) {
    const TRect inside = InsidePicture(Picture, R);
    if (IsNullRect(inside)) return;
    const int w = inside.Width(), h = inside.Height();
    FOffset = TPoint(inside.Left - R.Left, inside.Top - R.Top);
    FImage.SetPixelFormat(pf24bit);
    FImage.SetSize(w, h);
    FMask.SetPixelFormat(pf24bit);
    FMask.SetSize(w, h);
    TCanvas* image = FImage.GetCanvas();
    TCanvas* mask = FMask.GetCanvas();
    image->CopyRect(TRect(0, 0, w, h), Picture->GetCanvas(), inside);
    const TColor key = image->GetPixels(0, h - 1);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool clear = image->GetPixels(x, y) == key;
            mask->SetPixels(x, y, clear ? clWhite : clBlack);
            if (clear) image->SetPixels(x, y, clBlack);
        }
    }
}

void TskTransparentPicture::Draw(TCanvas* Canvas, int X, int Y) {
    if (GetEmpty()) return;
    const TRect dest(X + FOffset.X, Y + FOffset.Y, X + FOffset.X + FImage.GetWidth(),
                     Y + FOffset.Y + FImage.GetHeight());
    const TRect source(0, 0, FImage.GetWidth(), FImage.GetHeight());
    const TCopyMode mode = Canvas->GetCopyMode();
    Canvas->SetCopyMode(cmSrcAnd);
    Canvas->CopyRect(dest, FMask.GetCanvas(), source);
    Canvas->SetCopyMode(cmSrcPaint);
    Canvas->CopyRect(dest, FImage.GetCanvas(), source);
    Canvas->SetCopyMode(mode);
}

void CreateHSkinImage(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& SkinRect, int AW, int) {
    B->SetSize(AW, RectHeight(SkinRect));
    const int h = B->GetHeight();
    if (LO != 0)
        Copy(B, TRect(0, 0, LO, h), SB,
             TRect(SkinRect.Left, SkinRect.Top, SkinRect.Left + LO, SkinRect.Bottom));
    if (RO != 0)
        Copy(B, TRect(AW - RO, 0, AW, h), SB,
             TRect(SkinRect.Right - RO, SkinRect.Top, SkinRect.Right, SkinRect.Bottom));
    const TRect middle(SkinRect.Left + LO, SkinRect.Top, SkinRect.Right - RO, SkinRect.Bottom);
    TileH(B, SB, middle, middle.Width(), LO, AW - RO, 0, h);
}

void CreateHSkinImage2(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& SkinRect, int AW,
                       int) {
    B->SetSize(AW, RectHeight(SkinRect));
    const int h = B->GetHeight();
    if (LO != 0)
        Copy(B, TRect(0, 0, LO, h), SB,
             TRect(SkinRect.Left, SkinRect.Top, SkinRect.Left + LO, SkinRect.Bottom));
    const TRect middle(SkinRect.Left + LO, SkinRect.Top, SkinRect.Right - RO, SkinRect.Bottom);
    if (middle.Width() > 0) {
        TileH(B, SB, middle, middle.Width(), LO, AW, 0, h);
    } else {
        // A one-pixel source column, one pixel per step.
        const TRect column(middle.Left, middle.Top, middle.Left + 1, middle.Bottom);
        TileH(B, SB, column, 1, LO, AW, 0, h);
    }
}

void CreateVSkinImage(int TO, int BO, TBitmap* B, TBitmap* SB, const TRect& SkinRect, int, int AH) {
    B->SetSize(RectWidth(SkinRect), AH);
    const int w = B->GetWidth();
    if (TO != 0)
        Copy(B, TRect(0, 0, w, TO), SB,
             TRect(SkinRect.Left, SkinRect.Top, SkinRect.Right, SkinRect.Top + TO));
    if (BO != 0)
        Copy(B, TRect(0, AH - BO, w, AH), SB,
             TRect(SkinRect.Left, SkinRect.Bottom - BO, SkinRect.Right, SkinRect.Bottom));
    const TRect middle(SkinRect.Left, SkinRect.Top + TO, SkinRect.Right, SkinRect.Bottom - BO);
    TileV(B, SB, middle, middle.Height(), TO, AH - BO, 0, w);
}

void CreateSkinImage(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* B, TBitmap* SB,
                     const TRect& SkinRect, int AW, int AH, bool DrawClient) {
    B->SetSize(AW, AH);
    if (NoSkinPoints(Skin, SB)) return;
    const int SW = RectWidth(SkinRect), SH = RectHeight(SkinRect);
    const TPoint &LT = Skin.LTPoint, &RT = Skin.RTPoint, &LB = Skin.LBPoint, &RB = Skin.RBPoint;
    const TRect& Cl = Skin.ClRect;
    const TPoint &NLT = New.LTPoint, &NRT = New.RTPoint, &NLB = New.LBPoint, &NRB = New.RBPoint;
    const TRect& NCl = New.ClRect;
    auto src = [&](int l, int t, int r, int b) { return Offset(TRect(l, t, r, b), SkinRect); };

    TileH(B, SB, src(LT.X, 0, RT.X, Cl.Top), RT.X - LT.X, NLT.X, NRT.X, 0, NCl.Top);
    TileH(B, SB, src(LB.X, Cl.Bottom, RB.X, SH), RB.X - LB.X, NLB.X, NRB.X, NCl.Bottom, AH);
    TileV(B, SB, src(0, LT.Y, Cl.Left, LB.Y), LB.Y - LT.Y, NLT.Y, NLB.Y, 0, NCl.Left);
    TileV(B, SB, src(Cl.Right, RT.Y, SW, RB.Y), RB.Y - RT.Y, NRT.Y, NRB.Y, NCl.Right, AW);

    Copy(B, TRect(0, 0, NLT.X, NCl.Top), SB, src(0, 0, LT.X, Cl.Top));
    Copy(B, TRect(0, NCl.Top, NCl.Left, NLT.Y), SB, src(0, Cl.Top, Cl.Left, LT.Y));
    Copy(B, TRect(NRT.X, 0, AW, NCl.Top), SB, src(RT.X, 0, SW, Cl.Top));
    Copy(B, TRect(NCl.Right, NCl.Top, AW, NRT.Y), SB, src(Cl.Right, Cl.Top, SW, RT.Y));
    Copy(B, TRect(0, NLB.Y, NCl.Left, AH), SB, src(0, LB.Y, Cl.Left, SH));
    Copy(B, TRect(NCl.Left, NCl.Bottom, NLB.X, AH), SB, src(Cl.Left, Cl.Bottom, LB.X, SH));
    Copy(B, TRect(NRB.X, NCl.Bottom, AW, AH), SB, src(RB.X, Cl.Bottom, SW, SH));
    Copy(B, TRect(NCl.Right, NRB.Y, AW, NCl.Bottom), SB, src(Cl.Right, RB.Y, SW, Cl.Bottom));

    if (DrawClient) TileClient(B, SB, Offset(Cl, SkinRect), NCl);
}

void CreateSkinImage2(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* B, TBitmap* SB,
                      const TRect& SkinRect, int AW, int AH, bool DrawClient) {
    B->SetSize(AW, AH);
    if (NoSkinPoints(Skin, SB)) return;
    const int SH = RectHeight(SkinRect);
    const TPoint &LT = Skin.LTPoint, &RT = Skin.RTPoint, &LB = Skin.LBPoint, &RB = Skin.RBPoint;
    const TRect& Cl = Skin.ClRect;
    const TPoint &NLT = New.LTPoint, &NLB = New.LBPoint;
    const TRect& NCl = New.ClRect;
    auto src = [&](int l, int t, int r, int b) { return Offset(TRect(l, t, r, b), SkinRect); };

    TileH(B, SB, src(LT.X, 0, RT.X, Cl.Top), RB.X - LT.X, NLT.X, AW, 0, NCl.Top);
    TileH(B, SB, src(LB.X, Cl.Bottom, RB.X, SH), RB.X - LB.X, NLB.X, AW, NCl.Bottom, AH);
    TileV(B, SB, src(0, LT.Y, Cl.Left, LB.Y), LB.Y - LT.Y, NLT.Y, NLB.Y, 0, NCl.Left);

    Copy(B, TRect(0, 0, NLT.X, NCl.Top), SB, src(0, 0, LT.X, Cl.Top));
    Copy(B, TRect(0, NCl.Top, NCl.Left, NLT.Y), SB, src(0, Cl.Top, Cl.Left, LT.Y));
    Copy(B, TRect(0, NLB.Y, NCl.Left, AH), SB, src(0, LB.Y, Cl.Left, SH));
    Copy(B, TRect(NCl.Left, NCl.Bottom, NLB.X, AH), SB, src(Cl.Left, Cl.Bottom, LB.X, SH));

    if (DrawClient)
        TileClient(B, SB, Offset(Cl, SkinRect), TRect(NCl.Left, NCl.Top, AW, NCl.Bottom));
}

void CreateSkinBorderImages(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* LeftB,
                            TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* SB,
                            const TRect& SkinRect, int AW, int AH, bool LeftStretch,
                            bool TopStretch, bool RightStretch, bool BottomStretch) {
    const int SW = RectWidth(SkinRect), SH = RectHeight(SkinRect);
    const TPoint &LT = Skin.LTPoint, &RT = Skin.RTPoint, &LB = Skin.LBPoint, &RB = Skin.RBPoint;
    const TRect& Cl = Skin.ClRect;
    const TPoint &NLT = New.LTPoint, &NRT = New.RTPoint, &NLB = New.LBPoint, &NRB = New.RBPoint;
    const TRect& NCl = New.ClRect;
    auto src = [&](int l, int t, int r, int b) { return Offset(TRect(l, t, r, b), SkinRect); };

    const int TH = NCl.Top;
    if (AW >= 1 && TH >= 1 && RT.X - LT.X >= 1) {
        TopB->SetSize(AW, TH);
        const TRect middle = src(LT.X, 0, RT.X, TH);
        if (TopStretch)
            StretchStrip(TopB, TRect(NLT.X, 0, NRT.X, TH), SB, middle);
        else
            TileH(TopB, SB, middle, RT.X - LT.X, 0, AW, 0, TH);
        Copy(TopB, TRect(0, 0, NLT.X, TH), SB, src(0, 0, LT.X, TH));
        Copy(TopB, TRect(NRT.X, 0, AW, TH), SB, src(RT.X, 0, SW, TH));
    }
    const int BH = AH - NCl.Bottom;
    if (AW >= 1 && BH >= 1 && RB.X - LB.X >= 1) {
        BottomB->SetSize(AW, BH);
        const TRect middle = src(LB.X, SH - BH, RB.X, SH);
        if (BottomStretch)
            StretchStrip(BottomB, TRect(NLB.X, 0, NRB.X, BH), SB, middle);
        else
            TileH(BottomB, SB, middle, RB.X - LB.X, 0, AW, 0, BH);
        Copy(BottomB, TRect(0, 0, NLB.X, BH), SB, src(0, SH - BH, LB.X, SH));
        Copy(BottomB, TRect(NRB.X, 0, AW, BH), SB, src(RB.X, SH - BH, SW, SH));
    }
    const int sideH = AH - BottomB->GetHeight() - TopB->GetHeight();
    // A side border: columns From.Left..From.Right of the source, the span Y0..Y1.
    auto side = [&](TBitmap* Border, int Width, int SrcLeft, int SrcRight, int Y0, int Y1,
                    bool Stretch) {
        if (Width < 1 || sideH < 1 || Y1 - Y0 < 1) return;
        Border->SetSize(Width, sideH);
        const TRect middle = src(SrcLeft, Y0, SrcRight, Y1);
        const int above = Y0 - Cl.Top, below = Cl.Bottom - Y1;
        if (Stretch)
            StretchStrip(Border, TRect(0, above, Width, sideH - below), SB, middle);
        else
            TileV(Border, SB, middle, Y1 - Y0, 0, sideH, 0, Width);
        if (above > 0)
            Copy(Border, TRect(0, 0, Width, above), SB, src(SrcLeft, Cl.Top, SrcRight, Y0));
        if (below > 0)
            Copy(Border, TRect(0, sideH - below, Width, sideH), SB,
                 src(SrcLeft, Y1, SrcRight, Cl.Bottom));
    };
    const int LW = NCl.Left;
    side(LeftB, LW, 0, LW, LT.Y, LB.Y, LeftStretch);
    const int RW = AW - NCl.Right;
    side(RightB, RW, Cl.Right, SW, RT.Y, RB.Y, RightStretch);
}

void CreateSkinMask(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* FMask,
                    TBitmap* RMTop, TBitmap* RMLeft, TBitmap* RMRight, TBitmap* RMBottom, int AW,
                    int) {
    const TPoint &LT = Skin.LTPoint, &RT = Skin.RTPoint, &LB = Skin.LBPoint, &RB = Skin.RBPoint;
    const TRect& Cl = Skin.ClRect;
    const TPoint &NLT = New.LTPoint, &NRT = New.RTPoint, &NLB = New.LBPoint, &NRB = New.RBPoint;
    const int MW = FMask->GetWidth(), MH = FMask->GetHeight();
    const int clientH = RectHeight(New.ClRect);

    auto side = [&](TBitmap* Mask, int Left, int Right, int Y0, int Y1) {
        const int w = Right - Left;
        if (w < 1 || clientH < 1) return;
        SizeMask(Mask, w, clientH);
        if (Y1 - Y0 != 0) TileV(Mask, FMask, TRect(Left, Y0, Right, Y1), Y1 - Y0, 0, clientH, 0, w);
        const int above = Y0 - Cl.Top, below = Cl.Bottom - Y1;
        if (above > 0) Copy(Mask, TRect(0, 0, w, above), FMask, TRect(Left, Cl.Top, Right, Y0));
        if (below > 0)
            Copy(Mask, TRect(0, clientH - below, w, clientH), FMask,
                 TRect(Left, Y1, Right, Cl.Bottom));
    };
    side(RMLeft, 0, Cl.Left, LT.Y, LB.Y);
    side(RMRight, Cl.Right, MW, RT.Y, RB.Y);

    if (AW >= 1 && Cl.Top >= 1) {
        SizeMask(RMTop, AW, Cl.Top);
        if (RT.X - LT.X != 0)
            TileH(RMTop, FMask, TRect(LT.X, 0, RT.X, Cl.Top), RT.X - LT.X, NLT.X, NRT.X, 0, Cl.Top);
        Copy(RMTop, TRect(0, 0, LT.X, Cl.Top), FMask, TRect(0, 0, LT.X, Cl.Top));
        Copy(RMTop, TRect(NRT.X, 0, AW, Cl.Top), FMask, TRect(RT.X, 0, MW, Cl.Top));
    }
    const int BH = MH - Cl.Bottom;
    if (AW >= 1 && BH >= 1) {
        SizeMask(RMBottom, AW, BH);
        if (RB.X - LB.X != 0)
            TileH(RMBottom, FMask, TRect(LB.X, Cl.Bottom, RB.X, MH), RB.X - LB.X, NLB.X, NRB.X, 0,
                  BH);
        Copy(RMBottom, TRect(0, 0, LB.X, BH), FMask, TRect(0, Cl.Bottom, LB.X, MH));
        Copy(RMBottom, TRect(NRB.X, 0, AW, BH), FMask, TRect(RB.X, Cl.Bottom, MW, MH));
    }
}

// ---- Regions -----------------------------------------------------------------------

TFBitmap::TFBitmap(TBitmap* Bitmap) : FWidth(Bitmap->GetWidth()), FHeight(Bitmap->GetHeight()) {
    FRows.resize(static_cast<std::size_t>(FHeight));
    const int stride = 3 * FWidth + FWidth % 4;
    if (Bitmap->GetPixelFormat() == pf24bit) {
        // A 24-bit bitmap keeps its rows top-down, one stride apart.
        const Byte* first = FHeight ? static_cast<const Byte*>(Bitmap->GetScanLine(0)) : nullptr;
        for (int y = 0; y < FHeight; ++y)
            FRows[static_cast<std::size_t>(y)] = first + static_cast<std::size_t>(y) * stride;
        return;
    }
    FCopy.resize(static_cast<std::size_t>(stride) * FHeight);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = FWidth;
    header.bmiHeader.biHeight = -FHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, Bitmap->GetHandle(), 0, static_cast<UINT>(FHeight),
                                FCopy.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != FHeight) throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
    for (int y = 0; y < FHeight; ++y)
        FRows[static_cast<std::size_t>(y)] = FCopy.data() + static_cast<std::size_t>(y) * stride;
}

int CreateRgnFromBmp(TBitmap* Bmp, int XOffset, int YOffset, std::vector<Byte>& RgnData) {
    if (Bmp->GetEmpty()) return 0;
    const TFBitmap scan(Bmp);
    std::vector<RECT> rects;
    rects.reserve(10000);
    for (int y = 0; y < scan.Height(); ++y) {
        const Byte* row = scan.Row(y);
        int x = 0;
        while (x < scan.Width()) {
            while (x < scan.Width() && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) != 0)
                ++x;
            const int x0 = x;
            while (x < scan.Width() && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0)
                ++x;
            if (x > x0) rects.push_back({XOffset + x0, YOffset + y, XOffset + x, YOffset + y + 1});
        }
    }
    const std::size_t size = sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT);
    RgnData.assign(size, 0);
    RGNDATAHEADER header{};
    header.dwSize = sizeof header;
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(rects.size());
    header.nRgnSize = 0;
    header.rcBound = {XOffset, YOffset, XOffset + scan.Width(), YOffset + scan.Height()};
    std::memcpy(RgnData.data(), &header, sizeof header);
    if (!rects.empty())
        std::memcpy(RgnData.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
    return static_cast<int>(size);
}

namespace {

// Merges each row whose runs repeat the row above into that row's rectangles, so that
// the system unites far fewer rectangles; the region stays the same.
void MergeEqualRows(std::vector<RECT>& Rects) {
    std::vector<RECT> merged;
    std::size_t previous = 0, previousEnd = 0; // the last row group in merged
    for (std::size_t i = 0; i < Rects.size();) {
        std::size_t end = i;
        while (end < Rects.size() && Rects[end].top == Rects[i].top)
            ++end;
        bool same = previousEnd > previous && previousEnd - previous == end - i &&
                    merged[previous].bottom == Rects[i].top;
        for (std::size_t k = 0; same && k < end - i; ++k)
            same = merged[previous + k].left == Rects[i + k].left &&
                   merged[previous + k].right == Rects[i + k].right;
        if (same) {
            for (std::size_t k = previous; k < previousEnd; ++k)
                merged[k].bottom = Rects[i].bottom;
        } else {
            previous = merged.size();
            merged.insert(merged.end(), Rects.begin() + static_cast<std::ptrdiff_t>(i),
                          Rects.begin() + static_cast<std::ptrdiff_t>(end));
            previousEnd = merged.size();
        }
        i = end;
    }
    Rects.swap(merged);
}

HRGN RegionOf(TBitmap* Mask, int XOffset, int YOffset) {
    std::vector<Byte> data;
    if (CreateRgnFromBmp(Mask, XOffset, YOffset, data) == 0) return nullptr;
    RGNDATAHEADER header;
    std::memcpy(&header, data.data(), sizeof header);
    std::vector<RECT> rects(header.nCount);
    if (!rects.empty())
        std::memcpy(rects.data(), data.data() + sizeof header, rects.size() * sizeof(RECT));
    MergeEqualRows(rects);
    header.nCount = static_cast<DWORD>(rects.size());
    data.resize(sizeof header + rects.size() * sizeof(RECT));
    std::memcpy(data.data(), &header, sizeof header);
    if (!rects.empty())
        std::memcpy(data.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                           reinterpret_cast<const RGNDATA*>(data.data()));
}

// Unites Part into Into (which Part replaces when there is none); Part is used up.
void Unite(HRGN& Into, HRGN& Part) {
    if (!Part) return;
    if (!Into) {
        Into = Part;
    } else {
        CombineRgn(Into, Into, Part, RGN_OR);
        DeleteObject(Part);
    }
    Part = nullptr;
}

} // namespace

HRGN CreateSkinSimplyRegion(TBitmap* FMask) {
    return RegionOf(FMask, 0, 0);
}

HRGN SetWindowRegion(HWND Wnd, HRGN Rgn, HRGN Current) {
    RECT box;
    if (Rgn && GetRgnBox(Rgn, &box) == NULLREGION) {
        DeleteObject(Rgn);
        Rgn = nullptr;
    }
    if (SetWindowRgn(Wnd, Rgn, TRUE)) return Rgn;
    if (Rgn) DeleteObject(Rgn);
    return Current;
}

HRGN CreateSkinRegion(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* FMask, int AW,
                      int AH) {
    if (New.LTPoint.X > New.RTPoint.X || New.LTPoint.Y > New.LBPoint.Y) return nullptr;
    TBitmap top, left, right, bottom;
    CreateSkinMask(Skin, New, FMask, &top, &left, &right, &bottom, AW, AH);
    return CreateSkinRegionFromMasks(New.ClRect, &top, &left, &right, &bottom);
}

HRGN CreateSkinRegionFromMasks(const TRect& NewClRect, TBitmap* RMTop, TBitmap* RMLeft,
                               TBitmap* RMRight, TBitmap* RMBottom) {
    HRGN topRgn = RegionOf(RMTop, 0, 0);
    HRGN bottomRgn = RegionOf(RMBottom, 0, NewClRect.Bottom);
    HRGN leftRgn = RegionOf(RMLeft, 0, NewClRect.Top);
    HRGN rightRgn = RegionOf(RMRight, NewClRect.Right, NewClRect.Top);
    HRGN rgn = IsNullRect(NewClRect) ? nullptr
                                     : CreateRectRgn(NewClRect.Left, NewClRect.Top, NewClRect.Right,
                                                     NewClRect.Bottom);
    Unite(topRgn, bottomRgn);
    Unite(leftRgn, rightRgn);
    Unite(leftRgn, topRgn);
    Unite(rgn, leftRgn);
    return rgn;
}
