// Skin image composition: a skin rectangle made for one size drawn at another by
// copying its fixed corner pieces and tiling its edges and client area (the last tile
// clipped, never scaled), the border images and masks of a frame, and window regions
// from mask pictures (black pixels lie inside).
//
// Source rectangles and points are relative to the top-left of SkinRect; the "New"
// geometry is in target coordinates. Every routine sizes its destination bitmaps
// itself and only reads the source picture.
#pragma once

#include "classlib/Bitmaps.h"

#include <vector>

// The corner points and client rectangle of a skin rectangle, at skin size or at
// the target size.
struct TSkinGeometry {
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClRect;
};

// Every routine draws only the tiles that meet the part of its destination's image that the
// destination holds (BitmapPart): a large control repaints in the time of its visible part.
//
// The tiles First..Last (of 0..Last, Step apart from Start, along one axis) that meet
// [Low, High); none (First > Last) when no tile does.
struct TTileRange {
    int First, Last;
};
TTileRange TilesMeeting(int Start, int Step, int Last, int Low, int High);

// Rectangle R of Picture drawn at (X, Y) of Canvas without its transparent colour (its
// bottom-left pixel's). Only what lies inside the picture is drawn: a skin's rectangle may
// reach past it.
void DrawPictureTransparent(TCanvas* Canvas, int X, int Y, TBitmap* Picture, const TRect& R);
// The same part cut out once and drawn many times, as a list's rows draw their check
// pictures: the transparent colour's pixels are masked out by two plain copies, which
// cost far less than a transparent copy each time.
class TskTransparentPicture {
public:
    TskTransparentPicture(TBitmap* Picture, const TRect& R);
    // Nothing of R lies inside the picture.
    bool GetEmpty() const { return FImage.GetEmpty(); }
    // Drawn where R's top-left corner lands at (X, Y).
    void Draw(TCanvas* Canvas, int X, int Y);

private:
    // The part with its transparent pixels black, and white where they are (black elsewhere).
    TBitmap FImage;
    TBitmap FMask;
    TPoint FOffset;
};

// The source rectangle From (in SB) repeated over To from its top-left corner, the last
// column and row clipped at To's right and bottom, never scaled.
void TileClient(TBitmap* B, TBitmap* SB, const TRect& From, const TRect& To);
// The same straight onto Canvas, only the tiles that meet Part.
void TileClient(TCanvas* Canvas, const TRect& Part, TBitmap* SB, const TRect& From, const TRect& To);

// Horizontal three-slice: fixed caps LO and RO wide, the middle tiled. B becomes AW
// wide and as high as SkinRect.
void CreateHSkinImage(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& SkinRect, int AW,
                      int AH);
// The same without a right cap; a middle of width 0 steps one pixel at a time.
void CreateHSkinImage2(int LO, int RO, TBitmap* B, TBitmap* SB, const TRect& SkinRect, int AW,
                       int AH);
// Vertical three-slice: caps TO and BO high. B becomes as wide as SkinRect and AH high.
void CreateVSkinImage(int TO, int BO, TBitmap* B, TBitmap* SB, const TRect& SkinRect, int AW,
                      int AH);

// Nine-slice: B becomes AW x AH; nothing is drawn when the skin gives no points
// (RBPoint equals LTPoint in X or Y) or SB is empty. The client area is tiled only
// with DrawClient.
void CreateSkinImage(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* B, TBitmap* SB,
                     const TRect& SkinRect, int AW, int AH, bool DrawClient);
// The same open to the right (header sections): no right edge or corners.
void CreateSkinImage2(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* B, TBitmap* SB,
                      const TRect& SkinRect, int AW, int AH, bool DrawClient);

// The four border images of a frame at AW x AH; each middle part is stretched when its
// flag is set, else tiled. A border whose size or repeating span is below one pixel is
// left as it was.
void CreateSkinBorderImages(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* LeftB,
                            TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* SB,
                            const TRect& SkinRect, int AW, int AH, bool LeftStretch,
                            bool TopStretch, bool RightStretch, bool BottomStretch);
// The four border masks of a frame at AW x AH, from FMask (the skin rectangle's mask).
void CreateSkinMask(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* FMask,
                    TBitmap* RMTop, TBitmap* RMLeft, TBitmap* RMRight, TBitmap* RMBottom, int AW,
                    int AH);

// A bitmap's pixels as 24-bit top-down rows (blue, green, red) for scanning: a 24-bit
// bitmap is read in place, any other is copied.
class TFBitmap {
public:
    explicit TFBitmap(TBitmap* Bitmap);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const Byte* Row(int Y) const { return FRows[static_cast<std::size_t>(Y)]; }

private:
    int FWidth = 0;
    int FHeight = 0;
    std::vector<const Byte*> FRows;
    std::vector<Byte> FCopy;
};

// Region data (RGNDATA) of Bmp's black pixels, one rectangle per run of a row, moved
// by the offsets. Returns its size in bytes, 0 (RgnData untouched) for an empty Bmp.
int CreateRgnFromBmp(TBitmap* Bmp, int XOffset, int YOffset, std::vector<Byte>& RgnData);
// The region of FMask's black pixels; null for an empty mask.
HRGN CreateSkinSimplyRegion(TBitmap* FMask);
// Hands Rgn to Wnd as its window region (null removes the region) and returns the region in
// place afterwards. The window owns a region it accepted and frees it when it is replaced,
// so nobody deletes it again; a region it refused is deleted here and Current stays in
// place. An empty region (a mask without black pixels) would hide the window: it is
// deleted and the window left whole.
HRGN SetWindowRegion(HWND Wnd, HRGN Rgn, HRGN Current);
// The window region of a frame at AW x AH: the client rectangle united with the four
// border masks' regions; null when there is none, or when the new points cross.
HRGN CreateSkinRegion(const TSkinGeometry& Skin, const TSkinGeometry& New, TBitmap* FMask, int AW,
                      int AH);
// The second half of CreateSkinRegion: the client rectangle united with the regions of
// the four border masks (as CreateSkinMask makes them), in the frame's coordinates.
HRGN CreateSkinRegionFromMasks(const TRect& NewClRect, TBitmap* RMTop, TBitmap* RMLeft,
                               TBitmap* RMRight, TBitmap* RMBottom);
