// The corner-point geometry of a skinned control's record, copied from the skin and
// mapped to the control's current size: how the control may be resized, the size it
// takes, rectangles of the skin moved to that size, and the skin image at that size.
// The windowed and the window-less skinned controls share it.
#pragma once

#include "skin/data/SkinData.h"
#include "skin/data/Skutils_Geometry.h"
#include "skin/data/Skutils_Images.h"

// ResizeMode values.
enum : int { rmNoSkinRect = -1, rmFixed = 0, rmBoth = 1, rmWidth = 2, rmHeight = 3 };

class TskSkinShape {
public:
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect SkinRect, ClRect;
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    // Borrowed from the skin data object; null when the record names no picture.
    TBitmap* Picture = nullptr;
    TBitmap* MaskPicture = nullptr;
    int ResizeMode = rmNoSkinRect;

    // Copies the geometry of Record (and its cursor index) when it has corner geometry;
    // a record of another class gives a fixed size and no pictures.
    void ReadShape(TskSkinData* Data, TskDataSkinControl* Record, int& CursorIndex);
    // -1 without a skin rectangle, else 1, 2, 3 or 0 by the corner points given.
    int GetResizeMode() const;
    // Maps the geometry to W x H, which the mode may change (nothing when not Skinned).
    void MapToSize(int& W, int& H, bool Skinned);
    // R (in SkinRect's coordinates) moved and stretched to a control of W x H.
    TRect GetNewRect(const TRect& R, int W, int H) const;
    // The picture's rectangle R at W x H into B, stretched with the corner points.
    void CreateSkinControlImage(TBitmap* B, TBitmap* SB, const TRect& R, int W, int H) const;
    // Area (a track or progress area of the skin) at W x H: a resizable skin stretches its
    // bottom edge (Vertical) or its right edge with the control.
    TRect AreaAtSize(const TRect& Area, bool Vertical, int W, int H) const;
    // A header section's picture of Source (one state of SkinRect) at W x H into B: stretched
    // with the corner points when LBPoint is given, else its three horizontal parts, stretched
    // to H. OpenRight leaves out the right edge (the area after the last section).
    void CreateSectionImage(TBitmap* B, const TRect& Source, int W, int H,
                            bool OpenRight = false) const;
    // The window region of the mask at W x H; null when there is none.
    HRGN CreateShapeRegion(int W, int H) const;
    // The skin's client part (ClRect within SkinRect) tiled from (0, 0) over B, an image of
    // W x H (or the part of one that B holds), the last row and column cut to fit.
    void TileClientPart(TBitmap* B, int W, int H) const;
    // The same straight onto Canvas, only the tiles that meet Part; false (nothing drawn)
    // unless the tiles cover the whole of W x H, which a picture of the part first whitens.
    bool TileClientPart(TCanvas* Canvas, const TRect& Part, int W, int H) const;

    // The skin's client part within the picture.
    TRect ClientTile() const;

    TSkinGeometry SkinGeometry() const { return {LTPoint, RTPoint, LBPoint, RBPoint, ClRect}; }
    TSkinGeometry NewGeometry() const {
        return {NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
    }
};

// Picture Index of the skin, or null when the index lies outside the list.
TBitmap* SkinPicture(TskSkinData* Data, int Index);

// Picture tiled whole from (0, 0) over W x H on Canvas: only the tiles that meet Part.
void TilePicture(TCanvas* Canvas, TBitmap* Picture, int W, int H, const TRect& Part);
